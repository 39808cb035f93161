#include "fanplugin/ZefanSettingDlg.h"

#include <cstring>
#include <new>

#include "RegistryAccess.h"
#include "RegistryHives.h"
#include "board/BoardFile.h"
#include "board/StoredItems.h"
#include "fanplugin/CallbackSlot.h"
#include "fanplugin/FanPageUnitSetting.h"
#include "fanplugin/FanStatusDocument.h"
#include "hwmon/ReferenceTemperature.h"
#include "hwmon/SensorTable.h"

namespace zefan {

namespace {

// ---- The C side: one table per interface, each beginning with the base
// slots, all leading to the same object. No exception may reach the host.

template <class Fn, class Result>
Result Guarded(Result onFault, Fn&& fn)
{
    try {
        return fn();
    } catch (...) {
        return onFault;
    }
}

extern const IVARNExtendVtbl kExtendVtbl;
extern const IVARNInfoVtbl kInfoVtbl;
extern const IVARNDialogVtbl kDialogVtbl;

}  // namespace

// The faces are private; these reach them.
struct ZefanFaces {
    template <class Interface>
    static CZefanSettingDlg* OwnerOf(Interface* self)
    {
        return reinterpret_cast<CZefanSettingDlg::Face<Interface>*>(self)->owner;
    }

