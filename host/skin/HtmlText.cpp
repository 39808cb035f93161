#include "HtmlText.h"

std::string HtmlAttribute(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '"': out += "&quot;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            default: out += c;
        }
    }
    return out;
}

std::string FileUrlPath(std::string_view path) {
    std::string out;
    out.reserve(path.size());
    for (const char c : path) {
        switch (c) {
            case '%': out += "%25"; break;
            case '#': out += "%23"; break;
            case '?': out += "%3F"; break;
            default: out += c;
        }
    }
    return out;
}
