#include "htmlview/ViewerCursors.h"

#include <gtest/gtest.h>

using namespace htmlview;

// The cursors come from the viewer's own pictures, with their hot spots, not Qt's stand-ins.
TEST(ViewerCursors, LoadTheBuiltInPictures)
{
    StartViewerCursors();
    const struct {
        TViewerCursorSlot slot;
        QPoint hotSpot;
    } cases[] = {{crHotSpot, {13, 9}}, {crViewerText, {15, 12}}};
    for (const auto& c : cases) {
        const QCursor cursor = ViewerCursor(c.slot);
        EXPECT_EQ(cursor.shape(), Qt::BitmapCursor) << c.slot;
        EXPECT_EQ(cursor.hotSpot(), c.hotSpot) << c.slot;
        EXPECT_EQ(cursor.pixmap().size(), QSize(32, 32)) << c.slot;
    }
    StopViewerCursors();
}
