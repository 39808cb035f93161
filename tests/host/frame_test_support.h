// The main frame's test bench: every port a double, the real plug-in loader
// over the recording test plug-ins, memory registry hives, a private copy of
// the host test skin and the plug-ins' journal in a temporary folder.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "DlLoader.h"
#include "EventLog.h"
#include "FakeMessageBox.h"
#include "FakeScriptPage.h"
#include "FakeSkinWindow.h"
#include "FakeTimers.h"
#include "FrameFakeDialogs.h"
#include "FrameFakeTray.h"
#include "FrameFakeViewWindow.h"
#include "FrameFakeWindow.h"
#include "HtmlVesselDlg.h"
#include "MemoryInstanceBlock.h"
#include "RegistryAccess.h"
#include "RegistryHives.h"

inline std::string FramePluginPath(const std::string& identifier) {
    return std::string(VELMAR_TEST_BIN_DIR) + "/plugins/lib" + identifier + ".so";
}

class FrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/velmar-frame-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = pattern;
        programFolder_ = folder_ + "/app/";
        std::filesystem::create_directories(programFolder_);
        std::filesystem::copy(std::string(VELMAR_TEST_DATA_DIR) + "/hostskin", programFolder_ + "Skin",
                              std::filesystem::copy_options::recursive);
        journal_ = folder_ + "/journal";
        Setenv("VELMAR_RECORDING_LOG", journal_);
        page_.Define("OnInitial");
        page_.Define("ProcessEnd");
        page_.Define("BeginChangeMode");
        page_.Define("SetAutoPace");
        page_.Define("RestoreInitial");
        page_.Define("VARNEQ_WARNING");
        page_.Define("VARNEQ_ITEM_WARNING");
    }
    void TearDown() override {
        frame_.reset();
        for (const std::string& name : setNames_) unsetenv(name.c_str());
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    void Setenv(const std::string& name, const std::string& value) {
        setenv(name.c_str(), value.c_str(), 1);
        setNames_.push_back(name);
    }
    void Configure(const std::string& identifier, const std::string& key, const std::string& value) {
        Setenv("VELMAR_REC_" + identifier + "_" + key, value);
    }
    void ListPlugins(const std::vector<std::string>& identifiers) {
        CRegistryAccess machine(hives_);
        machine.SetRootKey(HKEY_LOCAL_MACHINE);
        for (const std::string& id : identifiers)
            machine.SetString("SOFTWARE\\VARN\\APM", "plugin" + std::to_string(listed_++), FramePluginPath(id));
    }
    void SetUserString(const std::string& name, const std::string& text) {
        CRegistryAccess user(hives_);
        user.SetRootKey(HKEY_CURRENT_USER);
        user.SetString("SOFTWARE\\VARN\\TamloIII", name, text);
    }
    void SetUserDword(const std::string& name, std::uint32_t value) {
        CRegistryAccess user(hives_);
        user.SetRootKey(HKEY_CURRENT_USER);
        user.SetDword("SOFTWARE\\VARN\\TamloIII", name, value);
    }
    std::string UserString(const std::string& name) {
        CRegistryAccess user(hives_);
        user.SetRootKey(HKEY_CURRENT_USER);
        std::string text;
        if (!user.QueryString("SOFTWARE\\VARN\\TamloIII", name, text)) return "<missing>";
        return text;
    }
    long UserDword(const std::string& name) {
        CRegistryAccess user(hives_);
        user.SetRootKey(HKEY_CURRENT_USER);
        std::uint32_t value = 0;
        if (!user.QueryDword("SOFTWARE\\VARN\\TamloIII", name, &value)) return -1;
        return static_cast<long>(value);
    }
    // Replaces a file of the skin copy.
    void WriteSkinFile(const std::string& relative, const std::string& text) {
        std::ofstream(programFolder_ + "Skin/" + relative, std::ios::trunc) << text;
    }
    // A main skin whose plug-in view starts with identifier, and its INI.
    void ViewSkinFor(const std::string& identifier, int update, int share, const std::string& timer = "TRUE") {
        WriteSkinFile("KavoIII.xml", "<VARNSKINDEFINE><SKIN><APPLICATION NAME=\"Velmar\" TIMER=\"" + timer +
                                         "\"/><XSL SRC=\"main.xsl\"/><PLUGIN_DIALOG SRC=\"PlugIn.ini\" INIT=\"" +
                                         identifier + "\" SHOW=\"TRUE\" X=\"10\" Y=\"140\"/></SKIN></VARNSKINDEFINE>");
        WriteSkinFile("PlugIn.ini", "[" + identifier + "]\nxml=ZEFAN\\ZefanView.xml\nUpdate=" + std::to_string(update) +
                                        "\nshare=" + std::to_string(share) + "\n");
    }
    std::vector<std::string> JournalOf(const std::string& identifier) const {
        std::vector<std::string> lines;
        std::ifstream in(journal_);
        for (std::string line; std::getline(in, line);)
            if (line.starts_with(identifier + " ")) lines.push_back(line.substr(identifier.size() + 1));
        return lines;
    }
    int JournalCount(const std::string& identifier, const std::string& call) const {
        int count = 0;
        for (const std::string& line : JournalOf(identifier)) count += line == call ? 1 : 0;
        return count;
    }
    void ClearJournal() { std::ofstream(journal_, std::ios::trunc); }

    CHtmlVesselDlg& Frame() {
        if (!frame_) {
            frame_ = std::make_unique<CHtmlVesselDlg>(FrameServices{
                window_, skinWindow_, page_, timers_, messages_, instance_, loader_, versions_, trayIcon_, trayTimers_,
                clock_, dialogs_, viewFactory_, &hives_, programFolder_, "Velmar"});
            frame_->OnInitDialog();
        }
        return *frame_;
    }
    // The first completion of the main page, then (unless told otherwise)
    // the view page's, which makes the window visible.
    CHtmlVesselDlg& Started(bool completeView = true) {
        Frame();
        page_.CompleteDocument();
        if (completeView && viewFactory_.last) viewFactory_.last->page.CompleteDocument();
        return *frame_;
    }
    CFrameFakeViewWindow& ViewWindow() { return *viewFactory_.last; }
    bool PageCalled(const std::string& name) const {
        for (const auto& call : page_.calls)
            if (call.name == name) return true;
        return false;
    }
    int PageCalls(const std::string& name) const {
        int count = 0;
        for (const auto& call : page_.calls) count += call.name == name ? 1 : 0;
        return count;
    }

    std::string folder_;
    std::string programFolder_;
    std::string journal_;
    CEventLog log_;
    CFrameFakeWindow window_{log_};
    CFakeSkinWindow skinWindow_{&log_};
    CFakeScriptPage page_{&log_};
    CFakeTimers timers_;
    CFakeMessageBox messages_{&log_};
    CMemoryInstanceMachine machine_;
    CMemoryInstanceBlock instance_{machine_, 1};
    CDlLoader loader_;
    CSonameVersionReader versions_;
    CFrameFakeTrayIcon trayIcon_{log_};
    CFrameFakeTimerPort trayTimers_;
    CFrameFakeClock clock_;
    CFrameFakeDialogs dialogs_{log_};
    CFrameFakeViewFactory viewFactory_{log_, window_.visible};
    CMemoryRegistryHives hives_;
    std::unique_ptr<CHtmlVesselDlg> frame_;

private:
    std::vector<std::string> setNames_;
    int listed_ = 0;
};
