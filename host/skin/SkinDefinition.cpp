#include "SkinDefinition.h"

#include <algorithm>
#include <utility>

#include "FileParseCache.h"
#include "NoThrow.h"

namespace {

constexpr std::string_view kSkinPath = "VARNSKINDEFINE/SKIN";
constexpr std::string_view kApplicationPath = "VARNSKINDEFINE/SKIN/APPLICATION";
constexpr std::string_view kXslPath = "VARNSKINDEFINE/SKIN/XSL";
constexpr std::string_view kImagePath = "VARNSKINDEFINE/SKIN/IMAGE";
constexpr std::string_view kJavaScriptPath = "VARNSKINDEFINE/SKIN/JAVASCRIPT";
constexpr std::string_view kPluginDialogPath = "VARNSKINDEFINE/SKIN/PLUGIN_DIALOG";

struct SectionPaths {
    std::string_view group;        // the GROUP containers
    std::string_view groupButton;  // their children
    std::string_view button;       // buttons outside groups
};

constexpr SectionPaths kSections[] = {
    {"VARNSKINDEFINE/SKIN/NORMALBUTTON/GROUP", "VARNSKINDEFINE/SKIN/NORMALBUTTON/GROUP/BUTTON",
     "VARNSKINDEFINE/SKIN/NORMALBUTTON/BUTTON"},
    {"VARNSKINDEFINE/SKIN/JSBUTTON/GROUP", "VARNSKINDEFINE/SKIN/JSBUTTON/GROUP/BUTTON",
     "VARNSKINDEFINE/SKIN/JSBUTTON/BUTTON"},
};

const SectionPaths& PathsOf(SkinButtonSection section) {
    return kSections[section == SkinButtonSection::Script ? 1 : 0];
}

// How a button image attribute becomes a path: the first three always get
// the folder in front, the others only when they are not empty.
struct ImageAttribute {
    std::string_view name;
    std::string SkinButton::*field;
    bool emptyMeansNone;
};

constexpr ImageAttribute kImageAttributes[] = {
    {"IMAGE", &SkinButton::image, false},
    {"DOWNIMAGE", &SkinButton::downImage, false},
    {"OVERIMAGE", &SkinButton::overImage, false},
    {"DISABLEIMAGE", &SkinButton::disableImage, true},
    {"FOCUSIMAGE", &SkinButton::focusImage, true},
    {"MASKIMAGE", &SkinButton::maskImage, true},
};

// Reads the attributes of one element; every read starts from an empty value
// (an absent attribute leaves the buffer as it was) and collects cuts.
class ElementReader {
public:
    // groupChild: the element is child `index` of GROUP number `group`.
    ElementReader(const CXmlDocument& doc, std::string_view path, int group, int index,
                  bool groupChild)
        : doc_(doc), path_(path), group_(group), index_(index), groupChild_(groupChild) {}

