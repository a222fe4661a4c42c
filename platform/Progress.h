#pragma once
// What long passes need of the window that runs them: a progress indicator (optional: callers
// pass nullptr for none) and the processing of pending window messages between blocks.

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

// Lets the GUI handle pending events; does nothing when no application object exists.
void ProcessMessages();

} // namespace platform
