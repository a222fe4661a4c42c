#include "resources/BrandPictures.h"

#include "pictures/Look.h"
#include "pictures/Painting.h"
#include "pictures/ThemePictures.h"
#include "resources/GallowsPictures.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <algorithm>

namespace resources {

using namespace pictures;

namespace {

// A letter key, tilted, as the logo and the icon spell with them.
void PaintTile(QPainter& p, const QPointF& centre, const QSizeF& size, qreal angle, QChar letter, int fontSize)
{
    p.save();
    p.translate(centre);
    p.rotate(angle);
    const QRectF face(-size.width() / 2, -size.height() / 2, size.width(), size.height());
    // Key faces are drawn square to the pixels; a tilted one is drawn smooth here instead.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70)); // its shadow
    p.drawRoundedRect(face.translated(1.5, 2), 2, 2);
    QLinearGradient paper(face.topLeft(), face.bottomLeft());
    paper.setColorAt(0.0, look::Cream);
    paper.setColorAt(1.0, look::CreamShade);
    p.setPen(QPen(look::SlateDeep, 1));
    p.setBrush(paper);
    p.drawRoundedRect(face, 2, 2);
    p.setPen(QPen(QColor(0xFF, 0xFF, 0xFF, 150), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(face.adjusted(1.5, 1.5, -1.5, -1.5), 1.5, 1.5);
    p.setFont(SerifFont(fontSize, true, false));
    p.setPen(look::Walnut);
    p.drawText(face.adjusted(0, 1, 0, 0), Qt::AlignCenter, QString(letter));
    p.restore();
}

// A slate plate with a gold rim, rounded, over the whole picture.
void PaintPlate(QPainter& p, const QRectF& area, qreal radius)
{
    PaintBand(p, area, radius);
    p.setPen(QPen(look::GoldDeep, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(area.adjusted(2.5, 2.5, -2.5, -2.5), radius - 2, radius - 2);
}

// An open book seen from above, filling Area: two pages of lines and a gold ribbon.
void PaintOpenBook(QPainter& p, const QRectF& area)
{
    const qreal midX = area.center().x();
    const qreal dip = area.height() * 0.08;
    p.setPen(Qt::NoPen);
    p.setBrush(look::Walnut); // the cover, showing round the pages
    p.drawRoundedRect(area.adjusted(-4, 2, 4, 6), 4, 4);
    for (const int side : {-1, 1}) {
        QPainterPath page;
        page.moveTo(midX, area.top() + dip);
        page.cubicTo(midX + side * area.width() * 0.2, area.top() - dip, midX + side * area.width() * 0.4, area.top(),
                     midX + side * area.width() / 2, area.top() + dip * 0.5);
        page.lineTo(midX + side * area.width() / 2, area.bottom() - dip * 0.5);
        page.cubicTo(midX + side * area.width() * 0.4, area.bottom() - dip, midX + side * area.width() * 0.2,
                     area.bottom() - dip * 1.5, midX, area.bottom());
        page.closeSubpath();
        QLinearGradient paper(midX, 0, midX + side * area.width() / 2, 0);
        paper.setColorAt(0.0, look::CreamShade);
        paper.setColorAt(0.25, look::Cream);
        paper.setColorAt(1.0, look::PanelFill);
        p.setPen(QPen(look::WalnutLight, 1));
        p.setBrush(paper);
        p.drawPath(page);
        p.setPen(QPen(QColor(0x8A, 0x62, 0x3E, 150), 1.2));
        const qreal inner = midX + side * area.width() * 0.1;
        const qreal outer = midX + side * area.width() * 0.42;
        for (int line = 0; line < 7; ++line) {
            const qreal y = area.top() + dip * 2 + line * (area.height() - dip * 4) / 7;
            p.drawLine(QPointF(inner, y), QPointF(line == 6 ? (inner + outer) / 2 : outer, y));
        }
    }
    // The bookmark hangs out of the spine below the book.
    const qreal ribbonWidth = std::max<qreal>(4, area.width() * 0.06);
    QPainterPath ribbon;
    ribbon.moveTo(midX + 2, area.bottom() - dip);
    ribbon.lineTo(midX + 2 + ribbonWidth, area.bottom() - dip);
    ribbon.lineTo(midX + 2 + ribbonWidth, area.bottom() + area.height() * 0.25);
    ribbon.lineTo(midX + 2 + ribbonWidth / 2, area.bottom() + area.height() * 0.18);
    ribbon.lineTo(midX + 2, area.bottom() + area.height() * 0.25);
    ribbon.closeSubpath();
    p.setPen(QPen(look::GoldDeep, 1));
    p.setBrush(look::Gold);
    p.drawPath(ribbon);
}

} // namespace

QImage Logo()
{
    // Transparent round its plate: the logo stands on the main window and on the about window.
    QImage image(180, 60, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    PreparePainter(p);
    PaintPlate(p, QRectF(0, 0, 180, 60), 10);
    const QString name = QStringLiteral("GARVO");
    const qreal angles[] = {-5, 4, -3, 5, -4};
    for (int i = 0; i < name.size(); ++i)
        PaintTile(p, QPointF(27 + i * 31.5, 28), QSizeF(27, 34), angles[i], name[i], 24);
    return image;
}

QImage AssociationBadge()
{
    QImage image = AboutBackground().copy(249, 255, 115, 30);
    QPainter p(&image);
    PreparePainter(p);
    PaintTray(p, QRectF(0.5, 0.5, 114, 29), look::PanelFill, 6);
    // The emblem: a gold medal with a star.
    p.setPen(QPen(look::GoldDeep, 1.2));
    p.setBrush(look::Gold);
    p.drawEllipse(QPointF(16, 15), 9.5, 9.5);
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const qreal radius = i % 2 == 0 ? 6.5 : 2.7;
        const QPointF point = QPointF(16, 15.5) + QLineF::fromPolar(radius, 90 + i * 36).p2();
        if (i == 0)
            star.moveTo(point);
        else
            star.lineTo(point);
    }
    star.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(look::Walnut);
    p.drawPath(star);
    PaintShadowedText(p, QRectF(30, 0, 82, 29), Qt::AlignCenter, QStringLiteral("U.M.B.O."), SerifFont(17, true, false),
                      look::Walnut, QColor(0xFF, 0xFF, 0xFF, 140));
    return image;
}

QImage SplashPicture()
{
    QImage image = GallowsStage(0);
    QPainter p(&image);
    PreparePainter(p);
    PaintPlate(p, QRectF(14, 188, 262, 84), 10);
    PaintShadowedText(p, QRectF(14, 194, 262, 22), Qt::AlignCenter, QStringLiteral("Le Jeu du"),
                      SerifFont(18, false, true),
                      look::Cream, look::SlateDeep);
    PaintShadowedText(p, QRectF(14, 212, 262, 52), Qt::AlignCenter, QStringLiteral("Garvo"), SerifFont(46, true, true),
                      look::Gold, look::SlateDeep);
    PaintShadowedText(p, QRectF(0, 352, 282, 26), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Velmora"),
                      SerifFont(15, true, true), look::Cream, look::Walnut);
    return image;
}

QImage LanguagePortrait()
{
    QImage image = GallowsStage(0).scaled(145, 192, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QPainter p(&image);
    PreparePainter(p);
    PaintPlate(p, QRectF(8, 96, 129, 44), 8);
    PaintShadowedText(p, QRectF(8, 96, 129, 40), Qt::AlignCenter, QStringLiteral("Garvo"), SerifFont(30, true, true),
                      look::Gold, look::SlateDeep);
    return image;
}

QImage GameIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    PreparePainter(p);
    // Drawn on a 64-pixel grid, scaled to the size asked for.
    p.scale(size / 64.0, size / 64.0);
    PaintPlate(p, QRectF(2, 2, 60, 60), 12);
    PaintTile(p, QPointF(32, 30), QSizeF(36, 42), -6, QChar('G'), 32);
    return image;
}

QImage UtilityPicture()
{
    QImage image = NewPicture(145, 192, look::Slate);
    QPainter p(&image);
    PreparePainter(p);
    QLinearGradient sky(0, 0, 0, 192);
    sky.setColorAt(0.0, look::SlateLight);
    sky.setColorAt(0.7, look::Slate);
    sky.setColorAt(1.0, look::SlateDeep);
    p.fillRect(image.rect(), sky);
    PaintWindowFrame(p, image.rect());
    PaintOpenBook(p, QRectF(22, 30, 101, 74));
    const QString name = QStringLiteral("ABC");
    const qreal angles[] = {-6, 3, -2};
    for (int i = 0; i < name.size(); ++i)
        PaintTile(p, QPointF(44 + i * 28.5, 120), QSizeF(24, 28), angles[i], name[i], 19);
    PaintShadowedText(p, QRectF(0, 140, 145, 40), Qt::AlignCenter, QStringLiteral("Lexorim"), SerifFont(28, true, true),
                      look::Gold, look::SlateDeep);
    return image;
}

QImage UtilityIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    PreparePainter(p);
    // Drawn on a 64-pixel grid, scaled to the size asked for.
    p.scale(size / 64.0, size / 64.0);
    PaintPlate(p, QRectF(2, 2, 60, 60), 12);
    PaintOpenBook(p, QRectF(12, 17, 40, 28));
    return image;
}

} // namespace resources
