// Reading skin definitions into their parts, and the static file readers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SkinDefinition.h"
#include "xml_test_support.h"

using skinxml_test::DataPath;

namespace {

const std::string F = "/skins/Full/";

class FullDefinition : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(doc_.LoadFile(DataPath("full.xml"))); }
    CXmlDocument doc_;
    CSkinDefinition def_{doc_, "/skins/Full"};
};

// Loads text into doc; a definition that does not parse would void the test.
void Load(CXmlDocument& doc, const std::string& text) { ASSERT_TRUE(doc.LoadText(text)); }

}  // namespace

TEST_F(FullDefinition, FrameApplicationScriptStylesheetAndView) {
    EXPECT_EQ(def_.SkinFolder(), F);
    const SkinFrame frame = def_.ReadSkin();
    EXPECT_EQ(frame.name, "Full Test Skin");
    EXPECT_EQ(frame.backgroundPath, F + "back.bmp");
    EXPECT_EQ(frame.rgnPath, F + "img/rgn.bmp");
    EXPECT_FALSE(frame.cut);

    const SkinApplication app = def_.ReadApplication();
    EXPECT_EQ(app.name, "Tuner");
    EXPECT_EQ(app.iconPath, F + "app.ico");
    EXPECT_TRUE(app.timer);

    EXPECT_EQ(def_.ReadXslPath(), F + "xsl/view.xsl");
    EXPECT_TRUE(def_.HasJavaScript());
    EXPECT_EQ(def_.ReadJavaScriptPath(), F + "skin.js");

    const SkinPluginDialog view = def_.ReadPluginDialog();
    EXPECT_EQ(view.src, "view\\plugins.ini");  // relative, as written
    EXPECT_EQ(view.init, "ZEFAN_PLUGIN");
    EXPECT_TRUE(view.show);
    EXPECT_EQ(view.x, 320);
    EXPECT_EQ(view.y, 40);
}

TEST_F(FullDefinition, ImagesInDocumentOrderWithTheirDefaults) {
    const std::vector<SkinImage> images = def_.ReadImages();
    ASSERT_EQ(images.size(), 3u);
    EXPECT_EQ(images[0].id, "logo");
    EXPECT_EQ(images[0].src, F + "logo.bmp");
    EXPECT_EQ(images[0].x, 12);
    EXPECT_EQ(images[0].y, -4);
    EXPECT_EQ(images[0].z, 3);
    // No SRC: an empty source, without the folder in front.
    EXPECT_EQ(images[1].id, "blank");
    EXPECT_EQ(images[1].src, "");
    EXPECT_EQ(images[1].x, 0);
    EXPECT_EQ(images[1].y, 7);
    EXPECT_EQ(images[2].id, "");
    EXPECT_EQ(images[2].src, F + "img/bar.bmp");
    EXPECT_EQ(images[2].x, 100);
    EXPECT_EQ(images[2].y, 200);
}

TEST_F(FullDefinition, ButtonsComeInCreationOrderWithTheRulesOfTheirKind) {
    const std::vector<SkinButton> b = def_.ReadButtons();
    ASSERT_EQ(b.size(), 8u);
    std::vector<std::string> ids;
    for (const SkinButton& button : b) ids.push_back(button.id);
    EXPECT_EQ(ids, (std::vector<std::string>{"MODE_A", "", "MODE_B", "FAN_1", "TOP", "CLOSE",
                                             "JS_G", "JS_B"}));

    // A radio button of the first normal group: CHECKBOX is not read there.
    EXPECT_EQ(b[0].section, SkinButtonSection::Normal);
    EXPECT_EQ(b[0].group, 0);
    EXPECT_TRUE(b[0].described);
    EXPECT_FALSE(b[0].checkBox);
    EXPECT_EQ(b[0].image, F + "a.bmp");
    EXPECT_EQ(b[0].downImage, F + "a_d.bmp");
    EXPECT_EQ(b[0].overImage, F + "a_o.bmp");
    EXPECT_EQ(b[0].disableImage, F + "a_x.bmp");
    EXPECT_EQ(b[0].focusImage, F + "a_f.bmp");
    EXPECT_EQ(b[0].maskImage, F + "a_m.bmp");
    EXPECT_EQ(b[0].x, 1);
    EXPECT_EQ(b[0].y, 2);
    EXPECT_EQ(b[0].height, 3);
    EXPECT_EQ(b[0].width, 4);
    EXPECT_EQ(b[0].tip, "Mode A");

    // The comment in the group is a button with nothing on it.
    EXPECT_FALSE(b[1].described);
    EXPECT_EQ(b[1].group, 0);
    EXPECT_EQ(b[1].image, "");
    EXPECT_EQ(b[1].width, 0);

    // Missing images: the first three still get the folder, the rest stay empty.
    EXPECT_EQ(b[2].image, F + "b.bmp");
    EXPECT_EQ(b[2].downImage, F);
    EXPECT_EQ(b[2].overImage, F);
    EXPECT_EQ(b[2].disableImage, "");
    EXPECT_EQ(b[2].focusImage, "");
    EXPECT_EQ(b[2].maskImage, "");
    EXPECT_EQ(b[2].tip, "");
    EXPECT_EQ(b[3].group, 1);

    // Normal buttons outside groups: CHECKBOX is exactly "TRUE".
    EXPECT_FALSE(b[4].InGroup());
    EXPECT_TRUE(b[4].checkBox);
    EXPECT_EQ(b[4].width, 30);
    EXPECT_EQ(b[4].height, 40);
    EXPECT_FALSE(b[5].checkBox);
    EXPECT_EQ(b[5].focusImage, F + "close_f.bmp");
    EXPECT_EQ(b[5].call, "");

    // Script buttons: CALL; only those in a group have a focus image.
    EXPECT_EQ(b[6].section, SkinButtonSection::Script);
    EXPECT_EQ(b[6].group, 0);
    EXPECT_EQ(b[6].call, "OnGroup");
    EXPECT_EQ(b[6].focusImage, F + "g_f.bmp");
    EXPECT_EQ(b[7].call, "OnClick");
    EXPECT_TRUE(b[7].checkBox);
    EXPECT_EQ(b[7].focusImage, "");
    EXPECT_EQ(b[7].maskImage, F + "js_m.bmp");
    EXPECT_EQ(b[7].tip, "Script");
    EXPECT_EQ(b[7].width, 8);
}

