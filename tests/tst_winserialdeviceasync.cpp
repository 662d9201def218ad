#include "ptypair.h"
#include "serialsettings.h"
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

// The tester's line: 9600 8N1, no flow control, DTR and RTS on.
Kv::SerialSettings *testerSettings()
{
    auto *settings = new Kv::SerialSettings;
    settings->setBaudRate(9600);
    settings->setByteSize(8);
    settings->setStopBits(ONESTOPBIT);
    settings->setBinary(1);
    settings->setParityCheck(0);
    settings->setParity(NOPARITY);
    settings->setOutxDsrFlow(0);
    settings->setDsrSensitivity(0);
    settings->setDtrControl(DTR_CONTROL_ENABLE);
    settings->setOutxCtsFlow(0);
    settings->setRtsControl(RTS_CONTROL_ENABLE);
    settings->setOutX(0);
    settings->setInX(0);
    return settings;
}

QByteArray randomBytes(qsizetype size, quint32 seed)
{
    QByteArray data(size, Qt::Uninitialized);
    QRandomGenerator generator(seed);
    generator.fillRange(reinterpret_cast<quint32 *>(data.data()), size / 4);
    return data;
}

double processCpuSeconds()
{
    timespec now;
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec + now.tv_nsec / 1e9;
}

// How many bytes the line takes while the far end does not read.
DWORD lineCapacity()
{
    PtyPair pty;
    const HANDLE handle = CreateFileW(pty.slavePath.toStdWString().c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    COMMTIMEOUTS timeouts = {MAXDWORD, 0, 0, 0, 100};
    SetCommTimeouts(handle, &timeouts);
    const QByteArray data(1 << 20, 'c');
    DWORD written = 0;
    WriteFile(handle, data.constData(), DWORD(data.size()), &written, nullptr);
    CloseHandle(handle);
    return written;
}

bool portIsFree(const QString &path)
{
    Kv::WinSerialDevice probe(path);
    const bool opened = probe.openPort(QIODevice::ReadWrite, 50, 50);
    probe.close();
    return opened;
}

} // namespace

class TestWinSerialDeviceAsync : public QObject
{
    Q_OBJECT

private slots:
    void openAndCloseTwice();
    void silentLineTimesOutEveryPeriod();
    void signalsInMainThreadInOrder();
    void partialReads();
    void waitForReadyRead();
    void closeIsQuickOnSilentLine();
    void closeRightAfterOpen();
    void reopenStartsEmpty();
    void roundTripOfMegabytes();
    void earlyEndedWriteSendsEachByteOnce();
    void vanishedPortKeepsPace();
};

void TestWinSerialDeviceAsync::openAndCloseTwice()
{
    PtyPair pty;
    QVERIFY(pty.isValid());
    WinSerialDeviceAsync device(nullptr, pty.slavePath);
    QSignalSpy aboutToClose(&device, &QIODevice::aboutToClose);
    device.close();
    QCOMPARE(aboutToClose.count(), 0);

    device.setSettings(testerSettings());
    QVERIFY(device.open(QIODevice::ReadWrite));
    QVERIFY(device.isOpen());
    QVERIFY(!device.open(QIODevice::ReadWrite));
    QVERIFY(device.isOpen());
    device.close();
    QCOMPARE(aboutToClose.count(), 1);
    QVERIFY(!device.isOpen());
    device.close();
    QCOMPARE(aboutToClose.count(), 1);

    WinSerialDeviceAsync missing(nullptr, QStringLiteral("/dev/ttyNoSuchPort7"));
    StderrCapture capture;
    QVERIFY(!missing.open(QIODevice::ReadWrite));
    QVERIFY(!missing.isOpen());
    QCOMPARE(capture.text(), QByteArray("Win32SerialDevice::open failed with error: 2"));
}

void TestWinSerialDeviceAsync::silentLineTimesOutEveryPeriod()
{
    PtyPair pty;
    QVERIFY(pty.isValid());
    WinSerialDeviceAsync device(nullptr, pty.slavePath);
    QSignalSpy timeOuts(&device, &WinSerialDeviceAsync::readTimeOut);
    QVERIFY(timeOuts.isValid());
    QElapsedTimer timer;
    timer.start();
    QVERIFY(device.open(QIODevice::ReadWrite));
    QVERIFY(timeOuts.wait(1000));
    QVERIFY2(timer.elapsed() >= 40 && timer.elapsed() < 400, QByteArray::number(timer.elapsed()));
    timeOuts.clear();
    QTest::qWait(1000);
    // About one every 50 ms; generous for a loaded machine.
    QVERIFY2(timeOuts.count() >= 4 && timeOuts.count() <= 25, QByteArray::number(timeOuts.count()));
}

