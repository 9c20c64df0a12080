#include "window_icon.h"

#include "picture_canvas.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <string_view>

namespace {

const QColor kPageBorder(0x37, 0x41, 0x4b);
const QColor kHeader(0x37, 0x47, 0x4f);
const QColor kHeaderLight(0x4e, 0x61, 0x6b);
const QColor kRing(0x26, 0x2e, 0x33);
const QColor kRed(0xe0, 0x35, 0x2b);
const QColor kGreen(0x2e, 0x9e, 0x44);
const QColor kBlue(0x25, 0x63, 0xd6);

// Days of the crews' rotation (L on duty, K off, Y day off), started where the run shows all three.
constexpr std::string_view kRotationRun = "KKLLYYYYLLKKLLKKLLKKLLYYYYLLKKLLKKLLKK";

QColor SquareColor(int index) {
    switch (kRotationRun[static_cast<std::size_t>(index) % kRotationRun.size()]) {
    case 'L':
        return kBlue;
    case 'K':
        return kGreen;
    default:
        return kRed;
    }
}

// Each size is laid out by hand on whole pixels; squares, gaps and bands that fall between pixels blur.
struct IconLayout {
    QRect page;     // the page with its outline, inside the icon
    int border;     // outline width
    int header;     // height of the header band
    int columns;    // day squares per row
    int rows;       // rows of day squares
    int gap;        // space between day squares
    int textPixels; // month abbreviation size; 0 where it could not be read
    bool rings;     // binding rings over the top edge
};

IconLayout LayoutFor(int size) {
    switch (size) {
    case 16:
        return {QRect(1, 1, 15, 15), 1, 3, 4, 3, 1, 0, false};
    case 32:
        return {QRect(2, 2, 28, 28), 1, 5, 5, 4, 1, 0, false};
    case 48:
        return {QRect(2, 4, 44, 42), 1, 14, 6, 4, 1, 9, true};
    case 64:
        return {QRect(4, 6, 56, 54), 2, 17, 6, 4, 1, 12, true};
    case 128:
        return {QRect(8, 12, 112, 108), 3, 30, 7, 5, 3, 21, true};
    default: {
        // 256 and anything larger scale the 256 layout.
        const int unit = size / 16;
        return {QRect(unit, unit * 3 / 2, size - 2 * unit, size - unit * 5 / 2),
                std::max(1, size / 48),
                size * 22 / 100,
                7,
                5,
                std::max(1, size / 42),
                size * 15 / 100,
                true};
    }
    }
}

} // namespace

QImage DrawWindowIcon(int size) {
    QImage image = MakeCanvas(QSize(size, size), 1.0);
    QPainter painter(&image);
    const IconLayout layout = LayoutFor(size);
    const bool smooth = size >= 48;
    painter.setRenderHint(QPainter::Antialiasing, smooth);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setPen(Qt::NoPen);

    const QRect page = layout.page;
    const qreal radius = smooth ? size / 20.0 : 0.0;
    if (smooth) {
        // A soft shadow lifts the page off dark panels.
        painter.setBrush(QColor(0, 0, 0, 40));
        painter.drawRoundedRect(QRectF(page).translated(0, size / 64.0 + 0.5), radius, radius);
    }

    // Border and paper: the outline is the page, the paper its inset, so edges stay whole pixels.
    painter.setBrush(kPageBorder);
    painter.drawRoundedRect(QRectF(page), radius, radius);
    const QRect paper = page.adjusted(layout.border, layout.border, -layout.border, -layout.border);
    QLinearGradient paperShade(paper.topLeft(), paper.bottomLeft());
    paperShade.setColorAt(0.0, Qt::white);
    paperShade.setColorAt(1.0, smooth ? QColor(0xec, 0xef, 0xf1) : Qt::white);
    painter.setBrush(paperShade);
    const qreal innerRadius = std::max(0.0, radius - layout.border);
    painter.drawRoundedRect(QRectF(paper), innerRadius, innerRadius);

    // Header band across the top of the paper, rounded only where the paper is.
    const QRect header(paper.left(), paper.top(), paper.width(), layout.header);
    QPainterPath paperShape;
    paperShape.addRoundedRect(QRectF(paper), innerRadius, innerRadius);
    QPainterPath band;
    band.addRect(QRectF(header));
    QLinearGradient headerShade(header.topLeft(), header.bottomLeft());
    headerShade.setColorAt(0.0, smooth ? kHeaderLight : kHeader);
    headerShade.setColorAt(1.0, kHeader);
    painter.setBrush(headerShade);
    painter.drawPath(smooth ? band.intersected(paperShape) : band);

    if (layout.textPixels > 0) {
        painter.setPen(Qt::white);
        painter.setFont(PictureFont(layout.textPixels, true));
        // The rings cover the band's top edge, so the text centres on what shows below them.
        painter.drawText(header.adjusted(0, layout.header / 10, 0, 0), Qt::AlignCenter,
                         QStringLiteral("JAN"));
        painter.setPen(Qt::NoPen);
    }

    if (layout.rings) {
        painter.setBrush(kRing);
        const qreal ringWidth = std::max(3.0, size / 16.0);
        const qreal ringHeight = size / 7.0;
        for (const qreal centre : {page.left() + page.width() * 0.27, page.left() + page.width() * 0.73}) {
            painter.drawRoundedRect(
                QRectF(std::round(centre - ringWidth / 2), page.top() - size / 24.0, ringWidth, ringHeight),
                ringWidth / 2, ringWidth / 2);
        }
    }

    // Day squares fill the paper below the band: as large as the rows and columns allow, centred.
    const int areaWidth = paper.width();
    const int areaHeight = paper.bottom() - header.bottom();
    const int side =
        std::min((areaWidth - 2 * layout.gap - (layout.columns - 1) * layout.gap) / layout.columns,
                 (areaHeight - 2 * layout.gap - (layout.rows - 1) * layout.gap) / layout.rows);
    const int gridWidth = layout.columns * side + (layout.columns - 1) * layout.gap;
    const int gridHeight = layout.rows * side + (layout.rows - 1) * layout.gap;
    const int left = paper.left() + (areaWidth - gridWidth) / 2;
    const int top = header.bottom() + 1 + (areaHeight - gridHeight) / 2;
    for (int row = 0; row < layout.rows; ++row) {
        for (int column = 0; column < layout.columns; ++column) {
            painter.fillRect(
                QRect(left + column * (side + layout.gap), top + row * (side + layout.gap), side, side),
                SquareColor(row * layout.columns + column));
        }
    }
    return image;
}
