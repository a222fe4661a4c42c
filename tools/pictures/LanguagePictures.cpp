#include "pictures/LanguagePictures.h"

#include "pictures/Icons.h"
#include "pictures/Look.h"
#include "pictures/Painting.h"
#include "pictures/ThemePictures.h"

#include <QFontMetrics>
#include <QPainterPath>

namespace pictures {

namespace {
// The title picture lies at (206, 10) of the main window.
const QRect TitlePlace(206, 10, 575, 60);

QImage CaptionedKey(int width, TKeyStyle style, TIcon icon, const QString& caption, int fontSize)
{
    QImage image = NewPicture(width, 25, look::Slate);
    QPainter painter(&image);
    PreparePainter(painter);
    PaintKeyFace(painter, image.rect(), style);
    const QColor ink = KeyInk(style);
    const QFont font = SansFont(fontSize, true);
    const int textWidth = QFontMetrics(font).horizontalAdvance(caption);
    const int iconSize = 12;
    const int gap = 6;
    const int left = (width - (iconSize + gap + textWidth)) / 2;
    PaintIcon(painter, QRectF(left, 6.5, iconSize, iconSize), icon, ink);
    PaintShadowedText(painter, QRectF(left + iconSize + gap, 0, textWidth + 2, 24), Qt::AlignLeft | Qt::AlignVCenter,
                      caption, font, ink, QColor(0, 0, 0, 110));
    return image;
}

void PaintDiamond(QPainter& painter, const QPointF& centre, qreal size)
{
    QPainterPath diamond;
    diamond.moveTo(centre.x(), centre.y() - size);
    diamond.lineTo(centre.x() + size, centre.y());
    diamond.lineTo(centre.x(), centre.y() + size);
    diamond.lineTo(centre.x() - size, centre.y());
    diamond.closeSubpath();
    painter.fillPath(diamond, look::Gold);
}

void PaintUnionFlag(QPainter& painter)
{
    const QColor blue(0x01, 0x21, 0x69);
    const QColor red(0xC8, 0x10, 0x2E);
    painter.fillRect(QRect(0, 0, 24, 16), blue);
    painter.setPen(QPen(Qt::white, 3.2));
    painter.drawLine(QPointF(0, 0), QPointF(24, 16));
    painter.drawLine(QPointF(0, 16), QPointF(24, 0));
    painter.setPen(QPen(red, 1.1));
    painter.drawLine(QPointF(0, 0), QPointF(24, 16));
    painter.drawLine(QPointF(0, 16), QPointF(24, 0));
    painter.fillRect(QRectF(9.5, 0, 5, 16), Qt::white);
    painter.fillRect(QRectF(0, 5.5, 24, 5), Qt::white);
    painter.fillRect(QRectF(10.5, 0, 3, 16), red);
    painter.fillRect(QRectF(0, 6.5, 24, 3), red);
}
} // namespace

QImage WordKey(TWordKey key, const QString& caption)
{
    switch (key) {
    case TWordKey::Start: return CaptionedKey(122, TKeyStyle::Accent, TIcon::Start, caption, 13);
    case TWordKey::Continue: return CaptionedKey(122, TKeyStyle::Accent, TIcon::Continue, caption, 13);
    case TWordKey::Stop: return CaptionedKey(122, TKeyStyle::Danger, TIcon::Stop, caption, 13);
    case TWordKey::Ok: return CaptionedKey(76, TKeyStyle::Tool, TIcon::Ok, caption, 12);
    case TWordKey::Cancel: return CaptionedKey(76, TKeyStyle::Tool, TIcon::Cancel, caption, 12);
    }
    return {};
}

QImage TitlePicture(const QImage& mainBackground, const QString& title)
{
    QImage image = mainBackground.copy(TitlePlace);
    QPainter painter(&image);
    PreparePainter(painter);
    PaintBand(painter, QRectF(2, 3, 571, 54), 10);
    PaintShadowedText(painter, QRectF(0, 1, 575, 52), Qt::AlignCenter, title, SerifFont(40, true, true), look::Gold,
                      look::SlateDeep);
    PaintDiamond(painter, QPointF(26, 28), 6);
    PaintDiamond(painter, QPointF(549, 28), 6);
    return image;
}

QImage FlagPicture(TFlag flag)
{
    QImage image = NewPicture(24, 16, Qt::white);
    QPainter painter(&image);
    PreparePainter(painter);
    if (flag == TFlag::France) {
        painter.fillRect(QRect(0, 0, 8, 16), QColor(0x00, 0x55, 0xA4));
        painter.fillRect(QRect(16, 0, 8, 16), QColor(0xEF, 0x41, 0x35));
    } else {
        PaintUnionFlag(painter);
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QColor(0x40, 0x40, 0x40));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, 0, 23, 15);
    return image;
}

void MakeLanguagePictures(const QString& folder, const QImage& mainBackground, const TLanguageCaptions& captions)
{
    SaveBmp(TitlePicture(mainBackground, captions.title), folder + "/title.bmp");
    SaveBmp(FlagPicture(captions.flag), folder + "/flag.bmp");
    SaveBmp(WordKey(TWordKey::Start, captions.start), folder + "/btnStart.bmp");
    SaveBmp(WordKey(TWordKey::Continue, captions.continueGame), folder + "/btnContinue.bmp");
    SaveBmp(WordKey(TWordKey::Stop, captions.stop), folder + "/btnStop.bmp");
    SaveBmp(WordKey(TWordKey::Ok, captions.ok), folder + "/btnOk.bmp");
    SaveBmp(WordKey(TWordKey::Cancel, captions.cancel), folder + "/btnCancel.bmp");
    SaveBmp(ToolKey(TIcon::Help), folder + "/btnHelp.bmp");
}

} // namespace pictures
