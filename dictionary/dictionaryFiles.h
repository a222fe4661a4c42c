#pragma once
// Raw access to the dictionary and index files for the engine, and the text rules of their
// formats: index lines, trimming of words and definitions.
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace dictionary {

struct TFileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using TFileHandle = std::unique_ptr<std::FILE, TFileCloser>;

// LF bytes among the Count bytes at Bytes.
size_t CountLineFeeds(const char* bytes, size_t count);

// Opens Path as raw bytes for reading; null (errno set) when it cannot be opened or is no plain
// file: a folder, or a FIFO that would never answer.
TFileHandle OpenRawFile(const std::string& path);

// Opens Path for reading, or raises platform::EInOutError.
TFileHandle OpenForReading(const std::string& path);

// Length of an open file; raises platform::EInOutError when it cannot be told.
int64_t FileLength(std::FILE* file, const std::string& path);

// Reads Count bytes at Start into Buffer, fewer only at the end of the file; returns how many.
// Raises platform::EInOutError when the file cannot be read.
size_t ReadUpTo(std::FILE* file, int64_t start, size_t count, char* buffer, const std::string& path);
// Reads exactly Count bytes at Start into Buffer, or raises platform::EInOutError.
void ReadAt(std::FILE* file, int64_t start, size_t count, char* buffer, const std::string& path);

// Reads the lines of a text file one after the other, as a text-file reader does: a line's text
// ends at its first CR or LF, the line itself after its LF; past the last line, lines are empty.
class TLineReader {
public:
    TLineReader(std::FILE* file, const std::string& path);
    void Skip(int64_t count);
    std::string Next();

private:
    bool Fill();

    std::FILE* file_;
    std::string path_;
    std::unique_ptr<char[]> buffer_;
    size_t fillSize_;
    int64_t filePosition_ = 0;
    size_t position_ = 0;
    size_t end_ = 0;
};

// Short reads at ascending offsets of one file, served from a window read in one go.
class TWindowReader {
public:
    TWindowReader(std::FILE* file, int64_t fileSize, const std::string& path);
    // Count bytes (at most the window's size) from Start; the range must lie within the file.
    std::string_view Read(int64_t start, size_t count);

private:
    std::FILE* file_;
    int64_t fileSize_;
    std::string path_;
    std::vector<char> window_;
    int64_t windowStart_ = 0;
    size_t windowLength_ = 0;
};

// Index lines: a decimal number right-aligned in 14 characters, then CR LF.
constexpr size_t IndexLineLength = 16;

namespace detail {
inline constexpr char BlankIndexLine[IndexLineLength + 1] = "              \r\n";

// The 8 decimal digits of Value (below 100,000,000), one a byte from the most significant on
// (byte 0 lowest): split in halves of 4 digits, each half in pairs, each pair in digits, every
// part of a step at once in its own lane of the word.
inline uint64_t EightDigits(uint32_t value)
{
    static_assert(std::endian::native == std::endian::little, "byte I of the word is byte I in memory");
    uint64_t lanes = value / 10000 | uint64_t{value % 10000} << 32;
    // n / 100 is n * 5243 >> 19 and n / 10 is n * 103 >> 10 for the n of each lane.
    uint64_t high = (lanes * 5243 >> 19) & 0x0000007F'0000007Full;
    lanes = high | (lanes - high * 100) << 16;
    high = (lanes * 103 >> 10) & 0x000F000F'000F000Full;
    return high | (lanes - high * 10) << 8;
}
} // namespace detail

// Writes the IndexLineLength bytes of the line for Value at Line. A build writes one a word,
// straight into its output: the blank line, then the last 8 digits in one go, and the one or two
// above them when there are any.
inline void FormatIndexLine(uint32_t value, char* line)
{
    constexpr size_t lastEight = IndexLineLength - 2 - 8;
    constexpr uint32_t eightPlaces = 100'000'000;
    constexpr uint64_t zeros = 0x30303030'30303030ull;
    std::memcpy(line, detail::BlankIndexLine, IndexLineLength);
    uint64_t digits = 0;
    if (value < eightPlaces) {
        digits = detail::EightDigits(value);
        // The leading zeros but the last digit become blanks: the bits below the lowest set bit
        // of the first digit shown hold bit 4 of every byte before it, and '0' - ' ' is 0x10.
        const uint64_t shown = digits | uint64_t{1} << 56;
        digits += zeros - (((shown & (0 - shown)) - 1) & 0x10101010'10101010ull);
    } else {
        const uint32_t above = value / eightPlaces;
        digits = detail::EightDigits(value % eightPlaces) + zeros;
        line[lastEight - 1] = static_cast<char>('0' + above % 10);
        if (above >= 10)
            line[lastEight - 2] = static_cast<char>('0' + above / 10);
    }
    std::memcpy(line + lastEight, &digits, sizeof digits);
}

// A line's text as a 32-bit decimal number after optional leading spaces; false when it is none.
bool ParseIndexLine(std::string_view text, int32_t& value);

// The engine's trimming of words, definitions and descriptions: bytes of value 32 or lower at
// both ends go.
std::string TrimBlanks(std::string_view text);
// Removes every byte below 32.
void RemoveControlBytes(std::string& text);

} // namespace dictionary
