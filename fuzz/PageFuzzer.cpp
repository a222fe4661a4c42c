// Any bytes build into a document that lays out at two widths, paints and gives up its text.
#include "htmlview/HtmlBuilder.h"
#include "htmlview/HtmlScanner.h"
#include "htmlview/SectionList.h"
#include "htmlview/SelectionVisitor.h"
#include "tests/support/TestCanvas.h"

#include <QCoreApplication>

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_page";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv); // the document's timer wants one

    platform::TTestCanvas canvas;
    htmlview::TSectionList document(nullptr, nullptr, canvas);
    document.SetDefaults("Times New Roman", "Courier New", 12, platform::clBlack, platform::clBlue, platform::clWhite);
    htmlview::TAnchorList anchors;
    htmlview::TParsedHead head;
    try {
        htmlview::ParseHtmlBuffer(document, anchors, std::string_view(reinterpret_cast<const char*>(data), size), head);
    } catch (const htmlview::EParseError&) {
    }
    for (const int32_t width : {600, 40}) {
        int32_t maxWidth = 0;
        int32_t charIndex = 0;
        const int32_t height = document.Layout(canvas, 0, width, maxWidth, charIndex);
        document.Paint(canvas, {0, 0, width, height < 2000 ? height : 2000}, width, 0, 0);
        canvas.Ops.clear();
    }
    document.SelStart = 0;
    document.SelEnd = 1 << 30;
    std::vector<char> text(static_cast<size_t>(htmlview::SelectedLength(document)) + 1);
    htmlview::GetSelectedText(document, text.data(), static_cast<int32_t>(text.size()));
    return 0;
}
