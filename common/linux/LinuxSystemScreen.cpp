#include "LinuxSystemScreen.h"

#include "SysfsAttribute.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <system_error>
#include <vector>

namespace {

bool ParsePositive(std::string_view text, int& value, std::size_t& used)
{
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    used = static_cast<std::size_t>(end - text.data());
    return error == std::errc() && used > 0 && value > 0;
}

// The first line of the first connected output's mode list.
bool FirstConnectedMode(const std::string& root, std::string& mode)
{
    std::vector<std::string> outputs;
    std::error_code error;
    for (std::filesystem::directory_iterator it(root + "/class/drm", error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.rfind("card", 0) == 0 && name.find('-') != std::string::npos) outputs.push_back(name);
    }
    std::sort(outputs.begin(), outputs.end());
    for (const std::string& output : outputs) {
        const std::string folder = root + "/class/drm/" + output;
        std::string status, modes;
        if (!ReadSysfsAttribute(folder + "/status", status) || status != "connected") continue;
        if (!ReadSysfsAttribute(folder + "/modes", modes) || modes.empty()) continue;
        mode = modes.substr(0, modes.find('\n'));
        return true;
    }
    return false;
}

}  // namespace

bool ParseScreenSize(std::string_view text, char separator, int& width, int& height)
{
    std::size_t used = 0;
    int w = 0, h = 0;
    if (!ParsePositive(text, w, used) || used >= text.size() || text[used] != separator) return false;
    text.remove_prefix(used + 1);
    if (!ParsePositive(text, h, used)) return false;
    width = w;
    height = h;
    return true;
}

CLinuxSystemScreen::CLinuxSystemScreen(std::string root) : root_(std::move(root)) {}

bool CLinuxSystemScreen::Resolution(int& width, int& height)
{
    std::string mode;
    if (FirstConnectedMode(root_, mode) && ParseScreenSize(mode, 'x', width, height)) return true;
    std::string size;
    return ReadSysfsAttribute(root_ + "/class/graphics/fb0/virtual_size", size) &&
           ParseScreenSize(size, ',', width, height);
}

bool CLinuxSystemScreen::BitsPerPixel(int& bits)
{
    std::string text;
    std::size_t used = 0;
    int value = 0;
    if (!ReadSysfsAttribute(root_ + "/class/graphics/fb0/bits_per_pixel", text) || !ParsePositive(text, value, used) ||
        used != text.size())
        return false;
    bits = value;
    return true;
}

std::string CLinuxSystemScreen::Describe()
{
    return "kernel display outputs under " + root_ + "/class/drm and " + root_ + "/class/graphics/fb0";
}
