// The varnreg command line: list, get, set, delete and import/export .reg
// files against a set of hives. Separate from main() so it runs in tests
// against in-memory hives.
#pragma once

#include "RegistryHives.h"

#include <iosfwd>
#include <string>
#include <vector>

enum VarnregExit : int {
    kVarnregOk = 0,
    kVarnregNotFound = 1,    // the key or value does not exist
    kVarnregUsage = 2,       // bad arguments
    kVarnregBadFile = 3,     // a .reg file that does not parse or names an unknown root
    kVarnregIoFailure = 4,   // a file or the store could not be read or written
    kVarnregDamaged = 5,     // check: a hive has lines that cannot be read, or is no hive at all
};

// args excludes the program name. in serves "import -", out "export KEY -".
int RunVarnreg(const std::vector<std::string>& args, IRegistryHives& hives, std::istream& in,
               std::ostream& out, std::ostream& err);

void PrintVarnregUsage(std::ostream& out);
