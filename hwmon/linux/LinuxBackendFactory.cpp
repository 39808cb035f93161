#include "hwmon/linux/LinuxBackendFactory.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "hwmon/linux/BootClock.h"
#include "hwmon/linux/IopermPorts.h"
#include "hwmon/linux/StateFile.h"
#include "hwmon/varnio/DirectPortBackend.h"
#include "hwmon/varnio/PersistentSimulatedChip.h"

namespace hwmon {
namespace {

// Owns the pieces the persistent chip borrows.
class CSimulatedBackend : public IPortIo {
public:
    CSimulatedBackend(const std::string& stateFile, std::uint8_t chipId)
        : store_(stateFile), chip_(store_, clock_, chipId)
    {
    }
    bool CanLock()
    {
        if (!store_.Lock()) {
            return false;
        }
        store_.Unlock();
        return true;
    }
    int OutPortB(int port, int value) override { return chip_.OutPortB(port, value); }
    int InPortB(int port, std::uint8_t* value) override { return chip_.InPortB(port, value); }

private:
    CStateFile store_;
    CBootClock clock_;
    CPersistentSimulatedChip chip_;
};

std::string ReadIoports()
{
    std::ifstream in("/proc/ioports");
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

std::unique_ptr<IPortIo> CLinuxBackendFactory::OpenSimulated(const std::string& stateFile, std::uint8_t chipId,
                                                              std::string& detail, std::string& why)
{
    auto backend = std::make_unique<CSimulatedBackend>(stateFile, chipId);
    if (!backend->CanLock()) {
        why = "cannot create the simulated chip's lock file beside " + stateFile;
        return nullptr;
    }
    char id[8];
    std::snprintf(id, sizeof id, "0x%02X", chipId);
    detail = "simulated W83627EHF, chip id " + std::string(id) + ", state file " + stateFile;
    return backend;
}

std::unique_ptr<IPortIo> CLinuxBackendFactory::OpenDirect(std::string& detail, std::string& why)
{
    return OpenDirectBackend(std::make_unique<CIopermPorts>(), ReadIoports(), detail, why);
}

std::string CLinuxBackendFactory::DefaultStateFile() const
{
    return hwmon::DefaultStateFile([](const char* name) { return std::getenv(name); },
                                   static_cast<unsigned>(::getuid()));
}

BackendChoice OpenConfiguredBackend()
{
    CLinuxBackendFactory factory;
    return ChooseBackend(ReadBackendSettings(), factory);
}

}  // namespace hwmon
