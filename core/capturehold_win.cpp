#include "capturehold.h"

#include <QDir>

#include <windows.h>

namespace {

// A byte far past any capture's end: locking it holds up no read or write.
constexpr DWORD lockOffsetHigh = 0x7fffffff;

HANDLE openShared(const QString &path, DWORD access)
{
    return CreateFileW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(path).utf16()), access,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool lockByte(HANDLE handle, DWORD flags)
{
    OVERLAPPED at = {};
    at.OffsetHigh = lockOffsetHigh;
    return LockFileEx(handle, flags | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at);
}

} // namespace

// A handle of the hold's own, as QFile does not give its own: the system
// drops its lock when the process ends, however it ends.
CaptureHold::CaptureHold(QFile &file, const QString &path)
    : file(file)
    , path(path)
{
    HANDLE own = openShared(path, GENERIC_READ | GENERIC_WRITE);
    if (own == INVALID_HANDLE_VALUE)
        return;
    lockByte(own, LOCKFILE_EXCLUSIVE_LOCK);
    handle = own;
}

CaptureHold::~CaptureHold()
{
    if (handle)
        CloseHandle(static_cast<HANDLE>(handle));
}

QString CaptureHold::sync()
{
    if (!handle || FlushFileBuffers(static_cast<HANDLE>(handle)))
        return QString();
    return QStringLiteral("Windows error %1").arg(GetLastError());
}

bool CaptureHold::isHeld(const QString &path)
{
    HANDLE probe = openShared(path, GENERIC_READ);
    if (probe == INVALID_HANDLE_VALUE)
        return false;
    const bool locked = lockByte(probe, 0);
    const bool held = !locked && GetLastError() == ERROR_LOCK_VIOLATION;
    if (locked) {
        OVERLAPPED at = {};
        at.OffsetHigh = lockOffsetHigh;
        UnlockFileEx(probe, 0, 1, 0, &at);
    }
    CloseHandle(probe);
    return held;
}
