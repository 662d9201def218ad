// The port's state: the DCB over termios (the speed through termios2), the
// time-outs and event mask kept for ReadFile and WriteFile, and the purges.

#include "win32comm_unix.h"
#include "win32comm_unix_termios2.h"
#include "win32port_unix.h"

#include <cerrno>
#include <cstdint>
#include <cstdlib>

#include <sys/ioctl.h>
#include <termios.h>

using namespace Kv::Win32Layer;

namespace {

// A port without modem lines (a pseudo-terminal) refuses these ioctls; that is
// not a failure, there is simply nothing to raise or drop.
bool setModemLine(int fd, int line, bool raised)
{
    if (::ioctl(fd, raised ? TIOCMBIS : TIOCMBIC, &line) == 0)
        return true;
    return errno == ENOTTY || errno == EINVAL;
}

BYTE byteSizeOf(tcflag_t cflag)
{
    switch (cflag & CSIZE) {
    case CS5:
        return 5;
    case CS6:
        return 6;
    case CS7:
        return 7;
    default:
        return 8;
    }
}

// The byte size, parity, stop bits and XON/XOFF that termios holds.
void readLineFormat(const termios &settings, DCB &state)
{
    const tcflag_t cflag = settings.c_cflag;
    state.ByteSize = byteSizeOf(cflag);
    if (!(cflag & PARENB))
        state.Parity = NOPARITY;
    else if (cflag & CMSPAR)
        state.Parity = (cflag & PARODD) ? MARKPARITY : SPACEPARITY;
    else
        state.Parity = (cflag & PARODD) ? ODDPARITY : EVENPARITY;
    if (!(cflag & CSTOPB))
        state.StopBits = ONESTOPBIT;
    else
        state.StopBits = state.ByteSize == 5 ? ONE5STOPBITS : TWOSTOPBITS;
    state.fParity = (settings.c_iflag & INPCK) ? 1 : 0;
    state.fOutX = (settings.c_iflag & IXON) ? 1 : 0;
    state.fInX = (settings.c_iflag & IXOFF) ? 1 : 0;
    state.XonChar = static_cast<char>(settings.c_cc[VSTART]);
    state.XoffChar = static_cast<char>(settings.c_cc[VSTOP]);
}

// The RTS/CTS handshake and the modem lines as they stand.
void readModemControl(int fd, tcflag_t cflag, DCB &state)
{
    // One flag covers both directions of the RTS/CTS handshake: report what was
    // asked for while it is in force, and both directions if someone else set it.
    if (cflag & CRTSCTS) {
        if (!state.fOutxCtsFlow && state.fRtsControl != RTS_CONTROL_HANDSHAKE) {
            state.fOutxCtsFlow = 1;
            state.fRtsControl = RTS_CONTROL_HANDSHAKE;
        }
    } else {
        state.fOutxCtsFlow = 0;
        if (state.fRtsControl == RTS_CONTROL_HANDSHAKE)
            state.fRtsControl = RTS_CONTROL_ENABLE;
    }
    int lines = 0;
    if (::ioctl(fd, TIOCMGET, &lines) == 0) {
        if (state.fDtrControl != DTR_CONTROL_HANDSHAKE)
            state.fDtrControl = (lines & TIOCM_DTR) ? DTR_CONTROL_ENABLE : DTR_CONTROL_DISABLE;
        if (state.fRtsControl == RTS_CONTROL_ENABLE || state.fRtsControl == RTS_CONTROL_DISABLE)
            state.fRtsControl = (lines & TIOCM_RTS) ? RTS_CONTROL_ENABLE : RTS_CONTROL_DISABLE;
    }
}

BOOL readCommState(HANDLE handle, DCB *dcb, Kv::OpenError *report)
{
    Win32Port *port = portOf(handle);
    if (!port)
        return FALSE;
    if (!dcb)
        return fail(ERROR_INVALID_PARAMETER, report);
    termios settings;
    if (::tcgetattr(port->fd, &settings) != 0)
        return failErrno(report);
    std::uint32_t baudRate = 0;
    if (Kv::Termios2::baudRate(port->fd, &baudRate) != 0)
        return failErrno(report);

    // The members termios cannot express stay as last set.
    DCB state = port->shadow;
    state.DCBlength = dcb->DCBlength;
    state.BaudRate = baudRate;
    readLineFormat(settings, state);
    readModemControl(port->fd, settings.c_cflag, state);
    *dcb = state;
    return TRUE;
}

// The combinations Windows refuses as well.
bool invalid(const DCB &state)
{
    return state.BaudRate == 0 || state.ByteSize < 5 || state.ByteSize > 8 || state.Parity > SPACEPARITY ||
           state.StopBits > TWOSTOPBITS || (state.ByteSize == 5 && state.StopBits == TWOSTOPBITS) ||
           (state.ByteSize > 5 && state.StopBits == ONE5STOPBITS) ||
           ((state.fOutX || state.fInX) && state.XonChar == state.XoffChar);
}

// The byte size, parity, stop bits and flow control of state into termios.
void writeLineFormat(const DCB &state, termios &settings)
{
    static const tcflag_t sizes[] = {CS5, CS6, CS7, CS8};
    settings.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
    settings.c_cflag |= sizes[state.ByteSize - 5];
    switch (state.Parity) {
    case ODDPARITY:
        settings.c_cflag |= PARENB | PARODD;
        break;
    case EVENPARITY:
        settings.c_cflag |= PARENB;
        break;
    case MARKPARITY:
        settings.c_cflag |= PARENB | CMSPAR | PARODD;
        break;
    case SPACEPARITY:
        settings.c_cflag |= PARENB | CMSPAR;
        break;
    default:
        break;
    }
    if (state.StopBits != ONESTOPBIT)
        settings.c_cflag |= CSTOPB;
    if (state.fOutxCtsFlow || state.fRtsControl == RTS_CONTROL_HANDSHAKE)
        settings.c_cflag |= CRTSCTS;
    settings.c_iflag &= ~(INPCK | IXON | IXOFF);
    if (state.fParity)
        settings.c_iflag |= INPCK;
    if (state.fOutX)
        settings.c_iflag |= IXON;
    if (state.fInX)
        settings.c_iflag |= IXOFF;
    settings.c_cc[VSTART] = static_cast<cc_t>(state.XonChar);
    settings.c_cc[VSTOP] = static_cast<cc_t>(state.XoffChar);
}

// The rate, through termios2; on failure the earlier settings are put back.
// A driver that cannot make a rate (the 8250 above its UART's clock) keeps
// another and still says yes; Windows refuses such a rate. A driver that
// rounds reports the rate it makes: 2 % off still works on a line.
BOOL writeRate(int fd, DWORD rate, const termios &previous, Kv::OpenError *report)
{
    std::uint32_t made = 0;
    if (Kv::Termios2::setBaudRate(fd, rate) != 0 || Kv::Termios2::baudRate(fd, &made) != 0) {
        const int error = errno;
        ::tcsetattr(fd, TCSANOW, &previous);
        return fail(win32Error(error, Stage::Open), report);
    }
    if (std::abs(std::int64_t(made) - std::int64_t(rate)) > rate / 50) {
        ::tcsetattr(fd, TCSANOW, &previous);
        return fail(ERROR_INVALID_PARAMETER, report);
    }
    return TRUE;
}

BOOL writeCommState(HANDLE handle, DCB *dcb, Kv::OpenError *report)
{
    Win32Port *port = portOf(handle);
    if (!port)
        return FALSE;
    if (!dcb || invalid(*dcb))
        return fail(ERROR_INVALID_PARAMETER, report);
    const DCB &state = *dcb;
    termios previous;
    if (::tcgetattr(port->fd, &previous) != 0)
        return failErrno(report);
    termios settings = previous;
    makeRaw(settings);
    writeLineFormat(state, settings);
    if (::tcsetattr(port->fd, TCSANOW, &settings) != 0)
        return failErrno(report);
    if (!writeRate(port->fd, state.BaudRate, previous, report))
        return FALSE;
    const bool dtr = state.fDtrControl != DTR_CONTROL_DISABLE;
    const bool rts = state.fRtsControl == RTS_CONTROL_ENABLE || state.fRtsControl == RTS_CONTROL_HANDSHAKE;
    if (!setModemLine(port->fd, TIOCM_DTR, dtr) || !setModemLine(port->fd, TIOCM_RTS, rts))
        return failErrno(report);
    port->shadow = state;
    return TRUE;
}

} // namespace

