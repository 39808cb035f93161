// End to end: the test skin composed into a real frameless window with a
// WebEngine page, under Xvfb when there is no display.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPixmap>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "ClickNote.h"
#include "QtHtmlWindow.h"
#include "QtMessageBox.h"
#include "QtPageResources.h"
#include "QtSkinButtonWidget.h"
#include "QtTimers.h"
#include "Region.h"
#include "SkinEngine.h"
#include "skin_test_bitmaps.h"

namespace fs = std::filesystem;

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 200;

void Pump(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

// The limit only bounds a failure: a first start of the web engine on a loaded
// machine with cold caches can take many seconds.
bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 60000) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > timeoutMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

SkinRgb Rgb(int r, int g, int b) {
    return SkinRgb{static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b)};
}

// The test skin: the committed definition, stylesheet and script, with
// bitmaps written beside them.
fs::path MakeSkin() {
    const fs::path folder = skintest::FreshFolder("velmar-e2e-skin");
    for (const char* file : {"SkinDefine.xml", "skin.xsl", "skin.js"})
        fs::copy_file(fs::path(VELMAR_TEST_DATA_DIR) / "skin" / file, folder / file);
    skintest::WriteBmp(folder / "rgn.bmp", skintest::Ellipse(kWidth, kHeight));
    skintest::WriteBmp(folder / "back.bmp", skintest::Solid(kWidth, kHeight, Rgb(30, 40, 90)));
    skintest::WriteBmp(folder / "logo.bmp", skintest::Solid(60, 40, Rgb(220, 20, 20)), 8);
    skintest::WriteBmp(folder / "img" / "badge.bmp", skintest::Solid(30, 30, Rgb(20, 200, 20)));
    skintest::WriteBmp(folder / "r.bmp", skintest::Solid(30, 20, Rgb(90, 90, 90)));
    skintest::WriteBmp(folder / "r_d.bmp", skintest::Solid(30, 20, Rgb(40, 40, 40)));
    skintest::WriteBmp(folder / "r_f.bmp", skintest::Solid(30, 20, Rgb(250, 200, 0)));
    skintest::WriteBmp(folder / "play.bmp", skintest::Solid(24, 24, Rgb(0, 120, 255)));
    skintest::WriteBmp(folder / "play_d.bmp", skintest::Solid(24, 24, Rgb(0, 60, 128)));
    skintest::WriteBmp(folder / "play_o.bmp", skintest::Solid(24, 24, Rgb(100, 180, 255)));
    skintest::WriteBmp(folder / "play_m.bmp", skintest::Ellipse(24, 24));
    return folder;
}

QRegion ExpectedMask(const CBitmapPixels& bitmap) {
    return RegionFromRects(*RegionFromBitmap(&bitmap, kSkinWhite));
}

void Click(QWidget* widget, QPoint at) {
    QMouseEvent press(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, widget->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &release);
}

class SkinE2E : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder = new fs::path(MakeSkin());
        window = new CQtHtmlWindow();
        messages = new CQtMessageBox(window);
        engine = new CSkinEngine(*messages);
        bool complete = false;
        window->Page().SetDocumentCompleteHandler([&complete] { complete = true; });
        window->Window().SetSkinClickHandler([](void* parameter) {
            if (auto note = TakeLiveClickNote(parameter)) clicks->push_back(note->Id());
        });
        window->resize(100, 100);
        window->show();  // the page renders only in a window that was shown once
        ASSERT_TRUE(window->LoadPageResource(kMainPageResource, QString::fromStdString(folder->string())));
        ASSERT_TRUE(WaitUntil([&] { return complete; }, 20000)) << "page 104 never completed";
        engine->SetPosition(50, 60);
        composed = engine->LoadSkin(folder->string(), &window->Window(), &window->Page(),
                                    "<VARN_FRAME></VARN_FRAME>", true);
        std::string loaded;
        WaitUntil([&] {
            engine->GetVariableText("skinScriptLoaded", loaded);
            return loaded == "yes";
        });
    }
    static void TearDownTestSuite() {
        delete engine;
        delete messages;
        delete window;
        fs::remove_all(*folder);
        delete folder;
    }

    static QWidget* ButtonWidget(const std::string& id) {
        CSkinCommandButton* button = engine->FindButton(id);
        if (!button) return nullptr;
        auto* port = dynamic_cast<CQtSkinButtonWidget*>(button->Widget());
        return port ? port->Widget() : nullptr;
    }
    static std::string Box(const std::string& id) {
        ScriptValue box;
        engine->Bridge().CallFunction("ElementBox", {id}, &box);
        return ScriptValueText(box);
    }

    static inline fs::path* folder = nullptr;
    static inline CQtHtmlWindow* window = nullptr;
    static inline CQtMessageBox* messages = nullptr;
    static inline CSkinEngine* engine = nullptr;
    static inline std::vector<std::string>* clicks = new std::vector<std::string>;
    static inline bool composed = false;
};

}  // namespace

