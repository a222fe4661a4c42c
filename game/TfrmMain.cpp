// The main window's construction (controls, pictures, texts), its start and close, its keys and
// the buttons that open the other windows.
#include "game/TfrmMain.h"

#include "game/TfrmCDPlayer.h"

#include "game/GameSettings.h"
#include "game/HighScores.h"
#include "game/LanguageTexts.h"
#include "game/Players.h"
#include "game/SaveReport.h"
#include "game/TfrmMainPictureButton.h"
#include "game/TfrmScores.h"
#include "game/TfrmZoom.h"
#include "game/ThemeLoader.h"
#include "game/WindowPlacement.h"
#include "htmlview/HtmlView.h"
#include "platform/Application.h"
#include "platform/CdAudio.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/HintTiming.h"
#include "platform/IniFile.h"
#include "platform/QtCanvas.h"
#include "platform/QtProgress.h"
#include "platform/Screen.h"
#include "platform/Shell.h"
#include "platform/Sound.h"
#include "platform/Taskbar.h"
#include "platform/WindowControls.h"
#include "platform/Windows1252.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QTextEdit>
#include <QWindowStateChangeEvent>

namespace game {

TfrmMain* frmMain = nullptr;

namespace {

const QColor CreationBackground(207, 176, 149);
constexpr int WordBoxTop = 104;
constexpr int WordAndViewerHeight = 246; // the view always ends 246 pixels below the word box
constexpr int EdgeHeight = 2;            // the sunken edge of the word box, top or bottom
constexpr int ToolButtonWidth = 41;
constexpr int ToolButtonHeight = 25;
constexpr int RoundButtonWidth = 122;
constexpr int HintPause = 100;      // milliseconds of rest before a hint shows
constexpr int HintHidePause = 5000; // milliseconds a hint stays

// The remembered places of the zoom window are its own, the colours those of its word panel.
void RememberZoomWindow(const TfrmZoom& zoom)
{
    ZoomWindowLeft = zoom.x();
    ZoomWindowTop = zoom.y();
    ZoomBackColor = zoom.BackColor();
    ZoomFontColor = zoom.TextColor();
    ZoomFontSize = zoom.FontSize();
}

} // namespace

TfrmMain::TfrmMain(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Jeu du Garvo"));
    setFixedSize(ClientWidth, ClientHeight);
    setAutoFillBackground(true);
    CreateControls();
    PlaceControls();
    ConnectControls();
    LoadPictures();
    PreviewKeys();
}

TfrmMain::~TfrmMain()
{
    if (frmMain == this)
        frmMain = nullptr;
}

TPictureButton* TfrmMain::LetterKey(char letter) const
{
    const unsigned char lower = platform::AnsiLowerChar(static_cast<unsigned char>(letter));
    return lower >= 'a' && lower <= 'z' ? LetterKeys[lower - 'a'] : nullptr;
}

void TfrmMain::CreateControls()
{
    imgBackground = platform::NewLabel(this, "imgBackground");
    imgLogo = platform::NewLabel(this, "imgLogo");
    TitleImage = platform::NewLabel(this, "TitleImage");
    GallowsImage = platform::NewLabel(this, "GallowsImage");

    lblWord = platform::NewLabel(this, "lblWord");
    lblWord->setAlignment(Qt::AlignCenter);
    lblWord->setFont(platform::WindowFont("Courier New", 19, true));
    platform::SetTextColor(lblWord, HighlightTextColor);

    prgBar = new QProgressBar(this);
    prgBar->setObjectName(QStringLiteral("prgBar"));
    prgBar->setRange(0, 100);
    prgBar->setTextVisible(false);
    prgBar->hide();
    progress_ = std::make_unique<platform::TQtProgress>(prgBar);

    edtWord = new QTextEdit(this);
    edtWord->setObjectName(QStringLiteral("edtWord"));
    edtWord->setReadOnly(true);
    edtWord->setEnabled(false);
    edtWord->setFocusPolicy(Qt::NoFocus);
    edtWord->setLineWrapMode(QTextEdit::NoWrap);
    edtWord->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edtWord->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edtWord->setFont(platform::WindowFont("Arial", 11, true));
    edtWord->document()->setDocumentMargin(1);
    platform::UseInfoBackground(edtWord, {QPalette::Base});
    platform::SetPaletteColor(edtWord, {QPalette::Text}, Qt::black);
    const QColor infoBackground = edtWord->palette().color(QPalette::Base);

    htmlViewer = new htmlview::THtmlView(this);
    htmlViewer->setObjectName(QStringLiteral("htmlViewer"));
    htmlViewer->SetScrollBars(htmlview::TScrollStyle::ssVertical);
    htmlViewer->SetBorderStyle(htmlview::THTMLBorderStyle::htSingle);
    htmlViewer->SetDefBackground(platform::RGB(infoBackground.red(), infoBackground.green(), infoBackground.blue()));
    htmlViewer->SetDefFontName("Arial");
    htmlViewer->SetDefPreFontName("Courier New");
    htmlViewer->SetDefFontSize(MinDefFontSize);
    htmlViewer->SetHistoryMaxCount(0);
    htmlViewer->SetViewImages(true);
    htmlViewer->SetNoSelect(false);

    lblScore = platform::NewLabel(this, "lblScore");
    lblScore->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    imgTime = platform::NewLabel(this, "imgTime");
    lblTimeRemaining = platform::NewLabel(this, "lblTimeRemaining");
    lblPlayerName = platform::NewLabel(this, "lblPlayerName");
    lblPlayerName->setFont(platform::WindowFont("Arial", 29, true, true));
    platform::SetTextColor(lblPlayerName, HighlightTextColor);
    lblPlayerName->hide();
    lblTriesRemaining = platform::NewLabel(this, "lblTriesRemaining");
    for (QLabel* label : {lblScore, lblTimeRemaining, lblTriesRemaining})
        label->setFont(platform::WindowFont("Arial", 14, true));

    CreateButtons();

    drag_ = new TWindowDrag(this);
    for (QWidget* surface : {imgBackground, imgLogo, TitleImage, GallowsImage, lblWord, lblScore, imgTime,
                             lblTimeRemaining, lblPlayerName})
        drag_->AddSurface(surface);
}

void TfrmMain::CreateButtons()
{
    const auto newButton = [this](const QString& name) {
        auto* button = new TPictureButton(this);
        button->setObjectName(name);
        return button;
    };
    btnHelp = newButton(QStringLiteral("btnHelp"));
    btnOpen = newButton(QStringLiteral("btnOpen"));
    btnViewScore = newButton(QStringLiteral("btnViewScore"));
    btnOption = newButton(QStringLiteral("btnOption"));
    btnAbout = newButton(QStringLiteral("btnAbout"));
    btnCDPlayer = newButton(QStringLiteral("btnCDPlayer"));
    btnMagnify = newButton(QStringLiteral("btnMagnify"));
    btnEdit = newButton(QStringLiteral("btnEdit"));
    btnMinimize = newButton(QStringLiteral("btnMinimize"));
    btnExit = newButton(QStringLiteral("btnExit"));
    btnStart = newButton(QStringLiteral("btnStart"));
    btnContinue = newButton(QStringLiteral("btnContinue"));
    btnStop = newButton(QStringLiteral("btnStop"));
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        TPictureButton* key = newButton(QStringLiteral("btn") + QChar(letter - 'a' + 'A'));
        key->Tag = letter;
        LetterKeys[letter - 'a'] = key;
    }
}

