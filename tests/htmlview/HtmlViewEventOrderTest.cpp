// The order in which the viewer's own mouse, focus and key events reach a handler, with the
// mouse driven through the window as the platform delivers it: a click goes down before the
// viewer takes the focus, a double click goes down and up twice, and keys typed in a form
// control stay with that control.
#include "HtmlViewTest.h"

#include <QLineEdit>

#include <string>
#include <vector>

using htmlview::THtmlView;

namespace {

class ViewerEventOrderTest : public viewertest::ViewerFixture {
protected:
    std::vector<std::string> Log;
    int Submissions = 0;

    void SetUp() override
    {
        ViewerFixture::SetUp();
        View.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&View));
        View.OnMouseDown = [this](THtmlView*, Qt::MouseButton button, Qt::KeyboardModifiers, int32_t, int32_t) {
            Log.push_back("down " + std::to_string(static_cast<int>(button)));
        };
        View.OnMouseUp = [this](THtmlView*, Qt::MouseButton button, Qt::KeyboardModifiers, int32_t, int32_t) {
            Log.push_back("up " + std::to_string(static_cast<int>(button)));
        };
        View.OnEnter = [this](THtmlView*) { Log.push_back("enter"); };
        View.OnKeyDown = [this](THtmlView*, int& key, Qt::KeyboardModifiers) {
            Log.push_back("key down " + std::to_string(key));
        };
        View.OnKeyUp = [this](THtmlView*, int& key, Qt::KeyboardModifiers) {
            Log.push_back("key up " + std::to_string(key));
        };
        View.OnKeyPress = [this](THtmlView*, char key) {
            Log.push_back("key press " + std::to_string(static_cast<unsigned char>(key)));
        };
        View.OnFormSubmit = [this](THtmlView*, const std::string&, const std::string&, const std::string&,
                                   const std::string&, std::vector<std::string>) { ++Submissions; };
        // One edit box above a page long enough to scroll.
        Load("<form><input name=q value=word></form><p>Some words here</p>" + viewertest::LongPage(40));
    }

    QLineEdit& Edit()
    {
        auto* edit = Panel().findChild<QLineEdit*>();
        if (edit == nullptr)
            throw std::runtime_error("the page has no edit box");
        return *edit;
    }

    // The window's point of a panel point.
    QPoint InWindow(QPoint panelPoint) { return Panel().mapTo(View.window(), panelPoint); }
};

TEST_F(ViewerEventOrderTest, ClickGoesDownBeforeTheViewerTakesTheFocus)
{
    Edit().setFocus();
    ASSERT_TRUE(Edit().hasFocus());
    Log.clear();
    QTest::mouseClick(View.windowHandle(), Qt::LeftButton, {}, InWindow(PointOf(IndexOf("words"))));
    EXPECT_TRUE(View.hasFocus());
    EXPECT_EQ(Log, (std::vector<std::string>{"down 1", "enter", "up 1"}));
}

TEST_F(ViewerEventOrderTest, DoubleClickGoesDownAndUpTwiceAndSelectsTheWord)
{
    View.setFocus();
    Log.clear();
    const QPoint onWord = InWindow(PointOf(IndexOf("words") + 1));
    QTest::mouseDClick(View.windowHandle(), Qt::LeftButton, {}, onWord);
    QTest::mouseRelease(View.windowHandle(), Qt::LeftButton, {}, onWord);
    EXPECT_EQ(Log, (std::vector<std::string>{"down 1", "up 1", "down 1", "up 1"}));
    EXPECT_EQ(SelectedText(), "words");

    // Any button: a right double click goes down twice too.
    Log.clear();
    QTest::mouseDClick(View.windowHandle(), Qt::RightButton, {}, onWord);
    QTest::mouseRelease(View.windowHandle(), Qt::RightButton, {}, onWord);
    EXPECT_EQ(Log, (std::vector<std::string>{"down 2", "up 2", "down 2", "up 2"}));
}

TEST_F(ViewerEventOrderTest, DoubleClickOnALinkFollowsItOnce)
{
    int follows = 0;
    View.OnHotSpotClick = [&](THtmlView*, const std::string& url, bool& handled) {
        EXPECT_EQ(url, "suite.htm");
        ++follows;
        handled = true;
    };
    Load("<p>Voir <a href=\"suite.htm\">la suite</a> ici</p>");
    View.setFocus();
    Log.clear();
    const QPoint onLink = InWindow(PointOf(IndexOf("suite") + 1));
    QTest::mouseDClick(View.windowHandle(), Qt::LeftButton, {}, onLink);
    QTest::mouseRelease(View.windowHandle(), Qt::LeftButton, {}, onLink);
    EXPECT_EQ(Log, (std::vector<std::string>{"down 1", "up 1", "down 1", "up 1"}));
    EXPECT_EQ(follows, 1);
    EXPECT_EQ(SelectedText(), "") << "right after the link was followed no word is selected";

    // The next single click follows it again.
    QTest::mouseClick(View.windowHandle(), Qt::LeftButton, {}, onLink, 500);
    EXPECT_EQ(follows, 2);
}

TEST_F(ViewerEventOrderTest, KeysTypedInAnEditBoxStayWithIt)
{
    Edit().setFocus();
    ASSERT_TRUE(Edit().hasFocus());
    Log.clear();
    for (const Qt::Key key : {Qt::Key_PageDown, Qt::Key_Down, Qt::Key_End}) {
        QTest::keyClick(&Edit(), key);
        EXPECT_EQ(View.VerticalPosition(), 0) << key;
    }
    QTest::keyClick(&Edit(), Qt::Key_Return);
    DeliverPostedEvents();
    EXPECT_EQ(Submissions, 1) << "Return in the lone edit box submits its form";
    EXPECT_EQ(Log, std::vector<std::string>{});
    EXPECT_TRUE(Edit().hasFocus());

    // The same keys typed in the viewer itself are its own.
    View.setFocus();
    Log.clear();
    QTest::keyClick(&View, Qt::Key_Down);
    QTest::keyClick(&View, Qt::Key_Return);
    EXPECT_EQ(View.VerticalPosition(), THtmlView::LineStep);
    EXPECT_EQ(Log, (std::vector<std::string>{"key down " + std::to_string(Qt::Key_Down),
                                             "key up " + std::to_string(Qt::Key_Down),
                                             "key down " + std::to_string(Qt::Key_Return), "key press 13",
                                             "key up " + std::to_string(Qt::Key_Return)}));
}

} // namespace
