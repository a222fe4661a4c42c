#pragma once
// What long passes need of the window that runs them: a progress indicator (optional: callers
// pass nullptr for none) and the processing of pending window messages between blocks.
#include <chrono>
#include <functional>

namespace platform {

class TProgress {
public:
    virtual ~TProgress() = default;
    virtual void SetMinimum(int value) = 0;
    virtual void SetMaximum(int value) = 0;
    virtual void SetPosition(int value) = 0;
    virtual int Minimum() const = 0;
    virtual void Repaint() = 0; // show the new position at once
};

// Opens at most once per interval: a pass that reports after every item asks it before the
// costly part of a report. Asked far more often than the interval, it reads the clock only every
// so many calls, since reading it would cost as much as the item. The clock can be replaced
// (tests drive it by hand).
class TIntervalGate {
public:
    using TClock = std::function<std::chrono::steady_clock::time_point()>;

    explicit TIntervalGate(std::chrono::milliseconds interval, TClock clock = &std::chrono::steady_clock::now);
    // True the first time, then when the interval has passed since it last answered true.
    bool Open();
    // The next call opens whatever the time.
    void Reopen();
    void SetClock(TClock clock);

private:
    std::chrono::milliseconds interval_;
    TClock clock_;
    bool opened_ = false;
    std::chrono::steady_clock::time_point lastOpened_;
    std::chrono::steady_clock::time_point lastRead_;
    int callsBetweenReadings_ = 1;
    int callsSinceReading_ = 0;
};

// Lets the GUI handle pending events, at most once every 10 ms (a long pass calls it after every
// word; handling the events so often costs more than the pass itself), and at once again when a
// progress bar reached either end of its pass. Does nothing when no application object exists.
void ProcessMessages();
// The gate of ProcessMessages, for tests that drive its clock.
TIntervalGate& MessageGate();

} // namespace platform
