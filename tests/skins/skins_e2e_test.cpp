// End to end: each bundled skin composed by the real engine into a real
// frameless window with a WebEngine page (under Xvfb when there is no
// display), fed the fan plug-in's document as the host feeds it, with a
// screenshot of each into <build>/artifacts.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPixmap>
#include <QWebEngineView>
#include <QWheelEvent>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "Bitmap.h"
#include "DataDocumentRenderer.h"
#include "FrameDocumentPage.h"
#include "QtHtmlWindow.h"
#include "QtMessageBox.h"
#include "QtPageResources.h"
#include "QtSkinButtonWidget.h"
#include "Region.h"
#include "SkinDefinition.h"
#include "SkinEngine.h"

namespace {

const std::string kSkins = std::string(VELMAR_SKINS_DIR) + "/";

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

void Pump(int ms) {
    WaitUntil([] { return false; }, ms);
}

std::string ReadData(const std::string& name) {
    std::ifstream in(std::string(VELMAR_TEST_DATA_DIR) + "/skins/" + name);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string FanDocument() { return ReadData("fan_status.xml"); }
std::string MonitorDocument() { return ReadData("monitor_status.xml"); }

// The monitor's document once the CPU has cooled below its limit.
std::string RecoveredDocument() {
    std::string text = MonitorDocument();
    const std::size_t cpu = text.find("<ITEM NAME=\"CPUTIN\">");
    text.replace(text.find("<DISPLAY>85 °C</DISPLAY>", cpu), 24, "<DISPLAY>72 °C</DISPLAY>");
    text.replace(text.find("<STATE>high</STATE>", cpu), 19, "<STATE>ok</STATE>");
    text.replace(text.find("<AVAILABILITY>4</AVAILABILITY>", cpu), 30, "<AVAILABILITY>3</AVAILABILITY>");
    return text;
}

// "key:value" of a testState() line.
std::string StateValue(const std::string& state, const std::string& key) {
    const std::string start = key + ":";
    std::size_t at = state.find(start);
    while (at != std::string::npos && at != 0 && state[at - 1] != ';') at = state.find(start, at + 1);
    if (at == std::string::npos) return "(no " + key + ")";
    at += start.size();
    return state.substr(at, state.find(';', at) - at);
}

// A composed window with its page and engine.
struct Composed {
    explicit Composed(int pageResource, QWidget* parent = nullptr)
        : window(parent), messages(&window), engine(messages), pageResource_(pageResource) {}

    bool Load(const std::string& folder, const std::string& file, const std::string& data, int x, int y) {
        bool complete = false;
        window.Page().SetDocumentCompleteHandler([&complete] { complete = true; });
        window.show();  // the page renders only in a window that was shown once
        if (!window.LoadPageResource(pageResource_, QString::fromStdString(folder))) return false;
        if (!WaitUntil([&] { return complete; })) return false;
        engine.SetPosition(x, y);
        engine.SetSkinFile(file);
        if (!engine.LoadSkin(folder, &window.Window(), &window.Page(), data, true)) return false;
        // The script is loaded once it has run its own OnInitial.
        return WaitUntil([&] { return Text("typeof testState") == "function"; });
    }
    std::string Text(const std::string& expression) {
        const auto value = window.Page().Evaluate(QString::fromStdString("String(" + expression + ")"));
        return value ? value->toString().toStdString() : "(no answer)";
    }
    void Render(DocumentPageKind kind, const std::string& document) {
        CFrameDocumentPage page(window.Page(), engine);
        CDataDocumentRenderer(kind).Render(document, page, false);
    }
    void Screenshot(const std::string& name) {
        Pump(500);  // let the bars' transitions end
        const QString dir = QString::fromUtf8(VELMAR_ARTIFACT_DIR);
        QDir().mkpath(dir);
        EXPECT_TRUE(window.grab().save(dir + "/" + QString::fromStdString(name) + ".png"));
    }

    CQtHtmlWindow window;
    CQtMessageBox messages;
    CSkinEngine engine;
    int pageResource_;
};

std::string Html(Composed& c, const std::string& id) {
    return c.Text("document.getElementById('" + id + "').innerHTML");
}

class MainSkinE2E : public ::testing::TestWithParam<const char*> {};

}  // namespace

TEST_P(MainSkinE2E, ComposesShapedShowsLiveDutiesAndFollowsTheHostsCalls) {
    const std::string file = GetParam();
    Composed main(kMainPageResource);
    ASSERT_TRUE(main.Load(kSkins, file, "<VARN_FRAME></VARN_FRAME>", 40, 30));
    CXmlDocument definitionDocument;
    ASSERT_TRUE(definitionDocument.LoadFile(kSkins + file));
    const CSkinDefinition definition(definitionDocument, kSkins);
    const auto outline = LoadBmpFile(definition.ReadSkin().rgnPath);
    ASSERT_TRUE(outline);
    EXPECT_EQ(main.window.size(), QSize(outline->width, outline->height));
    EXPECT_EQ(main.window.mask(), RegionFromRects(*RegionFromBitmap(&*outline, kSkinWhite)));
    EXPECT_EQ(main.window.windowTitle(), "Velmar");
    for (const SkinButton& button : definition.ReadButtons()) {
        CSkinCommandButton* made = main.engine.FindButton(button.id);
        ASSERT_NE(made, nullptr) << button.id;
        auto* widget = dynamic_cast<CQtSkinButtonWidget*>(made->Widget());
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->Widget()->geometry(), QRect(button.x, button.y, button.width, button.height)) << button.id;
    }

