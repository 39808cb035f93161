// The monitor's document as the host reads it: per section, its items in
// order, each with its NAME and its fields in order.
#pragma once

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace monitor::test {

struct DocumentItem {
    std::string section;
    std::string name;
    std::vector<std::pair<std::string, std::string>> fields;

    std::map<std::string, std::string> Fields() const { return {fields.begin(), fields.end()}; }
    std::vector<std::string> FieldNames() const
    {
        std::vector<std::string> names;
        for (const auto& field : fields) {
            names.push_back(field.first);
        }
        return names;
    }
};

inline std::string Text(const xmlChar* text) { return reinterpret_cast<const char*>(text); }

// Every item in document order; a section without items is left out.
inline std::vector<DocumentItem> ItemsOf(const std::string& text)
{
    std::vector<DocumentItem> items;
    xmlDocPtr doc = xmlReadMemory(text.data(), static_cast<int>(text.size()), nullptr, nullptr, XML_PARSE_NONET);
    EXPECT_NE(doc, nullptr) << text.substr(0, 300);
    if (doc == nullptr) {
        return items;
    }
    for (xmlNodePtr section = xmlDocGetRootElement(doc)->children; section != nullptr; section = section->next) {
        for (xmlNodePtr item = section->children; item != nullptr; item = item->next) {
            xmlChar* name = xmlGetProp(item, BAD_CAST "NAME");
            items.push_back({Text(section->name), Text(name), {}});
            xmlFree(name);
            for (xmlNodePtr field = item->children; field != nullptr; field = field->next) {
                xmlChar* content = xmlNodeGetContent(field);
                items.back().fields.emplace_back(Text(field->name), Text(content));
                xmlFree(content);
            }
        }
    }
    xmlFreeDoc(doc);
    return items;
}

// One item's fields by section and NAME; none when it is not there.
inline std::map<std::string, std::string> FieldsOf(const std::string& text, const std::string& section,
                                                   const std::string& name)
{
    for (const DocumentItem& item : ItemsOf(text)) {
        if (item.section == section && item.name == name) {
            return item.Fields();
        }
    }
    return {};
}

}  // namespace monitor::test
