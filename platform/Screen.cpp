#include "platform/Screen.h"

#include "platform/ServiceSlot.h"

#include <QGuiApplication>
#include <QScreen>

#include <utility>

namespace platform {
namespace {

using TScreenSlot = TServiceSlot<TScreen, TQtScreen>;

const TScreen& Screen()
{
    return TScreenSlot::Get();
}

const QScreen* PrimaryScreen()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::primaryScreen() : nullptr;
}

} // namespace

std::unique_ptr<TScreen> SetScreen(std::unique_ptr<TScreen> screen)
{
    return TScreenSlot::Install(std::move(screen));
}

int ScreenWidth()
{
    return Screen().Width();
}

int ScreenHeight()
{
    return Screen().Height();
}

int ScreenBitsPerPixel()
{
    return Screen().BitsPerPixel();
}

int TQtScreen::Width() const
{
    const QScreen* screen = PrimaryScreen();
    return screen ? screen->geometry().width() : 0;
}

int TQtScreen::Height() const
{
    const QScreen* screen = PrimaryScreen();
    return screen ? screen->geometry().height() : 0;
}

int TQtScreen::BitsPerPixel() const
{
    const QScreen* screen = PrimaryScreen();
    return screen ? screen->depth() : 0;
}

} // namespace platform
