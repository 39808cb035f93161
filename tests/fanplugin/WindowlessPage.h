// A page window without a window system: it keeps what the model shows and
// lets a test act as the user through the model it was created with.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "fanplugin/FanPageModel.h"
#include "fanplugin/PageWindow.h"

namespace zefan::test {

class CShownPage : public IFanPageView {
public:
    void SetFanItems(const std::vector<std::string>& names) override { fans = names; }
    void SelectFan(int index) override { selectedFan = index; }
    void SetEnableChecked(bool checked) override { enableChecked = checked; }
    void SetEnableCheckAvailable(bool) override {}
    void SetReferenceItems(const std::vector<std::string>& names) override { references = names; }
    void SelectReference(int) override {}
    void SetReferenceAvailable(bool available) override { referenceAvailable = available; }
    void SetValueText(FanPageValue field, const std::string& text) override { texts[field] = text; }
    void SetSpin(FanPageValue, int, int, int) override {}
    void SetValueControlsAvailable(bool) override {}
    void SetUnitLabels(const std::string& text) override { unit = text; }
    void SetBoardFileText(const std::string& text) override { boardFile = text; }
    bool AskYesNo(const std::string&) override { return answerYes; }

    std::vector<std::string> fans, references;
    int selectedFan = -1;
    bool enableChecked = false;
    bool referenceAvailable = false;
    std::map<FanPageValue, std::string> texts;
    std::string unit;
    std::string boardFile;
    bool answerYes = false;
};

class CWindowlessPages : public IPageWindowFactory {
public:
    class CWindow : public IPageWindow {
    public:
        explicit CWindow(CWindowlessPages& owner) : owner_(owner) { ++owner_.live; }
        ~CWindow() override
        {
            --owner_.live;
            owner_.model = nullptr;
        }
        VARN_WINDOW Handle() const override { return const_cast<CWindow*>(this); }
        IFanPageView& View() override { return owner_.shown; }

    private:
        CWindowlessPages& owner_;
    };

    std::unique_ptr<IPageWindow> Create(VARN_WINDOW parent, CFanPageModel& pageModel) override
    {
        ++created;
        lastParent = parent;
        if (refuse) {
            return nullptr;
        }
        model = &pageModel;
        return std::make_unique<CWindow>(*this);
    }

    bool refuse = false;
    int created = 0;
    int live = 0;
    VARN_WINDOW lastParent = nullptr;
    CFanPageModel* model = nullptr;  // of the open page
    CShownPage shown;
};

}  // namespace zefan::test
