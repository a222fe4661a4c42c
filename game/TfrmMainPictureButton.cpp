#include "game/TfrmMainPictureButton.h"

#include "game/GameResources.h"
#include "game/unitCursors.h"

#include <QPainter>

namespace game {

namespace {

// How far the grey of a disabled face goes toward white, and how much of it still covers the
// background.
constexpr int GreyLightenPercent = 45;
constexpr int GreyOpacityPercent = 55;

} // namespace

QImage GreyedPicture(const QImage& picture)
{
    QImage greyed = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < greyed.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(greyed.scanLine(y));
        for (int x = 0; x < greyed.width(); ++x) {
            const QRgb pixel = line[x];
            const int grey = qGray(pixel);
            const int light = grey + (255 - grey) * GreyLightenPercent / 100;
            line[x] = qRgba(light, light, light, qAlpha(pixel) * GreyOpacityPercent / 100);
        }
    }
    return greyed;
}

TPictureButton::TPictureButton(QWidget* parent) : QAbstractButton(parent)
{
    DeclareCursor(this, Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
}

void TPictureButton::SetGlyph(const QPixmap& glyph)
{
    if (glyph.isNull())
        return;
    builtInName_.clear();
    glyph_ = glyph;
    greyed_ = QPixmap();
    update();
}

void TPictureButton::SetBuiltInGlyph(const QString& name)
{
    builtInName_ = name;
    glyph_ = QPixmap();
    greyed_ = QPixmap();
    update();
}

const QPixmap& TPictureButton::Glyph() const
{
    if (!builtInName_.isEmpty()) {
        glyph_ = BuiltInPicture(builtInName_);
        builtInName_.clear();
    }
    return glyph_;
}

const QPixmap& TPictureButton::Greyed() const
{
    if (greyed_.isNull() && !Glyph().isNull())
        greyed_ = QPixmap::fromImage(GreyedPicture(glyph_.toImage()));
    return greyed_;
}

QSize TPictureButton::sizeHint() const
{
    return Glyph().isNull() ? QSize(41, 25) : glyph_.size();
}

void TPictureButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!isEnabled()) {
        painter.drawPixmap(0, 0, Greyed());
        return;
    }
    const int shift = isDown() ? 1 : 0;
    painter.drawPixmap(shift, shift, Glyph());
    if (hasFocus()) {
        // The focused key shows a dotted frame inside its face, as keyboard play needs to see it.
        QPen pen(Qt::black, 1, Qt::DotLine);
        painter.setPen(pen);
        painter.drawRect(rect().adjusted(2, 2, -3, -3));
    }
}

} // namespace game
