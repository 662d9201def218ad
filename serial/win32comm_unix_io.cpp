// Reading and writing: ReadFile and WriteFile with the Win32 time-out rules,
// over a descriptor that never blocks, so that a poll() can wait for the
// port and for CancelSynchronousIo at once; and FlushFileBuffers.

#include "blockingcall_unix.h"
#include "win32comm_unix.h"
#include "win32comm_unix_termios2.h"
#include "win32port_unix.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <optional>

#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

using namespace Kv::Win32Layer;

namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::milliseconds;

// Remaining milliseconds until the deadline, at least 0, rounded up.
int millisecondsUntil(Clock::time_point deadline)
{
    const auto left = deadline - Clock::now();
    if (left <= Clock::duration::zero())
        return 0;
    const auto ms = std::chrono::ceil<Milliseconds>(left).count();
    return static_cast<int>(std::min<long long>(ms, INT_MAX));
}

Clock::time_point after(std::uint64_t milliseconds)
{
    // Far enough for anything that is not meant to end.
    milliseconds = std::min<std::uint64_t>(milliseconds, std::uint64_t(1) << 40);
    return Clock::now() + Milliseconds(milliseconds);
}

bool hungUp(short revents)
{
    return revents & (POLLHUP | POLLERR | POLLNVAL);
}

// The Win32 time-out rules for a read: MAXDWORD/0/0 returns what is queued at
// once; MAXDWORD/MAXDWORD/c returns what is queued, else the first byte to
// arrive within c ms; otherwise a total and an interval time-out apply.
struct ReadTimeouts
{
    ReadTimeouts(const COMMTIMEOUTS &t, DWORD bytesToRead)
        : queuedOnly(t.ReadIntervalTimeout == MAXDWORD && t.ReadTotalTimeoutMultiplier == 0 &&
                     t.ReadTotalTimeoutConstant == 0)
        , firstByte(t.ReadIntervalTimeout == MAXDWORD && t.ReadTotalTimeoutMultiplier == MAXDWORD &&
                    t.ReadTotalTimeoutConstant != 0 && t.ReadTotalTimeoutConstant != MAXDWORD)
    {
        if (firstByte) {
            deadline = after(t.ReadTotalTimeoutConstant);
        } else if (!queuedOnly) {
            if (t.ReadTotalTimeoutMultiplier || t.ReadTotalTimeoutConstant)
                deadline = after(std::uint64_t(t.ReadTotalTimeoutMultiplier) * bytesToRead +
                                 t.ReadTotalTimeoutConstant);
            if (t.ReadIntervalTimeout && t.ReadIntervalTimeout != MAXDWORD)
                interval = Milliseconds(t.ReadIntervalTimeout);
        }
    }

    // How long the next wait for bytes may last, -1 for no limit, after got
    // bytes, the last at lastByte.
    int waitMs(DWORD got, Clock::time_point lastByte) const
    {
        if (queuedOnly)
            return 0;
        int waitMs = -1;
        if (deadline)
            waitMs = millisecondsUntil(*deadline);
        if (interval && got > 0) {
            const int untilGap = millisecondsUntil(lastByte + *interval);
            waitMs = waitMs < 0 ? untilGap : std::min(waitMs, untilGap);
        }
        return waitMs;
    }

    const bool queuedOnly;
    const bool firstByte;
    std::optional<Clock::time_point> deadline;
    std::optional<Milliseconds> interval;
};

// Takes everything queued into data up to size: one read() returns at most
// 4095 bytes. False, with errno, when a read fails before any byte was got.
bool takeQueued(int fd, char *data, DWORD size, DWORD &got, Clock::time_point &lastByte)
{
    while (got < size) {
        const ssize_t n = ::read(fd, data + got, size - got);
        if (n > 0) {
            got += static_cast<DWORD>(n);
            lastByte = Clock::now();
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN)
            return got > 0;
        break;
    }
    return true;
}

} // namespace

