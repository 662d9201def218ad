#pragma once

#include "openerror.h"
#include "win32comm.h"

#include <QIODevice>
#include <QString>

#include <atomic>

namespace Kv {

class SerialSettings;

// A QIODevice over one serial port with blocking calls: a read waits up to the
// port's read time-out for the first byte, a write returns once the bytes are
// sent and flushed. Failures go to the log (lcSerial) and into errorString().
class WinSerialDevice : public QIODevice
{
public:
    explicit WinSerialDevice(const QString &portName);
    ~WinSerialDevice() override;

    // Takes ownership; null means the next open applies nothing.
    void setSettings(SerialSettings *settings);

    // Opens and configures the port; the time-outs are in milliseconds.
    bool openPort(QIODevice::OpenMode mode, DWORD readTimeout, DWORD writeTimeout);
    // Why the last openPort() failed; empty (not failed()) after one that succeeded.
    OpenError openError() const;

    // Closes the port; the QIODevice open mode stays as it is.
    void close() override;

    bool isSequential() const override;

    // Ends at once the read or write another thread is blocked in; that call
    // returns what it has, a read nothing, and reports no failure. May be
    // called from any thread while the port is open.
    void cancelPendingIo();

protected:
    qint64 readData(char *data, qint64 count) override;
    qint64 writeData(const char *data, qint64 count) override;

    // Hooks for subclasses, called during open before the values are applied.
    virtual void adjustTimeouts(COMMTIMEOUTS &timeouts);
    // May change portState, which then holds the driver's state with the
    // settings applied.
    virtual void adjustPortState();

    DCB *portState = nullptr;

private:
    // Logs text and code as a warning (when print is set); sets errorString().
    QString reportError(const char *text, DWORD code, bool print);
    bool failOpen();

    const QString portName;
    HANDLE handle = INVALID_HANDLE_VALUE;
    SerialSettings *settings = nullptr;
    OpenError lastOpenError;

    // The thread in ReadFile or WriteFile, 0 when none is.
    std::atomic<DWORD> ioThread{0};

    // A vanished port fails every call; report only the first of such a run.
    bool readFailing = false;
    bool writeFailing = false;
};

} // namespace Kv
