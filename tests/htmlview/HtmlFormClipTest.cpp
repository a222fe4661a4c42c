// Form controls on screen: Qt shows a control only while it meets the panel (or holds the
// focus), while the page still counts it as shown; Tab and Backtab still reach every control in
// order and scroll to it; list boxes and text areas get their Qt widgets when first shown or
// focused, and give the same data before; a list box shows its first option at the top.
#include "HtmlViewTest.h"

#include "htmlview/HtmlForms.h"
#include "htmlview/SectionList.h"

#include <QApplication>
#include <QListView>
#include <QPlainTextEdit>
#include <QScrollBar>

using namespace htmlview;

namespace {

class FormClipTest : public viewertest::ViewerFixture {
protected:
    std::vector<std::string> Submitted;

    void SetUp() override
    {
        ViewerFixture::SetUp();
        View.OnFormSubmit = [this](THtmlView*, const std::string&, const std::string&, const std::string&,
                                   const std::string&, std::vector<std::string> results) { Submitted = std::move(results); };
    }

    std::vector<TFormControlObj*>& Controls() { return View.Document().FormControls; }

    // The panel's child that holds the control's widget.
    QWidget* ChildOf(const TFormControlObj& control)
    {
        const TFormWidget& widget = *control.GetControl();
        const QRect place(widget.Left(), widget.Top(), widget.Width(), widget.Height());
        for (QWidget* child : Panel().findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            if (child->geometry() == place)
                return child;
        return nullptr;
    }

    bool MeetsPanel(const TFormControlObj& control)
    {
        const TFormWidget& widget = *control.GetControl();
        return QRect(widget.Left(), widget.Top(), widget.Width(), widget.Height()).intersects(Panel().rect());
    }

    // The index of the control that has the focus, -1 for none.
    int FocusedControl()
    {
        for (size_t i = 0; i < Controls().size(); ++i)
            if (Controls()[i]->GetControl()->Focused())
                return static_cast<int>(i);
        return -1;
    }

    void Press(Qt::Key key)
    {
        QTest::keyClick(QApplication::focusWidget(), key);
        Paint();
    }

    std::vector<std::string> Submit()
    {
        Submitted.clear();
        View.Document().Forms.at(0)->SubmitForm(std::nullopt);
        DeliverPostedEvents();
        return Submitted;
    }
};

std::string InputsInOneParagraph(int count)
{
    std::string page = "<form><p>";
    for (int i = 0; i < count; ++i)
        page += "champ <input name=i" + std::to_string(i) + " size=6> ";
    return page + "</p></form>";
}

TEST_F(FormClipTest, ControlsOfOneParagraphAreShownInQtOnlyWhereTheyMeetThePanel)
{
    Load(InputsInOneParagraph(80));
    int inSight = 0;
    for (TFormControlObj* control : Controls()) {
        SCOPED_TRACE(control->Name);
        ASSERT_TRUE(control->Placed);
        EXPECT_TRUE(control->GetControl()->Visible());
        QWidget* child = ChildOf(*control);
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(child->isVisible(), MeetsPanel(*control));
        inSight += MeetsPanel(*control) ? 1 : 0;
    }
    EXPECT_GT(inSight, 0);
    EXPECT_LT(inSight, 40);
    // Scrolled to the end, the controls there are shown and the first ones no longer.
    View.SetVerticalPosition(View.DocumentHeight());
    Paint();
    EXPECT_TRUE(ChildOf(*Controls().back())->isVisible());
    EXPECT_FALSE(ChildOf(*Controls().front())->isVisible());
    EXPECT_TRUE(Controls().front()->GetControl()->Visible());
    // A taller view shows more of them at once.
    View.resize(300, 600);
    Paint();
    for (TFormControlObj* control : Controls())
        EXPECT_EQ(ChildOf(*control)->isVisible(), MeetsPanel(*control)) << control->Name;
}

// Tab goes through every control in order, also those out of sight, and the view follows; Backtab
// comes back the same way; a focused control scrolled away keeps the focus.
TEST_F(FormClipTest, TabReachesEveryControlInOrderAndTheViewFollows)
{
    const struct {
        const char* Name;
        std::string Page;
    } cases[] = {
        {"one paragraph", InputsInOneParagraph(40)},
        {"one per paragraph",
         "<form>" + [] {
             std::string blocks;
             for (int i = 0; i < 12; ++i)
                 blocks += "<p>champ <input name=e" + std::to_string(i) + "></p><p>" + viewertest::LongPage(2);
             return blocks;
         }() + "</form>"},
        {"every kind",
         "<form><input name=a>" + viewertest::LongPage(10) + "<select name=b size=3><option>x<option>y</select>"
             + viewertest::LongPage(10) + "<textarea name=c>z</textarea>" + viewertest::LongPage(10)
             + "<input type=checkbox name=d><input type=radio name=e>" + viewertest::LongPage(10)
             + "<select name=f><option>w</select><input type=submit name=g></form>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Load(c.Page);
        View.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&View));
        const int count = static_cast<int>(Controls().size());
        QWidget* first = ChildOf(*Controls().front());
        ASSERT_NE(first, nullptr);
        first->setFocus(Qt::TabFocusReason);
        Paint();
        ASSERT_EQ(FocusedControl(), 0);
        for (int i = 1; i < count; ++i) {
            Press(Qt::Key_Tab);
            ASSERT_EQ(FocusedControl(), i);
            EXPECT_TRUE(MeetsPanel(*Controls()[static_cast<size_t>(i)]));
        }
        for (int i = count - 2; i >= 0; --i) {
            Press(Qt::Key_Backtab);
            ASSERT_EQ(FocusedControl(), i);
            EXPECT_TRUE(MeetsPanel(*Controls()[static_cast<size_t>(i)]));
        }
        View.SetVerticalPosition(View.DocumentHeight());
        Paint();
        EXPECT_EQ(FocusedControl(), 0);
        Press(Qt::Key_Tab);
        EXPECT_EQ(FocusedControl(), 1);
    }
}

TEST_F(FormClipTest, ListBoxesAndTextAreasOutOfSightAreMadeWhenNeededAndGiveTheSameData)
{
    std::string page = "<form>";
    for (int i = 0; i < 15; ++i) {
        const std::string n = std::to_string(i);
        page += "<p><select name=l" + n + " size=2 multiple><option value=v" + n
            + " selected>a<option>b<option selected>c</select></p>"
              "<p><textarea name=t" + n + " rows=2>one " + n + "\ntwo</textarea></p>";
    }
    Load(page + "</form>");
    const auto made = [this] {
        return Panel().findChildren<QListView*>().size() + Panel().findChildren<QPlainTextEdit*>().size();
    };
    const qsizetype madeAtFirst = made();
    EXPECT_GT(madeAtFirst, 0);
    EXPECT_LT(madeAtFirst, 30);
    std::vector<std::string> expected;
    for (int i = 0; i < 15; ++i) {
        const std::string n = std::to_string(i);
        expected.insert(expected.end(), {"l" + n + "=v" + n, "l" + n + "=c", "t" + n + "=one " + n, "t" + n + "=two"});
    }
    EXPECT_EQ(Submit(), expected);
    // Tab makes each one it reaches; the data stays.
    View.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&View));
    QListView* first = Panel().findChild<QListView*>();
    ASSERT_NE(first, nullptr);
    first->setFocus(Qt::TabFocusReason);
    for (size_t i = 1; i < Controls().size(); ++i) {
        Press(Qt::Key_Tab);
        ASSERT_EQ(FocusedControl(), static_cast<int>(i));
    }
    EXPECT_EQ(made(), 30);
    EXPECT_EQ(Submit(), expected);
}

