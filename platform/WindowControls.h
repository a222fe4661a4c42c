#pragma once
// Small pieces every window builds its controls with.
#include <QFont>
#include <QPalette>

#include <initializer_list>

class QLabel;
class QPixmap;
class QWidget;

namespace platform {

// A font of a window's design: the face as the design names it, mapped to an installed font;
// the size in pixels.
QFont WindowFont(const char* face, int pixelSize, bool bold = false, bool italic = false);

// A label named Name that shows its text as plain text, never as markup.
QLabel* NewLabel(QWidget* parent, const char* name);

// Colour takes each of Roles in every colour group of the widget's palette.
void SetPaletteColor(QWidget* widget, std::initializer_list<QPalette::ColorRole> roles, const QColor& color);
// A control's text colour.
void SetTextColor(QWidget* control, const QColor& color);
// The system's tooltip background (the "info" colour) behind Roles.
void UseInfoBackground(QWidget* widget, std::initializer_list<QPalette::ColorRole> roles);

} // namespace platform
