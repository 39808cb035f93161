#include "monplugin/MonitorPlugin.h"

#include <cstring>

#include "board/MonitorItems.h"
#include "monplugin/BeepEnables.h"
#include "monplugin/MonitorDocument.h"
#include "plugin_api/kit/HostCallback.h"
#include "plugin_api/kit/HostTemperatureUnit.h"

namespace monitor {

namespace {

bool WaitingForChip(const std::vector<SetupItem>& setup)
{
    for (const SetupItem& item : setup) {
        if (item.item.hiFromChip || item.item.loFromChip) {
            return true;
        }
    }
    return false;
}

std::vector<MonitorItem> ItemsOf(const std::vector<SetupItem>& setup)
{
    std::vector<MonitorItem> items;
    for (const SetupItem& item : setup) {
        items.push_back(item.item);
    }
    return items;
}

// The page's settings over the item; a limit the user gave is no longer
// the chip's to give.
bool ApplySettings(MonitorItem& item, const ItemSettings& settings)
{
    const ItemSettings before = SettingsOf(item);
    const bool changed = before.enable != settings.enable || before.beepEnable != settings.beepEnable ||
                         before.shutDownEnable != settings.shutDownEnable || before.hiLimit != settings.hiLimit ||
                         before.loLimit != settings.loLimit;
    item.hiFromChip = item.hiFromChip && before.hiLimit == settings.hiLimit;
    item.loFromChip = item.loFromChip && before.loLimit == settings.loLimit;
    item.enable = settings.enable;
    item.beepEnable = settings.beepEnable;
    item.shutDownEnable = settings.shutDownEnable;
    item.hiLimit = settings.hiLimit;
    item.loLimit = settings.loLimit;
    return changed;
}

}  // namespace

CMonitorPlugin::CMonitorPlugin(MonitorPorts ports, const MonitorStartup& startup)
    : CPagedPluginObject(kPluginId, ports.pages),
      port_(ports.port),
      chipStatus_(std::move(ports.chipStatus)),
      hives_(ports.hives),
      clock_(ports.clock),
      timer_(std::move(ports.timer)),
      powerOff_(std::move(ports.powerOff)),
      notice_(std::move(ports.notice)),
      sampler_(port_),
      guard_(clock_, *powerOff_, *notice_),
      warning_([](int value) { return pluginkit::NotifyHost(kPluginId, VARN_EVT_HARDWARE_WARNING, value); })
{
    boardFile_ = board::ChooseBoardFile(startup.machine, startup.board);
    int itemCount = 0;
    std::vector<board::MonitorItemRecord> records;
    // A missing or broken board file leaves fewer items, or none.
    board::ReadMonitorItems(startup.board, boardFile_.path, itemCount, records);
    setup_ = SetupItemsOf(records, hives_);
    ReadChipLimits(port_, setup_);
    StoreIdentities(hives_, setup_);
    items_ = ItemsOf(setup_);
    status_.resize(items_.size());
    timer_->Start(kTimerPeriodMs, true, [this] { SampleIfOlderThan(kTimerSampleAgeMs); });
}

CMonitorPlugin::~CMonitorPlugin()
{
    ClosePage();
    timer_->Stop();
    notice_->Close();
}

bool CMonitorPlugin::Celsius() const
{
    return pluginkit::PageShowsCelsius(hives_, celsiusCommand_);
}

int32_t CMonitorPlugin::SendCommand(const char* command, VARN_VALUE value1, VARN_VALUE)
{
    if (command != nullptr && std::strcmp(command, VARN_CMD_SET_TEMPERATURE_DISP) == 0) {
        celsiusCommand_ = value1 == 0;
    }
    return 0;
}

int32_t CMonitorPlugin::GetData(char* buffer, int32_t)
{
    SampleIfOlderThan(kDocumentSampleAgeMs);
    pluginkit::WriteDocument(Document(), buffer);
    return 1;
}

std::string CMonitorPlugin::Document() const
{
    const MonitorSnapshot snapshot{items_,
                                   status_,
                                   history_,
                                   {Celsius(), boardFile_.found, lostChip_},
                                   board::DescribeBoardFile(boardFile_),
                                   [this](std::size_t item) { return guard_.NoteFor(item); }};
    return MonitorDocument(snapshot);
}

void CMonitorPlugin::SampleIfOlderThan(std::int64_t ageMs)
{
    if (!lastSampleMs_ || clock_.NowMs() - *lastSampleMs_ >= ageMs) {
        Sample();
    }
}

void CMonitorPlugin::Sample()
{
    const std::int64_t now = clock_.NowMs();
    // Taken before anything is told: the host may ask for a document from
    // inside the warning's callback, and must not make us read again.
    lastSampleMs_ = now;
    readings_ = sampler_.Read(items_);
    const bool lost = ChipLost(readings_);
    lostChip_ = !lost ? std::string() : chipStatus_ ? chipStatus_().Line() : std::string("no answer");
    // Limits the chip did not give at the start come once it answers.
    if (!lost && WaitingForChip(setup_)) {
        ReadChipLimits(port_, setup_);
        StoreIdentities(hives_, setup_);
        items_ = ItemsOf(setup_);
    }
    std::vector<std::optional<double>> values;
    for (const Reading& reading : readings_) {
        values.push_back(reading.outcome == Reading::Outcome::Read ? std::optional<double>(reading.value)
                                                                   : std::nullopt);
    }
    history_.Record(now, values);
    JudgeAll();
}

void CMonitorPlugin::JudgeAll()
{
    for (std::size_t i = 0; i < items_.size(); ++i) {
        const Reading reading = i < readings_.size() ? readings_[i] : Reading{};
        status_[i].verdict = Judge(items_[i], reading, status_[i].verdict.state);
        status_[i].value =
            reading.outcome == Reading::Outcome::Read ? std::optional<double>(reading.value) : std::nullopt;
    }
    guard_.Update(items_, status_, Celsius());
    warning_.Update(WarningCount(status_) > 0);
}

std::unique_ptr<CMonitorPage> CMonitorPlugin::MakePage()
{
    return std::make_unique<CMonitorPage>(
        items_, Celsius(), [] { pluginkit::NotifyHost(kPluginId, VARN_EVT_DLG_CHANGED, 0); });
}

bool CMonitorPlugin::Commit(const CMonitorPage& page)
{
    CMonitorPage* open = OpenPage();
    const std::string refusal = page.Refusal();
    if (!refusal.empty()) {
        if (open != nullptr) {
            open->ShowMessage(refusal, true);
        }
        return false;
    }
    const std::vector<ItemSettings>& edited = page.Edited();
    bool stored = true;
    for (std::size_t i = 0; i < setup_.size() && i < edited.size(); ++i) {
        // Only what the user changed: a limit still to come from the chip
        // must not be stored as the page's placeholder.
        if (ApplySettings(setup_[i].item, edited[i])) {
            stored = board::SaveMonitorSettings(hives_, IdentityOf(setup_[i].item)) && stored;
        }
    }
    items_ = ItemsOf(setup_);
    const int beep = ProgramBeepEnables(port_, items_);
    if (open != nullptr) {
        if (!stored) {
            open->ShowMessage("The settings could not be stored.", true);
        } else if (beep < 0) {
            const std::string backend = chipStatus_ ? chipStatus_().Line() : std::string("no answer");
            open->ShowMessage("Stored, but the chip's beep enables could not be written (" + backend + ").", true);
        } else {
            open->ShowMessage("", false);
        }
    }
    JudgeAll();
    return stored;
}

void* CreateMonitorObject(const char* name, const std::function<MonitorPorts()>& make, const MonitorStartup& startup)
{
    return pluginkit::CreatePluginObject(name, [&] { return std::make_unique<CMonitorPlugin>(make(), startup); });
}

}  // namespace monitor
