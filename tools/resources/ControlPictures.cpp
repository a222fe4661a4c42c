#include "resources/ControlPictures.h"

#include "pictures/Look.h"
#include "pictures/Painting.h"

#include <QLinearGradient>
#include <QPainterPath>

namespace resources {

using namespace pictures;

namespace {

QImage TransparentPicture(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

} // namespace

QImage CDPlayerBackground()
{
    QImage image = NewPicture(150, 220, look::SlateDeep);
    QPainter p(&image);
    PreparePainter(p);
    const QRectF body(0, 0, 150, 220);
    QLinearGradient metal(body.topLeft(), body.bottomLeft());
    metal.setColorAt(0.0, look::SlateLight);
    metal.setColorAt(0.55, look::Slate);
    metal.setColorAt(1.0, look::SlateDeep);
    p.setPen(QPen(look::Walnut, 3));
    p.setBrush(metal);
    p.drawRoundedRect(body.adjusted(1.5, 1.5, -1.5, -1.5), 9, 9);
    p.setPen(QPen(look::GoldDeep, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(body.adjusted(4.5, 4.5, -4.5, -4.5), 7, 7);
    // The display behind the labels (x 12..139, y 16..96).
    PaintTray(p, QRectF(8, 9, 134, 93), look::PanelFill, 6);
    p.setPen(QPen(look::GoldDeep, 1));
    p.drawLine(QPointF(18, 106.5), QPointF(132, 106.5));
    return image;
}

QImage CDPlayerButton(TIcon icon, bool hover)
{
    QImage image = NewPicture(45, 30, look::Slate);
    QPainter p(&image);
    PreparePainter(p);
    const TKeyStyle style = hover ? TKeyStyle::Accent : TKeyStyle::Tool;
    PaintKeyFace(p, image.rect(), style);
    if (hover) {
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(look::GoldDeep);
        p.setBrush(Qt::NoBrush);
        p.drawRect(image.rect().adjusted(2, 2, -3, -3));
        p.setRenderHint(QPainter::Antialiasing, true);
    }
    PaintIcon(p, QRectF(13.5, 6, 18, 18), icon, KeyInk(style));
    return image;
}

QImage ChoiceGlyph(bool down)
{
    QImage image = TransparentPicture(20, 20);
    QPainter p(&image);
    PreparePainter(p);
    QLinearGradient socket(0, 2, 0, 18);
    socket.setColorAt(0.0, look::CreamShade);
    socket.setColorAt(1.0, look::Cream);
    p.setPen(QPen(look::Walnut, 1.5));
    p.setBrush(socket);
    p.drawEllipse(QPointF(10, 10), 8, 8);
    if (down) {
        p.setPen(QPen(look::GoldDeep, 1));
        p.setBrush(look::Gold);
        p.drawEllipse(QPointF(10, 10), 4.5, 4.5);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xFF, 0xFF, 0xFF, 150));
        p.drawEllipse(QPointF(8.8, 8.6), 1.5, 1.5);
    }
    return image;
}

QImage ToggleGlyph(bool down)
{
    QImage image = TransparentPicture(20, 20);
    QPainter p(&image);
    PreparePainter(p);
    QLinearGradient box(0, 2, 0, 18);
    box.setColorAt(0.0, look::CreamShade);
    box.setColorAt(1.0, look::Cream);
    p.setPen(QPen(look::Walnut, 1.5));
    p.setBrush(box);
    p.drawRoundedRect(QRectF(2.5, 2.5, 15, 15), 2.5, 2.5);
    if (down) {
        QPainterPath tick;
        tick.moveTo(5.5, 10);
        tick.lineTo(8.8, 13.5);
        tick.lineTo(15, 5.5);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(look::SlateDeep, 3.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(tick);
        p.setPen(QPen(look::Gold, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(tick);
    }
    return image;
}

} // namespace resources
