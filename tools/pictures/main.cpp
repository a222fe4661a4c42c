// Draws every picture of data/: the Standard theme, its two languages, the dictionaries'
// illustrations and the help sign. Usage: garvo_pictures DATA_FOLDER FRAME_FOLDER
#include "pictures/DefinitionPictures.h"
#include "pictures/LanguagePictures.h"
#include "pictures/Look.h"
#include "pictures/ThemePictures.h"

#include <QGuiApplication>
#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s DATA_FOLDER FRAME_FOLDER\n", argv[0]);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QString data = QString::fromLocal8Bit(argv[1]);
    const QString frames = QString::fromLocal8Bit(argv[2]);
    try {
        using namespace pictures;
        LoadFonts();
        const QString theme = data + "/Themes/Standard";
        MakeThemePictures(theme);
        const QImage main = MainBackground();
        MakeLanguagePictures(theme + "/Francais", main,
                             {QString::fromUtf8("Le Jeu du Garvo"), QString::fromUtf8("Commencer"),
                              QString::fromUtf8("Continuer"), QString::fromUtf8("Arrêter"), QStringLiteral("OK"),
                              QStringLiteral("Annuler"), TFlag::France});
        MakeLanguagePictures(theme + "/English", main,
                             {QStringLiteral("The Garvo Game"), QStringLiteral("Start"), QStringLiteral("Continue"),
                              QStringLiteral("Stop"), QStringLiteral("OK"), QStringLiteral("Cancel"),
                              TFlag::UnitedKingdom});
        MakeDefinitionPictures(data + "/Dictionnaires/img", frames);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "garvo_pictures: %s\n", error.what());
        return 1;
    }
    return 0;
}
