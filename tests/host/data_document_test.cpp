// Data documents: element-id binding and index alignment, the scripts told
// while rendering, the warning scan, trimming, fetching with its buffers and
// the shared-data refresh driven by the view INI.
#include <gtest/gtest.h>
#include <gmock/gmock.h>

#include <cstring>
#include <fstream>

#include "DataDocumentRenderer.h"
#include "DlLoader.h"
#include "ElementBinding.h"
#include "FakeDocumentPage.h"
#include "HostEventCallback.h"
#include "PluginCalls.h"
#include "PluginDocuments.h"
#include "PluginLoader.h"
#include "PluginViewIni.h"
#include "RecordingMessageBox.h"
#include "RecordingSharedRenderer.h"
#include "SharedDataRefresh.h"
#include "host_test_support.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

const std::string kFanDocument =
    "<VARN_PLUGIN><FAN>"
    "<ITEM NAME=\"ZEFAN_FAN_0\"><PWM_DUTYCYCLE>40</PWM_DUTYCYCLE><AVAILABILITY>3</AVAILABILITY>"
    "<STATUSINFO>3</STATUSINFO></ITEM>"
    "<ITEM NAME=\"ZEFAN_FAN_1\"><PWM_DUTYCYCLE>55</PWM_DUTYCYCLE><AVAILABILITY>4</AVAILABILITY>"
    "<STATUSINFO>4</STATUSINFO></ITEM>"
    "<ITEM NAME=\"CPU FAN\"><PWM_DUTYCYCLE>&lt;b&gt;70&lt;/b&gt;</PWM_DUTYCYCLE><STATUSINFO>2</STATUSINFO></ITEM>"
    "</FAN></VARN_PLUGIN>";

TEST(ElementBinding, IdSplitsAtFirstAndLastPlus) {
    EXPECT_EQ(ParseElementBinding("FAN+ZEFAN_FAN_1+PWM_DUTYCYCLE"),
              (ElementBinding{"FAN", "ZEFAN_FAN_1", "PWM_DUTYCYCLE"}));
    EXPECT_EQ(ParseElementBinding("FAN+PWM_DUTYCYCLE"), (ElementBinding{"FAN", "", "PWM_DUTYCYCLE"}));
    EXPECT_EQ(ParseElementBinding("FAN+CPU FAN+RPM"), (ElementBinding{"FAN", "CPU FAN", "RPM"}));
    EXPECT_EQ(ParseElementBinding("A+B+C+D"), (ElementBinding{"A", "B/C", "D"}))
        << "a further \"+\" becomes a separator inside the item name";
    EXPECT_EQ(ParseElementBinding("+X+"), (ElementBinding{"", "X", ""}));
    EXPECT_EQ(ParseElementBinding("MOVEAREA"), std::nullopt);
    EXPECT_EQ(ParseElementBinding(""), std::nullopt);
    EXPECT_EQ(FieldPath(ItemPath("FAN"), "RPM"), "VARN_PLUGIN/FAN/ITEM/RPM");
}

TEST(DataDocumentRenderer, MainPageBindsByItemNameAndTellsAvailability) {
    CFakeDocumentPage page;
    page.ids = {"FAN+ZEFAN_FAN_1+PWM_DUTYCYCLE", "MOVEAREA", "FAN+ZEFAN_FAN_0+PWM_DUTYCYCLE",
                "FAN+CPU FAN+PWM_DUTYCYCLE", "FAN+NOBODY+PWM_DUTYCYCLE", "DISK+ZEFAN_FAN_0+PWM_DUTYCYCLE",
                "FAN+ZEFAN_FAN_0+RPM"};
    CDataDocumentRenderer renderer(DocumentPageKind::MainPage);
    renderer.Render(kFanDocument, page, false);
    EXPECT_THAT(page.log, ElementsAre("set FAN+ZEFAN_FAN_1+PWM_DUTYCYCLE 55",
                                      "call VARNEQ_ITEM_WARNING(FAN+ZEFAN_FAN_1+PWM_DUTYCYCLE,TRUE)",
                                      "set FAN+ZEFAN_FAN_0+PWM_DUTYCYCLE 40",
                                      "call VARNEQ_ITEM_WARNING(FAN+ZEFAN_FAN_0+PWM_DUTYCYCLE,FALSE)",
                                      "set FAN+CPU FAN+PWM_DUTYCYCLE <b>70</b>",
                                      "set FAN+ZEFAN_FAN_0+RPM ", "call VARNEQ_ITEM_WARNING(FAN+ZEFAN_FAN_0+RPM,FALSE)",
                                      "call VARNEQ_WARNING(,FALSE)"))
        << "markup stays markup; an unknown item or section is skipped; an absent field empties the element";
}

