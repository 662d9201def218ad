#include "win32port_unix.h"

#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace Kv::Win32Layer {

Win32Port::~Win32Port()
{
    // The lock file goes first: once the descriptor is closed, a pseudo-
    // terminal's name may at once be given to a new one.
    lockFile.reset();
    // TIOCEXCL belongs to the tty, not to this descriptor: a pty (a
    // simulator, a socat bridge) keeps it after the close, and every
    // later open by an ordinary user would fail with EBUSY.
    if (exclusive)
        ::ioctl(fd, TIOCNXCL);
    if (fd >= 0)
        ::close(fd);
    if (wakeFd >= 0)
        ::close(wakeFd);
}

Win32Port *portOf(HANDLE handle)
{
    return objectOf<Win32Port>(handle);
}

void makeRaw(termios &settings)
{
    settings.c_iflag &=
        ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IUCLC | IXANY | IMAXBEL);
    settings.c_oflag &= ~OPOST;
    settings.c_lflag &= ~(ECHO | ECHOE | ECHOK | ECHONL | ICANON | ISIG | IEXTEN | NOFLSH | TOSTOP);
    settings.c_cflag |= CLOCAL | CREAD;
    // poll() honours VMIN; reads must return whatever is queued.
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 0;
}

} // namespace Kv::Win32Layer
