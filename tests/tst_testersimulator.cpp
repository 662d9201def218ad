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

// At rate bit/s (0: unpaced), size bytes (-1: the results as they are).
TesterSimulator::Options with(qint64 rate, qint64 size = -1,
                              TesterSimulator::Noise noise = TesterSimulator::Noise::None)
{
    TesterSimulator::Options options;
    options.bitsPerSecond = rate;
    options.size = size;
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
        while ((got = ::read(fd, buffer, sizeof buffer)) > 0)
            bytes.append(buffer, got);
        // A hung-up line reads as its end or fails.
        notifier->setEnabled(got < 0 && errno == EAGAIN);
    }

    TesterSimulator simulator;
    QSignalSpy started{&simulator, &TesterSimulator::transferStarted};
    QSignalSpy finished{&simulator, &TesterSimulator::transferFinished};
    QSignalSpy hungUp{&simulator, &TesterSimulator::hungUp};
    int fd = -1;
    std::unique_ptr<QSocketNotifier> notifier;
    QByteArray bytes;
};

} // namespace

Q_DECLARE_METATYPE(TesterSimulator::Options)

class TestTesterSimulator : public QObject
{
    Q_OBJECT

private slots:
    void transfers_data();
    void transfers();
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
    QTest::newRow("noise in the text") << with(0, -1, TesterSimulator::Noise::Mixed) << both;
    QTest::newRow("only noise") << with(0, -1, TesterSimulator::Noise::Only) << both;
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
    QVERIFY(!session.finished.isEmpty() || session.finished.wait(60000));
    const qint64 elapsed = clock.elapsed();
    const QByteArray payload = session.simulator.payload();
    QTRY_COMPARE_WITH_TIMEOUT(session.bytes, payload, 10000);
    QVERIFY(session.hungUp.isEmpty());
    QVERIFY2(options.bitsPerSecond == 0 ||
                 (halfway >= options.size * 5 / 16 && halfway <= options.size * 5 / 8 && elapsed >= 900 &&
                  elapsed <= 1300),
             qPrintable(QStringLiteral("%1 bytes halfway, all in %2 ms").arg(halfway).arg(elapsed)));

    // Noise: bursts framed by 0x00 and 0xFF in every 512-byte block, over the
    // text (which keeps most of its line ends) or instead of it.
    const QByteArray text = shippedResults(options.size);
    const qsizetype framed = options.noise == TesterSimulator::Noise::None ? 0 : text.size() / 512;
    QCOMPARE(payload.size(), text.size());
    QCOMPARE(payload == text, framed == 0);
    QCOMPARE(payload.count("\r\n") >= text.count("\r\n") * 9 / 10,
             options.noise != TesterSimulator::Noise::Only);
    QVERIFY(payload.count('\0') >= framed && payload.count('\xff') >= framed);

    // The port stays up and serves the next request.
    session.close();
    session.open();
    QVERIFY(session.write(remoteCommand + dataCommand));
    QVERIFY(session.finished.wait(60000));
    QTRY_COMPARE_WITH_TIMEOUT(session.bytes, payload, 10000);
}

DATALOGGER_TEST_MAIN(TestTesterSimulator)
#include "tst_testersimulator.moc"
