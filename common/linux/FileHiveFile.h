// A hive as a file on disk. Writers hold an exclusive flock on "<hive>.lock"
// (the hive itself is replaced by rename, so it cannot carry the lock), write
// "<hive>.tmp", fsync it, rename it over the hive and fsync the folder. A
// reader therefore always opens a complete file, old or new, and needs no lock.
#pragma once

#include "HiveFile.h"

class CFileHiveFile : public IHiveFile {
public:
    explicit CFileHiveFile(std::string path);

    std::string Name() const override { return path_; }
    HiveText Read() const override;
    std::unique_ptr<IHiveTransaction> Begin(std::string& error) override;

    // Larger files are not hives and are refused unread.
    static constexpr std::size_t kMaxHiveBytes = kMaxHiveTextBytes;

private:
    class Transaction;
    std::string path_;
};
