#include "ElementPath.h"

namespace {

bool IsNameByte(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0x80) return true;
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '-' || c == '.' || c == ':';
}

}  // namespace

bool SplitElementPath(std::string_view path, std::vector<std::string_view>& steps) {
    steps.clear();
    std::size_t start = 0;
    while (true) {
        const std::size_t slash = path.find('/', start);
        const std::string_view step = path.substr(
            start, slash == std::string_view::npos ? std::string_view::npos : slash - start);
        if (step.empty()) break;
        for (char c : step) {
            if (!IsNameByte(c)) {
                steps.clear();
                return false;
            }
        }
        steps.push_back(step);
        if (slash == std::string_view::npos) return true;
        start = slash + 1;
    }
    steps.clear();
    return false;
}

std::string_view ParentElementPath(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? std::string_view{} : path.substr(0, slash);
}
