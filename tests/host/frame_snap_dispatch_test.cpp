// Edge snapping, the stored-position rules over the screens there are; the
// skin command table and the navigation command's fields.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MainWindowSnap.h"
#include "ScreenPlacement.h"
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

// Two monitors: the primary one, and a second one left of it (negative x).
const std::vector<WorkArea> kTwoScreens{{0, 0, 1280, 994}, {-1920, 0, 0, 1080}};

TEST(ScreenPlacementTest, StoredCornerOnAnyScreenIsKeptOtherwiseThePrimaryRuleApplies) {
    EXPECT_EQ(StoredStartPosition(-1500, 300, kTwoScreens), (SnapPosition{-1500, 300}));
    EXPECT_EQ(StoredStartPosition(1500, 300, {{0, 0, 1280, 994}, {1280, 0, 2560, 1024}}), (SnapPosition{1500, 300}))
        << "a window on a second monitor right of the primary one used to start at x 0";
    // One screen: exactly the primary rule (past the edge minus 5 starts at 0).
    const std::vector<WorkArea> one{kArea};
    EXPECT_EQ(StoredStartPosition(2000, 100, one), (SnapPosition{0, 100}));
    EXPECT_EQ(StoredStartPosition(1276, 990, one), (SnapPosition{0, 0}));
    EXPECT_EQ(StoredStartPosition(-40, -10, one), (SnapPosition{-40, -10}));
    EXPECT_EQ(StoredStartPosition(-40, -10, {}), (SnapPosition{-40, -10}));
}

TEST(ScreenPlacementTest, WindowOffEveryScreenMovesWhollyOntoTheNearestOne) {
    const std::vector<WorkArea> one{kArea};
    // Its monitor unplugged: left of the only screen, or above and right of it.
    EXPECT_EQ(PlaceOnNearestScreen({-1500, 300, 480, 320}, one), (SnapPosition{0, 300}));
    EXPECT_EQ(PlaceOnNearestScreen({1270, -900, 480, 320}, one), (SnapPosition{800, 0}));
    // Reachable where a 32-pixel square of it is on a screen.
    EXPECT_EQ(PlaceOnNearestScreen({-448, -288, 480, 320}, one), (SnapPosition{-448, -288}));
    EXPECT_EQ(PlaceOnNearestScreen({-449, 100, 480, 320}, one), (SnapPosition{0, 100}));
    // The nearest of two screens takes it; a window larger than it keeps its top-left on it.
    EXPECT_EQ(PlaceOnNearestScreen({-2600, 500, 480, 320}, kTwoScreens), (SnapPosition{-1920, 500}));
    EXPECT_EQ(PlaceOnNearestScreen({1400, 2000, 2000, 1200}, kTwoScreens), (SnapPosition{0, 0}));
    EXPECT_EQ(PlaceOnNearestScreen({-600, 300, 480, 320}, kTwoScreens), (SnapPosition{-600, 300}));
    EXPECT_EQ(PlaceOnNearestScreen({-600, 300, 480, 320}, {}), (SnapPosition{-600, 300}));
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
