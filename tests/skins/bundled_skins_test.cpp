// The bundled skins as the host reads them: every definition through the
// skin engine's readers, every bitmap through its decoder, the stylesheets
// through its XSLT wrapper and the plug-in view file through the host's INI
// reader. A skin that passes composes with nothing missing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <regex>
#include <set>
#include <sstream>

#include "Bitmap.h"
#include "IniProfile.h"
#include "PluginViewIni.h"
#include "SkinDefinition.h"
#include "XmlDocument.h"
#include "modeplugin/ModeControl.h"
#include "modeplugin/ModeTexts.h"
#include "modeplugin/doubles/FakePowerProfiles.h"
#include "plugin_api/kit/doubles/ManualTime.h"

namespace fs = std::filesystem;

namespace {

const std::string kSkins = std::string(VELMAR_SKINS_DIR) + "/";
const char* const kMainSkins[] = {"KavoIII.xml", "Slate.xml"};
const char* const kFixedCommands[] = {"SETUP", "CLOSE", "CHANGESKIN", "TOP", "TRANSPARENTDLG", "MIN"};
// What the host calls in a main page's script (start-up, modes, refresh).
const char* const kMainPageFunctions[] = {"OnInitial",     "BeginChangeMode",     "SetAutoPace",
                                          "ProcessEnd",    "VARNEQ_ITEM_WARNING", "VARNEQ_WARNING"};
// What the plug-in view calls; the fan document's section is "FAN".
const char* const kViewPageFunctions[] = {"OnInitial", "ProcessEnd", "FAN_AVAILABILITY", "FAN_STATUSINFO"};
const char* const kFanFields[] = {"CAPTION", "STATUSINFO", "PWM_DUTYCYCLE", "TARGET_TEMP", "TOLERANCE_TEMP", "STOP_PWM"};
constexpr int kChipFanOutputs = 4;

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// A parsed definition with its reader; the reader refers to the document.
struct Skin {
    explicit Skin(const std::string& folder, const std::string& file) {
        loaded = document.LoadFile(folder + file);
        definition = std::make_unique<CSkinDefinition>(document, folder);
    }
    CXmlDocument document;
    std::unique_ptr<CSkinDefinition> definition;
    bool loaded = false;
};

// The view skin as the host finds it: the view file's "xml", split into the
// folder the view is composed from and its file name.
ViewSkinLocation FanViewLocation() {
    const CPluginViewIni ini(kSkins + "PlugInView.ini");
    return SplitViewSkinPath(kSkins, ini.ViewSkin("ZEFAN_PLUGIN"));
}

std::optional<CBitmapPixels> Decode(const std::string& path) { return LoadBmpFile(path); }

bool Inside(const CBitmapPixels& outline, int x, int y) {
    return x >= 0 && y >= 0 && x < outline.width && y < outline.height && !(outline.At(x, y) == kSkinWhite);
}

// Every file a definition names decodes; buttons take their mask's size and
// lie inside the window's outline; images lie inside the window.
void ExpectComplete(const CSkinDefinition& skin, const std::string& name) {
    SCOPED_TRACE(name);
    const SkinFrame frame = skin.ReadSkin();
    EXPECT_FALSE(frame.name.empty());
    const auto outline = Decode(frame.rgnPath);
    const auto background = Decode(frame.backgroundPath);
    ASSERT_TRUE(outline) << frame.rgnPath;
    ASSERT_TRUE(background) << frame.backgroundPath;
    EXPECT_EQ(background->width, outline->width);
    EXPECT_EQ(background->height, outline->height);
    EXPECT_FALSE(Inside(*outline, 0, 0)) << "the outline shapes the window: its corner is outside";
    EXPECT_TRUE(Inside(*outline, outline->width / 2, outline->height / 2));

    for (const SkinImage& image : skin.ReadImages()) {
        const auto pixels = Decode(image.src);
        ASSERT_TRUE(pixels) << image.src;
        EXPECT_LE(image.x + pixels->width, outline->width) << image.id;
        EXPECT_LE(image.y + pixels->height, outline->height) << image.id;
    }

    std::set<std::string> ids;
    for (const SkinButton& button : skin.ReadButtons()) {
        SCOPED_TRACE(button.id);
        EXPECT_TRUE(button.described) << "a group holds something that is not a BUTTON";
        EXPECT_TRUE(ids.insert(button.id).second) << "two buttons with one ID";
        EXPECT_FALSE(button.cut);
        ASSERT_FALSE(button.maskImage.empty());
        const auto mask = Decode(button.maskImage);
        ASSERT_TRUE(mask) << button.maskImage;
        EXPECT_EQ(mask->width, button.width) << "WIDTH should say what the mask makes it";
        EXPECT_EQ(mask->height, button.height);
        std::vector<std::string> faces = {button.image, button.downImage, button.overImage, button.disableImage};
        if (button.InGroup() || button.checkBox) faces.push_back(button.focusImage);
        for (const std::string& face : faces) {
            const auto pixels = Decode(face);
            ASSERT_TRUE(pixels) << face;
            EXPECT_EQ(pixels->width, mask->width) << face;
            EXPECT_EQ(pixels->height, mask->height) << face;
        }
        for (int y = 0; y < mask->height; ++y)
            for (int x = 0; x < mask->width; ++x)
                if (Inside(*mask, x, y)) {
                    ASSERT_TRUE(Inside(*outline, button.x + x, button.y + y)) << x << "," << y;
                }
    }
}

// Function names the script file defines ("function Name(").
std::set<std::string> DefinedFunctions(const std::string& scriptPath) {
    const std::string text = ReadText(scriptPath);
    std::set<std::string> names;
    const std::regex definition(R"(function\s+([A-Za-z_$][\w$]*)\s*\()");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), definition); it != std::sregex_iterator(); ++it)
        names.insert((*it)[1]);
    return names;
}

