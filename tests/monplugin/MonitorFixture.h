// The monitor plug-in object on doubles: a simulated chip in memory that a
// test can take away, a board file in memory with good and bad items, the
// user's hive in memory, hand-moved time, window-less pages, and the
// power-off and notice doubles.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "DocumentParts.h"
#include "RegistryAccess.h"
#include "RegistryHives.h"
#include "TestDoubles.h"
#include "board/doubles/MemoryMachineInfo.h"
#include "board/doubles/MemoryProfileReader.h"
#include "hwmon/varnio/SimulatedChip.h"
#include "monplugin/MonitorPlugin.h"
#include "monplugin/doubles/FakePowerOff.h"
#include "plugin_api/kit/HostCallback.h"
#include "plugin_api/kit/doubles/HostSide.h"
#include "plugin_api/kit/doubles/ManualTime.h"

namespace monitor::test {

inline std::vector<std::string> g_events;

inline int32_t RecordEvent(const char*, const char* event, int32_t, int32_t value, int32_t)
{
    g_events.push_back(std::string(event) + " " + std::to_string(value));
    return 0;
}

// The chip, until a test pulls it out: then every access fails.
class CRemovablePort : public hwmon::IPortIo {
public:
    explicit CRemovablePort(hwmon::IPortIo& chip) : chip_(chip) {}
    int OutPortB(int port, int value) override { return gone ? 0 : chip_.OutPortB(port, value); }
    int InPortB(int port, std::uint8_t* value) override { return gone ? 0 : chip_.InPortB(port, value); }
    bool gone = false;

private:
    hwmon::IPortIo& chip_;
};

struct RecordingPage : IMonitorPageView {
    void ShowExplanation(const std::string& text) override { explanation = text; }
    void ShowRow(int index, const PageRow& row) override { rows[index] = row; }
    void ShowMessage(const std::string& text, bool isProblem) override
    {
        message = text;
        problem = isProblem;
    }
    std::string explanation;
    std::map<int, PageRow> rows;
    std::string message;
    bool problem = false;
};

using WindowlessPages = pluginkit::CWindowlessPages<CMonitorPage, IMonitorPageView, RecordingPage>;

// Item numbers of the test board; CPUTIN powers off.
enum TestItem { kVcore = 1, kSystin, kCputin, kCpuFan, kBogus, kNoFactor, kBackwards, kAuxtin, kAuxFan, kCputin2 };

inline const char kTestBoard[] =
    "[GLOBAL]\nTotal_Item_Count=10\n"
    "[ITEM1]\nItemType=1\nName=CPU Core\nPinName=VCORE\nHiLimit=1485\nLoLimit=1215\nFactor=1000\n"
    "[ITEM2]\nItemType=2\nName=System Temperature\nPinName=SYSTIN\n"
    "[ITEM3]\nItemType=2\nName=CPU Temperature\nPinName=CPUTIN\nShutDownEnable=1\n"
    "[ITEM4]\nItemType=3\nName=CPU FAN\nPinName=CPUFANIN0\nHiLimit=5000000\nLoLimit=600000\n"
    "[ITEM5]\nItemType=1\nName=Nowhere\nPinName=VIN9\n"
    "[ITEM6]\nItemType=1\nName=No divider\nPinName=VIN0\nFactor=0\n"
    "[ITEM7]\nItemType=1\nName=+3.3V\nPinName=V3VCC\nHiLimit=2970\nLoLimit=3630\nFactor=500\n"
    "[ITEM8]\nItemType=2\nName=AUX Temperature\nPinName=AUXTIN\n"
    "[ITEM9]\nItemType=3\nName=AUX FAN\nPinName=AUXFANIN1\n"
    "[ITEM10]\nItemType=2\nName=CPU again\nPinName=CPUTIN\n";

class MonitorFixture : public ::testing::Test {
protected:
    MonitorFixture()
    {
        g_events.clear();
        pluginkit::SetHostCallback(RecordEvent);
        machine.facts = {{"Path", "/opt/velmar/"}, {"MBModel", "Test"}};
        // AUXTIN has no sensor on this board.
        chip.SetRegister(2, 0x50, 0x80);
    }
    ~MonitorFixture() override
    {
        if (extend != nullptr) {
            pluginkit::Release(extend);
        }
        pluginkit::SetHostCallback(nullptr);
    }

    void Load(const std::string& board = kTestBoard)
    {
        boards.Add("/opt/velmar/Test.ini", board);
        auto powerOffDouble = std::make_unique<CFakePowerOff>();
        auto noticeDouble = std::make_unique<CFakeShutdownNotice>();
        powerOff = powerOffDouble.get();
        notice = noticeDouble.get();
        plugin = new CMonitorPlugin(
            MonitorPorts{recording, [] { return hwmon::BackendStatus{"service", hwmon::BackendState::NotRunning,
                                                                     hwmon::BackendProblem::ServiceNotRunning,
                                                                     "not running"}; },
                         hives, clock, pages, std::make_unique<pluginkit::CManualTimer>(clock),
                         std::move(powerOffDouble), std::move(noticeDouble)},
            MonitorStartup{machine, boards});
        void* out = nullptr;
        ASSERT_EQ(plugin->QueryInterface(VARN_IID_PLUGIN, &out), VARN_QI_FOUND);
        extend = static_cast<IVARNExtend*>(out);
    }

    std::map<std::string, std::string> Item(const std::string& section, const std::string& name)
    {
        return FieldsOf(pluginkit::Document(extend), section, name);
    }

    std::uint32_t Stored(int item, const char* name)
    {
        CRegistryAccess user(hives, CRegistryAccess::Edition::Plugin);
        user.SetRootKey(HKEY_CURRENT_USER);
        std::uint32_t value = 0xDEAD;
        user.QueryDword(board::StoredItemKey(item), name, &value);
        return value;
    }
    void Store(int item, const char* name, std::uint32_t value)
    {
        CRegistryAccess user(hives, CRegistryAccess::Edition::Plugin);
        user.SetRootKey(HKEY_CURRENT_USER);
        user.SetDword(board::StoredItemKey(item), name, value);
    }
    void SetCputin(std::uint8_t celsius) { chip.SetRegister(1, 0x50, celsius); }
    void Tick() { clock.Advance(kTimerPeriodMs); }

    hwmon::CSimulatedChip chip;
    CRemovablePort port{chip};
    hwmon::test::CRecordingPort recording{port};
    CMemoryRegistryHives hives;
    pluginkit::CManualClock clock;
    WindowlessPages pages;
    board::CMemoryMachineInfo machine;
    board::CMemoryProfileReader boards;
    CMonitorPlugin* plugin = nullptr;
    IVARNExtend* extend = nullptr;
    CFakePowerOff* powerOff = nullptr;
    CFakeShutdownNotice* notice = nullptr;
};

}  // namespace monitor::test
