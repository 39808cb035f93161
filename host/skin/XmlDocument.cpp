#include "XmlDocument.h"

#include <climits>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unordered_map>

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/uri.h>
#include <libxml/xmlsave.h>
#include <libxslt/transform.h>
#include <libxslt/xsltInternals.h>
#include <libxslt/xsltutils.h>

#include "ElementPath.h"
#include "NoThrow.h"
#include "XmlLibrary.h"

namespace {

using NodeList = std::vector<xmlNodePtr>;

const char* Chars(const xmlChar* s) { return reinterpret_cast<const char*>(s); }

// Compares a qualified name ("prefix:local" or "local") with a node's name
// without building a string.
bool HasQualifiedName(const xmlChar* prefix, const xmlChar* local, std::string_view name) {
    const std::string_view localName = Chars(local);
    if (prefix == nullptr) return name == localName;
    const std::string_view prefixName = Chars(prefix);
    return name.size() == prefixName.size() + 1 + localName.size() &&
           name.substr(0, prefixName.size()) == prefixName && name[prefixName.size()] == ':' &&
           name.substr(prefixName.size() + 1) == localName;
}

bool IsElementNamed(xmlNodePtr node, std::string_view name) {
    return node->type == XML_ELEMENT_NODE &&
           HasQualifiedName(node->ns != nullptr ? node->ns->prefix : nullptr, node->name, name);
}

std::string QualifiedName(xmlNodePtr node) {
    std::string name;
    if (node->ns != nullptr && node->ns->prefix != nullptr) {
        name = Chars(node->ns->prefix);
        name += ':';
    }
    if (node->name != nullptr) name += Chars(node->name);
    return name;
}

// The DOM's node names for the nodes that are not elements.
std::string NodeName(xmlNodePtr node) {
    switch (node->type) {
        case XML_ELEMENT_NODE:
            return QualifiedName(node);
        case XML_TEXT_NODE:
            return "#text";
        case XML_CDATA_SECTION_NODE:
            return "#cdata-section";
        case XML_COMMENT_NODE:
            return "#comment";
        default:
            return node->name != nullptr ? Chars(node->name) : std::string{};
    }
}

std::string TakeXmlString(xmlChar* s) {
    std::string text = s != nullptr ? Chars(s) : "";
    xmlFree(s);
    return text;
}

bool IsBlank(const xmlChar* s) {
    if (s == nullptr) return true;
    for (; *s != 0; ++s) {
        if (*s != ' ' && *s != '\t' && *s != '\n' && *s != '\r') return false;
    }
    return true;
}

bool KeepsBlankText(xmlNodePtr parent) {
    if (parent->ns != nullptr && xmlStrEqual(parent->ns->href, XSLT_NAMESPACE) &&
        xmlStrEqual(parent->name, BAD_CAST "text"))
        return true;
    return xmlNodeGetSpacePreserve(parent) == 1;
}

// Indentation must never count as a child node: a GROUP's children are its
// buttons, and a data item's field is found by its child position.
void DropBlankText(xmlNodePtr element) {
    for (xmlNodePtr child = element->children; child != nullptr;) {
        xmlNodePtr next = child->next;
        if (child->type == XML_TEXT_NODE && IsBlank(child->content) && !KeepsBlankText(element)) {
            xmlUnlinkNode(child);
            xmlFreeNode(child);
        } else if (child->type == XML_ELEMENT_NODE) {
            DropBlankText(child);
        }
        child = next;
    }
}

int CountChildren(xmlNodePtr node) {
    int count = 0;
    for (xmlNodePtr child = node->children; child != nullptr && count < INT_MAX;
         child = child->next)
        ++count;
    return count;
}

xmlAttrPtr FindAttribute(xmlNodePtr element, std::string_view name) {
    for (xmlAttrPtr attr = element->properties; attr != nullptr; attr = attr->next) {
        if (HasQualifiedName(attr->ns != nullptr ? attr->ns->prefix : nullptr, attr->name, name))
            return attr;
    }
    return nullptr;
}

void Deliver(std::string text, std::string& out, std::size_t maxChars, bool* cut) {
    const bool wasCut = CutToCharacters(text, maxChars);
    if (cut != nullptr) *cut = wasCut;
    out = std::move(text);
}

// A transform that went wrong in any way yields nothing.
xmlDocPtr Apply(xsltStylesheetPtr style, xmlDocPtr input) {
    xmllib::SecurityRecord record;
    xsltTransformContextPtr ctxt = xmllib::NewTransformContext(style, input, record);
    if (ctxt == nullptr) return nullptr;
    xmlDocPtr output = xsltApplyStylesheetUser(style, input, nullptr, nullptr, nullptr, ctxt);
    const bool failed =
        record.refused || ctxt->state == XSLT_STATE_ERROR || ctxt->state == XSLT_STATE_STOPPED;
    xsltFreeTransformContext(ctxt);
    if (failed) {
        xmlFreeDoc(output);
        return nullptr;
    }
    return output;
}

}  // namespace

