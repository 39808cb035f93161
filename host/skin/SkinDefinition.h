// Reading a skin definition (root VARNSKINDEFINE, one SKIN element) into
// plain descriptions of its parts. Every reader applies the format's defaults:
// a missing element or attribute gives "" / 0 / false, never an error, so a
// definition that does not parse composes a window with nothing on it.
//
// Values are at most 255 characters; a longer one is cut and the description
// says so in its `cut` field. File names in the definition are relative to
// the skin folder and are joined to it by plain concatenation; a "\" inside
// them is taken as a folder separator so skins written with backslashes keep
// working.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "SkinValues.h"
#include "XmlDocument.h"

// SKIN
struct SkinFrame {
    std::string name;            // display name
    std::string backgroundPath;  // folder + BACKGROUND (the folder itself when absent)
    std::string rgnPath;         // folder + RGN, likewise
    bool cut = false;
};

// APPLICATION; when name is empty the element counts as absent and
// iconPath / timer are not read (timer stays at its default, true, so a
// caller can tell "not given" from "FALSE" by name.empty()).
struct SkinApplication {
    std::string name;
    std::string iconPath;  // folder + ICON
    bool timer = true;
    bool cut = false;
};

// IMAGE
struct SkinImage {
    std::string id;
    std::string src;  // folder + SRC, or "" when SRC is empty
    int x = 0;
    int y = 0;
    int z = 0;
    bool cut = false;
};

// NORMALBUTTON buttons only notify the owner; JSBUTTON buttons first call
// their page function.
enum class SkinButtonSection { Normal, Script };

struct SkinButton {
    SkinButtonSection section = SkinButtonSection::Normal;
    int group = -1;          // index of its GROUP within the section; -1 outside groups
    bool described = false;  // false: the node is not a BUTTON element (say, a
                             // comment inside a GROUP); every field keeps its default
    std::string id;
    std::string call;       // script buttons
    bool checkBox = false;  // buttons outside a GROUP
    // IMAGE, DOWNIMAGE and OVERIMAGE are always folder + value; the others are
    // "" when their value is empty (the button then draws its normal image
    // when disabled).
    std::string image;
    std::string downImage;
    std::string overImage;
    std::string disableImage;
    std::string focusImage;  // never read for script buttons outside a GROUP
    std::string maskImage;
    int x = 0;
    int y = 0;
    int height = 0;
    int width = 0;
    std::string tip;
    bool cut = false;

    bool InGroup() const { return group >= 0; }
};

inline constexpr std::size_t kNoPartLimit = static_cast<std::size_t>(-1);

// A window's face holds a few dozen buttons and images. Composition takes at
// most these many of each, so no definition can make it take minutes or give
// the window more widgets than it can draw.
inline constexpr std::size_t kMaxSkinButtons = 1000;
inline constexpr std::size_t kMaxSkinImages = 1000;

// PLUGIN_DIALOG
struct SkinPluginDialog {
    std::string src;  // as written, relative to the skin folder
    std::string init;
    bool show = false;
    int x = 0;  // read only when show is true
    int y = 0;
    bool cut = false;
};

// A read-only view of a parsed definition; the document must outlive it.
class CSkinDefinition {
public:
    // skinFolder is passed through SkinFolderWithSeparator.
    CSkinDefinition(const CXmlDocument& definition, std::string skinFolder);

    const std::string& SkinFolder() const { return folder_; }

    SkinFrame ReadSkin() const;
    SkinApplication ReadApplication() const;
    // folder + XSL SRC, or "" when the element or its SRC is absent or empty
    // (composing with data then fails).
    std::string ReadXslPath() const;
    bool HasJavaScript() const;
    // folder + JAVASCRIPT SRC (the folder itself when SRC is absent).
    std::string ReadJavaScriptPath() const;
    SkinPluginDialog ReadPluginDialog() const;

    int CountImages() const;
    SkinImage ReadImage(int index) const;
    // The first limit of them (all by default).
    std::vector<SkinImage> ReadImages(std::size_t limit = kNoPartLimit) const;

    int CountGroups(SkinButtonSection section) const;
    // Child nodes of the group, comments included: each becomes one button.
    int CountGroupButtons(SkinButtonSection section, int group) const;
    SkinButton ReadGroupButton(SkinButtonSection section, int group, int child) const;
    int CountButtons(SkinButtonSection section) const;  // outside groups
    SkinButton ReadButton(SkinButtonSection section, int index) const;
    // Every button in creation order: normal groups, normal buttons, script
    // groups, script buttons, each in document order; the first limit of them.
    std::vector<SkinButton> ReadButtons(std::size_t limit = kNoPartLimit) const;

    // Short-lived readers of a definition file; "" / false when the file is
    // missing, does not parse or lacks the attribute.
    static std::string GetSkinName(const std::string& definitionPath);
    static std::string GetPluginViewSource(const std::string& definitionPath);
    static std::string GetPluginViewInit(const std::string& definitionPath);
    // When PLUGIN_DIALOG SHOW is "TRUE": x, y := X, Y and true. Otherwise
    // false, x and y untouched.
    static bool GetPluginViewPlacement(const std::string& definitionPath, int& x, int& y);

private:
    const CXmlDocument& doc_;
    std::string folder_;
};
