#include "win32comm_unix.h"

#include "portlockfile.h"
#include "seriallogging.h"
#include "win32comm_unix_termios2.h"

#include <QFile>
#include <QString>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>
#include <optional>

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::milliseconds;

// What a HANDLE stands for here: an open port or a thread.
struct Object
{
    virtual ~Object() = default;
};

struct Port : Object
{
    ~Port() override
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

    int fd = -1;
    // This descriptor put the tty in exclusive mode.
    bool exclusive = false;
    // Readable while a CancelSynchronousIo is pending for a blocking call.
    int wakeFd = -1;
    std::unique_ptr<Kv::PortLockFile> lockFile;
    // The DCB as last set: it answers for the members termios cannot express.
    DCB shadow = {};
    COMMTIMEOUTS timeouts = {};
    DWORD eventMask = 0;
};

struct Thread : Object
{
    DWORD id = 0;
};

// Like Win32, each thread has its own last error.
thread_local DWORD lastError = ERROR_SUCCESS;

enum class Stage { Opening, Open };

DWORD win32Error(int error, Stage stage)
{
    switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
        return ERROR_PATH_NOT_FOUND;
    case EMFILE:
    case ENFILE:
        return ERROR_TOO_MANY_OPEN_FILES;
    case EACCES:
    case EPERM:
    case EBUSY:
    case EWOULDBLOCK:
        return ERROR_ACCESS_DENIED;
    case EBADF:
        return ERROR_INVALID_HANDLE;
    case ENOMEM:
        return ERROR_NOT_ENOUGH_MEMORY;
    case ENOTTY:
        return ERROR_INVALID_FUNCTION;
    case EINVAL:
        return ERROR_INVALID_PARAMETER;
    case EIO:
        // On an open port EIO means the device has gone (hang-up); Windows
        // answers ERROR_BAD_COMMAND for a removed COM port.
        return stage == Stage::Open ? ERROR_BAD_COMMAND : ERROR_GEN_FAILURE;
    default:
        return ERROR_GEN_FAILURE;
    }
}

// Sets the last error; report, where the caller wants them, gets the facts
// behind it.
BOOL fail(DWORD error, Kv::OpenError *report = nullptr, const Kv::OpenError &facts = {})
{
    lastError = error;
    if (report)
        *report = facts;
    return FALSE;
}

BOOL failErrno(Kv::OpenError *report = nullptr, Stage stage = Stage::Open,
               Kv::OpenError::Step step = Kv::OpenError::Unknown)
{
    Kv::OpenError facts;
    facts.errorNumber = errno;
    facts.step = step;
    return fail(win32Error(facts.errorNumber, stage), report, facts);
}

// Hands the facts of a call that failed, with its last error, to error.
bool reported(bool succeeded, Kv::OpenError &facts, Kv::OpenError &error)
{
    if (!succeeded) {
        facts.win32Error = lastError;
        error = facts;
    }
    return succeeded;
}

template <typename T>
T *objectOf(HANDLE handle)
{
    T *object = nullptr;
    if (handle != nullptr && handle != INVALID_HANDLE_VALUE)
        object = dynamic_cast<T *>(static_cast<Object *>(handle));
    if (!object)
        lastError = ERROR_INVALID_HANDLE;
    return object;
}

Port *portOf(HANDLE handle)
{
    return objectOf<Port>(handle);
}

// The threads blocked in ReadFile or WriteFile, with the wake-up descriptor
// of the port each one waits on.
std::mutex blockedMutex;
std::map<DWORD, int> blockedThreads;

// Registers the calling thread as blocked on port for its lifetime, so that
// CancelSynchronousIo can wake it.
class BlockingCall
{
public:
    explicit BlockingCall(const Port &port)
        : thread(GetCurrentThreadId())
    {
        const std::lock_guard<std::mutex> locker(blockedMutex);
        // A cancel that came after the previous call had finished is void.
        std::uint64_t pending;
        while (::read(port.wakeFd, &pending, sizeof pending) > 0) {
        }
        blockedThreads[thread] = port.wakeFd;
    }
    ~BlockingCall()
    {
        const std::lock_guard<std::mutex> locker(blockedMutex);
        blockedThreads.erase(thread);
    }
    BlockingCall(const BlockingCall &) = delete;
    BlockingCall &operator=(const BlockingCall &) = delete;

private:
    const DWORD thread;
};

