// The main window's construction (controls, editor, menus), its keys, its settings and language,
// and the state of the controls and the status bar.
#include "utility/Index.h"

#include "dictionary/fileLib.h"
#include "htmlview/HtmlView.h"
#include "platform/FileSystem.h"
#include "platform/IniFile.h"
#include "platform/QtCanvas.h"
#include "platform/QtTranslations.h"
#include "platform/WindowControls.h"
#include "platform/Windows1252.h"
#include "utility/DictionaryEdits.h"
#include "utility/UtilityResources.h"
#include "utility/unitUserList.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>

#include <cmath>
#include <QToolButton>

namespace utility {

TfrmIndex* frmIndex = nullptr;

namespace {

constexpr int ClientWidth = 628;
constexpr int ClientHeight = 522;
constexpr int PanelWidths[] = {240, 120, 180};
const char* const SettingsSection = "Lexorim";

template <class T>
T* Named(T* object, const char* name)
{
    object->setObjectName(QString::fromLatin1(name));
    return object;
}

// Black or white, whichever stands out more from Background (contrast of relative luminance).
QColor ReadableTextOn(const QColor& background)
{
    const auto linear = [](double channel) {
        return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    const double luminance = 0.2126 * linear(background.redF()) + 0.7152 * linear(background.greenF())
                             + 0.0722 * linear(background.blueF());
    const double againstBlack = (luminance + 0.05) / 0.05;
    const double againstWhite = 1.05 / (luminance + 0.05);
    return againstBlack >= againstWhite ? QColor(Qt::black) : QColor(Qt::white);
}

QFrame* NewBevel(QWidget* parent, const char* name, QFrame::Shape shape)
{
    auto* bevel = Named(new QFrame(parent), name);
    bevel->setFrameShape(shape);
    bevel->setFrameShadow(QFrame::Sunken);
    return bevel;
}

QPushButton* NewButton(QWidget* parent, const char* name)
{
    return Named(new QPushButton(parent), name);
}

QToolButton* NewFlagButton(QWidget* parent, const char* name, const char* picture, const char* hint)
{
    auto* button = Named(new QToolButton(parent), name);
    button->setIcon(QIcon(QString::fromLatin1(picture)));
    button->setIconSize(QSize(21, 15));
    button->setToolTip(QString::fromUtf8(hint));
    button->setStatusTip(button->toolTip());
    return button;
}

QAction* NewAction(QObject* parent, const char* name, const char* picture = nullptr,
                   const QKeySequence& shortcut = QKeySequence())
{
    auto* action = Named(new QAction(parent), name);
    if (picture != nullptr)
        action->setIcon(QIcon(QString::fromLatin1(picture)));
    action->setShortcut(shortcut);
    return action;
}

QPlainTextEdit* NewTextBox(QWidget* parent, const char* name)
{
    auto* box = Named(new QPlainTextEdit(parent), name);
    box->setFont(platform::WindowFont("Courier New", 13));
    return box;
}

} // namespace

TfrmIndex::TfrmIndex(std::string programFolder, QWidget* parent)
    : QMainWindow(parent), ProgramFolder(std::move(programFolder))
{
    setObjectName(QStringLiteral("frmIndex"));
    InitUtilityResources();
    setFont(platform::WindowFont("MS Sans Serif", 11));
    CreateControls();
    CreateEditor();
    CreateMenus();
    PlaceControls();
    ConnectControls();
    PreviewKeys();
    progress_ = std::make_unique<platform::TQtProgress>(prgBar);
    SetLanguage(LanguageCode);
    UpdateFileMenu();
}

TfrmIndex::~TfrmIndex()
{
    // The list refers to controls that go with the window.
    if (UserList.PaintBox == pbList)
        UserList = TUserList();
    if (frmIndex == this)
        frmIndex = nullptr;
}

void TfrmIndex::CreateControls()
{
    auto* client = new QWidget(this);
    setCentralWidget(client);

    bvLine1 = NewBevel(client, "bvLine1", QFrame::HLine);
    lblSearch = Named(new QLabel(client), "lblSearch");
    edtList = Named(new QLineEdit(client), "edtList");
    lblSearch->setBuddy(edtList);
    seList = Named(new QSpinBox(client), "seList");
    seList->setRange(0, 0);

    htmlViewer = Named(new htmlview::THtmlView(client), "htmlViewer");
    htmlViewer->SetScrollBars(htmlview::TScrollStyle::ssVertical);
    htmlViewer->SetBorderStyle(htmlview::THTMLBorderStyle::htSingle);
    htmlViewer->SetHistoryMaxCount(0);
    htmlViewer->SetDefFontName("MS Sans Serif");
    htmlViewer->SetDefPreFontName("Courier New");
    htmlViewer->SetDefFontSize(8);
    htmlViewer->SetViewImages(true);
    htmlViewer->SetNoSelect(false);
    const QColor info = htmlViewer->palette().color(QPalette::ToolTipBase);
    htmlViewer->SetDefBackground(platform::RGB(info.red(), info.green(), info.blue()));

    bvList = NewBevel(client, "bvList", QFrame::Box);
    pbList = Named(new TPaintBox(client), "pbList");
    sbList = Named(new QScrollBar(Qt::Vertical, client), "sbList");
    sbList->setRange(1, 1);
    sbList->setValue(1);
    bvLine2 = NewBevel(client, "bvLine2", QFrame::HLine);

    lblAdd = Named(new QLabel(client), "lblAdd");
    edtAddWord = Named(new QLineEdit(client), "edtAddWord");
    edtAddWord->setMaxLength(static_cast<int>(MaxWordLength));
    lblAdd->setBuddy(edtAddWord);
    memoAddWordDef = NewTextBox(client, "memoAddWordDef");
    memoAddWordDef->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    for (QWidget* input : std::initializer_list<QWidget*>{edtList, seList, pbList, edtAddWord, memoAddWordDef})
        platform::UseInfoBackground(input, {QPalette::Base, QPalette::Window});

    btnAddWord = NewButton(client, "btnAddWord");
    btnModify = NewButton(client, "btnModify");
    chkAutoLexorim = Named(new QCheckBox(client), "chkAutoLexorim");
    chkAutoLexorim->setChecked(true);
    btnLexorim = NewButton(client, "btnLexorim");
    btnInformation = NewButton(client, "btnInformation");
    btnFrench = NewFlagButton(client, "btnFrench", ":/lexorim/btnFrench.png", "Sélectionner l'interface en français");
    prgBar = Named(new QProgressBar(client), "prgBar");
    prgBar->setRange(0, 100);
    prgBar->setValue(0);
    prgBar->setTextVisible(false);
    btnEnglish = NewFlagButton(client, "btnEnglish", ":/lexorim/btnEnglish.png", "Select the english interface");
    btnQuit = NewButton(client, "btnQuit");

    sbMain = Named(new QStatusBar(client), "sbMain");
    sbMain->setSizeGripEnabled(false);
    for (size_t i = 0; i < sbPanels.size(); ++i) {
        sbPanels[i] = new QLabel(sbMain);
        sbPanels[i]->setFrameShape(QFrame::Panel);
        sbPanels[i]->setFrameShadow(QFrame::Sunken);
        sbPanels[i]->setFixedWidth(PanelWidths[i]);
        sbMain->addWidget(sbPanels[i]);
    }

    timList = Named(new QTimer(this), "timList");
    timList->setInterval(1000);

    for (QWidget* control : std::initializer_list<QWidget*>{edtList, seList, htmlViewer, pbList, sbList, edtAddWord,
                                                             memoAddWordDef, btnAddWord, btnModify, chkAutoLexorim,
                                                             btnLexorim, btnInformation})
        control->setEnabled(false);
}

void TfrmIndex::CreateEditor()
{
    QWidget* client = centralWidget();
    rtxtEditor = NewTextBox(client, "rtxtEditor");
    rtxtEditor->setLineWrapMode(QPlainTextEdit::NoWrap);
    rtxtEditor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    rtxtEditor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Both lie over the view, the add-word area and the list while they are shown.
    framEditor = Named(new QGroupBox(client), "framEditor");
    framEditor->setAutoFillBackground(true);
    btnEditorSave = NewButton(framEditor, "btnEditorSave");
    btnEditorClose = NewButton(framEditor, "btnEditorClose");
    lblInfo = Named(new QLabel(framEditor), "lblInfo");
    QFont underlined = lblInfo->font();
    underlined.setUnderline(true);
    lblInfo->setFont(underlined);
    lblInfoText = Named(new QLabel(framEditor), "lblInfoText");
    lblInfoText->setWordWrap(true);
    lblInfoText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    for (QWidget* part : std::initializer_list<QWidget*>{rtxtEditor, framEditor}) {
        part->setVisible(false);
        part->setEnabled(false);
    }
}

void TfrmIndex::CreateMenus()
{
    mnuFile = Named(menuBar()->addMenu(QString()), "mnuFile");
    mnuFileNew = NewAction(this, "mnuFileNew", ":/lexorim/mnuFileNew.png", QKeySequence(Qt::CTRL | Qt::Key_N));
    mnuFileOpen = NewAction(this, "mnuFileOpen", ":/lexorim/mnuFileOpen.png", QKeySequence(Qt::CTRL | Qt::Key_O));
    mnuFileModify = NewAction(this, "mnuFileModify", ":/lexorim/mnuFileModify.png", QKeySequence(Qt::CTRL | Qt::Key_M));
    mnuFileSave = NewAction(this, "mnuFileSave", ":/lexorim/mnuFileSave.png", QKeySequence(Qt::CTRL | Qt::Key_S));
    mnuFileClose = NewAction(this, "mnuFileClose");
    mnuFileQuit = NewAction(this, "mnuFileQuit", ":/lexorim/mnuFileQuit.png");
    mnuFile->addActions({mnuFileNew, mnuFileOpen, mnuFileModify, mnuFileSave, mnuFileClose});
    mnuFile->addSeparator();
    mnuFile->addAction(mnuFileQuit);
    // The window holds them too, so their keys work while the menu is closed.
    addActions(mnuFile->actions());

    mnuHelp = Named(menuBar()->addMenu(QString()), "mnuHelp");
    mnuHelpDictionaryInfo = NewAction(this, "mnuHelpDictionaryInfo");
    mnuHelpDictionaryInfo->setEnabled(false);
    mnuHelpAbout = NewAction(this, "mnuHelpAbout");
    mnuHelp->addAction(mnuHelpDictionaryInfo);
    mnuHelp->addSeparator();
    mnuHelp->addAction(mnuHelpAbout);

    mnuHtml = Named(new QMenu(this), "mnuHtml");
    mnuHtmlCut = NewAction(this, "mnuHtmlCut", ":/lexorim/mnuHtmlCut.png", QKeySequence(Qt::CTRL | Qt::Key_X));
    mnuHtmlCopy = NewAction(this, "mnuHtmlCopy", ":/lexorim/mnuHtmlCopy.png", QKeySequence(Qt::CTRL | Qt::Key_C));
    mnuHtmlCopySelection = NewAction(this, "mnuHtmlCopySelection");
    mnuHtmlPaste = NewAction(this, "mnuHtmlPaste", ":/lexorim/mnuHtmlPaste.png", QKeySequence(Qt::CTRL | Qt::Key_V));
    mnuHtml->addActions({mnuHtmlCut, mnuHtmlCopy, mnuHtmlCopySelection, mnuHtmlPaste});
    // The pop-up's keys belong to the focused text control; the menu only shows them.
    for (QAction* action : mnuHtml->actions())
        action->setShortcutContext(Qt::WidgetShortcut);
    // The view has no keys of its own: there Ctrl+C is Copy all, as its menu shows.
    mnuHtmlCopy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    htmlViewer->addAction(mnuHtmlCopy);
    htmlViewer->setContextMenuPolicy(Qt::CustomContextMenu);
    rtxtEditor->setContextMenuPolicy(Qt::CustomContextMenu);
}

void TfrmIndex::PlaceControls()
{
    bvLine1->setGeometry(0, 0, 634, 9);
    lblSearch->setGeometry(4, 8, 77, 13);
    edtList->setGeometry(80, 8, 333, 22);
    seList->setGeometry(424, 8, 201, 22);
    htmlViewer->setGeometry(0, 32, 413, 217);
    bvList->setGeometry(424, 32, 183, 217);
    pbList->setGeometry(424, 32, 182, 217);
    sbList->setGeometry(608, 32, 16, 217);
    bvLine2->setGeometry(0, 244, 634, 9);
    lblAdd->setGeometry(4, 260, 77, 13);
    edtAddWord->setGeometry(80, 256, 337, 22);
    memoAddWordDef->setGeometry(0, 280, 417, 217);
    btnAddWord->setGeometry(424, 260, 201, 25);
    btnModify->setGeometry(424, 296, 201, 25);
    chkAutoLexorim->setGeometry(424, 344, 201, 17);
    btnLexorim->setGeometry(424, 372, 201, 25);
    btnInformation->setGeometry(424, 416, 201, 25);
    btnFrench->setGeometry(424, 450, 23, 17);
    prgBar->setGeometry(450, 450, 152, 17);
    btnEnglish->setGeometry(602, 450, 23, 17);
    btnQuit->setGeometry(424, 472, 201, 25);
    sbMain->setGeometry(0, 502, 628, 20);
    rtxtEditor->setGeometry(0, 8, 417, 489);
    framEditor->setGeometry(424, 4, 201, 437);
    btnEditorSave->setGeometry(8, 16, 89, 25);
    btnEditorClose->setGeometry(104, 16, 89, 25);
    lblInfo->setGeometry(8, 48, 185, 13);
    lblInfoText->setGeometry(8, 72, 185, 353);

    centralWidget()->setFixedSize(ClientWidth, ClientHeight);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TfrmIndex::ConnectControls()
{
    pbList->OnPaint = [](QPainter& painter) { PaintUserList(UserList, painter); };
    pbList->OnMouseUp = [this](Qt::MouseButton button, int x, int y) { pbListMouseUp(button, x, y); };
    connect(timList, &QTimer::timeout, this, &TfrmIndex::timListTimer);
    connect(seList, &QSpinBox::valueChanged, this, &TfrmIndex::seListChange);
    connect(sbList, &QScrollBar::actionTriggered, this, [this] { sbListScroll(sbList->sliderPosition()); });
    connect(btnAddWord, &QPushButton::clicked, this, &TfrmIndex::btnAddWordClick);
    connect(btnModify, &QPushButton::clicked, this, &TfrmIndex::btnModifyClick);
    connect(chkAutoLexorim, &QCheckBox::toggled, this, &TfrmIndex::chkAutoLexorimClick);
    connect(btnLexorim, &QPushButton::clicked, this, &TfrmIndex::btnLexorimClick);
    connect(btnInformation, &QPushButton::clicked, this, &TfrmIndex::mnuHelpDictionaryInfoClick);
    connect(btnFrench, &QToolButton::clicked, this, &TfrmIndex::btnFrenchClick);
    connect(btnEnglish, &QToolButton::clicked, this, &TfrmIndex::btnEnglishClick);
    connect(btnQuit, &QPushButton::clicked, this, &TfrmIndex::mnuFileQuitClick);
    connect(btnEditorSave, &QPushButton::clicked, this, &TfrmIndex::btnEditorSaveClick);
    connect(btnEditorClose, &QPushButton::clicked, this, &TfrmIndex::btnEditorCloseClick);
    connect(rtxtEditor, &QPlainTextEdit::textChanged, this, &TfrmIndex::rtxtEditorChange);
    connect(rtxtEditor, &QPlainTextEdit::cursorPositionChanged, this, &TfrmIndex::UpdateCursorPos);

    connect(mnuFile, &QMenu::aboutToShow, this, &TfrmIndex::mnuFileClick);
    connect(mnuFileNew, &QAction::triggered, this, &TfrmIndex::mnuFileNewClick);
    connect(mnuFileOpen, &QAction::triggered, this, &TfrmIndex::mnuFileOpenClick);
    connect(mnuFileModify, &QAction::triggered, this, &TfrmIndex::mnuFileModifyClick);
    connect(mnuFileSave, &QAction::triggered, this, &TfrmIndex::btnEditorSaveClick);
    connect(mnuFileClose, &QAction::triggered, this, &TfrmIndex::btnEditorCloseClick);
    connect(mnuFileQuit, &QAction::triggered, this, &TfrmIndex::mnuFileQuitClick);
    connect(mnuHelp, &QMenu::aboutToShow, this, &TfrmIndex::mnuHelpClick);
    connect(mnuHelpDictionaryInfo, &QAction::triggered, this, &TfrmIndex::mnuHelpDictionaryInfoClick);
    connect(mnuHelpAbout, &QAction::triggered, this, &TfrmIndex::mnuHelpAboutClick);
    connect(mnuHtml, &QMenu::aboutToShow, this, &TfrmIndex::mnuHtmlPopup);
    connect(mnuHtmlCut, &QAction::triggered, this, &TfrmIndex::mnuHtmlCutClick);
    connect(mnuHtmlCopy, &QAction::triggered, this, &TfrmIndex::mnuHtmlCopyClick);
    connect(mnuHtmlCopySelection, &QAction::triggered, this, &TfrmIndex::mnuHtmlCopySelectionClick);
    connect(mnuHtmlPaste, &QAction::triggered, this, &TfrmIndex::mnuHtmlPasteClick);
    for (QWidget* owner : std::initializer_list<QWidget*>{htmlViewer, rtxtEditor})
        connect(owner, &QWidget::customContextMenuRequested, this,
                [this, owner](const QPoint& pos) { mnuHtml->popup(owner->mapToGlobal(pos)); });

    htmlViewer->OnHotSpotClick = [this](htmlview::THtmlView*, const std::string& url, bool& handled) {
        htmlViewerHotSpotClick(url, handled);
    };
    htmlViewer->OnHotSpotCovered = [this](htmlview::THtmlView*, const std::string& url) {
        htmlViewerHotSpotCovered(url);
    };
}

// The window sees the keys before its controls: the list keys work from any control.
void TfrmIndex::PreviewKeys()
{
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

bool TfrmIndex::eventFilter(QObject* watched, QEvent* event)
{
    // A key passes each filtered parent as it propagates: only its first receiver counts.
    if (event->type() == QEvent::KeyPress && watched == QApplication::focusWidget())
        FormKeyDown(static_cast<QKeyEvent*>(event)->key());
    else if (event->type() == QEvent::KeyRelease && watched == edtList)
        edtListKeyUp(static_cast<QKeyEvent*>(event)->key());
    return QMainWindow::eventFilter(watched, event);
}

bool TfrmIndex::event(QEvent* event)
{
    // Hints show in the first panel of the status bar.
    if (event->type() == QEvent::StatusTip) {
        sbPanels[0]->setText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void TfrmIndex::FormCreate(const std::vector<std::string>& arguments)
{
    IniPath = ProgramFolder + "garvo.ini";
    LoadSettings();
    show();
    SetLanguage(LanguageCode);
    InitUserList(UserList, edtList, pbList, sbList, seList, timList, 0, 0);

    if (arguments.size() != 1) {
        CurrentDictionary.Initialized = 0;
        CurrentDictionary.WordCount = 0;
        EnableDictionaryControls(false);
        return;
    }
    if (!platform::FileExists(arguments.front()))
        return;
    edtList->clear();
    if (dictionary::Initialize(arguments.front(), CurrentDictionary, progress_.get(), true, DictionaryError))
        LoadDictionaryIntoWindow(CurrentDictionary);
    else
        ShowDictionaryError(CurrentDictionary);
}

void TfrmIndex::LoadSettings()
{
    const platform::TIniFile ini(IniPath);
    LanguageCode = ini.ReadInteger(SettingsSection, "Language", FrenchLanguage);
    std::string programFolder = ProgramFolder;
    if (programFolder.size() > 1 && programFolder.back() == '/')
        programFolder.pop_back();
    dictionary::ReadIniString(SettingsSection, "LastPath", programFolder, LastPath, ini);
}

void TfrmIndex::SaveSettings()
{
    platform::TIniFile ini(IniPath);
    ini.WriteInteger(SettingsSection, "Language", LanguageCode);
    ini.WriteString(SettingsSection, "LastPath", LastPath);
    ini.UpdateFile();
}

void TfrmIndex::ApplyControlTexts(const TIndexTexts& texts)
{
    for (const TControlText& text : texts.Controls) {
        QObject* object = findChild<QObject*>(QString::fromLatin1(text.Name));
        if (auto* action = qobject_cast<QAction*>(object)) {
            action->setText(platform::AnsiToUnicode(text.Caption));
            action->setStatusTip(platform::AnsiToUnicode(text.Hint));
        } else if (auto* menu = qobject_cast<QMenu*>(object)) {
            menu->setTitle(platform::AnsiToUnicode(text.Caption));
            menu->menuAction()->setStatusTip(platform::AnsiToUnicode(text.Hint));
        } else if (auto* widget = qobject_cast<QWidget*>(object)) {
            if (auto* button = qobject_cast<QAbstractButton*>(widget))
                button->setText(platform::AnsiToUnicode(text.Caption));
            else if (auto* label = qobject_cast<QLabel*>(widget))
                label->setText(platform::AnsiToUnicode(text.Caption));
            widget->setStatusTip(platform::AnsiToUnicode(text.Hint));
        }
    }
}

void TfrmIndex::SetLanguage(int32_t code)
{
    const TIndexTexts& texts = IndexTexts(code);
    ApplyControlTexts(texts);
    setWindowTitle(platform::AnsiToUnicode(texts.WindowCaption));
    lblInfoText->setText(platform::AnsiToUnicode(texts.EditorHelp));
    dictionary::SetDictionaryLanguage(DictionaryTranslation, code == FrenchLanguage ? FrenchLanguage : EnglishLanguage);
    platform::UseQtTranslations(code);
    if (rtxtEditor->isVisible())
        UpdateCursorPos();
}

void TfrmIndex::btnFrenchClick()
{
    LanguageCode = FrenchLanguage;
    SetLanguage(FrenchLanguage);
}

void TfrmIndex::btnEnglishClick()
{
    LanguageCode = EnglishLanguage;
    SetLanguage(EnglishLanguage);
}

void TfrmIndex::EnableDictionaryControls(bool on)
{
    // The labels sit on a bar of button face when usable and of the grey of disabled text when
    // not; on the grey bar their text takes a colour that can be read there.
    const QPalette system = QApplication::palette();
    const QColor bar = on ? system.color(QPalette::Active, QPalette::Button)
                          : system.color(QPalette::Disabled, QPalette::WindowText);
    const QColor text = on ? system.color(QPalette::Active, QPalette::WindowText) : ReadableTextOn(bar);
    for (QLabel* label : {lblSearch, lblAdd}) {
        label->setEnabled(on);
        label->setAutoFillBackground(true);
        platform::SetPaletteColor(label, {QPalette::Window}, bar);
        platform::SetPaletteColor(label, {QPalette::WindowText}, text);
    }
    for (QWidget* control : std::initializer_list<QWidget*>{edtList, seList, pbList, sbList, edtAddWord, memoAddWordDef,
                                                             btnAddWord, btnModify, chkAutoLexorim, btnInformation,
                                                             htmlViewer})
        control->setEnabled(on);
    chkAutoLexorimClick();
    if (edtList->isEnabled() && edtList->isVisible())
        edtList->setFocus();
}

void TfrmIndex::chkAutoLexorimClick()
{
    btnLexorim->setEnabled(!chkAutoLexorim->isChecked() && chkAutoLexorim->isEnabled());
}

void TfrmIndex::SetStatusPanel(int index, const std::string& text)
{
    // A panel may name a file: its name shows in its own letters.
    sbPanels.at(static_cast<size_t>(index))->setText(platform::PathToUnicode(text));
}

std::string TfrmIndex::StatusPanel(int index) const
{
    return platform::PathFromUnicode(sbPanels.at(static_cast<size_t>(index))->text());
}

} // namespace utility
