#include "hwmon/varnio/BackendChoice.h"

#include <algorithm>
#include <cctype>

#include "hwmon/varnio/RefusingPort.h"

namespace hwmon {
namespace {

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

struct ChipIdName {
    const char* text;
    std::uint8_t id;
};

constexpr ChipIdName kChipIds[] = {
    {"", 0xA1}, {"0xa1", 0xA1}, {"a1", 0xA1}, {"0xc1", 0xC1}, {"c1", 0xC1},
};

bool ParseChipId(const std::string& text, std::uint8_t& id)
{
    const std::string lower = Lower(text);
    for (const auto& entry : kChipIds) {
        if (lower == entry.text) {
            id = entry.id;
            return true;
        }
    }
    return false;
}

BackendChoice Refuse(BackendReport report, std::string why)
{
    report.active = kNoBackend;
    report.refusal = std::move(why);
    return {std::make_unique<CRefusingPort>(), std::move(report)};
}

}  // namespace

BackendChoice ChooseBackend(const BackendSettings& settings, IBackendFactory& factory)
{
    BackendReport report;
    report.requestedByDefault = settings.backend.empty();
    const std::string requested = report.requestedByDefault ? kSimulatedBackend : Lower(settings.backend);
    report.requested = report.requestedByDefault ? kSimulatedBackend : settings.backend;

    std::string detail;
    std::string why;
    std::unique_ptr<IPortIo> port;
    if (requested == kSimulatedBackend) {
        std::uint8_t chipId = 0;
        if (!ParseChipId(settings.chipId, chipId)) {
            return Refuse(std::move(report), "the simulated chip id \"" + settings.chipId +
                                                 "\" is neither 0xA1 nor 0xC1");
        }
        const std::string stateFile = settings.stateFile.empty() ? factory.DefaultStateFile() : settings.stateFile;
        port = factory.OpenSimulated(stateFile, chipId, detail, why);
    } else if (requested == kDirectBackend) {
        port = factory.OpenDirect(detail, why);
    } else {
        return Refuse(std::move(report), "unknown backend \"" + settings.backend + "\" (use \"" +
                                             kSimulatedBackend + "\" or \"" + kDirectBackend + "\")");
    }
    if (port == nullptr) {
        return Refuse(std::move(report), why);
    }
    report.active = requested;
    report.detail = detail;
    return {std::move(port), std::move(report)};
}

std::string FormatBackendReport(const BackendReport& report)
{
    std::string text = "backend: " + report.active + " (requested: " + report.requested +
                       (report.requestedByDefault ? ", the default" : "") + ")";
    if (!report.refusal.empty()) {
        text += "\nrefused: " + report.refusal;
    }
    if (!report.detail.empty()) {
        text += "\n" + report.detail;
    }
    return text;
}

std::string ClaimFileFor(const BackendSettings& settings, const std::string& defaultStateFile)
{
    if (Lower(settings.backend) == kDirectBackend) {
        return kDirectClaimFile;
    }
    return (settings.stateFile.empty() ? defaultStateFile : settings.stateFile) + ".claim";
}

}  // namespace hwmon
