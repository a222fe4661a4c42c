#pragma once
// Text sections built by hand on the test canvas. A 12-point font there is 16 pixels high with a
// descent of 4, and every character is 8 pixels wide.
#include "htmlview/Section.h"
#include "htmlview/SectionList.h"
#include "tests/support/TestCanvas.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sectiontest {

constexpr int32_t CharWidth = 8;
constexpr int32_t LineHeight = 16;
constexpr int32_t Descent = 4;

// A picture of fixed size that answers hit tests where it was last painted.
class TFakePicture : public htmlview::TInlinePicture {
public:
    TFakePicture(int32_t width, int32_t height, uint8_t align = AlignBottom)
    {
        ImageWidth = width;
        ImageHeight = height;
        Align = align;
    }

    int PaintCount = 0;
    int32_t PaintX = 0;
    int32_t PaintTop = 0;
    int32_t PaintBaseline = 0;
    bool IsMap = false;

    void MeasureImage(htmlview::TSectionList*, platform::TCanvas&, const htmlview::TFontObj&, int32_t) override {}
    void PaintImage(platform::TCanvas&, int32_t x, int32_t top, int32_t baseline, const htmlview::TFontObj&) override
    {
        ++PaintCount;
        PaintX = x;
        PaintTop = top;
        PaintBaseline = baseline;
    }
    bool ImageHit(int32_t x, int32_t y, int32_t& pictureX, int32_t& pictureY) override
    {
        pictureX = x - PaintX;
        pictureY = y - PaintTop;
        return PaintCount > 0 && pictureX >= 0 && pictureX < ImageWidth && pictureY >= 0 && pictureY < ImageHeight;
    }
    bool LinkHit(int32_t x, int32_t y, htmlview::TPictureLinkHit& hit) override
    {
        hit.IsMap = IsMap;
        return ImageHit(x, y, hit.X, hit.Y);
    }
    htmlview::TImageObj* Image() override { return nullptr; }
};

class TFakeControl : public htmlview::TInlineControl {
public:
    TFakeControl(int32_t width, int32_t height, bool raiseByDescent = false)
        : Width(width), Height(height), Raise(raiseByDescent)
    {
    }

    int32_t Width;
    int32_t Height;
    bool Raise;
    int32_t ShownLeft = -1;
    int32_t ShownTop = -1;

    int32_t ControlWidth() const override { return Width; }
    int32_t ControlHeight() const override { return Height; }
    bool RaiseByDescent() const override { return Raise; }
    bool HasWindowControl() const override { return true; }
    void ShowAt(int32_t left, int32_t top) override
    {
        ShownLeft = left;
        ShownTop = top;
    }
    htmlview::TFormControlObj* FormControl() override { return nullptr; }
};

// What IndexAtPoint answers for a point.
struct TCaret {
    int32_t Index = -1;
    int32_t X = 0;
    int32_t LineTop = 0;
    int32_t LineHeight = 0;
    bool InLine = false;
};

template <class Column>
TCaret CaretAt(Column& column, platform::TCanvas& canvas, int32_t x, int32_t y)
{
    TCaret caret;
    htmlview::TCell* cell = nullptr;
    caret.Index = column.IndexAtPoint(canvas, x, y, caret.X, caret.LineTop, caret.LineHeight, cell, caret.InLine);
    return caret;
}

class SectionTest : public ::testing::Test {
protected:
    SectionTest()
    {
        Document.SetDefaults("Arial", "Courier New", 12, platform::clBlack, platform::clBlue, platform::clWhite);
        BaseFont.ApplyDefaults(Document, Document.FontColor);
    }

    // A section of Text added to the document.
    htmlview::TSection& AddSection(std::string_view text, uint8_t alignment = htmlview::TSection::AlignLeft,
                                   int32_t listLevel = 0)
    {
        auto section = std::make_unique<htmlview::TSection>(Document, listLevel, alignment, nullptr, BaseFont, 0);
        section->AppendText(text);
        htmlview::TSection& added = *section;
        Document.AppendSection(std::move(section));
        return added;
    }

    int32_t LayoutDocument(int32_t width)
    {
        int32_t maxWidth = 0;
        int32_t charIndex = 0;
        return Document.Layout(Canvas, 0, width, maxWidth, charIndex);
    }

    void PaintDocument(int32_t x = 0)
    {
        Canvas.Ops.clear();
        Document.Paint(Canvas, {0, 0, 2000, 2000}, 2000, x, 0);
    }

    // The lines of the last layout, object markers shown as "#".
    static std::vector<std::string> LineTexts(const htmlview::TSection& section)
    {
        std::vector<std::string> texts;
        for (const htmlview::LineRec& line : section.Lines) {
            std::string text = section.Text.substr(static_cast<size_t>(line.Start), static_cast<size_t>(line.Count));
            for (char& c : text)
                if (htmlview::TSection::IsObjectMarker(static_cast<unsigned char>(c)))
                    c = '#';
            texts.push_back(text);
        }
        return texts;
    }

    std::vector<platform::TDrawOp> TextOps() const { return Canvas.OpsOf(platform::TDrawKind::Text); }

    platform::TTestCanvas Canvas;
    htmlview::TSectionList Document{nullptr, nullptr, Canvas};
    htmlview::TMyFont BaseFont;
};

} // namespace sectiontest