TEST_F(SkinE2E, ComposesTheSkinIntoAVisibleWindowShapedByItsOutline) {
    ASSERT_TRUE(composed);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), "Velmar E2E");
    EXPECT_EQ(window->size(), QSize(kWidth, kHeight));
    EXPECT_EQ(window->pos(), QPoint(50, 60));
    const QRegion expected = ExpectedMask(skintest::Ellipse(kWidth, kHeight));
    EXPECT_EQ(window->mask(), expected);
    EXPECT_TRUE(window->mask().contains(QPoint(kWidth / 2, kHeight / 2)));
    EXPECT_FALSE(window->mask().contains(QPoint(0, 0))) << "the white corner is outside the window";
}

TEST_F(SkinE2E, PlacesTheImageElementsWhereTheDefinitionSays) {
    ASSERT_TRUE(composed);
    EXPECT_TRUE(WaitUntil([] { return Box("logo") == "40,30,60,40"; })) << Box("logo");
    EXPECT_TRUE(WaitUntil([] { return Box("badge") == "200,120,30,30"; })) << Box("badge");
    EXPECT_EQ(Box("frame").rfind("120,4,", 0), 0u) << "the stylesheet output comes first: " << Box("frame");
    const auto ids = window->Page().ElementIds();
    ASSERT_TRUE(ids);
    EXPECT_EQ(*ids, (std::vector<std::string>{"head", "CHtmlVesselDlg", "frame", "logo", "badge"}));
}

TEST_F(SkinE2E, RunsTheSkinScriptAfterTheElementsAreComposed) {
    ASSERT_TRUE(composed);
    ASSERT_TRUE(engine->CallScript("OnInitial", "", ""));
    std::string report;
    engine->GetVariableText("initialReport", report);
    EXPECT_EQ(report, "logo@40,30");
    ScriptValue scripts;
    ASSERT_TRUE(engine->Bridge().CallFunction("ScriptCount", {}, &scripts));
    const int before = ScriptValueInt(scripts);
    engine->CallScript("loadScript", "skin.js", "");
    engine->Bridge().CallFunction("ScriptCount", {}, &scripts);
    EXPECT_EQ(ScriptValueInt(scripts), before) << "page 104 loads the skin script once";
}

TEST_F(SkinE2E, AScriptButtonCallsItsPageFunctionAndNotifiesItsOwner) {
    ASSERT_TRUE(composed);
    QWidget* play = ButtonWidget("PLAY");
    ASSERT_NE(play, nullptr);
    EXPECT_EQ(play->size(), QSize(24, 24)) << "the mask's size wins over WIDTH and HEIGHT";
    EXPECT_EQ(play->parentWidget(), window);
    EXPECT_EQ(play->toolTip(), "Play");
    EXPECT_EQ(play->mask(), ExpectedMask(skintest::Ellipse(24, 24)));
    EXPECT_FALSE(play->mask().contains(QPoint(0, 0))) << "white mask pixels are not the button";
    clicks->clear();
    Click(play, QPoint(12, 12));
    ASSERT_TRUE(WaitUntil([] { return !clicks->empty(); }));
    EXPECT_EQ(*clicks, (std::vector<std::string>{"PLAY"}));
    int count = 0;
    engine->GetVariableInt("playCount", count);
    EXPECT_EQ(count, 1);
}

TEST_F(SkinE2E, ARadioButtonUnchecksTheOthersOfItsGroupOnly) {
    ASSERT_TRUE(composed);
    for (const char* id : {"R0", "R1", "R2", "S0", "S1"}) ASSERT_NE(ButtonWidget(id), nullptr) << id;
    Click(ButtonWidget("R0"), QPoint(5, 5));
    EXPECT_TRUE(engine->SetButtonCheck("S1", true));
    Pump(50);
    EXPECT_TRUE(engine->FindButton("R0")->GetCheck());
    Click(ButtonWidget("R2"), QPoint(5, 5));
    Pump(50);
    EXPECT_FALSE(engine->FindButton("R0")->GetCheck());
    EXPECT_FALSE(engine->FindButton("R1")->GetCheck());
    EXPECT_TRUE(engine->FindButton("R2")->GetCheck());
    EXPECT_TRUE(engine->FindButton("S1")->GetCheck()) << "the other group is untouched";
    EXPECT_FALSE(engine->FindButton("S0")->GetCheck());
}

