#include "XmlLibrary.h"

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <string_view>

#include <libxml/uri.h>
#include <libxml/xmlIO.h>
#include <libxml/xmlerror.h>
#include <libxslt/documents.h>
#include <libxslt/security.h>
#include <libxslt/transform.h>
#include <libxslt/xslt.h>
#include <libxslt/xsltutils.h>

namespace xmllib {
namespace {

void QuietGeneric(void*, const char*, ...) {}
void QuietStructured(void*, xmlErrorPtr) {}

xsltSecurityPrefsPtr gPrefs = nullptr;
xsltDocLoaderFunc gLibraryLoader = nullptr;

// The one external resource the current thread may open through libxml2's
// entity loader: the document a stylesheet loader is fetching right now (its
// first open). Everything else (external entities, external DTDs) is refused.
thread_local bool tPermitOneOpen = false;
// Compilation has no transform context, so its folder and record travel here.
thread_local const std::string* tCompileFolder = nullptr;
thread_local SecurityRecord* tCompileRecord = nullptr;

// The folder of a document address. Addresses are URIs (spaces and "%"
// escaped), so the path is taken unescaped from the parsed URI.
std::string FolderOf(const xmlChar* url) {
    if (url == nullptr) return {};
    xmlURIPtr uri = xmlParseURI(reinterpret_cast<const char*>(url));
    if (uri == nullptr) return {};
    std::string path;
    const bool local = uri->scheme == nullptr || std::string_view(uri->scheme) == "file";
    if (local && uri->path != nullptr) path = uri->path;
    xmlFreeURI(uri);
    if (path.empty() || path.front() != '/') return {};
    return std::filesystem::path(path).parent_path().string();
}

std::string RealPath(const char* path) {
    char resolved[PATH_MAX];
    if (path == nullptr || realpath(path, resolved) == nullptr) return {};
    return resolved;
}

// True when path names an existing file below folder, after resolving
// symbolic links and "..", so neither can lead out of the folder. A
// stylesheet in "/" may read nothing.
bool IsInside(const char* path, const std::string& folder) {
    if (folder.empty()) return false;
    const std::string file = RealPath(path);
    const std::string root = RealPath(folder.c_str());
    if (file.empty() || root.empty()) return false;
    return file.size() > root.size() && file.compare(0, root.size(), root) == 0 &&
           file[root.size()] == '/';
}

SecurityRecord* RecordOf(xsltTransformContextPtr ctxt) {
    return ctxt != nullptr ? static_cast<SecurityRecord*>(ctxt->_private) : tCompileRecord;
}

int Refuse(xsltSecurityPrefsPtr, xsltTransformContextPtr ctxt, const char*) {
    if (SecurityRecord* record = RecordOf(ctxt)) record->refused = true;
    return 0;
}

// Called from inside libxslt: nothing may be thrown through it, so a fault
// refuses the read.
int CheckReadFile(xsltSecurityPrefsPtr prefs, xsltTransformContextPtr ctxt, const char* path) {
    try {
        std::string folder;
        if (ctxt != nullptr) {
            if (ctxt->style != nullptr && ctxt->style->doc != nullptr)
                folder = FolderOf(ctxt->style->doc->URL);
        } else if (tCompileFolder != nullptr) {
            folder = *tCompileFolder;
        }
        if (IsInside(path, folder)) return 1;
    } catch (...) {
    }
    return Refuse(prefs, ctxt, path);
}

xmlParserInputPtr GuardedEntityLoader(const char* url, const char* id, xmlParserCtxtPtr ctxt) {
    if (url == nullptr || !tPermitOneOpen) return nullptr;
    tPermitOneOpen = false;
    return xmlNoNetExternalEntityLoader(url, id, ctxt);
}

constexpr int kForbiddenLoadOptions = XML_PARSE_NOENT | XML_PARSE_DTDLOAD | XML_PARSE_DTDATTR |
                                      XML_PARSE_DTDVALID | XML_PARSE_XINCLUDE | XML_PARSE_HUGE;

// libxslt loads imports and document() targets through this; the security
// check has already passed when it is called.
xmlDocPtr SafeLoader(const xmlChar* uri, xmlDictPtr dict, int options, void* ctxt,
                     xsltLoadType type) {
    options = (options & ~kForbiddenLoadOptions) | kParseOptions;
    const bool previous = tPermitOneOpen;
    tPermitOneOpen = true;
    xmlDocPtr doc = gLibraryLoader(uri, dict, options, ctxt, type);
    tPermitOneOpen = previous;
    return doc;
}

void InitialiseOnce() {
    xmlInitParser();
    xsltInit();
    xsltSetGenericErrorFunc(nullptr, QuietGeneric);
    xmlSetExternalEntityLoader(GuardedEntityLoader);
    gLibraryLoader = xsltDocDefaultLoader;
    xsltSetLoaderFunc(SafeLoader);

    gPrefs = xsltNewSecurityPrefs();
    if (gPrefs != nullptr) {
        xsltSetSecurityPrefs(gPrefs, XSLT_SECPREF_READ_FILE, CheckReadFile);
        xsltSetSecurityPrefs(gPrefs, XSLT_SECPREF_WRITE_FILE, Refuse);
        xsltSetSecurityPrefs(gPrefs, XSLT_SECPREF_CREATE_DIRECTORY, Refuse);
        xsltSetSecurityPrefs(gPrefs, XSLT_SECPREF_READ_NETWORK, Refuse);
        xsltSetSecurityPrefs(gPrefs, XSLT_SECPREF_WRITE_NETWORK, Refuse);
        // Compilation (xsl:import, xsl:include) consults the defaults.
        xsltSetDefaultSecurityPrefs(gPrefs);
    }
}

}  // namespace

void EnsureInitialised() {
    static std::once_flag once;
    std::call_once(once, InitialiseOnce);
}

QuietErrors::QuietErrors()
    : genericBefore_(xmlGenericError),
      genericContextBefore_(xmlGenericErrorContext),
      structuredBefore_(xmlStructuredError),
      structuredContextBefore_(xmlStructuredErrorContext) {
    xmlSetGenericErrorFunc(nullptr, QuietGeneric);
    xmlSetStructuredErrorFunc(nullptr, QuietStructured);
}

QuietErrors::~QuietErrors() {
    xmlSetGenericErrorFunc(genericContextBefore_, genericBefore_);
    xmlSetStructuredErrorFunc(structuredContextBefore_, structuredBefore_);
}

xsltStylesheetPtr CompileStylesheet(xmlDocPtr doc) {
    if (doc == nullptr || gPrefs == nullptr) {
        xmlFreeDoc(doc);
        return nullptr;
    }
    SecurityRecord record;
    const std::string folder = FolderOf(doc->URL);
    tCompileFolder = &folder;
    tCompileRecord = &record;
    xsltStylesheetPtr style = xsltParseStylesheetDoc(doc);
    tCompileFolder = nullptr;
    tCompileRecord = nullptr;
    if (style == nullptr) {
        xmlFreeDoc(doc);  // a failed compilation leaves the document to us
        return nullptr;
    }
    if (record.refused || style->errors != 0) {
        xsltFreeStylesheet(style);
        return nullptr;
    }
    return style;
}

xsltTransformContextPtr NewTransformContext(xsltStylesheetPtr style, xmlDocPtr input,
                                            SecurityRecord& record) {
    if (gPrefs == nullptr) return nullptr;
    xsltTransformContextPtr ctxt = xsltNewTransformContext(style, input);
    if (ctxt == nullptr) return nullptr;
    if (xsltSetCtxtSecurityPrefs(gPrefs, ctxt) != 0) {
        xsltFreeTransformContext(ctxt);
        return nullptr;
    }
    xsltSetCtxtParseOptions(ctxt, kParseOptions);
    xsltSetTransformErrorFunc(ctxt, nullptr, QuietGeneric);
    ctxt->_private = &record;
    return ctxt;
}

}  // namespace xmllib
