// Composition against the port doubles: the order of the steps, the page
// written, the buttons made, and the failure table.
#include <gtest/gtest.h>

#include <fstream>

#include "ClickNote.h"
#include "FakeMessageBox.h"
#include "FakeScriptPage.h"
#include "FakeSkinWindow.h"
#include "SkinEngine.h"
#include "TextLimit.h"
#include "skin_test_bitmaps.h"

namespace fs = std::filesystem;

namespace {

const char* const kStylesheet = R"(<?xml version="1.0"?>
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="xml" omit-xml-declaration="yes"/>
  <xsl:template match="/"><DIV ID="data"><xsl:value-of select="//V"/></DIV></xsl:template>
</xsl:stylesheet>)";

class SkinEngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = skintest::FreshFolder("velmar-engine-test");
        skintest::WriteBmp(folder / "rgn.bmp", skintest::FromRows({"..##..", ".####.", "######", "######"}));
        skintest::WriteBmp(folder / "mask.bmp", skintest::FromRows({"###", "#.#"}));
        Write("skin.xsl", kStylesheet);
        page.Define("loadScript");
        page.Define("SetBackGround");
        page.Define("SetFocus");
        engine.SetPosition(30, 40);
    }
    void TearDown() override { fs::remove_all(folder); }

    void Write(const std::string& name, const std::string& text) { std::ofstream(folder / name) << text; }
    void Define(const std::string& skinBody) {
        Write("SkinDefine.xml", "<VARNSKINDEFINE><SKIN NAME=\"Test\" BACKGROUND=\"back.bmp\" RGN=\"rgn.bmp\">" +
                                    skinBody + "</SKIN></VARNSKINDEFINE>");
    }
    bool Load(const std::string& data = "", bool withPage = true) {
        return engine.LoadSkin(folder.string(), &window, withPage ? &page : nullptr, data, true);
    }
    std::string Folder() const { return folder.string() + "/"; }

    fs::path folder;
    CEventLog log;
    CFakeScriptPage page{&log};
    CFakeSkinWindow window{&log};
    CFakeMessageBox messages{&log};
    CSkinEngine engine{messages};
};

}  // namespace

TEST_F(SkinEngineTest, ComposesInOrderPageBeforeScriptButtonsAfterPageWindowShownLast) {
    Define(R"(<APPLICATION NAME="Velmar Test" ICON="app.ico" TIMER="FALSE"/>
              <XSL SRC="skin.xsl"/><JAVASCRIPT SRC="skin.js"/>
              <NORMALBUTTON><BUTTON ID="CLOSE" X="1" Y="2" WIDTH="3" HEIGHT="4" TIP="Close"/></NORMALBUTTON>)");
    ASSERT_TRUE(Load("<VARN_FRAME></VARN_FRAME>"));
    // The script is waited for before composition goes on and returns.
    const std::vector<std::string> order{"hide",        "outline", "move", "body", "call loadScript", "wait",
                                         "call SetBackGround", "button 5000", "show"};
    int last = -1;
    for (const auto& step : order) {
        const int at = log.IndexOf(step);
        EXPECT_GT(at, last) << step << " out of order";
        last = at;
    }
    EXPECT_EQ(log.Count("show"), 1);
    EXPECT_EQ(page.calls[0].args, (std::vector<std::string>{Folder() + "skin.js"}));
    EXPECT_EQ(page.calls[1].args, (std::vector<std::string>{Folder() + "back.bmp"}));
    EXPECT_EQ(window.title, "Velmar Test");
    EXPECT_EQ(engine.ApplicationName(), "Velmar Test");
    EXPECT_EQ(engine.IconPath(), Folder() + "app.ico");
    EXPECT_FALSE(engine.TimerFlag());
    EXPECT_EQ(window.x, 30);
    EXPECT_EQ(window.y, 40);
    EXPECT_EQ(window.size, std::make_pair(6, 4)) << "the outline bitmap gives the size";
    EXPECT_EQ(window.outline->front(), (SkinRect{0, 3, 6, 4})) << "bottom row first";
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(window.visible);
}

