// The viewer's road from page text to pixels: parse, lay out for a 413-pixel-wide view and paint
// its first screen into an image, as the control does for each definition it shows. Pages are a
// 2 KB definition and pages of paragraphs, lists and links of 256 KB, 512 KB and 1 MB, so the
// cost per kilobyte can be compared across sizes. Each reports the peak memory of the process
// so far; run one size alone to see its own. Then the shapes that used to cost more than their
// size, each beside its baseline: one long paragraph, alone and in a table cell, beside the
// same words in short paragraphs; screens of a long paragraph painted while scrolling; many form
// controls in one paragraph beside one per paragraph, in a viewer on screen; and tables nested deep beside the same
// tables one after another, shown once and laid out again at another width.
#include "htmlview/HtmlBuilder.h"
#include "htmlview/HtmlView.h"
#include "htmlview/PaintPanel.h"
#include "htmlview/SectionList.h"
#include "platform/QtCanvas.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QImage>

#include <sys/resource.h>

#include <array>
#include <chrono>
#include <string>

namespace {

constexpr int ViewWidth = 413;
constexpr int ViewHeight = 300;
constexpr int MarginWidth = 10;
constexpr int MarginHeight = 5;
constexpr int MaxPaintWidth = 2000;

std::string DefinitionPage()
{
    std::string page =
        "<html><body><base href=\"/usr/share/garvo/Dictionnaires/\">"
        "<b>POTENCE</b> <i>n. f.</i><br>"
        "<p>1. Assemblage de pi\xE8""ces de bois ou de m\xE9tal formant une \xE9querre, qui sert \xE0 "
        "soutenir un balcon, une enseigne ou une lanterne.</p>"
        "<p>2. Instrument de supplice form\xE9 d'un poteau et d'une traverse, auquel on pendait les "
        "condamn\xE9s. <i>Gibier de potence</i>&nbsp;: vaurien.</p>"
        "<ul><li>Synonymes&nbsp;: gibet, fourche.</li><li>Voir aussi&nbsp;: "
        "<a href=\"pendu.htm\">pendu</a>, <a href=\"corde.htm\">corde</a>.</li></ul>"
        "<p><font color=\"#800000\">\xC9tymologie</font>&nbsp;: du latin <i>potentia</i>, "
        "puissance, puis appui, b\xE9quille.</p>";
    while (page.size() < 2000)
        page += "<p>Exemple&nbsp;: la lanterne pendait \xE0 une potence de fer forg\xE9.</p>";
    return page + "</body></html>";
}

// Paragraphs, lists and links repeated up to Size bytes.
std::string LargePage(size_t size)
{
    std::string page = "<html><body><h1>Dictionnaire</h1>";
    for (int block = 0; page.size() < size; ++block) {
        const std::string n = std::to_string(block);
        page += "<h2>Entr\xE9""e " + n + "</h2>"
                "<p>Le mot num\xE9ro " + n + " se d\xE9""finit par une phrase assez longue pour remplir "
                "plusieurs lignes de la vue, avec <b>du gras</b>, <i>de l'italique</i> et un "
                "<a href=\"mot" + n + ".htm\">lien vers sa page</a>.</p>"
                "<ol><li>Premier sens du mot.</li><li>Second sens, plus rare.</li>"
                "<li>Emploi figur\xE9, voir <a href=\"#e" + n + "\">plus haut</a>.</li></ol>";
    }
    return page + "</body></html>";
}

// Size bytes of words, in paragraphs of about ParagraphSize bytes each (one paragraph when
// ParagraphSize is Size), so that one long paragraph can be set beside the same words in short
// ones.
std::string Paragraphs(size_t size, size_t paragraphSize)
{
    std::string body = "<p>";
    size_t total = 0;
    size_t inParagraph = 0;
    for (int word = 0; total < size; ++word) {
        const std::string text = "mot" + std::to_string(word % 1000) + (word % 17 == 16 ? ", " : " ");
        if (inParagraph >= paragraphSize) {
            body += "</p><p>";
            inParagraph = 0;
        }
        body += text;
        total += text.size();
        inParagraph += text.size();
    }
    return body + "</p>";
}

constexpr size_t ShortParagraph = 1024;

std::string ParagraphPage(size_t size, size_t paragraphSize, bool inCell)
{
    const std::string body = Paragraphs(size, paragraphSize);
    return "<html><body>" + (inCell ? "<table><tr><td>" + body + "</td></tr></table>" : body) + "</body></html>";
}

// Count form controls (text inputs, or drop-down lists of three options) between words, all in
// one paragraph or one per paragraph.
// The controls of each kind a form can hold.
constexpr std::array<const char*, 7> ControlKinds = {
    "<input type=text name=t size=8>",
    "<select name=s><option>un<option>deux<option>trois</select>",
    "<select name=l size=3><option>un<option>deux<option>trois</select>",
    "<input type=checkbox name=c>",
    "<input type=radio name=r>",
    "<input type=submit name=b>",
    "<textarea name=a rows=2 cols=8>ligne</textarea>",
};

std::string ControlsPage(int count, size_t kind, bool onePerParagraph)
{
    const std::string control = ControlKinds.at(kind);
    std::string page = "<html><body><form><p>";
    for (int i = 0; i < count; ++i) {
        if (onePerParagraph && i > 0)
            page += "</p><p>";
        page += "champ " + std::to_string(i) + " " + control + " ";
    }
    return page + "</p></form></body></html>";
}

// Depth tables, each holding a word and the next one; or the same tables one after another.
std::string TablesPage(int depth, bool nested)
{
    const std::string open = "<table><tr><td>niveau ";
    const std::string close = "</td></tr></table>";
    std::string page = "<html><body>";
    page.reserve(static_cast<size_t>(depth) * (open.size() + close.size()) + 32);
    if (nested) {
        for (int i = 0; i < depth; ++i)
            page += open;
        for (int i = 0; i < depth; ++i)
            page += close;
    } else {
        for (int i = 0; i < depth; ++i)
            page += open + close;
    }
    return page + "</body></html>";
}

double PeakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// The page parsed into Document, with the defaults the programs give their viewers.
void ParsePage(htmlview::TSectionList& document, const std::string& page)
{
    document.SetDefaults("Times New Roman", "Courier New", 12, platform::clBlack, platform::clBlue,
                         platform::clWhite);
    htmlview::TAnchorList anchors;
    htmlview::TParsedHead head;
    htmlview::ParseHtmlBuffer(document, anchors, page, head);
}

// Parse, lay out and paint the first screen; returns the document height.
int32_t ShowPage(const std::string& page, platform::TQtCanvas& screen, QImage& image)
{
    htmlview::TSectionList document(nullptr, nullptr, screen);
    ParsePage(document, page);
    int32_t maxWidth = 0;
    int32_t charIndex = 0;
    const int32_t height =
        document.Layout(screen, MarginHeight, ViewWidth - 2 * MarginWidth, maxWidth, charIndex);
    platform::TQtCanvas canvas(image);
    canvas.Brush().Color = platform::clWhite;
    canvas.FillRect({0, 0, ViewWidth, ViewHeight});
    document.Paint(canvas, {MarginWidth, 1, ViewWidth, ViewHeight}, MaxPaintWidth, MarginWidth, MarginHeight);
    return height;
}

void RunPage(benchmark::State& state, const std::string& page)
{
    platform::TQtCanvas screen;
    QImage image(ViewWidth, ViewHeight, QImage::Format_RGB32);
    for (auto _ : state)
        benchmark::DoNotOptimize(ShowPage(page, screen, image));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(page.size()));
    state.counters["page_bytes"] = static_cast<double>(page.size());
    state.counters["peak_MB"] = PeakMegabytes();
}

