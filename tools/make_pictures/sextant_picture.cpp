#include "sextant_picture.h"

#include "picture_canvas.h"

#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QTransform>
#include <cmath>
#include <numbers>

namespace {

// The frame is a sector hanging from the index arm's pivot; angles are degrees from straight down,
// positive to the left (towards the horizon mirror's side).
const QPointF kPivot(112, 22);
constexpr qreal kHalfSpan = 33;      // half the frame's opening angle
constexpr qreal kLimbInner = 146;    // inner radius of the graduated arc
constexpr qreal kLimbOuter = 172;    // outer radius of the graduated arc
constexpr qreal kIndexAngle = 7;     // where the index arm stands
constexpr qreal kHorizonRadius = 74; // the horizon mirror's place on the left leg
constexpr qreal kGap = 1.6;          // clear space that separates overlapping parts

QPointF Polar(qreal radius, qreal degrees) {
    const qreal radians = degrees * std::numbers::pi / 180.0;
    return {kPivot.x() - radius * std::sin(radians), kPivot.y() + radius * std::cos(radians)};
}

// QPainterPath angles run counter-clockwise from three o'clock; ours run from six o'clock.
qreal PathAngle(qreal degrees) {
    return 270.0 - degrees;
}

QPainterPath AnnularSector(qreal inner, qreal outer, qreal from, qreal to) {
    QPainterPath path;
    const QRectF outerBox(kPivot.x() - outer, kPivot.y() - outer, 2 * outer, 2 * outer);
    const QRectF innerBox(kPivot.x() - inner, kPivot.y() - inner, 2 * inner, 2 * inner);
    path.arcMoveTo(outerBox, PathAngle(from));
    path.arcTo(outerBox, PathAngle(from), from - to);
    path.arcTo(innerBox, PathAngle(to), to - from);
    path.closeSubpath();
    return path;
}

QPainterPath Stroked(const QPainterPath& skeleton, qreal width, Qt::PenCapStyle cap = Qt::RoundCap) {
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(cap);
    stroker.setJoinStyle(Qt::RoundJoin);
    return stroker.createStroke(skeleton).simplified();
}

QPainterPath Line(QPointF from, QPointF to) {
    QPainterPath path(from);
    path.lineTo(to);
    return path;
}

// A rectangle of the given size centred on a point and turned by an angle (degrees, clockwise).
QPainterPath TurnedRect(QPointF centre, QSizeF size, qreal degrees, qreal corner = 0) {
    QPainterPath box;
    box.addRoundedRect(QRectF(-size.width() / 2, -size.height() / 2, size.width(), size.height()), corner,
                       corner);
    QTransform turn;
    turn.translate(centre.x(), centre.y());
    turn.rotate(degrees);
    return turn.map(box);
}

// Fills a part in black after clearing a thin margin around it, so a part in front stays readable
// where it crosses one behind.
void DrawPart(QPainter& painter, const QPainterPath& pieces) {
    // Overlapping pieces of one part merge into one outline, so the margin runs only around the whole.
    QPainterPath merged = pieces;
    merged.setFillRule(Qt::WindingFill);
    const QPainterPath part = merged.simplified();
    painter.setCompositionMode(QPainter::CompositionMode_Clear);
    painter.strokePath(part, QPen(Qt::black, 2 * kGap, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.fillPath(part, Qt::black);
}

void Cut(QPainter& painter, const QPainterPath& hole) {
    painter.setCompositionMode(QPainter::CompositionMode_Clear);
    painter.fillPath(hole, Qt::black);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

QPainterPath Handle() {
    // The grip sits behind the frame, beside the right leg below the telescope, held by two brackets.
    const qreal legAngle = -kHalfSpan;
    const qreal radians = legAngle * std::numbers::pi / 180.0;
    const QPointF outward(std::cos(radians), std::sin(radians)); // perpendicular to the leg, to the right
    auto along = [&](qreal radius, qreal offset) { return Polar(radius, legAngle) + outward * offset; };

    QPainterPath handle;
    for (const qreal radius : {102.0, 136.0})
        handle.addPath(Stroked(Line(along(radius, 0), along(radius, 20)), 6, Qt::FlatCap));
    handle.addPath(Stroked(Line(along(96, 25), along(142, 25)), 16));
    return handle;
}

QPainterPath HandleGrooves() {
    // Finger grooves along the grip's outer edge.
    const qreal radians = -kHalfSpan * std::numbers::pi / 180.0;
    const QPointF outward(std::cos(radians), std::sin(radians));
    QPainterPath grooves;
    for (const qreal radius : {108.0, 119.0, 130.0})
        grooves.addEllipse(Polar(radius, -kHalfSpan) + outward * 35, 3.6, 3.6);
    return grooves;
}

QPainterPath Frame() {
    QPainterPath skeleton;
    skeleton.addPath(Line(kPivot, Polar(kLimbInner + 4, kHalfSpan - 3.0)));
    skeleton.addPath(Line(kPivot, Polar(kLimbInner + 4, -kHalfSpan + 3.0)));
    QPainterPath frame = Stroked(skeleton, 11);

    // An inner bracing arc with three spokes down to the limb: the frame's lattice.
    frame.addPath(AnnularSector(86, 95, -kHalfSpan + 2, kHalfSpan - 2));
    for (const qreal angle : {-14.0, 0.0, 14.0})
        frame.addPath(Stroked(Line(Polar(90, angle), Polar(kLimbInner + 2, angle)), 6));
    frame.addPath(AnnularSector(kLimbInner, kLimbOuter, -kHalfSpan - 1.5, kHalfSpan + 1.5));

    QPainterPath boss;
    boss.addEllipse(kPivot, 13, 13);
    frame.addPath(boss);
    return frame;
}

// Graduation of the limb: a division every 2 degrees, longer every 10, cut out of the arc.
QPainterPath Graduation() {
    QPainterPath ticks;
    for (int step = -15; step <= 15; ++step) {
        const qreal angle = step * 2.0;
        const qreal inner = step % 5 == 0 ? kLimbOuter - 13 : kLimbOuter - 8;
        ticks.addPath(Stroked(Line(Polar(inner, angle), Polar(kLimbOuter - 2.5, angle)), 1.0, Qt::FlatCap));
    }
    // A fine line that the divisions stand on.
    ticks.addPath(AnnularSector(kLimbOuter - 14, kLimbOuter - 13, -kHalfSpan + 1, kHalfSpan - 1));
    return ticks;
}

QPainterPath Telescope() {
    // Aimed along the frame at the horizon mirror, eyepiece out past the right leg.
    const qreal axis = Polar(kHorizonRadius, kHalfSpan).y();
    QPainterPath scope;
    const qreal objectiveEnd = Polar(kHorizonRadius, kHalfSpan).x() + 18;
    scope.addRoundedRect(QRectF(objectiveEnd, axis - 8, 22, 16), 2, 2);           // objective cell
    scope.addRect(QRectF(objectiveEnd + 20, axis - 6.5, 96, 13));                 // tube
    scope.addRoundedRect(QRectF(objectiveEnd + 112, axis - 5, 26, 10), 1.5, 1.5); // draw tube
    scope.addRoundedRect(QRectF(objectiveEnd + 134, axis - 7, 10, 14), 2.5, 2.5); // eyepiece
    return scope;
}

QPainterPath TelescopeRings() {
    const qreal axis = Polar(kHorizonRadius, kHalfSpan).y();
    const qreal objectiveEnd = Polar(kHorizonRadius, kHalfSpan).x() + 18;
    QPainterPath rings;
    for (const qreal x : {objectiveEnd + 20.0, objectiveEnd + 113.0, objectiveEnd + 134.5})
        rings.addRect(QRectF(x, axis - 9, 1.2, 18));
    return rings;
}

QPainterPath TelescopeCollar() {
    // The collar that holds the telescope to the frame, on the right leg's upright.
    const qreal axis = Polar(kHorizonRadius, kHalfSpan).y();
    const QPointF foot = Polar(kHorizonRadius + 14, -kHalfSpan);
    QPainterPath collar;
    collar.addRoundedRect(QRectF(foot.x() - 14, axis - 10, 14, 20), 2, 2);
    collar.addPath(Stroked(Line(QPointF(foot.x() - 7, axis + 6), foot), 7, Qt::FlatCap));
    return collar;
}

QPainterPath IndexArm() {
    QPainterPath arm;
    const QPointF foot = Polar(kLimbOuter + 8, kIndexAngle);
    arm.addPath(Stroked(Line(kPivot, Polar(kLimbInner - 6, kIndexAngle)), 9));

    // The clamp plate at the foot spans the limb and carries the reading window.
    const QPointF plateCentre = Polar(kLimbInner + 10, kIndexAngle);
    arm.addPath(TurnedRect(plateCentre, QSizeF(34, 40), -kIndexAngle, 4));
    arm.addPath(Stroked(Line(Polar(kLimbInner - 10, kIndexAngle), foot), 12, Qt::RoundCap));
    return arm;
}

QPainterPath ReadingWindow() {
    return TurnedRect(Polar(kLimbInner + 4, kIndexAngle), QSizeF(16, 9), -kIndexAngle, 1.5);
}

QPainterPath MicrometerDrum() {
    // The drum sits beside the arm's foot, with its knurled rim.
    const QPointF centre = Polar(kLimbOuter + 2, kIndexAngle + 9);
    QPainterPath drum;
    drum.addEllipse(centre, 12, 12);
    for (int tooth = 0; tooth < 24; ++tooth) {
        const qreal radians = tooth * std::numbers::pi / 12.0;
        const QPointF direction(std::cos(radians), std::sin(radians));
        drum.addEllipse(centre + direction * 12, 1.4, 1.4);
    }
    return drum;
}

QPainterPath DrumFace() {
    const QPointF centre = Polar(kLimbOuter + 2, kIndexAngle + 9);
    QPainterPath face;
    face.addEllipse(centre, 8.5, 8.5);
    QPainterPath hub;
    hub.addEllipse(centre, 3.5, 3.5);
    return face.subtracted(hub);
}

QPointF IndexMirrorCentre() {
    return kPivot + QPointF(-3, -4);
}

QPainterPath IndexMirror() {
    // Stands on the arm's head over the pivot, facing the horizon mirror.
    return TurnedRect(IndexMirrorCentre(), QSizeF(17, 34), -kIndexAngle - 20, 2);
}

QPainterPath IndexMirrorGlass() {
    return TurnedRect(IndexMirrorCentre(), QSizeF(9, 26), -kIndexAngle - 20, 1);
}

QPainterPath HorizonMirror() {
    return TurnedRect(Polar(kHorizonRadius, kHalfSpan) + QPointF(6, 0), QSizeF(12, 30), 0, 1.5);
}

QPainterPath HorizonMirrorGlass() {
    // Only half of the horizon mirror is silvered: the clear half shows the horizon.
    const QPointF centre = Polar(kHorizonRadius, kHalfSpan) + QPointF(6, 0);
    return TurnedRect(centre + QPointF(0, -6.5), QSizeF(7, 12), 0);
}

// Tinted glasses hinged on the left leg, between the two mirrors, fanned out so each shows.
QPointF ShadeHingeCentre() {
    return Polar(34, kHalfSpan) + QPointF(5, 0);
}

QPainterPath ShadeHinge() {
    QPainterPath knuckle;
    knuckle.addEllipse(ShadeHingeCentre(), 4.5, 4.5);
    return knuckle;
}

QPainterPath IndexShade(int shade) {
    const QPointF hinge = ShadeHingeCentre();
    QTransform turn;
    turn.translate(hinge.x(), hinge.y());
    turn.rotate(-4.0 + shade * 24.0);
    QPainterPath glass;
    glass.addRoundedRect(QRectF(-3.5, 2, 7, 24), 1.5, 1.5);
    return turn.map(glass);
}

} // namespace

QImage DrawSextant(qreal scale) {
    QImage image = MakeCanvas(SextantSize, scale);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);

    // Back to front: the handle behind, the frame, the telescope on it, then the moving parts.
    DrawPart(painter, Handle());
    Cut(painter, HandleGrooves());
    DrawPart(painter, Frame());
    Cut(painter, Graduation());
    DrawPart(painter, Telescope());
    Cut(painter, TelescopeRings());
    DrawPart(painter, TelescopeCollar());
    for (int shade = 2; shade >= 0; --shade)
        DrawPart(painter, IndexShade(shade));
    DrawPart(painter, ShadeHinge());
    DrawPart(painter, HorizonMirror());
    Cut(painter, HorizonMirrorGlass());
    DrawPart(painter, IndexArm());
    Cut(painter, ReadingWindow());
    DrawPart(painter, MicrometerDrum());
    Cut(painter, DrumFace());
    DrawPart(painter, IndexMirror());
    Cut(painter, IndexMirrorGlass());
    return image;
}
