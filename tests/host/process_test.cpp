// Process-wide pieces: the single-instance rule (over the double and over the
// real flock'ed file with a second process), affinity, SaveAndExit's order
// and the termination hook.
#include <gtest/gtest.h>
#include <gmock/gmock.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "FakeProcessAffinity.h"
#include "FlockInstanceBlock.h"
#include "InstanceChecker.h"
#include "MemoryInstanceBlock.h"
#include "RecordingExitFrame.h"
#include "RecordingMessageBox.h"
#include "SaveAndExit.h"
#include "SuspendNotifier.h"
#include "TerminationSignal.h"
#include "host_test_support.h"

using ::testing::ElementsAre;

namespace {

TEST(SingleInstanceRule, FirstRegistersSecondEndsAndTheBlockGoesWithItsProcess) {
    CMemoryInstanceMachine machine;
    CMemoryInstanceBlock first(machine, 1), second(machine, 2), third(machine, 3);
    EXPECT_EQ(ApplySingleInstanceRule(first, "Velmar", 0x1234), InstanceDecision::Registered);
    ASSERT_EQ(machine.blocks.count("CInstanceChecker_MMF_Velmar"), 1u);
    EXPECT_EQ(machine.blocks["CInstanceChecker_MMF_Velmar"].windowId, 0x1234u);
    EXPECT_EQ(ApplySingleInstanceRule(second, "Velmar", 0x99), InstanceDecision::SecondInstance);
    EXPECT_EQ(ApplySingleInstanceRule(second, "Other", 0x99), InstanceDecision::Registered)
        << "the name carries the application name";
    machine.EndProcess(1);
    EXPECT_EQ(ApplySingleInstanceRule(third, "Velmar", 0x77), InstanceDecision::Registered);
    EXPECT_FALSE(first.open || second.open || third.open) << "the checker closes what it opened";
}

TEST(SingleInstanceRule, OwnBlockIsNoOtherInstanceAndACreateFailureRunsUnprotected) {
    CMemoryInstanceMachine machine;
    CMemoryInstanceBlock self(machine, 1);
    ASSERT_EQ(ApplySingleInstanceRule(self, "Velmar", 1), InstanceDecision::Registered);
    EXPECT_EQ(ApplySingleInstanceRule(self, "Velmar", 1), InstanceDecision::Registered)
        << "a second page completion in the same process must not end it";
    CInstanceChecker checker(self, "Velmar");
    EXPECT_FALSE(checker.RegisterFirstInstance(2));
    CMemoryInstanceMachine refusing;
    refusing.refuseCreate = true;
    CMemoryInstanceBlock lonely(refusing, 1);
    EXPECT_EQ(ApplySingleInstanceRule(lonely, "Velmar", 1), InstanceDecision::Unprotected);
}

class FlockInstanceTest : public HostFrameworkTest {};

// A child process that takes the block and holds it until told to end.
struct BlockHolder {
    pid_t pid = -1;
    int release = -1;
};

BlockHolder HoldInChild(const std::string& folder, const std::string& app) {
    int ready[2], release[2];
    if (pipe(ready) != 0 || pipe(release) != 0) return {};
    const pid_t pid = fork();
    if (pid == 0) {
        CFlockInstanceBlock block(folder);
        const bool ok = ApplySingleInstanceRule(block, app, 0x0102030405060708ull) == InstanceDecision::Registered;
        char byte = ok ? 1 : 0;
        (void)!write(ready[1], &byte, 1);
        (void)!read(release[0], &byte, 1);
        _exit(0);
    }
    char byte = 0;
    (void)!read(ready[0], &byte, 1);
    close(ready[0]);
    close(ready[1]);
    close(release[0]);
    return byte == 1 ? BlockHolder{pid, release[1]} : BlockHolder{};
}

void EndHolder(BlockHolder& holder, bool crash) {
    if (crash) kill(holder.pid, SIGKILL);
    close(holder.release);
    int status = 0;
    waitpid(holder.pid, &status, 0);
}

TEST_F(FlockInstanceTest, AnotherProcessHoldingTheLockIsAnotherInstanceUntilItEnds) {
    BlockHolder holder = HoldInChild(folder_, "VelmarTest");
    ASSERT_GT(holder.pid, 0);
    CFlockInstanceBlock block(folder_);
    EXPECT_EQ(ApplySingleInstanceRule(block, "VelmarTest", 1), InstanceDecision::SecondInstance);

    std::ifstream file(block.PathOf("CInstanceChecker_MMF_VelmarTest"), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes, std::string("\x08\x07\x06\x05\x04\x03\x02\x01", 8)) << "the window id, little-endian";

    EndHolder(holder, /*crash=*/true);
    EXPECT_EQ(ApplySingleInstanceRule(block, "VelmarTest", 1), InstanceDecision::Registered)
        << "a killed first instance leaves its file but not its lock";
    EXPECT_TRUE(block.CreatedHere("CInstanceChecker_MMF_VelmarTest"));
    EXPECT_EQ(ApplySingleInstanceRule(block, "VelmarTest", 1), InstanceDecision::Registered);
}

TEST_F(FlockInstanceTest, ProcessHoldingTheLockKeepsOthersOutAndALeftoverFileDoesNot) {
    CFlockInstanceBlock block(folder_);
    std::ofstream(block.PathOf("CInstanceChecker_MMF_Stale")) << "left over";
    EXPECT_FALSE(block.OpenExisting("CInstanceChecker_MMF_Stale"));
    ASSERT_EQ(ApplySingleInstanceRule(block, "Held", 5), InstanceDecision::Registered);
    const pid_t pid = fork();
    if (pid == 0) {
        CFlockInstanceBlock other(folder_);
        _exit(ApplySingleInstanceRule(other, "Held", 6) == InstanceDecision::SecondInstance ? 0 : 1);
    }
    int status = -1;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a second process sees this one";
}

// A lock file that another user made (root's, from a run under sudo) and
// holds used to make every start of this user end at once, silently.
TEST_F(FlockInstanceTest, AnotherUsersLockFileIsNoInstanceOfThisUser) {
    BlockHolder holder = HoldInChild(folder_, "VelmarTest");
    ASSERT_GT(holder.pid, 0);
    // The holder's file belongs to this process's user; the block asks as another one.
    const uid_t other = geteuid() + 4242;
    CFlockInstanceBlock block(folder_, other);
    EXPECT_EQ(ApplySingleInstanceRule(block, "VelmarTest", 1), InstanceDecision::Registered);
    EXPECT_EQ(block.PathOf("CInstanceChecker_MMF_VelmarTest"),
              folder_ + "/CInstanceChecker_MMF_VelmarTest-" + std::to_string(other));
    const pid_t pid = fork();
    if (pid == 0) {
        CFlockInstanceBlock again(folder_, other);
        _exit(ApplySingleInstanceRule(again, "VelmarTest", 2) == InstanceDecision::SecondInstance ? 0 : 1);
    }
    int status = -1;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the user's own block still keeps a second start out";
    EndHolder(holder, /*crash=*/true);
}

TEST_F(FlockInstanceTest, OnlyAFolderOfTheUsersOwnClosedToOthersHoldsTheBlock) {
    const uid_t me = geteuid();
    const std::string shared = folder_ + "/shared", made = folder_ + "/made", link = folder_ + "/link";
    ASSERT_EQ(mkdir(shared.c_str(), 0700), 0);
    ASSERT_EQ(chmod(shared.c_str(), 01777), 0);
    ASSERT_EQ(symlink(folder_.c_str(), link.c_str()), 0);
    EXPECT_EQ(CFlockInstanceBlock::FirstPrivateFolder(
                  {{folder_ + "/missing", false}, {shared, false}, {link, true}, {made, true}}, me),
              made);
    struct stat st {};
    ASSERT_EQ(stat(made.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0700u);
    EXPECT_EQ(CFlockInstanceBlock::FirstPrivateFolder({{made, true}}, me + 4242), "") << "another user's folder";

    // Without a private runtime folder: the user's own folder in /tmp.
    const char* saved = getenv("XDG_RUNTIME_DIR");
    const std::string keep = saved != nullptr ? saved : "";
    const std::string perUser = "/tmp/velmar-" + std::to_string(me);
    for (const char* runtime : {shared.c_str(), static_cast<const char*>(nullptr)}) {
        if (runtime != nullptr) setenv("XDG_RUNTIME_DIR", runtime, 1);
        else unsetenv("XDG_RUNTIME_DIR");
        EXPECT_EQ(CFlockInstanceBlock::DefaultFolder(), perUser);
        EXPECT_EQ(CFlockInstanceBlock().PathOf("X"), perUser + "/X");
    }
    ASSERT_EQ(stat(perUser.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 077, 0u);
    setenv("XDG_RUNTIME_DIR", made.c_str(), 1);
    EXPECT_EQ(CFlockInstanceBlock::DefaultFolder(), made);
    if (saved != nullptr) setenv("XDG_RUNTIME_DIR", keep.c_str(), 1);
    else unsetenv("XDG_RUNTIME_DIR");
}

TEST(ProcessAffinity, PinsToTheFirstProcessorAndSaysSoWhenRefused) {
    CFakeProcessAffinity affinity;
    CRecordingMessageBox ownerless;
    EXPECT_TRUE(PinToFirstProcessor(affinity, ownerless));
    affinity.refuse = true;
    EXPECT_FALSE(PinToFirstProcessor(affinity, ownerless));
    EXPECT_THAT(affinity.masks, ElementsAre(1u, 1u));
    EXPECT_THAT(ownerless.shown, ElementsAre("Set process affinity mask fail"));
}

class SaveAndExitTest : public HostFrameworkTest {
protected:
    std::string Text(const char* name) {
        CRegistryAccess user(hives_);
        user.SetRootKey(HKEY_CURRENT_USER);
        std::string text;
        user.QueryString("SOFTWARE\\VARN\\TamloIII", name, text);
        return text;
    }
    uint32_t Dword(const char* name) {
        CRegistryAccess user(hives_);
        user.SetRootKey(HKEY_CURRENT_USER);
        uint32_t value = 0xDEADBEEF;
        user.QueryDword("SOFTWARE\\VARN\\TamloIII", name, &value);
        return value;
    }
    CRecordingExitFrame frame_;
};

TEST_F(SaveAndExitTest, StepsRunInOrderAndStoreWindowAndMode) {
    frame_.window = {-20, 300, true, 200};
    frame_.mode = {5, true};
    frame_.duringUnload = [this] { frame_.mode.mode = 6; };
    CSaveAndExit exit(frame_, &hives_);
    exit.Run();
    EXPECT_THAT(frame_.steps, ElementsAre("store skin", "stop timer 1", "view inactive", "window state", "unload",
                                          "mode state", "tray icon", "end 0"));
    EXPECT_EQ(Dword("PosX"), static_cast<uint32_t>(-20));
    EXPECT_EQ(Dword("PosY"), 300u);
    EXPECT_EQ(Text("TOP"), "TRUE");
    EXPECT_EQ(Dword("TRANS"), 200u);
    EXPECT_EQ(Dword("Mode"), 6u) << "the mode is read after the plug-ins are gone";
    EXPECT_EQ(Text("AutoPace"), "TRUE");
}

TEST_F(SaveAndExitTest, SecondRequestDuringOrAfterTheSequenceDoesNothing) {
    CSaveAndExit exit(frame_, &hives_);
    frame_.duringUnload = [&] { exit.Run(); };
    exit.Run();
    exit.Run();
    EXPECT_EQ(std::count(frame_.steps.begin(), frame_.steps.end(), "unload"), 1);
    EXPECT_EQ(std::count(frame_.steps.begin(), frame_.steps.end(), "end 0"), 1);
    EXPECT_EQ(Text("TOP"), "FALSE");
    EXPECT_EQ(Text("AutoPace"), "FALSE");
    EXPECT_TRUE(exit.HasRun());
}

TEST(TerminationHook, EachEndingSignalBecomesAReadableRequest) {
    const int fd = InstallTerminationHook();
    ASSERT_GE(fd, 0);
    EXPECT_EQ(InstallTerminationHook(), fd);
    EXPECT_FALSE(ConsumeTerminationRequest());
    // SIGINT (Ctrl+C) used to end the process at once, nothing stored.
    for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
        raise(signal);
        EXPECT_TRUE(ConsumeTerminationRequest()) << "signal " << signal;
        EXPECT_FALSE(ConsumeTerminationRequest());
    }
}

// logind sleeps at once after announcing it unless a delay lock is held:
// the plug-ins hear "suspend" while the lock still holds the sleep back.
TEST(SuspendNotifierTest, LockIsHeldWhileAwakeAndGivenBackOnlyAfterSuspendWasDelivered) {
    struct Lock : ISleepDelayLock {
        std::vector<std::string>& steps;
        explicit Lock(std::vector<std::string>& s) : steps(s) {}
        void Take() override { steps.push_back("take"); }
        void Release() override { steps.push_back("release"); }
    };
    std::vector<std::string> steps;
    Lock lock(steps);
    CSuspendNotifier notifier(lock, [&](int event, int data) {
        steps.push_back("event " + std::to_string(event) + " " + std::to_string(data));
    });
    notifier.Start();
    notifier.OnPrepareForSleep(true);
    notifier.OnPrepareForSleep(false);
    EXPECT_THAT(steps, ElementsAre("take", "event 4 1", "release", "event 7 2", "take"));
}

}  // namespace
