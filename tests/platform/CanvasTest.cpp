#include "platform/Bitmap.h"
#include "platform/QtCanvas.h"
#include "platform/Windows1252.h"
#include "tests/support/TestCanvas.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <gtest/gtest.h>


using namespace platform;

namespace {

// Pixels of Image darker than mid-grey inside Box, and anywhere outside it.
struct TDarkCount {
    int Inside = 0;
    int Outside = 0;
};

TDarkCount CountDark(const QImage& image, const QRect& box)
{
    TDarkCount count;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                ++(box.contains(x, y) ? count.Inside : count.Outside);
    return count;
}

QImage WhiteImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// One past the rightmost column of Image with a dark pixel; 0 when there is none.
int DarkRight(const QImage& image)
{
    for (int x = image.width() - 1; x >= 0; --x)
        for (int y = 0; y < image.height(); ++y)
            if (qGray(image.pixel(x, y)) < 128)
                return x + 1;
    return 0;
}

} // namespace

TEST(Colors, ResolveSystemColoursAndDropFlags)
{
    const struct {
        TColor Color;
        TColor Expected;
    } cases[] = {
        {0x123456, 0x123456},
        {0x02123456, 0x123456}, // palette-relative
        {clWindow, clWhite},
        {clBtnFace, clSilver},
        {clBtnShadow, clGray},
        {clBtnHighlight, clWhite},
        {clWindowText, clBlack},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ColorToRGB(c.Color), c.Expected) << std::hex << c.Color;
    EXPECT_EQ(ToQColor(RGB(1, 2, 3)), QColor(1, 2, 3));
}

TEST(Fonts, PointsBecomePixelsAt96Dpi)
{
    const struct {
        int Points;
        int Pixels;
    } cases[] = {{12, 16}, {8, 11}, {9, 12}, {10, 13}, {36, 48}};
    for (const auto& c : cases)
        EXPECT_EQ(FontPixelSize(c.Points), c.Pixels) << c.Points;
}

TEST(Fonts, ChangeIsReportedOnlyWhenSomethingChanged)
{
    TFont font;
    int changes = 0;
    font.OnChange = [&] { ++changes; };
    font.SetSize(font.Size());
    EXPECT_EQ(changes, 0);
    font.SetSize(20);
    font.SetStyle(fsBold | fsItalic);
    EXPECT_EQ(changes, 2);

    TFont other(TFontData{"Courier New", 9, fsUnderline, clRed, 0});
    font.Assign(other);
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(font.Data(), other.Data());
    EXPECT_FALSE(other.OnChange); // the handler stays with its own font
}

TEST(Region, SubtractLeavesAFrame)
{
    TRegion region(TRect{0, 0, 10, 10});
    region.Subtract({3, 3, 7, 7});
    region.Subtract({20, 20, 30, 30}); // outside: no effect
    int area = 0;
    for (const TRect& r : region.Rects())
        area += r.Width() * r.Height();
    EXPECT_EQ(area, 100 - 16);
    EXPECT_TRUE(region.Contains(0, 0));
    EXPECT_TRUE(region.Contains(9, 5));
    EXPECT_FALSE(region.Contains(5, 5));
    EXPECT_FALSE(region.Contains(10, 10));
    region.Subtract({-5, -5, 50, 50});
    EXPECT_TRUE(region.IsEmpty());
}

TEST(TestCanvas, FixedMetricsAndRecordedText)
{
    TTestCanvas canvas;
    canvas.Font().Size = 12; // 16 pixels
    const TTextMetrics m = canvas.TextMetrics();
    EXPECT_EQ(m.Height, 16);
    EXPECT_EQ(m.Descent, 4);
    EXPECT_EQ(m.Ascent, 12);
    EXPECT_EQ(canvas.TextExtent("abc"), (TSize{24, 16}));

    canvas.SetClipRect({0, 0, 100, 100});
    const TRect clip{50, 10, 200, 20};
    canvas.TextOut(60, 30, "ab", TTextAlign::Baseline, true, &clip);
    ASSERT_EQ(canvas.Ops.size(), 1u);
    const TDrawOp& op = canvas.Ops[0];
    EXPECT_EQ(op.Text, "ab");
    EXPECT_EQ(op.Rect, (TRect{60, 18, 76, 34})); // baseline 30 lies 12 below the top
    EXPECT_TRUE(op.Opaque);
    EXPECT_EQ(op.Clip, (TRect{50, 10, 100, 20}));
}

