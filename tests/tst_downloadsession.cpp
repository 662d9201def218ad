// One download against a simulated tester on a pseudo-terminal, with no
// window: how each transfer ends, and what it keeps.

#include "capturereader.h"
#include "capturerecorder.h"
#include "capturereplayline.h"
#include "capturewriter.h"
#include "downloadsession.h"
#include "ptypair.h"
#include "serialline.h"
#include "testersimulator.h"
#include "testersimulatorthread.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <thread>

using Outcome = DownloadSession::Outcome;

class TestDownloadSession : public QObject
{
    Q_OBJECT

private slots:
    void outcomes_data();
    void outcomes();
    void cancelKeepsEverything_data();
    void cancelKeepsEverything();
    void earlierTransfer();
};

void TestDownloadSession::outcomes_data()
{
    QTest::addColumn<qint64>("pauseAt");
    QTest::addColumn<int>("pauseMs");
    QTest::addColumn<qint64>("hangUpAt"); // 0: once the commands have arrived, before any data
    QTest::addColumn<int>("waitMs");      // 0: no limit; the tester never answers
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<qint64>("endsAt"); // -1: the whole memory arrives
    // One row for each way a real line ends: the end rule's cases run on
    // made-up captures in tst_downloadreport. The built-in results (23,718
    // bytes) have no line end at 5000.
    QTest::newRow("complete") << -1LL << 0 << -1LL << 0 << Outcome::Complete << -1LL;
    QTest::newRow("silence mid-line ends it there")
        << 5000LL << 2600 << -1LL << 0 << Outcome::EndedMidLine << 5000LL;
    QTest::newRow("hang-up mid-transfer") << -1LL << 0 << 5000LL << 0 << Outcome::LineLost << 5000LL;
    QTest::newRow("hang-up before data") << -1LL << 0 << 0LL << 0 << Outcome::PortGone << 0LL;
    QTest::newRow("nothing within the wait") << -1LL << 0 << -1LL << 300 << Outcome::NothingArrived << 0LL;
}

// Each transfer ends once, with its outcome, keeping every byte sent up to its
// end; its capture replays to the same bytes, outcome and duration.
void TestDownloadSession::outcomes()
{
    QFETCH(qint64, pauseAt);
    QFETCH(int, pauseMs);
    QFETCH(qint64, hangUpAt);
    QFETCH(int, waitMs);
    QFETCH(Outcome, outcome);
    QFETCH(qint64, endsAt);
    QTemporaryDir folder;
    TesterSimulator::Options options;
    options.bitsPerSecond = 0;
    options.pauseAt = pauseAt;
    options.pauseMs = pauseMs;
    options.hangUpAt = hangUpAt > 0 ? hangUpAt : -1;
    options.neverAnswer = waitMs > 0 || hangUpAt == 0;
    TesterSimulator tester;
    tester.setOptions(options);
    QVERIFY(tester.start());

    DownloadSession session(new SerialLine(tester.portPath()));
    session.setWaitLimit(waitMs);
    auto *writer = new CaptureWriter(folder.filePath("a.capture"));
    // The port as listed under another name: the capture tells the adapter.
    Kv::SerialPortInfo listed;
    listed.portName = "ttyUSB7";
    listed.openPath = "/dev/ttyUSB7";
    listed.stablePath = tester.portPath();
    listed.vendorId = 0x0403;
    listed.productId = 0x6001;
    new CaptureRecorder(session, writer, CaptureRecorder::portAt({listed}, tester.portPath()));
    QSignalSpy finished(&session, &DownloadSession::finished);
    if (hangUpAt == 0) {
        // Once the request has come, from the event loop: not inside the tester's read.
        connect(
            &tester, &TesterSimulator::commandReceived, &tester,
            [&tester](const QByteArray &command) {
                if (command.endsWith("ALL"))
                    tester.hangUp();
            },
            Qt::QueuedConnection);
    }
    QCOMPARE(session.start().cause, Kv::PortDiagnosis::Cause::None);
    QVERIFY(session.isRunning());
    QVERIFY(finished.wait(20000));
    QCOMPARE(session.outcome(), outcome);
    QVERIFY(!session.isRunning());
    const QByteArray payload = tester.payload();
    QVERIFY(session.received() == (endsAt < 0 ? payload : payload.left(endsAt)));
    QCOMPARE(tester.receivedBytes(), QByteArray("SYST:REM\r\nMEM:DATA? ALL\r\n"));
    const qint64 receiving = session.msecsReceiving();
    const qint64 endUs = session.microseconds();
    QCOMPARE(finished.count(), 1);

    // Its thread writes the end after the download's.
    writer->waitForWritten();
    CaptureReader capture(folder.filePath("a.capture"));
    QVERIFY(capture.open());
    QCOMPARE(capture.header().commands, tester.receivedBytes());
    QCOMPARE(capture.header().portName + capture.header().vidPid, "ttyUSB70403:6001");
    QCOMPARE(capture.header().devicePath, tester.portPath());
    QCOMPARE(capture.header().line, "9600 8N1, no flow control, DTR on, RTS on");
    QCOMPARE(capture.header().waitMs, qint64(waitMs));
    // Replayed, the same end rule finds the same end at the same time.
    auto *line = new CaptureReplayLine(&capture);
    DownloadSession replay(line);
    replay.setWaitLimit(line->recordedWaitMs());
    QSignalSpy replayed(&replay, &DownloadSession::finished);
    QCOMPARE(replay.start().cause, Kv::PortDiagnosis::Cause::None);
    QVERIFY(replayed.wait(20000));
    QCOMPARE(replay.outcome(), outcome);
    QVERIFY(replay.received() == session.received());
    QCOMPARE(replay.msecsReceiving(), receiving);
    // The session's clock stopped with the transfer, however long the replay took.
    QCOMPARE(session.microseconds(), endUs);
}

