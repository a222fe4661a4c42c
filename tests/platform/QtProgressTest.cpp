#include "platform/QtProgress.h"

#include <QCoreApplication>
#include <QProgressBar>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <vector>

using namespace platform;

TEST(QtProgress, DrivesTheBarAndKeepsPositionsInRange)
{
    QProgressBar bar;
    TQtProgress progress(&bar);
    progress.SetMinimum(1);
    progress.SetMaximum(250);
    EXPECT_EQ(progress.Minimum(), 1);
    EXPECT_EQ(bar.maximum(), 250);

    const struct {
        int position;
        int shown;
    } cases[] = {{120, 120}, {250, 250}, {1, 1}, {900, 250}, {0, 1}, {-5, 1}};
    for (const auto& c : cases) {
        progress.SetPosition(c.position);
        progress.Repaint();
        EXPECT_EQ(bar.value(), c.shown) << c.position;
    }
}

// An empty dictionary asks for the range 0..0: the bar stays a bar at its start, never Qt's
// endless busy animation (which an empty range means to it).
TEST(QtProgress, EmptyRangeIsNoBusyBar)
{
    QProgressBar bar;
    TQtProgress progress(&bar);
    progress.SetMinimum(0);
    progress.SetMaximum(0);
    progress.SetPosition(0);
    EXPECT_EQ(progress.Minimum(), 0);
    EXPECT_LT(bar.minimum(), bar.maximum());
    EXPECT_EQ(bar.value(), 0);
    progress.SetPosition(5);
    EXPECT_EQ(bar.value(), 0);
}

namespace {

// A clock that moves only when the test moves it.
class TFakeClock {
public:
    void Advance(int milliseconds) { now_ += std::chrono::milliseconds(milliseconds); }
    TIntervalGate::TClock Reader()
    {
        return [this] { return now_; };
    }

private:
    std::chrono::steady_clock::time_point now_{};
};

// The values the bar showed each time it painted.
class TPaintRecorder : public QObject {
public:
    explicit TPaintRecorder(QProgressBar& bar) : bar_(bar) { bar.installEventFilter(this); }
    std::vector<int> Painted;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            Painted.push_back(bar_.value());
        return false;
    }

private:
    QProgressBar& bar_;
};

} // namespace

// A pass over a hundred thousand words reports each of them: the bar paints only when it would
// look different, and the last position is on screen when the pass ends.
TEST(QtProgress, LongPassPaintsOnlyVisibleChangesAndEndsOnTheLastPosition)
{
    constexpr int Words = 100'000;
    for (const int stepMs : {0, 1, 50}) {
        QProgressBar bar;
        bar.resize(152, 17);
        bar.setTextVisible(false);
        bar.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar));
        TFakeClock clock;
        TQtProgress progress(&bar, clock.Reader());
        progress.SetMinimum(1);
        progress.SetMaximum(Words);
        QCoreApplication::processEvents();
        TPaintRecorder recorder(bar);

        for (int i = 1; i <= Words; ++i) {
            clock.Advance(stepMs);
            progress.SetPosition(i);
            progress.Repaint();
        }

        // One paint by the bar and one forced at most for each of its drawn states, and the ends.
        EXPECT_LE(recorder.Painted.size(), 2u * 152u + 4u) << stepMs;
        ASSERT_FALSE(recorder.Painted.empty()) << stepMs;
        EXPECT_EQ(recorder.Painted.back(), Words) << stepMs;
        EXPECT_EQ(bar.value(), Words) << stepMs;
        if (stepMs > 0) { // the bar moves during the pass
            const std::set<int> between(recorder.Painted.begin(), recorder.Painted.end() - 1);
            EXPECT_GE(between.size(), 10u) << stepMs;
        }
    }
}

// Pending events still run during a long pass, but not after every word.
TEST(QtProgress, PendingMessagesRunDuringALongPassAtMostEveryTenMilliseconds)
{
    const struct {
        int stepMs;
        int minimumRuns;
        int maximumRuns;
    } cases[] = {{0, 1, 1}, {1, 90, 101}, {20, 1000, 1000}};
    for (const auto& c : cases) {
        TFakeClock clock;
        MessageGate().SetClock(clock.Reader());
        int runs = 0;
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&runs] { ++runs; });
        timer.start(0);
        for (int word = 1; word <= 1000; ++word) {
            clock.Advance(c.stepMs);
            ProcessMessages();
        }
        timer.stop();
        EXPECT_GE(runs, c.minimumRuns) << c.stepMs;
        EXPECT_LE(runs, c.maximumRuns) << c.stepMs;
    }
    MessageGate().SetClock(&std::chrono::steady_clock::now);
}

// Events held back by the gate are handled when the pass reaches the end of its bar, however
// recently they were last handled.
TEST(QtProgress, PendingMessagesRunWhenTheBarReachesAnEnd)
{
    TFakeClock clock; // never moves: only the ends open the gate
    MessageGate().SetClock(clock.Reader());
    ProcessMessages();
    QProgressBar bar;
    TQtProgress progress(&bar);
    progress.SetMinimum(1);
    progress.SetMaximum(50);
    std::vector<int> handledAt;
    int position = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { handledAt.push_back(position); });
    timer.start(0);
    for (position = 1; position <= 50; ++position) {
        progress.SetPosition(position);
        progress.Repaint();
        ProcessMessages();
    }
    timer.stop();
    EXPECT_EQ(handledAt, (std::vector<int>{1, 50}));
    MessageGate().SetClock(&std::chrono::steady_clock::now);
}