void TfrmMain::PlaceControls()
{
    imgBackground->setGeometry(0, 0, ClientWidth, ClientHeight);
    imgLogo->move(18, 10);
    TitleImage->setGeometry(206, 10, 575, 60);
    GallowsImage->setGeometry(25, 84, 290, 385);
    lblWord->setGeometry(352, 80, 413, 22);
    prgBar->setGeometry(352, 83, 413, 17);
    edtWord->setGeometry(352, WordBoxTop, 413, 22);
    htmlViewer->setGeometry(352, 130, 413, 220);

    // The round's displays share the panel below the view with Start and Stop.
    lblTimeRemaining->setGeometry(358, 382, 100, 25);
    imgTime->setGeometry(458, 380, 61, 28);
    lblPlayerName->setGeometry(358, 412, 404, 34);
    lblTriesRemaining->setGeometry(358, 444, 200, 22);
    lblScore->setGeometry(562, 444, 200, 22);

    const std::array<std::pair<TPictureButton*, QPoint>, 10> tools{{{btnHelp, {532, 490}},
                                                                    {btnOpen, {580, 490}},
                                                                    {btnViewScore, {628, 490}},
                                                                    {btnOption, {676, 490}},
                                                                    {btnAbout, {724, 490}},
                                                                    {btnCDPlayer, {532, 522}},
                                                                    {btnMagnify, {580, 522}},
                                                                    {btnEdit, {628, 522}},
                                                                    {btnMinimize, {676, 522}},
                                                                    {btnExit, {724, 522}}}};
    for (const auto& [button, at] : tools)
        button->setGeometry(at.x(), at.y(), ToolButtonWidth, ToolButtonHeight);
    btnContinue->setGeometry(528, 382, RoundButtonWidth, ToolButtonHeight);
    btnStart->setGeometry(btnContinue->geometry());
    btnStop->setGeometry(652, 382, RoundButtonWidth, ToolButtonHeight);
    for (TPictureButton* key : LetterKeys)
        key->resize(ToolButtonWidth, ToolButtonHeight);
    btnCDPlayer->setEnabled(false);
}