BOOL ReadFile(HANDLE handle, LPVOID buffer, DWORD bytesToRead, LPDWORD bytesRead, LPOVERLAPPED overlapped)
{
    if (bytesRead)
        *bytesRead = 0;
    Win32Port *port = portOf(handle);
    if (!port)
        return FALSE;
    if (overlapped || !bytesRead || (!buffer && bytesToRead))
        return fail(ERROR_INVALID_PARAMETER);

    const ReadTimeouts timeouts(port->timeouts, bytesToRead);
    const BlockingCall blocking(port->wakeFd);
    char *data = static_cast<char *>(buffer);
    DWORD got = 0;
    Clock::time_point lastByte;
    while (got < bytesToRead && !(timeouts.firstByte && got > 0)) {
        pollfd requests[] = {{port->fd, POLLIN, 0}, {port->wakeFd, POLLIN, 0}};
        const int ready = ::poll(requests, 2, timeouts.waitMs(got, lastByte));
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            return failErrno();
        }
        if (requests[1].revents & POLLIN) {
            if (got > 0)
                break;
            return fail(ERROR_OPERATION_ABORTED);
        }
        // A hung-up tty reads as an endless stream of empty reads: fail instead.
        if (hungUp(requests[0].revents)) {
            if (got > 0)
                break;
            return fail(ERROR_BAD_COMMAND);
        }
        if (ready == 0)
            break;
        if (!takeQueued(port->fd, data, bytesToRead, got, lastByte))
            return failErrno();
        if (timeouts.queuedOnly)
            break;
    }
    *bytesRead = got;
    return TRUE;
}

BOOL WriteFile(HANDLE handle, LPCVOID buffer, DWORD bytesToWrite, LPDWORD bytesWritten,
               LPOVERLAPPED overlapped)
{
    if (bytesWritten)
        *bytesWritten = 0;
    Win32Port *port = portOf(handle);
    if (!port)
        return FALSE;
    if (overlapped || !bytesWritten || (!buffer && bytesToWrite))
        return fail(ERROR_INVALID_PARAMETER);

    const COMMTIMEOUTS &t = port->timeouts;
    std::optional<Clock::time_point> deadline;
    if (t.WriteTotalTimeoutMultiplier || t.WriteTotalTimeoutConstant)
        deadline =
            after(std::uint64_t(t.WriteTotalTimeoutMultiplier) * bytesToWrite + t.WriteTotalTimeoutConstant);

    const BlockingCall blocking(port->wakeFd);
    const char *data = static_cast<const char *>(buffer);
    // Counts as it goes: a failure reports the bytes written before it.
    DWORD &done = *bytesWritten;
    while (done < bytesToWrite) {
        const ssize_t n = ::write(port->fd, data + done, bytesToWrite - done);
        if (n > 0) {
            done += static_cast<DWORD>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN)
            return failErrno();
        pollfd requests[] = {{port->fd, POLLOUT, 0}, {port->wakeFd, POLLIN, 0}};
        const int ready = ::poll(requests, 2, deadline ? millisecondsUntil(*deadline) : -1);
        if (ready < 0 && errno != EINTR)
            return failErrno();
        if (ready > 0 && (requests[1].revents & POLLIN))
            return fail(ERROR_OPERATION_ABORTED);
        if (ready > 0 && hungUp(requests[0].revents))
            return fail(ERROR_BAD_COMMAND);
        // Win32 reports a write time-out as success with the bytes written so far.
        if (ready == 0)
            break;
    }
    return TRUE;
}

BOOL FlushFileBuffers(HANDLE handle)
{
    Win32Port *port = portOf(handle);
    if (!port)
        return FALSE;
    // tcdrain() has no time-out and never returns while flow control holds
    // the line; watch the output queue against a limit instead.
    int queued = 0;
    if (::ioctl(port->fd, TIOCOUTQ, &queued) != 0)
        return failErrno();
    if (queued <= 0)
        return TRUE;
    std::uint32_t baudRate = 0;
    if (Kv::Termios2::baudRate(port->fd, &baudRate) != 0 || baudRate == 0)
        baudRate = 9600;
    // Twice the time the queue takes at the line's speed (11 bits a byte at most).
    const Clock::time_point deadline = after(100 + std::uint64_t(queued) * 11 * 2000 / baudRate);
    while (queued > 0) {
        if (Clock::now() >= deadline)
            return fail(ERROR_GEN_FAILURE);
        ::usleep(1000);
        if (::ioctl(port->fd, TIOCOUTQ, &queued) != 0)
            return failErrno();
    }
    return TRUE;
}
