#include "TfrmMainTest.h"

#include "game/DefinitionPrint.h"
#include "game/DefinitionViewCommands.h"
#include "game/GameSettings.h"
#include "htmlview/HtmlView.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QMenu>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTextEdit>

#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace game;

class DefinitionView : public TMainWindowTest {
protected:
    void SetUp() override
    {
        TMainWindowTest::SetUp();
        StartOn("Animaux.dat");
        menu = InstallDefinitionViewMenu(*frmMain);
        frmMain->ShowHtml("Fruit <b>tropical</b> des pays chauds");
        QApplication::clipboard()->clear();
    }

    static std::string Clipboard() { return Ansi(QApplication::clipboard()->text()); }

    static void SetViewFontSize(int32_t size)
    {
        frmMain->htmlViewer->SetDefFontSize(size);
        QFont font = frmMain->edtWord->font();
        font.setPointSize(size);
        frmMain->edtWord->setFont(font);
    }

    TDefinitionViewMenu* menu = nullptr;
};

TEST(DefinitionViewMenuState, NothingOfTheWordLeavesDuringTheWord)
{
    const struct {
        int32_t SelLength;
        int32_t FontSize;
        bool Round;
        bool CopySelection, Copy, Print, Increase, Decrease;
    } cases[] = {
        {0, 8, false, false, true, true, true, false},
        {5, 8, false, true, true, true, true, false},
        {5, 12, true, false, false, false, true, true},
        {0, 9, false, false, true, true, true, true},
        {0, 31, false, false, true, true, true, true},
        {0, 32, false, false, true, true, false, true},
    };
    for (const auto& c : cases) {
        const TViewMenuState state = ViewMenuState(c.SelLength, c.FontSize, c.Round);
        const std::vector<bool> got{state.CopySelection, state.Copy, state.Print, state.IncreaseFontSize,
                                    state.DecreaseFontSize};
        const std::vector<bool> expected{c.CopySelection, c.Copy, c.Print, c.Increase, c.Decrease};
        EXPECT_EQ(got, expected) << c.SelLength << " " << c.FontSize << " " << c.Round;
    }
}

TEST_F(DefinitionView, TheMenuHasItsItemsInOrderWithTheirStates)
{
    const QList<QAction*> items = menu->mnuHtmlViewer->actions();
    ASSERT_EQ(items.size(), 6);
    EXPECT_EQ(items[0], menu->mnuHtmlCopySelection);
    EXPECT_EQ(items[1], menu->mnuHtmlCopy);
    EXPECT_EQ(items[2], menu->mnuHtmlPrint);
    EXPECT_TRUE(items[3]->isSeparator());
    EXPECT_EQ(items[4], menu->mnuHtmlIncreaseFontSize);
    EXPECT_EQ(items[5], menu->mnuHtmlDecreaseFontSize);
    EXPECT_EQ(menu->mnuHtmlCopy->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_C));

    frmMain->Texts.Print = "Print";
    RoundInProgress = true;
    menu->mnuHtmlViewerPopup();
    EXPECT_EQ(menu->mnuHtmlPrint->text(), QStringLiteral("Print"));
    EXPECT_FALSE(menu->mnuHtmlCopy->isEnabled());
    EXPECT_FALSE(menu->mnuHtmlPrint->isEnabled());
    RoundInProgress = false;
    frmMain->htmlViewer->SelectAll();
    menu->mnuHtmlViewerPopup();
    EXPECT_TRUE(menu->mnuHtmlCopy->isEnabled());
    EXPECT_TRUE(menu->mnuHtmlCopySelection->isEnabled());
}

TEST_F(DefinitionView, CopyAllPutsTheWordThenThePage)
{
    for (const std::string word : {"ananas", ""}) {
        frmMain->edtWord->setPlainText(platform::AnsiToUnicode(word));
        menu->mnuHtmlCopyClick();
        EXPECT_EQ(Clipboard().rfind(word + "\r\n\r\nFruit tropical des pays chauds", 0), 0u) << Clipboard();
        EXPECT_EQ(frmMain->htmlViewer->SelLength(), 0);
    }
}

TEST_F(DefinitionView, CopySelectionTakesOnlyTheSelection)
{
    frmMain->edtWord->setPlainText(QStringLiteral("ananas"));
    frmMain->htmlViewer->SelectAll();
    menu->mnuHtmlCopySelectionClick();
    EXPECT_EQ(Clipboard().rfind("Fruit tropical", 0), 0u) << Clipboard();
}

TEST_F(DefinitionView, TheCopyShortcutLooksAtTheWordInPlayEachTime)
{
    frmMain->edtWord->setPlainText(QStringLiteral("ananas"));
    QApplication::setActiveWindow(frmMain);
    frmMain->htmlViewer->setFocus();
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);

    // The menu was last opened between two words, then a word started.
    menu->mnuHtmlViewerPopup();
    RoundInProgress = true;
    QTest::keyClick(focus, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clipboard(), "");

    // And the other way round: the menu was last opened during the word.
    menu->mnuHtmlViewerPopup();
    RoundInProgress = false;
    QTest::keyClick(focus, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clipboard().rfind("ananas\r\n\r\n", 0), 0u) << Clipboard();
}

