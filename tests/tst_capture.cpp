// The capture format on its own: what is written reads back, a capture cut
// short gives its whole chunks, and damage is named.

#include "capturefolder.h"
#include "capturereader.h"
#include "capturewriter.h"
#include "visibletext.h"

#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <sys/sysmacros.h>

using Outcome = Download::Outcome;
using Chunks = QList<CaptureFormat::Chunk>;

class TestCapture : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void roundTrip_data();
    void roundTrip();
    void cutShort();
    void damaged_data();
    void damaged();
    void unwritable_data();
    void unwritable();
    void folderLimits_data();
    void folderLimits();
    void shownValues_data();
    void shownValues();

private:
    QString write(const Chunks &chunks, Outcome outcome, const CaptureFormat::Header &header = {});
    static QByteArray readAll(const QString &path);

    std::unique_ptr<QTemporaryDir> folder;
};

void TestCapture::init()
{
    folder = std::make_unique<QTemporaryDir>();
}

QString TestCapture::write(const Chunks &chunks, Outcome outcome, const CaptureFormat::Header &header)
{
    const QString path = folder->filePath("a.capture");
    CaptureWriter writer(path);
    writer.writeHeader(header);
    for (const CaptureFormat::Chunk &chunk : chunks)
        writer.writeChunk(chunk.microseconds, chunk.bytes.constData(), chunk.bytes.size());
    QByteArray all;
    for (const CaptureFormat::Chunk &chunk : chunks)
        all += chunk.bytes;
    writer.writeEnd(outcome, chunks.isEmpty() ? 5000000 : chunks.last().microseconds + 50000, all);
    writer.waitForWritten();
    return path;
}

QByteArray TestCapture::readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestCapture::roundTrip_data()
{
    QTest::addColumn<Chunks>("chunks");
    QTest::addColumn<Outcome>("outcome");
    QTest::newRow("nothing arrived") << Chunks{} << Outcome::NothingArrived;
    QTest::newRow("one line") << Chunks{{1200345, "1.5,2.25\r\n"}} << Outcome::Complete;
    // Bytes that look like the format's own lines, and no line end at the end.
    QTest::newRow("lines of the format in the data") << Chunks{{7, "\nchunk 1 2\n"},
                                                               {8, QByteArray("\0\xff\r", 3)},
                                                               {9, "end 1 complete 0 00\n"},
                                                               {9, "x"}}
                                                     << Outcome::EndedMidLine;
    Chunks kibs;
    for (int i = 0; i < 300; ++i)
        kibs.append({qint64(i) * 1067, QByteArray(1024, char(i))});
    QTest::newRow("300 chunks of 1 KiB") << kibs << Outcome::LineLost;
}

// Every byte, time and header fact reads back as written.
void TestCapture::roundTrip()
{
    QFETCH(Chunks, chunks);
    QFETCH(Outcome, outcome);
    CaptureFormat::Header header;
    header.program = "THALDEN Datalogger 1.0.6";
    header.time = QDateTime::fromString("2026-12-07T09:14:12.345+01:00", Qt::ISODateWithMs);
    header.portName = "ttyUSB0 Jürgen's 100%";
    header.devicePath = "/dev/ttyUSB0";
    header.vidPid = "0403:6001";
    header.line = "9600 8N1, no flow control, DTR on, RTS on";
    header.commands = "SYST:REM\r\nMEM:DATA? ALL\r\n";
    header.discarded = 1;
    header.waitMs = 1;
    const QString path = write(chunks, outcome, header);
    struct stat made;
    QVERIFY(::stat(QFile::encodeName(path).constData(), &made) == 0 && (made.st_mode & 07777) == 0600);
    CaptureReader reader(path);
    QVERIFY2(reader.open(), qPrintable(reader.errorString()));
    const CaptureFormat::Header &read = reader.header();
    QCOMPARE(read.time, header.time);
    QCOMPARE(read.time.offsetFromUtc(), 3600);
    QCOMPARE(QStringList({read.program, read.portName, read.devicePath, read.vidPid, read.serialNumber,
                          read.stableName, read.line}),
             QStringList({header.program, header.portName, header.devicePath, header.vidPid, QString(),
                          QString(), header.line}));
    QCOMPARE(read.commands, header.commands);
    QCOMPARE(read.discarded + read.waitMs, 2);
    CaptureFormat::Chunk chunk;
    QByteArray all;
    for (const CaptureFormat::Chunk &expected : std::as_const(chunks)) {
        QVERIFY(reader.readChunk(chunk));
        QCOMPARE(chunk.microseconds, expected.microseconds);
        QCOMPARE(chunk.bytes, expected.bytes);
        all += chunk.bytes;
    }
    QVERIFY(!reader.readChunk(chunk));
    QVERIFY2(!reader.hasError() && !reader.outcomeMissing(), qPrintable(reader.errorString()));
    QCOMPARE(reader.end().reason, outcome);
    QCOMPARE(reader.end().bytes, all.size());
    QCOMPARE(reader.end().sha256, QCryptographicHash::hash(all, QCryptographicHash::Sha256).toHex());
}

