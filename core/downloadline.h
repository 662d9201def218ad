#pragma once

#include "portdiagnosis.h"

#include <QByteArray>
#include <QObject>

// What a download reads from and writes to: the tester's serial line, or a
// capture of an earlier download played back. A transport only: it knows
// neither the tester's commands nor how a download ends; the session writes
// the one and decides the other, on the line's own clock, so that a replay
// is judged by the times it recorded, however fast it is played.
class DownloadLine : public QObject
{
    Q_OBJECT

public:
    // Why a line ends by itself, which only a played-back capture does.
    enum class End {
        RecordingOver, // played to its end, or to its recorded cancel
        CutShort,      // the capture stops before its end, after its last whole chunk
        Damaged,       // the capture is damaged after its header
        Unreadable,    // the capture left chunks out at a size limit
    };
    Q_ENUM(End)

    using QObject::QObject;

    // Cause None when the line is open; otherwise why it is not.
    virtual Kv::PortDiagnosis open() = 0;
    // Sends data down the line; it goes out in the background.
    virtual void write(const QByteArray &data) = 0;
    virtual qint64 bytesAvailable() const = 0;
    // Of bytesAvailable(), those that came before the last write() went out
    // (all of them until one has): no answer to it is among them.
    virtual qint64 bytesBeforeWrite() const = 0;
    virtual qint64 read(char *data, qint64 maxSize) = 0;
    virtual qint64 skip(qint64 maxSize) = 0;
    // The line has failed (hang-up, adapter pulled), as opposed to silent.
    virtual bool lineFailed() const = 0;
    virtual void close() = 0;
    // After close(): what was read from the line but not yet taken.
    virtual QByteArray takeRemainder() = 0;
    // The line's clock, from its opening on.
    virtual qint64 microseconds() const = 0;

signals:
    // Bytes are available.
    void readyRead();
    // One read period passed without a byte, or the line failed.
    void readTimeOut();
    // The line has closed by itself and gives nothing more.
    void ended(DownloadLine::End why);
};
