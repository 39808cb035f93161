// The hive files on disk: atomic replacement, the lock between processes,
// crash safety, setting bad files aside, and where the files live.
#include "FileRegistryHives.h"
#include "RegistryAccess.h"
#include "RegistryBatch.h"
#include "registry_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <grp.h>
#include <random>
#include <pwd.h>
#include <ctime>
#include <set>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class RegistryFileTest : public ::testing::Test {
protected:
    TempFolder folder;
    std::vector<std::string> messages;
    CFileRegistryHives hives{HiveLocationsIn(folder.Path().string()),
                             [this](const std::string& m) { messages.push_back(m); }};
    CRegistryStore& user = *hives.Store(HKEY_CURRENT_USER);
    std::string userFile = folder.File("HKEY_CURRENT_USER.reg");
};

TEST_F(RegistryFileTest, WritesCreateFoldersAndLeaveOnlyTheHiveAndItsLock)
{
    TempFolder deep;
    CFileRegistryHives nested(HiveLocationsIn((deep.Path() / "a" / "b").string()));
    ASSERT_TRUE(nested.Store(HKEY_LOCAL_MACHINE)->SetValue("SOFTWARE\\VARN\\APM", "Z", RegistryValue::String("/z")));
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(deep.Path() / "a" / "b"))
        names.insert(entry.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{"HKEY_LOCAL_MACHINE.reg", "HKEY_LOCAL_MACHINE.reg.lock"}));
    EXPECT_EQ(ReadWholeFile(deep.File("a/b/HKEY_LOCAL_MACHINE.reg")),
              "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE]\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\VARN]\n\n"
              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\VARN\\APM]\n\"Z\"=\"/z\"\n\n");
}

