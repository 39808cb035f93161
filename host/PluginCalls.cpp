#include "PluginCalls.h"

#include <cstring>
#include <vector>

namespace plugin_calls {

IVARNPlugin* AsBase(void* anyInterface) { return static_cast<IVARNPlugin*>(anyInterface); }

std::string Name(IVARNPlugin* plugin) {
    if (plugin == nullptr) return {};
    std::vector<char> buffer(kPluginNameBufferSize, '\0');
    plugin->vtbl->GetName(plugin, buffer.data());
    buffer.back() = '\0';
    return std::string(buffer.data());
}

static void* Query(IVARNPlugin* plugin, const char* name) {
    if (plugin == nullptr) return nullptr;
    void* out = nullptr;
    if (plugin->vtbl->QueryInterface(plugin, name, &out) != VARN_QI_FOUND) return nullptr;
    return out;
}

IVARNExtend* QueryExtend(IVARNPlugin* plugin) {
    return static_cast<IVARNExtend*>(Query(plugin, VARN_IID_EXTEND));
}

IVARNInfo* QueryInfo(IVARNPlugin* plugin) {
    return static_cast<IVARNInfo*>(Query(plugin, VARN_IID_INFO));
}

int32_t Release(void* anyInterface) {
    IVARNPlugin* base = AsBase(anyInterface);
    if (base == nullptr) return 0;
    return base->vtbl->Release(base);
}

int32_t SendCommand(IVARNExtend* extend, const char* command, VARN_VALUE value1, VARN_VALUE value2) {
    if (extend == nullptr) return 0;
    return extend->vtbl->SendCommand(extend, command, value1, value2);
}

FetchedDocument GetData(IVARNInfo* info, std::size_t bufferSize, int32_t mode) {
    FetchedDocument result;
    if (info == nullptr || bufferSize == 0) return result;
    std::vector<char> buffer(bufferSize, '\0');
    info->vtbl->GetData(info, buffer.data(), mode);
    const void* end = std::memchr(buffer.data(), '\0', buffer.size());
    if (end == nullptr) {
        result.unterminated = true;
        result.text.assign(buffer.data(), buffer.size() - 1);
    } else {
        result.text.assign(buffer.data(), static_cast<std::size_t>(static_cast<const char*>(end) - buffer.data()));
    }
    return result;
}

bool SendThroughTemporaryExtend(IVARNPlugin* plugin, const char* command, VARN_VALUE value1,
                                VARN_VALUE value2) {
    IVARNExtend* extend = QueryExtend(plugin);
    if (extend == nullptr) return false;
    SendCommand(extend, command, value1, value2);
    Release(extend);
    return true;
}

}  // namespace plugin_calls
