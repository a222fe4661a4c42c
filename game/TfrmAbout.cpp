#include "game/TfrmAbout.h"

#include "game/GameResources.h"
#include "game/LanguageTexts.h"
#include "game/TfrmMain.h"
#include "game/TfrmMainPictureButton.h"
#include "game/WindowPlacement.h"
#include "game/globalDefs.h"
#include "game/unitCursors.h"
#include "platform/QtCanvas.h"
#include "platform/Shell.h"
#include "platform/WindowControls.h"
#include "platform/Windows1252.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

namespace game {

TfrmAbout* frmAbout = nullptr;

TfrmAbout::TfrmAbout(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmAbout"));
    setFixedSize(ClientWidth, ClientHeight);
    setAutoFillBackground(true);
    QFont windowFont(platform::MapFontFace("MS Sans Serif"));
    windowFont.setPixelSize(11);
    setFont(windowFont);
    platform::SetTextColor(this, Qt::white);
    CreateControls();
    PlaceControls();
    ConnectControls();
}

TfrmAbout::~TfrmAbout()
{
    if (frmAbout == this)
        frmAbout = nullptr;
}

void TfrmAbout::CreateControls()
{
    imgBackground = platform::NewLabel(this, "imgBackground");
    SetBuiltInPicture(imgBackground, QStringLiteral("about/imgBackground"));

    lblTitleShadow = platform::NewLabel(this, "lblTitleShadow");
    lblTitle = platform::NewLabel(this, "lblTitle");
    for (QLabel* title : {lblTitleShadow, lblTitle}) {
        title->setFont(platform::WindowFont("Arial", 32, true, true));
        title->setAlignment(Qt::AlignCenter);
    }
    platform::SetTextColor(lblTitleShadow, QColor(128, 128, 128));
    platform::SetTextColor(lblTitle, Qt::white);
    lblVersion = platform::NewLabel(this, "lblVersion");
    lblVersion->setFont(platform::WindowFont("Arial", 19, false, true));
    lblVersion->setAlignment(Qt::AlignCenter);
    lblVersion->setText(QStringLiteral("Version 3.0"));

    lblContactAuthors = platform::NewLabel(this, "lblContactAuthors");
    lblUpdates = platform::NewLabel(this, "lblUpdates");
    lblEmail1 = platform::NewLabel(this, "lblEmail1");
    lblEmail2 = platform::NewLabel(this, "lblEmail2");
    lblUrlAddress = platform::NewLabel(this, "lblUrlAddress");
    for (QLabel* link : {lblEmail1, lblEmail2, lblUrlAddress}) {
        QFont font = link->font();
        font.setUnderline(true);
        link->setFont(font);
    }

    imgLogo = platform::NewLabel(this, "imgLogo");
    imgLogo->setScaledContents(true);
    imgUmbo = platform::NewLabel(this, "imgUmbo");
    imgUmbo->setPixmap(QPixmap(QStringLiteral(":/about/imgUmbo.png")));
    for (QLabel* link : {lblEmail1, lblEmail2, lblUrlAddress, imgLogo, imgUmbo})
        DeclareCursor(link, Qt::PointingHandCursor);

    btnOk = new TPictureButton(this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->SetBuiltInGlyph(QStringLiteral("buttons/btnOk"));

    auto* drag = new TWindowDrag(this);
    for (QWidget* surface : {imgBackground, lblContactAuthors, lblUpdates})
        drag->AddSurface(surface);
}

void TfrmAbout::PlaceControls()
{
    imgBackground->setGeometry(0, 0, ClientWidth, ClientHeight);
    lblTitleShadow->setGeometry(11, 14, 482, 39);
    lblTitle->setGeometry(8, 12, 484, 38);
    lblVersion->setGeometry(8, 52, 485, 29);
    lblContactAuthors->setGeometry(252, 115, 185, 21);
    lblEmail1->move(260, 139);
    lblEmail2->move(260, 155);
    lblUpdates->setGeometry(252, 171, 185, 21);
    lblUrlAddress->move(260, 195);
    imgLogo->setGeometry(12, 227, 180, 60);
    imgUmbo->setGeometry(249, 255, 115, 30);
    btnOk->setGeometry(404, 259, 76, 25);
}

void TfrmAbout::ConnectControls()
{
    connect(btnOk, &QAbstractButton::clicked, this, &TfrmAbout::btnOKClick);
    // Keys reach the window before the focused control; the links answer a click.
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

void TfrmAbout::FormCreate()
{
    LoadLanguageTexts(objectName().toStdString(), 0);
    if (frmMain != nullptr)
        imgLogo->setPixmap(frmMain->imgLogo->pixmap());
}

void TfrmAbout::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TfrmAbout::FormShow()
{
    Tag = 0;
    LoadLanguageTexts(objectName().toStdString(), 0);
    if (frmMain != nullptr)
        CenterOverMainWindow(this, frmMain);
    TakeBackgroundColor(this, LabelPicture(imgBackground));
    btnOk->setFocus();
}

void TfrmAbout::btnOKClick()
{
    Tag = 1;
    close();
}

void TfrmAbout::FormKeyUp(int key)
{
    if (key == Qt::Key_F1)
        emit HelpRequested();
    else if (key == Qt::Key_Escape)
        btnOKClick();
}

void TfrmAbout::UrlTo(const QWidget* sender)
{
    if (sender == imgUmbo)
        platform::OpenDocument(AssociationSiteAddress);
    else
        platform::OpenDocument(LanguageCode == LanguageCodeFrench ? SiteAddressFrench : SiteAddressOther);
}

void TfrmAbout::Mailto(const QLabel* sender)
{
    platform::OpenDocument("mailto:" + platform::UnicodeToAnsiOrEmpty(sender->text()) + "?subject=" + AboutMailSubject);
}

bool TfrmAbout::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_F1 || key == Qt::Key_Escape) {
            FormKeyUp(key);
            return true;
        }
    } else if (event->type() == QEvent::MouseButtonRelease
               && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        auto* control = static_cast<QWidget*>(watched);
        if (!control->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint()))
            return QDialog::eventFilter(watched, event);
        if (control == lblEmail1 || control == lblEmail2)
            Mailto(static_cast<QLabel*>(control));
        else if (control == lblUrlAddress || control == imgLogo || control == imgUmbo)
            UrlTo(control);
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmAbout::closeEvent(QCloseEvent* event)
{
    if (Tag != 1) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void TfrmAbout::reject()
{
    // Esc goes through OK on its release; any other close request is refused.
    if (Tag == 1)
        QDialog::reject();
}

} // namespace game
