#pragma once
// The picture shown on top of everything while the game's windows are being made.
#include <QWidget>

class QLabel;

namespace game {

class TfrmSplashScreen : public QWidget {
public:
    explicit TfrmSplashScreen(QWidget* parent = nullptr);

    // Shows the window centred on the screen and paints it at once: the start-up that follows
    // gives the event loop no chance to.
    void ShowNow();

    QLabel* imgSplash;
};

} // namespace game
