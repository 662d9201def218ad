#include "capturewriter.h"

#include "capturehold.h"
#include "privatefiles.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QMutex>
#include <QThread>
#include <QWaitCondition>

#include <atomic>
#include <deque>
#include <utility>

namespace {

// Room kept under a size limit for the end line.
constexpr qint64 endRoom = 160;
// Chunks waiting for a slow disk, at most; past that the rest is left out
// rather than held in memory.
constexpr qint64 maxQueuedBytes = 16 * 1024 * 1024;

// The writing threads not yet finished, for waitForAll(); only the thread
// that makes writers touches it.
QList<QPointer<QThread>> &writingThreads()
{
    static QList<QPointer<QThread>> threads;
    return threads;
}

} // namespace

// What the writing thread works on: the queue handed over, and the file.
class CaptureWriter::Worker
{
public:
    struct Item
    {
        enum Kind { Begin, Header, Chunk, Cut, End, Stop } kind;
        qint64 microseconds = 0;
        QByteArray bytes;
        Download::Outcome reason = Download::Outcome::NotEnded;
    };

    Worker(const QString &path, qint64 limit, int syncMs, QPointer<QObject> failedContext,
           std::function<void(const QString &)> failed)
        : path(path)
        , file(path)
        , limit(limit)
        , syncMs(syncMs)
        , failedContext(std::move(failedContext))
        , failedReport(std::move(failed))
    {}

    // False, leaving item out, when the queue is full.
    bool hand(Item item);
    void run();

    std::atomic<bool> failed{false};

private:
    void write(const Item &item);
    bool put(const QByteArray &bytes);
    void fail(const QString &reason);
    void sync();

    QMutex mutex;
    QWaitCondition itemQueued;
    std::deque<Item> queue;
    qint64 queuedBytes = 0;

    // The file's name, which a QFile opened on a descriptor forgets.
    const QString path;
    QFile file;
    std::unique_ptr<CaptureHold> hold;
    const qint64 limit;
    const int syncMs;
    // When what was written last must be on the disk; forever while all is.
    QDeadlineTimer syncDue{QDeadlineTimer::Forever};
    QCryptographicHash hash{QCryptographicHash::Sha256};
    qint64 hashedBytes = 0;
    bool cut = false;
    // Made in the thread that makes writers, which it hands the report to;
    // read there only.
    QObject reportReceiver;
    const QPointer<QObject> failedContext;
    const std::function<void(const QString &)> failedReport;
};

bool CaptureWriter::Worker::hand(Item item)
{
    QMutexLocker locker(&mutex);
    if (item.kind == Item::Chunk) {
        if (queuedBytes + item.bytes.size() > maxQueuedBytes)
            return false;
        queuedBytes += item.bytes.size();
    }
    queue.push_back(std::move(item));
    itemQueued.wakeOne();
    return true;
}

void CaptureWriter::Worker::run()
{
    while (true) {
        std::deque<Item> batch;
        {
            QMutexLocker locker(&mutex);
            while (queue.empty() && !syncDue.hasExpired())
                itemQueued.wait(&mutex, syncDue);
            batch.swap(queue);
            queuedBytes = 0;
        }
        bool last = false;
        for (const Item &item : batch) {
            write(item);
            last = item.kind == Item::End || item.kind == Item::Stop;
            if (last)
                break;
        }
        // Flushed as it comes, so that a crash loses no chunk that had
        // arrived, and synced within syncMs, so that a power cut loses no
        // more than that. The sync waits for the disk, here, never in the
        // thread that hands chunks over.
        if (!failed && file.isOpen() && !file.flush())
            fail(file.errorString());
        if (!batch.empty() && syncMs >= 0 && syncDue.isForever())
            syncDue.setRemainingTime(syncMs);
        if (last || syncDue.hasExpired())
            sync();
        if (last) {
            hold.reset();
            file.close();
            return;
        }
    }
}

void CaptureWriter::Worker::sync()
{
    syncDue = QDeadlineTimer(QDeadlineTimer::Forever);
    if (failed || !file.isOpen() || syncMs < 0 || !hold)
        return;
    if (const QString failure = hold->sync(); !failure.isEmpty())
        fail(failure);
}

void CaptureWriter::Worker::write(const Item &item)
{
    switch (item.kind) {
    case Item::Begin:
        if (const QString failure = PrivateFiles::openForWriting(file); !failure.isEmpty())
            fail(failure);
        else
            hold = std::make_unique<CaptureHold>(file, path);
        return;
    case Item::Header:
        put(item.bytes);
        return;
    case Item::Chunk: {
        hash.addData(item.bytes);
        hashedBytes += item.bytes.size();
        if (failed || cut)
            return;
        const QByteArray line = "chunk " + QByteArray::number(item.microseconds) + ' ' +
                                QByteArray::number(item.bytes.size()) + '\n';
        if (limit < 0 || file.pos() + line.size() + item.bytes.size() + 1 + endRoom <= limit) {
            if (put(line) && put(item.bytes))
                put("\n");
            return;
        }
        [[fallthrough]];
    }
    case Item::Cut:
        if (!cut)
            put("cut " + QByteArray::number(item.microseconds) + '\n');
        cut = true;
        return;
    case Item::End:
        // The chunks left out when the queue was full.
        if (hashedBytes < item.bytes.size())
            hash.addData(
                QByteArrayView(item.bytes.constData() + hashedBytes, item.bytes.size() - hashedBytes));
        put("end " + QByteArray::number(item.microseconds) + ' ' + CaptureFormat::reasonWord(item.reason) +
            ' ' + QByteArray::number(item.bytes.size()) + ' ' + hash.result().toHex() + '\n');
        return;
    case Item::Stop:
        return;
    }
}

