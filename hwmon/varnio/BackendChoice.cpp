#include "hwmon/varnio/BackendChoice.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

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

}  // namespace

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

namespace {

BackendChoice Refuse(BackendReport report, const BackendRefusal& why)
{
    report.active = kNoBackend;
    report.refusal = why.text;
    report.problem = why.problem;
    report.problemSummary = why.summary;
    return {std::make_unique<CRefusingPort>(), std::move(report)};
}

}  // namespace

BackendChoice ChooseBackend(const BackendSettings& settings, IBackendFactory& factory)
{
    BackendReport report;
    report.requestedByDefault = settings.backend.empty();
    std::string requested = Lower(settings.backend);
    if (report.requestedByDefault) {
        // A machine whose administrator set up the service has its socket;
        // everywhere else the fans are simulated until someone says otherwise.
        requested = factory.ServiceSocketExists(settings.SocketPath()) ? kServiceBackend : kSimulatedBackend;
    }
    report.requested = report.requestedByDefault ? requested : settings.backend;

    BackendOpening opening;
    std::unique_ptr<IPortIo> port;
    if (requested == kSimulatedBackend) {
        std::uint8_t chipId = 0;
        if (!ParseChipId(settings.chipId, chipId)) {
            return Refuse(std::move(report), {BackendProblem::BadSetting, "the simulated chip id is not valid",
                                              "the simulated chip id \"" + settings.chipId +
                                                  "\" is neither 0xA1 nor 0xC1"});
        }
        const std::string stateFile = settings.stateFile.empty() ? factory.DefaultStateFile() : settings.stateFile;
        port = factory.OpenSimulated(stateFile, chipId, opening);
    } else if (requested == kDirectBackend) {
        port = factory.OpenDirect(opening);
    } else if (requested == kServiceBackend) {
        port = factory.OpenService(settings.SocketPath(), opening);
    } else {
        return Refuse(std::move(report),
                      {BackendProblem::UnknownBackend, "unknown backend",
                       "unknown backend \"" + settings.backend + "\" (use \"" + kServiceBackend + "\", \"" +
                           kSimulatedBackend + "\" or \"" + kDirectBackend + "\")"});
    }
    if (port == nullptr) {
        return Refuse(std::move(report), opening.refusal);
    }
    report.active = requested;
    report.detail = opening.detail;
    report.chip = opening.chip;
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

BackendStatus StatusOfReport(const BackendReport& report)
{
    BackendStatus status;
    status.backend = report.active == kNoBackend ? Lower(report.requested) : report.active;
    status.simulated = report.active == kSimulatedBackend;
    if (report.active == kNoBackend) {
        status.state = BackendState::Refused;
        status.problem = report.problem;
        status.summary = "refused, " + report.problemSummary;
        return status;
    }
    status.state = BackendState::Working;
    status.summary = report.chip + (status.simulated ? ", fans not real" : "");
    return status;
}

std::string ShortChipName(std::uint8_t chipId)
{
    char text[48];
    std::snprintf(text, sizeof text, "%s id 0x%02X", chipId == 0xC1 ? "W83627DHG" : "W83627EHF", chipId);
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
