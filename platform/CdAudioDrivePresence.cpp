#include "platform/CdAudioDrivePresence.h"

#include <QDir>
#include <QFileInfo>

namespace platform {

bool OpticalDrivePresent()
{
    return QFileInfo::exists(QStringLiteral("/dev/cdrom"))
           || !QDir(QStringLiteral("/dev")).entryList({QStringLiteral("sr*")}, QDir::System).isEmpty();
}

} // namespace platform
