#include "ElementBinding.h"

std::optional<ElementBinding> ParseElementBinding(const std::string& id) {
    const std::size_t first = id.find('+');
    if (first == std::string::npos) return std::nullopt;
    const std::size_t last = id.rfind('+');
    ElementBinding binding;
    binding.section = id.substr(0, first);
    binding.item = first == last ? std::string() : id.substr(first + 1, last - first - 1);
    binding.field = id.substr(last + 1);
    for (char& c : binding.item)
        if (c == '+') c = '/';
    return binding;
}

std::string ItemPath(const std::string& section) { return "VARN_PLUGIN/" + section + "/ITEM"; }

std::string FieldPath(const std::string& itemPath, const std::string& field) {
    return itemPath + "/" + field;
}
