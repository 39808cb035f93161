#include "SkinCommandDispatch.h"

#include <cctype>
#include <limits>
#include <vector>

const SkinCommandRow kSkinCommandTable[7] = {
    {"SETUP", false, SkinCommandKind::Setup},
    {"CLOSE", false, SkinCommandKind::Close},
    {"CHANGESKIN", false, SkinCommandKind::ChangeSkin},
    {"TOP", false, SkinCommandKind::Top},
    {"TRANSPARENTDLG", false, SkinCommandKind::TransparentDlg},
    {".xml", true, SkinCommandKind::SkinFile},
    {"MIN", false, SkinCommandKind::Min},
};

SkinCommandKind ClassifySkinCommand(std::string_view command) {
    for (const SkinCommandRow& row : kSkinCommandTable) {
        const bool match = row.contains ? command.find(row.text) != std::string_view::npos : command == row.text;
        if (match) return row.kind;
    }
    return SkinCommandKind::SelectPlugin;
}

int DispatchSkinCommand(const std::string& command, ISkinCommandTarget& target) {
    switch (ClassifySkinCommand(command)) {
    case SkinCommandKind::Setup: target.RunSettings(); break;
    case SkinCommandKind::Close: target.CloseProgram(); break;
    case SkinCommandKind::ChangeSkin: target.ShowSkinSelection(); break;
    case SkinCommandKind::Top: target.ToggleTopmost(); break;
    case SkinCommandKind::TransparentDlg: target.RunTransparency(); break;
    case SkinCommandKind::SkinFile: target.ChangeSkinFromCommand(command); break;
    case SkinCommandKind::Min: target.MinimizeFromSkin(); break;
    case SkinCommandKind::SelectPlugin: return target.SelectPluginView(command);
    }
    return kClickHandled;
}

std::int32_t DecimalValue(std::string_view text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > std::numeric_limits<std::int32_t>::max()) {
            value = std::numeric_limits<std::int32_t>::max() + 1LL;
            break;
        }
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<std::int32_t>::max()) value = std::numeric_limits<std::int32_t>::max();
    if (value < std::numeric_limits<std::int32_t>::min()) value = std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

NavigationCommand ParseNavigationCommand(std::string_view address) {
    const std::size_t slash = address.rfind('/');
    const std::string_view segment = slash == std::string_view::npos ? address : address.substr(slash + 1);
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (fields.size() < 4) {
        const std::size_t colon = segment.find(':', start);
        if (colon == std::string_view::npos) {
            fields.push_back(segment.substr(start));
            break;
        }
        fields.push_back(segment.substr(start, colon - start));
        start = colon + 1;
    }
    fields.resize(4);
    return {std::string(fields[0]), std::string(fields[1]), DecimalValue(fields[2]), DecimalValue(fields[3])};
}