void TestDownloadSession::cancelKeepsEverything_data()
{
    QTest::addColumn<qint64>("cancelAfter"); // bytes received; -1: while waiting for the tester
    QTest::newRow("while waiting") << -1LL;
    QTest::newRow("at full speed") << 2000000LL;
}

// Cancel keeps every byte that arrived before the port closed, also those
// that came after the last ones taken.
void TestDownloadSession::cancelKeepsEverything()
{
    QFETCH(qint64, cancelAfter);
    TesterSimulator::Options options;
    options.bitsPerSecond = 0;
    options.size = 100000000;
    options.neverAnswer = cancelAfter < 0;
    TesterSimulatorThread testerThread(options);
    const TesterSimulator &tester = *testerThread.tester;
    DownloadSession session(new SerialLine(tester.portPath()));
    QSignalSpy finished(&session, &DownloadSession::finished);
    QSignalSpy requested(&session, &DownloadSession::requested);
    QSignalSpy arrived(&session, &DownloadSession::readyRead);
    QCOMPARE(session.start().cause, Kv::PortDiagnosis::Cause::None);
    QVERIFY(requested.wait(10000));
    while (session.received().size() <= cancelAfter)
        QVERIFY(arrived.wait(20000));
    session.cancel();
    QCOMPARE(finished.count(), 1);
    QCOMPARE(session.outcome(), Outcome::Cancelled);
    // Nothing left behind in the closed device.
    QCOMPARE(session.findChild<Kv::WinSerialDeviceAsync *>()->bytesAvailable(), 0);
    QVERIFY(tester.payload().left(session.received().size()) == session.received());
    QCOMPARE(session.received().isEmpty(), cancelAfter < 0);
    session.cancel();
    QCOMPARE(finished.count(), 1);
}

// An earlier transfer still under way at the start is thrown away, and holds
// the request back until the line falls quiet.
void TestDownloadSession::earlierTransfer()
{
    QTemporaryDir folder;
    PtyPair pty;
    DownloadSession session(new SerialLine(pty.slavePath));
    auto *recorder = new CaptureRecorder(session, new CaptureWriter(folder.filePath("a.capture")),
                                         CaptureRecorder::portAt({}, pty.slavePath));
    QSignalSpy busy(&session, &DownloadSession::lineBusy);
    QSignalSpy requested(&session, &DownloadSession::requested);
    QSignalSpy finished(&session, &DownloadSession::finished);
    QCOMPARE(session.start().cause, Kv::PortDiagnosis::Cause::None);
    QAtomicInt sending = 1;
    qint64 sent = 0;
    std::thread earlier([&] {
        for (const QByteArray block(1000, ';'); sending; sent += block.size())
            pty.exchange(block);
    });
    QVERIFY(busy.wait(10000));
    sending = 0;
    earlier.join();
    QVERIFY(requested.count() == 1 || requested.wait(10000));
    const QByteArray asked = pty.exchange({}, 25, 10000);
    pty.exchange("new\r\n");
    QVERIFY(finished.wait(10000));
    QCOMPARE(session.outcome(), Outcome::Complete);
    QCOMPARE(asked + session.received(), "SYST:REM\r\nMEM:DATA? ALL\r\nnew\r\n");
    // Every byte sent before the request is counted, none is a chunk.
    recorder->writer().waitForWritten();
    QFile capture(folder.filePath("a.capture"));
    QVERIFY(capture.open(QIODevice::ReadOnly));
    QVERIFY(capture.readAll().contains("\ndiscarded: " + QByteArray::number(sent) + "\n\nchunk "));
}

QTEST_GUILESS_MAIN(TestDownloadSession)
#include "tst_downloadsession.moc"
