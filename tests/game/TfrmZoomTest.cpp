#include "GameFixture.h"

#include "game/GameSettings.h"
#include "game/TfrmZoom.h"
#include "platform/Windows1252.h"
#include "tests/support/FakeDialogs.h"
#include "tests/support/FakeScreen.h"

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include <memory>
#include <string>

namespace {

using namespace game;

class ZoomWindow : public TGameTest {
protected:
    void SetUp() override
    {
        TGameTest::SetUp();
        ZoomBackColor = DefaultZoomBackColor;
        ZoomFontColor = DefaultZoomFontColor;
        ZoomFontSize = 30;
        screen->ScreenWidth = 1024;
        screen->ScreenHeight = 768;
        form = std::make_unique<TfrmZoom>();
        form->move(300, 100);
        form->show();
    }

    // The size the window takes for Text at the current type size.
    QSize SizeFor(const std::string& text) const
    {
        const QFontMetrics metrics(form->font());
        const QString shown = platform::AnsiToUnicode(text);
        return {metrics.horizontalAdvance(" " + shown + " "), metrics.height() + 10};
    }

    int CentreX() const { return form->x() + form->width() / 2; }

    platform::TScopedFakeScreen screen;
    platform::TScopedFakeDialogs dialogs;
    std::unique_ptr<TfrmZoom> form;
};

TEST_F(ZoomWindow, TheWindowTakesTheSizeOfTheTextAroundTheSameCentre)
{
    for (const std::string text : {"~~~~~~", "el~ph~nt", "a\xE9roport~~~~~~~~~~~~~~~~"}) {
        const int centre = CentreX();
        form->UpdateWindow(text);
        EXPECT_EQ(form->size(), SizeFor(text)) << text;
        EXPECT_EQ(form->panWord->size(), form->size());
        EXPECT_EQ(form->panWord->text(), platform::AnsiToUnicode(text));
        EXPECT_LE(std::abs(CentreX() - centre), 1) << text;
    }
}

TEST_F(ZoomWindow, TheFirstShowKeepsThePlaceTheWindowWasGiven)
{
    TfrmZoom fresh;
    fresh.move(150, 40);
    fresh.show();
    EXPECT_EQ(fresh.pos(), QPoint(150, 40));
}

TEST_F(ZoomWindow, AnEmptyTextShowsTenBlanks)
{
    form->UpdateWindow("");
    EXPECT_EQ(form->panWord->text(), QString(10, ' '));
    EXPECT_EQ(form->size(), SizeFor(std::string(10, ' ')));
}

TEST_F(ZoomWindow, AWindowDraggedPastTheEdgesComesBackAtTheNextUpdate)
{
    form->UpdateWindow("mot");
    form->move(1000, 750);
    form->UpdateWindow("mot");
    EXPECT_EQ(form->x(), 1024 - form->width());
    EXPECT_EQ(form->y(), 768 - form->height());
    form->move(-500, -20);
    form->UpdateWindow("mot");
    EXPECT_EQ(form->pos(), QPoint(0, 0));
}

TEST_F(ZoomWindow, ATextWiderThanTheScreenShrinksInStepsOfTwo)
{
    screen->ScreenWidth = 400;
    const std::string text(36, '~');
    form->SetFontSize(41);
    form->UpdateWindow(text);
    const int32_t size = form->FontSize();
    EXPECT_LT(size, 41);
    EXPECT_EQ(size % 2, 1);
    EXPECT_LE(form->width(), 400);
    QFont larger = form->font();
    larger.setPointSize(size + 2);
    EXPECT_GT(QFontMetrics(larger).horizontalAdvance(QString(38, '~')), 400);
    // A larger size from the menu would not fit either: the window stays at the size that fits.
    form->mnuFontSizeIncreaseClick();
    EXPECT_EQ(form->FontSize(), size);
}

TEST_F(ZoomWindow, ShrinkingStopsAtItsFloor)
{
    screen->ScreenWidth = 10;
    form->UpdateWindow("impossible");
    EXPECT_GE(form->FontSize(), ZoomShrinkFloor);
    EXPECT_LT(form->FontSize(), ZoomShrinkFloor + ZoomFontSizeStep);
    EXPECT_EQ(form->x(), 0);
}

TEST_F(ZoomWindow, TypeSizeStepsByTwoWithinItsRange)
{
    struct TCase {
        int32_t Start;
        int Key;
        int32_t Expected;
        bool IncreaseEnabled, DecreaseEnabled; // of the menu at the start size
    };
    for (const TCase& c : {TCase{30, Qt::Key_PageUp, 32, true, true}, TCase{30, Qt::Key_PageDown, 28, true, true},
                           TCase{118, Qt::Key_PageUp, 120, true, true},
                           TCase{120, Qt::Key_PageUp, 120, false, true},
                           TCase{20, Qt::Key_PageDown, 20, true, false},
                           TCase{22, Qt::Key_PageDown, 20, true, true}}) {
        form->SetFontSize(c.Start);
        form->mnuColorPopup();
        EXPECT_EQ(form->mnuFontSizeIncrease->isEnabled(), c.IncreaseEnabled) << c.Start;
        EXPECT_EQ(form->mnuFontSizeDecrease->isEnabled(), c.DecreaseEnabled) << c.Start;
        form->UpdateWindow("abc");
        QTest::keyClick(form.get(), static_cast<Qt::Key>(c.Key));
        EXPECT_EQ(form->FontSize(), c.Expected) << c.Start;
        EXPECT_EQ(form->panWord->font().pointSize(), c.Expected);
        EXPECT_EQ(form->size(), SizeFor("abc")) << c.Start;
    }
}

TEST_F(ZoomWindow, ColoursComeFromTheColourDialog)
{
    form->SetBackColor(0x000000);
    form->SetTextColor(0x00FFFF);
    dialogs->ColorAnswers = {platform::TColor(0x123456), std::nullopt, platform::TColor(0x0000FF)};
    form->mnuColorBackgroundClick();
    EXPECT_EQ(form->BackColor(), 0x123456);
    form->mnuColorTextClick(); // cancelled
    EXPECT_EQ(form->TextColor(), 0x00FFFF);
    form->mnuColorTextClick();
    EXPECT_EQ(form->TextColor(), 0x0000FF);
    EXPECT_EQ(form->panWord->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(dialogs->ColorDialogs, (std::vector<platform::TColor>{0x000000, 0x00FFFF, 0x00FFFF}));
}

TEST_F(ZoomWindow, ClosesOnlyWhenTheMainWindowAllowsIt)
{
    form->close();
    EXPECT_TRUE(form->isVisible());
    form->Tag = 1;
    form->close();
    EXPECT_FALSE(form->isVisible());
    form->show();
    EXPECT_EQ(form->Tag, 0);
}

TEST_F(ZoomWindow, KeysTypedOnTheWindowGoToTheGame)
{
    QSignalSpy keys(form.get(), &TfrmZoom::KeyPress);
    QTest::keyClicks(form.get(), "e");
    QKeyEvent accented(QEvent::KeyPress, Qt::Key_Eacute, Qt::NoModifier, QString::fromUtf8("\u00E9"));
    QApplication::sendEvent(form.get(), &accented);
    QKeyEvent pageUp(QEvent::KeyPress, Qt::Key_PageUp, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &pageUp);
    ASSERT_EQ(keys.count(), 2);
    EXPECT_EQ(keys[0][0].value<char>(), 'e');
    EXPECT_EQ(keys[1][0].value<char>(), '\xE9');
}

TEST_F(ZoomWindow, TheMenuTakesTheFrenchTextsUntilTheLanguageGivesOthers)
{
    EXPECT_EQ(form->mnuColorBackground->text(), "Couleur du &fond");
    form->Texts.ChangeBackgroundColor = "Background &colour";
    form->hide();
    form->show();
    EXPECT_EQ(form->mnuColorBackground->text(), "Background &colour");
}

TEST_F(ZoomWindow, TheWordPanelDragsTheWindow)
{
    const auto send = [this](QEvent::Type type, Qt::MouseButton button, QPoint global) {
        QMouseEvent event(type, QPointF(form->panWord->mapFromGlobal(global)), QPointF(global), button,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form->panWord, &event);
    };
    const QPoint start = form->pos();
    send(QEvent::MouseButtonPress, Qt::LeftButton, start + QPoint(5, 5));
    send(QEvent::MouseMove, Qt::NoButton, start + QPoint(45, -5));
    send(QEvent::MouseButtonRelease, Qt::LeftButton, start + QPoint(45, -5));
    EXPECT_EQ(form->pos(), start + QPoint(40, -10));
}

} // namespace
