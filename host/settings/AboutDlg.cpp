#include "AboutDlg.h"

#include "RegistryAccess.h"
#include "RegistryHives.h"
#include "VersionReader.h"

#include <algorithm>
#include <cctype>

namespace {

struct BackendRow {
    const char* name;  // as stored, compared without case
    const char* line;
};

constexpr BackendRow kBackends[] = {
    {"simulated", "Fan chip: simulated, fans not real"},
    {"direct", "Fan chip: real hardware (direct)"},
};

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

}  // namespace

CAboutDlg::CAboutDlg(std::vector<AboutEntry> entries, IRegistryHives* hives, BackendLineSource backendLine)
    : entries_(std::move(entries)), hives_(hives), backendLine_(std::move(backendLine)) {}

AboutEntry CAboutDlg::EntryFor(const std::string& libraryPath) {
    const std::size_t slash = libraryPath.find_last_of("/\\");
    return {slash == std::string::npos ? libraryPath : libraryPath.substr(slash + 1),
            CVersionReader::VersionText(libraryPath)};
}

std::string CAboutDlg::BackendLine() const {
    if (backendLine_) return backendLine_();
    CRegistryAccess registry = hives_ ? CRegistryAccess(*hives_) : CRegistryAccess();
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    std::string stored;
    if (!registry.QueryString("SOFTWARE\\VARN\\VARNIO", "Backend", stored)) stored = "simulated";
    for (const BackendRow& row : kBackends)
        if (Lower(stored) == row.name) return row.line;
    // The port library refuses a backend it does not know: no fan is driven.
    return "Fan chip: \"" + stored.substr(0, 16) + "\" refused, fans not driven";
}

bool CAboutDlg::OnInitDialog(IAboutView& view) {
    view.SetVersionLine(kVersionLine);
    view.SetBackendLine(BackendLine());
    if (!sessionLine_.empty()) view.SetSessionLine(sessionLine_);
    view.AddColumn("Plug-In");
    view.AddColumn("Version");
    // A plug-in that reports its state (a mode plug-in without its system
    // service, say) gets it shown; the list keeps two columns otherwise.
    const bool states = std::any_of(entries_.begin(), entries_.end(),
                                    [](const AboutEntry& entry) { return !entry.state.empty(); });
    if (states) view.AddColumn("State");
    for (const AboutEntry& entry : entries_) {
        view.AddRow(entry.fileName, entry.versionText);
        if (states) view.SetRowState(entry.state);
    }
    return true;
}
