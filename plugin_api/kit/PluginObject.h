// The plug-in object every plug-in of the suite is built on: one object
// answers IVARNExtend (and IVARNPlugin), IVARNInfo and IVARNDialog with one
// reference count. The C tables, the name lookup, the count and the guard
// that keeps exceptions from reaching the host live here; a plug-in derives
// and overrides the operations it gives meaning to.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "VarnPlugin.h"

namespace pluginkit {

class CPluginObject {
public:
    // What the object offers besides IVARNExtend, which every plug-in has.
    struct Offers {
        bool info = true;
        bool dialog = true;
    };

    // identifier: the plug-in's "..._PLUGIN" name; it must fit
    // VARN_NAME_BUFFER_SIZE with its terminator.
    explicit CPluginObject(std::string identifier, Offers offers = {true, true});
    virtual ~CPluginObject();
    CPluginObject(const CPluginObject&) = delete;
    CPluginObject& operator=(const CPluginObject&) = delete;

    // The interfaces handed to the host; each converts to IVARNPlugin*. Null
    // for an interface the object does not offer.
    IVARNExtend* Extend() { return &extend_.iface; }
    IVARNInfo* Info() { return offers_.info ? &info_.iface : nullptr; }
    IVARNDialog* Dialog() { return offers_.dialog ? &dialog_.iface : nullptr; }
    const std::string& Identifier() const { return identifier_; }

    int32_t QueryInterface(const char* name, void** out);
    int32_t AddRef();
    // At 0 the object deletes itself; the value is taken before.
    int32_t Release();
    int32_t GetName(char* buffer) const;

    // The operations a plug-in gives meaning to. The defaults: an unknown
    // command answers 0; the callback goes into the library's slot
    // (HostCallback.h); an empty document; no page, and OnOK/OnCancel still
    // give back the settings dialog's reference.
    virtual int32_t SendCommand(const char* command, VARN_VALUE value1, VARN_VALUE value2);
    virtual int32_t SetCallback(PluginEventCallback callback);
    virtual int32_t GetData(char* buffer, int32_t mode);
    virtual VARN_WINDOW CreatePage(VARN_WINDOW parent);
    virtual int32_t OnOK();
    virtual int32_t OnCancel();
    virtual int32_t OnApply();

private:
    friend struct PluginFaces;

    template <class Interface>
    struct Face {
        Interface iface;  // first, so the interface pointer leads back to the face
        CPluginObject* owner;
    };

    Face<IVARNExtend> extend_;
    Face<IVARNInfo> info_;
    Face<IVARNDialog> dialog_;
    std::string identifier_;
    Offers offers_;
    int32_t count_ = 0;
};

// Copies a data document with its terminator into the host's buffer
// (VARN_DATA_BUFFER_SIZE bytes). A document that does not fit is not cut
// into broken XML: an empty document is written instead and false returned.
bool WriteDocument(const std::string& document, char* buffer);

// Builds an object with make (which may throw or return null) and queries it
// for name: the interface with a count of 1, or null (and no object) for a
// name none of its interfaces has.
template <class Make>
void* CreatePluginObject(const char* name, Make&& make)
{
    try {
        std::unique_ptr<CPluginObject> object = make();
        void* out = nullptr;
        if (!object || object->QueryInterface(name, &out) != VARN_QI_FOUND) {
            return nullptr;
        }
        object.release();
        return out;
    } catch (...) {
        return nullptr;
    }
}

}  // namespace pluginkit
