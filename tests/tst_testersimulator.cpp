#include "testersimulator.h"
#include "testsupport.h"

#include <QElapsedTimer>
#include <QMutex>
#include <QSignalSpy>

#include <atomic>
#include <fcntl.h>
#include <memory>
#include <poll.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

const QByteArray remoteCommand = QByteArrayLiteral("SYST:REM\r\n");
const QByteArray dataCommand = QByteArrayLiteral("MEM:DATA? ALL\r\n");

QByteArray shippedResults()
{
    QFile file(QStringLiteral(DATALOGGER_SOURCE_DIR "/tools/testersimulator/data/results.csv"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TesterSimulator::Options atRate(qint64 bitsPerSecond, qint64 size = -1)
{
    TesterSimulator::Options options;
    options.bitsPerSecond = bitsPerSecond;
    options.size = size;
    return options;
}

// The program's end of the line, opened as its serial device opens a port
// (raw, input purged) and read in a thread of its own, as its worker does.
class SlaveReader
{
public:
    explicit SlaveReader(const QString &path)
        : fd(::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC))
    {
        termios attributes;
        if (fd < 0 || ::tcgetattr(fd, &attributes) != 0)
            return;
        ::cfmakeraw(&attributes);
        ::tcsetattr(fd, TCSANOW, &attributes);
        ::tcflush(fd, TCIFLUSH);
        sinceLastRead.start();
        thread = std::thread([this] { run(); });
    }
    ~SlaveReader()
    {
        stopping = true;
        if (thread.joinable())
            thread.join();
        if (fd >= 0)
            ::close(fd);
    }

    bool write(const QByteArray &bytes)
    {
        return ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
    }
    QByteArray data() const
    {
        QMutexLocker locker(&mutex);
        return bytes;
    }
    qint64 size() const
    {
        QMutexLocker locker(&mutex);
        return bytes.size();
    }
    // The longest silence between two reads, and how many bytes had arrived
    // when it began.
    QPair<qint64, qint64> longestGap() const
    {
        QMutexLocker locker(&mutex);
        return gap;
    }
    std::atomic<bool> hungUp{false};

private:
    void run()
    {
        char buffer[65536];
        while (!stopping) {
            pollfd request{fd, POLLIN, 0};
            if (::poll(&request, 1, 20) <= 0)
                continue;
            // A hung-up pty reads as 0 bytes, like a silent one: only poll tells.
            if (request.revents & (POLLHUP | POLLERR)) {
                hungUp = true;
                return;
            }
            ssize_t got;
            while ((got = ::read(fd, buffer, sizeof buffer)) > 0) {
                QMutexLocker locker(&mutex);
                if (!bytes.isEmpty() && sinceLastRead.elapsed() > gap.first)
                    gap = {sinceLastRead.elapsed(), bytes.size()};
                bytes.append(buffer, got);
                sinceLastRead.restart();
            }
        }
    }

    int fd;
    QElapsedTimer sinceLastRead;
    std::thread thread;
    std::atomic<bool> stopping{false};
    mutable QMutex mutex;
    QByteArray bytes;
    QPair<qint64, qint64> gap{0, 0};
};

// A started simulator with its signals recorded and a reader on its port.
struct Session
{
    explicit Session(const TesterSimulator::Options &options)
    {
        simulator.setOptions(options);
        if (simulator.start())
            reader = std::make_unique<SlaveReader>(simulator.portPath());
    }
    TesterSimulator simulator;
    QSignalSpy commands{&simulator, &TesterSimulator::commandReceived};
    QSignalSpy started{&simulator, &TesterSimulator::transferStarted};
    QSignalSpy finished{&simulator, &TesterSimulator::transferFinished};
    QSignalSpy hungUp{&simulator, &TesterSimulator::hungUp};
    std::unique_ptr<SlaveReader> reader;
};

} // namespace

class TestTesterSimulator : public QObject
{
    Q_OBJECT

private slots:
    void sendsResultsOnRequest_data();
    void sendsResultsOnRequest();
    void staysSilent_data();
    void staysSilent();
    void pacesAtLineRate_data();
    void pacesAtLineRate();
    void pausesMidTransfer();
    void hangsUpMidTransfer();
    void sendsNoise_data();
    void sendsNoise();
    void repeatsRecordsToSize();
    void transfersTenMegabytesUnpaced();
    void goesOnWhenTheReaderLeaves();
    void refusesToStart_data();
    void refusesToStart();
};

void TestTesterSimulator::sendsResultsOnRequest_data()
{
    QTest::addColumn<QList<QByteArray>>("writes");
    QTest::addColumn<int>("delayMs");

    QList<QByteArray> single;
    for (char byte : remoteCommand + dataCommand)
        single.append(QByteArray(1, byte));
    QTest::newRow("both in one write") << QList<QByteArray>{remoteCommand + dataCommand} << 0;
    QTest::newRow("one a write, user takes 300 ms") << QList<QByteArray>{remoteCommand, dataCommand} << 300;
    QTest::newRow("byte by byte") << single << 0;
    QTest::newRow("split in the line ends")
        << QList<QByteArray>{"SYST:REM\r", "\nMEM:DATA? AL", "L\r", "\n"} << 0;
}

void TestTesterSimulator::sendsResultsOnRequest()
{
    QFETCH(QList<QByteArray>, writes);
    QFETCH(int, delayMs);

    TesterSimulator::Options options = atRate(0);
    options.delayMs = delayMs;
    Session session(options);
    QVERIFY2(session.reader, qPrintable(session.simulator.errorString()));
    for (const QByteArray &bytes : writes) {
        QVERIFY(session.reader->write(bytes));
        QTest::qWait(2);
    }
    QElapsedTimer sinceRequest;
    sinceRequest.start();
    QTRY_COMPARE_WITH_TIMEOUT(session.started.size(), 1, 5000);
    QVERIFY2(sinceRequest.elapsed() >= delayMs - 20, "sent before the user started the transfer");
    QTRY_COMPARE_WITH_TIMEOUT(session.finished.size(), 1, 5000);
    QTRY_COMPARE_WITH_TIMEOUT(session.reader->size(), session.simulator.payloadSize(), 5000);

    QCOMPARE(session.commands.size(), 2);
    QCOMPARE(session.commands.at(0).at(0).toByteArray(), QByteArray("SYST:REM"));
    QCOMPARE(session.commands.at(1).at(0).toByteArray(), QByteArray("MEM:DATA? ALL"));
    QCOMPARE(session.simulator.receivedBytes(), remoteCommand + dataCommand);
    QCOMPARE(session.simulator.payload(), shippedResults());
    QCOMPARE(session.reader->data(), shippedResults());
}

void TestTesterSimulator::staysSilent_data()
{
    QTest::addColumn<bool>("neverAnswer");
    QTest::addColumn<QByteArray>("commands");

    QTest::newRow("request without remote command") << false << dataCommand;
    QTest::newRow("never answers") << true << remoteCommand + dataCommand;
}

void TestTesterSimulator::staysSilent()
{
    QFETCH(bool, neverAnswer);
    QFETCH(QByteArray, commands);

    TesterSimulator::Options options = atRate(0);
    options.neverAnswer = neverAnswer;
    Session session(options);
    QVERIFY2(session.reader, qPrintable(session.simulator.errorString()));
    QVERIFY(session.reader->write(commands));
    QTRY_COMPARE_WITH_TIMEOUT(session.simulator.receivedBytes(), commands, 2000);
    QTest::qWait(300);
    QCOMPARE(session.started.size(), 0);
    QCOMPARE(session.reader->size(), 0);
}

void TestTesterSimulator::pacesAtLineRate_data()
{
    QTest::addColumn<qint64>("bitsPerSecond");

    QTest::newRow("2400 bit/s") << qint64(2400);
    QTest::newRow("9600 bit/s, the tester's") << qint64(9600);
    QTest::newRow("115200 bit/s") << qint64(115200);
}

void TestTesterSimulator::pacesAtLineRate()
{
    QFETCH(qint64, bitsPerSecond);

    // Two seconds' worth at 10 bits a byte: half after one second, all after
    // two, whatever the timers' lateness.
    const qint64 perSecond = bitsPerSecond / 10;
    Session session(atRate(bitsPerSecond, 2 * perSecond));
    QVERIFY2(session.reader, qPrintable(session.simulator.errorString()));
    QVERIFY(session.reader->write(remoteCommand + dataCommand));
    QVERIFY(session.started.wait(2000));
    QElapsedTimer clock;
    clock.start();
    QTest::qWait(1000);
    const qint64 afterOneSecond = session.reader->size();
    QVERIFY(session.finished.wait(5000));
    const qint64 totalMs = clock.elapsed();
    qInfo("%lld bytes after 1 s (expected %lld), all %lld in %lld ms", afterOneSecond, perSecond,
          2 * perSecond, totalMs);
    QVERIFY(afterOneSecond >= perSecond * 5 / 8 && afterOneSecond <= perSecond * 5 / 4);
    QVERIFY(totalMs >= 1800 && totalMs <= 2600);
    QTRY_COMPARE_WITH_TIMEOUT(session.reader->data(), session.simulator.payload(), 2000);
}

void TestTesterSimulator::pausesMidTransfer()
{
    // 9600 bytes/s in 10 ms slices: the only silence longer than a read
    // period is the pause, and nothing is lost over it.
    TesterSimulator::Options options = atRate(96000, 5000);
    options.pauseAt = 2000;
    options.pauseMs = 300;
    Session session(options);
    QVERIFY2(session.reader, qPrintable(session.simulator.errorString()));
    QVERIFY(session.reader->write(remoteCommand + dataCommand));
    QVERIFY(session.finished.wait(5000));
    QTRY_COMPARE_WITH_TIMEOUT(session.reader->size(), options.size, 2000);
    const QPair<qint64, qint64> gap = session.reader->longestGap();
    QVERIFY2(gap.first >= 250, qPrintable(QString::number(gap.first)));
    QCOMPARE(gap.second, options.pauseAt);
    QCOMPARE(session.reader->data(), session.simulator.payload());
}

void TestTesterSimulator::hangsUpMidTransfer()
{
    QTemporaryDir folder;
    TesterSimulator::Options options = atRate(0, 1000000);
    options.hangUpAt = 100000;
    options.linkPath = folder.filePath(QStringLiteral("tester"));
    Session session(options);
    QVERIFY2(session.reader, qPrintable(session.simulator.errorString()));
    const QString port = session.simulator.portPath();
    QCOMPARE(QFile::symLinkTarget(options.linkPath), port);
    QVERIFY(session.reader->write(remoteCommand + dataCommand));
    QVERIFY(session.hungUp.wait(5000));
    QTRY_VERIFY_WITH_TIMEOUT(session.reader->hungUp, 2000);

    // Like an unplugged adapter: the device node and its link are gone. The
    // reader got the transfer up to the hang-up, unaltered.
    QCOMPARE(session.finished.size(), 0);
    QVERIFY(!session.simulator.isRunning());
    QVERIFY(!QFileInfo::exists(port));
    QVERIFY(!QFileInfo(options.linkPath).isSymLink());
    QCOMPARE(session.reader->data(), session.simulator.payload().left(options.hangUpAt));
}

void TestTesterSimulator::sendsNoise_data()
{
    QTest::addColumn<TesterSimulator::Noise>("noise");

    QTest::newRow("mixed into the text") << TesterSimulator::Noise::Mixed;
    QTest::newRow("nothing but noise") << TesterSimulator::Noise::Only;
}

void TestTesterSimulator::sendsNoise()
{
    QFETCH(TesterSimulator::Noise, noise);

    TesterSimulator::Options options = atRate(0);
    options.noise = noise;
    Session session(options);
    QVERIFY2(session.reader, qPrintable(session.simulator.errorString()));
    QVERIFY(session.reader->write(remoteCommand + dataCommand));
    QVERIFY(session.finished.wait(5000));

    const QByteArray payload = session.simulator.payload();
    const QByteArray text = shippedResults();
    QCOMPARE(payload.size(), text.size());
    qsizetype unchanged = 0;
    for (qsizetype i = 0; i < payload.size(); ++i)
        unchanged += payload[i] == text[i];
    if (noise == TesterSimulator::Noise::Mixed) {
        // Every 512-byte block carries one burst framed by 0x00 and 0xFF.
        QVERIFY(payload.count('\0') >= payload.size() / 512);
        QVERIFY(payload.count('\xff') >= payload.size() / 512);
        QVERIFY(unchanged > payload.size() * 9 / 10 && unchanged < payload.size());
    } else {
        for (int value = 0; value < 256; ++value)
            QVERIFY2(payload.contains(char(value)), qPrintable(QString::number(value)));
        QVERIFY(unchanged < payload.size() / 20);
    }
    // Raw on both ends: no byte eaten or translated (XON, XOFF, CR, 0xFF).
    QTRY_COMPARE_WITH_TIMEOUT(session.reader->data(), payload, 2000);
}

void TestTesterSimulator::repeatsRecordsToSize()
{
    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("results.csv")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("Id,V\r\n1,612.4\r\n2,9.87\r\n");
    file.close();

    // The header once, then the records over and over, cut at the size.
    for (qint64 size : {0, 5, 6, 22, 40, 100000}) {
        TesterSimulator::Options options = atRate(0, size);
        options.filePath = file.fileName();
        Session session(options);
        QVERIFY2(session.reader, qPrintable(session.simulator.errorString()));
        QByteArray expected = "Id,V\r\n";
        while (expected.size() < size)
            expected += "1,612.4\r\n2,9.87\r\n";
        expected.truncate(size);
        QCOMPARE(session.simulator.payload(), expected);
    }
}

void TestTesterSimulator::transfersTenMegabytesUnpaced()
{
    Session session(atRate(0, 10 * 1000 * 1000));
    QVERIFY2(session.reader, qPrintable(session.simulator.errorString()));
    QElapsedTimer clock;
    clock.start();
    QVERIFY(session.reader->write(remoteCommand + dataCommand));
    // Waits in a real event loop: QTRY sleeps between its passes and would
    // measure itself.
    QVERIFY(session.finished.wait(120000));
    QTRY_COMPARE_WITH_TIMEOUT(session.reader->size(), qint64(10 * 1000 * 1000), 10000);
    qInfo("10 MB unpaced in %lld ms", clock.elapsed());
    const QByteArray payload = session.simulator.payload();
    QVERIFY(payload.startsWith(shippedResults()));
    QVERIFY(session.reader->data() == payload);
}

void TestTesterSimulator::goesOnWhenTheReaderLeaves()
{
    // The reader leaves mid-transfer. Like a tester on a line without flow
    // control, the simulator sends on into the void and ends on time, and
    // the port stays up for the next session.
    Session session(atRate(1000000, 200000));
    QVERIFY2(session.reader, qPrintable(session.simulator.errorString()));
    QVERIFY(session.reader->write(remoteCommand + dataCommand));
    QVERIFY(session.started.wait(2000));
    QElapsedTimer clock;
    clock.start();
    QTRY_VERIFY_WITH_TIMEOUT(session.reader->size() > 10000, 5000);
    session.reader.reset();
    QVERIFY(session.finished.wait(5000));
    QVERIFY2(clock.elapsed() <= 3000, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(session.simulator.bytesLost() > 0);

    SlaveReader next(session.simulator.portPath());
    QVERIFY(next.write(remoteCommand + dataCommand));
    QVERIFY(session.finished.wait(5000));
    QTRY_COMPARE_WITH_TIMEOUT(next.size(), qint64(200000), 5000);
    QCOMPARE(next.data(), session.simulator.payload());
    QCOMPARE(session.simulator.bytesLost(), 0);
    QCOMPARE(session.hungUp.size(), 0);
}

void TestTesterSimulator::refusesToStart_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("link");

    QTest::newRow("missing results file") << QStringLiteral("missing.csv") << QString();
    QTest::newRow("link over a regular file") << QString() << QStringLiteral("taken");
}

void TestTesterSimulator::refusesToStart()
{
    QFETCH(QString, file);
    QFETCH(QString, link);

    QTemporaryDir folder;
    QFile taken(folder.filePath(QStringLiteral("taken")));
    QVERIFY(taken.open(QIODevice::WriteOnly));
    taken.close();
    TesterSimulator::Options options;
    options.filePath = file.isEmpty() ? QString() : folder.filePath(file);
    options.linkPath = link.isEmpty() ? QString() : folder.filePath(link);
    Session session(options);
    QVERIFY(!session.reader);
    QVERIFY2(session.simulator.errorString().contains(file + link),
             qPrintable(session.simulator.errorString()));
    QVERIFY(!session.simulator.isRunning());
    QVERIFY(QFileInfo(taken).isFile() && !QFileInfo(taken).isSymLink());
}

DATALOGGER_TEST_MAIN(TestTesterSimulator)
#include "tst_testersimulator.moc"
