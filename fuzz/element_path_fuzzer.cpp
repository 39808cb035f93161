// Element paths and the reads that take them, over a document from outside.
// Input: the path on the first line, the document after it. A path either
// names elements or matches nothing; no read fails in any other way.
#include "ElementPath.h"
#include "FuzzSupport.h"
#include "XmlDocument.h"

using fuzz::Expect;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::Split input = fuzz::SplitFirstLine(fuzz::Text(data, size));
    const std::string_view path = input.head;

    std::vector<std::string_view> steps;
    if (SplitElementPath(path, steps)) {
        std::string joined;
        for (std::string_view step : steps) {
            Expect(!step.empty() && step.find('/') == std::string_view::npos, "a step is one name");
            joined += (joined.empty() ? "" : "/") + std::string(step);
        }
        Expect(joined == path, "the steps are the path");
    } else {
        Expect(steps.empty(), "a refused path has no steps");
    }

    CXmlDocument document;
    document.LoadText(input.rest);
    const int count = document.CountElements(path);
    Expect(count >= 0, "a count is never negative");
    if (!SplitElementPath(path, steps)) Expect(count == 0, "a malformed path matches nothing");
    std::string value;
    for (int i = -1; i <= count && i < 8; ++i) {
        Expect(document.ReadAttribute(path, 0, i, "ID", value) == (i >= 0 && i < count),
               "an element is read exactly when it exists");
        document.ReadAttribute(path, 1, i, "ID", value);
        document.ReadGroupChildAttribute(path, 0, i, "NAME", value);
        document.GetElementText(path, i, value, 64);
        document.GetChildName(path, i, value);
        document.CountGroupChildren(path, i);
    }
    document.CountFirstChildren(path);
    const int found = document.FindElementByAttribute(path, "NAME", "ZEFAN_FAN_0");
    Expect(found >= -1 && found < count, "a found element is one of the path's");
    document.GetXml(value, 4096);
    return 0;
}
