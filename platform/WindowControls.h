#pragma once
// Small pieces every window builds its controls with.
#include <QFont>

class QLabel;
class QWidget;

namespace platform {

// A font of a window's design: the face as the design names it, mapped to an installed font;
// the size in pixels.
QFont WindowFont(const char* face, int pixelSize, bool bold = false, bool italic = false);

// A label named Name that shows its text as plain text, never as markup.
QLabel* NewLabel(QWidget* parent, const char* name);

} // namespace platform
