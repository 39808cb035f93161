// In-memory composed window and button widgets. Posted tasks and click
// notes wait in queues until the test runs them.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <set>

#include "EventLog.h"
#include "SkinWindow.h"

class CFakeButtonWidget : public ISkinButtonWidget {
public:
    CFakeButtonWidget(CEventLog* log, int controlId, std::set<std::string>* loadableFiles);
    ~CFakeButtonWidget() override;

    void Place(int x, int y, int width, int height) override;
    void Resize(int width, int height) override;
    ImagePresence LoadImages(const ImagePaths& paths) override;
    std::optional<CBitmapPixels> MaskPixels() const override { return maskPixels; }
    void SetShape(const std::vector<SkinRect>& rects) override { shape = rects; }
    void SetToolTip(const std::string& text) override { tip = text; }
    void Repaint() override { ++repaints; }
    bool HasFocus() const override { return focused; }
    bool IsEnabled() const override { return enabled; }

    int controlId;
    int x = 0, y = 0, width = 0, height = 0;
    bool shown = false;
    ImagePaths paths;
    std::optional<std::vector<SkinRect>> shape;
    std::optional<CBitmapPixels> maskPixels;  // a mask in a format only the widget reads
    std::string tip;
    int repaints = 0;
    bool focused = false;
    bool enabled = true;
    bool* destroyedFlag = nullptr;

private:
    CEventLog* log_;
    std::set<std::string>* loadable_;
};

class CFakeSkinWindow : public ISkinWindow {
public:
    explicit CFakeSkinWindow(CEventLog* log = nullptr) : log_(log) {}

    void Post(std::function<void()> task) override { tasks.push_back(std::move(task)); }
    // Runs posted tasks, including those they post, until none is left.
    int RunPosted();

    void Hide() override;
    void Show() override;
    void SetTitle(const std::string& text) override { title = text; }
    void ApplyOutline(const std::vector<SkinRect>& rects) override;
    void Move(int x, int y, std::optional<std::pair<int, int>> size) override;
    bool PaintBackground(const std::string& path) override;
    bool SupportsOpacity() const override { return opacitySupported; }
    void SetOpacity(int alpha) override { opacity = alpha; }
    void PostFocusRefresh() override { if (log_) log_->Add("focus refresh"); ++focusRefreshes; }
    std::unique_ptr<ISkinButtonWidget> CreateButtonWidget(CSkinButton& button, int controlId) override;
    void PostSkinClick(CClickNote* note) override { notes.push_back(note); }

    bool visible = true;
    std::string title;
    std::optional<std::vector<SkinRect>> outline;
    int x = -1, y = -1;
    std::optional<std::pair<int, int>> size;
    bool opacitySupported = true;
    int opacity = 255;
    int focusRefreshes = 0;
    std::set<std::string> loadableFiles;  // files PaintBackground and widgets can load
    std::deque<std::function<void()>> tasks;
    std::vector<CClickNote*> notes;  // posted, not yet taken
    std::vector<CFakeButtonWidget*> widgets;  // live ones, in creation order

private:
    CEventLog* log_;
};
