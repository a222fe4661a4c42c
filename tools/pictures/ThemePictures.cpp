#include "pictures/ThemePictures.h"

#include "pictures/Look.h"
#include "pictures/Painting.h"

#include <QLinearGradient>
#include <utility>

namespace pictures {

namespace {
constexpr int KeyWidth = 41;
constexpr int KeyHeight = 25;

// A parchment window with its frame; each window gets its own grain.
QImage ParchmentWindow(int width, int height, unsigned seed)
{
    QImage image = NewPicture(width, height, look::ParchmentLight);
    PaintParchment(image, image.rect(), seed);
    QPainter painter(&image);
    PaintWindowFrame(painter, image.rect());
    return image;
}
} // namespace

QImage MainBackground()
{
    QImage image = ParchmentWindow(800, 600, 1);
    QPainter painter(&image);
    PreparePainter(painter);
    // Gallows picture at (25, 84), 290 x 385.
    PaintTray(painter, QRectF(17, 76, 306, 401), look::PanelFill, 8);
    // Masked word at (352, 80), word box at 104 and the view down to 352.
    PaintTray(painter, QRectF(344, 70, 435, 290), look::PanelFill, 8);
    PaintBand(painter, QRectF(348, 74, 427, 30), 5);
    // Start, Continue and Stop at y 382, with the score, time and tries beside them.
    PaintTray(painter, QRectF(344, 368, 435, 104), look::PanelFill, 8);
    // The time left (label at (358, 382), digits at (458, 380)) and the player's name at
    // (358, 412) are drawn in bright yellow and green: they need a dark plate to be read.
    PaintTray(painter, QRectF(352, 376, 170, 34), look::Slate, 6);
    PaintTray(painter, QRectF(352, 410, 414, 36), look::Slate, 6);
    // The ten tool keys at x 532..765, y 490..547.
    PaintTray(painter, QRectF(518, 481, 261, 75), look::TrayFill, 8);
    // The letter keys: three rows from (26, 488), 48 pixels apart, 32 rows apart.
    PaintTray(painter, QRectF(17, 480, 491, 106), look::TrayFill, 8);
    return image;
}

QImage OptionsBackground()
{
    QImage image = ParchmentWindow(500, 400, 2);
    QPainter painter(&image);
    PreparePainter(painter);
    PaintBand(painter, QRectF(8, 8, 484, 40), 6);
    PaintTray(painter, QRectF(10, 54, 480, 296), look::PanelFill, 8);
    return image;
}

QImage ScoresBackground()
{
    QImage image = ParchmentWindow(320, 320, 3);
    QPainter painter(&image);
    PreparePainter(painter);
    PaintBand(painter, QRectF(8, 6, 304, 36), 6);
    PaintTray(painter, QRectF(10, 44, 300, 230), look::PanelFill, 8);
    return image;
}

QImage AboutBackground()
{
    QImage image = NewPicture(500, 300, look::Slate);
    QPainter painter(&image);
    PreparePainter(painter);
    QLinearGradient sky(0, 0, 0, 300);
    sky.setColorAt(0.0, look::SlateLight);
    sky.setColorAt(0.6, look::Slate);
    sky.setColorAt(1.0, look::SlateDeep);
    painter.fillRect(image.rect(), sky);
    PaintWindowFrame(painter, image.rect());
    painter.setPen(QPen(look::GoldDeep, 1));
    painter.drawLine(QPointF(40, 88.5), QPointF(460, 88.5));

    // The game's name spelt on letter keys, half of it still hidden, as in a round.
    const std::pair<char, bool> tiles[] = {{'G', true}, {'A', false}, {'R', true}, {'V', false}, {'O', true}};
    const QFont tileFont = SerifFont(24, true, false);
    for (int i = 0; i < 5; ++i) {
        const QRect tile(22 + i * 44, 128, 38, 44);
        PaintKeyFace(painter, tile, TKeyStyle::Letter);
        painter.setFont(tileFont);
        painter.setPen(look::Walnut);
        painter.drawText(tile, Qt::AlignCenter, tiles[i].second ? QString(QChar(tiles[i].first)) : QStringLiteral("~"));
    }
    painter.setPen(QPen(look::GoldDeep, 2));
    painter.drawLine(QPointF(22, 186), QPointF(234, 186));

    // A lighter panel behind the contact and web labels.
    painter.setPen(QPen(look::SlateDeep, 1));
    painter.setBrush(QColor(0xFF, 0xFF, 0xFF, 24));
    painter.drawRoundedRect(QRectF(244.5, 106.5, 240, 118), 8, 8);
    return image;
}

QImage ToolKey(TIcon icon)
{
    QImage image = NewPicture(KeyWidth, KeyHeight, look::Slate);
    QPainter painter(&image);
    PreparePainter(painter);
    PaintKeyFace(painter, image.rect(), TKeyStyle::Tool);
    PaintIcon(painter, QRectF(12, 4, 17, 17), icon, KeyInk(TKeyStyle::Tool));
    return image;
}

QImage LetterKey(char letter)
{
    QImage image = NewPicture(KeyWidth, KeyHeight, look::Cream);
    QPainter painter(&image);
    PreparePainter(painter);
    PaintKeyFace(painter, image.rect(), TKeyStyle::Letter);
    painter.setFont(SansFont(16, true));
    painter.setPen(KeyInk(TKeyStyle::Letter));
    painter.drawText(image.rect().adjusted(0, 0, 0, -1), Qt::AlignCenter, QString(QChar(letter)));
    return image;
}

void MakeThemePictures(const QString& folder)
{
    SaveBmp(MainBackground(), folder + "/main.bmp");
    SaveBmp(OptionsBackground(), folder + "/option.bmp");
    SaveBmp(AboutBackground(), folder + "/about.bmp");
    SaveBmp(ScoresBackground(), folder + "/score.bmp");

    const std::pair<const char*, TIcon> tools[] = {
        {"btnDictionary", TIcon::Dictionary}, {"btnOpen", TIcon::Open},     {"btnOption", TIcon::Options},
        {"btnScore", TIcon::Scores},          {"btnMinimize", TIcon::Minimize}, {"btnAbout", TIcon::About},
        {"btnExit", TIcon::Exit},             {"btnMagnify", TIcon::Magnify}, {"btnCDPlayer", TIcon::CDPlayer},
    };
    for (const auto& [name, icon] : tools)
        SaveBmp(ToolKey(icon), folder + "/" + name + ".bmp");
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        SaveBmp(LetterKey(letter), folder + "/btn" + QChar(letter) + ".bmp");
}

} // namespace pictures
