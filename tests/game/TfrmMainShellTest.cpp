#include "TfrmMainTest.h"

#include "game/DefinitionViewCommands.h"
#include "game/TfrmCDPlayer.h"
#include "htmlview/HtmlView.h"
#include "platform/Application.h"
#include "platform/IniFile.h"
#include "tests/support/CdAudioSimulated.h"

#include <QAbstractEventDispatcher>
#include <QHelpEvent>
#include <QProgressBar>
#include <QScreen>
#include <QSignalSpy>
#include <QStyle>
#include <QToolTip>

#include <algorithm>
#include <optional>
#include <sys/stat.h>

using namespace game;

namespace {

using ShellTest = TMainWindowTest;

TEST_F(ShellTest, CommandLineOpensTheDictionary)
{
    StartOn("Animaux.dat");
    EXPECT_EQ(DictionaryPath, Path("Animaux.dat"));
    EXPECT_EQ(DictionaryWordCount, 1);
    EXPECT_TRUE(frmMain->btnStart->isEnabled());
    EXPECT_EQ(frmMain->focusWidget(), frmMain->btnStart);
    EXPECT_TRUE(Dialogs->FileDialogs.empty());
    EXPECT_TRUE(Exists("Animaux.ndx"));
    EXPECT_FALSE(frmMain->prgBar->isVisible());
    // Pictures and links of the dictionary's pages resolve against its folder.
    EXPECT_EQ(frmMain->htmlViewer->BaseHref(), Path());
}

// The CD player is offered when the machine shows a drive, whether or not it holds a disc or
// opens; no drive leaves it off.
struct TCDPlayerOfferCase {
    const char* name;
    std::vector<platform::TSimulatedCdDevice::TDrive> drives;
    bool offered;
};

void PrintTo(const TCDPlayerOfferCase& offer, std::ostream* out)
{
    *out << offer.name;
}

class CDPlayerOfferTest : public TMainWindowTest, public ::testing::WithParamInterface<TCDPlayerOfferCase> {};

TEST_P(CDPlayerOfferTest, AtStart)
{
    CdDrives.Drives = GetParam().drives;
    StartOn("Animaux.dat");
    EXPECT_EQ(frmMain->btnCDPlayer->isEnabled(), GetParam().offered);
}

INSTANTIATE_TEST_SUITE_P(
    Drives, CDPlayerOfferTest,
    ::testing::Values(
        TCDPlayerOfferCase{"NoDrive", {}, false},
        TCDPlayerOfferCase{"EmptyDrive", {{"/dev/sr0", true, std::nullopt}}, true},
        TCDPlayerOfferCase{"DriveThatRefusesToOpen", {{"/dev/sr1", false, std::nullopt}}, true},
        TCDPlayerOfferCase{"AudioDisc", {{"/dev/sr0", true, platform::TSimulatedCdDevice::AudioDisc({60})}}, true}),
    [](const ::testing::TestParamInfo<TCDPlayerOfferCase>& info) { return std::string(info.param.name); });

// With no dictionary to open, the dialog opens at once on the bundled dictionaries; cancelled,
// it leaves the welcome page. A remembered file that is gone is forgotten before it opens.
struct TNoDictionaryCase {
    const char* name;
    const char* lastFile;
};

void PrintTo(const TNoDictionaryCase& start, std::ostream* out)
{
    *out << start.name;
}

class NoDictionaryAtStartTest : public TMainWindowTest, public ::testing::WithParamInterface<TNoDictionaryCase> {};

TEST_P(NoDictionaryAtStartTest, OffersTheDialogThenTheWelcomePage)
{
    ASSERT_EQ(::mkdir(platform::NativePath(Path("Dictionnaires")).c_str(), 0755), 0);
    Write("Dictionnaires/Francais.dat", "ananas [fruit]\r\nbanane [fruit]\r\n");
    if (*GetParam().lastFile != '\0')
        Settings("LastFile=" + Path(GetParam().lastFile) + "\r\n");
    Start({});
    ASSERT_EQ(Dialogs->FileDialogs.size(), 1u);
    EXPECT_EQ(Dialogs->FileDialogs[0].Request.Title, "Ouvrir un dictionnaire");
    EXPECT_EQ(Dialogs->FileDialogs[0].Request.InitialDir, Path("Dictionnaires/"));
    EXPECT_EQ(Dialogs->FileDialogs[0].Request.FileName, "");
    EXPECT_EQ(Dialogs->FileDialogs[0].Request.Filter, "Dictionnaire (*.dat)|*.dat|Tous les fichiers (*.*)|*.*");
    EXPECT_TRUE(DictionaryPath.empty());
    EXPECT_FALSE(CurrentDictionary.Initialized);
    EXPECT_FALSE(frmMain->btnStart->isVisible());
    EXPECT_NE(CopyAllText(*frmMain->htmlViewer, "").find("Information"), std::string::npos);
    EXPECT_EQ(frmMain->htmlViewer->BaseHref(), ProgramFolder);
    EXPECT_EQ(frmMain->focusWidget(), frmMain->btnOpen);
}

INSTANTIATE_TEST_SUITE_P(
    Start, NoDictionaryAtStartTest,
    ::testing::Values(TNoDictionaryCase{"FirstStart", ""}, TNoDictionaryCase{"MissingLastFile", "Parti.dat"}),
    [](const ::testing::TestParamInfo<TNoDictionaryCase>& info) { return std::string(info.param.name); });

// A remembered dictionary or one given on the command line opens without a dialog, the one
// given first. Names are relative to the game's folder.
struct TStartDictionaryCase {
    const char* name;
    const char* lastFile;
    const char* argument;
    const char* opened;
};

void PrintTo(const TStartDictionaryCase& start, std::ostream* out)
{
    *out << start.name;
}

class StartDictionaryTest : public TMainWindowTest, public ::testing::WithParamInterface<TStartDictionaryCase> {};

TEST_P(StartDictionaryTest, IsOpenedWithoutADialog)
{
    Write("Fruits.dat", "ananas [fruit]\r\nbanane [fruit]\r\n");
    if (*GetParam().lastFile != '\0')
        Settings("LastFile=" + Path(GetParam().lastFile) + "\r\n");
    std::vector<std::string> arguments;
    if (*GetParam().argument != '\0')
        arguments.push_back("/d=" + Path(GetParam().argument));
    Start(arguments);
    EXPECT_TRUE(Dialogs->FileDialogs.empty());
    EXPECT_EQ(DictionaryPath, Path(GetParam().opened));
    EXPECT_TRUE(frmMain->btnStart->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(
    Remembered, StartDictionaryTest,
    ::testing::Values(TStartDictionaryCase{"LastFile", "Animaux.dat", "", "Animaux.dat"},
                      TStartDictionaryCase{"CommandLine", "", "Animaux.dat", "Animaux.dat"},
                      TStartDictionaryCase{"CommandLineBeforeLastFile", "Fruits.dat", "Animaux.dat", "Animaux.dat"}),
    [](const ::testing::TestParamInfo<TStartDictionaryCase>& info) { return std::string(info.param.name); });

TEST_F(ShellTest, FailedOpeningLeavesNoWordToDraw)
{
    StartOn("Animaux.dat");
    Dialogs->FileAnswers.push_back(Path("Parti.dat"));
    Type(Qt::Key_F2);
    ASSERT_EQ(Dialogs->FileDialogs.size(), 1u);
    EXPECT_EQ(Dialogs->FileDialogs[0].Request.InitialDir, Path());
    EXPECT_TRUE(DictionaryPath.empty());
    EXPECT_EQ(DictionaryWordCount, 0);
    EXPECT_FALSE(frmMain->btnStart->isEnabled());
    EXPECT_FALSE(frmMain->btnStart->isVisible());

    Type(Qt::Key_F9);
    Click(frmMain->btnStart);
    EXPECT_FALSE(RoundInProgress);
    EXPECT_TRUE(Mask().empty());
}

TEST_F(ShellTest, EmptyDictionaryKeepsStartHidden)
{
    Write("Vide.dat", "");
    Start({"/D=" + Path("Vide.dat")});
    EXPECT_EQ(DictionaryWordCount, 0);
    EXPECT_TRUE(DictionaryPath.empty());
    EXPECT_FALSE(frmMain->btnStart->isVisible());
    EXPECT_EQ(frmMain->focusWidget(), frmMain->btnOpen);
}

TEST_F(ShellTest, FunctionKeys)
{
    StartOn("Animaux.dat");
    QSignalSpy options(frmMain, &TfrmMain::OptionsRequested);
    QSignalSpy about(frmMain, &TfrmMain::AboutRequested);

    Type(Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_TRUE(ScoresModes.empty());
    Type(Qt::Key_F3);
    EXPECT_EQ(ScoresModes, std::vector<int>{ScoresModeBestTen});
    Type(Qt::Key_F4);
    EXPECT_EQ(options.count(), 1);
    Type(Qt::Key_F5);
    EXPECT_EQ(about.count(), 1);
    Type(Qt::Key_F1);
    EXPECT_EQ(Shell->Opened, std::vector<std::string>{HelpFolder + "garvo.htm"});

    // During a word the dictionary and the options stay as they are; between two words of the
    // game, with their buttons off, the keys reach them.
    Type(Qt::Key_F9);
    ASSERT_TRUE(RoundInProgress);
    Type(Qt::Key_F2);
    Type(Qt::Key_F4);
    EXPECT_TRUE(Dialogs->FileDialogs.empty());
    EXPECT_EQ(options.count(), 1);
    for (Qt::Key letter : {Qt::Key_A, Qt::Key_N, Qt::Key_S})
        Type(letter);
    ASSERT_FALSE(RoundInProgress);
    ASSERT_FALSE(frmMain->btnOpen->isEnabled());
    ASSERT_FALSE(frmMain->btnOption->isEnabled());
    Type(Qt::Key_F2);
    Type(Qt::Key_F4);
    EXPECT_EQ(Dialogs->FileDialogs.size(), 1u);
    EXPECT_EQ(options.count(), 2);
    EXPECT_EQ(DictionaryPath, Path("Animaux.dat")) << "the cancelled dialog changed nothing";
    Type(Qt::Key_F3, Qt::ControlModifier);
    EXPECT_EQ(Shell->Started.size(), 1u);

    // F10 stops the game, then quits.
    Type(Qt::Key_F10);
    EXPECT_FALSE(RoundInProgress);
    EXPECT_FALSE(frmMain->btnStop->isEnabled());
    EXPECT_TRUE(frmMain->btnOption->isEnabled());
    EXPECT_TRUE(frmMain->isVisible());
    Type(Qt::Key_F10);
    EXPECT_FALSE(frmMain->isVisible());
    EXPECT_EQ(platform::TIniFile(SettingsFilePath).ReadString("General", "LastFile", ""), Path("Animaux.dat"));
}

TEST_F(ShellTest, ZoomSwitchKeepsItsPlaceAndLook)
{
    StartOn("Animaux.dat");
    Type(Qt::Key_F8);
    ASSERT_TRUE(frmZoom->isVisible());
    frmZoom->move(40, 50);
    frmZoom->SetFontSize(44);
    Type(Qt::Key_F8);
    EXPECT_FALSE(frmZoom->isVisible());
    EXPECT_EQ(ZoomWindowLeft, 40);
    EXPECT_EQ(ZoomWindowTop, 50);
    EXPECT_EQ(ZoomFontSize, 44);
    Type(Qt::Key_F8);
    EXPECT_TRUE(frmZoom->isVisible());
    EXPECT_EQ(frmZoom->FontSize(), 44);
}

// The game with its CD player window, on a drive with an audio disc.
class ShellWithCDPlayerTest : public TMainWindowTest {
protected:
    void SetUp() override
    {
        TMainWindowTest::SetUp();
        auto device = std::make_unique<platform::TSimulatedCdDevice>();
        device->SimulatedDrives.push_back({"/dev/sr0", true, platform::TSimulatedCdDevice::AudioDisc({100, 100})});
        cdPlayer = std::make_unique<TfrmCDPlayer>(std::move(device));
        frmCDPlayer = cdPlayer.get();
        QObject::connect(frmMain, &TfrmMain::CDPlayerRequested, cdPlayer.get(), &TfrmCDPlayer::ShowWindow);
    }

    void TearDown() override
    {
        cdPlayer.reset();
        TMainWindowTest::TearDown();
    }

    std::unique_ptr<TfrmCDPlayer> cdPlayer;
};

TEST_F(ShellWithCDPlayerTest, F6ShowsThePlayerAndF7TakesTheWholeGameOffTheDesktop)
{
    StartOn("Animaux.dat");
    frmMain->btnCDPlayer->setEnabled(false); // no drive seen at start: the key still opens it
    Type(Qt::Key_F6);
    EXPECT_TRUE(cdPlayer->isVisible());
    Type(Qt::Key_F8);
    ASSERT_TRUE(frmZoom->isVisible());

    Type(Qt::Key_F7);
    EXPECT_TRUE(frmZoom->isMinimized());
    EXPECT_TRUE(cdPlayer->isMinimized());

    frmMain->showNormal();
    EXPECT_FALSE(frmMain->isMinimized());
    EXPECT_FALSE(frmZoom->isMinimized());
    EXPECT_FALSE(cdPlayer->isMinimized());
    EXPECT_TRUE(frmZoom->isVisible());
    EXPECT_TRUE(cdPlayer->isVisible());
}

TEST_F(ShellWithCDPlayerTest, ClosingRemembersWhetherTheZoomWindowWasOpenAndClosesThePlayer)
{
    const struct {
        bool ZoomOpen;
        int Visible;
    } cases[] = {{true, 1}, {false, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ZoomOpen ? "zoom open" : "zoom closed");
        StartOn("Animaux.dat");
        if (c.ZoomOpen) {
            Type(Qt::Key_F8);
            frmZoom->move(40, 50);
        }
        cdPlayer->Tag = 0;
        Type(Qt::Key_F10);
        ASSERT_FALSE(frmMain->isVisible());
        EXPECT_FALSE(frmZoom->isVisible());
        EXPECT_EQ(cdPlayer->Tag, 1);
        EXPECT_FALSE(cdPlayer->timUpdateInfo.isActive());
        const platform::TIniFile ini(SettingsFilePath);
        EXPECT_EQ(ini.ReadInteger("General", "ZoomWindow.Visible", -1), c.Visible);
        if (c.ZoomOpen) {
            EXPECT_EQ(ini.ReadInteger("General", "ZoomWindow.Left", -1), 40);
            EXPECT_EQ(ini.ReadInteger("General", "ZoomWindow.Top", -1), 50);
        }
        // The player was never shown: it keeps the place it was given.
        EXPECT_EQ(ini.ReadInteger("General", "CDPlayerWindow.Left", -1), cdPlayer->x());
    }
}

// On a screen exactly as wide as the game, the game keeps the taskbar out of its way by showing
// the main window full screen, except while it is minimised, and leaves that state at close; on
// any other screen it never does. The place it remembers is its own, not the full screen's.
class TaskbarTest : public TMainWindowTest, public ::testing::WithParamInterface<int> {};

TEST_P(TaskbarTest, FullScreenOnlyOnAScreenAsWideAsTheGame)
{
    Screen->ScreenWidth = GetParam();
    const bool hidden = GetParam() == TfrmMain::ClientWidth;
    Settings("MainWindow.Left=0\r\nMainWindow.Top=100\r\n");
    StartOn("Animaux.dat");
    EXPECT_EQ(frmMain->TaskbarHidden, hidden);
    EXPECT_EQ(frmMain->isFullScreen(), hidden);
    if (hidden) {
        QTRY_COMPARE(frmMain->geometry(), frmMain->screen()->geometry());
    }

    Type(Qt::Key_F7);
    EXPECT_TRUE(frmMain->isMinimized());
    EXPECT_FALSE(frmMain->isFullScreen());
    QApplication::processEvents(); // some time later, the player takes the game back
    frmMain->showNormal();
    EXPECT_EQ(frmMain->isFullScreen(), hidden);

    frmMain->close();
    EXPECT_FALSE(frmMain->isFullScreen());
    platform::TIniFile settings(SettingsFilePath);
    EXPECT_EQ(settings.ReadInteger("General", "MainWindow.Left", -1), 0);
    EXPECT_EQ(settings.ReadInteger("General", "MainWindow.Top", -1), 100);
}

INSTANTIATE_TEST_SUITE_P(ScreenWidths, TaskbarTest, ::testing::Values(800, 1024));

TEST_F(ShellTest, HintsShowAfterAShortRest)
{
    StartOn("Animaux.dat");
    EXPECT_EQ(QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay), 100);
    QHelpEvent hint(QEvent::ToolTip, QPoint(5, 5), frmMain->btnOpen->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(frmMain->btnOpen, &hint);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), frmMain->btnOpen->toolTip());
    // The hint goes when the timer of the label that shows it runs out: after 5 s, not after
    // the 10 s or more Qt would choose.
    const auto tips = QApplication::topLevelWidgets();
    const auto tip = std::find_if(tips.begin(), tips.end(), [](QWidget* w) { return w->inherits("QTipLabel"); });
    ASSERT_NE(tip, tips.end());
    std::vector<int> intervals;
    for (const QAbstractEventDispatcher::TimerInfo& timer : QAbstractEventDispatcher::instance()->registeredTimers(*tip))
        intervals.push_back(timer.interval);
    EXPECT_EQ(intervals, std::vector<int>{5000});
    QToolTip::hideText();
}

TEST_F(ShellTest, UtilityStartsOnTheDictionaryWithoutQuotes)
{
    Write("Mes mots.dat", "ananas [fruit]");
    StartOn("Mes mots.dat");
    LanguageCode = 1;
    Click(frmMain->btnEdit);
    ASSERT_EQ(Shell->Started.size(), 1u);
    EXPECT_EQ(Shell->Started[0].Program, platform::ProgramFolderPath() + "/lexorim");
    EXPECT_EQ(Shell->Started[0].Argument, Path("Mes mots.dat"));
    EXPECT_EQ(platform::TIniFile(SettingsFilePath).ReadInteger("Lexorim", "Language", 0), 1);
}

TEST_F(ShellTest, PageBaseKeepsAQuoteAndAnAmpersandOfTheFolder)
{
    const std::string folder = Path("a\"b&c/");
    ASSERT_EQ(::mkdir(platform::NativePath(folder).c_str(), 0755), 0);
    Write("a\"b&c/Animaux.dat", "ananas [fruit]");
    Start({"/d=" + folder + "Animaux.dat"});
    EXPECT_EQ(DictionaryWordCount, 1);
    EXPECT_EQ(frmMain->htmlViewer->BaseHref(), folder);
}

TEST_F(ShellTest, LinksOfThePageGoToTheDesktopOnlyWhenSafe)
{
    StartOn("Animaux.dat");
    bool handled = false;
    frmMain->htmlViewerHotSpotClick("http://example.org/", handled);
    EXPECT_TRUE(handled);
    handled = false;
    frmMain->htmlViewerHotSpotClick("javascript:alert(1)", handled);
    EXPECT_TRUE(handled); // the viewer never follows a link itself
    EXPECT_EQ(Shell->Opened, std::vector<std::string>{"http://example.org/"});
}

using PagesTest = TGameTest;

TEST_F(PagesTest, InformationPageLines)
{
    SetDefaultLanguageTexts();
    Write("Animaux.dat", std::string(1234, 'x'));
    Write("Animaux.htm", std::string(" \r\n<p>Zoo</p>\t\r\n\0cach\xE9", 23));
    const std::string dictionary = Path("Animaux.dat");
    const std::string description = ReadDictionaryDescription(dictionary);
    EXPECT_EQ(description, "<p>Zoo</p>");
    EXPECT_EQ(BuildDictionaryInfo(dictionary, description, 12),
              "Dictionnaire: Animaux.dat (1234 octets)<br>\r\nIndex: Animaux.ndx<br>\r\nMots: 12<br>\r\n<hr>\r\n"
              "<p>Zoo</p>");
    EXPECT_EQ(BuildDictionaryInfo(Path("Parti.dat"), ReadDictionaryDescription(Path("Parti.dat")), 0),
              "Dictionnaire: Parti.dat (0 octets)<br>\r\nIndex: Parti.ndx<br>\r\n<hr>\r\n");
}

TEST_F(PagesTest, PageWrapping)
{
    EXPECT_EQ(WrapHtmlPageInFolder("/d/a\"b&c/", "<b>x</b>"),
              "<html><body><base href=\"/d/a&quot;b&amp;c/\"><b>x</b></body></html>");
    HtmlInfoTextFR = "Choisissez";
    HtmlInfoTextUS = "Choose";
    EXPECT_EQ(WelcomePage(), "<h2><img src=\"./aide/info.gif\" align=\"middle\" transp>&nbsp;<u>Information</u></h2>"
                             "<hr size=1>Choisissez<hr size=1>Choose");
    EXPECT_EQ(PageBaseFolder(), ProgramFolder);
    DictionaryPath = "/jeux/Dic/Animaux.dat";
    EXPECT_EQ(PageBaseFolder(), "/jeux/Dic/");
}

struct TArgumentsCase {
    const char* name;
    std::vector<std::string> arguments;
    std::optional<std::string> path;
};

class ArgumentsTest : public ::testing::TestWithParam<TArgumentsCase> {};

TEST_P(ArgumentsTest, FirstSwitchNamesTheDictionary)
{
    EXPECT_EQ(DictionaryPathFromArguments(GetParam().arguments), GetParam().path);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, ArgumentsTest,
    ::testing::Values(TArgumentsCase{"AnyCaseKeepsThePathsCase", {"/D=C:\\Dic\\Animaux.dat"}, "C:\\Dic\\Animaux.dat"},
                      TArgumentsCase{"FromTheFourthCharacter", {"x/d=abc"}, "=abc"},
                      TArgumentsCase{"FirstSwitchWins", {"-v", "/d=un.dat", "/d=deux.dat"}, "un.dat"},
                      TArgumentsCase{"EmptySwitch", {"/d="}, ""},
                      TArgumentsCase{"NoSwitch", {"un.dat"}, std::nullopt},
                      TArgumentsCase{"NoArgument", {}, std::nullopt}),
    [](const ::testing::TestParamInfo<TArgumentsCase>& info) { return std::string(info.param.name); });

struct TLinkCase {
    const char* name;
    std::string url;
    std::optional<std::string> target; // relative to the page's folder unless a URL
    bool inFolder = true;
};

class LinkTest : public TGameTest, public ::testing::WithParamInterface<TLinkCase> {};

TEST_P(LinkTest, OnlySafeLinksReachTheDesktop)
{
    ASSERT_EQ(::mkdir(platform::NativePath(Path("img")).c_str(), 0755), 0);
    Write("img/pic.gif", "GIF89a");
    Write("doc.htm", "<p>");
    Write("run.sh", "#!/bin/sh\n");
    ::chmod(platform::NativePath(Path("run.sh")).c_str(), 0755);
    Write("lanceur.desktop", "[Desktop Entry]\n");
    const TLinkCase& c = GetParam();
    std::string url = c.url;
    if (url.rfind("file://", 0) == 0)
        url += Path("doc.htm");
    std::optional<std::string> expected = c.target;
    if (expected && c.inFolder)
        expected = Path(*expected);
    EXPECT_EQ(DesktopLinkTarget(url, Path()), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Links, LinkTest,
    ::testing::Values(TLinkCase{"Http", "http://a.org/x", "http://a.org/x", false},
                      TLinkCase{"HttpsAnyCase", "HTTPS://A.org", "HTTPS://A.org", false},
                      TLinkCase{"Mailto", "mailto:x@y.fr", "mailto:x@y.fr", false},
                      TLinkCase{"Script", "javascript:alert(1)", std::nullopt},
                      TLinkCase{"OtherScheme", "ftp://a.org/f", std::nullopt},
                      TLinkCase{"PictureBesideThePage", "img/pic.gif", "img/pic.gif"},
                      TLinkCase{"NameWrittenInOtherCase", "IMG/Pic.GIF", "img/pic.gif"},
                      TLinkCase{"AnchorDropped", " doc.htm#part ", "doc.htm"},
                      TLinkCase{"FileUrl", "file://", "doc.htm"},
                      TLinkCase{"ExecutableFile", "run.sh", std::nullopt},
                      TLinkCase{"LauncherFile", "lanceur.desktop", std::nullopt},
                      TLinkCase{"MissingFile", "absent.gif", std::nullopt},
                      TLinkCase{"Folder", "img", std::nullopt},
                      TLinkCase{"Empty", "", std::nullopt}),
    [](const ::testing::TestParamInfo<TLinkCase>& info) { return std::string(info.param.name); });

} // namespace
