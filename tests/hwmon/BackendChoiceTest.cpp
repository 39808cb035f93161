// Which backend libvarnio opens, what the user is told, and the direct
// backend's refusals.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>

#include "RegistryAccess.h"
#include "TestDoubles.h"
#include "hwmon/ChipAccessor.h"
#include "hwmon/varnio/BackendChoice.h"
#include "hwmon/varnio/BackendSettings.h"
#include "hwmon/varnio/DirectPortBackend.h"
#include "hwmon/varnio/IoportsClaims.h"
#include "hwmon/varnio/SimulatedChip.h"

namespace hwmon::test {
namespace {

class CFakeFactory : public IBackendFactory {
public:
    std::unique_ptr<IPortIo> OpenSimulated(const std::string& stateFile, std::uint8_t chipId,
                                           BackendOpening& opening) override
    {
        openedStateFile = stateFile;
        openedChipId = chipId;
        opening.detail = "sim";
        opening.chip = ShortChipName(chipId);
        return std::make_unique<CSimulatedChip>(chipId);
    }
    std::unique_ptr<IPortIo> OpenDirect(BackendOpening& opening) override
    {
        ++directOpens;
        if (!directWorks) {
            opening.refusal = {BackendProblem::NoPortAccess, "no access to the ports", "no privilege"};
            return nullptr;
        }
        opening.detail = "real chip";
        opening.chip = ShortChipName(0xA1);
        return std::make_unique<CSimulatedChip>();
    }
    std::unique_ptr<IPortIo> OpenService(const std::string& socketPath, BackendOpening&) override
    {
        openedSocket = socketPath;
        return std::make_unique<CSimulatedChip>();
    }
    bool ServiceSocketExists(const std::string& socketPath) const override { return socketPath == existingSocket; }
    std::string DefaultStateFile() const override { return "/default/state"; }

