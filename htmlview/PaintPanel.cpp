#include "htmlview/PaintPanel.h"

#include "htmlview/HtmlView.h"
#include "platform/QtCanvas.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace htmlview {

TPaintPanel::TPaintPanel(THtmlView& viewer) : QWidget(&viewer), Viewer_(viewer)
{
    // Every paint covers its whole rectangle: Qt need not erase first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
}

QImage TPaintPanel::RenderArea(const QRect& clip)
{
    QImage image(clip.size(), QImage::Format_RGB32);
    if (image.isNull())
        throw EOutOfResources();
    {
        QPainter painter(&image);
        painter.translate(-clip.topLeft());
        platform::TQtCanvas canvas(painter);
        Viewer_.PaintBackground(canvas, {clip.left(), clip.top(), clip.right() + 1, clip.bottom() + 1});
        if (OnPaint)
            OnPaint(canvas);
    }
    return image;
}

void TPaintPanel::paintEvent(QPaintEvent* event)
{
    if (Viewer_.LayingOut())
        return;
    const QRect clip = event->rect();
    Viewer_.RunGuarded([&] {
        const QImage image = RenderArea(clip);
        QPainter(this).drawImage(clip.topLeft(), image);
    });
}

void TPaintPanel::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    Viewer_.RunGuarded([&] { Viewer_.PanelMouseDown(event->button(), event->modifiers(), p.x(), p.y()); });
}

void TPaintPanel::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    Viewer_.RunGuarded([&] { Viewer_.PanelMouseMove(event->buttons(), event->modifiers(), p.x(), p.y()); });
}

void TPaintPanel::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    Viewer_.RunGuarded([&] { Viewer_.PanelMouseUp(event->button(), event->modifiers(), p.x(), p.y()); });
}

void TPaintPanel::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    Viewer_.RunGuarded([&] { Viewer_.PanelDoubleClick(event->button(), event->modifiers(), p.x(), p.y()); });
}

// The panel never has the focus: a key that reaches it was typed in one of the page's form
// controls and left unused by it. It belongs to that control, not to the viewer.
void TPaintPanel::keyPressEvent(QKeyEvent* event) { event->accept(); }

void TPaintPanel::keyReleaseEvent(QKeyEvent* event) { event->accept(); }

} // namespace htmlview
