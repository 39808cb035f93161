// varnreg: inspect and change the registry store from the command line. The
// installer and the demo register plug-ins with it.
#include "FileRegistryHives.h"
#include "VarnregCommand.h"

#include <iostream>
#include <memory>

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    std::unique_ptr<CFileRegistryHives> chosen;
    if (!args.empty() && args[0] == "--registry-dir") {
        if (args.size() < 2 || args[1].empty()) {
            std::cerr << "varnreg: --registry-dir needs a folder\n";
            return kVarnregUsage;
        }
        chosen = std::make_unique<CFileRegistryHives>(HiveLocationsIn(args[1]));
        args.erase(args.begin(), args.begin() + 2);
    }
    IRegistryHives& hives = chosen ? static_cast<IRegistryHives&>(*chosen) : ProcessRegistryHives();
    return RunVarnreg(args, hives, std::cin, std::cout, std::cerr);
}
