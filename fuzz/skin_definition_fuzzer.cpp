// A skin definition from a skin folder of unknown origin: read by every
// reader, then composed on the port doubles as the main window composes it.
// Values never exceed their 255 characters, and every button read becomes
// exactly one button of the composition.
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "FakeMessageBox.h"
#include "FakeScriptPage.h"
#include "FakeSkinWindow.h"
#include "FuzzSupport.h"
#include "SkinDefinition.h"
#include "SkinEngine.h"

using fuzz::Expect;

namespace {

// Characters of UTF-8 text, as the limit counts them (stray bytes count one each).
std::size_t Characters(const std::string& text) {
    std::size_t count = 0;
    for (unsigned char c : text) count += (c & 0xC0) != 0x80;
    return count;
}

void ExpectWithinLimit(const std::string& value) {
    Expect(Characters(value) <= kAttributeMaxChars + 1, "an attribute value is cut to 255 characters");
}

const std::string& SkinFolder() {
    static const std::string folder = [] {
        std::string path = (std::filesystem::temp_directory_path() /
                            ("velmar-fuzz-skin-" + std::to_string(getpid())))
                               .string();
        std::filesystem::create_directories(path);
        return path + "/";
    }();
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzz::Text(data, size);
    const std::string path = SkinFolder() + "SkinDefine.xml";
    {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(text.data(), static_cast<std::streamsize>(text.size()));
    }
    CXmlDocument document;
    document.LoadFile(path);
    const CSkinDefinition skin(document, SkinFolder());
    const SkinFrame frame = skin.ReadSkin();
    ExpectWithinLimit(frame.name);
    ExpectWithinLimit(skin.ReadApplication().name);
    skin.ReadXslPath();
    skin.ReadJavaScriptPath();
    const SkinPluginDialog view = skin.ReadPluginDialog();
    ExpectWithinLimit(view.src);
    ExpectWithinLimit(view.init);
    for (const SkinImage& image : skin.ReadImages()) ExpectWithinLimit(image.id);
    const std::vector<SkinButton> buttons = skin.ReadButtons();
    for (const SkinButton& button : buttons) {
        ExpectWithinLimit(button.id);
        ExpectWithinLimit(button.tip);
        ExpectWithinLimit(button.call);
    }

    CFakeMessageBox messages;
    CFakeSkinWindow window;
    CFakeScriptPage page;
    CSkinEngine engine(messages);
    Expect(engine.LoadSkin(SkinFolder(), &window, &page, "", true), "a definition that exists composes");
    Expect(engine.Buttons().size() == std::min(buttons.size(), kMaxSkinButtons),
           "every button read becomes one button of the composition, up to the limit");
    window.RunPosted();
    return 0;
}
