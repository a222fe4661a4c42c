#pragma once
// Built-in faces of the controls that no theme dresses: the CD player's background and its
// picture buttons, and the glyphs of the options window's choice and toggle buttons.
#include "pictures/Icons.h"

#include <QImage>

namespace resources {

QImage CDPlayerBackground(); // 150 x 220, shown inside a rounded window of corner 20 x 20
// 45 x 30; Hover gives the picture shown while the mouse is over the button.
QImage CDPlayerButton(pictures::TIcon icon, bool hover);

// 20 x 20 with transparency: a round socket (one choice of a group) or a square box (a
// toggle), empty when up, marked when down.
QImage ChoiceGlyph(bool down);
QImage ToggleGlyph(bool down);

} // namespace resources
