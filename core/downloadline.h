#pragma once

#include "downloadoutcome.h"
#include "portdiagnosis.h"

#include <QByteArray>
#include <QObject>

// What a download reads from: the tester's serial line, or a capture of an
// earlier download played back. The session's end rule runs the same over
// either, on the line's own clock, so that a replay is judged by the times
// it recorded, however fast it is played.
class DownloadLine : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Cause None when the line is open; otherwise why it is not.
    virtual Kv::PortDiagnosis open() = 0;
    // Sends the tester the request for its results.
    virtual void request() = 0;
    virtual qint64 bytesAvailable() const = 0;
    // Of bytesAvailable(), those that came before request() went out (all of
    // them until it has): an earlier transfer's, not the results.
    virtual qint64 bytesBeforeRequest() const = 0;
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
    // The line ends the download itself, as how: a replay at its recorded
    // Cancel, or at the end of a capture cut short or damaged.
    void stopped(Download::Outcome how);
};