TEST_F(SkinE2E, APageThatDoesNotAnswerIsAFailedCallNotAHang) {
    ASSERT_TRUE(composed);
    window->Page().Execute("var until = Date.now() + 3000; while (Date.now() < until) {}");
    QElapsedTimer t;
    t.start();
    EXPECT_FALSE(engine->CallScript("PressPlay", "", ""));
    EXPECT_LT(t.elapsed(), 2900);
    EXPECT_EQ(engine->Bridge().LastError(), "JSCall Error:\nThe page did not answer in time.");
    EXPECT_TRUE(WaitUntil([] {
        std::string loaded;
        engine->GetVariableText("skinScriptLoaded", loaded);
        return loaded == "yes";
    })) << "the page answers again once it is free";
}

TEST_F(SkinE2E, ThePluginViewPageCallsOnInitialAtEveryLoadScript) {
    CQtHtmlWindow view(window);
    bool complete = false;
    view.Page().SetDocumentCompleteHandler([&complete] { complete = true; });
    view.setGeometry(0, 0, 50, 50);
    view.show();
    ASSERT_TRUE(view.LoadPageResource(kPluginViewPageResource, QString::fromStdString(folder->string())));
    ASSERT_TRUE(WaitUntil([&] { return complete; }));
    CScriptBridge bridge;
    ASSERT_TRUE(bridge.SetDocument(&view.Page()));
    // The OnInitial called is the one of the script being loaded, once it
    // has loaded; the next loadScript calls it at once.
    std::ofstream(*folder / "view.js") << "let inits = 0;\nfunction OnInitial() { inits = inits + 1; }\n";
    EXPECT_TRUE(bridge.CallFunction("loadScript", "view.js")) << bridge.LastError();
    int inits = 0;
    EXPECT_TRUE(WaitUntil([&] {
        bridge.GetVariableInt("inits", inits);
        return inits == 1;
    })) << inits;
    EXPECT_TRUE(bridge.CallFunction("loadScript", "view.js"));
    bridge.GetVariableInt("inits", inits);
    EXPECT_EQ(inits, 2);
    const auto ids = view.Page().ElementIds();
    ASSERT_TRUE(ids);
    EXPECT_EQ(*ids, (std::vector<std::string>{"head", "CPlugInView"}));
    EXPECT_FALSE(bridge.CallFunction("NoSuchFunction"));
    EXPECT_EQ(bridge.LastError(), "JSCall Error:\nUnknown name.");
}

