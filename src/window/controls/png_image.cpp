#include "png_image.h"

#include <QImageReader>

QImage ReadPng(const QString& file) {
    QImageReader reader(file, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}
