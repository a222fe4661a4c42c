#include "platform/Taskbar.h"

#include <QWidget>

namespace platform {

void HideTaskbar(QWidget* window)
{
    window->setWindowState(window->windowState() | Qt::WindowFullScreen);
}

void ShowTaskbar(QWidget* window)
{
    window->setWindowState(window->windowState() & ~Qt::WindowFullScreen);
}

} // namespace platform
