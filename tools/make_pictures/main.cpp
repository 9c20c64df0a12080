// Draws the program's pictures and writes them as PNG files into the folder given on the command line.
// Usage: make_pictures <folder>

#include "help_picture.h"
#include "settings_page_sketch.h"
#include "sextant_picture.h"
#include "window_icon.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QString>
#include <QTextStream>

namespace {

bool Write(const QImage& image, const QDir& folder, const QString& name) {
    const QString path = folder.filePath(name);
    QImage plain = image;
    // The scale lives in the file name (@2x, @3x), not in the PNG.
    plain.setDevicePixelRatio(1.0);
    if (!plain.save(path, "PNG")) {
        QTextStream(stderr) << "make_pictures: cannot write " << path << '\n';
        return false;
    }
    QTextStream(stdout) << path << ' ' << plain.width() << 'x' << plain.height() << '\n';
    return true;
}

QString ScaleSuffix(int scale) {
    return scale == 1 ? QString() : QStringLiteral("@%1x").arg(scale);
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "usage: make_pictures <folder>\n";
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists() && !QDir().mkpath(folder.path())) {
        QTextStream(stderr) << "make_pictures: cannot create " << folder.path() << '\n';
        return 1;
    }

    bool written = true;
    for (const int size : {16, 32, 48, 64, 128, 256})
        written &= Write(DrawWindowIcon(size), folder, QStringLiteral("icon-%1.png").arg(size));

    for (const int scale : {1, 2})
        written &= Write(DrawSextant(scale), folder, QStringLiteral("sextant%1.png").arg(ScaleSuffix(scale)));

    for (const int scale : {1, 2, 3}) {
        // The page is drawn at the very pixel size the help picture shows it at, so nothing is resampled.
        const QImage page = DrawSettingsPageSketch(HelpPagePixelSize(SettingsPageSketchSize, scale));
        written &= Write(DrawHelpPicture(page, SettingsPageSketchTargets(), scale), folder,
                         QStringLiteral("help%1.png").arg(ScaleSuffix(scale)));
    }
    return written ? 0 : 1;
}