void TestWinSerialDeviceAsync::signalsInMainThreadInOrder()
{
    PtyPair pty;
    QVERIFY(pty.isValid());
    WinSerialDeviceAsync device(nullptr, pty.slavePath);
    QStringList events;
    bool allInMainThread = true;
    auto record = [&](const QString &event) {
        allInMainThread = allInMainThread && QThread::currentThread() == thread();
        if (events.isEmpty() || events.last() != event)
            events << event;
    };
    connect(&device, &WinSerialDeviceAsync::bytesWritten, this,
            [&](qint64 bytes) { record(QStringLiteral("bytesWritten %1").arg(bytes)); });
    connect(&device, &WinSerialDeviceAsync::readyRead, this, [&] { record(QStringLiteral("readyRead")); });
    connect(&device, &WinSerialDeviceAsync::readTimeOut, this, [&] {
        if (!events.isEmpty()) // the silent passes before the command are not of interest
            record(QStringLiteral("readTimeOut"));
    });
    QVERIFY(device.open(QIODevice::ReadWrite));
    QCOMPARE(device.write("SYST:REM\r\n"), qint64(0));
    QCOMPARE(pty.read(10), QByteArray("SYST:REM\r\n"));
    QVERIFY(pty.write("reply\r\n"));
    QTRY_VERIFY_WITH_TIMEOUT(events.contains(QStringLiteral("readTimeOut")), 5000);
    QCOMPARE(events, QStringList({"bytesWritten 10", "readyRead", "readTimeOut"}));
    QVERIFY(allInMainThread);
    QCOMPARE(device.readAll(), QByteArray("reply\r\n"));
}

void TestWinSerialDeviceAsync::partialReads()
{
    PtyPair pty;
    QVERIFY(pty.isValid());
    WinSerialDeviceAsync device(nullptr, pty.slavePath);
    QVERIFY(device.open(QIODevice::ReadWrite));
    QVERIFY(device.atEnd());
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
    QVERIFY(pty.isValid());
    WinSerialDeviceAsync device(nullptr, pty.slavePath);
    QVERIFY(device.waitForReadyRead(1000));
    QVERIFY(device.waitForBytesWritten(1000));
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

void TestWinSerialDeviceAsync::closeIsQuickOnSilentLine()
{
    PtyPair pty;
    QVERIFY(pty.isValid());
    WinSerialDeviceAsync device(nullptr, pty.slavePath);
    QVERIFY(device.open(QIODevice::ReadWrite));
    QTest::qWait(120);
    QElapsedTimer timer;
    timer.start();
    device.close();
    QVERIFY2(timer.elapsed() < 400, QByteArray::number(timer.elapsed()));
    QVERIFY(portIsFree(pty.slavePath));
}

// close() straight after open(), before the worker thread has got going, must
// not be lost (it would wait forever).
void TestWinSerialDeviceAsync::closeRightAfterOpen()
{
    PtyPair pty;
    QVERIFY(pty.isValid());
    WinSerialDeviceAsync device(nullptr, pty.slavePath);
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < 50; ++i) {
        QVERIFY(device.open(QIODevice::ReadWrite));
        device.close();
    }
    QVERIFY2(timer.elapsed() < 20000, QByteArray::number(timer.elapsed()));
    QVERIFY(portIsFree(pty.slavePath));
}

