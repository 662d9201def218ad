#pragma once

#include "captureformat.h"
#include "downloadline.h"

#include <QElapsedTimer>
#include <QTimer>

#include <optional>

class CaptureReader;

// A capture played back as the line it was read from: its chunks come at the
// times they record, counted from the session's write, and between them the
// read periods pass as a serial line's would, on the capture's clock, so that
// the session's end rule finds the end again. The period that ends the
// recording falls on the recorded end (the moment the download found it); a
// line that failed fails there. A download that was cancelled ends the
// recording there, one the rule does not end a grace period after its end;
// a capture cut short or damaged ends after its last whole chunk. A download
// that never asked (line-busy) is played as a line busy up to its end.
class CaptureReplayLine : public DownloadLine
{
    Q_OBJECT

public:
    // reader has opened the capture and outlives the line.
    explicit CaptureReplayLine(CaptureReader *reader, QObject *parent = nullptr);

    // Times faster than recorded; 0, the default, as fast as the event loop
    // goes, in short passes. Set before open().
    void setSpeed(double factor);
    // The wait limit the download had, in milliseconds; 0 for none.
    int recordedWaitMs() const;
    // How the download ended, by the capture; reads the rest of it if the
    // replay ended first. NotEnded for a capture cut short or damaged.
    CaptureFormat::End recordedEnd();

    Kv::PortDiagnosis open() override;
    void write(const QByteArray &data) override;
    qint64 bytesAvailable() const override;
    qint64 bytesBeforeWrite() const override;
    qint64 read(char *data, qint64 maxSize) override;
    qint64 skip(qint64 maxSize) override;
    bool lineFailed() const override;
    void close() override;
    QByteArray takeRemainder() override;
    qint64 microseconds() const override;

private:
    // The next chunk into ahead, or the end of the chunks.
    void readAhead();
    // When the next event is due on the line's clock.
    qint64 nextEventUs() const;
    void step();
    void pass();

    CaptureReader *reader;
    QTimer timer;
    QElapsedTimer wall;
    double speed = 0;
    bool running = false;
    qint64 now = 0;
    // When the session wrote its request: the capture's times count from it.
    qint64 requestUs = -1;
    qint64 lastChunkUs = 0;
    CaptureFormat::Chunk ahead;
    bool haveAhead = false;
    bool chunksEnded = false;
    // When the chunks end: the capture is cut short, damaged or cut at a
    // size limit instead of having an end.
    std::optional<End> broken;
    bool failed = false;
    QByteArray buffer;
    qsizetype taken = 0;
};
