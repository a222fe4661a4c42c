#include "pictures/Look.h"

#include <QDir>
#include <QFontDatabase>

namespace pictures {

void LoadFonts()
{
    const QDir fonts(QStringLiteral("/usr/share/fonts/truetype/liberation2"));
    for (const QString& name : fonts.entryList({QStringLiteral("*.ttf")}, QDir::Files))
        QFontDatabase::addApplicationFont(fonts.filePath(name));
}

static QFont MakeFont(const QString& family, int pixelSize, bool bold, bool italic)
{
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setItalic(italic);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

QFont SansFont(int pixelSize, bool bold)
{
    return MakeFont(QStringLiteral("Liberation Sans"), pixelSize, bold, false);
}

QFont SerifFont(int pixelSize, bool bold, bool italic)
{
    return MakeFont(QStringLiteral("Liberation Serif"), pixelSize, bold, italic);
}

} // namespace pictures