// A list box shows its first option at the top, whatever option is selected: when first shown,
// shown again, and scrolled away and back.
TEST_F(FormClipTest, ListBoxKeepsItsFirstOptionAtTheTop)
{
    std::string options;
    for (int i = 1; i <= 20; ++i)
        options += std::string(i == 18 ? "<option selected>" : "<option>") + "option " + std::to_string(i);
    Load("<form><select name=s size=3>" + options + "</select></form>" + viewertest::LongPage(30));
    const auto expectTopRow = [this](const char* when) {
        SCOPED_TRACE(when);
        QListView* list = Panel().findChild<QListView*>();
        ASSERT_NE(list, nullptr);
        ASSERT_TRUE(list->isVisible());
        EXPECT_EQ(list->verticalScrollBar()->value(), 0);
        EXPECT_EQ(list->indexAt(QPoint(2, 2)).row(), 0);
        EXPECT_EQ(list->currentIndex().row(), 17);
    };
    expectTopRow("first shown");
    TFormWidget& widget = *Controls().front()->GetControl();
    widget.SetVisible(false);
    EXPECT_FALSE(Panel().findChild<QListView*>()->isVisible());
    widget.SetVisible(true);
    expectTopRow("shown again");
    View.SetVerticalPosition(View.DocumentHeight());
    Paint();
    EXPECT_FALSE(Panel().findChild<QListView*>()->isVisible());
    View.SetVerticalPosition(0);
    Paint();
    expectTopRow("scrolled away and back");
    EXPECT_EQ(Submit(), std::vector<std::string>{"s=option 18"});
}

} // namespace