// Takes the port's lock file; false, with the holder or the file in report,
// while a running process holds it or it names none (empty, garbage: the user
// judges it). Without a folder to write in, or where a lock that names no
// running program is another account's, the port opens without one.
bool takeLockFile(Port &port, const QString &devicePath, Kv::OpenError *report)
{
    auto lockFile = std::make_unique<Kv::PortLockFile>(devicePath);
    switch (lockFile->take()) {
    case Kv::PortLockFile::Result::Taken:
        port.lockFile = std::move(lockFile);
        return true;
    case Kv::PortLockFile::Result::PassedOver:
        qCWarning(Kv::lcLockFile,
                  "Passed over the lock file %s: it names no running program, and this "
                  "account may not remove it.",
                  qUtf8Printable(lockFile->path()));
        return true;
    case Kv::PortLockFile::Result::NoLockFile:
        return true;
    case Kv::PortLockFile::Result::Held:
    case Kv::PortLockFile::Result::NotUnderstood:
        break;
    }
    Kv::OpenError facts;
    facts.step = Kv::OpenError::LockFile;
    facts.lockOwner = lockFile->owner();
    facts.lockFile = lockFile->path();
    fail(ERROR_ACCESS_DENIED, report, facts);
    return false;
}

// No line discipline at all: Windows knows no cooked mode. The line format
// (speed, size, parity, stop bits, flow control) is left as it is.
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

// A port without modem lines (a pseudo-terminal) refuses these ioctls; that is
// not a failure, there is simply nothing to raise or drop.
bool setModemLine(int fd, int line, bool raised)
{
    if (::ioctl(fd, raised ? TIOCMBIS : TIOCMBIC, &line) == 0)
        return true;
    return errno == ENOTTY || errno == EINVAL;
}

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

// CreateFileW, with the facts of a failure in report where it is given.
HANDLE createPort(LPCWSTR fileName, DWORD desiredAccess, DWORD shareMode, DWORD creationDisposition,
                  Kv::OpenError *report)
{
    if (fileName == nullptr || creationDisposition != OPEN_EXISTING) {
        fail(ERROR_INVALID_PARAMETER, report);
        return INVALID_HANDLE_VALUE;
    }
    const QString path = QString::fromWCharArray(fileName);
    const QByteArray nativePath = QFile::encodeName(path);
    struct stat status;
    if (::stat(nativePath.constData(), &status) != 0) {
        failErrno(report, Stage::Opening, Kv::OpenError::Open);
        return INVALID_HANDLE_VALUE;
    }

    auto port = std::make_unique<Port>();
    const bool exclusive = shareMode == 0;
    if (exclusive) {
        if (!takeLockFile(*port, path, report))
            return INVALID_HANDLE_VALUE;
    }

    int flags = O_NOCTTY | O_NONBLOCK | O_CLOEXEC;
    const bool reading = desiredAccess & GENERIC_READ;
    const bool writing = desiredAccess & GENERIC_WRITE;
    flags |= reading && writing ? O_RDWR : writing ? O_WRONLY : O_RDONLY;
    port->fd = ::open(nativePath.constData(), flags);
    if (port->fd < 0) {
        failErrno(report, Stage::Opening, Kv::OpenError::Open);
        return INVALID_HANDLE_VALUE;
    }
    port->wakeFd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (port->wakeFd < 0) {
        failErrno(report, Stage::Opening);
        return INVALID_HANDLE_VALUE;
    }
    if (exclusive) {
        // TIOCEXCL does not stop root; a lock on the descriptor does.
        if (::flock(port->fd, LOCK_EX | LOCK_NB) != 0) {
            failErrno(report, Stage::Opening, Kv::OpenError::DescriptorLock);
            return INVALID_HANDLE_VALUE;
        }
        port->exclusive = ::ioctl(port->fd, TIOCEXCL) == 0;
    }

    termios settings;
    if (::tcgetattr(port->fd, &settings) == 0) {
        makeRaw(settings);
        ::tcsetattr(port->fd, TCSANOW, &settings);
    }
    // Opening the device raised DTR and RTS.
    port->shadow.DCBlength = sizeof(DCB);
    port->shadow.fBinary = 1;
    port->shadow.fDtrControl = DTR_CONTROL_ENABLE;
    port->shadow.fRtsControl = RTS_CONTROL_ENABLE;
    port->shadow.XonLim = 2048;
    port->shadow.XoffLim = 512;
    port->shadow.XonChar = 0x11;
    port->shadow.XoffChar = 0x13;
    lastError = ERROR_SUCCESS;
    return static_cast<Object *>(port.release());
}

} // namespace

