#include "pictures/Icons.h"

#include "pictures/Look.h"

#include <QPainterPath>
#include <QtMath>

namespace pictures {

namespace {

// Every icon is drawn on a 16 x 16 grid; the painter scales it into the box.
void Folder(QPainter& p, const QColor& ink)
{
    QPainterPath back;
    back.moveTo(1.5, 3.5);
    back.lineTo(6, 3.5);
    back.lineTo(7.5, 5);
    back.lineTo(14.5, 5);
    back.lineTo(14.5, 13.5);
    back.lineTo(1.5, 13.5);
    back.closeSubpath();
    p.setBrush(Qt::NoBrush);
    p.drawPath(back);
    QPainterPath front;
    front.moveTo(1.5, 13.5);
    front.lineTo(3.5, 7.5);
    front.lineTo(15.5, 7.5);
    front.lineTo(14.5, 13.5);
    front.closeSubpath();
    p.setBrush(ink);
    p.drawPath(front);
}

void Gear(QPainter& p, const QColor& ink)
{
    QPainterPath teeth;
    for (int i = 0; i < 8; ++i) {
        const qreal a = i * M_PI / 4;
        QPainterPath tooth;
        tooth.addRect(QRectF(-1.3, -7.2, 2.6, 3));
        QTransform t;
        t.translate(8, 8);
        t.rotateRadians(a);
        teeth.addPath(t.map(tooth));
    }
    QPainterPath ring;
    ring.addEllipse(QPointF(8, 8), 5.2, 5.2);
    ring.addEllipse(QPointF(8, 8), 2.4, 2.4); // the hole: even-odd filling leaves it open
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPath(teeth);
    p.drawPath(ring);
}

void Trophy(QPainter& p, const QColor& ink)
{
    QPainterPath cup;
    cup.moveTo(4, 2);
    cup.lineTo(12, 2);
    cup.cubicTo(12, 8, 10, 9.5, 8, 9.5);
    cup.cubicTo(6, 9.5, 4, 8, 4, 2);
    p.setBrush(ink);
    p.drawPath(cup);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(1.5, 3, 4, 4), 90 * 16, 180 * 16);
    p.drawArc(QRectF(10.5, 3, 4, 4), 270 * 16, 180 * 16);
    p.drawLine(QPointF(8, 9.5), QPointF(8, 12.5));
    p.setBrush(ink);
    p.drawRect(QRectF(5, 12.5, 6, 2));
}

void Minimize(QPainter& p, const QColor& ink)
{
    p.setBrush(ink);
    p.drawRect(QRectF(3, 11.5, 10, 2.5));
    QPainterPath arrow;
    arrow.moveTo(5, 3);
    arrow.lineTo(11, 3);
    arrow.lineTo(8, 8.5);
    arrow.closeSubpath();
    p.drawPath(arrow);
}

void Info(QPainter& p, const QColor& ink)
{
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
    p.setBrush(ink);
    p.drawEllipse(QPointF(8, 4.8), 1.1, 1.1);
    p.drawRect(QRectF(7.1, 7, 1.8, 5.5));
}

void Door(QPainter& p, const QColor& ink)
{
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(2.5, 1.5, 7, 13));
    QPainterPath leaf;
    leaf.moveTo(2.5, 1.5);
    leaf.lineTo(7, 3.5);
    leaf.lineTo(7, 16);
    leaf.lineTo(2.5, 14.5);
    leaf.closeSubpath();
    p.setBrush(ink);
    p.drawPath(leaf);
    p.drawLine(QPointF(10.5, 8), QPointF(15.5, 8));
    QPainterPath head;
    head.moveTo(13, 5.5);
    head.lineTo(15.8, 8);
    head.lineTo(13, 10.5);
    p.setBrush(Qt::NoBrush);
    p.drawPath(head);
}

void Magnifier(QPainter& p, const QColor&)
{
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(6.5, 6.5), 4.5, 4.5);
    QPen thick = p.pen();
    thick.setWidthF(thick.widthF() * 2);
    thick.setCapStyle(Qt::RoundCap);
    p.setPen(thick);
    p.drawLine(QPointF(10, 10), QPointF(14.5, 14.5));
}

