#include "platform/QtProgress.h"

#include <QProgressBar>

#include <algorithm>

namespace platform {

TQtProgress::TQtProgress(QProgressBar* bar)
    : bar_(bar)
    , minimum_(bar->minimum())
    , maximum_(bar->maximum())
{
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
}

void TQtProgress::SetPosition(int value)
{
    bar_->setValue(std::clamp(value, minimum_, maximum_));
}

int TQtProgress::Minimum() const
{
    return minimum_;
}

void TQtProgress::Repaint()
{
    bar_->repaint();
}

} // namespace platform
