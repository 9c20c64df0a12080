#include "year_sheet/year_sheet.h"

#include "year_sheet/year_sheet_painter.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>

namespace {

// Enough for crisp text on a phone or a screen, small enough to send as a picture.
constexpr int PngLongSide = 2000;
// The PDF's device units per inch: fine enough that rounded font pixel sizes do not show.
constexpr int PdfResolution = 1200;

QPageSize PageSizeOf(const YearSheetRequest& request) {
    return request.PageSize.isValid() ? request.PageSize : DefaultYearSheetPageSize(request.Locale);
}

} // namespace

QPageSize DefaultYearSheetPageSize(const QLocale& locale) {
    return QPageSize(locale.measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                             : QPageSize::A4);
}

QByteArray YearSheetPdf(const YearSheetRequest& request) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(PdfResolution);
        writer.setPageLayout(QPageLayout(PageSizeOf(request), QPageLayout::Portrait, QMarginsF()));
        writer.setTitle(YearSheetHeading(request) + QStringLiteral(" - ") + QString::number(request.Year));
        writer.setCreator(QStringLiteral("Varnok® for Tolmere"));
        QPainter painter(&writer);
        PaintYearSheet(painter, QRectF(0, 0, writer.width(), writer.height()), request);
    }
    return bytes;
}

QByteArray YearSheetPng(const YearSheetRequest& request) {
    const QSizeF points = PageSizeOf(request).size(QPageSize::Point);
    const qreal scale = PngLongSide / std::max(points.width(), points.height());
    QImage image(QSize(static_cast<int>(std::lround(points.width() * scale)),
                       static_cast<int>(std::lround(points.height() * scale))),
                 QImage::Format_RGB32);
    // The picture prints at the page's own size.
    const int dotsPerMeter = static_cast<int>(std::lround(scale * 72 / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    {
        QPainter painter(&image);
        PaintYearSheet(painter, QRectF(QPointF(0, 0), image.size()), request);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}
