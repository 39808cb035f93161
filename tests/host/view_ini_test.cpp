// The plug-in view INI rules and the split of a view's relative skin path.
#include <gtest/gtest.h>

#include <fstream>

#include "PluginViewIni.h"
#include "host_test_support.h"

namespace {

class PluginViewIniTest : public HostFrameworkTest {
protected:
    CPluginViewIni Write(const std::string& text) {
        const std::string path = folder_ + "/view.ini";
        std::ofstream(path, std::ios::trunc) << text;
        return CPluginViewIni(path);
    }
};

TEST_F(PluginViewIniTest, KeysReadByIdentifierWithTheirRules) {
    const CPluginViewIni ini = Write(
        "[ZEFAN_PLUGIN]\nxml=Fan\\fan.xml\nUpdate=1\nshare=1\n"
        "[VARNEQ_PLUGIN]\nxml=\nUpdate=2\nshare=-3\n"
        "[OTHER_PLUGIN]\nUpdate=1x\nshare=0\n");
    EXPECT_EQ(ini.ViewSkin("ZEFAN_PLUGIN"), "Fan\\fan.xml");
    EXPECT_EQ(ini.ViewSkin("zefan_plugin"), "Fan\\fan.xml") << "section names ignore case";
    EXPECT_EQ(ini.ViewSkin("VARNEQ_PLUGIN"), "");
    EXPECT_EQ(ini.ViewSkin("MISSING_PLUGIN"), "");
    EXPECT_TRUE(ini.UpdatesView("ZEFAN_PLUGIN"));
    EXPECT_FALSE(ini.UpdatesView("VARNEQ_PLUGIN")) << "only exactly 1 refreshes the view";
    EXPECT_TRUE(ini.UpdatesView("OTHER_PLUGIN")) << "leading digits count";
    EXPECT_FALSE(ini.UpdatesView("MISSING_PLUGIN"));
    EXPECT_TRUE(ini.SharesData("ZEFAN_PLUGIN"));
    EXPECT_TRUE(ini.SharesData("VARNEQ_PLUGIN")) << "any non-zero value shares";
    EXPECT_FALSE(ini.SharesData("OTHER_PLUGIN"));
    EXPECT_FALSE(ini.SharesData("MISSING_PLUGIN"));
}

TEST_F(PluginViewIniTest, ViewSkinIsCutTo255CharactersAndAMissingFileReadsAsDefaults) {
    const CPluginViewIni ini = Write("[A_PLUGIN]\nxml=" + std::string(300, 'v') + "\n");
    EXPECT_EQ(ini.ViewSkin("A_PLUGIN"), std::string(255, 'v'));
    const CPluginViewIni none(folder_ + "/absent.ini");
    EXPECT_EQ(none.ViewSkin("A_PLUGIN"), "");
    EXPECT_FALSE(none.SharesData("A_PLUGIN"));
    EXPECT_FALSE(CPluginViewIni().UpdatesView("A_PLUGIN"));
}

TEST_F(PluginViewIniTest, FileIsReadAgainAtEveryQuestion) {
    CPluginViewIni ini = Write("[A_PLUGIN]\nshare=0\n");
    EXPECT_FALSE(ini.SharesData("A_PLUGIN"));
    Write("[A_PLUGIN]\nshare=1\n");
    EXPECT_TRUE(ini.SharesData("A_PLUGIN"));
}

TEST(ViewSkinPath, SubFoldersMoveOntoTheBaseFolder) {
    EXPECT_EQ(SplitViewSkinPath("/opt/velmar/Skin/", "Fan\\Big\\fan.xml"),
              (ViewSkinLocation{"/opt/velmar/Skin/Fan/Big/", "fan.xml"}));
    EXPECT_EQ(SplitViewSkinPath("/s/", "Fan/fan.xml"), (ViewSkinLocation{"/s/Fan/", "fan.xml"}));
    EXPECT_EQ(SplitViewSkinPath("/s/", "fan.xml"), (ViewSkinLocation{"/s/", "fan.xml"}));
    EXPECT_EQ(SplitViewSkinPath("/s/", "Fan\\"), (ViewSkinLocation{"/s/", "Fan\\"}))
        << "a separator at the very end stays with the name";
    EXPECT_EQ(SplitViewSkinPath("/s/", "A\\B\\"), (ViewSkinLocation{"/s/A/", "B\\"}));
    EXPECT_EQ(SplitViewSkinPath("/s/", ""), (ViewSkinLocation{"/s/", ""}));
}

}  // namespace
