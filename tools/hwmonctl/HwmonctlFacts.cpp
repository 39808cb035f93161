// The facts hwmonctl --check judges, from this machine: sysfs and
// /proc/ioports for the kernel driver, systemd's folders for the service,
// the user databases and this process for the group, and the board lookup
// the plug-ins use.
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "HwmonctlCheck.h"
#include "board/BoardFile.h"
#include "board/IniProfileReader.h"
#include "board/SystemInfoMachine.h"
#include "hwmon/linux/LinuxBackendFactory.h"
#include "hwmon/linux/ProcessBackend.h"
#include "hwmon/varnio/BackendSettings.h"
#include "hwmon/varnio/IoportsClaims.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kGroup = "velmar";
constexpr const char* kSocketUnit = "velmar-portd.socket";
constexpr const char* kUnitFolders[] = {"/etc/systemd/system", "/usr/local/lib/systemd/system",
                                        "/usr/lib/systemd/system", "/lib/systemd/system"};
constexpr const char* kModprobeFolders[] = {"/etc/modprobe.d", "/usr/local/lib/modprobe.d", "/usr/lib/modprobe.d",
                                            "/lib/modprobe.d", "/run/modprobe.d"};

bool Exists(const std::string& path)
{
    std::error_code error;
    return fs::exists(path, error);
}

bool HwmonNamed(const std::string& name)
{
    std::error_code error;
    for (const auto& entry : fs::directory_iterator("/sys/class/hwmon", error)) {
        std::ifstream in(entry.path() / "name");
        std::string found;
        if (std::getline(in, found) && found == name) {
            return true;
        }
    }
    return false;
}

bool Blacklisted(const std::string& module)
{
    for (const char* folder : kModprobeFolders) {
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(folder, error)) {
            std::ifstream in(entry.path());
            for (std::string line; std::getline(in, line);) {
                std::istringstream words(line);
                std::string keyword, name;
                if (words >> keyword >> name && keyword == "blacklist" && name == module) {
                    return true;
                }
            }
        }
    }
    return false;
}

bool InGroup(gid_t group, const std::vector<gid_t>& groups)
{
    return std::find(groups.begin(), groups.end(), group) != groups.end();
}

void GatherUser(CheckFacts& facts)
{
    facts.root = ::geteuid() == 0;
    const passwd* user = ::getpwuid(::getuid());
    facts.userName = user != nullptr ? user->pw_name : std::to_string(::getuid());
    const group* velmar = ::getgrnam(kGroup);
    facts.groupExists = velmar != nullptr;
    if (velmar == nullptr) {
        return;
    }
    const gid_t gid = velmar->gr_gid;
    if (user != nullptr) {
        int count = 64;
        std::vector<gid_t> listed(static_cast<std::size_t>(count));
        if (::getgrouplist(user->pw_name, user->pw_gid, listed.data(), &count) < 0) {
            listed.resize(static_cast<std::size_t>(count));
            ::getgrouplist(user->pw_name, user->pw_gid, listed.data(), &count);
        }
        listed.resize(static_cast<std::size_t>(count));
        facts.memberConfigured = InGroup(gid, listed);
    }
    std::vector<gid_t> now(static_cast<std::size_t>(std::max(::getgroups(0, nullptr), 0)));
    now.resize(static_cast<std::size_t>(std::max(::getgroups(static_cast<int>(now.size()), now.data()), 0)));
    facts.memberNow = ::getegid() == gid || InGroup(gid, now);
}

}  // namespace

CheckFacts GatherCheckFacts()
{
    CheckFacts facts;
    const hwmon::BackendSettings settings = hwmon::ReadBackendSettings();
    facts.backendStored = !settings.backend.empty();
    facts.backend = hwmon::ProcessBackendStatus();

    facts.driverLoaded = Exists("/sys/module/w83627ehf");
    if (const auto claim = hwmon::FindChipPortClaim(hwmon::ReadProcIoports())) {
        facts.portsHeldBy = claim->owner;
    }
    facts.driverFoundChip = HwmonNamed("w83627ehf");
    facts.driverBlacklisted = Blacklisted("w83627ehf");

    for (const char* folder : kUnitFolders) {
        facts.serviceInstalled = facts.serviceInstalled || Exists(std::string(folder) + "/" + kSocketUnit);
    }
    facts.socketEnabled = Exists(std::string("/etc/systemd/system/sockets.target.wants/") + kSocketUnit);
    facts.socketPath = settings.SocketPath();
    facts.socketExists = hwmon::CLinuxBackendFactory().ServiceSocketExists(facts.socketPath);
    if (facts.backend.backend == "service") {
        facts.service = facts.backend;
    } else if (facts.socketExists) {
        facts.service = hwmon::CServicePort(facts.socketPath).Status();
    }

    GatherUser(facts);

    const board::BoardFileChoice choice =
        board::ChooseBoardFile(board::CSystemInfoMachine(), board::CIniProfileReader());
    facts.boardModel = choice.model;
    facts.boardFile = choice.path;
    facts.boardGeneric = choice.generic;
    facts.boardFileExists = choice.found;
    return facts;
}
