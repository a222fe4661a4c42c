#include "platform/CdAudioDrivePresence.h"

#include <dirent.h>
#include <cstring>
#include <sys/stat.h>

namespace platform {

bool OpticalDrivePresent()
{
    struct stat info {};
    if (::stat("/dev/cdrom", &info) == 0)
        return true;
    // Names alone: the main window asks at every start, and /dev holds hundreds of entries.
    DIR* devices = ::opendir("/dev");
    if (devices == nullptr)
        return false;
    bool found = false;
    while (const dirent* entry = ::readdir(devices))
        if (std::strncmp(entry->d_name, "sr", 2) == 0) {
            found = true;
            break;
        }
    ::closedir(devices);
    return found;
}

} // namespace platform
