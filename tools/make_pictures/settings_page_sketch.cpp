#include "settings_page_sketch.h"

#include "picture_canvas.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <numbers>

namespace {

// Control rectangles of the page, tool bar included (the page body starts 48 below the top).
constexpr qreal kBar = 48;
const QRectF kBack(4, 4, 48, 40);
const QRectF kSave(255, 2, 73, 44);
const QRectF kAssignmentLabel(16, kBar + 16, 167, 25);
const QRectF kAssignment(144, kBar + 14, 87, 32);
const QRectF kPaydaysLabel(16, kBar + 64, 173, 25);
const QRectF kPaydays(171, kBar + 63, 44, 26);
const QRectF kWork(16, kBar + 111, 65, 41);
const QRectF kOff(89, kBar + 111, 65, 41);
const QRectF kMulti(162, kBar + 111, 73, 41);
const QRectF kLeadTrail(16, kBar + 175, 65, 41);
const QRectF kBackground(89, kBar + 175, 65, 41);
const QRectF kReset(162, kBar + 175, 73, 41);
const QRectF kAgencyLabel(16, kBar + 224, 215, 25);
const QRectF kAgency(16, kBar + 249, 231, 33);

const QColor kFrameLine(0xb4, 0xb4, 0xb4);
const QColor kControlLine(0xa6, 0xa6, 0xa6);
const QColor kIcon(0x42, 0x42, 0x42);
const QColor kSwitchOn(0x1e, 0x88, 0xe5);

void DrawPushButton(QPainter& painter, const QRectF& box, const QString& text, const QColor& textColor) {
    QLinearGradient face(box.topLeft(), box.bottomLeft());
    face.setColorAt(0.0, QColor(0xfd, 0xfd, 0xfd));
    face.setColorAt(1.0, QColor(0xe4, 0xe4, 0xe4));
    painter.setPen(QPen(kControlLine, 1));
    painter.setBrush(face);
    painter.drawRoundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    painter.setPen(textColor);
    painter.setFont(PictureFont(15, true));
    painter.drawText(box, Qt::AlignCenter, text);
}

void DrawBackArrow(QPainter& painter, const QRectF& box) {
    const QPointF centre = box.center();
    QPainterPath arrow(centre + QPointF(9, 0));
    arrow.lineTo(centre + QPointF(-9, 0));
    arrow.moveTo(centre + QPointF(-2, -7));
    arrow.lineTo(centre + QPointF(-9, 0));
    arrow.lineTo(centre + QPointF(-2, 7));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kIcon, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(arrow);
}

void DrawRefreshIcon(QPainter& painter, const QRectF& box) {
    const QPointF centre = box.center();
    const qreal radius = 9;
    const QRectF circle(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kIcon, 2.4, Qt::SolidLine, Qt::FlatCap));
    painter.drawArc(circle, 60 * 16, 290 * 16);

    // Arrow head at the arc's open end, pointing along the turn.
    const qreal radians = 60.0 * std::numbers::pi / 180.0;
    const QPointF tip(centre.x() + radius * std::cos(radians), centre.y() - radius * std::sin(radians));
    QPainterPath head(tip + QPointF(5.5, -1.5));
    head.lineTo(tip + QPointF(-2.0, -4.5));
    head.lineTo(tip + QPointF(1.0, 4.5));
    head.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(kIcon);
    painter.drawPath(head);
}

void DrawDropDown(QPainter& painter, const QRectF& box, const QString& text) {
    painter.setPen(QPen(kControlLine, 1));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    painter.setPen(Qt::black);
    painter.setFont(PictureFont(13, false));
    painter.drawText(box.adjusted(8, 0, -20, 0), Qt::AlignLeft | Qt::AlignVCenter, text);

    const QPointF arrowCentre(box.right() - 11, box.center().y() + 1);
    QPainterPath arrow(arrowCentre + QPointF(-4.5, -2.5));
    arrow.lineTo(arrowCentre + QPointF(4.5, -2.5));
    arrow.lineTo(arrowCentre + QPointF(0, 2.5));
    arrow.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(kIcon);
    painter.drawPath(arrow);
}

