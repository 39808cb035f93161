// INI profiles (board files, the skin's plug-in view file): every section
// and key the reader lists can be read back, through any buffer size, and
// numbers never overflow.
#include "FuzzSupport.h"
#include "IniProfile.h"

using fuzz::Expect;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzz::Text(data, size);
    const CIniProfile profile = CIniProfile::Parse(text);
    const std::size_t buffers[] = {0, 1, 2, 256, 512};
    for (const std::string& section : profile.SectionNames()) {
        for (const std::string& key : profile.KeyNames(section)) {
            std::string value;
            Expect(profile.Find(section, key, value), "a listed key is found");
            for (std::size_t buffer : buffers) {
                const std::string got = profile.GetString(section, key, "default", buffer);
                Expect(buffer == 0 ? got.empty() : got.size() < buffer, "a value fits its buffer");
            }
            profile.GetInt(section, key, -1);
        }
    }
    profile.GetString("GLOBAL", "Total_Item_Count", "Error", 512);
    ParseProfileInt(text.substr(0, 64));
    return 0;
}
