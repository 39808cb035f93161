// How a plug-in's Qt page starts: named for the test dump, in the settings
// dialog's 9-point font, at the size the dialog gives plug-in pages (the
// fan page's).
#pragma once

#include <QFont>
#include <QWidget>

namespace pluginkit {

inline constexpr int kPageWidth = 386;
inline constexpr int kPageHeight = 285;

inline void SetPageLook(QWidget& page, const char* objectName)
{
    page.setObjectName(objectName);
    page.setFont(QFont(page.font().family(), 9));
    page.resize(kPageWidth, kPageHeight);
}

}  // namespace pluginkit
