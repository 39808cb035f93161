// Page elements bind to document values by id: section "+" item name "+"
// field ("+" stands for "/", which an id cannot hold).
#pragma once

#include <optional>
#include <string>

struct ElementBinding {
    std::string section;  // before the first separator
    std::string item;     // between the first and the last separator ("" with one "+")
    std::string field;    // after the last separator
    bool operator==(const ElementBinding&) const = default;
};

// nullopt for an id without "+": the element is not bound.
std::optional<ElementBinding> ParseElementBinding(const std::string& id);

// Paths into the document for one binding.
std::string ItemPath(const std::string& section);  // "VARN_PLUGIN/<section>/ITEM"
std::string FieldPath(const std::string& itemPath, const std::string& field);