    bool Read(std::string_view name, std::string& value) {
        value.clear();
        bool cutNow = false;
        const bool found =
            groupChild_
                ? doc_.ReadGroupChildAttribute(path_, group_, index_, name, value,
                                               kAttributeMaxChars, &cutNow)
                : doc_.ReadAttribute(path_, 0, index_, name, value, kAttributeMaxChars, &cutNow);
        cut_ = cut_ || cutNow;
        return found;
    }
    std::string Text(std::string_view name) {
        std::string value;
        Read(name, value);
        return value;
    }
    int Number(std::string_view name) { return ParseSkinNumber(Text(name)); }
    bool Flag(std::string_view name) { return ParseSkinFlag(Text(name)); }
    bool Cut() const { return cut_; }

private:
    const CXmlDocument& doc_;
    std::string_view path_;
    int group_;
    int index_;
    bool groupChild_;
    bool cut_ = false;
};

ElementReader First(const CXmlDocument& doc, std::string_view path) {
    return ElementReader(doc, path, 0, 0, false);
}

// folder + value when the value is not empty, "" otherwise.
std::string JoinUnlessEmpty(const std::string& folder, const std::string& value) {
    return value.empty() ? std::string{} : JoinSkinFile(folder, value);
}

SkinButton ReadButtonAt(const CXmlDocument& doc, const std::string& folder,
                        SkinButtonSection section, int group, int index) {
    SkinButton button;
    button.section = section;
    button.group = group;
    const bool inGroup = group >= 0;
    const SectionPaths& paths = PathsOf(section);
    ElementReader reader(doc, inGroup ? paths.groupButton : paths.button, inGroup ? group : 0,
                         index, inGroup);

    // A child that is not a BUTTON element (a comment in a GROUP) still makes
    // a button, with nothing on it.
    if (!reader.Read("ID", button.id)) return button;
    button.described = true;
    const bool script = section == SkinButtonSection::Script;
    if (script) button.call = reader.Text("CALL");
    if (!inGroup) button.checkBox = reader.Flag("CHECKBOX");
    for (const ImageAttribute& image : kImageAttributes) {
        // Script buttons outside groups never have a focus image.
        if (script && !inGroup && image.field == &SkinButton::focusImage) continue;
        const std::string value = reader.Text(image.name);
        button.*image.field =
            image.emptyMeansNone ? JoinUnlessEmpty(folder, value) : JoinSkinFile(folder, value);
    }
    button.x = reader.Number("X");
    button.y = reader.Number("Y");
    button.height = reader.Number("HEIGHT");
    button.width = reader.Number("WIDTH");
    button.tip = reader.Text("TIP");
    button.cut = reader.Cut();
    return button;
}

// One attribute of the first element of path in a definition file; "" when
// the file is missing or does not parse.
std::string ReadFromFile(const std::string& definitionPath, std::string_view path,
                         std::string_view name) {
    CXmlDocument doc;
    if (!doc.LoadFile(definitionPath)) return {};
    return First(doc, path).Text(name);
}

// The plug-in view's fields of a definition file, asked for at every tick:
// parsed again only when the file changed. Empty when it does not parse.
struct PluginDialogFields {
    std::string source;
    std::string initial;
    bool shown = false;
    int x = 0;
    int y = 0;
};

PluginDialogFields ReadPluginDialog(const std::string& definitionPath) {
    CXmlDocument doc;
    if (!doc.LoadFile(definitionPath)) return {};
    ElementReader reader = First(doc, kPluginDialogPath);
    return {reader.Text("SRC"), reader.Text("INIT"), reader.Flag("SHOW"), reader.Number("X"), reader.Number("Y")};
}

const PluginDialogFields& PluginDialogOf(const std::string& definitionPath) {
    static CFileParseCache<PluginDialogFields> cache(ReadPluginDialog);
    return cache.Get(definitionPath);
}

}  // namespace

CSkinDefinition::CSkinDefinition(const CXmlDocument& definition, std::string skinFolder)
    : doc_(definition), folder_(SkinFolderWithSeparator(std::move(skinFolder))) {}

SkinFrame CSkinDefinition::ReadSkin() const {
    return NoThrow(SkinFrame{}, [&]() -> SkinFrame {
        ElementReader reader = First(doc_, kSkinPath);
        SkinFrame frame;
        frame.name = reader.Text("NAME");
        frame.backgroundPath = JoinSkinFile(folder_, reader.Text("BACKGROUND"));
        frame.rgnPath = JoinSkinFile(folder_, reader.Text("RGN"));
        frame.cut = reader.Cut();
        return frame;
    });
}

SkinApplication CSkinDefinition::ReadApplication() const {
    return NoThrow(SkinApplication{}, [&]() -> SkinApplication {
        ElementReader reader = First(doc_, kApplicationPath);
        SkinApplication application;
        application.name = reader.Text("NAME");
        if (!application.name.empty()) {
            application.iconPath = JoinSkinFile(folder_, reader.Text("ICON"));
            application.timer = reader.Flag("TIMER");
        }
        application.cut = reader.Cut();
        return application;
    });
}

std::string CSkinDefinition::ReadXslPath() const {
    return NoThrow(std::string{}, [&]() -> std::string {
        return JoinUnlessEmpty(folder_, First(doc_, kXslPath).Text("SRC"));
    });
}

bool CSkinDefinition::HasJavaScript() const { return doc_.CountElements(kJavaScriptPath) > 0; }

std::string CSkinDefinition::ReadJavaScriptPath() const {
    return NoThrow(std::string{}, [&]() -> std::string {
        return JoinSkinFile(folder_, First(doc_, kJavaScriptPath).Text("SRC"));
    });
}

