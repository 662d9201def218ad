#include "testersimulator.h"
#include "testsupport.h"

#include <QElapsedTimer>
#include <QMutex>
#include <QSignalSpy>

#include <atomic>
#include <cerrno>
#include <fcntl.h>
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

// The program's end of the line, opened like its serial device opens a
// port: raw, input purged, then read in a thread of its own with a short poll.
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
        attributes.c_cc[VMIN] = 0;
        attributes.c_cc[VTIME] = 0;
        ::tcsetattr(fd, TCSANOW, &attributes);
        ::tcflush(fd, TCIFLUSH);
        clock.start();
        thread = std::thread([this] { run(); });
    }
    ~SlaveReader()
    {
        close();
    }

    bool isOpen() const
    {
        return thread.joinable();
    }
    void write(const QByteArray &bytes)
    {
        QCOMPARE(::write(fd, bytes.constData(), bytes.size()), bytes.size());
    }
    void close()
    {
        stopping = true;
        if (thread.joinable())
            thread.join();
        if (fd >= 0)
            ::close(fd);
        fd = -1;
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
    bool hungUp() const
    {
        return hangUpSeen;
    }
    qint64 elapsedMs() const
    {
        return clock.elapsed();
    }
    // The longest silence between two reads that got bytes, and how many
    // bytes had arrived when it began.
    QPair<qint64, qint64> longestGap() const
    {
        QMutexLocker locker(&mutex);
        QPair<qint64, qint64> gap{0, 0};
        for (qsizetype i = 1; i < reads.size(); ++i) {
            if (reads[i].first - reads[i - 1].first > gap.first)
                gap = {reads[i].first - reads[i - 1].first, reads[i - 1].second};
        }
        return gap;
    }

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
                hangUpSeen = true;
                return;
            }
            ssize_t got;
            while ((got = ::read(fd, buffer, sizeof buffer)) > 0) {
                QMutexLocker locker(&mutex);
                bytes.append(buffer, got);
                reads.append({clock.elapsed(), bytes.size()});
            }
        }
    }

    int fd;
    QElapsedTimer clock;
    std::thread thread;
    std::atomic<bool> stopping{false};
    std::atomic<bool> hangUpSeen{false};
    mutable QMutex mutex;
    QByteArray bytes;
    QList<QPair<qint64, qint64>> reads;
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
    void servesNextSessionAfterReaderLeaves();
    void refusesToStart_data();
    void refusesToStart();

private:
    TesterSimulator::Options unpaced() const
    {
        TesterSimulator::Options options;
        options.bitsPerSecond = 0;
        return options;
    }
};

void TestTesterSimulator::sendsResultsOnRequest_data()
{
    QTest::addColumn<QList<QByteArray>>("writes");
    QTest::addColumn<int>("delayMs");

    QTest::newRow("both commands in one write") << QList<QByteArray>{remoteCommand + dataCommand} << 0;
    QTest::newRow("one command a write, user takes 300 ms")
        << QList<QByteArray>{remoteCommand, dataCommand} << 300;
    QList<QByteArray> single;
    for (char byte : remoteCommand + dataCommand)
        single.append(QByteArray(1, byte));
    QTest::newRow("byte by byte") << single << 0;
    QTest::newRow("split inside the line ends")
        << QList<QByteArray>{"SYST:REM\r", "\nMEM:DATA? AL", "L\r", "\n"} << 0;
}