TEST_F(SkinEngineTest, WritesStylesheetOutputThenTheImagesInDocumentOrder) {
    Define(R"(<XSL SRC="skin.xsl"/>
              <IMAGE ID="logo" SRC="img\logo.bmp" X="12px" Y="7" Z="3"/>
              <IMAGE ID="blank" X="1" Y="2"/>)");
    ASSERT_TRUE(Load("<D><V>42</V></D>"));
    EXPECT_EQ(page.body,
              "<DIV ID=\"data\">42</DIV>\n"
              "<IMG ID=\"logo\" SRC=\"" + Folder() + "img/logo.bmp\" STYLE=\"position:absolute;top:7px;left:12px;z-index:3;\">"
              "<IMG ID=\"blank\" SRC=\"\" STYLE=\"position:absolute;top:2px;left:1px;z-index:0;\">");
    EXPECT_EQ(log.Count("call loadScript"), 0) << "no JAVASCRIPT element: no script, no background";
    EXPECT_EQ(log.Count("call SetBackGround"), 0);
}

TEST_F(SkinEngineTest, WithoutDataOnlyTheImagesAreWrittenAndNoStylesheetIsNeeded) {
    Define(R"(<IMAGE ID="a" SRC="a.bmp"/>)");
    ASSERT_TRUE(Load(""));
    EXPECT_EQ(page.body.rfind("<IMG ID=\"a\"", 0), 0u);
}

