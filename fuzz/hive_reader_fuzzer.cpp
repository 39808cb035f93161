// A hive file as the programs find it: read around its bad lines, rewritten
// on the next change. Whatever the file held, every key and value that read
// before the change reads after it, a file with bad lines is kept as a backup
// first, and what the store writes reads back whole.
#include "FuzzSupport.h"
#include "MemoryHiveFile.h"
#include "RegFile.h"
#include "RegistryStore.h"

using fuzz::Expect;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(fuzz::Text(data, size));
    CMemoryHiveFile file;
    file.SetText(input);
    CRegistryStore store(HKEY_CURRENT_USER, file, [](const std::string&) {});

    const HiveCheck check = store.Check();
    Expect(file.Text() == input, "a check changes nothing");
    CRegistryHive before;
    Expect(store.Load(before), "a hive in memory always loads");
    Expect(file.Text() == input || check.state == HiveCheck::State::NotAHive,
           "reading changes nothing but a file that is no hive, which it sets aside");

    const RegistryKeyPath key{"SOFTWARE", "VARN", "Fuzz"};
    if (!store.SetValue("SOFTWARE\\VARN\\Fuzz", "written", RegistryValue::Dword(1))) return 0;

    const std::string written = *file.Text();
    std::vector<RegFileEntry> entries;
    RegFileError error;
    Expect(ParseRegFile(written, entries, error), "the store writes only what reads back strictly");
    Expect(store.Check().state == HiveCheck::State::Clean, "a rewritten hive has no bad line");
    Expect((check.state == HiveCheck::State::Skipped) == !file.BackupTexts().empty(),
           "a hive with bad lines, and only such a hive, is backed up before its rewrite");
    if (!file.BackupTexts().empty()) Expect(file.BackupTexts().front() == input, "the backup is the file as it was");
    Expect((check.state == HiveCheck::State::NotAHive) == !file.SetAsideTexts().empty(),
           "only a file that is no hive is set aside");

    CRegistryHive after;
    store.Load(after);
    Expect(FormatRegFile(HKEY_CURRENT_USER, after) == written, "a written hive reads back the same");
    if (check.state == HiveCheck::State::NotAHive) return 0;
    for (const CRegistryHive::Key& k : before.Keys()) {
        Expect(after.KeyExists(k.path), "a key that read before the change is still there");
        for (const RegistryNamedValue& v : k.values) {
            if (RegistryNamesEqual(JoinKeyPath(k.path), JoinKeyPath(key)) && RegistryNamesEqual(v.name, "written"))
                continue;
            const RegistryValue* kept = after.FindValue(k.path, v.name);
            Expect(kept != nullptr && *kept == v.value, "a value that read before the change is unchanged");
        }
    }
    return 0;
}