void TestTesterSimulator::sendsResultsOnRequest()
{
    QFETCH(QList<QByteArray>, writes);
    QFETCH(int, delayMs);

    TesterSimulator simulator;
    TesterSimulator::Options options = unpaced();
    options.delayMs = delayMs;
    simulator.setOptions(options);
    QSignalSpy commands(&simulator, &TesterSimulator::commandReceived);
    QSignalSpy started(&simulator, &TesterSimulator::transferStarted);
    QSignalSpy finished(&simulator, &TesterSimulator::transferFinished);
    QVERIFY(commands.isValid() && started.isValid() && finished.isValid());
    QVERIFY2(simulator.start(), qPrintable(simulator.errorString()));

    SlaveReader reader(simulator.portPath());
    QVERIFY(reader.isOpen());
    for (const QByteArray &bytes : writes) {
        reader.write(bytes);
        QTest::qWait(2);
    }
    QElapsedTimer sinceRequest;
    sinceRequest.start();
    QTRY_COMPARE_WITH_TIMEOUT(started.size(), 1, 5000);
    QVERIFY2(sinceRequest.elapsed() >= delayMs - 20, "sent before the user started the transfer");
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 5000);
    QTRY_COMPARE_WITH_TIMEOUT(reader.size(), simulator.payloadSize(), 5000);

    QCOMPARE(commands.size(), 2);
    QCOMPARE(commands.at(0).at(0).toByteArray(), QByteArray("SYST:REM"));
    QCOMPARE(commands.at(1).at(0).toByteArray(), QByteArray("MEM:DATA? ALL"));
    QCOMPARE(simulator.receivedBytes(), remoteCommand + dataCommand);
    QCOMPARE(simulator.payload(), shippedResults());
    QCOMPARE(reader.data(), shippedResults());
    QCOMPARE(simulator.bytesSent(), simulator.payloadSize());
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

    TesterSimulator simulator;
    TesterSimulator::Options options = unpaced();
    options.neverAnswer = neverAnswer;
    simulator.setOptions(options);
    QSignalSpy started(&simulator, &TesterSimulator::transferStarted);
    QVERIFY2(simulator.start(), qPrintable(simulator.errorString()));
    SlaveReader reader(simulator.portPath());
    reader.write(commands);

    QTRY_COMPARE_WITH_TIMEOUT(simulator.receivedBytes(), commands, 2000);
    QTest::qWait(300);
    QCOMPARE(started.size(), 0);
    QCOMPARE(reader.size(), 0);
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

    // Two seconds' worth at 10 bits a byte: half of it after one second, all
    // of it after two, without drifting.
    TesterSimulator simulator;
    TesterSimulator::Options options;
    options.bitsPerSecond = bitsPerSecond;
    options.size = bitsPerSecond / 10 * 2;
    simulator.setOptions(options);
    QSignalSpy started(&simulator, &TesterSimulator::transferStarted);
    QSignalSpy finished(&simulator, &TesterSimulator::transferFinished);
    QVERIFY2(simulator.start(), qPrintable(simulator.errorString()));
    SlaveReader reader(simulator.portPath());
    reader.write(remoteCommand + dataCommand);
    QTRY_COMPARE_WITH_TIMEOUT(started.size(), 1, 2000);

    QElapsedTimer clock;
    clock.start();
    QTest::qWait(1000);
    const qint64 afterOneSecond = reader.size();
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 5000);
    const qint64 totalMs = clock.elapsed();
    qInfo("%lld bit/s: %lld bytes after 1 s (expected %lld), %lld bytes in %lld ms", bitsPerSecond,
          afterOneSecond, bitsPerSecond / 10, options.size, totalMs);
    QVERIFY2(afterOneSecond >= bitsPerSecond / 10 * 5 / 8 && afterOneSecond <= bitsPerSecond / 10 * 5 / 4,
             qPrintable(QString::number(afterOneSecond)));
    QVERIFY2(totalMs >= 1800 && totalMs <= 2600, qPrintable(QString::number(totalMs)));
    QTRY_COMPARE_WITH_TIMEOUT(reader.data(), simulator.payload(), 2000);
}

