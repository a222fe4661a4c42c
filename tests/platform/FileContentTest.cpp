#include "platform/FileContent.h"

#include "platform/Exceptions.h"
#include "platform/TestFolder.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

// Every byte value, NULs and line ends included, comes back as written.
std::string AllBytes()
{
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        bytes.push_back(static_cast<char>(b));
    return bytes + std::string("\r\n\0end", 6);
}

TEST(FileContent, ReadsEveryByteOfAWindows1252Name)
{
    TTestFolder folder;
    const std::string name = "d\xE9" "finitions.txt";
    folder.WriteRaw(name, AllBytes());
    EXPECT_EQ(ReadWholeFile(folder.Path(name)), AllBytes());
    const std::optional<std::string> limited = ReadFileUpTo(folder.Path(name), AllBytes().size());
    ASSERT_TRUE(limited.has_value());
    EXPECT_EQ(*limited, AllBytes());
}

TEST(FileContent, EmptyFileIsEmptyContent)
{
    TTestFolder folder;
    folder.WriteRaw("empty", "");
    EXPECT_EQ(ReadWholeFile(folder.Path("empty")), "");
    EXPECT_EQ(ReadFileUpTo(folder.Path("empty"), 0), std::optional<std::string>(""));
}

TEST(FileContent, MissingFileIsAnErrorOrNothing)
{
    TTestFolder folder;
    EXPECT_THROW(ReadWholeFile(folder.Path("missing")), EInOutError);
    EXPECT_EQ(ReadFileUpTo(folder.Path("missing"), 100), std::nullopt);
}

TEST(FileContent, FileOverTheLimitIsNotRead)
{
    TTestFolder folder;
    folder.WriteRaw("ten", "0123456789");
    EXPECT_EQ(ReadFileUpTo(folder.Path("ten"), 9), std::nullopt);
    EXPECT_EQ(ReadFileUpTo(folder.Path("ten"), 10), std::optional<std::string>("0123456789"));
}

} // namespace