void TfrmMain::ConnectControls()
{
    connect(btnHelp, &QAbstractButton::clicked, this, &TfrmMain::btnHelpClick);
    connect(btnOpen, &QAbstractButton::clicked, this, &TfrmMain::btnOpenClick);
    connect(btnViewScore, &QAbstractButton::clicked, this, &TfrmMain::btnViewScoreClick);
    connect(btnOption, &QAbstractButton::clicked, this, &TfrmMain::btnOptionClick);
    connect(btnAbout, &QAbstractButton::clicked, this, &TfrmMain::btnAboutClick);
    connect(btnCDPlayer, &QAbstractButton::clicked, this, &TfrmMain::btnCDPlayerClick);
    connect(btnMagnify, &QAbstractButton::clicked, this, &TfrmMain::btnMagnifyClick);
    connect(btnEdit, &QAbstractButton::clicked, this, &TfrmMain::btnEditClick);
    connect(btnMinimize, &QAbstractButton::clicked, this, &TfrmMain::btnMinimizeClick);
    connect(btnExit, &QAbstractButton::clicked, this, &TfrmMain::btnExitClick);
    connect(btnStart, &QAbstractButton::clicked, this, &TfrmMain::btnStartClick);
    connect(btnContinue, &QAbstractButton::clicked, this, &TfrmMain::btnContinueClick);
    connect(btnStop, &QAbstractButton::clicked, this, &TfrmMain::btnStopClick);
    for (TPictureButton* key : LetterKeys)
        connect(key, &QAbstractButton::clicked, this, [this, key] { kbButtonsClick(key); });
    connect(&timTimer, &QTimer::timeout, this, &TfrmMain::timTimerTimer);
    htmlViewer->OnHotSpotClick = [this](htmlview::THtmlView*, const std::string& url, bool& handled) {
        htmlViewerHotSpotClick(url, handled);
    };
}

void TfrmMain::LoadPictures()
{
    // The background and the title are a theme's and a language's pictures: theirs replace the
    // built-in ones before the window shows, and the gallows and digits show only in a round.
    SetBuiltInPicture(imgBackground, QStringLiteral("main/imgBackground"));
    imgLogo->setPixmap(BuiltInPicture(QStringLiteral("main/imgLogo")));
    imgLogo->adjustSize();
    SetBuiltInPicture(TitleImage, QStringLiteral("main/TitleImage"));
    for (TPictureButton* button : findChildren<TPictureButton*>())
        button->SetBuiltInGlyph(QStringLiteral("main/") + button->objectName());
    timePicture_ = QPixmap(imgTime->size());
    timePicture_.fill(Qt::transparent);
    imgTime->setPixmap(timePicture_);
}