void TestTesterSimulator::pausesMidTransfer()
{
    // 9600 bytes/s in 10 ms slices: the only silence longer than a read
    // period is the pause, and nothing is lost over it.
    TesterSimulator simulator;
    TesterSimulator::Options options;
    options.bitsPerSecond = 96000;
    options.size = 5000;
    options.pauseAt = 2000;
    options.pauseMs = 300;
    simulator.setOptions(options);
    QSignalSpy finished(&simulator, &TesterSimulator::transferFinished);
    QVERIFY2(simulator.start(), qPrintable(simulator.errorString()));
    SlaveReader reader(simulator.portPath());
    reader.write(remoteCommand + dataCommand);

    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 5000);
    QTRY_COMPARE_WITH_TIMEOUT(reader.size(), options.size, 2000);
    const QPair<qint64, qint64> gap = reader.longestGap();
    QVERIFY2(gap.first >= 250, qPrintable(QString::number(gap.first)));
    QCOMPARE(gap.second, options.pauseAt);
    QCOMPARE(reader.data(), simulator.payload());
}

void TestTesterSimulator::hangsUpMidTransfer()
{
    QTemporaryDir folder;
    const QString link = folder.filePath(QStringLiteral("tester"));
    TesterSimulator simulator;
    TesterSimulator::Options options = unpaced();
    options.size = 1000000;
    options.hangUpAt = 100000;
    options.linkPath = link;
    simulator.setOptions(options);
    QSignalSpy hungUp(&simulator, &TesterSimulator::hungUp);
    QSignalSpy finished(&simulator, &TesterSimulator::transferFinished);
    QVERIFY2(simulator.start(), qPrintable(simulator.errorString()));
    const QString port = simulator.portPath();
    QCOMPARE(QFile::symLinkTarget(link), port);

    SlaveReader reader(link);
    reader.write(remoteCommand + dataCommand);
    QTRY_COMPARE_WITH_TIMEOUT(hungUp.size(), 1, 5000);
    QTRY_VERIFY_WITH_TIMEOUT(reader.hungUp(), 2000);

    QCOMPARE(finished.size(), 0);
    QCOMPARE(simulator.bytesSent(), options.hangUpAt);
    QVERIFY(!simulator.isRunning());
    // Like an unplugged adapter: the device node and its link are gone. The
    // reader got the start of the transfer up to the hang-up, unaltered.
    QVERIFY(!QFileInfo::exists(port));
    QVERIFY(!QFileInfo(link).isSymLink());
    QCOMPARE(reader.data(), simulator.payload().left(options.hangUpAt));
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

    TesterSimulator simulator;
    TesterSimulator::Options options = unpaced();
    options.noise = noise;
    simulator.setOptions(options);
    QSignalSpy finished(&simulator, &TesterSimulator::transferFinished);
    QVERIFY2(simulator.start(), qPrintable(simulator.errorString()));
    SlaveReader reader(simulator.portPath());
    reader.write(remoteCommand + dataCommand);
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 5000);

    const QByteArray payload = simulator.payload();
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
    // Raw on both ends: no byte is eaten or translated (XON, XOFF, CR, 0xFF).
    QTRY_COMPARE_WITH_TIMEOUT(reader.data(), payload, 2000);
}

void TestTesterSimulator::repeatsRecordsToSize()
{
    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("results.csv")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("Id,V\r\n1,612.4\r\n2,9.87\r\n");
    file.close();

    // The header once, then the records over and over, cut at the size.
    const QByteArray records = "1,612.4\r\n2,9.87\r\n";
    for (qint64 size : {0, 5, 6, 22, 40, 100000}) {
        TesterSimulator simulator;
        TesterSimulator::Options options;
        options.filePath = file.fileName();
        options.size = size;
        simulator.setOptions(options);
        QVERIFY2(simulator.start(), qPrintable(simulator.errorString()));
        QByteArray expected = "Id,V\r\n";
        while (expected.size() < size)
            expected += records;
        expected.truncate(size);
        QCOMPARE(simulator.payload(), expected);
    }
}

