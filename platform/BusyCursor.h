#pragma once
// The hourglass while long work runs on the GUI thread: shown for the lifetime of the object,
// and the cursor that was shown before comes back at its end. Nested uses stack.

namespace platform {

class TBusyCursor {
public:
    TBusyCursor();
    ~TBusyCursor();
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;

private:
    bool shown_; // false without a GUI application: nothing to restore then
};

} // namespace platform
