#pragma once

#include "portdiagnosis.h"
#include "winserialdeviceasync.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

class CaptureReader;
class CaptureWriter;

// One download of the tester's stored results, for every front end: opens the
// port with the tester's line, asks for the results, keeps every byte that
// arrives and decides when and how the transfer has ended. It shows and
// prints nothing; outcome() says what happened.
class DownloadSession : public QObject
{
    Q_OBJECT

public:
    enum class Outcome {
        NotEnded,          // not started, or running
        Complete,          // the tester fell silent after a line end
        EndedMidLine,      // silent in the middle of a line, for the grace period too
        LineLost,          // the line failed after data (hang-up, adapter pulled)
        PortGone,          // the line failed before any data
        NothingArrived,    // no byte within the wait limit
        LineBusy,          // an earlier transfer went on past the wait limit: nothing was asked
        Cancelled,         // cancel(): what had arrived is kept
        CaptureUnreadable, // replay(): the capture is damaged or cut at a size limit
        CutShort,          // replay(): the capture stops before its outcome, after its last whole chunk
    };
    Q_ENUM(Outcome)

    // How much longer silence in the middle of a line may last before the
    // transfer counts as ended there: a radio link, a USB adapter or a busy
    // sender pauses mid-record, a finished tester does not.
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

    explicit DownloadSession(const QString &portPath, QObject *parent = nullptr);
    ~DownloadSession() override;

    // Gives up when no byte has arrived msecs after the request; 0, the
    // default, waits until cancelled. The wait for a quiet line before the
    // request ends after msecs too, or after busyLineLimitMs. Set before start().
    void setWaitLimit(int msecs);

    // Keeps a capture of the download in writer, which the session takes:
    // the header once the request is sent, each chunk as it arrives and the
    // outcome at the end. Set before start().
    void setCapture(CaptureWriter *writer);

    // Opens the port and, once the line is quiet, asks the tester for its
    // results: cause None when the download runs, otherwise why the port did
    // not open.
    Kv::PortDiagnosis start();
    // Instead of start(): plays back the capture that reader has opened, as
    // fast as the event loop goes. Its chunks arrive as the port's did, and
    // the download ends with the capture's outcome and times, with CutShort
    // at the last whole chunk of a capture that stops before its outcome (the
    // program was killed, the power failed), or with CaptureUnreadable (the
    // reader says why).
    void replay(CaptureReader *reader);
    // Ends a running download; everything received before the port is closed
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

    // What the window and the command line say while an earlier transfer
    // keeps the line busy, and once it has kept it busy for seconds.
    static QString busyLineText();
    static QString busyLineEndText(int seconds);

signals:
    // received() has grown.
    void readyRead();
    // The download has ended (also through cancel()); outcome() says how.
    void finished();
    // Bytes came before the request: an earlier transfer is still under way.
    // They are thrown away, and the request waits until the line is quiet.
    // Once a download.
    void lineBusy();
    // The request has gone out; from now on the bytes are the results.
    void requested();

private:
    bool take();
    // Bytes that came before the request went out: not the results.
    qint64 staleBytes() const;
    // Before the request: counts silent read periods, or starts again after bytes.
    void waitForQuietLine(bool bytesCame);
    void request();
    void append(const QByteArray &chunk);
    void readTimeOut();
    void finish(Outcome how);
    void replayChunks();
    // Since the commands were sent; in a replay, the capture's time.
    qint64 microseconds() const;
    void writeCaptureHeader();

    friend class TestDownloadSession;

    const QString portPath;
    Kv::WinSerialDeviceAsync device;
    QByteArray data;
    Outcome result = Outcome::NotEnded;
    bool running = false;
    QElapsedTimer sinceOpen;
    QElapsedTimer sinceRequest; // valid once the request is sent
    int silentPeriods = 0;
    bool busy = false;    // lineBusy() was sent
    qint64 discarded = 0; // bytes of an earlier transfer, before the request
    qint64 firstByteUs = -1;
    qint64 endUs = -1;
    std::unique_ptr<CaptureWriter> capture;
    CaptureReader *replaying = nullptr;
    qint64 replayUs = 0;
    QTimer replayTimer;
    // Runs while the line is silent after a byte that does not end a line.
    QElapsedTimer midLineSilence;
    QTimer waitLimit;
};
