// A page built, laid out and painted for real on the Qt canvas; the picture is kept as
// RenderPage.png beside the test program for a look.
#include "htmlview/ListSections.h"
#include "htmlview/RenderSupport.h"
#include "htmlview/SectionList.h"
#include "htmlview/SpacingSections.h"
#include "platform/QtCanvas.h"

#include <QImage>
#include <gtest/gtest.h>

using namespace htmlview;
using namespace platform;

namespace {

constexpr int PageWidth = 600;

const char* const Page = "<html><head><title>Garvo</title></head><body>"
                         "<h1>Le jeu du pendu</h1>"
                         "<p>Un mot au hasard, sept essais et un <a href=\"aide.htm\">lien vers l'aide</a>."
                         "<ul><li>Niveau facile<li>Niveau difficile"
                         "<ol type=i><li>sans d\xE9" "finition<li>sans lettres</ol>"
                         "<li>Mode chronom\xE8tre</ul>"
                         "<hr>"
                         "<pre>\r\nmot      lettres\r\npendu    5\r\n</pre>"
                         "<h3 align=center>Bonne chance</h3>"
                         "</body></html>";

struct TBox {
    int Left;
    int Top;
    int Right;
    int Bottom;
};

class RenderPageTest : public testing::Test {
protected:
    void SetUp() override
    {
        Height = RenderPage(Document, Screen, Page, PageWidth, 40, QStringLiteral("RenderPage.png"), Image);
    }

    // The rows of the first section holding Text, across the page.
    TBox RowsOf(const std::string& text) const
    {
        for (int i = 0; i < Document.Count(); ++i)
            if (const auto* section = dynamic_cast<const TSection*>(Document[i]);
                section && section->Text.find(text) != std::string::npos)
                return {0, section->Top, PageWidth, section->Top + section->Height};
        ADD_FAILURE() << "no section holds " << text;
        return {0, 0, 0, 0};
    }

    int Count(const TBox& box, bool (*matches)(QRgb)) const
    {
        int count = 0;
        for (int y = box.Top; y < box.Bottom; ++y)
            for (int x = box.Left; x < box.Right; ++x)
                count += matches(Image.pixel(x, y)) ? 1 : 0;
        return count;
    }

    static bool Dark(QRgb c) { return qRed(c) < 100 && qGreen(c) < 100 && qBlue(c) < 100; }
    static bool Blue(QRgb c) { return qBlue(c) > 150 && qRed(c) < 100 && qGreen(c) < 100; }
    static bool Navy(QRgb c) { return qBlue(c) > 100 && qRed(c) < 60 && qGreen(c) < 60; }
    static bool NotWhite(QRgb c) { return c != qRgb(255, 255, 255); }

    TQtCanvas Screen;
    TSectionList Document{nullptr, nullptr, Screen};
    int32_t Height = 0;
    QImage Image;
};

TEST_F(RenderPageTest, TextStandsWhereItWasLaidOut)
{
    ASSERT_GT(Height, 200);
    const TBox heading = RowsOf("pendu");
    // A large bold heading: many dark pixels at the left, none far to the right of it.
    EXPECT_GT(Count({0, heading.Top, 300, heading.Bottom}, Dark), 300);
    EXPECT_EQ(Count({450, heading.Top, PageWidth, heading.Bottom}, NotWhite), 0);
    // The link is drawn in the link colour, the rest of its line in black.
    const TBox link = RowsOf("lien");
    EXPECT_GT(Count(link, Blue), 50);
    EXPECT_GT(Count(link, Dark), 50);
    // The centred closing heading leaves both margins empty.
    const TBox closing = RowsOf("chance");
    EXPECT_GT(Count({200, closing.Top, 400, closing.Bottom}, Dark), 100);
    EXPECT_EQ(Count({0, closing.Top, 150, closing.Bottom}, NotWhite), 0);
    EXPECT_EQ(Count({450, closing.Top, PageWidth, closing.Bottom}, NotWhite), 0);
    // Below the page nothing is drawn.
    EXPECT_EQ(Count({0, Height, PageWidth, Image.height()}, NotWhite), 0);
}

TEST_F(RenderPageTest, ListsIndentAndShowTheirMarkers)
{
    const TBox outer = RowsOf("facile");
    const TBox inner = RowsOf("lettres");
    // First level: a navy bullet in the first indent, the text after it.
    EXPECT_GT(Count({20, outer.Top, 35, outer.Bottom}, Navy), 5);
    EXPECT_EQ(Count({0, outer.Top, 20, outer.Bottom}, NotWhite), 0);
    EXPECT_GT(Count({35, outer.Top, 200, outer.Bottom}, Dark), 50);
    // Second level: the numeral ends just before the second indent; nothing in the first one.
    EXPECT_EQ(Count({0, inner.Top, 40, inner.Bottom}, NotWhite), 0);
    EXPECT_GT(Count({40, inner.Top, 70, inner.Bottom}, Dark), 5);
    EXPECT_GT(Count({70, inner.Top, 250, inner.Bottom}, Dark), 50);
}

TEST_F(RenderPageTest, RuleAndPreformattedText)
{
    const THorzLine* rule = nullptr;
    for (int i = 0; i < Document.Count() && !rule; ++i)
        rule = dynamic_cast<const THorzLine*>(Document[i]);
    ASSERT_NE(rule, nullptr);
    // Two long lines of the sunken outline, 10 pixels short of the right edge. (The list above
    // still narrows the column on the left until a section of level 0 closes it.)
    EXPECT_GT(Count({0, rule->Top, PageWidth, rule->Top + rule->Height}, NotWhite), 2 * 500);
    EXPECT_EQ(Count({0, rule->Top, 10, rule->Top + rule->Height}, NotWhite), 0);
    EXPECT_EQ(Count({591, rule->Top, PageWidth, rule->Top + rule->Height}, NotWhite), 0);
    // Preformatted columns keep their blanks: the second word starts far right of the first.
    const TBox pre = RowsOf("pendu    5");
    EXPECT_GT(Count({0, pre.Top, 50, pre.Bottom}, Dark), 20);
    EXPECT_EQ(Count({50, pre.Top, 70, pre.Bottom}, NotWhite), 0);
    EXPECT_GT(Count({70, pre.Top, 90, pre.Bottom}, Dark), 5);
}

} // namespace
