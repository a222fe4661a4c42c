#include "platform/PlainFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

int OpenPlainFile(const std::string& native, int flags, mode_t mode)
{
    // Without O_NONBLOCK, opening a FIFO waits for the other end, for ever if none comes.
    const int file = ::open(native.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, mode);
    if (file < 0)
        return -1;
    struct stat info {};
    int refusal = 0;
    if (::fstat(file, &info) != 0)
        refusal = errno;
    else if (S_ISDIR(info.st_mode))
        refusal = EISDIR;
    else if (!S_ISREG(info.st_mode))
        refusal = EINVAL;
    else if (const int status = ::fcntl(file, F_GETFL); status < 0 || ::fcntl(file, F_SETFL, status & ~O_NONBLOCK) != 0)
        refusal = errno;
    if (refusal == 0)
        return file;
    ::close(file);
    errno = refusal;
    return -1;
}

} // namespace platform
