#include "dictionary/dictionaryFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// The plain count every fast path must agree with.
size_t Expected(const char* bytes, size_t count)
{
    return static_cast<size_t>(std::count(bytes, bytes + count, '\n'));
}

// Every start alignment and every length up to 100 over texts of several line-feed densities,
// each counted from both ends of its buffer, so no block or tail of a fast path goes unread or
// is read twice.
TEST(CountLineFeeds, MatchesAPlainCountAtEveryAlignmentAndLength)
{
    const std::vector<std::string> patterns = {
        std::string(1, '\n'),      // every byte
        "a\n",                     // every other byte
        "abc\r\ndefgh\n\n",        // irregular, CR beside LF
        "\x0b\x09\x8a\x0a\xff",    // bytes that differ from LF by one bit, and 0x8A
        "abcdefghijklmnopqrstuvw", // none
    };
    for (const std::string& pattern : patterns) {
        std::string text;
        while (text.size() < 160)
            text += pattern;
        for (size_t start = 0; start < 17; ++start) {
            for (size_t length = 0; length <= 100; ++length) {
                ASSERT_EQ(dictionary::CountLineFeeds(text.data() + start, length), Expected(text.data() + start, length))
                    << "start " << start << ", length " << length;
                const char* tail = text.data() + text.size() - length;
                ASSERT_EQ(dictionary::CountLineFeeds(tail, length), Expected(tail, length)) << "last " << length << " bytes";
            }
        }
    }
}

// Long runs: a counter per byte lane must not wrap however many line feeds fall in it.
TEST(CountLineFeeds, LongRunsOfLineFeedsDoNotWrap)
{
    for (const size_t length : {255u * 16u, 255u * 16u + 1u, 4096u + 15u, 70000u}) {
        const std::string allLineFeeds(length, '\n');
        EXPECT_EQ(dictionary::CountLineFeeds(allLineFeeds.data(), length), length);
        std::string sparse(length, 'x');
        for (size_t i = 7; i < length; i += 13)
            sparse[i] = '\n';
        EXPECT_EQ(dictionary::CountLineFeeds(sparse.data(), length), Expected(sparse.data(), length));
    }
}

} // namespace
