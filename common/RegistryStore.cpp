#include "RegistryStore.h"

#include <algorithm>
#include <iostream>


CRegistryStore::CRegistryStore(HKEY root, IHiveFile& file, Reporter reporter)
    : root_(root), file_(file), reporter_(std::move(reporter))
{
    if (!reporter_)
        reporter_ = [](const std::string& message) { std::cerr << "velmar registry: " << message << std::endl; };
}

void CRegistryStore::ReportOnce(const std::string& key, const std::string& message) const
{
    {
        std::lock_guard guard(reportedMutex_);
        if (!reported_.insert(key).second)
            return;
    }
    reporter_(message);
}

namespace {

std::string Describe(const RegFileError& skip)
{
    return "line " + std::to_string(skip.line) + ": " + skip.message;
}

// A message names a few lines; `varnreg check` lists them all.
constexpr std::size_t kLinesNamedInAMessage = 5;

std::string DescribeSkipped(const std::vector<RegFileError>& skipped)
{
    std::string text;
    for (std::size_t i = 0; i < skipped.size() && i < kLinesNamedInAMessage; ++i)
        text += (i == 0 ? "" : "; ") + Describe(skipped[i]);
    if (skipped.size() > kLinesNamedInAMessage)
        text += "; and " + std::to_string(skipped.size() - kLinesNamedInAMessage) + " more";
    return text;
}

std::string LinesWord(std::size_t count)
{
    return std::to_string(count) + (count == 1 ? " line" : " lines");
}

}  // namespace

bool CRegistryStore::Recover(const std::string& why, IHiveTransaction* txn) const
{
    std::unique_ptr<IHiveTransaction> own;
    std::string error;
    if (!txn) {
        own = file_.Begin(error);
        txn = own.get();
    }
    if (txn) {
        // Another process may have recovered or rewritten the hive meanwhile.
        HiveText now = txn->Read();
        CRegistryHive scratch;
        std::vector<RegFileError> skipped;
        std::string ignored;
        if (now.state != HiveText::State::Loaded || (own && Parse(now.text, scratch, skipped, ignored)))
            return true;
        std::string newName;
        if (txn->SetAside(newName, error)) {
            reporter_(file_.Name() + " is not a hive (" + why + "); it is read as empty and kept as " + newName);
            return true;
        }
    }
    ReportOnce("unparseable", file_.Name() + " is not a hive (" + why +
                                  "); it is read as empty and left in place, since it could not be kept aside: " +
                                  error);
    return false;
}

bool CRegistryStore::Parse(const std::string& text, CRegistryHive& hive, std::vector<RegFileError>& skipped,
                           std::string& why) const
{
    hive = CRegistryHive();
    std::vector<RegFileEntry> entries;
    RegFileError error;
    if (!ParseRegFileTolerant(text, entries, skipped, error)) {
        why = error.line > 0 ? "line " + std::to_string(error.line) + ": " + error.message : error.message;
        return false;
    }
    // Only this root's keys and values belong here; a hive file is never an
    // instruction to delete.
    std::vector<RegFileEntry> kept;
    kept.reserve(entries.size());
    for (RegFileEntry& entry : entries) {
        if (entry.root != root_)
            skipped.push_back({entry.line, std::string("a key of another root in the ") + RegistryRootName(root_) +
                                               " hive"});
        else if (entry.kind == RegFileEntry::Kind::DeleteKey || entry.kind == RegFileEntry::Kind::DeleteValue)
            skipped.push_back({entry.line, "a deletion, which only files given to import may hold"});
        else
            kept.push_back(std::move(entry));
    }
    std::stable_sort(skipped.begin(), skipped.end(),
                     [](const RegFileError& a, const RegFileError& b) { return a.line < b.line; });
    ApplyRegFileEntries(kept, root_, hive);
    return true;
}

void CRegistryStore::ReportSkipped(const std::vector<RegFileError>& skipped) const
{
    const std::string lines = DescribeSkipped(skipped);
    ReportOnce("skipped:" + lines, file_.Name() + ": left out " + LinesWord(skipped.size()) +
                                       " that could not be read (" + lines +
                                       "); every other key and value is read. The next change keeps the file "
                                       "as it is now beside it (.backup-...) before rewriting it");
}

HiveCheck CRegistryStore::Check() const
{
    HiveCheck check;
    HiveText text = file_.Read();
    switch (text.state) {
    case HiveText::State::Missing: return check;
    case HiveText::State::Failed:
        check.state = HiveCheck::State::Unreadable;
        check.detail = text.error;
        return check;
    case HiveText::State::Loaded: break;
    }
    CRegistryHive hive;
    if (!Parse(text.text, hive, check.skipped, check.detail))
        check.state = HiveCheck::State::NotAHive;
    else
        check.state = check.skipped.empty() ? HiveCheck::State::Clean : HiveCheck::State::Skipped;
    return check;
}

