#include "dictionary/indexTempFile.h"

#include "dictionary/dictionaryFiles.h"
#include "platform/FileSystem.h"
#include "platform/PlainFile.h"
#include "platform/ReplacedFile.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dictionary {

namespace {

namespace fs = std::filesystem;

constexpr size_t WriteBufferSize = size_t{1} << 20;
constexpr int NameAttempts = 100;

// ".words.ndx.build-": hidden, and named after the index it is for.
std::string TempPrefix(const fs::path& target)
{
    std::string prefix(1, '.');
    prefix += target.filename().string();
    prefix += ".build-";
    return prefix;
}

// Removes the temporary files of earlier passes over Target that have ended: a pass holds a lock
// on its file until it ends, and a killed process holds none.
void RemoveStrayTempFiles(const fs::path& target)
{
    const std::string prefix = TempPrefix(target);
    std::error_code error;
    for (fs::directory_iterator entry(target.parent_path(), error), end; !error && entry != end;
         entry.increment(error)) {
        const fs::path& path = entry->path();
        if (path.filename().string().rfind(prefix, 0) != 0)
            continue;
        // A FIFO under such a name would never let an open return.
        const int file = platform::OpenPlainFile(path.string(), O_RDONLY | O_NOFOLLOW);
        if (file < 0)
            continue;
        if (::flock(file, LOCK_EX | LOCK_NB) == 0 && platform::StillNamed(file, path.string()))
            ::unlink(path.c_str());
        ::close(file);
    }
}

bool WriteAll(int file, const char* bytes, size_t count)
{
    while (count > 0) {
        const ssize_t written = ::write(file, bytes, count);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes += written;
        count -= static_cast<size_t>(written);
    }
    return true;
}

} // namespace

void RemoveStrayIndexTempFiles(const std::string& indexPath)
{
    RemoveStrayTempFiles(platform::RenameTarget(platform::NativePath(indexPath)));
}

TIndexTempFile::~TIndexTempFile()
{
    Discard();
}

bool TIndexTempFile::Create(const std::string& indexPath)
{
    Discard();
    // Through a symbolic link, even one to a file not made yet, the index is the file it names.
    const fs::path target = platform::RenameTarget(platform::NativePath(indexPath));
    struct stat replaced {};
    const bool replacing = ::stat(target.c_str(), &replaced) == 0;
    if (replacing && !S_ISREG(replaced.st_mode))
        return false;
    RemoveStrayTempFiles(target);

    static unsigned serial = 0;
    for (int attempt = 0; attempt < NameAttempts; ++attempt) {
        const fs::path temp = target.parent_path()
            / (TempPrefix(target) + std::to_string(::getpid()) + "-" + std::to_string(++serial));
        const int file = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (file < 0 && errno == EEXIST)
            continue;
        if (file < 0)
            return replacing && OpenInPlace(target);
        // Another pass cleaning up may have taken the new file before this one locked it.
        if (::flock(file, LOCK_EX | LOCK_NB) != 0 || !platform::StillNamed(file, temp.string())) {
            ::close(file);
            continue;
        }
        file_ = file;
        tempPath_ = temp.string();
        targetPath_ = target.string();
        if (replacing && ::fchmod(file, replaced.st_mode & 07777) != 0) {
            Discard();
            return false;
        }
        buffer_.resize(WriteBufferSize);
        return true;
    }
    return false;
}

// A folder that takes no new file still lets a writable index be written over: the lines are
// kept until the pass succeeded, and then written in one go.
bool TIndexTempFile::OpenInPlace(const std::filesystem::path& target)
{
    const int file = platform::OpenPlainFile(target.string(), O_WRONLY);
    if (file < 0)
        return false;
    file_ = file;
    inPlace_ = true;
    buffer_.resize(WriteBufferSize);
    return true;
}

bool TIndexTempFile::Write(uint32_t value)
{
    char* line = LineRoom(1);
    if (!line)
        return false;
    FormatIndexLine(value, line);
    AddLines(1);
    return true;
}

// In place, every line is kept until the pass succeeded; otherwise what is buffered goes out.
bool TIndexTempFile::MakeRoom(size_t bytes)
{
    if (!inPlace_ && !Flush())
        return false;
    size_t size = std::max<size_t>(buffer_.size(), 1);
    while (size - buffered_ < bytes)
        size *= 2;
    buffer_.resize(size);
    return true;
}

bool TIndexTempFile::Flush()
{
    if (file_ < 0 || !WriteAll(file_, buffer_.data(), buffered_))
        return false;
    buffered_ = 0;
    return true;
}

bool TIndexTempFile::CommitInPlace()
{
    const bool written = ::lseek(file_, 0, SEEK_SET) == 0 && WriteAll(file_, buffer_.data(), buffered_)
        && ::ftruncate(file_, static_cast<off_t>(buffered_)) == 0 && ::fsync(file_) == 0;
    // An index cut short would pass for whole; an empty one is rebuilt at the next opening.
    if (!written && ::ftruncate(file_, 0) == 0)
        ::fsync(file_);
    Discard();
    return written;
}

bool TIndexTempFile::Commit()
{
    if (inPlace_)
        return CommitInPlace();
    // On disk before the rename: after a crash the index is the old file or the whole new one.
    if (!Flush() || ::fsync(file_) != 0 || ::rename(tempPath_.c_str(), targetPath_.c_str()) != 0)
        return false;
    tempPath_.clear(); // it is the index now
    Discard();
    return true;
}

void TIndexTempFile::Discard()
{
    if (!tempPath_.empty())
        ::unlink(tempPath_.c_str());
    if (file_ >= 0)
        ::close(file_);
    file_ = -1;
    inPlace_ = false;
    tempPath_.clear();
    buffered_ = 0;
}

} // namespace dictionary
