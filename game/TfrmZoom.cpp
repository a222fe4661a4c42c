#include "game/TfrmZoom.h"

#include "game/GameSettings.h"
#include "game/WindowPlacement.h"
#include "game/globalDefs.h"
#include "platform/Dialogs.h"
#include "platform/QtCanvas.h"
#include "platform/Screen.h"
#include "platform/WindowControls.h"
#include "platform/Windows1252.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>

#include <algorithm>

namespace game {

TfrmZoom* frmZoom = nullptr;

namespace {

constexpr int PanelBorderWidth = 2;
constexpr int EmptyTextBlanks = 10;

platform::TColor FromQColor(const QColor& color)
{
    return platform::RGB(color.red(), color.green(), color.blue());
}

// The panel for Text in Font: the text between two blanks, and 10 pixels more than its height.
QSize TextBoxSize(const QFont& font, const QString& text)
{
    const QFontMetrics metrics(font);
    return {metrics.horizontalAdvance(QLatin1Char(' ') + text + QLatin1Char(' ')), metrics.height() + 10};
}

} // namespace

TfrmZoom::TfrmZoom(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("frmZoom"));
    QFont measuring(platform::MapFontFace("Courier New"));
    measuring.setBold(true);
    measuring.setPointSize(ZoomFontSize);
    setFont(measuring);
    CreateControls();
    ConnectControls();
    SetBackColor(ZoomBackColor);
    SetTextColor(ZoomFontColor);
    ShowMenuTexts();
    // Sized for the empty text from the start, so that the first show keeps the place it is given.
    resize(TextBoxSize(font(), QString(EmptyTextBlanks, QLatin1Char(' '))));
    panWord->resize(size());
}

TfrmZoom::~TfrmZoom()
{
    if (frmZoom == this)
        frmZoom = nullptr;
}

void TfrmZoom::CreateControls()
{
    panWord = new QLabel(this);
    panWord->setObjectName(QStringLiteral("panWord"));
    panWord->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panWord->setLineWidth(1);
    panWord->setMargin(PanelBorderWidth);
    panWord->setAlignment(Qt::AlignCenter);
    panWord->setTextFormat(Qt::PlainText);
    panWord->setAutoFillBackground(true);
    panWord->setFont(font());
    panWord->setContextMenuPolicy(Qt::CustomContextMenu);

    mnuColor = new QMenu(this);
    mnuFontSizeIncrease = mnuColor->addAction(QString());
    mnuFontSizeDecrease = mnuColor->addAction(QString());
    mnuColor->addSeparator();
    mnuColorBackground = mnuColor->addAction(QString());
    mnuColorText = mnuColor->addAction(QString());

    auto* drag = new TWindowDrag(this);
    drag->AddSurface(panWord);
}

void TfrmZoom::ConnectControls()
{
    connect(panWord, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { mnuColor->popup(panWord->mapToGlobal(at)); });
    connect(mnuColor, &QMenu::aboutToShow, this, &TfrmZoom::mnuColorPopup);
    connect(mnuFontSizeIncrease, &QAction::triggered, this, &TfrmZoom::mnuFontSizeIncreaseClick);
    connect(mnuFontSizeDecrease, &QAction::triggered, this, &TfrmZoom::mnuFontSizeDecreaseClick);
    connect(mnuColorBackground, &QAction::triggered, this, &TfrmZoom::mnuColorBackgroundClick);
    connect(mnuColorText, &QAction::triggered, this, &TfrmZoom::mnuColorTextClick);
}

void TfrmZoom::ShowMenuTexts()
{
    mnuFontSizeIncrease->setText(platform::AnsiToUnicode(Texts.IncreaseFontSize));
    mnuFontSizeDecrease->setText(platform::AnsiToUnicode(Texts.DecreaseFontSize));
    mnuColorBackground->setText(platform::AnsiToUnicode(Texts.ChangeBackgroundColor));
    mnuColorText->setText(platform::AnsiToUnicode(Texts.ChangeTextColor));
}

