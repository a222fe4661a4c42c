// A page with tables painted for real on the Qt canvas; the picture is kept as
// HtmlTableRender.png beside the test program for a look.
#include "htmlview/HtmlTable.h"
#include "htmlview/RenderSupport.h"
#include "htmlview/SectionList.h"
#include "platform/QtCanvas.h"

#include <QImage>
#include <gtest/gtest.h>

using namespace htmlview;
using namespace platform;

namespace {

constexpr int PageWidth = 600;

const char* const Page =
    "<h3>Scores</h3>"
    "<table border=1 cellpadding=4 width=90% bgcolor=#FFFFE0>"
    "<caption>Meilleurs joueurs</caption>"
    "<tr bgcolor=#C0D8FF><th>Rang<th>Nom<th>Points"
    "<tr><td align=center>1<td>Ann<td align=right>1250"
    "<tr><td align=center>2<td rowspan=2 valign=middle>Bob<br>et Zo\xE9<td align=right>980"
    "<tr><td align=center>3<td align=right bgcolor=#FFC0C0>720"
    "<tr><td colspan=3 align=center><i>Fin du classement</i>"
    "</table>"
    "<p><table align=right border=1 bordercolor=navy cellspacing=6><tr><td>A<td>B<tr><td>C<td>D</table>"
    "Le texte coule \xE0 gauche du petit tableau flottant, qui tient sa place \xE0 droite de la colonne "
    "tant que ses lignes le demandent, puis reprend toute la largeur de la page."
    "<p><table><tr><td bgcolor=#E0FFE0>Dehors<td><table border=1><tr><td>Dedans</table></table>";

class HtmlTableRenderTest : public testing::Test {
protected:
    void SetUp() override
    {
        Height = RenderPage(Document, Screen, Page, PageWidth, 20, QStringLiteral("HtmlTableRender.png"), Image);
    }

    const ThtmlTable& Table(int n) const
    {
        for (int i = 0; i < Document.Count(); ++i)
            if (const auto* table = dynamic_cast<const ThtmlTable*>(Document[i]); table && n-- == 0)
                return *table;
        throw std::runtime_error("no such table");
    }

    int Count(int left, int top, int right, int bottom, QRgb colour) const
    {
        int count = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                count += Image.pixel(x, y) == colour ? 1 : 0;
        return count;
    }

    TQtCanvas Screen;
    TSectionList Document{nullptr, nullptr, Screen};
    int32_t Height = 0;
    QImage Image;
};

TEST_F(HtmlTableRenderTest, TablesPaintWhereTheyWereLaidOut)
{
    const ThtmlTable& scores = Table(0);
    // 90% of the page, centred caption above the grid.
    EXPECT_EQ(scores.GridWidth, MulDiv(PageWidth, 900, 1000));
    const int gridTop = scores.Top + scores.CaptionHeight;
    const int gridBottom = gridTop + scores.GridHeight;
    // The header row is light blue, the body light yellow from the table, one cell pink.
    const TCellList& header = *scores.Rows[0];
    EXPECT_GT(Count(scores.GridLeft, gridTop, scores.GridLeft + scores.GridWidth, gridTop + header.Height,
                    qRgb(0xC0, 0xD8, 0xFF)),
              scores.GridWidth * 10);
    EXPECT_GT(Count(scores.GridLeft, gridTop + header.Height, scores.GridLeft + scores.GridWidth, gridBottom,
                    qRgb(0xFF, 0xFF, 0xE0)),
              scores.GridWidth * 20);
    EXPECT_GT(Count(scores.GridLeft, gridTop, scores.GridLeft + scores.GridWidth, gridBottom, qRgb(0xFF, 0xC0, 0xC0)),
              200);
    // The raised frame: silver on top and left, the shadow colour at the right and bottom.
    EXPECT_EQ(Image.pixel(scores.GridLeft, gridTop + 5), qRgb(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(Image.pixel(scores.GridLeft + scores.GridWidth - 1, gridTop + 5), qRgb(0x80, 0x80, 0x80));
    // Nothing is drawn right of the grid on its rows.
    EXPECT_EQ(Count(scores.GridLeft + scores.GridWidth, gridTop, PageWidth, gridBottom, qRgb(255, 255, 255)),
              (PageWidth - scores.GridLeft - scores.GridWidth) * scores.GridHeight);

    // The floating table stands at the right edge in its navy border colour.
    const ThtmlTable& floating = Table(1);
    EXPECT_EQ(floating.Height, 0);
    EXPECT_EQ(floating.TableLeft + floating.TableWidth, PageWidth);
    EXPECT_GT(Count(floating.GridLeft, floating.Top, PageWidth, floating.Top + floating.PaintHeight, qRgb(0, 0, 0x80)),
              200);
}

} // namespace