    // Any interface pointer, as the base slots receive it: its table says
    // which face it is.
    static CZefanSettingDlg* FromBase(IVARNPlugin* self)
    {
        const void* table = self->vtbl;
        if (table == &kInfoVtbl.base) {
            return OwnerOf(reinterpret_cast<IVARNInfo*>(self));
        }
        if (table == &kDialogVtbl.base) {
            return OwnerOf(reinterpret_cast<IVARNDialog*>(self));
        }
        return OwnerOf(reinterpret_cast<IVARNExtend*>(self));
    }
};

namespace {

int32_t QueryInterfaceSlot(IVARNPlugin* self, const char* name, void** out)
{
    return Guarded<>(VARN_QI_NOT_FOUND, [&] { return ZefanFaces::FromBase(self)->QueryInterface(name, out); });
}
int32_t AddRefSlot(IVARNPlugin* self)
{
    return Guarded<>(0, [&] { return ZefanFaces::FromBase(self)->AddRef(); });
}
int32_t ReleaseSlot(IVARNPlugin* self)
{
    return Guarded<>(0, [&] { return ZefanFaces::FromBase(self)->Release(); });
}
int32_t GetNameSlot(IVARNPlugin* self, char* buffer)
{
    return Guarded<>(0, [&] { return ZefanFaces::FromBase(self)->GetName(buffer); });
}
int32_t SendCommandSlot(IVARNExtend* self, const char* command, VARN_VALUE value1, VARN_VALUE value2)
{
    return Guarded<>(0, [&] { return ZefanFaces::OwnerOf(self)->SendCommand(command, value1, value2); });
}
int32_t SetCallbackSlot(IVARNExtend* self, int32_t, PluginEventCallback callback)
{
    return Guarded<>(0, [&] { return ZefanFaces::OwnerOf(self)->SetCallback(callback); });
}
int32_t GetDataSlot(IVARNInfo* self, char* buffer, int32_t)
{
    return Guarded<>(1, [&] { return ZefanFaces::OwnerOf(self)->GetData(buffer); });
}
VARN_WINDOW CreatePageSlot(IVARNDialog* self, VARN_WINDOW parent)
{
    return Guarded<>(VARN_WINDOW{nullptr}, [&] { return ZefanFaces::OwnerOf(self)->CreatePage(parent); });
}
int32_t OnOKSlot(IVARNDialog* self)
{
    return Guarded<>(0, [&] { return ZefanFaces::OwnerOf(self)->OnOK(); });
}
int32_t OnCancelSlot(IVARNDialog* self)
{
    return Guarded<>(0, [&] { return ZefanFaces::OwnerOf(self)->OnCancel(); });
}
int32_t OnApplySlot(IVARNDialog* self)
{
    return Guarded<>(0, [&] { return ZefanFaces::OwnerOf(self)->OnApply(); });
}

#define ZEFAN_BASE_SLOTS {QueryInterfaceSlot, AddRefSlot, ReleaseSlot, GetNameSlot}

const IVARNExtendVtbl kExtendVtbl = {ZEFAN_BASE_SLOTS, SendCommandSlot, SetCallbackSlot};
const IVARNInfoVtbl kInfoVtbl = {ZEFAN_BASE_SLOTS, GetDataSlot};
const IVARNDialogVtbl kDialogVtbl = {ZEFAN_BASE_SLOTS, CreatePageSlot, OnOKSlot, OnCancelSlot, OnApplySlot};

#undef ZEFAN_BASE_SLOTS

std::vector<FanPageReference> PageReferences(const std::vector<ReferenceTemperatureSource>& sources)
{
    std::vector<FanPageReference> references;
    for (const auto& source : sources) {
        references.push_back({source.name, source.pinName, source.selector});
    }
    return references;
}

}  // namespace

// ---- The object.

CZefanSettingDlg::CZefanSettingDlg(const ZefanPorts& ports, const ZefanStartup& startup)
    : extend_{{&kExtendVtbl}, this}, info_{{&kInfoVtbl}, this}, dialog_{{&kDialogVtbl}, this}, ports_(ports)
{
    boardFile_ = board::ChooseBoardFile(startup.machine, startup.board);
    configPath_ = boardFile_.path;
    // A missing or short board file leaves the lists short or empty; the
    // plug-in then simply has fewer fans.
    board::ReadFanItems(startup.board, configPath_, itemCount_, configuredItems_);
    ReadTemperatureSources(startup.board, configPath_, sources_);

    for (const auto& item : configuredItems_) {
        auto controller = std::make_unique<hwmon::CFanController>(item, ports_.port, ports_.processors);
        controller->ReadLimits();
        controllers_.push_back(std::move(controller));
    }
    for (const auto& controller : controllers_) {
        if (controller->GetItemType() != hwmon::kItemTypeFan) {
            continue;
        }
        if (controller->GetFanCtrlPin() == "CPUFANIN1") {
            secondCpuFan_ = true;
        }
        shownFans_.push_back(controller.get());
    }
    ProgramAtStartup();
}

void CZefanSettingDlg::ProgramAtStartup()
{
    if (board::ReadStoredFanItems(ports_.hives, itemCount_, storedItems_)) {
        if (ApplyStoredSettings(controllers_, storedItems_)) {
            startup_ = StartupOutcome::Stored;
            return;
        }
    }
    if (ApplyConfiguredSettings(controllers_, configuredItems_)) {
        startup_ = StartupOutcome::Configured;
        SaveSettings();
    }
}

CZefanSettingDlg::~CZefanSettingDlg()
{
    // A destructor must not throw: the store may fail to allocate, and the
    // page is closed regardless.
    try {
        SaveSettings();
    } catch (...) {
    }
    try {
        ClosePage();
    } catch (...) {
    }
}

bool CZefanSettingDlg::SaveSettings()
{
    return board::SaveSmartFanSettings(ports_.hives, shownFans_);
}

int32_t CZefanSettingDlg::QueryInterface(const char* name, void** out)
{
    if (out == nullptr) {
        return VARN_QI_NOT_FOUND;
    }
    *out = nullptr;
    if (name == nullptr) {
        return VARN_QI_NOT_FOUND;
    }
    // The base interface answers with the extended one, whose table begins
    // with the base slots.
    if (std::strcmp(name, VARN_IID_EXTEND) == 0 || std::strcmp(name, VARN_IID_PLUGIN) == 0) {
        *out = Extend();
    } else if (std::strcmp(name, VARN_IID_DIALOG) == 0) {
        *out = Dialog();
    } else if (std::strcmp(name, VARN_IID_INFO) == 0) {
        *out = Info();
    } else {
        return VARN_QI_NOT_FOUND;
    }
    AddRef();
    return VARN_QI_FOUND;
}

int32_t CZefanSettingDlg::AddRef()
{
    return ++count_;
}

int32_t CZefanSettingDlg::Release()
{
    const int32_t left = --count_;
    if (left == 0) {
        delete this;
    }
    return left;
}

int32_t CZefanSettingDlg::GetName(char* buffer) const
{
    if (buffer != nullptr) {
        std::memcpy(buffer, kPluginId, sizeof kPluginId);
    }
    return 0;
}

int32_t CZefanSettingDlg::SendCommand(const char* command, VARN_VALUE value1, VARN_VALUE)
{
    if (command != nullptr && std::strcmp(command, VARN_CMD_SET_TEMPERATURE_DISP) == 0) {
        celsius_ = value1 == 0;
    }
    return 0;
}

int32_t CZefanSettingDlg::SetCallback(PluginEventCallback callback)
{
    SetPluginCallback(callback);
    return 0;
}

int32_t CZefanSettingDlg::GetData(char* buffer)
{
    WriteFanStatusDocument(shownFans_, buffer);
    return 1;
}

bool CZefanSettingDlg::CelsiusForPage() const
{
    // The host stores its unit choice and also sends it; the stored choice
    // decides when there is one, the last command otherwise, so a host that
    // only sends the command still gets its unit.
    CRegistryAccess registry(ports_.hives, CRegistryAccess::Edition::Plugin);
    std::string stored;
    if (registry.SetRootKey(HKEY_CURRENT_USER) &&
        registry.QueryString(kHostSettingsKey, kTemperatureUnitValue, stored)) {
        return ReadPageCelsiusFlag(registry);
    }
    return celsius_;
}

VARN_WINDOW CZefanSettingDlg::CreatePage(VARN_WINDOW parent)
{
    if (window_) {
        return window_->Handle();
    }
    celsius_ = CelsiusForPage();
    hwmon::ReadReferenceTemperatureSelector(ports_.port, referenceSelector_);

    FanPageSetup setup;
    setup.fans = shownFans_;
    setup.references = PageReferences(sources_);
    setup.secondCpuFan = secondCpuFan_;
    setup.referenceSelector = referenceSelector_;
    setup.celsius = celsius_;
    setup.boardFile = "Board file: " + board::DescribeBoardFile(boardFile_);
    setup.changed = [] { NotifyDialogChanged(); };
    setup.apply = [this] { ApplyPage(); };
    model_ = std::make_unique<CFanPageModel>(std::move(setup));

    window_ = ports_.pages.Create(parent, *model_);
    if (!window_) {
        model_.reset();
        return nullptr;
    }
    model_->Fill(window_->View());
    return window_->Handle();
}

bool CZefanSettingDlg::WriteSelector()
{
    referenceSelector_ = model_->ReferenceSelector();
    return hwmon::WriteReferenceTemperatureSelector(ports_.port, referenceSelector_);
}

bool CZefanSettingDlg::ApplyPage()
{
    WriteSelector();
    model_->Commit();
    return SaveSettings();
}

void CZefanSettingDlg::ClosePage()
{
    if (model_) {
        model_->DetachView();
    }
    window_.reset();
    model_.reset();
}

int32_t CZefanSettingDlg::OnOK()
{
    if (window_) {
        model_->Commit();
        SaveSettings();
        model_->Refresh();
        WriteSelector();
        ClosePage();
    }
    return Release();
}

int32_t CZefanSettingDlg::OnCancel()
{
    ClosePage();
    return Release();
}

int32_t CZefanSettingDlg::OnApply()
{
    if (!window_) {
        return 0;
    }
    return ApplyPage() ? 1 : 0;
}

void* CreateZefanObject(const char* name, const ZefanPorts& ports, const ZefanStartup& startup)
{
    try {
        auto object = std::make_unique<CZefanSettingDlg>(ports, startup);
        void* out = nullptr;
        if (object->QueryInterface(name, &out) != VARN_QI_FOUND) {
            // Nobody can reach the object: it is discarded (its destructor
            // still stores what the start-up programmed).
            return nullptr;
        }
        object.release();
        return out;
    } catch (...) {
        return nullptr;
    }
}

}  // namespace zefan
