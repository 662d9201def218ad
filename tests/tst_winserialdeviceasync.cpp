#include "ptypair.h"
#include "testsupport.h"
#include "winserialdevice.h"
#include "winserialdeviceasync.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <atomic>
#include <ctime>
#include <thread>

using Kv::WinSerialDeviceAsync;

namespace {

QByteArray randomBytes(qsizetype size, quint32 seed)
{
    QByteArray data(size, Qt::Uninitialized);
    QRandomGenerator(seed).fillRange(reinterpret_cast<quint32 *>(data.data()), size / 4);
    return data;
}

double processCpuSeconds()
{
    timespec now;
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec + now.tv_nsec / 1e9;
}

bool portIsFree(const QString &path)
{
    Kv::WinSerialDevice probe(path);
    return probe.openPort(QIODevice::ReadWrite, 50, 50);
}

} // namespace

class TestWinSerialDeviceAsync : public QObject
{
    Q_OBJECT

private slots:
    void openAndCloseOnlyOnce();
    void silentLineTimesOutAndClosesQuickly();
    void signalsInMainThreadInOrder();
    void partialReads();
    void waitForReadyRead();
    void closeRightAfterOpen();
    void reopenStartsEmpty();
    void roundTripOfMegabytes();
    void earlyEndedWriteSendsEachByteOnce();
    void vanishedPortKeepsPace();
};

void TestWinSerialDeviceAsync::openAndCloseOnlyOnce()
{
    PtyPair pty;
    WinSerialDeviceAsync device(nullptr, pty.slavePath);
    QSignalSpy aboutToClose(&device, &QIODevice::aboutToClose);
    device.close();
    QCOMPARE(aboutToClose.count(), 0);
    QVERIFY(device.open(QIODevice::ReadWrite));
    QVERIFY(!device.open(QIODevice::ReadWrite));
    QVERIFY(device.isOpen());
    device.close();
    device.close();
    QCOMPARE(aboutToClose.count(), 1);

    WinSerialDeviceAsync missing(nullptr, QStringLiteral("/dev/ttyNoSuchPort7"));
    QVERIFY(!missing.open(QIODevice::ReadWrite));
    QVERIFY(!missing.isOpen());
}

void TestWinSerialDeviceAsync::silentLineTimesOutAndClosesQuickly()
{
    PtyPair pty;
    WinSerialDeviceAsync device(nullptr, pty.slavePath);
    QSignalSpy timeOuts(&device, &WinSerialDeviceAsync::readTimeOut);
    QElapsedTimer timer;
    timer.start();
    QVERIFY(device.open(QIODevice::ReadWrite));
    QVERIFY(timeOuts.wait(1000));
    QVERIFY2(timer.elapsed() >= 40 && timer.elapsed() < 400, QByteArray::number(timer.elapsed()));
    timeOuts.clear();
    QTest::qWait(1000);
    // About one every 50 ms; the bounds are generous for a loaded machine.
    QVERIFY2(timeOuts.count() >= 4 && timeOuts.count() <= 25, QByteArray::number(timeOuts.count()));

    timer.restart();
    device.close();
    QVERIFY2(timer.elapsed() < 400, QByteArray::number(timer.elapsed()));
    QVERIFY(portIsFree(pty.slavePath));
}

void TestWinSerialDeviceAsync::signalsInMainThreadInOrder()
{
    PtyPair pty;
    WinSerialDeviceAsync device(nullptr, pty.slavePath);
    QStringList events;
    bool allInMainThread = true;
    auto record = [&](const QString &event) {
        allInMainThread = allInMainThread && QThread::currentThread() == thread();
        if (!events.isEmpty() || event != QLatin1String("readTimeOut")) // skip passes before the command
            events << event;
    };
    connect(&device, &QIODevice::bytesWritten, this,
            [&](qint64 n) { record(QStringLiteral("written %1").arg(n)); });
    connect(&device, &QIODevice::readyRead, this, [&] { record(QStringLiteral("readyRead")); });
    connect(&device, &WinSerialDeviceAsync::readTimeOut, this,
            [&] { record(QStringLiteral("readTimeOut")); });
    QVERIFY(device.open(QIODevice::ReadWrite));
    QCOMPARE(device.write("SYST:REM\r\n"), qint64(0));
    QCOMPARE(pty.read(10), QByteArray("SYST:REM\r\n"));
    QVERIFY(pty.write("reply\r\n"));
    QTRY_VERIFY_WITH_TIMEOUT(events.contains(QStringLiteral("readTimeOut")), 5000);
    QCOMPARE(events, QStringList({"written 10", "readyRead", "readTimeOut"}));
    QVERIFY(allInMainThread);
    QCOMPARE(device.readAll(), QByteArray("reply\r\n"));
}

