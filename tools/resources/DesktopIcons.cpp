#include "resources/DesktopIcons.h"

#include "resources/BrandPictures.h"

#include <QDir>
#include <stdexcept>

namespace resources {

void MakeDesktopIcons(const QString& folder)
{
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString apps = QStringLiteral("%1/hicolor/%2x%2/apps").arg(folder).arg(size);
        if (!QDir().mkpath(apps))
            throw std::runtime_error("cannot make " + apps.toStdString());
        if (!GameIcon(size).save(apps + QStringLiteral("/garvo.png"), "PNG")
            || !UtilityIcon(size).save(apps + QStringLiteral("/lexorim.png"), "PNG"))
            throw std::runtime_error("cannot write the icons in " + apps.toStdString());
    }
}

} // namespace resources
