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
        std::string ignored;
        if (now.state != HiveText::State::Loaded || (own && Parse(now.text, scratch, ignored)))
            return true;
        std::string newName;
        if (txn->SetAside(newName, error)) {
            reporter_(file_.Name() + " does not parse (" + why + "); it is read as empty and kept as " + newName);
            return true;
        }
    }
    ReportOnce("unparseable", file_.Name() + " does not parse (" + why +
                                  "); it is read as empty and left in place, since it could not be kept aside: " +
                                  error);
    return false;
}

bool CRegistryStore::Parse(const std::string& text, CRegistryHive& hive, std::string& why) const
{
    hive = CRegistryHive();
    std::vector<RegFileEntry> entries;
    RegFileError error;
    bool ok = ParseRegFile(text, entries, error);
    for (std::size_t i = 0; ok && i < entries.size(); ++i) {
        if (entries[i].root != root_) {
            ok = false;
            error.line = entries[i].line;
            error.message = std::string("a key of another root in the ") + RegistryRootName(root_) + " hive";
        }
    }
    if (!ok) {
        why = error.line > 0 ? "line " + std::to_string(error.line) + ": " + error.message : error.message;
        return false;
    }
    ApplyRegFileEntries(entries, root_, hive);
    return true;
}

bool CRegistryStore::Load(CRegistryHive& hive) const
{
    hive = CRegistryHive();
    HiveText text = file_.Read();
    if (text.state == HiveText::State::Failed) {
        ReportOnce("read", "cannot read " + file_.Name() + ": " + text.error);
        return false;
    }
    std::string why;
    if (text.state == HiveText::State::Missing || Parse(text.text, hive, why))
        return true;
    Recover(why, nullptr);
    // Another process may have repaired or rewritten the hive meanwhile.
    text = file_.Read();
    if (text.state != HiveText::State::Loaded || !Parse(text.text, hive, why))
        hive = CRegistryHive();
    return true;
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
    std::string why;
    if (text.state == HiveText::State::Loaded && !Parse(text.text, hive, why)) {
        if (!Recover(why, txn.get()))
            return false;
        hive = CRegistryHive();
    }
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
