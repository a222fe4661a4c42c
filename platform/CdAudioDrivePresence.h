#pragma once
// Whether the machine shows an optical drive: "/dev/cdrom" or a "/dev/sr*" device. Asks the
// file system, not the drives, and needs no CD library.

namespace platform {

bool OpticalDrivePresent();

} // namespace platform
