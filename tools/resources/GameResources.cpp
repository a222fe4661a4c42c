#include "resources/GameResources.h"

#include "pictures/LanguagePictures.h"
#include "pictures/ThemePictures.h"
#include "resources/BrandPictures.h"
#include "resources/ControlPictures.h"
#include "resources/CursorPictures.h"
#include "resources/DigitPictures.h"
#include "resources/GallowsPictures.h"
#include "resources/ResourceSet.h"

#include <utility>

namespace resources {

using namespace pictures;

namespace {

// The built-in look is the standard theme in French, the game's default language.
void AddMainWindow(TResourceSet& set)
{
    const QImage background = MainBackground();
    set.Add(QStringLiteral("main/imgBackground.png"), background);
    set.Add(QStringLiteral("main/imgLogo.png"), Logo());
    set.Add(QStringLiteral("main/TitleImage.png"), TitlePicture(background, QStringLiteral("Le Jeu du Garvo")));
    const std::pair<const char*, TIcon> tools[] = {
        {"btnHelp", TIcon::Help},         {"btnOpen", TIcon::Open},         {"btnViewScore", TIcon::Scores},
        {"btnOption", TIcon::Options},    {"btnAbout", TIcon::About},       {"btnCDPlayer", TIcon::CDPlayer},
        {"btnMagnify", TIcon::Magnify},   {"btnEdit", TIcon::Dictionary},   {"btnMinimize", TIcon::Minimize},
        {"btnExit", TIcon::Exit},
    };
    for (const auto& [name, icon] : tools)
        set.Add(QStringLiteral("main/%1.png").arg(QLatin1String(name)), ToolKey(icon));
    set.Add(QStringLiteral("main/btnStart.png"), WordKey(TWordKey::Start, QStringLiteral("Commencer")));
    set.Add(QStringLiteral("main/btnContinue.png"), WordKey(TWordKey::Continue, QStringLiteral("Continuer")));
    set.Add(QStringLiteral("main/btnStop.png"), WordKey(TWordKey::Stop, QString::fromUtf8("Arrêter")));
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        set.Add(QStringLiteral("main/btn%1.png").arg(QChar(letter)), LetterKey(letter));
    for (int stage = 0; stage < GallowsStages; ++stage)
        set.Add(QStringLiteral("gallows/%1.bmp").arg(stage), GallowsStage(stage));
    for (int digit = 0; digit < DigitPictureCount; ++digit)
        set.Add(QStringLiteral("digits/%1.png").arg(digit), DigitPicture(digit));
}

void AddSideWindows(TResourceSet& set)
{
    set.Add(QStringLiteral("buttons/btnOk.png"), WordKey(TWordKey::Ok, QStringLiteral("OK")));
    set.Add(QStringLiteral("buttons/btnCancel.png"), WordKey(TWordKey::Cancel, QStringLiteral("Annuler")));

    set.Add(QStringLiteral("options/imgBackground.png"), OptionsBackground());
    set.Add(QStringLiteral("options/choiceUp.png"), ChoiceGlyph(false));
    set.Add(QStringLiteral("options/choiceDown.png"), ChoiceGlyph(true));
    set.Add(QStringLiteral("options/toggleUp.png"), ToggleGlyph(false));
    set.Add(QStringLiteral("options/toggleDown.png"), ToggleGlyph(true));

    set.Add(QStringLiteral("scores/imgBackground.png"), ScoresBackground());

    set.Add(QStringLiteral("about/imgBackground.png"), AboutBackground());
    set.Add(QStringLiteral("about/imgUmbo.png"), AssociationBadge());

    set.Add(QStringLiteral("cdplayer/imgBackground.png"), CDPlayerBackground());
    const std::pair<const char*, TIcon> buttons[] = {
        {"imgFastRewind", TIcon::Rewind}, {"imgPlay", TIcon::Start},  {"imgFastForward", TIcon::Continue},
        {"imgPrevious", TIcon::Previous}, {"imgStop", TIcon::Stop},   {"imgNext", TIcon::Next},
        {"imgEject", TIcon::Eject},       {"imgPause", TIcon::Pause}, {"imgExit", TIcon::Exit},
    };
    // Each button's normal picture ends in 0, its hover picture in 1, as the window names them.
    for (const auto& [name, icon] : buttons) {
        for (const int hover : {0, 1}) {
            const QString picture = QStringLiteral("cdplayer/%1%2.png").arg(QLatin1String(name)).arg(hover);
            set.Add(picture, CDPlayerButton(icon, hover));
        }
    }

    set.Add(QStringLiteral("language/imgVelmora.png"), LanguagePortrait());
    set.Add(QStringLiteral("splash/picture.bmp"), SplashPicture());
    set.Add(QStringLiteral("icons/garvo.png"), GameIcon());
}

} // namespace

void MakeGameResources(const QString& folder)
{
    TResourceSet set(folder, QStringLiteral("garvo.qrc"));
    AddMainWindow(set);
    AddSideWindows(set);
    for (const TCursorPicture& cursor : GameCursors())
        set.AddCursor(QStringLiteral("cursors/%1.png").arg(cursor.name), cursor.picture, cursor.hotSpot);
    set.Finish(QStringLiteral("cursors/hotspots.txt"));
}

} // namespace resources