TEST(SkinDefinitionReads, AnEmptyDefinitionGivesEveryDefault) {
    CXmlDocument doc;
    Load(doc, "<VARNSKINDEFINE><SKIN/></VARNSKINDEFINE>");
    CSkinDefinition def(doc, "/s\\");
    const SkinFrame frame = def.ReadSkin();
    EXPECT_EQ(frame.name, "");
    EXPECT_EQ(frame.backgroundPath, "/s/");
    EXPECT_EQ(frame.rgnPath, "/s/");
    const SkinApplication app = def.ReadApplication();
    EXPECT_EQ(app.name, "");
    EXPECT_EQ(app.iconPath, "");
    EXPECT_TRUE(app.timer);
    EXPECT_EQ(def.ReadXslPath(), "");
    EXPECT_FALSE(def.HasJavaScript());
    EXPECT_EQ(def.CountImages(), 0);
    EXPECT_TRUE(def.ReadButtons().empty());
    const SkinPluginDialog view = def.ReadPluginDialog();
    EXPECT_EQ(view.src, "");
    EXPECT_FALSE(view.show);

    // A definition that did not parse reads the same way.
    CXmlDocument broken;
    EXPECT_FALSE(broken.LoadFile(DataPath("garbled.xml")));
    CSkinDefinition none(broken, "/s");
    EXPECT_EQ(none.ReadSkin().name, "");
    EXPECT_EQ(none.ReadXslPath(), "");
    EXPECT_TRUE(none.ReadButtons().empty());
    EXPECT_EQ(none.CountGroupButtons(SkinButtonSection::Normal, 0), 0);
}

TEST(SkinDefinitionReads, ApplicationWithoutNameIsIgnoredAndFlagsAreUpperCase) {
    CXmlDocument doc;
    Load(doc,
         "<VARNSKINDEFINE><SKIN><APPLICATION ICON='a.ico' TIMER='FALSE'/>"
         "<XSL/><PLUGIN_DIALOG SHOW='true' X='5' Y='6'/></SKIN></VARNSKINDEFINE>");
    CSkinDefinition def(doc, "/s");
    const SkinApplication app = def.ReadApplication();
    EXPECT_EQ(app.name, "");
    EXPECT_EQ(app.iconPath, "");
    EXPECT_TRUE(app.timer);
    EXPECT_EQ(def.ReadXslPath(), "");  // present but empty
    const SkinPluginDialog view = def.ReadPluginDialog();
    EXPECT_FALSE(view.show);
    EXPECT_EQ(view.x, 0);  // not read while hidden

    Load(doc, "<VARNSKINDEFINE><SKIN><APPLICATION NAME='N' TIMER='true'/>"
                 "<JAVASCRIPT/></SKIN></VARNSKINDEFINE>");
    EXPECT_FALSE(def.ReadApplication().timer);
    EXPECT_EQ(def.ReadApplication().iconPath, "/s/");
    EXPECT_TRUE(def.HasJavaScript());
    EXPECT_EQ(def.ReadJavaScriptPath(), "/s/");
}