// Cut anywhere (a crash, a full disk), a capture gives every chunk that is
// whole before the cut and says that its outcome is missing.
void TestCapture::cutShort()
{
    const Chunks chunks{{10, "a\n"}, {20, "chunk 9 9\n"}, {30, QByteArray(300, '\n')}, {40, "b"}};
    const QByteArray whole = readAll(write(chunks, Outcome::Complete));
    const qsizetype bodyStart = whole.indexOf("\n\n") + 2;
    for (qsizetype size = bodyStart; size < whole.size(); ++size) {
        QFile cut(folder->filePath("cut.capture"));
        QVERIFY(cut.open(QIODevice::WriteOnly | QIODevice::Truncate));
        cut.write(whole.left(size));
        cut.close();
        // Whole chunks before the cut: those whose line end is in.
        qsizetype expected = 0, at = bodyStart;
        for (const CaptureFormat::Chunk &chunk : chunks) {
            at = whole.indexOf('\n', at) + 1 + chunk.bytes.size() + 1;
            expected += at <= size ? 1 : 0;
        }
        CaptureReader reader(cut.fileName());
        QVERIFY(reader.open());
        CaptureFormat::Chunk chunk;
        qsizetype count = 0;
        while (reader.readChunk(chunk))
            QCOMPARE(chunk.bytes, chunks[count++].bytes);
        QVERIFY2(reader.outcomeMissing() && !reader.hasError(),
                 qPrintable(QString("cut at %1: %2").arg(size).arg(reader.errorString())));
        QCOMPARE(count, expected);
    }
}

void TestCapture::damaged_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("error");
    const QByteArray head = "THALDEN-DATALOGGER-CAPTURE 1\nprogram: x\n\n";
    const QByteArray end =
        "end 9 complete 2 " + QCryptographicHash::hash("ab", QCryptographicHash::Sha256).toHex();
    QTest::newRow("empty") << QByteArray() << "it is not a capture";
    QTest::newRow("results, not a capture") << QByteArray("Date,Time,Uoc\n") << "it is not a capture";
    QTest::newRow("no version") << QByteArray("THALDEN-DATALOGGER-CAPTURE x\n") << "line 1 is damaged";
    QTest::newRow("header line") << QByteArray("THALDEN-DATALOGGER-CAPTURE 1\nprogram\n\n")
                                 << "line 2 is damaged: a header line";
    QTest::newRow("header cut short") << QByteArray("THALDEN-DATALOGGER-CAPTURE 1\nprogram: x\n")
                                      << "line 2 is damaged: the header does not end";
    QTest::newRow("chunk length") << head + "chunk 5 x\nab\n"
                                  << "line 4 is damaged: a chunk's time";
    QTest::newRow("chunk longer than said") << head + "chunk 5 1\nab\n" + end + '\n'
                                            << "line 5 is damaged: a chunk's bytes";
    QTest::newRow("unknown line") << head + "chunk 5 2\nab\nblob\n"
                                  << "line 6 is damaged: expected";
    QTest::newRow("unknown reason") << head + "chunk 5 2\nab\nend 9 finished 2 00\n"
                                    << "line 6 is damaged: its end names";
    QTest::newRow("a byte changed") << head + "chunk 5 2\naB\n" + end + '\n' << "of its end on line 6";
    QTest::newRow("a cut, then fewer bytes") << head + "chunk 5 3\nabc\ncut 6\n" + end + '\n'
                                             << "of its end on line 7";
}

// A file that is no capture, or one damaged, is refused with what is wrong.
void TestCapture::damaged()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, error);
    QFile file(folder->filePath("a.capture"));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
    file.close();
    CaptureReader reader(file.fileName());
    if (reader.open()) {
        CaptureFormat::Chunk chunk;
        while (reader.readChunk(chunk)) {
        }
    }
    QVERIFY(reader.hasError() && !reader.outcomeMissing());
    QVERIFY2(reader.errorString().contains(error), qPrintable(reader.errorString()));
}

void TestCapture::unwritable_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<qint64>("sizeLimit");
    QTest::addColumn<bool>("fails");
    QTest::newRow("no such folder") << "none/a.capture" << -1LL << true;
    // A full device of the test's own, never the system's.
    QTest::newRow("a full disk") << "full" << -1LL << true;
    QTest::newRow("at a size limit") << "a.capture" << 3000LL << false;
}

