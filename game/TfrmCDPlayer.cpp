#include "game/TfrmCDPlayer.h"

#include "game/GameResources.h"
#include "game/GameSettings.h"
#include "game/SaveReport.h"
#include "game/TfrmMain.h"
#include "game/ThemeLoader.h"
#include "game/globalDefs.h"
#include "game/unitCursors.h"
#include "platform/Dialogs.h"
#include "platform/IniFile.h"
#include "platform/QtCanvas.h"
#include "platform/WindowControls.h"
#include "platform/Windows1252.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainterPath>

namespace game {

TfrmCDPlayer* frmCDPlayer = nullptr;
TCDPlayerWindowSettings CDPlayerWindow;

namespace {

// A fault of the drive layer in the interface's language, with the drive or track it names.
std::string FaultText(const TCDPlayerTexts& texts, const platform::ECdError& error)
{
    switch (error.Fault) {
    case platform::TCdFault::NoSupport: return texts.NoCDAudioSupport;
    case platform::TCdFault::NoDriveOpen: return texts.NoDriveOpen;
    case platform::TCdFault::NoDisc: return texts.NoDisc;
    case platform::TCdFault::NoAnswer: return texts.DriveDoesNotAnswer;
    case platform::TCdFault::CannotOpen: return texts.CannotOpenDrive + " " + error.Detail;
    case platform::TCdFault::Refused: return texts.CommandRefused;
    case platform::TCdFault::UnreadableToc: return texts.UnreadableTableOfContents;
    case platform::TCdFault::NoTrack: return texts.NoSuchTrack + " " + error.Detail;
    }
    return error.what();
}

constexpr int LabelFontPixels = 11;
constexpr int LabelHeight = 13;
constexpr int StatusFontStretch = 90;
constexpr int CornerDiameter = 20;
constexpr char SectionGeneral[] = "General";
// What the drive label shows before a drive is found.
constexpr char NoDriveText[] = "Vide";
constexpr char WindowName[] = "frmCDPlayer";

// The window's outline: a rectangle with rounded corners.
QRegion RoundedRegion()
{
    QPainterPath outline;
    outline.addRoundedRect(0, 0, TfrmCDPlayer::ClientWidth, TfrmCDPlayer::ClientHeight, CornerDiameter / 2,
                           CornerDiameter / 2);
    return QRegion(outline.toFillPolygon().toPolygon());
}

QString TimeText(int minutes, int seconds)
{
    return QStringLiteral("%1 mn %2 s ").arg(minutes).arg(seconds);
}

QString ValueText(int value)
{
    return QString::number(value) + QLatin1Char(' ');
}

bool IsMoving(platform::TCdMode mode)
{
    return mode == platform::cdPlaying || mode == platform::cdRecording || mode == platform::cdSeeking;
}

} // namespace

std::string CDStatusText(int32_t mode)
{
    const bool known = mode >= 0 && mode < static_cast<int32_t>(CDStatusTexts.size());
    return CDStatusTexts[known ? mode : platform::cdNotReady];
}

TCDPlayerButton::TCDPlayerButton(QWidget* parent, const QString& name) : QLabel(parent)
{
    setObjectName(name);
    DeclareCursor(this, Qt::PointingHandCursor);
    setMouseTracking(true);
}

const QPixmap& TCDPlayerButton::Face(int hover) const
{
    std::optional<QPixmap>& face = faces_[static_cast<size_t>(hover)];
    if (!face)
        face = BuiltInPicture(QStringLiteral("cdplayer/") + objectName() + QString::number(hover));
    return *face;
}

void TCDPlayerButton::ShowNormal()
{
    // Hidden, the button shows its normal face once it shows.
    setPixmap(isVisible() ? Normal() : QPixmap());
    Tag = 0;
}

void TCDPlayerButton::ShowHover()
{
    setPixmap(Hover());
    Tag = 1;
}

void TCDPlayerButton::showEvent(QShowEvent* event)
{
    // The normal face is decoded when the window first shows; a hover face set before stays.
    QLabel::showEvent(event);
    if (pixmap().isNull())
        ShowNormal();
}

void TCDPlayerButton::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
}

void TCDPlayerButton::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click)
        emit Click();
}

void TCDPlayerButton::mouseMoveEvent(QMouseEvent*)
{
    emit Hovered();
}

