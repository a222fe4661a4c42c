#include "platform/Progress.h"

#include <QCoreApplication>

namespace platform {

void ProcessMessages()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

} // namespace platform