TEST(DataDocumentRenderer, TipItemsBecomeTheTooltipsOfTheButtonsTheyName) {
    CFakeDocumentPage page;
    CDataDocumentRenderer renderer(DocumentPageKind::MainPage);
    renderer.Render("<VARN_PLUGIN><TIP><ITEM NAME=\"MODE_QUIET\"><TEXT>Quiet: power-saver</TEXT></ITEM>"
                    "<ITEM><TEXT>nameless</TEXT></ITEM><ITEM NAME=\"AUTO\"><TEXT>Auto &amp; more</TEXT></ITEM>"
                    "</TIP></VARN_PLUGIN>",
                    page, false);
    EXPECT_THAT(page.log, ElementsAre("tip MODE_QUIET Quiet: power-saver", "tip AUTO Auto & more",
                                      "call VARNEQ_WARNING(,FALSE)"));
}

TEST(DataDocumentRenderer, FieldIsReadAsTheNthNodeSoAMissingFieldShiftsLaterItems) {
    CFakeDocumentPage page;
    page.ids = {"S+A+V", "S+B+V", "S+C+V"};
    CDataDocumentRenderer renderer(DocumentPageKind::MainPage);
    renderer.Render("<VARN_PLUGIN><S><ITEM NAME=\"A\"/><ITEM NAME=\"B\"><V>b</V></ITEM>"
                    "<ITEM NAME=\"C\"><V>c</V></ITEM></S></VARN_PLUGIN>",
                    page, true);
    EXPECT_EQ(page.html["S+A+V"], "b");
    EXPECT_EQ(page.html["S+B+V"], "c");
    EXPECT_EQ(page.html["S+C+V"], "");
    EXPECT_EQ(page.Calls().back(), "VARNEQ_WARNING(,TRUE)");
}

TEST(DataDocumentRenderer, ElementsSharingAnIdAreEachWrittenAndReported) {
    CFakeDocumentPage page;
    page.ids = {"S+A+V", "", "other", "S+A+V"};
    CDataDocumentRenderer renderer(DocumentPageKind::MainPage);
    renderer.Render("<VARN_PLUGIN><S><ITEM NAME=\"A\"><V>a</V><AVAILABILITY>4</AVAILABILITY></ITEM></S></VARN_PLUGIN>",
                    page, false);
    EXPECT_EQ(page.htmlAt, (std::map<std::size_t, std::string>{{0, "a"}, {3, "a"}}));
    EXPECT_EQ(page.Calls(), (std::vector<std::string>{"VARNEQ_ITEM_WARNING(S+A+V,TRUE)", "VARNEQ_ITEM_WARNING(S+A+V,TRUE)",
                                                      "VARNEQ_WARNING(,FALSE)"}));
}

TEST(DataDocumentRenderer, SinglePlusFindsTheItemWithoutOrWithEmptyName) {
    CFakeDocumentPage page;
    page.ids = {"S+V"};
    CDataDocumentRenderer renderer(DocumentPageKind::MainPage);
    renderer.Render("<VARN_PLUGIN><S><ITEM NAME=\"X\"><V>x</V></ITEM><ITEM><V>unnamed</V></ITEM></S></VARN_PLUGIN>",
                    page, false);
    EXPECT_EQ(page.html["S+V"], "unnamed");
}

