// What the mode page shows; the Qt page implements it, tests record it.
#pragma once

#include <string>
#include <vector>

namespace modes {

class IModePageView {
public:
    virtual ~IModePageView() = default;
    // Whether modes reach the system, and what holds them back.
    virtual void ShowStatus(const std::string& text) = 0;
    // What mode (0-6) does now.
    virtual void ShowModeTip(int mode, const std::string& text) = 0;
    // The profiles a user mode (0-2) can take, and which one it has.
    virtual void ShowUserChoices(int user, const std::vector<std::string>& profiles, int selected) = 0;

    // For a page whose window is gone.
    class Ignoring;
};

class IModePageView::Ignoring : public IModePageView {
public:
    void ShowStatus(const std::string&) override {}
    void ShowModeTip(int, const std::string&) override {}
    void ShowUserChoices(int, const std::vector<std::string>&, int) override {}
};

}  // namespace modes
