#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/Windows1252.h"
#include "tests/support/FakeDialogs.h"
#include "TestFolder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

using namespace platform;

namespace {

// Hands the next modal dialog to Answer once it is on screen. Answer must close it.
void AnswerNextDialog(std::function<void(QWidget*)> answer)
{
    auto* timer = new QTimer(QApplication::instance());
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, answer = std::move(answer)] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            answer(dialog);
        }
    });
    timer->start();
}

QString Native(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(NativePath(path)));
}

} // namespace

TEST(Dialogs, WindowsFiltersBecomeQtNameFilters)
{
    const struct {
        const char* windows;
        QStringList qt;
    } cases[] = {
        {"Dictionnaire (*.dat)|*.dat|Tous les fichiers (*.*)|*.*",
         {"Dictionnaire (*.dat) (*.dat)", "Tous les fichiers (*.*) (*)"}},
        {"Dictionary|*.dat", {"Dictionary (*.dat)"}},
        {"Images (*.bmp;*.jpg)|*.bmp; *.jpg;|Pages|*.htm", {"Images (*.bmp;*.jpg) (*.bmp *.jpg)", "Pages (*.htm)"}},
        {"Dictionnaires|*.dat|Sans motif", {"Dictionnaires (*.dat)"}},
        {"Fichiers \xE9t\xE9|*.dat", {QString::fromUtf8("Fichiers été (*.dat)")}},
        {"", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(QtNameFilters(c.windows), c.qt) << c.windows;
}

TEST(Dialogs, ABoxClosedWithoutAButtonAnswersItsWayOut)
{
    EXPECT_EQ(CloseAnswer(MB_OK), IDOK);
    EXPECT_EQ(CloseAnswer(MB_OK | MB_ICONERROR), IDOK);
    EXPECT_EQ(CloseAnswer(MB_OKCANCEL), IDCANCEL);
    EXPECT_EQ(CloseAnswer(MB_YESNO | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(CloseAnswer(MB_YESNOCANCEL | MB_ICONQUESTION), IDCANCEL);
}

TEST(Dialogs, QtMessageBoxShowsItsButtonsAndAnswersWithWindowsIds)
{
    const struct {
        int flags;
        QMessageBox::StandardButtons buttons;
        QMessageBox::Icon icon;
        QMessageBox::StandardButton pressed; // NoButton: Escape
        int answer;
    } cases[] = {
        {MB_YESNOCANCEL | MB_ICONQUESTION, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
         QMessageBox::Question, QMessageBox::Yes, IDYES},
        {MB_YESNOCANCEL, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::NoIcon,
         QMessageBox::No, IDNO},
        {MB_YESNOCANCEL, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::NoIcon,
         QMessageBox::Cancel, IDCANCEL},
        {MB_YESNOCANCEL | MB_ICONQUESTION, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
         QMessageBox::Question, QMessageBox::NoButton, IDCANCEL},
        {MB_OK | MB_ICONWARNING, QMessageBox::Ok, QMessageBox::Warning, QMessageBox::Ok, IDOK},
        {MB_OK, QMessageBox::Ok, QMessageBox::NoIcon, QMessageBox::NoButton, IDOK},
        {MB_YESNO | MB_ICONINFORMATION, QMessageBox::Yes | QMessageBox::No, QMessageBox::Information,
         QMessageBox::No, IDNO},
        {MB_OKCANCEL | MB_ICONERROR, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Critical,
         QMessageBox::Cancel, IDCANCEL},
    };
    for (const auto& c : cases) {
        QMessageBox::StandardButtons shown;
        QString title, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        AnswerNextDialog([&](QWidget* dialog) {
            auto* box = qobject_cast<QMessageBox*>(dialog);
            if (!box) {
                dialog->close();
                return;
            }
            shown = box->standardButtons();
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            if (c.pressed == QMessageBox::NoButton)
                box->reject(); // what Escape does
            else
                box->button(c.pressed)->click();
        });
        const int answer = TQtDialogs().MessageBox("Le mot <b>existe</b> d\xE9j\xE0.", "Attention", c.flags, nullptr);
        EXPECT_EQ(answer, c.answer) << c.flags;
        EXPECT_EQ(shown, c.buttons) << c.flags;
        EXPECT_EQ(icon, c.icon) << c.flags;
        EXPECT_EQ(title, QStringLiteral("Attention"));
        EXPECT_EQ(text, QString::fromUtf8("Le mot <b>existe</b> déjà."));
    }
}

TEST(Dialogs, QtMessageBoxShowsMarkupAsText)
{
    Qt::TextFormat format = Qt::AutoText;
    AnswerNextDialog([&](QWidget* dialog) {
        if (auto* box = qobject_cast<QMessageBox*>(dialog))
            format = box->textFormat();
        dialog->close();
    });
    TQtDialogs().MessageBox("<i>mot</i>", "Information", MB_OK, nullptr);
    EXPECT_EQ(format, Qt::PlainText);
}

TEST(Dialogs, QtMessageBoxShowsAPathInItsOwnLetters)
{
    QString text;
    AnswerNextDialog([&](QWidget* dialog) {
        if (auto* box = qobject_cast<QMessageBox*>(dialog))
            text = box->text();
        dialog->close();
    });
    TQtDialogs().MessageBox("Fichier introuvable : " + PathFromUnicode(QString::fromUtf8("/home/\xC5\x82ukasz/\xC3\xA9t\xC3\xA9.dat")),
                            "Lexorim", MB_OK, nullptr);
    EXPECT_EQ(text, QString::fromUtf8("Fichier introuvable : /home/\xC5\x82ukasz/\xC3\xA9t\xC3\xA9.dat"));
}

TEST(Dialogs, QtErrorBoxTakesTheApplicationTitle)
{
    const QString previous = QGuiApplication::applicationDisplayName();
    QGuiApplication::setApplicationDisplayName(QString::fromUtf8("Le Jeu du Garvo"));
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    AnswerNextDialog([&](QWidget* dialog) {
        if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            buttons = box->standardButtons();
        }
        dialog->close();
    });
    TQtDialogs().ErrorBox("Table has too many Columns", nullptr);
    QGuiApplication::setApplicationDisplayName(previous);
    EXPECT_EQ(title, QStringLiteral("Le Jeu du Garvo"));
    EXPECT_EQ(text, QStringLiteral("Table has too many Columns"));
    EXPECT_EQ(icon, QMessageBox::Critical);
    EXPECT_EQ(buttons, QMessageBox::Ok);
}

class QtFileDialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_.WriteRaw("Animaux.dat", "");
        folder_.WriteRaw("\xC9t\xE9.dat", "");
    }

    TFileDialogRequest Request() const
    {
        TFileDialogRequest request;
        request.Title = "Ouvrir un dictionnaire";
        request.Filter = "Dictionnaire (*.dat)|*.dat|Tous les fichiers (*.*)|*.*";
        request.InitialDir = folder_.Path();
        return request;
    }

    TTestFolder folder_;
};

TEST_F(QtFileDialogs, OpenDialogShowsTheRequestAndReturnsTheChosenFile)
{
    TFileDialogRequest request = Request();
    request.FilterIndex = 2;
    request.FileName = "\xC9t\xE9.dat";
    QString title, directory, selectedFilter;
    QStringList filters, shownFilters, patterns;
    AnswerNextDialog([&](QWidget* widget) {
        auto* dialog = qobject_cast<QFileDialog*>(widget);
        if (!dialog) {
            widget->close();
            return;
        }
        title = dialog->windowTitle();
        directory = dialog->directory().absolutePath() + QLatin1Char('/');
        filters = dialog->nameFilters();
        selectedFilter = dialog->selectedNameFilter();
        if (const auto* model = dialog->findChild<QFileSystemModel*>())
            patterns = model->nameFilters();
        if (const auto* combo = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo")))
            for (int i = 0; i < combo->count(); ++i)
                shownFilters << combo->itemText(i).trimmed();
        static_cast<QDialog*>(dialog)->accept(); // the proposed name
    });
    const std::optional<std::string> chosen = TQtDialogs().GetOpenFileName(request, nullptr);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen, folder_.Path("\xC9t\xE9.dat"));
    EXPECT_EQ(title, QStringLiteral("Ouvrir un dictionnaire"));
    EXPECT_EQ(directory, Native(folder_.Path()));
    EXPECT_EQ(filters, QtNameFilters(request.Filter));
    // The user reads the descriptions as written; "*.*" lists every file, as on Windows.
    EXPECT_EQ(shownFilters, (QStringList{"Dictionnaire (*.dat)", "Tous les fichiers (*.*)"}));
    EXPECT_EQ(selectedFilter, shownFilters.value(1));
    EXPECT_EQ(patterns, QStringList{"*"});
}

TEST_F(QtFileDialogs, ChosenNameInAnyLettersIsReturnedAsAPath)
{
    const std::string name = PathFromUnicode(QString::fromUtf8("\xD0\xA1\xD0\xBB\xD0\xBE\xD0\xB2\xD0\xB0.dat")); // Слова
    folder_.WriteRaw(name, "");
    TFileDialogRequest request = Request();
    request.FileName = name;
    AnswerNextDialog([](QWidget* dialog) { static_cast<QDialog*>(dialog)->accept(); });
    const std::optional<std::string> chosen = TQtDialogs().GetOpenFileName(request, nullptr);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen, folder_.Path(name));
    EXPECT_TRUE(FileExists(*chosen));
}

