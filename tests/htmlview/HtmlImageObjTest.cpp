// Inline pictures on the test canvas: displayed sizes from WIDTH, HEIGHT and the picture, the
// link frame, the placeholder box with its ALT text, and hit tests relative to the picture.
#include "htmlview/HtmlBuilder.h"
#include "htmlview/HtmlImageCache.h"
#include "htmlview/HtmlImages.h"
#include "htmlview/Section.h"
#include "htmlview/SectionList.h"
#include "tests/support/TestCanvas.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>

using namespace htmlview;
using namespace platform;

namespace {

constexpr int32_t ColumnWidth = 300;

class ImageObjTest : public ::testing::Test {
protected:
    QTemporaryDir Folder;
    TTestCanvas Canvas;
    TSectionList Document{nullptr, nullptr, Canvas};
    std::string Picture; // 100 wide, 200 high

    void SetUp() override
    {
        Document.SetDefaults("Arial", "Courier New", 12, clBlack, clBlue, clWhite);
        Document.ShowImages = true;
        Picture = QDir(Folder.path()).filePath("tall.bmp").toStdString();
        QImage image(100, 200, QImage::Format_RGB32);
        image.fill(qRgb(10, 200, 30));
        ASSERT_TRUE(image.save(QString::fromStdString(Picture), "BMP"));
    }

    // Parses Html, lays it out in the column and paints it; the first picture of the page.
    TImageObj& Load(const std::string& html)
    {
        Document.Clear();
        TAnchorList anchors;
        TParsedHead head;
        ParseHtmlBuffer(Document, anchors, html, head);
        int32_t maxWidth = 0;
        int32_t charIndex = 0;
        Document.Layout(Canvas, 0, ColumnWidth, maxWidth, charIndex);
        Canvas.Ops.clear();
        Document.Paint(Canvas, {0, 0, 2000, 2000}, 2000, 0, 0);
        for (int i = 0; i < Document.Count(); ++i)
            if (auto* section = dynamic_cast<TSection*>(Document[i]); section && section->Images.Count() > 0)
                return *section->Images[0]->Image();
        throw std::runtime_error("no picture in " + html);
    }

    std::string Img(const std::string& attributes) { return "<img src=\"" + Picture + "\" " + attributes + ">"; }

    int32_t AltWidth(const std::string& alt)
    {
        TFontData font;
        font.Name = "Arial";
        font.Size = 8;
        Canvas.SetFont(font);
        return Canvas.TextWidth(alt);
    }
};

} // namespace

TEST_F(ImageObjTest, DisplayedSizeFollowsWidthHeightAndThePicture)
{
    const struct {
        const char* Attributes;
        int32_t Width;
        int32_t Height;
    } cases[] = {
        {"", 100, 200},
        {"width=50", 50, 100},
        {"height=50", 25, 50},
        {"width=30 height=40", 30, 40},
        {"width=\"50%\"", 150, 200},
        {"width=\"50%\" height=30", 150, 30},
        {"width=\"150%\"", 100, 200},     // not a percentage it takes
        {"width=-20", 100, 200},          // no width at all
        {"height=0", 1, 1},               // at least one row
        {"width=2000000000", 32000, 32000}, // saturates, never wraps
        {"hspace=-40 width=10", 10, 20},
    };
    for (const auto& c : cases) {
        const TImageObj& image = Load(Img(c.Attributes));
        EXPECT_EQ(image.DisplayWidth, c.Width) << c.Attributes;
        EXPECT_EQ(image.DisplayHeight, c.Height) << c.Attributes;
        EXPECT_EQ(image.ImageWidth, c.Width) << c.Attributes;
        EXPECT_FALSE(image.HasFrame) << c.Attributes;
    }
    EXPECT_EQ(Load(Img("hspace=-40")).HSpace, 20);
    EXPECT_EQ(Load(Img("")).HSpace, 5);
}

TEST_F(ImageObjTest, PercentWidthFollowsTheColumnAtEveryLayout)
{
    TImageObj& image = Load(Img("width=\"50%\""));
    EXPECT_FALSE(image.SizeFixed);
    int32_t maxWidth = 0;
    int32_t charIndex = 0;
    Document.Layout(Canvas, 0, 100, maxWidth, charIndex);
    EXPECT_EQ(image.DisplayWidth, 50);
}

TEST_F(ImageObjTest, LinkedPictureGetsAFrameUnlessBorderIsZero)
{
    const TImageObj& framed = Load("<a href=\"x.htm\">" + Img("width=30 height=40") + "</a>");
    EXPECT_TRUE(framed.HasFrame);
    EXPECT_EQ(framed.ImageWidth, 32);
    EXPECT_EQ(framed.ImageHeight, 42);
    const std::vector<TDrawOp> frames = Canvas.OpsOf(TDrawKind::Rectangle);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].Rect.Width(), 32);
    EXPECT_EQ(frames[0].Pen.Color & 0xFFFFFF, clBlue);
    const std::vector<TDrawOp> pictures = Canvas.OpsOf(TDrawKind::Bitmap);
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(pictures[0].Rect.Left, frames[0].Rect.Left + 1); // inside the frame
    EXPECT_EQ(pictures[0].Rect.Width(), 30);

    const TImageObj& plain = Load("<a href=\"x.htm\">" + Img("width=30 height=40 border=0") + "</a>");
    EXPECT_FALSE(plain.HasFrame);
    EXPECT_EQ(plain.ImageWidth, 30);
    EXPECT_TRUE(Canvas.OpsOf(TDrawKind::Rectangle).empty());
}

