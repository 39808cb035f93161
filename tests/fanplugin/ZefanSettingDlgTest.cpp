// The plug-in object on the shipped simulated board, an in-memory chip and
// registry and a window-less page: start-up programming from stored or
// configured settings, the interfaces' counting rules, and what the page
// operations write to the chip and the store.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "RegistryAccess.h"
#include "RegistryHives.h"
#include "WindowlessPage.h"
#include "ZefanTestDoubles.h"
#include "board/BoardFile.h"
#include "board/IniProfileReader.h"
#include "board/StoredItems.h"
#include "plugin_api/kit/HostCallback.h"
#include "fanplugin/FanStatusDocument.h"
#include "fanplugin/ZefanSettingDlg.h"
#include "hwmon/DutyPercent.h"
#include "hwmon/varnio/SimulatedChip.h"

namespace zefan::test {
namespace {

// Item numbers of the simulated board's fans.
constexpr int kCpuFan = 7;
constexpr int kSysFan = 8;
constexpr int kSysFan2 = 9;
constexpr int kCpuFan2 = 10;
constexpr int kAuxFan = 11;

std::vector<std::string> g_events;

int32_t RecordEvent(const char* sender, const char* event, int32_t extra1, int32_t value, int32_t extra2)
{
    g_events.push_back(std::string(sender) + " " + event + " " + std::to_string(extra1) + " " +
                       std::to_string(value) + " " + std::to_string(extra2));
    return 0;
}

// The chip, with data writes to one register failing while armed.
class CFailingRegisterPort : public hwmon::IPortIo {
public:
    explicit CFailingRegisterPort(hwmon::IPortIo& chip) : chip_(chip) {}
    int OutPortB(int port, int value) override
    {
        if (port == hwmon::kIndexPort) {
            index_ = value;
        } else if (port == hwmon::kDataPort && failIndex >= 0 && index_ == failIndex) {
            return 0;
        }
        return chip_.OutPortB(port, value);
    }
    int InPortB(int port, std::uint8_t* value) override { return chip_.InPortB(port, value); }

    int failIndex = -1;

private:
    hwmon::IPortIo& chip_;
    int index_ = -1;
};

class ZefanSettingDlgTest : public ::testing::Test {
protected:
    ZefanSettingDlgTest()
    {
        machine.facts = {{"Path", ZEFAN_BOARDS_DIR "/"}, {"MBModel", "SimulatedBoard"}};
        g_events.clear();
        pluginkit::SetHostCallback(nullptr);
    }

    // A new object as the host gets it: the base interface with count 1.
    CZefanSettingDlg& Load()
    {
        void* base = CreateZefanObject(VARN_IID_PLUGIN, Ports(), ZefanStartup{machine, board});
        EXPECT_NE(base, nullptr);
        return *Object(base);
    }
    ZefanPorts Ports() { return ZefanPorts{port, processors, hives, pages}; }
    static CZefanSettingDlg* Object(void* extend)
    {
        // The base interface of a plug-in object is its IVARNExtend face.
        struct Face {
            IVARNExtend iface;
            CZefanSettingDlg* owner;
        };
        return static_cast<Face*>(extend)->owner;
    }

    CRegistryAccess User()
    {
        CRegistryAccess registry(hives, CRegistryAccess::Edition::Host);
        registry.SetRootKey(HKEY_CURRENT_USER);
        return registry;
    }
    std::uint32_t Stored(int item, const char* name)
    {
        std::uint32_t value = 0xDEAD;
        User().QueryDword(board::StoredItemKey(item), name, &value);
        return value;
    }
    void Store(int item, const char* name, std::uint32_t value) { User().SetDword(board::StoredItemKey(item), name, value); }
    std::uint8_t Reg(std::uint8_t index) const { return chip.Register(0, index); }