TEST(QtCanvas, WindowsFacesMapToLiberation)
{
    EXPECT_EQ(QFontInfo(ToQFont({"Arial", 12})).family(), "Liberation Sans");
    EXPECT_EQ(QFontInfo(ToQFont({"times new roman", 12})).family(), "Liberation Serif");
    EXPECT_EQ(QFontInfo(ToQFont({"Courier New", 12})).family(), "Liberation Mono");
    EXPECT_EQ(ToQFont({"Arial", 12}).pixelSize(), 16);
}

TEST(QtCanvas, TextIsDrawnWhereItsExtentSays)
{
    QImage image = WhiteImage(300, 80);
    TSize extent;
    {
        TQtCanvas canvas(image);
        canvas.SetFont({"Arial", 12, 0, clBlack, DEFAULT_CHARSET});
        extent = canvas.TextExtent("Hello \xE9t\xE9");
        canvas.TextOut(20, 10, "Hello \xE9t\xE9", TTextAlign::Top);
    }
    EXPECT_GT(extent.Width, 40);
    EXPECT_LT(extent.Width, 120);
    const TDarkCount count = CountDark(image, QRect(20, 10, extent.Width, extent.Height));
    EXPECT_GT(count.Inside, 30);
    EXPECT_EQ(count.Outside, 0);
}

TEST(QtCanvas, PairsThatFontsKernAreDrawnAsWideAsMeasured)
{
    // Forty "AV" pairs: kerning would pull the drawing well short of the measure.
    const std::string text = [] {
        std::string t;
        for (int i = 0; i < 40; ++i)
            t += "AV";
        return t;
    }();
    for (const TFontData& font : {TFontData{"Arial", 12}, TFontData{"Times New Roman", 14, fsItalic}}) {
        QImage image = WhiteImage(1200, 40);
        int width = 0;
        {
            TQtCanvas canvas(image);
            canvas.SetFont(font);
            width = canvas.TextWidth(text);
            canvas.TextOut(0, 5, text, TTextAlign::Top);
        }
        EXPECT_NEAR(DarkRight(image), width, 2) << font.Name;
    }
}

TEST(QtCanvas, TextIsMeasuredAsQtLaysItOutToDraw)
{
    // Every byte but the tab (whose width depends on where it starts; pages never hand one
    // over), in fonts whose advances are fractions of a pixel: rounding each character alone
    // would be pixels off, and controls and the soft hyphen take no room in drawn text.
    std::string text;
    for (int byte = 1; byte < 256; ++byte)
        if (byte != '\t')
            text += static_cast<char>(byte);
    const TFontData fonts[] = {{"Courier New", 12}, {"Arial", 9, fsBold}, {"Times New Roman", 14, fsItalic}};
    TQtCanvas canvas;
    for (const TFontData& font : fonts) {
        canvas.SetFont(font);
        EXPECT_EQ(canvas.TextWidth(text), QFontMetrics(ToQFont(font)).horizontalAdvance(AnsiToUnicode(text)))
            << font.Name;
        EXPECT_EQ(canvas.TextWidth("\x01\x7F\x81\xAD"), 0) << font.Name;
    }
}

// Each byte alone, in faces, sizes and styles whose advances are fractions of a pixel, is as wide
// as Qt lays it out as text.
TEST(QtCanvas, EachCharacterIsMeasuredAsQtLaysItOutAlone)
{
    const TFontData fonts[] = {{"Arial", 7},           {"Arial", 11, fsItalic}, {"Courier New", 9, fsBold},
                               {"Times New Roman", 13}, {"Verdana", 17, fsBold | fsItalic}};
    TQtCanvas canvas;
    for (const TFontData& font : fonts) {
        canvas.SetFont(font);
        const QFontMetrics metrics(ToQFont(font));
        for (int byte = 1; byte < 256; ++byte) {
            if (byte == '\t')
                continue;
            const std::string text(1, static_cast<char>(byte));
            EXPECT_EQ(canvas.TextWidth(text), metrics.horizontalAdvance(AnsiToUnicode(text)))
                << font.Name << " " << font.Size << " byte " << byte;
        }
    }
}

