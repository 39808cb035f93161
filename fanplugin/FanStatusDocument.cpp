#include "fanplugin/FanStatusDocument.h"

#include <libxml/tree.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "plugin_api/kit/XmlSafeText.h"

namespace zefan {

namespace {

using pluginkit::XmlSafeText;

// Values of "STATUSINFO".
constexpr char kStatusSmartFanOn[] = "3";
constexpr char kStatusSmartFanOff[] = "4";

struct DocDeleter {
    void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};
using DocPtr = std::unique_ptr<xmlDoc, DocDeleter>;

const xmlChar* X(const char* text) { return reinterpret_cast<const xmlChar*>(text); }

std::string Format(const char* format, int value)
{
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// UTF-8, no indentation; "" when libxml2 fails.
std::string Serialise(xmlDoc* doc)
{
    xmlChar* memory = nullptr;
    int size = 0;
    xmlDocDumpFormatMemoryEnc(doc, &memory, &size, "UTF-8", 0);
    if (memory == nullptr) {
        return {};
    }
    std::string text(reinterpret_cast<const char*>(memory), static_cast<std::size_t>(size));
    xmlFree(memory);
    return text;
}

bool AddChild(xmlNode* item, const char* name, const std::string& text)
{
    return xmlNewTextChild(item, nullptr, X(name), X(text.c_str())) != nullptr;
}

// One "ITEM" with its six fields, in the host's order; the duty is read from
// the chip now. A duty that cannot be read (an output without a duty
// register, a port error) is left empty rather than shown as a number the
// chip never reported.
bool AddItem(xmlNode* fanSection, int index, hwmon::CFanController& fan, xmlNode*& item)
{
    item = xmlNewChild(fanSection, nullptr, X("ITEM"), nullptr);
    if (item == nullptr) {
        return false;
    }
    const int duty = fan.GetCurrentDuty();
    return xmlNewProp(item, X("NAME"), X(Format("ZEFAN_FAN_%d", index).c_str())) != nullptr &&
           AddChild(item, "CAPTION", XmlSafeText(fan.GetName())) &&
           AddChild(item, "STATUSINFO", fan.GetSmartFanEnable() ? kStatusSmartFanOn : kStatusSmartFanOff) &&
           AddChild(item, "PWM_DUTYCYCLE", duty < 0 ? std::string() : Format("%d%%", duty)) &&
           AddChild(item, "TARGET_TEMP", Format("%d", fan.GetTargetTemp())) &&
           AddChild(item, "TOLERANCE_TEMP", Format("%d", fan.GetToleranceTemp())) &&
           AddChild(item, "STOP_PWM", Format("%d%%", fan.GetStopCtrl()));
}

void Remove(xmlNode* node)
{
    xmlUnlinkNode(node);
    xmlFreeNode(node);
}

}  // namespace

std::string BuildFanStatusDocument(std::span<hwmon::CFanController* const> shownFans, std::size_t limit)
{
    DocPtr doc(xmlNewDoc(X("1.0")));
    if (!doc) {
        return {};
    }
    xmlNode* root = xmlNewNode(nullptr, X("VARN_PLUGIN"));
    if (root == nullptr) {
        return {};
    }
    xmlDocSetRootElement(doc.get(), root);
    xmlNode* fanSection = xmlNewChild(root, nullptr, X("FAN"), nullptr);
    if (fanSection == nullptr) {
        return {};
    }
    std::string text = Serialise(doc.get());
    if (text.empty() || text.size() + 1 > limit) {
        return {};
    }
    int index = 0;
    for (hwmon::CFanController* fan : shownFans) {
        if (!fan->GetSmartFanSupport()) {
            continue;
        }
        xmlNode* item = nullptr;
        const bool added = AddItem(fanSection, index, *fan, item);
        std::string longer = added ? Serialise(doc.get()) : std::string();
        if (longer.empty() || longer.size() + 1 > limit) {
            if (item != nullptr) {
                Remove(item);
            }
            break;
        }
        text = std::move(longer);
        ++index;
    }
    return text;
}

void WriteFanStatusDocument(std::span<hwmon::CFanController* const> shownFans, char* buffer)
{
    if (buffer == nullptr) {
        return;
    }
    const std::string text = BuildFanStatusDocument(shownFans, kStatusDocumentLimit);
    // The build already kept the text below the limit; the copy never
    // trusts that.
    const std::size_t length = std::min(text.size(), kStatusDocumentLimit - 1);
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
}

}  // namespace zefan
