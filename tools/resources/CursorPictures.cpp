#include "resources/CursorPictures.h"

#include "pictures/Look.h"
#include "pictures/Painting.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QTransform>
#include <functional>

namespace resources {

using namespace pictures;

namespace {

const QColor CursorShadow{0, 0, 0, 70};

QImage NewCursor()
{
    QImage image(CursorSize, CursorSize, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

// Draws Shape as every cursor part is drawn: a soft shadow, a cream body, a slate outline.
void PaintShape(QPainter& p, const QPainterPath& shape, const QBrush& fill = look::Cream)
{
    p.setPen(Qt::NoPen);
    p.setBrush(CursorShadow);
    p.drawPath(shape.translated(1.5, 1.5));
    p.setPen(QPen(look::SlateDeep, 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(shape);
}

// A thin stroke, outlined so that it shows on light and dark windows alike.
void PaintStroke(QPainter& p, const QPainterPath& stroke)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(CursorShadow, 3.4, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(stroke.translated(1.2, 1.2));
    p.setPen(QPen(look::SlateDeep, 3.4, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(stroke);
    p.setPen(QPen(look::Cream, 1.4, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(stroke);
}

QPainterPath ArrowShape()
{
    QPainterPath arrow;
    arrow.moveTo(1.5, 1.5);
    arrow.lineTo(1.5, 21);
    arrow.lineTo(6, 16.5);
    arrow.lineTo(9.8, 25);
    arrow.lineTo(13, 23.6);
    arrow.lineTo(9.3, 15.3);
    arrow.lineTo(15.5, 15.3);
    arrow.closeSubpath();
    return arrow;
}

void PaintArrow(QPainter& p)
{
    QLinearGradient body(0, 0, 0, 24);
    body.setColorAt(0.0, look::Cream);
    body.setColorAt(1.0, look::CreamShade);
    PaintShape(p, ArrowShape(), body);
}

// A double-headed arrow 24 long through Centre, turned by Angle degrees (0 = left-right).
QPainterPath DoubleArrowShape(QPointF centre, qreal angle, qreal length = 24)
{
    const qreal h = length / 2;
    QPainterPath shape;
    shape.moveTo(-h, 0);
    shape.lineTo(-h + 6.5, -6.5);
    shape.lineTo(-h + 6.5, -2);
    shape.lineTo(h - 6.5, -2);
    shape.lineTo(h - 6.5, -6.5);
    shape.lineTo(h, 0);
    shape.lineTo(h - 6.5, 6.5);
    shape.lineTo(h - 6.5, 2);
    shape.lineTo(-h + 6.5, 2);
    shape.lineTo(-h + 6.5, 6.5);
    shape.closeSubpath();
    QTransform turn;
    turn.translate(centre.x(), centre.y());
    turn.rotate(angle);
    return turn.map(shape);
}

QPainterPath HandShape()
{
    QPainterPath hand;
    hand.setFillRule(Qt::WindingFill);
    hand.addRoundedRect(QRectF(-2.6, 0, 5.2, 15), 2.6, 2.6);     // the pointing finger
    hand.addRoundedRect(QRectF(1.8, 8, 4.6, 9), 2.3, 2.3);       // three folded fingers
    hand.addRoundedRect(QRectF(5.8, 9, 4.6, 9), 2.3, 2.3);
    hand.addRoundedRect(QRectF(9.8, 10.5, 4.4, 8.5), 2.2, 2.2);
    hand.addRoundedRect(QRectF(-2.6, 13, 16.8, 10.5), 3.5, 3.5); // the palm
    QPainterPath thumb;
    thumb.addRoundedRect(QRectF(-9.5, -2.2, 9, 4.4), 2.2, 2.2);
    QTransform lay;
    lay.translate(-1.5, 17.5);
    lay.rotate(40);
    hand.addPath(lay.map(thumb));
    return hand.simplified();
}

// The hand with its finger tip at Tip, scaled by Scale, its cuff in slate.
void PaintHand(QPainter& p, QPointF tip, qreal scale)
{
    p.save();
    p.translate(tip);
    p.scale(scale, scale);
    QPainterPath cuff;
    cuff.addRoundedRect(QRectF(-1.6, 22.5, 15, 5.5), 1.5, 1.5);
    PaintShape(p, cuff, look::SlateLight);
    PaintShape(p, HandShape());
    p.setPen(QPen(look::SlateDeep, 0.9));
    p.drawLine(QPointF(6, 13), QPointF(6, 16.5));
    p.drawLine(QPointF(10, 14), QPointF(10, 17.5));
    p.restore();
}

QPainterPath BeamStroke(QPointF centre, qreal halfHeight)
{
    QPainterPath beam;
    const qreal top = centre.y() - halfHeight;
    const qreal bottom = centre.y() + halfHeight;
    beam.moveTo(centre.x() - 4, top);
    beam.quadTo(centre.x(), top, centre.x(), top + 3);
    beam.quadTo(centre.x(), top, centre.x() + 4, top);
    beam.moveTo(centre.x(), top + 3);
    beam.lineTo(centre.x(), bottom - 3);
    beam.moveTo(centre.x() - 4, bottom);
    beam.quadTo(centre.x(), bottom, centre.x(), bottom - 3);
    beam.quadTo(centre.x(), bottom, centre.x() + 4, bottom);
    return beam;
}

// An hourglass in Box: wooden ends, glass, gold sand running down.
void PaintHourglass(QPainter& p, const QRectF& box)
{
    const qreal w = box.width();
    const qreal h = box.height();
    const qreal endHeight = h * 0.12;
    const QRectF glassBox = box.adjusted(w * 0.12, endHeight, -w * 0.12, -endHeight);
    QPainterPath glass;
    glass.moveTo(glassBox.topLeft());
    glass.lineTo(glassBox.topRight());
    glass.cubicTo(glassBox.right(), glassBox.center().y() - h * 0.12, glassBox.center().x() + w * 0.08,
                  glassBox.center().y() - h * 0.04, glassBox.center().x() + w * 0.06, glassBox.center().y());
    glass.cubicTo(glassBox.center().x() + w * 0.08, glassBox.center().y() + h * 0.04, glassBox.right(),
                  glassBox.center().y() + h * 0.12, glassBox.bottomRight().x(), glassBox.bottom());
    glass.lineTo(glassBox.bottomLeft());
    glass.cubicTo(glassBox.left(), glassBox.center().y() + h * 0.12, glassBox.center().x() - w * 0.08,
                  glassBox.center().y() + h * 0.04, glassBox.center().x() - w * 0.06, glassBox.center().y());
    glass.cubicTo(glassBox.center().x() - w * 0.08, glassBox.center().y() - h * 0.04, glassBox.left(),
                  glassBox.center().y() - h * 0.12, glassBox.left(), glassBox.top());
    glass.closeSubpath();
    PaintShape(p, glass, QColor(0xE8, 0xF1, 0xF6));

    // Sand: what is left above, the thread, and the heap below.
    p.save();
    p.setClipPath(glass);
    p.setPen(Qt::NoPen);
    p.setBrush(look::Gold);
    const qreal sandTop = glassBox.top() + glassBox.height() * 0.28;
    p.drawRect(QRectF(glassBox.left(), sandTop, glassBox.width(), glassBox.height() * 0.22));
    QPainterPath heap;
    heap.moveTo(glassBox.bottomLeft());
    heap.quadTo(QPointF(glassBox.center().x(), glassBox.bottom() - glassBox.height() * 0.45), glassBox.bottomRight());
    p.drawPath(heap);
    p.setPen(QPen(look::GoldDeep, 1));
    p.drawLine(glassBox.center(), QPointF(glassBox.center().x(), glassBox.bottom() - 2));
    p.restore();

    for (const qreal y : {box.top(), box.bottom() - endHeight}) {
        QPainterPath end;
        end.addRoundedRect(QRectF(box.left(), y, w, endHeight), 1.2, 1.2);
        PaintShape(p, end, look::WalnutLight);
    }
}

// The sign of refusal: a brick-red ring with a bar across, of radius R around Centre.
void PaintNoSign(QPainter& p, QPointF centre, qreal r)
{
    QPainterPath ring;
    ring.addEllipse(centre, r, r);
    ring.addEllipse(centre, r * 0.66, r * 0.66);
    QPainterPath bar;
    bar.addRect(QRectF(-r * 0.72, -r * 0.17, r * 1.44, r * 0.34));
    QTransform turn;
    turn.translate(centre.x(), centre.y());
    turn.rotate(45);
    const QPainterPath sign = ring.united(turn.map(bar));
    PaintShape(p, sign, look::Brick);
}

QPainterPath Page(const QRectF& area)
{
    QPainterPath page;
    page.moveTo(area.topLeft());
    page.lineTo(area.right() - 3, area.top());
    page.lineTo(area.right(), area.top() + 3);
    page.lineTo(area.bottomRight());
    page.lineTo(area.bottomLeft());
    page.closeSubpath();
    return page;
}

void PaintPage(QPainter& p, const QRectF& area)
{
    PaintShape(p, Page(area));
    p.setPen(QPen(look::WalnutLight, 1));
    for (qreal y = area.top() + 4; y < area.bottom() - 2; y += 3)
        p.drawLine(QPointF(area.left() + 2.5, y), QPointF(area.right() - 2.5, y));
}

void PaintQuestionBadge(QPainter& p, QPointF centre)
{
    QPainterPath badge;
    badge.addEllipse(centre, 7, 7);
    PaintShape(p, badge, look::Gold);
    p.setFont(SansFont(12, true));
    p.setPen(look::SlateDeep);
    p.drawText(QRectF(centre.x() - 7, centre.y() - 7.5, 14, 14), Qt::AlignCenter, QStringLiteral("?"));
}

void PaintDatabase(QPainter& p, const QRectF& area)
{
    const qreal cap = 3.5;
    QPainterPath drum;
    drum.moveTo(area.left(), area.top() + cap);
    drum.lineTo(area.left(), area.bottom() - cap);
    drum.arcTo(QRectF(area.left(), area.bottom() - 2 * cap, area.width(), 2 * cap), 180, 180);
    drum.lineTo(area.right(), area.top() + cap);
    drum.arcTo(QRectF(area.left(), area.top(), area.width(), 2 * cap), 0, 180);
    drum.closeSubpath();
    PaintShape(p, drum, look::SlateLight);
    p.setPen(QPen(look::Cream, 1));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(area.left(), area.top(), area.width(), 2 * cap), 180 * 16, 180 * 16);
    p.drawArc(QRectF(area.left(), area.top() + area.height() * 0.38, area.width(), 2 * cap), 180 * 16, 180 * 16);
}

// A cursor as a painting: Paint draws it, the hot spot travels with it.
TCursorPicture Cursor(const char* name, QPoint hotSpot, const std::function<void(QPainter&)>& paint)
{
    QImage image = NewCursor();
    QPainter p(&image);
    PreparePainter(p);
    paint(p);
    p.end();
    return {QString::fromLatin1(name), image, hotSpot};
}

void PaintSplit(QPainter& p, qreal angle)
{
    p.save();
    p.translate(15.5, 15.5);
    p.rotate(angle);
    for (const qreal side : {-1.0, 1.0}) {
        QPainterPath head;
        head.moveTo(side * 13, 0);
        head.lineTo(side * 6.5, -6);
        head.lineTo(side * 6.5, -2);
        head.lineTo(side * 3.5, -2);
        head.lineTo(side * 3.5, 2);
        head.lineTo(side * 6.5, 2);
        head.lineTo(side * 6.5, 6);
        head.closeSubpath();
        PaintShape(p, head);
    }
    QPainterPath bars;
    bars.addRect(QRectF(-2.6, -11, 1.8, 22));
    bars.addRect(QRectF(0.8, -11, 1.8, 22));
    PaintShape(p, bars, look::Gold);
    p.restore();
}

} // namespace

std::vector<TCursorPicture> GameCursors()
{
    const QPointF centre(15.5, 15.5);
    const QPoint middle(15, 15);
    return {
        Cursor("CURSOR_ARROW", {1, 1}, PaintArrow),
        Cursor("CURSOR_CROSS", middle,
               [](QPainter& p) {
                   QPainterPath cross;
                   cross.moveTo(15.5, 3);
                   cross.lineTo(15.5, 12);
                   cross.moveTo(15.5, 19);
                   cross.lineTo(15.5, 28);
                   cross.moveTo(3, 15.5);
                   cross.lineTo(12, 15.5);
                   cross.moveTo(19, 15.5);
                   cross.lineTo(28, 15.5);
                   PaintStroke(p, cross);
                   p.setPen(Qt::NoPen);
                   p.setBrush(look::Brick);
                   p.drawEllipse(QPointF(15.5, 15.5), 1.4, 1.4);
               }),
        Cursor("CURSOR_IBEAM", middle, [](QPainter& p) { PaintStroke(p, BeamStroke(QPointF(15.5, 15.5), 10)); }),
        Cursor("CURSOR_SIZEALL", middle,
               [centre](QPainter& p) {
                   PaintShape(p, DoubleArrowShape(centre, 0, 28).united(DoubleArrowShape(centre, 90, 28)));
               }),
        Cursor("CURSOR_SIZENESW", middle, [centre](QPainter& p) { PaintShape(p, DoubleArrowShape(centre, -45)); }),
        Cursor("CURSOR_SIZENS", middle, [centre](QPainter& p) { PaintShape(p, DoubleArrowShape(centre, 90)); }),
        Cursor("CURSOR_SIZENWSE", middle, [centre](QPainter& p) { PaintShape(p, DoubleArrowShape(centre, 45)); }),
        Cursor("CURSOR_SIZEWE", middle, [centre](QPainter& p) { PaintShape(p, DoubleArrowShape(centre, 0)); }),
        Cursor("CURSOR_UPARROW", {15, 1},
               [](QPainter& p) {
                   QPainterPath up;
                   up.moveTo(15.5, 1.5);
                   up.lineTo(23, 10);
                   up.lineTo(18, 10);
                   up.lineTo(18, 28);
                   up.lineTo(13, 28);
                   up.lineTo(13, 10);
                   up.lineTo(8, 10);
                   up.closeSubpath();
                   PaintShape(p, up);
               }),
        Cursor("CURSOR_HOURGLASS", middle, [](QPainter& p) { PaintHourglass(p, QRectF(7.5, 3.5, 16, 24)); }),
        Cursor("CURSOR_DRAG", {1, 1},
               [](QPainter& p) {
                   PaintArrow(p);
                   PaintPage(p, QRectF(16.5, 17.5, 10, 12));
               }),
        Cursor("CURSOR_NODROP", {1, 1},
               [](QPainter& p) {
                   PaintArrow(p);
                   PaintNoSign(p, QPointF(22, 22), 7.5);
               }),
        Cursor("CURSOR_HSPLIT", middle, [](QPainter& p) { PaintSplit(p, 0); }),
        Cursor("CURSOR_VSPLIT", middle, [](QPainter& p) { PaintSplit(p, 90); }),
        Cursor("CURSOR_MULTIDRAG", {1, 1},
               [](QPainter& p) {
                   PaintArrow(p);
                   PaintPage(p, QRectF(19.5, 14.5, 10, 12));
                   PaintPage(p, QRectF(16.5, 17.5, 10, 12));
               }),
        Cursor("CURSOR_SQLWAIT", {1, 1},
               [](QPainter& p) {
                   PaintArrow(p);
                   PaintDatabase(p, QRectF(14.5, 15.5, 10, 14));
                   PaintHourglass(p, QRectF(23, 19, 7.5, 11));
               }),
        Cursor("CURSOR_NO", middle, [centre](QPainter& p) { PaintNoSign(p, centre, 12); }),
        Cursor("CURSOR_APPSTART", {1, 1},
               [](QPainter& p) {
                   PaintArrow(p);
                   PaintHourglass(p, QRectF(17.5, 14.5, 11, 16));
               }),
        Cursor("CURSOR_HELP", {1, 1},
               [](QPainter& p) {
                   PaintArrow(p);
                   PaintQuestionBadge(p, QPointF(22.5, 21.5));
               }),
        Cursor("CURSOR_HANDPOINT", {9, 1}, [](QPainter& p) { PaintHand(p, QPointF(9.5, 1.5), 1.0); }),
    };
}

TCursorPicture ViewerLinkCursor()
{
    return Cursor("1003", {13, 9}, [](QPainter& p) { PaintHand(p, QPointF(13.5, 9.5), 0.78); });
}

TCursorPicture ViewerTextCursor()
{
    return Cursor("1006", {15, 12}, [](QPainter& p) { PaintStroke(p, BeamStroke(QPointF(15.5, 12.5), 10)); });
}

} // namespace resources
