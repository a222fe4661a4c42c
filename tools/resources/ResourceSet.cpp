#include "resources/ResourceSet.h"

#include "pictures/Painting.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>
#include <utility>

namespace resources {

namespace {

// A ".bmp" picture is one the game reads at every start: stored plain and uncompressed, it is
// read where it lies.
bool IsPlainPicture(const QString& name)
{
    return name.endsWith(QLatin1String(".bmp"));
}

} // namespace

TResourceSet::TResourceSet(QString folder, QString qrcName) : folder(std::move(folder)), qrcName(std::move(qrcName)) {}

void TResourceSet::Add(const QString& name, const QImage& picture)
{
    if (names.contains(name))
        throw std::runtime_error("resource listed twice: " + name.toStdString());
    if (IsPlainPicture(name))
        pictures::SaveBmp(picture, folder + "/" + name);
    else
        pictures::SavePng(picture, folder + "/" + name);
    names.append(name);
}

void TResourceSet::AddCursor(const QString& name, const QImage& picture, QPoint hotSpot)
{
    if (!picture.rect().contains(hotSpot))
        throw std::runtime_error("hot spot outside the cursor " + name.toStdString());
    Add(name, picture);
    hotSpots.emplace_back(QFileInfo(name).completeBaseName(), hotSpot);
}

void TResourceSet::WriteText(const QString& name, const QByteArray& text) const
{
    const QString path = folder + "/" + name;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

void TResourceSet::Finish(const QString& hotSpotList)
{
    QStringList files = names;
    if (!hotSpots.empty()) {
        if (hotSpotList.isEmpty())
            throw std::runtime_error(qrcName.toStdString() + " holds cursors but no hot-spot list");
        QByteArray list;
        for (const auto& [cursor, spot] : hotSpots)
            list += QStringLiteral("%1 %2 %3\n").arg(cursor).arg(spot.x()).arg(spot.y()).toUtf8();
        WriteText(hotSpotList, list);
        files.append(hotSpotList);
    }
    QByteArray qrc = "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/\">\n";
    for (const QString& file : files) {
        const QString storage = IsPlainPicture(file) ? QStringLiteral(" compression-algorithm=\"none\"") : QString();
        qrc += QStringLiteral("    <file alias=\"%1\"%2>%1</file>\n").arg(file, storage).toUtf8();
    }
    qrc += "</qresource>\n</RCC>\n";
    WriteText(qrcName, qrc);
}

} // namespace resources
