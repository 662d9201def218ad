// Handles and opening: CreateFileW opens a port with the exclusive hold that
// Windows gives a COM port (see takeLockFile() and exclusive()), CloseHandle
// closes whatever a handle stands for, and each thread keeps its last error.

#include "seriallogging.h"
#include "win32comm_unix.h"
#include "win32port_unix.h"

#include <QFile>
#include <QString>

#include <memory>

#include <fcntl.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>

using namespace Kv::Win32Layer;

namespace {

// Takes the port's lock file; false, with the holder or the file in report,
// while a running process holds it or it names none (empty, garbage: the user
// judges it). Without a folder to write in, or where a lock that names no
// running program is another account's, the port opens without one.
bool takeLockFile(Win32Port &port, const QString &devicePath, Kv::OpenError *report)
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

// TIOCEXCL does not stop root; a lock on the descriptor does.
bool exclusive(Win32Port &port, Kv::OpenError *report)
{
    if (::flock(port.fd, LOCK_EX | LOCK_NB) != 0) {
        failErrno(report, Stage::Opening, Kv::OpenError::DescriptorLock);
        return false;
    }
    port.exclusive = ::ioctl(port.fd, TIOCEXCL) == 0;
    return true;
}

// The line as Windows hands a port over: raw, DTR and RTS raised (opening the
// device raised them), the flow-control bytes and limits at their defaults.
void setUp(Win32Port &port)
{
    termios settings;
    if (::tcgetattr(port.fd, &settings) == 0) {
        makeRaw(settings);
        ::tcsetattr(port.fd, TCSANOW, &settings);
    }
    port.shadow.DCBlength = sizeof(DCB);
    port.shadow.fBinary = 1;
    port.shadow.fDtrControl = DTR_CONTROL_ENABLE;
    port.shadow.fRtsControl = RTS_CONTROL_ENABLE;
    port.shadow.XonLim = 2048;
    port.shadow.XoffLim = 512;
    port.shadow.XonChar = 0x11;
    port.shadow.XoffChar = 0x13;
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

    auto port = std::make_unique<Win32Port>();
    const bool held = shareMode == 0;
    if (held && !takeLockFile(*port, path, report))
        return INVALID_HANDLE_VALUE;
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
    if (held && !exclusive(*port, report))
        return INVALID_HANDLE_VALUE;
    setUp(*port);
    lastError = ERROR_SUCCESS;
    return static_cast<Win32Object *>(port.release());
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
    Win32Object *object = objectOf<Win32Object>(handle);
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
