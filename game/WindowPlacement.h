#pragma once
// The game's windows have no title bar: the player moves them by dragging their background (or
// a picture or label lying on it) with the left button. This unit holds that drag, the two
// centring operations and the rule by which each window replaces a remembered place that is
// unset (-1) or would put it past the screen's right or bottom edge.
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <cstdint>

class QWidget;

namespace game {

// One drag in progress. Positions are screen positions of the pointer and the window, so the
// window follows the pointer exactly even when the window system reports its new place late.
struct TDragState {
    bool DragActive = false;
    int32_t DragStartX = 0; // pointer at the press
    int32_t DragStartY = 0;
    QPoint FormStart;       // the window's top-left at the press
};

// Left button only: the drag starts with the pointer at (X, Y) and Form where it is.
void GeneralMouseDown(TDragState& drag, const QWidget* form, Qt::MouseButton button, int32_t x, int32_t y);
// While a drag is active, Form follows the pointer; the buttons held are not looked at.
void GeneralMouseMove(const TDragState& drag, QWidget* form, int32_t x, int32_t y);
// Left button only: the drag ends. Another button coming up leaves it running.
void GeneralMouseUp(TDragState& drag, Qt::MouseButton button);
// Form moves by the pointer's offset from the press; it is not kept on the screen.
void MoveFormByDrag(QWidget* form, const TDragState& drag, int32_t x, int32_t y);

// Drags Form by the mouse events of its drag surfaces: the window itself and the controls lying
// on it that answer no click of their own. A disabled control passes its events to the window.
class TWindowDrag : public QObject {
    Q_OBJECT
public:
    explicit TWindowDrag(QWidget* form);
    void AddSurface(QWidget* surface);
    const TDragState& State() const { return drag_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* form_;
    TDragState drag_;
};

// Halves toward zero, as the window placement does throughout.
constexpr int32_t CenteredIn(int32_t space, int32_t size) { return (space - size) / 2; }

void CenterOnScreen(QWidget* form);
void CenterOverMainWindow(QWidget* form, const QWidget* mainWindow);

// The placement rules. Remembered is the remembered top-left (-1 unset), Window the window's
// outer size, Screen the screen's size.

// Remembered when 0 <= it < Screen - Window, else Fallback: a window exactly touching the edge
// is replaced too.
int32_t KeptOnScreen(int32_t remembered, int32_t windowSize, int32_t screenSize, int32_t fallback);

// Main window at its creation: the remembered place only when the whole window fits (it may
// touch the right and bottom edges), else centred on the screen.
QPoint MainWindowPlace(QPoint remembered, QSize window, QSize screen);
// Options window at every show: each coordinate alone, else centred over the main window's
// client area (MainWindow: its top-left and client size).
QPoint OptionsWindowPlace(QPoint remembered, QSize window, QSize screen, QRect mainWindow);
// Zoom window at every show: centred horizontally, else at the main window's top.
QPoint ZoomWindowPlace(QPoint remembered, QSize window, QSize screen, int32_t mainWindowTop);
// Scores window and CD player at every show: each coordinate alone, else centred on the screen.
QPoint CenteredUnlessOnScreen(QPoint remembered, QSize window, QSize screen);
// CD player at its creation: a negative coordinate is centred, one past the edge is pulled back
// to it.
QPoint CDPlayerCreationPlace(QPoint remembered, QSize window, QSize screen);

// The screen's size as the platform reports it.
QSize ScreenSize();

} // namespace game
