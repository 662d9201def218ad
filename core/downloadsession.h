#pragma once

#include "downloadline.h"
#include "downloadoutcome.h"
#include "portdiagnosis.h"

#include <QByteArray>
#include <QObject>

// One download of the tester's stored results, for every front end: opens
// the line it is given, asks for the results once the line is quiet, keeps
// every byte that arrives and decides when and how the transfer has ended,
// on the line's clock. It shows, prints and writes nothing: outcome() says
// what happened, and a capture is kept by connecting to its signals.
class DownloadSession : public QObject
{
    Q_OBJECT

public:
    using Outcome = Download::Outcome;

    // How much longer silence in the middle of a line may last before the
    // transfer counts as ended there: a radio link, a USB adapter or a busy
    // sender pauses mid-record, a finished tester does not. Control
    // characters after the last line end make no line, and mid-line they do
    // not end the silence (a tester that sends XON every 100 ms).
    static constexpr int midLineGraceMs = 2000;
    // Silent read periods in a row before the request goes out: bytes that
    // come before are an earlier transfer still under way (a cancelled
    // download, a tester that sends on its own), not an answer.
    static constexpr int quietPeriods = 2;
    // How long an earlier transfer may keep the line busy without a wait
    // limit: room for some 115 kB at 9600 bit/s, and a line that never falls
    // quiet (another device, a wrong port) ends with a message, not a wait
    // without end.
    static constexpr int busyLineLimitMs = 120000;

    // Takes line.
    explicit DownloadSession(DownloadLine *line, QObject *parent = nullptr);
    ~DownloadSession() override;

    // Gives up when no byte has arrived msecs after the request; 0, the
    // default, waits until cancelled. The wait for a quiet line before the
    // request ends after msecs too, or after busyLineLimitMs.
    void setWaitLimit(int msecs);
    int waitLimit() const;

    // Opens the line and, once it is quiet, asks the tester for its results:
    // cause None when the download runs, otherwise why the line did not open.
    Kv::PortDiagnosis start();
    // Ends a running download; everything received before the line is closed
    // is kept.
    void cancel();

    bool isRunning() const;
    Outcome outcome() const;
    // Whether the results stop where the transfer (or its capture) broke off,
    // perhaps mid-record.
    bool isIncomplete() const;
    const QByteArray &received() const;
    // Hands the results over; the session keeps none.
    QByteArray takeReceived();
    // From the first byte to now or to the end of the transfer; 0 before data.
    qint64 msecsReceiving() const;
    // Since the request went out, on the line's clock, or since the line
    // opened while the request waits (and in a download that never sent it);
    // at the end, its end.
    qint64 microseconds() const;
    // Bytes of an earlier transfer thrown away before the request.
    qint64 discardedBytes() const;

signals:
    // received() has grown.
    void readyRead();
    // The last size bytes of received() came at microseconds since the
    // request: what one read of the line brought. Before readyRead().
    void chunkReceived(qint64 microseconds, qsizetype size);
    // The download has ended (also through cancel()); outcome() says how.
    void finished();
    // Bytes came before the request: an earlier transfer is still under way.
    // They are thrown away, and the request waits until the line is quiet.
    // Once a download.
    void lineBusy();
    // The line has opened; the request waits for it to fall quiet.
    void opened();
    // The request has gone out; from now on the bytes are the results.
    void requested();

private:
    bool take();
    // Before the request: counts silent read periods, or starts again after bytes.
    void waitForQuietLine(bool bytesCame);
    void request();
    void append(const QByteArray &chunk);
    void readTimeOut();
    void finish(Outcome how);

    DownloadLine *const line;
    QByteArray data;
    Outcome result = Outcome::NotEnded;
    bool running = false;
    int waitMs = 0;
    qint64 openUs = 0;
    qint64 requestUs = -1; // on the line's clock, once the request is sent
    int silentPeriods = 0;
    bool busy = false;    // lineBusy() was sent
    qint64 discarded = 0; // bytes of an earlier transfer, before the request
    qint64 firstByteUs = -1;
    qint64 endUs = -1;
    // Since when the line is silent after a byte that does not end a line.
    qint64 midLineSilenceUs = -1;
    // The data ends with a line end, or with control characters alone after
    // one: the first silent read period ends the transfer.
    bool lineEnded = false;
};