void TfrmMain::LoadLanguageTexts()
{
    game::LoadLanguageTexts(objectName().toStdString(), 0);
}

void TfrmMain::ShowTexts()
{
    const std::array<std::pair<TPictureButton*, const std::string*>, 13> hints{{{btnHelp, &Texts.Help},
                                                                                {btnOpen, &Texts.Open},
                                                                                {btnViewScore, &Texts.Scores},
                                                                                {btnOption, &Texts.Options},
                                                                                {btnAbout, &Texts.About},
                                                                                {btnCDPlayer, &Texts.CDPlayer},
                                                                                {btnMinimize, &Texts.Minimize},
                                                                                {btnMagnify, &Texts.Zoom},
                                                                                {btnStart, &Texts.Start},
                                                                                {btnContinue, &Texts.Continue},
                                                                                {btnStop, &Texts.Stop},
                                                                                {btnExit, &Texts.Exit},
                                                                                {btnEdit, &Texts.EditDictionary}}};
    for (const auto& [button, hint] : hints)
        button->setToolTip(platform::AnsiToUnicode(*hint));
    lblTimeRemaining->setText(platform::AnsiToUnicode(Texts.TimeRemaining));
}

// Keys reach the window before the focused control: every control passes them here first.
void TfrmMain::PreviewKeys()
{
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress || type == QEvent::KeyRelease) {
        // A key the control did not take travels on to its parents: it is seen once, where it
        // was first delivered.
        QWidget* first = QApplication::focusWidget();
        if (first == nullptr || first->window() != this)
            first = this;
        auto* key = static_cast<QKeyEvent*>(event);
        if (watched == first && !key->isAutoRepeat()) {
            if (type == QEvent::KeyRelease) {
                FormKeyUp(key->key(), key->modifiers());
                // A function key may have opened a window and moved the focus meanwhile: the
                // key must not travel on to a parent that now looks like its first receiver.
                return key->key() >= Qt::Key_F1 && key->key() <= Qt::Key_F10;
            }
            std::string typed;
            if (!key->text().isEmpty() && platform::UnicodeToAnsi(key->text().left(1), typed))
                FormKeyPress(typed[0]);
        }
        return false;
    }
    return QWidget::eventFilter(watched, event);
}

void TfrmMain::FormCreate(const std::vector<std::string>& arguments)
{
    RoundInProgress = false;
    MaxTries = TriesPerWord;
    platform::SetPaletteColor(this, {QPalette::Window}, CreationBackground);
    TaskbarHidden = platform::ScreenWidth() == ClientWidth;

    EnableLetterKeys(false);
    btnContinue->setEnabled(false);
    btnContinue->hide();
    btnStop->setEnabled(false);
    lblWord->clear();
    edtWord->clear();

    int32_t defFontSize = MinDefFontSize;
    LoadGameOptions({platform::ScreenWidth(), platform::ScreenHeight(), ClientWidth, ClientHeight}, defFontSize);
    htmlViewer->SetDefFontSize(defFontSize);
    QFont wordFont = edtWord->font();
    wordFont.setPointSize(defFontSize);
    edtWord->setFont(wordFont);
    LoadLanguageTexts();

    if (const std::optional<std::string> path = DictionaryPathFromArguments(arguments))
        DictionaryPath = *path;
    LayoutWordAndViewer();
    OpenDictionaryAtStart();

    ArrangeKeyboard();
    DrawGallows(0);
    platform::SetHintTiming(HintPause, HintHidePause);
    move(MainWindowPlace({MainWindowLeft, MainWindowTop}, size(), ScreenSize()));
    // Only once placed: a move takes a window that is not shown yet out of full screen.
    if (TaskbarHidden)
        platform::HideTaskbar(this);
    // The CD player needs a drive that reads audio discs.
    btnCDPlayer->setEnabled(platform::NewCdDevice()->DrivePresent());
    LoadLanguageTexts();
    if (CurrentDictionary.Initialized && platform::IsOnCdRomDrive(CurrentDictionary.FileName))
        ShowHtml(BuildDictionaryInfo(CurrentDictionary.FileName, ReadDictionaryDescription(CurrentDictionary.FileName),
                                     DictionaryWordCount)
                 + "<br><br><hr size=1>CDROM");
    DrawCounter(0, false);
    game::PlayersInitialize();
    ShowPlayer();
    Tag = -1;
}

