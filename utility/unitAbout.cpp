#include "utility/unitAbout.h"

#include "platform/QtCanvas.h"
#include "platform/WindowControls.h"
#include "utility/Index.h"
#include "utility/UtilityResources.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace utility {

TfrmAbout* frmAbout = nullptr;

namespace {

QLabel* NewLabel(QWidget* parent, const char* name, const QRect& place)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(place);
    return label;
}

} // namespace

TfrmAbout::TfrmAbout(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    InitUtilityResources();
    setFont(platform::WindowFont("MS Sans Serif", 11));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(299, 198);

    panIcon = new QFrame(this);
    panIcon->setObjectName(QStringLiteral("panIcon"));
    panIcon->setGeometry(2, 2, 149, 196);
    panIcon->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    imgProgramIcon = NewLabel(panIcon, "imgProgramIcon", QRect(2, 2, 145, 192));
    imgProgramIcon->setPixmap(QPixmap(QStringLiteral(":/lexorim/imgProgramIcon.png")));
    imgProgramIcon->setScaledContents(true);

    bvCadre = new QFrame(this);
    bvCadre->setObjectName(QStringLiteral("bvCadre"));
    bvCadre->setGeometry(152, 2, 145, 195);
    bvCadre->setFrameStyle(QFrame::Box | QFrame::Sunken);

    lblTitle = NewLabel(this, "lblTitle", QRect(152, 8, 145, 22));
    lblTitle->setText(QStringLiteral("Lexorim"));
    lblTitle->setFont(platform::WindowFont("Arial", 19, true));
    lblTitle->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblVersion = NewLabel(this, "lblVersion", QRect(152, 40, 145, 16));
    lblVersion->setFont(platform::WindowFont("Arial", 13));
    lblVersion->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblInfo = NewLabel(this, "lblInfo", QRect(160, 104, 129, 57));
    lblInfo->setWordWrap(true);
    lblInfo->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(191, 167, 75, 25);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &TfrmAbout::OKButtonClick);
    SetAboutTexts(FrenchLanguage);
}

void TfrmAbout::SetAboutTexts(int32_t languageCode)
{
    lblVersion->setText(QStringLiteral("Version 1.3"));
    if (languageCode == FrenchLanguage) {
        setWindowTitle(QStringLiteral("A propos de..."));
        lblInfo->setText(QStringLiteral("Utilitaire de gestion des dictionnaires pour le Jeu du Garvo de Velmora."));
    } else {
        setWindowTitle(QStringLiteral("About..."));
        lblInfo->setText(QStringLiteral("Dictionaries management utility for the Velmora's Hangman's game."));
    }
}

void TfrmAbout::showEvent(QShowEvent* event)
{
    SetAboutTexts(frmIndex != nullptr ? frmIndex->LanguageCode : FrenchLanguage);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    QDialog::showEvent(event);
}

void TfrmAbout::OKButtonClick()
{
    accept();
}

} // namespace utility
