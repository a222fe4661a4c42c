#include "pictures/Painting.h"

#include "pictures/Look.h"

#include <QDir>
#include <QFileInfo>
#include <QLinearGradient>
#include <QRadialGradient>
#include <algorithm>
#include <random>
#include <stdexcept>

namespace pictures {

QImage NewPicture(int width, int height, const QColor& fill)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

void PreparePainter(QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
}

void PaintParchment(QImage& image, const QRect& area, unsigned seed)
{
    {
        QPainter painter(&image);
        PreparePainter(painter);
        QLinearGradient base(area.topLeft(), area.bottomLeft());
        base.setColorAt(0.0, look::ParchmentLight);
        base.setColorAt(1.0, look::ParchmentDark);
        painter.fillRect(area, base);

        QRadialGradient rim(QRectF(area).center(), std::max(area.width(), area.height()) * 0.75);
        rim.setColorAt(0.55, QColor(0, 0, 0, 0));
        rim.setColorAt(1.0, QColor(0x6B, 0x45, 0x26, 70));
        painter.fillRect(area, rim);
    }
    // Grain: a small fixed-seed jitter of each pixel's brightness, so reruns give equal files.
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> jitter(-5, 5);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = area.left(); x <= area.right(); ++x) {
            const int delta = jitter(random);
            const QRgb pixel = line[x];
            line[x] = qRgb(std::clamp(qRed(pixel) + delta, 0, 255), std::clamp(qGreen(pixel) + delta, 0, 255),
                           std::clamp(qBlue(pixel) + delta, 0, 255));
        }
    }
}

void PaintWindowFrame(QPainter& painter, const QRect& area)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(look::Walnut, 3));
    painter.drawRect(QRectF(area).adjusted(1.5, 1.5, -1.5, -1.5));
    painter.setPen(QPen(look::GoldDeep, 1));
    painter.drawRect(area.adjusted(4, 4, -5, -5));
    painter.restore();
}

void PaintTray(QPainter& painter, const QRectF& area, const QColor& fill, qreal radius)
{
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xFF, 0xFF, 0xFF, 110)); // light catches the lower right lip
    painter.drawRoundedRect(area.translated(1, 1), radius, radius);
    painter.setBrush(fill);
    painter.setPen(QPen(look::WalnutLight, 1));
    painter.drawRoundedRect(area.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0x45, 0x2C, 0x18, 60), 2)); // shade under the upper lip
    painter.drawRoundedRect(area.adjusted(2, 2, -1, -1), radius - 1, radius - 1);
    painter.restore();
}

void PaintBand(QPainter& painter, const QRectF& area, qreal radius)
{
    painter.save();
    QLinearGradient fill(area.topLeft(), area.bottomLeft());
    fill.setColorAt(0.0, look::SlateLight);
    fill.setColorAt(1.0, look::Slate);
    painter.setPen(QPen(look::SlateDeep, 1));
    painter.setBrush(fill);
    painter.drawRoundedRect(area.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    painter.setPen(QPen(look::GoldDeep, 1));
    const qreal rule = area.bottom() - 3.5;
    painter.drawLine(QPointF(area.left() + radius, rule), QPointF(area.right() - radius, rule));
    painter.restore();
}

namespace {
struct TKeyColours {
    QColor top;
    QColor bottom;
    QColor ink;
};

TKeyColours KeyColours(TKeyStyle style)
{
    switch (style) {
    case TKeyStyle::Letter:
        return {look::Cream, look::CreamShade, look::Walnut};
    case TKeyStyle::Tool:
        return {look::SlateLight, look::Slate, look::Cream};
    case TKeyStyle::Accent:
        return {look::SlateLight, look::Slate, look::Gold};
    case TKeyStyle::Danger:
        return {look::Brick, look::BrickDeep, look::Cream};
    }
    return {look::Cream, look::CreamShade, look::Walnut};
}
} // namespace

QColor KeyInk(TKeyStyle style)
{
    return KeyColours(style).ink;
}

void PaintKeyFace(QPainter& painter, const QRect& area, TKeyStyle style)
{
    const TKeyColours colours = KeyColours(style);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    QLinearGradient face(area.topLeft(), area.bottomLeft());
    face.setColorAt(0.0, colours.top);
    face.setColorAt(1.0, colours.bottom);
    painter.fillRect(area, face);
    // Bevel: light on the top and left inner edges, shade on the bottom and right ones.
    const QRect inner = area.adjusted(1, 1, -2, -2);
    painter.setPen(QColor(0xFF, 0xFF, 0xFF, 150));
    painter.drawLine(inner.topLeft(), inner.topRight());
    painter.drawLine(inner.topLeft(), inner.bottomLeft());
    painter.setPen(QColor(0, 0, 0, 70));
    painter.drawLine(inner.bottomLeft(), inner.bottomRight());
    painter.drawLine(inner.topRight(), inner.bottomRight());
    painter.setPen(look::SlateDeep);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area.adjusted(0, 0, -1, -1));
    painter.restore();
}

void PaintShadowedText(QPainter& painter, const QRectF& area, int flags, const QString& text,
                       const QFont& font, const QColor& ink, const QColor& shadow)
{
    painter.save();
    painter.setFont(font);
    painter.setPen(shadow);
    painter.drawText(area.translated(1, 1), flags, text);
    painter.setPen(ink);
    painter.drawText(area, flags, text);
    painter.restore();
}

static void Save(const QImage& image, const QString& path, const char* format, int quality)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!image.save(path, format, quality))
        throw std::runtime_error("cannot write " + path.toStdString());
}

void SaveBmp(const QImage& image, const QString& path)
{
    Save(image.convertToFormat(QImage::Format_RGB888), path, "BMP", -1);
}

void SaveJpeg(const QImage& image, const QString& path)
{
    Save(image.convertToFormat(QImage::Format_RGB32), path, "JPG", 90);
}

void SavePng(const QImage& image, const QString& path)
{
    Save(image, path, "PNG", -1);
}

} // namespace pictures
