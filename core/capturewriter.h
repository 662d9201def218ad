#pragma once

#include "captureformat.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>

// Writes the capture of one download as it happens (see CaptureFormat): the
// header when the request is sent, each chunk as it arrives, the outcome at
// the end. It never stops a download: the first failure (no folder, a full
// disk) is reported once on standard error and the capture ends there, while
// the download goes on. What was written before stays readable.
class CaptureWriter
{
    Q_DECLARE_TR_FUNCTIONS(CaptureWriter)

public:
    explicit CaptureWriter(const QString &path);
    ~CaptureWriter();

    // Leaves out every chunk that would take the file over bytes (its end
    // included), marking where; the end is written all the same. Set before
    // writeHeader().
    void setSizeLimit(qint64 bytes);

    QString path() const;
    // Makes the file.
    void writeHeader(const CaptureFormat::Header &header);
    void writeChunk(qint64 microseconds, const char *data, qint64 size);
    // Writes the outcome and closes the file.
    void writeEnd(DownloadSession::Outcome reason, qint64 microseconds);

    // Whether writing failed; it was reported then.
    bool hasFailed() const;

private:
    bool put(const QByteArray &bytes);
    void fail(const QString &reason);

    QFile file;
    QCryptographicHash hash{QCryptographicHash::Sha256};
    qint64 bytes = 0;
    qint64 limit = -1;
    bool cut = false;
    bool failed = false;
};
