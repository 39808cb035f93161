// How many port operations the two everyday chip jobs cost, and how long one
// operation takes on the simulated backends. On a real LPC bus an access costs
// about a microsecond, so the count is the figure that matters.
#include <benchmark/benchmark.h>

#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <thread>
#include <vector>

#include "hwmon/FanController.h"
#include "hwmon/FanOutputRegisters.h"
#include "hwmon/linux/BootClock.h"
#include "hwmon/linux/ServicePort.h"
#include "hwmon/linux/StateFile.h"
#include "hwmon/varnio/PersistentSimulatedChip.h"
#include "hwmon/varnio/SimulatedChip.h"
#include "portd/PortService.h"
#include "portd/linux/SocketServer.h"

namespace {

using namespace hwmon;

class CCountingPort : public IPortIo {
public:
    explicit CCountingPort(IPortIo& inner) : inner_(inner) {}
    int OutPortB(int port, int value) override
    {
        ++count;
        return inner_.OutPortB(port, value);
    }
    int InPortB(int port, std::uint8_t* value) override
    {
        ++count;
        return inner_.InPortB(port, value);
    }
    std::int64_t count = 0;

private:
    IPortIo& inner_;
};

class COneProcessor : public IProcessorCount {
public:
    int ProcessorCount() const override { return 1; }
};

FanItemRecord Item(std::string_view pin)
{
    FanItemRecord item;
    item.itemType = 3;
    item.pinName = item.fanCtrlPin = std::string(pin);
    item.smartFanEnable = true;
    item.targetTemp = 55;
    item.toleranceTemp = 3;
    item.startCtrl = 60;
    item.stopCtrl = 30;
    item.fanOutputMode = 1;
    return item;
}

// The simulated backend libvarnio uses by default: a state file and the boot clock.
struct FileBackedChip {
    FileBackedChip()
    {
        // $TMPDIR picks the file system: ext4 writes back a file renamed over
        // another at once, tmpfs does not.
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/hwmon-bench-XXXXXX";
        dir = ::mkdtemp(pattern.data());
        file = std::make_unique<CStateFile>(dir + "/chip.state");
        chip = std::make_unique<CPersistentSimulatedChip>(*file, clock, 0xA1);
    }
    ~FileBackedChip() { std::filesystem::remove_all(dir); }
    std::string dir;
    CBootClock clock;
    std::unique_ptr<CStateFile> file;
    std::unique_ptr<CPersistentSimulatedChip> chip;
};

// The service backend: velmar-portd's own loop in a thread, with a chip in
// memory behind it as the real chip's ports are (an access on the bus costs
// about a microsecond), and libvarnio's client; what it adds per access is
// the round trip over the socket.
struct ServedChip : portd::IServiceBackend {
    ServedChip()
    {
        char pattern[] = "/tmp/hwmon-bench-XXXXXX";
        dir = ::mkdtemp(pattern);
        // Only the server's signalfd takes the SIGTERM that ends it.
        sigset_t term;
        sigemptyset(&term);
        sigaddset(&term, SIGTERM);
        ::pthread_sigmask(SIG_BLOCK, &term, nullptr);
        std::string why;
        service = std::make_unique<portd::CPortService>(*this, portd::PeerPolicy{0, "root"});
        server = std::make_unique<portd::CSocketServer>(*service,
                                                        std::vector<int>{portd::ListenAt(dir + "/portd.sock", why)});
        thread = std::thread([this] {
            std::string error;
            server->Run(error);
        });
        client = std::make_unique<CServicePort>(dir + "/portd.sock");
    }
    ~ServedChip() override
    {
        client.reset();
        ::kill(::getpid(), SIGTERM);
        thread.join();
        std::filesystem::remove_all(dir);
    }
    IPortIo& Port() override { return chip; }
    std::string Description() const override { return "simulated\nW83627EHF id 0xA1"; }
    bool Simulate(hwmon::SimulatorAction, std::string&) override { return false; }

