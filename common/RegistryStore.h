// One hive of the registry store over its file. Every operation reads the
// file afresh, so another process's writes are seen at once; every change is
// one transaction (lock, re-read, change, replace), so concurrent writers
// never lose each other's values.
//
// A batch puts many changes into one transaction: between BeginBatch and the
// matching EndBatch, a thread's changes are checked against the hive as it
// stood at the batch's first access with the batch's earlier changes applied,
// kept, and seen by that thread's reads, but nothing is written. The
// outermost EndBatch then locks the hive, reads the file as it is now (so
// what another process wrote meanwhile stays), applies the kept changes in
// their order and replaces the file once. A crash before that loses only the
// batch; the file stays as it was.
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
#include <thread>
#include <unordered_map>
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
    // not be locked, read or replaced. Inside a batch, change runs on the
    // batch's hive and again at the batch's end, so it must not refer to
    // anything that ends sooner.
    bool Modify(const std::function<bool(CRegistryHive&)>& change);
    bool SetValue(const std::string& subkey, const std::string& name, const RegistryValue& value);
    bool DeleteValue(const std::string& subkey, const std::string& name);
    bool CreateKey(const std::string& subkey);
    bool DeleteKey(const std::string& subkey);

    // Opens a batch on this thread, or joins the one it has open. Inside a
    // batch a change answers whether it was accepted: false when it is
    // refused (a value that is not there to delete, a bad name) or the hive
    // cannot be read; true means it is kept for the batch's end.
    void BeginBatch();
    // Ends what BeginBatch opened. An inner end only hands its changes on and
    // answers true. The outermost end writes them all, and answers false
    // (with why, also reported) when they could not be written: then none of
    // them is stored. Other threads' changes never join this thread's batch.
    bool EndBatch(std::string& why);

private:
    // One change as a batch keeps it, to be applied again at its end.
    struct KeptChange {
        std::function<bool(CRegistryHive&)> apply;
        // A deletion that finds nothing to delete has still done its work:
        // another process removed the same thing meanwhile.
        bool refusalIsDone = false;
        // The change may leave the hive half changed when it refuses, so it
        // is tried on a copy first.
        bool onCopy = false;
    };
    struct Batch {
        int depth = 0;
        bool viewLoaded = false;
        CRegistryHive view;  // the hive as the batch's thread reads it
        std::vector<KeptChange> changes;
    };
    // This thread's open batch, or null.
    Batch* ThreadBatch() const;
    // The file as it is now; false when it cannot be read.
    bool LoadFile(CRegistryHive& hive) const;
    // What reads see: the batch's hive, or the file read into scratch. Null
    // when the file cannot be read.
    const CRegistryHive* Current(CRegistryHive& scratch) const;
    bool EnsureView(Batch& batch) const;
    // At once, or kept in this thread's batch.
    bool Apply(KeptChange change);
    bool Transact(const std::function<bool(CRegistryHive&)>& change, std::string& why);

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
    // Every thread's open batch. Only its own thread touches a batch; the
    // mutex guards the map.
    mutable std::mutex batchMutex_;
    mutable std::unordered_map<std::thread::id, Batch> batches_;
};
