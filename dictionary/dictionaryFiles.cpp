#include "dictionary/dictionaryFiles.h"

#include "platform/Exceptions.h"
#include "platform/FileSystem.h"
#include "platform/PlainFile.h"
#include "platform/TextTrim.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <charconv>
#include <fcntl.h>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace dictionary {

namespace {

constexpr size_t LineBufferSize = 65536;
constexpr size_t FirstLineFill = 512; // a reader of the first lines reads no more
constexpr size_t WindowSize = 65536;

[[noreturn]] void RaiseInOutError(const std::string& what, const std::string& path, int errorNumber)
{
    std::string message = what + " \"" + path + "\"";
    if (errorNumber != 0)
        message += std::string(": ") + std::strerror(errorNumber);
    throw platform::EInOutError(message);
}

} // namespace

size_t CountLineFeeds(const char* bytes, size_t count)
{
    size_t found = 0;
#if defined(__SSE2__)
    // 16 bytes at a time: each compare adds 1 to a byte counter per lane, and the counters are
    // summed before any of them can pass 255.
    const __m128i lineFeed = _mm_set1_epi8('\n');
    const __m128i zero = _mm_setzero_si128();
    while (count >= 16) {
        const size_t blocks = std::min<size_t>(count / 16, 255);
        __m128i counters = zero;
        for (size_t i = 0; i < blocks; ++i) {
            const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + 16 * i));
            counters = _mm_sub_epi8(counters, _mm_cmpeq_epi8(chunk, lineFeed));
        }
        const __m128i sums = _mm_sad_epu8(counters, zero);
        found += static_cast<size_t>(_mm_cvtsi128_si32(sums)) + static_cast<size_t>(_mm_extract_epi16(sums, 4));
        bytes += 16 * blocks;
        count -= 16 * blocks;
    }
#else
    // 8 bytes at a time: a byte of the word is zero exactly where the text holds an LF.
    constexpr uint64_t Low7 = 0x7F7F7F7F7F7F7F7Full;
    constexpr uint64_t LineFeeds = 0x0A0A0A0A0A0A0A0Aull;
    for (; count >= 8; bytes += 8, count -= 8) {
        uint64_t word;
        std::memcpy(&word, bytes, 8);
        const uint64_t x = word ^ LineFeeds;
        const uint64_t zeroBytes = ~(((x & Low7) + Low7) | x | Low7);
        found += static_cast<size_t>(std::popcount(zeroBytes));
    }
#endif
    for (size_t i = 0; i < count; ++i)
        found += bytes[i] == '\n';
    return found;
}

TFileHandle OpenRawFile(const std::string& path)
{
    const int file = platform::OpenPlainFile(platform::NativePath(path), O_RDONLY);
    if (file < 0)
        return TFileHandle();
    TFileHandle handle(::fdopen(file, "rb"));
    if (!handle)
        ::close(file);
    return handle;
}

TFileHandle OpenForReading(const std::string& path)
{
    TFileHandle file = OpenRawFile(path);
    if (!file)
        RaiseInOutError("Cannot open", path, errno);
    return file;
}

int64_t FileLength(std::FILE* file, const std::string& path)
{
    struct stat info {};
    if (::fstat(::fileno(file), &info) != 0)
        RaiseInOutError("Cannot tell the size of", path, errno);
    return static_cast<int64_t>(info.st_size);
}

size_t ReadUpTo(std::FILE* file, int64_t start, size_t count, char* buffer, const std::string& path)
{
    // Positioned reads: no seek, and no second buffer behind the caller's.
    size_t done = 0;
    while (done < count) {
        const ssize_t got = ::pread(::fileno(file), buffer + done, count - done, static_cast<off_t>(start) + static_cast<off_t>(done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            RaiseInOutError("Cannot read", path, errno);
        if (got == 0)
            break;
        done += static_cast<size_t>(got);
    }
    return done;
}

void ReadAt(std::FILE* file, int64_t start, size_t count, char* buffer, const std::string& path)
{
    if (ReadUpTo(file, start, count, buffer, path) != count)
        RaiseInOutError("Unexpected end of", path, 0);
}

TLineReader::TLineReader(std::FILE* file, const std::string& path)
    : file_(file), path_(path), buffer_(new char[LineBufferSize]), fillSize_(FirstLineFill)
{
}

bool TLineReader::Fill()
{
    position_ = 0;
    end_ = ReadUpTo(file_, filePosition_, fillSize_, buffer_.get(), path_);
    filePosition_ += static_cast<int64_t>(end_);
    fillSize_ = std::min(fillSize_ * 2, LineBufferSize);
    return end_ > 0;
}

void TLineReader::Skip(int64_t count)
{
    while (count > 0 && (position_ < end_ || Fill())) {
        const char* begin = buffer_.get() + position_;
        const size_t available = end_ - position_;
        const size_t lineFeeds = CountLineFeeds(begin, available);
        if (static_cast<int64_t>(lineFeeds) < count) {
            count -= static_cast<int64_t>(lineFeeds);
            position_ = end_;
            continue;
        }
        const char* cursor = begin;
        for (; count > 0; --count)
            cursor = static_cast<const char*>(std::memchr(cursor, '\n', begin + available - cursor)) + 1;
        position_ += static_cast<size_t>(cursor - begin);
    }
}

std::string TLineReader::Next()
{
    std::string line;
    while (position_ < end_ || Fill()) {
        const char* begin = buffer_.get() + position_;
        const size_t available = end_ - position_;
        const void* lineFeed = std::memchr(begin, '\n', available);
        const size_t length = lineFeed ? static_cast<size_t>(static_cast<const char*>(lineFeed) - begin) : available;
        line.append(begin, length);
        position_ += length;
        if (lineFeed) {
            ++position_;
            break;
        }
    }
    line.resize(std::min(line.size(), line.find('\r')));
    return line;
}

TWindowReader::TWindowReader(std::FILE* file, int64_t fileSize, const std::string& path)
    : file_(file), fileSize_(fileSize), path_(path), window_(WindowSize)
{
}

std::string_view TWindowReader::Read(int64_t start, size_t count)
{
    const bool inside = start >= windowStart_
        && start + static_cast<int64_t>(count) <= windowStart_ + static_cast<int64_t>(windowLength_);
    if (!inside) {
        windowStart_ = start;
        windowLength_ = static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(window_.size()), fileSize_ - start));
        ReadAt(file_, windowStart_, windowLength_, window_.data(), path_);
    }
    return std::string_view(window_.data() + (start - windowStart_), count);
}

bool ParseIndexLine(std::string_view text, int32_t& value)
{
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return false;
    const char* begin = text.data() + first;
    const char* end = text.data() + text.size();
    int32_t parsed = 0;
    const auto result = std::from_chars(begin, end, parsed);
    if (result.ec != std::errc() || result.ptr != end)
        return false;
    value = parsed;
    return true;
}

std::string TrimBlanks(std::string_view text)
{
    return platform::TrimControlAndSpace(text);
}

void RemoveControlBytes(std::string& text)
{
    std::erase_if(text, [](char c) { return static_cast<unsigned char>(c) < ' '; });
}

} // namespace dictionary
