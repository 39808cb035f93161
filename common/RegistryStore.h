// One hive of the registry store over its file. Every operation reads the
// file afresh, so another process's writes are seen at once; every change is
// one transaction (lock, re-read, change, replace), so concurrent writers
// never lose each other's values.
//
// One bad line must not cost every setting: a hive file is read line by
// line, every key and value that parses counts, and the lines that do not
// are reported once with their numbers. The first change after that keeps
// the file as it was in a backup beside it before rewriting it without them.
// A file that is not a hive at all (no REGEDIT4 line first) is treated as
// empty, moved aside under a new name (kept, never overwritten) and reported
// once, so neither the user's data nor the program's ability to store
// settings is lost.
#pragma once

#include "HiveFile.h"
#include "RegFile.h"
#include "RegistryHive.h"
#include "RegistryRoot.h"

#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <vector>

// What a hive file holds, as `varnreg check` reports it.
struct HiveCheck {
    enum class State {
        Missing,     // no file: an empty hive
        Clean,       // every line reads
        Skipped,     // read, but the lines in skipped are left out
        NotAHive,    // not a hive at all; detail says why
        Unreadable,  // the file cannot be read; detail says why
    };
    State state = State::Missing;
    std::vector<RegFileError> skipped;
    std::string detail;
};

class CRegistryStore {
public:
    using Reporter = std::function<void(const std::string& message)>;

    // An empty reporter writes to stderr.
    CRegistryStore(HKEY root, IHiveFile& file, Reporter reporter = {});

    HKEY Root() const { return root_; }
    std::string FileName() const { return file_.Name(); }

    // Reads fail when the file exists but cannot be read, or the key or value is missing.
    bool Load(CRegistryHive& hive) const;
    // Reads the file as it is now, without reporting, setting aside or
    // changing anything.
    HiveCheck Check() const;
    bool KeyExists(const std::string& subkey) const;
    bool GetValue(const std::string& subkey, const std::string& name, RegistryValue& out) const;
    bool EnumValues(const std::string& subkey, std::vector<RegistryNamedValue>& out) const;
    bool EnumSubkeys(const std::string& subkey, std::vector<std::string>& out) const;

    // Runs change on the current hive under the lock; when it returns true the
    // result replaces the file. False when change refused or the file could
    // not be locked, read or replaced.
    bool Modify(const std::function<bool(CRegistryHive&)>& change);
    bool SetValue(const std::string& subkey, const std::string& name, const RegistryValue& value);
    bool DeleteValue(const std::string& subkey, const std::string& name);
    bool CreateKey(const std::string& subkey);
    bool DeleteKey(const std::string& subkey);

private:
    // False, with why, when text is not a hive at all. Lines that do not
    // parse, keys of another root and deletions (which only import files
    // hold) are left out and listed in skipped.
    bool Parse(const std::string& text, CRegistryHive& hive, std::vector<RegFileError>& skipped,
               std::string& why) const;
    void ReportSkipped(const std::vector<RegFileError>& skipped) const;
    // Sets the unparseable file aside, through txn when one is open. False
    // when it could not be set aside: it must then not be overwritten.
    bool Recover(const std::string& why, IHiveTransaction* txn) const;
    void ReportOnce(const std::string& key, const std::string& message) const;

    HKEY root_;
    IHiveFile& file_;
    Reporter reporter_;
    mutable std::mutex reportedMutex_;
    mutable std::set<std::string> reported_;
};
