#include "game/unitCursors.h"

#include "htmlview/ViewerCursors.h"

#include <QFile>
#include <QPixmap>
#include <QTextStream>
#include <QVariant>
#include <QWidget>

#include <array>
#include <map>

namespace game {

namespace {

constexpr size_t SlotCount = LastCustomCursor - FirstCustomCursor + 1;

// The standard cursor number a control was declared with. A cursor that a Qt class sets itself
// (an edit box's text beam) is its class's, not a declared one: such a control has the default.
constexpr const char* DeclaredCursor = "garvoDeclaredCursor";

const std::array<const char*, SlotCount> ResourceNames = {
    "CURSOR_ARROW",     "CURSOR_CROSS",   "CURSOR_IBEAM",    "CURSOR_SIZEALL", "CURSOR_SIZENESW", "CURSOR_SIZENS",
    "CURSOR_SIZENWSE",  "CURSOR_SIZEWE",  "CURSOR_UPARROW",  "CURSOR_HOURGLASS", "CURSOR_DRAG",   "CURSOR_NODROP",
    "CURSOR_HSPLIT",    "CURSOR_VSPLIT",  "CURSOR_MULTIDRAG", "CURSOR_SQLWAIT", "CURSOR_NO",      "CURSOR_APPSTART",
    "CURSOR_HELP",      "CURSOR_HANDPOINT", "CURSOR_SIZEALL"};

// A slot's cursor is made when first asked for: a window uses few of the 21.
struct TSlot {
    bool loaded = false;
    std::optional<QCursor> cursor;
};

std::array<TSlot, SlotCount>& Slots()
{
    static std::array<TSlot, SlotCount> table;
    return table;
}

std::map<QString, QPoint>& HotSpots()
{
    static std::map<QString, QPoint> hotSpots;
    return hotSpots;
}

std::optional<QCursor> ReadCursor(size_t index)
{
    const QString name = QString::fromLatin1(ResourceNames[index]);
    const QPixmap picture(QStringLiteral(":/cursors/") + name + QStringLiteral(".png"));
    if (picture.isNull())
        return std::nullopt;
    const auto hotSpot = HotSpots().find(name);
    const QPoint at = hotSpot != HotSpots().end() ? hotSpot->second : QPoint();
    return QCursor(picture, at.x(), at.y());
}

std::map<QString, QPoint> ReadHotSpots()
{
    std::map<QString, QPoint> hotSpots;
    QFile file(QStringLiteral(":/cursors/hotspots.txt"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return hotSpots;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QStringList fields = in.readLine().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (fields.size() == 3)
            hotSpots[fields[0]] = QPoint(fields[1].toInt(), fields[2].toInt());
    }
    return hotSpots;
}

} // namespace

std::string CursorResourceName(int slot)
{
    if (slot < FirstCustomCursor || slot > LastCustomCursor)
        return {};
    return ResourceNames[static_cast<size_t>(slot - FirstCustomCursor)];
}

void LoadCursors()
{
    HotSpots() = ReadHotSpots();
    Slots() = {};
    // The viewer's text cursor is the screen's slot 2: the game's viewer shows the custom arrow.
    if (const std::optional<QCursor> arrow = CustomCursor(FirstCustomCursor))
        htmlview::SetViewerCursor(htmlview::crViewerText, *arrow);
}

std::optional<QCursor> CustomCursor(int slot)
{
    if (slot < FirstCustomCursor || slot > LastCustomCursor)
        return std::nullopt;
    const auto index = static_cast<size_t>(slot - FirstCustomCursor);
    TSlot& entry = Slots()[index];
    if (!entry.loaded) {
        entry.cursor = ReadCursor(index);
        entry.loaded = true;
    }
    return entry.cursor;
}

int StandardCursorNumber(Qt::CursorShape shape)
{
    switch (shape) {
    case Qt::ArrowCursor: return -2;
    case Qt::CrossCursor: return -3;
    case Qt::IBeamCursor: return -4;
    case Qt::SizeAllCursor: return -5;
    case Qt::SizeBDiagCursor: return -6;
    case Qt::SizeVerCursor: return -7;
    case Qt::SizeFDiagCursor: return -8;
    case Qt::SizeHorCursor: return -9;
    case Qt::UpArrowCursor: return -10;
    case Qt::WaitCursor: return -11;
    case Qt::DragMoveCursor: return -12;
    case Qt::SplitHCursor: return -14;
    case Qt::SplitVCursor: return -15;
    case Qt::DragCopyCursor: return -16;
    case Qt::ForbiddenCursor: return -18;
    case Qt::BusyCursor: return -19;
    case Qt::WhatsThisCursor: return -20;
    case Qt::PointingHandCursor: return -21;
    default: return 0;
    }
}

void DeclareCursor(QWidget* control, Qt::CursorShape shape)
{
    control->setCursor(shape);
    control->setProperty(DeclaredCursor, StandardCursorNumber(shape));
}

void ApplyCursors(QWidget* window)
{
    for (QWidget* control : window->findChildren<QWidget*>()) {
        const QVariant declared = control->property(DeclaredCursor);
        if (!declared.isValid() || StandardCursorNumber(control->cursor().shape()) != declared.toInt())
            continue;
        if (const std::optional<QCursor> custom = CustomCursor(-declared.toInt()))
            control->setCursor(*custom);
    }
}

} // namespace game
