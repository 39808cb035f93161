// Process-wide set-up of libxml2 and libxslt shared by every CXmlDocument:
// one-time initialisation, silenced error output, the document loader and
// the security preferences that lock stylesheets down.
#pragma once

#include <string>

#include <libxml/parser.h>
#include <libxslt/xsltInternals.h>

namespace xmllib {

// Parse options for every document: no network, no DTD loading, no entity
// substitution, no validation, no XInclude, and no library warnings.
inline constexpr int kParseOptions = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;

// Initialises both libraries once (any thread, first caller wins) and
// installs the hardened loader and security preferences.
void EnsureInitialised();

// While alive, libxml2's and libxslt's diagnostics on this thread are
// dropped instead of written to stderr. Nests.
class QuietErrors {
public:
    QuietErrors();
    ~QuietErrors();
    QuietErrors(const QuietErrors&) = delete;
    QuietErrors& operator=(const QuietErrors&) = delete;

private:
    xmlGenericErrorFunc genericBefore_;
    void* genericContextBefore_;
    xmlStructuredErrorFunc structuredBefore_;
    void* structuredContextBefore_;
};

// Records whether a stylesheet tried something its security preferences
// refuse, during its compilation (xsl:import, xsl:include) or a transform.
struct SecurityRecord {
    bool refused = false;
};

// Compiles a stylesheet document (taking ownership of doc, freeing it on
// failure). Imports may read only files inside the stylesheet's folder.
// Returns nullptr on any fault, a refused read included.
xsltStylesheetPtr CompileStylesheet(xmlDocPtr doc);

// A transform context for style and input with the security preferences,
// safe parse options for document() and quiet errors installed; record is
// set when a refusal happens. nullptr on failure.
xsltTransformContextPtr NewTransformContext(xsltStylesheetPtr style, xmlDocPtr input,
                                            SecurityRecord& record);

}  // namespace xmllib
