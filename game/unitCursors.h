#pragma once
// The game draws its own mouse cursors. They fill a table of slots 2 to 22, each read when first
// asked for, slot n standing in for the standard cursor numbered -n (arrow -2, cross -3, text beam -4
// ... hand -21); each game window, right after its creation, has its controls switched from the
// standard cursors to these.
#include <QCursor>

#include <optional>
#include <string>

class QWidget;

namespace game {

constexpr int FirstCustomCursor = 2;
constexpr int LastCustomCursor = 22;

// The resource name of Slot ("CURSOR_ARROW" for 2 ... "CURSOR_SIZEALL" for 22); empty outside
// 2..22.
std::string CursorResourceName(int slot);

// Makes every slot come from ":/cursors/<name>.png" with its hot spot from
// ":/cursors/hotspots.txt" (0, 0 for a name it does not list). A picture that cannot be read
// leaves its slot empty.
void LoadCursors();
// The cursor of Slot; nothing when the slot is empty or out of range.
std::optional<QCursor> CustomCursor(int slot);

// The standard cursor number of a Qt cursor shape (-2 arrow ... -21 hand); 0 for a shape with
// no number of its own.
int StandardCursorNumber(Qt::CursorShape shape);

// Control shows the standard cursor Shape, declared as its own: ApplyCursors later puts the
// custom cursor of that number in its place.
void DeclareCursor(QWidget* control, Qt::CursorShape shape);

// Every control of Window that still shows the standard cursor declared for it now shows the
// custom cursor of that number. The window itself and the controls with the default cursor keep
// the standard ones: the window's arrow, or their class's own (an edit box's text beam).
void ApplyCursors(QWidget* window);

} // namespace game
