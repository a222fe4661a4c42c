#pragma once
// Drawing blocks shared by the theme, language and help pictures.
#include <QImage>
#include <QPainter>
#include <QString>

namespace pictures {

// An opaque picture of the given size, filled with Fill.
QImage NewPicture(int width, int height, const QColor& fill);
// A painter with antialiasing on, as every picture wants it.
void PreparePainter(QPainter& painter);

// Aged paper: a soft gradient, a darker rim and a fine fixed-seed grain.
void PaintParchment(QImage& image, const QRect& area, unsigned seed);
// The window's edge: a walnut line outside, a gold hairline inside.
void PaintWindowFrame(QPainter& painter, const QRect& area);
// A sunken tray or panel with rounded corners.
void PaintTray(QPainter& painter, const QRectF& area, const QColor& fill, qreal radius);
// A dark slate band with a gold rule at its foot (window headers, the word band).
void PaintBand(QPainter& painter, const QRectF& area, qreal radius);

enum class TKeyStyle { Letter, Tool, Accent, Danger };
// A raised key face filling the whole picture, square-cornered so it sits on any background.
void PaintKeyFace(QPainter& painter, const QRect& area, TKeyStyle style);
QColor KeyInk(TKeyStyle style);

// Text with a one-pixel shadow below and to the right.
void PaintShadowedText(QPainter& painter, const QRectF& area, int flags, const QString& text,
                       const QFont& font, const QColor& ink, const QColor& shadow);

// Windows bitmaps are written as 24-bit BMP; the programs and the viewer read that form.
void SaveBmp(const QImage& image, const QString& path);
void SaveJpeg(const QImage& image, const QString& path);
// Frames for the GIF step of the generator script keep their transparency.
void SavePng(const QImage& image, const QString& path);

} // namespace pictures