bool CRegistryStore::LoadFile(CRegistryHive& hive) const
{
    hive = CRegistryHive();
    HiveText text = file_.Read();
    if (text.state == HiveText::State::Failed) {
        ReportOnce("read", "cannot read " + file_.Name() + ": " + text.error);
        return false;
    }
    if (text.state == HiveText::State::Missing)
        return true;
    std::vector<RegFileError> skipped;
    std::string why;
    if (Parse(text.text, hive, skipped, why)) {
        if (!skipped.empty())
            ReportSkipped(skipped);
        return true;
    }
    Recover(why, nullptr);
    // Another process may have repaired or rewritten the hive meanwhile.
    text = file_.Read();
    if (text.state != HiveText::State::Loaded || !Parse(text.text, hive, skipped, why))
        hive = CRegistryHive();
    return true;
}

CRegistryStore::Batch* CRegistryStore::ThreadBatch() const
{
    std::lock_guard guard(batchMutex_);
    auto it = batches_.find(std::this_thread::get_id());
    // Elements of the map keep their address while others come and go.
    return it == batches_.end() ? nullptr : &it->second;
}

bool CRegistryStore::EnsureView(Batch& batch) const
{
    if (batch.viewLoaded)
        return true;
    // The file as it is now with the batch's changes so far: what the batch's
    // end will write, unless another process changes the file meanwhile.
    if (!LoadFile(batch.view))
        return false;
    for (const KeptChange& change : batch.changes)
        change.apply(batch.view);
    batch.viewLoaded = true;
    return true;
}

const CRegistryHive* CRegistryStore::Current(CRegistryHive& scratch) const
{
    try {
        if (Batch* batch = ThreadBatch())
            return EnsureView(*batch) ? &batch->view : nullptr;
        return LoadFile(scratch) ? &scratch : nullptr;
    } catch (...) {
        return nullptr;
    }
}

bool CRegistryStore::Load(CRegistryHive& hive) const
{
    const CRegistryHive* current = Current(hive);
    if (!current) {
        hive = CRegistryHive();
        return false;
    }
    if (current != &hive)
        hive = *current;
    return true;
}

bool CRegistryStore::KeyExists(const std::string& subkey) const
{
    RegistryKeyPath path;
    CRegistryHive scratch;
    if (!ParseKeyPath(subkey, path))
        return false;
    const CRegistryHive* hive = Current(scratch);
    return hive && hive->KeyExists(path);
}

bool CRegistryStore::GetValue(const std::string& subkey, const std::string& name, RegistryValue& out) const
{
    RegistryKeyPath path;
    CRegistryHive scratch;
    const CRegistryHive* hive = nullptr;
    if (!ParseKeyPath(subkey, path) || !(hive = Current(scratch)))
        return false;
    const RegistryValue* value = hive->FindValue(path, name);
    if (!value)
        return false;
    out = *value;
    return true;
}

bool CRegistryStore::EnumValues(const std::string& subkey, std::vector<RegistryNamedValue>& out) const
{
    out.clear();
    RegistryKeyPath path;
    CRegistryHive scratch;
    const CRegistryHive* hive = nullptr;
    if (!ParseKeyPath(subkey, path) || !(hive = Current(scratch)))
        return false;
    const auto* values = hive->Values(path);
    if (!values)
        return false;
    out = *values;
    return true;
}

bool CRegistryStore::EnumSubkeys(const std::string& subkey, std::vector<std::string>& out) const
{
    out.clear();
    RegistryKeyPath path;
    CRegistryHive scratch;
    if (!ParseKeyPath(subkey, path))
        return false;
    const CRegistryHive* hive = Current(scratch);
    return hive && hive->Subkeys(path, out);
}

