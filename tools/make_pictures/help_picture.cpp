#include "help_picture.h"

#include "picture_canvas.h"

#include <QFontMetricsF>
#include <QLineF>
#include <QPainter>
#include <QPainterPath>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// The page fits into this box; the room to its right, above and below holds the labels.
const QRectF kPageBox(12, 64, 196, 310);
constexpr qreal kPanelPadding = 4;
constexpr qreal kLabelColumn = 222; // left edge of the labels right of the page
constexpr qreal kLabelSpacing = 7;  // least space between two labels in that column
constexpr qreal kArrowGap = 3;      // space left between an arrow's tip and its control
constexpr int kLabelPixels = 10;

const QColor kInk(0x40, 0x40, 0x40);

qreal PageFit(QSizeF pageSize) {
    return std::min(kPageBox.width() / pageSize.width(), kPageBox.height() / pageSize.height());
}

// Maps page coordinates onto the place where the page is drawn in the picture.
class PagePlacement {
public:
    PagePlacement(QSizeF pageSize, const QRectF& drawn) : pageSize_(pageSize), drawn_(drawn) {}

    QPointF Map(QPointF point) const {
        return {drawn_.left() + point.x() * drawn_.width() / pageSize_.width(),
                drawn_.top() + point.y() * drawn_.height() / pageSize_.height()};
    }
    QRectF Map(const QRectF& rect) const { return {Map(rect.topLeft()), Map(rect.bottomRight())}; }

private:
    QSizeF pageSize_;
    QRectF drawn_;
};

void DrawPanel(QPainter& painter, const QRectF& page) {
    const QRectF panel = page.adjusted(-kPanelPadding, -kPanelPadding, kPanelPadding, kPanelPadding);
    painter.setPen(Qt::NoPen);
    // A shadow in a few soft steps, darker close to the panel.
    for (int step = 3; step >= 1; --step) {
        painter.setBrush(QColor(0, 0, 0, 14 * (4 - step)));
        painter.drawRoundedRect(panel.adjusted(-step + 1.0, -step + 2.0, step + 1.0, step + 2.0), 6 + step,
                                6 + step);
    }
    painter.setPen(QPen(QColor(0xc8, 0xc8, 0xc8), 1));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(panel, 6, 6);
}

// An arrow along `route` with a filled head at its last point.
void DrawArrow(QPainter& painter, const QPainterPath& route) {
    const int count = route.elementCount();
    const QPointF tip = route.elementAt(count - 1);
    const QPointF before = route.elementAt(count - 2);
    const QLineF direction(tip, before);
    const QLineF unit = direction.unitVector();
    const QPointF back(unit.dx(), unit.dy());
    const QPointF across(-back.y(), back.x());
    constexpr qreal headLength = 7;
    constexpr qreal headHalfWidth = 3.2;

    QPainterPath shaft = route;
    // The shaft stops inside the head so its round cap does not poke through the point.
    shaft.setElementPositionAt(count - 1, tip.x() + back.x() * headLength * 0.7,
                               tip.y() + back.y() * headLength * 0.7);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kInk, 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(shaft);

    QPainterPath head(tip);
    head.lineTo(tip + back * headLength + across * headHalfWidth);
    head.lineTo(tip + back * headLength * 0.8);
    head.lineTo(tip + back * headLength - across * headHalfWidth);
    head.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(kInk);
    painter.drawPath(head);
}

QPainterPath StraightRoute(QPointF from, QPointF to) {
    QPainterPath route(from);
    route.lineTo(to);
    return route;
}

struct ColumnLabel {
    QString text;    // lines separated by '\n'
    qreal wantedMid; // where the label would sit if nothing were in the way
    QPointF tip;     // where its arrow points
    QRectF box = {};
};

} // namespace

QSize HelpPagePixelSize(QSizeF pageSize, qreal scale) {
    const qreal fit = PageFit(pageSize);
    return {static_cast<int>(std::lround(pageSize.width() * fit * scale)),
            static_cast<int>(std::lround(pageSize.height() * fit * scale))};
}