bool CaptureWriter::Worker::put(const QByteArray &text)
{
    if (failed)
        return false;
    if (file.write(text) == text.size())
        return true;
    fail(file.errorString());
    return false;
}

void CaptureWriter::Worker::fail(const QString &reason)
{
    failed = true;
    hold.reset();
    file.close();
    // Once: every later write is skipped.
    const QString report = tr("The capture %1 could not be written: %2. The download goes on without it.",
                              "%1 is a file path, %2 the system's reason")
                               .arg(QDir::toNativeSeparators(path), reason);
    qWarning("%s", qUtf8Printable(report));
    if (!failedReport)
        return;
    // This worker, and with it the receiver, lives until its thread has
    // ended; an event still queued then goes with the receiver.
    QMetaObject::invokeMethod(
        &reportReceiver,
        [this, report] {
            if (failedContext)
                failedReport(report);
        },
        Qt::QueuedConnection);
}

CaptureWriter::CaptureWriter(const QString &path)
    : filePath(path)
{}

CaptureWriter::~CaptureWriter()
{
    if (!worker)
        return;
    // Ended before its end (the program stopped mid-download): what is
    // there stays, and says that its outcome is missing.
    worker->hand({Worker::Item::Stop, 0, {}});
    // A thread still writing deletes itself when done.
    if (thread && thread->wait(0))
        delete thread;
}

void CaptureWriter::setSizeLimit(qint64 bytes)
{
    limit = bytes;
}

void CaptureWriter::setSyncInterval(int msecs)
{
    syncMs = msecs;
}

QString CaptureWriter::path() const
{
    return filePath;
}

void CaptureWriter::begin()
{
    if (worker)
        return;
    worker = std::make_shared<Worker>(filePath, limit, syncMs, failedContext, failed);
    thread = QThread::create([worker = worker] { worker->run(); });
    writingThreads().removeAll(nullptr);
    writingThreads().append(thread);
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    if (writtenContext)
        QObject::connect(thread, &QThread::finished, writtenContext, written);
    // Idle time only (SCHED_IDLE on Linux): on two cores the hashing and
    // writing took time from the window at full speed; a starved writer
    // leaves chunks out rather than wait.
    thread->start(QThread::IdlePriority);
    worker->hand({Worker::Item::Begin, 0, {}});
}

void CaptureWriter::writeHeader(const CaptureFormat::Header &header)
{
    if (std::exchange(headerWritten, true))
        return;
    using CaptureFormat::encodeValue;
    QByteArray text =
        CaptureFormat::magic + QByteArray(" ") + QByteArray::number(CaptureFormat::version) + '\n';
    const std::pair<const char *, QByteArray> lines[] = {
        {"program", header.program.toUtf8()},  {"time", header.time.toString(Qt::ISODateWithMs).toUtf8()},
        {"port", header.portName.toUtf8()},    {"device", header.devicePath.toUtf8()},
        {"vid-pid", header.vidPid.toUtf8()},   {"serial-number", header.serialNumber.toUtf8()},
        {"by-id", header.stableName.toUtf8()}, {"line", header.line.toUtf8()},
        {"commands", header.commands},
    };
    for (const auto &[key, value] : lines)
        text += key + QByteArray(": ") + encodeValue(value) + '\n';
    // Older readers skip a key they do not know.
    if (header.discarded > 0)
        text += "discarded: " + QByteArray::number(header.discarded) + '\n';
    if (header.waitMs > 0)
        text += "wait: " + QByteArray::number(header.waitMs) + '\n';
    text += '\n';
    begin();
    worker->hand({Worker::Item::Header, 0, text});
}

void CaptureWriter::writeChunk(qint64 microseconds, const char *data, qint64 size)
{
    if (!worker || dropping)
        return;
    // The end's count and SHA-256 still cover what is left out.
    if (!worker->hand({Worker::Item::Chunk, microseconds, QByteArray(data, size)})) {
        dropping = true;
        worker->hand({Worker::Item::Cut, microseconds, {}});
    }
}

void CaptureWriter::writeEnd(Download::Outcome reason, qint64 microseconds, const QByteArray &received)
{
    if (worker)
        worker->hand({Worker::Item::End, microseconds, received, reason});
}

void CaptureWriter::whenWritten(QObject *context, std::function<void()> written)
{
    writtenContext = context;
    this->written = std::move(written);
}

void CaptureWriter::whenFailed(QObject *context, std::function<void(const QString &)> failed)
{
    failedContext = context;
    this->failed = std::move(failed);
}

void CaptureWriter::waitForWritten()
{
    if (thread)
        thread->wait();
}

bool CaptureWriter::waitForAll(int msecs)
{
    const QDeadlineTimer deadline(msecs);
    bool all = true;
    for (const QPointer<QThread> &thread : std::as_const(writingThreads())) {
        if (thread)
            all = thread->wait(deadline) && all;
    }
    return all;
}

bool CaptureWriter::hasFailed() const
{
    return worker && worker->failed;
}
