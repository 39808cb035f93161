// Host time of one composition of a skin the size of a real one (a 400x300
// outline, ten images, a dozen masked buttons, a stylesheet), against the
// port doubles: the web engine's own work is not in the figure.
#include <benchmark/benchmark.h>

#include <fstream>

#include "FakeMessageBox.h"
#include "FakeScriptPage.h"
#include "FakeSkinWindow.h"
#include "SkinEngine.h"
#include "skin_test_bitmaps.h"

namespace {

std::filesystem::path MakeRealSizedSkin() {
    const auto folder = skintest::FreshFolder("velmar-skin-bench");
    skintest::WriteBmp(folder / "rgn.bmp", skintest::Ellipse(400, 300));
    for (int i = 0; i < 12; ++i)
        skintest::WriteBmp(folder / ("m" + std::to_string(i) + ".bmp"), skintest::Ellipse(24, 24));
    std::ofstream(folder / "view.xsl") << R"xsl(<?xml version="1.0"?>
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="xml" omit-xml-declaration="yes"/>
  <xsl:template match="/"><DIV ID="frame"><xsl:value-of select="name(*)"/></DIV></xsl:template>
</xsl:stylesheet>)xsl";
    auto button = [](int i, const char* extra) {
        const std::string n = std::to_string(i);
        return "<BUTTON ID=\"B" + n + "\" " + extra + " IMAGE=\"b" + n + ".bmp\" DOWNIMAGE=\"b" + n +
               "_d.bmp\" OVERIMAGE=\"b" + n + "_o.bmp\" MASKIMAGE=\"m" + n + ".bmp\" X=\"" +
               std::to_string(20 + 30 * i) + "\" Y=\"250\" WIDTH=\"24\" HEIGHT=\"24\" TIP=\"Button " + n + "\"/>";
    };
    std::string definition =
        "<VARNSKINDEFINE><SKIN NAME=\"Bench\" BACKGROUND=\"back.bmp\" RGN=\"rgn.bmp\">"
        "<APPLICATION NAME=\"Velmar\" ICON=\"app.ico\" TIMER=\"TRUE\"/><XSL SRC=\"view.xsl\"/>"
        "<JAVASCRIPT SRC=\"skin.js\"/>";
    for (int i = 0; i < 10; ++i)
        definition += "<IMAGE ID=\"img" + std::to_string(i) + "\" SRC=\"img" + std::to_string(i) +
                      ".bmp\" X=\"" + std::to_string(10 * i) + "\" Y=\"5\" Z=\"1\"/>";
    definition += "<NORMALBUTTON><GROUP>";
    for (int i = 0; i < 4; ++i) definition += button(i, "");
    definition += "</GROUP>";
    for (int i = 4; i < 8; ++i) definition += button(i, i == 4 ? "CHECKBOX=\"TRUE\"" : "");
    definition += "</NORMALBUTTON><JSBUTTON>";
    for (int i = 8; i < 12; ++i) definition += button(i, "CALL=\"Press\"");
    definition += "</JSBUTTON></SKIN></VARNSKINDEFINE>";
    std::ofstream(folder / "SkinDefine.xml") << definition;
    return folder;
}

void BM_LoadSkinRealSize(benchmark::State& state) {
    const auto folder = MakeRealSizedSkin();
    CFakeMessageBox messages;
    CFakeScriptPage page;
    page.Define("loadScript");
    page.Define("SetBackGround");
    CFakeSkinWindow window;
    CSkinEngine engine(messages);
    for (auto _ : state) {
        const bool ok = engine.LoadSkin(folder.string(), &window, &page, "<VARN_FRAME></VARN_FRAME>", true);
        benchmark::DoNotOptimize(ok);
        if (!ok || engine.Buttons().size() != 12) state.SkipWithError("composition failed");
        window.widgets.clear();
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_LoadSkinRealSize)->Unit(benchmark::kMillisecond);

void BM_RegionFromOutline400x300(benchmark::State& state) {
    const CBitmapPixels outline = skintest::Ellipse(400, 300);
    for (auto _ : state) benchmark::DoNotOptimize(RegionFromBitmap(&outline, kSkinWhite));
}
BENCHMARK(BM_RegionFromOutline400x300)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
