// The word list: filling from a dictionary, search as you type, clicks, keys and the spin edit.
#include "IndexFixture.h"

#include <QImage>
#include <QLineEdit>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

using utility::UserList;

namespace {

std::string Entries(int count)
{
    std::string text;
    for (int i = 1; i <= count; ++i)
        text += "mot" + std::to_string(i) + "[definition " + std::to_string(i) + "]\r\n";
    return text;
}

// Whether the list paints no row: the inside of its frame is all of one colour.
bool ListBoxIsBlank(utility::TfrmIndex& window)
{
    const QImage painted = window.pbList->grab().toImage();
    const QRect box(QPoint(UserList.BoxLeft, UserList.BoxTop), QPoint(UserList.BoxRight - 1, UserList.BoxBottom - 1));
    const QRgb background = painted.pixel(box.topLeft());
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            if (painted.pixel(x, y) != background)
                return false;
    return true;
}

} // namespace

TEST_F(TIndexTest, OpeningFillsTheListInFileOrder)
{
    utility::TfrmIndex& window = StartOn("animaux.dat", AnimalsDictionary);
    EXPECT_EQ(ListedWords(), (std::vector<std::string>{"chien", "Cheval", "chat"}));
    EXPECT_FALSE(ListBoxIsBlank(window));
    EXPECT_EQ(UserList.SelectedIndex, -1);
    EXPECT_EQ(UserList.TopIndex, 1);
    EXPECT_EQ(window.seList->value(), 1);
    EXPECT_EQ(window.StatusPanel(2), "3 mot(s)");
    EXPECT_TRUE(window.edtList->isEnabled());
}

TEST_F(TIndexTest, SearchAsYouTypeSelectsAfterTheTimer)
{
    struct TCase {
        const char* typed;
        int32_t selected;
        const char* shown; // the definition's text, empty when none is shown
    };
    // ASCII letters fold, nothing else does; the first word in file order wins.
    const TCase cases[] = {
        {"CH", 1, "le meilleur ami"},
        {"cha", 3, "un petit animal"},
        {"chev", 2, "grand animal"},
        {"zebre", -1, ""},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.typed);
        utility::TfrmIndex& window = StartOn("animaux.dat", AnimalsDictionary);
        const std::string infoPage = ViewText();
        window.edtList->setText(QString::fromLatin1(c.typed));
        window.edtListKeyUp(Qt::Key_A);
        EXPECT_TRUE(window.timList->isActive());
        EXPECT_EQ(window.timList->interval(), 1000);
        window.timListTimer();
        EXPECT_FALSE(window.timList->isActive());
        EXPECT_EQ(UserList.SelectedIndex, c.selected);
        EXPECT_EQ(ViewText(), *c.shown ? std::string(c.shown) : infoPage);
        if (c.selected > 0) {
            EXPECT_EQ(window.seList->value(), c.selected);
            EXPECT_EQ(UserList.TopIndex, c.selected);
        }
    }
}

TEST_F(TIndexTest, ListKeysDoNotRestartTheSearch)
{
    utility::TfrmIndex& window = StartOn("animaux.dat", AnimalsDictionary);
    window.edtListKeyUp(Qt::Key_Down);
    EXPECT_FALSE(window.timList->isActive());
}

TEST_F(TIndexTest, AccentedCapitalsAreNotFolded)
{
    StartOn("accents.dat", "\xE9t\xE9[saison]\r\n");
    EXPECT_FALSE(utility::UserListFind("\xC9T"));
    EXPECT_TRUE(utility::UserListFind("\xE9T"));
    EXPECT_TRUE(utility::UserListFind("")); // an empty text finds the first word
    EXPECT_EQ(UserList.SelectedIndex, 1);
}

TEST_F(TIndexTest, ClickSelectsTheRowUnderThePoint)
{
    utility::TfrmIndex& window = StartOn("animaux.dat", AnimalsDictionary);
    const int32_t rowHeight = utility::UserListRowHeight(UserList);
    struct TCase {
        int y;
        int32_t selected;
    };
    // The top 4 pixels belong to the first row; below the last row is the last word.
    const TCase cases[] = {{0, 1}, {4 + rowHeight, 2}, {4 + 2 * rowHeight + 1, 3}, {200, 3}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.y);
        window.pbListMouseUp(Qt::LeftButton, 10, c.y);
        EXPECT_EQ(UserList.SelectedIndex, c.selected);
        EXPECT_EQ(window.seList->value(), c.selected);
        EXPECT_EQ(UserList.TopIndex, 1); // a click never scrolls
    }
    EXPECT_EQ(ViewText(), "un petit animal");
    window.pbListMouseUp(Qt::RightButton, 10, 0);
    EXPECT_EQ(UserList.SelectedIndex, 3);
}

