#include "GameFixture.h"

#include "game/GameResources.h"
#include "game/TfrmCDPlayer.h"
#include "platform/IniFile.h"
#include "platform/Windows1252.h"
#include "tests/support/CdAudioSimulated.h"
#include "tests/support/FakeDialogs.h"
#include "tests/support/FakeScreen.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include <memory>
#include <string>
#include <vector>

namespace {

using namespace game;
using platform::TSimulatedCdDevice;

constexpr char Drive[] = "/dev/sr1";

class CDPlayerWindow : public TGameTest {
protected:
    void SetUp() override
    {
        TGameTest::SetUp();
        InitGameResources();
        ThemeFolder = Path("Themes/Standard");
        LanguageFolder = ThemeFolder + "/Francais";
        game::CDPlayerWindow = {};
        screen->ScreenWidth = 1024;
        screen->ScreenHeight = 768;
        auto simulated = std::make_unique<TSimulatedCdDevice>();
        device = simulated.get();
        pending = std::move(simulated);
    }

    // The window over the drives set up so far, created as at the game's start.
    TfrmCDPlayer& Create()
    {
        form = std::make_unique<TfrmCDPlayer>(std::move(pending));
        frmCDPlayer = form.get();
        LoadLanguageTexts("frmCDPlayer", 0);
        return *form;
    }

    void AddDrive(const std::string& name, std::vector<int64_t> trackSeconds)
    {
        device->SimulatedDrives.push_back({name, true, TSimulatedCdDevice::AudioDisc(trackSeconds)});
    }

    std::string Text(const QLabel* label) const
    {
        std::string ansi;
        platform::UnicodeToAnsi(label->text(), ansi);
        return ansi;
    }

    std::vector<std::string> Values() const
    {
        return {Text(form->lblTracksValue), Text(form->lblCurrentTrackValue), Text(form->lblTrackTimeValue),
                Text(form->lblTrackTimeElapsedValue)};
    }

