#include "platform/QtProgress.h"

#include <QProgressBar>

#include <algorithm>
#include <utility>

namespace platform {

namespace {

constexpr std::chrono::milliseconds RepaintInterval(30);
constexpr int PercentSteps = 100;

} // namespace

TQtProgress::TQtProgress(QProgressBar* bar, TIntervalGate::TClock clock)
    : bar_(bar)
    , minimum_(bar->minimum())
    , maximum_(bar->maximum())
    , shownValue_(bar->value())
    , drawnValue_(bar->value())
    , repaintGate_(RepaintInterval, std::move(clock))
{
    MeasureSteps();
    shownStep_ = DrawnStep(shownValue_);
}

void TQtProgress::SetMinimum(int value)
{
    minimum_ = value;
    maximum_ = std::max(maximum_, value);
    ApplyRange();
}

void TQtProgress::SetMaximum(int value)
{
    maximum_ = value;
    minimum_ = std::min(minimum_, value);
    ApplyRange();
}

void TQtProgress::ApplyRange()
{
    bar_->setRange(minimum_, maximum_ > minimum_ ? maximum_ : minimum_ + 1);
    shownValue_ = bar_->value();
    MeasureSteps();
    shownStep_ = DrawnStep(shownValue_);
}

bool TQtProgress::AtEnd(int value) const
{
    return value == minimum_ || value == maximum_;
}

void TQtProgress::MeasureSteps()
{
    barMinimum_ = bar_->minimum();
    // A bar handed over with an empty range (Qt's busy bar) has one state.
    span_ = std::max(1LL, static_cast<long long>(bar_->maximum()) - barMinimum_);
    const int length = bar_->orientation() == Qt::Horizontal ? bar_->width() : bar_->height();
    steps_ = std::max(PercentSteps, length);
}

long long TQtProgress::DrawnStep(int value) const
{
    return (static_cast<long long>(value) - barMinimum_) * steps_ / span_;
}

void TQtProgress::SetPosition(int value)
{
    const int position = std::clamp(value, minimum_, maximum_);
    if (position == shownValue_ || (!AtEnd(position) && DrawnStep(position) == shownStep_))
        return;
    // The bar paints itself at once when its drawing changes.
    bar_->setValue(position);
    shownValue_ = bar_->value();
    MeasureSteps();
    shownStep_ = DrawnStep(shownValue_);
}

int TQtProgress::Minimum() const
{
    return minimum_;
}

void TQtProgress::Repaint()
{
    if (shownValue_ == drawnValue_)
        return;
    drawnValue_ = shownValue_;
    if (AtEnd(drawnValue_)) {
        bar_->repaint();
        // What the pass held back (a window shown just before it, a key) is handled at its start
        // and its end, as it was after every item.
        MessageGate().Reopen();
    } else if (repaintGate_.Open()) {
        bar_->repaint();
    }
}

} // namespace platform
