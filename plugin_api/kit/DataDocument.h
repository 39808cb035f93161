// A plug-in data document as the host reads it: root "VARN_PLUGIN", sections
// of "ITEM" elements named by "NAME", each with its fields. The host finds a
// field by position among the section's items, so every item of a section
// should carry the same fields. Text is made representable (XmlSafeText)
// and escaped, whatever a system service or a user handed us.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace pluginkit {

class CDataDocument {
public:
    using Fields = std::vector<std::pair<std::string, std::string>>;

    // A text element directly under the root (the "ABOUT" line, say).
    void AddText(const std::string& element, const std::string& text);
    // An item of section; sections keep the order of their first item.
    void AddItem(const std::string& section, const std::string& name, const Fields& fields);
    std::string Text() const;

private:
    std::vector<std::pair<std::string, std::string>> texts_;
    std::vector<std::pair<std::string, std::string>> sections_;  // name, items' markup
};

// &, <, >, " and ' as references, after XmlSafeText.
std::string XmlEscaped(const std::string& text);

// The host writes a document's values into its pages as markup, and Qt takes
// a tooltip that looks like markup as rich text. Text that came from outside
// (a system service's names and messages) goes through this first: <, > and
// & become look-alikes that neither reads as markup.
std::string InertText(const std::string& text);

}  // namespace pluginkit