void Disc(QPainter& p, const QColor& ink)
{
    QPainterPath disc;
    disc.addEllipse(QPointF(8, 8), 7, 7);
    disc.addEllipse(QPointF(8, 8), 1.6, 1.6);
    p.setBrush(ink);
    p.drawPath(disc);
    p.setPen(QPen(look::SlateLight, 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(3.5, 3.5, 9, 9), 30 * 16, 60 * 16);
    p.drawArc(QRectF(3.5, 3.5, 9, 9), 210 * 16, 60 * 16);
}

void Book(QPainter& p, const QColor& ink)
{
    QPainterPath left;
    left.moveTo(8, 4);
    left.cubicTo(6, 2.5, 3, 2.5, 1, 3.5);
    left.lineTo(1, 13);
    left.cubicTo(3, 12, 6, 12, 8, 13.5);
    left.closeSubpath();
    QPainterPath right;
    right.moveTo(8, 4);
    right.cubicTo(10, 2.5, 13, 2.5, 15, 3.5);
    right.lineTo(15, 13);
    right.cubicTo(13, 12, 10, 12, 8, 13.5);
    right.closeSubpath();
    p.setBrush(Qt::NoBrush);
    p.drawPath(left);
    p.setBrush(ink);
    p.drawPath(right);
    p.drawLine(QPointF(2.5, 6), QPointF(6.5, 6.5));
    p.drawLine(QPointF(2.5, 8.5), QPointF(6.5, 9));
}

void Question(QPainter& p, const QColor& ink)
{
    p.setBrush(Qt::NoBrush);
    QPen pen = p.pen();
    pen.setWidthF(pen.widthF() * 1.6);
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    QPainterPath hook;
    hook.moveTo(4.5, 5);
    hook.cubicTo(4.5, 0.5, 11.5, 0.5, 11.5, 5);
    hook.cubicTo(11.5, 7.5, 8, 7.5, 8, 10.5);
    p.drawPath(hook);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawEllipse(QPointF(8, 14), 1.4, 1.4);
}

void Triangle(QPainter& p, const QColor& ink)
{
    QPainterPath play;
    play.moveTo(4, 2);
    play.lineTo(13.5, 8);
    play.lineTo(4, 14);
    play.closeSubpath();
    p.setBrush(ink);
    p.drawPath(play);
}

void DoubleArrow(QPainter& p, const QColor& ink)
{
    p.setBrush(ink);
    for (qreal x : {1.5, 8.0}) {
        QPainterPath head;
        head.moveTo(x, 3);
        head.lineTo(x + 6.5, 8);
        head.lineTo(x, 13);
        head.closeSubpath();
        p.drawPath(head);
    }
}

void Square(QPainter& p, const QColor& ink)
{
    p.setBrush(ink);
    p.drawRoundedRect(QRectF(3, 3, 10, 10), 1.5, 1.5);
}

void Tick(QPainter& p, const QColor&)
{
    QPen pen = p.pen();
    pen.setWidthF(pen.widthF() * 2);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    QPainterPath tick;
    tick.moveTo(2.5, 8.5);
    tick.lineTo(6.5, 12.5);
    tick.lineTo(13.5, 3.5);
    p.drawPath(tick);
}

void Cross(QPainter& p, const QColor&)
{
    QPen pen = p.pen();
    pen.setWidthF(pen.widthF() * 2);
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
    p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
}

void Rewind(QPainter& p, const QColor& ink)
{
    p.save();
    p.translate(16, 0);
    p.scale(-1, 1);
    DoubleArrow(p, ink);
    p.restore();
}

// A play head against a bar: towards the next track, or mirrored towards the previous one.
void TrackSkip(QPainter& p, const QColor& ink, bool forward)
{
    p.save();
    if (!forward) {
        p.translate(16, 0);
        p.scale(-1, 1);
    }
    p.setBrush(ink);
    for (qreal x : {1.0, 6.5}) {
        QPainterPath head;
        head.moveTo(x, 3);
        head.lineTo(x + 5.5, 8);
        head.lineTo(x, 13);
        head.closeSubpath();
        p.drawPath(head);
    }
    p.drawRect(QRectF(12.5, 3, 2.2, 10));
    p.restore();
}

void Pause(QPainter& p, const QColor& ink)
{
    p.setBrush(ink);
    p.drawRect(QRectF(3.5, 2.5, 3.2, 11));
    p.drawRect(QRectF(9.3, 2.5, 3.2, 11));
}

void Eject(QPainter& p, const QColor& ink)
{
    QPainterPath roof;
    roof.moveTo(8, 2);
    roof.lineTo(14, 9);
    roof.lineTo(2, 9);
    roof.closeSubpath();
    p.setBrush(ink);
    p.drawPath(roof);
    p.drawRect(QRectF(2, 11, 12, 2.5));
}

// A sheet with its upper right corner folded.
QPainterPath Sheet(const QRectF& area)
{
    QPainterPath sheet;
    sheet.moveTo(area.topLeft());
    sheet.lineTo(area.right() - 3.5, area.top());
    sheet.lineTo(area.right(), area.top() + 3.5);
    sheet.lineTo(area.bottomRight());
    sheet.lineTo(area.bottomLeft());
    sheet.closeSubpath();
    return sheet;
}

void NewPage(QPainter& p)
{
    p.setBrush(look::Cream);
    p.drawPath(Sheet(QRectF(3.5, 1.5, 9, 13)));
    p.drawLine(QPointF(5.5, 7), QPointF(10.5, 7));
    p.drawLine(QPointF(5.5, 9.5), QPointF(10.5, 9.5));
    p.drawLine(QPointF(5.5, 12), QPointF(9, 12));
    p.setPen(Qt::NoPen);
    p.setBrush(look::GoldDeep);
    p.drawEllipse(QPointF(12.5, 3.5), 2.6, 2.6);
}

void Floppy(QPainter& p, const QColor& ink)
{
    QPainterPath body;
    body.moveTo(1.5, 1.5);
    body.lineTo(12.5, 1.5);
    body.lineTo(14.5, 3.5);
    body.lineTo(14.5, 14.5);
    body.lineTo(1.5, 14.5);
    body.closeSubpath();
    p.setBrush(ink);
    p.drawPath(body);
    p.setPen(Qt::NoPen);
    p.setBrush(look::Cream);
    p.drawRect(QRectF(4, 2.5, 7, 4.5));   // the shutter label
    p.drawRect(QRectF(3.5, 9, 9, 5));     // the writing label
    p.setBrush(ink);
    p.drawRect(QRectF(8.5, 3, 1.6, 3.2));
}

void Pencil(QPainter& p, const QColor& ink)
{
    p.save();
    p.translate(8, 8);
    p.rotate(45);
    p.setBrush(look::Gold);
    p.drawRect(QRectF(-2.2, -7.5, 4.4, 10.5));
    p.setBrush(look::Brick);
    p.drawRect(QRectF(-2.2, -8.5, 4.4, 2));
    QPainterPath tip;
    tip.moveTo(-2.2, 3);
    tip.lineTo(2.2, 3);
    tip.lineTo(0, 7.5);
    tip.closeSubpath();
    p.setBrush(look::CreamShade);
    p.drawPath(tip);
    p.setBrush(ink);
    p.drawEllipse(QPointF(0, 6.6), 0.8, 0.8);
    p.restore();
}

void CopySheets(QPainter& p, const QColor& ink)
{
    p.setBrush(look::CreamShade);
    p.drawPath(Sheet(QRectF(1.5, 1.5, 8.5, 10.5)));
    p.setBrush(look::Cream);
    p.drawPath(Sheet(QRectF(6, 4.5, 8.5, 10)));
    p.setBrush(ink);
    p.drawLine(QPointF(8, 9), QPointF(12.5, 9));
    p.drawLine(QPointF(8, 11.5), QPointF(12.5, 11.5));
}

void Scissors(QPainter& p, const QColor& ink)
{
    p.setBrush(Qt::NoBrush);
    QPen pen = p.pen();
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    p.drawLine(QPointF(5, 1.5), QPointF(10, 10.5));
    p.drawLine(QPointF(11, 1.5), QPointF(6, 10.5));
    pen.setWidthF(pen.widthF() * 1.3);
    pen.setColor(look::Brick);
    p.setPen(pen);
    p.drawEllipse(QPointF(4.5, 12.3), 2.4, 2.4);
    p.drawEllipse(QPointF(11.5, 12.3), 2.4, 2.4);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawEllipse(QPointF(8, 6.5), 1, 1);
}

void Clipboard(QPainter& p, const QColor& ink)
{
    p.setBrush(look::WalnutLight);
    p.drawRoundedRect(QRectF(2.5, 2.5, 11, 12.5), 1.5, 1.5);
    p.setBrush(look::Cream);
    p.drawRect(QRectF(4.5, 5, 7, 8.5));
    p.setBrush(ink);
    p.drawRoundedRect(QRectF(5.5, 1, 5, 3), 1, 1);
    p.drawLine(QPointF(6, 8), QPointF(10, 8));
    p.drawLine(QPointF(6, 10.5), QPointF(10, 10.5));
}

} // namespace