std::string Transform(const std::string& xslPath, const std::string& data) {
    CXmlDocument stylesheet, document;
    EXPECT_TRUE(stylesheet.LoadFile(xslPath)) << xslPath;
    EXPECT_TRUE(document.LoadText(data));
    std::string html;
    EXPECT_TRUE(document.TransformToText(stylesheet, html)) << xslPath;
    return html;
}

// id -> the text of that element, for elements whose text has no markup.
std::map<std::string, std::string> ElementIds(const std::string& html) {
    std::map<std::string, std::string> ids;
    const std::regex element(R"re(<\w+[^>]*\bID="([^"]*)"[^>]*>([^<]*))re", std::regex::icase);
    for (auto it = std::sregex_iterator(html.begin(), html.end(), element); it != std::sregex_iterator(); ++it)
        ids[(*it)[1]] = (*it)[2];
    return ids;
}

std::string FanDocument() { return ReadText(std::string(VELMAR_TEST_DATA_DIR) + "/skins/fan_status.xml"); }

// What the mode-control plug-in reports with a daemon that offers the usual
// three profiles.
std::string ModeDocument() {
    modes::CFakePowerProfiles daemon;
    daemon.Appear();
    pluginkit::CManualClock clock;
    pluginkit::CManualTimer timer(clock);
    const modes::CModeControl control(daemon, timer, {}, {});
    return modes::ModeDocument(control);
}

}  // namespace

class MainSkin : public ::testing::TestWithParam<const char*> {};

TEST_P(MainSkin, NamesOnlyFilesThatDecodeAndFitsItsButtonsInsideItsOutline) {
    Skin skin(kSkins, GetParam());
    ASSERT_TRUE(skin.loaded);
    ExpectComplete(*skin.definition, GetParam());
    const SkinApplication application = skin.definition->ReadApplication();
    EXPECT_FALSE(application.name.empty());
    EXPECT_TRUE(application.timer);
    EXPECT_EQ(ReadText(application.iconPath).substr(0, 8), "\x89PNG\r\n\x1a\n") << application.iconPath;
}

TEST_P(MainSkin, OffersEveryFixedCommandAndTheSevenModesByNavigation) {
    Skin skin(kSkins, GetParam());
    std::map<std::string, SkinButton> buttons;
    for (const SkinButton& button : skin.definition->ReadButtons()) buttons[button.id] = button;
    for (const char* command : kFixedCommands) {
        ASSERT_TRUE(buttons.count(command)) << command;
        EXPECT_EQ(buttons[command].section, SkinButtonSection::Normal) << command;
    }
    EXPECT_TRUE(buttons["TOP"].checkBox) << "the host checks TOP to show the topmost state";

    std::vector<SkinButton> modes;
    for (const auto& [id, button] : buttons)
        if (button.section == SkinButtonSection::Script && id.starts_with("MODE_")) modes.push_back(button);
    ASSERT_EQ(modes.size(), 7u);
    const std::set<std::string> defined = DefinedFunctions(skin.definition->ReadJavaScriptPath());
    for (const SkinButton& mode : modes) {
        // The mode also changes where no key is pressed (automatic mode, the
        // desktop): a radio key would keep showing an old one.
        EXPECT_FALSE(mode.InGroup()) << mode.id << " is a plain key; the page's mark shows the mode";
        EXPECT_TRUE(defined.count(mode.call)) << mode.call;
        EXPECT_EQ(mode.id.find(".xml"), std::string::npos) << "a mode key must not read as a skin change";
    }
    for (const char* function : kMainPageFunctions) EXPECT_TRUE(defined.count(function)) << function;
    const std::string script = ReadText(skin.definition->ReadJavaScriptPath());
    EXPECT_NE(script.find("var currentMode"), std::string::npos);
    EXPECT_NE(script.find("var autopace"), std::string::npos);
    EXPECT_NE(script.find("\"VARNOCCTRL_PLUGIN\", \"CHANGE_MODE\""), std::string::npos);
    for (const auto& [id, button] : buttons)
        if (!button.call.empty()) {
            EXPECT_TRUE(defined.count(button.call)) << id << " calls " << button.call;
        }
}

// The main page is composed from the frame document; its bound ids must name
// items and fields the fan and mode plug-ins really report, or they stay
// empty.
TEST_P(MainSkin, BindsEachFansDutyToFieldsTheFanDocumentHas) {
    Skin skin(kSkins, GetParam());
    const auto ids = ElementIds(Transform(skin.definition->ReadXslPath(), "<VARN_FRAME></VARN_FRAME>"));
    CXmlDocument fans;
    ASSERT_TRUE(fans.LoadText(FanDocument()));
    CXmlDocument modeDocument;
    ASSERT_TRUE(modeDocument.LoadText(ModeDocument()));
    int bound = 0;
    for (const auto& [id, text] : ids) {
        if (id.find('+') == std::string::npos) continue;
        ++bound;
        const std::size_t first = id.find('+'), last = id.rfind('+');
        ASSERT_NE(first, last) << id;
        const std::string section = id.substr(0, first), item = id.substr(first + 1, last - first - 1);
        const std::string field = id.substr(last + 1);
        const std::string items = "VARN_PLUGIN/" + section + "/ITEM";
        const CXmlDocument& document = section == "MODE" ? modeDocument : fans;
        const int n = document.FindElementByAttribute(items, "NAME", item);
        ASSERT_GE(n, 0) << id;
        std::string value;
        EXPECT_TRUE(document.GetElementText(items + "/" + field, n, value)) << id;
    }
    for (int n = 0; n < kChipFanOutputs; ++n) {
        const std::string item = "FAN+ZEFAN_FAN_" + std::to_string(n) + "+";
        EXPECT_TRUE(ids.count(item + "CAPTION")) << n;
        EXPECT_TRUE(ids.count(item + "PWM_DUTYCYCLE")) << n;
    }
    EXPECT_GE(bound, 2 * kChipFanOutputs);
}

INSTANTIATE_TEST_SUITE_P(Bundled, MainSkin, ::testing::ValuesIn(kMainSkins));

TEST(BundledSkins, SwitchBetweenEachOtherWithinOneFolder) {
    std::set<std::string> names;
    for (const char* file : kMainSkins) {
        names.insert(CSkinDefinition::GetSkinName(kSkins + file));
        // The host keeps the view file of the skin it started with, so every
        // skin must name the same one for the shared values to keep coming.
        EXPECT_EQ(CSkinDefinition::GetPluginViewSource(kSkins + file), "PlugInView.ini") << file;
    }
    EXPECT_EQ(names.size(), std::size(kMainSkins)) << "the skin list shows one name per skin";
    std::size_t listed = 0;
    for (const auto& entry : fs::directory_iterator(kSkins))
        if (entry.path().extension() == ".xml") ++listed;
    EXPECT_EQ(listed, std::size(kMainSkins)) << "only main skins lie where the skin dialog lists *.xml";

    Skin slate(kSkins, "Slate.xml");
    bool switchesBack = false;
    for (const SkinButton& button : slate.definition->ReadButtons())
        if (button.id == "KavoIII.xml") switchesBack = fs::exists(kSkins + button.id);
    EXPECT_TRUE(switchesBack);
}

TEST(BundledSkins, DefaultSkinShowsTheFanViewInsideItsOutline) {
    Skin kavo(kSkins, "KavoIII.xml");
    const SkinPluginDialog dialog = kavo.definition->ReadPluginDialog();
    EXPECT_TRUE(dialog.show);
    EXPECT_EQ(dialog.init, "ZEFAN_PLUGIN");
    bool selects = false;
    for (const SkinButton& button : kavo.definition->ReadButtons())
        if (button.id == dialog.init) selects = button.InGroup() || button.checkBox;
    EXPECT_TRUE(selects) << "the host checks the shown plug-in's button, so it must be a radio or check button";

    const ViewSkinLocation view = FanViewLocation();
    Skin viewSkin(view.folder, view.fileName);
    ASSERT_TRUE(viewSkin.loaded) << view.folder << view.fileName;
    const auto viewOutline = Decode(viewSkin.definition->ReadSkin().rgnPath);
    const auto mainOutline = Decode(kavo.definition->ReadSkin().rgnPath);
    ASSERT_TRUE(viewOutline && mainOutline);
    for (int y = 0; y < viewOutline->height; ++y)
        for (int x = 0; x < viewOutline->width; ++x)
            if (Inside(*viewOutline, x, y)) {
                ASSERT_TRUE(Inside(*mainOutline, dialog.x + x, dialog.y + y)) << x << "," << y;
            }
}

// Without a name and an icon for a plug-in page the settings dialog stops
// at that page; without "share" the face never gets the keys' tips.
TEST(ModePages, IniSectionsNameThePagesAndShareTheDocuments) {
    const CPluginViewIni ini(kSkins + "PlugInView.ini");
    const CIniProfile profile = CIniProfile::Load(kSkins + "PlugInView.ini");
    for (const char* id : {"VARNOCCTRL_PLUGIN", "VARNAUTOPACE_PLUGIN"}) {
        EXPECT_TRUE(ini.SharesData(id)) << id;
        EXPECT_FALSE(profile.GetString(id, "Name", "", 256).empty()) << id;
        const std::string icon = profile.GetString(id, "Icon", "", 256);
        EXPECT_EQ(ReadText(kSkins + icon).substr(0, 8), "\x89PNG\r\n\x1a\n") << id << " " << icon;
    }
}

TEST(FanView, IniSectionNamesAViewSkinThatIsComplete) {
    const CPluginViewIni ini(kSkins + "PlugInView.ini");
    EXPECT_TRUE(ini.UpdatesView("ZEFAN_PLUGIN"));
    EXPECT_TRUE(ini.SharesData("ZEFAN_PLUGIN"));
    const CIniProfile profile = CIniProfile::Load(kSkins + "PlugInView.ini");
    EXPECT_FALSE(profile.GetString("ZEFAN_PLUGIN", "Name", "", 256).empty());
    const std::string icon = profile.GetString("ZEFAN_PLUGIN", "Icon", "", 256);
    EXPECT_EQ(ReadText(kSkins + icon).substr(0, 8), "\x89PNG\r\n\x1a\n") << "the settings list loads " << icon;

    const ViewSkinLocation view = FanViewLocation();
    Skin skin(view.folder, view.fileName);
    ASSERT_TRUE(skin.loaded);
    ExpectComplete(*skin.definition, view.fileName);
    std::set<std::string> ids;
    for (const SkinButton& button : skin.definition->ReadButtons()) ids.insert(button.id);
    EXPECT_EQ(ids, (std::set<std::string>{"CLOSE", "STARTTIMER", "STOPTIMER"}));
    const std::set<std::string> defined = DefinedFunctions(skin.definition->ReadJavaScriptPath());
    for (const char* function : kViewPageFunctions) EXPECT_TRUE(defined.count(function)) << function;
    for (const SkinButton& button : skin.definition->ReadButtons())
        if (!button.call.empty()) {
            EXPECT_TRUE(defined.count(button.call)) << button.call;
        }
}

TEST(FanView, StylesheetShowsEveryFanWithItsValuesBoundAndItsDutyAsABar) {
    const ViewSkinLocation view = FanViewLocation();
    Skin skin(view.folder, view.fileName);
    const std::string html = Transform(skin.definition->ReadXslPath(), FanDocument());
    const auto ids = ElementIds(html);
    const std::map<std::string, std::map<std::string, std::string>> expected = {
        {"ZEFAN_FAN_0", {{"CAPTION", "CPU FAN"}, {"PWM_DUTYCYCLE", "45%"}, {"TARGET_TEMP", "60"}, {"STOP_PWM", "30%"}}},
        {"ZEFAN_FAN_2", {{"CAPTION", "SYS FAN 2"}, {"STATUSINFO", "4"}, {"TOLERANCE_TEMP", "5"}}},
        {"ZEFAN_FAN_3", {{"PWM_DUTYCYCLE", ""}, {"TARGET_TEMP", "50"}}},
    };
    for (const auto& [item, fields] : expected)
        for (const auto& [field, text] : fields) {
            const std::string id = "FAN+" + item + "+" + field;
            ASSERT_TRUE(ids.count(id)) << id;
            EXPECT_EQ(ids.at(id), text) << id;
        }
    for (int n = 0; n < kChipFanOutputs; ++n)
        for (const char* field : kFanFields)
            EXPECT_TRUE(ids.count("FAN+ZEFAN_FAN_" + std::to_string(n) + "+" + field)) << n << field;

    // 90-pixel bars: 45 % is 41 px (rounded), 100 % the whole bar, no duty none.
    EXPECT_NE(html.find(R"(ID="bar_ZEFAN_FAN_0" CLASS="fill" STYLE="display:block;width:41px;")"), std::string::npos);
    EXPECT_NE(html.find(R"(ID="bar_ZEFAN_FAN_1" CLASS="fill" STYLE="display:block;width:90px;")"), std::string::npos);
    EXPECT_NE(html.find(R"(ID="bar_ZEFAN_FAN_3" CLASS="fill" STYLE="display:block;width:0px;")"), std::string::npos);
    EXPECT_NE(html.find(R"(ID="mark_ZEFAN_FAN_2" CLASS="mark off">OFF)"), std::string::npos);
    EXPECT_NE(html.find(R"(ID="mark_ZEFAN_FAN_0" CLASS="mark on">AUTO)"), std::string::npos);
    EXPECT_EQ(html.find("No fan"), std::string::npos);

    const std::string none = Transform(skin.definition->ReadXslPath(), "<VARN_PLUGIN><FAN/></VARN_PLUGIN>");
    EXPECT_NE(none.find("No fan with automatic control"), std::string::npos);
}
