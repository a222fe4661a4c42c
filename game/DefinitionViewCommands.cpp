#include "game/DefinitionViewCommands.h"

#include "game/DefinitionPrint.h"

#include "game/GameSettings.h"
#include "game/TfrmMain.h"
#include "game/globalDefs.h"
#include "htmlview/HtmlView.h"
#include "platform/BackendModule.h"
#include "platform/Dialogs.h"
#include "platform/QtCanvas.h"
#include "platform/Windows1252.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QMenu>
#include <QTextEdit>

#include <algorithm>
#include <cmath>

namespace game {

namespace {

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

bool PrintDefinition(TfrmMain& form, const std::string& noPrinterText)
{
    const auto printOnDefaultPrinter
        = reinterpret_cast<TPrintOnDefaultPrinter>(platform::BackendEntry(PrintModule, PrintOnDefaultPrinterEntry));
    const TPrintJob job{platform::MapFontFace("Courier New"), platform::UnicodeToAnsiOrEmpty(form.edtWord->toPlainText()),
                        CurrentWord.Definition};
    const bool printed = printOnDefaultPrinter != nullptr && printOnDefaultPrinter(job);
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
