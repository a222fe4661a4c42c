#include "platform/WindowControls.h"

#include "platform/QtCanvas.h"

#include <QLabel>

namespace platform {

QFont WindowFont(const char* face, int pixelSize, bool bold, bool italic)
{
    QFont font(MapFontFace(face));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

QLabel* NewLabel(QWidget* parent, const char* name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    return label;
}

void SetPaletteColor(QWidget* widget, std::initializer_list<QPalette::ColorRole> roles, const QColor& color)
{
    QPalette palette = widget->palette();
    for (const QPalette::ColorRole role : roles)
        palette.setColor(role, color);
    widget->setPalette(palette);
}

void SetTextColor(QWidget* control, const QColor& color)
{
    SetPaletteColor(control, {QPalette::WindowText}, color);
}

void UseInfoBackground(QWidget* widget, std::initializer_list<QPalette::ColorRole> roles)
{
    SetPaletteColor(widget, roles, widget->palette().color(QPalette::ToolTipBase));
}

} // namespace platform
