#include "game/WindowPlacement.h"
#include "tests/support/FakeScreen.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using game::CDPlayerCreationPlace;
using game::CenteredUnlessOnScreen;
using game::MainWindowPlace;
using game::OptionsWindowPlace;
using game::ZoomWindowPlace;

const QSize Screen1024(1024, 768);
const QRect MainAt100(100, 50, 800, 600); // main window's top-left and client size

struct TPlacementCase {
    std::string Name;
    std::function<QPoint(QPoint remembered, QSize window)> Rule;
    QPoint Remembered;
    QSize Window;
    QPoint Expected;
};

class Placement : public ::testing::TestWithParam<TPlacementCase> {};

TEST_P(Placement, KeepsOrReplacesTheRememberedPlace)
{
    const TPlacementCase& c = GetParam();
    EXPECT_EQ(c.Rule(c.Remembered, c.Window), c.Expected);
}

const auto MainRule = [](QPoint at, QSize window) { return MainWindowPlace(at, window, Screen1024); };
const auto OptionsRule = [](QPoint at, QSize window) { return OptionsWindowPlace(at, window, Screen1024, MainAt100); };
const auto ZoomRule = [](QPoint at, QSize window) { return ZoomWindowPlace(at, window, Screen1024, 77); };
const auto ShowRule = [](QPoint at, QSize window) { return CenteredUnlessOnScreen(at, window, Screen1024); };
const auto CDCreationRule = [](QPoint at, QSize window) { return CDPlayerCreationPlace(at, window, Screen1024); };

INSTANTIATE_TEST_SUITE_P(
    WindowPlacement, Placement,
    ::testing::Values(
        // The main window may touch the right and bottom edges.
        TPlacementCase{"MainTouchingTheEdgesStays", MainRule, {224, 168}, {800, 600}, {224, 168}},
        TPlacementCase{"MainOnePixelPastIsCentred", MainRule, {225, 168}, {800, 600}, {112, 84}},
        TPlacementCase{"MainUnsetIsCentred", MainRule, {-1, -1}, {800, 600}, {112, 84}},
        TPlacementCase{"MainOddDifferenceHalvesTowardZero", MainRule, {-1, 0}, {799, 601}, {112, 83}},
        // The other windows do not: an edge exactly touching is replaced.
        TPlacementCase{"OptionsOnScreenStays", OptionsRule, {10, 20}, {500, 400}, {10, 20}},
        TPlacementCase{"OptionsUnsetCentresOverMain", OptionsRule, {-1, -1}, {500, 400}, {250, 150}},
        TPlacementCase{"OptionsTouchingEdgeIsReplaced", OptionsRule, {524, 20}, {500, 400}, {250, 20}},
        TPlacementCase{"OptionsEachCoordinateAlone", OptionsRule, {10, 368}, {500, 400}, {10, 150}},
        TPlacementCase{"ZoomUnsetTopTakesMainTop", ZoomRule, {-1, -1}, {300, 60}, {362, 77}},
        TPlacementCase{"ZoomTouchingEdgeIsCentred", ZoomRule, {724, 5}, {300, 60}, {362, 5}},
        TPlacementCase{"ScoresUnsetIsCentred", ShowRule, {-1, -1}, {320, 320}, {352, 224}},
        TPlacementCase{"ScoresOffScreenIsCentred", ShowRule, {900, 500}, {320, 320}, {352, 224}},
        TPlacementCase{"ScoresOnScreenStays", ShowRule, {0, 447}, {320, 320}, {0, 447}},
        TPlacementCase{"CDCreationNegativeIsCentred", CDCreationRule, {-5, -1}, {150, 220}, {437, 274}},
        TPlacementCase{"CDCreationPastEdgeIsPulledBack", CDCreationRule, {1000, 700}, {150, 220}, {874, 548}},
        TPlacementCase{"CDCreationTouchingEdgeStays", CDCreationRule, {874, 548}, {150, 220}, {874, 548}}),
    [](const ::testing::TestParamInfo<TPlacementCase>& info) { return info.param.Name; });

TEST(WindowCentring, UsesTheScreenAndTheMainWindow)
{
    platform::TScopedFakeScreen screen;
    screen->ScreenWidth = 1024;
    screen->ScreenHeight = 768;
    QWidget form;
    form.resize(225, 101);
    game::CenterOnScreen(&form);
    EXPECT_EQ(form.pos(), QPoint(399, 333));

    QWidget mainWindow;
    mainWindow.setGeometry(100, 50, 800, 600);
    game::CenterOverMainWindow(&form, &mainWindow);
    EXPECT_EQ(form.pos(), QPoint(100 + 287, 50 + 249));
}

// A window with a label it is dragged by and a button that keeps its own clicks.
class WindowDrag : public ::testing::Test {
protected:
    WindowDrag() : window(nullptr, Qt::Window | Qt::FramelessWindowHint), drag(new game::TWindowDrag(&window))
    {
        window.setGeometry(200, 100, 300, 200);
        label = new QLabel(QStringLiteral("drag me"), &window);
        label->setGeometry(20, 20, 100, 30);
        other = new QPushButton(QStringLiteral("button"), &window);
        other->setGeometry(150, 20, 100, 30);
        drag->AddSurface(label);
        window.show();
    }

    // The pointer at a screen position with Held buttons down, as the window system reports it.
    static void Send(QWidget* to, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, QPoint global)
    {
        QMouseEvent event(type, QPointF(to->mapFromGlobal(global)), QPointF(global), button, held, Qt::NoModifier);
        QApplication::sendEvent(to, &event);
    }

    QWidget window;
    game::TWindowDrag* drag;
    QLabel* label = nullptr;
    QPushButton* other = nullptr;
};

TEST_F(WindowDrag, TheWindowFollowsThePointerExactly)
{
    Send(label, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {250, 130});
    Send(label, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, {260, 125});
    EXPECT_EQ(window.pos(), QPoint(210, 95));
    Send(label, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, {180, 140});
    EXPECT_EQ(window.pos(), QPoint(130, 110));
    Send(label, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, {180, 140});
    Send(label, QEvent::MouseMove, Qt::NoButton, Qt::RightButton, {400, 400});
    EXPECT_EQ(window.pos(), QPoint(130, 110));
}

TEST_F(WindowDrag, OnlyTheLeftButtonStartsAndEndsADrag)
{
    Send(label, QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, {250, 130});
    Send(label, QEvent::MouseMove, Qt::NoButton, Qt::RightButton, {260, 140});
    EXPECT_EQ(window.pos(), QPoint(200, 100));
    EXPECT_FALSE(drag->State().DragActive);
    Send(label, QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton, {260, 140});

    Send(&window, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {250, 130});
    Send(&window, QEvent::MouseButtonRelease, Qt::RightButton, Qt::LeftButton, {250, 130});
    EXPECT_TRUE(drag->State().DragActive);
    Send(&window, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, {251, 133});
    EXPECT_EQ(window.pos(), QPoint(201, 103));
}

TEST_F(WindowDrag, AControlThatIsNoSurfaceDoesNotDrag)
{
    Send(other, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {360, 130});
    EXPECT_FALSE(drag->State().DragActive);
}

} // namespace
