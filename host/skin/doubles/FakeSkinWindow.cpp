#include "FakeSkinWindow.h"

#include <algorithm>

CFakeButtonWidget::CFakeButtonWidget(CEventLog* log, int id, std::set<std::string>* loadableFiles)
    : controlId(id), log_(log), loadable_(loadableFiles) {}

CFakeButtonWidget::~CFakeButtonWidget() {
    if (destroyedFlag) *destroyedFlag = true;
    if (log_) log_->Add("destroy button " + std::to_string(controlId));
}

void CFakeButtonWidget::Place(int px, int py, int w, int h) {
    x = px; y = py; width = w; height = h;
    shown = true;
}

void CFakeButtonWidget::Resize(int w, int h) { width = w; height = h; }

ImagePresence CFakeButtonWidget::LoadImages(const ImagePaths& p) {
    paths = p;
    ImagePresence present{};
    for (std::size_t i = 0; i < p.size(); ++i) present[i] = !p[i].empty() && loadable_->count(p[i]) > 0;
    return present;
}

int CFakeSkinWindow::RunPosted() {
    int ran = 0;
    while (!tasks.empty()) {
        auto task = std::move(tasks.front());
        tasks.pop_front();
        task();
        ++ran;
    }
    return ran;
}

void CFakeSkinWindow::Hide() {
    if (log_) log_->Add("hide");
    visible = false;
}

void CFakeSkinWindow::Show() {
    if (log_) log_->Add("show");
    visible = true;
}

void CFakeSkinWindow::ApplyOutline(const std::vector<SkinRect>& rects) {
    if (log_) log_->Add("outline");
    outline = rects;
}

void CFakeSkinWindow::Move(int px, int py, std::optional<std::pair<int, int>> s) {
    if (log_) log_->Add("move");
    x = px; y = py;
    if (s) size = s;
}

bool CFakeSkinWindow::PaintBackground(const std::string& path) {
    if (log_) log_->Add("background " + path);
    return loadableFiles.count(path) > 0;
}

std::unique_ptr<ISkinButtonWidget> CFakeSkinWindow::CreateButtonWidget(CSkinButton&, int controlId) {
    if (log_) log_->Add("button " + std::to_string(controlId));
    auto widget = std::make_unique<CFakeButtonWidget>(log_, controlId, &loadableFiles);
    widgets.push_back(widget.get());
    return widget;
}
