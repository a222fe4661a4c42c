#pragma once
// The progress indicator of a long pass shown by a window's progress bar.
#include "platform/Progress.h"

class QProgressBar;

namespace platform {

class TQtProgress : public TProgress {
public:
    explicit TQtProgress(QProgressBar* bar); // the bar stays the window's; it must outlive this
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

    QProgressBar* bar_;
    int minimum_;
    int maximum_;
};

} // namespace platform