void TfrmMain::LayoutWordAndViewer()
{
    const int height = QFontMetrics(edtWord->font()).height() + 3 * EdgeHeight;
    edtWord->setGeometry(edtWord->x(), WordBoxTop, edtWord->width(), height);
    htmlViewer->setGeometry(htmlViewer->x(), WordBoxTop + height + 2, htmlViewer->width(),
                            WordAndViewerHeight - height);
}

void TfrmMain::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Coming back from the taskbar is a restore, not a show.
    if (!event->spontaneous())
        FormShow();
}

void TfrmMain::FormShow()
{
    if (Tag == -1) {
        Tag = 0;
        if (btnStart->isEnabled())
            btnStart->setFocus();
        else
            btnOpen->setFocus();
    } else if (!platform::FileExists(DictionaryPath)) {
        btnOpenClick();
    }
    TakeBackgroundColor(this, LabelPicture(imgBackground));
}

void TfrmMain::closeEvent(QCloseEvent* event)
{
    FormClose();
    QWidget::closeEvent(event);
}

void TfrmMain::FormClose()
{
    // The CD player and the main window both save into the settings file.
    const TOneReportPerFile oneReportPerFile;
    btnStopClick();
    platform::PurgeSounds();
    timTimer.stop();
    ZoomWindowVisible = frmZoom != nullptr && frmZoom->isVisible() ? 1 : 0;
    if (ZoomWindowVisible == 1) {
        StoreZoomWindow();
        frmZoom->close();
    }
    if (frmCDPlayer != nullptr) {
        frmCDPlayer->Tag = 1;
        frmCDPlayer->close();
    }
    SaveSettings();
    SaveOrReport(SaveScores, ScoresFilePath, this);
    if (TaskbarHidden)
        platform::ShowTaskbar(this);
}

void TfrmMain::SaveSettings()
{
    // The window's own place, not the full screen's.
    const QPoint place = isFullScreen() ? normalGeometry().topLeft() : pos();
    SaveOrReport([this, place] { SaveGameOptions(place.x(), place.y(), htmlViewer->DefFontSize()); }, SettingsFilePath,
                 this);
}

void TfrmMain::StoreZoomWindow()
{
    RememberZoomWindow(*frmZoom);
    frmZoom->Tag = 1;
}

void TfrmMain::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange
        && (static_cast<QWindowStateChangeEvent*>(event)->oldState() & Qt::WindowMinimized)
        && !(windowState() & Qt::WindowMinimized))
        OnRestore();
}

void TfrmMain::OnRestore()
{
    for (const QPointer<QWidget>& window : minimisedWindows_)
        if (window != nullptr)
            window->showNormal();
    minimisedWindows_.clear();
    if (TaskbarHidden)
        platform::HideTaskbar(this);
    activateWindow();
}

void TfrmMain::FormKeyUp(int key, Qt::KeyboardModifiers modifiers)
{
    switch (key) {
    case Qt::Key_F1:
        btnHelpClick();
        break;
    case Qt::Key_F2:
        btnOpenClick();
        break;
    case Qt::Key_F3:
        if (modifiers == Qt::NoModifier)
            btnViewScoreClick();
        else if (modifiers == Qt::ControlModifier)
            btnEditClick();
        break;
    case Qt::Key_F4:
        btnOptionClick();
        break;
    case Qt::Key_F5:
        btnAboutClick();
        break;
    case Qt::Key_F6:
        btnCDPlayerClick();
        break;
    case Qt::Key_F7:
        btnMinimizeClick();
        break;
    case Qt::Key_F8:
        btnMagnifyClick();
        break;
    case Qt::Key_F9:
        if (RoundInProgress) {
            if (btnContinue->isEnabled())
                btnContinueClick();
        } else if (btnStart->isEnabled()) {
            btnStartClick();
        } else if (btnContinue->isEnabled()) {
            btnContinueClick();
        }
        break;
    case Qt::Key_F10:
        if (btnStop->isEnabled())
            btnStopClick();
        else
            close();
        break;
    default:
        break;
    }
}