HANDLE CreateFileW(LPCWSTR fileName, DWORD desiredAccess, DWORD shareMode, LPSECURITY_ATTRIBUTES,
                   DWORD creationDisposition, DWORD, HANDLE)
{
    return createPort(fileName, desiredAccess, shareMode, creationDisposition, nullptr);
}

HANDLE Kv::createFile(LPCWSTR fileName, DWORD desiredAccess, DWORD shareMode, DWORD creationDisposition,
                      OpenError &error)
{
    OpenError facts;
    HANDLE handle = createPort(fileName, desiredAccess, shareMode, creationDisposition, &facts);
    reported(handle != INVALID_HANDLE_VALUE, facts, error);
    return handle;
}

BOOL CloseHandle(HANDLE handle)
{
    Object *object = objectOf<Object>(handle);
    if (!object)
        return FALSE;
    delete object;
    return TRUE;
}

DWORD GetLastError()
{
    return lastError;
}

void SetLastError(DWORD error)
{
    lastError = error;
}

namespace {

BOOL readCommState(HANDLE handle, DCB *dcb, Kv::OpenError *report)
{
    Port *port = portOf(handle);
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

    DCB state = port->shadow;
    state.DCBlength = dcb->DCBlength;
    state.BaudRate = baudRate;
    const tcflag_t cflag = settings.c_cflag;
    switch (cflag & CSIZE) {
    case CS5:
        state.ByteSize = 5;
        break;
    case CS6:
        state.ByteSize = 6;
        break;
    case CS7:
        state.ByteSize = 7;
        break;
    default:
        state.ByteSize = 8;
        break;
    }
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
    if (::ioctl(port->fd, TIOCMGET, &lines) == 0) {
        if (state.fDtrControl != DTR_CONTROL_HANDSHAKE)
            state.fDtrControl = (lines & TIOCM_DTR) ? DTR_CONTROL_ENABLE : DTR_CONTROL_DISABLE;
        if (state.fRtsControl == RTS_CONTROL_ENABLE || state.fRtsControl == RTS_CONTROL_DISABLE)
            state.fRtsControl = (lines & TIOCM_RTS) ? RTS_CONTROL_ENABLE : RTS_CONTROL_DISABLE;
    }
    *dcb = state;
    return TRUE;
}

BOOL writeCommState(HANDLE handle, DCB *dcb, Kv::OpenError *report)
{
    Port *port = portOf(handle);
    if (!port)
        return FALSE;
    if (!dcb)
        return fail(ERROR_INVALID_PARAMETER, report);
    // The combinations Windows refuses as well.
    const DCB &state = *dcb;
    if (state.BaudRate == 0 || state.ByteSize < 5 || state.ByteSize > 8 || state.Parity > SPACEPARITY ||
        state.StopBits > TWOSTOPBITS || (state.ByteSize == 5 && state.StopBits == TWOSTOPBITS) ||
        (state.ByteSize > 5 && state.StopBits == ONE5STOPBITS) ||
        ((state.fOutX || state.fInX) && state.XonChar == state.XoffChar))
        return fail(ERROR_INVALID_PARAMETER, report);

    termios previous;
    if (::tcgetattr(port->fd, &previous) != 0)
        return failErrno(report);
    termios settings = previous;
    makeRaw(settings);
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

    if (::tcsetattr(port->fd, TCSANOW, &settings) != 0)
        return failErrno(report);
    if (Kv::Termios2::setBaudRate(port->fd, state.BaudRate) != 0) {
        const int error = errno;
        ::tcsetattr(port->fd, TCSANOW, &previous);
        return fail(win32Error(error, Stage::Open), report);
    }
    // A driver that cannot make a rate (the 8250 above its UART's clock) keeps
    // another and still says yes; Windows refuses such a rate. A driver that
    // rounds reports the rate it makes: 2 % off still works on a line.
    std::uint32_t made = 0;
    if (Kv::Termios2::baudRate(port->fd, &made) != 0 ||
        std::abs(std::int64_t(made) - std::int64_t(state.BaudRate)) > state.BaudRate / 50) {
        ::tcsetattr(port->fd, TCSANOW, &previous);
        return fail(ERROR_INVALID_PARAMETER, report);
    }
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
    Port *port = portOf(handle);
    if (!port)
        return FALSE;
    port->eventMask = eventMask;
    return TRUE;
}

BOOL PurgeComm(HANDLE handle, DWORD flags)
{
    Port *port = portOf(handle);
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
    Port *port = portOf(handle);
    if (!port)
        return FALSE;
    if (!timeouts)
        return fail(ERROR_INVALID_PARAMETER);
    port->timeouts = *timeouts;
    return TRUE;
}

BOOL GetCommTimeouts(HANDLE handle, COMMTIMEOUTS *timeouts)
{
    Port *port = portOf(handle);
    if (!port)
        return FALSE;
    if (!timeouts)
        return fail(ERROR_INVALID_PARAMETER);
    *timeouts = port->timeouts;
    return TRUE;
}

BOOL ReadFile(HANDLE handle, LPVOID buffer, DWORD bytesToRead, LPDWORD bytesRead, LPOVERLAPPED overlapped)
{
    if (bytesRead)
        *bytesRead = 0;
    Port *port = portOf(handle);
    if (!port)
        return FALSE;
    if (overlapped || !bytesRead || (!buffer && bytesToRead))
        return fail(ERROR_INVALID_PARAMETER);

    // The Win32 time-out rules: MAXDWORD/0/0 returns what is queued at once;
    // MAXDWORD/MAXDWORD/c returns what is queued, else the first byte to
    // arrive within c ms; otherwise a total and an interval time-out apply.
    const COMMTIMEOUTS &t = port->timeouts;
    const bool queuedOnly = t.ReadIntervalTimeout == MAXDWORD && t.ReadTotalTimeoutMultiplier == 0 &&
                            t.ReadTotalTimeoutConstant == 0;
    const bool firstByte = t.ReadIntervalTimeout == MAXDWORD && t.ReadTotalTimeoutMultiplier == MAXDWORD &&
                           t.ReadTotalTimeoutConstant != 0 && t.ReadTotalTimeoutConstant != MAXDWORD;
    std::optional<Clock::time_point> deadline;
    std::optional<Milliseconds> interval;
    if (firstByte) {
        deadline = after(t.ReadTotalTimeoutConstant);
    } else if (!queuedOnly) {
        if (t.ReadTotalTimeoutMultiplier || t.ReadTotalTimeoutConstant)
            deadline =
                after(std::uint64_t(t.ReadTotalTimeoutMultiplier) * bytesToRead + t.ReadTotalTimeoutConstant);
        if (t.ReadIntervalTimeout && t.ReadIntervalTimeout != MAXDWORD)
            interval = Milliseconds(t.ReadIntervalTimeout);
    }

    const BlockingCall blocking(*port);
    char *data = static_cast<char *>(buffer);
    DWORD got = 0;
    Clock::time_point lastByte;
    while (got < bytesToRead) {
        if (firstByte && got > 0)
            break;
        int waitMs = -1;
        if (queuedOnly) {
            waitMs = 0;
        } else {
            if (deadline)
                waitMs = millisecondsUntil(*deadline);
            if (interval && got > 0) {
                const int untilGap = millisecondsUntil(lastByte + *interval);
                waitMs = waitMs < 0 ? untilGap : std::min(waitMs, untilGap);
            }
        }
        pollfd requests[] = {{port->fd, POLLIN, 0}, {port->wakeFd, POLLIN, 0}};
        const int ready = ::poll(requests, 2, waitMs);
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
        // One read() returns at most 4095 bytes; take everything queued.
        while (got < bytesToRead) {
            const ssize_t n = ::read(port->fd, data + got, bytesToRead - got);
            if (n > 0) {
                got += static_cast<DWORD>(n);
                lastByte = Clock::now();
                continue;
            }
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0 && errno != EAGAIN) {
                if (got > 0)
                    break;
                return failErrno();
            }
            break;
        }
        if (queuedOnly)
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
    Port *port = portOf(handle);
    if (!port)
        return FALSE;
    if (overlapped || !bytesWritten || (!buffer && bytesToWrite))
        return fail(ERROR_INVALID_PARAMETER);

    const COMMTIMEOUTS &t = port->timeouts;
    std::optional<Clock::time_point> deadline;
    if (t.WriteTotalTimeoutMultiplier || t.WriteTotalTimeoutConstant)
        deadline =
            after(std::uint64_t(t.WriteTotalTimeoutMultiplier) * bytesToWrite + t.WriteTotalTimeoutConstant);

    const BlockingCall blocking(*port);
    const char *data = static_cast<const char *>(buffer);
    DWORD done = 0;
    while (done < bytesToWrite) {
        const ssize_t n = ::write(port->fd, data + done, bytesToWrite - done);
        if (n > 0) {
            done += static_cast<DWORD>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN) {
            *bytesWritten = done;
            return failErrno();
        }
        pollfd requests[] = {{port->fd, POLLOUT, 0}, {port->wakeFd, POLLIN, 0}};
        const int ready = ::poll(requests, 2, deadline ? millisecondsUntil(*deadline) : -1);
        if (ready < 0 && errno != EINTR) {
            *bytesWritten = done;
            return failErrno();
        }
        if (ready > 0 && (requests[1].revents & POLLIN)) {
            *bytesWritten = done;
            return fail(ERROR_OPERATION_ABORTED);
        }
        if (ready > 0 && hungUp(requests[0].revents)) {
            *bytesWritten = done;
            return fail(ERROR_BAD_COMMAND);
        }
        // Win32 reports a write time-out as success with the bytes written so far.
        if (ready == 0)
            break;
    }
    *bytesWritten = done;
    return TRUE;
}

BOOL FlushFileBuffers(HANDLE handle)
{
    Port *port = portOf(handle);
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

DWORD GetCurrentThreadId()
{
    return static_cast<DWORD>(::gettid());
}

HANDLE OpenThread(DWORD, BOOL, DWORD threadId)
{
    if (threadId == 0) {
        lastError = ERROR_INVALID_PARAMETER;
        return nullptr;
    }
    auto thread = std::make_unique<Thread>();
    thread->id = threadId;
    return static_cast<Object *>(thread.release());
}

BOOL CancelSynchronousIo(HANDLE handle)
{
    const Thread *thread = objectOf<Thread>(handle);
    if (!thread)
        return FALSE;
    const std::lock_guard<std::mutex> locker(blockedMutex);
    const auto blocked = blockedThreads.find(thread->id);
    if (blocked == blockedThreads.end())
        return fail(ERROR_NOT_FOUND);
    const std::uint64_t one = 1;
    if (::write(blocked->second, &one, sizeof one) != sizeof one)
        return failErrno();
    return TRUE;
}