struct CXmlDocument::Impl {
    xmlDocPtr doc = nullptr;
    // Derived from doc and dropped with it: the compiled stylesheet (when the
    // document is used as one) and the matches of the paths asked so far, so
    // a reader walking "count, then read 0..n-1" walks the tree once.
    mutable xsltStylesheetPtr compiled = nullptr;
    mutable bool compileTried = false;
    mutable std::unordered_map<std::string, NodeList> matches;
    // The child nodes of the elements asked so far, so a reader walking a
    // group's children by number walks them once, however many there are.
    mutable std::unordered_map<xmlNodePtr, NodeList> children;

    ~Impl() { Reset(); }

    void Reset() {
        matches.clear();
        children.clear();
        if (compiled != nullptr) xsltFreeStylesheet(compiled);
        compiled = nullptr;
        compileTried = false;
        if (doc != nullptr) xmlFreeDoc(doc);
        doc = nullptr;
    }

    bool AdoptParsed(xmlDocPtr parsed) {
        Reset();
        if (parsed == nullptr) return false;
        xmlNodePtr root = xmlDocGetRootElement(parsed);
        if (root == nullptr) {
            xmlFreeDoc(parsed);
            return false;
        }
        DropBlankText(root);
        doc = parsed;
        return true;
    }

    const NodeList& Match(std::string_view path) const {
        static const NodeList kNone;
        if (doc == nullptr) return kNone;
        std::string key(path);
        if (auto found = matches.find(key); found != matches.end()) return found->second;

        NodeList current;
        std::vector<std::string_view> steps;
        xmlNodePtr root = xmlDocGetRootElement(doc);
        if (SplitElementPath(path, steps) && root != nullptr && IsElementNamed(root, steps[0])) {
            current.push_back(root);
            // Children of elements in document order, parent by parent, stay
            // in document order: the parents' subtrees do not overlap.
            for (std::size_t s = 1; s < steps.size() && !current.empty(); ++s) {
                NodeList next;
                for (xmlNodePtr parent : current) {
                    for (xmlNodePtr child = parent->children; child != nullptr;
                         child = child->next) {
                        if (IsElementNamed(child, steps[s])) next.push_back(child);
                    }
                }
                current.swap(next);
            }
        }
        return matches.emplace(std::move(key), std::move(current)).first->second;
    }

    xmlNodePtr Element(std::string_view path, int index) const {
        const NodeList& list = Match(path);
        if (index < 0 || static_cast<std::size_t>(index) >= list.size()) return nullptr;
        return list[static_cast<std::size_t>(index)];
    }

    xmlNodePtr ChildAt(xmlNodePtr node, int index) const {
        if (node == nullptr || index < 0) return nullptr;
        auto found = children.find(node);
        if (found == children.end()) {
            NodeList list;
            for (xmlNodePtr child = node->children; child != nullptr; child = child->next)
                list.push_back(child);
            found = children.emplace(node, std::move(list)).first;
        }
        const NodeList& list = found->second;
        return static_cast<std::size_t>(index) < list.size() ? list[static_cast<std::size_t>(index)]
                                                              : nullptr;
    }

