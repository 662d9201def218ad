#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include <memory>

class CaptureReader;
class QSocketNotifier;
class QTimer;

// Stands in for the PV tester on the far end of a serial line: a
// pseudo-terminal whose slave side the program opens like any port. It takes
// "SYST:REM" and "MEM:DATA? ALL", and after a delay (the user starting the
// transfer on the tester) sends the stored results at the line rate, with
// faults injected on request. Driven by the event loop of the thread that
// creates it; nothing blocks.
//
// Unpaced, it writes whenever the port takes bytes, so its speed follows the
// event loop: wait with QSignalSpy::wait() or a QEventLoop, not QTRY_*,
// which sleeps 10 ms between passes (one pty buffer, about 13 KB, a pass).
//
// The port stays up between the program's sessions. Unlike a real port, a
// pty keeps what was sent while nobody had it open; a reader purges at open
// as the program's device does, and a new request drops what is queued.
//
// Linux only (POSIX pseudo-terminals), like the tools that use it.
class TesterSimulator : public QObject
{
    Q_OBJECT

public:
    enum class Noise {
        None,  // the text as it is
        Mixed, // short bursts of binary (always holding 0x00 and 0xFF) over the text
        Only,  // nothing but random binary
    };
    Q_ENUM(Noise)

    struct Options
    {
        // Line rate in bit/s with 10 bits a byte (8N1); 0 sends as fast as
        // the pseudo-terminal takes the bytes.
        qint64 bitsPerSecond = 9600;
        // From the request to the first byte: the user walking to the tester.
        int delayMs = 0;
        // The results to send: this file, else the built-in results.
        QString filePath;
        // When >= 0, send exactly this many bytes, repeating the records.
        qint64 size = -1;
        Noise noise = Noise::None;
        // A silent stretch of pauseMs once pauseAt bytes have been sent.
        qint64 pauseAt = -1;
        int pauseMs = 0;
        // Close the port (the cable pulled) once this many bytes have been
        // sent and read: a reader gets exactly these bytes, then the hang-up.
        qint64 hangUpAt = -1;
        // Take the commands but never send anything.
        bool neverAnswer = false;
        // A symbolic link to the port, made at start and removed at stop.
        QString linkPath;
        // Answers with the bytes of this capture instead, at the times they
        // came after the request (divided by replaySpeed; 0: as fast as the
        // port takes them), and ends as the capture's download did: a
        // hang-up for a lost line or a port gone. The options above that
        // shape a transfer do not apply.
        QString replayPath;
        double replaySpeed = 1.0;
    };

    explicit TesterSimulator(QObject *parent = nullptr);
    ~TesterSimulator() override;

    void setOptions(const Options &options);
    Options options() const;

    // Opens the pseudo-terminal and loads the results; false with
    // errorString() set when that fails.
    bool start();
    // Closes the port without a hang-up event, removes the link.
    void stop();
    // Pulls the cable now: closes the port so the slave side is hung up.
    void hangUp();

    bool isRunning() const;
    QString portPath() const;
    QString errorString() const;

    // Every byte that arrived, in order.
    QByteArray receivedBytes() const;
    // The whole transfer, as it is or was sent (built on each call).
    QByteArray payload() const;
    qint64 payloadSize() const;
    // Of the current or last transfer.
    qint64 bytesSent() const;
    // Sent while nobody read the port, so never queued (paced transfers only).
    qint64 bytesLost() const;

signals:
    // A complete command line, without its line end.
    void commandReceived(const QByteArray &command);
    void transferStarted();
    void transferFinished();
    void hungUp();

private:
    enum class State { Idle, Waiting, Sending, Pausing, Draining };

    void readCommands();
    void handleCommand(const QByteArray &command);
    void beginTransfer();
    void pump();
    qint64 budget();
    void restartPacing();
    void endPause();
    void hangUpWhenRead();
    bool reachedEvent();
    void fillChunk();
    void payloadSlice(qint64 offset, char *target, qint64 length) const;
    void closePort();
    void removeLink();
    bool openReplay();
    void beginReplay();
    void replayNext();
    void endReplay();
    qint64 replayDueUs(qint64 capturedUs) const;

    Options currentOptions;
    State state = State::Idle;
    int masterFd = -1;
    int slaveFd = -1;
    QString slavePath;
    QString createdLink;
    QString error;
    bool remote = false;
    QByteArray received;
    QByteArray commandLine;

    // The payload is made slice by slice from the results text, so a
    // transfer of any size holds no more than one chunk in memory.
    QByteArray results;
    qint64 resultsHeaderSize = 0;
    qint64 totalSize = 0;
    qint64 sent = 0;
    bool pauseDone = false;
    QByteArray chunk;
    qint64 chunkPosition = 0;

    // Paced sending: bytes due = pacedFrom + elapsed time * rate.
    QElapsedTimer pacingClock;
    qint64 pacedFrom = 0;
    bool stalled = false;
    QElapsedTimer stallClock;
    qint64 lost = 0;

    QSocketNotifier *readNotifier = nullptr;
    QSocketNotifier *writeNotifier = nullptr;
    QTimer *delayTimer = nullptr;
    QTimer *paceTimer = nullptr;
    QTimer *pauseTimer = nullptr;
    QTimer *drainTimer = nullptr;
    QTimer *replayTimer = nullptr;
    std::unique_ptr<CaptureReader> replayReader;
    QElapsedTimer replayClock;
    qint64 chunkDueUs = 0;
    bool replayAtEnd = false;
    QElapsedTimer drainClock;
    int emptyChecks = 0;
};