TEST(SkinDefinitionReads, EachGroupReadsItsOwnChildren) {
    // The first group holds a comment: its buttons must still be its own,
    // never the next group's.
    CXmlDocument doc;
    Load(doc,
         "<VARNSKINDEFINE><SKIN><JSBUTTON>"
         "<GROUP><BUTTON ID='a' CALL='fa'/><!-- c --><BUTTON ID='b'/></GROUP>"
         "<GROUP><BUTTON ID='c'/><BUTTON ID='d'/><BUTTON ID='e'/></GROUP>"
         "</JSBUTTON></SKIN></VARNSKINDEFINE>");
    CSkinDefinition def(doc, "/s");
    EXPECT_EQ(def.CountGroups(SkinButtonSection::Script), 2);
    EXPECT_EQ(def.CountGroupButtons(SkinButtonSection::Script, 0), 3);
    EXPECT_EQ(def.CountGroupButtons(SkinButtonSection::Script, 1), 3);
    EXPECT_EQ(def.CountGroups(SkinButtonSection::Normal), 0);
    std::vector<std::string> seen;
    for (const SkinButton& b : def.ReadButtons())
        seen.push_back(std::to_string(b.group) + ":" + (b.described ? b.id : "-"));
    EXPECT_EQ(seen, (std::vector<std::string>{"0:a", "0:-", "0:b", "1:c", "1:d", "1:e"}));
    EXPECT_EQ(def.ReadGroupButton(SkinButtonSection::Script, 0, 0).call, "fa");
    EXPECT_FALSE(def.ReadGroupButton(SkinButtonSection::Script, 1, 3).described);
}

TEST(SkinDefinitionReads, LongValuesAreCutAndFlagged) {
    const std::string longName(300, 'n');
    CXmlDocument doc;
    Load(doc, "<VARNSKINDEFINE><SKIN NAME='" + longName + "'>"
                              "<IMAGE ID='ok' SRC='" + longName + "'/>"
                              "<NORMALBUTTON><BUTTON ID='b' TIP='" + longName + "'/></NORMALBUTTON>"
                              "</SKIN></VARNSKINDEFINE>");
    CSkinDefinition def(doc, "/s");
    const SkinFrame frame = def.ReadSkin();
    EXPECT_EQ(frame.name, std::string(255, 'n'));
    EXPECT_TRUE(frame.cut);
    const SkinImage image = def.ReadImage(0);
    EXPECT_EQ(image.src, "/s/" + std::string(255, 'n'));
    EXPECT_TRUE(image.cut);
    const SkinButton button = def.ReadButton(SkinButtonSection::Normal, 0);
    EXPECT_EQ(button.tip.size(), 255u);
    EXPECT_TRUE(button.cut);
    EXPECT_FALSE(def.ReadApplication().cut);
}

TEST(SkinDefinitionFiles, StaticReadersOnGoodMissingAndGarbledFiles) {
    const std::string full = DataPath("full.xml");
    const std::string hidden = DataPath("hidden_view.xml");
    const std::string garbled = DataPath("garbled.xml");
    const std::string missing = DataPath("missing.xml");

    EXPECT_EQ(CSkinDefinition::GetSkinName(full), "Full Test Skin");
    EXPECT_EQ(CSkinDefinition::GetSkinName(hidden), "Hidden View");
    EXPECT_EQ(CSkinDefinition::GetSkinName(DataPath("empty.xml")), "");
    EXPECT_EQ(CSkinDefinition::GetSkinName(garbled), "");
    EXPECT_EQ(CSkinDefinition::GetSkinName(missing), "");

    EXPECT_EQ(CSkinDefinition::GetPluginViewSource(full), "view\\plugins.ini");
    EXPECT_EQ(CSkinDefinition::GetPluginViewSource(hidden), "view.ini");
    EXPECT_EQ(CSkinDefinition::GetPluginViewSource(garbled), "");
    EXPECT_EQ(CSkinDefinition::GetPluginViewInit(full), "ZEFAN_PLUGIN");
    EXPECT_EQ(CSkinDefinition::GetPluginViewInit(hidden), "");
    EXPECT_EQ(CSkinDefinition::GetPluginViewInit(missing), "");

    int x = -1;
    int y = -1;
    ASSERT_TRUE(CSkinDefinition::GetPluginViewPlacement(full, x, y));
    EXPECT_EQ(x, 320);
    EXPECT_EQ(y, 40);
    for (const std::string& path : {hidden, garbled, missing}) {
        SCOPED_TRACE(path);
        x = -1;
        y = -1;
        EXPECT_FALSE(CSkinDefinition::GetPluginViewPlacement(path, x, y));
        EXPECT_EQ(x, -1);
        EXPECT_EQ(y, -1);
    }
}
