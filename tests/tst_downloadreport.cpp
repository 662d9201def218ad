// Downloads replayed from made-up captures: the end rule finds each end on
// the capture's clock, and the report tells it as the window and the command
// line do.

#include "capturereader.h"
#include "capturereplayline.h"
#include "dataamount.h"
#include "downloadreport.h"
#include "downloadsession.h"
#include "downloadsummary.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using Outcome = Download::Outcome;

namespace {

struct Chunk
{
    qint64 ms; // since the request
    QByteArray bytes;
};
using Chunks = QList<Chunk>;

// A capture of chunks, its end recorded as end at endMs ("" for none: cut short).
QByteArray capture(const Chunks &chunks, const QByteArray &end, qint64 endMs, qint64 waitMs = 0)
{
    QByteArray text = "THALDEN-DATALOGGER-CAPTURE 1\ndevice: /dev/ttyUSB0\n";
    if (waitMs > 0)
        text += "wait: " + QByteArray::number(waitMs) + '\n';
    text += '\n';
    QByteArray all;
    for (const Chunk &chunk : chunks) {
        text += "chunk " + QByteArray::number(chunk.ms * 1000) + ' ' +
                QByteArray::number(chunk.bytes.size()) + '\n' + chunk.bytes + '\n';
        all += chunk.bytes;
    }
    if (!end.isEmpty())
        text += "end " + QByteArray::number(endMs * 1000) + ' ' + end + ' ' + QByteArray::number(all.size()) +
                ' ' + QCryptographicHash::hash(all, QCryptographicHash::Sha256).toHex() + '\n';
    return text;
}

} // namespace

class TestDownloadReport : public QObject
{
    Q_OBJECT

private slots:
    void replays_data();
    void replays();
};

void TestDownloadReport::replays_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<qint64>("endMs"); // since the request, as the rule finds it
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("headline"); // %1 the amount received
    QTest::addColumn<int>("lines");        // in the summary
    const Chunks line{{1000, "1.5,2.25\r\n"}};
    const Chunks midLine{{1000, "1.5,2.25\r\n1.6"}};
    const QString incomplete = "The results may be incomplete.";
    QTest::newRow("silent after a line end")
        << capture(line, "complete", 1050) << Outcome::Complete << 1050LL << 0 << QString() << 1;
    // Played at the pace recorded, on the wall's clock too.
    QTest::newRow("paced: silent after a line end")
        << capture(line, "complete", 1050) << Outcome::Complete << 1050LL << 0 << QString() << 1;
    // Each a line: a lone carriage return, a pair, a line feed.
    QTest::newRow("line ends of every kind") << capture({{1000, "1\r2\r\n3\n"}}, "complete", 1050)
                                             << Outcome::Complete << 1050LL << 0 << QString() << 3;
    QTest::newRow("a pause after a line end ends it")
        << capture({{1000, "1.5,2.25\r\n"}, {1700, "1.6,2.5\r\n"}}, "complete", 1050) << Outcome::Complete
        << 1050LL << 0 << QString() << 1;
    QTest::newRow("a line that ends with a carriage return")
        << capture({{1000, "1.5,2.25\r"}}, "complete", 1050) << Outcome::Complete << 1050LL << 0 << QString()
        << 1;
    QTest::newRow("control characters after the last line end")
        << capture({{1000, QByteArray("1.5,2.25\r\n\x11\0", 12)}}, "complete", 1050) << Outcome::Complete
        << 1050LL << 0 << QString() << 2;
    QTest::newRow("a pause mid-line shorter than the grace")
        << capture({{1000, "1.5,"}, {2900, "2.25\r\n"}}, "complete", 2950) << Outcome::Complete << 2950LL << 0
        << QString() << 1;
    QTest::newRow("silent mid-line for the grace too")
        << capture(midLine, "ended-mid-line", 3070) << Outcome::EndedMidLine << 3070LL << 5
        << "The transfer ended in the middle of a line after %1. " + incomplete << 2;
    QTest::newRow("silent mid-line for the grace, then more")
        << capture({{1000, "1.5,"}, {3600, "2.25\r\n"}}, "ended-mid-line", 3050) << Outcome::EndedMidLine
        << 3050LL << 5 << "The transfer ended in the middle of a line after %1. " + incomplete << 1;
    QTest::newRow("recorded complete, but mid-line: the rule decides")
        << capture(midLine, "complete", 1050) << Outcome::EndedMidLine << 3050LL << 5
        << "The transfer ended in the middle of a line after %1. " + incomplete << 2;
    // A tester that keeps talking: an XON after its results, then one every 100 ms.
    Chunks talking{{1000, "1.5,2.25\r\n\x11"}}, talkingMidLine{{1000, "1.5,2.25\r\n1.6\x11"}};
    for (qint64 ms = 1100; ms <= 5000; ms += 100) {
        talking << Chunk{ms, "\x11"};
        talkingMidLine << Chunk{ms, "\x11"};
    }
    QTest::newRow("talking after a line end: silent once")
        << capture(talking, "cancelled", 5000) << Outcome::Complete << 1050LL << 0 << QString() << 2;
    QTest::newRow("talking mid-line: silent for the grace")
        << capture(talkingMidLine, "cancelled", 5000) << Outcome::EndedMidLine << 3050LL << 5
        << "The transfer ended in the middle of a line after %1. " + incomplete << 2;
    // Nothing was asked: the line is kept busy up to the end, counted from the port's opening.
    QTest::newRow("line busy past the wait") << capture({}, "line-busy", 1020, 1000) << Outcome::LineBusy
                                             << 1000LL << 2 << DownloadReport::busyLineEndText(1) << 0;
    QTest::newRow("line lost") << capture(midLine, "line-lost", 1020) << Outcome::LineLost << 1020LL << 5
                               << "The connection to the tester was lost after %1. " + incomplete << 2;
    QTest::newRow("port gone") << capture({}, "port-gone", 700) << Outcome::PortGone << 700LL << 2
                               << "The port was lost before any results arrived." << 0;
    QTest::newRow("nothing within the wait")
        << capture({}, "nothing-arrived", 3020, 3000) << Outcome::NothingArrived << 3020LL << 3
        << "Nothing arrived within 3 second(s)." << 0;
    QTest::newRow("nothing arrived, the wait from before it was recorded")
        << capture({}, "nothing-arrived", 3020) << Outcome::NothingArrived << 3020LL << 3
        << "Nothing arrived within 3 second(s)." << 0;
    // A wait that is no number counts as none.
    QTest::newRow("nothing arrived, a wait that is no number")
        << capture({}, "nothing-arrived", 3020).replace("\n\n", "\nwait: 3 s\n\n") << Outcome::NothingArrived
        << 3020LL << 3 << "Nothing arrived within 3 second(s)." << 0;
    QTest::newRow("cancelled mid-transfer") << capture(midLine, "cancelled", 1500) << Outcome::Cancelled
                                            << 1500LL << 130 << "The download was interrupted." << 2;
    QTest::newRow("cut short") << capture(midLine, "", 0) << Outcome::CutShort << 1000LL << 5
                               << "The capture stops after %1, before its outcome: it was cut short. " +
                                      incomplete
                               << 2;
    // Up to the damage, which the reader names.
    const QString damaged = "The replay stops at damage in the capture after %1: %2. " + incomplete;
    QTest::newRow("damaged mid-way")
        << capture({{1000, "1.5,2.25\r\n"}, {1100, "1.6,"}}, "complete", 1150).replace(" 1100000 ", " 11x ")
        << Outcome::CaptureDamaged << 1000LL << 5
        << damaged.arg("%1", "line 6 is damaged: a chunk's time or length is not a number") << 1;
    QTest::newRow("a byte changed")
        << capture(line, "complete", 1050).replace("1.5", "1.6") << Outcome::CaptureDamaged << 1000LL << 5
        << damaged.arg("%1", "its bytes do not match the count and SHA-256 of its end on line 6") << 1;
}

