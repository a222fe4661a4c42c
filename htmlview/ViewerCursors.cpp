#include "htmlview/ViewerCursors.h"

#include <QPixmap>

#include <optional>

// Resources of a static library are registered by name from outside any namespace.
static void InitViewerResources()
{
    Q_INIT_RESOURCE(viewer);
}

namespace htmlview {

namespace {

struct TCursorSource {
    const char* Resource;
    int HotX;
    int HotY;
    Qt::CursorShape Standard;
};

const TCursorSource& SourceOf(TViewerCursorSlot slot)
{
    static const TCursorSource hand{":/viewer/1003.png", 13, 9, Qt::PointingHandCursor};
    static const TCursorSource text{":/viewer/1006.png", 15, 12, Qt::IBeamCursor};
    return slot == crHotSpot ? hand : text;
}

std::optional<QCursor>& Slot(TViewerCursorSlot slot)
{
    static std::optional<QCursor> loaded[2];
    return loaded[slot == crHotSpot ? 0 : 1];
}

QCursor LoadCursor(const TCursorSource& source)
{
    const QPixmap picture(QString::fromLatin1(source.Resource));
    if (picture.isNull())
        return QCursor(source.Standard);
    return QCursor(picture, source.HotX, source.HotY);
}

} // namespace

void StartViewerCursors()
{
    InitViewerResources();
    for (const TViewerCursorSlot slot : {crHotSpot, crViewerText})
        Slot(slot) = LoadCursor(SourceOf(slot));
}

void StopViewerCursors()
{
    for (const TViewerCursorSlot slot : {crHotSpot, crViewerText})
        Slot(slot).reset();
}

QCursor ViewerCursor(TViewerCursorSlot slot)
{
    const std::optional<QCursor>& cursor = Slot(slot);
    return cursor ? *cursor : QCursor(SourceOf(slot).Standard);
}

void SetViewerCursor(TViewerCursorSlot slot, const QCursor& cursor)
{
    Slot(slot) = cursor;
}

} // namespace htmlview