    // One update tick: the shared document into the page, then ProcessEnd.
    main.Render(DocumentPageKind::MainPage, FanDocument());
    ASSERT_TRUE(main.engine.CallScript("ProcessEnd", "", ""));
    EXPECT_EQ(Html(main, "FAN+ZEFAN_FAN_0+CAPTION"), "CPU FAN");
    EXPECT_EQ(Html(main, "FAN+ZEFAN_FAN_0+PWM_DUTYCYCLE"), "45%");
    EXPECT_EQ(Html(main, "FAN+ZEFAN_FAN_1+PWM_DUTYCYCLE"), "100%");
    EXPECT_EQ(main.Text("document.getElementById('bar_1').style.width"),
              main.Text("document.getElementById('bar_1').parentNode.clientWidth + 'px'"))
        << "a full duty fills the bar";
    EXPECT_EQ(main.Text("document.getElementById('bar_3').style.width"), "0px") << "no duty, no bar";

    ASSERT_TRUE(main.engine.CallScript("BeginChangeMode", "3", ""));
    EXPECT_EQ(Html(main, "modeName"), "Quiet");
    int mode = -1;
    main.engine.GetVariableInt("currentMode", mode);
    EXPECT_EQ(mode, 3);
    ASSERT_TRUE(main.engine.CallScript("SetAutoPace", "true", ""));
    std::string autopace;
    main.engine.GetVariableText("autopace", autopace);
    EXPECT_EQ(autopace, "true");
    EXPECT_EQ(Html(main, "autoText"), "on");
    ASSERT_TRUE(main.engine.CallScript("VARNEQ_WARNING", "", "TRUE"));
    EXPECT_EQ(main.Text("document.getElementById('warnBadge').style.display"), "block");
    ASSERT_TRUE(main.engine.CallScript("VARNEQ_ITEM_WARNING", "FAN+ZEFAN_FAN_0+PWM_DUTYCYCLE", "TRUE"));
    EXPECT_EQ(main.Text("document.getElementById('FAN+ZEFAN_FAN_0+PWM_DUTYCYCLE').className.indexOf('alarm') >= 0"),
              "true");
    ASSERT_TRUE(main.engine.CallScript("VARNEQ_ITEM_WARNING", "FAN+ZEFAN_FAN_0+PWM_DUTYCYCLE", "FALSE"));
    ASSERT_TRUE(main.engine.CallScript("VARNEQ_WARNING", "", "FALSE"));
    ASSERT_TRUE(main.engine.CallScript("OnInitial", "", ""));
    main.Screenshot("skins_" + file.substr(0, file.find('.')));
}

