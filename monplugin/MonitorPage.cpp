#include "monplugin/MonitorPage.h"

#include <cmath>

#include "monplugin/MonitorTexts.h"
#include "plugin_api/kit/TemperatureUnits.h"

namespace monitor {

namespace {

constexpr const char* kExplanation =
    "Velmar warns when a watched reading leaves these limits; a temperature warns above its high limit "
    "and the warning clears at or below its low limit. The chip beeps at its own limits, which are not "
    "changed here: Beep only switches its beep for the input on or off. Power off: a reading that stays "
    "above its high limit for 30 seconds powers the computer off.";

struct UnitRule {
    int decimals;
    double minimum;
    double maximum;
};

// What a limit can be set to, in the stored unit.
UnitRule RuleOf(ItemClass itemClass)
{
    switch (itemClass) {
    case ItemClass::Temperature: return {0, -40.0, 125.0};
    case ItemClass::Fan: return {0, 0.0, 50000.0};
    default: return {3, -100.0, 100.0};
    }
}

double Fahrenheit(double celsius) { return celsius * 1.8 + 32.0; }

bool Same(double a, double b, int decimals)
{
    return std::fabs(a - b) < 0.5 * std::pow(10.0, -decimals);
}

}  // namespace

ItemSettings SettingsOf(const MonitorItem& item)
{
    return {item.enable, item.beepEnable, item.shutDownEnable, item.hiLimit, item.loLimit};
}

CMonitorPage::CMonitorPage(const std::vector<MonitorItem>& items, bool celsiusUnit, std::function<void()> changed)
    : items_(items), celsius_(celsiusUnit), changed_(std::move(changed))
{
    for (const MonitorItem& item : items_) {
        edited_.push_back(SettingsOf(item));
    }
}

double CMonitorPage::Shown(int row, double limit) const
{
    const bool converted = items_[row].itemClass == ItemClass::Temperature && !celsius_;
    return converted ? Fahrenheit(limit) : limit;
}

double CMonitorPage::Stored(int row, double shown) const
{
    switch (items_[row].itemClass) {
    case ItemClass::Temperature: {
        const int whole = static_cast<int>(std::lround(shown));
        return celsius_ ? whole : pluginkit::TargetFahrenheitToCelsius(whole);
    }
    case ItemClass::Fan: return static_cast<double>(std::lround(shown));
    default: return std::round(shown * 1000.0) / 1000.0;
    }
}

void CMonitorPage::Fill(IMonitorPageView& view)
{
    view_ = &view;
    view.ShowExplanation(kExplanation);
    for (int row = 0; row < static_cast<int>(items_.size()); ++row) {
        const MonitorItem& item = items_[row];
        const UnitRule rule = RuleOf(item.itemClass);
        PageRow shown;
        shown.caption = item.caption;
        shown.unit = item.itemClass == ItemClass::Temperature ? (celsius_ ? "\u00B0C" : "\u00B0F")
                     : item.itemClass == ItemClass::Fan       ? "rpm"
                                                              : "V";
        shown.decimals = rule.decimals;
        shown.minimum = Shown(row, rule.minimum);
        shown.maximum = Shown(row, rule.maximum);
        shown.enabled = edited_[row].enable;
        shown.high = Shown(row, edited_[row].hiLimit);
        shown.low = Shown(row, edited_[row].loLimit);
        shown.lowClears = item.itemClass == ItemClass::Temperature;
        shown.beepAvailable = HasBeepBit(item);
        shown.beep = edited_[row].beepEnable;
        shown.powerOff = edited_[row].shutDownEnable;
        shown.problem = ConfigurationProblem(item);
        view.ShowRow(row, shown);
    }
    view.ShowMessage(Refusal(), true);
}

bool CMonitorPage::Valid(int row) const
{
    return row >= 0 && row < static_cast<int>(items_.size());
}

void CMonitorPage::AfterEdit()
{
    if (view_ != nullptr) {
        const std::string refusal = Refusal();
        view_->ShowMessage(refusal, !refusal.empty());
    }
    if (changed_) {
        changed_();
    }
}

void CMonitorPage::SetEnabled(int row, bool on)
{
    if (Valid(row) && edited_[row].enable != on) {
        edited_[row].enable = on;
        AfterEdit();
    }
}

void CMonitorPage::SetBeep(int row, bool on)
{
    if (Valid(row) && HasBeepBit(items_[row]) && edited_[row].beepEnable != on) {
        edited_[row].beepEnable = on;
        AfterEdit();
    }
}

void CMonitorPage::SetPowerOff(int row, bool on)
{
    if (Valid(row) && edited_[row].shutDownEnable != on) {
        edited_[row].shutDownEnable = on;
        AfterEdit();
    }
}

void CMonitorPage::SetHigh(int row, double shown)
{
    // A value the page shows as it was is no edit: a limit of 80.5 degrees
    // stays 80.5 until the user gives another.
    if (Valid(row) && !Same(shown, Shown(row, edited_[row].hiLimit), RuleOf(items_[row].itemClass).decimals)) {
        edited_[row].hiLimit = Stored(row, shown);
        AfterEdit();
    }
}

void CMonitorPage::SetLow(int row, double shown)
{
    if (Valid(row) && !Same(shown, Shown(row, edited_[row].loLimit), RuleOf(items_[row].itemClass).decimals)) {
        edited_[row].loLimit = Stored(row, shown);
        AfterEdit();
    }
}

std::string CMonitorPage::Refusal() const
{
    for (std::size_t row = 0; row < items_.size(); ++row) {
        const ItemSettings& settings = edited_[row];
        // Limits the board file got wrong are marked on their row; they
        // must not keep the user from storing anything else.
        const bool edited = settings.loLimit != items_[row].loLimit || settings.hiLimit != items_[row].hiLimit;
        if (edited && settings.loLimit > settings.hiLimit) {
            const ItemClass itemClass = items_[row].itemClass;
            return items_[row].caption + ": the low limit (" + DisplayText(itemClass, settings.loLimit, celsius_) +
                   ") is above the high limit (" + DisplayText(itemClass, settings.hiLimit, celsius_) +
                   "). Nothing is stored until it is corrected.";
        }
    }
    return {};
}

void CMonitorPage::ShowMessage(const std::string& text, bool problem)
{
    if (view_ != nullptr) {
        view_->ShowMessage(text, problem);
    }
}

}  // namespace monitor
