// velmar-artgen [repository root]: writes every skin bitmap (24-bit BMP)
// and program icon (PNG) below the given root, the current folder by
// default. Draws off screen, so it runs without a display.
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

#include "ArtTables.h"

namespace {

bool Save(const QDir& root, const QString& file, const QImage& image) {
    const QString path = root.filePath(file);
    QDir().mkpath(QFileInfo(path).path());
    // 24 bits per pixel: the outline and mask rules compare exact colours.
    const QImage out = path.endsWith(".bmp") ? image.convertToFormat(QImage::Format_RGB888) : image;
    if (!out.save(path)) {
        std::fprintf(stderr, "velmar-artgen: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QDir root(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
    if (!root.exists("skins")) {
        std::fprintf(stderr, "velmar-artgen: %s has no skins/ folder; give the repository root\n",
                     qPrintable(root.absolutePath()));
        return 2;
    }
    int written = 0;
    bool ok = true;
    auto save = [&](const QString& file, const QImage& image) {
        ok = Save(root, file, image) && ok;
        ++written;
    };
    for (const BackgroundArt& art : Backgrounds()) {
        save(art.file, DrawBackground(art));
        save(art.outlineFile, OutlineBitmap(art.size, art.outline));
    }
    for (const BadgeArt& art : Badges()) save(art.file, DrawBadge(art));
    for (const ButtonArt& art : Buttons())
        for (const NamedImage& image : DrawButton(art)) save(image.file, image.image);
    for (const IconArt& art : Icons()) save(art.file, DrawIcon(art));
    std::printf("velmar-artgen: %d files below %s\n", written, qPrintable(root.absolutePath()));
    return ok ? 0 : 1;
}