void BM_ViewerDefinitionPage(benchmark::State& state)
{
    RunPage(state, DefinitionPage());
}
BENCHMARK(BM_ViewerDefinitionPage)->Unit(benchmark::kMillisecond);

void BM_ViewerLargePage(benchmark::State& state)
{
    RunPage(state, LargePage(static_cast<size_t>(state.range(0)) * 1024));
}
BENCHMARK(BM_ViewerLargePage)->Arg(256)->Arg(512)->Arg(1024)->Unit(benchmark::kMillisecond);

// One paragraph of N KB, and its baseline: the same words in paragraphs of 1 KB.
void BM_ViewerParagraph(benchmark::State& state)
{
    const size_t size = static_cast<size_t>(state.range(0)) * 1024;
    RunPage(state, ParagraphPage(size, size, false));
}
BENCHMARK(BM_ViewerParagraph)->Arg(16)->Arg(64)->Arg(200)->Unit(benchmark::kMillisecond);

void BM_ViewerShortParagraphs(benchmark::State& state)
{
    RunPage(state, ParagraphPage(static_cast<size_t>(state.range(0)) * 1024, ShortParagraph, false));
}
BENCHMARK(BM_ViewerShortParagraphs)->Arg(16)->Arg(64)->Arg(200)->Unit(benchmark::kMillisecond);

