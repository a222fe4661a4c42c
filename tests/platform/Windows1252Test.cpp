#include "platform/Windows1252.h"

#include "platform/AnsiTextValidator.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(Windows1252, EveryByteRoundTrips)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    const QString unicode = AnsiToUnicode(all);
    ASSERT_EQ(unicode.size(), 256);
    std::string back;
    ASSERT_TRUE(UnicodeToAnsi(unicode, back));
    EXPECT_EQ(back, all);
}

TEST(Windows1252, MapsTheHighCharacters)
{
    const struct {
        unsigned char byte;
        char16_t unicode;
    } cases[] = {{0x80, 0x20AC}, {0x9C, 0x0153}, {0x8C, 0x0152}, {0xE9, 0x00E9}, {0x9F, 0x0178}, {0x85, 0x2026}};
    for (const auto& c : cases) {
        EXPECT_EQ(AnsiCharToUnicode(c.byte).unicode(), c.unicode) << int(c.byte);
        std::string out;
        ASSERT_TRUE(UnicodeToAnsi(QString(QChar(c.unicode)), out));
        EXPECT_EQ(out, std::string(1, static_cast<char>(c.byte)));
    }
}

TEST(Windows1252, RefusesCharactersItCannotHold)
{
    std::string out = "kept";
    EXPECT_FALSE(UnicodeToAnsi(QString::fromUtf8("caf\xC3\xA9 \xE2\x82\xAC \xCE\xB1"), out)); // Greek alpha
    EXPECT_EQ(out, "kept");
    EXPECT_TRUE(UnicodeToAnsi(QString::fromUtf8("caf\xC3\xA9 \xE2\x82\xAC"), out));
    EXPECT_EQ(out, "caf\xE9 \x80");
}

TEST(Windows1252, TextItCannotHoldBecomesEmptyOrIsRefusedByTheValidator)
{
    const struct {
        const char* utf8;
        bool holds;
        std::string ansi;
    } cases[] = {
        {"", true, ""},
        {"caf\xC3\xA9 \xE2\x82\xAC", true, "caf\xE9 \x80"},
        {"caf\xC3\xA9 \xCE\xB1", false, ""}, // Greek alpha
        {"\xE2\x9C\x93", false, ""},            // check mark
    };
    TAnsiTextValidator validator;
    for (const auto& c : cases) {
        QString text = QString::fromUtf8(c.utf8);
        int position = 0;
        EXPECT_EQ(IsAnsiText(text), c.holds) << c.utf8;
        EXPECT_EQ(UnicodeToAnsiOrEmpty(text), c.ansi) << c.utf8;
        EXPECT_EQ(validator.validate(text, position), c.holds ? QValidator::Acceptable : QValidator::Invalid) << c.utf8;
    }
}

TEST(Windows1252, CasePairs)
{
    const struct {
        unsigned char lower, upper;
    } pairs[] = {{'a', 'A'}, {'z', 'Z'}, {0xE9, 0xC9}, {0x9C, 0x8C}, {0xFF, 0x9F}, {0x9A, 0x8A}, {0xE7, 0xC7}};
    for (const auto& p : pairs) {
        EXPECT_EQ(AnsiUpperChar(p.lower), p.upper);
        EXPECT_EQ(AnsiLowerChar(p.upper), p.lower);
    }
    // Characters without a pair stay as they are.
    for (unsigned char c : {static_cast<unsigned char>(0xF7), static_cast<unsigned char>(0xD7),
                            static_cast<unsigned char>(0xDF), static_cast<unsigned char>('1')}) {
        EXPECT_EQ(AnsiUpperChar(c), c);
        EXPECT_EQ(AnsiLowerChar(c), c);
    }
    EXPECT_EQ(AnsiUpperCase("\x9c" "uvre \xe9l\xe8ve"), "\x8c" "UVRE \xc9L\xc8VE");
    EXPECT_TRUE(AnsiSameText("\xc9L\xc8VE", "\xe9l\xe8ve"));
    EXPECT_FALSE(AnsiSameText("eleve", "\xe9l\xe8ve"));
    EXPECT_LT(AnsiCompareText("abc", "ABD"), 0);
    EXPECT_GT(AnsiCompareText("abcd", "ABC"), 0);
}

TEST(Windows1252, PathsCarryEveryNameExactly)
{
    const struct {
        const char* utf8; // the system's name
        std::string path; // as the programs carry it
    } cases[] = {
        {"/jeux/Garvo/garvo.ini", "/jeux/Garvo/garvo.ini"},
        {"/home/\xC3\xA9lodie/Th\xC3\xA8mes", "/home/\xE9lodie/Th\xE8mes"}, // the code page holds it: as text
        {"/home/\xC5\x82ukasz", "/home/\x81" "142;ukasz"},                 // Polish l with stroke
        {"~/\xD0\x97\xD0\xB0\xD0\xB3\xD1\x80\xD1\x83\xD0\xB7\xD0\xBA\xD0\xB8",
         "~/\x81" "417;\x81" "430;\x81" "433;\x81" "440;\x81" "443;\x81" "437;\x81" "43A;\x81" "438;"}, // Загрузки
        {"/a/\xF0\x9F\x8E\xB2.dat", "/a/\x81" "1F3B2;.dat"}, // beyond 16 bits
        {"/a/\xC2\x81", "/a/\x81" "81;"},                   // the marker's own character
    };
    for (const auto& c : cases) {
        const QString name = QString::fromUtf8(c.utf8);
        EXPECT_EQ(PathFromUnicode(name), c.path) << c.utf8;
        EXPECT_EQ(PathToUnicode(c.path), name) << c.utf8;
    }
}

// A page shows a path in the code page: what it cannot hold is one "?" a character, and the
// marker byte never reaches the page.
TEST(Windows1252, PathsInAPageShowTheirLettersOrAQuestionMark)
{
    const struct {
        std::string path;
        std::string page;
    } cases[] = {
        {"/home/\xE9lodie/Animaux.dat", "/home/\xE9lodie/Animaux.dat"},
        {"S\x81" "142;ownik.dat", "S?ownik.dat"},
        {"/home/\x81" "142;ukasz/\x81" "141;\x81" "F3;d\x81" "17A;.dat", "/home/?ukasz/?\xF3" "d?.dat"}, // an escaped ó shows as itself
        {"/a/\x81" "1F3B2;.dat", "/a/?.dat"},                                          // beyond 16 bits
        {"/a/\x81" "81;", "/a/?"},                                                     // the marker's own character
        {"a\x81" "b", "a?b"},                                                          // a stray marker byte
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PathToPageText(c.path), c.page) << c.path;
}

TEST(Windows1252, MarkerBytesThatEscapeNothingStayText)
{
    const struct {
        std::string path;
        const char* utf8;
    } cases[] = {
        {"a\x81", "a\xC2\x81"},
        {"a\x81;", "a\xC2\x81;"},
        {"a\x81" "41F", "a\xC2\x81" "41F"},
        {"a\x81" "1234567;", "a\xC2\x81" "1234567;"},
        {"a\x81" "D800;", "a\xC2\x81" "D800;"},
        {"a\x81" "110000;", "a\xC2\x81" "110000;"},
        {"a\x81" "41f;b", "a\xD0\x9F" "b"}, // lower-case digits are read too
    };
    for (const auto& c : cases)
        EXPECT_EQ(PathToUnicode(c.path), QString::fromUtf8(c.utf8)) << c.path;
}