TEST_F(QtFileDialogs, CancelledDialogsReturnNothing)
{
    for (const bool save : {false, true}) {
        AnswerNextDialog([](QWidget* dialog) { dialog->close(); });
        const TFileDialogRequest request = Request();
        TQtDialogs dialogs;
        EXPECT_FALSE(save ? dialogs.GetSaveFileName(request, nullptr) : dialogs.GetOpenFileName(request, nullptr));
    }
}

TEST_F(QtFileDialogs, SaveDialogAddsTheDefaultExtension)
{
    TFileDialogRequest request = Request();
    request.DefaultExt = ".dat";
    AnswerNextDialog([](QWidget* widget) {
        if (auto* dialog = qobject_cast<QFileDialog*>(widget)) {
            if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
                name->setText(QStringLiteral("Nouveau"));
            static_cast<QDialog*>(dialog)->accept();
        }
        widget->close();
    });
    EXPECT_EQ(TQtDialogs().GetSaveFileName(request, nullptr), folder_.Path("Nouveau.dat"));
}

TEST(Dialogs, QtColorDialogStartsAtTheGivenColourAndReturnsTheChosenOne)
{
    QColor shownAtStart;
    AnswerNextDialog([&](QWidget* widget) {
        if (auto* dialog = qobject_cast<QColorDialog*>(widget)) {
            shownAtStart = dialog->currentColor();
            dialog->setCurrentColor(QColor(0x12, 0x34, 0x56));
            dialog->accept();
        }
        widget->close();
    });
    EXPECT_EQ(TQtDialogs().ChooseColor(0x00FFFF, nullptr), std::optional<TColor>(0x563412));
    EXPECT_EQ(shownAtStart, QColor(0xFF, 0xFF, 0x00)); // 0x00FFFF is yellow: blue in the high byte

    AnswerNextDialog([](QWidget* widget) { widget->close(); });
    EXPECT_FALSE(TQtDialogs().ChooseColor(0, nullptr));
}

