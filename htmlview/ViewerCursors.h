#pragma once
// The viewer's two process-wide cursor slots: the hand shown over links (slot 1) and the text
// cursor shown over text (slot 2). The programs fill them once at start, before any viewer
// exists; until then, or when a picture is missing, Qt's standard shapes stand in.
#include <QCursor>

namespace htmlview {

enum TViewerCursorSlot : int { crHotSpot = 1, crViewerText = 2 };

// Loads the cursor pictures from the resources ":/viewer/1003.png" (hand, hot spot 13, 9) and
// ":/viewer/1006.png" (I-beam, hot spot 15, 12). Needs the application object.
void StartViewerCursors();
// Drops them again (at exit, before the application object goes).
void StopViewerCursors();
// The cursor in Slot (crHotSpot or crViewerText).
QCursor ViewerCursor(TViewerCursorSlot slot);
// Puts a program's own cursor into Slot, in place of the viewer's (after StartViewerCursors).
void SetViewerCursor(TViewerCursorSlot slot, const QCursor& cursor);

} // namespace htmlview
