#include "VarnregCommand.h"

#include "RegFile.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

namespace {

struct KeyArg {
    HKEY root = HKEY_NONE;
    std::string subkey;  // below the root, backslash-separated
    std::string text;    // as given, for messages
};

int Usage(std::ostream& err, const std::string& message)
{
    err << "varnreg: " << message << "\n(varnreg --help lists the commands)\n";
    return kVarnregUsage;
}

bool ParseKeyArg(const std::string& text, KeyArg& key, std::ostream& err)
{
    std::size_t slash = text.find('\\');
    if (!ParseRegistryRootName(text.substr(0, slash), key.root, true)) {
        err << "varnreg: \"" << text
            << "\" does not start with HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKCU or HKLM\n";
        return false;
    }
    key.subkey = slash == std::string::npos ? std::string() : text.substr(slash + 1);
    key.text = text;
    RegistryKeyPath path;
    if (!ParseKeyPath(key.subkey, path)) {
        err << "varnreg: \"" << text << "\" is not a valid key path (empty or overlong part, or control characters)\n";
        return false;
    }
    return true;
}

CRegistryStore* StoreFor(IRegistryHives& hives, HKEY root, std::ostream& err)
{
    CRegistryStore* store = hives.Store(root);
    if (!store)
        err << "varnreg: no hive for " << RegistryRootName(root) << "\n";
    return store;
}

bool ParseDword(const std::string& text, std::uint32_t& value)
{
    if (text.empty())
        return false;
    errno = 0;
    char* end = nullptr;
    // Negative numbers are stored as their 32-bit two's complement, as window
    // positions left of the screen are.
    long long v = std::strtoll(text.c_str(), &end, 0);
    if (errno != 0 || *end != '\0' || v < -2147483648LL || v > 4294967295LL)
        return false;
    value = static_cast<std::uint32_t>(v);
    return true;
}

bool ParseHexBytes(const std::string& text, std::vector<std::uint8_t>& bytes)
{
    // Reuse the .reg grammar so the command line and files agree.
    std::vector<RegFileEntry> entries;
    RegFileError error;
    std::string file = "REGEDIT4\n[HKEY_CURRENT_USER]\n\"v\"=hex:" + text + "\n";
    if (text.find('\n') != std::string::npos || !ParseRegFile(file, entries, error) || entries.size() != 2)
        return false;
    bytes = entries[1].value.data;
    return true;
}

std::string DisplayValue(const RegistryValue& value)
{
    const auto& d = value.data;
    if (value.type == REG_DWORD && d.size() == 4)
        return std::to_string(static_cast<std::uint32_t>(d[0]) | static_cast<std::uint32_t>(d[1]) << 8 |
                              static_cast<std::uint32_t>(d[2]) << 16 | static_cast<std::uint32_t>(d[3]) << 24);
    std::string data = FormatRegData(value);
    if (value.type == REG_SZ && data.front() == '"') {
        // Plain text for scripts: the string as stored, without its NUL.
        return std::string(d.begin(), d.end() - 1);
    }
    return data;
}

// The start every KEY command shares: the argument count, the key, and the
// store of its hive. Returns kVarnregOk, or the code to exit with.
int OpenKey(const std::vector<std::string>& a, std::size_t count, const char* usage,
            IRegistryHives& hives, std::ostream& err, KeyArg& key, CRegistryStore*& store)
{
    if (a.size() != count)
        return Usage(err, usage);
    if (!ParseKeyArg(a[0], key, err))
        return kVarnregUsage;
    store = StoreFor(hives, key.root, err);
    return store ? kVarnregOk : kVarnregIoFailure;
}

int CmdList(const std::vector<std::string>& a, IRegistryHives& hives, std::ostream& out, std::ostream& err)
{
    KeyArg key;
    CRegistryStore* store = nullptr;
    if (int failed = OpenKey(a, 1, "list takes one KEY", hives, err, key, store))
        return failed;
    std::vector<std::string> subkeys;
    std::vector<RegistryNamedValue> values;
    if (!store->EnumSubkeys(key.subkey, subkeys) || !store->EnumValues(key.subkey, values)) {
        err << "varnreg: key not found: " << key.text << "\n";
        return kVarnregNotFound;
    }
    for (const std::string& name : subkeys)
        out << name << "\\\n";
    for (const RegistryNamedValue& v : values)
        out << FormatRegValueLine(v) << "\n";
    return kVarnregOk;
}

int CmdGet(const std::vector<std::string>& a, IRegistryHives& hives, std::ostream& out, std::ostream& err)
{
    KeyArg key;
    CRegistryStore* store = nullptr;
    if (int failed = OpenKey(a, 2, "get takes KEY NAME", hives, err, key, store))
        return failed;
    RegistryValue value;
    if (!store->GetValue(key.subkey, a[1], value)) {
        err << "varnreg: no value \"" << a[1] << "\" under " << key.text << "\n";
        return kVarnregNotFound;
    }
    out << DisplayValue(value) << "\n";
    return kVarnregOk;
}

int CmdSet(const std::vector<std::string>& a, IRegistryHives& hives, std::ostream& err)
{
    if (a.size() != 4)
        return Usage(err, "set takes KEY NAME --string TEXT | --dword N | --binary XX,XX,...");
    KeyArg key;
    if (!ParseKeyArg(a[0], key, err))
        return kVarnregUsage;
    if (!IsValidValueName(a[1]))
        return Usage(err, "a value name may not hold line breaks nor exceed 16383 bytes");
    RegistryValue value;
    const std::string& kind = a[2];
    if (kind == "--string") {
        value = RegistryValue::String(a[3]);
    } else if (kind == "--dword") {
        std::uint32_t v = 0;
        if (!ParseDword(a[3], v))
            return Usage(err, "\"" + a[3] + "\" is not a 32-bit number (decimal, or hex with 0x)");
        value = RegistryValue::Dword(v);
    } else if (kind == "--binary") {
        std::vector<std::uint8_t> bytes;
        if (!ParseHexBytes(a[3], bytes))
            return Usage(err, "\"" + a[3] + "\" is not a list of hex bytes such as 01,ff,20");
        value = RegistryValue::Binary(std::move(bytes));
    } else {
        return Usage(err, "unknown type " + kind + " (--string, --dword or --binary)");
    }
    CRegistryStore* store = StoreFor(hives, key.root, err);
    if (!store)
        return kVarnregIoFailure;
    if (!store->SetValue(key.subkey, a[1], value)) {
        err << "varnreg: could not write " << store->FileName() << "\n";
        return kVarnregIoFailure;
    }
    return kVarnregOk;
}

int CmdDelete(const std::vector<std::string>& a, IRegistryHives& hives, std::ostream& err)
{
    KeyArg key;
    CRegistryStore* store = nullptr;
    if (int failed = OpenKey(a, 2, "delete takes KEY NAME", hives, err, key, store))
        return failed;
    RegistryValue ignored;
    if (!store->GetValue(key.subkey, a[1], ignored)) {
        err << "varnreg: no value \"" << a[1] << "\" under " << key.text << "\n";
        return kVarnregNotFound;
    }
    if (!store->DeleteValue(key.subkey, a[1])) {
        err << "varnreg: could not delete \"" << a[1] << "\" from " << store->FileName() << "\n";
        return kVarnregIoFailure;
    }
    return kVarnregOk;
}

int CmdDeleteKey(const std::vector<std::string>& a, IRegistryHives& hives, std::ostream& err)
{
    if (a.size() != 1)
        return Usage(err, "delete-key takes one KEY");
    KeyArg key;
    if (!ParseKeyArg(a[0], key, err))
        return kVarnregUsage;
    if (key.subkey.empty())
        return Usage(err, "a root cannot be deleted");
    CRegistryStore* store = StoreFor(hives, key.root, err);
    if (!store)
        return kVarnregIoFailure;
    if (!store->KeyExists(key.subkey)) {
        err << "varnreg: key not found: " << key.text << "\n";
        return kVarnregNotFound;
    }
    if (!store->DeleteKey(key.subkey)) {
        err << "varnreg: could not write " << store->FileName() << "\n";
        return kVarnregIoFailure;
    }
    return kVarnregOk;
}

int CmdImport(const std::vector<std::string>& a, IRegistryHives& hives, std::istream& in, std::ostream& err)
{
    if (a.size() != 1)
        return Usage(err, "import takes one FILE.reg (or - for standard input)");
    std::string text;
    if (a[0] == "-") {
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } else {
        std::ifstream file(a[0], std::ios::binary);
        if (!file) {
            err << "varnreg: cannot open " << a[0] << "\n";
            return kVarnregIoFailure;
        }
        text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
        if (file.bad()) {
            err << "varnreg: cannot read " << a[0] << "\n";
            return kVarnregIoFailure;
        }
    }
    std::vector<RegFileEntry> entries;
    RegFileError error;
    if (!ParseRegFile(text, entries, error)) {
        err << "varnreg: " << a[0];
        if (error.line > 0)
            err << ":" << error.line;
        err << ": " << error.message << "; nothing imported\n";
        return kVarnregBadFile;
    }
    // One transaction per hive: an import into a hive is all or nothing.
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        bool touches = false;
        for (const RegFileEntry& e : entries)
            touches = touches || e.root == root;
        if (!touches)
            continue;
        CRegistryStore* store = StoreFor(hives, root, err);
        if (!store || !store->Modify([&](CRegistryHive& hive) {
                ApplyRegFileEntries(entries, root, hive);
                return true;
            })) {
            err << "varnreg: could not write the " << RegistryRootName(root) << " hive"
                << (store ? " " + store->FileName() : std::string()) << "\n";
            return kVarnregIoFailure;
        }
    }
    return kVarnregOk;
}