void TestWinSerialDeviceAsync::partialReads()
{
    PtyPair pty;
    WinSerialDeviceAsync device(nullptr, pty.slavePath);
    QVERIFY(device.open(QIODevice::ReadWrite));
    QVERIFY(pty.write("ab\ncdefghi"));
    QTRY_COMPARE_WITH_TIMEOUT(device.bytesAvailable(), qint64(10), 5000);
    QVERIFY(device.canReadLine());
    QCOMPARE(device.read(3), QByteArray("ab\n"));
    QCOMPARE(device.bytesAvailable(), qint64(7));
    QVERIFY(!device.atEnd());
    QVERIFY(!device.canReadLine());
    QCOMPARE(device.readAll(), QByteArray("cdefghi"));
    QVERIFY(device.atEnd());
    QCOMPARE(device.read(5), QByteArray());
}

void TestWinSerialDeviceAsync::waitForReadyRead()
{
    PtyPair pty;
    WinSerialDeviceAsync device(nullptr, pty.slavePath);
    QVERIFY(device.waitForReadyRead(1000)); // closed: at once
    QVERIFY(device.open(QIODevice::ReadWrite));
    QElapsedTimer timer;
    timer.start();
    QVERIFY(!device.waitForReadyRead(300));
    QVERIFY(timer.elapsed() >= 290);

    std::thread far([&] {
        QThread::msleep(100);
        pty.write("late");
    });
    timer.restart();
    const bool arrived = device.waitForReadyRead(3000);
    const qint64 elapsed = timer.elapsed();
    far.join();
    QVERIFY(arrived);
    QVERIFY2(elapsed < 1000, QByteArray::number(elapsed));
    QCOMPARE(device.readAll(), QByteArray("late"));
}

// close() or destruction straight after open(), before the worker thread has
// got going, must not be lost (close would wait forever).
void TestWinSerialDeviceAsync::closeRightAfterOpen()
{
    PtyPair pty;
    WinSerialDeviceAsync device(nullptr, pty.slavePath);
    for (int i = 0; i < 50; ++i) {
        QVERIFY(device.open(QIODevice::ReadWrite));
        device.close();
    }
    for (int i = 0; i < 20; ++i) {
        WinSerialDeviceAsync shortLived(nullptr, pty.slavePath);
        QVERIFY(shortLived.open(QIODevice::ReadWrite));
        shortLived.write("x");
    }
    QVERIFY(portIsFree(pty.slavePath));
}

void TestWinSerialDeviceAsync::reopenStartsEmpty()
{
    PtyPair pty;
    WinSerialDeviceAsync device(nullptr, pty.slavePath);
    QVERIFY(device.open(QIODevice::ReadWrite));
    QVERIFY(pty.write("stale"));
    QTRY_COMPARE_WITH_TIMEOUT(device.bytesAvailable(), qint64(5), 5000);
    device.close();
    QVERIFY(device.open(QIODevice::ReadWrite));
    QCOMPARE(device.bytesAvailable(), qint64(0));
    QVERIFY(pty.write("fresh"));
    QTRY_COMPARE_WITH_TIMEOUT(device.bytesAvailable(), qint64(5), 5000);
    QCOMPARE(device.readAll(), QByteArray("fresh"));
}