TEST_F(SkinEngineTest, EscapesSkinTextSoItCannotBreakTheMarkup) {
    Define(R"x(<IMAGE ID="x&quot; onerror=&quot;alert(1)" SRC="a#1?.bmp"/>)x");
    ASSERT_TRUE(Load(""));
    EXPECT_NE(page.body.find("ID=\"x&quot; onerror=&quot;alert(1)\""), std::string::npos) << page.body;
    EXPECT_NE(page.body.find("a%231%3F.bmp"), std::string::npos) << page.body;
}

TEST_F(SkinEngineTest, FailsWithoutTheDefinitionFileOrWithDataButNoStylesheet) {
    Define(R"(<NORMALBUTTON><BUTTON ID="A"/></NORMALBUTTON>)");
    ASSERT_TRUE(Load());
    ASSERT_EQ(engine.Buttons().size(), 1u);

    engine.SetSkinFile("Missing.xml");
    EXPECT_FALSE(Load());
    EXPECT_FALSE(window.visible);
    EXPECT_TRUE(engine.Buttons().empty()) << "the old buttons go even when the new skin fails";
    EXPECT_TRUE(window.widgets.empty() || log.Count("destroy button") == 1);

    engine.SetSkinFile("SkinDefine.xml");
    Define(R"(<XSL SRC=""/><NORMALBUTTON><BUTTON ID="A"/></NORMALBUTTON>)");
    EXPECT_FALSE(Load("<VARN_FRAME></VARN_FRAME>"));
    EXPECT_FALSE(window.visible);
    EXPECT_TRUE(engine.Buttons().empty());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(SkinEngineTest, ReportsABadStylesheetAndBadDataAndComposesOn) {
    Define(R"(<XSL SRC="nothere.xsl"/><NORMALBUTTON><BUTTON ID="A"/></NORMALBUTTON>)");
    EXPECT_TRUE(Load("<VARN_FRAME></VARN_FRAME>"));
    EXPECT_EQ(messages.shown, (std::vector<std::string>{"Load XSL File Failed"}));
    EXPECT_EQ(page.body, "");
    EXPECT_EQ(engine.Buttons().size(), 1u);

    messages.shown.clear();
    Define(R"(<XSL SRC="skin.xsl"/>)");
    EXPECT_TRUE(Load("<not-closed>"));
    EXPECT_EQ(messages.shown, (std::vector<std::string>{"Load XML Data Failed"}));
    EXPECT_TRUE(window.visible);
}

// A hidden plug-in view is composed again at every update tick.
TEST_F(SkinEngineTest, AFailureThatLastsIsShownOnceUntilItClears) {
    Define(R"(<XSL SRC="nothere.xsl"/>)");
    for (int tick = 0; tick < 3; ++tick) Load("<VARN_FRAME></VARN_FRAME>");
    EXPECT_EQ(messages.shown, (std::vector<std::string>{"Load XSL File Failed"}));
    Define(R"(<XSL SRC="skin.xsl"/>)");
    Load("<VARN_FRAME></VARN_FRAME>");
    Define(R"(<XSL SRC="nothere.xsl"/>)");
    Load("<VARN_FRAME></VARN_FRAME>");
    EXPECT_EQ(messages.shown, (std::vector<std::string>{"Load XSL File Failed", "Load XSL File Failed"}));
}

TEST_F(SkinEngineTest, ChecksASkinWithoutComposingIt) {
    Define(R"(<NORMALBUTTON><BUTTON ID="A"/></NORMALBUTTON>)");
    ASSERT_TRUE(Load());
    Write("broken.xml", "<VARNSKINDEFINE><SKIN>");
    Write("other.xml", "<OTHERROOT><SKIN/></OTHERROOT>");
    Write("noxsl.xml", "<VARNSKINDEFINE><SKIN/></VARNSKINDEFINE>");
    const std::string f = folder.string();
    EXPECT_EQ(CSkinEngine::CheckSkin(f, "missing.xml", ""), SkinCheck::Missing);
    EXPECT_EQ(CSkinEngine::CheckSkin(f, "broken.xml", ""), SkinCheck::NotADefinition);
    EXPECT_EQ(CSkinEngine::CheckSkin(f, "other.xml", ""), SkinCheck::NotADefinition);
    EXPECT_EQ(CSkinEngine::CheckSkin(f, "noxsl.xml", "<VARN_FRAME/>"), SkinCheck::NoStylesheet);
    EXPECT_EQ(CSkinEngine::CheckSkin(f, "noxsl.xml", ""), SkinCheck::Usable);
    EXPECT_EQ(CSkinEngine::CheckSkin(f + "/", "SkinDefine.xml", ""), SkinCheck::Usable);
    EXPECT_EQ(engine.Buttons().size(), 1u) << "checking composes nothing";
    EXPECT_TRUE(window.visible);
}

// A box is modal: its event loop runs the ticks that would stack more boxes.
TEST(FailureMessages, OneBoxAtATimeAndALastingFailureOnceWhileItHolds) {
    CFakeMessageBox box;
    CFailureMessages messages(box);
    int nested = 0;
    box.onShow = [&](const std::string&) {
        if (nested++ > 0) return;
        messages.Report("Ini Section Error");
        messages.Show("Get XML Skin file failed");
        EXPECT_TRUE(messages.IsOpen());
    };
    messages.Report("Ini Section Error");
    EXPECT_EQ(box.shown, (std::vector<std::string>{"Ini Section Error"}));
    EXPECT_FALSE(messages.IsOpen());
    messages.Report("Ini Section Error");
    messages.Reflect(true, "Ini Section Error");
    EXPECT_EQ(box.shown.size(), 1u) << "not again while the condition holds";
    messages.Reflect(false, "Ini Section Error");
    messages.Report("Ini Section Error");
    messages.Show("Get XML Skin file failed");
    messages.Show("Get XML Skin file failed");
    EXPECT_EQ(box.shown, (std::vector<std::string>{"Ini Section Error", "Ini Section Error", "Get XML Skin file failed",
                                                   "Get XML Skin file failed"}))
        << "after it cleared it shows again; a message of its own shows every time";
}

TEST_F(SkinEngineTest, CutsStylesheetOutputAtTheLimitAndSaysSo) {
    Define(R"(<XSL SRC="skin.xsl"/><IMAGE ID="after"/>)");
    EXPECT_TRUE(Load("<D><V>short</V></D>"));
    EXPECT_FALSE(engine.StylesheetOutputCut());
    const std::string longText(kTransformMaxChars + 500, 'v');
    EXPECT_TRUE(Load("<D><V>" + longText + "</V></D>"));
    EXPECT_TRUE(engine.StylesheetOutputCut());
    const std::size_t img = page.body.find("<IMG ID=\"after\"");
    EXPECT_EQ(img, kTransformMaxChars) << "the output stops at 51,199 characters, the images follow";
}

TEST_F(SkinEngineTest, KeepsTheApplicationWhenASkinNamesNone) {
    Define(R"(<APPLICATION NAME="First" TIMER="TRUE"/>)");
    ASSERT_TRUE(Load());
    Define(R"(<APPLICATION ICON="other.ico" TIMER="FALSE"/>)");
    window.title = "unchanged";
    ASSERT_TRUE(Load());
    EXPECT_EQ(engine.ApplicationName(), "First");
    EXPECT_EQ(window.title, "unchanged");
    EXPECT_TRUE(engine.TimerFlag());
    CSkinEngine fresh(messages);
    EXPECT_TRUE(fresh.TimerFlag());
}

TEST_F(SkinEngineTest, WithoutAnOutlineBitmapTheWindowKeepsShapeAndSize) {
    Write("SkinDefine.xml", R"(<VARNSKINDEFINE><SKIN RGN="none.bmp"/></VARNSKINDEFINE>)");
    ASSERT_TRUE(Load());
    EXPECT_FALSE(window.outline);
    EXPECT_FALSE(window.size);
    EXPECT_EQ(log.Count("move"), 1);
}

TEST_F(SkinEngineTest, AnAllWhiteOutlineIsAppliedAsAnEmptyRegion) {
    skintest::WriteBmp(folder / "rgn.bmp", skintest::Solid(5, 5, kSkinWhite));
    Define("");
    ASSERT_TRUE(Load());
    ASSERT_TRUE(window.outline);
    EXPECT_TRUE(window.outline->empty());
}

TEST_F(SkinEngineTest, WithoutAPageOnlyTheBackgroundIsPainted) {
    Define(R"(<NORMALBUTTON><BUTTON ID="A"/></NORMALBUTTON>)");
    window.loadableFiles = {Folder() + "back.bmp"};
    EXPECT_TRUE(Load("", false));
    EXPECT_TRUE(engine.Buttons().empty());
    EXPECT_FALSE(window.visible) << "returns at once, not shown";
    window.loadableFiles.clear();
    EXPECT_TRUE(Load("", false));
    EXPECT_EQ(engine.Buttons().size(), 1u) << "an unreadable background composes on";
    EXPECT_TRUE(window.visible);
    EXPECT_TRUE(page.calls.empty());
}

TEST_F(SkinEngineTest, MakesButtonsOfEveryKindInSectionOrderWithTheirIds) {
    Define(R"(<NORMALBUTTON>
                <GROUP><BUTTON ID="M0"/><!-- a comment is a child --><BUTTON ID="M1"/></GROUP>
                <BUTTON ID="TOP" CHECKBOX="TRUE" IMAGE="t.bmp" DOWNIMAGE="td.bmp" OVERIMAGE="to.bmp"
                        FOCUSIMAGE="tf.bmp" MASKIMAGE="mask.bmp" X="5" Y="6" WIDTH="50" HEIGHT="60" TIP="Top"/>
                <BUTTON ID="MIN" CHECKBOX="true"/>
              </NORMALBUTTON>
              <JSBUTTON>
                <GROUP><BUTTON ID="J0" CALL="Zero"/></GROUP>
                <BUTTON ID="PLAY" CALL="Play" FOCUSIMAGE="ignored.bmp"/>
              </JSBUTTON>)");
    ASSERT_TRUE(Load());
    const auto& buttons = engine.Buttons();
    ASSERT_EQ(buttons.size(), 7u);
    const std::vector<std::string> ids{"M0", "", "M1", "TOP", "MIN", "J0", "PLAY"};
    const std::vector<ButtonBehaviour> behaviours{ButtonBehaviour::Radio, ButtonBehaviour::Radio,
                                                  ButtonBehaviour::Radio, ButtonBehaviour::Check,
                                                  ButtonBehaviour::Push,  ButtonBehaviour::Radio,
                                                  ButtonBehaviour::Push};
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        EXPECT_EQ(buttons[i]->Id(), ids[i]);
        EXPECT_EQ(buttons[i]->Behaviour(), behaviours[i]) << ids[i];
        EXPECT_EQ(window.widgets[i]->controlId, 5000 + static_cast<int>(i));
        EXPECT_TRUE(window.widgets[i]->shown);
    }
    EXPECT_EQ(buttons[5]->Kind(), SkinButtonKind::Script);
    EXPECT_EQ(buttons[6]->Call(), "Play");
    EXPECT_EQ(buttons[0]->Call(), "");

    const CFakeButtonWidget& top = *window.widgets[3];
    EXPECT_EQ(top.x, 5);
    EXPECT_EQ(top.y, 6);
    EXPECT_EQ(top.width, 3) << "the mask's size wins over WIDTH and HEIGHT";
    EXPECT_EQ(top.height, 2);
    EXPECT_EQ(top.tip, "Top");
    EXPECT_EQ(top.paths[static_cast<std::size_t>(ImageSlot::Focus)], Folder() + "tf.bmp");
    EXPECT_EQ(top.paths[static_cast<std::size_t>(ImageSlot::Disabled)], Folder() + "t.bmp");
    EXPECT_EQ(window.widgets[6]->paths[static_cast<std::size_t>(ImageSlot::Focus)], "")
        << "script buttons outside a group have no focus image";
    EXPECT_EQ(window.widgets[1]->width, 0) << "the comment's button is empty";
}

TEST_F(SkinEngineTest, SetButtonCheckFindsCheckAndRadioButtonsOnlyAndGroupsStayApart) {
    Define(R"(<NORMALBUTTON>
                <GROUP><BUTTON ID="A0"/><BUTTON ID="A1"/><BUTTON ID="A2"/></GROUP>
                <GROUP><BUTTON ID="B0"/><BUTTON ID="B1"/><BUTTON ID="B2"/></GROUP>
                <BUTTON ID="PUSH"/><BUTTON ID="TOP" CHECKBOX="TRUE"/>
              </NORMALBUTTON>)");
    ASSERT_TRUE(Load());
    EXPECT_FALSE(engine.SetButtonCheck("PUSH", true));
    EXPECT_FALSE(engine.SetButtonCheck("top", true)) << "ids compare case-sensitively";
    EXPECT_TRUE(engine.SetButtonCheck("TOP", true));
    EXPECT_TRUE(engine.FindButton("TOP")->GetCheck());
    EXPECT_TRUE(engine.SetButtonCheck("A1", true));
    EXPECT_TRUE(engine.SetButtonCheck("B2", true));
    window.RunPosted();
    EXPECT_TRUE(engine.SetButtonCheck("A0", true));
    window.RunPosted();
    EXPECT_TRUE(engine.FindButton("A0")->GetCheck());
    EXPECT_FALSE(engine.FindButton("A1")->GetCheck());
    EXPECT_TRUE(engine.FindButton("B2")->GetCheck());
}

TEST_F(SkinEngineTest, ASecondCompositionLeavesOnlyTheSecondSkinsButtonsUnchecked) {
    Define(R"(<NORMALBUTTON><BUTTON ID="OLD" CHECKBOX="TRUE"/><BUTTON ID="KEEP" CHECKBOX="TRUE"/></NORMALBUTTON>)");
    ASSERT_TRUE(Load());
    engine.SetButtonCheck("KEEP", true);
    Define(R"(<NORMALBUTTON><BUTTON ID="KEEP" CHECKBOX="TRUE"/><BUTTON ID="NEW"/></NORMALBUTTON>)");
    ASSERT_TRUE(Load());
    ASSERT_EQ(engine.Buttons().size(), 2u);
    EXPECT_EQ(engine.Buttons()[0]->Id(), "KEEP");
    EXPECT_FALSE(engine.Buttons()[0]->GetCheck());
    EXPECT_EQ(engine.Buttons()[1]->Id(), "NEW");
    EXPECT_EQ(window.widgets.size(), 4u);
    EXPECT_EQ(log.Count("destroy button"), 2);
    EXPECT_LT(log.IndexOf("destroy button 5001"), log.IndexOf("destroy button 5000")) << "last first";
}

TEST_F(SkinEngineTest, AClickDuringWhichTheWindowIsRecomposedFinishesSafely) {
    Define(R"(<JSBUTTON><BUTTON ID="SKIN" CALL="Change"/></JSBUTTON>)");
    ASSERT_TRUE(Load());
    bool destroyed = false;
    window.widgets[0]->destroyedFlag = &destroyed;
    // The page function recomposes the window while the click runs.
    page.Define("Change", [this](const std::vector<std::string>&) {
        Load();
        return ScriptOutcome{};
    });
    CSkinCommandButton* button = engine.Buttons()[0].get();
    button->OnLeftDown();
    button->OnLeftUp(true);
    window.RunPosted();
    EXPECT_TRUE(destroyed) << "the old button went once its click was done";
    ASSERT_EQ(window.notes.size(), 1u);
    EXPECT_EQ(TakeLiveClickNote(window.notes[0])->Id(), "SKIN");
    EXPECT_EQ(page.calls.back().name, "SetFocus");
}

TEST_F(SkinEngineTest, RefusesACompositionStartedWhileOneIsUnderWay) {
    Define(R"(<JAVASCRIPT SRC="skin.js"/><NORMALBUTTON><BUTTON ID="A"/></NORMALBUTTON>)");
    bool nested = true;
    // A posted task run while the page is waited for asks for a new skin.
    page.Define("loadScript", [&](const std::vector<std::string>&) {
        nested = Load();
        return ScriptOutcome{};
    });
    ASSERT_TRUE(Load());
    EXPECT_FALSE(nested);
    EXPECT_EQ(engine.Buttons().size(), 1u) << "the outer composition alone made its buttons";
    EXPECT_EQ(log.Count("show"), 1);
    page.Define("loadScript");
    EXPECT_TRUE(Load()) << "the next composition runs again";
}

TEST_F(SkinEngineTest, GivesThePageToTheBridgeOnceAndForwardsScriptCalls) {
    Define("");
    CSkinEngine noPage(messages);
    EXPECT_FALSE(noPage.CallScript("OnInitial", "", ""));
    ASSERT_TRUE(Load());
    page.Define("OnInitial");
    EXPECT_TRUE(engine.CallScript("OnInitial", "a", "b"));
    CFakeScriptPage other;
    ASSERT_TRUE(engine.LoadSkin(folder.string(), &window, &other, "", true));
    EXPECT_EQ(engine.Bridge().Document(), &page) << "a later composition keeps the first page";
    page.SetVariable("currentMode", 3.0);
    int mode = 0;
    engine.GetVariableInt("currentMode", mode);
    EXPECT_EQ(mode, 3);
}

TEST_F(SkinEngineTest, TransparencyAndFocusActOnTheTargetWindow) {
    Define("");
    EXPECT_FALSE(engine.SetTransparency(128)) << "no target yet";
    ASSERT_TRUE(Load());
    EXPECT_TRUE(engine.SetTransparency(128));
    EXPECT_TRUE(engine.Layered());
    EXPECT_EQ(window.opacity, 128);
    EXPECT_TRUE(engine.SetTransparency(255));
    EXPECT_FALSE(engine.Layered());
    EXPECT_EQ(window.opacity, 255);
    window.opacitySupported = false;
    EXPECT_FALSE(engine.SetTransparency(64));
    EXPECT_EQ(window.opacity, 255);
    EXPECT_FALSE(engine.Layered());
    engine.RefreshFocus();
    EXPECT_EQ(window.focusRefreshes, 1);
}

TEST_F(SkinEngineTest, FolderGetsOneSeparatorAndTheDefinitionPathFollows) {
    Define("");
    ASSERT_TRUE(engine.LoadSkin(folder.string() + "/", &window, &page, "", true));
    EXPECT_EQ(engine.SkinFolder(), Folder());
    EXPECT_EQ(engine.DefinitionPath(), Folder() + "SkinDefine.xml");
}