TEST_F(DefinitionView, TextSizeStaysWithinItsBounds)
{
    const struct {
        int32_t From;
        bool Larger;
        int32_t To;
    } cases[] = {
        {8, true, 10},  {30, true, 32}, {31, true, 31}, {32, true, 32},  {9, true, 11},
        {10, false, 8}, {9, false, 9},  {8, false, 8},  {32, false, 30}, {11, false, 9},
    };
    for (const auto& c : cases) {
        SetViewFontSize(c.From);
        const bool changed = c.Larger ? IncreaseFontSize(*frmMain) : DecreaseFontSize(*frmMain);
        EXPECT_EQ(changed, c.From != c.To) << c.From << (c.Larger ? " larger" : " smaller");
        EXPECT_EQ(frmMain->htmlViewer->DefFontSize(), c.To);
        EXPECT_EQ(frmMain->edtWord->font().pointSize(), c.To);
        // The word box fits its type and the view always ends at the same place.
        const QRect viewer = frmMain->htmlViewer->geometry();
        EXPECT_EQ(viewer.top(), frmMain->edtWord->geometry().bottom() + 3);
        EXPECT_EQ(viewer.bottom() + 1, 352);
    }
}

TEST(PrintLayout, LinesAreCutAtTheLastSpaceWithNoCharacterLost)
{
    const struct {
        const char* Text;
        int32_t LineLength;
        std::vector<std::string> Lines;
    } cases[] = {
        {"abcdefghijklm", 5, {"abcde", "fghij", "klm"}},
        {"un deux trois quatre", 10, {"un deux", "trois", "quatre"}},
        {"abc defgh", 5, {"abc", "defgh"}},
        {" abcdefg", 4, {" abc", "defg"}},
        {"", 10, {}},
        {"abc", 0, {"a", "b", "c"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CutPrintLines(c.Text, c.LineLength), c.Lines) << c.Text;
}

TEST(PrintLayout, Geometry)
{
    const TPrintGeometry geometry = MeasurePrintGeometry(600, 4800, 60, 100);
    EXPECT_EQ(geometry.TopMargin, 708);
    EXPECT_EQ(geometry.LeftMargin, 540);
    EXPECT_EQ(geometry.LineLength, 62);
    EXPECT_EQ(PrintLineTop(geometry, 3), 708 + 360);
    // A page narrower than its margins still moves on.
    EXPECT_EQ(MeasurePrintGeometry(600, 500, 60, 100).LineLength, 1);
}

class Printing : public TGameTest {
protected:
    // The text of the PDF at Path, page after page, as a reader of it sees it.
    static std::string PdfText(const std::string& path)
    {
        const QString reader = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        EXPECT_FALSE(reader.isEmpty()) << "pdftotext (poppler-utils) is needed to read what was printed";
        if (reader.isEmpty())
            return std::string();
        QProcess process;
        process.start(reader, {QStringLiteral("-layout"), QString::fromStdString(path), QStringLiteral("-")});
        EXPECT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        return process.readAllStandardOutput().toStdString();
    }

    static size_t Count(const std::string& text, const std::string& part)
    {
        size_t count = 0;
        for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
            ++count;
        return count;
    }
};

TEST_F(Printing, TheWordAndItsDefinitionGoToThePrinter)
{
    const std::string file = Path("definition.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(file));
    ASSERT_TRUE(PrintText(printer, {QStringLiteral("Liberation Mono"), "ANANAS", "Fruit <b>tropical</b> des pays chauds."}));
    const std::string text = PdfText(file);
    EXPECT_NE(text.find("ANANAS"), std::string::npos) << text;
    EXPECT_NE(text.find("Fruit <b>tropical</b> des pays chauds."), std::string::npos) << text;
}

TEST_F(Printing, ALongDefinitionGoesOnFurtherPagesUnderTheWord)
{
    const std::string file = Path("long.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(file));
    std::string definition;
    for (int i = 0; i < 600; ++i)
        definition += "mot" + std::to_string(i) + " suivant ";
    ASSERT_TRUE(PrintText(printer, {QStringLiteral("Liberation Mono"), "LISTE", definition}));
    const std::string pdf = Read("long.pdf");
    EXPECT_GE(Count(pdf, "/Type /Page") - Count(pdf, "/Type /Pages"), 2u);
    const std::string text = PdfText(file);
    const size_t pages = Count(text, "LISTE");
    EXPECT_GE(pages, 2u) << text;
    EXPECT_EQ(Count(text, "(suite...)"), pages - 1);
    // Every word of the definition was printed, in order, none cut or lost at a line's or a
    // page's end.
    std::vector<std::string> words;
    std::istringstream stream(text);
    for (std::string word; stream >> word;)
        if (word != "LISTE" && word != "(suite...)")
            words.push_back(word);
    std::vector<std::string> expected;
    for (int i = 0; i < 600; ++i) {
        expected.push_back("mot" + std::to_string(i));
        expected.push_back("suivant");
    }
    EXPECT_EQ(words, expected);
}

TEST_F(DefinitionView, WithoutAPrinterThePlayerIsTold)
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "this machine has a printer";
    CurrentWord.Definition = "Fruit tropical";
    EXPECT_FALSE(PrintDefinition(*frmMain, "Pas d'imprimante"));
    ASSERT_EQ(Dialogs->MessageBoxes.size(), 1u);
    EXPECT_EQ(Dialogs->MessageBoxes[0].Text, "Pas d'imprimante");
}

} // namespace