TEST(Dialogs, FakeAnswersFromItsScriptsAndRecordsTheQuestions)
{
    TScopedFakeDialogs dialogs;
    dialogs->MessageBoxAnswers = {IDNO, IDYES};
    dialogs->FileAnswers = {std::nullopt, std::string("/dic/Animaux.dat")};
    dialogs->ColorAnswers = {0x0000FF};

    EXPECT_EQ(MessageBox("Enregistrer ?", "Information", MB_YESNOCANCEL | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(MessageBox("Enregistrer ?", "Information", MB_YESNOCANCEL), IDYES);
    EXPECT_EQ(MessageBox("Enregistrer ?", "Information", MB_YESNOCANCEL), IDCANCEL); // script run out
    EXPECT_EQ(MessageBox("Le mot existe", "Attention", MB_OK), IDOK);
    ErrorBox("Table has too many Columns");

    TFileDialogRequest request;
    request.Title = "Ouvrir";
    EXPECT_FALSE(GetOpenFileName(request));
    EXPECT_EQ(GetSaveFileName(request), std::optional<std::string>("/dic/Animaux.dat"));
    EXPECT_FALSE(GetOpenFileName(request));

    EXPECT_EQ(ChooseColor(0x00FFFF), std::optional<TColor>(0x0000FF));
    EXPECT_FALSE(ChooseColor(0x0000FF));

    ASSERT_EQ(dialogs->MessageBoxes.size(), 4u);
    EXPECT_EQ(dialogs->MessageBoxes[0].Flags, MB_YESNOCANCEL | MB_ICONQUESTION);
    EXPECT_EQ(dialogs->MessageBoxes[3].Text, "Le mot existe");
    EXPECT_EQ(dialogs->MessageBoxes[3].Caption, "Attention");
    EXPECT_EQ(dialogs->ErrorBoxes, std::vector<std::string>{"Table has too many Columns"});
    ASSERT_EQ(dialogs->FileDialogs.size(), 3u);
    EXPECT_FALSE(dialogs->FileDialogs[0].Save);
    EXPECT_TRUE(dialogs->FileDialogs[1].Save);
    EXPECT_EQ(dialogs->FileDialogs[2].Request.Title, "Ouvrir");
    EXPECT_EQ(dialogs->ColorDialogs, (std::vector<TColor>{0x00FFFF, 0x0000FF}));
}
