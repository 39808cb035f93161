#include "RegistryStore.h"

#include "RegFile.h"

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

void CRegistryStore::Recover(const std::string& why, IHiveTransaction* txn) const
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
        if (now.state != HiveText::State::Loaded)
            return;
        std::vector<RegFileEntry> entries;
        RegFileError parseError;
        if (ParseRegFile(now.text, entries, parseError))
            return;
        std::string newName;
        if (txn->SetAside(newName, error)) {
            reporter_(file_.Name() + " does not parse (" + why + "); it is read as empty and kept as " + newName);
            return;
        }
    }
    ReportOnce("unparseable", file_.Name() + " does not parse (" + why +
                                  "); it is read as empty, and could not be kept aside: " + error);
}

void CRegistryStore::Parse(const std::string& text, CRegistryHive& hive, IHiveTransaction* txn) const
{
    hive = CRegistryHive();
    std::vector<RegFileEntry> entries;
    RegFileError error;
    bool ok = ParseRegFile(text, entries, error);
    if (ok) {
        for (const RegFileEntry& e : entries) {
            if (e.root != root_) {
                ok = false;
                error.line = e.line;
                error.message = std::string("a key of another root in the ") + RegistryRootName(root_) + " hive";
                break;
            }
        }
    }
    if (ok) {
        ApplyRegFileEntries(entries, root_, hive);
        return;
    }
    std::string why = error.line > 0 ? "line " + std::to_string(error.line) + ": " + error.message : error.message;
    Recover(why, txn);
}

bool CRegistryStore::Load(CRegistryHive& hive) const
{
    HiveText text = file_.Read();
    switch (text.state) {
    case HiveText::State::Missing:
        hive = CRegistryHive();
        return true;
    case HiveText::State::Loaded:
        Parse(text.text, hive, nullptr);
        return true;
    case HiveText::State::Failed:
        break;
    }
    ReportOnce("read", "cannot read " + file_.Name() + ": " + text.error);
    return false;
}

bool CRegistryStore::KeyExists(const std::string& subkey) const
{
    RegistryKeyPath path;
    CRegistryHive hive;
    return ParseKeyPath(subkey, path) && Load(hive) && hive.KeyExists(path);
}

bool CRegistryStore::GetValue(const std::string& subkey, const std::string& name, RegistryValue& out) const
{
    RegistryKeyPath path;
    CRegistryHive hive;
    if (!ParseKeyPath(subkey, path) || !Load(hive))
        return false;
    const RegistryValue* value = hive.FindValue(path, name);
    if (!value)
        return false;
    out = *value;
    return true;
}

bool CRegistryStore::EnumValues(const std::string& subkey, std::vector<RegistryNamedValue>& out) const
{
    out.clear();
    RegistryKeyPath path;
    CRegistryHive hive;
    if (!ParseKeyPath(subkey, path) || !Load(hive))
        return false;
    const auto* values = hive.Values(path);
    if (!values)
        return false;
    out = *values;
    return true;
}

bool CRegistryStore::EnumSubkeys(const std::string& subkey, std::vector<std::string>& out) const
{
    out.clear();
    RegistryKeyPath path;
    CRegistryHive hive;
    return ParseKeyPath(subkey, path) && Load(hive) && hive.Subkeys(path, out);
}

bool CRegistryStore::Modify(const std::function<bool(CRegistryHive&)>& change)
{
    std::string error;
    std::unique_ptr<IHiveTransaction> txn = file_.Begin(error);
    if (!txn) {
        ReportOnce("lock", "cannot lock " + file_.Name() + " for writing: " + error);
        return false;
    }
    CRegistryHive hive;
    HiveText text = txn->Read();
    if (text.state == HiveText::State::Failed) {
        ReportOnce("read", "cannot read " + file_.Name() + ": " + text.error);
        return false;
    }
    if (text.state == HiveText::State::Loaded)
        Parse(text.text, hive, txn.get());
    if (!change(hive))
        return false;
    if (!txn->Replace(FormatRegFile(root_, hive), error)) {
        ReportOnce("write", "cannot write " + file_.Name() + ": " + error);
        return false;
    }
    return true;
}

bool CRegistryStore::SetValue(const std::string& subkey, const std::string& name, const RegistryValue& value)
{
    RegistryKeyPath path;
    if (!ParseKeyPath(subkey, path) || !IsValidValueName(name))
        return false;
    return Modify([&](CRegistryHive& hive) { return hive.SetValue(path, name, value); });
}

bool CRegistryStore::DeleteValue(const std::string& subkey, const std::string& name)
{
    RegistryKeyPath path;
    if (!ParseKeyPath(subkey, path))
        return false;
    return Modify([&](CRegistryHive& hive) { return hive.DeleteValue(path, name); });
}

bool CRegistryStore::CreateKey(const std::string& subkey)
{
    RegistryKeyPath path;
    if (!ParseKeyPath(subkey, path))
        return false;
    return Modify([&](CRegistryHive& hive) { return hive.CreateKey(path); });
}

bool CRegistryStore::DeleteKey(const std::string& subkey)
{
    RegistryKeyPath path;
    if (!ParseKeyPath(subkey, path))
        return false;
    return Modify([&](CRegistryHive& hive) { return hive.DeleteKey(path); });
}
