#pragma once
// The pictures the viewer shares across the process: the cache that keeps every picture read
// (with its transparency mask) for a number of page loads after its last use, the two stand-in
// pictures shown for a picture that is off, pending or broken, and the marker an image request
// handler hands back to say that a picture will come later.
//
// The screen is taken as true colour (ColorBits 24): pictures are drawn as they are decoded and
// no shared palette is needed.
#include "platform/Bitmap.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace htmlview {

class TGIFImage;

// The colour class of the screen the pictures are made for.
constexpr uint8_t ColorBits = 24;

// One cached picture: a still bitmap or an animated GIF, with its mask.
struct TBitmapItem {
    TBitmapItem();
    TBitmapItem(const TBitmapItem&) = delete;
    TBitmapItem& operator=(const TBitmapItem&) = delete;
    ~TBitmapItem();

    int32_t IdleLoads = 0; // page loads since it was last taken
    int32_t Users = 0;     // picture objects using it now
    uint8_t TransparencyKind = 0; // 0 none, 1 colour of the lower-left pixel, 2 a GIF's own
    std::unique_ptr<platform::TBitmap> Bitmap;
    std::unique_ptr<TGIFImage> Gif;
    std::unique_ptr<platform::TBitmap> MaskBitmap;
};

// Keys are compared without regard to letter case, and without the spaces and control bytes
// around them, so a name releases the entry it was fetched under.
class TStringBitmapList {
public:
    static constexpr int32_t DefaultCacheLimit = 4;

    int32_t CacheLimit = DefaultCacheLimit;

    int Count() const { return static_cast<int>(Entries_.size()); }
    // The entry of Key, or -1.
    int IndexOf(const std::string& key) const;
    const std::string& Key(int index) const { return Entries_[static_cast<size_t>(index)].Key; }
    TBitmapItem& Item(int index) const { return *Entries_[static_cast<size_t>(index)].Item; }

    // Adds the entry with one user; answers its index, or -1 (Item kept by the caller) when the
    // key is already there.
    int AddObject(const std::string& key, std::unique_ptr<TBitmapItem>& item);
    // One more user; the entry is fresh again.
    TBitmapItem& TakeImage(int index);
    // One user less for the entry of Name, when there is one.
    void ReleaseImage(const std::string& name);
    // At each page load: every entry ages by one; unused ones older than CacheLimit go.
    void AgeAndTrim();
    // Unused entries older than N go; N becomes the limit.
    void SetCacheLimit(int32_t n);
    // Every unused entry goes (when memory runs short).
    void DropUnused();
    void Clear() { Entries_.clear(); }

private:
    struct TEntry {
        std::string Key;
        std::unique_ptr<TBitmapItem> Item;
    };
    template <class TPredicate>
    void RemoveUnusedIf(TPredicate older);

    std::vector<TEntry> Entries_; // sorted by key
};

// The cache key of a picture name: upper case, trimmed.
std::string ImageCacheKey(const std::string& name);

// The process-wide cache (exists between StartPictureUnit and StopPictureUnit).
TStringBitmapList& ImageCache();

// The 16 x 16 stand-ins: a picture not shown (off or not yet delivered), a picture that could not
// be read, and the latter's mask (its rounded corners transparent).
const platform::TBitmap& PendingPicture();
const platform::TBitmap& BrokenPicture();
const platform::TBitmap& BrokenPictureMask();

// What an image request handler hands back to say that the picture comes later.
const std::string* WaitStream();

// Makes the stand-ins from the viewer's resources and the cache with limit 4. Needs the
// application object; call once at program start, next to StartViewerCursors, before any viewer
// exists. StopPictureUnit frees every cached picture (at exit, before the application goes).
void StartPictureUnit();
void StopPictureUnit();

} // namespace htmlview
