#pragma once
// Pages made from a seed: long paragraphs mixing words, font changes, sub- and superscripts,
// links, pictures inline and floating, form controls of every kind and line breaks, with
// centred and right-aligned paragraphs, list items, preformatted text, rules and a table cell.
// Laid out on the test canvas with real form widgets, as the viewer shows them.
#include "htmlview/HtmlBuilder.h"
#include "htmlview/HtmlFormQtWidgets.h"
#include "htmlview/SectionList.h"
#include "tests/support/TestCanvas.h"

#include <QWidget>

#include <cstdint>
#include <memory>
#include <string>

namespace generatedpages {

// A small deterministic generator, the same on every library.
class TSeeded {
public:
    explicit TSeeded(uint32_t seed) : State_(seed * 2654435761u + 1) {}
    uint32_t Below(uint32_t n)
    {
        State_ = State_ * 1103515245u + 12345u;
        return (State_ >> 8) % n;
    }
    bool OneIn(uint32_t n) { return Below(n) == 0; }

private:
    uint32_t State_;
};

// One inline piece: mostly words, sometimes a tag that styles, links, pictures or a control.
inline std::string InlinePiece(TSeeded& random, int& word)
{
    const std::string w = "mot" + std::to_string(word++ % 997) + " ";
    switch (random.Below(60)) {
    case 0:
        return "<b>" + w + w + "</b>";
    case 1:
        return "<i>" + w + "</i>";
    case 2:
        return "<font size=" + std::to_string(1 + random.Below(7)) + ">" + w + w + "</font>";
    case 3:
        return "x<sub>" + w + "</sub>";
    case 4:
        return "y<sup>" + w + "</sup>";
    case 5:
        return "<a href=\"l" + std::to_string(random.Below(50)) + ".htm\">" + w + w + "</a>";
    case 6: {
        static const char* const aligns[] = {"", " align=top", " align=middle", " align=bottom", " align=left",
                                             " align=right"};
        return "<img src=\"p.gif\" width=" + std::to_string(8 + random.Below(90)) + " height="
            + std::to_string(6 + random.Below(120)) + aligns[random.Below(6)] + ">";
    }
    case 7:
        return "<input type=text size=" + std::to_string(2 + random.Below(12)) + ">";
    case 8:
        return "<input type=checkbox>" + w;
    case 9:
        return "<input type=radio name=r>" + w;
    case 10:
        return "<select><option>aa<option>bbbbbb</select>";
    case 11:
        return "<textarea rows=2 cols=6>t</textarea>";
    case 12:
        return "<input type=submit>";
    case 13:
        return "<br>";
    case 14:
        return "<a href=\"i.htm\"><img src=\"q.gif\" width=30 height=20 border=0></a>";
    case 15:
        return "averyveryveryverylongwordthatdoesnotfitnarrowcolumns ";
    default:
        return w;
    }
}

inline std::string Paragraph(TSeeded& random, int& word, size_t bytes)
{
    std::string text;
    while (text.size() < bytes)
        text += InlinePiece(random, word);
    return text;
}

// A page of about Bytes bytes of paragraph text.
inline std::string GeneratedPage(uint32_t seed, size_t bytes)
{
    TSeeded random(seed);
    int word = 0;
    std::string page = "<html><body>";
    while (page.size() < bytes) {
        const size_t size = random.OneIn(3) ? 200 + random.Below(12000) : 20 + random.Below(400);
        switch (random.Below(9)) {
        case 0:
            page += "<p align=center>" + Paragraph(random, word, size) + "</p>";
            break;
        case 1:
            page += "<p align=right>" + Paragraph(random, word, size) + "</p>";
            break;
        case 2:
            page += "<ul><li>" + Paragraph(random, word, size) + "<li>" + Paragraph(random, word, 30) + "</ul>";
            break;
        case 3:
            page += "<pre>" + Paragraph(random, word, 300) + "\n" + Paragraph(random, word, 60) + "</pre>";
            break;
        case 4:
            page += "<hr width=50%><p>" + Paragraph(random, word, size) + "</p>";
            break;
        case 5:
            page += "<table border=1><tr><td>" + Paragraph(random, word, size) + "</td><td>" +
                    Paragraph(random, word, 40) + "</td></tr></table>";
            break;
        default:
            page += "<p>" + Paragraph(random, word, size) + "</p>";
        }
    }
    return page + "</body></html>";
}

// A document on the test canvas whose form controls are real widgets on a hidden panel.
struct TPageDocument {
    platform::TTestCanvas Canvas;
    QWidget Panel;
    htmlview::TSectionList Document{nullptr, nullptr, Canvas};

    explicit TPageDocument(const std::string& page)
    {
        Document.WidgetFactory = std::make_unique<htmlview::TQtFormWidgetFactory>(Panel);
        Document.SetDefaults("Arial", "Courier New", 12, platform::clBlack, platform::clBlue, platform::clWhite);
        htmlview::TAnchorList anchors;
        htmlview::TParsedHead head;
        htmlview::ParseHtmlBuffer(Document, anchors, page, head);
    }

    int32_t Layout(int32_t width)
    {
        int32_t maxWidth = 0;
        int32_t charIndex = 0;
        return Document.Layout(Canvas, 5, width, maxWidth, charIndex);
    }
    void Paint(const platform::TRect& clip, int32_t scrollTop)
    {
        Document.SetScrollTop(scrollTop);
        Canvas.Ops.clear();
        Document.Paint(Canvas, clip, 2000, 10, 5);
    }
};

} // namespace generatedpages
