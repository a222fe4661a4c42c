#pragma once
// Where the HTML scanner takes its raw bytes from: a block of memory, a text file read through a
// small buffer, or the text an include handler returned, read before the source it interrupted.
#include <cstdio>
#include <memory>
#include <string>

namespace htmlview {

// The byte every read yields once the input is used up (^Z, the old end-of-file mark).
constexpr unsigned char EndOfInputChar = 26;

enum class TSourceKind { FileSource, BufferSource, IncludeSource };

class THtmlScanSource {
public:
    THtmlScanSource() = default;
    THtmlScanSource(const THtmlScanSource&) = delete;
    THtmlScanSource& operator=(const THtmlScanSource&) = delete;

    // Reads Length bytes at Text, which must outlive the parse.
    void SetBuffer(const char* text, size_t length);
    // Opens a file for reading; platform::EInOutError when it cannot be opened.
    void OpenFile(const std::string& fileName);
    // Reads Text next; the interrupted source resumes when it is used up.
    void StartInclude(std::string text);
    // Closes a file that was opened and forgets every source.
    void Close();

    TSourceKind SourceKind() const { return sourceKind_; }
    // The next byte, or EndOfInputChar at the end and at every later read;
    // platform::EInOutError when the file cannot be read.
    unsigned char Read();

private:
    unsigned char ReadFile();

    static constexpr size_t FileBufferSize = 2000;
    struct TFileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };

    TSourceKind sourceKind_ = TSourceKind::BufferSource;
    TSourceKind savedSourceKind_ = TSourceKind::BufferSource;
    const unsigned char* bufferPos_ = nullptr;
    const unsigned char* bufferEnd_ = nullptr;
    std::string include_;
    size_t includePos_ = 0;
    std::unique_ptr<std::FILE, TFileCloser> file_;
    std::string fileName_;
    unsigned char fileBuffer_[FileBufferSize] = {};
    size_t filePos_ = 0;
    size_t fileCount_ = 0;
};

} // namespace htmlview
