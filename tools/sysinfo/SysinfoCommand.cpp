#include "SysinfoCommand.h"

#include "LinuxSystemScreen.h"
#include "SysfsWmiProvider.h"
#include "SystemInfo.h"

#include <algorithm>
#include <memory>
#include <optional>

namespace {

constexpr const char* kUsage =
    "usage: velmar-sysinfo [--sysfs-root DIR] [KEY]\n"
    "Prints every system-information key and its answer, or the answer to one KEY.\n";

bool IsKey(const std::string& key)
{
    auto keys = CSystemInfo::Keys();
    return std::any_of(keys.begin(), keys.end(), [&](const char* k) { return key == k; });
}

}  // namespace

int RunSysinfoCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                      const SystemInfoPorts* ports)
{
    std::optional<std::string> sysfsRoot;
    std::optional<std::string> key;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            out << kUsage;
            return 0;
        }
        if (arg == "--sysfs-root") {
            if (i + 1 >= args.size()) {
                err << "velmar-sysinfo: --sysfs-root needs a folder\n" << kUsage;
                return 2;
            }
            sysfsRoot = args[++i];
        } else if (!arg.empty() && arg[0] == '-') {
            err << "velmar-sysinfo: unknown option '" << arg << "'\n" << kUsage;
            return 2;
        } else if (key) {
            err << "velmar-sysinfo: one key at a time ('" << *key << "', then '" << arg << "')\n" << kUsage;
            return 2;
        } else {
            key = arg;
        }
    }
    if (key && !IsKey(*key)) {
        err << "velmar-sysinfo: unknown key '" << *key << "' (keys are case-sensitive:";
        for (const char* k : CSystemInfo::Keys()) err << ' ' << k;
        err << ")\n";
        return 1;
    }

    SystemInfoPorts chosen = ports ? *ports : SystemInfoPorts{};
    std::unique_ptr<CSysfsWmiProvider> wmi;
    std::unique_ptr<CLinuxSystemScreen> screen;
    if (sysfsRoot) {
        wmi = std::make_unique<CSysfsWmiProvider>(*sysfsRoot);
        screen = std::make_unique<CLinuxSystemScreen>(*sysfsRoot);
        chosen.wmi = wmi.get();
        chosen.screen = screen.get();
    }
    CSystemInfo info(chosen);

    if (key) {
        out << info.GetInfo(*key) << '\n';
        return 0;
    }
    std::vector<std::pair<std::string, std::string>> sources;
    for (const char* k : CSystemInfo::Keys()) {
        SystemInfoAnswer answer = info.Explain(k);
        out << k << ": " << answer.text << '\n';
        if (!answer.source.empty()) sources.emplace_back(k, answer.source);
    }
    if (!sources.empty()) {
        out << "\nSources:\n";
        for (const auto& [k, source] : sources) out << "  " << k << ": " << source << '\n';
    }
    return 0;
}