TEST(DataDocumentRenderer, ViewPageCallsSectionFunctionsForAvailabilityAndStatus) {
    CFakeDocumentPage page;
    page.ids = {"FAN+ZEFAN_FAN_0+STATUSINFO", "FAN+ZEFAN_FAN_1+STATUSINFO", "FAN+CPU FAN+STATUSINFO",
                "FAN+ZEFAN_FAN_1+PWM_DUTYCYCLE"};
    CDataDocumentRenderer renderer(DocumentPageKind::PluginView);
    renderer.Render(kFanDocument, page, true);
    EXPECT_THAT(page.Calls(), ElementsAre("FAN_AVAILABILITY(FAN+ZEFAN_FAN_0+STATUSINFO,3)",
                                          "FAN_STATUSINFO(FAN+ZEFAN_FAN_0+STATUSINFO,Enable)",
                                          "FAN_AVAILABILITY(FAN+ZEFAN_FAN_1+STATUSINFO,4)",
                                          "FAN_STATUSINFO(FAN+ZEFAN_FAN_1+STATUSINFO,Disable)",
                                          "FAN_AVAILABILITY(FAN+ZEFAN_FAN_1+PWM_DUTYCYCLE,4)"))
        << "status \"2\" calls nothing; the view gets no VARNEQ_WARNING";
    EXPECT_EQ(page.html["FAN+CPU FAN+STATUSINFO"], "2");
}

TEST(DataDocumentRenderer, BrokenDocumentOrSilentPageBindsNothingButMainStillHearsTheWarning) {
    CFakeDocumentPage page;
    page.ids = {"FAN+ZEFAN_FAN_0+PWM_DUTYCYCLE"};
    CDataDocumentRenderer renderer(DocumentPageKind::MainPage);
    renderer.Render("<VARN_PLUGIN><FAN>", page, true);
    EXPECT_THAT(page.log, ElementsAre("call VARNEQ_WARNING(,TRUE)"));
    page.log.clear();
    page.answers = false;
    renderer.Render(kFanDocument, page, false);
    EXPECT_THAT(page.log, ElementsAre("call VARNEQ_WARNING(,FALSE)"));
    CDataDocumentRenderer view(DocumentPageKind::PluginView);
    page.log.clear();
    view.Render("not xml", page, true);
    EXPECT_THAT(page.log, IsEmpty());
}

TEST(PluginDocuments, WarningScanLooksAtEveryItemOfEverySection) {
    EXPECT_TRUE(DocumentHasWarning(kFanDocument));
    EXPECT_FALSE(DocumentHasWarning("<VARN_PLUGIN><A><ITEM NAME=\"x\"><AVAILABILITY>3</AVAILABILITY></ITEM></A>"
                                    "</VARN_PLUGIN>"));
    EXPECT_TRUE(DocumentHasWarning("<VARN_PLUGIN><A><ITEM NAME=\"x\"><AVAILABILITY>3</AVAILABILITY></ITEM></A>"
                                   "<!-- note --><B><ITEM/><ITEM><AVAILABILITY>4</AVAILABILITY></ITEM></B>"
                                   "</VARN_PLUGIN>"));
    EXPECT_FALSE(DocumentHasWarning("<VARN_PLUGIN><A><ITEM><AVAILABILITY>4"));
    EXPECT_FALSE(DocumentHasWarning("<OTHER><A><ITEM><AVAILABILITY>4</AVAILABILITY></ITEM></A></OTHER>"));
}

TEST(PluginDocuments, TrimKeepsTheClosingTagAndDropsWhatFollows) {
    EXPECT_EQ(TrimAfterDocumentEnd("<VARN_PLUGIN><A/></VARN_PLUGIN>\r\n<!-- stale tail -->"),
              "<VARN_PLUGIN><A/></VARN_PLUGIN>");
    EXPECT_EQ(TrimAfterDocumentEnd(std::string("<VARN_PLUGIN/></VARN_PLUGIN>junk</VARN_PLUGIN>")),
              "<VARN_PLUGIN/></VARN_PLUGIN>");
    EXPECT_EQ(TrimAfterDocumentEnd("<VARN_PLUGIN/> no closing tag"), "<VARN_PLUGIN/> no closing tag");
}

