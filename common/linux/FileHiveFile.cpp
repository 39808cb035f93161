#include "FileHiveFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string ErrnoText(const std::string& what, int err)
{
    return what + ": " + std::strerror(err);
}

std::string FolderOf(const std::string& path)
{
    std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// mkdir -p; existing folders are fine.
bool MakeFolders(const std::string& folder, std::string& error)
{
    std::string partial;
    std::size_t pos = 0;
    while (pos != std::string::npos) {
        pos = folder.find('/', pos + 1);
        partial = folder.substr(0, pos);
        if (partial.empty())
            continue;
        if (mkdir(partial.c_str(), 0755) != 0 && errno != EEXIST) {
            error = ErrnoText("cannot create " + partial, errno);
            return false;
        }
    }
    return true;
}

bool FsyncFolder(const std::string& folder, std::string& error)
{
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        error = ErrnoText("cannot open " + folder, errno);
        return false;
    }
    bool ok = fsync(fd) == 0;
    if (!ok)
        error = ErrnoText("cannot sync " + folder, errno);
    close(fd);
    return ok;
}

bool WriteAll(int fd, const std::string& text)
{
    const char* p = text.data();
    std::size_t left = text.size();
    while (left > 0) {
        ssize_t n = write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

HiveText ReadFile(const std::string& path)
{
    HiveText result;
    if (path.empty()) {
        result.state = HiveText::State::Failed;
        result.error = "no location for this hive (no home folder)";
        return result;
    }
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT)
            return result;
        result.state = HiveText::State::Failed;
        result.error = ErrnoText("cannot open", errno);
        return result;
    }
    result.state = HiveText::State::Loaded;
    char buf[65536];
    while (true) {
        ssize_t n = read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            result.state = HiveText::State::Failed;
            result.error = ErrnoText("cannot read", errno);
            break;
        }
        if (n == 0)
            break;
        if (result.text.size() + static_cast<std::size_t>(n) > CFileHiveFile::kMaxHiveBytes) {
            result.state = HiveText::State::Failed;
            result.error = "larger than " + std::to_string(CFileHiveFile::kMaxHiveBytes >> 20) +
                           " MiB: not a hive file";
            break;
        }
        result.text.append(buf, static_cast<std::size_t>(n));
    }
    close(fd);
    if (result.state == HiveText::State::Failed)
        result.text.clear();
    return result;
}

std::string Timestamp()
{
    std::time_t now = std::time(nullptr);
    std::tm tm{};
    gmtime_r(&now, &tm);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y%m%dT%H%M%SZ", &tm);
    return buf;
}

// Copies from to a new file to, refusing (EEXIST) when to exists.
int CopyToNewFile(const std::string& from, const std::string& to)
{
    HiveText text = ReadFile(from);
    if (text.state != HiveText::State::Loaded)
        return EIO;
    struct stat st {};
    const mode_t mode = stat(from.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644;
    int fd = open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0)
        return errno;
    int err = WriteAll(fd, text.text) && fsync(fd) == 0 ? 0 : errno;
    if (close(fd) != 0 && err == 0)
        err = errno;
    if (err != 0)
        unlink(to.c_str());
    return err;
}

// A second name for from, never replacing an existing to: a hard link where
// the file system has them, a copy elsewhere.
int LinkNoReplace(const std::string& from, const std::string& to)
{
    if (link(from.c_str(), to.c_str()) == 0)
        return 0;
    if (errno == EEXIST)
        return EEXIST;
    return CopyToNewFile(from, to);
}

// Moves from to to without ever replacing an existing to.
int RenameNoReplace(const std::string& from, const std::string& to)
{
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    // File systems without RENAME_NOREPLACE: link() fails on an existing name too.
    if (link(from.c_str(), to.c_str()) != 0)
        return errno;
    unlink(from.c_str());
    return 0;
}

}  // namespace

class CFileHiveFile::Transaction : public IHiveTransaction {
public:
    Transaction(std::string path, int lockFd) : path_(std::move(path)), lockFd_(lockFd) {}
    ~Transaction() override { close(lockFd_); }  // closing releases the flock

    HiveText Read() override { return ReadFile(path_); }

    bool Replace(const std::string& text, std::string& error) override
    {
        const std::string temp = path_ + ".tmp";
        mode_t mode = 0644;
        struct stat st {};
        if (stat(path_.c_str(), &st) == 0)
            mode = st.st_mode & 07777;
        // Only the lock holder writes the temporary file, so a fixed name is
        // safe, and a leftover of a killed writer is simply truncated.
        int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
        if (fd < 0) {
            error = ErrnoText("cannot create " + temp, errno);
            return false;
        }
        fchmod(fd, mode);
        bool ok = WriteAll(fd, text);
        if (!ok)
            error = ErrnoText("cannot write " + temp, errno);
        if (ok && fsync(fd) != 0) {
            ok = false;
            error = ErrnoText("cannot sync " + temp, errno);
        }
        if (close(fd) != 0 && ok) {
            ok = false;
            error = ErrnoText("cannot close " + temp, errno);
        }
        if (ok && rename(temp.c_str(), path_.c_str()) != 0) {
            ok = false;
            error = ErrnoText("cannot rename " + temp, errno);
        }
        if (!ok) {
            unlink(temp.c_str());
            return false;
        }
        return FsyncFolder(FolderOf(path_), error);
    }

    bool SetAside(std::string& newName, std::string& error) override
    {
        return UnderFreeName(".corrupt-", RenameNoReplace, "cannot rename to ", newName, error);
    }

    bool KeepBackup(std::string& newName, std::string& error) override
    {
        return UnderFreeName(".backup-", LinkNoReplace, "cannot keep a copy as ", newName, error);
    }

private:
    // Gives the hive a new name <hive><infix><time>, adding -1, -2, ... while
    // that name is taken; place(from, to) answers 0, EEXIST or another errno.
    bool UnderFreeName(const char* infix, int (*place)(const std::string&, const std::string&),
                       const char* failure, std::string& newName, std::string& error)
    {
        const std::string base = path_ + infix + Timestamp();
        for (int n = 0; n < 1000; ++n) {
            std::string candidate = n == 0 ? base : base + "-" + std::to_string(n);
            int err = place(path_, candidate);
            if (err == 0) {
                newName = candidate;
                std::string ignored;
                FsyncFolder(FolderOf(path_), ignored);
                return true;
            }
            if (err != EEXIST) {
                error = ErrnoText(failure + candidate, err);
                return false;
            }
        }
        error = "no free name for " + base;
        return false;
    }

    std::string path_;
    int lockFd_;
};

CFileHiveFile::CFileHiveFile(std::string path) : path_(std::move(path)) {}

HiveText CFileHiveFile::Read() const { return ReadFile(path_); }

std::unique_ptr<IHiveTransaction> CFileHiveFile::Begin(std::string& error)
{
    if (path_.empty()) {
        error = "no location for this hive (no home folder)";
        return nullptr;
    }
    if (!MakeFolders(FolderOf(path_), error))
        return nullptr;
    const std::string lockPath = path_ + ".lock";
    int fd = open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        error = ErrnoText("cannot open " + lockPath, errno);
        return nullptr;
    }
    while (flock(fd, LOCK_EX) != 0) {
        if (errno != EINTR) {
            error = ErrnoText("cannot lock " + lockPath, errno);
            close(fd);
            return nullptr;
        }
    }
    return std::make_unique<Transaction>(path_, fd);
}