void TestTesterSimulator::transfersTenMegabytesUnpaced()
{
    TesterSimulator simulator;
    TesterSimulator::Options options = unpaced();
    options.size = 10 * 1000 * 1000;
    simulator.setOptions(options);
    QSignalSpy finished(&simulator, &TesterSimulator::transferFinished);
    QVERIFY2(simulator.start(), qPrintable(simulator.errorString()));
    SlaveReader reader(simulator.portPath());
    QElapsedTimer clock;
    clock.start();
    reader.write(remoteCommand + dataCommand);

    // A plain event loop: QTRY's polling sleeps between passes and would
    // measure itself.
    QEventLoop loop;
    connect(&simulator, &TesterSimulator::transferFinished, &loop, &QEventLoop::quit);
    QTimer::singleShot(120000, &loop, &QEventLoop::quit);
    loop.exec();
    QCOMPARE(finished.size(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(reader.size(), options.size, 10000);
    qInfo("10 MB unpaced in %lld ms", clock.elapsed());
    const QByteArray payload = simulator.payload();
    QVERIFY(payload.startsWith(shippedResults()));
    QVERIFY(reader.data() == payload);
}

void TestTesterSimulator::servesNextSessionAfterReaderLeaves()
{
    // The first reader leaves mid-transfer. Like a tester on a line without
    // flow control, the simulator sends on into the void and still ends on
    // time, and the port stays up for the next session.
    TesterSimulator simulator;
    TesterSimulator::Options options;
    options.bitsPerSecond = 1000000;
    options.size = 200000;
    simulator.setOptions(options);
    QSignalSpy started(&simulator, &TesterSimulator::transferStarted);
    QSignalSpy finished(&simulator, &TesterSimulator::transferFinished);
    QSignalSpy hungUp(&simulator, &TesterSimulator::hungUp);
    QVERIFY2(simulator.start(), qPrintable(simulator.errorString()));
    QElapsedTimer clock;
    {
        SlaveReader first(simulator.portPath());
        first.write(remoteCommand + dataCommand);
        QVERIFY(started.wait(2000));
        clock.start();
        QTRY_VERIFY_WITH_TIMEOUT(first.size() > 10000, 5000);
    }
    QVERIFY(finished.wait(5000));
    QVERIFY2(clock.elapsed() <= 3000, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(simulator.bytesLost() > 0);

    SlaveReader next(simulator.portPath());
    QVERIFY(next.isOpen());
    next.write(remoteCommand + dataCommand);
    QVERIFY(finished.wait(5000));
    QTRY_COMPARE_WITH_TIMEOUT(next.size(), options.size, 5000);
    QCOMPARE(next.data(), simulator.payload());
    QCOMPARE(simulator.bytesLost(), 0);
    QCOMPARE(started.size(), 2);
    QCOMPARE(hungUp.size(), 0);
}

void TestTesterSimulator::refusesToStart_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("mentioned");

    QTest::newRow("missing results file") << QStringLiteral("missing.csv") << QString() << "missing.csv";
    QTest::newRow("link over a regular file") << QString() << QStringLiteral("taken") << "taken";
}

void TestTesterSimulator::refusesToStart()
{
    QFETCH(QString, file);
    QFETCH(QString, link);
    QFETCH(QString, mentioned);

    QTemporaryDir folder;
    QFile taken(folder.filePath(QStringLiteral("taken")));
    QVERIFY(taken.open(QIODevice::WriteOnly));
    taken.close();

    TesterSimulator simulator;
    TesterSimulator::Options options;
    options.filePath = file.isEmpty() ? QString() : folder.filePath(file);
    options.linkPath = link.isEmpty() ? QString() : folder.filePath(link);
    simulator.setOptions(options);
    QVERIFY(!simulator.start());
    QVERIFY2(simulator.errorString().contains(mentioned), qPrintable(simulator.errorString()));
    QVERIFY(!simulator.isRunning());
    QVERIFY(QFileInfo(taken).isFile() && !QFileInfo(taken).isSymLink());
}

DATALOGGER_TEST_MAIN(TestTesterSimulator)
#include "tst_testersimulator.moc"