TEST_F(TIndexTest, SpinEditScrollsAgainAfterAClickOnItsOwnNumber)
{
    utility::TfrmIndex& window = StartOn("mots.dat", Entries(30));
    window.pbListMouseUp(Qt::LeftButton, 10, 0); // word 1, which the spin edit holds already
    window.seList->setValue(7);
    EXPECT_EQ(UserList.TopIndex, 7);
}

TEST_F(TIndexTest, ListKeysMoveTheSelection)
{
    utility::TfrmIndex& window = StartOn("mots.dat", Entries(12));
    struct TCase {
        int32_t from;
        int key;
        int32_t to;
    };
    const TCase cases[] = {
        {-1, Qt::Key_Down, 0}, {0, Qt::Key_Down, 1},       {-1, Qt::Key_Up, 1},       {12, Qt::Key_Down, 12},
        {5, Qt::Key_PageDown, 12}, {1, Qt::Key_PageDown, 11}, {11, Qt::Key_PageUp, 1}, {12, Qt::Key_PageUp, 2},
        {6, Qt::Key_Home, 1},   {6, Qt::Key_End, 12},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.from) + " " + std::to_string(c.key));
        UserList.SelectedIndex = c.from;
        EXPECT_TRUE(window.FormKeyDown(c.key));
        EXPECT_EQ(UserList.SelectedIndex, c.to);
    }
    EXPECT_EQ(ViewText(), "definition 12");
    EXPECT_FALSE(window.FormKeyDown(Qt::Key_A));
}

TEST_F(TIndexTest, EmptyListIgnoresClicksKeysAndSearches)
{
    utility::TfrmIndex& window = Start({});
    window.pbListMouseUp(Qt::LeftButton, 10, 10);
    EXPECT_FALSE(window.FormKeyDown(Qt::Key_Down));
    EXPECT_FALSE(utility::UserListFind("a"));
    utility::UserListScrollTo(5);
    EXPECT_EQ(UserList.SelectedIndex, -1);
    EXPECT_EQ(UserList.TopIndex, 0);
    // The frame only: no row, not even an empty selected one.
    EXPECT_TRUE(ListBoxIsBlank(window));
    EXPECT_EQ(window.pbList->grab().toImage().pixelColor(1, UserList.BoxBottom / 2), QColor(Qt::black));
}

TEST_F(TIndexTest, OneWordListKeepsTheSpinEditAtOne)
{
    utility::TfrmIndex& window = StartOn("un.dat", Entries(1));
    window.seList->setValue(5);
    EXPECT_EQ(window.seList->value(), 1);
    EXPECT_EQ(UserList.TopIndex, 1);
}

TEST_F(TIndexTest, ScrollBarMovesTheTopRowAndTheSpinEdit)
{
    utility::TfrmIndex& window = StartOn("mots.dat", Entries(40));
    window.grab(); // painting enables the bar with the search box
    EXPECT_TRUE(window.sbList->isEnabled());
    window.sbListScroll(25);
    EXPECT_EQ(UserList.TopIndex, 25);
    EXPECT_EQ(window.seList->value(), 25);
    EXPECT_EQ(window.sbList->pageStep(), window.pbList->height() / utility::UserListRowHeight(UserList));
}

TEST_F(TIndexTest, KeysReachTheListFromAnyControl)
{
    utility::TfrmIndex& window = StartOn("mots.dat", Entries(12));
    window.activateWindow();
    window.edtAddWord->setFocus();
    QTest::keyClick(window.edtAddWord, Qt::Key_End);
    EXPECT_EQ(UserList.SelectedIndex, 12);
    EXPECT_EQ(ViewText(), "definition 12");

    QTest::keyClicks(window.edtList, "mot3");
    EXPECT_TRUE(window.timList->isActive()); // released keys restart the search delay
    window.timListTimer();
    EXPECT_EQ(UserList.SelectedIndex, 3);
}
