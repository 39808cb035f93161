// Host time of the XML side of a composition: reading a definition the size
// of a real skin, and turning a plug-in document into the view's HTML.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <string>

#include "SkinDefinition.h"

namespace {

const std::string kFolder = std::string(VELMAR_TEST_DATA_DIR) + "/skinxml/bench/";

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Parse the definition and read everything composition needs from it.
void BM_ReadDefinition(benchmark::State& state) {
    for (auto _ : state) {
        CXmlDocument doc;
        doc.LoadFile(kFolder + "SkinDefine.xml");
        CSkinDefinition def(doc, kFolder);
        benchmark::DoNotOptimize(def.ReadSkin());
        benchmark::DoNotOptimize(def.ReadApplication());
        benchmark::DoNotOptimize(def.ReadXslPath());
        benchmark::DoNotOptimize(def.ReadImages());
        benchmark::DoNotOptimize(def.ReadJavaScriptPath());
        const auto buttons = def.ReadButtons();
        if (buttons.size() != 12) state.SkipWithError("definition changed");
        benchmark::DoNotOptimize(buttons);
    }
}
BENCHMARK(BM_ReadDefinition)->Unit(benchmark::kMicrosecond);

// Every composition with data re-reads the stylesheet and the data, then
// transforms to a document and serialises it.
void BM_ViewTransform(benchmark::State& state) {
    const std::string data = ReadAll(kFolder + "data.xml");
    for (auto _ : state) {
        CXmlDocument style;
        CXmlDocument input;
        CXmlDocument result;
        style.LoadFile(kFolder + "view.xsl");
        input.LoadText(data);
        std::string html;
        if (!input.TransformToDocument(style, result) || !result.GetXml(html, kTransformMaxChars))
            state.SkipWithError("transform failed");
        benchmark::DoNotOptimize(html);
    }
}
BENCHMARK(BM_ViewTransform)->Unit(benchmark::kMicrosecond);

// The selection dialog reads the name of every skin file it lists.
void BM_GetSkinName(benchmark::State& state) {
    const std::string path = kFolder + "SkinDefine.xml";
    for (auto _ : state) benchmark::DoNotOptimize(CSkinDefinition::GetSkinName(path));
}
BENCHMARK(BM_GetSkinName)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
