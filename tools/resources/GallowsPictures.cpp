#include "resources/GallowsPictures.h"

#include "pictures/Look.h"
#include "pictures/Painting.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>
#include <initializer_list>

namespace resources {

using namespace pictures;

namespace {

const QColor WoodLight{0xB4, 0x86, 0x55};
const QColor WoodDark{0x7A, 0x52, 0x2E};
const QColor RopeFill{0xD4, 0xB3, 0x72};
const QColor RopeShade{0x8E, 0x6C, 0x36};
const QColor GroundLight{0xC6, 0xA3, 0x6E};
const QColor GroundDark{0x94, 0x6E, 0x45};
const QColor Shadow{0x45, 0x2C, 0x18, 60};

// The figure's place: the rope hangs at x 190 and the stool's seat is at y 316.
constexpr qreal RopeX = 190;
constexpr qreal HeadY = 150;
constexpr qreal HeadRadius = 20;

enum class TMood { Calm, Doubtful, Worried, Afraid, Dead };

TMood MoodOf(int stage)
{
    if (stage >= 7)
        return TMood::Dead;
    if (stage >= 6)
        return TMood::Afraid;
    if (stage >= 5)
        return TMood::Worried;
    if (stage >= 3)
        return TMood::Doubtful;
    return TMood::Calm;
}

// A squared beam between two points, shaded across its thickness, with a little grain.
void PaintTimber(QPainter& p, QPointF from, QPointF to, qreal thickness)
{
    const QLineF axis(from, to);
    const QLineF normal = axis.normalVector().unitVector();
    const QPointF half = (normal.p2() - normal.p1()) * (thickness / 2);
    const QPolygonF beam({from + half, to + half, to - half, from - half});
    QLinearGradient shade(from + half, from - half);
    shade.setColorAt(0.0, WoodLight);
    shade.setColorAt(0.45, WoodLight.darker(108));
    shade.setColorAt(1.0, WoodDark);
    p.setPen(QPen(look::Walnut, 1.6, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.setBrush(shade);
    p.drawPolygon(beam);
    p.setPen(QPen(QColor(0x45, 0x2C, 0x18, 90), 1));
    for (const qreal offset : {-0.22, 0.18}) {
        const QPointF shift = half * (offset * 2);
        p.drawLine(axis.pointAt(0.12) + shift, axis.pointAt(0.55) + shift);
        p.drawLine(axis.pointAt(0.62) + shift * 0.6, axis.pointAt(0.9) + shift * 0.6);
    }
}

void PaintNail(QPainter& p, QPointF at)
{
    p.setPen(Qt::NoPen);
    p.setBrush(look::SlateDeep);
    p.drawEllipse(at, 2.2, 2.2);
    p.setBrush(QColor(0xFF, 0xFF, 0xFF, 90));
    p.drawEllipse(at + QPointF(-0.6, -0.6), 0.8, 0.8);
}

void PaintLandscape(QImage& image)
{
    PaintParchment(image, image.rect(), 11);
    QPainter p(&image);
    PreparePainter(p);
    p.setPen(Qt::NoPen);

    QRadialGradient glow(QPointF(236, 92), 46);
    glow.setColorAt(0.0, QColor(0xFF, 0xD8, 0x4D, 150));
    glow.setColorAt(1.0, QColor(0xFF, 0xD8, 0x4D, 0));
    p.setBrush(glow);
    p.drawEllipse(QPointF(236, 92), 46, 46);
    p.setBrush(QColor(0xFF, 0xE6, 0x8A, 170));
    p.drawEllipse(QPointF(236, 92), 17, 17);

    QPainterPath hills;
    hills.moveTo(0, 296);
    hills.cubicTo(40, 270, 90, 276, 130, 290);
    hills.cubicTo(170, 272, 230, 256, 290, 282);
    hills.lineTo(290, 385);
    hills.lineTo(0, 385);
    hills.closeSubpath();
    p.setBrush(QColor(0x8A, 0x62, 0x3E, 55));
    p.drawPath(hills);

    QPainterPath ground;
    ground.moveTo(0, 346);
    ground.cubicTo(70, 330, 200, 328, 290, 342);
    ground.lineTo(290, 385);
    ground.lineTo(0, 385);
    ground.closeSubpath();
    QLinearGradient earth(0, 330, 0, 385);
    earth.setColorAt(0.0, GroundLight);
    earth.setColorAt(1.0, GroundDark);
    p.setBrush(earth);
    p.drawPath(ground);
    p.setPen(QPen(look::WalnutLight, 1.2, Qt::SolidLine, Qt::RoundCap));
    for (const QPointF tuft :
         {QPointF(18, 352), QPointF(122, 346), QPointF(150, 362), QPointF(258, 352), QPointF(236, 372)}) {
        p.drawLine(tuft, tuft + QPointF(-3, -6));
        p.drawLine(tuft, tuft + QPointF(0, -8));
        p.drawLine(tuft, tuft + QPointF(3, -6));
    }

    // Two birds far away.
    p.setPen(QPen(QColor(0x45, 0x2C, 0x18, 150), 1.4, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (const QPointF bird : {QPointF(150, 100), QPointF(166, 88)}) {
        QPainterPath wings;
        wings.moveTo(bird + QPointF(-6, 0));
        wings.quadTo(bird + QPointF(-3, -4), bird);
        wings.quadTo(bird + QPointF(3, -4), bird + QPointF(6, 0));
        p.drawPath(wings);
    }
}

void PaintGallows(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(Shadow);
    p.drawEllipse(QPointF(72, 342), 46, 6);
    PaintTimber(p, QPointF(42, 342), QPointF(70, 302), 9);
    PaintTimber(p, QPointF(98, 342), QPointF(70, 302), 9);
    PaintTimber(p, QPointF(70, 108), QPointF(136, 42), 10);
    PaintTimber(p, QPointF(70, 28), QPointF(70, 342), 16);
    PaintTimber(p, QPointF(54, 42), QPointF(224, 42), 16);
    for (const QPointF nail : {QPointF(70, 42), QPointF(74, 102), QPointF(130, 44), QPointF(70, 306)})
        PaintNail(p, nail);
}

// A rope segment: a shaded cord with the twist marked across it.
void PaintRope(QPainter& p, QPointF from, QPointF to)
{
    p.setPen(QPen(RopeShade, 5.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
    p.setPen(QPen(RopeFill, 3.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
    p.setPen(QPen(RopeShade, 1));
    const QLineF cord(from, to);
    for (qreal step = 5; step < cord.length(); step += 5) {
        const QPointF at = cord.pointAt(step / cord.length());
        p.drawLine(at + QPointF(-1.7, -1.2), at + QPointF(1.7, 1.2));
    }
}

// Turns of rope around a band of the given place, such as the knot or the turn around the beam.
void PaintCoil(QPainter& p, const QRectF& band, int turns)
{
    p.setPen(QPen(RopeShade, 1.2));
    p.setBrush(RopeFill);
    p.drawRoundedRect(band, 2, 2);
    const qreal step = band.height() / turns;
    for (int i = 1; i < turns; ++i) {
        const qreal y = band.top() + i * step;
        p.drawLine(QPointF(band.left() + 0.5, y), QPointF(band.right() - 0.5, y));
    }
}

void PaintRopeAndNoose(QPainter& p, qreal drop, bool empty)
{
    PaintRope(p, QPointF(RopeX, 48), QPointF(RopeX, 122 + drop));
    PaintCoil(p, QRectF(RopeX - 6, 32, 12, 20), 4);
    if (empty) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(RopeShade, 5.5));
        p.drawEllipse(QPointF(RopeX, 150), 12, 19);
        p.setPen(QPen(RopeFill, 3.5));
        p.drawEllipse(QPointF(RopeX, 150), 12, 19);
    }
    PaintCoil(p, QRectF(RopeX - 6, 116 + drop, 12, 16), 4);
}

void PaintStoolFrame(QPainter& p)
{
    PaintTimber(p, QPointF(172, 322), QPointF(167, 340), 5);
    PaintTimber(p, QPointF(208, 322), QPointF(213, 340), 5);
    PaintTimber(p, QPointF(169, 332), QPointF(211, 332), 3);
    PaintTimber(p, QPointF(162, 319.5), QPointF(218, 319.5), 7);
}

void PaintStool(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(Shadow);
    p.drawEllipse(QPointF(190, 340), 34, 4);
    PaintStoolFrame(p);
}

// The stool kicked away, lying upside down right of the gallows.
void PaintFallenStool(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(Shadow);
    p.drawEllipse(QPointF(246, 343), 32, 4);
    p.save();
    p.translate(246, 330);
    p.rotate(172);
    p.translate(-190, -330);
    PaintStoolFrame(p);
    p.restore();
}

// A limb as a thick outlined stroke through Points, ending in a round hand or a shoe.
void PaintLimb(QPainter& p, std::initializer_list<QPointF> points, qreal width, const QColor& fill, const QColor& edge)
{
    const QPolygonF line{QList<QPointF>(points)};
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(edge, width + 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(line);
    p.setPen(QPen(fill, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(line);
}

void PaintHand(QPainter& p, QPointF at)
{
    p.setPen(QPen(look::Walnut, 1.6));
    p.setBrush(look::Cream);
    p.drawEllipse(at, 5.5, 5.5);
}

void PaintShoe(QPainter& p, QPointF at, bool dangling)
{
    p.setPen(QPen(look::SlateDeep, 1));
    p.setBrush(look::Slate);
    if (dangling)
        p.drawEllipse(at, 5, 8);
    else
        p.drawEllipse(at, 9, 4.5);
}

void PaintLeg(QPainter& p, int side, bool hanged)
{
    const qreal s = side;
    const QColor trousers(0x6E, 0x4A, 0x2A);
    if (hanged) {
        PaintLimb(p, {QPointF(190 + 7 * s, 254), QPointF(190 + 8 * s, 288), QPointF(190 + 6 * s, 316)}, 12, trousers,
                  look::Walnut);
        PaintShoe(p, QPointF(190 + 6 * s, 324), true);
    } else {
        PaintLimb(p, {QPointF(190 + 8 * s, 246), QPointF(190 + 12 * s, 280), QPointF(190 + 15 * s, 306)}, 12, trousers,
                  look::Walnut);
        PaintShoe(p, QPointF(190 + 18 * s, 311), false);
    }
}

void PaintArm(QPainter& p, int side, bool hanged)
{
    const qreal s = side;
    if (hanged) {
        PaintLimb(p, {QPointF(190 + 16 * s, 194), QPointF(190 + 21 * s, 222), QPointF(190 + 22 * s, 246)}, 10,
                  look::SlateLight, look::SlateDeep);
        PaintHand(p, QPointF(190 + 22 * s, 251));
    } else {
        PaintLimb(p, {QPointF(190 + 16 * s, 190), QPointF(190 + 26 * s, 216), QPointF(190 + 33 * s, 238)}, 10,
                  look::SlateLight, look::SlateDeep);
        PaintHand(p, QPointF(190 + 35 * s, 243));
    }
}

void PaintBody(QPainter& p)
{
    QPainterPath torso;
    torso.moveTo(169, 196);
    torso.cubicTo(170, 182, 210, 182, 211, 196);
    torso.lineTo(207, 252);
    torso.lineTo(173, 252);
    torso.closeSubpath();
    QLinearGradient cloth(0, 182, 0, 252);
    cloth.setColorAt(0.0, look::SlateLight);
    cloth.setColorAt(1.0, look::Slate);
    p.setPen(QPen(look::SlateDeep, 2));
    p.setBrush(cloth);
    p.drawPath(torso);
    p.setPen(Qt::NoPen);
    p.setBrush(look::Gold);
    for (const qreal y : {200.0, 214.0, 228.0})
        p.drawEllipse(QPointF(190, y), 1.8, 1.8);
    p.setBrush(look::Walnut);
    p.drawRect(QRectF(173.5, 242, 33, 6));
    p.setPen(QPen(look::Gold, 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(186.5, 242, 7, 6));
}

void PaintEyes(QPainter& p, TMood mood)
{
    const QPointF left(183, HeadY - 2);
    const QPointF right(197, HeadY - 2);
    if (mood == TMood::Dead) {
        p.setPen(QPen(look::Walnut, 2, Qt::SolidLine, Qt::RoundCap));
        for (const QPointF eye : {left, right}) {
            p.drawLine(eye + QPointF(-3, -3), eye + QPointF(3, 3));
            p.drawLine(eye + QPointF(-3, 3), eye + QPointF(3, -3));
        }
        return;
    }
    const qreal size = mood == TMood::Afraid ? 3.2 : 2.2;
    p.setPen(Qt::NoPen);
    p.setBrush(look::Walnut);
    p.drawEllipse(left, size, size);
    p.drawEllipse(right, size, size);
    // Brows rise at the inner ends as the man grows anxious.
    const qreal lift = mood == TMood::Calm ? 0 : mood == TMood::Doubtful ? 1.5 : 3.5;
    p.setPen(QPen(look::Walnut, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(left + QPointF(-4, -6), left + QPointF(3, -6 - lift));
    p.drawLine(right + QPointF(4, -6), right + QPointF(-3, -6 - lift));
}

void PaintMouth(QPainter& p, TMood mood)
{
    const QPointF centre(RopeX, HeadY + 9);
    p.setPen(QPen(look::Walnut, 1.8, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath mouth;
    switch (mood) {
    case TMood::Calm:
        mouth.moveTo(centre + QPointF(-6, -1));
        mouth.quadTo(centre + QPointF(0, 4), centre + QPointF(6, -1));
        p.drawPath(mouth);
        break;
    case TMood::Doubtful:
        mouth.moveTo(centre + QPointF(-5, 1));
        mouth.quadTo(centre + QPointF(1, -1), centre + QPointF(5, 1));
        p.drawPath(mouth);
        break;
    case TMood::Worried:
        mouth.moveTo(centre + QPointF(-6, 2));
        mouth.quadTo(centre + QPointF(0, -4), centre + QPointF(6, 2));
        p.drawPath(mouth);
        break;
    case TMood::Afraid:
        p.setBrush(look::BrickDeep);
        p.drawEllipse(centre + QPointF(0, 1), 3.5, 4.5);
        break;
    case TMood::Dead:
        p.drawLine(centre + QPointF(-6, 0), centre + QPointF(6, 0));
        p.setPen(QPen(look::BrickDeep, 1));
        p.setBrush(look::Brick);
        p.drawEllipse(centre + QPointF(2.5, 3.5), 3, 4);
        break;
    }
}

void PaintHead(QPainter& p, TMood mood)
{
    p.setPen(QPen(look::Walnut, 1.6));
    p.setBrush(look::Cream);
    p.drawRect(QRectF(185, HeadY + 14, 10, 23)); // the neck, down into the collar
    p.setPen(QPen(look::Walnut, 2.4));
    p.drawEllipse(QPointF(RopeX, HeadY), HeadRadius, HeadRadius);
    // A few locks of hair on top.
    p.setPen(QPen(look::Walnut, 2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (const qreal x : {-7.0, -1.0, 5.0}) {
        QPainterPath lock;
        lock.moveTo(RopeX + x, HeadY - HeadRadius + 1);
        lock.quadTo(RopeX + x + 2, HeadY - HeadRadius - 6, RopeX + x + 6, HeadY - HeadRadius - 3);
        p.drawPath(lock);
    }
    PaintEyes(p, mood);
    PaintMouth(p, mood);
    if (mood == TMood::Afraid) {
        QPainterPath drop;
        drop.moveTo(RopeX + 19, HeadY - 12);
        drop.cubicTo(RopeX + 23, HeadY - 5, RopeX + 24, HeadY - 1, RopeX + 19.5, HeadY - 1);
        drop.cubicTo(RopeX + 15, HeadY - 1, RopeX + 16, HeadY - 5, RopeX + 19, HeadY - 12);
        p.setPen(QPen(look::SlateLight, 1));
        p.setBrush(QColor(0xBF, 0xE3, 0xF5));
        p.drawPath(drop);
    }
    // The noose's knot rests under the jaw.
    PaintCoil(p, QRectF(RopeX - 9, HeadY + 19, 18, 6), 1);
}

// A crow come to watch, perched on the beam's end.
void PaintCrow(QPainter& p)
{
    QPainterPath crow;
    crow.moveTo(206, 33);
    crow.cubicTo(206, 24, 214, 20, 220, 21);
    crow.cubicTo(222, 15, 230, 15, 231, 20);
    crow.lineTo(237, 22);
    crow.lineTo(230, 24);
    crow.cubicTo(229, 30, 224, 33, 216, 34);
    crow.lineTo(206, 38);
    crow.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(look::SlateDeep);
    p.drawPath(crow);
    p.setBrush(look::Gold);
    p.drawEllipse(QPointF(227, 19), 1.1, 1.1);
    p.setPen(QPen(look::SlateDeep, 1.2));
    p.drawLine(QPointF(216, 33), QPointF(215, 35));
    p.drawLine(QPointF(221, 32), QPointF(221, 35));
}

} // namespace

QImage GallowsStage(int stage)
{
    QImage image = NewPicture(GallowsWidth, GallowsHeight, look::PanelFill);
    PaintLandscape(image);
    QPainter p(&image);
    PreparePainter(p);
    const bool hanged = stage >= 7;
    const qreal drop = hanged ? 8 : 0;
    PaintGallows(p);
    if (hanged)
        PaintFallenStool(p);
    else
        PaintStool(p);
    PaintRopeAndNoose(p, drop, stage == 0);

    // Every part in drawing order (back to front), shown from the stage that adds it.
    p.translate(0, drop);
    if (stage >= 5)
        PaintLeg(p, -1, hanged);
    if (stage >= 6)
        PaintLeg(p, 1, hanged);
    if (stage >= 3)
        PaintArm(p, -1, hanged);
    if (stage >= 4)
        PaintArm(p, 1, hanged);
    if (stage >= 2)
        PaintBody(p);
    if (stage >= 1) {
        p.save();
        if (hanged) { // the head hangs to one side
            p.translate(RopeX, HeadY + 32);
            p.rotate(12);
            p.translate(-RopeX, -(HeadY + 32));
        }
        PaintHead(p, MoodOf(stage));
        p.restore();
    }
    p.translate(0, -drop);
    if (hanged)
        PaintCrow(p);

    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(look::WalnutLight);
    p.setBrush(Qt::NoBrush);
    p.drawRect(image.rect().adjusted(0, 0, -1, -1));
    return image;
}

} // namespace resources
