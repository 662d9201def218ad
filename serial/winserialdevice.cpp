#include "winserialdevice.h"

#include "opencalls.h"
#include "portpath.h"
#include "seriallogging.h"
#include "serialsettings.h"

#include <QDebug>

#include <cstring>

namespace Kv {

WinSerialDevice::WinSerialDevice(const QString &portName)
    : portName(portName)
    , settings(new SerialSettings)
{}

WinSerialDevice::~WinSerialDevice()
{
    delete settings;
    close();
    delete portState;
}

void WinSerialDevice::setSettings(SerialSettings *newSettings)
{
    if (newSettings == settings)
        return;
    delete settings;
    settings = newSettings;
}

bool WinSerialDevice::isSequential() const
{
    return true;
}

bool WinSerialDevice::openPort(QIODevice::OpenMode mode, DWORD readTimeout, DWORD writeTimeout)
{
    // A second open must not leak the handle it holds.
    if (handle != INVALID_HANDLE_VALUE)
        close();
    lastOpenError = {};
    const std::wstring path = portOpenPath(portName.toStdWString());
    qCDebug(lcSerial, "Win32SerialDevice::open()");
    handle = OpenCalls::createFile(path, lastOpenError);
    if (handle == INVALID_HANDLE_VALUE)
        return failOpen();

    if (!portState) {
        portState = new DCB;
        std::memset(portState, 0, sizeof(DCB));
        portState->DCBlength = sizeof(DCB);
    }
    if (!OpenCalls::getCommState(handle, *portState, lastOpenError))
        return failOpen();
    if (settings)
        settings->applyTo(*portState);

    SetCommMask(handle, 0);
    SetupComm(handle, 4096, 4096);
    PurgeComm(handle, PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);

    // A read returns what is queued at once, else the first byte to arrive
    // within readTimeout, else nothing.
    COMMTIMEOUTS timeouts;
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.ReadTotalTimeoutMultiplier = MAXDWORD;
    timeouts.ReadTotalTimeoutConstant = readTimeout;
    timeouts.WriteTotalTimeoutMultiplier = 1;
    timeouts.WriteTotalTimeoutConstant = writeTimeout;
    adjustTimeouts(timeouts);
    SetCommTimeouts(handle, &timeouts);

    adjustPortState();
    if (!OpenCalls::setCommState(handle, *portState, lastOpenError))
        return failOpen();
    if (!QIODevice::open(mode)) {
        lastOpenError.call = QStringLiteral("QIODevice::open");
        lastOpenError.win32Error = GetLastError();
        return failOpen();
    }
    readFailing = false;
    writeFailing = false;
    return true;
}

bool WinSerialDevice::failOpen()
{
    const DWORD error = lastOpenError.win32Error;
    reportError("Win32SerialDevice::open failed with error: ", error, true);
    close();
    // For the caller that asks the system why: closing and tracing may have
    // changed the last error.
    SetLastError(error);
    return false;
}

OpenError WinSerialDevice::openError() const
{
    return lastOpenError;
}

void WinSerialDevice::close()
{
    qCDebug(lcSerial, "Win32SerialDevice::close()");
    if (handle != INVALID_HANDLE_VALUE) {
        CloseHandle(handle);
        handle = INVALID_HANDLE_VALUE;
    }
}

qint64 WinSerialDevice::readData(char *data, qint64 count)
{
    DWORD bytesRead = 0;
    const DWORD request = static_cast<DWORD>(qMin<qint64>(count, MAXDWORD));
    ioThread = GetCurrentThreadId();
    const BOOL read = ReadFile(handle, data, request, &bytesRead, nullptr);
    ioThread = 0;
    if (!read) {
        // Cancelled by a close from another thread: nothing came, nothing failed.
        if (GetLastError() == ERROR_OPERATION_ABORTED)
            return 0;
        reportError("Win32SerialDevice::readData failed with error: ", GetLastError(), !readFailing);
        readFailing = true;
        return -1;
    }
    readFailing = false;
    if (bytesRead > 0)
        emit readyRead();
    return bytesRead;
}

qint64 WinSerialDevice::writeData(const char *data, qint64 count)
{
    DWORD bytesWritten = 0;
    const DWORD request = static_cast<DWORD>(qMin<qint64>(count, MAXDWORD));
    ioThread = GetCurrentThreadId();
    const BOOL written = WriteFile(handle, data, request, &bytesWritten, nullptr);
    ioThread = 0;
    const DWORD error = GetLastError();
    FlushFileBuffers(handle);
    if (!written && error == ERROR_OPERATION_ABORTED)
        return bytesWritten;
    if (!written) {
        const QString text =
            reportError("Win32SerialDevice::writeData failed with error: ", error, !writeFailing);
        if (!writeFailing)
            qCDebug(lcSerial).noquote() << text;
        writeFailing = true;
        return -1;
    }
    writeFailing = false;
    return bytesWritten;
}

void WinSerialDevice::cancelPendingIo()
{
    const DWORD threadId = ioThread;
    if (threadId == 0)
        return;
    HANDLE thread = OpenThread(THREAD_TERMINATE, FALSE, threadId);
    if (!thread)
        return;
    CancelSynchronousIo(thread);
    CloseHandle(thread);
}

void WinSerialDevice::adjustTimeouts(COMMTIMEOUTS &) {}

void WinSerialDevice::adjustPortState() {}

QString WinSerialDevice::reportError(const char *text, DWORD code, bool print)
{
    const QByteArray message = text + QByteArray::number(code);
    if (print)
        qCWarning(lcSerial, "%s", message.constData());
    const QString result = QString::fromLatin1(message);
    setErrorString(result);
    return result;
}

} // namespace Kv
