#include "htmlview/HtmlUtils.h"

#include <gtest/gtest.h>

using namespace htmlview;

namespace {

TEST(UrlToPath, DecodesOnceAndStripsTheFileScheme)
{
    const struct {
        const char* url;
        const char* expected;
    } cases[] = {
        {"file:///home/Ann/My%20Docs/a.htm", "/home/Ann/My Docs/a.htm"},
        {"FILE:///x/Y.htm", "/x/Y.htm"},
        {"file://host/x", "host/x"},
        {"Images/Pic.GIF", "Images/Pic.GIF"},         // case and "/" kept
        {"a%20b.htm", "a b.htm"},
        {"%41bc", "Abc"},                              // at the start too
        {"a%2541", "a%41"},                            // a decoded "%" is not decoded again
        {"100%/a%20b", "100%/a b"},                     // a lone "%" does not stop decoding
        {"a%zz%2Fb", "a%zz/b"},
        {"a%2", "a%2"},
        {"a%", "a%"},
        {"a%00b", "a%00b"},                            // never a NUL in a path
        {"%e9t%C9", "\xE9t\xC9"},
        {"c|/dir/a.htm", "c|/dir/a.htm"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UrlToPath(c.url), c.expected) << c.url;
}

TEST(UrlToPath, RootedPathPutsTheRootBeforeRootRelativeLinks)
{
    const struct {
        const char* url;
        const char* root;
        const char* expected;
    } cases[] = {
        {"/images/a.gif", "/srv/www", "/srv/www/images/a.gif"},
        {"/images/a.gif", "/srv/www/", "/srv/www/images/a.gif"},
        {"%2Fimages/a.gif", "/srv/www", "/srv/www/images/a.gif"},
        {"/images/a.gif", "", "/images/a.gif"},
        {"images/a.gif", "/srv/www", "images/a.gif"},
        // A file URL already names an absolute path.
        {"file:///home/ann/a.htm", "/srv/www", "/home/ann/a.htm"},
        {"", "/srv/www", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UrlToRootedPath(c.url, c.root), c.expected) << c.url << " in " << c.root;
}

} // namespace