TEST_F(ImageObjTest, PlaceholderBoxHoldsTheIconAndTheAltText)
{
    const int32_t boxWidth = AltWidth("abcd") + 2 + 24;
    const struct {
        const char* Name;
        std::string Html;
        bool ImagesOn;
        const TBitmap* Icon;
    } cases[] = {
        {"pictures off", Img("alt=abcd"), false, &PendingPicture()},
        {"missing file", "<img src=\"" + Folder.path().toStdString() + "/none.bmp\" alt=abcd>", true, &BrokenPicture()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Document.ShowImages = c.ImagesOn;
        const TImageObj& image = Load(c.Html);
        EXPECT_EQ(image.DisplayWidth, boxWidth);
        EXPECT_EQ(image.DisplayHeight, 24);
        // The sunken frame starts with the box's left edge, drawn upwards.
        const std::vector<TDrawOp> lines = Canvas.OpsOf(TDrawKind::Line);
        ASSERT_FALSE(lines.empty());
        const TRect box{lines[0].Points[1].X, lines[0].Points[1].Y, 0, 0};
        EXPECT_EQ(lines[0].Points[0].Y - box.Top, 24 - 1);
        const std::vector<TDrawOp> icons = Canvas.OpsOf(TDrawKind::Bitmap);
        ASSERT_EQ(icons.size(), 1u);
        EXPECT_EQ(icons[0].Bitmap, c.Icon);
        EXPECT_EQ(icons[0].Rect, (TRect{box.Left + 4, box.Top + 4, box.Left + 20, box.Top + 20}));
        bool altWritten = false;
        for (const TDrawOp& text : Canvas.OpsOf(TDrawKind::Text))
            altWritten = altWritten || (text.Text.rfind("abcd", 0) == 0 && text.X == box.Left + 24);
        EXPECT_TRUE(altWritten);
    }
}

TEST_F(ImageObjTest, PlaceholderSizes)
{
    // No SRC: nothing is fetched; the broken icon in a box of 24.
    const TImageObj& empty = Load("<img>");
    EXPECT_EQ(empty.Bitmap, &BrokenPicture());
    EXPECT_EQ(empty.DisplayWidth, 24);
    EXPECT_EQ(empty.DisplayHeight, 24);

    // A box given smaller than the icon's keeps its size and shows its frame only.
    const TImageObj& small = Load("<img src=\"" + Folder.path().toStdString() + "/none.bmp\" width=20 height=20>");
    EXPECT_EQ(small.DisplayWidth, 20);
    EXPECT_EQ(small.DisplayHeight, 20);
    EXPECT_TRUE(Canvas.OpsOf(TDrawKind::Bitmap).empty());
    EXPECT_FALSE(Canvas.OpsOf(TDrawKind::Line).empty());
}

TEST_F(ImageObjTest, PictureAnsweringLaterIsPending)
{
    Document.ImageRequest = [](const std::string&, const std::string*& stream) { stream = WaitStream(); };
    const TImageObj& image = Load("<img src=\"later.bmp\" alt=soon>");
    EXPECT_EQ(image.Bitmap, &PendingPicture());
    ASSERT_EQ(Document.PendingImages.size(), 1u);
    EXPECT_EQ(Document.PendingImages[0].Name, "later.bmp");
    EXPECT_EQ(Document.PendingImages[0].Waiting, &image);
    EXPECT_EQ(ImageCache().IndexOf("later.bmp"), -1);
    Document.Clear();
    EXPECT_TRUE(Document.PendingImages.empty());
}

TEST_F(ImageObjTest, IsMapLinkCarriesThePointInThePicture)
{
    TImageObj& image = Load("<a href=\"map.htm\">" + Img("ismap") + "</a>");
    TUrlTarget target;
    TFormControlObj* control = nullptr;
    ASSERT_TRUE(Document.LinkAt(Canvas, image.PaintX + 10, image.PaintY + 20, target, control));
    EXPECT_EQ(target.UrlText, "map.htm?10,20");

    TImageObj* hit = nullptr;
    int32_t x = 0;
    int32_t y = 0;
    ASSERT_TRUE(Document.ImageAt(image.PaintX + 99, image.PaintY, hit, x, y));
    EXPECT_EQ(hit, &image);
    EXPECT_EQ(x, 99);
    EXPECT_FALSE(Document.ImageAt(image.PaintX + 100, image.PaintY, hit, x, y)); // the frame is no picture
}

TEST_F(ImageObjTest, UseMapNameIsUpperCasedWithoutItsHash)
{
    const struct {
        const char* Value;
        const char* Name;
    } cases[] = {{"#map1", "MAP1"}, {"MAP1", "MAP1"}, {"#", "#"}, {" #Carte ", "CARTE"}};
    for (const auto& c : cases) {
        const TImageObj& image = Load(Img(std::string("usemap=\"") + c.Value + "\""));
        EXPECT_TRUE(image.UseMap);
        EXPECT_EQ(image.UseMapName, c.Name) << c.Value;
    }
}
