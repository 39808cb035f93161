// A .reg file given to import: parsed strictly, applied to both hives and
// written out. A file that parses gives hives whose text parses again to the
// same hives, and the tolerant reader agrees with the strict one on it.
#include "FuzzSupport.h"
#include "RegFile.h"

using fuzz::Expect;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzz::Text(data, size);
    std::vector<RegFileEntry> entries;
    RegFileError error;
    const bool strict = ParseRegFile(text, entries, error);

    std::vector<RegFileEntry> tolerant;
    std::vector<RegFileError> skipped;
    RegFileError notAHive;
    const bool readable = ParseRegFileTolerant(text, tolerant, skipped, notAHive);
    if (!strict) {
        Expect(error.line >= 0 && !error.message.empty(), "a refused file says why");
        Expect(!readable || !skipped.empty() || text.find('\0') != std::string_view::npos,
               "what the strict reader refuses, the tolerant one reads only around skipped lines");
        return 0;
    }
    Expect(readable && skipped.empty() && tolerant.size() == entries.size(),
           "a file the strict reader takes, the tolerant one reads alike");

    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        CRegistryHive hive;
        ApplyRegFileEntries(entries, root, hive);
        const std::string written = FormatRegFile(root, hive);
        std::vector<RegFileEntry> again;
        Expect(ParseRegFile(written, again, error), "a written hive parses");
        CRegistryHive reread;
        ApplyRegFileEntries(again, root, reread);
        Expect(FormatRegFile(root, reread) == written, "a written hive reads back the same");
    }
    return 0;
}