void TfrmZoom::UpdateWindow(const std::string& text)
{
    const std::string shown = text.empty() ? std::string(EmptyTextBlanks, ' ') : text;
    const QString unicode = platform::AnsiToUnicode(shown);
    const int screenWidth = platform::ScreenWidth();
    const int screenHeight = platform::ScreenHeight();

    QFont measuring = font();
    QSize wanted = TextBoxSize(measuring, unicode);
    // A size below the floor is never tried: the window then lies across the screen's left edge.
    while (screenWidth < wanted.width() && measuring.pointSize() - ZoomFontSizeStep >= ZoomShrinkFloor) {
        measuring.setPointSize(measuring.pointSize() - ZoomFontSizeStep);
        wanted = TextBoxSize(measuring, unicode);
    }
    setFont(measuring);

    int left = x() + width() / 2 - wanted.width() / 2;
    int top = y();
    panWord->resize(wanted);
    resize(wanted);
    if (left + wanted.width() > screenWidth)
        left = screenWidth - wanted.width();
    left = std::max(left, 0);
    if (top + wanted.height() > screenHeight)
        top = screenHeight - wanted.height();
    top = std::max(top, 0);
    move(left, top);

    panWord->setFont(measuring);
    caption_ = shown;
    panWord->setText(unicode);
    raise();
}

int32_t TfrmZoom::FontSize() const
{
    return font().pointSize();
}

void TfrmZoom::SetFontSize(int32_t points)
{
    QFont sized = font();
    sized.setPointSize(points);
    setFont(sized);
    panWord->setFont(sized);
}

platform::TColor TfrmZoom::BackColor() const
{
    return FromQColor(panWord->palette().color(QPalette::Window));
}

void TfrmZoom::SetBackColor(platform::TColor color)
{
    SetPanelColor(QPalette::Window, color);
}

platform::TColor TfrmZoom::TextColor() const
{
    return FromQColor(panWord->palette().color(QPalette::WindowText));
}

void TfrmZoom::SetTextColor(platform::TColor color)
{
    SetPanelColor(QPalette::WindowText, color);
}

void TfrmZoom::SetPanelColor(QPalette::ColorRole role, platform::TColor color)
{
    platform::SetPaletteColor(panWord, {role}, platform::ToQColor(color));
}

void TfrmZoom::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    FormShow();
}

void TfrmZoom::FormShow()
{
    Tag = 0;
    emit TextsNeeded(0);
    ShowMenuTexts();
    UpdateWindow(caption_);
}

void TfrmZoom::mnuColorPopup()
{
    mnuFontSizeDecrease->setEnabled(FontSize() > MinZoomFontSize);
    mnuFontSizeIncrease->setEnabled(FontSize() < MaxZoomFontSize);
}

void TfrmZoom::mnuFontSizeIncreaseClick()
{
    if (FontSize() < MaxZoomFontSize)
        ChangeFontSize(ZoomFontSizeStep);
}

void TfrmZoom::mnuFontSizeDecreaseClick()
{
    if (FontSize() > MinZoomFontSize)
        ChangeFontSize(-ZoomFontSizeStep);
}

void TfrmZoom::ChangeFontSize(int32_t step)
{
    SetFontSize(FontSize() + step);
    UpdateWindow(caption_);
}

void TfrmZoom::mnuColorBackgroundClick()
{
    if (const auto chosen = platform::ChooseColor(BackColor(), this))
        SetBackColor(*chosen);
}

void TfrmZoom::mnuColorTextClick()
{
    if (const auto chosen = platform::ChooseColor(TextColor(), this))
        SetTextColor(*chosen);
}

void TfrmZoom::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_PageUp)
        mnuFontSizeIncreaseClick();
    else if (event->key() == Qt::Key_PageDown)
        mnuFontSizeDecreaseClick();
    std::string typed;
    if (!event->text().isEmpty() && platform::UnicodeToAnsi(event->text().left(1), typed))
        emit KeyPress(typed[0]);
}

void TfrmZoom::closeEvent(QCloseEvent* event)
{
    if (Tag != 1)
        event->ignore();
    else
        QWidget::closeEvent(event);
}

} // namespace game
