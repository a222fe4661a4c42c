#include "platform/FileContent.h"

#include "platform/Exceptions.h"
#include "platform/FileSystem.h"

#include <QSaveFile>

#include <fstream>
#include <iterator>
#include <unistd.h>

namespace platform {

std::string ReadWholeFile(const std::string& path)
{
    std::ifstream in(NativePath(path), std::ios::binary);
    if (!in)
        throw EInOutError("Cannot open " + path);
    std::string text{std::istreambuf_iterator<char>(in), {}};
    if (in.bad())
        throw EInOutError("Cannot read " + path);
    return text;
}

std::optional<std::string> ReadFileUpTo(const std::string& path, std::uintmax_t maxSize)
{
    std::ifstream file(NativePath(path), std::ios::binary | std::ios::ate);
    if (!file)
        return std::nullopt;
    const std::streamoff size = file.tellg();
    if (size < 0 || static_cast<std::uintmax_t>(size) > maxSize)
        return std::nullopt;
    std::string data(static_cast<size_t>(size), '\0');
    file.seekg(0);
    if (!file.read(data.data(), size))
        return std::nullopt;
    return data;
}

bool ReplaceWholeFile(const std::string& path, std::string_view bytes, bool directWriteFallback)
{
    QSaveFile file(QtNativePath(path));
    file.setDirectWriteFallback(directWriteFallback);
    const auto size = static_cast<qint64>(bytes.size());
    return file.open(QIODevice::WriteOnly) && file.write(bytes.data(), size) == size
        // On disk before the rename, or a power cut could leave the new name on an empty file.
        && file.flush() && ::fsync(file.handle()) == 0 && file.commit();
}

} // namespace platform
