#pragma once

#include "openerror.h"

#include <QIODevice>
#include <QString>

class QWaitCondition;

namespace Kv {

class SerialSettings;
class WinSerialDevice;
class WorkerThread;

// A serial device whose operations never wait for the port: writes are
// queued, reads come from a buffer that a worker thread fills. readyRead(),
// readTimeOut() (one silent read period) and bytesWritten() arrive in the
// thread this object lives in.
class WinSerialDeviceAsync : public QIODevice
{
    Q_OBJECT

public:
    WinSerialDeviceAsync(QObject *parent, const QString &portName);
    ~WinSerialDeviceAsync() override;

    // Takes ownership; applied at the next open.
    void setSettings(SerialSettings *settings);

    bool isSequential() const override;
    bool open(OpenMode mode) override;
    void close() override;
    bool atEnd() const override;
    qint64 bytesAvailable() const override;
    bool canReadLine() const override;
    bool waitForReadyRead(int msecs) override;
    bool waitForBytesWritten(int msecs) override;

    // What the worker read and nobody has taken yet; also after close(), so
    // that the bytes that came just before it are not lost.
    QByteArray takeRemainder();

    // Of the bytes available, how many had arrived before the last write went
    // out (all of them while a write waits to be sent): no answer to the
    // write is among them.
    qint64 bytesAvailableBeforeWrite() const;

    // True once a read has failed since open (hang-up, unplug, the port gone),
    // as opposed to a silent line; readTimeOut() goes on at the same pace.
    bool lineFailed() const;

    // Why the last open() failed on the port; empty after one that succeeded.
    OpenError openError() const;

signals:
    void readTimeOut();

protected:
    qint64 readData(char *data, qint64 count) override;
    qint64 writeData(const char *data, qint64 count) override;

private:
    void stopWorker();
    bool waitForSignal(const quint64 &count, QWaitCondition &condition, int msecs);

    WinSerialDevice *device;
    WorkerThread *thread;
};

} // namespace Kv
