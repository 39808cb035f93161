// Where a hive's text lives. The store owns the rules (parse, recover,
// apply a change); this port only promises whole-file reads and, while a
// transaction holds the hive's exclusive lock, whole-file replacement that is
// atomic and durable: a reader sees the old text or the new, never a mix, and
// a crash never loses a replaced text.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

// No hive is larger: the store writes none, and a file above it is no hive
// of ours, which keeps a stray file from exhausting memory.
inline constexpr std::size_t kMaxHiveTextBytes = 64u << 20;

struct HiveText {
    enum class State { Missing, Loaded, Failed };
    State state = State::Missing;
    std::string text;   // Loaded
    std::string error;  // Failed: why it could not be read
};

class IHiveTransaction {
public:
    virtual ~IHiveTransaction() = default;
    // The text as it is now, under the lock.
    virtual HiveText Read() = 0;
    virtual bool Replace(const std::string& text, std::string& error) = 0;
    // Moves the current file to a new name that no existing file has, so a
    // hive that cannot be read is kept for inspection and never overwritten.
    virtual bool SetAside(std::string& newName, std::string& error) = 0;
    // Keeps the current file as it is under a new name that no existing file
    // has, while the hive itself stays: done before a rewrite drops lines
    // that could not be read, so they are never lost.
    virtual bool KeepBackup(std::string& newName, std::string& error) = 0;
};

class IHiveFile {
public:
    virtual ~IHiveFile() = default;
    virtual std::string Name() const = 0;  // for messages
    // A consistent snapshot without taking the lock.
    virtual HiveText Read() const = 0;
    // Blocks until the exclusive lock is held; null (with error) when it cannot be taken.
    virtual std::unique_ptr<IHiveTransaction> Begin(std::string& error) = 0;
};