void BM_ViewerParagraphInCell(benchmark::State& state)
{
    const size_t size = static_cast<size_t>(state.range(0)) * 1024;
    RunPage(state, ParagraphPage(size, size, true));
}
BENCHMARK(BM_ViewerParagraphInCell)->Arg(16)->Arg(64)->Arg(200)->Unit(benchmark::kMillisecond);

void BM_ViewerShortParagraphsInCell(benchmark::State& state)
{
    RunPage(state, ParagraphPage(static_cast<size_t>(state.range(0)) * 1024, ShortParagraph, true));
}
BENCHMARK(BM_ViewerShortParagraphsInCell)->Arg(16)->Arg(64)->Arg(200)->Unit(benchmark::kMillisecond);

// Scrolling: 20 screens painted one after another, of a page laid out once.
void RunScroll(benchmark::State& state, const std::string& page)
{
    platform::TQtCanvas screen;
    htmlview::TSectionList document(nullptr, nullptr, screen);
    ParsePage(document, page);
    int32_t maxWidth = 0;
    int32_t charIndex = 0;
    document.Layout(screen, MarginHeight, ViewWidth - 2 * MarginWidth, maxWidth, charIndex);
    QImage image(ViewWidth, ViewHeight, QImage::Format_RGB32);
    platform::TQtCanvas canvas(image);
    for (auto _ : state) {
        for (int screenIndex = 0; screenIndex < 20; ++screenIndex) {
            document.SetScrollTop(screenIndex * ViewHeight);
            canvas.Brush().Color = platform::clWhite;
            canvas.FillRect({0, 0, ViewWidth, ViewHeight});
            benchmark::DoNotOptimize(document.Paint(canvas, {MarginWidth, 0, ViewWidth, ViewHeight}, MaxPaintWidth,
                                                    MarginWidth, MarginHeight));
        }
    }
}

void BM_ViewerScrollParagraph(benchmark::State& state)
{
    const size_t size = static_cast<size_t>(state.range(0)) * 1024;
    RunScroll(state, ParagraphPage(size, size, false));
}
BENCHMARK(BM_ViewerScrollParagraph)->Arg(200)->Unit(benchmark::kMillisecond);

void BM_ViewerScrollShortParagraphs(benchmark::State& state)
{
    RunScroll(state, ParagraphPage(static_cast<size_t>(state.range(0)) * 1024, ShortParagraph, false));
}
BENCHMARK(BM_ViewerScrollShortParagraphs)->Arg(200)->Unit(benchmark::kMillisecond);

// A form of many controls with real widgets, loaded into a viewer on screen (the offscreen
// platform): its first screen is painted, which places the controls, and the event loop then
// runs Qt's repaint of the window with its controls shown, as the user meets it.
// Run for a few seconds: the first pass pays for a heap that has yet to grow.
void RunControls(benchmark::State& state, bool onePerParagraph)
{
    const std::string page =
        ControlsPage(static_cast<int>(state.range(0)), static_cast<size_t>(state.range(1)), onePerParagraph);
    htmlview::THtmlView view;
    view.resize(ViewWidth, ViewHeight);
    view.show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        view.LoadFromBuffer(page.data(), static_cast<int32_t>(page.size()));
        view.PaintPanel().repaint();
        QCoreApplication::processEvents();
    }
    state.counters["peak_MB"] = PeakMegabytes();
}

