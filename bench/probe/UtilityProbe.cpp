// The utility's start with one dictionary on its command line, for the word-list benchmark:
// done when the list paints its words.
//
//   garvo_utility_probe FOLDER FILE
#include "FirstPaint.h"

#include "htmlview/HtmlImageCache.h"
#include "htmlview/ViewerCursors.h"
#include "platform/Application.h"
#include "utility/Index.h"
#include "utility/UtilityResources.h"
#include "utility/unitUserList.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    platform::TGuardedApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s FOLDER FILE\n", argv[0]);
        return EXIT_FAILURE;
    }
    QApplication::setApplicationName(QStringLiteral("Lexorim"));
    utility::InitUtilityResources();
    htmlview::StartViewerCursors();
    htmlview::StartPictureUnit();
    utility::TfrmIndex window(std::string(argv[1]) + "/");
    utility::frmIndex = &window;
    probe::TFirstPaint report(window.pbList, [] {
        return !utility::UserList.Empty && utility::UserList.MaxIndex > 0
            && dictionary::WordArray.size() > static_cast<size_t>(utility::UserList.MaxIndex)
            && !dictionary::WordArray[static_cast<size_t>(utility::UserList.MaxIndex)].empty();
    });
    window.FormCreate({argv[2]});
    return QApplication::exec();
}
