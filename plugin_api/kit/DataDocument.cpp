#include "plugin_api/kit/DataDocument.h"

#include "plugin_api/kit/XmlSafeText.h"

namespace pluginkit {

std::string XmlEscaped(const std::string& text)
{
    std::string escaped;
    for (const char c : XmlSafeText(text)) {
        switch (c) {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        case '"': escaped += "&quot;"; break;
        case '\'': escaped += "&apos;"; break;
        default: escaped += c;
        }
    }
    return escaped;
}

std::string InertText(const std::string& text)
{
    std::string inert;
    for (const char c : text) {
        switch (c) {
        case '<': inert += "\u2039"; break;
        case '>': inert += "\u203A"; break;
        case '&': inert += "\uFF06"; break;
        default: inert += c;
        }
    }
    return inert;
}

void CDataDocument::AddText(const std::string& element, const std::string& text)
{
    texts_.emplace_back(element, text);
}

void CDataDocument::AddItem(const std::string& section, const std::string& name, const Fields& fields)
{
    std::string item = "<ITEM NAME=\"" + XmlEscaped(name) + "\">";
    for (const auto& [field, value] : fields) {
        item += "<" + field + ">" + XmlEscaped(value) + "</" + field + ">";
    }
    item += "</ITEM>";
    for (auto& [existing, items] : sections_) {
        if (existing == section) {
            items += item;
            return;
        }
    }
    sections_.emplace_back(section, item);
}

std::string CDataDocument::Text() const
{
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<VARN_PLUGIN>";
    for (const auto& [element, value] : texts_) {
        text += "<" + element + ">" + XmlEscaped(value) + "</" + element + ">";
    }
    for (const auto& [section, items] : sections_) {
        text += "<" + section + ">" + items + "</" + section + ">";
    }
    return text + "</VARN_PLUGIN>";
}

}  // namespace pluginkit
