#include "game/DefinitionViewCommands.h"

#include "game/GameSettings.h"
#include "game/TfrmMain.h"
#include "game/globalDefs.h"
#include "htmlview/HtmlView.h"
#include "platform/Dialogs.h"
#include "platform/QtCanvas.h"
#include "platform/Windows1252.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QFontMetrics>
#include <QMenu>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextEdit>

#include <algorithm>
#include <cmath>

namespace game {

namespace {

constexpr int TextPoints = 10;
constexpr int HeaderPoints = 14;
constexpr double MillimetresPerInch = 25.4;
constexpr int TopMarginMillimetres = 30;
constexpr int MarginCharacters = 9;
constexpr int64_t LineSpacingFifths = 6; // lines are 1.2 line heights apart
constexpr int FirstTextLine = 3; // lines 1 and 2 of a page stay empty under the header
const char* const ContinuedText = "(suite...)";

QFont PrintFont(int points, bool bold)
{
    QFont font(platform::MapFontFace("Courier New"));
    font.setPointSize(points);
    font.setBold(bold);
    return font;
}

// Sets the view's text size and the word box's type size to Size and fits them again.
bool SetViewFontSize(TfrmMain& form, int32_t size)
{
    if (size == form.htmlViewer->DefFontSize())
        return false;
    QFont font = form.edtWord->font();
    font.setPointSize(size);
    form.edtWord->setFont(font);
    form.htmlViewer->SetDefFontSize(size);
    form.LayoutWordAndViewer();
    return true;
}

// Writes one page's text at the top of a line, the header at the top margin.
class TPagePrinter {
public:
    TPagePrinter(QPainter& painter, const TPrintGeometry& geometry, const QString& header)
        : painter_(painter), geometry_(geometry), header_(header)
    {
    }

    void Header()
    {
        painter_.setFont(PrintFont(HeaderPoints, true));
        Write(geometry_.TopMargin, header_);
        painter_.setFont(PrintFont(TextPoints, false));
    }

    void Line(int32_t line, const QString& text) { Write(PrintLineTop(geometry_, line), text); }

private:
    void Write(int32_t top, const QString& text)
    {
        painter_.drawText(geometry_.LeftMargin, top + painter_.fontMetrics().ascent(), text);
    }

