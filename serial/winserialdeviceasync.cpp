#include "winserialdeviceasync.h"

#include "winserialdevice.h"
#include "workerthread.h"

#include <QMutexLocker>

#include <cstring>

namespace Kv {

WinSerialDeviceAsync::WinSerialDeviceAsync(QObject *parent, const QString &portName)
    : QIODevice(parent)
    , device(new WinSerialDevice(portName))
    , thread(new WorkerThread(this, device))
{
    // The worker emits from its own thread, so these are queued into ours.
    connect(thread, &WorkerThread::readyRead, this, [this] {
        {
            // Data that arrives from now on gets a signal of its own.
            QMutexLocker locker(&thread->readMutex);
            thread->readyReadPending = false;
        }
        emit readyRead();
    });
    connect(thread, &WorkerThread::readTimeOut, this, &WinSerialDeviceAsync::readTimeOut);
    connect(thread, &WorkerThread::bytesWritten, this, &WinSerialDeviceAsync::bytesWritten);
}

WinSerialDeviceAsync::~WinSerialDeviceAsync()
{
    if (thread->isRunning())
        stopWorker();
    delete device;
}

void WinSerialDeviceAsync::setSettings(SerialSettings *settings)
{
    device->setSettings(settings);
}

bool WinSerialDeviceAsync::isSequential() const
{
    return true;
}

bool WinSerialDeviceAsync::open(OpenMode mode)
{
    if (thread->isRunning())
        return false;
    if (!device->openPort(mode, 50, 50))
        return false;
    {
        // Before the thread starts, so that an early close() is not lost.
        QMutexLocker locker(&thread->readMutex);
        thread->stopRequested = false;
        thread->readBuffer.clear();
        thread->readOffset = 0;
        thread->readyReadPending = false;
        thread->readFailed = false;
        thread->readTotal = 0;
        thread->readAtWrite = 0;
        // A rest that close() cut short goes out first.
        thread->writePending = !thread->writeBuffer.isEmpty();
    }
    thread->start(QThread::InheritPriority);
    return QIODevice::open(mode | QIODevice::Unbuffered);
}

void WinSerialDeviceAsync::close()
{
    if (!thread->isRunning())
        return;
    stopWorker();
}

void WinSerialDeviceAsync::stopWorker()
{
    QIODevice::close();
    {
        QMutexLocker locker(&thread->readMutex);
        thread->stopRequested = true;
        thread->stopCondition.wakeAll();
    }
    // The worker may be in a read of up to a read period: end it at once. A
    // cancel that comes just before the read begins misses it, so repeat.
    do {
        device->cancelPendingIo();
    } while (!thread->wait(QDeadlineTimer(2)));
    device->close();
}

QByteArray WinSerialDeviceAsync::takeRemainder()
{
    QMutexLocker locker(&thread->readMutex);
    QByteArray rest = thread->readBuffer.mid(thread->readOffset);
    thread->readBuffer.clear();
    thread->readOffset = 0;
    return rest;
}

qint64 WinSerialDeviceAsync::bytesAvailableBeforeWrite() const
{
    QMutexLocker locker(&thread->readMutex);
    const qint64 available = thread->readBuffer.size() - thread->readOffset;
    if (thread->writePending)
        return available;
    return qMax<qint64>(0, available - qint64(thread->readTotal - thread->readAtWrite));
}

bool WinSerialDeviceAsync::lineFailed() const
{
    QMutexLocker locker(&thread->readMutex);
    return thread->readFailed;
}

OpenError WinSerialDeviceAsync::openError() const
{
    return device->openError();
}

bool WinSerialDeviceAsync::atEnd() const
{
    return bytesAvailable() == 0;
}

qint64 WinSerialDeviceAsync::bytesAvailable() const
{
    QMutexLocker locker(&thread->readMutex);
    return thread->readBuffer.size() - thread->readOffset;
}

bool WinSerialDeviceAsync::canReadLine() const
{
    QMutexLocker locker(&thread->readMutex);
    return thread->readBuffer.indexOf('\n', thread->readOffset) >= 0;
}

bool WinSerialDeviceAsync::waitForReadyRead(int msecs)
{
    return waitForSignal(thread->readyReadCount, thread->readyReadCondition, msecs);
}

bool WinSerialDeviceAsync::waitForBytesWritten(int msecs)
{
    return waitForSignal(thread->bytesWrittenCount, thread->bytesWrittenCondition, msecs);
}

// True once the worker counts another emission, or at once while it is not
// running; false when msecs (negative: no limit) pass without one.
bool WinSerialDeviceAsync::waitForSignal(const quint64 &count, QWaitCondition &condition, int msecs)
{
    if (!thread->isRunning())
        return true;
    QMutexLocker locker(&thread->readMutex);
    const quint64 start = count;
    const QDeadlineTimer deadline(msecs); // negative: forever
    while (count == start) {
        if (!condition.wait(&thread->readMutex, deadline))
            break;
    }
    return count != start;
}

qint64 WinSerialDeviceAsync::readData(char *data, qint64 count)
{
    QMutexLocker locker(&thread->readMutex);
    const qint64 available = thread->readBuffer.size() - thread->readOffset;
    const qint64 n = qMin(count, available);
    if (n == 0)
        return 0;
    std::memcpy(data, thread->readBuffer.constData() + thread->readOffset, n);
    if (n == available) {
        thread->readBuffer.clear();
        thread->readOffset = 0;
    } else {
        thread->readOffset += static_cast<int>(n);
    }
    return n;
}

qint64 WinSerialDeviceAsync::writeData(const char *data, qint64 count)
{
    QMutexLocker locker(&thread->writeMutex);
    thread->writeBuffer.append(data, count);
    if (count > 0) {
        QMutexLocker readLocker(&thread->readMutex);
        thread->writePending = true;
    }
    // Only queued: bytesWritten() announces what the worker actually sends.
    return 0;
}

} // namespace Kv