    std::string dir;
    CSimulatedChip chip;
    std::unique_ptr<portd::CPortService> service;
    std::unique_ptr<portd::CSocketServer> server;
    std::thread thread;
    std::unique_ptr<CServicePort> client;
};

void Report(benchmark::State& state, std::int64_t ops)
{
    state.counters["port_ops"] = benchmark::Counter(static_cast<double>(ops), benchmark::Counter::kAvgIterations);
    state.counters["time_per_port_op"] =
        benchmark::Counter(static_cast<double>(ops), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void ReadEveryDuty(benchmark::State& state, IPortIo& backend)
{
    CCountingPort port(backend);
    COneProcessor processors;
    std::vector<std::unique_ptr<CFanController>> fans;
    for (const auto& output : FanOutputs()) {
        fans.push_back(std::make_unique<CFanController>(Item(output.name), port, processors));
    }
    port.count = 0;
    for (auto _ : state) {
        for (auto& fan : fans) {
            benchmark::DoNotOptimize(fan->GetCurrentDuty());
        }
    }
    Report(state, port.count);
}

void ProgramOneOutput(benchmark::State& state, IPortIo& backend)
{
    CCountingPort port(backend);
    COneProcessor processors;
    const FanItemRecord item = Item("CPUFANIN0");
    CFanController fan(item, port, processors);
    port.count = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(fan.ProgramSettings(item));
    }
    Report(state, port.count);
}

void BM_ReadEveryFanDuty_InMemory(benchmark::State& state)
{
    CSimulatedChip chip;
    ReadEveryDuty(state, chip);
}

void BM_ReadEveryFanDuty_StateFile(benchmark::State& state)
{
    FileBackedChip chip;
    ReadEveryDuty(state, *chip.chip);
}

// What a claim on the state-file chip costs now: one load and one save per
// claim, the accesses in memory between (what ZEFAN's document does per tick).
void BM_ReadEveryFanDuty_StateFileClaimed(benchmark::State& state)
{
    FileBackedChip chip;
    CCountingPort port(*chip.chip);
    COneProcessor processors;
    std::vector<std::unique_ptr<CFanController>> fans;
    for (const auto& output : FanOutputs()) {
        fans.push_back(std::make_unique<CFanController>(Item(output.name), port, processors));
    }
    port.count = 0;
    for (auto _ : state) {
        chip.chip->BeginSession();
        for (auto& fan : fans) {
            benchmark::DoNotOptimize(fan->GetCurrentDuty());
        }
        chip.chip->EndSession();
    }
    Report(state, port.count);
}

void BM_ProgramOneOutput_InMemory(benchmark::State& state)
{
    CSimulatedChip chip;
    ProgramOneOutput(state, chip);
}

void BM_ProgramOneOutput_StateFile(benchmark::State& state)
{
    FileBackedChip chip;
    ProgramOneOutput(state, *chip.chip);
}

void BM_ReadEveryFanDuty_Service(benchmark::State& state)
{
    ServedChip chip;
    ReadEveryDuty(state, *chip.client);
}

void BM_ProgramOneOutput_Service(benchmark::State& state)
{
    ServedChip chip;
    ProgramOneOutput(state, *chip.client);
}

BENCHMARK(BM_ReadEveryFanDuty_InMemory)->UseRealTime();
BENCHMARK(BM_ReadEveryFanDuty_Service)->UseRealTime();
BENCHMARK(BM_ProgramOneOutput_Service)->UseRealTime();
BENCHMARK(BM_ReadEveryFanDuty_StateFile)->UseRealTime();
BENCHMARK(BM_ReadEveryFanDuty_StateFileClaimed)->UseRealTime();
BENCHMARK(BM_ProgramOneOutput_InMemory)->UseRealTime();
BENCHMARK(BM_ProgramOneOutput_StateFile)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
