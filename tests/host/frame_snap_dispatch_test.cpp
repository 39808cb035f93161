// Edge snapping and the stored-position rule; the skin command table and the
// navigation command's fields.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MainWindowSnap.h"
#include "SkinCommandDispatch.h"

namespace {

const WorkArea kArea{0, 0, 1280, 994};

TEST(FrameSnapTest, WithinFifteenPixelsOfAnEdgeLandsOnIt) {
    EXPECT_EQ(SnapToWorkArea({15, 400, 480, 320}, kArea), (SnapPosition{0, 400}));
    EXPECT_EQ(SnapToWorkArea({16, 400, 480, 320}, kArea), (SnapPosition{16, 400}));
    EXPECT_EQ(SnapToWorkArea({-15, 400, 480, 320}, kArea), (SnapPosition{0, 400}));
    // Right edge: x + width within 15 of the right.
    EXPECT_EQ(SnapToWorkArea({1280 - 480 - 15, 400, 480, 320}, kArea), (SnapPosition{800, 400}));
    EXPECT_EQ(SnapToWorkArea({1280 - 480 - 16, 400, 480, 320}, kArea), (SnapPosition{784, 400}));
    EXPECT_EQ(SnapToWorkArea({810, 400, 480, 320}, kArea), (SnapPosition{800, 400}));
    // Top and bottom, each axis on its own.
    EXPECT_EQ(SnapToWorkArea({500, 10, 480, 320}, kArea), (SnapPosition{500, 0}));
    EXPECT_EQ(SnapToWorkArea({3, 994 - 320 + 12, 480, 320}, kArea), (SnapPosition{0, 674}));
}

TEST(FrameSnapTest, LeftAndTopWinOverRightAndBottom) {
    // A window nearly as wide as the area is near both edges.
    EXPECT_EQ(SnapToWorkArea({10, 10, 1275, 990}, kArea), (SnapPosition{0, 0}));
    // A work area that does not start at 0 (a panel on the left).
    const WorkArea shifted{64, 30, 1280, 994};
    EXPECT_EQ(SnapToWorkArea({70, 40, 200, 100}, shifted), (SnapPosition{64, 30}));
    EXPECT_EQ(SnapToWorkArea({50, 40, 200, 100}, shifted), (SnapPosition{64, 30}));
}

TEST(FrameSnapTest, StoredPositionPastTheEdgeMinusFiveStartsAtZero) {
    EXPECT_EQ(ClampStoredPosition(2000, 100, kArea), (SnapPosition{0, 100}));
    EXPECT_EQ(ClampStoredPosition(1275, 989, kArea), (SnapPosition{1275, 989}));
    EXPECT_EQ(ClampStoredPosition(1276, 990, kArea), (SnapPosition{0, 0}));
    EXPECT_EQ(ClampStoredPosition(-40, -10, kArea), (SnapPosition{-40, -10}));
}

TEST(FrameDispatchTest, FixedCommandsAreTriedBeforeSkinFilesAndPlugins) {
    EXPECT_EQ(ClassifySkinCommand("SETUP"), SkinCommandKind::Setup);
    EXPECT_EQ(ClassifySkinCommand("CLOSE"), SkinCommandKind::Close);
    EXPECT_EQ(ClassifySkinCommand("CHANGESKIN"), SkinCommandKind::ChangeSkin);
    EXPECT_EQ(ClassifySkinCommand("TOP"), SkinCommandKind::Top);
    EXPECT_EQ(ClassifySkinCommand("TRANSPARENTDLG"), SkinCommandKind::TransparentDlg);
    EXPECT_EQ(ClassifySkinCommand("MIN"), SkinCommandKind::Min);
    EXPECT_EQ(ClassifySkinCommand("Blue.xml"), SkinCommandKind::SkinFile);
    EXPECT_EQ(ClassifySkinCommand("old.xml.bak"), SkinCommandKind::SkinFile);
    // A plug-in identifier containing ".xml" is taken for a skin file.
    EXPECT_EQ(ClassifySkinCommand("A.xml_PLUGIN"), SkinCommandKind::SkinFile);
    // Exact and case-sensitive: anything else selects a plug-in view.
    EXPECT_EQ(ClassifySkinCommand("setup"), SkinCommandKind::SelectPlugin);
    EXPECT_EQ(ClassifySkinCommand("TOP "), SkinCommandKind::SelectPlugin);
    EXPECT_EQ(ClassifySkinCommand("Blue.XML"), SkinCommandKind::SelectPlugin);
    EXPECT_EQ(ClassifySkinCommand("ZEFAN_PLUGIN"), SkinCommandKind::SelectPlugin);
    EXPECT_EQ(ClassifySkinCommand(""), SkinCommandKind::SelectPlugin);
}

class RecordingTarget : public ISkinCommandTarget {
public:
    std::vector<std::string> calls;
    int selectResult = kClickHandled;
    void RunSettings() override { calls.push_back("settings"); }
    void CloseProgram() override { calls.push_back("close"); }
    void ShowSkinSelection() override { calls.push_back("skin selection"); }
    void ToggleTopmost() override { calls.push_back("top"); }
    void RunTransparency() override { calls.push_back("transparency"); }
    void ChangeSkinFromCommand(const std::string& file) override { calls.push_back("skin " + file); }
    void MinimizeFromSkin() override { calls.push_back("min"); }
    int SelectPluginView(const std::string& id) override {
        calls.push_back("view " + id);
        return selectResult;
    }
};

TEST(FrameDispatchTest, EachCommandRunsItsActionAndAnswersOne) {
    RecordingTarget target;
    for (const char* command : {"SETUP", "CLOSE", "CHANGESKIN", "TOP", "TRANSPARENTDLG", "Blue.xml", "MIN", "ZETA_PLUGIN"})
        EXPECT_EQ(DispatchSkinCommand(command, target), kClickHandled) << command;
    EXPECT_EQ(target.calls, (std::vector<std::string>{"settings", "close", "skin selection", "top", "transparency",
                                                      "skin Blue.xml", "min", "view ZETA_PLUGIN"}));
    target.selectResult = kClickFailed;
    EXPECT_EQ(DispatchSkinCommand("ZETA_PLUGIN", target), kClickFailed);
}

TEST(FrameDispatchTest, NavigationCommandIsTheLastSegmentSplitAtColons) {
    EXPECT_EQ(ParseNavigationCommand("file:///opt/velmar/x/VARNOCCTRL_PLUGIN:CHANGE_MODE:2:0"),
              (NavigationCommand{"VARNOCCTRL_PLUGIN", "CHANGE_MODE", 2, 0}));
    EXPECT_EQ(ParseNavigationCommand("ZETA_PLUGIN:HELLO"), (NavigationCommand{"ZETA_PLUGIN", "HELLO", 0, 0}));
    EXPECT_EQ(ParseNavigationCommand("a/b/ZETA_PLUGIN"), (NavigationCommand{"ZETA_PLUGIN", "", 0, 0}));
    EXPECT_EQ(ParseNavigationCommand("a/"), (NavigationCommand{"", "", 0, 0}));
    EXPECT_EQ(ParseNavigationCommand("x/P::-7:"), (NavigationCommand{"P", "", -7, 0}));
    // Extra fields are ignored; values read their leading digits.
    EXPECT_EQ(ParseNavigationCommand("x/P:C:12px:3:9"), (NavigationCommand{"P", "C", 12, 3}));
}

TEST(FrameDispatchTest, DecimalValuesStayWithinThirtyTwoBits) {
    EXPECT_EQ(DecimalValue(""), 0);
    EXPECT_EQ(DecimalValue("abc"), 0);
    EXPECT_EQ(DecimalValue("+15"), 15);
    EXPECT_EQ(DecimalValue("-2147483648"), INT32_MIN);
    EXPECT_EQ(DecimalValue("99999999999999"), INT32_MAX);
    EXPECT_EQ(DecimalValue("-99999999999999"), INT32_MIN);
}

}  // namespace
