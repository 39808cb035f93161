// The REGEDIT4 text format: what hive files are made of, and what import and
// export exchange.
//
//   REGEDIT4
//
//   [HKEY_CURRENT_USER\SOFTWARE\VARN\TamloIII]
//   "SkinPath"="/opt/velmar/Skin/"
//   "PosX"=dword:00000064
//   "Mask"=hex:01,02,ff
//   @="the default value"
//
// Strings escape only \\ and \". Data that a quoted string cannot carry
// exactly (a line break, an inner NUL, a missing NUL) is written as hex(1):
// so sizes survive. Long hex lists continue on the next line after a "\".
// Files may also delete: [-KEY] removes a key tree, "name"=- a value.
#pragma once

#include "RegistryHive.h"
#include "RegistryRoot.h"

#include <string>
#include <string_view>
#include <vector>

struct RegFileEntry {
    enum class Kind { Key, DeleteKey, Value, DeleteValue };
    Kind kind = Kind::Key;
    int line = 0;
    HKEY root = HKEY_NONE;
    RegistryKeyPath path;
    std::string name;     // Value, DeleteValue
    RegistryValue value;  // Value
};

struct RegFileError {
    int line = 0;  // 1-based; 0 when the error concerns the whole text
    std::string message;
};

// Strict, for files given to import: anything that is not exactly the format
// fails, with the line, so a file cut in the middle of a line or holding
// garbage is never half-applied.
bool ParseRegFile(std::string_view text, std::vector<RegFileEntry>& entries, RegFileError& error);

// Tolerant, for hive files: one bad line must not cost every setting. Every
// key and value that parses becomes an entry; a line that does not is left
// out and listed in skipped (in line order), and so is every value under a
// key line that does not parse, since it would otherwise land in the wrong
// key. A hex value spread over several lines is kept or left out whole. False
// (error says why, entries and skipped empty) only when the text is not a
// REGEDIT4 text at all: no REGEDIT4 line first.
bool ParseRegFileTolerant(std::string_view text, std::vector<RegFileEntry>& entries,
                          std::vector<RegFileError>& skipped, RegFileError& error);

// Applies the entries that belong to root, in file order. Deleting what does
// not exist is not an error here, as in any .reg import.
void ApplyRegFileEntries(const std::vector<RegFileEntry>& entries, HKEY root, CRegistryHive& hive);

// The whole hive, or the subtree from `from` (whose section is written even
// when it holds no values). Empty keys are written so that they survive.
std::string FormatRegFile(HKEY root, const CRegistryHive& hive, const RegistryKeyPath& from = {});

// The part after the "=" of one value line, e.g. dword:0000000a.
std::string FormatRegData(const RegistryValue& value);
// One complete value line, without the line break.
std::string FormatRegValueLine(const RegistryNamedValue& value);
