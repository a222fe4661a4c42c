#include "platform/UserDataCopy.h"

#include "platform/FileContent.h"
#include "platform/FileSystem.h"
#include "platform/PlainFile.h"
#include "platform/Windows1252.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

// What is known of one copy: the checksum of what was copied (NotOurs for a file the user had
// before any copy) and the size and time of the installed file when it was last compared, so
// that a start after no update reads no file whole.
struct TCopy {
    QByteArray Checksum;
    QByteArray InstalledStamp;
};
// By path relative to the user's folder.
using TCopies = std::map<QString, TCopy>;

constexpr char NotOurs[] = "-";
constexpr QCryptographicHash::Algorithm ChecksumKind = QCryptographicHash::Sha256;

// Every file here, installed or the user's, is read only when it is a plain file, and never
// waited on: a FIFO or a device in its place must not hang the start.
std::optional<std::string> ReadPlainFile(const QString& path)
{
    return ReadFileUpTo(PathFromUnicode(path), UINTMAX_MAX);
}

QByteArray Checksum(std::string_view bytes)
{
    return QCryptographicHash::hash(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())), ChecksumKind)
        .toHex();
}

// Empty when Path cannot be read or is no plain file.
QByteArray Checksum(const QString& path)
{
    const std::optional<std::string> content = ReadPlainFile(path);
    return content ? Checksum(*content) : QByteArray();
}

// Something other than a plain file is there: a folder, a FIFO, a device.
bool IsNoPlainFile(const QFileInfo& name)
{
    return name.exists() && !name.isFile();
}

QByteArray Stamp(const QFileInfo& file)
{
    return QByteArray::number(file.size()) + ':' + QByteArray::number(file.lastModified().toMSecsSinceEpoch());
}

// One line per copy: checksum, a space, stamp, two spaces, path (UTF-8).
TCopies ReadCopies(const QString& listPath)
{
    TCopies copies;
    const std::optional<std::string> list = ReadPlainFile(listPath);
    if (!list)
        return copies;
    for (const QByteArray& line : QByteArray::fromStdString(*list).split('\n')) {
        const qsizetype space = line.indexOf(' ');
        const qsizetype gap = line.indexOf("  ", space + 1);
        if (space > 0 && gap > space)
            copies[QString::fromUtf8(line.mid(gap + 2))] = {line.left(space), line.mid(space + 1, gap - space - 1)};
    }
    return copies;
}

bool WriteCopies(const QString& listPath, const TCopies& copies)
{
    QSaveFile list(listPath);
    if (!list.open(QIODevice::WriteOnly))
        return false;
    for (const auto& [relative, copy] : copies) {
        const QByteArray line = copy.Checksum + ' ' + copy.InstalledStamp + "  " + relative.toUtf8() + '\n';
        if (list.write(line) != line.size())
            return false;
    }
    return CommitToDisk(list);
}

// Puts a copy of From at To, made beside it and renamed over it, so a copy cut short never
// replaces a good file. The copy stays editable by its user even when the installed file is
// read-only. Returns the checksum of what was copied, empty when the copy failed.
QByteArray CopyOver(const QString& from, const QString& to)
{
    const int source = OpenPlainFile(NativePath(PathFromUnicode(from)), O_RDONLY);
    if (source < 0)
        return {};
    struct stat installed {};
    std::string bytes;
    const bool read = ::fstat(source, &installed) == 0 && ReadOpenFile(source, UINTMAX_MAX, bytes);
    ::close(source);
    QSaveFile copy(to);
    const auto size = static_cast<qint64>(bytes.size());
    if (!read || !copy.open(QIODevice::WriteOnly) || copy.write(bytes.data(), size) != size || !copy.flush())
        return {};
    // Set on the new file before it takes the copy's name, so no other file is reached by it.
    const timespec times[] = {{0, UTIME_OMIT}, installed.st_mtim};
    if (::fchmod(copy.handle(), (installed.st_mode & 0777) | S_IRUSR | S_IWUSR) != 0
        || ::futimens(copy.handle(), times) != 0 || !CommitToDisk(copy))
        return {};
    return Checksum(bytes);
}

// The installed dictionary whose index Relative is (a ".ndx" file beside a file of the same
// name with another extension), relative like it; empty when Relative is no such index.
QString DictionaryOfIndex(const QDir& from, const QString& relative)
{
    const QFileInfo index(relative);
    if (index.suffix().compare(QLatin1String("ndx"), Qt::CaseInsensitive) != 0)
        return {};
    const QDir folder(from.filePath(index.path()));
    for (const QFileInfo& file : folder.entryInfoList(QDir::Files | QDir::Hidden))
        if (file.completeBaseName() == index.completeBaseName() && file.fileName() != index.fileName())
            return from.relativeFilePath(file.filePath());
    return {};
}

