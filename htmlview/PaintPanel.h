#pragma once
// The surface inside the viewer that the document is drawn on. Each paint draws the damaged
// rectangle into an image of its own (background, then the document) and copies it to the
// screen in one block; mouse events go to the viewer. Keys left over by the form controls it
// holds stop here.
#include "platform/Canvas.h"

#include <QWidget>

#include <functional>
#include <stdexcept>

namespace htmlview {

class THtmlView;

// No memory for the off-screen image of a paint.
class EOutOfResources : public std::runtime_error {
public:
    EOutOfResources() : std::runtime_error("Out of Resources") {}
};

class TPaintPanel : public QWidget {
public:
    explicit TPaintPanel(THtmlView& viewer);

    THtmlView& Viewer() const { return Viewer_; }
    // The colour shown where the page draws nothing.
    platform::TColor Color = platform::clBtnFace;
    // Draws the page over the background; the viewer binds it to its PanelPaint.
    std::function<void(platform::TCanvas& canvas)> OnPaint;

    // The off-screen image of one paint: Clip of the panel, background and page drawn.
    QImage RenderArea(const QRect& clip);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    THtmlView& Viewer_;
};

} // namespace htmlview
