// A composition target that forwards everything to the real window except
// showing it, which only happens while the owner allows it. Composition shows
// its window when it ends; the main window must stay hidden until the plug-in
// view's page has completed once, and the view is shown only when a skin
// button selects a plug-in.
#pragma once

#include <functional>

#include "SkinWindow.h"

class CFrameGatedSkinWindow : public ISkinWindow {
public:
    CFrameGatedSkinWindow(ISkinWindow& inner, std::function<bool()> mayShow)
        : inner_(inner), mayShow_(std::move(mayShow)) {}

    void Post(std::function<void()> task) override { inner_.Post(std::move(task)); }
    void Hide() override { inner_.Hide(); }
    void Show() override {
        if (mayShow_ && mayShow_()) inner_.Show();
    }
    void SetTitle(const std::string& title) override { inner_.SetTitle(title); }
    void ApplyOutline(const std::vector<SkinRect>& rects) override { inner_.ApplyOutline(rects); }
    void Move(int x, int y, std::optional<std::pair<int, int>> size) override { inner_.Move(x, y, size); }
    bool PaintBackground(const std::string& path) override { return inner_.PaintBackground(path); }
    bool SupportsOpacity() const override { return inner_.SupportsOpacity(); }
    void SetOpacity(int alpha) override { inner_.SetOpacity(alpha); }
    void PostFocusRefresh() override { inner_.PostFocusRefresh(); }
    std::unique_ptr<ISkinButtonWidget> CreateButtonWidget(CSkinButton& button, int controlId) override {
        return inner_.CreateButtonWidget(button, controlId);
    }
    void PostSkinClick(CClickNote* note) override { inner_.PostSkinClick(note); }

private:
    ISkinWindow& inner_;
    std::function<bool()> mayShow_;
};
