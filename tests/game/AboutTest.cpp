// The about window: texts and links in the player's language, its theme picture and colour, and
// the only ways it closes.
#include "TfrmMainTest.h"

#include "game/LanguageTexts.h"
#include "game/StartUp.h"
#include "game/TfrmAbout.h"

#include <QDir>
#include <QImage>

namespace {

using namespace game;

class AboutTest : public TMainWindowTest {
protected:
    void SetUp() override
    {
        TMainWindowTest::SetUp();
        SetProgramPaths(Path());
        HelpFolder = Path("Aide/");
        Start({}); // reads the theme and language of the settings: none yet
        ThemeFolder = Path("Themes/Standard");
        LanguageFolder = ThemeFolder + "/English";
        QDir().mkpath(QString::fromStdString(LanguageFolder));
        frmAbout = new TfrmAbout(frmMain);
    }
    void TearDown() override
    {
        delete frmAbout;
        TMainWindowTest::TearDown();
    }

    void Language(const std::string& lines) const
    {
        std::ofstream(platform::NativePath(LanguageFolder + "/language.ini"), std::ios::binary) << lines;
    }

    // Runs Act while the about window is shown modally.
    static void WhileShown(const std::function<void()>& act)
    {
        QTimer::singleShot(0, frmAbout, act);
        frmAbout->exec();
    }
};

TEST_F(AboutTest, SiteLinkShowsTheFrenchAddressAndOpensTheOneOfTheLanguage)
{
    Language("[Main]\r\nLanguage=1\r\n[About]\r\nGameTitle=The Garvo Game\r\nConnectTo=Visit\r\n");
    LoadLanguageTexts("frmMain", 0);
    frmAbout->FormCreate();

    EXPECT_EQ(Ansi(frmAbout->lblTitle->text()), "The Garvo Game");
    EXPECT_EQ(frmAbout->lblTitleShadow->text(), frmAbout->lblTitle->text());
    EXPECT_EQ(Ansi(frmAbout->lblContactAuthors->text()), "Contactez les auteurs:");
    EXPECT_EQ(Ansi(frmAbout->lblUrlAddress->text()), SiteAddressFrench);
    EXPECT_EQ(Ansi(frmAbout->lblUrlAddress->toolTip()), "Visit Velmora");
    EXPECT_EQ(frmAbout->imgLogo->toolTip(), frmAbout->lblUrlAddress->toolTip());
    EXPECT_EQ(frmAbout->imgLogo->pixmap().toImage(), frmMain->imgLogo->pixmap().toImage());

    QTest::mouseClick(frmAbout->lblUrlAddress, Qt::LeftButton);
    QTest::mouseClick(frmAbout->imgLogo, Qt::LeftButton);
    QTest::mouseClick(frmAbout->imgUmbo, Qt::LeftButton);
    QTest::mouseClick(frmAbout->lblEmail2, Qt::LeftButton);
    EXPECT_EQ(Shell->Opened, (std::vector<std::string>{SiteAddressOther, SiteAddressOther, AssociationSiteAddress,
                                                       "mailto:" + MailAddress2 + "?subject=" + AboutMailSubject}));

    Language("[Main]\r\nLanguage=33\r\n");
    LoadLanguageTexts("frmMain", 0);
    QTest::mouseClick(frmAbout->lblUrlAddress, Qt::LeftButton);
    EXPECT_EQ(Shell->Opened.back(), SiteAddressFrench);
}

TEST_F(AboutTest, OnlyOkAndEscCloseIt)
{
    frmAbout->FormCreate();
    bool stillShown = false;
    WhileShown([&] {
        frmAbout->close();
        QTest::keyClick(frmAbout, Qt::Key_F4, Qt::AltModifier);
        stillShown = frmAbout->isVisible();
        QTest::keyClick(frmAbout, Qt::Key_Escape);
    });
    EXPECT_TRUE(stillShown);
    EXPECT_FALSE(frmAbout->isVisible());

    WhileShown([] { QTest::mouseClick(frmAbout->btnOk, Qt::LeftButton); });
    EXPECT_FALSE(frmAbout->isVisible());
}

TEST_F(AboutTest, ThemePictureGivesTheWindowItsColourAndCentresOverTheMainWindow)
{
    QImage background(TfrmAbout::ClientWidth, TfrmAbout::ClientHeight, QImage::Format_RGB32);
    background.fill(QColor(0, 100, 0));
    ASSERT_TRUE(background.save(QString::fromStdString(ThemeFolder + "/About.bmp"), "BMP"));
    std::ofstream(platform::NativePath(ThemeFolder + "/theme.ini"), std::ios::binary)
        << "[WindowAbout]\r\nTextColor.Link=0x0000FF00\r\nTextColor.Title=0x000000FF\r\n";
    frmAbout->FormCreate();

    QColor color;
    QPoint place;
    WhileShown([&] {
        color = frmAbout->palette().color(QPalette::Window);
        place = frmAbout->pos();
        QTest::keyClick(frmAbout, Qt::Key_Escape);
    });
    EXPECT_EQ(color, QColor(0, 100, 0));
    EXPECT_EQ(place, frmMain->pos() + QPoint(150, 150));
    EXPECT_EQ(frmAbout->lblEmail1->palette().color(QPalette::WindowText), QColor(0, 255, 0));
    EXPECT_EQ(frmAbout->lblVersion->palette().color(QPalette::WindowText), QColor(255, 0, 0));
}

TEST_F(AboutTest, F1AsksForHelp)
{
    frmAbout->FormCreate();
    int helpRequests = 0;
    QObject::connect(frmAbout, &TfrmAbout::HelpRequested, [&] { ++helpRequests; });
    WhileShown([] {
        QTest::keyClick(frmAbout, Qt::Key_F1);
        QTest::keyClick(frmAbout, Qt::Key_Escape);
    });
    EXPECT_EQ(helpRequests, 1);
}

} // namespace
