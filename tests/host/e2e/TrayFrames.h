// Which warning frame a tray icon's pixels show (DesktopSession::Grab): 135
// is red, 136 amber; the skins' own icons are neither.
#pragma once

#include <string>

namespace velmar_e2e {

enum class TrayFrame { Other, Red135, Amber136 };

inline TrayFrame FrameIn(const std::string& rgb) {
    int red = 0, amber = 0;
    for (std::size_t i = 0; i + 2 < rgb.size(); i += 3) {
        const int r = static_cast<unsigned char>(rgb[i]), g = static_cast<unsigned char>(rgb[i + 1]),
                  b = static_cast<unsigned char>(rgb[i + 2]);
        if (r > 150 && g < 90 && b < 90) ++red;
        if (r > 170 && g >= 90 && g <= 180 && b < 90) ++amber;
    }
    const int pixels = static_cast<int>(rgb.size() / 3);
    if (red > pixels / 6 && amber < pixels / 12) return TrayFrame::Red135;
    if (amber > pixels / 6 && red < pixels / 20) return TrayFrame::Amber136;
    return TrayFrame::Other;
}

}  // namespace velmar_e2e