BOOL GetCommState(HANDLE handle, DCB *dcb)
{
    return readCommState(handle, dcb, nullptr);
}

BOOL SetCommState(HANDLE handle, DCB *dcb)
{
    return writeCommState(handle, dcb, nullptr);
}

BOOL Kv::getCommState(HANDLE handle, DCB *dcb, OpenError &error)
{
    OpenError facts;
    return reported(readCommState(handle, dcb, &facts), facts, error);
}

BOOL Kv::setCommState(HANDLE handle, DCB *dcb, OpenError &error)
{
    OpenError facts;
    return reported(writeCommState(handle, dcb, &facts), facts, error);
}

BOOL SetupComm(HANDLE handle, DWORD, DWORD)
{
    // The kernel's queues have a fixed size.
    return portOf(handle) ? TRUE : FALSE;
}

BOOL SetCommMask(HANDLE handle, DWORD eventMask)
{
    Win32Port *port = portOf(handle);
    if (!port)
        return FALSE;
    port->eventMask = eventMask;
    return TRUE;
}

BOOL PurgeComm(HANDLE handle, DWORD flags)
{
    Win32Port *port = portOf(handle);
    if (!port)
        return FALSE;
    // Nothing is ever pending here (no overlapped I/O), so only the clears count.
    const bool input = flags & PURGE_RXCLEAR;
    const bool output = flags & PURGE_TXCLEAR;
    if (!input && !output)
        return TRUE;
    if (::tcflush(port->fd, input && output ? TCIOFLUSH : input ? TCIFLUSH : TCOFLUSH) != 0)
        return failErrno();
    return TRUE;
}

BOOL SetCommTimeouts(HANDLE handle, COMMTIMEOUTS *timeouts)
{
    Win32Port *port = portOf(handle);
    if (!port)
        return FALSE;
    if (!timeouts)
        return fail(ERROR_INVALID_PARAMETER);
    port->timeouts = *timeouts;
    return TRUE;
}

BOOL GetCommTimeouts(HANDLE handle, COMMTIMEOUTS *timeouts)
{
    Win32Port *port = portOf(handle);
    if (!port)
        return FALSE;
    if (!timeouts)
        return fail(ERROR_INVALID_PARAMETER);
    *timeouts = port->timeouts;
    return TRUE;
}
