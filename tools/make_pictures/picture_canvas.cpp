#include "picture_canvas.h"

#include <cmath>

QImage MakeCanvas(QSize logicalSize, qreal scale) {
    const QSize pixels(static_cast<int>(std::lround(logicalSize.width() * scale)),
                       static_cast<int>(std::lround(logicalSize.height() * scale)));
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    image.setDevicePixelRatio(scale);
    return image;
}

QFont PictureFont(int pixelSize, bool bold) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}
