// Figures of the capture format: what it costs over the data, what syncing
// it to the disk costs, and how closely the tester simulator's replay of a
// capture keeps its times.
//   bench_capture [CAPTURE [SPEED]]   (default: the corpus's normal transfer at its pace)
// The captures are written in TMPDIR: point it at the disk to measure.

#include "capturereader.h"
#include "capturerecorder.h"
#include "capturewriter.h"
#include "downloadsession.h"
#include "serialline.h"
#include "testersimulatorthread.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>

#include <sys/resource.h>

namespace {

// The byte offset each chunk ends at, with its time.
QList<std::pair<qint64, qint64>> chunkEnds(const QString &path)
{
    QList<std::pair<qint64, qint64>> ends;
    CaptureReader reader(path);
    CaptureFormat::Chunk chunk;
    qint64 offset = 0;
    reader.open();
    while (reader.readChunk(chunk))
        ends.append({offset += chunk.bytes.size(), chunk.microseconds});
    return ends;
}

void overhead(const QString &folder)
{
    const QString path = folder + "/overhead.capture";
    constexpr int chunks = 1024;
    const QByteArray kib(1024, 'x');
    {
        CaptureWriter writer(path);
        CaptureFormat::Header header;
        header.program = "THALDEN Datalogger 1.0.6";
        header.time = QDateTime::currentDateTime();
        header.portName = "ttyUSB0";
        header.devicePath = "/dev/ttyUSB0";
        header.line = "9600 8N1, no flow control, DTR on, RTS on";
        header.commands = "SYST:REM\r\nMEM:DATA? ALL\r\n";
        writer.writeHeader(header);
        for (int i = 0; i < chunks; ++i)
            writer.writeChunk(1204331 + qint64(i) * 1067000, kib.constData(), kib.size());
        writer.writeEnd(Download::Outcome::Complete, 1204331 + qint64(chunks) * 1067000,
                        kib.repeated(chunks));
        writer.waitForWritten();
    }
    const qint64 data = qint64(chunks) * kib.size();
    const qint64 size = QFileInfo(path).size();
    std::printf("overhead: %lld bytes of data in 1 KiB chunks -> %lld bytes of capture: +%.2f %%\n",
                static_cast<long long>(data), static_cast<long long>(size),
                100.0 * double(size - data) / double(data));
}

// CPU time of the process (both threads), in milliseconds.
double cpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

// A download of size bytes from the simulator at bitsPerSecond (0: as fast
// as the pseudo-terminal goes), its capture written with syncMs (-1: no sync).
void syncCost(const QString &folder, qint64 bitsPerSecond, qint64 size, int syncMs)
{
    TesterSimulator::Options options;
    options.bitsPerSecond = bitsPerSecond;
    options.size = size;
    TesterSimulatorThread testerThread(options);
    const QString path = folder + "/sync.capture";
    const double cpuBefore = cpuMs();
    QElapsedTimer clock;
    clock.start();
    DownloadSession session(new SerialLine(testerThread.tester->portPath()));
    auto *writer = new CaptureWriter(path);
    writer->setSyncInterval(syncMs);
    new CaptureRecorder(session, writer, CaptureRecorder::portAt({}, testerThread.tester->portPath()));
    QSignalSpy finished(&session, &DownloadSession::finished);
    session.start();
    finished.wait(3600 * 1000);
    const qint64 endedUs = clock.nsecsElapsed() / 1000;
    writer->waitForWritten();
    const double seconds = double(clock.nsecsElapsed()) / 1e9;
    CaptureReader reader(path);
    CaptureFormat::Chunk chunk;
    reader.open();
    qint64 chunks = 0;
    while (reader.readChunk(chunk))
        ++chunks;
    std::printf(
        "%6lld bit/s, sync %-5s: %9lld bytes in %6.2f s, %5lld chunks, CPU %6.0f ms, end written %6.1f ms "
        "after the download's, %s\n",
        static_cast<long long>(bitsPerSecond), syncMs < 0 ? "off" : qPrintable(QString("%1ms").arg(syncMs)),
        static_cast<long long>(session.received().size()), seconds, static_cast<long long>(chunks),
        cpuMs() - cpuBefore, double(clock.nsecsElapsed() / 1000 - endedUs) / 1e3,
        reader.isCut() ? qPrintable(QString("CUT after %1 bytes").arg(reader.bytesRead())) : "all written");
    QFile::remove(path);
}

int replayTiming(const QString &capture, double speed, const QString &folder)
{
    TesterSimulator::Options options;
    options.replayPath = capture;
    options.replaySpeed = speed;
    TesterSimulatorThread testerThread(options);
    if (!testerThread.tester->isRunning()) {
        std::fprintf(stderr, "%s\n", qPrintable(testerThread.tester->errorString()));
        return 1;
    }
    const QString again = folder + "/again.capture";
    DownloadSession session(new SerialLine(testerThread.tester->portPath()));
    auto *writer = new CaptureWriter(again);
    new CaptureRecorder(session, writer, CaptureRecorder::portAt({}, testerThread.tester->portPath()));
    QSignalSpy finished(&session, &DownloadSession::finished);
    session.start();
    finished.wait(24 * 3600 * 1000);
    writer->waitForWritten();

    // Each original chunk's end against the time the replay's download had
    // that byte.
    const auto original = chunkEnds(capture);
    const auto replayed = chunkEnds(again);
    QList<qint64> errors;
    auto at = replayed.cbegin();
    for (const auto &[offset, microseconds] : original) {
        while (at != replayed.cend() && at->first < offset)
            ++at;
        if (at == replayed.cend())
            break;
        errors.append(at->second - qint64(double(microseconds) / speed));
    }
    if (errors.isEmpty()) {
        std::printf("replay: no chunks\n");
        return 1;
    }
    QList<qint64> sizes = errors;
    for (qint64 &error : sizes)
        error = qAbs(error);
    std::sort(sizes.begin(), sizes.end());
    std::sort(errors.begin(), errors.end());
    CaptureReader reader(capture);
    CaptureFormat::Chunk chunk;
    reader.open();
    while (reader.readChunk(chunk)) {
    }
    std::printf("replay of %s at %gx: %lld chunks, %lld bytes (%s), outcome %s (captured %s)\n"
                "chunk offset error: median %.2f ms (signed median %+.2f ms), worst %.2f ms, 95th percentile "
                "%.2f ms\n",
                qPrintable(QFileInfo(capture).fileName()), speed, static_cast<long long>(errors.size()),
                static_cast<long long>(session.received().size()),
                session.received().size() == reader.end().bytes ? "all" : "DIFFERENT",
                CaptureFormat::reasonWord(session.outcome()).constData(),
                CaptureFormat::reasonWord(reader.end().reason).constData(),
                double(sizes[sizes.size() / 2]) / 1000, double(errors[errors.size() / 2]) / 1000,
                double(sizes.last()) / 1000, double(sizes[sizes.size() * 95 / 100]) / 1000);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    const QStringList arguments = app.arguments();
    overhead(folder.path());
    for (const int syncMs : {-1, CaptureWriter::defaultSyncMs}) {
        syncCost(folder.path(), 9600, 9600, syncMs);
        syncCost(folder.path(), 0, 50 * 1000 * 1000, syncMs);
    }
    const QString capture = arguments.size() > 1
                                ? arguments[1]
                                : QStringLiteral(DATALOGGER_SOURCE_DIR "/tests/corpus/normal.capture");
    return replayTiming(capture, arguments.size() > 2 ? arguments[2].toDouble() : 1.0, folder.path());
}
