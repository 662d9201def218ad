#include "win32comm_unix_termios2.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace Kv::Termios2 {

namespace {

// The rates with a constant of their own: set that way, stty and every other
// reader of the port's termios see the rate; BOTHER would show as 0 to them.
tcflag_t standardConstant(std::uint32_t baudRate)
{
    struct Rate
    {
        std::uint32_t rate;
        tcflag_t constant;
    };
    static const Rate rates[] = {
        {50, B50},           {75, B75},           {110, B110},         {134, B134},
        {150, B150},         {200, B200},         {300, B300},         {600, B600},
        {1200, B1200},       {1800, B1800},       {2400, B2400},       {4800, B4800},
        {9600, B9600},       {19200, B19200},     {38400, B38400},     {57600, B57600},
        {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
        {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000},
        {1500000, B1500000}, {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000},
        {3500000, B3500000}, {4000000, B4000000},
    };
    for (const Rate &entry : rates) {
        if (entry.rate == baudRate)
            return entry.constant;
    }
    return BOTHER;
}

} // namespace

int setBaudRate(int fd, std::uint32_t baudRate)
{
    struct termios2 settings;
    if (::ioctl(fd, TCGETS2, &settings) != 0)
        return -1;
    const tcflag_t constant = standardConstant(baudRate);
    settings.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));
    settings.c_cflag |= constant | (constant << IBSHIFT);
    settings.c_ospeed = baudRate;
    settings.c_ispeed = baudRate;
    return ::ioctl(fd, TCSETS2, &settings);
}

int baudRate(int fd, std::uint32_t *result)
{
    // The kernel fills in the speeds for a standard constant as well.
    struct termios2 settings;
    if (::ioctl(fd, TCGETS2, &settings) != 0)
        return -1;
    *result = settings.c_ospeed;
    return 0;
}

} // namespace Kv::Termios2
