#include "AboutDlg.h"
#include "SettingsTestEnvironment.h"
#include "TransDialog.h"
#include "VersionReader.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace {

class FakeTransView : public ITransDialogView {
public:
    void SetRange(int lo, int hi) override { low = lo; high = hi; }
    void SetPosition(int p) override { position = p; }
    void SetPercentText(const std::string& t) override { text = t; }
    int low = 0, high = 0, position = 0;
    std::string text;
};

TEST(TransDialogTest, SliderRunsFrom103To255WithRoundedPercentText) {
    CTransDialog dialog;
    FakeTransView view;
    dialog.OnInitDialog(view);
    EXPECT_EQ(view.low, 103);
    EXPECT_EQ(view.high, 255);
    EXPECT_EQ(view.position, 255);
    EXPECT_EQ(view.text, "100%");
    dialog.OnSliderPosition(103);
    EXPECT_EQ(view.text, "40%");
    dialog.OnSliderPosition(128);
    EXPECT_EQ(view.text, "50%");
    dialog.OnSliderPosition(20);  // never nearly invisible
    EXPECT_EQ(dialog.GetAlpha(), 103);
}

TEST(TransDialogTest, ReopeningShowsTheLastPositionEvenWithoutOk) {
    CTransDialog dialog;
    FakeTransView first, second;
    dialog.OnInitDialog(first);
    dialog.OnSliderPosition(180);
    dialog.OnInitDialog(second);
    EXPECT_EQ(second.position, 180);
    EXPECT_EQ(second.text, "71%");
}

class StoredAlphaTest : public SettingsTest {};

TEST_F(StoredAlphaTest, StoredLevelOpensTheSliderWhereTheWindowIsAndIsKeptInRange) {
    CRegistryAccess registry(hives);
    registry.SetRootKey(HKEY_CURRENT_USER);
    CTransDialog dialog;
    dialog.LoadStoredAlpha(&hives);
    EXPECT_EQ(dialog.GetAlpha(), 255);
    ASSERT_TRUE(registry.SetDword("SOFTWARE\\VARN\\TamloIII", "TRANS", 150));
    dialog.LoadStoredAlpha(&hives);
    EXPECT_EQ(dialog.GetAlpha(), 150);
    ASSERT_TRUE(registry.SetDword("SOFTWARE\\VARN\\TamloIII", "TRANS", 0xFFFFFFFF));
    dialog.LoadStoredAlpha(&hives);
    EXPECT_EQ(dialog.GetAlpha(), 255);
    ASSERT_TRUE(registry.SetDword("SOFTWARE\\VARN\\TamloIII", "TRANS", 10));
    dialog.LoadStoredAlpha(&hives);
    EXPECT_EQ(dialog.GetAlpha(), 103);
}

class FakeAboutView : public IAboutView {
public:
    void SetVersionLine(const std::string& t) override { version = t; }
    void SetBackendLine(const std::string& t) override { backend = t; }
    void SetSessionLine(const std::string& t) override { session = t; }
    void AddColumn(const std::string& h) override { columns.push_back(h); }
    void AddRow(const std::string& p, const std::string& v) override { rows.push_back(p + "=" + v); }
    void SetRowState(const std::string& s) override { rows.back() += " (" + s + ")"; }
    std::string version, backend, session = "<none>";
    std::vector<std::string> columns, rows;
};

class AboutDlgTest : public SettingsTest {
protected:
    void StoreBackend(const std::string& text) {
        CRegistryAccess registry(hives);
        registry.SetRootKey(HKEY_LOCAL_MACHINE);
        ASSERT_TRUE(registry.SetString("SOFTWARE\\VARN\\VARNIO", "Backend", text));
    }
};

TEST_F(AboutDlgTest, ListsVersionBackendAndPluginsInLoadOrder) {
    CAboutDlg about({{"libzefan.so", "1,2,0,0"}, {"libclock.so", "0,0,0,0"}}, &hives);
    FakeAboutView view;
    EXPECT_TRUE(about.OnInitDialog(view));
    EXPECT_EQ(view.version, "EXE Version 3.1.0.1");
    EXPECT_THAT(view.backend, ::testing::HasSubstr("simulated"));
    EXPECT_THAT(view.columns, ElementsAre("Plug-In", "Version"));
    EXPECT_THAT(view.rows, ElementsAre("libzefan.so=1,2,0,0", "libclock.so=0,0,0,0"));
    EXPECT_EQ(view.session, "<none>") << "an X11 session lacks nothing";
    about.SetSessionLine("no positions");
    about.OnInitDialog(view);
    EXPECT_EQ(view.session, "no positions");
}

