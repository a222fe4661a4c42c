// Text between object markers: how far one stretch is measured, drawn and fitted at once, and where
// many pictures and controls in one paragraph are placed, against a reference that walks the
// characters one by one.
#include "SectionTestSupport.h"

#include <algorithm>
#include <memory>

using namespace htmlview;
using namespace platform;
using namespace sectiontest;

namespace {

// Fonts with an overhang of 1 pixel, which every measured stretch takes off its width once.
class TOverhangCanvas : public TTestCanvas {
public:
    TTextMetrics TextMetrics() override
    {
        TTextMetrics m = TTestCanvas::TextMetrics();
        m.Overhang = 1;
        return m;
    }
};

class SectionStretchTest : public ::testing::Test {
protected:
    SectionStretchTest()
    {
        Document.SetDefaults("Arial", "Courier New", 12, clBlack, clBlue, clWhite);
        BaseFont.ApplyDefaults(Document, Document.FontColor);
    }

    TOverhangCanvas Canvas;
    TSectionList Document{nullptr, nullptr, Canvas};
    TMyFont BaseFont;
    TFakeControl Control{20, 10};
};

} // namespace

// Measuring and drawing take a stretch of one run up to the next marker however far it lies, so
// a caret deep in a long paragraph stands where the text is drawn; line fitting alone measures at
// most 9999 characters towards each kind of marker that is not ahead.
TEST_F(SectionStretchTest, AStretchRunsToTheNextMarkerBeyondTenThousandCharacters)
{
    enum class TEnd { Nothing, Control, Picture };
    const struct {
        const char* Name;
        TEnd End;
    } cases[] = {
        {"a control after 12000 characters", TEnd::Control},
        {"a picture after 12000 characters", TEnd::Picture},
        {"no marker", TEnd::Nothing},
    };
    for (const auto& c : cases) {
        Document.Clear();
        auto owned = std::make_unique<TSection>(Document, 0, TSection::AlignLeft, nullptr, BaseFont, 0);
        TSection& section = *owned;
        section.AppendText(std::string(12000, 'x'));
        if (c.End == TEnd::Control)
            section.AddControl(Control);
        else if (c.End == TEnd::Picture)
            section.AddImage(std::make_unique<TFakePicture>(20, 10), &Document);
        Document.AppendSection(std::move(owned));
        int32_t maxWidth = 0;
        int32_t charIndex = 0;
        Document.Layout(Canvas, 0, 300, maxWidth, charIndex);
        Canvas.Ops.clear();
        Document.Paint(Canvas, {0, 0, 2000, 2000}, 2000, 0, 0);

        std::vector<size_t> drawn;
        for (const TDrawOp& op : Canvas.OpsOf(TDrawKind::Text))
            drawn.push_back(op.Text.size());
        EXPECT_EQ(drawn, std::vector<size_t>{12000}) << c.Name;

        int32_t x = 0;
        int32_t y = 0;
        ASSERT_TRUE(section.PointOfIndex(Canvas, 10006, x, y)) << c.Name;
        EXPECT_EQ(x, 8 * 10006 - 1) << c.Name;
        const TCaret caret = CaretAt(section, Canvas, 8 * 10005 + 4, 5);
        EXPECT_EQ(caret.Index, 10006) << c.Name;
        EXPECT_EQ(caret.X, 8 * 10006 - 2) << c.Name;

        // Fitting splits after 9999 characters whatever lies ahead, and each part loses the
        // overhang once: 10000 characters fit in one pixel less than their single extent.
        EXPECT_EQ(section.FitChars(Canvas, 8 * 10000 - 2, 0, 12000), 10000) << c.Name;
    }
}

namespace {

class SectionObjectsTest : public SectionTest {
protected:
    std::vector<std::unique_ptr<TFakeControl>> Controls;
};

} // namespace

// Hundreds of controls and pictures in one paragraph: each line's room above the text, each
// control's line, and where painting puts each control and picture, as a walk over every object
// for every line finds them.
TEST_F(SectionObjectsTest, ManyObjectsInOneParagraphStandWhereTheReferencePutsThem)
{
    TSection& section = AddSection("");
    std::vector<TFakePicture*> pictures;
    for (int i = 0; i < 600; ++i) {
        section.AppendText(std::string(static_cast<size_t>(i % 7), 'a') + (i % 3 ? " " : ""));
        if (i % 5 == 4) {
            pictures.push_back(static_cast<TFakePicture*>(
                section.AddImage(std::make_unique<TFakePicture>(10 + i % 13, 8 + i % 29), &Document)));
        } else {
            Controls.push_back(std::make_unique<TFakeControl>(6 + i % 31, 5 + i % 23, i % 4 == 0));
            section.AddControl(*Controls.back());
        }
    }
    for (const int32_t width : {70, 211, 500}) {
        LayoutDocument(width);
        PaintDocument(7);
        int32_t top = 0;
        for (const LineRec& line : section.Lines) {
            const int32_t end = line.Start + line.Count;
            const bool markersOnly = std::all_of(section.Text.begin() + line.Start, section.Text.begin() + end,
                                                 [](char c) { return TSection::IsObjectMarker(static_cast<unsigned char>(c)); });
            const int32_t textHeight = markersOnly ? 0 : LineHeight;
            const int32_t descent = markersOnly ? 0 : Descent;
            int32_t before = 0;
            for (const auto& control : Controls)
                if (control->Position >= line.Start && control->Position < end)
                    before = std::max(before, control->Height - (control->Raise ? textHeight - descent : textHeight));
            for (const TFakePicture* picture : pictures)
                if (picture->Position >= line.Start && picture->Position < end)
                    before = std::max(before, picture->ImageHeight - (textHeight - descent));
            EXPECT_EQ(line.SpaceBefore, before) << width << " line at " << line.Start;

            const int32_t bottom = top + line.SpaceBefore + line.TextHeight; // of the text
            int32_t x = 7 + line.Left;
            for (int32_t p = line.Start; p < end; ++p) {
                const auto c = static_cast<unsigned char>(section.Text[static_cast<size_t>(p)]);
                const auto control = std::find_if(Controls.begin(), Controls.end(),
                                                  [p](const auto& k) { return k->Position == p; });
                const auto picture =
                    std::find_if(pictures.begin(), pictures.end(), [p](const TFakePicture* k) { return k->Position == p; });
                if (c == TSection::ControlMarker) {
                    ASSERT_NE(control, Controls.end());
                    EXPECT_EQ((*control)->YPosition, top) << width << " control at " << p;
                    EXPECT_EQ((*control)->ShownLeft, x) << width << " control at " << p;
                    EXPECT_EQ((*control)->ShownTop, bottom - (*control)->Height - ((*control)->Raise ? line.Descent : 0))
                        << width << " control at " << p;
                    x += (*control)->Width;
                } else if (c == TSection::ImageMarker) {
                    ASSERT_NE(picture, pictures.end());
                    EXPECT_EQ((*picture)->PaintX, x) << width << " picture at " << p;
                    EXPECT_EQ((*picture)->PaintBaseline, bottom - line.Descent) << width << " picture at " << p;
                    x += (*picture)->ImageWidth;
                } else {
                    x += CharWidth;
                }
            }
            top += line.FullHeight();
        }
    }
}
