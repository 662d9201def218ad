#pragma once

#include "captureformat.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QList>

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
    // Times read never go backwards, the end's not before the last chunk's,
    // and none passes ten years, so durations made of them are sound.
    bool readChunk(CaptureFormat::Chunk &chunk);

    // After the last chunk: the file stops before its outcome.
    bool outcomeMissing() const;
    // After the last chunk: chunks were left out at a size limit, so the
    // bytes read are only the first of end().bytes. A cut after which the
    // end's count and SHA-256 match the chunks left nothing out: no cut.
    bool isCut() const;
    // How the download ended, once the chunks are read.
    const CaptureFormat::End &end() const;
    qint64 bytesRead() const;

    bool hasError() const;
    QString errorString() const;

private:
    enum class State { Closed, Chunks, Ended, Missing, Failed };

    // The first line: a capture, of a format this reader knows.
    bool readFormatLine();
    // The "key: value" lines up to the empty one that ends the header.
    bool readHeader();
    void takeHeaderLine(const QByteArray &key, const QByteArray &value);
    // A chunk line's time and length, and its bytes; false at damage or at
    // the end of a file cut short.
    bool takeChunk(const QList<QByteArray> &words, CaptureFormat::Chunk &chunk);
    // The end line's reason, count and SHA-256, checked against the chunks.
    void takeEnd(const QList<QByteArray> &words);

    // One line without its line end; false at the end of the file, at a
    // line that does not end, or at one too long (lineTooLong).
    bool readLine(QByteArray &line);
    // The line readLine() refused: too long, or damaged as what says.
    bool lineNotRead(const QString &what);
    // A chunk's, cut's or end's time: never before the one before, and
    // bounded, so that no sum or difference of times overflows.
    bool takeTime(qint64 microseconds);
    bool damaged(const QString &what);

    QFile file;
    State state = State::Closed;
    CaptureFormat::Header head;
    CaptureFormat::End ending;
    QByteArray lineBuffer;
    QCryptographicHash hash{QCryptographicHash::Sha256};
    qint64 bytes = 0;
    qint64 lineNumber = 0;
    qint64 lastMicroseconds = 0;
    bool lineTooLong = false;
    bool cut = false;
    QString error;
};