// Writing never fails the caller: the first failure is reported once and the
// rest is skipped; a size limit keeps the start and the end.
void TestCapture::unwritable()
{
    QFETCH(QString, path);
    QFETCH(qint64, sizeLimit);
    QFETCH(bool, fails);
    if (path == QLatin1String("full") &&
        ::mknod(QFile::encodeName(folder->filePath(path)).constData(), S_IFCHR | 0666, makedev(1, 7)) != 0)
        QSKIP("needs root, to make a device node");
    if (fails)
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression("^The capture .*/" + QRegularExpression::escape(path) +
                                                " could not be written: .*\\. "
                                                "The download goes on without it\\.$"));
    QTest::failOnWarning(QRegularExpression(".*"));
    CaptureWriter writer(QDir(folder->path()).filePath(path));
    writer.setSizeLimit(sizeLimit);
    QStringList reports;
    QObject context;
    writer.whenFailed(&context, [&reports](const QString &report) { reports << report; });
    writer.writeHeader({});
    for (int i = 0; i < 10; ++i)
        writer.writeChunk(i, QByteArray(1000, 'x').constData(), 1000);
    writer.writeEnd(Outcome::Complete, 10, QByteArray(10000, 'x'));
    writer.waitForWritten();
    QCOMPARE(writer.hasFailed(), fails);
    // The same report, once, in this thread (a window shows it).
    QCoreApplication::processEvents();
    QCOMPARE(reports.size(), fails ? 1 : 0);
    if (fails)
        QVERIFY(reports.constFirst().startsWith("The capture " + writer.path() + " could not be written: "));
    if (sizeLimit < 0)
        return;
    QVERIFY(QFileInfo(writer.path()).size() <= sizeLimit);
    CaptureReader reader(writer.path());
    QVERIFY(reader.open());
    CaptureFormat::Chunk chunk;
    while (reader.readChunk(chunk)) {
    }
    QVERIFY(reader.isCut() && !reader.hasError() && !reader.outcomeMissing());
    QCOMPARE(reader.bytesRead(), 2000);
    QCOMPARE(reader.end().bytes, 10000);
}

void TestCapture::folderLimits_data()
{
    // Oldest name first: a number of bytes, or a capture "NAME DAY@RECORDED DAY", "!" without its end.
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<int>("reserve");  // files kept free for a new capture
    QTest::addColumn<QString>("kept"); // which, in the order captures() gives
    // At most 3 files and 1000 bytes.
    QTest::newRow("within both") << QStringList{"300", "300", "400"} << 0 << "012";
    QTest::newRow("one file too many") << QStringList{"1", "1", "1", "1"} << 0 << "123";
    QTest::newRow("room for a new one") << QStringList{"1", "1", "1"} << 1 << "12";
    QTest::newRow("one byte too many") << QStringList{"1", "300", "300", "400"} << 0 << "123";
    // Once one does not fit, every older one goes, however small.
    QTest::newRow("a large one in between") << QStringList{"1", "900", "200"} << 0 << "2";
    QTest::newRow("a later name, an earlier time, goes first")
        << QStringList{"1@5", "2@6", "9@1"} << 1 << "01";
    QTest::newRow("an interrupted one not offered stays")
        << QStringList{"1@1!", "2@2", "3@3", "4@4", "5@5"} << 0 << "0234";
}

// The newest captures, by the time they record, are kept within the limits,
// the oldest removed first, but for interrupted ones not yet offered; nothing
// else in the folder is touched.
void TestCapture::folderLimits()
{
    QFETCH(QStringList, files);
    QFETCH(int, reserve);
    QFETCH(QString, kept);
    QStringList names;
    for (int i = 0; i < files.size(); ++i) {
        const QString day = files[i].contains('@') ? files[i].left(1) : QString::number(i + 1);
        names << QString("download-2026-12-0%1-091412-000.capture").arg(day);
        QByteArray text(files[i].toInt(), 'x');
        if (files[i].contains('@')) {
            text = "THALDEN-DATALOGGER-CAPTURE 1\ntime: 2026-12-0" + files[i].mid(2, 1).toLatin1() +
                   "T09:00:00.000+01:00\n\nchunk 1 1\nx\n" +
                   (files[i].endsWith('!') ? "" : "end 2 complete 1 00\n");
        }
        QFile file(folder->filePath(names.last()));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
    }
    QFile other(folder->filePath("notes.txt"));
    QVERIFY(other.open(QIODevice::WriteOnly));
    CaptureFolder captures(folder->path(), 3, 1000);
    captures.prune(reserve);
    QStringList expected;
    for (const QChar index : kept)
        expected << names[index.digitValue()];
    QCOMPARE(captures.captures(), expected);
    QVERIFY(other.exists());
}

void TestCapture::shownValues_data()
{
    QTest::addColumn<QString>("value"); // from a capture's header
    QTest::addColumn<QString>("shown");
    QTest::newRow("text stays") << "ttyUSB0 J\u00fcrgen's 100%"
                                << "ttyUSB0 J\u00fcrgen's 100%";
    QTest::newRow("C0, DEL and C1 controls") << "\x1b]0;x\x07\x7f\u009f"
                                             << "\\x1b]0;x\\x07\\x7f\\x9f";
    QTest::newRow("text-direction marks") << "\u061c\u200e\u202e\u2066\u2069"
                                          << "\\u061c\\u200e\\u202e\\u2066\\u2069";
    QTest::newRow("their neighbours stay") << "\u00a0\u200d\u202f\u206a"
                                           << "\u00a0\u200d\u202f\u206a";
}

// What a capture's header says is shown with its control characters and
// text-direction marks written out: a capture sent to support cannot set a
// terminal's title or turn the rest of a message around.
void TestCapture::shownValues()
{
    QFETCH(QString, value);
    QFETCH(QString, shown);
    QCOMPARE(visibleText(value), shown);
}

QTEST_GUILESS_MAIN(TestCapture)
#include "tst_capture.moc"