QImage DrawHelpPicture(const QImage& page, const HelpTargets& targets, qreal scale) {
    QImage image = MakeCanvas(HelpPictureSize, scale);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);

    // Place the page on whole device pixels so an image of HelpPagePixelSize is copied 1:1.
    const QSizeF pageSize = page.deviceIndependentSize();
    const QSize pixels = HelpPagePixelSize(pageSize, scale);
    const QRectF drawn(std::round(kPageBox.left() * scale) / scale,
                       std::round(kPageBox.top() * scale) / scale, pixels.width() / scale,
                       pixels.height() / scale);
    const PagePlacement placement(pageSize, drawn);

    DrawPanel(painter, drawn);
    painter.drawImage(drawn, page);

    const QFont font = PictureFont(kLabelPixels, true);
    const QFontMetricsF metrics(font);
    painter.setFont(font);
    auto labelSize = [&](const QString& text) {
        QSizeF size;
        for (const QString& line : text.split(QLatin1Char('\n'))) {
            size.setWidth(std::max(size.width(), metrics.horizontalAdvance(line)));
            size.rheight() += metrics.lineSpacing();
        }
        return size;
    };
    auto drawLabel = [&](const QRectF& box, const QString& text, Qt::Alignment alignment) {
        painter.setPen(kInk);
        painter.drawText(box, alignment, text);
    };

    // Save: above the page, pointing down at the button.
    const QRectF save = placement.Map(targets.save);
    const QSizeF saveSize = labelSize(QStringLiteral("Save"));
    const qreal saveLeft = std::clamp(save.center().x() - saveSize.width() / 2, 2.0,
                                      HelpPictureSize.width() - saveSize.width() - 2);
    const QRectF saveBox(QPointF(saveLeft, drawn.top() - kPanelPadding - 16 - saveSize.height()), saveSize);
    drawLabel(saveBox, QStringLiteral("Save"), Qt::AlignCenter);
    DrawArrow(painter, StraightRoute(QPointF(save.center().x(), saveBox.bottom() + 2),
                                     QPointF(save.center().x(), save.top() + 1)));

    // The column right of the page: labels stacked top to bottom, each pointing left at its control.
    const QRectF assignment = placement.Map(targets.assignment);
    const QRectF paydays = placement.Map(targets.paydays);
    const QRectF colors = placement.Map(targets.shiftColors);
    const QRectF background = placement.Map(targets.background);
    std::vector<ColumnLabel> column = {
        {QStringLiteral("Shift\nAssignment"), assignment.center().y(),
         QPointF(assignment.right() + kArrowGap, assignment.center().y())},
        {QStringLiteral("Show\nPaydays"), paydays.center().y(),
         QPointF(paydays.right() + kArrowGap, paydays.center().y())},
        {QStringLiteral("Shift\nColors"), colors.center().y(),
         QPointF(colors.right() + kArrowGap, colors.center().y())},
        // Below the buttons the row is clear, so this arrow comes up at the button from beneath.
        {QStringLiteral("Background"), background.bottom() + 16,
         QPointF(background.center().x(), background.bottom() + kArrowGap)},
    };
    qreal nextFreeTop = 0;
    for (ColumnLabel& label : column) {
        const QSizeF size = labelSize(label.text);
        const qreal top = std::max(label.wantedMid - size.height() / 2, nextFreeTop);
        label.box = QRectF(QPointF(kLabelColumn, top), size);
        nextFreeTop = label.box.bottom() + kLabelSpacing;
    }
    for (const ColumnLabel& label : column) {
        drawLabel(label.box, label.text, Qt::AlignLeft | Qt::AlignVCenter);
        DrawArrow(painter, StraightRoute(QPointF(label.box.left() - 4, label.box.center().y()), label.tip));
    }

    // Leading / Trailing: below the page, its arrow runs up the left margin and turns in at the button.
    const QRectF leadTrail = placement.Map(targets.leadTrail);
    const QString leadTrailText = QStringLiteral("Leading / Trailing");
    const QSizeF leadTrailSize = labelSize(leadTrailText);
    const QRectF leadTrailBox(QPointF(drawn.left() + 2, drawn.bottom() + kPanelPadding + 14), leadTrailSize);
    drawLabel(leadTrailBox, leadTrailText, Qt::AlignLeft | Qt::AlignVCenter);
    const qreal margin = (drawn.left() - kPanelPadding) / 2;
    QPainterPath elbow(QPointF(leadTrailBox.left() - 3, leadTrailBox.center().y()));
    elbow.lineTo(margin, leadTrailBox.center().y());
    elbow.lineTo(margin, leadTrail.center().y());
    elbow.lineTo(leadTrail.left() - kArrowGap, leadTrail.center().y());
    DrawArrow(painter, elbow);
    return image;
}