void PaintIcon(QPainter& painter, const QRectF& box, TIcon icon, const QColor& ink)
{
    painter.save();
    painter.translate(box.topLeft());
    painter.scale(box.width() / 16.0, box.height() / 16.0);
    painter.setPen(QPen(ink, 1.2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    switch (icon) {
    case TIcon::Open: Folder(painter, ink); break;
    case TIcon::Options: Gear(painter, ink); break;
    case TIcon::Scores: Trophy(painter, ink); break;
    case TIcon::Minimize: Minimize(painter, ink); break;
    case TIcon::About: Info(painter, ink); break;
    case TIcon::Exit: Door(painter, ink); break;
    case TIcon::Magnify: Magnifier(painter, ink); break;
    case TIcon::CDPlayer: Disc(painter, ink); break;
    case TIcon::Dictionary: Book(painter, ink); break;
    case TIcon::Help: Question(painter, ink); break;
    case TIcon::Start: Triangle(painter, ink); break;
    case TIcon::Continue: DoubleArrow(painter, ink); break;
    case TIcon::Stop: Square(painter, ink); break;
    case TIcon::Ok: Tick(painter, ink); break;
    case TIcon::Cancel: Cross(painter, ink); break;
    case TIcon::Rewind: Rewind(painter, ink); break;
    case TIcon::Previous: TrackSkip(painter, ink, false); break;
    case TIcon::Next: TrackSkip(painter, ink, true); break;
    case TIcon::Pause: Pause(painter, ink); break;
    case TIcon::Eject: Eject(painter, ink); break;
    case TIcon::NewPage: NewPage(painter); break;
    case TIcon::Save: Floppy(painter, ink); break;
    case TIcon::Edit: Pencil(painter, ink); break;
    case TIcon::Copy: CopySheets(painter, ink); break;
    case TIcon::Cut: Scissors(painter, ink); break;
    case TIcon::Paste: Clipboard(painter, ink); break;
    }
    painter.restore();
}

} // namespace pictures
