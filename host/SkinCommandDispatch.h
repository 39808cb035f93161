// What a skin button's ID or a page navigation means to the main frame. The
// fixed commands are looked up in a table, in the order they are tried; the
// first match decides, so a fixed command is never taken for a skin file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

enum class SkinCommandKind {
    Setup,           // "SETUP": the settings dialog
    Close,           // "CLOSE": SaveAndExit
    ChangeSkin,      // "CHANGESKIN": the skin selection dialog
    Top,             // "TOP": toggle topmost
    TransparentDlg,  // "TRANSPARENTDLG": the transparency dialog
    SkinFile,        // any text containing ".xml": a skin definition to load
    Min,             // "MIN": into the tray
    SelectPlugin,    // any other text: a plug-in identifier for the view
};

struct SkinCommandRow {
    const char* text;
    bool contains;  // true: the row matches any command containing text
    SkinCommandKind kind;
};

extern const SkinCommandRow kSkinCommandTable[7];

SkinCommandKind ClassifySkinCommand(std::string_view command);

// Results of "NORMAL_SKIN_CLICK".
inline constexpr int kClickHandled = 1;
inline constexpr int kClickFailed = 0;          // "Get XML Skin file failed"
inline constexpr int kClickNotANote = -99998;  // the parameter is no live click note

// The frame's side of each command.
class ISkinCommandTarget {
public:
    virtual ~ISkinCommandTarget() = default;
    virtual void RunSettings() = 0;
    virtual void CloseProgram() = 0;
    virtual void ShowSkinSelection() = 0;
    virtual void ToggleTopmost() = 0;
    virtual void RunTransparency() = 0;
    virtual void ChangeSkinFromCommand(const std::string& fileName) = 0;
    virtual void MinimizeFromSkin() = 0;
    // kClickHandled, or kClickFailed when the view's skin is not named.
    virtual int SelectPluginView(const std::string& identifier) = 0;
};

// Runs the command's action; the click's result.
int DispatchSkinCommand(const std::string& command, ISkinCommandTarget& target);

// A plug-in command carried by a navigation: the address's last segment (after
// its last "/") as identifier ":" command ":" value1 ":" value2, fields by
// position, missing ones empty, values as decimal integers (empty is 0).
struct NavigationCommand {
    std::string identifier;
    std::string command;
    std::int32_t value1 = 0;
    std::int32_t value2 = 0;
    bool operator==(const NavigationCommand&) const = default;
};

NavigationCommand ParseNavigationCommand(std::string_view address);

// Leading decimal integer with optional sign; 0 when there is none, clamped
// to the 32-bit range.
std::int32_t DecimalValue(std::string_view text);