// The monitor's document shared into the face: the readings appear, the
// item in warning is marked and its mark goes when it recovers.
TEST_P(MainSkinE2E, ShowsTheMonitorsReadingsAndMarksTheItemInWarning) {
    const std::string file = GetParam();
    Composed main(kMainPageResource);
    ASSERT_TRUE(main.Load(kSkins, file, "<VARN_FRAME></VARN_FRAME>", 40, 30));
    main.Render(DocumentPageKind::MainPage, FanDocument());
    ASSERT_TRUE(main.engine.CallScript("ProcessEnd", "", ""));
    std::string state = main.Text("testState()");
    EXPECT_EQ(StateValue(state, "readings"), "0") << "no monitor yet, no empty labels: " << state;
    EXPECT_EQ(StateValue(state, "mode"), "0") << "the keys other tests read stay";
    const std::string hint = "(function(e) { return e ? e.style.display : 'none'; })(document.getElementById('speedHint'))";
    if (file == "KavoIII.xml") {
        EXPECT_EQ(main.Text(hint), "block") << "an empty strip says what it is for";
    }

    main.Render(DocumentPageKind::MainPage, MonitorDocument());
    ASSERT_TRUE(main.engine.CallScript("ProcessEnd", "", ""));
    state = main.Text("testState()");
    EXPECT_EQ(StateValue(state, "cpu"), "85 °C") << state;
    EXPECT_EQ(StateValue(state, "alarms"), "1") << "the CPU temperature is the one bound element in warning";
    EXPECT_EQ(StateValue(state, "readings"), "7") << "two temperatures, five fan speeds";
    EXPECT_EQ(StateValue(state, "warning"), "false") << "the badge follows the host's VARNEQ_WARNING alone";
    EXPECT_EQ(Html(main, "FANSPEED+CPUFANIN0+DISPLAY"), "3222 rpm");
    EXPECT_EQ(main.Text(hint), "none");
    EXPECT_EQ(Html(main, "FANSPEED+AUXFANIN1+CAPTION"), "AUX FAN");
    EXPECT_EQ(main.Text("document.getElementById('temp_CPUTIN').className.indexOf('alarmed') >= 0"), "true");
    EXPECT_EQ(main.Text("document.getElementById('FAN+ZEFAN_FAN_0+PWM_DUTYCYCLE').innerHTML"), "45%")
        << "the monitor's document leaves the fan plug-in's values alone";
    // Every reading lies inside the window and its text inside its place.
    EXPECT_EQ(main.Text("Array.prototype.filter.call(document.querySelectorAll('.reading:not(.unused)'), function(e) {"
                        "  var r = e.getBoundingClientRect(), v = e.querySelector('.value');"
                        "  return r.right > window.innerWidth || r.bottom > window.innerHeight ||"
                        "         v.getBoundingClientRect().right > r.right + 1; }).length"),
              "0");

    // The host's own rendering with the warning on: badge and mark.
    CFrameDocumentPage page(main.window.Page(), main.engine);
    CDataDocumentRenderer(DocumentPageKind::MainPage).Render(MonitorDocument(), page, true);
    ASSERT_TRUE(main.engine.CallScript("ProcessEnd", "", ""));
    EXPECT_EQ(StateValue(main.Text("testState()"), "warning"), "true");
    main.Screenshot("skins_" + file.substr(0, file.find('.')) + "_warning");

    main.Render(DocumentPageKind::MainPage, RecoveredDocument());
    ASSERT_TRUE(main.engine.CallScript("ProcessEnd", "", ""));
    state = main.Text("testState()");
    EXPECT_EQ(StateValue(state, "alarms"), "0") << state;
    EXPECT_EQ(StateValue(state, "cpu"), "72 °C");
    EXPECT_EQ(StateValue(state, "warning"), "false");
    EXPECT_EQ(main.Text("document.querySelectorAll('.alarmed').length"), "0");
    main.Screenshot("skins_" + file.substr(0, file.find('.')) + "_monitor");
}

INSTANTIATE_TEST_SUITE_P(Bundled, MainSkinE2E, ::testing::Values("KavoIII.xml", "Slate.xml"));

TEST(FanViewE2E, ComposesInsideTheDefaultSkinAndRefreshesInPlace) {
    Composed main(kMainPageResource);
    ASSERT_TRUE(main.Load(kSkins, "KavoIII.xml", "<VARN_FRAME></VARN_FRAME>", 40, 30));
    main.Render(DocumentPageKind::MainPage, FanDocument());
    main.engine.CallScript("ProcessEnd", "", "");
    int x = 0, y = 0;
    ASSERT_TRUE(CSkinDefinition::GetPluginViewPlacement(kSkins + "KavoIII.xml", x, y));

    Composed view(kPluginViewPageResource, &main.window);
    ASSERT_TRUE(view.Load(kSkins + "ZEFAN/", "ZefanView.xml", FanDocument(), x, y));
    view.Render(DocumentPageKind::PluginView, FanDocument());
    EXPECT_EQ(view.window.geometry(), QRect(x, y, 376, 134));
    EXPECT_EQ(Html(view, "mark_ZEFAN_FAN_0"), "AUTO");
    EXPECT_EQ(Html(view, "mark_ZEFAN_FAN_2"), "OFF") << "FAN_STATUSINFO marks the fan whose control is off";
    EXPECT_EQ(Html(view, "FAN+ZEFAN_FAN_0+TARGET_TEMP"), "60");

    // A refresh with new duties: the cells change, and ProcessEnd redraws the bars.
    std::string next = FanDocument();
    next.replace(next.find("45%"), 3, "90%");
    view.Render(DocumentPageKind::PluginView, next);
    ASSERT_TRUE(view.engine.CallScript("ProcessEnd", "", ""));
    main.Render(DocumentPageKind::MainPage, next);  // the shared copy of the same document
    main.engine.CallScript("ProcessEnd", "", "");
    EXPECT_EQ(Html(view, "FAN+ZEFAN_FAN_0+PWM_DUTYCYCLE"), "90%");
    EXPECT_EQ(view.Text("document.getElementById('bar_ZEFAN_FAN_0').style.width"), "81px");
    ASSERT_TRUE(view.engine.CallScript("OnPause", "", ""));
    EXPECT_EQ(Html(view, "liveText"), "PAUSED");
    ASSERT_TRUE(view.engine.CallScript("OnLive", "", ""));
    main.Screenshot("skins_KavoIII_fanview");
}