// An IVARNInfo written in the test to fill the host's buffer exactly.
struct FillingInfo {
    IVARNInfo info;
    std::size_t seenSize = 0;
    bool terminate = true;
};
IVARNInfoVtbl FillingVtbl() {
    IVARNInfoVtbl vtbl{};
    vtbl.GetData = [](IVARNInfo* self, char* buffer, int32_t) -> int32_t {
        auto* filling = reinterpret_cast<FillingInfo*>(self);
        const std::size_t size = filling->terminate ? VARN_DATA_BUFFER_SIZE - 1 : VARN_DATA_BUFFER_SIZE;
        std::memset(buffer, 'x', size);
        if (filling->terminate) buffer[size] = '\0';
        filling->seenSize = size;
        return 1;
    };
    return vtbl;
}

TEST(PluginCalls, DocumentFillingTheBufferIsKeptAndAMissingTerminatorIsSaid) {
    const IVARNInfoVtbl vtbl = FillingVtbl();
    FillingInfo filling{{&vtbl}};
    FetchedDocument full = plugin_calls::GetData(&filling.info, VARN_DATA_BUFFER_SIZE, 0);
    EXPECT_EQ(full.text.size(), VARN_DATA_BUFFER_SIZE - 1u);
    EXPECT_FALSE(full.unterminated);
    filling.terminate = false;
    FetchedDocument cut = plugin_calls::GetData(&filling.info, VARN_DATA_BUFFER_SIZE, 0);
    EXPECT_TRUE(cut.unterminated);
    EXPECT_EQ(cut.text.size(), VARN_DATA_BUFFER_SIZE - 1u) << "never read past the buffer";
    EXPECT_EQ(plugin_calls::GetData(nullptr, VARN_DATA_BUFFER_SIZE, 0).text, "");
}

class DocumentSourcesTest : public HostFrameworkTest {
protected:
    void TearDown() override {
        loader_.UnloadAll(plugins_);
        HostFrameworkTest::TearDown();
    }
    void Load(const std::vector<std::string>& identifiers) {
        std::vector<std::string> paths;
        for (const std::string& id : identifiers) paths.push_back(RecordingPluginPath(id));
        ListPlugins(paths);
        loader_.LoadAll(plugins_, {0, nullptr, HostPluginEventCallback});
        ClearJournal();
    }
    void WriteIni(const std::string& text) {
        ini_.SetPath(folder_ + "/plugin.ini");
        std::ofstream(ini_.Path()) << text;
    }
    std::vector<std::string> DataCalls() const {
        std::vector<std::string> calls;
        for (const std::string& line : Journal())
            if (line.find(" GetData ") != std::string::npos) calls.push_back(line);
        return calls;
    }

    CDlLoader dl_;
    CSonameVersionReader versions_;
    CRecordingMessageBox messages_;
    CPluginLoader loader_{dl_, versions_, messages_, &hives_};
    CLoadedPlugins plugins_;
    CPluginViewIni ini_;
    PluginDocuments documents_;
};

TEST_F(DocumentSourcesTest, ViewFetchKeepsLastViewDataAndGivesTheEqPluginModeZero) {
    Load({"ZETA_PLUGIN", "VARNEQ_PLUGIN"});
    EXPECT_EQ(FetchViewDocument(plugins_, documents_, 3), "");
    plugins_.SelectViewPluginInfo(plugins_.FindByName("ZETA_PLUGIN"));
    const std::string zeta = FetchViewDocument(plugins_, documents_, 3);
    EXPECT_EQ(zeta, "<VARN_PLUGIN><ZETA><ITEM NAME=\"CALLS\"><COUNT>1</COUNT><MODE>3</MODE></ITEM></ZETA>"
                    "</VARN_PLUGIN>");
    EXPECT_EQ(documents_.LastViewData, zeta);
    plugins_.SelectViewPluginInfo(plugins_.FindByName("VARNEQ_PLUGIN"));
    FetchViewDocument(plugins_, documents_, 3);
    EXPECT_THAT(DataCalls(), ElementsAre("ZETA_PLUGIN GetData 3", "VARNEQ_PLUGIN GetData 0"));
    EXPECT_THAT(JournalOf("ZETA_PLUGIN"), ::testing::Contains("Release -> 1"))
        << "selecting another view plug-in gives the previous info back";
}

