// A plug-in object with a settings page: CreatePage makes the page once,
// OnApply commits it, OnOK commits and closes it, OnCancel closes it; OnOK
// and OnCancel give back the settings dialog's reference either way.
#pragma once

#include <memory>
#include <string>

#include "plugin_api/kit/PageWindow.h"
#include "plugin_api/kit/PluginObject.h"

namespace pluginkit {

template <class Model, class View>
class CPagedPluginObject : public CPluginObject {
public:
    CPagedPluginObject(std::string identifier, IPageWindows<Model, View>& windows)
        : CPluginObject(std::move(identifier)), page_(windows)
    {
    }

    VARN_WINDOW CreatePage(VARN_WINDOW parent) override
    {
        return page_.Create(parent, [this] { return MakePage(); });
    }
    int32_t OnOK() override
    {
        if (page_.IsOpen()) {
            Commit(*page_.Page());
            page_.Close();
        }
        return Release();
    }
    int32_t OnCancel() override
    {
        page_.Close();
        return Release();
    }
    int32_t OnApply() override { return page_.IsOpen() && Commit(*page_.Page()) ? 1 : 0; }

protected:
    // A new page model on the plug-in's state.
    virtual std::unique_ptr<Model> MakePage() = 0;
    // Stores and applies the page's edits; true when they were stored.
    virtual bool Commit(const Model& page) = 0;
    // The open page's model, or null.
    Model* OpenPage() { return page_.Page(); }
    // A derived object's destructor calls this first: the page works on the
    // derived object's state, which goes before this base does.
    void ClosePage() { page_.Close(); }

private:
    CPageHolder<Model, View> page_;
};

}  // namespace pluginkit
