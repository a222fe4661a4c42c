// Draws the pictures and cursors built into the programs, the fallbacks used when a theme has no
// file of its own, and writes the Qt resource files that list them.
// Usage: garvo_resources RESOURCE_FOLDER
#include "pictures/Look.h"
#include "resources/DesktopIcons.h"
#include "resources/GameResources.h"
#include "resources/UtilityResources.h"
#include "resources/ViewerResources.h"

#include <QGuiApplication>
#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s RESOURCE_FOLDER\n", argv[0]);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[1]);
    try {
        pictures::LoadFonts();
        resources::MakeGameResources(folder);
        resources::MakeViewerResources(folder);
        resources::MakeUtilityResources(folder);
        resources::MakeDesktopIcons(folder + QStringLiteral("/desktop"));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "garvo_resources: %s\n", error.what());
        return 1;
    }
    return 0;
}
