#include "RegistryHive.h"

#include <algorithm>

CRegistryHive::CRegistryHive()
{
    keys_.push_back(Key{});
    Reindex();
}

std::string CRegistryHive::FoldPath(const RegistryKeyPath& path)
{
    return FoldRegistryName(JoinKeyPath(path));
}

CRegistryHive::Key* CRegistryHive::Find(const RegistryKeyPath& path)
{
    auto it = index_.find(FoldPath(path));
    return it == index_.end() ? nullptr : &keys_[it->second];
}

const CRegistryHive::Key* CRegistryHive::Find(const RegistryKeyPath& path) const
{
    auto it = index_.find(FoldPath(path));
    return it == index_.end() ? nullptr : &keys_[it->second];
}

void CRegistryHive::Reindex()
{
    index_.clear();
    for (std::size_t i = 0; i < keys_.size(); ++i)
        index_.emplace(FoldPath(keys_[i].path), i);
}

bool CRegistryHive::KeyExists(const RegistryKeyPath& path) const
{
    return Find(path) != nullptr;
}

bool CRegistryHive::CreateKey(const RegistryKeyPath& path)
{
    RegistryKeyPath prefix;
    for (const std::string& part : path) {
        prefix.push_back(part);
        if (!Find(prefix)) {
            keys_.push_back(Key{prefix, {}});
            index_.emplace(FoldPath(prefix), keys_.size() - 1);
        }
    }
    return true;
}

bool CRegistryHive::DeleteKey(const RegistryKeyPath& path)
{
    if (path.empty() || !Find(path))
        return false;
    const std::string folded = FoldPath(path);
    const std::string below = folded + '\\';
    std::erase_if(keys_, [&](const Key& key) {
        std::string k = FoldPath(key.path);
        return k == folded || k.starts_with(below);
    });
    Reindex();
    return true;
}

const RegistryValue* CRegistryHive::FindValue(const RegistryKeyPath& path, std::string_view name) const
{
    const Key* key = Find(path);
    if (!key)
        return nullptr;
    for (const RegistryNamedValue& v : key->values)
        if (RegistryNamesEqual(v.name, name))
            return &v.value;
    return nullptr;
}

bool CRegistryHive::SetValue(const RegistryKeyPath& path, std::string_view name, RegistryValue value)
{
    if (!IsValidValueName(name))
        return false;
    CreateKey(path);
    Key* key = Find(path);
    for (RegistryNamedValue& v : key->values) {
        if (RegistryNamesEqual(v.name, name)) {
            v.value = std::move(value);
            return true;
        }
    }
    key->values.push_back(RegistryNamedValue{std::string(name), std::move(value)});
    return true;
}

bool CRegistryHive::DeleteValue(const RegistryKeyPath& path, std::string_view name)
{
    Key* key = Find(path);
    if (!key)
        return false;
    auto it = std::find_if(key->values.begin(), key->values.end(),
                           [&](const RegistryNamedValue& v) { return RegistryNamesEqual(v.name, name); });
    if (it == key->values.end())
        return false;
    key->values.erase(it);
    return true;
}

const std::vector<RegistryNamedValue>* CRegistryHive::Values(const RegistryKeyPath& path) const
{
    const Key* key = Find(path);
    return key ? &key->values : nullptr;
}

bool CRegistryHive::Subkeys(const RegistryKeyPath& path, std::vector<std::string>& out) const
{
    out.clear();
    if (!Find(path))
        return false;
    const std::string folded = FoldPath(path);
    for (const Key& key : keys_) {
        if (key.path.size() != path.size() + 1)
            continue;
        RegistryKeyPath parent(key.path.begin(), key.path.end() - 1);
        if (FoldPath(parent) == folded)
            out.push_back(key.path.back());
    }
    return true;
}
