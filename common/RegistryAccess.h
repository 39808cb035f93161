// One-value-at-a-time typed access to the registry store: every host and
// plug-in setting goes through this class. Each call opens and closes its key
// itself; no key stays open between calls, so an object lives on the stack for
// one or a few accesses.
#pragma once

#include "RegistryRoot.h"  // HKEY, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE
#include "RegistryValue.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class IRegistryHives;
class CRegistryStore;

class CRegistryAccess {
public:
    // The plug-in carries a reduced copy: no DeleteValue (it fails), and its
    // reads never consult COsVersion for the registry view.
    enum class Edition { Host, Plugin };

    // Works on the process's hives (ProcessRegistryHives(), RegistryHives.h).
    explicit CRegistryAccess(Edition edition = Edition::Host);
    // Works on the given hives, which must outlive the object.
    explicit CRegistryAccess(IRegistryHives& hives, Edition edition = Edition::Host);
    virtual ~CRegistryAccess();

    // Stores the root; until it has run every other operation returns false.
    // A root that has no hive is refused and leaves the object without one.
    bool SetRootKey(HKEY root);

    bool KeyExists(const std::string& subkey) const;
    // Reads any value of at most 4 bytes into out4; a shorter value fills only
    // its first bytes. Fails on a larger value.
    bool QueryDword(const std::string& subkey, const std::string& name, void* out4) const;
    // Zero-fills buffer, then copies the value's bytes; fails (buffer left
    // zeroed) when the value is larger than size.
    bool QueryRaw(const std::string& subkey, const std::string& name, void* buffer,
                  std::size_t size) const;
    // QueryRaw through a 1,024-byte buffer; the text up to its first NUL, or ""
    // on failure.
    bool QueryString(const std::string& subkey, const std::string& name,
                     std::string& out) const;

    // Writes create the subkey when it is missing.
    bool SetDword(const std::string& subkey, const std::string& name, std::uint32_t value);
    // Stores a REG_SZ whose data is the text and its terminating NUL.
    bool SetString(const std::string& subkey, const std::string& name, const std::string& text);
    bool SetInt(const std::string& subkey, const std::string& name, int value);
    bool DeleteValue(const std::string& subkey, const std::string& name);

    // The key's values in the order they were first written (the plug-in
    // list is loaded in this order), and its direct subkeys. False, with out
    // emptied, when the key does not exist.
    bool EnumValues(const std::string& subkey, std::vector<RegistryNamedValue>& out) const;
    bool EnumSubkeys(const std::string& subkey, std::vector<std::string>& out) const;

    static constexpr std::size_t kQueryStringBufferSize = 1024;

private:
    CRegistryStore* Store() const;

    Edition edition_;
    IRegistryHives* hives_ = nullptr;  // null: the process's hives, looked up per call
    bool rootSet_ = false;
    HKEY root_ = HKEY_NONE;
};
