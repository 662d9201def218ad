#pragma once

#include "captureformat.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThread>

#include <functional>
#include <memory>

// Writes the capture of one download as it happens (see CaptureFormat): the
// file when the port opens, the header when the request is sent, each chunk
// as it arrives, the outcome at the end. It never holds up or stops a
// download: a thread of its own writes and flushes each chunk and syncs it
// within setSyncInterval(), holding the file (CaptureHold) while it is open;
// a disk too slow for the transfer makes it leave the rest out (a cut), and
// the first failure (no folder, a full disk) is reported once (on standard
// error, and to whenFailed()'s function) and ends the capture there, while
// the download goes on. What was written before stays readable.
class CaptureWriter
{
    Q_DECLARE_TR_FUNCTIONS(CaptureWriter)

public:
    // Half a second: with the time a busy disk takes to sync, what arrived
    // is on the disk within a second.
    static constexpr int defaultSyncMs = 500;

    explicit CaptureWriter(const QString &path);
    // Waits for nothing: the writing thread finishes what was handed over on
    // its own.
    ~CaptureWriter();

    // Leaves out every chunk that would take the file over bytes (its end
    // included), marking where; the end is written all the same. Set before
    // begin().
    void setSizeLimit(qint64 bytes);
    // What is written is on the disk (fdatasync) at most msecs later, so
    // that a power cut mid-download loses no more; -1 leaves it to the
    // system. Set before begin().
    void setSyncInterval(int msecs);

    QString path() const;
    // Makes the file and holds it, before anything is known to write in it:
    // the port has opened, the request waits for a quiet line.
    void begin();
    // Begins the file if begin() did not; once.
    void writeHeader(const CaptureFormat::Header &header);
    void writeChunk(qint64 microseconds, const char *data, qint64 size);
    // Writes the outcome, with the count and SHA-256 of received (every chunk
    // handed over, in order), and closes the file.
    void writeEnd(Download::Outcome reason, qint64 microseconds, const QByteArray &received);

    // Calls written in context's thread once the file is complete (or writing
    // has failed), if it was begun. Set before begin().
    void whenWritten(QObject *context, std::function<void()> written);
    // Calls failed in context's thread with the report of the first failure,
    // if there is one and context still exists; a window program has no
    // standard error to show. Set before begin().
    void whenFailed(QObject *context, std::function<void(const QString &report)> failed);
    // After writeEnd(): until everything is written, or writing has failed.
    void waitForWritten();
    // Before the program ends: waits until every writer that was handed its
    // end, or deleted, has written it, at most msecs; false if one has not.
    static bool waitForAll(int msecs = 5000);
    // Whether writing failed; it was reported then.
    bool hasFailed() const;

private:
    class Worker;

    const QString filePath;
    qint64 limit = -1;
    int syncMs = defaultSyncMs;
    bool dropping = false;
    bool headerWritten = false;
    // Shared with the writing thread, which may outlive this writer.
    std::shared_ptr<Worker> worker;
    // Gone once it has finished and the event loop has deleted it.
    QPointer<QThread> thread;
    QPointer<QObject> writtenContext;
    std::function<void()> written;
    QPointer<QObject> failedContext;
    std::function<void(const QString &)> failed;
};
