// The status document: which fans it lists and how they are named, the duty
// read from the chip at each call, escaping of board texts, and the buffer
// limit.
#include <gtest/gtest.h>

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "ZefanTestDoubles.h"
#include "board/BoardFile.h"
#include "fanplugin/FanStatusDocument.h"
#include "hwmon/varnio/SimulatedChip.h"

namespace zefan::test {
namespace {

struct ParsedItem {
    std::string name, caption, status, duty, target, tolerance, stop;
    std::vector<std::string> order;
};

// Null when the text is not a well-formed document.
std::vector<ParsedItem> ParseItems(const std::string& text, bool& wellFormed)
{
    std::vector<ParsedItem> items;
    xmlDoc* doc = xmlReadMemory(text.data(), static_cast<int>(text.size()), nullptr, nullptr,
                                XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    wellFormed = doc != nullptr;
    if (!doc) {
        return items;
    }
    xmlNode* root = xmlDocGetRootElement(doc);
    EXPECT_STREQ(reinterpret_cast<const char*>(root->name), "VARN_PLUGIN");
    xmlNode* fan = xmlFirstElementChild(root);
    EXPECT_STREQ(reinterpret_cast<const char*>(fan->name), "FAN");
    for (xmlNode* item = xmlFirstElementChild(fan); item; item = xmlNextElementSibling(item)) {
        ParsedItem parsed;
        xmlChar* name = xmlGetProp(item, reinterpret_cast<const xmlChar*>("NAME"));
        parsed.name = name ? reinterpret_cast<const char*>(name) : "";
        xmlFree(name);
        for (xmlNode* field = xmlFirstElementChild(item); field; field = xmlNextElementSibling(field)) {
            xmlChar* content = xmlNodeGetContent(field);
            const std::string tag = reinterpret_cast<const char*>(field->name);
            const std::string value = reinterpret_cast<const char*>(content);
            xmlFree(content);
            parsed.order.push_back(tag);
            if (tag == "CAPTION") parsed.caption = value;
            if (tag == "STATUSINFO") parsed.status = value;
            if (tag == "PWM_DUTYCYCLE") parsed.duty = value;
            if (tag == "TARGET_TEMP") parsed.target = value;
            if (tag == "TOLERANCE_TEMP") parsed.tolerance = value;
            if (tag == "STOP_PWM") parsed.stop = value;
        }
        items.push_back(parsed);
    }
    xmlFreeDoc(doc);
    return items;
}

class FanStatusDocumentTest : public ::testing::Test {
protected:
    hwmon::CFanController& Add(hwmon::FanItemRecord item)
    {
        fans_.push_back(std::make_unique<hwmon::CFanController>(item, chip, processors));
        shown.push_back(fans_.back().get());
        return *fans_.back();
    }
    std::vector<ParsedItem> Items(bool& wellFormed) { return ParseItems(BuildFanStatusDocument(shown), wellFormed); }

    hwmon::CSimulatedChip chip;
    CFixedProcessorCount processors{1};
    std::vector<hwmon::CFanController*> shown;

private:
    std::vector<std::unique_ptr<hwmon::CFanController>> fans_;
};

TEST_F(FanStatusDocumentTest, ListsSupportedFansInOrderWithTheirFields)
{
    auto unsupported = FanItem(1, "AUX FAN", "AUXFANIN1");
    unsupported.smartFanSupport = false;
    Add(unsupported);
    Add(FanItem(2, "CPU FAN", "CPUFANIN0"));
    auto off = FanItem(3, "SYS FAN", "SYSFANIN");
    off.smartFanEnable = false;
    off.targetTemp = 41;
    off.toleranceTemp = 5;
    off.stopCtrl = 55;
    Add(off);
    chip.SetRegister(0, 0x03, 115);  // CPU fan duty
    chip.SetRegister(0, 0x01, 255);

    bool wellFormed = false;
    const auto items = Items(wellFormed);
    ASSERT_TRUE(wellFormed);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].name, "ZEFAN_FAN_0");
    EXPECT_EQ(items[0].caption, "CPU FAN");
    EXPECT_EQ(items[0].status, "3");
    EXPECT_EQ(items[0].duty, "45%");
    EXPECT_EQ(items[0].target, "50");
    EXPECT_EQ(items[0].tolerance, "3");
    EXPECT_EQ(items[0].stop, "30%");
    EXPECT_EQ(items[0].order, (std::vector<std::string>{"CAPTION", "STATUSINFO", "PWM_DUTYCYCLE",
                                                        "TARGET_TEMP", "TOLERANCE_TEMP", "STOP_PWM"}));
    EXPECT_EQ(items[1].name, "ZEFAN_FAN_1");
    EXPECT_EQ(items[1].status, "4");
    EXPECT_EQ(items[1].duty, "100%");
    EXPECT_EQ(items[1].target, "41");
    EXPECT_EQ(items[1].tolerance, "5");
    EXPECT_EQ(items[1].stop, "55%");
}

TEST_F(FanStatusDocumentTest, DutyIsReadFromTheChipAtEachCall)
{
    Add(FanItem(1, "CPU FAN", "CPUFANIN0"));
    bool wellFormed = false;
    chip.SetRegister(0, 0x03, 128);
    EXPECT_EQ(Items(wellFormed).at(0).duty, "50%");
    chip.SetRegister(0, 0x03, 0);
    EXPECT_EQ(Items(wellFormed).at(0).duty, "0%");
    // A duty that cannot be read is not made up.
    chip.FailNth(hwmon::CSimulatedChip::Fault::DataRead, 1);
    const auto items = Items(wellFormed);
    ASSERT_TRUE(wellFormed);
    EXPECT_EQ(items.at(0).duty, "");
}

TEST_F(FanStatusDocumentTest, NoFanGivesAnEmptySection)
{
    const std::string text = BuildFanStatusDocument(shown);
    bool wellFormed = false;
    EXPECT_TRUE(ParseItems(text, wellFormed).empty());
    EXPECT_TRUE(wellFormed);
    EXPECT_NE(text.find("<FAN/>"), std::string::npos);
}

TEST_F(FanStatusDocumentTest, BoardTextsAreEscapedAndMadeRepresentable)
{
    Add(FanItem(1, "CPU <FAN> & \"co\" 'x'", "CPUFANIN0"));
    Add(FanItem(2, std::string("bad\x01" "byte\xff" "end \xC3\xA9"), "SYSFANIN"));
    bool wellFormed = false;
    const auto items = Items(wellFormed);
    ASSERT_TRUE(wellFormed);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].caption, "CPU <FAN> & \"co\" 'x'");
    EXPECT_EQ(items[1].caption, "bad\xEF\xBF\xBD" "byte\xEF\xBF\xBD" "end \xC3\xA9");
}

