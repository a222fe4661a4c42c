#include "htmlview/ScrollBar32.h"

#include <algorithm>

namespace htmlview {

T32ScrollBar::T32ScrollBar(QWidget* parent) : QScrollBar(Qt::Vertical, parent)
{
    connect(this, &QAbstractSlider::actionTriggered, this, [this](int action) { ActionTriggered(action); });
    setEnabled(false);
}

void T32ScrollBar::ApplyRange(int32_t position, int32_t page, int32_t min, int32_t max)
{
    if (position == Position_ && page == Page_ && min == Min_ && max == Max_)
        return;
    Position_ = position;
    Page_ = page;
    Min_ = min;
    Max_ = max;
    const int64_t last = std::max<int64_t>(min, int64_t{max} - page + 1);
    const QSignalBlocker quiet(this);
    setRange(min, static_cast<int32_t>(last));
    setPageStep(std::max(1, page));
    setValue(position);
    setEnabled(last > min);
}

void T32ScrollBar::MoveTo(int32_t position)
{
    ApplyRange(position, Page_, Min_, Max_);
    // Inside a user action Qt applies the slider position when the action handler returns.
    const QSignalBlocker quiet(this);
    setSliderPosition(position);
}

void T32ScrollBar::ActionTriggered(int action)
{
    TScrollCode code = TScrollCode::None;
    switch (action) {
    case SliderSingleStepSub: code = TScrollCode::LineUp; break;
    case SliderSingleStepAdd: code = TScrollCode::LineDown; break;
    case SliderPageStepSub: code = TScrollCode::PageUp; break;
    case SliderPageStepAdd: code = TScrollCode::PageDown; break;
    case SliderToMinimum: code = TScrollCode::Top; break;
    case SliderToMaximum: code = TScrollCode::Bottom; break;
    case SliderMove: code = TScrollCode::Track; break;
    default: break;
    }
    if (OnScroll)
        OnScroll(code, sliderPosition());
    else
        setSliderPosition(Position_);
}

} // namespace htmlview
