#include "game/TfrmScores.h"

#include "game/GameResources.h"
#include "game/GameSettings.h"
#include "game/RandomDraw.h"
#include "game/ThemeLoader.h"
#include "game/WindowPlacement.h"
#include "platform/AnsiTextValidator.h"
#include "platform/QtCanvas.h"
#include "platform/Sound.h"
#include "platform/TextTrim.h"
#include "platform/WindowControls.h"
#include "platform/Windows1252.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableWidget>

#include <algorithm>
#include <cmath>

namespace game {

TfrmScores* frmScores = nullptr;

// Levels 5 and 3 have titles of their own and share the messages of levels 6 and 4.
const std::array<std::array<std::string, 4>, 8> DefaultResultTexts = [] {
    std::array<std::array<std::string, 4>, 8> texts;
    texts[7] = {"BRAVO !", "Vous \xEAtes tr\xE8s fort, ou alors un peu chanceux, non ?",
                "Vous \xEAtes un champion hors cat\xE9gorie !", "Vous connaissez le dictionnaire par coeur ou quoi ?"};
    texts[6] = {"TRES BIEN !", "Un tr\xE8s bon r\xE9sultat pour votre \xE2ge !", "Tr\xE8s bien jou\xE9 !",
                "Vous devez \xEAtre tr\xE8s fort aux mots crois\xE9s, non ?"};
    texts[5] = texts[6];
    texts[5][0] = "C'EST TRES BIEN !";
    texts[4] = {"BIEN !", "Un r\xE9sultat dans la moyenne !", "C'est bien ! Vous \xEAtes dans la moyenne.",
                "Votre m\xE9thode n'est peut \xEAtre pas optimale, mais vous avez quand m\xEAme trouv\xE9 le mot."};
    texts[3] = texts[4];
    texts[3][0] = "PAS MAL !";
    texts[2] = {"PEUX MIEUX FAIRE !", "Vous avez trouv\xE9 le mot, mais \xE7" "a n'est pas tr\xE8s brillant !",
                "Vous avez enfin trouv\xE9 le mot !",
                "Une petite lecture du dictionnaire pourrait peut-\xEAtre vous aider !"};
    texts[1] = {"IL ETAIT TEMPS !", "Un peu plus et ...", "Il \xE9tait moins une...",
                "Un peu plus, et vous aviez la corde au cou !"};
    texts[0] = {"DOMMAGE !",
                "Vous avez perdu...\r\n\r\nPers\xE9v\xE9rez, vous aurez peut \xEAtre plus de chance la prochaine fois.",
                "H\xE9las, vous venez de quitter notre bonne vieille terre...",
                "Le mot \xE9tait peut \xEAtre trop difficile. Ou bien, essayez une autre m\xE9thode."};
    return texts;
}();

namespace {

// The window's layout.
constexpr int GridLeft = 16;
constexpr int GridTop = 41;
constexpr int GridWidth = 289;
constexpr int GridNameColumnWidth = 160;
constexpr int GridRowHeight = 20;
constexpr int GridLineWidth = 1;
constexpr int SystemBorderHeight = 1; // cell texts start this far plus 2 pixels in
constexpr int PlayerNameMaxLength = 30;
constexpr int WindowFontPixels = 12;
const QColor HighlightRowColor(0, 0, 128);

QString ToQt(const std::string& text)
{
    return platform::AnsiToUnicode(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// The grid's cells are all drawn by the window's own cell painter.
class TScoresCellDelegate : public QStyledItemDelegate {
public:
    explicit TScoresCellDelegate(TfrmScores* form) : QStyledItemDelegate(form), form_(form) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        form_->gridScoresDrawCell(*painter, index.column(), index.row(), option.rect);
    }

private:
    TfrmScores* form_;
};

void SetCell(QTableWidget* grid, int row, int col, const QString& text)
{
    if (QTableWidgetItem* item = grid->item(row, col))
        item->setText(text);
    else
        grid->setItem(row, col, new QTableWidgetItem(text));
}

void FillGridRow(QTableWidget* grid, int row, const TScores& scores)
{
    SetCell(grid, row, 0, platform::AnsiToUnicode(scores.Name));
    SetCell(grid, row, 1, QString::number(scores.Score));
    SetCell(grid, row, 2, platform::AnsiToUnicode(ScorePercentText(scores.Score, scores.Games)));
}

int32_t ShownPlayersCount()
{
    return std::clamp(GameOptions.PlayersCount, 1, MaxPlayersCount);
}

} // namespace

std::string ScorePercentText(int32_t score, int32_t games)
{
    // Rows are sorted to at least one word played before they are shown; a row that was not
    // shows 0 rather than dividing by zero.
    const int64_t product = static_cast<int64_t>(score) * 100;
    const int64_t percent = games > 0 ? static_cast<int64_t>(std::nearbyint(static_cast<double>(product) / games)) : 0;
    return std::to_string(percent) + " %";
}

void FillBestScoresGrid(QTableWidget* grid)
{
    for (int32_t row = 1; row <= BestScoresCount; ++row)
        FillGridRow(grid, row, ScoreTable[row]);
}

void FillPlayersScoresGrid(QTableWidget* grid)
{
    for (int32_t row = 1; row <= ShownPlayersCount(); ++row)
        FillGridRow(grid, row, GameOptions.Players[row]);
}

TfrmScores::TfrmScores(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmScores"));
    setFixedSize(ScoreWindowWidth, ScoreWindowHeight);
    setAutoFillBackground(true);
    QFont windowFont(platform::MapFontFace("MS Sans Serif"));
    windowFont.setPixelSize(WindowFontPixels);
    setFont(windowFont);
    CreateControls();
    PlaceControls();
    ConnectControls();
}

TfrmScores::~TfrmScores()
{
    if (frmScores == this)
        frmScores = nullptr;
}

void TfrmScores::CreateControls()
{
    imgBackground = new QLabel(this);
    SetBuiltInPicture(imgBackground, QStringLiteral("scores/imgBackground"));

    lblTitleShadow = new QLabel(this);
    lblTitle = new QLabel(this);
    for (QLabel* title : {lblTitleShadow, lblTitle}) {
        title->setFont(platform::WindowFont("Arial", 24, true));
        title->setAlignment(Qt::AlignCenter);
        title->setTextFormat(Qt::PlainText);
    }
    platform::SetTextColor(lblTitleShadow, QColor(128, 128, 128));
    platform::SetTextColor(lblTitle, Qt::white);

    lblMessage = new QLabel(this);
    lblMessage->setFont(platform::WindowFont("Arial", 21, false));
    lblMessage->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblMessage->setWordWrap(true);
    lblMessage->setTextFormat(Qt::PlainText);
    platform::SetTextColor(lblMessage, Qt::black);

    lblPlayerName = new QLabel(this);
    lblPlayerName->setTextFormat(Qt::PlainText);
    platform::SetTextColor(lblPlayerName, lblMessage->palette().color(QPalette::WindowText));

    edtPlayerName = new QLineEdit(this);
    edtPlayerName->setObjectName(QStringLiteral("edtPlayerName"));
    edtPlayerName->setMaxLength(PlayerNameMaxLength);
    edtPlayerName->setValidator(new platform::TAnsiTextValidator(edtPlayerName));
    platform::UseInfoBackground(edtPlayerName, {QPalette::Base});

    btnOk = new QPushButton(this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setIcon(QIcon(QStringLiteral(":/buttons/btnOk.png")));
    btnOk->setIconSize(QSize(76, 25));
    // The picture is the whole face: pressing shifts it by one pixel.
    btnOk->setStyleSheet(QStringLiteral("QPushButton { border: none; padding: 0px; }"
                                        "QPushButton:pressed { padding-left: 2px; padding-top: 2px; }"));
    btnOk->setDefault(true);

    gridScores = new QTableWidget(1, 3, this);
    gridScores->setObjectName(QStringLiteral("gridScores"));
    gridScores->horizontalHeader()->hide();
    gridScores->verticalHeader()->hide();
    gridScores->verticalHeader()->setMinimumSectionSize(1);
    gridScores->verticalHeader()->setDefaultSectionSize(GridRowHeight + GridLineWidth);
    gridScores->horizontalHeader()->setMinimumSectionSize(1);
    gridScores->setShowGrid(true);
    gridScores->setSelectionMode(QAbstractItemView::NoSelection);
    gridScores->setEditTriggers(QAbstractItemView::NoEditTriggers);
    gridScores->setFocusPolicy(Qt::NoFocus);
    gridScores->setEnabled(false);
    gridScores->setItemDelegate(new TScoresCellDelegate(this));
    gridScores->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    gridScores->setLineWidth(2);

    auto* drag = new TWindowDrag(this);
    for (QWidget* surface : {static_cast<QWidget*>(imgBackground), static_cast<QWidget*>(lblTitleShadow),
                             static_cast<QWidget*>(lblTitle), static_cast<QWidget*>(lblMessage),
                             static_cast<QWidget*>(lblPlayerName), static_cast<QWidget*>(gridScores)})
        drag->AddSurface(surface);
}

void TfrmScores::PlaceControls()
{
    imgBackground->setGeometry(0, 0, ScoreWindowWidth, ScoreWindowHeight);
    lblTitleShadow->setGeometry(18, 10, 287, 33);
    lblTitle->setGeometry(16, 8, 289, 33);
    lblMessage->setGeometry(16, 48, 289, 225);
    lblPlayerName->move(16, 128);
    edtPlayerName->setGeometry(112, 128, 193, edtPlayerName->sizeHint().height());
    btnOk->setGeometry(124, 280, 76, 25);
    gridScores->setGeometry(GridLeft, GridTop, GridWidth, 2 * GridRowHeight);
}

void TfrmScores::ConnectControls()
{
    connect(btnOk, &QPushButton::clicked, this, &TfrmScores::btnOkClick);
    // Keys reach the window before the focused control.
    installEventFilter(this);
    edtPlayerName->installEventFilter(this);
    btnOk->installEventFilter(this);
}

void TfrmScores::ShowModal()
{
    waiting_.push_back({ScoresWindowMode, ResultLevel});
    if (IsOpen())
        return; // the open window's own ShowModal shows it once the player closes it
    while (!waiting_.empty()) {
        const TShowRequest request = waiting_.front();
        waiting_.pop_front();
        mode_ = request.Mode;
        resultLevel_ = request.ResultLevel;
        exec();
    }
}

bool TfrmScores::IsOpen() const
{
    return isVisible();
}

void TfrmScores::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TfrmScores::FormShow()
{
    PlaceWindow();

    const bool gridMode = mode_ == ScoresModeBestTen || mode_ == ScoresModeRanking;
    lblMessage->setVisible(mode_ == ScoresModeWordFound || mode_ == ScoresModeWordLost ||
                           mode_ == ScoresModeNameEntry);
    gridScores->setVisible(gridMode);
    lblPlayerName->setVisible(mode_ == ScoresModeNameEntry);
    edtPlayerName->setVisible(mode_ == ScoresModeNameEntry);

    emit TextsNeeded(mode_);
    ShowTexts();

    if (mode_ == ScoresModeBestTen) {
        ArrangeGrid(BestScoresCount + 1);
        FillBestScoresGrid(gridScores);
    } else if (mode_ == ScoresModeRanking) {
        ArrangeGrid(ShownPlayersCount() + 1);
        FillPlayersScoresGrid(gridScores);
    } else if (mode_ == ScoresModeNameEntry) {
        ShowNameEntry();
    } else {
        ShowResult();
    }

    lblTitleShadow->setText(lblTitle->text());
    TakeBackgroundColor(this, LabelPicture(imgBackground));
    Tag = 0;
}

void TfrmScores::PlaceWindow()
{
    const QPoint place = CenteredUnlessOnScreen({ScoreWindowLeft, ScoreWindowTop}, size(), ScreenSize());
    ScoreWindowLeft = place.x();
    ScoreWindowTop = place.y();
    move(place);
}

void TfrmScores::ShowTexts()
{
    if (mode_ == ScoresModeBestTen || mode_ == ScoresModeRanking) {
        lblTitle->setText(ToQt(Texts.ViewScoresTitle));
        SetCell(gridScores, 0, 0,
                ToQt(Texts.NameColumnHeader) + QStringLiteral(" (") + platform::PathToUnicode(CurrentDictionary.Name)
                    + QLatin1Char(')'));
        SetCell(gridScores, 0, 1, ToQt(Texts.ScoreColumnHeader));
        SetCell(gridScores, 0, 2, ToQt(Texts.RatioColumnHeader));
    } else if (mode_ == ScoresModeNameEntry) {
        lblTitle->setText(ToQt(Texts.SetScoreTitle));
        lblMessage->setText(ToQt(Texts.SetScoreMessage));
        lblPlayerName->setText(ToQt(Texts.PlayerNameLabel));
        lblPlayerName->adjustSize();
    }
}

void TfrmScores::ArrangeGrid(int32_t rowCount)
{
    gridScores->setRowCount(rowCount);
    gridScores->move(GridLeft, GridTop);

    const int frame = gridScores->frameWidth();
    int height = (GridRowHeight + GridLineWidth) * rowCount + 2 * frame;
    const int space = btnOk->y() - gridScores->y();
    const bool scrolls = space < height;
    if (scrolls)
        height = space - 2;
    const Qt::ScrollBarPolicy policy = scrolls ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    gridScores->setVerticalScrollBarPolicy(policy);
    gridScores->setHorizontalScrollBarPolicy(policy);
    gridScores->resize(GridWidth, height);

    int clientWidth = GridWidth - 2 * frame;
    if (scrolls)
        clientWidth -= gridScores->verticalScrollBar()->sizeHint().width();
    const int countColumnWidth = (clientWidth - GridNameColumnWidth - GridLineWidth) / 2 - 1;
    gridScores->setColumnWidth(0, GridNameColumnWidth + GridLineWidth);
    gridScores->setColumnWidth(1, countColumnWidth + GridLineWidth);
    gridScores->setColumnWidth(2, countColumnWidth + GridLineWidth);
    for (int row = 0; row < rowCount; ++row)
        gridScores->setRowHeight(row, GridRowHeight + GridLineWidth);

    gridScores->scrollToTop();
    gridScores->setCurrentCell(1, 0);
}

void TfrmScores::ShowResult()
{
    if (mode_ == ScoresModeWordFound || mode_ == ScoresModeWordLost) {
        if (GameOptions.UseSounds)
            platform::PlaySound(mode_ == ScoresModeWordFound ? SuccessSound : FailSound);
    }
    const int32_t level = std::clamp(resultLevel_, 0, static_cast<int32_t>(ResultTexts.size()) - 1);
    const int32_t message = RandomInRange(1, 3).value_or(1);
    const auto text = [level](int32_t slot) {
        const std::string& loaded = ResultTexts[level][slot];
        return ToQt(loaded.empty() ? DefaultResultTexts[level][slot] : loaded);
    };
    lblTitle->setText(text(0));
    lblMessage->setText(text(message));
}

void TfrmScores::ShowNameEntry()
{
    lblMessage->setText(lblMessage->text() + QString::number(NewScoreRank) + QStringLiteral("."));
    const int nameLeft = lblPlayerName->x() + lblPlayerName->width() + 4;
    edtPlayerName->setGeometry(nameLeft, edtPlayerName->y(), imgBackground->width() - lblPlayerName->width() - 35,
                               edtPlayerName->height());
    edtPlayerName->setText(platform::AnsiToUnicode(GameOptions.Players[0].Name));
    edtPlayerName->setFocus();
}

const TScores& TfrmScores::ShownRow(int32_t row) const
{
    return mode_ == ScoresModeRanking ? GameOptions.Players[std::clamp(row, 0, MaxPlayersCount)]
                                      : ScoreTable[std::clamp(row, 0, BestScoresCount)];
}

void TfrmScores::gridScoresDrawCell(QPainter& painter, int32_t col, int32_t row, const QRect& rect)
{
    const QPalette& colors = palette();
    QColor background = colors.color(QPalette::ToolTipBase);
    QColor text = colors.color(QPalette::WindowText);
    QFont font = this->font();
    if (row == 0) {
        background = colors.color(QPalette::Button);
    } else if (ShownRow(row).Highlight) {
        background = HighlightRowColor;
        text = Qt::white;
        font.setBold(true);
    }
    painter.fillRect(rect, background);
    painter.setPen(text);
    painter.setFont(font);

    const QTableWidgetItem* item = gridScores->item(row, col);
    const QString cell = item ? item->text() : QString();
    if (col == 0) {
        const QRect textRect = rect.adjusted(SystemBorderHeight + 2, 0, 0, 0);
        painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, cell);
    } else {
        painter.drawText(rect, Qt::AlignCenter | Qt::TextSingleLine, cell);
    }
}

void TfrmScores::btnOkClick()
{
    ScoreWindowLeft = x();
    ScoreWindowTop = y();
    if (mode_ == ScoresModeNameEntry) {
        const std::string name = platform::TrimControlAndSpace(platform::UnicodeToAnsiOrEmpty(edtPlayerName->text()));
        GameOptions.Players[0].Name = name.empty() ? DefaultPlayerName : name;
    }
    Tag = 1;
    close();
}

void TfrmScores::FormKeyUp(int key)
{
    if (key == Qt::Key_F1)
        emit HelpRequested();
    else if (key == Qt::Key_Escape)
        btnOkClick();
}

bool TfrmScores::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_F1 || key == Qt::Key_Escape) {
            FormKeyUp(key);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmScores::closeEvent(QCloseEvent* event)
{
    if (Tag != 1) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void TfrmScores::reject()
{
    // Esc goes through OK on its release; the system close is refused like any other.
    if (Tag == 1)
        QDialog::reject();
}

} // namespace game
