// The shared picture cache: users, ageing by page loads, the limit, and names compared without
// regard to case and surrounding spaces.
#include "htmlview/HtmlImageCache.h"

#include <gtest/gtest.h>

#include <memory>

using namespace htmlview;

namespace {

std::unique_ptr<TBitmapItem> Item()
{
    auto item = std::make_unique<TBitmapItem>();
    item->Bitmap = std::make_unique<platform::TBitmap>(2, 2);
    return item;
}

// A list with one entry, KEY.BMP, that nobody uses any more.
struct UnusedEntry {
    TStringBitmapList Cache;
    explicit UnusedEntry(int32_t limit)
    {
        Cache.SetCacheLimit(limit);
        std::unique_ptr<TBitmapItem> item = Item();
        EXPECT_GE(Cache.AddObject("key.bmp", item), 0);
        Cache.ReleaseImage(" Key.BMP ");
    }
    // Page loads survived before the entry goes.
    int LoadsSurvived()
    {
        for (int loads = 0; loads < 100; ++loads) {
            Cache.AgeAndTrim();
            if (Cache.IndexOf("KEY.BMP") < 0)
                return loads;
        }
        return 100;
    }
};

} // namespace

TEST(ImageCacheTest, UnusedEntrySurvivesLimitLoads)
{
    for (const int32_t limit : {0, 1, 4, 5, 20}) {
        UnusedEntry entry(limit);
        EXPECT_EQ(entry.LoadsSurvived(), limit) << limit;
    }
}

TEST(ImageCacheTest, EntryInUseNeverGoes)
{
    TStringBitmapList cache;
    cache.SetCacheLimit(0);
    std::unique_ptr<TBitmapItem> item = Item();
    const int index = cache.AddObject("in use.gif", item);
    ASSERT_GE(index, 0);
    EXPECT_EQ(cache.Item(index).Users, 1);
    cache.TakeImage(index);
    cache.ReleaseImage("IN USE.GIF");
    for (int i = 0; i < 10; ++i)
        cache.AgeAndTrim();
    cache.SetCacheLimit(0);
    cache.DropUnused();
    ASSERT_EQ(cache.IndexOf("in use.gif"), 0);
    cache.ReleaseImage("in use.gif");
    cache.DropUnused();
    EXPECT_EQ(cache.Count(), 0);
}

TEST(ImageCacheTest, TakingAnEntryMakesItFreshAgain)
{
    UnusedEntry entry(2);
    entry.Cache.AgeAndTrim();
    entry.Cache.AgeAndTrim();
    const int index = entry.Cache.IndexOf("key.bmp");
    ASSERT_GE(index, 0);
    TBitmapItem& item = entry.Cache.TakeImage(index);
    EXPECT_EQ(item.IdleLoads, 0);
    EXPECT_EQ(item.Users, 1);
    entry.Cache.ReleaseImage("key.bmp");
    EXPECT_EQ(entry.LoadsSurvived(), 2);
}

TEST(ImageCacheTest, LowerLimitDropsOlderUnusedEntries)
{
    UnusedEntry entry(5);
    for (int i = 0; i < 3; ++i)
        entry.Cache.AgeAndTrim();
    entry.Cache.SetCacheLimit(3);
    EXPECT_GE(entry.Cache.IndexOf("key.bmp"), 0);
    entry.Cache.SetCacheLimit(2);
    EXPECT_LT(entry.Cache.IndexOf("key.bmp"), 0);
    EXPECT_EQ(entry.Cache.CacheLimit, 2);
}

TEST(ImageCacheTest, SameKeyIsRefused)
{
    TStringBitmapList cache;
    std::unique_ptr<TBitmapItem> first = Item();
    std::unique_ptr<TBitmapItem> second = Item();
    EXPECT_GE(cache.AddObject("a.bmp", first), 0);
    EXPECT_EQ(cache.AddObject("A.BMP", second), -1);
    EXPECT_TRUE(second); // still the caller's
    EXPECT_EQ(cache.Count(), 1);
    cache.ReleaseImage("nothing.bmp"); // no entry: nothing happens
    EXPECT_EQ(cache.Item(0).Users, 1);
}

TEST(ImageCacheTest, KeysAreSortedWithoutRegardToCase)
{
    TStringBitmapList cache;
    for (const char* key : {"c.bmp", "A.bmp", "b.BMP"}) {
        std::unique_ptr<TBitmapItem> item = Item();
        cache.AddObject(key, item);
    }
    EXPECT_EQ(cache.Key(0), "A.BMP");
    EXPECT_EQ(cache.Key(1), "B.BMP");
    EXPECT_EQ(cache.Key(2), "C.BMP");
    EXPECT_EQ(cache.IndexOf("\tb.bmp "), 1);
}
