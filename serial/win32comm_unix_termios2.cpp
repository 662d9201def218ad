#include "win32comm_unix_termios2.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace Kv::Termios2 {

int setBaudRate(int fd, std::uint32_t baudRate)
{
    struct termios2 settings;
    if (::ioctl(fd, TCGETS2, &settings) != 0)
        return -1;
    settings.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));
    settings.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
    settings.c_ospeed = baudRate;
    settings.c_ispeed = baudRate;
    return ::ioctl(fd, TCSETS2, &settings);
}

int baudRate(int fd, std::uint32_t *result)
{
    struct termios2 settings;
    if (::ioctl(fd, TCGETS2, &settings) != 0)
        return -1;
    *result = settings.c_ospeed;
    return 0;
}

} // namespace Kv::Termios2
