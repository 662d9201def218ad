#include "portpath.h"
#include "ptypair.h"
#include "testerline.h"
#include "testsupport.h"
#include "winserialdevice.h"

#include <QLockFile>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>

using Kv::WinSerialDevice;

namespace {

// What a failed open writes to stderr (no line break), then its errorString().
QByteArray refusal(int code)
{
    const QByteArray text = "Win32SerialDevice::open failed with error: " + QByteArray::number(code);
    return text + " | " + text;
}

QByteArray tryOpen(WinSerialDevice &device)
{
    bool opened = false;
    const QByteArray text = serialFailuresOf([&] { opened = device.openPort(QIODevice::ReadWrite, 50, 50); });
    return opened ? QByteArray("opened") : text + " | " + device.errorString().toLatin1();
}

// The line's state as another program sees it, after change() when given.
DCB lineState(const QString &path, void (*change)(DCB &) = nullptr)
{
    DCB state = {};
    state.DCBlength = sizeof state;
    const HANDLE handle =
        CreateFileW(Kv::portOpenPath(path.toStdWString()).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    const bool read = handle != INVALID_HANDLE_VALUE && GetCommState(handle, &state);
    if (read && change) {
        change(state);
        SetCommState(handle, &state);
    }
    CloseHandle(handle);
    return read ? state : DCB{};
}

} // namespace

class TestWinSerialDevice : public QObject
{
    Q_OBJECT

private slots:

    void openFails_data()
    {
        QTest::addColumn<QString>("portName");
        QTest::addColumn<int>("code");
#ifdef _WIN32
        QTest::newRow("missing port") << "COM99" << 2;
#else
        QTest::newRow("missing path") << "/dev/ttyNoSuchPort7" << 2;
#endif
        QTest::newRow("unplugged since its last use") << "unplugged" << 2;
#ifdef _WIN32
        // Wine's answer; Windows' is 1 (ERROR_INVALID_FUNCTION).
        QTest::newRow("not a serial port (a regular file)") << "" << 6;
#else
        QTest::newRow("not a serial port (a regular file)") << "" << 1;
#endif
    }

    void openFails()
    {
        QFETCH(QString, portName);
        QFETCH(int, code);
        QTemporaryDir folder;
        PtyPair pty;
        if (portName.isEmpty()) {
            // Closed before the open: Windows refuses an unshared open of a file
            // that another handle holds.
            QFile file(folder.filePath(QStringLiteral("results.txt")));
            QVERIFY(file.open(QIODevice::WriteOnly));
            portName = QDir::toNativeSeparators(file.fileName());
        } else if (portName == QLatin1String("unplugged")) {
            portName = pty.slavePath;
            WinSerialDevice used(portName);
            QCOMPARE(tryOpen(used), QByteArray("opened"));
            used.close();
            pty.closeMaster();
        }
        WinSerialDevice device(portName);
        QCOMPARE(tryOpen(device), refusal(code));
    }

    // A bare name is looked for in /dev; paths of any length open (a fixed buffer
    // of 16 characters would cut them).
    void pathsOpen()
    {
#ifdef _WIN32
        // A name becomes a device path, as COM10 and above need; a device path
        // stays as it is.
        QCOMPARE(Kv::portOpenPath(L"COM3"), std::wstring(L"\\\\.\\COM3"));
        QCOMPARE(Kv::portOpenPath(L"\\\\.\\COM20"), std::wstring(L"\\\\.\\COM20"));
        PtyPair pty;
        WinSerialDevice device(QStringLiteral("\\\\.\\") + pty.slavePath);
#else
        QCOMPARE(Kv::portOpenPath(L"ttyUSB0"), std::wstring(L"/dev/ttyUSB0"));
        QCOMPARE(Kv::portOpenPath(L"/dev/pts/3"), std::wstring(L"/dev/pts/3"));
        PtyPair pty;
        QTemporaryDir folder;
        const QString link = folder.filePath(QString(120, QLatin1Char('p')));
        QVERIFY(QFile::link(pty.slavePath, link));
        WinSerialDevice device(link);
#endif
        QCOMPARE(tryOpen(device), QByteArray("opened"));
        pty.exchange("ok");
        char data[8];
        QCOMPARE(device.read(data, sizeof data), 2);
    }

    // Whoever opens the port first keeps it: a second device of ours, another
    // process (root included: CI runs as root) and, through its lock file, another
    // serial program (Qt Serial Port, the UUCP tools) are refused, and the other
    // way round. Closed, it opens again for anyone.
    void exclusive()
    {
#ifdef _WIN32
        QSKIP("Wine lets any number of handles, of this process or others, open a COM port (Windows refuses "
              "all but the first with error 5)");
#else
        // Also as an ordinary user, whom TIOCEXCL stops, and on a pty after the close too.
        if (::geteuid() == 0)
            TestSupport::runAsNobody();
        PtyPair pty;
        WinSerialDevice device(pty.slavePath), second(pty.slavePath);
        QLockFile foreign(QStringLiteral("/var/lock/LCK..") + pty.slavePath.mid(5).replace('/', '_'));
        QCOMPARE(tryOpen(device), QByteArray("opened"));
        QCOMPARE(tryOpen(second), refusal(5));
        QCOMPARE(holdInChild(pty.slavePath, "lock"), 0);
        QVERIFY(!foreign.tryLock(0));
        device.close();

        const pid_t child = holdInChild(pty.slavePath, "lock");
        const auto ending = qScopeGuard([child] { endChild(child); });
        QVERIFY(child > 0);
        QCOMPARE(tryOpen(device), refusal(5));
        endChild(child);
        QCOMPARE(tryOpen(device), QByteArray("opened"));
        device.close();
        if (!foreign.tryLock(0))
            QSKIP("/var/lock is not writable here");
        QCOMPARE(tryOpen(device), refusal(5));
#endif
    }

