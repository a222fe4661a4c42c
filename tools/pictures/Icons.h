#pragma once
// Small line drawings for the keys: one per command, drawn to fit any square box.
#include <QPainter>

namespace pictures {

enum class TIcon {
    Open, Options, Scores, Minimize, About, Exit, Magnify, CDPlayer, Dictionary, Help,
    Start, Continue, Stop, Ok, Cancel,
    Rewind, Previous, Next, Pause, Eject,   // the CD player
    NewPage, Save, Edit, Copy, Cut, Paste   // the dictionary utility's menus
};

void PaintIcon(QPainter& painter, const QRectF& box, TIcon icon, const QColor& ink);

} // namespace pictures
