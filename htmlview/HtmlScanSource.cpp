#include "htmlview/HtmlScanSource.h"

#include "platform/Exceptions.h"
#include "platform/FileSystem.h"
#include "platform/PlainFile.h"

#include <fcntl.h>
#include <unistd.h>

namespace htmlview {

void THtmlScanSource::SetBuffer(const char* text, size_t length)
{
    Close();
    sourceKind_ = TSourceKind::BufferSource;
    bufferPos_ = reinterpret_cast<const unsigned char*>(text);
    bufferEnd_ = bufferPos_ ? bufferPos_ + length : nullptr;
}

void THtmlScanSource::OpenFile(const std::string& fileName)
{
    Close();
    // Only a plain file: a FIFO in a page's place would wait for a writer for ever.
    const int fd = platform::OpenPlainFile(platform::NativePath(fileName), O_RDONLY);
    if (fd >= 0) {
        file_.reset(::fdopen(fd, "rb"));
        if (!file_)
            ::close(fd);
    }
    if (!file_)
        throw platform::EInOutError("Cannot open file \"" + fileName + "\"");
    fileName_ = fileName;
    sourceKind_ = TSourceKind::FileSource;
}

void THtmlScanSource::StartInclude(std::string text)
{
    if (text.empty())
        return;
    // An include is never started from inside another one, so there is only one kind to save.
    savedSourceKind_ = sourceKind_;
    sourceKind_ = TSourceKind::IncludeSource;
    include_ = std::move(text);
    includePos_ = 0;
}

void THtmlScanSource::Close()
{
    file_.reset();
    fileName_.clear();
    filePos_ = fileCount_ = 0;
    bufferPos_ = bufferEnd_ = nullptr;
    include_.clear();
    includePos_ = 0;
    sourceKind_ = savedSourceKind_ = TSourceKind::BufferSource;
}

unsigned char THtmlScanSource::Read()
{
    switch (sourceKind_) {
    case TSourceKind::IncludeSource:
        if (includePos_ < include_.size())
            return static_cast<unsigned char>(include_[includePos_++]);
        sourceKind_ = savedSourceKind_;
        include_.clear();
        includePos_ = 0;
        return Read();
    case TSourceKind::FileSource:
        return ReadFile();
    case TSourceKind::BufferSource:
        break;
    }
    return bufferPos_ < bufferEnd_ ? *bufferPos_++ : EndOfInputChar;
}

unsigned char THtmlScanSource::ReadFile()
{
    if (filePos_ < fileCount_)
        return fileBuffer_[filePos_++];
    if (!file_)
        return EndOfInputChar;
    fileCount_ = std::fread(fileBuffer_, 1, FileBufferSize, file_.get());
    filePos_ = 0;
    if (fileCount_ == 0) {
        if (std::ferror(file_.get()))
            throw platform::EInOutError("Cannot read file \"" + fileName_ + "\"");
        return EndOfInputChar;
    }
    return fileBuffer_[filePos_++];
}

} // namespace htmlview
