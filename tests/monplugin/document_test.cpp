// The document's shape is the skins' contract: every item of a section
// carries every field once, in one order; sections come in the skins'
// order; the history keeps a step per 5 s; and the document always fits the
// host's smaller buffer, giving up the history first, then trailing items.
#include "MonitorFixture.h"
#include "monplugin/MonitorDocument.h"

namespace monitor::test {
namespace {

const std::vector<std::string> kOrder = {"CAPTION", "CLASS", "VALUE", "DISPLAY", "HIGH_LIMIT", "LOW_LIMIT",
                                         "LIMITS", "STATE", "NOTE", "AVAILABILITY"};

// Sections in order, with their items.
std::vector<std::pair<std::string, std::vector<DocumentItem>>> Sections(const std::string& text)
{
    std::vector<std::pair<std::string, std::vector<DocumentItem>>> sections;
    for (const DocumentItem& item : ItemsOf(text)) {
        if (sections.empty() || sections.back().first != item.section) {
            sections.push_back({item.section, {}});
        }
        sections.back().second.push_back(item);
    }
    return sections;
}

TEST_F(MonitorFixture, EveryItemCarriesEveryFieldOnceInTheSkinsOrder)
{
    Load();
    Tick();
    const std::string text = pluginkit::Document(extend);
    const auto shape = Sections(text);
    ASSERT_EQ(shape.size(), 5u);
    const std::vector<std::string> sections = {"TEMPERATURE", "FANSPEED", "VOLTAGE", "HISTORY", "MONITOR"};
    for (std::size_t s = 0; s < shape.size(); ++s) {
        EXPECT_EQ(shape[s].first, sections[s]);
    }
    std::size_t items = 0;
    for (std::size_t s = 0; s < 3; ++s) {
        for (const DocumentItem& item : shape[s].second) {
            EXPECT_EQ(item.FieldNames(), kOrder) << item.name;
            ++items;
        }
    }
    EXPECT_EQ(items, 10u);
    EXPECT_EQ(shape[0].second[0].name, "SYSTIN");  // the board file's order within a section
    EXPECT_EQ(shape[3].second.size(), 6u);          // temperatures and fans
    EXPECT_EQ(shape[3].second[0].FieldNames(), (std::vector<std::string>{"CAPTION", "CLASS", "SAMPLES", "STEP"}));
    EXPECT_EQ(shape[4].second[0].FieldNames(),
              (std::vector<std::string>{"WARNING", "COUNT", "UNIT", "HOTTEST", "STATUS", "BOARD"}));
    auto monitor = Item("MONITOR", "VARNEQ");
    EXPECT_EQ(monitor["HOTTEST"], "36 \u00B0C");
    EXPECT_EQ(monitor["BOARD"], "Test.ini (board \"Test\")");
    auto volts = Item("VOLTAGE", "VCORE");
    EXPECT_EQ(volts["VALUE"], "1.296");
    EXPECT_EQ(volts["DISPLAY"], "1.296 V");
    EXPECT_EQ(volts["LIMITS"], "1.215 \u2013 1.485 V");
}

TEST_F(MonitorFixture, TheHistoryKeepsOneSampleAStepAndMarksStepsWithoutOne)
{
    Load();
    for (int i = 0; i < 5; ++i) {
        SetCputin(static_cast<std::uint8_t>(40 + i));
        Tick();  // 2 s apart: the first of each 5-s step counts
    }
    port.gone = true;
    clock.Advance(6000);
    port.gone = false;
    clock.Advance(4000);
    auto cpu = Item("HISTORY", "CPUTIN");
    EXPECT_EQ(cpu["STEP"], "5");
    EXPECT_EQ(cpu["SAMPLES"], "40 42 44 - 44");
    EXPECT_EQ(Item("HISTORY", "AUXTIN")["SAMPLES"], "- - - - -");  // no sensor
    clock.Advance(400000);  // far more than the chart
    const std::string samples = Item("HISTORY", "CPUTIN")["SAMPLES"];
    EXPECT_EQ(std::count(samples.begin(), samples.end(), ' '), 59);
}

TEST(MonitorDocumentTest, ABigBoardLosesItsHistoryThenTrailingItemsButNeverTheMonitor)
{
    std::vector<MonitorItem> items(256);
    std::vector<ItemStatus> status(256);
    for (std::size_t i = 0; i < items.size(); ++i) {
        items[i].itemClass = i % 2 == 0 ? ItemClass::Temperature : ItemClass::Voltage;
        items[i].caption = std::string(100, 'A' + i % 26) + "<&>";
        items[i].documentName = "ITEM" + std::to_string(i + 1);
        status[i].value = 45.0;
        status[i].verdict.state = ItemState::High;
    }
    CHistory history;
    for (int step = 0; step < 60; ++step) {
        history.Record(step * 5000, std::vector<std::optional<double>>(items.size(), 45.0));
    }
    const MonitorSnapshot snapshot{items, status, history, {}, "Board.ini", {}};
    const std::string text = MonitorDocument(snapshot);
    EXPECT_LE(text.size(), VARN_DATA_BUFFER_SIZE - 1u);
    EXPECT_GT(text.size(), VARN_DATA_BUFFER_SIZE - 1200u);  // as full as it gets
    const auto shape = Sections(text);
    ASSERT_EQ(shape.size(), 2u);  // no history, and no room left for a voltage
    EXPECT_EQ(shape[0].first, "TEMPERATURE");
    const auto& kept = shape[0].second;
    ASSERT_GT(kept.size(), 10u);
    EXPECT_LT(kept.size(), 128u);
    EXPECT_EQ(kept.back().name, "ITEM" + std::to_string(2 * kept.size() - 1));  // the first ones, in order
    EXPECT_EQ(shape[1].first, "MONITOR");
    EXPECT_NE(text.find("<COUNT>256</COUNT>"), std::string::npos);

    // Even where nothing but the monitor fits, the document is whole.
    const std::string tight = MonitorDocument(snapshot, 1000);
    EXPECT_LE(tight.size(), 1000u);
    EXPECT_EQ(ItemsOf(tight).back().section, "MONITOR");
}

}  // namespace
}  // namespace monitor::test
