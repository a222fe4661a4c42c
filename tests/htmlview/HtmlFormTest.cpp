// Forms in a real viewer: the controls a page makes (kinds, values, check states, options,
// text-area lines), the data a submission hands to OnFormSubmit, reset, radio groups, Enter in a
// lone edit box, image inputs, sizes that page numbers cannot blow up, placing controls on the
// panel and hiding them when scrolled away, and a rendered form to look at.
#include "HtmlViewTest.h"

#include "htmlview/HtmlFormControls.h"
#include "htmlview/HtmlImages.h"
#include "htmlview/Section.h"
#include "htmlview/SectionList.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <typeinfo>

using namespace htmlview;

namespace {

struct TSubmission {
    std::string Action;
    std::string Target;
    std::string EncType;
    std::string Method;
    std::vector<std::string> Results;
};

class FormTest : public viewertest::ViewerFixture {
protected:
    std::vector<TSubmission> Submissions;

    void SetUp() override
    {
        ViewerFixture::SetUp();
        View.OnFormSubmit = [this](THtmlView*, const std::string& action, const std::string& target,
                                   const std::string& encType, const std::string& method,
                                   std::vector<std::string> results) {
            Submissions.push_back({action, target, encType, method, std::move(results)});
        };
    }

    std::vector<TFormControlObj*>& Controls() { return View.Document().FormControls; }

    template <class T>
    T& Control(size_t index)
    {
        auto* control = dynamic_cast<T*>(Controls().at(index));
        if (!control)
            throw std::runtime_error("control " + std::to_string(index) + " is not a " + typeid(T).name());
        return *control;
    }

    // The Qt widget of a control, of the type Q.
    template <class Q>
    Q* WidgetOf(size_t index)
    {
        for (Q* widget : Panel().findChildren<Q*>()) {
            const QPoint center = widget->mapTo(&Panel(), widget->rect().center());
            const TFormWidget* formWidget = Controls().at(index)->GetControl();
            if (formWidget && center.x() >= formWidget->Left() && center.x() < formWidget->Left() + formWidget->Width()
                && center.y() >= formWidget->Top() && center.y() < formWidget->Top() + formWidget->Height())
                return widget;
        }
        return nullptr;
    }