void TestWinSerialDeviceAsync::reopenStartsEmpty()
{
    PtyPair pty;
    QVERIFY(pty.isValid());
    WinSerialDeviceAsync device(nullptr, pty.slavePath);
    device.setSettings(testerSettings());
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

// Several MB of random bytes each way at once: every byte exactly once, in order.
void TestWinSerialDeviceAsync::roundTripOfMegabytes()
{
    PtyPair pty;
    QVERIFY(pty.isValid());
    const QByteArray toDevice = randomBytes(3 << 20, 1);
    const QByteArray fromDevice = randomBytes(3 << 20, 2);

    WinSerialDeviceAsync device(nullptr, pty.slavePath);
    device.setSettings(testerSettings());
    QByteArray received;
    qint64 written = 0;
    connect(&device, &QIODevice::readyRead, this, [&] { received += device.readAll(); });
    connect(&device, &QIODevice::bytesWritten, this, [&](qint64 bytes) { written += bytes; });
    QVERIFY(device.open(QIODevice::ReadWrite));

    // The far end sends and receives at the same time, on its own thread.
    QByteArray atMaster;
    std::atomic<bool> masterDone{false};
    std::thread far([&] {
        qsizetype sent = 0;
        QElapsedTimer timer;
        timer.start();
        char buffer[65536];
        while ((sent < toDevice.size() || atMaster.size() < fromDevice.size()) && !timer.hasExpired(60000)) {
            pollfd request = {pty.master, short(POLLIN | (sent < toDevice.size() ? POLLOUT : 0)), 0};
            if (::poll(&request, 1, 10) <= 0)
                continue;
            if (request.revents & POLLIN) {
                const ssize_t n = ::read(pty.master, buffer, sizeof buffer);
                if (n > 0)
                    atMaster.append(buffer, n);
            }
            if ((request.revents & POLLOUT) && sent < toDevice.size()) {
                const ssize_t n = ::write(pty.master, toDevice.constData() + sent,
                                          qMin<qsizetype>(toDevice.size() - sent, 4096));
                if (n > 0)
                    sent += n;
            }
        }
        masterDone = true;
    });

    // Queue in uneven pieces while the worker is busy sending.
    qsizetype queued = 0;
    for (qsizetype piece = 1; queued < fromDevice.size(); piece = piece * 3 + 17) {
        const qsizetype size = qMin(piece % 300000 + 1, fromDevice.size() - queued);
        device.write(fromDevice.constData() + queued, size);
        queued += size;
        QCoreApplication::processEvents();
    }
    QTRY_VERIFY_WITH_TIMEOUT(masterDone && received.size() >= toDevice.size(), 90000);
    far.join();
    QTest::qWait(100);
    received += device.readAll();
    QCOMPARE(received.size(), toDevice.size());
    QVERIFY(received == toDevice);
    QCOMPARE(atMaster.size(), fromDevice.size());
    QVERIFY(atMaster == fromDevice);
    QTRY_COMPARE_WITH_TIMEOUT(written, qint64(fromDevice.size()), 5000);
}

// A write that is cut short by close() leaves only the unsent rest queued; the
// next open sends that rest, and no byte goes out twice.
void TestWinSerialDeviceAsync::earlyEndedWriteSendsEachByteOnce()
{
    PtyPair pty;
    QVERIFY(pty.isValid());
    WinSerialDeviceAsync device(nullptr, pty.slavePath);
    qint64 written = 0;
    connect(&device, &QIODevice::bytesWritten, this, [&](qint64 bytes) { written += bytes; });
    QVERIFY(device.open(QIODevice::ReadWrite));

    // Nearly fill the line while the far end does not read, so that the next
    // write gets only part of its bytes out before its time-out.
    const DWORD capacity = lineCapacity();
    QVERIFY(capacity > 6000);
    const QByteArray filler(capacity - 3000, 'f');
    device.write(filler);
    QTRY_COMPARE_WITH_TIMEOUT(written, qint64(filler.size()), 5000);
    const QByteArray payload = randomBytes(6000, 3);
    device.write(payload);
    QTest::qWait(200);
    device.close(); // waits for the write's time-out, about 6 s

    const QByteArray first = pty.readAvailable();
    QVERIFY(first.startsWith(filler));
    const qsizetype partial = first.size() - filler.size();
    QVERIFY2(partial > 0 && partial < payload.size(), QByteArray::number(partial));

    QVERIFY(device.open(QIODevice::ReadWrite));
    QTRY_COMPARE_WITH_TIMEOUT(written, qint64(filler.size() + payload.size()), 10000);
    const QByteArray rest = pty.readAvailable();
    QCOMPARE((first + rest).size(), filler.size() + payload.size());
    QVERIFY(first + rest == filler + payload);
}

// The port vanishes while open: every read fails at once, yet the worker keeps
// the pace of the read period, reports the failure once and closes promptly.
void TestWinSerialDeviceAsync::vanishedPortKeepsPace()
{
    PtyPair pty;
    QVERIFY(pty.isValid());
    WinSerialDeviceAsync device(nullptr, pty.slavePath);
    QSignalSpy timeOuts(&device, &WinSerialDeviceAsync::readTimeOut);
    QVERIFY(device.open(QIODevice::ReadWrite));
    device.write("queued");
    QTest::qWait(100);
    pty.closeMaster();
    device.write("after hang-up");

    QByteArray errors;
    double cpu = 0;
    {
        StderrCapture capture;
        QTest::qWait(50);
        timeOuts.clear();
        const double cpuBefore = processCpuSeconds();
        QTest::qWait(1000);
        cpu = processCpuSeconds() - cpuBefore;
        errors = capture.text();
    }
    QVERIFY2(timeOuts.count() >= 4 && timeOuts.count() <= 25, QByteArray::number(timeOuts.count()));
    QVERIFY2(cpu < 0.3, QByteArray::number(cpu));
    QVERIFY2(errors.count("Win32SerialDevice::readData failed with error: 22") <= 1, errors);
    QVERIFY2(errors.count("Win32SerialDevice::writeData failed with error: 22") <= 1, errors);

    QElapsedTimer timer;
    timer.start();
    device.close();
    QVERIFY2(timer.elapsed() < 400, QByteArray::number(timer.elapsed()));
}

DATALOGGER_TEST_MAIN(TestWinSerialDeviceAsync)
#include "tst_winserialdeviceasync.moc"
