#pragma once

#include "captureformat.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>

// Reads a capture back chunk by chunk, so that a capture of any size takes
// little memory beyond the chunk in hand. A capture cut short (a crash, a full
// disk) gives every chunk that is whole and says that its outcome is missing.
class CaptureReader
{
    Q_DECLARE_TR_FUNCTIONS(CaptureReader)

public:
    explicit CaptureReader(const QString &path);

    // Reads the header: false, with errorString(), for a file that is no
    // capture, one of a newer format, or a damaged header.
    bool open();
    const CaptureFormat::Header &header() const;

    // The next chunk; false after the last one, or on damage (hasError()).
    bool readChunk(CaptureFormat::Chunk &chunk);

    // After the last chunk: the file stops before its outcome.
    bool outcomeMissing() const;
    // After the last chunk: chunks were left out at a size limit, so the
    // bytes read are only the first of end().bytes.
    bool isCut() const;
    // How the download ended, once the chunks are read.
    const CaptureFormat::End &end() const;
    qint64 bytesRead() const;
    qint64 chunksRead() const;

    bool hasError() const;
    QString errorString() const;

private:
    enum class State { Closed, Chunks, Ended, Missing, Failed };

    // One line without its line end; false at the end of the file or at a
    // line that does not end.
    bool readLine(QByteArray &line);
    bool damaged(const QString &what);

    QFile file;
    State state = State::Closed;
    CaptureFormat::Header head;
    CaptureFormat::End ending;
    QCryptographicHash hash{QCryptographicHash::Sha256};
    qint64 bytes = 0;
    qint64 chunks = 0;
    qint64 lineNumber = 0;
    bool cut = false;
    QString error;
};
