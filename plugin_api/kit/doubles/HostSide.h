// The host's side of the plug-in ABI for tests: calls through the C tables
// only, and settings pages made without windows (the page model talks to a
// recording view).
#pragma once

#include <memory>
#include <string>

#include "VarnPlugin.h"
#include "plugin_api/kit/PageWindow.h"

namespace pluginkit {

// Another interface of the object behind extend, with its own reference.
template <class Interface>
Interface* Query(IVARNExtend* extend, const char* name)
{
    void* out = nullptr;
    extend->vtbl->base.QueryInterface(reinterpret_cast<IVARNPlugin*>(extend), name, &out);
    return static_cast<Interface*>(out);
}

inline int32_t Release(void* anyInterface)
{
    auto* plugin = static_cast<IVARNPlugin*>(anyInterface);
    return plugin->vtbl->Release(plugin);
}

// The object's data document, as the host fetches it.
inline std::string Document(IVARNExtend* extend)
{
    std::string buffer(VARN_DATA_BUFFER_SIZE, '\0');
    auto* info = Query<IVARNInfo>(extend, VARN_IID_INFO);
    info->vtbl->GetData(info, buffer.data(), 0);
    Release(info);
    return buffer.c_str();
}

// Page windows without a toolkit: the view is a Recording (a View that
// keeps what it was told), the model is kept for the test to act on.
template <class Model, class View, class Recording>
class CWindowlessPages : public IPageWindows<Model, View> {
public:
    std::unique_ptr<IPageWindow<View>> Create(VARN_WINDOW, Model& page) override
    {
        model = &page;
        return std::make_unique<Window>(view);
    }

    Recording view;
    Model* model = nullptr;

private:
    class Window : public IPageWindow<View> {
    public:
        explicit Window(Recording& view) : view_(view) {}
        VARN_WINDOW Handle() const override { return &view_; }
        View& PageView() override { return view_; }

    private:
        Recording& view_;
    };
};

}  // namespace pluginkit
