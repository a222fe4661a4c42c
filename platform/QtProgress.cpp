#include "platform/QtProgress.h"

#include <QProgressBar>

#include <algorithm>

namespace platform {

TQtProgress::TQtProgress(QProgressBar* bar)
    : bar_(bar)
{
}

void TQtProgress::SetMinimum(int value)
{
    bar_->setMinimum(value);
}

void TQtProgress::SetMaximum(int value)
{
    bar_->setMaximum(value);
}

void TQtProgress::SetPosition(int value)
{
    bar_->setValue(std::clamp(value, bar_->minimum(), bar_->maximum()));
}

int TQtProgress::Minimum() const
{
    return bar_->minimum();
}

void TQtProgress::Repaint()
{
    bar_->repaint();
}

} // namespace platform
