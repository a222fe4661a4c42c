// The game's own cursors: loaded from the resources with their hot spots, and put in place of
// the standard cursors a window's controls declare.
#include "game/GameResources.h"
#include "game/unitCursors.h"
#include "htmlview/ViewerCursors.h"

#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

using namespace game;

class CursorsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitGameResources();
        LoadCursors();
    }
};

TEST_F(CursorsTest, EverySlotHoldsItsPictureAndHotSpot)
{
    const struct {
        int Slot;
        std::string Name;
        QPoint HotSpot;
    } cases[] = {{2, "CURSOR_ARROW", {1, 1}},      {4, "CURSOR_IBEAM", {15, 15}},
                 {10, "CURSOR_UPARROW", {15, 1}},  {21, "CURSOR_HANDPOINT", {9, 1}},
                 {22, "CURSOR_SIZEALL", {15, 15}}};
    for (const auto& c : cases) {
        EXPECT_EQ(CursorResourceName(c.Slot), c.Name);
        const std::optional<QCursor> cursor = CustomCursor(c.Slot);
        ASSERT_TRUE(cursor.has_value()) << c.Name;
        EXPECT_EQ(cursor->shape(), Qt::BitmapCursor) << c.Name;
        EXPECT_EQ(cursor->hotSpot(), c.HotSpot) << c.Name;
        EXPECT_EQ(cursor->pixmap().size(), QSize(32, 32)) << c.Name;
    }
    for (int slot = FirstCustomCursor; slot <= LastCustomCursor; ++slot)
        EXPECT_TRUE(CustomCursor(slot).has_value()) << slot;
    // Slot 1 belongs to the viewer's link cursor; nothing beyond 22.
    EXPECT_FALSE(CustomCursor(1).has_value());
    EXPECT_FALSE(CustomCursor(23).has_value());
    EXPECT_EQ(CustomCursor(5)->pixmap().toImage(), CustomCursor(22)->pixmap().toImage());
}

// The viewer's text cursor gives way to the game's arrow; its link cursor stays its own.
TEST(ViewerCursorSlots, TheGameArrowStandsOverItsViewer)
{
    InitGameResources();
    htmlview::StartViewerCursors();
    const QImage viewerHand = htmlview::ViewerCursor(htmlview::crHotSpot).pixmap().toImage();
    LoadCursors();
    const QCursor text = htmlview::ViewerCursor(htmlview::crViewerText);
    EXPECT_EQ(text.hotSpot(), CustomCursor(FirstCustomCursor)->hotSpot());
    EXPECT_EQ(text.pixmap().toImage(), CustomCursor(FirstCustomCursor)->pixmap().toImage());
    EXPECT_EQ(htmlview::ViewerCursor(htmlview::crHotSpot).pixmap().toImage(), viewerHand);
    htmlview::StopViewerCursors();
}

TEST_F(CursorsTest, DeclaredCursorsBecomeTheCustomOnesDefaultsStayStandard)
{
    QWidget window;
    auto* link = new QLabel(&window);
    DeclareCursor(link, Qt::PointingHandCursor);
    auto* text = new QLabel(link); // a grandchild is the window's control too
    DeclareCursor(text, Qt::IBeamCursor);
    auto* plain = new QLabel(&window);
    auto* odd = new QLabel(&window);
    DeclareCursor(odd, Qt::OpenHandCursor); // no standard number: left alone
    auto* changed = new QLabel(&window);
    DeclareCursor(changed, Qt::PointingHandCursor);
    changed->setCursor(Qt::ArrowCursor); // no longer the declared one
    auto* edit = new QLineEdit(&window); // its class's text beam: the default cursor

    ApplyCursors(&window);

    EXPECT_EQ(link->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(link->cursor().hotSpot(), CustomCursor(21)->hotSpot());
    EXPECT_EQ(link->cursor().pixmap().toImage(), CustomCursor(21)->pixmap().toImage());
    EXPECT_EQ(text->cursor().pixmap().toImage(), CustomCursor(4)->pixmap().toImage());
    // The window and the controls with the default cursor show the standard ones.
    EXPECT_FALSE(window.testAttribute(Qt::WA_SetCursor));
    EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor);
    EXPECT_FALSE(plain->testAttribute(Qt::WA_SetCursor));
    EXPECT_EQ(plain->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(edit->cursor().shape(), Qt::IBeamCursor);
    EXPECT_EQ(odd->cursor().shape(), Qt::OpenHandCursor);
    EXPECT_EQ(changed->cursor().shape(), Qt::ArrowCursor);

    // A second pass changes nothing: the custom cursors are not standard ones.
    ApplyCursors(&window);
    EXPECT_EQ(link->cursor().pixmap().toImage(), CustomCursor(21)->pixmap().toImage());
}

} // namespace
