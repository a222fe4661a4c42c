#include "resources/ViewerResources.h"

#include "resources/CursorPictures.h"
#include "resources/ResourceSet.h"
#include "resources/ViewerPictures.h"

namespace resources {

void MakeViewerResources(const QString& folder)
{
    TResourceSet set(folder, QStringLiteral("viewer.qrc"));
    set.Add(QStringLiteral("viewer/1001.png"), BrokenPicture());
    set.Add(QStringLiteral("viewer/1002.png"), PendingPicture());
    set.Add(QStringLiteral("viewer/1005.png"), BrokenPictureMask());
    for (const TCursorPicture& cursor : {ViewerLinkCursor(), ViewerTextCursor()})
        set.AddCursor(QStringLiteral("viewer/%1.png").arg(cursor.name), cursor.picture, cursor.hotSpot);
    set.Finish(QStringLiteral("viewer/hotspots.txt"));
}

} // namespace resources