    void Mouse(QWidget* target, QEvent::Type type, Qt::MouseButton button)
    {
        QMouseEvent event(type, QPointF(5, 5), target->mapToGlobal(QPointF(5, 5)), button,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : button, Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }

    platform::TScopedFakeScreen screen;
    platform::TScopedFakeDialogs dialogs;
    TSimulatedCdDevice* device = nullptr;
    std::unique_ptr<platform::TCdDevice> pending;
    std::unique_ptr<TfrmCDPlayer> form;
};

TEST_F(CDPlayerWindow, AStoppedDiscShowsItsDriveStateAndTracks)
{
    AddDrive(Drive, std::vector<int64_t>(12, 200));
    Create();
    EXPECT_FALSE(form->NoDisc);
    EXPECT_EQ(Text(form->lblCDDrive), "sr1: ");
    form->timUpdateInfoTimer();
    EXPECT_EQ(Text(form->lblCDPlayerStatus), "Arr\xEAt\xE9");
    EXPECT_EQ(Values(), (std::vector<std::string>{"12 ", "1 ", "3 mn 20 s ", "0 mn 0 s "}));
}

TEST_F(CDPlayerWindow, APlayingTrackShowsItsLengthAndTheTimePlayed)
{
    AddDrive(Drive, {100, 100, 245, 30});
    Create();
    form->imgNextClick();
    form->imgNextClick();
    form->imgPlayClick();
    device->Advance(62'000);
    form->timUpdateInfoTimer();
    EXPECT_EQ(Text(form->lblCDPlayerStatus), "En cours de lecture");
    EXPECT_EQ(Values(), (std::vector<std::string>{"4 ", "3 ", "4 mn 5 s ", "1 mn 2 s "}));
}

TEST_F(CDPlayerWindow, TheButtonsDriveTheDisc)
{
    AddDrive(Drive, {100, 100, 100});
    Create();
    const auto mode = [this] { return form->mediaCDPlayer.Mode(); };
    const auto track = [this] { return platform::TmsfTrack(form->mediaCDPlayer.PositionTmsf()); };
    QTest::mouseClick(form->imgPlay, Qt::LeftButton);
    EXPECT_EQ(mode(), platform::cdPlaying);
    form->imgPauseClick();
    EXPECT_EQ(mode(), platform::cdPaused);
    form->imgPauseClick();
    EXPECT_EQ(mode(), platform::cdPlaying);
    form->imgNextClick();
    EXPECT_EQ(track(), 2);
    form->imgFastForwardClick();
    EXPECT_EQ(form->mediaCDPlayer.PositionTmsf(), platform::PackTmsf(2, 5 * platform::CdFramesPerSecond));
    form->imgFastRewindClick();
    form->imgFastRewindClick();
    EXPECT_EQ(track(), 1);
    EXPECT_EQ(mode(), platform::cdPlaying);
    form->imgPreviousClick();
    EXPECT_EQ(form->mediaCDPlayer.PositionTmsf(), platform::PackTmsf(1, 0));
    form->imgNextClick();
    form->imgStopClick();
    EXPECT_EQ(mode(), platform::cdStopped);
    EXPECT_EQ(form->mediaCDPlayer.PositionTmsf(), platform::PackTmsf(1, 0));
    form->imgEjectClick();
    EXPECT_EQ(mode(), platform::cdOpen);
}

TEST_F(CDPlayerWindow, WithoutADriveThePlayerIsNotReadyAndOnlyEjectComplains)
{
    Create();
    EXPECT_TRUE(form->NoDisc);
    EXPECT_EQ(Text(form->lblCDDrive), "Vide");
    form->timUpdateInfoTimer();
    EXPECT_EQ(Text(form->lblCDPlayerStatus), "Non pr\xEAt");
    EXPECT_EQ(Values(), std::vector<std::string>(4));
    EXPECT_TRUE(form->NoDisc);
    for (TCDPlayerButton* button : form->Buttons())
        if (button != form->imgExit && button != form->imgEject)
            QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_TRUE(dialogs->ErrorBoxes.empty());
    EXPECT_TRUE(dialogs->MessageBoxes.empty());
    // Eject does not wait for a disc: with no drive open the drive's error is told.
    QTest::mouseClick(form->imgEject, Qt::LeftButton);
    EXPECT_EQ(dialogs->ErrorBoxes.size(), 1u);
}

TEST_F(CDPlayerWindow, TheSearchTakesTheFirstStoppedAudioDiscAndEndsAtADriveThatWillNotOpen)
{
    struct TCase {
        const char* What;
        std::vector<platform::TSimulatedCdDevice::TDrive> Drives;
        bool NoDisc;
        std::string OpenDrive;
        std::string Label;
    };
    const auto audio = [](int tracks) { return TSimulatedCdDevice::AudioDisc(std::vector<int64_t>(tracks, 100)); };
    const std::vector<TCase> cases{
        {"no drive", {}, true, "", "Vide"},
        {"data disc, empty drive, then music",
         {{"/dev/sr1", true, audio(1)}, {"/dev/sr2", true, std::nullopt}, {"/dev/sr3", true, audio(2)},
          {"/dev/sr4", true, audio(2)}},
         false, "/dev/sr3", "sr3: "},
        {"a drive that will not open ends the search",
         {{"/dev/sr0", false, audio(2)}, {"/dev/sr1", true, audio(2)}}, true, "", "sr0: "},
        {"after a data disc", {{"/dev/sr1", true, audio(1)}, {"/dev/sr2", false, audio(2)}}, true, "/dev/sr1", "sr2: "},
    };
    for (const TCase& c : cases) {
        pending = std::make_unique<TSimulatedCdDevice>();
        device = static_cast<TSimulatedCdDevice*>(pending.get());
        device->SimulatedDrives = c.Drives;
        Create();
        EXPECT_EQ(form->NoDisc, c.NoDisc) << c.What;
        EXPECT_EQ(device->OpenDrive(), c.OpenDrive) << c.What;
        EXPECT_EQ(Text(form->lblCDDrive), c.Label) << c.What;
    }
}

TEST_F(CDPlayerWindow, TheSearchTakesOnlyAStoppedDisc)
{
    AddDrive(Drive, {100, 100});
    Create();
    form->imgPlayClick();
    EXPECT_TRUE(form->FindCDDrive()) << "playing";
    form->imgPauseClick();
    EXPECT_TRUE(form->FindCDDrive()) << "paused";
    form->imgStopClick();
    EXPECT_FALSE(form->FindCDDrive()) << "stopped";
}

TEST_F(CDPlayerWindow, AFailingDriveIsToldByEveryButtonThatUsesIt)
{
    const std::vector<std::pair<const char*, TCDPlayerButton* TfrmCDPlayer::*>> buttons{
        {"play", &TfrmCDPlayer::imgPlay},         {"stop", &TfrmCDPlayer::imgStop},
        {"previous", &TfrmCDPlayer::imgPrevious}, {"next", &TfrmCDPlayer::imgNext},
        {"forward", &TfrmCDPlayer::imgFastForward}, {"rewind", &TfrmCDPlayer::imgFastRewind},
        {"eject", &TfrmCDPlayer::imgEject},
    };
    for (const auto& [what, button] : buttons) {
        pending = std::make_unique<TSimulatedCdDevice>();
        device = static_cast<TSimulatedCdDevice*>(pending.get());
        AddDrive(Drive, {100, 100});
        Create();
        ASSERT_FALSE(form->NoDisc);
        device->Vanish(); // before the next update notices
        dialogs->ErrorBoxes.clear();
        QTest::mouseClick(form.get()->*button, Qt::LeftButton);
        ASSERT_EQ(dialogs->ErrorBoxes.size(), 1u) << what;
        EXPECT_EQ(dialogs->ErrorBoxes[0], "Le lecteur ne r\xE9pond pas") << what;
    }
}

TEST_F(CDPlayerWindow, ADataDiscIsNotTakenButCanBeEjected)
{
    AddDrive(Drive, {3000});
    Create();
    EXPECT_TRUE(form->NoDisc);
    EXPECT_EQ(Text(form->lblCDDrive), "sr1: ");
    form->imgPlayClick();
    EXPECT_EQ(device->Mode(), platform::cdStopped);
    form->imgEjectClick();
    EXPECT_EQ(device->Mode(), platform::cdOpen);
}

TEST_F(CDPlayerWindow, OpeningTheDoorWhilePlayingEmptiesTheValuesUntilADiscComesBack)
{
    AddDrive(Drive, {100, 100});
    Create();
    form->FormActivate();
    form->imgPlayClick();
    form->timUpdateInfoTimer();
    form->imgEjectClick();
    form->timUpdateInfoTimer();
    EXPECT_EQ(Text(form->lblCDPlayerStatus), "Vide");
    EXPECT_EQ(Values(), std::vector<std::string>(4));
    EXPECT_TRUE(form->NoDisc);
    EXPECT_EQ(form->timUpdateInfo.interval(), CDIdleInterval);
    device->Insert(Drive, TSimulatedCdDevice::AudioDisc({50, 50, 50}));
    form->timUpdateInfoTimer();
    EXPECT_FALSE(form->NoDisc);
    form->timUpdateInfoTimer();
    EXPECT_EQ(Values()[0], "3 ");
}

TEST_F(CDPlayerWindow, ADriveThatVanishesWhilePlayingIsNotReadyAndSearchedFor)
{
    AddDrive(Drive, {100, 100});
    Create();
    form->FormActivate();
    form->imgPlayClick();
    form->timUpdateInfoTimer();
    device->Vanish();
    form->timUpdateInfoTimer();
    EXPECT_EQ(Text(form->lblCDPlayerStatus), "Non pr\xEAt");
    EXPECT_EQ(Values(), std::vector<std::string>(4));
    EXPECT_TRUE(form->NoDisc);
    form->imgPlayClick();
    form->imgNextClick();
    AddDrive("/dev/sr2", {100, 100});
    form->timUpdateInfoTimer();
    EXPECT_FALSE(form->NoDisc);
    EXPECT_EQ(Text(form->lblCDDrive), "sr2: ");
}

TEST_F(CDPlayerWindow, StatusTextsComeFromTheLanguageFile)
{
    QDir().mkpath(QString::fromStdString(LanguageFolder));
    Write("Themes/Standard/Francais/language.ini", "[CD-Player]\r\nStopped=Stopped\r\n");
    AddDrive(Drive, {100, 100});
    Create();
    form->timUpdateInfoTimer();
    EXPECT_EQ(Text(form->lblCDPlayerStatus), "Stopped");
    EXPECT_EQ(CDStatusText(7), CDStatusText(platform::cdNotReady));
    EXPECT_EQ(CDStatusText(-1), "Non pr\xEAt");
}

// The drive's faults are told in the interface's language, the language file's text first.
TEST_F(CDPlayerWindow, DriveFaultsAreToldInTheLanguageOfTheInterface)
{
    const struct {
        const char* languageFile;
        const char* told;
    } cases[] = {
        {"[CD-Player]\r\nDriveDoesNotAnswer=The drive does not answer\r\n", "The drive does not answer"},
        {"[CD-Player]\r\n", "Le lecteur ne r\xE9pond pas"},
    };
    QDir().mkpath(QString::fromStdString(LanguageFolder));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.told);
        Write("Themes/Standard/Francais/language.ini", c.languageFile);
        pending = std::make_unique<TSimulatedCdDevice>();
        device = static_cast<TSimulatedCdDevice*>(pending.get());
        AddDrive(Drive, {100, 100});
        Create();
        device->Vanish();
        dialogs->ErrorBoxes.clear();
        form->imgEjectClick();
        ASSERT_EQ(dialogs->ErrorBoxes.size(), 1u);
        EXPECT_EQ(dialogs->ErrorBoxes[0], c.told);
    }
}

TEST_F(CDPlayerWindow, TheUpdateRateFollowsTheDiscAndTheWindow)
{
    AddDrive(Drive, {100, 100});
    Create();
    struct TStep {
        const char* What;
        std::function<void()> Action;
        bool Running;
        int Interval;
    };
    const std::vector<TStep> steps{
        {"off at creation", [] {}, false, 0},
        {"activated", [this] { form->FormActivate(); }, true, CDBusyInterval},
        {"stopped disc, active window", [this] { form->timUpdateInfoTimer(); }, true, CDIdleInterval},
        {"a button", [this] { form->imgPlayClick(); }, true, CDBusyInterval},
        {"playing", [this] { form->timUpdateInfoTimer(); }, true, CDBusyInterval},
        {"a press on the window", [this] { Mouse(form->imgBackground, QEvent::MouseButtonPress, Qt::RightButton); }, false, 0},
        {"its release", [this] { Mouse(form->imgBackground, QEvent::MouseButtonRelease, Qt::RightButton); }, true, CDBusyInterval},
        {"deactivated while playing", [this] { form->FormDeactivate(); }, true, CDBusyInterval},
        {"paused while inactive", [this] { form->imgPauseClick(); form->timUpdateInfoTimer(); }, false, 0},
        {"activated again", [this] { form->FormActivate(); }, true, CDBusyInterval},
        {"deactivated while paused", [this] { form->FormDeactivate(); }, false, 0},
    };
    for (const TStep& step : steps) {
        step.Action();
        EXPECT_EQ(form->timUpdateInfo.isActive(), step.Running) << step.What;
        if (step.Running) {
            EXPECT_EQ(form->timUpdateInfo.interval(), step.Interval) << step.What;
        }
    }
}

TEST_F(CDPlayerWindow, HoveringAButtonShowsItsHoverPictureAlone)
{
    Create();
    const auto shows = [](const TCDPlayerButton* button, const QPixmap& picture) {
        return button->pixmap().toImage() == picture.toImage();
    };
    // Made at the game's start, the hidden window decodes no face before it shows.
    for (const TCDPlayerButton* button : form->Buttons())
        EXPECT_TRUE(button->pixmap().isNull()) << button->objectName().toStdString();
    form->show();
    for (const TCDPlayerButton* button : form->Buttons()) {
        EXPECT_EQ(button->Tag, 0);
        EXPECT_TRUE(shows(button, button->Normal())) << button->objectName().toStdString();
        EXPECT_FALSE(button->Normal().isNull());
        EXPECT_FALSE(button->Normal().toImage() == button->Hover().toImage());
    }
    emit form->imgPlay->Hovered();
    emit form->imgStop->Hovered();
    EXPECT_EQ(form->imgPlay->Tag, 0);
    EXPECT_TRUE(shows(form->imgPlay, form->imgPlay->Normal()));
    EXPECT_EQ(form->imgStop->Tag, 1);
    EXPECT_TRUE(shows(form->imgStop, form->imgStop->Hover()));
    Mouse(form->lblTracks, QEvent::MouseMove, Qt::NoButton);
    EXPECT_EQ(form->imgStop->Tag, 0);
    EXPECT_TRUE(shows(form->imgStop, form->imgStop->Normal()));
}

TEST_F(CDPlayerWindow, OnlyExitClosesTheWindowWhichThenWritesItsPlaceAndColour)
{
    Create();
    form->show();
    form->close();
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(Exists("garvo.ini"));
    form->move(100, 120);
    dialogs->ColorAnswers.push_back(platform::TColor{0xFF});
    form->mnuColorText->trigger();
    EXPECT_EQ(form->lblCDDrive->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    form->imgExitClick();
    EXPECT_FALSE(form->isVisible());
    const platform::TIniFile ini(SettingsFilePath);
    EXPECT_EQ(ini.ReadString("General", "Create", ""), "Ok");
    EXPECT_EQ(ini.ReadInteger("General", "CDPlayerWindow.Left", 0), 100);
    EXPECT_EQ(ini.ReadInteger("General", "CDPlayerWindow.Top", 0), 120);
    EXPECT_EQ(ini.ReadInteger("General", "CDPlayerWindow.FontColor", 0), 0xFF);
}

TEST_F(CDPlayerWindow, AReadOnlySettingsFileIsLeftAsItIs)
{
    const std::string settings = "[General]\r\nCDPlayerWindow.Left=10\r\n";
    Write("garvo.ini", settings);
    SetReadOnly("garvo.ini");
    Create();
    form->Tag = 1;
    form->close();
    EXPECT_EQ(Read("garvo.ini"), settings);
}

TEST_F(CDPlayerWindow, RememberedPlacesOffTheScreenAreReplaced)
{
    struct TCase {
        int Left, Top;
        QPoint AtCreation, AtShow;
    };
    const std::vector<TCase> cases{
        {-1, -1, {437, 274}, {437, 274}},
        {2000, 100, {874, 100}, {437, 100}},
        {873, 547, {873, 547}, {873, 547}},
        {30, 5000, {30, 548}, {30, 274}},
    };
    for (const TCase& c : cases) {
        Write("garvo.ini", "[General]\r\nCDPlayerWindow.Left=" + std::to_string(c.Left) + "\r\nCDPlayerWindow.Top=" +
                               std::to_string(c.Top) + "\r\nCDPlayerWindow.FontColor=$FF0000\r\n");
        pending = std::make_unique<TSimulatedCdDevice>();
        Create();
        EXPECT_EQ(form->pos(), c.AtCreation) << c.Left << "," << c.Top;
        EXPECT_EQ(form->lblTracks->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        form->show();
        EXPECT_EQ(form->pos(), c.AtShow) << c.Left << "," << c.Top;
        EXPECT_EQ(QPoint(game::CDPlayerWindow.Left, game::CDPlayerWindow.Top), c.AtShow);
        form->Tag = 1;
        form->close();
    }
}

TEST_F(CDPlayerWindow, F1AsksForHelp)
{
    Create();
    QSignalSpy help(form.get(), &TfrmCDPlayer::HelpRequested);
    QTest::keyClick(form.get(), Qt::Key_F1);
    EXPECT_EQ(help.count(), 1);
}

} // namespace
