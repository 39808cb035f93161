// Page resources 104 (main window) and 105 (plug-in view), compiled in.
#pragma once

#include <QString>

inline constexpr int kMainPageResource = 104;
inline constexpr int kPluginViewPageResource = 105;

// The page's HTML; "" for any other id.
QString PageResourceHtml(int id);