    QPainter& painter_;
    const TPrintGeometry& geometry_;
    QString header_;
};

} // namespace

TViewMenuState ViewMenuState(int32_t selLength, int32_t defFontSize, bool roundInProgress)
{
    TViewMenuState state;
    state.CopySelection = selLength != 0 && !roundInProgress;
    state.Copy = !roundInProgress;
    state.Print = !roundInProgress;
    state.IncreaseFontSize = defFontSize < MaxDefFontSize;
    state.DecreaseFontSize = defFontSize > MinDefFontSize;
    return state;
}

std::string CopyAllText(htmlview::THtmlView& viewer, const std::string& wordBoxText)
{
    std::string buffer(CopyBufferSize, ' ');
    viewer.SelectAll();
    viewer.GetSelTextBuf(buffer.data(), CopyBufferSize);
    viewer.SetSelLength(0);
    buffer.resize(std::min(buffer.find('\0'), buffer.size()));
    return wordBoxText + "\r\n\r\n" + buffer;
}

void CopyAll(htmlview::THtmlView& viewer, const QTextEdit& wordBox)
{
    const std::string text = CopyAllText(viewer, platform::UnicodeToAnsiOrEmpty(wordBox.toPlainText()));
    QApplication::clipboard()->setText(platform::AnsiToUnicode(text));
}

bool IncreaseFontSize(TfrmMain& form)
{
    // A step that would pass the largest size is not taken: an odd size stops one short of it.
    if (form.htmlViewer->DefFontSize() > MaxDefFontSize - ViewFontSizeStep)
        return false;
    return SetViewFontSize(form, form.edtWord->font().pointSize() + ViewFontSizeStep);
}

bool DecreaseFontSize(TfrmMain& form)
{
    if (form.htmlViewer->DefFontSize() < MinDefFontSize + ViewFontSizeStep)
        return false;
    return SetViewFontSize(form, form.edtWord->font().pointSize() - ViewFontSizeStep);
}

TPrintGeometry MeasurePrintGeometry(int32_t pixelsPerInch, int32_t pageWidth, int32_t charWidth, int32_t lineHeight)
{
    TPrintGeometry geometry;
    geometry.CharWidth = std::max(1, charWidth);
    geometry.LineHeight = lineHeight;
    geometry.TopMargin = static_cast<int32_t>(pixelsPerInch / MillimetresPerInch * TopMarginMillimetres);
    geometry.LeftMargin = MarginCharacters * geometry.CharWidth;
    // A page too narrow for its margins still prints, one character a line, rather than never
    // getting past the first character.
    geometry.LineLength = std::max(1, pageWidth / geometry.CharWidth - 2 * MarginCharacters);
    return geometry;
}

int32_t PrintLineTop(const TPrintGeometry& geometry, int32_t line)
{
    // n x 1.2 x height, cut to whole pixels, in integers so that 3 x 1.2 x 100 stays 360.
    return geometry.TopMargin + static_cast<int32_t>(int64_t{line} * LineSpacingFifths * geometry.LineHeight / 5);
}

std::vector<std::string> CutPrintLines(const std::string& text, int32_t lineLength)
{
    std::vector<std::string> lines;
    const size_t length = text.size();
    const size_t step = static_cast<size_t>(std::max(1, lineLength));
    size_t p = 0; // 0-based: the next character to print
    while (p < length) {
        const std::string looked = text.substr(p, step + 1);
        const size_t space = looked.rfind(' ');
        if (space != std::string::npos && space > 0) {
            if (p + step < length - 1) {
                lines.push_back(text.substr(p, space));
                p += space + 1;
            } else {
                lines.push_back(text.substr(p));
                p = length;
            }
        } else {
            lines.push_back(text.substr(p, step));
            p += step;
        }
    }
    return lines;
}

bool PrintText(QPrinter& printer, const std::string& header, const std::string& text)
{
    printer.setPageOrientation(QPageLayout::Portrait);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    painter.setFont(PrintFont(TextPoints, false));
    const QFontMetrics metrics(painter.font(), &printer);
    const TPrintGeometry geometry = MeasurePrintGeometry(printer.resolution(), printer.width(),
                                                         metrics.horizontalAdvance(QLatin1Char('A')),
                                                         metrics.height());
    TPagePrinter page(painter, geometry, platform::AnsiToUnicode(header));
    page.Header();
    int32_t line = FirstTextLine;
    for (const std::string& cut : CutPrintLines(text, geometry.LineLength)) {
        // A line that would not fit whole above the page's bottom goes to the next page.
        if (PrintLineTop(geometry, line) + geometry.LineHeight > printer.height()) {
            printer.newPage();
            page.Header();
            page.Line(1, QString::fromLatin1(ContinuedText));
            line = FirstTextLine;
        }
        page.Line(line, platform::AnsiToUnicode(cut));
        ++line;
    }
    return painter.end();
}

bool PrintDefinition(TfrmMain& form, const std::string& noPrinterText)
{
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    bool printed = false;
    if (!defaultPrinter.isNull()) {
        QPrinter printer(defaultPrinter, QPrinter::HighResolution);
        printed = PrintText(printer, platform::UnicodeToAnsiOrEmpty(form.edtWord->toPlainText()),
                            CurrentWord.Definition);
    }
    if (!printed)
        platform::MessageBox(noPrinterText, platform::UnicodeToAnsiOrEmpty(QApplication::applicationName()),
                             platform::MB_OK | platform::MB_ICONWARNING, &form);
    return printed;
}

TDefinitionViewMenu::TDefinitionViewMenu(TfrmMain& form) : QObject(&form), form_(form)
{
    setObjectName(QStringLiteral("mnuHtmlViewer"));
    mnuHtmlViewer = new QMenu(&form);
    mnuHtmlViewer->setObjectName(QStringLiteral("mnuHtmlViewer"));
    mnuHtmlCopySelection = AddItem({}, &TDefinitionViewMenu::mnuHtmlCopySelectionClick);
    mnuHtmlCopy = AddItem(QKeySequence(Qt::CTRL | Qt::Key_C), &TDefinitionViewMenu::mnuHtmlCopyClick);
    mnuHtmlPrint = AddItem({}, &TDefinitionViewMenu::mnuHtmlPrintClick);
    mnuHtmlSep1 = mnuHtmlViewer->addSeparator();
    mnuHtmlIncreaseFontSize =
        AddItem(QKeySequence(Qt::CTRL | Qt::Key_A), &TDefinitionViewMenu::mnuHtmlIncreaseFontSizeClick);
    mnuHtmlDecreaseFontSize =
        AddItem(QKeySequence(Qt::CTRL | Qt::Key_D), &TDefinitionViewMenu::mnuHtmlDecreaseFontSizeClick);
    connect(mnuHtmlViewer, &QMenu::aboutToShow, this, &TDefinitionViewMenu::mnuHtmlViewerPopup);

    htmlview::THtmlView* viewer = form.htmlViewer;
    viewer->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(viewer, &QWidget::customContextMenuRequested, this,
            [this, viewer](const QPoint& at) { mnuHtmlViewer->popup(viewer->mapToGlobal(at)); });
    // The items' shortcuts work while the view or a part of it has the focus; their states are
    // brought up to date before a shortcut is matched, so a state left from the last time the
    // menu opened never lets a page out during a word, nor keeps a command off after it.
    for (QAction* item : mnuHtmlViewer->actions())
        if (!item->shortcut().isEmpty())
            viewer->addAction(item);
    viewer->installEventFilter(this);
    for (QWidget* part : viewer->findChildren<QWidget*>())
        part->installEventFilter(this);
    mnuHtmlViewerPopup();
}

QAction* TDefinitionViewMenu::AddItem(const QKeySequence& shortcut, void (TDefinitionViewMenu::*handler)())
{
    QAction* item = mnuHtmlViewer->addAction(QString());
    item->setShortcut(shortcut);
    item->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(item, &QAction::triggered, this, handler);
    return item;
}

bool TDefinitionViewMenu::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride)
        mnuHtmlViewerPopup();
    return QObject::eventFilter(watched, event);
}

