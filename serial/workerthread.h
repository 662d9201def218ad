#pragma once

#include <QByteArray>
#include <QMutex>
#include <QThread>
#include <QWaitCondition>

namespace Kv {

class WinSerialDevice;
class WinSerialDeviceAsync;

// Drives a WinSerialDevice from its own thread: sends what is queued, reads
// what arrives in passes of one read period, and signals each event. It and
// WinSerialDeviceAsync work as one unit and share the buffers below.
class WorkerThread : public QThread
{
    Q_OBJECT

public:
    WorkerThread(QObject *parent, WinSerialDevice *device);
    ~WorkerThread() override;

signals:
    void readyRead();
    void readTimeOut();
    void bytesWritten(qint64 bytes);

protected:
    void run() override;

private:
    friend class WinSerialDeviceAsync;

    void writeQueued();
    bool isStopRequested();
    // Sleeps up to msecs, or less when a stop is requested meanwhile.
    void waitForStop(qint64 msecs);

    WinSerialDevice *device;
    QByteArray readBuffer;
    int readOffset = 0;
    QMutex readMutex; // guards everything below but the write queue
    bool stopRequested = false;
    // A read has failed since the port was opened: the line is gone.
    bool readFailed = false;
    QWaitCondition stopCondition; // wakes waitForStop()
    // Counted before each signal, so that waitForReadyRead() and
    // waitForBytesWritten() see every one of them.
    quint64 readyReadCount = 0;
    // A readyRead() is on its way to the reader: data that comes meanwhile
    // needs no signal of its own (a flood of queued signals starves the
    // reader's timers).
    bool readyReadPending = false;
    QWaitCondition readyReadCondition;
    quint64 bytesWrittenCount = 0;
    QWaitCondition bytesWrittenCondition;
    // Bytes read since open, and how many of them had come when the last
    // write went out; a write is queued and not yet sent.
    quint64 readTotal = 0;
    quint64 readAtWrite = 0;
    bool writePending = false;
    QByteArray writeBuffer;
    QMutex writeMutex; // guards writeBuffer
};

} // namespace Kv