TfrmCDPlayer::TfrmCDPlayer(std::unique_ptr<platform::TCdDevice> device, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      mediaCDPlayer(std::move(device))
{
    setObjectName(QLatin1String(WindowName));
    QFont labelFont(platform::MapFontFace("MS Sans Serif"));
    labelFont.setPixelSize(LabelFontPixels);
    setFont(labelFont);
    CreateControls();
    ConnectControls();
    ShowTexts();
    SetLanguagePart(WindowName, [this](const TThemeFiles& files, int32_t) { LoadLanguagePart(files); });
    FormCreate();
}

TfrmCDPlayer::~TfrmCDPlayer()
{
    SetLanguagePart(WindowName, {});
    if (frmCDPlayer == this)
        frmCDPlayer = nullptr;
}

void TfrmCDPlayer::CreateControls()
{
    setFixedSize(ClientWidth, ClientHeight);
    setMouseTracking(true);
    imgBackground = new QLabel(this);
    imgBackground->setObjectName(QStringLiteral("imgBackground"));
    imgBackground->setGeometry(0, 0, ClientWidth, ClientHeight);
    SetBuiltInPicture(imgBackground, QStringLiteral("cdplayer/imgBackground"));
    CreateButtons();
    CreateLabels();

    mnuColor = new QMenu(this);
    mnuColorText = mnuColor->addAction(QString());

    timUpdateInfo.setInterval(CDIdleInterval);

    installEventFilter(this);
    imgBackground->setMouseTracking(true);
    imgBackground->installEventFilter(this);
    for (QLabel* label : Labels()) {
        label->setMouseTracking(true);
        label->installEventFilter(this);
    }
}

void TfrmCDPlayer::CreateButtons()
{
    constexpr std::array<int, 3> columns{5, 52, 99};
    constexpr std::array<int, 3> rows{112, 146, 180};
    constexpr int width = 45;
    constexpr int height = 30;
    const auto newButton = [this](const char* name) { return new TCDPlayerButton(this, QLatin1String(name)); };
    imgFastRewind = newButton("imgFastRewind");
    imgPlay = newButton("imgPlay");
    imgFastForward = newButton("imgFastForward");
    imgPrevious = newButton("imgPrevious");
    imgStop = newButton("imgStop");
    imgNext = newButton("imgNext");
    imgEject = newButton("imgEject");
    imgPause = newButton("imgPause");
    imgExit = newButton("imgExit");
    const auto buttons = Buttons();
    for (size_t i = 0; i < buttons.size(); ++i)
        buttons[i]->setGeometry(columns[i % 3], rows[i / 3], width, height);
}

void TfrmCDPlayer::CreateLabels()
{
    struct TPlace {
        QLabel** Label;
        const char* Name;
        QRect Geometry;
        Qt::Alignment Alignment;
    };
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    // The value labels end on one right edge, as their trailing blank keeps them off the frame.
    const std::array<TPlace, 10> places{{
        {&lblTracks, "lblTracks", {12, 16, 92, LabelHeight}, left},
        {&lblTracksValue, "lblTracksValue", {104, 16, 35, LabelHeight}, right},
        {&lblCurrentTrack, "lblCurrentTrack", {12, 32, 92, LabelHeight}, left},
        {&lblCurrentTrackValue, "lblCurrentTrackValue", {104, 32, 35, LabelHeight}, right},
        {&lblTrackTime, "lblTrackTime", {18, 48, 46, LabelHeight}, left},
        {&lblTrackTimeValue, "lblTrackTimeValue", {64, 48, 75, LabelHeight}, right},
        {&lblTrackTimeElapsed, "lblTrackTimeElapsed", {18, 64, 46, LabelHeight}, left},
        {&lblTrackTimeElapsedValue, "lblTrackTimeElapsedValue", {64, 64, 75, LabelHeight}, right},
        {&lblCDPlayerStatus, "lblCDPlayerStatus", {14, 80, 99, LabelHeight}, left},
        {&lblCDDrive, "lblCDDrive", {109, 80, 30, LabelHeight}, right},
    }};
    for (const TPlace& place : places) {
        auto* label = new QLabel(this);
        label->setObjectName(QLatin1String(place.Name));
        label->setGeometry(place.Geometry);
        label->setAlignment(place.Alignment);
        label->setTextFormat(Qt::PlainText);
        label->setContextMenuPolicy(Qt::CustomContextMenu);
        *place.Label = label;
    }
    // Narrowed a little, so that the longest status texts fit as they do in the original face.
    QFont bold = font();
    bold.setBold(true);
    bold.setStretch(StatusFontStretch);
    lblCDPlayerStatus->setFont(bold);
}

void TfrmCDPlayer::ConnectControls()
{
    const std::array<void (TfrmCDPlayer::*)(), 9> clicks{
        &TfrmCDPlayer::imgFastRewindClick, &TfrmCDPlayer::imgPlayClick,  &TfrmCDPlayer::imgFastForwardClick,
        &TfrmCDPlayer::imgPreviousClick,   &TfrmCDPlayer::imgStopClick,  &TfrmCDPlayer::imgNextClick,
        &TfrmCDPlayer::imgEjectClick,      &TfrmCDPlayer::imgPauseClick, &TfrmCDPlayer::imgExitClick};
    const auto buttons = Buttons();
    for (size_t i = 0; i < buttons.size(); ++i) {
        TCDPlayerButton* button = buttons[i];
        connect(button, &TCDPlayerButton::Click, this, clicks[i]);
        connect(button, &TCDPlayerButton::Hovered, this, [this, button] { HoverButton(button); });
    }
    for (QLabel* label : Labels())
        connect(label, &QWidget::customContextMenuRequested, this,
                [this, label](const QPoint& at) { mnuColor->popup(label->mapToGlobal(at)); });
    connect(mnuColorText, &QAction::triggered, this, &TfrmCDPlayer::mnuColorTextClick);
    // The press that opened the menu stopped the updates; its release went to the menu.
    connect(mnuColor, &QMenu::aboutToHide, this, [this] { timUpdateInfo.start(); });
    connect(&timUpdateInfo, &QTimer::timeout, this, &TfrmCDPlayer::timUpdateInfoTimer);
}

std::array<TCDPlayerButton*, 9> TfrmCDPlayer::Buttons() const
{
    return {imgFastRewind, imgPlay, imgFastForward, imgPrevious, imgStop, imgNext, imgEject, imgPause, imgExit};
}

std::array<QLabel*, 10> TfrmCDPlayer::Labels() const
{
    return {lblTracks,           lblTracksValue,           lblCurrentTrack,   lblCurrentTrackValue,
            lblTrackTime,        lblTrackTimeValue,        lblTrackTimeElapsed, lblTrackTimeElapsedValue,
            lblCDPlayerStatus,   lblCDDrive};
}

void TfrmCDPlayer::LoadLanguagePart(const TThemeFiles& files)
{
    Texts = ReadCDPlayerTexts(files);
    ShowTexts();
}

void TfrmCDPlayer::ShowTexts()
{
    const auto text = [](const std::string& ansi) { return platform::AnsiToUnicode(ansi); };
    lblTracks->setText(text(Texts.NumberOfTracks));
    lblCurrentTrack->setText(text(Texts.CurrentTrack));
    lblTrackTime->setText(text(Texts.TrackTime));
    lblTrackTimeElapsed->setText(text(Texts.ElapsedTime));
    imgFastRewind->setToolTip(text(Texts.FastRewind));
    imgFastForward->setToolTip(text(Texts.FastForward));
    imgPlay->setToolTip(text(Texts.Play));
    imgPrevious->setToolTip(text(Texts.PreviousTrack));
    imgNext->setToolTip(text(Texts.NextTrack));
    imgStop->setToolTip(text(Texts.Stop));
    imgPause->setToolTip(text(Texts.Pause));
    imgEject->setToolTip(text(Texts.Eject));
    imgExit->setToolTip(text(Texts.Exit));
    mnuColorText->setText(text(Texts.ChangeTextColor));
}

void TfrmCDPlayer::FormCreate()
{
    LoadCDPlayerSettings(SettingsFilePath);
    NoDisc = FindCDDrive();
    setMask(RoundedRegion());
    for (TCDPlayerButton* button : Buttons())
        button->Tag = 1;
    imgHideImagesMouseMove();
}

void TfrmCDPlayer::LoadCDPlayerSettings(const std::string& settingsFilePath)
{
    const platform::TIniFile ini(settingsFilePath);
    CDPlayerWindow.Left = ini.ReadInteger(SectionGeneral, "CDPlayerWindow.Left", -1);
    CDPlayerWindow.Top = ini.ReadInteger(SectionGeneral, "CDPlayerWindow.Top", -1);
    CDPlayerWindow.FontColor = ini.ReadInteger(SectionGeneral, "CDPlayerWindow.FontColor", TCDPlayerWindowSettings{}.FontColor);
    const QPoint place = CDPlayerCreationPlace({CDPlayerWindow.Left, CDPlayerWindow.Top}, size(), ScreenSize());
    CDPlayerWindow.Left = place.x();
    CDPlayerWindow.Top = place.y();
    move(place);
    SetLabelColor(CDPlayerWindow.FontColor);
}

void TfrmCDPlayer::SaveCDPlayerSettings(const std::string& settingsFilePath)
{
    platform::TIniFile ini(settingsFilePath);
    if (!SettingsFileWritable(ini))
        return;
    ini.WriteInteger(SectionGeneral, "CDPlayerWindow.Left", CDPlayerWindow.Left);
    ini.WriteInteger(SectionGeneral, "CDPlayerWindow.Top", CDPlayerWindow.Top);
    ini.WriteInteger(SectionGeneral, "CDPlayerWindow.FontColor", CDPlayerWindow.FontColor);
    ini.UpdateFile();
}

void TfrmCDPlayer::SetLabelColor(platform::TColor color)
{
    for (QLabel* label : Labels())
        platform::SetTextColor(label, platform::ToQColor(color));
}

bool TfrmCDPlayer::FindCDDrive()
{
    lblCDDrive->setText(QLatin1String(NoDriveText));
    for (const std::string& drive : mediaCDPlayer.Drives()) {
        mediaCDPlayer.FileName = drive;
        // The drive's name stands where its letter would, with the colon and space after it.
        lblCDDrive->setText(platform::AnsiToUnicode(platform::DriveLabel(drive) + ": "));
        try {
            mediaCDPlayer.Open();
        } catch (const platform::ECdError&) {
            return true;
        }
        try {
            // A single track is a data disc, not music.
            if (mediaCDPlayer.Mode() == platform::cdStopped && mediaCDPlayer.Tracks() > 1)
                return false;
        } catch (const platform::ECdError&) {
        }
    }
    return true;
}

void TfrmCDPlayer::ClearValues()
{
    lblTracksValue->clear();
    lblCurrentTrackValue->clear();
    lblTrackTimeValue->clear();
    lblTrackTimeElapsedValue->clear();
}

void TfrmCDPlayer::ShowDiscValues()
{
    const int32_t tracks = mediaCDPlayer.Tracks();
    const uint32_t position = mediaCDPlayer.PositionTmsf();
    const uint32_t length = mediaCDPlayer.TrackLengthMsf(platform::TmsfTrack(position));
    lblTracksValue->setText(ValueText(tracks));
    lblCurrentTrackValue->setText(ValueText(platform::TmsfTrack(position)));
    lblTrackTimeValue->setText(TimeText(platform::MsfMinutes(length), platform::MsfSeconds(length)));
    lblTrackTimeElapsedValue->setText(TimeText(platform::TmsfMinutes(position), platform::TmsfSeconds(position)));
}

void TfrmCDPlayer::timUpdateInfoTimer()
{
    NoDisc = false;
    try {
        const platform::TCdMode mode = mediaCDPlayer.Mode();
        lblCDPlayerStatus->setText(platform::AnsiToUnicode(CDStatusText(mode)));
        // Quick updates while the disc moves; none while nobody looks and it rests.
        if (!active_ && !IsMoving(mode))
            timUpdateInfo.stop();
        else
            timUpdateInfo.start(IsMoving(mode) ? CDBusyInterval : CDIdleInterval);
        if (mode == platform::cdOpen || mode == platform::cdNotReady) {
            ClearValues();
            NoDisc = FindCDDrive();
            return;
        }
        ShowDiscValues();
    } catch (const platform::ECdError&) {
        try {
            mediaCDPlayer.Open();
        } catch (const platform::ECdError&) {
        }
        ClearValues();
        lblCDDrive->clear();
        lblCDPlayerStatus->setText(platform::AnsiToUnicode(CDStatusText(platform::cdNotReady)));
        NoDisc = true;
    }
}

void TfrmCDPlayer::StartFastUpdates()
{
    timUpdateInfo.start(CDBusyInterval);
}

template <class TCommand>
void TfrmCDPlayer::ReportingDeviceErrors(TCommand command)
{
    try {
        command();
    } catch (const platform::ECdError& error) {
        platform::ErrorBox(FaultText(Texts, error), this);
    }
}

template <class TCommand>
void TfrmCDPlayer::OnDisc(TCommand command)
{
    StartFastUpdates();
    if (!NoDisc)
        ReportingDeviceErrors(command);
}

void TfrmCDPlayer::imgPlayClick()
{
    OnDisc([this] { mediaCDPlayer.Play(); });
}

void TfrmCDPlayer::imgStopClick()
{
    OnDisc([this] {
        mediaCDPlayer.Stop();
        mediaCDPlayer.Rewind();
    });
}

void TfrmCDPlayer::imgPreviousClick()
{
    OnDisc([this] { mediaCDPlayer.Previous(); });
}

void TfrmCDPlayer::imgNextClick()
{
    OnDisc([this] { mediaCDPlayer.Next(); });
}

void TfrmCDPlayer::imgPauseClick()
{
    OnDisc([this] { mediaCDPlayer.Pause(); });
}

void TfrmCDPlayer::imgFastForwardClick()
{
    OnDisc([this] { mediaCDPlayer.SetPositionMs(mediaCDPlayer.PositionMs() + CDFastStepMs); });
}

void TfrmCDPlayer::imgFastRewindClick()
{
    OnDisc([this] { mediaCDPlayer.SetPositionMs(mediaCDPlayer.PositionMs() - CDFastStepMs); });
}

void TfrmCDPlayer::imgEjectClick()
{
    StartFastUpdates();
    // Also without an audio disc: a data disc comes out too.
    ReportingDeviceErrors([this] { mediaCDPlayer.Eject(); });
}

void TfrmCDPlayer::imgExitClick()
{
    imgHideImagesMouseMove();
    Tag = 1;
    close();
}

void TfrmCDPlayer::imgHideImagesMouseMove()
{
    for (TCDPlayerButton* button : Buttons())
        if (button->Tag == 1)
            button->ShowNormal();
}

void TfrmCDPlayer::HoverButton(TCDPlayerButton* button)
{
    FocusWindow();
    if (button->Tag != 0)
        return;
    imgHideImagesMouseMove();
    button->ShowHover();
}

void TfrmCDPlayer::FocusWindow()
{
    if (isVisible() && !isActiveWindow())
        activateWindow();
}

void TfrmCDPlayer::mnuColorTextClick()
{
    if (const auto chosen = platform::ChooseColor(CDPlayerWindow.FontColor, this)) {
        CDPlayerWindow.FontColor = *chosen;
        SetLabelColor(*chosen);
    }
}

void TfrmCDPlayer::ShowWindow()
{
    show();
    raise();
    activateWindow();
}

void TfrmCDPlayer::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TfrmCDPlayer::FormShow()
{
    Tag = 0;
    resize(ClientWidth, ClientHeight);
    const QPoint place = CenteredUnlessOnScreen({CDPlayerWindow.Left, CDPlayerWindow.Top}, size(), ScreenSize());
    CDPlayerWindow.Left = place.x();
    CDPlayerWindow.Top = place.y();
    move(place);
    LoadLanguageTexts(WindowName, 0);
    TakeBackgroundColor(this, LabelPicture(imgBackground));
}

void TfrmCDPlayer::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange)
        return;
    if (isActiveWindow())
        FormActivate();
    else
        FormDeactivate();
}