void TfrmMain::btnExitClick()
{
    close();
}

void TfrmMain::btnAboutClick()
{
    emit AboutRequested();
}

void TfrmMain::btnCDPlayerClick()
{
    emit CDPlayerRequested();
}

void TfrmMain::btnViewScoreClick()
{
    ScoresWindowMode = ScoresModeBestTen;
    if (frmScores != nullptr)
        frmScores->ShowModal();
}

void TfrmMain::btnHelpClick()
{
    platform::OpenDocument(HelpFolder + Texts.HelpFile);
}

void TfrmMain::btnOptionClick()
{
    if (RoundInProgress)
        return;
    const int32_t languageBefore = LanguageCode;
    emit OptionsRequested();
    ArrangeKeyboard();
    SaveSettings();
    if (LanguageCode != languageBefore)
        ShowDictionaryInfo();
}

void TfrmMain::btnEditClick()
{
    // The utility takes its language from the settings: without it, it would not speak ours.
    const bool languageWritten = SaveOrReport(
        [] {
            platform::TIniFile settings(SettingsFilePath);
            settings.WriteInteger("Lexorim", "Language", LanguageCode);
            settings.UpdateFile();
        },
        SettingsFilePath, this);
    if (!languageWritten)
        return;
    platform::StartProgram(UtilityProgramPath(), DictionaryPath);
}

void TfrmMain::btnMinimizeClick()
{
    if (TaskbarHidden)
        platform::ShowTaskbar(this);
    // The whole game leaves the desktop, the zoom window and the CD player with it, and comes
    // back whole when the main window is restored.
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window != this && window->windowType() == Qt::Window && window->isVisible() && !window->isMinimized()) {
            minimisedWindows_.emplace_back(window);
            window->showMinimized();
        }
    showMinimized();
}

void TfrmMain::btnMagnifyClick()
{
    if (frmZoom == nullptr)
        return;
    if (!frmZoom->isVisible()) {
        ShowZoomWindow();
        return;
    }
    StoreZoomWindow();
    frmZoom->hide();
}

void TfrmMain::ShowZoomWindow()
{
    if (frmZoom == nullptr)
        return;
    const QPoint place = ZoomWindowPlace({ZoomWindowLeft, ZoomWindowTop}, frmZoom->size(), ScreenSize(), y());
    ZoomWindowLeft = place.x();
    ZoomWindowTop = place.y();
    frmZoom->move(place);
    frmZoom->SetBackColor(ZoomBackColor);
    frmZoom->SetTextColor(ZoomFontColor);
    frmZoom->SetFontSize(ZoomFontSize);
    frmZoom->Tag = 0;
    frmZoom->show();
    // The zoom window's show loads its own menu texts; the main window's colour items win.
    frmZoom->mnuColorBackground->setText(platform::AnsiToUnicode(ZoomBackgroundMenuText));
    frmZoom->mnuColorText->setText(platform::AnsiToUnicode(ZoomTextMenuText));
    activateWindow();
}

std::string UtilityProgramPath()
{
    // Beside the game's own executable: installed, the program folder holds only data.
    return platform::ProgramFolderPath() + "/lexorim";
}

std::optional<std::string> DictionaryPathFromArguments(const std::vector<std::string>& arguments)
{
    for (const std::string& argument : arguments)
        if (platform::AnsiLowerCase(argument).find("/d=") != std::string::npos)
            return argument.size() > 3 ? argument.substr(3) : std::string();
    return std::nullopt;
}

} // namespace game
