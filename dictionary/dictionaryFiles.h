#pragma once
// Raw access to the dictionary and index files for the engine, and the text rules of their
// formats: index lines, trimming of words and definitions.
#include <cstdint>
#include <cstdio>
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
// Writes the IndexLineLength bytes of the line for Value at Line.
void FormatIndexLine(int32_t value, char* line);
// A line's text as a 32-bit decimal number after optional leading spaces; false when it is none.
bool ParseIndexLine(std::string_view text, int32_t& value);

// The engine's trimming of words, definitions and descriptions: bytes of value 32 or lower at
// both ends go.
std::string TrimBlanks(std::string_view text);
// Removes every byte below 32.
void RemoveControlBytes(std::string& text);

} // namespace dictionary