    xsltStylesheetPtr Compiled() const {
        if (!compileTried && doc != nullptr) {
            compileTried = true;
            compiled = xmllib::CompileStylesheet(xmlCopyDoc(doc, 1));
            // The program's strings are UTF-8 whatever output encoding the
            // stylesheet names; the page receives text, not bytes.
            if (compiled != nullptr && compiled->encoding != nullptr &&
                !xmlStrEqual(compiled->encoding, BAD_CAST "UTF-8")) {
                xmlFree(compiled->encoding);
                compiled->encoding = xmlStrdup(BAD_CAST "UTF-8");
            }
        }
        return compiled;
    }
};

CXmlDocument::CXmlDocument() : impl_(std::make_unique<Impl>()) { xmllib::EnsureInitialised(); }

CXmlDocument::~CXmlDocument() = default;

bool CXmlDocument::LoadFile(const std::string& path) {
    return NoThrow(false, [&]() -> bool {
        xmllib::QuietErrors quiet;
        impl_->Reset();
        std::error_code error;
        if (!std::filesystem::is_regular_file(path, error)) return false;
        std::ifstream in(path, std::ios::binary);
        if (!in) return false;
        const std::string bytes((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
        if (in.bad() || bytes.size() > static_cast<std::size_t>(INT_MAX)) return false;

        // The document's address is the base of a stylesheet's relative
        // references; as a URI it survives spaces and other special characters.
        const std::string absolute =
            std::filesystem::absolute(path, error).lexically_normal().string();
        xmlChar* url = xmlPathToURI(BAD_CAST absolute.c_str());
        xmlDocPtr parsed = xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), Chars(url),
                                         nullptr, xmllib::kParseOptions);
        xmlFree(url);
        return impl_->AdoptParsed(parsed);
    });
}

bool CXmlDocument::LoadText(std::string_view text) {
    return NoThrow(false, [&]() -> bool {
        xmllib::QuietErrors quiet;
        impl_->Reset();
        if (text.empty() || text.size() > static_cast<std::size_t>(INT_MAX)) return false;
        // Text inside the program is UTF-8 already; a declaration naming another
        // encoding describes where it came from, not its bytes.
        xmlDocPtr parsed = xmlReadMemory(text.data(), static_cast<int>(text.size()), nullptr,
                                         "UTF-8", xmllib::kParseOptions | XML_PARSE_IGNORE_ENC);
        return impl_->AdoptParsed(parsed);
    });
}

bool CXmlDocument::IsLoaded() const { return impl_->doc != nullptr; }

int CXmlDocument::CountElements(std::string_view path) const {
    return NoThrow(0, [&]() -> int {
        const std::size_t count = impl_->Match(path).size();
        return count > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(count);
    });
}

int CXmlDocument::CountGroupChildren(std::string_view path, int group) const {
    return NoThrow(0, [&]() -> int {
        xmlNodePtr element = impl_->Element(ParentElementPath(path), group);
        return element != nullptr ? CountChildren(element) : 0;
    });
}

int CXmlDocument::CountFirstChildren(std::string_view path) const {
    return NoThrow(0, [&]() -> int {
        xmlNodePtr element = impl_->Element(path, 0);
        return element != nullptr ? CountChildren(element) : 0;
    });
}

namespace {

bool ReadNodeAttribute(xmlNodePtr node, std::string_view name, std::string& value,
                       std::size_t maxChars, bool* cut) {
    if (cut != nullptr) *cut = false;
    if (node == nullptr || node->type != XML_ELEMENT_NODE) return false;
    xmlAttrPtr attr = FindAttribute(node, name);
    if (attr != nullptr)
        Deliver(TakeXmlString(xmlNodeGetContent(reinterpret_cast<xmlNodePtr>(attr))), value,
                maxChars, cut);
    return true;
}

}  // namespace

bool CXmlDocument::ReadAttribute(std::string_view path, int group, int index, std::string_view name,
                                 std::string& value, std::size_t maxChars, bool* cut) const {
    return NoThrow(false, [&]() -> bool {
        if (group != 0)
            return ReadGroupChildAttribute(path, group, index, name, value, maxChars, cut);
        return ReadNodeAttribute(impl_->Element(path, index), name, value, maxChars, cut);
    });
}