// Arguments: the number of controls, and their kind (an index of ControlKinds).
void BM_ViewerControlsInParagraph(benchmark::State& state)
{
    RunControls(state, false);
}
BENCHMARK(BM_ViewerControlsInParagraph)->Args({10000, 0})->Args({5000, 1})->MinTime(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ViewerControlsInParagraph)->Args({20000, 0})->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_ViewerControlsOnePerParagraph(benchmark::State& state)
{
    RunControls(state, true);
}
BENCHMARK(BM_ViewerControlsOnePerParagraph)->Args({10000, 0})->Args({5000, 1})->MinTime(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ViewerControlsOnePerParagraph)->Args({20000, 0})->Iterations(1)->Unit(benchmark::kMillisecond);

// Each kind at 500 and at 8000 controls: the cost should grow with their number.
void BM_ViewerControlsOfKind(benchmark::State& state)
{
    RunControls(state, true);
}
BENCHMARK(BM_ViewerControlsOfKind)
    ->ArgsProduct({{500, 8000}, {0, 1, 2, 3, 4, 5, 6}})
    ->MinTime(2)
    ->Unit(benchmark::kMillisecond);

// A table of Rows rows of 4 cells shown twice, as the viewer shows a page again: its document is
// cleared, the page parsed and laid out anew. Each showing's layout is timed on its own (run
// alone, the first one meets a fresh heap, the second the heap the first one left).
std::string LongTablePage(int rows)
{
    std::string page = "<html><body><table border=1>";
    for (int i = 0; i < rows; ++i)
        page += "<tr><td>ligne " + std::to_string(i) + "<td>deux mots<td>trois<td>fin";
    return page + "</table></body></html>";
}

void BM_ViewerLongTableShownTwice(benchmark::State& state)
{
    const std::string page = LongTablePage(static_cast<int>(state.range(0)));
    platform::TQtCanvas screen;
    std::array<double, 2> layoutMs{};
    for (auto _ : state) {
        htmlview::TSectionList document(nullptr, nullptr, screen);
        for (double& ms : layoutMs) {
            document.Clear();
            ParsePage(document, page);
            int32_t maxWidth = 0;
            int32_t charIndex = 0;
            const auto start = std::chrono::steady_clock::now();
            benchmark::DoNotOptimize(
                document.Layout(screen, MarginHeight, ViewWidth - 2 * MarginWidth, maxWidth, charIndex));
            ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        }
    }
    state.counters["first_layout_ms"] = layoutMs[0];
    state.counters["second_layout_ms"] = layoutMs[1];
}
BENCHMARK(BM_ViewerLongTableShownTwice)->Arg(4000)->Arg(16000)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_ViewerNestedTables(benchmark::State& state)
{
    RunPage(state, TablesPage(static_cast<int>(state.range(0)), true));
}
BENCHMARK(BM_ViewerNestedTables)->Arg(20)->Arg(64)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ViewerNestedTables)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_ViewerTablesInSequence(benchmark::State& state)
{
    RunPage(state, TablesPage(static_cast<int>(state.range(0)), false));
}
BENCHMARK(BM_ViewerTablesInSequence)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);

// A resize: the parsed page laid out again at another width, as the control does.
void RunRelayout(benchmark::State& state, const std::string& page)
{
    platform::TQtCanvas screen;
    htmlview::TSectionList document(nullptr, nullptr, screen);
    ParsePage(document, page);
    int32_t width = ViewWidth - 2 * MarginWidth;
    for (auto _ : state) {
        width = width == ViewWidth - 2 * MarginWidth ? ViewWidth : ViewWidth - 2 * MarginWidth;
        int32_t maxWidth = 0;
        int32_t charIndex = 0;
        benchmark::DoNotOptimize(document.Layout(screen, MarginHeight, width, maxWidth, charIndex));
    }
}

void BM_ViewerRelayoutNestedTables(benchmark::State& state)
{
    RunRelayout(state, TablesPage(static_cast<int>(state.range(0)), true));
}
BENCHMARK(BM_ViewerRelayoutNestedTables)->Arg(64)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ViewerRelayoutNestedTables)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_ViewerRelayoutTablesInSequence(benchmark::State& state)
{
    RunRelayout(state, TablesPage(static_cast<int>(state.range(0)), false));
}
BENCHMARK(BM_ViewerRelayoutTablesInSequence)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