// A wheel turn over the view's page, as the mouse gives it.
void Wheel(Composed& view, QPoint at, int notches) {
    QWidget* target = view.window.View()->focusProxy() ? view.window.View()->focusProxy() : view.window.View();
    const QPointF global = target->mapToGlobal(QPointF(at));
    QWheelEvent event(QPointF(at), global, QPoint(), QPoint(0, -120 * notches), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(target, &event);
}

TEST(MonitorViewE2E, ShowsEveryReadingAndTheHistoryAndFollowsTheRefreshes) {
    Composed main(kMainPageResource);
    ASSERT_TRUE(main.Load(kSkins, "KavoIII.xml", "<VARN_FRAME></VARN_FRAME>", 40, 30));
    main.Render(DocumentPageKind::MainPage, FanDocument());
    CFrameDocumentPage mainPage(main.window.Page(), main.engine);
    CDataDocumentRenderer(DocumentPageKind::MainPage).Render(MonitorDocument(), mainPage, true);
    main.engine.CallScript("ProcessEnd", "", "");
    int x = 0, y = 0;
    ASSERT_TRUE(CSkinDefinition::GetPluginViewPlacement(kSkins + "KavoIII.xml", x, y));

    Composed view(kPluginViewPageResource, &main.window);
    ASSERT_TRUE(view.Load(kSkins + "VARNEQ/", "MonitorView.xml", MonitorDocument(), x, y));
    view.Render(DocumentPageKind::PluginView, MonitorDocument());
    EXPECT_EQ(view.window.geometry(), QRect(12, 84, 376, 134));
    std::string state = view.Text("testState()");
    EXPECT_EQ(StateValue(state, "items"), "11") << state;
    EXPECT_EQ(StateValue(state, "warn"), "1") << "TEMPERATURE_AVAILABILITY 4 for the CPU";
    EXPECT_EQ(StateValue(state, "unavailable"), "1") << "FANSPEED_AVAILABILITY 2 for the stopped fan";
    EXPECT_EQ(StateValue(state, "points"), std::to_string(7 * 60 + 38)) << "composed with its curves drawn";
    EXPECT_EQ(StateValue(state, "page"), "readings");
    EXPECT_EQ(view.Text("document.getElementById('cell_FANSPEED_AUXFANIN1').title"), "the fan reports no rotation");
    // Nothing cut off: every text fits its place, and the readings fit the page.
    const std::string clipped =
        "Array.prototype.filter.call(document.querySelectorAll('#readings .cap, #readings .line, .key, .tab'),"
        "  function(e) { return e.scrollWidth > e.clientWidth + 1 || e.getBoundingClientRect().right > 376; }).length";
    EXPECT_EQ(view.Text(clipped), "0");
    EXPECT_EQ(view.Text("(function(r) { return r.scrollHeight <= r.clientHeight; })(document.getElementById('readings'))"),
              "true");
    EXPECT_EQ(view.Text("Math.min.apply(null, Array.prototype.map.call(document.querySelectorAll('#readings *, "
                        "#chartPage div, #chartPage span, #tabs *'), function(e) {"
                        "  return e.textContent ? parseFloat(getComputedStyle(e).fontSize) : 99; }))"),
              "9")
        << "no text below 9 px";
    main.Screenshot("skins_KavoIII_monitor_readings");

    // The script redraws the curves exactly where the stylesheet drew them.
    const std::string composedCurve = view.Text("document.getElementById('curve_CPUTIN').getAttribute('d')");
    ASSERT_TRUE(view.engine.CallScript("ProcessEnd", "", ""));
    EXPECT_EQ(view.Text("document.getElementById('curve_CPUTIN').getAttribute('d')"), composedCurve);

    // A refresh: the CPU cooled, its newest sample came in and the oldest went;
    // the curve moves one step left and ends at the new reading.
    std::string next = RecoveredDocument();
    const std::size_t history = next.find("<HISTORY>");
    const std::size_t samples = next.find("<SAMPLES>", next.find("<ITEM NAME=\"CPUTIN\">", history)) + 9;
    next.replace(samples, next.find(' ', samples) - samples + 1, "");
    next.insert(next.find("</SAMPLES>", samples), " 72");
    view.Render(DocumentPageKind::PluginView, next);
    ASSERT_TRUE(view.engine.CallScript("ProcessEnd", "", ""));
    main.Render(DocumentPageKind::MainPage, next);  // the shared copy of the same document
    main.engine.CallScript("ProcessEnd", "", "");
    state = view.Text("testState()");
    EXPECT_EQ(StateValue(state, "warn"), "0") << state;
    EXPECT_EQ(StateValue(state, "refreshes"), "2");
    EXPECT_EQ(Html(view, "TEMPERATURE+CPUTIN+DISPLAY"), "72 °C");
    EXPECT_EQ(Html(view, "temperature_hi"), "90");
    const std::string curve = view.Text("document.getElementById('curve_CPUTIN').getAttribute('d')");
    EXPECT_NE(curve.find("L177.5 20.2 L180 31 "), std::string::npos) << "85 °C one step back, 72 °C now: " << curve;

    // The chart page through its key in the header; back to the readings.
    ASSERT_EQ(view.Text("document.getElementById('tabChart').click()"), "undefined");
    EXPECT_EQ(StateValue(view.Text("testState()"), "page"), "chart");
    EXPECT_EQ(view.Text("document.getElementById('readings').style.display"), "none");
    EXPECT_EQ(view.Text(clipped), "0");
    main.Screenshot("skins_KavoIII_monitor_chart");
    view.Text("document.getElementById('tabReadings').click()");
    EXPECT_EQ(StateValue(view.Text("testState()"), "page"), "readings");
    ASSERT_TRUE(view.engine.CallScript("OnPause", "", ""));
    EXPECT_EQ(Html(view, "liveText"), "PAUSED");
}

// A board with more readings than the page holds: the readings page scrolls
// under the mouse wheel and the last one comes into sight.
TEST(MonitorViewE2E, ScrollsLongReadingsUnderTheWheel) {
    std::string document = MonitorDocument();
    std::string voltages;
    for (int n = 0; n < 4; ++n)
        voltages += "<ITEM NAME=\"ITEM" + std::to_string(20 + n) + "\"><CAPTION>Rail " + std::to_string(n) +
                    "</CAPTION><CLASS>voltage</CLASS><VALUE>1.050</VALUE><DISPLAY>1.050 V</DISPLAY>"
                    "<HIGH_LIMIT>1.155</HIGH_LIMIT><LOW_LIMIT>0.945</LOW_LIMIT><LIMITS>0.945 – 1.155 V</LIMITS>"
                    "<STATE>ok</STATE><NOTE></NOTE><AVAILABILITY>3</AVAILABILITY></ITEM>";
    document.insert(document.find("</VOLTAGE>"), voltages);
    Composed main(kMainPageResource);
    ASSERT_TRUE(main.Load(kSkins, "KavoIII.xml", "<VARN_FRAME></VARN_FRAME>", 40, 30));
    Composed view(kPluginViewPageResource, &main.window);
    ASSERT_TRUE(view.Load(kSkins + "VARNEQ/", "MonitorView.xml", document, 12, 84));
    view.Render(DocumentPageKind::PluginView, document);
    EXPECT_EQ(StateValue(view.Text("testState()"), "items"), "15");
    const std::string lastBottom =
        "Math.round(document.getElementById('cell_VOLTAGE_ITEM23').getBoundingClientRect().bottom)";
    ASSERT_GT(std::stoi(view.Text(lastBottom)), 134) << "the last rail starts below the view";
    Wheel(view, QPoint(300, 80), 3);
    EXPECT_TRUE(WaitUntil([&] { return std::stoi(view.Text(lastBottom)) <= 134; }))
        << "after the wheel: " << view.Text(lastBottom);
    EXPECT_EQ(view.Text("document.getElementById('readings').scrollTop > 0"), "true");
}

int main(int argc, char** argv) {
    CQtHtmlWindow::PrepareProcess();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
