#include "resources/DigitPictures.h"

#include "pictures/Look.h"
#include "pictures/Painting.h"

#include <QLinearGradient>
#include <array>

namespace resources {

using namespace pictures;

namespace {

// Seven segments, as a display shows them: a top, b upper right, c lower right, d bottom,
// e lower left, f upper left, g middle.
constexpr std::array<QRect, 7> Segments = {
    QRect(3, 2, 6, 2), QRect(9, 4, 2, 8), QRect(9, 14, 2, 8), QRect(3, 22, 6, 2),
    QRect(1, 14, 2, 8), QRect(1, 4, 2, 8), QRect(3, 12, 6, 2),
};

// Lit segments per digit, bit 0 = a ... bit 6 = g.
constexpr std::array<unsigned, 10> DigitSegments = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};

const QColor Unlit{0x3E, 0x62, 0x80, 70};

QImage DarkTile()
{
    QImage image = NewPicture(DigitWidth, DigitHeight, look::SlateDeep);
    QPainter p(&image);
    QLinearGradient glass(0, 0, 0, DigitHeight);
    glass.setColorAt(0.0, look::Slate);
    glass.setColorAt(1.0, look::SlateDeep);
    p.fillRect(image.rect(), glass);
    p.setPen(QColor(0xFF, 0xFF, 0xFF, 40)); // light on the upper edge
    p.drawLine(0, 0, DigitWidth - 1, 0);
    return image;
}

void PaintSegment(QPainter& p, const QRect& segment, bool lit)
{
    if (!lit) {
        p.fillRect(segment, Unlit);
        return;
    }
    p.fillRect(segment.adjusted(-1, -1, 1, 1), QColor(0xFF, 0xD8, 0x4D, 45)); // a faint glow
    p.fillRect(segment, look::Gold);
}

} // namespace

QImage DigitPicture(int index)
{
    QImage image = DarkTile();
    QPainter p(&image);
    if (index == 10) {
        for (const int y : {8, 16}) {
            p.fillRect(QRect(0, y - 1, 4, 4), QColor(0xFF, 0xD8, 0x4D, 45));
            p.fillRect(QRect(1, y, 2, 2), look::Gold);
        }
        return image;
    }
    const unsigned lit = DigitSegments.at(index);
    for (size_t s = 0; s < Segments.size(); ++s)
        PaintSegment(p, Segments[s], (lit >> s) & 1u);
    return image;
}

} // namespace resources
