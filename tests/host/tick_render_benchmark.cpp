// What a tick costs inside the host, on the port doubles: one share
// plug-in's document rendered into a face with a few dozen bound elements,
// the way every update tick renders each share plug-in. The page's side
// (the web engine) is measured by the idle-cost figures, not here.
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "DataDocumentRenderer.h"
#include "FakeDocumentPage.h"

namespace {

std::string FanDocument() {
    std::ifstream in(std::string(VELMAR_TEST_DATA_DIR) + "/skins/fan_status.xml");
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// A face as the bundled ones are: the fan tiles' bound cells, some of the
// mode plug-in's and a hardware monitor's, and elements of the script's own.
std::vector<std::string> FaceIds() {
    std::vector<std::string> ids = {"MOVEAREA", "warnBadge", "modeMark", "hint", "status", "modeName",
                                    "MODE+VARNOCCTRL+PROFILE", "autoLed", "autoText"};
    for (int n = 0; n < 4; ++n) {
        const std::string item = "FAN+ZEFAN_FAN_" + std::to_string(n) + "+";
        ids.insert(ids.end(), {"tile_" + std::to_string(n), item + "CAPTION", item + "PWM_DUTYCYCLE",
                               "bar_" + std::to_string(n)});
    }
    for (const char* pin : {"CPUTIN", "SYSTIN"}) ids.push_back(std::string("TEMPERATURE+") + pin + "+DISPLAY");
    for (const char* pin : {"SYSFANIN", "CPUFANIN0", "AUXFANIN0", "CPUFANIN1", "AUXFANIN1"}) {
        ids.push_back(std::string("FANSPEED+") + pin + "+CAPTION");
        ids.push_back(std::string("FANSPEED+") + pin + "+DISPLAY");
    }
    return ids;
}

void BM_RenderShareDocumentIntoTheFace(benchmark::State& state) {
    const std::string document = FanDocument();
    CFakeDocumentPage page;
    page.ids = FaceIds();
    CDataDocumentRenderer renderer(DocumentPageKind::MainPage);
    for (auto _ : state) {
        page.log.clear();
        renderer.Render(document, page, false);
        benchmark::DoNotOptimize(page.log.size());
    }
}

}  // namespace

BENCHMARK(BM_RenderShareDocumentIntoTheFace)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
