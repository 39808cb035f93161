#include "plugin_api/kit/PluginObject.h"

#include <cstring>

#include "plugin_api/kit/HostCallback.h"

namespace pluginkit {

namespace {

// ---- The C side: one table per interface, each beginning with the base
// slots, all leading to the same object. No exception may reach the host.

template <class Fn, class Result>
Result Guarded(Result onFault, Fn&& fn)
{
    try {
        return fn();
    } catch (...) {
        return onFault;
    }
}

extern const IVARNExtendVtbl kExtendVtbl;
extern const IVARNInfoVtbl kInfoVtbl;
extern const IVARNDialogVtbl kDialogVtbl;

constexpr char kEmptyDocument[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<VARN_PLUGIN></VARN_PLUGIN>";

}  // namespace

// The faces are private; these reach them.
struct PluginFaces {
    template <class Interface>
    static CPluginObject* OwnerOf(Interface* self)
    {
        return reinterpret_cast<CPluginObject::Face<Interface>*>(self)->owner;
    }

    // Any interface pointer, as the base slots receive it: its table says
    // which face it is.
    static CPluginObject* FromBase(IVARNPlugin* self)
    {
        const void* table = self->vtbl;
        if (table == &kInfoVtbl.base) {
            return OwnerOf(reinterpret_cast<IVARNInfo*>(self));
        }
        if (table == &kDialogVtbl.base) {
            return OwnerOf(reinterpret_cast<IVARNDialog*>(self));
        }
        return OwnerOf(reinterpret_cast<IVARNExtend*>(self));
    }
};

namespace {

int32_t QueryInterfaceSlot(IVARNPlugin* self, const char* name, void** out)
{
    return Guarded<>(VARN_QI_NOT_FOUND, [&] { return PluginFaces::FromBase(self)->QueryInterface(name, out); });
}
int32_t AddRefSlot(IVARNPlugin* self)
{
    return Guarded<>(0, [&] { return PluginFaces::FromBase(self)->AddRef(); });
}
int32_t ReleaseSlot(IVARNPlugin* self)
{
    return Guarded<>(0, [&] { return PluginFaces::FromBase(self)->Release(); });
}
int32_t GetNameSlot(IVARNPlugin* self, char* buffer)
{
    return Guarded<>(0, [&] { return PluginFaces::FromBase(self)->GetName(buffer); });
}
int32_t SendCommandSlot(IVARNExtend* self, const char* command, VARN_VALUE value1, VARN_VALUE value2)
{
    return Guarded<>(0, [&] { return PluginFaces::OwnerOf(self)->SendCommand(command, value1, value2); });
}
int32_t SetCallbackSlot(IVARNExtend* self, int32_t, PluginEventCallback callback)
{
    return Guarded<>(0, [&] { return PluginFaces::OwnerOf(self)->SetCallback(callback); });
}
int32_t GetDataSlot(IVARNInfo* self, char* buffer, int32_t mode)
{
    return Guarded<>(1, [&] { return PluginFaces::OwnerOf(self)->GetData(buffer, mode); });
}
VARN_WINDOW CreatePageSlot(IVARNDialog* self, VARN_WINDOW parent)
{
    return Guarded<>(VARN_WINDOW{nullptr}, [&] { return PluginFaces::OwnerOf(self)->CreatePage(parent); });
}
int32_t OnOKSlot(IVARNDialog* self)
{
    return Guarded<>(0, [&] { return PluginFaces::OwnerOf(self)->OnOK(); });
}
int32_t OnCancelSlot(IVARNDialog* self)
{
    return Guarded<>(0, [&] { return PluginFaces::OwnerOf(self)->OnCancel(); });
}
int32_t OnApplySlot(IVARNDialog* self)
{
    return Guarded<>(0, [&] { return PluginFaces::OwnerOf(self)->OnApply(); });
}

#define PLUGINKIT_BASE_SLOTS {QueryInterfaceSlot, AddRefSlot, ReleaseSlot, GetNameSlot}

const IVARNExtendVtbl kExtendVtbl = {PLUGINKIT_BASE_SLOTS, SendCommandSlot, SetCallbackSlot};
const IVARNInfoVtbl kInfoVtbl = {PLUGINKIT_BASE_SLOTS, GetDataSlot};
const IVARNDialogVtbl kDialogVtbl = {PLUGINKIT_BASE_SLOTS, CreatePageSlot, OnOKSlot, OnCancelSlot, OnApplySlot};

#undef PLUGINKIT_BASE_SLOTS

}  // namespace

CPluginObject::CPluginObject(std::string identifier, Offers offers)
    : extend_{{&kExtendVtbl}, this},
      info_{{&kInfoVtbl}, this},
      dialog_{{&kDialogVtbl}, this},
      identifier_(std::move(identifier)),
      offers_(offers)
{
    // A longer name would overrun the host's name buffer.
    if (identifier_.size() >= VARN_NAME_BUFFER_SIZE) {
        identifier_.resize(VARN_NAME_BUFFER_SIZE - 1);
    }
}

CPluginObject::~CPluginObject() = default;

int32_t CPluginObject::QueryInterface(const char* name, void** out)
{
    if (out == nullptr) {
        return VARN_QI_NOT_FOUND;
    }
    *out = nullptr;
    if (name == nullptr) {
        return VARN_QI_NOT_FOUND;
    }
    // The base interface answers with the extended one, whose table begins
    // with the base slots.
    if (std::strcmp(name, VARN_IID_EXTEND) == 0 || std::strcmp(name, VARN_IID_PLUGIN) == 0) {
        *out = Extend();
    } else if (std::strcmp(name, VARN_IID_DIALOG) == 0) {
        *out = Dialog();
    } else if (std::strcmp(name, VARN_IID_INFO) == 0) {
        *out = Info();
    }
    if (*out == nullptr) {
        return VARN_QI_NOT_FOUND;
    }
    AddRef();
    return VARN_QI_FOUND;
}

int32_t CPluginObject::AddRef()
{
    return ++count_;
}

int32_t CPluginObject::Release()
{
    const int32_t left = --count_;
    if (left == 0) {
        delete this;
    }
    return left;
}

int32_t CPluginObject::GetName(char* buffer) const
{
    if (buffer != nullptr) {
        std::memcpy(buffer, identifier_.c_str(), identifier_.size() + 1);
    }
    return 0;
}

int32_t CPluginObject::SendCommand(const char*, VARN_VALUE, VARN_VALUE)
{
    return 0;
}

int32_t CPluginObject::SetCallback(PluginEventCallback callback)
{
    SetHostCallback(callback);
    return 0;
}

int32_t CPluginObject::GetData(char* buffer, int32_t)
{
    WriteDocument(kEmptyDocument, buffer);
    return 1;
}

VARN_WINDOW CPluginObject::CreatePage(VARN_WINDOW)
{
    return nullptr;
}

int32_t CPluginObject::OnOK()
{
    return Release();
}

int32_t CPluginObject::OnCancel()
{
    return Release();
}

int32_t CPluginObject::OnApply()
{
    return 0;
}

bool WriteDocument(const std::string& document, char* buffer)
{
    if (buffer == nullptr) {
        return false;
    }
    if (document.size() >= VARN_DATA_BUFFER_SIZE) {
        std::memcpy(buffer, kEmptyDocument, sizeof kEmptyDocument);
        return false;
    }
    std::memcpy(buffer, document.c_str(), document.size() + 1);
    return true;
}

}  // namespace pluginkit