TEST_F(DocumentSourcesTest, RefreshRendersOncePerSharingPluginFromItsOwnDocument) {
    Load({"ZETA_PLUGIN", "OMEGA_PLUGIN", "VARNOCKAVO_PLUGIN", "VARNEQ_PLUGIN", "VOICE_PLUGIN"});
    WriteIni("[ZETA_PLUGIN]\nshare=1\n[omega_plugin]\nshare=2\n[VARNOCKAVO_PLUGIN]\nshare=1\n"
             "[VARNEQ_PLUGIN]\nshare=0\n");
    CRecordingSharedRenderer renderer(documents_);
    RefreshSharedData(plugins_, ini_, {4, "", false}, documents_, renderer);
    ASSERT_EQ(renderer.rendered.size(), 3u);
    EXPECT_NE(renderer.rendered[0].find("<ZETA>"), std::string::npos);
    EXPECT_NE(renderer.rendered[1].find("<OMEGA>"), std::string::npos);
    EXPECT_NE(renderer.rendered[2].find("<VARNOCKAVO>"), std::string::npos);
    EXPECT_THAT(DataCalls(), ElementsAre("ZETA_PLUGIN GetData 0", "OMEGA_PLUGIN GetData 0",
                                         "VARNOCKAVO_PLUGIN GetData 4"));
    for (const char* id : {"ZETA_PLUGIN", "OMEGA_PLUGIN", "VARNOCKAVO_PLUGIN"})
        EXPECT_EQ(JournalOf(id).back(), "Release -> 1") << id << ": the info is released after rendering";
}

TEST_F(DocumentSourcesTest, RefreshReusesTheViewDocumentOnlyWhenTheViewUpdatesAndIsShown) {
    Load({"ZETA_PLUGIN"});
    WriteIni("[ZETA_PLUGIN]\nshare=1\nUpdate=1\n");
    documents_.LastViewData = "<VARN_PLUGIN><KEPT/></VARN_PLUGIN>";
    CRecordingSharedRenderer renderer(documents_);
    RefreshSharedData(plugins_, ini_, {0, "ZETA_PLUGIN", true}, documents_, renderer);
    EXPECT_THAT(renderer.rendered, ElementsAre(documents_.LastViewData));
    EXPECT_THAT(DataCalls(), IsEmpty());
    RefreshSharedData(plugins_, ini_, {0, "ZETA_PLUGIN", false}, documents_, renderer);
    RefreshSharedData(plugins_, ini_, {0, "OMEGA_PLUGIN", true}, documents_, renderer);
    WriteIni("[ZETA_PLUGIN]\nshare=1\nUpdate=2\n");
    RefreshSharedData(plugins_, ini_, {0, "ZETA_PLUGIN", true}, documents_, renderer);
    EXPECT_EQ(DataCalls().size(), 3u);
}

TEST_F(DocumentSourcesTest, SharingPluginWithoutInfoIsPassedOver) {
    Configure("ZETA_PLUGIN", "NO_INFO", "1");
    Load({"ZETA_PLUGIN", "OMEGA_PLUGIN"});
    WriteIni("[ZETA_PLUGIN]\nshare=1\n[OMEGA_PLUGIN]\nshare=1\n");
    CRecordingSharedRenderer renderer(documents_);
    RefreshSharedData(plugins_, ini_, {}, documents_, renderer);
    ASSERT_EQ(renderer.rendered.size(), 1u);
    EXPECT_NE(renderer.rendered[0].find("<OMEGA>"), std::string::npos);
}

TEST_F(DocumentSourcesTest, NoIniOrNoShareAsksNobody) {
    Load({"ZETA_PLUGIN", "VARNOCKAVO_PLUGIN"});
    CRecordingSharedRenderer renderer(documents_);
    RefreshSharedData(plugins_, ini_, {}, documents_, renderer);
    WriteIni("[ZETA_PLUGIN]\nshare=no\n");
    RefreshSharedData(plugins_, ini_, {}, documents_, renderer);
    EXPECT_THAT(renderer.rendered, IsEmpty());
    EXPECT_THAT(DataCalls(), IsEmpty());
}

}  // namespace
