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
// The monitor's view calls one availability function per section.
const char* const kMonitorViewFunctions[] = {"OnInitial", "ProcessEnd", "TEMPERATURE_AVAILABILITY",
                                             "FANSPEED_AVAILABILITY", "VOLTAGE_AVAILABILITY", "testState"};
const char* const kMonitorSections[] = {"TEMPERATURE", "FANSPEED", "VOLTAGE"};
// The chip's fan inputs, which every face shows the speed of.
const char* const kChipFanPins[] = {"SYSFANIN", "CPUFANIN0", "AUXFANIN0", "CPUFANIN1", "AUXFANIN1"};

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
ViewSkinLocation ViewLocation(const std::string& plugin) {
    const CPluginViewIni ini(kSkins + "PlugInView.ini");
    return SplitViewSkinPath(kSkins, ini.ViewSkin(plugin));
}

ViewSkinLocation FanViewLocation() { return ViewLocation("ZEFAN_PLUGIN"); }

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
std::string MonitorDocument() { return ReadText(std::string(VELMAR_TEST_DATA_DIR) + "/skins/monitor_status.xml"); }

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
// items and fields the fan, mode and monitor plug-ins really report, or they
// stay empty.
TEST_P(MainSkin, BindsEachFansDutyAndOnlyFieldsThePluginDocumentsHave) {
    Skin skin(kSkins, GetParam());
    const auto ids = ElementIds(Transform(skin.definition->ReadXslPath(), "<VARN_FRAME></VARN_FRAME>"));
    CXmlDocument fans;
    ASSERT_TRUE(fans.LoadText(FanDocument()));
    CXmlDocument modeDocument;
    ASSERT_TRUE(modeDocument.LoadText(ModeDocument()));
    CXmlDocument monitor;
    ASSERT_TRUE(monitor.LoadText(MonitorDocument()));
    int bound = 0;
    for (const auto& [id, text] : ids) {
        if (id.find('+') == std::string::npos) continue;
        ++bound;
        const std::size_t first = id.find('+'), last = id.rfind('+');
        ASSERT_NE(first, last) << id;
        const std::string section = id.substr(0, first), item = id.substr(first + 1, last - first - 1);
        const std::string field = id.substr(last + 1);
        const std::string items = "VARN_PLUGIN/" + section + "/ITEM";
        const CXmlDocument& document = section == "MODE" ? modeDocument : section == "FAN" ? fans : monitor;
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

// Both faces show the two temperatures and every fan input's speed, each in
// a place of its own that the script can hide and mark.
TEST_P(MainSkin, ShowsTheMonitorsTemperaturesAndEveryFanSpeed) {
    Skin skin(kSkins, GetParam());
    const std::string html = Transform(skin.definition->ReadXslPath(), "<VARN_FRAME></VARN_FRAME>");
    const auto ids = ElementIds(html);
    std::vector<std::string> wanted = {"TEMPERATURE+CPUTIN+DISPLAY", "TEMPERATURE+SYSTIN+DISPLAY"};
    for (const char* pin : kChipFanPins) {
        wanted.push_back(std::string("FANSPEED+") + pin + "+DISPLAY");
        wanted.push_back(std::string("FANSPEED+") + pin + "+CAPTION");
    }
    for (const std::string& id : wanted) {
        ASSERT_TRUE(ids.count(id)) << id;
        // Empty until the host writes it: the script hides what stays empty.
        EXPECT_EQ(ids.at(id), "") << id;
    }
    const std::regex reading(R"re(CLASS="[^"]*\breading\b)re");
    EXPECT_EQ(std::distance(std::sregex_iterator(html.begin(), html.end(), reading), std::sregex_iterator()),
              2 + static_cast<long>(std::size(kChipFanPins)));
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

TEST(BundledSkins, DefaultSkinShowsBothViewsInsideItsOutline) {
    Skin kavo(kSkins, "KavoIII.xml");
    const SkinPluginDialog dialog = kavo.definition->ReadPluginDialog();
    EXPECT_TRUE(dialog.show);
    EXPECT_EQ(dialog.init, "ZEFAN_PLUGIN");
    bool selects = false;
    for (const SkinButton& button : kavo.definition->ReadButtons())
        if (button.id == dialog.init) selects = button.InGroup() || button.checkBox;
    EXPECT_TRUE(selects) << "the host checks the shown plug-in's button, so it must be a radio or check button";

    // Both views' keys in one radio group: showing one unchecks the other.
    std::map<std::string, SkinButton> buttons;
    for (const SkinButton& button : kavo.definition->ReadButtons()) buttons[button.id] = button;
    ASSERT_TRUE(buttons.count("VARNEQ_PLUGIN"));
    EXPECT_TRUE(buttons["VARNEQ_PLUGIN"].InGroup());
    EXPECT_EQ(buttons["VARNEQ_PLUGIN"].group, buttons["ZEFAN_PLUGIN"].group);
    EXPECT_EQ(buttons["VARNEQ_PLUGIN"].section, buttons["ZEFAN_PLUGIN"].section);

    const auto mainOutline = Decode(kavo.definition->ReadSkin().rgnPath);
    ASSERT_TRUE(mainOutline);
    for (const char* plugin : {"ZEFAN_PLUGIN", "VARNEQ_PLUGIN"}) {
        SCOPED_TRACE(plugin);
        const ViewSkinLocation view = ViewLocation(plugin);
        Skin viewSkin(view.folder, view.fileName);
        ASSERT_TRUE(viewSkin.loaded) << view.folder << view.fileName;
        const auto viewOutline = Decode(viewSkin.definition->ReadSkin().rgnPath);
        ASSERT_TRUE(viewOutline);
        EXPECT_EQ(viewOutline->width, 376);
        EXPECT_EQ(viewOutline->height, 134);
        for (int y = 0; y < viewOutline->height; ++y)
            for (int x = 0; x < viewOutline->width; ++x)
                if (Inside(*viewOutline, x, y)) {
                    ASSERT_TRUE(Inside(*mainOutline, dialog.x + x, dialog.y + y)) << x << "," << y;
                }
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

TEST(MonitorView, IniSectionNamesAViewSkinThatIsComplete) {
    const CPluginViewIni ini(kSkins + "PlugInView.ini");
    EXPECT_TRUE(ini.UpdatesView("VARNEQ_PLUGIN"));
    EXPECT_TRUE(ini.SharesData("VARNEQ_PLUGIN")) << "the faces' readings come from the shared document";
    const CIniProfile profile = CIniProfile::Load(kSkins + "PlugInView.ini");
    EXPECT_EQ(profile.GetString("VARNEQ_PLUGIN", "Name", "", 256), "Hardware Monitor");
    const std::string icon = profile.GetString("VARNEQ_PLUGIN", "Icon", "", 256);
    const std::string png = ReadText(kSkins + icon);
    ASSERT_GE(png.size(), 24u) << icon;
    EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n") << icon;
    EXPECT_EQ(png.substr(16, 8), std::string("\0\0\0\x20\0\0\0\x20", 8)) << "the settings list shows it at 32x32";

    const ViewSkinLocation view = ViewLocation("VARNEQ_PLUGIN");
    Skin skin(view.folder, view.fileName);
    ASSERT_TRUE(skin.loaded);
    ExpectComplete(*skin.definition, view.fileName);
    std::set<std::string> ids;
    for (const SkinButton& button : skin.definition->ReadButtons()) ids.insert(button.id);
    EXPECT_EQ(ids, (std::set<std::string>{"CLOSE", "STARTTIMER", "STOPTIMER"}));
    const std::set<std::string> defined = DefinedFunctions(skin.definition->ReadJavaScriptPath());
    for (const char* function : kMonitorViewFunctions) EXPECT_TRUE(defined.count(function)) << function;
    for (const SkinButton& button : skin.definition->ReadButtons())
        if (!button.call.empty()) {
            EXPECT_TRUE(defined.count(button.call)) << button.call;
        }
}

// The path of one curve as its points, "x y" each.
std::vector<std::string> CurvePoints(const std::string& html, const std::string& pin) {
    const std::regex path("ID=\"curve_" + pin + "\"[^>]*\\bd=\"([^\"]*)\"");
    std::smatch match;
    if (!std::regex_search(html, match, path)) return {};
    std::vector<std::string> points;
    const std::string d = match[1];
    const std::regex point(R"([ML](\S+ \S+))");
    for (auto it = std::sregex_iterator(d.begin(), d.end(), point); it != std::sregex_iterator(); ++it)
        points.push_back((*it)[1]);
    return points;
}

TEST(MonitorView, StylesheetBindsEveryItemColoursItsStateAndDrawsTheHistory) {
    const ViewSkinLocation view = ViewLocation("VARNEQ_PLUGIN");
    Skin skin(view.folder, view.fileName);
    const std::string html = Transform(skin.definition->ReadXslPath(), MonitorDocument());
    const auto ids = ElementIds(html);
    CXmlDocument monitor;
    ASSERT_TRUE(monitor.LoadText(MonitorDocument()));
    int items = 0;
    for (const char* section : kMonitorSections) {
        const std::string path = std::string("VARN_PLUGIN/") + section + "/ITEM";
        for (int n = 0; n < monitor.CountElements(path); ++n, ++items) {
            std::string name;
            ASSERT_TRUE(monitor.ReadAttribute(path, 0, n, "NAME", name));
            for (const char* field : {"CAPTION", "DISPLAY", "LIMITS", "NOTE"}) {
                const std::string id = std::string(section) + "+" + name + "+" + field;
                std::string text;
                monitor.GetElementText(path + "/" + field, n, text);
                ASSERT_TRUE(ids.count(id)) << id;
                EXPECT_EQ(ids.at(id), text) << id;
            }
        }
    }
    EXPECT_EQ(items, 11) << "the simulated board's three voltages, three temperatures and five fans";
    EXPECT_NE(html.find(R"(ID="cell_TEMPERATURE_CPUTIN" CLASS="cell warn")"), std::string::npos);
    EXPECT_NE(html.find(R"(ID="cell_FANSPEED_AUXFANIN1" CLASS="cell off")"), std::string::npos);
    EXPECT_NE(html.find(R"(ID="cell_TEMPERATURE_SYSTIN" CLASS="cell")"), std::string::npos);

    const std::string history = "VARN_PLUGIN/HISTORY/ITEM";
    ASSERT_EQ(monitor.CountElements(history), 8);
    for (int n = 0; n < monitor.CountElements(history); ++n) {
        std::string name, samples;
        monitor.ReadAttribute(history, 0, n, "NAME", name);
        monitor.GetElementText(history + "/SAMPLES", n, samples);
        SCOPED_TRACE(name);
        ASSERT_TRUE(ids.count("HISTORY+" + name + "+SAMPLES")) << "the host refreshes the samples in place";
        EXPECT_EQ(ids.at("HISTORY+" + name + "+SAMPLES"), samples);
        EXPECT_TRUE(ids.count("HISTORY+" + name + "+CAPTION"));
        // One point per reading; the AUX fan stopped 22 samples ago.
        EXPECT_EQ(CurvePoints(html, name).size(), name == "AUXFANIN1" ? 38u : 60u);
    }
    // Temperatures 37..85 scale to 30..90 over y 66..16, newest at the right
    // edge: CPU 52 at the left, 85 at the right; fans 0..4000 (3222 rpm
    // with a tenth to spare); the stopped fan ends 22 steps before now.
    const auto cpu = CurvePoints(html, "CPUTIN");
    ASSERT_EQ(cpu.size(), 60u);
    EXPECT_EQ(cpu.front(), "32 47.7");
    EXPECT_EQ(cpu.back(), "180 20.2");
    EXPECT_EQ(CurvePoints(html, "CPUFANIN0").back(), "370 25.7");
    EXPECT_EQ(CurvePoints(html, "AUXFANIN1").back(), "316.3 52.2");
    EXPECT_NE(html.find(R"(ID="temperature_hi" CLASS="tick" x="28" y="19" text-anchor="end">90<)"), std::string::npos);
    EXPECT_NE(html.find(R"(ID="fan_hi" CLASS="tick" x="222" y="19" text-anchor="end">4000<)"), std::string::npos);
    EXPECT_NE(html.find("\u22125 min"), std::string::npos);

    // In Fahrenheit the temperature scale says so; the curves stay in the
    // document's Celsius samples.
    std::string fahrenheit = MonitorDocument();
    fahrenheit.replace(fahrenheit.find("<UNIT>C</UNIT>"), 14, "<UNIT>F</UNIT>");
    const std::string inF = Transform(skin.definition->ReadXslPath(), fahrenheit);
    EXPECT_NE(inF.find(R"(text-anchor="end">194<)"), std::string::npos) << "90 °C";
    EXPECT_EQ(CurvePoints(inF, "CPUTIN"), cpu);

    const std::string none = Transform(skin.definition->ReadXslPath(), "<VARN_PLUGIN></VARN_PLUGIN>");
    EXPECT_NE(none.find("none on this board"), std::string::npos);
    EXPECT_EQ(none.find("curve_"), std::string::npos);
}