// Megabytes of random bytes both ways at once: each byte exactly once, in order.
void TestWinSerialDeviceAsync::roundTripOfMegabytes()
{
    PtyPair pty;
    const QByteArray toDevice = randomBytes(3 << 20, 1);
    const QByteArray fromDevice = randomBytes(3 << 20, 2);
    WinSerialDeviceAsync device(nullptr, pty.slavePath);
    QByteArray received;
    qint64 written = 0;
    connect(&device, &QIODevice::readyRead, this, [&] { received += device.readAll(); });
    connect(&device, &QIODevice::bytesWritten, this, [&](qint64 bytes) { written += bytes; });
    QVERIFY(device.open(QIODevice::ReadWrite));

    QByteArray atFarEnd;
    std::atomic<bool> farEndDone{false};
    std::thread far([&] {
        qsizetype sent = 0;
        QElapsedTimer timer;
        timer.start();
        char buffer[65536];
        while ((sent < toDevice.size() || atFarEnd.size() < fromDevice.size()) && !timer.hasExpired(60000)) {
            pollfd request = {pty.master, short(POLLIN | (sent < toDevice.size() ? POLLOUT : 0)), 0};
            if (::poll(&request, 1, 10) <= 0)
                continue;
            if (request.revents & POLLIN)
                atFarEnd.append(buffer, qMax<ssize_t>(::read(pty.master, buffer, sizeof buffer), 0));
            if (request.revents & POLLOUT)
                sent += qMax<ssize_t>(::write(pty.master, toDevice.constData() + sent,
                                              qMin<qsizetype>(toDevice.size() - sent, 4096)),
                                      0);
        }
        farEndDone = true;
    });
    // Queued in uneven pieces while the worker is busy sending.
    for (qsizetype queued = 0, piece = 1; queued < fromDevice.size(); piece = piece * 3 + 17) {
        const qsizetype size = qMin(piece % 300000 + 1, fromDevice.size() - queued);
        device.write(fromDevice.constData() + queued, size);
        queued += size;
        QCoreApplication::processEvents();
    }
    QTRY_VERIFY_WITH_TIMEOUT(farEndDone && received.size() >= toDevice.size(), 90000);
    far.join();
    QVERIFY(received == toDevice);
    QVERIFY(atFarEnd == fromDevice);
    QTRY_COMPARE_WITH_TIMEOUT(written, qint64(fromDevice.size()), 5000);
}

// A write cut short by close() leaves only the unsent rest queued; the next
// open sends that rest, and no byte goes out twice.
void TestWinSerialDeviceAsync::earlyEndedWriteSendsEachByteOnce()
{
    PtyPair pty;
    WinSerialDeviceAsync device(nullptr, pty.slavePath);
    qint64 written = 0;
    connect(&device, &QIODevice::bytesWritten, this, [&](qint64 bytes) { written += bytes; });
    QVERIFY(device.open(QIODevice::ReadWrite));

    // The far end does not read: queue pieces until one no longer gets out
    // whole (a pty takes some 15 KB); the write then runs into its time-out.
    QByteArray sent;
    for (bool whole = true; whole && sent.size() < 100000;) {
        sent += randomBytes(1000, quint32(sent.size()));
        device.write(sent.constData() + sent.size() - 1000, 1000);
        whole = QTest::qWaitFor([&] { return written == sent.size(); }, 300);
    }
    device.close(); // the write in progress ends at its time-out, about 1 s
    const QByteArray first = pty.readAvailable();
    QVERIFY2(first.size() % 1000 != 0, "a piece should have gone out in part");

    QVERIFY(device.open(QIODevice::ReadWrite));
    QTRY_COMPARE_WITH_TIMEOUT(written, qint64(sent.size()), 10000);
    QVERIFY(first + pty.readAvailable() == sent);
}

// The port vanishes while open: every read fails at once, yet the worker keeps
// the pace of the read period, reports the failure once and closes promptly.
void TestWinSerialDeviceAsync::vanishedPortKeepsPace()
{
    PtyPair pty;
    WinSerialDeviceAsync device(nullptr, pty.slavePath);
    QSignalSpy timeOuts(&device, &WinSerialDeviceAsync::readTimeOut);
    QVERIFY(device.open(QIODevice::ReadWrite));
    QByteArray errors;
    double cpu = 0;
    {
        StderrCapture capture;
        pty.closeMaster();
        device.write("after hang-up");
        timeOuts.clear();
        const double cpuBefore = processCpuSeconds();
        QTest::qWait(1000);
        cpu = processCpuSeconds() - cpuBefore;
        errors = capture.text();
    }
    QVERIFY2(timeOuts.count() >= 4 && timeOuts.count() <= 25, QByteArray::number(timeOuts.count()));
    QVERIFY2(cpu < 0.3, QByteArray::number(cpu));
    QCOMPARE(errors.count("readData failed with error: 22"), 1);
    QCOMPARE(errors.count("writeData failed with error: 22"), 1);

    QElapsedTimer timer;
    timer.start();
    device.close();
    QVERIFY2(timer.elapsed() < 400, QByteArray::number(timer.elapsed()));
}

DATALOGGER_TEST_MAIN(TestWinSerialDeviceAsync)
#include "tst_winserialdeviceasync.moc"
