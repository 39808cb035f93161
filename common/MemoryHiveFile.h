// A hive file held in memory, for tests: same contract as the file on disk,
// with switches to make each step fail.
#pragma once

#include "HiveFile.h"

#include <mutex>
#include <optional>
#include <string>
#include <vector>

class CMemoryHiveFile : public IHiveFile {
public:
    explicit CMemoryHiveFile(std::string name = "memory hive");

    std::string Name() const override;
    HiveText Read() const override;
    std::unique_ptr<IHiveTransaction> Begin(std::string& error) override;

    // Test controls and inspection.
    void SetText(std::optional<std::string> text);
    std::optional<std::string> Text() const;
    std::vector<std::string> SetAsideTexts() const;
    std::vector<std::string> BackupTexts() const;
    int ReplaceCount() const;
    bool failReads = false;
    bool failLock = false;
    bool failReplace = false;
    bool failSetAside = false;
    bool failBackup = false;

private:
    class Transaction;
    std::string name_;
    mutable std::mutex mutex_;      // guards the fields below
    std::mutex lock_;               // the hive's exclusive lock
    std::optional<std::string> text_;
    std::vector<std::string> setAside_;
    std::vector<std::string> backups_;
    int replaceCount_ = 0;
};
