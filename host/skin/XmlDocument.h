// CXmlDocument: the host's only XML access. It owns one parsed document and
// answers reads by element path with plain UTF-8 strings and integers. Skin
// definitions, stylesheets and plug-in data documents all come from outside
// the program, so loading is locked down: no validation, no DTD loading, no
// external entities, no network, and stylesheets may neither write anything
// nor read files outside their own folder.
//
// Element paths are element names separated by "/", from the root element
// ("VARNSKINDEFINE/SKIN/IMAGE"); names compare exactly, case-sensitively, as
// qualified names (prefix included). A path matches every element reachable
// that way; element number i counts matches in document order from 0. A path
// with an empty step or a character that cannot be part of an XML name
// matches nothing.
//
// Whitespace-only text nodes are dropped when a document is loaded, so
// indentation never counts as a child node; xml:space="preserve" and the
// content of xsl:text keep theirs.
//
// No operation throws or prints: faults become false, 0 or -1. Documents are
// used on the thread that created them (the UI thread); none is shared.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "TextLimit.h"

class CXmlDocument {
public:
    CXmlDocument();
    virtual ~CXmlDocument();
    CXmlDocument(const CXmlDocument&) = delete;
    CXmlDocument& operator=(const CXmlDocument&) = delete;

    // Each load replaces the content; a failed load leaves the document empty
    // and returns false. A file's folder is the base for the relative
    // references of a stylesheet (xsl:import, document()).
    bool LoadFile(const std::string& path);
    bool LoadText(std::string_view text);
    // True while the document holds parsed content.
    bool IsLoaded() const;

    // Number of elements matching path; 0 when none or when empty.
    int CountElements(std::string_view path) const;
    // Cuts the last step off path and counts the child nodes (elements,
    // comments, processing instructions, text) of element number group of
    // the rest. 0 when that element does not exist.
    int CountGroupChildren(std::string_view path, int group) const;
    // Child nodes of element 0 of path; 0 when it does not exist.
    int CountFirstChildren(std::string_view path) const;

    // group == 0: the element is element number index of path.
    // group != 0: it is child node number index of element number group of
    // path without its last step (ReadGroupChildAttribute).
    // false: the element does not exist or is not an element (a comment in a
    // group); value is unchanged. true without the attribute: value is
    // unchanged too, so callers clear it before reading. true with the
    // attribute: value holds it, cut to maxChars characters; *cut (when
    // given) tells whether anything was cut and is always written.
    bool ReadAttribute(std::string_view path, int group, int index, std::string_view name,
                       std::string& value, std::size_t maxChars = kAttributeMaxChars,
                       bool* cut = nullptr) const;
    // Child node number index of element number group of path without its
    // last step, for every group including 0 (ReadAttribute cannot address
    // the children of group 0 because group 0 means "the whole document").
    // Results as ReadAttribute.
    bool ReadGroupChildAttribute(std::string_view path, int group, int index, std::string_view name,
                                 std::string& value, std::size_t maxChars = kAttributeMaxChars,
                                 bool* cut = nullptr) const;

    // Text content of element number index of path (all descendant text).
    // false when index is not below the number of matches; value unchanged.
    bool GetElementText(std::string_view path, int index, std::string& value,
                        std::size_t maxChars = kNoTextLimit, bool* cut = nullptr) const;
    // Node name of child node number index of element 0 of path ("#comment",
    // "#text" for non-elements); false when either does not exist.
    bool GetChildName(std::string_view path, int index, std::string& name) const;
    // Number of the first element of path whose attribute name equals value
    // exactly; -1 when there is none.
    int FindElementByAttribute(std::string_view path, std::string_view name,
                               std::string_view value) const;

    // The whole document as XML text, without the XML declaration (its
    // callers put the text into a page). false when nothing is loaded; text
    // is then unchanged.
    bool GetXml(std::string& text, std::size_t maxChars = kNoTextLimit, bool* cut = nullptr) const;

    // Applies stylesheet (a loaded XSLT 1.0 stylesheet document) to this
    // document and replaces result's content with the output tree. false on
    // any fault (nothing loaded, not a stylesheet, transform error, a
    // forbidden read or write); result is then empty.
    bool TransformToDocument(const CXmlDocument& stylesheet, CXmlDocument& result) const;
    // Same, with the output serialised as the stylesheet's xsl:output says
    // (method, encoding, declaration). text is cleared first; at most
    // maxChars characters are kept and *cut tells whether output was cut.
    bool TransformToText(const CXmlDocument& stylesheet, std::string& text,
                         std::size_t maxChars = kNoTextLimit, bool* cut = nullptr) const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
