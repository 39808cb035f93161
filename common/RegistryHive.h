// One hive held in memory: keys in the order they were created, each with its
// values in the order they were first written. That order is what readers
// enumerate (the host loads its plug-ins in it), so rewriting a value keeps
// its place and only a value deleted and written again moves to the end.
#pragma once

#include "RegistryPath.h"
#include "RegistryValue.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class CRegistryHive {
public:
    struct Key {
        RegistryKeyPath path;  // spelling as first created
        std::vector<RegistryNamedValue> values;
    };

    CRegistryHive();  // holds only the root key, which always exists

    bool KeyExists(const RegistryKeyPath& path) const;
    // Creates the key and any missing parent; true when it exists afterwards.
    bool CreateKey(const RegistryKeyPath& path);
    // Removes the key with all its subkeys; the root cannot be deleted.
    bool DeleteKey(const RegistryKeyPath& path);

    const RegistryValue* FindValue(const RegistryKeyPath& path, std::string_view name) const;
    // Creates the key when missing. Fails only on an invalid value name.
    bool SetValue(const RegistryKeyPath& path, std::string_view name, RegistryValue value);
    // False when the key or the value does not exist.
    bool DeleteValue(const RegistryKeyPath& path, std::string_view name);

    // Null when the key does not exist.
    const std::vector<RegistryNamedValue>* Values(const RegistryKeyPath& path) const;
    // Names of the direct subkeys, in creation order; false when the key does not exist.
    bool Subkeys(const RegistryKeyPath& path, std::vector<std::string>& out) const;

    // Every key, parents before their children, in creation order.
    const std::vector<Key>& Keys() const { return keys_; }

private:
    static std::string FoldPath(const RegistryKeyPath& path);
    Key* Find(const RegistryKeyPath& path);
    const Key* Find(const RegistryKeyPath& path) const;
    void Reindex();

    std::vector<Key> keys_;
    std::unordered_map<std::string, std::size_t> index_;  // folded path -> keys_ index
};