// A skin change: the page keeps the old skin's functions until the new
// script has loaded, so composing must not return before it has.
TEST_F(SkinE2E, ComposingReturnsWithTheNewSkinsScriptInPlace) {
    const fs::path second = skintest::FreshFolder("velmar-e2e-skin-b");
    fs::copy(*folder, second, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    // Large enough that loading it outlasts the page calls composition makes.
    std::ofstream(second / "skin.js", std::ios::trunc)
        << "/*" << std::string(std::size_t{16} << 20, '-') << "*/\n"
        << "const skinName = 'B';\nfunction OnInitial() { initialReport = 'B:' + skinName; }\n";
    CQtHtmlWindow other;
    CQtMessageBox otherMessages(&other);
    CSkinEngine otherEngine(otherMessages);
    bool complete = false;
    other.Page().SetDocumentCompleteHandler([&complete] { complete = true; });
    other.resize(100, 100);
    other.show();
    ASSERT_TRUE(other.LoadPageResource(kMainPageResource, QString::fromStdString(folder->string())));
    ASSERT_TRUE(WaitUntil([&] { return complete; }, 20000));
    std::string report;
    ASSERT_TRUE(otherEngine.LoadSkin(folder->string(), &other.Window(), &other.Page(), "<VARN_FRAME/>", true));
    ASSERT_TRUE(otherEngine.CallScript("OnInitial", "", "")) << otherEngine.Bridge().LastError();
    otherEngine.GetVariableText("initialReport", report);
    EXPECT_EQ(report, "logo@40,30");
    otherEngine.CallScript("RestoreInitial", "", "");
    ASSERT_TRUE(otherEngine.LoadSkin(second.string(), &other.Window(), &other.Page(), "<VARN_FRAME/>", true));
    ASSERT_TRUE(otherEngine.CallScript("OnInitial", "", ""));
    otherEngine.GetVariableText("initialReport", report);
    EXPECT_EQ(report, "B:B");
    fs::remove_all(second);
}

// Globals declared with let or const are no properties of window, yet the
// page's variables are read by name; a name that is no identifier never
// becomes script.
TEST_F(SkinE2E, PageVariablesDeclaredWithLetOrConstAreReadAndNamesCannotInject) {
    ASSERT_TRUE(composed);
    window->Page().Execute("let letMode = 3; const constText = 'seven'; var injected = 0;");
    int mode = 0;
    std::string text;
    ASSERT_TRUE(WaitUntil([&] {
        engine->GetVariableInt("letMode", mode);
        return mode == 3;
    })) << engine->Bridge().LastError();
    engine->GetVariableText("constText", text);
    EXPECT_EQ(text, "seven");
    engine->GetVariableText("notDeclaredAnywhere", text);
    EXPECT_EQ(text, "");
    EXPECT_EQ(engine->Bridge().LastError(), "JSCall Error:\nUnknown name.");
    for (const char* name : {"x;injected=1", "injected=1", "}};injected=1;//", "constText)||(injected=1"}) {
        engine->GetVariableText(name, text);
        EXPECT_FALSE(engine->CallScript(name, "", "")) << name;
    }
    engine->GetVariableInt("injected", mode);
    EXPECT_EQ(mode, 0);
}

// A rendering's batch on a real page: writes land in order on the element
// the host listed (of several with one id, the right one), calls run after
// the writes before them, a missing function is recorded by the bridge
// without anyone waiting, and an element the page's script added meanwhile
// neither takes a write meant for another nor keeps the host's stale list.
TEST_F(SkinE2E, ABatchWritesAndCallsInOrderWithoutWaitingAndFollowsAChangedPage) {
    ASSERT_TRUE(composed);
    IScriptPage& page = window->Page();
    page.Execute("document.body.insertAdjacentHTML('beforeend',"
                 "'<b id=\"S+I+V\">a</b><b id=\"S+I+V\">b</b><i id=\"seen\"></i>');"
                 "var order = ''; function Mark(id, v) { order += v + ':' + Array.prototype.map.call("
                 "document.querySelectorAll('[id=\"S+I+V\"]'), function(e){ return e.innerHTML; }).join(',') + ';'; }"
                 "function Prepend() { document.body.insertAdjacentHTML('afterbegin', '<u id=\"first\"></u>'); }"
                 "function Texts() { return Array.prototype.map.call(document.querySelectorAll('[id=\"S+I+V\"]'),"
                 "function(e){ return e.innerHTML; }).join(','); }");
    std::optional<std::vector<std::string>> ids;
    ASSERT_TRUE(WaitUntil([&] { return (ids = page.ElementIds()) && ids->size() >= 3 && ids->back() == "seen"; }));
    std::vector<std::size_t> bound;
    for (std::size_t i = 0; i < ids->size(); ++i)
        if ((*ids)[i] == "S+I+V") bound.push_back(i);
    ASSERT_EQ(bound.size(), 2u);
    const auto write = [](std::size_t position, const std::string& html) {
        PageStep step;
        step.position = position;
        step.id = "S+I+V";
        step.html = html;
        return step;
    };
    const auto call = [](const std::string& name, const std::string& value) {
        PageStep step;
        step.function = name;
        step.args = {"", value};
        return step;
    };
    ASSERT_TRUE(engine->Bridge().Queue({write(bound[0], "one"), call("Mark", "1"), write(bound[1], "two"),
                                        call("NoSuchFunction", ""), call("Mark", "2")}));
    std::string order;
    ASSERT_TRUE(WaitUntil([&] {
        engine->GetVariableText("order", order);
        return order == "1:one,b;2:one,two;";
    })) << order;
    EXPECT_EQ(engine->Bridge().LastError(), "JSCall Error:\nUnknown name.");
    std::string texts;
    // Read through a page function: a call keeps the host's list of ids.
    const auto read = [&] {
        texts = ScriptValueText(page.Invoke("Texts", {}).value);
        return texts;
    };
    EXPECT_EQ(read(), "one,two");

    // The page's own script puts an element in front of them: the host's
    // positions are stale, the writes still find their elements, and the
    // next list read is the page's new one.
    const auto before = page.ElementIds();
    ASSERT_TRUE(before);
    std::vector<std::size_t> now;
    for (std::size_t i = 0; i < before->size(); ++i)
        if ((*before)[i] == "S+I+V") now.push_back(i);
    ASSERT_EQ(now.size(), 2u);
    ASSERT_EQ(page.Invoke("Prepend", {}).status, ScriptStatus::Ok);
    ASSERT_TRUE(engine->Bridge().Queue({write(now[0], "three"), write(now[1], "four")}));
    EXPECT_TRUE(WaitUntil([&] { return read() == "three,four"; })) << texts;
    EXPECT_TRUE(WaitUntil([&] {
        const auto fresh = page.ElementIds();
        return fresh && fresh->size() == before->size() + 1;
    }));
}

TEST_F(SkinE2E, AButtonMaskMayBeAnyPictureAFaceMayBe) {
    ASSERT_TRUE(composed);
    const fs::path png = *folder / "mask.png";
    QImage mask(6, 4, QImage::Format_RGB32);
    mask.fill(Qt::white);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 2; ++x) mask.setPixel(x, y, qRgb(0, 0, 0));
    ASSERT_TRUE(mask.save(QString::fromStdString(png.string())));
    CSkinButton button(ButtonBehaviour::Push);
    button.AttachWidget(window->Window().CreateButtonWidget(button, 9000));
    button.SetSkin((*folder / "play.bmp").string(), "", "", "", "", png.string(), 0, false, 0);
    auto* port = dynamic_cast<CQtSkinButtonWidget*>(button.Widget());
    ASSERT_NE(port, nullptr);
    EXPECT_EQ(port->Widget()->size(), QSize(6, 4));
    EXPECT_EQ(port->Widget()->mask(), QRegion(0, 0, 2, 3));
}