    // Submits the first form the way its only submit button would, and returns what arrives.
    std::vector<std::string> Submit(std::optional<std::string> extra = std::nullopt)
    {
        Submissions.clear();
        View.Document().Forms.at(0)->SubmitForm(extra);
        DeliverPostedEvents();
        return Submissions.empty() ? std::vector<std::string>{"(nothing)"} : Submissions.back().Results;
    }
};

TEST_F(FormTest, PageMakesControlsOfEveryKind)
{
    Load("<form><input name=t value=\"a b\"><input type=PASSWORD name=p><input type=hidden name=h value=1>"
         "<input type=checkbox name=c checked><input type=radio name=r value=x>"
         "<input type=submit><input type=reset value=Clear><input type=button><input type=odd name=o>"
         "<select name=s><option>one<option selected>two</select>"
         "<select name=m multiple><option>a</select><select name=z size=3></select>"
         "<textarea name=a>line</textarea></form>");
    struct Expected {
        const std::type_info& Kind;
        const char* Name;
        const char* Value;
        bool Window;
    };
    const Expected expected[] = {
        {typeid(TEditFormControlObj), "t", "a b", true},  {typeid(TEditFormControlObj), "p", "", true},
        {typeid(THiddenFormControlObj), "h", "1", false}, {typeid(TCheckBoxFormControlObj), "c", "On", true},
        {typeid(TRadioButtonFormControlObj), "r", "x", true}, {typeid(TButtonFormControlObj), "", "Submit", true},
        {typeid(TButtonFormControlObj), "", "Clear", true}, {typeid(TButtonFormControlObj), "", "Button", true},
        {typeid(TEditFormControlObj), "o", "", true},     {typeid(TComboFormControlObj), "s", "", true},
        {typeid(TListBoxFormControlObj), "m", "", true},  {typeid(TListBoxFormControlObj), "z", "", true},
        {typeid(TTextAreaFormControlObj), "a", "", true},
    };
    ASSERT_EQ(Controls().size(), std::size(expected));
    ASSERT_EQ(View.Document().Forms.size(), 1u);
    EXPECT_EQ(View.Document().Forms[0]->VisibleControlCount, 12);
    for (size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(i);
        TFormControlObj& control = *Controls()[i];
        EXPECT_EQ(typeid(control), expected[i].Kind);
        EXPECT_EQ(control.Name, expected[i].Name);
        EXPECT_EQ(control.Value, expected[i].Value);
        EXPECT_EQ(control.HasWindowControl(), expected[i].Window);
    }
    EXPECT_EQ(WidgetOf<QLineEdit>(1)->echoMode(), QLineEdit::Password);
    EXPECT_TRUE(Control<TCheckBoxFormControlObj>(3).Checked());
    EXPECT_FALSE(Control<TRadioButtonFormControlObj>(4).Checked());
    EXPECT_EQ(Control<TButtonFormControlObj>(6).Kind, TButtonFormControlObj::TKind::Reset);
    EXPECT_EQ(WidgetOf<QComboBox>(9)->currentText(), "two");
    EXPECT_EQ(WidgetOf<QListView>(10)->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(WidgetOf<QPlainTextEdit>(12)->toPlainText(), "line");
}

TEST_F(FormTest, SubmissionGivesNameValueLinesInControlOrder)
{
    Load("<form action=\"go.htm\" target=main enctype=text/plain method=postal>"
         "<input name=t value=\"x=1&y\"><input type=hidden name=h value=hv><input type=checkbox name=c>"
         "<input type=checkbox name=on checked><input type=radio name=r value=r1><input type=radio name=r value=r2 checked>"
         "<select name=m multiple><option value=1 selected>one<option selected>two<option>three</select>"
         "<select name=s><option value=v1>first<option>second</select>"
         "<textarea name=a>l1\nl2</textarea><input type=password name=p value=secret></form>");
    const std::vector<std::string> expected = {"t=x=1&y", "h=hv", "on=On", "r=r2", "m=1", "m=two", "s=v1",
                                               "a=l1", "a=l2", "p=secret", "go=Submit"};
    EXPECT_EQ(Submit("go=Submit"), expected);
    ASSERT_EQ(Submissions.size(), 1u);
    EXPECT_EQ(Submissions[0].Action, "go.htm");
    EXPECT_EQ(Submissions[0].Target, "main");
    EXPECT_EQ(Submissions[0].EncType, "text/plain");
    EXPECT_EQ(Submissions[0].Method, "post"); // cut to four letters, case kept
}

TEST_F(FormTest, SubmitButtonClickAddsItsNameAndValueLast)
{
    struct Case {
        const char* Button;
        std::vector<std::string> Results;
    };
    const Case cases[] = {
        {"<input type=submit name=go>", {"t=v", "go=Submit"}},
        {"<input type=submit name=go value=Send>", {"t=v", "go=Send"}},
        {"<input type=submit>", {"t=v"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Button);
        Submissions.clear();
        Load(std::string("<form method=Get><input name=t value=v>") + c.Button + "</form>");
        QPushButton* button = WidgetOf<QPushButton>(1);
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_TRUE(Submissions.empty()); // delivered from the event loop, never inside the click
        DeliverPostedEvents();
        ASSERT_EQ(Submissions.size(), 1u);
        EXPECT_EQ(Submissions[0].Results, c.Results);
        EXPECT_EQ(Submissions[0].Method, "Get");
    }
}

TEST_F(FormTest, NoMethodGivesGetAndNoHandlerNoSubmission)
{
    Load("<form><input name=t></form>");
    Submit();
    ASSERT_EQ(Submissions.size(), 1u);
    EXPECT_EQ(Submissions[0].Method, "Get");
    View.OnFormSubmit = nullptr;
    Submissions.clear();
    View.Document().Forms[0]->SubmitForm(std::nullopt);
    DeliverPostedEvents();
    EXPECT_TRUE(Submissions.empty());
}

TEST_F(FormTest, EnterSubmitsOnlyALoneVisibleEdit)
{
    struct Case {
        const char* Controls;
        bool Submits;
    };
    const Case cases[] = {
        {"<input name=q value=word>", true},
        {"<input name=q value=word><input type=hidden name=h value=1>", true},
        {"<input name=q value=word><input name=r>", false},
        {"<input name=q value=word><input type=checkbox name=c>", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Controls);
        Submissions.clear();
        Load(std::string("<form>") + c.Controls + "</form>");
        QLineEdit* edit = WidgetOf<QLineEdit>(0);
        ASSERT_NE(edit, nullptr);
        QTest::keyClick(edit, Qt::Key_Return);
        DeliverPostedEvents();
        EXPECT_EQ(Submissions.size(), c.Submits ? 1u : 0u);
        if (c.Submits) {
            EXPECT_EQ(Submissions[0].Results.at(0), "q=word");
        }
    }
}

TEST_F(FormTest, TextTheCodePageCannotHoldIsRefused)
{
    Load("<form><input name=t><textarea name=a></textarea></form>");
    // Typed one character at a time, as a keyboard would.
    const auto type = [](QWidget* widget, const QString& text) {
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(widget, &press);
        }
    };
    type(WidgetOf<QLineEdit>(0), QString::fromUtf8("\u00e9t\u4e2d\u20ac"));
    type(WidgetOf<QPlainTextEdit>(1), QString::fromUtf8("\u0153\u4e2du"));
    EXPECT_EQ(Submit(), (std::vector<std::string>{"t=\xE9t\x80", "a=\x9Cu"}));
}

TEST_F(FormTest, ResetRestoresEveryInitialState)
{
    Load("<form><input name=t value=start><input type=checkbox name=c checked><input type=radio name=r checked>"
         "<select name=s><option>a<option selected>b</select>"
         "<select name=m multiple><option selected>x<option>y</select>"
         "<textarea name=a>one\ntwo</textarea><input type=reset></form>");
    WidgetOf<QLineEdit>(0)->setText("typed");
    Control<TCheckBoxFormControlObj>(1).SetChecked(false);
    Control<TRadioButtonFormControlObj>(2).SetChecked(false);
    WidgetOf<QComboBox>(3)->setCurrentIndex(0);
    QListView* list = WidgetOf<QListView>(4);
    list->selectionModel()->select(list->model()->index(0, 0), QItemSelectionModel::Deselect);
    list->selectionModel()->select(list->model()->index(1, 0), QItemSelectionModel::Select);
    WidgetOf<QPlainTextEdit>(5)->setPlainText("other");
    const std::vector<std::string> initial = {"t=start", "c=On", "r=", "s=b", "m=x", "a=one", "a=two"};
    EXPECT_NE(Submit(), initial);
    QTest::mouseClick(WidgetOf<QPushButton>(6), Qt::LeftButton);
    EXPECT_EQ(Submit(), initial);
}

TEST_F(FormTest, RadioButtonsOfOneNameUncheckEachOther)
{
    Load("<form><input type=radio name=Color value=red checked><input type=radio name=COLOR value=blue>"
         "<input type=radio name=size value=big checked><input type=radio value=n1 checked>"
         "<input type=radio value=n2></form>");
    QTest::mouseClick(WidgetOf<QRadioButton>(1), Qt::LeftButton);
    EXPECT_FALSE(Control<TRadioButtonFormControlObj>(0).Checked());
    EXPECT_TRUE(Control<TRadioButtonFormControlObj>(1).Checked());
    EXPECT_TRUE(Control<TRadioButtonFormControlObj>(2).Checked()); // another name
    // Radio buttons without a name uncheck nothing.
    QTest::mouseClick(WidgetOf<QRadioButton>(4), Qt::LeftButton);
    EXPECT_TRUE(Control<TRadioButtonFormControlObj>(3).Checked());
    // A second click on a checked radio button keeps it checked.
    QTest::mouseClick(WidgetOf<QRadioButton>(1), Qt::LeftButton);
    EXPECT_TRUE(Control<TRadioButtonFormControlObj>(1).Checked());
}

TEST_F(FormTest, ClicksReachObjectClickWithTheOnClickText)
{
    std::vector<std::string> clicks;
    View.OnObjectClick = [&](THtmlView*, TFormControlObj* obj, const std::string& onClick) {
        clicks.push_back(obj->Name + ":" + onClick);
    };
    Load("<form><input type=button name=b onclick=\"go()\"><input type=checkbox name=c onclick=tick>"
         "<input type=radio name=r onclick=pick></form>");
    QTest::mouseClick(WidgetOf<QPushButton>(0), Qt::LeftButton);
    QTest::mouseClick(WidgetOf<QCheckBox>(1), Qt::LeftButton);
    QTest::mouseClick(WidgetOf<QRadioButton>(2), Qt::LeftButton);
    EXPECT_EQ(clicks, (std::vector<std::string>{"b:go()", "c:tick", "r:pick"}));
    DeliverPostedEvents();
    EXPECT_TRUE(Submissions.empty()); // a plain button submits nothing
}

TEST_F(FormTest, SelectOptionsAndRows)
{
    std::string twenty;
    for (int i = 0; i < 20; ++i)
        twenty += "<option>item " + std::to_string(i);
    Load("<form><select name=a multiple><option value=1>  first  <option selected>second</select>"
         "<select name=b multiple><option value=1><option>takes the value</select>"
         "<select name=c multiple>" + twenty + "</select><select name=d multiple></select></form>");
    const auto& a = Control<TListBoxFormControlObj>(0).Options();
    ASSERT_EQ(a.size(), 2u);
    EXPECT_EQ(a[0].Text, "first");
    EXPECT_EQ(a[0].OptionValue, "1");
    EXPECT_FALSE(a[0].InitiallySelected);
    EXPECT_EQ(a[1].OptionValue, "");
    EXPECT_TRUE(a[1].InitiallySelected);
    const auto& b = Control<TListBoxFormControlObj>(1).Options();
    ASSERT_EQ(b.size(), 1u);
    EXPECT_EQ(b[0].OptionValue, "1");
    EXPECT_EQ(Control<TListBoxFormControlObj>(2).Rows, 8);
    EXPECT_EQ(Control<TListBoxFormControlObj>(3).Rows, 1);
    EXPECT_EQ(WidgetOf<QListView>(2)->model()->rowCount(), 20);
}

// A list box offers choices: a double click or F2 on an item selects it and edits nothing.
TEST_F(FormTest, ListBoxItemsAreNotEditedInPlace)
{
    Load("<form><select name=m size=3><option>first<option>second</select></form>");
    QListView* list = WidgetOf<QListView>(0);
    ASSERT_NE(list, nullptr);
    const QModelIndex second = list->model()->index(1, 0);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(second).center());
    list->setFocus();
    QTest::keyClick(list, Qt::Key_F2);
    EXPECT_EQ(list->viewport()->findChild<QLineEdit*>(), nullptr);
    EXPECT_EQ(Submit(), std::vector<std::string>{"m=second"});
}

// A drop-down list makes its popup only when first opened: it still sizes by its font, and the
// popup shows its items in that font.
TEST_F(FormTest, DropDownListSizesAndOpensInItsFont)
{
    Load("<form><select name=s><option>un<option>deux</select></form>");
    QComboBox* combo = WidgetOf<QComboBox>(0);
    ASSERT_NE(combo, nullptr);
    QComboBox reference;
    reference.setFont(combo->font());
    reference.addItems({"un", "deux"});
    EXPECT_EQ(combo->sizeHint(), reference.sizeHint());
    EXPECT_GE(combo->height(), reference.sizeHint().height());
    combo->showPopup();
    EXPECT_EQ(combo->view()->font(), combo->font());
    combo->hidePopup();
}

TEST_F(FormTest, TextAreaLines)
{
    struct Case {
        const char* Content;
        std::vector<std::string> Lines;
    };
    const Case cases[] = {
        {"one\ntwo", {"one", "two"}},
        {"\nafter a line end", {"", "after a line end"}},
        {"a &amp; b</b> <i>", {"a & b</b> <i>"}},
        {"<&amp;", {"<&amp;"}},
        {"a<b&amp;c", {"a<b&amp;c"}},
        {"", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Content);
        Load(std::string("<form><textarea name=x>") + c.Content + "</textarea>after</form>");
        EXPECT_EQ(Control<TTextAreaFormControlObj>(0).InitialLines, c.Lines);
        std::vector<std::string> expected;
        for (const std::string& line : c.Lines)
            expected.push_back("x=" + line);
        EXPECT_EQ(Submit(), expected);
        EXPECT_NE(View.Document().FindText(0, "after", true), -1);
    }
}

TEST_F(FormTest, TabInATextAreaMovesOnAndTypesNothing)
{
    Load("<form><textarea name=x>ab</textarea><input name=y></form>");
    QPlainTextEdit* memo = WidgetOf<QPlainTextEdit>(0);
    ASSERT_NE(memo, nullptr);
    memo->moveCursor(QTextCursor::End);
    QTest::keyClick(memo, Qt::Key_Tab);
    EXPECT_EQ(memo->toPlainText(), "ab");
    EXPECT_EQ(Submit(), (std::vector<std::string>{"x=ab", "y="}));
}

TEST_F(FormTest, ImageInputSubmitsTheClickedPointOnce)
{
    Load("<form><input type=image name=map src=none.bmp width=40 height=30 border=0></form>");
    auto& button = Control<TImageFormControlObj>(0);
    EXPECT_FALSE(button.HasWindowControl());
    const auto& section = dynamic_cast<const TSection&>(*View.Document().Items(0));
    const auto* picture = dynamic_cast<const TImageObj*>(section.Images[0]);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->FormControl, &button);
    QTest::mouseClick(&Panel(), Qt::LeftButton, {}, QPoint(picture->PaintX + 12, picture->PaintY + 7));
    DeliverPostedEvents();
    ASSERT_EQ(Submissions.size(), 1u);
    EXPECT_EQ(Submissions[0].Results, (std::vector<std::string>{"map.x=12", "map.y=7"}));
    EXPECT_EQ(Submit(), std::vector<std::string>{});
}

