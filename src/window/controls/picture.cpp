#include "picture.h"

#include "png_image.h"

#include <QFileInfo>
#include <QPainter>
#include <algorithm>
#include <cmath>

TPicture::TPicture(QWidget* parent) : QWidget(parent) {}

void TPicture::SetSource(const QString& base) {
    if (source_ != base) {
        source_ = base;
        update();
    }
}

void TPicture::SetOpacity(qreal opacity) {
    opacity = std::clamp(opacity, 0.0, 1.0);
    if (opacity_ != opacity) {
        opacity_ = opacity;
        update();
        emit opacityChanged();
    }
}

QString TPicture::ScaledFile(const QString& base, qreal scale) {
    QString best;
    qreal bestDistance = 0;
    for (int factor = 1; factor <= 3; ++factor) {
        const QString file =
            factor == 1 ? base + QLatin1String(".png") : base + QStringLiteral("@%1x.png").arg(factor);
        if (!QFileInfo::exists(file)) {
            continue;
        }
        const qreal distance = std::abs(scale - factor);
        if (best.isEmpty() || distance <= bestDistance) {
            best = file;
            bestDistance = distance;
        }
    }
    return best;
}

QRectF TPicture::FittedRect(const QSizeF& picture, const QRectF& area) {
    if (picture.isEmpty() || area.isEmpty()) {
        return {};
    }
    const QSizeF fitted = picture.scaled(area.size(), Qt::KeepAspectRatio);
    QRectF result(QPointF(), fitted);
    result.moveCenter(area.center());
    return result;
}

void TPicture::paintEvent(QPaintEvent*) {
    const QString file = ScaledFile(source_, devicePixelRatioF());
    if (file != loadedFile_) {
        loadedFile_ = file;
        pixmap_ = file.isEmpty() ? QPixmap() : QPixmap::fromImage(ReadPng(file));
    }
    if (pixmap_.isNull()) {
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setOpacity(opacity_);
    painter.drawPixmap(FittedRect(QSizeF(pixmap_.size()), QRectF(rect())), pixmap_, QRectF(pixmap_.rect()));
}
