#pragma once
// The viewer's vertical scroll bar. It keeps its own position, page, minimum and maximum, in
// the Windows sense (the last position is Max - Page + 1), touches the Qt bar only when one of
// them changed, and hands every user action to its owner, who decides where the view goes.
#include <QScrollBar>

#include <cstdint>
#include <functional>

namespace htmlview {

// What the user asked of the bar.
enum class TScrollCode : uint8_t { LineUp, LineDown, PageUp, PageDown, Top, Bottom, Track, None };

class T32ScrollBar : public QScrollBar {
public:
    explicit T32ScrollBar(QWidget* parent);

    int32_t Position() const { return Position_; }
    int32_t Page() const { return Page_; }
    int32_t Min() const { return Min_; }
    int32_t Max() const { return Max_; }
    // Pixels of a page step (the owner keeps it at the page height less one line).
    int32_t LargeChange = 1;

    // A bar that cannot scroll stays in place, disabled.
    void ApplyRange(int32_t position, int32_t page, int32_t min, int32_t max);
    void MoveTo(int32_t position);

    // Called for every user action with its code and, for Track, the thumb's position; the
    // owner answers with MoveTo.
    std::function<void(TScrollCode code, int32_t trackPosition)> OnScroll;

private:
    void ActionTriggered(int action);

    int32_t Position_ = 0;
    int32_t Page_ = 0;
    int32_t Min_ = 0;
    int32_t Max_ = 0;
};

} // namespace htmlview
