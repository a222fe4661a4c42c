#include "resources/ViewerPictures.h"

#include "pictures/Look.h"
#include "pictures/Painting.h"

#include <QPainterPath>

namespace resources {

using namespace pictures;

namespace {

constexpr int IconSize = 16;
const QRectF Frame(0.5, 0.5, 15, 15);
constexpr qreal CornerRadius = 3;

// A little landscape in a frame: the picture that was meant to be there.
void PaintLandscape(QPainter& p, const QColor& sky, const QColor& hill, const QColor& sun)
{
    p.setPen(QPen(look::Walnut, 1));
    p.setBrush(sky);
    p.drawRoundedRect(Frame, CornerRadius, CornerRadius);
    p.setPen(Qt::NoPen);
    p.setBrush(sun);
    p.drawEllipse(QPointF(10.5, 5), 2, 2);
    QPainterPath hills;
    hills.moveTo(1, 13);
    hills.lineTo(5.5, 7.5);
    hills.lineTo(8.5, 10.5);
    hills.lineTo(10.5, 8.5);
    hills.lineTo(15, 13);
    hills.lineTo(15, 15);
    hills.lineTo(1, 15);
    hills.closeSubpath();
    p.setBrush(hill);
    p.drawPath(hills);
    p.setPen(QPen(look::Walnut, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(Frame, CornerRadius, CornerRadius);
}

} // namespace

QImage PendingPicture()
{
    QImage image = NewPicture(IconSize, IconSize, look::PanelFill);
    QPainter p(&image);
    PreparePainter(p);
    PaintLandscape(p, look::PanelFill, look::CreamShade, look::CreamShade);
    // A small clock: the picture is on its way.
    p.setPen(QPen(look::SlateDeep, 1));
    p.setBrush(look::Cream);
    p.drawEllipse(QPointF(10.5, 10.5), 4, 4);
    p.setPen(QPen(look::SlateDeep, 1, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10.5, 10.5), QPointF(10.5, 8));
    p.drawLine(QPointF(10.5, 10.5), QPointF(12.3, 10.5));
    return image;
}

QImage BrokenPicture()
{
    QImage image = NewPicture(IconSize, IconSize, Qt::white);
    QPainter p(&image);
    PreparePainter(p);
    PaintLandscape(p, QColor(0xBF, 0xE3, 0xF5), QColor(0x6A, 0xA8, 0x4F), look::Gold);
    // Torn across, with a red cross on the lower left piece.
    p.setPen(QPen(Qt::white, 1.6));
    QPainterPath tear;
    tear.moveTo(1, 9);
    tear.lineTo(4, 7);
    tear.lineTo(6, 10);
    tear.lineTo(9, 7.5);
    tear.lineTo(11.5, 10);
    tear.lineTo(15, 7);
    p.drawPath(tear);
    p.setPen(QPen(look::Brick, 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(3, 11), QPointF(7, 15) - QPointF(0, 1));
    p.drawLine(QPointF(7, 11), QPointF(3, 15) - QPointF(0, 1));
    return image;
}

QImage BrokenPictureMask()
{
    QImage shape(IconSize, IconSize, QImage::Format_RGB32);
    shape.fill(Qt::white);
    {
        QPainter p(&shape);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        // The frame's own outline, a little wider so that no drawn pixel is lost.
        p.drawRoundedRect(QRectF(0, 0, IconSize, IconSize), CornerRadius + 0.5, CornerRadius + 0.5);
    }
    return shape.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
}

} // namespace resources
