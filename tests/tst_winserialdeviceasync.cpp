#include "ptypair.h"
#include "testsupport.h"
#include "winserialdevice.h"
#include "winserialdeviceasync.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QThread>

#include <atomic>
#include <thread>

using Kv::WinSerialDeviceAsync;

namespace {

QByteArray randomBytes(qsizetype size, quint32 seed)
{
    QByteArray data(size, Qt::Uninitialized);
    QRandomGenerator(seed).fillRange(reinterpret_cast<quint32 *>(data.data()), size / 4);
    return data;
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

    // close() or destruction straight after open(), before the worker thread has
    // got going, must not be lost (close would wait forever).
    void openAndClose()
    {
        PtyPair pty;
        WinSerialDeviceAsync device(nullptr, pty.slavePath);
        QSignalSpy aboutToClose(&device, &QIODevice::aboutToClose);
        device.close();
        for (int i = 0; i < 50; ++i) {
            QVERIFY(device.open(QIODevice::ReadWrite));
            QVERIFY(!device.open(QIODevice::ReadWrite));
            QVERIFY(device.isOpen());
            device.close();
            device.close();
        }
        QCOMPARE(aboutToClose.count(), 50);
        for (int i = 0; i < 20; ++i) {
            WinSerialDeviceAsync shortLived(nullptr, pty.slavePath);
            QVERIFY(shortLived.open(QIODevice::ReadWrite));
            shortLived.write("x");
        }
        QVERIFY(portIsFree(pty.slavePath));
        WinSerialDeviceAsync missing(nullptr, QStringLiteral("/dev/ttyNoSuchPort7"));
        QVERIFY(!missing.open(QIODevice::ReadWrite));
        QVERIFY(!missing.isOpen());
    }

    void keepsPaceAndClosesQuickly_data()
    {
        QTest::addColumn<bool>("hangUp");
        QTest::newRow("silent line") << false;
        QTest::newRow("vanished port") << true;
    }

    // A read period passes every 50 ms, also once the port has vanished and every
    // read fails at once: no spinning, each failure reported once, close() prompt.
    void keepsPaceAndClosesQuickly()
    {
        QFETCH(bool, hangUp);
#ifdef _WIN32
        if (hangUp)
            QSKIP("Wine reads a closed pseudo-terminal as silence");
#endif
        PtyPair pty;
        WinSerialDeviceAsync device(nullptr, pty.slavePath);
        QSignalSpy timeOuts(&device, &WinSerialDeviceAsync::readTimeOut);
        bool timedOut = false;
        const qint64 first =
            msecsTaken([&] { timedOut = device.open(QIODevice::ReadWrite) && timeOuts.wait(1000); });
        QVERIFY(timedOut);
        QVERIFY2(first >= 40 && first < 400, QByteArray::number(first));
        double cpu = 0;
        const QByteArray errors = serialFailuresOf([&] {
            if (hangUp) {
                pty.closeMaster();
                device.write("after hang-up");
            }
            timeOuts.clear();
            const double cpuBefore = processCpuSeconds();
            QTest::qWait(1000);
            cpu = processCpuSeconds() - cpuBefore;
        });
        // About 20; the bounds are generous for a loaded machine.
        QVERIFY2(timeOuts.count() >= 4 && timeOuts.count() <= 25, QByteArray::number(timeOuts.count()));
        QVERIFY2(cpu < 0.3, QByteArray::number(cpu));
        QCOMPARE(errors.count("readData failed with error: 22"), int(hangUp));
        QCOMPARE(errors.count("writeData failed with error: 22"), int(hangUp));
        QCOMPARE(device.lineFailed(), hangUp);

        // close() ends the read pass in progress at once, not at the end of
        // its period, and a read it cancels is no failure. The best of three
        // closes right after a time-out, when a pass has just begun.
        qint64 fastest = 400;
        const QByteArray closeErrors = serialFailuresOf([&] {
            for (int i = 0; i < (hangUp ? 1 : 3); ++i) {
                if (i > 0)
                    QVERIFY(device.open(QIODevice::ReadWrite));
                QVERIFY(timeOuts.wait(1000));
                fastest = qMin(fastest, msecsTaken([&] { device.close(); }));
            }
        });
#ifdef _WIN32
        // Wine cannot cancel a read in progress (CancelSynchronousIo fails
        // with 1168): there close() waits for the pass to end.
        const qint64 bound = 400;
#else
        const qint64 bound = hangUp ? 400 : 25;
#endif
        QVERIFY2(fastest < bound, QByteArray::number(fastest));
        QCOMPARE(closeErrors.count("readData"), 0);
        QVERIFY(hangUp || portIsFree(pty.slavePath));
    }

    // Signals come in the main thread, in order; reads take from the buffer
    // piece by piece; a re-opened device starts empty.
    void signalsAndBufferedReads()
    {
        PtyPair pty;
        WinSerialDeviceAsync device(nullptr, pty.slavePath);
        QStringList events;
        bool allInMainThread = true;
        auto record = [&](const QString &event) {
            allInMainThread = allInMainThread && QThread::currentThread() == thread();
#ifdef _WIN32
            // Through tools/wine-pty-peer the data may come a pass after the command.
            const bool started = events.contains(QLatin1String("readyRead"));
#else
            const bool started = !events.isEmpty();
#endif
            if (started || event != QLatin1String("readTimeOut")) // skip passes before the command
                events << event;
        };
        connect(&device, &QIODevice::bytesWritten, this,
                [&](qint64 n) { record(QStringLiteral("written %1").arg(n)); });
        connect(&device, &QIODevice::readyRead, this, [&] { record(QStringLiteral("readyRead")); });
        connect(&device, &WinSerialDeviceAsync::readTimeOut, this,
                [&] { record(QStringLiteral("readTimeOut")); });
        QVERIFY(device.open(QIODevice::ReadWrite));
        QCOMPARE(device.write("SYST:REM\r\n"), qint64(0));
        QCOMPARE(pty.exchange({}, 10), QByteArray("SYST:REM\r\n"));
        pty.exchange("ab\ncdefghi");
        QTRY_VERIFY_WITH_TIMEOUT(events.contains(QStringLiteral("readTimeOut")), 5000);
        QCOMPARE(events, QStringList({"written 10", "readyRead", "readTimeOut"}));
        QVERIFY(allInMainThread);

        QCOMPARE(device.bytesAvailable(), qint64(10));
        QVERIFY(device.canReadLine());
        QCOMPARE(device.read(3), QByteArray("ab\n"));
        QCOMPARE(device.bytesAvailable(), qint64(7));
        QVERIFY(!device.atEnd());
        QVERIFY(!device.canReadLine());
        QCOMPARE(device.read(2), QByteArray("cd"));

        device.close();
        QVERIFY(device.open(QIODevice::ReadWrite));
        QCOMPARE(device.bytesAvailable(), qint64(0));
        pty.exchange("f"); // a single byte is taken as well
        QTRY_COMPARE_WITH_TIMEOUT(device.bytesAvailable(), qint64(1), 5000);
        device.write("?"); // what came before it is told apart from what came after
        QCOMPARE(pty.exchange({}, 1), QByteArray("?"));
        pty.exchange("gh");
        QTRY_COMPARE_WITH_TIMEOUT(device.bytesAvailable(), qint64(3), 5000);
        QCOMPARE(device.bytesAvailableBeforeWrite(), qint64(1));
        QCOMPARE(device.readAll(), QByteArray("fgh"));
        QVERIFY(device.atEnd());
        QCOMPARE(device.read(5), QByteArray());
    }

    void waitForReadyRead()
    {
        PtyPair pty;
        WinSerialDeviceAsync device(nullptr, pty.slavePath);
        QVERIFY(device.waitForReadyRead(1000)); // closed: at once
        QVERIFY(device.open(QIODevice::ReadWrite));
        bool arrived = true;
        const qint64 silent = msecsTaken([&] { arrived = device.waitForReadyRead(300); });
        QVERIFY(!arrived);
        QVERIFY2(silent >= 290, QByteArray::number(silent));

        std::thread farEnd([&] {
            QThread::msleep(100);
            pty.exchange("late");
        });
        const qint64 elapsed = msecsTaken([&] { arrived = device.waitForReadyRead(3000); });
        farEnd.join();
        QVERIFY(arrived);
        QVERIFY2(elapsed < 1000, QByteArray::number(elapsed));
        QCOMPARE(device.readAll(), QByteArray("late"));
    }

    // Megabytes of random bytes both ways at once: each byte exactly once, in order.
    void roundTripOfMegabytes()
    {
        PtyPair pty;
        const QByteArray toDevice = randomBytes(3 << 20, 1);
        const QByteArray fromDevice = randomBytes(3 << 20, 2);
        WinSerialDeviceAsync device(nullptr, pty.slavePath);
        QByteArray received, atFarEnd;
        qint64 written = 0;
        connect(&device, &QIODevice::readyRead, this, [&] { received += device.readAll(); });
        connect(&device, &QIODevice::bytesWritten, this, [&](qint64 bytes) { written += bytes; });
        QVERIFY(device.open(QIODevice::ReadWrite));

        std::atomic<bool> farEndDone{false};
        std::thread farEnd([&] {
            atFarEnd = pty.exchange(toDevice, fromDevice.size(), 60000);
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
        farEnd.join();
        QVERIFY(received == toDevice);
        QVERIFY(atFarEnd == fromDevice);
        QTRY_COMPARE_WITH_TIMEOUT(written, qint64(fromDevice.size()), 5000);
    }

    // A write cut short by close() leaves only the unsent rest queued; the next
    // open sends that rest, and no byte goes out twice.
    void earlyEndedWriteSendsEachByteOnce()
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
        device.close(); // ends the write in progress at once
        const QByteArray first = pty.exchange({}, sent.size(), 1000);
        QVERIFY2(first.size() % 1000 != 0, "a piece should have gone out in part");

        QVERIFY(device.open(QIODevice::ReadWrite));
        QTRY_COMPARE_WITH_TIMEOUT(written, qint64(sent.size()), 10000);
        QVERIFY(first + pty.exchange({}, sent.size(), 1000) == sent);
    }

    // Random transfers: random sizes, random write pieces, pauses shorter than
    // a read period (no readTimeOut() meanwhile), hang-ups at random points.
    // Every byte sent before the end arrives, once and in order.
    void soak()
    {
        const Soak soak(50);
        QRandomGenerator random(soak.seed);
        for (int round = 0; round < soak.rounds; ++round) {
            const QByteArray where = soak.where(round);
            PtyPair pty;
            const QByteArray data = randomBytes(random.bounded(200000), random.generate());
            const bool hangUp = random.bounded(3) == 0;
            const qsizetype end = hangUp ? random.bounded(data.size() + 1) : data.size();
            const quint32 writerSeed = random.generate();

            WinSerialDeviceAsync device(nullptr, pty.slavePath);
            QByteArray received;
            std::atomic<qsizetype> receivedSize{0};
            int timeOutsWhileSending = 0;
            std::atomic<bool> sending{true};
            connect(&device, &QIODevice::readyRead, this, [&] {
                received += device.readAll();
                receivedSize = received.size();
            });
            connect(&device, &WinSerialDeviceAsync::readTimeOut, this, [&] {
                if (sending && !received.isEmpty())
                    ++timeOutsWhileSending;
            });
            QVERIFY2(device.open(QIODevice::ReadWrite), where);
            std::thread writer([&] {
                QRandomGenerator pieces(writerSeed);
                for (qsizetype sent = 0; sent < end;) {
                    const qsizetype piece = qMin<qsizetype>(pieces.bounded(1, 20000), end - sent);
                    pty.exchange(data.mid(sent, piece));
                    sent += piece;
                    if (pieces.bounded(4) == 0)
                        QThread::msleep(pieces.bounded(20));
                }
                // Hang up once what was sent has been read, as a pulled cable
                // after the last byte.
                QElapsedTimer clock;
                clock.start();
                while (receivedSize < end && !clock.hasExpired(10000))
                    QThread::msleep(1);
                sending = false;
                if (hangUp)
                    pty.closeMaster();
            });
            const bool arrived = QTest::qWaitFor([&] { return !sending; }, 20000);
            writer.join();
            QVERIFY2(arrived, where);
            if (hangUp) {
                QSignalSpy timeOuts(&device, &WinSerialDeviceAsync::readTimeOut);
                QVERIFY2(timeOuts.wait(1000), where);
            }
            QVERIFY2(received == data.left(end), where);
            QVERIFY2(timeOutsWhileSending == 0, where);
        }
    }
};

DATALOGGER_TEST_MAIN(TestWinSerialDeviceAsync)
#include "tst_winserialdeviceasync.moc"