void TfrmCDPlayer::FormActivate()
{
    active_ = true;
    timUpdateInfo.start(CDBusyInterval);
}

void TfrmCDPlayer::FormDeactivate()
{
    active_ = false;
    if (mediaCDPlayer.Mode() != platform::cdPlaying)
        timUpdateInfo.stop();
    imgHideImagesMouseMove();
}

void TfrmCDPlayer::FormMouseDown(Qt::MouseButton button, QPoint globalPosition)
{
    GeneralMouseDown(drag_, this, button, globalPosition.x(), globalPosition.y());
    timUpdateInfo.stop();
}

void TfrmCDPlayer::FormMouseMove(QPoint globalPosition)
{
    FocusWindow();
    GeneralMouseMove(drag_, this, globalPosition.x(), globalPosition.y());
    imgHideImagesMouseMove();
}

void TfrmCDPlayer::FormMouseUp(Qt::MouseButton button)
{
    GeneralMouseUp(drag_, button);
    timUpdateInfo.start();
}

bool TfrmCDPlayer::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)
        return QWidget::eventFilter(watched, event);
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (type == QEvent::MouseMove) {
        FormMouseMove(mouse->globalPosition().toPoint());
        return false;
    }
    if (type == QEvent::MouseButtonPress)
        FormMouseDown(mouse->button(), mouse->globalPosition().toPoint());
    else
        FormMouseUp(mouse->button());
    // The window owns a left press on its surface: it drags the window.
    return mouse->button() == Qt::LeftButton;
}

void TfrmCDPlayer::closeEvent(QCloseEvent* event)
{
    if (Tag == 0) {
        event->ignore();
        return;
    }
    FormClose();
    QWidget::closeEvent(event);
}

void TfrmCDPlayer::FormClose()
{
    timUpdateInfo.stop();
    CDPlayerWindow.Left = x();
    CDPlayerWindow.Top = y();
    SaveOrReport([this] { SaveCDPlayerSettings(SettingsFilePath); }, SettingsFilePath, this);
}

void TfrmCDPlayer::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1)
        emit HelpRequested();
    QWidget::keyReleaseEvent(event);
}

} // namespace game
