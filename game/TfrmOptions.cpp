#include "game/TfrmOptions.h"

#include "game/GameResources.h"
#include "game/GameSettings.h"
#include "game/Players.h"
#include "game/TfrmMain.h"
#include "game/TfrmMainPictureButton.h"
#include "game/TfrmOptionsControls.h"
#include "game/WindowPlacement.h"
#include "platform/QtCanvas.h"
#include "platform/Shell.h"
#include "platform/Sound.h"
#include "platform/TextTrim.h"
#include "platform/WindowControls.h"
#include "platform/Windows1252.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>

namespace game {

TfrmOptions* frmOptions = nullptr;

namespace {

constexpr int WindowFontPixels = 12;
constexpr int TitleFontPixels = 22;
constexpr int GridRowHeight = 20;
constexpr int GridLineWidth = 1;
constexpr int GridNumberColumnWidth = 40;
constexpr int GridRows = MaxPlayersCount + 1;
constexpr int SystemBorderHeight = 1; // name texts start this far plus 2 pixels in
constexpr int FlagWidth = 24;
constexpr int FlagHeight = 16;
constexpr int ThemeItemHeight = 18;
constexpr int ThemeTextLeft = 28;
constexpr int TimeLimitDigits = 3;
constexpr int PlayersCountDigits = 1;
const char* const OptionsWindowName = "frmOptions";

QLabel* NewLabel(QWidget* parent, const char* name, bool bold = false)
{
    QLabel* label = platform::NewLabel(parent, name);
    label->setFont(platform::WindowFont("MS Sans Serif", WindowFontPixels, bold));
    return label;
}

// The grid's cells are drawn by the window; names are edited in an edit of Windows-1252 text.
class TPlayersGridDelegate : public QStyledItemDelegate {
public:
    explicit TPlayersGridDelegate(TfrmOptions* form) : QStyledItemDelegate(form), form_(form) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        form_->gridPlayersNamesDrawCell(*painter, index.column(), index.row(), option.rect);
    }
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        return NewPlayerNameEdit(parent);
    }

private:
    TfrmOptions* form_;
};

class TThemeItemDelegate : public QStyledItemDelegate {
public:
    explicit TThemeItemDelegate(TfrmOptions* form) : QStyledItemDelegate(form), form_(form) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        form_->cbThemesDrawItem(*painter, index.row(), option);
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width() + ThemeTextLeft, ThemeItemHeight};
    }

private:
    TfrmOptions* form_;
};

QPixmap PlainFlag(const QColor& color)
{
    QPixmap flag(FlagWidth, FlagHeight);
    flag.fill(color);
    return flag;
}

} // namespace

TfrmOptions::TfrmOptions(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QString::fromLatin1(OptionsWindowName));
    setFixedSize(ClientWidth, ClientHeight);
    setAutoFillBackground(true);
    setFont(platform::WindowFont("MS Sans Serif", WindowFontPixels, false));
    CreateControls();
    PlaceControls();
    ConnectControls();
    // The texts are shown by the language loading of the first show: measuring the captions
    // here would cost the game's start for a window it does not show.
    SetLanguagePart(OptionsWindowName, [this](const TThemeFiles& files, int32_t) { LoadLanguagePart(files); });
}

TfrmOptions::~TfrmOptions()
{
    SetLanguagePart(OptionsWindowName, {});
    if (frmOptions == this)
        frmOptions = nullptr;
}

