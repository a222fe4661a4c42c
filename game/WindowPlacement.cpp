#include "game/WindowPlacement.h"

#include "platform/Screen.h"

#include <QMouseEvent>
#include <QWidget>

namespace game {

void GeneralMouseDown(TDragState& drag, const QWidget* form, Qt::MouseButton button, int32_t x, int32_t y)
{
    if (button != Qt::LeftButton)
        return;
    drag.DragStartX = x;
    drag.DragStartY = y;
    drag.FormStart = form->pos();
    drag.DragActive = true;
}

void GeneralMouseMove(const TDragState& drag, QWidget* form, int32_t x, int32_t y)
{
    if (drag.DragActive)
        MoveFormByDrag(form, drag, x, y);
}

void GeneralMouseUp(TDragState& drag, Qt::MouseButton button)
{
    if (button == Qt::LeftButton)
        drag.DragActive = false;
}

void MoveFormByDrag(QWidget* form, const TDragState& drag, int32_t x, int32_t y)
{
    form->move(drag.FormStart.x() + (x - drag.DragStartX), drag.FormStart.y() + (y - drag.DragStartY));
}

TWindowDrag::TWindowDrag(QWidget* form) : QObject(form), form_(form)
{
    AddSurface(form);
}

void TWindowDrag::AddSurface(QWidget* surface)
{
    surface->installEventFilter(this);
}

bool TWindowDrag::eventFilter(QObject*, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        const QPoint at = mouse->globalPosition().toPoint();
        GeneralMouseDown(drag_, form_, mouse->button(), at.x(), at.y());
        return true; // the window, not the control under it, owns this press
    }
    case QEvent::MouseMove: {
        if (!drag_.DragActive)
            return false;
        const QPoint at = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
        GeneralMouseMove(drag_, form_, at.x(), at.y());
        return true;
    }
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        GeneralMouseUp(drag_, mouse->button());
        return true;
    }
    default:
        return false;
    }
}

QSize ScreenSize()
{
    return {platform::ScreenWidth(), platform::ScreenHeight()};
}

void CenterOnScreen(QWidget* form)
{
    const QSize screen = ScreenSize();
    form->move(CenteredIn(screen.width(), form->width()), CenteredIn(screen.height(), form->height()));
}

void CenterOverMainWindow(QWidget* form, const QWidget* mainWindow)
{
    form->move(mainWindow->x() + CenteredIn(mainWindow->width(), form->width()),
               mainWindow->y() + CenteredIn(mainWindow->height(), form->height()));
}

int32_t KeptOnScreen(int32_t remembered, int32_t windowSize, int32_t screenSize, int32_t fallback)
{
    return remembered >= 0 && remembered < screenSize - windowSize ? remembered : fallback;
}

QPoint MainWindowPlace(QPoint remembered, QSize window, QSize screen)
{
    const bool fits = remembered.x() >= 0 && remembered.y() >= 0 && screen.width() - window.width() >= remembered.x() &&
                      screen.height() - window.height() >= remembered.y();
    if (fits)
        return remembered;
    return {CenteredIn(screen.width(), window.width()), CenteredIn(screen.height(), window.height())};
}

QPoint OptionsWindowPlace(QPoint remembered, QSize window, QSize screen, QRect mainWindow)
{
    return {KeptOnScreen(remembered.x(), window.width(), screen.width(),
                         mainWindow.left() + CenteredIn(mainWindow.width(), window.width())),
            KeptOnScreen(remembered.y(), window.height(), screen.height(),
                         mainWindow.top() + CenteredIn(mainWindow.height(), window.height()))};
}

QPoint ZoomWindowPlace(QPoint remembered, QSize window, QSize screen, int32_t mainWindowTop)
{
    return {KeptOnScreen(remembered.x(), window.width(), screen.width(), CenteredIn(screen.width(), window.width())),
            KeptOnScreen(remembered.y(), window.height(), screen.height(), mainWindowTop)};
}

QPoint CenteredUnlessOnScreen(QPoint remembered, QSize window, QSize screen)
{
    return {KeptOnScreen(remembered.x(), window.width(), screen.width(), CenteredIn(screen.width(), window.width())),
            KeptOnScreen(remembered.y(), window.height(), screen.height(),
                         CenteredIn(screen.height(), window.height()))};
}

QPoint CDPlayerCreationPlace(QPoint remembered, QSize window, QSize screen)
{
    const auto pull = [](int32_t edge, int32_t size, int32_t space) {
        if (edge < 0)
            return CenteredIn(space, size);
        return edge + size > space ? space - size : edge;
    };
    return {pull(remembered.x(), window.width(), screen.width()),
            pull(remembered.y(), window.height(), screen.height())};
}

} // namespace game
