#pragma once
// The game hides the desktop's taskbar on a screen exactly as wide as its window, so as to have
// the whole screen. No Linux desktop lets a program hide another's panel, but window managers
// keep a full-screen window above their panels: hiding the taskbar shows the window full screen
// (its size is then the screen's), showing it again takes it back to its own place and size.
class QWidget;

namespace platform {

// Window, a top-level window, full screen; one not shown yet takes that state when it is shown.
void HideTaskbar(QWidget* window);
// Window no longer full screen.
void ShowTaskbar(QWidget* window);

} // namespace platform
