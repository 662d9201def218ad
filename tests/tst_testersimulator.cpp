#include "testersimulator.h"
#include "testsupport.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QSocketNotifier>

#include <fcntl.h>
#include <memory>
#include <termios.h>
#include <unistd.h>

namespace {

const QByteArray remoteCommand = QByteArrayLiteral("SYST:REM\r\n");
const QByteArray dataCommand = QByteArrayLiteral("MEM:DATA? ALL\r\n");

// The built-in results; given a size, their header once, then their records
// over and over, cut at the size.
QByteArray shippedResults(qint64 size = -1)
{
    QFile file(QStringLiteral(DATALOGGER_SOURCE_DIR "/tools/testersimulator/data/results.csv"));
    const QByteArray text = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    const qsizetype header = text.indexOf('\n') + 1;
    const qsizetype records = std::max<qsizetype>(1, text.size() - header);
    return size < 0 ? text : (text.left(header) + text.mid(header).repeated(size / records + 1)).left(size);
}

// At rate bit/s (0: unpaced), size bytes (-1: the results as they are), a
// pause of 300 ms after pauseAt bytes, a hang-up after hangUpAt.
TesterSimulator::Options with(qint64 rate, qint64 size = -1, qint64 pauseAt = -1, qint64 hangUpAt = -1,
                              TesterSimulator::Noise noise = TesterSimulator::Noise::None)
{
    TesterSimulator::Options options;
    options.bitsPerSecond = rate;
    options.size = size;
    options.pauseAt = pauseAt;
    options.pauseMs = 300;
    options.hangUpAt = hangUpAt;
    options.noise = noise;
    return options;
}

// A started simulator with its signals recorded, and the program's end of
// the line, opened as its serial device opens a port (raw, input purged).
struct Session
{
    explicit Session(const TesterSimulator::Options &options)
    {
        simulator.setOptions(options);
        if (simulator.start())
            open();
    }
    ~Session()
    {
        close();
    }
    void open()
    {
        fd = ::open(QFile::encodeName(simulator.portPath()).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        termios attributes{};
        ::tcgetattr(fd, &attributes);
        ::cfmakeraw(&attributes);
        ::tcsetattr(fd, TCSANOW, &attributes);
        ::tcflush(fd, TCIFLUSH);
        bytes.clear();
        notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        QObject::connect(notifier.get(), &QSocketNotifier::activated, notifier.get(), [this] { read(); });
    }
    void close()
    {
        notifier.reset();
        ::close(std::exchange(fd, -1));
    }
    bool write(const QByteArray &data)
    {
        return fd >= 0 && ::write(fd, data.constData(), size_t(data.size())) == data.size();
    }
    void read()
    {
        char buffer[65536];
        ssize_t got;
        while ((got = ::read(fd, buffer, sizeof buffer)) > 0) {
            if (!bytes.isEmpty() && sinceLastRead.elapsed() > gap.first)
                gap = {sinceLastRead.elapsed(), bytes.size()};
            bytes.append(buffer, got);
            sinceLastRead.start();
        }
        // Raw (VMIN 1), a silent line would block; a hung-up one reads as its end or fails.
        lineHungUp = got == 0 || errno != EAGAIN;
        notifier->setEnabled(!lineHungUp);
    }

    TesterSimulator simulator;
    QSignalSpy started{&simulator, &TesterSimulator::transferStarted};
    QSignalSpy finished{&simulator, &TesterSimulator::transferFinished};
    QSignalSpy hungUp{&simulator, &TesterSimulator::hungUp};
    int fd = -1;
    std::unique_ptr<QSocketNotifier> notifier;
    QByteArray bytes;
    bool lineHungUp = false;
    QElapsedTimer sinceLastRead;
    QPair<qint64, qint64> gap{0, 0}; // the longest silence between reads, and the bytes before it
};

} // namespace

Q_DECLARE_METATYPE(TesterSimulator::Options)

class TestTesterSimulator : public QObject
{
    Q_OBJECT

private slots:
    void transfers_data();
    void transfers();
    void servesTheNextReader();
};

void TestTesterSimulator::transfers_data()
{
    QTest::addColumn<TesterSimulator::Options>("options");
    QTest::addColumn<QList<QByteArray>>("writes");

    const QList<QByteArray> both{remoteCommand + dataCommand};
    QList<QByteArray> bytes;
    for (char byte : remoteCommand + dataCommand)
        bytes.append(QByteArray(1, byte));
    TesterSimulator::Options delayed = with(0), deaf = with(0);
    delayed.delayMs = 300;
    deaf.neverAnswer = true;
    QTest::newRow("one write") << with(0) << both;
    QTest::newRow("byte by byte") << with(0) << bytes;
    QTest::newRow("a write each, the user takes 300 ms")
        << delayed << QList<QByteArray>{remoteCommand, dataCommand};
    QTest::newRow("no remote command") << with(0) << QList<QByteArray>{dataCommand};
    QTest::newRow("never answers") << deaf << both;
    QTest::newRow("cut in the header") << with(0, 5) << both;
    QTest::newRow("10 MB") << with(0, 10 * 1000 * 1000) << both;
    for (qint64 rate : {2400, 9600, 115200}) // a second's worth, timed
        QTest::addRow("%lld bit/s", rate) << with(rate, rate / 10) << both;
    // Paced, the only long silence is the pause; unpaced, the reader falls
    // behind, and the hang-up waits until it has read up to it.
    QTest::newRow("pause, paced") << with(96000, 5000, 2000) << both;
    QTest::newRow("hang-up") << with(0, 1000000, -1, 100000) << both;
    QTest::newRow("pause, then hang-up") << with(0, 1000000, 2000, 100000) << both;
    QTest::newRow("noise in the text") << with(0, -1, -1, -1, TesterSimulator::Noise::Mixed) << both;
    QTest::newRow("only noise") << with(0, -1, -1, -1, TesterSimulator::Noise::Only) << both;
}

void TestTesterSimulator::transfers()
{
    QFETCH(TesterSimulator::Options, options);
    QFETCH(QList<QByteArray>, writes);

    Session session(options);
    QVERIFY2(session.fd >= 0, qPrintable(session.simulator.errorString()));
    for (const QByteArray &bytes : writes) {
        QVERIFY(session.write(bytes));
        QTest::qWait(2);
    }
    QElapsedTimer clock;
    clock.start();
    QTRY_COMPARE_WITH_TIMEOUT(session.simulator.receivedBytes(), writes.join(), 2000);
    if (options.neverAnswer || !writes.join().startsWith(remoteCommand)) {
        QTest::qWait(300);
        QVERIFY(session.started.isEmpty() && session.bytes.isEmpty());
        return;
    }
    // Waits in event loops: QTRY_* sleeps between passes, slowing unpaced transfers.
    QVERIFY(!session.started.isEmpty() || session.started.wait(5000));
    QVERIFY2(clock.restart() >= options.delayMs - 20, "sent before the user started the transfer");
    qint64 halfway = -1;
    QTimer::singleShot(500, Qt::PreciseTimer, &session.simulator, [&] { halfway = session.bytes.size(); });
    const bool hangUp = options.hangUpAt >= 0;
    QSignalSpy &end = hangUp ? session.hungUp : session.finished;
    QVERIFY(!end.isEmpty() || end.wait(60000));
    const qint64 elapsed = clock.elapsed();
    const QByteArray payload = session.simulator.payload();
    QTRY_COMPARE_WITH_TIMEOUT(session.bytes, payload.left(hangUp ? options.hangUpAt : payload.size()), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(session.lineHungUp, hangUp, 2000);
    // Like an unplugged adapter, a hang-up takes the device node away.
    QCOMPARE(session.finished.isEmpty(), hangUp);
    QCOMPARE(QFileInfo::exists(session.simulator.portPath()), !hangUp);

    const bool timed = options.bitsPerSecond > 0 && options.pauseAt < 0; // a second's worth
    QVERIFY2(!timed || (halfway >= options.size * 5 / 16 && halfway <= options.size * 5 / 8 &&
                        elapsed >= 900 && elapsed <= 1300),
             qPrintable(QStringLiteral("%1 bytes halfway, all in %2 ms").arg(halfway).arg(elapsed)));
    QVERIFY2(
        options.pauseAt < 0 || (session.gap.first >= 250 && session.gap.second == options.pauseAt),
        qPrintable(QStringLiteral("%1 ms after %2 bytes").arg(session.gap.first).arg(session.gap.second)));

    // Noise: bursts framed by 0x00 and 0xFF in every 512-byte block, over the
    // text (which keeps most of its line ends) or instead of it.
    const QByteArray text = shippedResults(options.size);
    const qsizetype framed = options.noise == TesterSimulator::Noise::None ? 0 : text.size() / 512;
    QCOMPARE(payload.size(), text.size());
    QCOMPARE(payload == text, framed == 0);
    QCOMPARE(payload.count("\r\n") >= text.count("\r\n") * 9 / 10,
             options.noise != TesterSimulator::Noise::Only);
    QVERIFY(payload.count('\0') >= framed && payload.count('\xff') >= framed);
}

void TestTesterSimulator::servesTheNextReader()
{
    // The reader leaves mid-transfer: like a tester on a line without flow
    // control, the simulator sends on into the void and ends on time, and
    // the port stays up for the next request.
    Session session(with(1000000, 100000));
    QElapsedTimer clock;
    clock.start();
    QVERIFY(session.write(remoteCommand + dataCommand));
    QTRY_VERIFY_WITH_TIMEOUT(session.bytes.size() > 10000, 5000);
    session.close();
    QVERIFY(session.finished.wait(5000));
    QVERIFY2(clock.elapsed() <= 2000, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(session.simulator.bytesLost() > 0);

    session.open();
    QVERIFY(session.write(remoteCommand + dataCommand));
    QVERIFY(session.finished.wait(5000));
    QTRY_COMPARE_WITH_TIMEOUT(session.bytes, session.simulator.payload(), 5000);
    QVERIFY(session.simulator.bytesLost() == 0 && session.hungUp.isEmpty());
}

DATALOGGER_TEST_MAIN(TestTesterSimulator)
#include "tst_testersimulator.moc"