    hwmon::CSimulatedChip chip;
    CFailingRegisterPort port{chip};
    CFixedProcessorCount processors{1};
    CMemoryRegistryHives hives;
    CWindowlessPages pages;
    CMemoryMachineInfo machine;
    board::CIniProfileReader board;
};

TEST_F(ZefanSettingDlgTest, FirstStartProgramsAndStoresTheBoardsSettings)
{
    CZefanSettingDlg& zefan = Load();
    EXPECT_EQ(zefan.ConfigurationPath(), ZEFAN_BOARDS_DIR "/SimulatedBoard.ini");
    EXPECT_EQ(zefan.Startup(), CZefanSettingDlg::StartupOutcome::Configured);
    ASSERT_EQ(zefan.ShownFans().size(), 5u);
    EXPECT_TRUE(zefan.HasSecondCpuFan());
    ASSERT_EQ(zefan.ReferenceSources().size(), 2u);  // AUXTIN is not offered

    // CPU FAN: thermal cruise, 60 C, 3 C, start 60 %, stop 30 %.
    EXPECT_EQ(Reg(0x06), 60);
    EXPECT_EQ(Reg(0x07) >> 4, 3);
    EXPECT_EQ(Reg(0x0B), 153);
    EXPECT_EQ(Reg(0x09), 76);
    EXPECT_EQ((Reg(0x04) >> 4) & 3, 1);
    // SYS FAN 2: the board leaves it alone, the chip keeps its power-on values.
    EXPECT_EQ(Reg(0x13), 50);
    EXPECT_EQ((Reg(0x12) >> 1) & 3, 0);
    // CPU FAN 2 with its own tolerance field.
    EXPECT_EQ(Reg(0x63), 50);
    EXPECT_EQ(Reg(0x62) & 0x0F, 5);

    for (int item : {kCpuFan, kSysFan, kSysFan2, kCpuFan2, kAuxFan}) {
        EXPECT_EQ(Stored(item, "ItemType"), 3u) << item;
    }
    EXPECT_EQ(Stored(kCpuFan, "TargetTemp"), 60u);
    EXPECT_EQ(Stored(kSysFan, "StartCtrl"), 70u);
    EXPECT_EQ(Stored(kSysFan2, "SmartFanEnable"), 0u);
    EXPECT_EQ(zefan.Release(), 0);
}

TEST_F(ZefanSettingDlgTest, StoredSettingsWinOverTheBoards)
{
    Load().Release();
    Store(kCpuFan, "TargetTemp", 66);
    Store(kCpuFan, "StartCtrl", 80);
    Store(kSysFan2, "TargetTemp", 33);  // the board does not enable this fan

    CZefanSettingDlg& zefan = Load();
    EXPECT_EQ(zefan.Startup(), CZefanSettingDlg::StartupOutcome::Stored);
    EXPECT_EQ(Reg(0x06), 66);
    EXPECT_EQ(Reg(0x0B), 204);
    EXPECT_EQ(Reg(0x13), 50);
    EXPECT_EQ(zefan.Release(), 0);
    // Saved again on the way out, unchanged.
    EXPECT_EQ(Stored(kCpuFan, "TargetTemp"), 66u);
}

TEST_F(ZefanSettingDlgTest, AFanTheUserSwitchedOnStaysOnAcrossRestarts)
{
    // SYS FAN 2 is off on this board; the user switches it on and sets 42 C.
    Load().Release();
    Store(kSysFan2, "SmartFanEnable", 1);
    Store(kSysFan2, "TargetTemp", 42);
    for (int start = 0; start < 2; ++start) {
        CZefanSettingDlg& zefan = Load();
        EXPECT_EQ(zefan.Startup(), CZefanSettingDlg::StartupOutcome::Stored);
        EXPECT_EQ(Reg(0x13), 42);
        EXPECT_EQ((Reg(0x12) >> 1) & 3, 1);
        zefan.Release();
        EXPECT_EQ(Stored(kSysFan2, "SmartFanEnable"), 1u);
        EXPECT_EQ(Stored(kSysFan2, "TargetTemp"), 42u);
    }
    // Switched off again, the board's choice to leave it alone holds.
    Store(kSysFan2, "SmartFanEnable", 0);
    Store(kSysFan2, "TargetTemp", 43);
    Load().Release();
    EXPECT_EQ(Reg(0x13), 42);
}

TEST_F(ZefanSettingDlgTest, UnusableStoredSettingsFallBackToTheBoardsAndReplaceThem)
{
    Load().Release();
    Store(kCpuFan, "TargetTemp", 200);  // the chip refuses it
    chip.SetRegister(0, 0x06, 47);
    CZefanSettingDlg& zefan = Load();
    EXPECT_EQ(zefan.Startup(), CZefanSettingDlg::StartupOutcome::Configured);
    EXPECT_EQ(Reg(0x06), 60);
    EXPECT_EQ(Stored(kCpuFan, "TargetTemp"), 60u);
    zefan.Release();

    // A complete stored fan whose item is a voltage on this board.
    CRegistryAccess registry = User();
    for (const char* name : {"ItemType", "ItemNo", "Enable", "BeepEnable", "ShutDownEnable", "HiLimit", "LoLimit",
                             "SmartFanSupport", "SmartFanEnable", "TargetTemp", "ToleranceTemp", "StartCtrl",
                             "StopCtrl"}) {
        Store(1, name, Stored(kCpuFan, name));
    }
    for (const char* name : {"Name", "PinName", "FanCtrlPin"}) {
        std::string text;
        registry.QueryString(board::StoredItemKey(kCpuFan), name, text);
        registry.SetString(board::StoredItemKey(1), name, text);
    }
    Store(1, "ItemNo", 1);
    Store(kCpuFan, "TargetTemp", 44);
    chip.SetRegister(0, 0x06, 47);
    CZefanSettingDlg& again = Load();
    EXPECT_EQ(again.Startup(), CZefanSettingDlg::StartupOutcome::Configured);
    EXPECT_EQ(Reg(0x06), 60);
    EXPECT_EQ(Stored(kCpuFan, "TargetTemp"), 60u);
    again.Release();
}

TEST_F(ZefanSettingDlgTest, AChipErrorStopsEachApplyWhereItHappened)
{
    Load().Release();
    Store(kSysFan, "TargetTemp", 44);
    // The system fan's target cannot be written: stored and configured
    // settings both fail there, and the fans before it keep what was written.
    port.failIndex = 0x05;
    Store(kCpuFan, "TargetTemp", 64);
    CZefanSettingDlg& zefan = Load();
    EXPECT_EQ(zefan.Startup(), CZefanSettingDlg::StartupOutcome::None);
    EXPECT_EQ(Reg(0x06), 60);  // stored 64 first, then the board's 60
    EXPECT_EQ(Stored(kCpuFan, "TargetTemp"), 64u);  // nothing saved at start-up
    zefan.Release();
}

TEST_F(ZefanSettingDlgTest, ABoardWithoutItsOwnFileGetsTheGenericOneAndKeepsItsFans)
{
    machine.facts["MBModel"] = "NoSuchBoard";
    const std::uint8_t modes = Reg(0x04);
    CZefanSettingDlg& zefan = Load();
    EXPECT_EQ(zefan.ConfigurationPath(), ZEFAN_BOARDS_DIR "/Generic-W83627EHF.ini");
    EXPECT_TRUE(zefan.BoardFile().generic);
    // Every fan input, the four controllable outputs on the page...
    ASSERT_EQ(zefan.ShownFans().size(), 5u);
    EXPECT_TRUE(zefan.HasSecondCpuFan());
    std::vector<char> buffer(kStatusDocumentLimit, '#');
    zefan.GetData(buffer.data());
    EXPECT_NE(std::string(buffer.data()).find("ZEFAN_FAN_3"), std::string::npos);
    EXPECT_EQ(std::string(buffer.data()).find("ZEFAN_FAN_4"), std::string::npos);
    // ...but an unknown board's fans stay as its firmware set them.
    EXPECT_EQ(zefan.Startup(), CZefanSettingDlg::StartupOutcome::None);
    EXPECT_EQ(Reg(0x04), modes);
    EXPECT_FALSE(User().KeyExists(board::kStoredItemsKey));

    IVARNDialog* dialog = zefan.Dialog();
    zefan.AddRef();
    ASSERT_NE(dialog->vtbl->CreatePage(dialog, nullptr), nullptr);
    EXPECT_EQ(pages.shown.boardFile,
              "Board file: Generic-W83627EHF.ini (generic: no board file for \"NoSuchBoard\")");
    dialog->vtbl->OnCancel(dialog);
    zefan.Release();
}

TEST_F(ZefanSettingDlgTest, WithoutAnyBoardFileThePluginRunsEmpty)
{
    machine.facts["Path"] = "/nonexistent/";
    CZefanSettingDlg& zefan = Load();
    EXPECT_FALSE(zefan.BoardFile().found);
    EXPECT_TRUE(zefan.ShownFans().empty());
    EXPECT_EQ(zefan.Startup(), CZefanSettingDlg::StartupOutcome::None);
    std::vector<char> buffer(kStatusDocumentLimit, '#');
    EXPECT_EQ(zefan.GetData(buffer.data()), 1);
    EXPECT_NE(std::string(buffer.data()).find("<VARN_PLUGIN><FAN/></VARN_PLUGIN>"), std::string::npos);
    EXPECT_FALSE(User().KeyExists(board::kStoredItemsKey));
    zefan.Release();
}

TEST_F(ZefanSettingDlgTest, InterfacesShareOneObjectAndOneCount)
{
    CZefanSettingDlg& zefan = Load();
    IVARNPlugin* base = reinterpret_cast<IVARNPlugin*>(zefan.Extend());
    void* a = nullptr;
    void* b = nullptr;
    EXPECT_EQ(base->vtbl->QueryInterface(base, VARN_IID_PLUGIN, &a), VARN_QI_FOUND);
    EXPECT_EQ(base->vtbl->QueryInterface(base, VARN_IID_EXTEND, &b), VARN_QI_FOUND);
    EXPECT_EQ(a, b);
    EXPECT_EQ(base->vtbl->AddRef(base), 4);
    for (const char* name : {"ivarnplugin", "IVARNPlugin ", "IVARNPlugi", "IVARNinfo", ""}) {
        void* out = &a;
        EXPECT_EQ(base->vtbl->QueryInterface(base, name, &out), VARN_QI_NOT_FOUND) << name;
        EXPECT_EQ(out, nullptr);
    }
    void* info = nullptr;
    base->vtbl->QueryInterface(base, VARN_IID_INFO, &info);
    // Any face leads to the same object: a release through IVARNInfo counts.
    IVARNPlugin* infoBase = static_cast<IVARNPlugin*>(info);
    EXPECT_EQ(infoBase->vtbl->Release(infoBase), 4);
    char name[VARN_NAME_BUFFER_SIZE];
    std::memset(name, '#', sizeof name);
    EXPECT_EQ(infoBase->vtbl->GetName(infoBase, name), 0);
    EXPECT_STREQ(name, "ZEFAN_PLUGIN");
    for (int left = 3; left >= 0; --left) {
        EXPECT_EQ(base->vtbl->Release(base), left);
    }

    EXPECT_EQ(CreateZefanObject("IVARNDialogX", Ports(), ZefanStartup{machine, board}), nullptr);
    void* dialog = CreateZefanObject(VARN_IID_DIALOG, Ports(), ZefanStartup{machine, board});
    ASSERT_NE(dialog, nullptr);
    IVARNPlugin* dialogBase = static_cast<IVARNPlugin*>(dialog);
    EXPECT_EQ(dialogBase->vtbl->Release(dialogBase), 0);
}

TEST_F(ZefanSettingDlgTest, PageOperationsWithoutAPageOnlyCountReferences)
{
    CZefanSettingDlg& zefan = Load();
    zefan.AddRef();
    zefan.AddRef();
    chip.SetRegister(0, 0x06, 47);
    Store(kCpuFan, "TargetTemp", 48);
    EXPECT_EQ(zefan.OnApply(), 0);
    EXPECT_EQ(zefan.OnOK(), 2);
    EXPECT_EQ(zefan.OnCancel(), 1);
    EXPECT_EQ(Reg(0x06), 47);
    EXPECT_EQ(Stored(kCpuFan, "TargetTemp"), 48u);
    EXPECT_EQ(pages.created, 0);
    zefan.Release();
}

TEST_F(ZefanSettingDlgTest, CreatePageMakesOnePageAndARefusedOneCanBeRetried)
{
    CZefanSettingDlg& zefan = Load();
    int parent = 0;
    pages.refuse = true;
    EXPECT_EQ(zefan.CreatePage(&parent), nullptr);
    EXPECT_FALSE(zefan.HasPage());
    pages.refuse = false;
    VARN_WINDOW page = zefan.CreatePage(&parent);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(pages.lastParent, &parent);
    EXPECT_EQ(zefan.CreatePage(&parent), page);
    EXPECT_EQ(pages.created, 2);
    EXPECT_EQ(pages.shown.fans, (std::vector<std::string>{"CPU FAN", "SYS FAN", "SYS FAN 2", "CPU FAN 2"}));
    EXPECT_EQ(pages.shown.references, (std::vector<std::string>{"System Temperature", "CPU Temperature"}));
    EXPECT_EQ(pages.shown.texts[FanPageValue::Target], "60");
    // Destroying the object closes the page.
    zefan.Release();
    EXPECT_EQ(pages.live, 0);
}

TEST_F(ZefanSettingDlgTest, TheUnitComesFromTheHostsStoreOrElseItsCommand)
{
    CZefanSettingDlg& zefan = Load();
    EXPECT_EQ(zefan.SendCommand(VARN_CMD_SET_TEMPERATURE_DISP, 5, 0), 0);
    EXPECT_FALSE(zefan.IsCelsius());
    int parent = 0;
    zefan.AddRef();  // the settings dialog's reference
    zefan.CreatePage(&parent);
    EXPECT_EQ(pages.shown.unit, "F");
    EXPECT_EQ(pages.shown.texts[FanPageValue::Target], "140");  // 60 C
    // The status document stays in Celsius.
    std::vector<char> buffer(kStatusDocumentLimit);
    zefan.GetData(buffer.data());
    EXPECT_NE(std::string(buffer.data()).find("<TARGET_TEMP>60</TARGET_TEMP>"), std::string::npos);
    zefan.OnCancel();

    zefan.AddRef();
    User().SetString("Software\\VARN\\TamloIII", "Temperature", "0");
    zefan.CreatePage(&parent);
    EXPECT_EQ(pages.shown.unit, "C");
    EXPECT_TRUE(zefan.IsCelsius());
    EXPECT_EQ(zefan.SendCommand("SOMETHING_ELSE", 1, 0), 0);
    EXPECT_TRUE(zefan.IsCelsius());
    EXPECT_EQ(zefan.OnCancel(), 1);
    EXPECT_EQ(zefan.Release(), 0);
}

TEST_F(ZefanSettingDlgTest, ApplyAndOKCommitStoreAndProgramCancelDrops)
{
    CZefanSettingDlg& zefan = Load();
    zefan.SetCallback(RecordEvent);
    int parent = 0;
    zefan.AddRef();  // the settings dialog's reference
    zefan.CreatePage(&parent);
    ASSERT_NE(pages.model, nullptr);

    pages.model->OnSpin(FanPageValue::Target, 1);
    EXPECT_EQ(g_events, (std::vector<std::string>{"ZEFAN_PLUGIN DLG_CHANGED 0 0 0"}));
    EXPECT_EQ(Reg(0x06), 60);
    EXPECT_EQ(Stored(kCpuFan, "TargetTemp"), 60u);

    EXPECT_EQ(zefan.OnApply(), 1);
    EXPECT_TRUE(zefan.HasPage());
    EXPECT_EQ(Reg(0x06), 61);
    EXPECT_EQ(Stored(kCpuFan, "TargetTemp"), 61u);

    pages.model->OnSpin(FanPageValue::Start, 10);
    EXPECT_EQ(zefan.OnOK(), 1);
    EXPECT_FALSE(zefan.HasPage());
    EXPECT_EQ(pages.live, 0);
    EXPECT_EQ(Reg(0x0B), hwmon::PercentToDutyValue(70));
    EXPECT_EQ(Stored(kCpuFan, "StartCtrl"), 70u);

    zefan.AddRef();
    zefan.CreatePage(&parent);
    pages.model->OnSpin(FanPageValue::Target, 1);
    EXPECT_EQ(zefan.OnCancel(), 1);
    EXPECT_EQ(Reg(0x06), 61);
    EXPECT_EQ(Stored(kCpuFan, "TargetTemp"), 61u);
    EXPECT_EQ(zefan.Release(), 0);
    EXPECT_EQ(Stored(kCpuFan, "TargetTemp"), 61u);
}

TEST_F(ZefanSettingDlgTest, TheReferenceTemperatureIsWrittenOnApply)
{
    CZefanSettingDlg& zefan = Load();
    int parent = 0;
    zefan.CreatePage(&parent);
    pages.model->OnFanSelected(1);  // SYS FAN: the reference list is open (CPU FAN 2 exists)
    EXPECT_TRUE(pages.shown.referenceAvailable);
    pages.model->OnReferenceSelected(1);  // "CPU Temperature"
    EXPECT_EQ(Reg(0x4A) >> 6, 0);
    EXPECT_EQ(zefan.OnApply(), 1);
    EXPECT_EQ(Reg(0x4A) >> 6, 1);
    EXPECT_EQ(Reg(0x4A) & 0x3F, 0x01);  // the other bits stay
    zefan.Release();
}

}  // namespace
}  // namespace zefan::test
