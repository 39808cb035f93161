#include "ArtTables.h"

namespace {

// Dark graphite with a cyan accent: the default skin and the fan view.
const Palette kGraphite{
    .window = QColor(0x1b, 0x1f, 0x25),
    .windowLow = QColor(0x12, 0x14, 0x18),
    .header = QColor(0x1f, 0x24, 0x2b),
    .panel = QColor(0x17, 0x1a, 0x1f),
    .edge = QColor(0x2f, 0x36, 0x40),
    .text = QColor(0xe3, 0xe8, 0xee),
    .dim = QColor(0x84, 0x8f, 0x9d),
    .face = QColor(0x2d, 0x33, 0x3c),
    .faceLow = QColor(0x24, 0x29, 0x30),
    .faceOver = QColor(0x3a, 0x43, 0x4f),
    .faceDown = QColor(0x16, 0x19, 0x1e),
    .accent = QColor(0x38, 0xbd, 0xe4),
    .accentLow = QColor(0x1f, 0x8f, 0xb5),
    .onAccent = QColor(0x0a, 0x11, 0x17),
    .hot = QColor(0xe5, 0x48, 0x4d),
};

// Light paper with an orange accent: the compact skin.
const Palette kPaper{
    .window = QColor(0xef, 0xf2, 0xf5),
    .windowLow = QColor(0xe2, 0xe6, 0xeb),
    .header = QColor(0xdc, 0xe2, 0xe8),
    .panel = QColor(0xfa, 0xfb, 0xfc),
    .edge = QColor(0xc3, 0xcb, 0xd4),
    .text = QColor(0x1e, 0x26, 0x30),
    .dim = QColor(0x66, 0x71, 0x80),
    .face = QColor(0xfb, 0xfc, 0xfd),
    .faceLow = QColor(0xe9, 0xed, 0xf1),
    .faceOver = QColor(0xff, 0xf4, 0xea),
    .faceDown = QColor(0xd3, 0xd9, 0xe0),
    .accent = QColor(0xee, 0x7d, 0x2e),
    .accentLow = QColor(0xcc, 0x5c, 0x14),
    .onAccent = QColor(0xff, 0xff, 0xff),
    .hot = QColor(0xe5, 0x48, 0x4d),
};

constexpr Outline kRound{Shape::Circle, 0};
constexpr Outline kKey{Shape::Rounded, 5};
constexpr Outline kSmallKey{Shape::Rounded, 4};

// ---- KavoIII.xml, 400x362: title strip 0-42 with the live temperatures
// right of the title (main.xsl, from x 120), modes at y 50, the plug-in
// view at (12, 84) 376x134 over a framed placeholder, the view and auto
// buttons at y 226, four fan tiles at y 258 and the fan speeds in five
// cells of 75 pixels at y 314 (main.xsl places them).
constexpr PanelArt kKavoPanels[] = {
    {{12, 84, 376, 134}, 8},
    {{12, 258, 88, 48}, 6},
    {{108, 258, 88, 48}, 6},
    {{204, 258, 88, 48}, 6},
    {{300, 258, 88, 48}, 6},
    {{12, 314, 376, 40}, 6},
};
constexpr TextArt kKavoTexts[] = {
    {{48, 6, 140, 18}, "Velmar", 15, true, false, Qt::AlignLeft | Qt::AlignVCenter},
    {{48, 23, 140, 14}, "fan control", 10, false, true, Qt::AlignLeft | Qt::AlignVCenter},
};

// ---- ZEFAN/ZefanView.xml, 376x134: header 0-20 with the timer and close
// buttons, column heads 20-34, four fan rows of 25 pixels.
constexpr TextArt kViewTexts[] = {
    {{26, 0, 150, 20}, "Fan control", 11, true, false, Qt::AlignLeft | Qt::AlignVCenter},
    {{8, 20, 36, 14}, "STATE", 8, true, true, Qt::AlignLeft | Qt::AlignVCenter},
    {{44, 20, 80, 14}, "FAN", 8, true, true, Qt::AlignLeft | Qt::AlignVCenter},
    {{130, 20, 128, 14}, "DUTY", 8, true, true, Qt::AlignLeft | Qt::AlignVCenter},
    {{262, 20, 40, 14}, "TARGET", 8, true, true, Qt::AlignLeft | Qt::AlignVCenter},
    {{306, 20, 32, 14}, "TOL.", 8, true, true, Qt::AlignLeft | Qt::AlignVCenter},
    {{340, 20, 32, 14}, "STOP", 8, true, true, Qt::AlignLeft | Qt::AlignVCenter},
};
constexpr QLine kViewLines[] = {
    {0, 34, 375, 34}, {8, 59, 367, 59}, {8, 84, 367, 84}, {8, 109, 367, 109},
};

// ---- Slate.xml, 240x368: chamfered, title strip 0-36, one framed panel
// (10, 42) 220x188 with four fan rows of 28 pixels and below them, from
// y 154, the temperatures and fan speeds (main.xsl places both), a 4x2 grid
// of mode keys at y 252 and 278, the window buttons in one row at y 330.
constexpr PanelArt kSlatePanels[] = {
    {{10, 42, 220, 188}, 6},
};
constexpr TextArt kSlateTexts[] = {
    {{44, 4, 140, 16}, "Velmar", 13, true, false, Qt::AlignLeft | Qt::AlignVCenter},
    {{44, 19, 140, 12}, "compact", 9, false, true, Qt::AlignLeft | Qt::AlignVCenter},
    {{12, 236, 100, 14}, "MODE", 9, true, true, Qt::AlignLeft | Qt::AlignVCenter},
};
constexpr QLine kSlateLines[] = {
    {18, 70, 221, 70}, {18, 98, 221, 98}, {18, 126, 221, 126}, {10, 154, 229, 154},
};

// ---- VARNEQ/MonitorView.xml, 376x134: header 0-20 with the page switch,
// the timer and close buttons; the pages below are drawn by the page.
constexpr TextArt kMonitorTexts[] = {
    {{26, 0, 120, 20}, "Hardware monitor", 11, true, false, Qt::AlignLeft | Qt::AlignVCenter},
};

const BackgroundArt kBackgrounds[] = {
    {"skins/KavoIII/back.bmp", "skins/KavoIII/rgn.bmp", {400, 362}, {Shape::Rounded, 16}, &kGraphite, 42,
     kKavoPanels, kKavoTexts, {}},
    {"skins/ZEFAN/view_back.bmp", "skins/ZEFAN/view_rgn.bmp", {376, 134}, {Shape::Rounded, 8}, &kGraphite, 20, {},
     kViewTexts, kViewLines},
    {"skins/VARNEQ/view_back.bmp", "skins/VARNEQ/view_rgn.bmp", {376, 134}, {Shape::Rounded, 8}, &kGraphite, 20,
     {}, kMonitorTexts, {}},
    {"skins/Slate/back.bmp", "skins/Slate/rgn.bmp", {240, 368}, {Shape::Chamfered, 16}, &kPaper, 36, kSlatePanels,
     kSlateTexts, kSlateLines},
};

const BadgeArt kBadges[] = {
    {"skins/KavoIII/logo.bmp", {28, 28}, Glyph::Fan, &kGraphite, BadgeKind::Logo},          // at (12, 7)
    {"skins/KavoIII/watermark.bmp", {64, 64}, Glyph::Fan, &kGraphite, BadgeKind::Watermark},  // at (168, 100)
    {"skins/ZEFAN/view_logo.bmp", {14, 14}, Glyph::Fan, &kGraphite, BadgeKind::Logo},       // at (7, 3)
    {"skins/VARNEQ/view_logo.bmp", {14, 14}, Glyph::Pulse, &kGraphite, BadgeKind::Logo},    // at (7, 3)
    {"skins/Slate/logo.bmp", {24, 24}, Glyph::Fan, &kPaper, BadgeKind::Logo},               // at (12, 6)
};

const ButtonArt kButtons[] = {
    // KavoIII: window buttons at y 9, x 208 + 30 i.
    {"skins/KavoIII/top", {24, 24}, kRound, Glyph::Pin, "", &kGraphite, FocusLook::Checked},
    {"skins/KavoIII/trans", {24, 24}, kRound, Glyph::Contrast, "", &kGraphite, FocusLook::Ring},
    {"skins/KavoIII/skin", {24, 24}, kRound, Glyph::Palette, "", &kGraphite, FocusLook::Ring},
    {"skins/KavoIII/setup", {24, 24}, kRound, Glyph::Gear, "", &kGraphite, FocusLook::Ring},
    {"skins/KavoIII/min", {24, 24}, kRound, Glyph::Minus, "", &kGraphite, FocusLook::Ring},
    {"skins/KavoIII/close", {24, 24}, kRound, Glyph::Cross, "", &kGraphite, FocusLook::Ring, true},
    // KavoIII: mode keys at y 50, x 12 + 54 i.
    {"skins/KavoIII/mode0", {50, 22}, kKey, Glyph::None, "Default", &kGraphite, FocusLook::Checked},
    {"skins/KavoIII/mode1", {50, 22}, kKey, Glyph::None, "Turbo", &kGraphite, FocusLook::Checked},
    {"skins/KavoIII/mode2", {50, 22}, kKey, Glyph::None, "Normal", &kGraphite, FocusLook::Checked},
    {"skins/KavoIII/mode3", {50, 22}, kKey, Glyph::None, "Quiet", &kGraphite, FocusLook::Checked},
    {"skins/KavoIII/mode4", {50, 22}, kKey, Glyph::None, "User 1", &kGraphite, FocusLook::Checked},
    {"skins/KavoIII/mode5", {50, 22}, kKey, Glyph::None, "User 2", &kGraphite, FocusLook::Checked},
    {"skins/KavoIII/mode6", {50, 22}, kKey, Glyph::None, "User 3", &kGraphite, FocusLook::Checked},
    // KavoIII: the fan view at (12, 226), automatic mode at (102, 226), the
    // monitor's view at (172, 226).
    {"skins/KavoIII/fans", {84, 24}, kKey, Glyph::None, "Fan view", &kGraphite, FocusLook::Checked},
    {"skins/KavoIII/auto", {64, 24}, kKey, Glyph::None, "Auto", &kGraphite, FocusLook::Ring},
    {"skins/KavoIII/monitor", {76, 24}, kKey, Glyph::None, "Monitor", &kGraphite, FocusLook::Checked},
    // The fan view: timer and close at y 2, x 308, 330, 352.
    {"skins/ZEFAN/start", {18, 16}, kSmallKey, Glyph::Play, "", &kGraphite, FocusLook::Checked},
    {"skins/ZEFAN/stop", {18, 16}, kSmallKey, Glyph::Pause, "", &kGraphite, FocusLook::Checked},
    {"skins/ZEFAN/close", {18, 16}, kSmallKey, Glyph::Cross, "", &kGraphite, FocusLook::Ring, true},
    // The monitor's view: timer and close at y 2, x 308, 330, 352.
    {"skins/VARNEQ/start", {18, 16}, kSmallKey, Glyph::Play, "", &kGraphite, FocusLook::Checked},
    {"skins/VARNEQ/stop", {18, 16}, kSmallKey, Glyph::Pause, "", &kGraphite, FocusLook::Checked},
    {"skins/VARNEQ/close", {18, 16}, kSmallKey, Glyph::Cross, "", &kGraphite, FocusLook::Ring, true},
    // Slate: window buttons at y 330, x 18 + 30 i.
    {"skins/Slate/top", {24, 24}, kRound, Glyph::Pin, "", &kPaper, FocusLook::Checked},
    {"skins/Slate/trans", {24, 24}, kRound, Glyph::Contrast, "", &kPaper, FocusLook::Ring},
    {"skins/Slate/skin", {24, 24}, kRound, Glyph::Palette, "", &kPaper, FocusLook::Ring},
    {"skins/Slate/swap", {24, 24}, kRound, Glyph::Swap, "", &kPaper, FocusLook::Ring},
    {"skins/Slate/setup", {24, 24}, kRound, Glyph::Gear, "", &kPaper, FocusLook::Ring},
    {"skins/Slate/min", {24, 24}, kRound, Glyph::Minus, "", &kPaper, FocusLook::Ring},
    {"skins/Slate/close", {24, 24}, kRound, Glyph::Cross, "", &kPaper, FocusLook::Ring, true},
    // Slate: mode keys in a 4x2 grid, x 12 + 55 i, y 252 and 278; the eighth
    // cell is automatic mode.
    {"skins/Slate/mode0", {51, 22}, kKey, Glyph::None, "Default", &kPaper, FocusLook::Checked},
    {"skins/Slate/mode1", {51, 22}, kKey, Glyph::None, "Turbo", &kPaper, FocusLook::Checked},
    {"skins/Slate/mode2", {51, 22}, kKey, Glyph::None, "Normal", &kPaper, FocusLook::Checked},
    {"skins/Slate/mode3", {51, 22}, kKey, Glyph::None, "Quiet", &kPaper, FocusLook::Checked},
    {"skins/Slate/mode4", {51, 22}, kKey, Glyph::None, "User 1", &kPaper, FocusLook::Checked},
    {"skins/Slate/mode5", {51, 22}, kKey, Glyph::None, "User 2", &kPaper, FocusLook::Checked},
    {"skins/Slate/mode6", {51, 22}, kKey, Glyph::None, "User 3", &kPaper, FocusLook::Checked},
    {"skins/Slate/auto", {51, 22}, kKey, Glyph::None, "Auto", &kPaper, FocusLook::Ring},
};

const IconArt kIcons[] = {
    {"host/res/icons/130.png", 64, QColor(0x38, 0xbd, 0xe4), QColor(0x1f, 0x8f, 0xb5), QColor(0x0a, 0x11, 0x17), false},
    {"host/res/icons/135.png", 64, QColor(0xe5, 0x48, 0x4d), QColor(0xb0, 0x24, 0x29), QColor(0xff, 0xff, 0xff), true},
    {"host/res/icons/136.png", 64, QColor(0xf5, 0xa5, 0x24), QColor(0xc7, 0x7a, 0x00), QColor(0x1e, 0x14, 0x00), true},
    // The skins' APPLICATION icons and the fan view's settings-list icon.
    {"skins/KavoIII/velmar.png", 64, QColor(0x38, 0xbd, 0xe4), QColor(0x1f, 0x8f, 0xb5), QColor(0x0a, 0x11, 0x17), false},
    {"skins/Slate/velmar.png", 64, QColor(0xee, 0x7d, 0x2e), QColor(0xcc, 0x5c, 0x14), QColor(0xff, 0xff, 0xff), false},
    {"skins/ZEFAN/fan.png", 32, QColor(0x38, 0xbd, 0xe4), QColor(0x1f, 0x8f, 0xb5), QColor(0x0a, 0x11, 0x17), false},
    // The settings-list icons of the mode-control and automatic-mode pages.
    {"skins/Modes/modes.png", 32, QColor(0x38, 0xbd, 0xe4), QColor(0x1f, 0x8f, 0xb5), QColor(0x0a, 0x11, 0x17), false,
     Glyph::Gauge},
    {"skins/Modes/auto.png", 32, QColor(0xee, 0x7d, 0x2e), QColor(0xcc, 0x5c, 0x14), QColor(0xff, 0xff, 0xff), false,
     Glyph::Swap},
    // The hardware monitor's settings-list icon.
    {"skins/VARNEQ/monitor.png", 32, QColor(0x38, 0xbd, 0xe4), QColor(0x1f, 0x8f, 0xb5), QColor(0x0a, 0x11, 0x17), false,
     Glyph::Pulse},
};

}  // namespace

std::span<const BackgroundArt> Backgrounds() { return kBackgrounds; }
std::span<const BadgeArt> Badges() { return kBadges; }
std::span<const ButtonArt> Buttons() { return kButtons; }
std::span<const IconArt> Icons() { return kIcons; }
