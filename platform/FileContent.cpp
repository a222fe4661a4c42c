#include "platform/FileContent.h"

#include "platform/Exceptions.h"
#include "platform/FileSystem.h"
#include "platform/PlainFile.h"
#include "platform/ReplacedFile.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

// What is read when a file tells no size, or turns out to have grown.
constexpr size_t ReadChunk = 65536;

// Writes all of Bytes to File.
bool WriteAll(int file, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(file, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// Copies the first Size bytes of Source to the end of Target: in the kernel where the file
// systems allow it, else through a buffer.
bool CopyFileBytes(int source, int target, off_t size)
{
    off_t done = 0;
    while (done < size) {
        const ssize_t copied = ::copy_file_range(source, &done, target, nullptr, static_cast<size_t>(size - done), 0);
        if (copied > 0)
            continue;
        if (copied < 0 && errno == EINTR)
            continue;
        if (copied == 0 || (errno != EXDEV && errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP))
            return false;
        std::string buffer(ReadChunk * 16, '\0');
        while (done < size) {
            const ssize_t got = ::pread(source, buffer.data(), std::min<size_t>(buffer.size(), static_cast<size_t>(size - done)), done);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0 || !WriteAll(target, std::string_view(buffer.data(), static_cast<size_t>(got))))
                return false;
            done += got;
        }
    }
    return true;
}

// A new file in Folder with no name yet, so that a process killed before it is named leaves
// nothing behind; where the system makes none such, a hidden one with its Name.
int NewUnnamedFile(const std::string& folder, std::string& name)
{
    const int file = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (file >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL))
        return file;
    name = folder + "/.replace-XXXXXX";
    return ::mkostemp(name.data(), O_CLOEXEC);
}

// Gives the unnamed file File a hidden name in Folder beside Target.
bool NameNewFile(int file, const std::string& folder, const std::string& target, std::string& name)
{
    static unsigned serial = 0;
    const std::string link = "/proc/self/fd/" + std::to_string(file);
    const std::string prefix = folder + "/." + target.substr(target.rfind('/') + 1) + ".new-" + std::to_string(::getpid()) + "-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = prefix + std::to_string(++serial);
        if (::linkat(AT_FDCWD, link.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0)
            return true;
        if (errno != EEXIST)
            break;
    }
    name.clear();
    return false;
}

// Path opened as a plain file for reading; -1 when it cannot be.
int OpenForReading(const std::string& path)
{
    return OpenPlainFile(NativePath(path), O_RDONLY);
}

} // namespace

bool ReadOpenFile(int file, std::uintmax_t maxSize, std::string& content)
{
    content.clear();
    struct stat info {};
    if (::fstat(file, &info) != 0 || static_cast<std::uintmax_t>(info.st_size) > maxSize)
        return false;
    // One more byte than the size, so that the end shows without a second read.
    size_t wanted = info.st_size > 0 ? static_cast<size_t>(info.st_size) + 1 : ReadChunk;
    size_t have = 0;
    for (;;) {
        if (have > maxSize)
            return false;
        content.resize(have + wanted);
        const ssize_t count = ::read(file, content.data() + have, wanted);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return false;
        have += static_cast<size_t>(count);
        if (count == 0)
            break;
        wanted = ReadChunk;
    }
    content.resize(have);
    return have <= maxSize;
}

std::string ReadWholeFile(const std::string& path)
{
    const int file = OpenForReading(path);
    if (file < 0)
        throw EInOutError("Cannot open " + path);
    std::string text;
    const bool read = ReadOpenFile(file, SIZE_MAX, text);
    ::close(file);
    if (!read)
        throw EInOutError("Cannot read " + path);
    return text;
}

std::optional<std::string> ReadFileUpTo(const std::string& path, std::uintmax_t maxSize)
{
    const int file = OpenForReading(path);
    if (file < 0)
        return std::nullopt;
    std::string data;
    const bool read = ReadOpenFile(file, maxSize, data);
    ::close(file);
    if (!read)
        return std::nullopt;
    return data;
}

bool CommitToDisk(QSaveFile& file)
{
    // On disk before the rename, or a power cut could leave the new name on an empty file.
    return file.flush() && file.error() == QFileDevice::NoError && ::fsync(file.handle()) == 0 && file.commit();
}

bool ReplaceWholeFile(const std::string& path, std::string_view bytes, bool directWriteFallback)
{
    // Named as the lock of its save names it (TSaveLock), through links to the file they name.
    const std::string target = RenameTarget(NativePath(path));
    QSaveFile file(QFile::decodeName(QByteArray(target.data(), static_cast<qsizetype>(target.size()))));
    file.setDirectWriteFallback(directWriteFallback);
    const auto size = static_cast<qint64>(bytes.size());
    return file.open(QIODevice::WriteOnly) && file.write(bytes.data(), size) == size && CommitToDisk(file);
}

bool ReplaceWithAppended(const std::string& path, int source, std::string_view tail)
{
    struct stat info {};
    if (::fstat(source, &info) != 0)
        return false;
    const std::string target = RenameTarget(NativePath(path));
    const std::string folder = target.substr(0, std::max<size_t>(target.rfind('/'), 1));
    std::string name;
    const int file = NewUnnamedFile(folder, name);
    if (file < 0)
        return false;
    // On disk before the rename, or a power cut could leave the new name on an empty file.
    const bool done = ::fchmod(file, info.st_mode & 07777) == 0 && CopyFileBytes(source, file, info.st_size)
        && WriteAll(file, tail) && ::fsync(file) == 0 && (!name.empty() || NameNewFile(file, folder, target, name))
        && ::rename(name.c_str(), target.c_str()) == 0;
    if (!done && !name.empty())
        ::unlink(name.c_str());
    ::close(file);
    return done;
}

} // namespace platform
