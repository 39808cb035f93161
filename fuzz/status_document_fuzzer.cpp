// ZEFAN's status document for fans whose names come from a board file and
// whose duties come from the chip, read back the way the host binds values:
// it always fits its buffer and parses, and each listed fan's caption and
// state read back as written.
#include <fuzzer/FuzzedDataProvider.h>

#include <memory>
#include <vector>

#include "DataDocumentRenderer.h"
#include "FuzzSupport.h"
#include "fanplugin/FanStatusDocument.h"
#include "plugin_api/kit/XmlSafeText.h"

using fuzz::Expect;

namespace {

// A chip whose every read answers the next fuzzed byte.
class FuzzedPort : public hwmon::IPortIo {
public:
    explicit FuzzedPort(FuzzedDataProvider& input) : input_(input) {}
    int OutPortB(int, int) override { return 1; }
    int InPortB(int, std::uint8_t* value) override {
        if (input_.remaining_bytes() == 0) return 0;
        *value = input_.ConsumeIntegral<std::uint8_t>();
        return 1;
    }

private:
    FuzzedDataProvider& input_;
};

class OneProcessor : public hwmon::IProcessorCount {
public:
    int ProcessorCount() const override { return 1; }
};

const char* const kOutputs[] = {"CPUFANIN0", "SYSFANIN", "AUXFANIN0", "CPUFANIN1", "nonsense"};

bool Blank(const std::string& text) { return text.find_first_not_of(" \t\r\n") == std::string::npos; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    FuzzedPort port(input);
    OneProcessor processors;
    const std::size_t limit = input.ConsumeIntegralInRange<std::size_t>(1, zefan::kStatusDocumentLimit);
    std::vector<std::unique_ptr<hwmon::CFanController>> fans;
    std::vector<hwmon::CFanController*> shown;
    const int count = input.ConsumeIntegralInRange(0, 8);
    for (int i = 0; i < count; ++i) {
        hwmon::FanItemRecord item;
        item.itemNo = i + 1;
        item.itemType = 3;
        item.name = input.ConsumeRandomLengthString(300);
        item.pinName = input.PickValueInArray(kOutputs);
        item.fanCtrlPin = input.PickValueInArray(kOutputs);
        item.smartFanSupport = input.ConsumeBool();
        item.smartFanEnable = input.ConsumeBool();
        item.targetTemp = input.ConsumeIntegral<int>();
        item.toleranceTemp = input.ConsumeIntegral<int>();
        item.stopCtrl = input.ConsumeIntegral<int>();
        fans.push_back(std::make_unique<hwmon::CFanController>(item, port, processors));
        shown.push_back(fans.back().get());
    }

    const std::string text = zefan::BuildFanStatusDocument(shown, limit);
    Expect(text.size() < limit, "the document fits its buffer with the terminator");
    if (text.empty()) return 0;
    CXmlDocument document;
    Expect(document.LoadText(text), "the document parses");
    const std::string items = "VARN_PLUGIN/FAN/ITEM";
    int listed = 0;
    for (hwmon::CFanController* fan : shown) {
        if (!fan->GetSmartFanSupport()) continue;
        const int index = FindItemIndex(document, items, "ZEFAN_FAN_" + std::to_string(listed));
        if (index < 0) break;  // the fans that did not fit are left out from here on
        Expect(index == listed, "fans are listed in order");
        const std::string caption = pluginkit::XmlSafeText(fan->GetName());
        Expect(NodeText(document, items + "/CAPTION", index) == (Blank(caption) ? "" : caption),
               "the caption reads back as the board file names the fan");
        Expect(NodeText(document, items + "/STATUSINFO", index) == (fan->GetSmartFanEnable() ? "3" : "4"),
               "the state reads back");
        ++listed;
    }
    Expect(document.CountElements(items) == listed, "every listed item is a fan that supports cruise");
    return 0;
}
