#include "htmlview/HtmlImageCache.h"

#include "htmlview/HtmlGif.h"
#include "htmlview/HtmlUtils.h"
#include "platform/TextTrim.h"
#include "platform/Windows1252.h"

#include <QImage>

#include <algorithm>
#include <optional>

// Resources of a static library are registered by name from outside any namespace.
static void InitPictureResources()
{
    Q_INIT_RESOURCE(viewer);
}

namespace htmlview {

TBitmapItem::TBitmapItem() = default;
TBitmapItem::~TBitmapItem() = default;

namespace {

int CompareKeys(const std::string& a, const std::string& b)
{
    return platform::AnsiCompareText(a, b);
}

} // namespace

std::string ImageCacheKey(const std::string& name)
{
    return platform::AnsiUpperCase(platform::TrimControlAndSpace(name));
}

int TStringBitmapList::IndexOf(const std::string& key) const
{
    const std::string wanted = ImageCacheKey(key);
    const auto found = std::lower_bound(Entries_.begin(), Entries_.end(), wanted,
                                        [](const TEntry& e, const std::string& k) { return CompareKeys(e.Key, k) < 0; });
    if (found == Entries_.end() || CompareKeys(found->Key, wanted) != 0)
        return -1;
    return static_cast<int>(found - Entries_.begin());
}

int TStringBitmapList::AddObject(const std::string& key, std::unique_ptr<TBitmapItem>& item)
{
    const std::string k = ImageCacheKey(key);
    if (!item || IndexOf(k) >= 0)
        return -1;
    const auto at = std::lower_bound(Entries_.begin(), Entries_.end(), k,
                                     [](const TEntry& e, const std::string& s) { return CompareKeys(e.Key, s) < 0; });
    item->Users += 1;
    const auto added = Entries_.insert(at, TEntry{k, std::move(item)});
    return static_cast<int>(added - Entries_.begin());
}

TBitmapItem& TStringBitmapList::TakeImage(int index)
{
    TBitmapItem& item = Item(index);
    item.IdleLoads = 0;
    item.Users += 1;
    return item;
}

void TStringBitmapList::ReleaseImage(const std::string& name)
{
    const int index = IndexOf(name);
    if (index >= 0)
        Item(index).Users -= 1;
}

template <class TPredicate>
void TStringBitmapList::RemoveUnusedIf(TPredicate older)
{
    // An entry in use is never freed: picture objects point into it.
    std::erase_if(Entries_, [&](TEntry& e) { return older(*e.Item) && e.Item->Users <= 0; });
}

void TStringBitmapList::AgeAndTrim()
{
    for (TEntry& e : Entries_)
        if (e.Item->IdleLoads < INT32_MAX)
            e.Item->IdleLoads += 1;
    RemoveUnusedIf([this](const TBitmapItem& item) { return item.IdleLoads > CacheLimit; });
}

void TStringBitmapList::SetCacheLimit(int32_t n)
{
    RemoveUnusedIf([n](const TBitmapItem& item) { return item.IdleLoads > n; });
    CacheLimit = n;
}

void TStringBitmapList::DropUnused()
{
    RemoveUnusedIf([](const TBitmapItem&) { return true; });
}

namespace {

// The picture unit's process-wide parts, made at the first use when StartPictureUnit was not
// called first (tests, tools).
struct TPictureUnit {
    platform::TBitmap Pending;
    platform::TBitmap Broken;
    platform::TBitmap BrokenMask;
    TStringBitmapList Cache;
    std::string Wait;
};

std::optional<TPictureUnit>& UnitSlot()
{
    static std::optional<TPictureUnit> unit;
    return unit;
}

// A resource picture, or a plain grey square of 16 x 16 when it is missing.
platform::TBitmap LoadStandIn(const char* resource, platform::TColor fallback)
{
    const QImage image(QString::fromLatin1(resource));
    if (!image.isNull())
        return platform::TBitmap(image);
    platform::TBitmap square(16, 16);
    square.Fill(fallback);
    return square;
}

TPictureUnit& Unit()
{
    if (!UnitSlot())
        StartPictureUnit();
    return *UnitSlot();
}

} // namespace

void StartPictureUnit()
{
    InitPictureResources();
    std::optional<TPictureUnit>& unit = UnitSlot();
    if (unit)
        return;
    unit.emplace();
    unit->Pending = LoadStandIn(":/viewer/1002.png", platform::clSilver);
    unit->Broken = LoadStandIn(":/viewer/1001.png", platform::clGray);
    // Without its resource the broken picture is drawn whole: an all-black mask.
    unit->BrokenMask = LoadStandIn(":/viewer/1005.png", platform::clBlack);
}

void StopPictureUnit()
{
    UnitSlot().reset();
}

TStringBitmapList& ImageCache()
{
    return Unit().Cache;
}

const platform::TBitmap& PendingPicture()
{
    return Unit().Pending;
}

const platform::TBitmap& BrokenPicture()
{
    return Unit().Broken;
}

const platform::TBitmap& BrokenPictureMask()
{
    return Unit().BrokenMask;
}

const std::string* WaitStream()
{
    return &Unit().Wait;
}

} // namespace htmlview