TEST(QtCanvas, MeasuresFollowTheShapeOfTheFont)
{
    TQtCanvas canvas;
    const std::string text = "Potence";
    canvas.SetFont({"Arial", 12});
    const TSize regular = canvas.TextExtent(text);
    canvas.SetFont({"Arial", 12, fsBold});
    const TSize bold = canvas.TextExtent(text);
    canvas.SetFont({"Arial", 24});
    const TSize large = canvas.TextExtent(text);
    canvas.SetFont({"Arial", 12, 0, clRed}); // the colour changes no shape
    EXPECT_EQ(canvas.TextExtent(text), regular);
    EXPECT_GT(bold.Width, regular.Width);
    EXPECT_NEAR(large.Width, 2 * regular.Width, 2);
    EXPECT_GT(large.Height, regular.Height);
    EXPECT_EQ(canvas.TextMetrics().Height, regular.Height);

    // Another canvas measures the same.
    QImage image = WhiteImage(10, 10);
    TQtCanvas drawing(image);
    drawing.SetFont({"Arial", 12, fsBold});
    EXPECT_EQ(drawing.TextExtent(text), bold);
}

TEST(QtCanvas, BaselineTextSitsAboveTheBaseline)
{
    QImage image = WhiteImage(200, 80);
    TTextMetrics m;
    {
        TQtCanvas canvas(image);
        canvas.SetFont({"Arial", 24, fsBold, clBlack, DEFAULT_CHARSET});
        m = canvas.TextMetrics();
        canvas.TextOut(10, 50, "HHH", TTextAlign::Baseline);
    }
    // Capital letters have no descent: everything dark lies between the ascent and the baseline.
    const TDarkCount count = CountDark(image, QRect(0, 50 - m.Ascent, 200, m.Ascent));
    EXPECT_GT(count.Inside, 50);
    EXPECT_EQ(count.Outside, 0);
}

TEST(QtCanvas, ClippedTextStaysInItsRectangle)
{
    QImage image = WhiteImage(200, 40);
    {
        TQtCanvas canvas(image);
        canvas.SetFont({"Arial", 12, 0, clBlack, DEFAULT_CHARSET});
        const TRect clip{0, 0, 25, 40};
        canvas.TextOut(5, 5, "WWWWWWWWWW", TTextAlign::Top, false, &clip);
    }
    const TDarkCount count = CountDark(image, QRect(0, 0, 25, 40));
    EXPECT_GT(count.Inside, 0);
    EXPECT_EQ(count.Outside, 0);
}

TEST(QtCanvas, ShapesFollowWindowsEdges)
{
    QImage image = WhiteImage(20, 20);
    {
        TQtCanvas canvas(image);
        canvas.Pen().Color = clBlack;
        canvas.MoveTo(2, 2);
        canvas.LineTo(10, 2); // the end point stays white
        canvas.Brush().Color = clRed;
        canvas.Rectangle({2, 5, 8, 10});
        canvas.Brush().Color = clBlue;
        canvas.FillRect({12, 12, 15, 15});
    }
    EXPECT_EQ(image.pixel(9, 2), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(10, 2), qRgb(255, 255, 255));
    // Outline on the left and top, right and bottom edges one pixel inside.
    EXPECT_EQ(image.pixel(2, 5), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(7, 9), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(8, 9), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(4, 7), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(12, 12), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(14, 14), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(15, 15), qRgb(255, 255, 255));
}

TEST(QtCanvas, MaskedBitmapLeavesTransparentPixels)
{
    TBitmap picture(2, 2);
    picture.Fill(clRed);
    TBitmap mask(2, 2); // black: opaque
    mask.SetPixel(1, 0, clWhite);
    QImage image = WhiteImage(8, 8);
    image.fill(Qt::green);
    {
        TQtCanvas canvas(image);
        canvas.DrawBitmap({0, 0, 4, 4}, picture, nullptr, &mask); // stretched twice
    }
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(1, 3), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(2, 0), qRgb(0, 255, 0));
    EXPECT_EQ(image.pixel(3, 1), qRgb(0, 255, 0));
    EXPECT_EQ(image.pixel(3, 2), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(5, 5), qRgb(0, 255, 0));
}

TEST(Bitmap, PixelsOutsideAreIgnored)
{
    TBitmap bitmap(3, 3);
    EXPECT_EQ(bitmap.Pixel(1, 1), clBlack);
    bitmap.SetPixel(1, 1, 0x02FFFFFF);
    EXPECT_TRUE(bitmap.IsTransparentAt(1, 1));
    bitmap.SetPixel(5, 5, clWhite);
    EXPECT_EQ(bitmap.Pixel(5, 5), clBlack);
    EXPECT_TRUE(TBitmap().Empty());
}
