#include "platform/Windows1252.h"

#include <QList>

#include <array>
#include <cctype>
#include <cstdio>
#include <string>

namespace platform {
namespace {

// Bytes 0x80..0x9F; the rest of the code page equals Latin-1. Undefined bytes map to the C1
// control of the same value so that they survive a round trip.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool EncodeChar(char16_t c, unsigned char& byte)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        byte = static_cast<unsigned char>(c);
        return true;
    }
    for (size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == c) {
            byte = static_cast<unsigned char>(0x80 + i);
            return true;
        }
    }
    return false;
}

// The end (its ";") of a path escape whose marker is at Start, with the code point it holds;
// Start itself when the bytes there are no escape (a marker byte standing alone).
size_t EscapeEnd(const std::string& path, size_t start, char32_t& codePoint)
{
    constexpr size_t MaxDigits = 6;
    char32_t value = 0;
    size_t i = start + 1;
    for (; i < path.size() && i - start <= MaxDigits && std::isxdigit(static_cast<unsigned char>(path[i])); ++i) {
        const char digit = static_cast<char>(std::toupper(static_cast<unsigned char>(path[i])));
        value = value * 16 + static_cast<char32_t>(digit <= '9' ? digit - '0' : digit - 'A' + 10);
    }
    const bool valid = i > start + 1 && i < path.size() && path[i] == ';' && value <= 0x10FFFF
        && (value < 0xD800 || value > 0xDFFF);
    if (!valid)
        return start;
    codePoint = value;
    return i;
}

} // namespace

QChar AnsiCharToUnicode(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return QChar(kHighControls[byte - 0x80]);
    return QChar(static_cast<char16_t>(byte));
}

QString AnsiToUnicode(const std::string& text)
{
    QString result;
    result.reserve(static_cast<qsizetype>(text.size()));
    for (char c : text)
        result.append(AnsiCharToUnicode(static_cast<unsigned char>(c)));
    return result;
}

bool UnicodeToAnsi(const QString& text, std::string& out)
{
    std::string result;
    result.reserve(static_cast<size_t>(text.size()));
    for (QChar c : text) {
        unsigned char byte = 0;
        if (!EncodeChar(c.unicode(), byte))
            return false;
        result.push_back(static_cast<char>(byte));
    }
    out = std::move(result);
    return true;
}

std::string UnicodeToAnsiOrEmpty(const QString& text)
{
    std::string ansi;
    UnicodeToAnsi(text, ansi);
    return ansi;
}

bool IsAnsiText(const QString& text)
{
    std::string ansi;
    return UnicodeToAnsi(text, ansi);
}

std::string PathFromUnicode(const QString& name)
{
    std::string path;
    path.reserve(static_cast<size_t>(name.size()));
    for (const uint codePoint : name.toUcs4()) {
        unsigned char byte = 0;
        if (codePoint <= 0xFFFF && EncodeChar(static_cast<char16_t>(codePoint), byte)
            && byte != static_cast<unsigned char>(PathEscapeMarker)) {
            path.push_back(static_cast<char>(byte));
            continue;
        }
        char escape[16];
        std::snprintf(escape, sizeof escape, "%c%X;", PathEscapeMarker, codePoint);
        path += escape;
    }
    return path;
}

QString PathToUnicode(const std::string& path)
{
    QString name;
    name.reserve(static_cast<qsizetype>(path.size()));
    for (size_t i = 0; i < path.size(); ++i) {
        char32_t codePoint = 0;
        const size_t end = path[i] == PathEscapeMarker ? EscapeEnd(path, i, codePoint) : i;
        if (end == i) {
            name.append(AnsiCharToUnicode(static_cast<unsigned char>(path[i])));
            continue;
        }
        name.append(QString::fromUcs4(&codePoint, 1));
        i = end;
    }
    return name;
}

std::string PathToPageText(const std::string& path)
{
    std::string text;
    text.reserve(path.size());
    for (const uint codePoint : PathToUnicode(path).toUcs4()) {
        unsigned char byte = 0;
        const bool held = codePoint <= 0xFFFF && EncodeChar(static_cast<char16_t>(codePoint), byte)
            && byte != static_cast<unsigned char>(PathEscapeMarker);
        text.push_back(held ? static_cast<char>(byte) : '?');
    }
    return text;
}

unsigned char AnsiUpperChar(unsigned char c)
{
    if (c >= 'a' && c <= 'z')
        return static_cast<unsigned char>(c - 32);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) // à..þ except ÷
        return static_cast<unsigned char>(c - 32);
    switch (c) {
    case 0x9A: return 0x8A; // š
    case 0x9C: return 0x8C; // œ
    case 0x9E: return 0x8E; // ž
    case 0xFF: return 0x9F; // ÿ
    default: return c;
    }
}

unsigned char AnsiLowerChar(unsigned char c)
{
    if (c >= 'A' && c <= 'Z')
        return static_cast<unsigned char>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) // À..Þ except ×
        return static_cast<unsigned char>(c + 32);
    switch (c) {
    case 0x8A: return 0x9A;
    case 0x8C: return 0x9C;
    case 0x8E: return 0x9E;
    case 0x9F: return 0xFF;
    default: return c;
    }
}

std::string AnsiUpperCase(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(AnsiUpperChar(static_cast<unsigned char>(c)));
    return text;
}

std::string AnsiLowerCase(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(AnsiLowerChar(static_cast<unsigned char>(c)));
    return text;
}

int AnsiCompareText(const std::string& a, const std::string& b)
{
    const size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) {
        const int ca = AnsiLowerChar(static_cast<unsigned char>(a[i]));
        const int cb = AnsiLowerChar(static_cast<unsigned char>(b[i]));
        if (ca != cb)
            return ca - cb;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool AnsiSameText(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && AnsiCompareText(a, b) == 0;
}

} // namespace platform