bool CRegistryStore::Transact(const std::function<bool(CRegistryHive&)>& change, std::string& why)
{
    std::string error;
    std::unique_ptr<IHiveTransaction> txn = file_.Begin(error);
    if (!txn) {
        why = "cannot lock " + file_.Name() + " for writing: " + error;
        ReportOnce("lock", why);
        return false;
    }
    CRegistryHive hive;
    HiveText text = txn->Read();
    if (text.state == HiveText::State::Failed) {
        why = "cannot read " + file_.Name() + ": " + text.error;
        ReportOnce("read", why);
        return false;
    }
    std::vector<RegFileError> skipped;
    std::string notAHive;
    if (text.state == HiveText::State::Loaded && !Parse(text.text, hive, skipped, notAHive)) {
        if (!Recover(notAHive, txn.get())) {
            why = file_.Name() + " is not a hive (" + notAHive + ") and could not be kept aside";
            return false;
        }
        hive = CRegistryHive();
    }
    if (!change(hive)) {
        why = "not written: " + file_.Name() + " as it is now refused the change";
        return false;
    }
    const std::string replacement = FormatRegFile(root_, hive);
    if (replacement.size() > kMaxHiveTextBytes) {
        why = "not written: the change would make " + file_.Name() + " larger than " +
              std::to_string(kMaxHiveTextBytes >> 20) + " MiB";
        reporter_(why);
        return false;
    }
    if (!skipped.empty()) {
        // The lines left out would be gone with the rewrite: the file as it
        // is goes beside it first, or nothing is written.
        std::string backup;
        if (!txn->KeepBackup(backup, error)) {
            why = "not written: " + file_.Name() + " has lines that could not be read, and a copy "
                  "could not be kept before rewriting it: " + error;
            ReportOnce("backup", why);
            return false;
        }
        reporter_(file_.Name() + ": rewritten without the " + LinesWord(skipped.size()) +
                  " it could not read (" + DescribeSkipped(skipped) + "); the file as it was is kept as " + backup);
    }
    if (!txn->Replace(replacement, error)) {
        why = "cannot write " + file_.Name() + ": " + error;
        ReportOnce("write", why);
        return false;
    }
    return true;
}

bool CRegistryStore::Modify(const std::function<bool(CRegistryHive&)>& change)
{
    return Apply({change, false, true});
}

bool CRegistryStore::Apply(KeptChange change)
{
    Batch* batch = ThreadBatch();
    if (!batch) {
        std::string why;
        return Transact(change.apply, why);
    }
    try {
        if (!EnsureView(*batch))
            return false;
        batch->changes.reserve(batch->changes.size() + 1);
        if (change.onCopy) {
            CRegistryHive tried = batch->view;
            if (!change.apply(tried))
                return false;
            batch->view = std::move(tried);
        } else if (!change.apply(batch->view)) {
            return false;
        }
        batch->changes.push_back(std::move(change));
        return true;
    } catch (...) {
        // The view may hold half of the change: built again at the next access.
        batch->viewLoaded = false;
        return false;
    }
}

void CRegistryStore::BeginBatch()
{
    std::lock_guard guard(batchMutex_);
    try {
        ++batches_[std::this_thread::get_id()].depth;
    } catch (...) {
        // Without a batch every change is written at once, as before.
    }
}

bool CRegistryStore::EndBatch(std::string& why)
{
    std::vector<KeptChange> changes;
    {
        std::lock_guard guard(batchMutex_);
        auto it = batches_.find(std::this_thread::get_id());
        if (it == batches_.end())
            return true;  // its BeginBatch found no memory: its changes went out one by one
        if (--it->second.depth > 0)
            return true;
        changes = std::move(it->second.changes);
        batches_.erase(it);
    }
    if (changes.empty())
        return true;
    try {
        return Transact(
            [&](CRegistryHive& hive) {
                for (const KeptChange& change : changes)
                    if (!change.apply(hive) && !change.refusalIsDone)
                        return false;
                return true;
            },
            why);
    } catch (...) {
        why = "not written: out of memory while writing " + file_.Name();
        reporter_(why);
        return false;
    }
}

bool CRegistryStore::SetValue(const std::string& subkey, const std::string& name, const RegistryValue& value)
{
    RegistryKeyPath path;
    if (!ParseKeyPath(subkey, path) || !IsValidValueName(name))
        return false;
    return Apply({[path, name, value](CRegistryHive& hive) { return hive.SetValue(path, name, value); }});
}

bool CRegistryStore::DeleteValue(const std::string& subkey, const std::string& name)
{
    RegistryKeyPath path;
    if (!ParseKeyPath(subkey, path))
        return false;
    return Apply({[path, name](CRegistryHive& hive) { return hive.DeleteValue(path, name); }, true});
}

bool CRegistryStore::CreateKey(const std::string& subkey)
{
    RegistryKeyPath path;
    if (!ParseKeyPath(subkey, path))
        return false;
    return Apply({[path](CRegistryHive& hive) { return hive.CreateKey(path); }});
}

bool CRegistryStore::DeleteKey(const std::string& subkey)
{
    RegistryKeyPath path;
    if (!ParseKeyPath(subkey, path))
        return false;
    return Apply({[path](CRegistryHive& hive) { return hive.DeleteKey(path); }, true});
}