// One start's look at the installed files: the copies made or kept, and whether all went well.
class TCopyUpdate {
public:
    TCopyUpdate(const QString& source, const QString& target)
        : from_(source), to_(target), listPath_(to_.filePath(QLatin1String(UserCopiesListName))),
          listIsUsers_(IsNoPlainFile(QFileInfo(listPath_))), copies_(listIsUsers_ ? TCopies() : ReadCopies(listPath_))
    {
    }

    enum class TOutcome { Kept, Copied, Failed };

    // Brings the copy of Relative up to date; with Replace, puts the installed file in place
    // whatever the copy holds.
    TOutcome Update(const QString& relative, bool replace)
    {
        const QString installed = from_.filePath(relative);
        const QString destination = to_.filePath(relative);
        const QFileInfo present(destination);
        // A link (even to nowhere), a folder or a FIFO in a copy's place is the user's: never
        // replaced, never opened.
        if (present.isSymLink() || IsNoPlainFile(present))
            return TOutcome::Kept;
        const QByteArray stamp = Stamp(QFileInfo(installed));
        const auto known = copies_.find(relative);
        if (present.exists() && !replace) {
            if (known != copies_.end() && known->second.InstalledStamp == stamp)
                return TOutcome::Kept; // the installed file is as it was at the last look
            const QByteArray current = Checksum(destination);
            const QByteArray wanted = Checksum(installed);
            // A copy that is the installed file is ours; else the one last copied is (a copy made
            // before copies were listed is the user's once it differs).
            const QByteArray ours = current == wanted     ? wanted
                                    : known != copies_.end() ? known->second.Checksum
                                                            : QByteArray(NotOurs);
            // Only a copy the user left as it was follows a change of its installed file.
            if (current != ours || current == wanted) {
                Record(relative, {ours, stamp});
                return TOutcome::Kept;
            }
        }
        const QByteArray copied =
            to_.mkpath(QFileInfo(relative).path()) ? CopyOver(installed, destination) : QByteArray();
        if (copied.isEmpty()) {
            copiedAll_ = false;
            return TOutcome::Failed;
        }
        Record(relative, {copied, stamp});
        return TOutcome::Copied;
    }

    // Whether the copy of Relative is there and its installed file as it was at the last look.
    bool Unchanged(const QString& relative) const
    {
        const auto known = copies_.find(relative);
        return known != copies_.end() && QFileInfo::exists(to_.filePath(relative))
            && known->second.InstalledStamp == Stamp(QFileInfo(from_.filePath(relative)));
    }

    // Whether the user's copy of Relative is its installed file.
    bool IsInstalledFile(const QString& relative) const
    {
        const QByteArray copy = Checksum(to_.filePath(relative));
        return !copy.isEmpty() && copy == Checksum(from_.filePath(relative));
    }

    bool Finish()
    {
        // A folder or a FIFO in the list's place is the user's too: the copies are then made
        // without a list, as before the first start.
        if (listChanged_ && !listIsUsers_ && !WriteCopies(listPath_, copies_))
            return false;
        return copiedAll_;
    }

private:
    void Record(const QString& relative, const TCopy& copy)
    {
        TCopy& entry = copies_[relative];
        if (entry.Checksum == copy.Checksum && entry.InstalledStamp == copy.InstalledStamp)
            return;
        entry = copy;
        listChanged_ = true;
    }

    QDir from_;
    QDir to_;
    QString listPath_;
    bool listIsUsers_;
    TCopies copies_;
    bool listChanged_ = false;
    bool copiedAll_ = true;
};

} // namespace

bool UpdateUserCopies(const QString& source, const QString& target)
{
    TCopyUpdate update(source, target);
    const QDir from(source);
    std::map<QString, QString> indexes; // index -> its dictionary
    std::set<QString> copied;
    QDirIterator files(from.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString relative = from.relativeFilePath(files.next());
        // The listing takes a link for a file: one to a FIFO or a device is no data file either.
        if (!files.fileInfo().isFile())
            continue;
        const QString dictionary = DictionaryOfIndex(from, relative);
        if (!dictionary.isEmpty())
            indexes[relative] = dictionary;
        else if (update.Update(relative, false) == TCopyUpdate::TOutcome::Copied)
            copied.insert(relative);
    }
    // A dictionary and its index are one unit: an installed index goes only beside the installed
    // dictionary, and comes with it. The user's own dictionary keeps the user's index, which the
    // engine rebuilds when it is older than the dictionary.
    for (const auto& [index, dictionary] : indexes) {
        if (copied.count(dictionary) != 0)
            update.Update(index, true);
        else if (!update.Unchanged(index) && update.IsInstalledFile(dictionary))
            update.Update(index, false);
    }
    return update.Finish();
}

} // namespace platform
