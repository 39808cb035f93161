// The composed-window port on any QWidget (a top-level window or the child
// plug-in view): outline as the widget's mask, alpha as its opacity, button
// widgets as its children, posted tasks and click notes as queued calls.
#pragma once

#include <QLabel>
#include <QPointer>
#include <QWidget>
#include <functional>

#include "SkinWindow.h"

class CQtSkinWindow : public ISkinWindow {
public:
    explicit CQtSkinWindow(QWidget* target) : target_(target) {}

    // Receives "NORMAL_SKIN_CLICK": the parameter is a click note to be
    // checked with IsLiveClickNote and taken over (TakeLiveClickNote).
    void SetSkinClickHandler(std::function<void(void* note)> handler) { clickHandler_ = std::move(handler); }

    void Post(std::function<void()> task) override;
    void Hide() override;
    void Show() override;
    void SetTitle(const std::string& title) override;
    void ApplyOutline(const std::vector<SkinRect>& rects) override;
    void Move(int x, int y, std::optional<std::pair<int, int>> size) override;
    bool PaintBackground(const std::string& path) override;
    bool SupportsOpacity() const override;
    void SetOpacity(int alpha) override;
    void PostFocusRefresh() override;
    std::unique_ptr<ISkinButtonWidget> CreateButtonWidget(CSkinButton& button, int controlId) override;
    void PostSkinClick(CClickNote* note) override;

    QWidget* Target() const { return target_; }

private:
    QPointer<QWidget> target_;
    QPointer<QLabel> background_;
    std::function<void(void*)> clickHandler_;
};
