#include "workerthread.h"

#include "appendgrowing.h"
#include "winserialdevice.h"

#include <QElapsedTimer>
#include <QMutexLocker>

namespace Kv {

namespace {
constexpr qint64 readChunkSize = 1024;
constexpr qint64 readPeriod = 50; // ms, the device's read time-out
} // namespace

WorkerThread::WorkerThread(QObject *parent, WinSerialDevice *device)
    : QThread(parent)
    , device(device)
{}

WorkerThread::~WorkerThread() = default;

bool WorkerThread::isStopRequested()
{
    QMutexLocker locker(&readMutex);
    return stopRequested;
}

void WorkerThread::waitForStop(qint64 msecs)
{
    QMutexLocker locker(&readMutex);
    const QDeadlineTimer deadline(qMax<qint64>(msecs, 0));
    while (!stopRequested && !deadline.hasExpired())
        stopCondition.wait(&readMutex, deadline);
}

// The stop flag and the read buffer are reset by WinSerialDeviceAsync::open()
// before the thread starts: a close() that comes before this thread runs must
// not be forgotten.
void WorkerThread::run()
{
    char chunk[readChunkSize];
    while (!isStopRequested()) {
        writeQueued();

        QElapsedTimer pass;
        pass.start();
        const qint64 count = device->read(chunk, readChunkSize);
        if (count > 0) {
            bool signalNeeded = false;
            {
                QMutexLocker locker(&readMutex);
                appendGrowing(readBuffer, chunk, count);
                readTotal += count;
                ++readyReadCount;
                readyReadCondition.wakeAll();
                signalNeeded = !readyReadPending;
                readyReadPending = true;
            }
            if (signalNeeded)
                emit readyRead();
        }
        if (isStopRequested())
            break;
        if (count <= 0) {
            // A failed read returns at once (the port has gone): keep the pace
            // of a silent line instead of spinning.
            if (count < 0) {
                {
                    QMutexLocker locker(&readMutex);
                    readFailed = true;
                }
                waitForStop(readPeriod - pass.elapsed());
                if (isStopRequested())
                    break;
            }
            emit readTimeOut();
        }
    }
}

void WorkerThread::writeQueued()
{
    QMutexLocker locker(&writeMutex);
    qsizetype position = 0;
    while (position < writeBuffer.size()) {
        const qint64 written =
            device->write(writeBuffer.constData() + position, writeBuffer.size() - position);
        if (written < 0)
            break;
        if (written > 0) {
            {
                QMutexLocker readLocker(&readMutex);
                ++bytesWrittenCount;
                bytesWrittenCondition.wakeAll();
            }
            emit bytesWritten(written);
        }
        position += written;
        if (position < writeBuffer.size() && isStopRequested())
            break;
    }
    // Only what was not sent stays queued, so no byte goes out twice.
    writeBuffer.remove(0, position);
    if (position > 0 && writeBuffer.isEmpty()) {
        // Before the next read: what it brings came after the write.
        QMutexLocker readLocker(&readMutex);
        readAtWrite = readTotal;
        writePending = false;
    }
}

} // namespace Kv