TEST_F(RegistryFileTest, AHandEditedFileIsReadAndItsModeKept)
{
    WriteWholeFile(userFile, "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\VARN\\TamloIII]\n\"Mode\"=dword:00000003\n");
    ASSERT_EQ(chmod(userFile.c_str(), 0600), 0);
    CRegistryAccess reg(hives);
    reg.SetRootKey(HKEY_CURRENT_USER);
    std::uint32_t mode = 0;
    EXPECT_TRUE(reg.QueryDword("SOFTWARE\\VARN\\TAMLOIII", "mode", &mode));
    EXPECT_EQ(mode, 3u);
    ASSERT_TRUE(reg.SetDword("SOFTWARE\\VARN\\TamloIII", "Mode", 4));
    struct stat st {};
    ASSERT_EQ(stat(userFile.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST_F(RegistryFileTest, BadFilesAreSetAsideUnderNamesThatNeverOverwrite)
{
    WriteWholeFile(userFile, "first garbage");
    EXPECT_FALSE(user.KeyExists("K"));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(userFile));
    using namespace std::string_literals;
    const std::string binary = "\x7f" "ELF\0\0\x01REGEDIT4\n"s;
    WriteWholeFile(userFile, binary);
    ASSERT_TRUE(user.SetValue("K", "v", RegistryValue::String("new")));
    EXPECT_EQ(messages.size(), 2u);
    std::multiset<std::string> kept;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        if (entry.path().filename().string().starts_with("HKEY_CURRENT_USER.reg.corrupt-"))
            kept.insert(ReadWholeFile(entry.path().string()));
    EXPECT_EQ(kept, (std::multiset<std::string>{"first garbage", binary}));
    RegistryValue v;
    EXPECT_TRUE(user.GetValue("K", "v", v));
}

TEST_F(RegistryFileTest, EachRewriteOfADamagedHiveKeepsItsOwnBackup)
{
    // Names a backup might take in the next seconds are taken already.
    std::set<std::string> occupied;
    for (std::time_t t = std::time(nullptr), end = t + 3; t < end; ++t) {
        std::tm tm{};
        gmtime_r(&t, &tm);
        char stamp[32];
        std::strftime(stamp, sizeof stamp, "%Y%m%dT%H%M%SZ", &tm);
        occupied.insert(std::string("HKEY_CURRENT_USER.reg.backup-") + stamp);
        WriteWholeFile(folder.File(*occupied.rbegin()), "occupied");
    }
    const std::string first = "REGEDIT4\n[HKEY_CURRENT_USER\\K]\n\"a\"=\"1\"\n\"cut\"=hex(7):41,00,4";
    WriteWholeFile(userFile, first);
    ASSERT_TRUE(user.SetValue("K", "b", RegistryValue::String("2")));
    const std::string second = ReadWholeFile(userFile) + "\"bad\"=dword:1\n";
    WriteWholeFile(userFile, second);
    ASSERT_TRUE(user.SetValue("K", "c", RegistryValue::String("3")));

    std::multiset<std::string> backups;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
        const std::string name = entry.path().filename().string();
        if (occupied.count(name))
            EXPECT_EQ(ReadWholeFile(entry.path().string()), "occupied") << name;
        else if (name.starts_with("HKEY_CURRENT_USER.reg.backup-"))
            backups.insert(ReadWholeFile(entry.path().string()));
    }
    EXPECT_EQ(backups, (std::multiset<std::string>{first, second}));
    std::vector<RegistryNamedValue> values;
    ASSERT_TRUE(user.EnumValues("K", values));
    EXPECT_EQ(values.size(), 3u);
    EXPECT_EQ(user.Check().state, HiveCheck::State::Clean);
}

TEST_F(RegistryFileTest, UnreadableFilesFailWithoutBeingSetAside)
{
    const auto body = [this] {
        ASSERT_TRUE(user.SetValue("K", "v", RegistryValue::String("x")));
        ASSERT_EQ(chmod(userFile.c_str(), 0), 0);
        EXPECT_FALSE(user.KeyExists("K"));
        EXPECT_FALSE(user.SetValue("K", "w", RegistryValue::String("y")));
        chmod(userFile.c_str(), 0644);
        EXPECT_TRUE(user.KeyExists("K"));
    };
    if (geteuid() != 0) {
        body();
        return;
    }
    // Root reads any file: the body runs in a child that is a user no
    // account has, owning the folder as a user owns their own.
    uid_t nobody = 61000;
    while (getpwuid(nobody) != nullptr || getgrgid(nobody) != nullptr)
        ++nobody;
    ASSERT_EQ(chown(folder.Path().c_str(), nobody, nobody), 0);
    const pid_t child = fork();
    if (child == 0) {
        if (setgroups(0, nullptr) != 0 || setresgid(nobody, nobody, nobody) != 0 ||
            setresuid(nobody, nobody, nobody) != 0)
            _exit(2);
        body();
        _exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int status = -1;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
}

TEST_F(RegistryFileTest, AFileTooLargeToBeAHiveIsRefusedNotLoaded)
{
    {
        std::ofstream big(userFile, std::ios::binary);
        big << "REGEDIT4\n";
        big.seekp(static_cast<std::streamoff>(CFileHiveFile::kMaxHiveBytes) + 1);
        big << ';';
    }
    EXPECT_FALSE(user.KeyExists(""));
    EXPECT_TRUE(std::filesystem::exists(userFile));
}

// Runs body in a child process and returns its exit status.
template <typename Body>
pid_t Spawn(Body body)
{
    pid_t pid = fork();
    if (pid == 0) {
        int code = body();
        _exit(code);
    }
    return pid;
}

int WaitFor(pid_t pid)
{
    int status = 0;
    waitpid(pid, &status, 0);
    return status;
}

TEST_F(RegistryFileTest, TwoProcessesWritingAtOnceLoseNoValue)
{
    constexpr int kEach = 150;
    const HiveLocations where = HiveLocationsIn(folder.Path().string());
    auto writer = [&](const std::string& prefix) {
        return Spawn([&] {
            CFileRegistryHives own(where);
            for (int i = 0; i < kEach; ++i)
                if (!own.Store(HKEY_CURRENT_USER)->SetValue("SOFTWARE\\VARN", prefix + std::to_string(i),
                                                              RegistryValue::Dword(static_cast<std::uint32_t>(i))))
                    return 1;
            return 0;
        });
    };
    pid_t a = writer("a");
    pid_t b = writer("b");
    // Meanwhile this process reads: it must never see a partial file.
    int reads = 0;
    for (; reads < 200; ++reads) {
        CRegistryHive snapshot;
        ASSERT_TRUE(user.Load(snapshot));
    }
    EXPECT_EQ(WaitFor(a), 0);
    EXPECT_EQ(WaitFor(b), 0);
    EXPECT_TRUE(messages.empty()) << messages.front();
    std::vector<RegistryNamedValue> values;
    ASSERT_TRUE(user.EnumValues("SOFTWARE\\VARN", values));
    EXPECT_EQ(values.size(), 2u * kEach);
}

TEST_F(RegistryFileTest, AWriterKilledAtAnyMomentLeavesEveryAcknowledgedValue)
{
    const HiveLocations where = HiveLocationsIn(folder.Path().string());
    for (int round = 0; round < 5; ++round) {
        int ack[2];
        ASSERT_EQ(pipe(ack), 0);
        pid_t child = Spawn([&] {
            close(ack[0]);
            CFileRegistryHives own(where);
            for (int i = 0;; ++i) {
                std::string name = "r" + std::to_string(round) + "_" + std::to_string(i);
                if (!own.Store(HKEY_CURRENT_USER)->SetValue("K", name, RegistryValue::String(std::string(200, 'x'))))
                    return 1;
                std::uint32_t n = static_cast<std::uint32_t>(i);
                if (write(ack[1], &n, sizeof n) != sizeof n)
                    return 1;
            }
        });
        close(ack[1]);
        std::uint32_t n = 0;
        int acknowledged = 0;
        // Let it get well into its loop, then kill it without warning.
        while (acknowledged < 20 + round * 7 && read(ack[0], &n, sizeof n) == sizeof n)
            ++acknowledged;
        kill(child, SIGKILL);
        while (read(ack[0], &n, sizeof n) == sizeof n)
            ++acknowledged;
        close(ack[0]);
        WaitFor(child);
        for (int i = 0; i < acknowledged; ++i) {
            RegistryValue v;
            ASSERT_TRUE(user.GetValue("K", "r" + std::to_string(round) + "_" + std::to_string(i), v))
                << "round " << round << " value " << i << " of " << acknowledged;
        }
    }
    EXPECT_TRUE(messages.empty());
    // A killed writer's temporary file does not stop the next write.
    EXPECT_TRUE(user.SetValue("K", "after", RegistryValue::Dword(1)));
}

// The user's hive file, telling on a pipe when it begins a replacement
// ('R'), so a test can kill its writer in the middle of one.
class CAnnouncingHiveFile : public IHiveFile {
public:
    CAnnouncingHiveFile(std::string path, int pipe) : file_(std::move(path)), pipe_(pipe) {}
    std::string Name() const override { return file_.Name(); }
    HiveText Read() const override { return file_.Read(); }
    std::unique_ptr<IHiveTransaction> Begin(std::string& error) override
    {
        auto inner = file_.Begin(error);
        return inner ? std::make_unique<Transaction>(std::move(inner), pipe_) : nullptr;
    }

private:
    struct Transaction : IHiveTransaction {
        Transaction(std::unique_ptr<IHiveTransaction> inner, int pipe) : inner(std::move(inner)), pipe(pipe) {}
        HiveText Read() override { return inner->Read(); }
        bool Replace(const std::string& text, std::string& error) override
        {
            return write(pipe, "R", 1) == 1 && inner->Replace(text, error);
        }
        bool SetAside(std::string& name, std::string& error) override { return inner->SetAside(name, error); }
        bool KeepBackup(std::string& name, std::string& error) override { return inner->KeepBackup(name, error); }
        std::unique_ptr<IHiveTransaction> inner;
        int pipe;
    };
    CFileHiveFile file_;
    int pipe_;
};

// Batched commits of 35 values into a hive of a few MB, the writer killed at
// a random moment of a replacement: the file is always whole, every
// acknowledged batch is in it, and the batch in flight entirely or not at all.
TEST_F(RegistryFileTest, AWriterKilledDuringABatchedCommitLeavesTheOldOrTheNewFile)
{
    constexpr int kValues = 35;
    const auto name = [](int round, int batch, int i) {
        return std::to_string(round) + "_" + std::to_string(batch) + "_" + std::to_string(i);
    };
    {
        CRegistryBatch bulk(hives);
        for (int i = 0; i < 20000; ++i)
            user.SetValue("Bulk\\" + std::to_string(i / 100), std::to_string(i),
                          RegistryValue::String(std::string(100, 'b')));
    }
    ASSERT_GT(std::filesystem::file_size(userFile), 2u << 20);
    std::mt19937 random(20240611);
    for (int round = 0; round < 6; ++round) {
        int tell[2];
        ASSERT_EQ(pipe(tell), 0);
        pid_t child = Spawn([&] {
            CAnnouncingHiveFile file(userFile, tell[1]);
            CRegistryStore store(HKEY_CURRENT_USER, file, [](const std::string&) {});
            for (int n = 0;; ++n) {
                store.BeginBatch();
                for (int i = 0; i < kValues; ++i)
                    store.SetValue("K", name(round, n, i), RegistryValue::String(std::string(50, 'x')));
                std::string why;
                if (!store.EndBatch(why) || write(tell[1], "A", 1) != 1)
                    return 1;
            }
        });
        close(tell[1]);
        // After two acknowledged batches, the kill comes at a random moment
        // of the next replacement, as long as the longest one took.
        int acknowledged = 0;
        auto replacing = std::chrono::steady_clock::now();
        std::chrono::steady_clock::duration longest{};
        char said = 0;
        while (read(tell[0], &said, 1) == 1 && !(said == 'R' && acknowledged >= 2)) {
            if (said == 'R') {
                replacing = std::chrono::steady_clock::now();
            } else {
                longest = std::max(longest, std::chrono::steady_clock::now() - replacing);
                ++acknowledged;
            }
        }
        ASSERT_EQ(said, 'R') << "the writer stopped early";
        const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(longest).count();
        usleep(std::uniform_int_distribution<useconds_t>(0, static_cast<useconds_t>(micros))(random));
        kill(child, SIGKILL);
        while (read(tell[0], &said, 1) == 1)
            acknowledged += said == 'A' ? 1 : 0;
        close(tell[0]);
        WaitFor(child);

        ASSERT_EQ(user.Check().state, HiveCheck::State::Clean) << "round " << round;
        CRegistryBatch oneRead(hives);  // the checks read the big hive once
        for (int batch = 0; batch <= acknowledged; ++batch) {
            int stored = 0;
            for (int i = 0; i < kValues; ++i) {
                RegistryValue v;
                stored += user.GetValue("K", name(round, batch, i), v) ? 1 : 0;
            }
            EXPECT_TRUE(stored == kValues || (batch == acknowledged && stored == 0))
                << "round " << round << " batch " << batch << " of " << acknowledged << ": " << stored;
        }
    }
    std::vector<std::string> bulk;
    ASSERT_TRUE(user.EnumSubkeys("Bulk", bulk));
    EXPECT_EQ(bulk.size(), 200u);
}

TEST(HiveLocations, FollowXdgUnlessOneFolderIsNamed)
{
    HiveLocations w = ResolveHiveLocations(nullptr, "/cfg", "/home/u");
    EXPECT_EQ(w.currentUser, "/cfg/velmar/HKEY_CURRENT_USER.reg");
    EXPECT_EQ(w.localMachine, "/etc/velmar/HKEY_LOCAL_MACHINE.reg");
    EXPECT_EQ(ResolveHiveLocations(nullptr, nullptr, "/home/u").currentUser,
              "/home/u/.config/velmar/HKEY_CURRENT_USER.reg");
    EXPECT_EQ(ResolveHiveLocations(nullptr, "relative/cfg", "/home/u/").currentUser,
              "/home/u/.config/velmar/HKEY_CURRENT_USER.reg");
    EXPECT_EQ(ResolveHiveLocations(nullptr, "", nullptr).currentUser, "");
    w = ResolveHiveLocations("/tmp/demo/", "/cfg", "/home/u");
    EXPECT_EQ(w.currentUser, "/tmp/demo/HKEY_CURRENT_USER.reg");
    EXPECT_EQ(w.localMachine, "/tmp/demo/HKEY_LOCAL_MACHINE.reg");
}

TEST(HiveLocations, AHiveWithoutALocationFailsInsteadOfWritingSomewhere)
{
    CFileRegistryHives nowhere(HiveLocations{"", "/nonexistent-velmar-test/HKEY_LOCAL_MACHINE.reg"},
                               [](const std::string&) {});
    EXPECT_FALSE(nowhere.Store(HKEY_CURRENT_USER)->SetValue("K", "v", RegistryValue::Dword(1)));
    EXPECT_FALSE(nowhere.Store(HKEY_CURRENT_USER)->KeyExists(""));
    EXPECT_TRUE(nowhere.Store(HKEY_LOCAL_MACHINE)->KeyExists(""));  // a missing file reads as empty
}

}  // namespace