TEST(QtOutline, AnEmptyOutlineLeavesNoPixelOfTheWidgetVisible) {
    QWidget widget;
    widget.resize(20, 20);
    widget.setMask(RegionFromRects({}));
    EXPECT_FALSE(widget.mask().isEmpty()) << "an empty mask would mean no mask at all";
    EXPECT_TRUE(widget.mask().intersected(widget.rect()).isEmpty());
    EXPECT_EQ(RegionFromRects({{0, 1, 3, 2}, {1, 0, 2, 1}}), QRegion(0, 1, 3, 1) + QRegion(1, 0, 1, 1));
}

TEST(QtOutline, ADitheredWindowSizedOutlineBecomesARegionInLinearTime) {
    // A checkerboard outline: one run per pixel, 393,216 of them. Adding them
    // one by one took longer than this test may run.
    CBitmapPixels dither;
    dither.width = 1024;
    dither.height = 768;
    for (int y = 0; y < dither.height; ++y)
        for (int x = 0; x < dither.width; ++x) dither.pixels.push_back((x + y) % 2 ? kSkinWhite : SkinRgb{});
    const QRegion region = RegionFromRects(*RegionFromBitmap(&dither, kSkinWhite));
    long long area = 0;
    for (const QRect& r : region) area += static_cast<long long>(r.width()) * r.height();
    EXPECT_EQ(area, 1024LL * 768 / 2);
    EXPECT_TRUE(region.contains(QPoint(0, 0)));
    EXPECT_FALSE(region.contains(QPoint(1, 0)));
    EXPECT_TRUE(region.contains(QPoint(1023, 767)));
}

TEST(QtTimers, TickUntilStoppedEvenFromTheirOwnTick) {
    QObject owner;
    CQtTimers timers(&owner);
    int ticks = 0;
    timers.Start(1, 5, [&] {
        if (++ticks == 3) timers.Stop(1);
    });
    EXPECT_TRUE(timers.IsRunning(1));
    EXPECT_TRUE(WaitUntil([&] { return !timers.IsRunning(1); }, 2000));
    Pump(40);
    EXPECT_EQ(ticks, 3);
    timers.Start(2, 5, [] {});
    timers.Start(2, 1000, [&] { ++ticks; });
    Pump(40);
    EXPECT_EQ(ticks, 3) << "starting an id again replaces its timer";
}

TEST_F(SkinE2E, SavesAScreenshot) {
    ASSERT_TRUE(composed);
    WaitUntil([] { return Box("logo") == "40,30,60,40"; });
    Pump(300);
    const QPixmap shot = window->grab();
    ASSERT_FALSE(shot.isNull());
    const QString dir = QString::fromUtf8(VELMAR_ARTIFACT_DIR);
    QDir().mkpath(dir);
    const QString path = dir + "/skin_e2e.png";
    ASSERT_TRUE(shot.save(path));
    EXPECT_TRUE(QFileInfo::exists(path));
    const QImage image = shot.toImage();
    const QColor logo = image.pixelColor(70, 50);
    EXPECT_GT(logo.red(), 150) << "the logo is drawn where it stands";
    EXPECT_LT(logo.green(), 80);
    const QColor play = image.pixelColor(262, 152);
    EXPECT_EQ(play, QColor(0, 120, 255)) << "the button is drawn above the page";
}

int main(int argc, char** argv) {
    CQtHtmlWindow::PrepareProcess();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