void DrawSwitchOn(QPainter& painter, const QRectF& box) {
    const QRectF track = box.adjusted(1, 2, -1, -2);
    const qreal radius = track.height() / 2;
    painter.setPen(Qt::NoPen);
    painter.setBrush(kSwitchOn);
    painter.drawRoundedRect(track, radius, radius);

    const QPointF knob(track.right() - radius, track.center().y());
    painter.setBrush(QColor(0, 0, 0, 45));
    painter.drawEllipse(knob + QPointF(0, 1), radius - 2, radius - 2);
    painter.setBrush(Qt::white);
    painter.drawEllipse(knob, radius - 2.5, radius - 2.5);
}

void DrawEditBox(QPainter& painter, const QRectF& box, const QString& text) {
    painter.setPen(QPen(kControlLine, 1));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    // The agency name shows half transparent until the edit takes the focus.
    painter.setPen(QColor(0, 0, 0, 128));
    painter.setFont(PictureFont(14, false));
    painter.drawText(box.adjusted(8, 0, -8, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
}

void DrawLabel(QPainter& painter, const QRectF& box, const QString& text, Qt::Alignment vertical) {
    painter.setPen(Qt::black);
    painter.setFont(PictureFont(16, false));
    painter.drawText(box, Qt::AlignLeft | vertical, text);
}

} // namespace

QImage DrawSettingsPageSketch(QSize pixels) {
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setRenderHint(QPainter::TextAntialiasing, true);
        painter.scale(pixels.width() / qreal(SettingsPageSketchSize.width()),
                      pixels.height() / qreal(SettingsPageSketchSize.height()));

        // Tool bar and page body, each a white rectangle with a thin border.
        painter.setPen(QPen(kFrameLine, 1));
        painter.setBrush(Qt::white);
        painter.drawRect(QRectF(0.5, 0.5, SettingsPageSketchSize.width() - 1, kBar - 1));
        painter.drawRect(QRectF(0.5, kBar + 0.5, SettingsPageSketchSize.width() - 1,
                                SettingsPageSketchSize.height() - kBar - 1));

        DrawBackArrow(painter, kBack);
        painter.setPen(Qt::black);
        painter.setFont(PictureFont(20, false));
        painter.drawText(QRectF(0, 0, SettingsPageSketchSize.width(), kBar), Qt::AlignCenter,
                         QStringLiteral("Varnok\u00ae"));
        DrawPushButton(painter, kSave, QStringLiteral("Save"), QColor(0x00, 0x00, 0x80));

        DrawLabel(painter, kAssignmentLabel, QStringLiteral("Assignment"), Qt::AlignVCenter);
        DrawDropDown(painter, kAssignment, QStringLiteral("Group 3"));
        DrawLabel(painter, kPaydaysLabel, QStringLiteral("Paydays"), Qt::AlignVCenter);
        DrawSwitchOn(painter, kPaydays);

        DrawPushButton(painter, kWork, QStringLiteral("Work"), QColor(0x00, 0x00, 0xff));
        DrawPushButton(painter, kOff, QStringLiteral("Off"), QColor(0xa9, 0xa9, 0xa9));
        DrawPushButton(painter, kMulti, QStringLiteral("Multi"), QColor(0xda, 0xa5, 0x20));
        DrawPushButton(painter, kLeadTrail, QStringLiteral("Ld / Tr"), QColor(0xc0, 0xc0, 0xc0));
        DrawPushButton(painter, kBackground, QStringLiteral("BkGr"), Qt::black);
        DrawRefreshIcon(painter, kReset);

        DrawLabel(painter, kAgencyLabel, QStringLiteral("Agency Name"), Qt::AlignBottom);
        DrawEditBox(painter, kAgency, QStringLiteral("Tolmere Fire Department"));
    }
    image.setDevicePixelRatio(pixels.width() / qreal(SettingsPageSketchSize.width()));
    return image;
}

HelpTargets SettingsPageSketchTargets() {
    return {
        .save = kSave,
        .assignment = kAssignment,
        .paydays = kPaydays,
        .shiftColors = kWork.united(kMulti),
        .leadTrail = kLeadTrail,
        .background = kBackground,
    };
}