TEST_F(AboutDlgTest, AStateColumnAppearsOnlyWhenAPluginReportsOne) {
    CAboutDlg about({{"ZEFAN.so", "0,0,0,0"}, {"VARNOCCTRL.so", "0,0,0,0", "modes not connected"}}, &hives);
    FakeAboutView view;
    about.OnInitDialog(view);
    EXPECT_THAT(view.columns, ElementsAre("Plug-In", "Version", "State"));
    EXPECT_THAT(view.rows, ElementsAre("ZEFAN.so=0,0,0,0 ()", "VARNOCCTRL.so=0,0,0,0 (modes not connected)"));
}

TEST_F(AboutDlgTest, BackendLineSaysWhetherTheFansAreReal) {
    CAboutDlg about({}, &hives);
    StoreBackend("Direct");
    EXPECT_THAT(about.BackendLine(), ::testing::HasSubstr("real hardware"));
    StoreBackend("simulated");
    EXPECT_THAT(about.BackendLine(), ::testing::HasSubstr("simulated"));
    StoreBackend("ioport");
    EXPECT_THAT(about.BackendLine(), ::testing::HasSubstr("refused"));
    FakeAboutView view;
    about.OnInitDialog(view);
    EXPECT_TRUE(view.rows.empty());
    EXPECT_EQ(view.columns.size(), 2u);
}

// The line says what the port library reaches in this process now, whatever
// the store names.
TEST_F(AboutDlgTest, BackendLineComesFromThePortLibraryWhenItIsGiven) {
    StoreBackend("direct");
    CAboutDlg about({}, &hives, [] { return std::string("direct: refused, the kernel driver w83627ehf holds the ports"); });
    FakeAboutView view;
    about.OnInitDialog(view);
    EXPECT_EQ(view.backend, "direct: refused, the kernel driver w83627ehf holds the ports");
}

class VersionReaderTest : public SettingsTest {};

TEST_F(VersionReaderTest, VersionComesFromTheRealFileNameBehindTheLink) {
    const std::string real = WriteFile("libfoo.so.1.2.3", "ELF");
    std::filesystem::create_symlink(real, folder + "/libfoo.so");
    EXPECT_EQ(CVersionReader::VersionText(folder + "/libfoo.so"), "1,2,3,0");
    EXPECT_EQ(CVersionReader::VersionText(WriteFile("libbar.so.4.5.6.7", "")), "4,5,6,7");
    CVersionReader reader;
    ASSERT_TRUE(reader.Open(real.c_str()));
    EXPECT_EQ(reader.Fixed().dwSignature, CVersionReader::kSignature);
    EXPECT_EQ(reader.Fixed().dwFileVersionMS, 0x00010002u);
    EXPECT_EQ(reader.Fixed().dwFileVersionLS, 0x00030000u);
    reader.Close();
    EXPECT_FALSE(reader.Valid());
}

TEST_F(VersionReaderTest, NoReadableVersionGivesZeros) {
    EXPECT_EQ(CVersionReader::VersionText(WriteFile("libplain.so", "")), "0,0,0,0");
    EXPECT_EQ(CVersionReader::VersionText(WriteFile("libbig.so.1.70000", "")), "0,0,0,0");
    EXPECT_EQ(CVersionReader::VersionText(WriteFile("libodd.so.1.x", "")), "0,0,0,0");
    EXPECT_EQ(CVersionReader::VersionText(folder + "/missing.so.1"), "0,0,0,0");
    std::filesystem::create_directory(folder + "/libdir.so.1");
    EXPECT_EQ(CVersionReader::VersionText(folder + "/libdir.so.1"), "0,0,0,0");
    CVersionReader reader;
    EXPECT_FALSE(reader.Open(nullptr));
}

TEST(AboutEntryTest, EntryNamesTheFileAfterTheLastSeparator) {
    EXPECT_EQ(CAboutDlg::EntryFor("/opt/velmar/libzefan.so").fileName, "libzefan.so");
    EXPECT_EQ(CAboutDlg::EntryFor("plugins\\ZEFAN.dll").fileName, "ZEFAN.dll");
}

}  // namespace