    void readTimeOut_data()
    {
        QTest::addColumn<int>("queued");
        QTest::addColumn<int>("request");
        QTest::newRow("silent") << 0 << 1024;
        QTest::newRow("1 of 1024") << 1 << 1024;
        QTest::newRow("1025, take 1024") << 1025 << 1024;
        QTest::newRow("4095 of 8192") << 4095 << 8192;
        QTest::newRow("4096 of 4096") << 4096 << 4096; // past one read() of a tty
    }

    // Queued bytes come back at once; on a silent line the read returns nothing
    // after the time-out. Only a read with bytes signals readyRead().
    void readTimeOut()
    {
        QFETCH(int, queued);
        QFETCH(int, request);
        PtyPair pty;
        WinSerialDevice device(pty.slavePath);
        QVERIFY(device.openPort(QIODevice::ReadWrite | QIODevice::Unbuffered, 50, 50));
        QSignalSpy readyRead(&device, &QIODevice::readyRead);
        QByteArray sent(queued, Qt::Uninitialized);
        for (int i = 0; i < queued; ++i)
            sent[i] = char(i * 7 + i / 251);
        pty.exchange(sent);
#ifdef _WIN32
        QTest::qWait(200); // through tools/wine-pty-peer, then the pty
#else
        QTest::qWait(20); // the pty hands bytes over asynchronously
#endif

        QByteArray received(request, Qt::Uninitialized);
        qint64 count = 0;
        const qint64 elapsed = msecsTaken([&] { count = device.read(received.data(), request); });
        QCOMPARE(count, qint64(qMin(queued, request)));
        QCOMPARE(received.left(count), sent.left(count));
        QCOMPARE(readyRead.count(), queued ? 1 : 0);
#ifdef _WIN32
        // Wine waits out the time-out for any read it cannot fill.
        const bool waits = queued < request;
#else
        const bool waits = queued == 0;
#endif
        QVERIFY2(waits ? elapsed >= 40 && elapsed < 400 : elapsed < 40, QByteArray::number(elapsed));
    }

    // A vanished port fails reads and writes at once (instead of reading nothing
    // forever), and a run of the same failure is reported once.
    void hangUpFailsReadAndWrite()
    {
#ifdef _WIN32
        QSKIP("Wine reads a closed pseudo-terminal as silence");
#endif
        PtyPair pty;
        WinSerialDevice device(pty.slavePath);
        QVERIFY(device.openPort(QIODevice::ReadWrite, 50, 50));
        pty.closeMaster();
        QList<qint64> results;
        QByteArrayList errors;
        qint64 elapsed = 0;
        const QByteArray text = serialFailuresOf([&] {
            char data[64];
            elapsed = msecsTaken([&] { results << device.read(data, 64) << device.read(data, 64); });
            errors << device.errorString().toLatin1();
            results << device.write("x", 1) << device.write("x", 1);
            errors << device.errorString().toLatin1();
            results << device.read(data, 64);
        });
        QVERIFY2(elapsed < 40, QByteArray::number(elapsed));
        QCOMPARE(results, QList<qint64>(5, -1));
        const QByteArray readFailure = "Win32SerialDevice::readData failed with error: 22";
        const QByteArray writeFailure = "Win32SerialDevice::writeData failed with error: 22";
        QCOMPARE(errors, QByteArrayList({readFailure, writeFailure}));
        QCOMPARE(text, readFailure + writeFailure);
    }

    // Each open applies the tester's line afresh over what another program
    // made of it; a second open or close (twice is harmless) releases the port.
    void reopenAppliesSettingsAgain()
    {
        PtyPair pty;
        WinSerialDevice device(pty.slavePath);
        device.setSettings(Kv::TesterLine::newSettings());
        for (int round = 0; round < 2; ++round) {
            QVERIFY(device.openPort(QIODevice::ReadWrite, 50, 50));
            QVERIFY(device.openPort(QIODevice::ReadWrite, 50, 50));
            device.close();
            device.close();
            const DCB line = lineState(pty.slavePath);
            QCOMPARE(QList<DWORD>({line.BaudRate, line.ByteSize, line.Parity, line.StopBits,
                                   line.fOutxCtsFlow, line.fOutX, DWORD(line.XonChar)}),
                     QList<DWORD>({9600, 8, NOPARITY, ONESTOPBIT, 0, 0, 0x11}));
            // Meanwhile another program changes the line.
            lineState(pty.slavePath, [](DCB &state) {
                state.BaudRate = 1200;
                state.StopBits = TWOSTOPBITS;
                state.fOutX = 1;
                state.XonChar = 'a';
            });
        }
    }
};

DATALOGGER_TEST_MAIN(TestWinSerialDevice)
#include "tst_winserialdevice.moc"
