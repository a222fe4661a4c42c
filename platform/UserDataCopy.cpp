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

// Relative path of each copy -> the checksum of what was copied.
using TCopies = std::map<QString, QByteArray>;

constexpr QCryptographicHash::Algorithm ChecksumKind = QCryptographicHash::Sha256;

QByteArray Checksum(const QString& path)
{
    QFile file(path);
    QCryptographicHash hash(ChecksumKind);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        return {};
    return hash.result().toHex();
}

TCopies ReadCopies(const QString& listPath)
{
    TCopies copies;
    QFile list(listPath);
    if (!list.open(QIODevice::ReadOnly))
        return copies;
    while (!list.atEnd()) {
        const QByteArray line = list.readLine().trimmed();
        const qsizetype gap = line.indexOf("  ");
        if (gap > 0)
            copies[QString::fromUtf8(line.mid(gap + 2))] = line.left(gap);
    }
    return copies;
}

bool WriteCopies(const QString& listPath, const TCopies& copies)
{
    QSaveFile list(listPath);
    if (!list.open(QIODevice::WriteOnly))
        return false;
    for (const auto& [relative, checksum] : copies)
        list.write(checksum + "  " + relative.toUtf8() + "\n");
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
        const QString relative = from.relativeFilePath(files.next());
        const QString destination = to.filePath(relative);
        const QFileInfo present(destination);
        const auto recorded = copies.find(relative);
        // A link, even to nowhere, is the user's.
        if (present.isSymLink())
            continue;
        if (present.exists()) {
            const QByteArray current = Checksum(destination);
            const bool unchangedCopy = recorded != copies.end() && current == recorded->second;
            if (!unchangedCopy) {
                // A copy made before copies were listed is ours while it is the installed file.
                if (recorded == copies.end() && !current.isEmpty() && current == Checksum(files.filePath())) {
                    copies[relative] = current;
                    listChanged = true;
                }
                continue;
            }
            if (Checksum(files.filePath()) == current)
                continue;
        }
        const QByteArray copied =
            to.mkpath(QFileInfo(relative).path()) ? CopyOver(files.filePath(), destination) : QByteArray();
        if (copied.isEmpty()) {
            copiedAll = false;
            continue;
        }
        copies[relative] = copied;
        listChanged = true;
    }
    if (listChanged && !WriteCopies(listPath, copies))
        return false;
    return copiedAll;
}

} // namespace platform
