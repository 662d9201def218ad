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
        Cancelled,         // cancel(): what had arrived is kept
        CaptureUnreadable, // replay(): the capture is damaged or cut at a size limit
        CutShort,          // replay(): the capture stops before its outcome, after its last whole chunk
    };
    Q_ENUM(Outcome)

    // How much longer silence in the middle of a line may last before the
    // transfer counts as ended there: a radio link, a USB adapter or a busy
    // sender pauses mid-record, a finished tester does not.
    static constexpr int midLineGraceMs = 2000;

    explicit DownloadSession(const QString &portPath, QObject *parent = nullptr);
    ~DownloadSession() override;

    // Gives up when no byte has arrived msecs after the request; 0, the
    // default, waits until cancelled. Set before start().
    void setWaitLimit(int msecs);

    // Keeps a capture of the download in writer, which the session takes:
    // the header once the request is sent, each chunk as it arrives and the
    // outcome at the end. Set before start().
    void setCapture(CaptureWriter *writer);

    // Opens the port and asks the tester for its results: cause None when the
    // download runs, otherwise why the port did not open.
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

signals:
    // received() has grown.
    void readyRead();
    // The download has ended (also through cancel()); outcome() says how.
    void finished();

private:
    bool take();
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
    QElapsedTimer sinceRequest;
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
