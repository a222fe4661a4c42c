#pragma once
// The progress indicator of a long pass shown by a window's progress bar.
//
// A pass may report every item of a million: the bar takes a new position only when it would be
// drawn differently (another pixel or percent), and then paints itself; a forced repaint comes
// at most every 30 ms, except at either end of the range, which is always drawn at once and lets
// the next ProcessMessages handle pending events whatever the time.
#include "platform/Progress.h"

class QProgressBar;

namespace platform {

class TQtProgress : public TProgress {
public:
    // The bar stays the window's; it must outlive this. Clock: see TIntervalGate.
    explicit TQtProgress(QProgressBar* bar, TIntervalGate::TClock clock = &std::chrono::steady_clock::now);
    void SetMinimum(int value) override;
    void SetMaximum(int value) override;
    // A position outside the range is taken to the nearer end, where the bar would ignore it.
    void SetPosition(int value) override;
    int Minimum() const override;
    void Repaint() override;

private:
    // An empty range (an empty dictionary) would show Qt's endless "busy" bar: the bar gets one
    // step more than asked, and stays at its start.
    void ApplyRange();
    bool AtEnd(int value) const;
    // The bar's drawn states: no more of them than pixels or percents.
    void MeasureSteps();
    // Which drawn state Value falls in.
    long long DrawnStep(int value) const;

    QProgressBar* bar_;
    int minimum_;
    int maximum_;
    int shownValue_;    // the position the bar holds
    long long shownStep_;
    int drawnValue_;    // the position of the last forced repaint
    int barMinimum_ = 0;
    long long span_ = 1;
    long long steps_ = 1;
    TIntervalGate repaintGate_;
};

} // namespace platform
