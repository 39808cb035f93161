// The Qt platform chosen for the user's session, and what About says the
// session cannot give.
#include <gtest/gtest.h>

#include "DesktopSession.h"

namespace {

TEST(DesktopSessionTest, WaylandWithXWaylandRunsOnX11UnlessThePlatformWasChosen) {
    EXPECT_EQ(ChooseQtPlatform({"wayland-0", ":0", "wayland", "", false}), "xcb");
    EXPECT_EQ(ChooseQtPlatform({"", ":0", "wayland", "", false}), "xcb");
    // Wayland alone: Qt's default would try X11 and give up.
    EXPECT_EQ(ChooseQtPlatform({"wayland-0", "", "", "", false}), "wayland");
    // The user's choice stands, by variable or by argument.
    EXPECT_EQ(ChooseQtPlatform({"wayland-0", ":0", "wayland", "wayland", false}), "");
    EXPECT_EQ(ChooseQtPlatform({"wayland-0", ":0", "wayland", "", true}), "");
    // An X11 session (or none at all) keeps Qt's own choice.
    EXPECT_EQ(ChooseQtPlatform({"", ":0", "x11", "", false}), "");
    EXPECT_EQ(ChooseQtPlatform({"", "", "", "", false}), "");
}

TEST(DesktopSessionTest, PlatformArgumentIsReadAsQtReadsIt) {
    EXPECT_TRUE(HasPlatformArgument({"Velmar", "-platform", "wayland"}));
    EXPECT_TRUE(HasPlatformArgument({"Velmar", "--platform", "xcb"}));
    EXPECT_FALSE(HasPlatformArgument({"-platform"})) << "the program's own name is no argument";
    EXPECT_FALSE(HasPlatformArgument({"Velmar", "-platformtheme", "gtk3"}));
}

TEST(DesktopSessionTest, OnlyAWaylandWindowLacksFeatures) {
    const std::string line = SessionLimitsLine("wayland");
    for (const char* feature : {"positions", "snapping", "on top", "outline", "opacity"})
        EXPECT_NE(line.find(feature), std::string::npos) << feature;
    EXPECT_EQ(SessionLimitsLine("wayland-egl"), line);
    EXPECT_EQ(SessionLimitsLine("xcb"), "");
    EXPECT_EQ(SessionLimitsLine("offscreen"), "");
}

}  // namespace