bool CXmlDocument::ReadGroupChildAttribute(std::string_view path, int group, int index,
                                           std::string_view name, std::string& value,
                                           std::size_t maxChars, bool* cut) const {
    return NoThrow(false, [&]() -> bool {
        xmlNodePtr parent = impl_->Element(ParentElementPath(path), group);
        return ReadNodeAttribute(impl_->ChildAt(parent, index), name, value,
                                 maxChars, cut);
    });
}

bool CXmlDocument::GetElementText(std::string_view path, int index, std::string& value,
                                  std::size_t maxChars, bool* cut) const {
    return NoThrow(false, [&]() -> bool {
        if (cut != nullptr) *cut = false;
        xmlNodePtr element = impl_->Element(path, index);
        if (element == nullptr) return false;
        Deliver(TakeXmlString(xmlNodeGetContent(element)), value, maxChars, cut);
        return true;
    });
}

bool CXmlDocument::GetChildName(std::string_view path, int index, std::string& name) const {
    return NoThrow(false, [&]() -> bool {
        xmlNodePtr element = impl_->Element(path, 0);
        xmlNodePtr child = impl_->ChildAt(element, index);
        if (child == nullptr) return false;
        name = NodeName(child);
        return true;
    });
}

int CXmlDocument::FindElementByAttribute(std::string_view path, std::string_view name,
                                         std::string_view value) const {
    return NoThrow(-1, [&]() -> int {
        const NodeList& list = impl_->Match(path);
        for (std::size_t i = 0; i < list.size() && i < static_cast<std::size_t>(INT_MAX); ++i) {
            xmlAttrPtr attr = FindAttribute(list[i], name);
            if (attr != nullptr &&
                TakeXmlString(xmlNodeGetContent(reinterpret_cast<xmlNodePtr>(attr))) == value)
                return static_cast<int>(i);
        }
        return -1;
    });
}

bool CXmlDocument::GetXml(std::string& text, std::size_t maxChars, bool* cut) const {
    return NoThrow(false, [&]() -> bool {
        if (cut != nullptr) *cut = false;
        if (impl_->doc == nullptr) return false;
        xmllib::QuietErrors quiet;
        xmlBufferPtr buffer = xmlBufferCreate();
        if (buffer == nullptr) return false;
        xmlSaveCtxtPtr save = xmlSaveToBuffer(buffer, "UTF-8", XML_SAVE_NO_DECL);
        bool ok = save != nullptr && xmlSaveDoc(save, impl_->doc) >= 0;
        if (save != nullptr) ok = xmlSaveClose(save) >= 0 && ok;
        if (ok) {
            const int length = xmlBufferLength(buffer);
            Deliver(std::string(Chars(xmlBufferContent(buffer)), length > 0 ? length : 0), text,
                    maxChars, cut);
        }
        xmlBufferFree(buffer);
        return ok;
    });
}

bool CXmlDocument::TransformToDocument(const CXmlDocument& stylesheet, CXmlDocument& result) const {
    return NoThrow(false, [&]() -> bool {
        xmllib::QuietErrors quiet;
        xmlDocPtr output = nullptr;
        if (impl_->doc != nullptr) {
            if (xsltStylesheetPtr style = stylesheet.impl_->Compiled())
                output = Apply(style, impl_->doc);
        }
        // Only now: result may be this document or the stylesheet itself.
        result.impl_->Reset();
        result.impl_->doc = output;
        return output != nullptr;
    });
}

bool CXmlDocument::TransformToText(const CXmlDocument& stylesheet, std::string& text,
                                   std::size_t maxChars, bool* cut) const {
    return NoThrow(false, [&]() -> bool {
        text.clear();
        if (cut != nullptr) *cut = false;
        if (impl_->doc == nullptr) return false;
        xmllib::QuietErrors quiet;
        xsltStylesheetPtr style = stylesheet.impl_->Compiled();
        if (style == nullptr) return false;
        xmlDocPtr output = Apply(style, impl_->doc);
        if (output == nullptr) return false;
        xmlChar* bytes = nullptr;
        int length = 0;
        const bool ok = xsltSaveResultToString(&bytes, &length, output, style) == 0;
        if (ok && bytes != nullptr && length > 0)
            Deliver(std::string(Chars(bytes), static_cast<std::size_t>(length)), text, maxChars,
                    cut);
        xmlFree(bytes);
        xmlFreeDoc(output);
        return ok;
    });
}
