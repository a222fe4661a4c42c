#include "platform/UserDataCopy.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <map>

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

QByteArray Checksum(const QString& path)
{
    QFile file(path);
    QCryptographicHash hash(ChecksumKind);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        return {};
    return hash.result().toHex();
}

QByteArray Stamp(const QFileInfo& file)
{
    return QByteArray::number(file.size()) + ':' + QByteArray::number(file.lastModified().toMSecsSinceEpoch());
}

// One line per copy: checksum, a space, stamp, two spaces, path (UTF-8).
TCopies ReadCopies(const QString& listPath)
{
    TCopies copies;
    QFile list(listPath);
    if (!list.open(QIODevice::ReadOnly))
        return copies;
    while (!list.atEnd()) {
        QByteArray line = list.readLine();
        if (line.endsWith('\n'))
            line.chop(1);
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
    for (const auto& [relative, copy] : copies)
        list.write(copy.Checksum + ' ' + copy.InstalledStamp + "  " + relative.toUtf8() + '\n');
    return list.commit();
}

// Puts a copy of From at To, made beside it and renamed over it, so a copy cut short never
// replaces a good file. The copy stays editable by its user even when the installed file is
// read-only. Returns the checksum of what was copied, empty when the copy failed.
QByteArray CopyOver(const QString& from, const QString& to)
{
    QFile source(from);
    QSaveFile copy(to);
    if (!source.open(QIODevice::ReadOnly) || !copy.open(QIODevice::WriteOnly))
        return {};
    QCryptographicHash hash(ChecksumKind);
    while (!source.atEnd()) {
        const QByteArray block = source.read(1 << 16);
        if (block.isEmpty() || copy.write(block) != block.size())
            return {};
        hash.addData(block);
    }
    if (!copy.commit())
        return {};
    QFile copied(to);
    copied.setPermissions(source.permissions() | QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (!copied.open(QIODevice::ReadWrite)
        || !copied.setFileTime(QFileInfo(source).lastModified(), QFileDevice::FileModificationTime))
        return {};
    return hash.result().toHex();
}

} // namespace

bool UpdateUserCopies(const QString& source, const QString& target)
{
    const QDir from(source);
    const QDir to(target);
    const QString listPath = to.filePath(QLatin1String(UserCopiesListName));
    TCopies copies = ReadCopies(listPath);
    bool listChanged = false;
    bool copiedAll = true;
    QDirIterator files(from.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString installed = files.next();
        const QString relative = from.relativeFilePath(installed);
        const QString destination = to.filePath(relative);
        const QFileInfo present(destination);
        // A link, even to nowhere, is the user's.
        if (present.isSymLink())
            continue;
        const QByteArray stamp = Stamp(files.fileInfo());
        const auto known = copies.find(relative);
        if (present.exists()) {
            if (known != copies.end() && known->second.InstalledStamp == stamp)
                continue; // the installed file is as it was at the last look
            const QByteArray current = Checksum(destination);
            const QByteArray wanted = Checksum(installed);
            // A copy made before copies were listed is ours while it is the installed file.
            const QByteArray ours = known != copies.end() ? known->second.Checksum
                                    : current == wanted   ? wanted
                                                          : QByteArray(NotOurs);
            // Only a copy the user left as it was follows a change of its installed file.
            if (current != ours || current == wanted) {
                copies[relative] = {ours, stamp};
                listChanged = true;
                continue;
            }
        }
        const QByteArray copied =
            to.mkpath(QFileInfo(relative).path()) ? CopyOver(installed, destination) : QByteArray();
        if (copied.isEmpty()) {
            copiedAll = false;
            continue;
        }
        copies[relative] = {copied, stamp};
        listChanged = true;
    }
    if (listChanged && !WriteCopies(listPath, copies))
        return false;
    return copiedAll;
}

} // namespace platform