    std::string existingSocket;
    std::string openedSocket;
    bool directWorks = false;
    int directOpens = 0;
    std::string openedStateFile;
    int openedChipId = 0;
};

TEST(BackendChoiceTest, NothingStoredMeansTheSimulatedChip)
{
    CFakeFactory factory;
    const BackendChoice choice = ChooseBackend({}, factory);
    EXPECT_EQ(choice.report.active, "simulated");
    EXPECT_TRUE(choice.report.requestedByDefault);
    EXPECT_EQ(factory.openedStateFile, "/default/state");
    EXPECT_EQ(factory.openedChipId, 0xA1);
    EXPECT_NE(FormatBackendReport(choice.report).find("the default"), std::string::npos);
}

// Where an administrator set up the port service, its socket is there and
// nothing stored is needed; a stored backend still wins.
TEST(BackendChoiceTest, NothingStoredMeansTheServiceWhenItsSocketExists)
{
    CFakeFactory factory;
    factory.existingSocket = kDefaultServiceSocket;
    BackendChoice choice = ChooseBackend({}, factory);
    EXPECT_EQ(choice.report.active, "service");
    EXPECT_EQ(factory.openedSocket, kDefaultServiceSocket);
    EXPECT_TRUE(factory.openedStateFile.empty());

    factory.existingSocket = "/tmp/test.sock";
    choice = ChooseBackend({"", "", "", "/tmp/test.sock"}, factory);
    EXPECT_EQ(choice.report.active, "service");
    EXPECT_EQ(factory.openedSocket, "/tmp/test.sock");

    choice = ChooseBackend({"simulated", "", "", "/tmp/test.sock"}, factory);
    EXPECT_EQ(choice.report.active, "simulated");
    factory.existingSocket.clear();
    choice = ChooseBackend({"Service", "", "", "/tmp/other.sock"}, factory);
    EXPECT_EQ(choice.report.active, "service");
    EXPECT_EQ(factory.openedSocket, "/tmp/other.sock");
}

TEST(BackendChoiceTest, StoredStateFileAndChipId)
{
    CFakeFactory factory;
    const BackendChoice choice = ChooseBackend({"Simulated", "/my/state", "0xc1", ""}, factory);
    EXPECT_EQ(choice.report.active, "simulated");
    EXPECT_FALSE(choice.report.requestedByDefault);
    EXPECT_EQ(factory.openedStateFile, "/my/state");
    EXPECT_EQ(factory.openedChipId, 0xC1);
}

TEST(BackendChoiceTest, RefusalsNeverFallBackAndEveryCallFails)
{
    const BackendSettings refused[] = {{"direct", "", "", ""}, {"dirrect", "", "", ""}, {"simulated", "", "0x88", ""}};
    const char* reasons[] = {"no privilege", "unknown backend \"dirrect\"", "neither 0xA1 nor 0xC1"};
    const BackendProblem problems[] = {BackendProblem::NoPortAccess, BackendProblem::UnknownBackend,
                                       BackendProblem::BadSetting};
    const char* lines[] = {"direct: refused, no access to the ports", "dirrect: refused, unknown backend",
                           "simulated: refused, the simulated chip id is not valid"};
    for (int i = 0; i < 3; ++i) {
        CFakeFactory factory;
        const BackendChoice choice = ChooseBackend(refused[i], factory);
        EXPECT_EQ(choice.report.active, "none");
        EXPECT_NE(choice.report.refusal.find(reasons[i]), std::string::npos) << choice.report.refusal;
        const BackendStatus status = StatusOfReport(choice.report);
        EXPECT_EQ(status.problem, problems[i]);
        EXPECT_EQ(status.Line(), lines[i]);
        EXPECT_FALSE(status.Working());
        EXPECT_TRUE(factory.openedStateFile.empty());
        std::uint8_t value = 0x12;
        EXPECT_EQ(choice.port->OutPortB(kIndexPort, 0x58), 0);
        EXPECT_EQ(choice.port->InPortB(kDataPort, &value), 0);
        EXPECT_EQ(value, 0x12);
        EXPECT_NE(FormatBackendReport(choice.report).find("refused: "), std::string::npos);
    }
}

TEST(BackendChoiceTest, DirectWhenItOpens)
{
    CFakeFactory factory;
    factory.directWorks = true;
    const BackendChoice choice = ChooseBackend({"DIRECT", "", "", ""}, factory);
    EXPECT_EQ(choice.report.active, "direct");
    EXPECT_EQ(choice.report.detail, "real chip");
    EXPECT_EQ(factory.directOpens, 1);
    EXPECT_EQ(StatusOfReport(choice.report).Line(), "direct: W83627EHF id 0xA1");
    EXPECT_EQ(StatusOfReport(ChooseBackend({"", "", "0xC1", ""}, factory).report).Line(),
              "simulated: W83627DHG id 0xC1, fans not real");
}

// Programs that share a chip must find the same claim file, whatever the
// spelling of the stored backend.
TEST(BackendChoiceTest, ClaimFileFollowsTheChip)
{
    EXPECT_EQ(ClaimFileFor({"", "", "", ""}, "/run/user/0/varnio-sim.state"), "/run/user/0/varnio-sim.state.claim");
    EXPECT_EQ(ClaimFileFor({"Simulated", "/srv/chip.state", "", ""}, "/x.state"), "/srv/chip.state.claim");
    EXPECT_EQ(ClaimFileFor({"direct", "", "", ""}, "/x.state"), kDirectClaimFile);
    EXPECT_EQ(ClaimFileFor({"DIRECT", "/srv/chip.state", "", ""}, "/x.state"), kDirectClaimFile);
}

TEST(BackendSettingsTest, DefaultStateFileLocations)
{
    std::map<std::string, std::string> env;
    const auto lookup = [&](const char* name) -> const char* {
        const auto found = env.find(name);
        return found == env.end() ? nullptr : found->second.c_str();
    };
    EXPECT_EQ(DefaultStateFile(lookup, 1000), "/tmp/varnio-sim-1000.state");
    env["XDG_RUNTIME_DIR"] = "/run/user/1000";
    EXPECT_EQ(DefaultStateFile(lookup, 1000), "/run/user/1000/varnio-sim.state");
    env["VELMAR_REGISTRY_DIR"] = "/tmp/reg";
    EXPECT_EQ(DefaultStateFile(lookup, 1000), "/tmp/reg/varnio-sim.state");
    env["VELMAR_REGISTRY_DIR"] = "";
    EXPECT_EQ(DefaultStateFile(lookup, 1000), "/run/user/1000/varnio-sim.state");
}

TEST(BackendSettingsTest, ReadFromTheMachineWideStore)
{
    // The test binary's own registry folder (TestRegistryDir.cpp).
    ASSERT_NE(std::getenv("VELMAR_REGISTRY_DIR"), nullptr);
    EXPECT_TRUE(ReadBackendSettings().backend.empty());
    CRegistryAccess registry;
    ASSERT_TRUE(registry.SetRootKey(HKEY_LOCAL_MACHINE));
    ASSERT_TRUE(registry.SetString(kVarnioKey, kBackendValue, "direct"));
    ASSERT_TRUE(registry.SetString(kVarnioKey, kStateFileValue, "/x/y.state"));
    ASSERT_TRUE(registry.SetString(kVarnioKey, kChipIdValue, "0xC1"));
    const BackendSettings settings = ReadBackendSettings();
    EXPECT_EQ(settings.backend, "direct");
    EXPECT_EQ(settings.stateFile, "/x/y.state");
    EXPECT_EQ(settings.chipId, "0xC1");
}

// Raw ports with a simulated chip behind them, logging every access.
class CFakeRawPorts : public IRawPorts {
public:
    CFakeRawPorts(bool grant, std::uint8_t chipId, std::vector<int>* log = nullptr)
        : grant_(grant), chip_(chipId), log_(log)
    {
    }
    bool Acquire(std::string& why) override
    {
        why = "ioperm: Operation not permitted";
        return grant_;
    }
    std::uint8_t In(int port) override
    {
        Log(port);
        std::uint8_t value = 0;
        chip_.InPortB(port, &value);
        return value;
    }
    void Out(int port, std::uint8_t value) override
    {
        Log(port);
        chip_.OutPortB(port, value);
    }
    std::vector<int> ports;

private:
    void Log(int port)
    {
        ports.push_back(port);
        if (log_ != nullptr) {
            log_->push_back(port);
        }
    }
    bool grant_;
    CSimulatedChip chip_;
    std::vector<int>* log_;
};

constexpr const char* kQuietIoports =
    "0000-0cf7 : PCI Bus 0000:00\n"
    "  0290-029f : pnp 00:08\n"
    "  03c0-03df : vga+\n";
constexpr const char* kDriverIoports =
    "0000-0cf7 : PCI Bus 0000:00\n"
    "  0290-029f : pnp 00:08\n"
    "    0295-0296 : w83627ehf\n";

TEST(IoportsClaimsTest, OnlyDriversCount)
{
    EXPECT_FALSE(FindChipPortClaim(kQuietIoports).has_value());
    const auto claim = FindChipPortClaim(kDriverIoports);
    ASSERT_TRUE(claim.has_value());
    EXPECT_EQ(claim->owner, "w83627ehf");
    EXPECT_EQ(claim->first, 0x295u);
    EXPECT_TRUE(FindChipPortClaim("0290-0295 : nct6775\n").has_value());
    EXPECT_FALSE(FindChipPortClaim("0297-02ff : other\n0000-0000 : w83627ehf\n").has_value());
    EXPECT_FALSE(FindChipPortClaim("garbage\n").has_value());
}

TEST(DirectPortBackendTest, RefusalsSayWhy)
{
    BackendOpening opening;
    EXPECT_EQ(OpenDirectBackend(std::make_unique<CFakeRawPorts>(false, 0xA1), kQuietIoports, opening), nullptr);
    EXPECT_NE(opening.refusal.text.find("no access to ports 0x295-0x296: ioperm: Operation not permitted"),
              std::string::npos);
    EXPECT_EQ(opening.refusal.problem, BackendProblem::NoPortAccess);

    // A driver's ports are never touched, not even to identify the chip.
    std::vector<int> traffic;
    EXPECT_EQ(OpenDirectBackend(std::make_unique<CFakeRawPorts>(true, 0xA1, &traffic), kDriverIoports, opening),
              nullptr);
    EXPECT_NE(opening.refusal.text.find("w83627ehf"), std::string::npos);
    EXPECT_EQ(opening.refusal.problem, BackendProblem::DriverHoldsPorts);
    EXPECT_EQ(opening.refusal.summary, "the kernel driver w83627ehf holds the ports");
    EXPECT_TRUE(traffic.empty());

    EXPECT_EQ(OpenDirectBackend(std::make_unique<CFakeRawPorts>(true, 0x52), kQuietIoports, opening), nullptr);
    EXPECT_NE(opening.refusal.text.find("0x52"), std::string::npos);
    EXPECT_NE(opening.refusal.text.find("no W83627EHF answers"), std::string::npos);
    EXPECT_EQ(opening.refusal.problem, BackendProblem::NoChip);
}

TEST(DirectPortBackendTest, OpensOnARecognisedChipAndGuardsThePorts)
{
    auto raw = std::make_unique<CFakeRawPorts>(true, 0xC1);
    CFakeRawPorts* rawView = raw.get();
    BackendOpening opening;
    auto backend = OpenDirectBackend(std::move(raw), kQuietIoports, opening);
    ASSERT_NE(backend, nullptr) << opening.refusal.text;
    EXPECT_NE(opening.detail.find("W83627DHG"), std::string::npos);
    EXPECT_EQ(opening.chip, "W83627DHG id 0xC1");
    std::uint8_t value = 0;
    EXPECT_EQ(backend->OutPortB(0x2E, 0x87), 0);
    EXPECT_EQ(backend->InPortB(0x80, &value), 0);
    EXPECT_EQ(backend->InPortB(kDataPort, nullptr), 0);
    CChipAccessor chip(*backend);
    std::uint8_t id = 0;
    EXPECT_EQ(chip.ReadChipId(id), 1);
    EXPECT_EQ(id, 0xC1);
    for (const int port : rawView->ports) {
        EXPECT_TRUE(IsChipPort(port)) << port;
    }
}

}  // namespace
}  // namespace hwmon::test
