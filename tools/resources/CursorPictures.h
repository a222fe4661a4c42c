#pragma once
// The cursors: the game's own set standing in for every standard cursor, and the viewer's two.
// All are 32 x 32 with transparency, drawn cream on slate like the rest of the game.
#include <QImage>
#include <QPoint>
#include <QString>
#include <vector>

namespace resources {

struct TCursorPicture {
    QString name;
    QImage picture;
    QPoint hotSpot;
};

inline constexpr int CursorSize = 32;

// "CURSOR_ARROW" to "CURSOR_HANDPOINT", each once ("CURSOR_SIZEALL" serves two slots).
std::vector<TCursorPicture> GameCursors();
// The viewer's pointing hand for links, hot spot (13, 9).
TCursorPicture ViewerLinkCursor();
// The viewer's own text beam, hot spot (15, 12).
TCursorPicture ViewerTextCursor();

} // namespace resources