void TDefinitionViewMenu::mnuHtmlViewerPopup()
{
    const TMainTexts& texts = form_.Texts;
    const std::pair<QAction*, const std::string*> captions[] = {
        {mnuHtmlCopySelection, &texts.CopySelection},
        {mnuHtmlCopy, &texts.Copy},
        {mnuHtmlPrint, &texts.Print},
        {mnuHtmlIncreaseFontSize, &texts.IncreaseFontSize},
        {mnuHtmlDecreaseFontSize, &texts.DecreaseFontSize},
    };
    for (const auto& [item, caption] : captions)
        item->setText(platform::AnsiToUnicode(*caption));

    const TViewMenuState state =
        ViewMenuState(form_.htmlViewer->SelLength(), form_.htmlViewer->DefFontSize(), RoundInProgress);
    mnuHtmlCopySelection->setEnabled(state.CopySelection);
    mnuHtmlCopy->setEnabled(state.Copy);
    mnuHtmlPrint->setEnabled(state.Print);
    mnuHtmlIncreaseFontSize->setEnabled(state.IncreaseFontSize);
    mnuHtmlDecreaseFontSize->setEnabled(state.DecreaseFontSize);
}

void TDefinitionViewMenu::mnuHtmlCopyClick()
{
    CopyAll(*form_.htmlViewer, *form_.edtWord);
}

void TDefinitionViewMenu::mnuHtmlCopySelectionClick()
{
    form_.htmlViewer->CopyToClipboard();
}

void TDefinitionViewMenu::mnuHtmlIncreaseFontSizeClick()
{
    IncreaseFontSize(form_);
}

void TDefinitionViewMenu::mnuHtmlDecreaseFontSizeClick()
{
    DecreaseFontSize(form_);
}

void TDefinitionViewMenu::mnuHtmlPrintClick()
{
    PrintDefinition(form_, form_.Texts.PrintFailed);
}

TDefinitionViewMenu* InstallDefinitionViewMenu(TfrmMain& form)
{
    return new TDefinitionViewMenu(form);
}

} // namespace game
