#include "game/TfrmSplashScreen.h"

#include "game/GameResources.h"
#include "game/WindowPlacement.h"

#include <QApplication>
#include <QLabel>

namespace game {

TfrmSplashScreen::TfrmSplashScreen(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("frmSplashScreen"));
    imgSplash = new QLabel(this);
    imgSplash->setObjectName(QStringLiteral("imgSplash"));
    imgSplash->setPixmap(BuiltInPicture(QStringLiteral("splash/picture")));
    imgSplash->setGeometry(0, 0, 290, 385);
    setFixedSize(imgSplash->size());
    setCursor(Qt::WaitCursor);
}

void TfrmSplashScreen::ShowNow()
{
    CenterOnScreen(this);
    show();
    repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace game