SkinPluginDialog CSkinDefinition::ReadPluginDialog() const {
    return NoThrow(SkinPluginDialog{}, [&]() -> SkinPluginDialog {
        ElementReader reader = First(doc_, kPluginDialogPath);
        SkinPluginDialog dialog;
        dialog.src = reader.Text("SRC");
        dialog.init = reader.Text("INIT");
        dialog.show = reader.Flag("SHOW");
        if (dialog.show) {
            dialog.x = reader.Number("X");
            dialog.y = reader.Number("Y");
        }
        dialog.cut = reader.Cut();
        return dialog;
    });
}

int CSkinDefinition::CountImages() const { return doc_.CountElements(kImagePath); }

SkinImage CSkinDefinition::ReadImage(int index) const {
    return NoThrow(SkinImage{}, [&]() -> SkinImage {
        ElementReader reader(doc_, kImagePath, 0, index, false);
        SkinImage image;
        image.id = reader.Text("ID");
        image.src = JoinUnlessEmpty(folder_, reader.Text("SRC"));
        image.x = reader.Number("X");
        image.y = reader.Number("Y");
        image.z = reader.Number("Z");
        image.cut = reader.Cut();
        return image;
    });
}

std::vector<SkinImage> CSkinDefinition::ReadImages(std::size_t limit) const {
    return NoThrow(std::vector<SkinImage>{}, [&]() -> std::vector<SkinImage> {
        std::vector<SkinImage> images;
        const int count = CountImages();
        images.reserve(std::min(static_cast<std::size_t>(count), limit));
        for (int i = 0; i < count && images.size() < limit; ++i) images.push_back(ReadImage(i));
        return images;
    });
}

int CSkinDefinition::CountGroups(SkinButtonSection section) const {
    return doc_.CountElements(PathsOf(section).group);
}

int CSkinDefinition::CountGroupButtons(SkinButtonSection section, int group) const {
    return doc_.CountGroupChildren(PathsOf(section).groupButton, group);
}

SkinButton CSkinDefinition::ReadGroupButton(SkinButtonSection section, int group, int child) const {
    return NoThrow(SkinButton{}, [&]() -> SkinButton {
        if (group < 0) group = 0;  // group -1 would mean "not in a group"
        return ReadButtonAt(doc_, folder_, section, group, child);
    });
}

int CSkinDefinition::CountButtons(SkinButtonSection section) const {
    return doc_.CountElements(PathsOf(section).button);
}

SkinButton CSkinDefinition::ReadButton(SkinButtonSection section, int index) const {
    return NoThrow(SkinButton{},
                   [&]() -> SkinButton { return ReadButtonAt(doc_, folder_, section, -1, index); });
}

std::vector<SkinButton> CSkinDefinition::ReadButtons(std::size_t limit) const {
    return NoThrow(std::vector<SkinButton>{}, [&]() -> std::vector<SkinButton> {
        std::vector<SkinButton> buttons;
        for (SkinButtonSection section : {SkinButtonSection::Normal, SkinButtonSection::Script}) {
            const int groups = CountGroups(section);
            for (int g = 0; g < groups; ++g) {
                const int children = CountGroupButtons(section, g);
                for (int n = 0; n < children && buttons.size() < limit; ++n)
                    buttons.push_back(ReadGroupButton(section, g, n));
            }
            const int count = CountButtons(section);
            for (int i = 0; i < count && buttons.size() < limit; ++i) buttons.push_back(ReadButton(section, i));
        }
        return buttons;
    });
}

std::string CSkinDefinition::GetSkinName(const std::string& definitionPath) {
    return NoThrow(std::string{}, [&]() -> std::string {
        return ReadFromFile(definitionPath, kSkinPath, "NAME");
    });
}

std::string CSkinDefinition::GetPluginViewSource(const std::string& definitionPath) {
    return NoThrow(std::string{}, [&]() -> std::string { return PluginDialogOf(definitionPath).source; });
}

std::string CSkinDefinition::GetPluginViewInit(const std::string& definitionPath) {
    return NoThrow(std::string{}, [&]() -> std::string { return PluginDialogOf(definitionPath).initial; });
}

bool CSkinDefinition::GetPluginViewPlacement(const std::string& definitionPath, int& x, int& y) {
    return NoThrow(false, [&]() -> bool {
        const PluginDialogFields& dialog = PluginDialogOf(definitionPath);
        if (!dialog.shown) return false;
        x = dialog.x;
        y = dialog.y;
        return true;
    });
}
