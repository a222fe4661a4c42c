#include "platform/BusyCursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace platform {

TBusyCursor::TBusyCursor()
    : shown_(qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr)
{
    if (shown_)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

TBusyCursor::~TBusyCursor()
{
    if (shown_)
        QGuiApplication::restoreOverrideCursor();
}

} // namespace platform
