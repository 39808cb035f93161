// In-memory doubles of the settings ports.
#pragma once

#include "GeneralPageView.h"
#include "SettingDialog.h"
#include "SettingDialogView.h"
#include "SettingsFramePort.h"

#include <set>
#include <string>
#include <vector>

class FakeFrame : public ISettingsFrame {
public:
    explicit FakeFrame(std::vector<std::string>& log) : log_(log) {}
    std::vector<IVARNPlugin*> LoadedPlugins() override { return plugins; }
    std::string PluginIniPath() override { return iniPath; }
    std::string SkinFolder() override { return skinFolder; }
    bool SkinTimer() override { return skinTimer; }
    void ReloadIntervalAndRestartTimer() override { log_.push_back("frame ReloadInterval"); }
    void ApplyPendingModeStep() override { log_.push_back("frame ModeStep"); }

    std::vector<IVARNPlugin*> plugins;
    std::string iniPath;
    std::string skinFolder = "/skin/";
    bool skinTimer = true;

private:
    std::vector<std::string>& log_;
};

class FakeGeneralView : public IGeneralPageView {
public:
    void SetIntervalRange(int lo, int hi) override { low = lo; high = hi; }
    void SetIntervalPosition(int s) override { position = s < low ? low : (s > high ? high : s); }
    int IntervalPosition() override { return position; }
    void ShowIntervalControls(bool show) override { intervalShown = show; }
    void SetFahrenheit(bool f) override { fahrenheit = f; }
    void SetAutoStartChecked(bool c) override { autoStart = c; }
    void SetMinimizeChecked(bool c) override { minimize = c; }
    void SetChangeAtStartChecked(bool c) override { changeAtStart = c; }

    int low = 0, high = 100, position = -1;
    bool intervalShown = true, fahrenheit = false, autoStart = false, minimize = false,
         changeAtStart = false;
};

class FakeSettingView : public ISettingDialogView {
public:
    explicit FakeSettingView(CSettingDialog& dialog) : dialog_(dialog) {}
    VARN_WINDOW Window() override { return &windowStorage; }
    void ClearPageList() override { items.clear(); icons.clear(); }
    int AddIconFile(const std::string& path) override {
        if (badIcons.count(path) || path.back() == '/') return -1;
        icons.push_back(path);
        return static_cast<int>(icons.size()) - 1;
    }
    int AddApplicationIcon() override {
        icons.push_back("application");
        return static_cast<int>(icons.size()) - 1;
    }
    void InsertPageItem(int index, const std::string& text, int) override {
        items.insert(items.begin() + index, text);
    }
    void ShowPluginPage(VARN_WINDOW page) override { shownPage = page; }
    void HidePluginPage(VARN_WINDOW page) override {
        if (shownPage == page) shownPage = nullptr;
    }
    void CreateGeneralPage() override {
        generalCreated = true;
        dialog_.GeneralPage().OnInitDialog(general, &dialog_);
    }
    void ShowGeneralPage(bool show) override { generalShown = show; }
    void SetCaption(const std::string& text) override { caption = text; }
    void EnableOk(bool e) override { okEnabled = e; }
    void EnableApply(bool e) override { applyEnabled = e; }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    void EndDialog(int r) override { result = r; }

    int windowStorage = 0;
    std::set<std::string> badIcons;
    std::vector<std::string> items, icons, messages;
    VARN_WINDOW shownPage = nullptr;
    bool generalCreated = false, generalShown = false, okEnabled = true, applyEnabled = true;
    std::string caption;
    int result = 0;
    FakeGeneralView general;

private:
    CSettingDialog& dialog_;
};