int CmdExport(const std::vector<std::string>& a, IRegistryHives& hives, std::ostream& out, std::ostream& err)
{
    KeyArg key;
    CRegistryStore* store = nullptr;
    if (int failed = OpenKey(a, 2, "export takes KEY FILE.reg (or - for standard output)", hives, err, key, store))
        return failed;
    CRegistryHive hive;
    RegistryKeyPath path;
    ParseKeyPath(key.subkey, path);
    if (!store->Load(hive)) {
        err << "varnreg: cannot read " << store->FileName() << "\n";
        return kVarnregIoFailure;
    }
    if (!hive.KeyExists(path)) {
        err << "varnreg: key not found: " << key.text << "\n";
        return kVarnregNotFound;
    }
    std::string text = FormatRegFile(key.root, hive, path);
    if (a[1] == "-") {
        out << text;
        return out ? kVarnregOk : kVarnregIoFailure;
    }
    std::ofstream file(a[1], std::ios::binary | std::ios::trunc);
    file << text;
    file.close();
    if (!file) {
        err << "varnreg: cannot write " << a[1] << "\n";
        return kVarnregIoFailure;
    }
    return kVarnregOk;
}

// Reads each hive as the programs would, without changing anything, and
// names every line they leave out.
int CmdCheck(const std::vector<std::string>& a, IRegistryHives& hives, std::ostream& out, std::ostream& err)
{
    std::vector<HKEY> roots;
    for (const std::string& text : a) {
        HKEY root = HKEY_NONE;
        if (!ParseRegistryRootName(text, root, true))
            return Usage(err, "check takes HKCU, HKLM or nothing (both hives), not \"" + text + "\"");
        roots.push_back(root);
    }
    if (roots.empty())
        roots = {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE};
    int result = kVarnregOk;
    for (HKEY root : roots) {
        CRegistryStore* store = StoreFor(hives, root, err);
        if (!store)
            return kVarnregIoFailure;
        const std::string file = store->FileName();
        const HiveCheck check = store->Check();
        switch (check.state) {
        case HiveCheck::State::Missing: out << file << ": no file yet (an empty hive)\n"; break;
        case HiveCheck::State::Clean: out << file << ": ok\n"; break;
        case HiveCheck::State::Skipped:
            for (const RegFileError& skip : check.skipped)
                out << file << ":" << skip.line << ": " << skip.message << "\n";
            out << file << ": " << check.skipped.size() << (check.skipped.size() == 1 ? " line" : " lines")
                << " left out; every other key and value reads. The next change keeps the file as it is now "
                   "beside it (.backup-...) before rewriting it\n";
            if (result == kVarnregOk)
                result = kVarnregDamaged;
            break;
        case HiveCheck::State::NotAHive:
            out << file << ": not a hive (" << check.detail
                << "); it reads as empty, and the next read moves it aside (.corrupt-...)\n";
            if (result == kVarnregOk)
                result = kVarnregDamaged;
            break;
        case HiveCheck::State::Unreadable:
            err << "varnreg: cannot read " << file << ": " << check.detail << "\n";
            result = kVarnregIoFailure;
            break;
        }
    }
    return result;
}

}  // namespace