// Each replay ends once, as the rule finds it on the capture's clock, with
// every chunk before its end; the report says what it means to the user.
void TestDownloadReport::replays()
{
    QFETCH(QByteArray, file);
    QFETCH(Outcome, outcome);
    QFETCH(qint64, endMs);
    QFETCH(int, exitCode);
    QFETCH(QString, headline);
    QFETCH(int, lines);
    QTemporaryDir folder;
    QFile out(folder.filePath("a.capture"));
    QVERIFY(out.open(QIODevice::WriteOnly) && out.write(file) == file.size());
    out.close();
    CaptureReader reader(out.fileName());
    QVERIFY(reader.open());
    auto *line = new CaptureReplayLine(&reader);
    const bool paced = QByteArray(QTest::currentDataTag()).startsWith("paced");
    line->setSpeed(paced ? 1 : 0);
    DownloadSession session(line);
    session.setWaitLimit(line->recordedWaitMs());
    QSignalSpy finished(&session, &DownloadSession::finished);
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(session.start().cause, Kv::PortDiagnosis::Cause::None);
    QVERIFY(finished.wait(10000));
    // The request waits for two silent read periods first.
    QVERIFY(!paced || clock.elapsed() >= endMs + 100);
    QCOMPARE(session.outcome(), outcome);
    QCOMPARE(session.microseconds(), endMs * 1000);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(DownloadSummary::of(session).lines, lines);

    const DownloadReport report(session, "ttyUSB0", reader.errorString());
    QCOMPARE(report.exitCode(), exitCode);
    QCOMPARE(report.headline(), headline.arg(dataAmount(session.received().size())));
    QCOMPARE(report.mayBeIncomplete(), headline.contains("incomplete"));
    QCOMPARE(report.diagnosis().contains("ttyUSB0 went away"), outcome == Outcome::PortGone);
}

QTEST_GUILESS_MAIN(TestDownloadReport)
#include "tst_downloadreport.moc"
