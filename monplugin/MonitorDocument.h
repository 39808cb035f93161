// The monitor's data document, the contract with every skin (docs/
// monitor.md): sections TEMPERATURE, FANSPEED and VOLTAGE with one item per
// board item and every field in every item, HISTORY of temperatures and
// fans, and MONITOR about the whole. It always fits the host's smaller
// buffer: the history goes first, then items from the end, never the
// MONITOR section, and never is the text cut.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "VarnPlugin.h"
#include "monplugin/History.h"
#include "monplugin/Judge.h"
#include "monplugin/MonitorItem.h"
#include "monplugin/MonitorTexts.h"

namespace monitor {

struct MonitorSnapshot {
    const std::vector<MonitorItem>& items;
    const std::vector<ItemStatus>& status;
    const CHistory& history;
    MonitorFacts facts;
    std::string boardLine;  // the board file and why it applies
    // An item's power-off countdown for its NOTE, when it has one.
    std::function<std::string(std::size_t)> powerOffNote;
};

// The document in at most limit bytes (the host's buffer less its
// terminator).
std::string MonitorDocument(const MonitorSnapshot& snapshot, std::size_t limit = VARN_DATA_BUFFER_SIZE - 1);

}  // namespace monitor
