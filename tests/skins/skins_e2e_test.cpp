// End to end: each bundled skin composed by the real engine into a real
// frameless window with a WebEngine page (under Xvfb when there is no
// display), fed the fan plug-in's document as the host feeds it, with a
// screenshot of each into <build>/artifacts.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPixmap>
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

bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 15000) {
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

std::string FanDocument() {
    std::ifstream in(std::string(VELMAR_TEST_DATA_DIR) + "/skins/fan_status.xml");
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
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
    EXPECT_EQ(Html(view, "FAN+ZEFAN_FAN_0+PWM_DUTYCYCLE"), "90%");
    EXPECT_EQ(view.Text("document.getElementById('bar_ZEFAN_FAN_0').style.width"), "81px");
    ASSERT_TRUE(view.engine.CallScript("OnPause", "", ""));
    EXPECT_EQ(Html(view, "liveText"), "PAUSED");
    ASSERT_TRUE(view.engine.CallScript("OnLive", "", ""));
    main.Screenshot("skins_KavoIII_fanview");
}

int main(int argc, char** argv) {
    CQtHtmlWindow::PrepareProcess();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