void TfrmOptions::CreateControls()
{
    imgBackground = NewLabel(this, "imgBackground");
    SetBuiltInPicture(imgBackground, QStringLiteral("options/imgBackground"));
    lblTitleShadow = NewLabel(this, "lblTitleShadow");
    lblTitle = NewLabel(this, "lblTitle");
    for (QLabel* title : {lblTitleShadow, lblTitle}) {
        title->setFont(platform::WindowFont("Arial", TitleFontPixels, true));
        title->setAlignment(Qt::AlignCenter);
    }
    CreateChoices();
    CreateGameType();
    CreateGrid();

    lblMisc = NewLabel(this, "lblMisc", true);
    optSound = NewGlyphButton(this, "optSound", TGlyphKind::Toggle);
    lblSound = NewLabel(this, "lblSound");
    optUpperCase = NewGlyphButton(this, "optUpperCase", TGlyphKind::Toggle);
    lblUpperCase = NewLabel(this, "lblUpperCase");
    lblTheme = NewLabel(this, "lblTheme", true);
    cbThemes = new QComboBox(this);
    cbThemes->setObjectName(QStringLiteral("cbThemes"));
    cbThemes->setIconSize(QSize(FlagWidth, FlagHeight));
    cbThemes->setItemDelegate(new TThemeItemDelegate(this));
    platform::UseInfoBackground(cbThemes, {QPalette::Base, QPalette::Button});

    btnOk = new TPictureButton(this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->SetBuiltInGlyph(QStringLiteral("buttons/btnOk"));
    btnCancel = new TPictureButton(this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->SetBuiltInGlyph(QStringLiteral("buttons/btnCancel"));

    textLabels_ = {lblKeyboard, lblAZERTY,   lblABCDEF,       lblQWERTY,       lblVeryEasy, lblDifficulty,
                   lblEasy,     lblHard,     lblVeryHard,     lblGameType,     lblTime,     lblTimeUnit,
                   lblMultiPlayers,          lblPlayersCount, lblMisc,         lblTheme,    lblSound,
                   lblUpperCase};
    dragSurfaces_ = {imgBackground, lblKeyboard, lblDifficulty, lblTitleShadow, lblTitle,
                     lblMisc,       lblTheme,    lblTimeUnit,   lblGameType,    lblPlayersCount};
    labelClicks_ = {{lblAZERTY, &TfrmOptions::optKbAZERTYClick},     {lblABCDEF, &TfrmOptions::optKbABCDEFClick},
                    {lblQWERTY, &TfrmOptions::optKbQWERTYClick},     {lblVeryEasy, &TfrmOptions::optVeryEasyClick},
                    {lblEasy, &TfrmOptions::optNormalClick},         {lblHard, &TfrmOptions::optHardClick},
                    {lblVeryHard, &TfrmOptions::optVeryHardClick},   {lblSound, &TfrmOptions::optSoundClick},
                    {lblTime, &TfrmOptions::optTimeClick},           {lblUpperCase, &TfrmOptions::optUpperCaseClick},
                    {lblMultiPlayers, &TfrmOptions::optMultiPlayersClick}};
}

void TfrmOptions::CreateChoices()
{
    lblKeyboard = NewLabel(this, "lblKeyboard", true);
    optKbAZERTY = NewGlyphButton(this, "optKbAZERTY", TGlyphKind::Choice);
    optKbABCDEF = NewGlyphButton(this, "optKbABCDEF", TGlyphKind::Choice);
    optKbQWERTY = NewGlyphButton(this, "optKbQWERTY", TGlyphKind::Choice);
    lblAZERTY = NewLabel(this, "lblAZERTY");
    lblAZERTY->setText(QStringLiteral("AZERTY..."));
    lblABCDEF = NewLabel(this, "lblABCDEF");
    lblABCDEF->setText(QStringLiteral("ABCDEF..."));
    lblQWERTY = NewLabel(this, "lblQWERTY");
    lblQWERTY->setText(QStringLiteral("QWERTY..."));

    lblDifficulty = NewLabel(this, "lblDifficulty", true);
    optVeryEasy = NewGlyphButton(this, "optVeryEasy", TGlyphKind::Choice);
    optNormal = NewGlyphButton(this, "optNormal", TGlyphKind::Choice);
    optHard = NewGlyphButton(this, "optHard", TGlyphKind::Choice);
    optVeryHard = NewGlyphButton(this, "optVeryHard", TGlyphKind::Choice);
    lblVeryEasy = NewLabel(this, "lblVeryEasy");
    lblEasy = NewLabel(this, "lblEasy");
    lblHard = NewLabel(this, "lblHard");
    lblVeryHard = NewLabel(this, "lblVeryHard");
}

void TfrmOptions::CreateGameType()
{
    lblGameType = NewLabel(this, "lblGameType", true);
    optTime = NewGlyphButton(this, "optTime", TGlyphKind::Toggle);
    lblTime = NewLabel(this, "lblTime");
    edtTimerCounterLimit = new TUpDownEdit(this, MinTimePlayLimit, MaxOptionsTimePlayLimit, TimeLimitDigits);
    edtTimerCounterLimit->setObjectName(QStringLiteral("edtTimerCounterLimit"));
    lblTimeUnit = NewLabel(this, "lblTimeUnit");
    optMultiPlayers = NewGlyphButton(this, "optMultiPlayers", TGlyphKind::Toggle);
    lblMultiPlayers = NewLabel(this, "lblMultiPlayers");
    edtPlayersCount = new TUpDownEdit(this, MinPlayersCount, MaxPlayersCount, PlayersCountDigits);
    edtPlayersCount->setObjectName(QStringLiteral("edtPlayersCount"));
    lblPlayersCount = NewLabel(this, "lblPlayersCount");
}

void TfrmOptions::CreateGrid()
{
    gridPlayersNames = new TPlayersGrid(GridRows, 2, this);
    gridPlayersNames->setObjectName(QStringLiteral("gridPlayersNames"));
    gridPlayersNames->horizontalHeader()->hide();
    gridPlayersNames->verticalHeader()->hide();
    gridPlayersNames->verticalHeader()->setMinimumSectionSize(1);
    gridPlayersNames->horizontalHeader()->setMinimumSectionSize(1);
    gridPlayersNames->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    gridPlayersNames->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    gridPlayersNames->setSelectionMode(QAbstractItemView::NoSelection);
    gridPlayersNames->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                      | QAbstractItemView::AnyKeyPressed);
    gridPlayersNames->setTabKeyNavigation(false);
    gridPlayersNames->setItemDelegate(new TPlayersGridDelegate(this));
    gridPlayersNames->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    gridPlayersNames->setLineWidth(2);
    gridPlayersNames->viewport()->setMouseTracking(true);
    for (int row = 0; row < GridRows; ++row) {
        gridPlayersNames->setRowHeight(row, GridRowHeight + GridLineWidth);
        for (int col = 0; col < 2; ++col) {
            auto* item = new QTableWidgetItem;
            // Only the names can be edited; the numbers and the header are fixed cells.
            if (row == 0 || col == 0)
                item->setFlags(Qt::ItemIsEnabled);
            gridPlayersNames->setItem(row, col, item);
        }
    }
    gridPlayersNames->item(0, 0)->setText(QStringLiteral("#"));
    for (int row = 1; row < GridRows; ++row)
        gridPlayersNames->item(row, 0)->setText(QString::number(row));
}

void TfrmOptions::PlaceControls()
{
    imgBackground->setGeometry(0, 0, ClientWidth, ClientHeight);
    lblTitleShadow->setGeometry(14, 12, 476, 32);
    lblTitle->setGeometry(12, 10, 476, 32);

    lblKeyboard->move(24, 53);
    lblDifficulty->move(196, 53);
    const std::pair<TPictureButton*, QLabel*> choices[] = {
        {optKbAZERTY, lblAZERTY}, {optKbABCDEF, lblABCDEF}, {optKbQWERTY, lblQWERTY}, {optVeryEasy, lblVeryEasy},
        {optNormal, lblEasy},     {optHard, lblHard},       {optVeryHard, lblVeryHard}, {optTime, lblTime},
        {optMultiPlayers, lblMultiPlayers}, {optUpperCase, lblUpperCase}, {optSound, lblSound}};
    const QPoint places[] = {{24, 70},  {24, 96},  {24, 122}, {196, 70}, {196, 112}, {344, 70},
                             {344, 112}, {24, 172}, {24, 200}, {24, 258}, {24, 284}};
    for (size_t i = 0; i < std::size(choices); ++i) {
        choices[i].first->move(places[i]);
        choices[i].second->move(places[i] + QPoint(GlyphButtonSize + 5, 3));
    }

    lblGameType->move(24, 153);
    edtTimerCounterLimit->setGeometry(168, 171, 40 + TUpDownEdit::ArrowsWidth, 22);
    lblTimeUnit->move(228, 175);
    edtPlayersCount->setGeometry(168, 199, 40 + TUpDownEdit::ArrowsWidth, 22);
    lblPlayersCount->move(228, 203);
    lblMisc->move(24, 239);

    const int gridWidth = 192;
    gridPlayersNames->setGeometry(284, 153, gridWidth, GridRows * (GridRowHeight + GridLineWidth) + 4);
    lblTheme->move(284, 272);
    cbThemes->setGeometry(284, 290, gridWidth, 26);

    btnOk->setGeometry(164, 360, 76, 25);
    btnCancel->setGeometry(260, 360, 76, 25);
}

void TfrmOptions::ConnectControls()
{
    const std::pair<TPictureButton*, void (TfrmOptions::*)()> buttons[] = {
        {optKbAZERTY, &TfrmOptions::optKbAZERTYClick}, {optKbABCDEF, &TfrmOptions::optKbABCDEFClick},
        {optKbQWERTY, &TfrmOptions::optKbQWERTYClick}, {optVeryEasy, &TfrmOptions::optVeryEasyClick},
        {optNormal, &TfrmOptions::optNormalClick},     {optHard, &TfrmOptions::optHardClick},
        {optVeryHard, &TfrmOptions::optVeryHardClick}, {optSound, &TfrmOptions::optSoundClick},
        {optTime, &TfrmOptions::optTimeClick},         {optUpperCase, &TfrmOptions::optUpperCaseClick},
        {optMultiPlayers, &TfrmOptions::optMultiPlayersClick}, {btnOk, &TfrmOptions::btnOkClick},
        {btnCancel, &TfrmOptions::btnCancelClick}};
    for (const auto& [button, handler] : buttons)
        connect(button, &QAbstractButton::clicked, this, handler);

    auto* drag = new TWindowDrag(this);
    for (QWidget* surface : dragSurfaces_)
        drag->AddSurface(surface);
    // Installed after the drag, so this window sees a press on a surface before the drag takes it.
    for (QWidget* surface : dragSurfaces_)
        surface->installEventFilter(this);
    for (const auto& [label, handler] : labelClicks_)
        label->installEventFilter(this);
    gridPlayersNames->viewport()->installEventFilter(this);
    // Keys reach the window before the focused control.
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

bool TfrmOptions::Execute(TfrmMain& main)
{
    main_ = &main;
    const bool accepted = exec() == QDialog::Accepted;
    main_ = nullptr;
    return accepted;
}

void TfrmOptions::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TfrmOptions::FormShow()
{
    PlaceWindow();
    const bool waveDevice = platform::HasWaveDevice();
    optSound->setVisible(waveDevice);
    lblSound->setVisible(waveDevice);
    EditedOptions = GameOptions;
    ShowEditedOptions();
    FillGrid();
    EnumThemes();
    LoadLanguageTexts(OptionsWindowName, 0);
    TakeBackgroundColor(this, LabelPicture(imgBackground));
    Tag = 0;
}

void TfrmOptions::PlaceWindow()
{
    const TfrmMain* main = main_ != nullptr ? main_ : frmMain;
    QRect mainWindow(0, 0, TfrmMain::ClientWidth, TfrmMain::ClientHeight);
    if (main != nullptr)
        mainWindow = QRect(main->pos(), main->size());
    const QPoint place = OptionsWindowPlace({OptionWindowLeft, OptionWindowTop}, size(), ScreenSize(), mainWindow);
    OptionWindowLeft = place.x();
    OptionWindowTop = place.y();
    move(place);
}

void TfrmOptions::ShowEditedOptions()
{
    edtTimerCounterLimit->SetPosition(EditedOptions.TimePlayLimit);
    edtPlayersCount->SetPosition(EditedOptions.PlayersCount);
    ShowChoiceButtons();
}

void TfrmOptions::ShowChoiceButtons()
{
    const TGameOptions& options = EditedOptions;
    ShowDown(optKbABCDEF, options.Keyboard == KeyboardAlphabetical);
    ShowDown(optKbAZERTY, options.Keyboard == KeyboardAzerty);
    ShowDown(optKbQWERTY, options.Keyboard == KeyboardQwerty);
    ShowDown(optVeryEasy, options.Level == LevelShowEndsAndDefinition);
    ShowDown(optNormal, options.Level == LevelShowEnds);
    ShowDown(optHard, options.Level == LevelShowDefinition);
    ShowDown(optVeryHard, options.Level == LevelShowNothing);
    ShowDown(optSound, options.UseSounds);
    ShowDown(optTime, options.TimePlay);
    ShowDown(optUpperCase, options.UpperCaseDisplay);
    ShowDown(optMultiPlayers, options.MultiPlayers);

    // Timed and multi-player play change only between words.
    const bool betweenWords = !RoundInProgress;
    for (QWidget* control : {static_cast<QWidget*>(optTime), static_cast<QWidget*>(lblTime),
                             static_cast<QWidget*>(optMultiPlayers), static_cast<QWidget*>(lblMultiPlayers)})
        control->setEnabled(betweenWords);
    edtTimerCounterLimit->setEnabled(betweenWords && options.TimePlay);
    edtPlayersCount->setEnabled(betweenWords && options.MultiPlayers);
    gridPlayersNames->setEnabled(options.MultiPlayers);
    gridPlayersNames->viewport()->update();
}

void TfrmOptions::FillGrid()
{
    const int frame = gridPlayersNames->frameWidth();
    const int clientWidth = gridPlayersNames->width() - 2 * frame;
    gridPlayersNames->setColumnWidth(0, GridNumberColumnWidth + GridLineWidth);
    gridPlayersNames->setColumnWidth(1, clientWidth - GridNumberColumnWidth - GridLineWidth);
    for (int row = 1; row < GridRows; ++row)
        gridPlayersNames->item(row, 1)->setText(platform::AnsiToUnicode(EditedOptions.Players[static_cast<size_t>(row)].Name));
    gridPlayersNames->scrollToTop();
    gridPlayersNames->setCurrentCell(1, 1);
    if (gridPlayersNames->isEnabled())
        gridPlayersNames->setFocus();
}

void TfrmOptions::EnumThemes()
{
    const QDir themes(platform::QtFileName(ThemesFolder));
    const QStringList names = ThemesFolder.empty() || !themes.exists()
        ? QStringList()
        : themes.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    if (names.isEmpty()) {
        cbThemes->setEnabled(false);
        return;
    }
    cbThemes->clear();
    ilFlags.clear();
    for (const QString& theme : names)
        AddThemeItems(themes.path(), theme);
    cbThemes->setEnabled(true);
}

void TfrmOptions::AddThemeItems(const QString& themesFolder, const QString& theme)
{
    const std::string themeName = platform::PathFromUnicode(theme);
    const std::string current = platform::AnsiLowerCase(ThemeName + "|" + LanguageName);
    const QDir languages(themesFolder + QLatin1Char('/') + theme);
    for (const QString& language : languages.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase)) {
        const std::string languageName = platform::PathFromUnicode(language);
        QPixmap flag = ReadPicture(ThemesFolder + themeName + "/" + languageName + "/flag.bmp");
        flag = flag.isNull() ? PlainFlag(palette().color(QPalette::ToolTipBase))
                             : flag.scaled(FlagWidth, FlagHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        ilFlags.push_back(flag);
        // The names are kept apart from the caption, so that a name holding " | " is taken whole.
        cbThemes->addItem(QIcon(flag), theme + QStringLiteral(" | ") + language, QStringList{theme, language});
        if (platform::AnsiLowerCase(themeName + "|" + languageName) == current)
            cbThemes->setCurrentIndex(cbThemes->count() - 1);
    }
    // Adding to an empty list selects the first item; only the current theme and language may be.
    const int selected = cbThemes->currentIndex();
    if (selected >= 0) {
        const QStringList chosen = cbThemes->itemData(selected).toStringList();
        const std::string chosenPair
            = platform::PathFromUnicode(chosen.value(0)) + "|" + platform::PathFromUnicode(chosen.value(1));
        if (platform::AnsiLowerCase(chosenPair) != current)
            cbThemes->setCurrentIndex(-1);
    }
}

void TfrmOptions::LoadLanguagePart(const TThemeFiles& files)
{
    Texts = ReadOptionsTexts(files);
    const QPixmap background = files.ThemePicture("option.bmp");
    if (!background.isNull())
        imgBackground->setPixmap(background);
    btnOk->SetGlyph(files.LanguagePicture("btnOk.bmp"));
    btnCancel->SetGlyph(files.LanguagePicture("btnCancel.bmp"));
    ShowTexts();
}

void TfrmOptions::ShowTexts()
{
    lblTitle->setText(platform::AnsiToUnicode(Texts.Title));
    lblTitleShadow->setText(lblTitle->text());
    const std::pair<QLabel*, const std::string*> captions[] = {
        {lblKeyboard, &Texts.KeyboardDisposition}, {lblDifficulty, &Texts.DifficultyLevel},
        {lblVeryEasy, &Texts.VeryEasyLevel},       {lblEasy, &Texts.EasyLevel},
        {lblHard, &Texts.HardLevel},               {lblVeryHard, &Texts.VeryHardLevel},
        {lblMisc, &Texts.Miscellaneous},           {lblSound, &Texts.UseSounds},
        {lblTheme, &Texts.UseTheme},               {lblUpperCase, &Texts.UpperCaseDisplay},
        {lblGameType, &Texts.GameMode},            {lblTime, &Texts.PlayAgainstTime},
        {lblTimeUnit, &Texts.Second},              {lblMultiPlayers, &Texts.MultiPlayers},
        {lblPlayersCount, &Texts.Players}};
    for (const auto& [label, caption] : captions)
        label->setText(platform::AnsiToUnicode(*caption));
    lblVeryEasy->setToolTip(platform::AnsiToUnicode(Texts.VeryEasyLevelHint));
    lblEasy->setToolTip(platform::AnsiToUnicode(Texts.EasyLevelHint));
    lblHard->setToolTip(platform::AnsiToUnicode(Texts.HardLevelHint));
    lblVeryHard->setToolTip(platform::AnsiToUnicode(Texts.VeryHardLevelHint));
    gridPlayersNames->item(0, 1)->setText(platform::AnsiToUnicode(Texts.PlayersNames));

    platform::SetTextColor(lblTitle, Texts.TitleColor);
    platform::SetTextColor(lblTitleShadow, Texts.TitleShadowColor);
    for (QLabel* label : textLabels_) {
        platform::SetTextColor(label, Texts.NormalColor);
        label->adjustSize();
    }
}

void TfrmOptions::optKbAZERTYClick()
{
    EditedOptions.Keyboard = KeyboardAzerty;
    ShowChoiceButtons();
}

void TfrmOptions::optKbABCDEFClick()
{
    EditedOptions.Keyboard = KeyboardAlphabetical;
    ShowChoiceButtons();
}

void TfrmOptions::optKbQWERTYClick()
{
    EditedOptions.Keyboard = KeyboardQwerty;
    ShowChoiceButtons();
}

void TfrmOptions::optVeryEasyClick()
{
    EditedOptions.Level = LevelShowEndsAndDefinition;
    ShowChoiceButtons();
}

void TfrmOptions::optNormalClick()
{
    EditedOptions.Level = LevelShowEnds;
    ShowChoiceButtons();
}

void TfrmOptions::optHardClick()
{
    EditedOptions.Level = LevelShowDefinition;
    ShowChoiceButtons();
}

void TfrmOptions::optVeryHardClick()
{
    EditedOptions.Level = LevelShowNothing;
    ShowChoiceButtons();
}

void TfrmOptions::optSoundClick()
{
    EditedOptions.UseSounds = !EditedOptions.UseSounds;
    ShowChoiceButtons();
}

void TfrmOptions::optTimeClick()
{
    EditedOptions.TimePlay = !EditedOptions.TimePlay;
    ShowChoiceButtons();
}

void TfrmOptions::optUpperCaseClick()
{
    EditedOptions.UpperCaseDisplay = !EditedOptions.UpperCaseDisplay;
    ShowChoiceButtons();
}

void TfrmOptions::optMultiPlayersClick()
{
    EditedOptions.MultiPlayers = !EditedOptions.MultiPlayers;
    ShowChoiceButtons();
}

void TfrmOptions::btnOkClick()
{
    gridPlayersNames->EndEditing();
    OptionWindowLeft = x();
    OptionWindowTop = y();
    edtTimerCounterLimit->SetPosition(edtTimerCounterLimit->Position());
    EditedOptions.TimePlayLimit = edtTimerCounterLimit->Position();
    edtPlayersCount->SetPosition(edtPlayersCount->Position());
    EditedOptions.PlayersCount = edtPlayersCount->Position();
    GameOptions = EditedOptions;
    TakePlayersNames();
    TakeChosenTheme();
    for (const char* window : {"frmMain", "frmOptions", "frmAbout", "frmCDPlayer", "frmZoom"})
        LoadLanguageTexts(window, 0);
    if (main_ != nullptr) {
        main_->DrawCounter(0, false);
        if (!main_->btnStart->isHidden()) {
            PlayersInitialize();
            main_->ShowPlayer();
        }
    }
    Tag = 1;
    done(QDialog::Accepted);
}

void TfrmOptions::TakePlayersNames()
{
    for (int row = 1; row < GridRows; ++row) {
        TScores& player = GameOptions.Players[static_cast<size_t>(row)];
        const std::string name
            = platform::TrimSpaces(platform::UnicodeToAnsiOrEmpty(gridPlayersNames->item(row, 1)->text()));
        player.SavedName = name;
        player.Name = name.empty() ? DefaultPlayerName : name;
    }
}

void TfrmOptions::TakeChosenTheme()
{
    const int selected = cbThemes->currentIndex();
    // No item is chosen when the current theme or language folder is gone: they stay as they are.
    if (selected < 0 || !cbThemes->isEnabled())
        return;
    const QStringList chosen = cbThemes->itemData(selected).toStringList();
    ThemeName = platform::PathFromUnicode(chosen.value(0));
    LanguageName = platform::PathFromUnicode(chosen.value(1));
    ThemeFolder = ThemesFolder + ThemeName;
    LanguageFolder = ThemeFolder + "/" + LanguageName;
}

void TfrmOptions::btnCancelClick()
{
    Tag = 1;
    done(QDialog::Rejected);
}

void TfrmOptions::reject()
{
    // Esc cancels; the system's close is refused like any other.
    btnCancelClick();
}

void TfrmOptions::closeEvent(QCloseEvent* event)
{
    if (Tag != 1) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void TfrmOptions::FormKeyUp(int key)
{
    if (key == Qt::Key_F1)
        emit HelpRequested();
}

void TfrmOptions::gridPlayersNamesDrawCell(QPainter& painter, int32_t col, int32_t row, const QRect& rect)
{
    const QPalette& colors = gridPlayersNames->palette();
    const bool nameCell = col == 1 && row > 0;
    painter.fillRect(rect, colors.color(nameCell ? QPalette::ToolTipBase : QPalette::Button));
    painter.setPen(gridPlayersNames->isEnabled() ? colors.color(QPalette::Active, QPalette::Text)
                                                 : colors.color(QPalette::Disabled, QPalette::Text));
    painter.setFont(font());
    const QString text = gridPlayersNames->item(row, col)->text();
    if (col == 0)
        painter.drawText(rect, Qt::AlignCenter | Qt::TextSingleLine, text);
    else
        painter.drawText(rect.adjusted(SystemBorderHeight + 2, 0, 0, 0),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
}

void TfrmOptions::gridPlayersNamesMouseMove(const QPoint& at)
{
    const QModelIndex cell = gridPlayersNames->indexAt(at);
    const bool nameCell = cell.isValid() && cell.column() == 1 && cell.row() > 0;
    const bool editing = gridPlayersNames->Editing();
    QWidget* viewport = gridPlayersNames->viewport();
    viewport->setToolTip(nameCell && !editing ? platform::AnsiToUnicode(Texts.ClickToChange) : QString());
    const bool hand = nameCell && !editing && cell == gridPlayersNames->currentIndex();
    viewport->setCursor(hand ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void TfrmOptions::gridPlayersNamesMouseUp(const QPoint& at)
{
    const QModelIndex cell = gridPlayersNames->indexAt(at);
    if (!cell.isValid() || cell.column() == 0 || cell.row() == 0)
        gridPlayersNames->EndEditing();
}

void TfrmOptions::cbThemesDrawItem(QPainter& painter, int32_t index, const QStyleOptionViewItem& option)
{
    const QRect rect = option.rect;
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette& colors = cbThemes->palette();
    painter.fillRect(rect, colors.color(selected ? QPalette::Highlight : QPalette::Base));
    if (index >= 0 && static_cast<size_t>(index) < ilFlags.size())
        painter.drawPixmap(rect.left(), rect.top() + 1, ilFlags[static_cast<size_t>(index)]);
    painter.setPen(colors.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter.setFont(cbThemes->font());
    painter.drawText(rect.adjusted(ThemeTextLeft, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     cbThemes->itemText(index));
}

bool TfrmOptions::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyRelease && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        FormKeyUp(Qt::Key_F1);
        return true;
    }
    if (watched == gridPlayersNames->viewport()) {
        if (type == QEvent::MouseMove)
            gridPlayersNamesMouseMove(static_cast<QMouseEvent*>(event)->position().toPoint());
        else if (type == QEvent::MouseButtonRelease)
            gridPlayersNamesMouseUp(static_cast<QMouseEvent*>(event)->position().toPoint());
        return false;
    }
    if (type == QEvent::MouseButtonPress && gridPlayersNames->isEnabled()
        && std::find(dragSurfaces_.begin(), dragSurfaces_.end(), watched) != dragSurfaces_.end())
        gridPlayersNames->EndEditing();
    for (const auto& [label, handler] : labelClicks_) {
        if (watched != label || !static_cast<QWidget*>(watched)->isEnabled())
            continue;
        // The press stays with the label, so that it neither drags the window nor is lost.
        if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick)
            return true;
        if (type == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            (this->*handler)();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ShowOptionsAndApply(TfrmMain& main)
{
    if (frmOptions == nullptr || RoundInProgress)
        return;
    frmOptions->Execute(main);
}

} // namespace game
