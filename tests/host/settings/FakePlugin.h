// A plug-in object made from the C ABI's tables, recording the calls a host
// makes into a shared log, with a reference count the tests can check.
#pragma once

#include "VarnPlugin.h"

#include <cstring>
#include <functional>
#include <string>
#include <vector>

class FakePlugin {
public:
    FakePlugin(std::string name, std::vector<std::string>& log, bool offersDialog = true,
               bool offersExtend = true)
        : name_(std::move(name)), log_(log), offersDialog_(offersDialog), offersExtend_(offersExtend) {
        extend_.self = this;
        dialog_.self = this;
        plugin_.self = this;
    }

    // The host's base reference, as plug-in loading leaves it.
    IVARNPlugin* Base() { return &plugin_.iface; }
    int References() const { return refs_; }
    VARN_WINDOW PageWindow() { return page_ ? page_ : &pageStorage_; }
    // A toolkit page instead of a token: made at the first CreatePage, closed
    // by OnOK and OnCancel.
    std::function<VARN_WINDOW(VARN_WINDOW parent)> makePage;
    std::function<void(VARN_WINDOW page)> closePage;
    // What the page stores on OnOK and OnApply.
    std::function<void()> commit;
    bool PageOpen() const { return pageOpen_; }

private:
    template <class Iface>
    struct Slot {
        Iface iface;
        FakePlugin* self;
    };
    template <class Iface>
    static FakePlugin* Of(Iface* iface) { return reinterpret_cast<Slot<Iface>*>(iface)->self; }
    static FakePlugin* OfAny(IVARNPlugin* p) { return reinterpret_cast<Slot<IVARNPlugin>*>(p)->self; }

    void Log(const std::string& what) { log_.push_back(name_ + " " + what); }

    static int32_t QueryInterface(IVARNPlugin* p, const char* iid, void** out) {
        FakePlugin* self = OfAny(p);
        *out = nullptr;
        if (std::strcmp(iid, VARN_IID_EXTEND) == 0 && self->offersExtend_) *out = &self->extend_.iface;
        if (std::strcmp(iid, VARN_IID_DIALOG) == 0 && self->offersDialog_) *out = &self->dialog_.iface;
        if (std::strcmp(iid, VARN_IID_PLUGIN) == 0) *out = &self->plugin_.iface;
        if (*out == nullptr) return VARN_QI_NOT_FOUND;
        ++self->refs_;
        return VARN_QI_FOUND;
    }
    static int32_t AddRef(IVARNPlugin* p) { return ++OfAny(p)->refs_; }
    static int32_t Release(IVARNPlugin* p) { return --OfAny(p)->refs_; }
    static int32_t GetName(IVARNPlugin* p, char* buffer) {
        const std::string& name = OfAny(p)->name_;
        std::memcpy(buffer, name.c_str(), name.size() + 1);
        return 0;
    }
    static int32_t SendCommand(IVARNExtend* e, const char* command, VARN_VALUE v1, VARN_VALUE v2) {
        FakePlugin* self = Of(e);
        const bool window = std::strcmp(command, VARN_CMD_SET_PARENT) == 0;
        self->Log(std::string(command) + " " + (window ? (v1 ? "window" : "null") : std::to_string(v1)) +
                  " " + std::to_string(v2));
        return 0;
    }
    static int32_t SetCallback(IVARNExtend*, int32_t, PluginEventCallback) { return 0; }
    static VARN_WINDOW CreatePage(IVARNDialog* d, VARN_WINDOW parent) {
        FakePlugin* self = Of(d);
        self->Log(parent ? "CreatePage" : "CreatePage null");
        if (self->makePage && self->page_ == nullptr) self->page_ = self->makePage(parent);
        self->pageOpen_ = true;
        return self->PageWindow();
    }
    void ClosePage() {
        if (page_ && closePage) closePage(page_);
        page_ = nullptr;
    }
    static int32_t OnOK(IVARNDialog* d) {
        FakePlugin* self = Of(d);
        self->Log("OnOK");
        if (self->commit) self->commit();
        self->ClosePage();
        self->pageOpen_ = false;
        --self->refs_;
        return 0;
    }
    static int32_t OnCancel(IVARNDialog* d) {
        FakePlugin* self = Of(d);
        self->Log("OnCancel");
        self->ClosePage();
        self->pageOpen_ = false;
        --self->refs_;
        return 0;
    }
    static int32_t OnApply(IVARNDialog* d) {
        Of(d)->Log("OnApply");
        if (Of(d)->commit) Of(d)->commit();
        return 0;
    }

    static constexpr IVARNPluginVtbl kBase{&QueryInterface, &AddRef, &Release, &GetName};
    static constexpr IVARNExtendVtbl kExtend{kBase, &SendCommand, &SetCallback};
    static constexpr IVARNDialogVtbl kDialog{kBase, &CreatePage, &OnOK, &OnCancel, &OnApply};

    // The base pointer is the extension, as plug-ins answer "IVARNPlugin".
    Slot<IVARNExtend> extend_{{&kExtend}, nullptr};
    Slot<IVARNDialog> dialog_{{&kDialog}, nullptr};
    Slot<IVARNPlugin> plugin_{{&kBase}, nullptr};
    std::string name_;
    std::vector<std::string>& log_;
    bool offersDialog_;
    bool offersExtend_;
    int refs_ = 1;
    bool pageOpen_ = false;
    int pageStorage_ = 0;
    VARN_WINDOW page_ = nullptr;
};
