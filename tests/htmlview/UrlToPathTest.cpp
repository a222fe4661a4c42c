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
        // The first file URL goes wherever it stands; one with the root's "/" goes first.
        {"voir file:///home/a.htm", "voir /home/a.htm"},
        {"Dir/FILE://b/c", "Dir/b/c"},
        {"file://h/a file:///x/b", "file://h/a /x/b"},
        {"file:///a/file:///b", "/a/file:///b"},
        {"a%20file:///b", "a /b"},
        {"Images/Pic.GIF", "Images/Pic.GIF"},         // case and "/" kept
        {"a%20b.htm", "a b.htm"},
        {"%41b%43", "%41b%43"},                        // a text that starts with "%" stays whole
        {"a%2541", "a%41"},                            // a decoded "%" is not decoded again
        {"a%20%zz%20b", "a %zz%20b"},                  // decoding stops at a lone "%"
        {"100%/a%20b", "100%/a%20b"},
        {"a%2", "a%2"},
        {"a%", "a%"},
        {"a%00b%41", "a%00bA"},                        // never a NUL in a path
        {"%e9t%C9", "%e9t%C9"},
        {"x%e9t%C9", "x\xE9t\xC9"},
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
        {"/images%2Fa.gif", "/srv/www", "/srv/www/images/a.gif"},
        {"%2Fimages/a.gif", "/srv/www", "%2Fimages/a.gif"},
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