TEST_F(FanStatusDocumentTest, ItemsThatDoNotFitAreLeftOutWholeAndTheRestStaysWellFormed)
{
    // Each caption escapes to four times its length: about 2 KB per item.
    for (int i = 1; i <= 20; ++i) {
        Add(FanItem(i, std::string(board::kBoardStringMaxChars, '<'), "CPUFANIN0"));
    }
    const std::string text = BuildFanStatusDocument(shown);
    EXPECT_LT(text.size(), kStatusDocumentLimit);
    bool wellFormed = false;
    const auto items = ParseItems(text, wellFormed);
    ASSERT_TRUE(wellFormed);
    ASSERT_GT(items.size(), 5u);
    ASSERT_LT(items.size(), 20u);
    for (std::size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i].name, "ZEFAN_FAN_" + std::to_string(i));
        EXPECT_EQ(items[i].caption.size(), board::kBoardStringMaxChars);
    }

    // The boundary is exact: a limit one byte short of the whole document
    // drops the last item.
    shown.resize(3);
    const std::string whole = BuildFanStatusDocument(shown);
    EXPECT_EQ(BuildFanStatusDocument(shown, whole.size() + 1), whole);
    EXPECT_EQ(ParseItems(BuildFanStatusDocument(shown, whole.size()), wellFormed).size(), 2u);
}

TEST_F(FanStatusDocumentTest, WritingNeverPassesTheHostsBuffer)
{
    for (int i = 1; i <= 40; ++i) {
        Add(FanItem(i, std::string(board::kBoardStringMaxChars, '&'), "CPUFANIN0"));
    }
    std::vector<char> buffer(kStatusDocumentLimit + 64, '#');
    WriteFanStatusDocument(shown, buffer.data());
    const std::size_t length = std::strlen(buffer.data());
    EXPECT_LT(length, kStatusDocumentLimit);
    EXPECT_GT(length, kStatusDocumentLimit - 3000);  // as many items as fit, not fewer
    for (std::size_t i = kStatusDocumentLimit; i < buffer.size(); ++i) {
        ASSERT_EQ(buffer[i], '#');
    }
    bool wellFormed = false;
    ParseItems(buffer.data(), wellFormed);
    EXPECT_TRUE(wellFormed);
}

}  // namespace
}  // namespace zefan::test
