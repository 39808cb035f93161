// A skin's stylesheet applied to a plug-in document. The stylesheet lies in
// a skin folder beside a folder it must not read; a symbolic link inside its
// own folder leads there too. Whatever it does, the secret beside its folder
// never reaches the output, and the output keeps to its limit.
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "FuzzSupport.h"
#include "XmlDocument.h"

using fuzz::Expect;

namespace {

// Fixed paths, so seeds can name them: /tmp/velmar-fuzz-xsl/{skin,outside}.
const std::filesystem::path kRoot = "/tmp/velmar-fuzz-xsl";
constexpr std::string_view kSecret = "CANARY-OUTSIDE-THE-SKIN";

void Write(const std::filesystem::path& path, std::string_view text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

void WriteSecret() { Write(kRoot / "outside" / "secret.xml", "<secret>" + std::string(kSecret) + "</secret>"); }

// The world the stylesheet runs in, made once per process.
const std::string& StylesheetPath() {
    static const std::string path = [] {
        std::filesystem::create_directories(kRoot / "skin");
        std::filesystem::create_directories(kRoot / "outside");
        WriteSecret();
        Write(kRoot / "skin" / "inside.xml", "<inside>allowed</inside>");
        std::error_code ignored;
        std::filesystem::create_symlink("../outside/secret.xml", kRoot / "skin" / "link.xml", ignored);
        return (kRoot / "skin" / ("view-" + std::to_string(getpid()) + ".xsl")).string();
    }();
    return path;
}

const char* const kDocument =
    "<VARN_PLUGIN><FAN>"
    "<ITEM NAME=\"ZEFAN_FAN_0\"><CAPTION>CPU fan</CAPTION><STATUSINFO>3</STATUSINFO>"
    "<PWM_DUTYCYCLE>45%</PWM_DUTYCYCLE><TARGET_TEMP>45</TARGET_TEMP></ITEM>"
    "<ITEM NAME=\"ZEFAN_FAN_1\"><CAPTION>System fan</CAPTION><STATUSINFO>4</STATUSINFO>"
    "<PWM_DUTYCYCLE></PWM_DUTYCYCLE><TARGET_TEMP>40</TARGET_TEMP></ITEM>"
    "</FAN></VARN_PLUGIN>";

// Text of the transform, "" when it fails.
std::string Transformed(const CXmlDocument& document, const CXmlDocument& stylesheet, bool asDocument) {
    std::string text;
    if (asDocument) {
        CXmlDocument result;
        if (document.TransformToDocument(stylesheet, result)) result.GetXml(text);
        return text;
    }
    bool cut = false;
    if (!document.TransformToText(stylesheet, text, kTransformMaxChars, &cut)) return {};
    Expect(text.size() <= kTransformMaxChars * 4, "the output keeps to its limit");
    return text;
}

// The stylesheet may spell the secret itself (the fuzzer learns the words
// from the search for them): the secret was read from outside only if it
// goes away when the file outside says something else.
bool ReadsOutside(const CXmlDocument& document, const CXmlDocument& stylesheet, bool asDocument) {
    if (Transformed(document, stylesheet, asDocument).find(kSecret) == std::string::npos) return false;
    Write(kRoot / "outside" / "secret.xml", "<secret>elsewhere</secret>");
    const bool stillThere = Transformed(document, stylesheet, asDocument).find(kSecret) != std::string::npos;
    WriteSecret();
    return !stillThere;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& path = StylesheetPath();
    Write(path, fuzz::Text(data, size));
    CXmlDocument stylesheet;
    if (!stylesheet.LoadFile(path)) return 0;
    CXmlDocument document;
    Expect(document.LoadText(kDocument), "the plug-in document parses");
    for (bool asDocument : {false, true})
        Expect(!ReadsOutside(document, stylesheet, asDocument), "nothing outside the skin folder is read");
    return 0;
}
