#pragma once
// One Qt resource file being written: its pictures, saved under their resource names as PNG, or
// as plain uncompressed BMP when the name ends in ".bmp", and the hot spots of the cursors among
// them.
#include <QImage>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <vector>

namespace resources {

class TResourceSet {
public:
    // Folder is resources/; QrcName the resource file written there (such as "garvo.qrc").
    TResourceSet(QString folder, QString qrcName);

    // Saves Picture as Folder/Name and lists it under Name (such as "digits/0.png").
    void Add(const QString& name, const QImage& picture);
    // A cursor: its picture, and its hot spot in the list HotSpotList (a resource of the set).
    void AddCursor(const QString& name, const QImage& picture, QPoint hotSpot);
    // Writes the hot-spot list (one "name x y" line per cursor, when the set has cursors) and
    // the resource file.
    void Finish(const QString& hotSpotList = {});

private:
    QString folder;
    QString qrcName;
    QStringList names;
    std::vector<std::pair<QString, QPoint>> hotSpots;

    void WriteText(const QString& name, const QByteArray& text) const;
};

} // namespace resources