void PrintVarnregUsage(std::ostream& out)
{
    out << "usage: varnreg [--registry-dir DIR] COMMAND ...\n"
           "\n"
           "  list KEY                         subkeys (ending in \\) and values of KEY\n"
           "  get KEY NAME                     a value: text, a decimal dword, or hex\n"
           "  set KEY NAME --string TEXT       store a string\n"
           "  set KEY NAME --dword N           store a 32-bit number (decimal, or hex with 0x)\n"
           "  set KEY NAME --binary XX,XX,...  store bytes\n"
           "  delete KEY NAME                  remove a value\n"
           "  delete-key KEY                   remove a key with all its subkeys\n"
           "  import FILE.reg                  apply a REGEDIT4 file (- reads standard input)\n"
           "  export KEY FILE.reg              write KEY and its subkeys as REGEDIT4 (- for standard output)\n"
           "  check [HKCU|HKLM]                name every line of the hives (or of one) that cannot be read\n"
           "\n"
           "KEY starts with HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKCU or HKLM, parts\n"
           "separated by backslashes: 'HKLM\\SOFTWARE\\VARN\\APM'. NAME \"\" is the default value.\n"
           "Names are not case-sensitive.\n"
           "\n"
           "The hives are $XDG_CONFIG_HOME/velmar/HKEY_CURRENT_USER.reg and\n"
           "/etc/velmar/HKEY_LOCAL_MACHINE.reg; --registry-dir DIR or VELMAR_REGISTRY_DIR=DIR\n"
           "puts both in DIR instead.\n"
           "\n"
           "exit status: 0 done, 1 key or value not found, 2 bad arguments,\n"
           "3 a .reg file that does not parse, 4 a file or hive that cannot be read or written,\n"
           "5 check found lines that cannot be read, or a file that is no hive\n";
}

int RunVarnreg(const std::vector<std::string>& args, IRegistryHives& hives, std::istream& in,
               std::ostream& out, std::ostream& err)
{
    if (args.empty())
        return Usage(err, "no command given");
    const std::string& cmd = args[0];
    std::vector<std::string> rest(args.begin() + 1, args.end());
    if (cmd == "--help" || cmd == "-h" || cmd == "help") {
        PrintVarnregUsage(out);
        return kVarnregOk;
    }
    if (cmd == "list") return CmdList(rest, hives, out, err);
    if (cmd == "get") return CmdGet(rest, hives, out, err);
    if (cmd == "set") return CmdSet(rest, hives, err);
    if (cmd == "delete") return CmdDelete(rest, hives, err);
    if (cmd == "delete-key") return CmdDeleteKey(rest, hives, err);
    if (cmd == "import") return CmdImport(rest, hives, in, err);
    if (cmd == "export") return CmdExport(rest, hives, out, err);
    if (cmd == "check") return CmdCheck(rest, hives, out, err);
    return Usage(err, "unknown command \"" + cmd + "\"");
}
