#include "QtPageResources.h"

#include <QFile>

QString PageResourceHtml(int id) {
    if (id != kMainPageResource && id != kPluginViewPageResource) return {};
    QFile file(QString(":/velmar/%1.html").arg(id));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}