TEST_F(FormTest, ControlsOutsideFormsJoinAFormOfTheirOwn)
{
    Load("<input name=a><form action=f><input name=b></form><input name=c><pre>x <input name=d> y</pre>");
    ASSERT_EQ(View.Document().Forms.size(), 3u);
    EXPECT_EQ(View.Document().Forms[0]->Controls().size(), 1u);
    EXPECT_EQ(View.Document().Forms[1]->Action, "f");
    EXPECT_EQ(View.Document().Forms[2]->Controls().size(), 2u); // c and the one in PRE
    EXPECT_NE(View.Document().FindText(0, "y", true), -1);
}

TEST_F(FormTest, ControlsOfATableDroppedAsTooWideLeaveTheirForm)
{
    std::string wideCells;
    for (int i = 0; i < 30; ++i)
        wideCells += "<td>c";
    const std::string wide = "<table><tr>" + wideCells + "<td><input name=in value=x>"
                             "<input type=hidden name=h value=y><input type=checkbox name=c checked></table>";
    struct Case {
        const char* Name;
        std::string Table;
    };
    const Case cases[] = {
        {"the wide table itself", wide},
        {"a table holding it", "<table><tr><td><input name=outer value=z>" + wide + "</table>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Errors.clear();
        Load("<form><input name=before value=1>" + c.Table + "<input name=after value=2></form>");
        DeliverPostedEvents();
        EXPECT_EQ(Errors, std::vector<std::string>{"Table has too many Columns"});
        std::vector<std::string> names;
        for (const TFormControlObj* control : Controls())
            names.push_back(control->Name);
        EXPECT_EQ(names, (std::vector<std::string>{"before", "after"}));
        EXPECT_EQ(View.Document().Forms.at(0)->VisibleControlCount, 2);
        EXPECT_EQ(Submit(), (std::vector<std::string>{"before=1", "after=2"}));
        // Their widgets went with them: nothing left on the panel to tab to.
        EXPECT_EQ(Panel().findChildren<QLineEdit*>().size(), 2);
        EXPECT_TRUE(Panel().findChildren<QCheckBox*>().isEmpty());
        // Later layouts and paints meet no trace of them.
        View.resize(View.width() + 40, View.height());
        Paint();
        EXPECT_EQ(Controls().size(), 2u);
    }
}

TEST_F(FormTest, PageNumbersCannotBlowUpControlSizes)
{
    Load("<form><input size=2000000000 maxlength=-3 value=abc><input size=\"-5\"><input size=\"7,1\">"
         "<textarea rows=2000000000 cols=-4></textarea>"
         "<select multiple size=2000000000><option>a</select><select multiple size=0><option>a</select></form>");
    for (TFormControlObj* control : Controls()) {
        EXPECT_LE(control->ControlWidth(), MaxControlSize + 100);
        EXPECT_LE(control->ControlHeight(), MaxControlSize + 100);
        EXPECT_GE(control->ControlWidth(), 0);
    }
    EXPECT_EQ(Control<TEditFormControlObj>(1).WidthInChars, TEditFormControlObj::DefaultWidthInChars);
    EXPECT_EQ(Control<TEditFormControlObj>(2).WidthInChars, 7);
    EXPECT_EQ(Control<TTextAreaFormControlObj>(3).Cols, 30);
    EXPECT_EQ(Control<TListBoxFormControlObj>(5).Rows, 1); // SIZE 0: as many rows as options
    EXPECT_GT(Control<TListBoxFormControlObj>(5).ControlHeight(), 0);
    EXPECT_EQ(WidgetOf<QLineEdit>(0)->text(), "abc"); // no limit from a negative MAXLENGTH
}

TEST_F(FormTest, PaintPlacesControlsAndScrollingHidesThem)
{
    Load("<form><input name=top>" + viewertest::LongPage(30) + "<input name=bottom></form>");
    TFormWidget& top = *Controls().at(0)->GetControl();
    TFormWidget& bottom = *Controls().at(1)->GetControl();
    EXPECT_TRUE(top.Visible());
    EXPECT_GE(top.Top(), 0);
    EXPECT_LT(top.Top(), Panel().height());
    EXPECT_FALSE(bottom.Visible());
    View.SetVerticalPosition(View.DocumentHeight());
    Paint();
    EXPECT_FALSE(top.Visible());
    EXPECT_TRUE(bottom.Visible());
    EXPECT_LT(bottom.Top(), Panel().height());
    // While a control has the focus, the unplaced ones stay reachable off screen.
    View.activateWindow();
    WidgetOf<QLineEdit>(1)->setFocus();
    QCoreApplication::processEvents();
    ASSERT_TRUE(bottom.Focused());
    EXPECT_TRUE(top.Visible());
    EXPECT_EQ(top.Left(), -4000);
    // A page load frees the controls with their widgets.
    Load("<p>no form</p>");
    EXPECT_TRUE(Panel().findChildren<QLineEdit*>().isEmpty());
}

TEST_F(FormTest, RenderedFormForALook)
{
    View.resize(420, 300);
    Load("<h3>Inscription</h3><form>Nom : <input name=nom value=\"Garvo\" size=12><br>"
         "Mot de passe : <input type=password name=mdp value=abc size=8><br>"
         "<input type=checkbox name=son checked> Sons <input type=radio name=n value=1 checked> Facile "
         "<input type=radio name=n value=2> Difficile<br>"
         "Langue : <select name=l><option>Fran\xE7" "ais<option>English</select> "
         "<select name=m multiple size=3><option>un<option selected>deux<option>trois</select><br>"
         "<textarea name=t rows=2 cols=20>Une ligne\nDeux lignes</textarea><br>"
         "<input type=submit value=Envoyer> <input type=reset value=Effacer></form>");
    const QImage image = View.grab().toImage();
    image.save(QCoreApplication::applicationDirPath() + "/FormRender.png");
    // Every control is placed inside the panel.
    for (TFormControlObj* control : Controls()) {
        SCOPED_TRACE(control->Name);
        ASSERT_TRUE(control->GetControl()->Visible());
        EXPECT_GE(control->GetControl()->Left(), 0);
        EXPECT_LE(control->GetControl()->Left() + control->GetControl()->Width(), Panel().width());
    }
}

} // namespace
