#include "platform/TextTrim.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

struct TTrimCase {
    const char* name;
    std::string text;
    std::string spaceAndTab;
    std::string spaces;
    std::string controlAndSpace;
};

// Each row shows what the three rules keep of the same text.
const TTrimCase TrimCases[] = {
    {"Empty", "", "", "", ""},
    {"OnlySpaces", "   ", "", "", ""},
    {"SpacesAround", "  mot  ", "mot", "mot", "mot"},
    {"InnerBlanksStay", " a b\tc ", "a b\tc", "a b\tc", "a b\tc"},
    {"Tabs", "\tmot\t", "mot", "\tmot\t", "mot"},
    {"LineBreaks", "\r\nmot\r\n", "\r\nmot\r\n", "\r\nmot\r\n", "mot"},
    {"ControlBytes", std::string("\x01\x1F mot \x00", 8), std::string("\x01\x1F mot \x00", 8),
     std::string("\x01\x1F mot \x00", 8), "mot"},
    {"HighBytesStay", "\xA0\xE9t\xE9\xA0", "\xA0\xE9t\xE9\xA0", "\xA0\xE9t\xE9\xA0", "\xA0\xE9t\xE9\xA0"},
    {"OnlyControlBytes", "\t\r\n", "\r\n", "\t\r\n", ""},
};

class TextTrim : public ::testing::TestWithParam<TTrimCase> {};

TEST_P(TextTrim, EachRuleDropsOnlyItsOwnBytes)
{
    const TTrimCase& c = GetParam();
    EXPECT_EQ(TrimSpaceAndTab(c.text), c.spaceAndTab);
    EXPECT_EQ(TrimSpaces(c.text), c.spaces);
    EXPECT_EQ(TrimControlAndSpace(c.text), c.controlAndSpace);
}

INSTANTIATE_TEST_SUITE_P(Cases, TextTrim, ::testing::ValuesIn(TrimCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
