// Both serial devices, the blocking one and the one with a worker thread, on
// a pseudo-terminal (under Wine a COM port onto one).

#include "portpath.h"
#include "ptypair.h"
#include "serialsettings.h"
#include "testerline.h"
#include "testsupport.h"
#include "winserialdevice.h"
#include "winserialdeviceasync.h"
#ifndef _WIN32
#include "win32comm_unix_termios2.h"

#include <linux/serial.h>
#endif

#include <QLockFile>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>

#include <atomic>
#include <cctype>
#include <thread>

using Kv::SerialSettings;
using Kv::WinSerialDevice;
using Kv::WinSerialDeviceAsync;

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

bool portIsFree(const QString &path)
{
    WinSerialDevice probe(path);
    return probe.openPort(QIODevice::ReadWrite, 50, 50);
}

QByteArray randomBytes(qsizetype size, quint32 seed)
{
    QByteArray data(size, Qt::Uninitialized);
    QRandomGenerator(seed).fillRange(reinterpret_cast<quint32 *>(data.data()), size / 4);
    return data;
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

void anotherProgramsLine(DCB &state)
{
    state.BaudRate = 1200;
    state.Parity = NOPARITY;
    state.StopBits = TWOSTOPBITS;
    state.fOutxCtsFlow = 1;
    state.fRtsControl = RTS_CONTROL_HANDSHAKE;
    state.fOutX = state.fInX = 1;
    state.XonChar = 'a';
    state.XoffChar = 'b';
}

// "tester" (first) for the tester's record, then changes to it: a rate, a
// format such as "7E2", "rtscts", "xonxoff", "dtr=0", "rts=0", "xon=" with
// the XON and XOFF characters.
SerialSettings *settingsOf(const QByteArray &text)
{
    SerialSettings *s = text.startsWith("tester") ? Kv::TesterLine::newSettings() : new SerialSettings;
    for (const QByteArray &t : text.split(' ')) {
        if (t.size() == 3 && std::isalpha(t[1])) {
            s->setByteSize(t[0] - '0');
            s->setParity(QByteArray("NOEMS").indexOf(t[1]));
            s->setStopBits(t[2] == '2' ? TWOSTOPBITS : ONESTOPBIT);
        } else if (t.toUInt()) {
            s->setBaudRate(t.toUInt());
        } else if (t == "rtscts") {
            s->setOutxCtsFlow(1);
            s->setRtsControl(RTS_CONTROL_HANDSHAKE);
        } else if (t == "xonxoff") {
            s->setOutX(1);
            s->setInX(1);
        } else if (t == "dtr=0" || t == "rts=0") {
            t == "dtr=0" ? s->setDtrControl(DTR_CONTROL_DISABLE) : s->setRtsControl(RTS_CONTROL_DISABLE);
        } else if (t.startsWith("xon=")) {
            s->setXonChar(t[4]);
            s->setXoffChar(t[5]);
        }
    }
    return s;
}

// A device that keeps the state it hands to the driver at open.
class RecordingDevice : public WinSerialDevice
{
public:
    using WinSerialDevice::WinSerialDevice;
    DCB handedOver = {};

protected:
    void adjustPortState() override
    {
        handedOver = *portState;
    }
};

// Rate, format, flow control, the XON/XOFF characters unless DC1/DC3 and,
// when asked, the DTR and RTS control.
QByteArray describe(const DCB &s, bool modemLines)
{
    QByteArray text = QByteArray::number(uint(s.BaudRate)) + ' ' + QByteArray::number(s.ByteSize) +
                      "NOEMS"[qMin<BYTE>(s.Parity, 4)] + (s.StopBits == ONESTOPBIT ? '1' : '2');
    text +=
        QByteArray(s.fOutxCtsFlow ? " crtscts" : "") + (s.fOutX ? " ixon" : "") + (s.fInX ? " ixoff" : "");
    if (s.XonChar != 0x11 || s.XoffChar != 0x13)
        text += " xon=" + QByteArray(1, s.XonChar) + s.XoffChar;
    if (modemLines)
        text += " dtr=" + QByteArray::number(s.fDtrControl) + " rts=" + QByteArray::number(s.fRtsControl);
    return text;
}

// The line as the port holds it: on Linux the driver's termios and modem
// lines, read while the device is open, on a real port through the device's
// own descriptor (another open would raise DTR and RTS), on a pseudo-terminal
// through its master (no modem lines); under Wine GetCommState, once the
// device has closed.
DCB lineOf(PtyPair &pty, const QString &path, WinSerialDevice &device)
{
#ifdef _WIN32
    Q_UNUSED(pty);
    device.close();
    return lineState(path);
#else
    Q_UNUSED(device);
    int fd = pty.master;
    const QString target = QFileInfo(path).canonicalFilePath();
    for (const QFileInfo &open : QDir(QStringLiteral("/proc/self/fd")).entryInfoList(QDir::System)) {
        if (path != pty.slavePath && open.symLinkTarget() == target)
            fd = open.fileName().toInt();
    }
    termios line = {};
    std::uint32_t rate = 0;
    int modemLines = 0;
    DCB state = {};
    if (::tcgetattr(fd, &line) != 0 || Kv::Termios2::baudRate(fd, &rate) != 0 ||
        (fd != pty.master && ::ioctl(fd, TIOCMGET, &modemLines) != 0))
        rate = 0;
    state.BaudRate = rate;
    state.ByteSize = BYTE(5 + (line.c_cflag & CSIZE) / CS6);
    // A pseudo-terminal clears PARENB but keeps PARODD.
    state.Parity = line.c_cflag & PARODD ? ODDPARITY : line.c_cflag & PARENB ? EVENPARITY : NOPARITY;
    state.StopBits = line.c_cflag & CSTOPB ? TWOSTOPBITS : ONESTOPBIT;
    state.fOutxCtsFlow = bool(line.c_cflag & CRTSCTS);
    state.fOutX = bool(line.c_iflag & IXON);
    state.fInX = bool(line.c_iflag & IXOFF);
    state.XonChar = char(line.c_cc[VSTART]);
    state.XoffChar = char(line.c_cc[VSTOP]);
    state.fDtrControl = bool(modemLines & TIOCM_DTR);
    state.fRtsControl = modemLines & TIOCM_RTS ? (state.fOutxCtsFlow ? 2 : 1) : 0;
    return state;
#endif
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
        // Wine's answer; Windows' is 1 (ERROR_INVALID_FUNCTION).
        QTest::newRow("not a serial port (a regular file)") << "" << 6;
#else
        QTest::newRow("missing path") << "/dev/ttyNoSuchPort7" << 2;
        QTest::newRow("not a serial port (a regular file)") << "" << 1;
#endif
        QTest::newRow("unplugged since its last use") << "unplugged" << 2;
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
        // The worker device opens through the blocking one: refused alike.
        WinSerialDeviceAsync worker(nullptr, portName);
        serialFailuresOf([&] { QVERIFY(!worker.open(QIODevice::ReadWrite)); });
        QVERIFY(!worker.isOpen());
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
        QCOMPARE(tryOpen(device), QByteArray("opened")); // the first handle is released, not leaked
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

    void lineSettings_data()
    {
        // The settings, and the state the device hands to the driver.
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QByteArray>("handedOver");
#ifdef _WIN32
        const QByteArray rts = "rts=1"; // Wine's GetCommState leaves RTS/CTS to fOutxCtsFlow
#else
        const QByteArray rts = "rts=2";
#endif
        QTest::newRow("none: another program's line stays")
            << QByteArray() << "1200 8N2 crtscts ixon ixoff xon=ab dtr=1 " + rts;
        QTest::newRow("only the rate: the rest stays")
            << QByteArray("19200") << "19200 8N2 crtscts ixon ixoff xon=ab dtr=1 " + rts;
        QTest::newRow("tester line 9600 8N1") << QByteArray("tester") << QByteArray("9600 8N1 dtr=1 rts=1");
        QTest::newRow("7E2") << QByteArray("tester 7E2") << QByteArray("9600 7E2 dtr=1 rts=1");
        QTest::newRow("odd parity") << QByteArray("tester 8O1") << QByteArray("9600 8O1 dtr=1 rts=1");
        QTest::newRow("RTS/CTS") << QByteArray("tester rtscts") << QByteArray("9600 8N1 crtscts dtr=1 rts=2");
        QTest::newRow("XON/XOFF") << QByteArray("tester xonxoff")
                                  << QByteArray("9600 8N1 ixon ixoff dtr=1 rts=1");
        QTest::newRow("XON/XOFF, own characters")
            << QByteArray("tester xonxoff xon=QS") << QByteArray("9600 8N1 ixon ixoff xon=QS dtr=1 rts=1");
        QTest::newRow("DTR off, RTS off")
            << QByteArray("tester dtr=0 rts=0") << QByteArray("9600 8N1 dtr=0 rts=0");
        QTest::newRow("921600") << QByteArray("tester 921600") << QByteArray("921600 8N1 dtr=1 rts=1");
#ifndef _WIN32
        QTest::newRow("28800, a rate without a constant of its own")
            << QByteArray("tester 28800") << QByteArray("28800 8N1 dtr=1 rts=1");
#endif
    }

    // Each open applies the settings afresh over what another program made of
    // the line; members that were not set keep the driver's value. A real
    // port (tools/test-real-serial names one) then holds all of it, the modem
    // lines too; a pseudo-terminal only 8 data bits, of the parity only PARODD,
    // no modem lines. Under Wine the parity read back from a pseudo-terminal
    // is Wine's own reading of PARODD alone, which differs between builds of
    // the same test (SPACEPARITY in one, not in another): there only what was
    // handed over says the parity. A close (twice is harmless) releases the port.
    void lineSettings()
    {
        QFETCH(QByteArray, settings);
        QFETCH(QByteArray, handedOver);
        PtyPair pty;
        const QString real = qEnvironmentVariable("DATALOGGER_TEST_REAL_PORT");
        const QString path = real.isEmpty() ? pty.slavePath : real;
        QByteArray line = handedOver;
        const qsizetype format = line.indexOf(' ') + 1;
        if (real.isEmpty()) {
            line.truncate(handedOver.indexOf(" dtr="));
            line[format] = '8';
            line[format + 1] = line[format + 1] == 'O' ? 'O' : 'N';
        }
        const auto held = [format](QByteArray described) {
#ifdef _WIN32
            described[format + 1] = '?';
#endif
            return described;
        };
        // Beyond a real UART's clock a driver keeps another rate: refused, as
        // Windows does, and the line left as it was.
        bool beyond = false;
#ifndef _WIN32
        serial_struct uart = {};
        const int probe = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
        beyond = ::ioctl(probe, TIOCGSERIAL, &uart) == 0 && uart.baud_base > 0 &&
                 handedOver.left(handedOver.indexOf(' ')).toUInt() > uint(uart.baud_base);
        ::close(probe);
#endif
        RecordingDevice device(path);
        device.setSettings(settingsOf(settings));
        for (int round = 0; round < 2; ++round) {
            QCOMPARE(lineState(path, anotherProgramsLine).BaudRate, DWORD(1200));
            if (beyond) {
                serialFailuresOf([&] { QVERIFY(!device.openPort(QIODevice::ReadWrite, 50, 50)); });
                QCOMPARE(device.openError().win32Error, DWORD(ERROR_INVALID_PARAMETER));
                QCOMPARE(describe(lineState(path), false), "1200 8N2 crtscts ixon ixoff xon=ab");
                continue;
            }
            QVERIFY(device.openPort(QIODevice::ReadWrite, 50, 50));
            QCOMPARE(held(describe(lineOf(pty, path, device), !real.isEmpty())), held(line));
            device.close();
            device.close();
            QCOMPARE(describe(device.handedOver, true), handedOver);
        }
    }

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
            // Through tools/wine-pty-peer the data may come a pass after the
            // command, and in more than one piece.
            const bool started = events.contains(QLatin1String("readyRead"));
            if (started && event == events.last())
                return;
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

    // Random transfers both ways at once: random sizes, random write pieces,
    // pauses shorter than a read period (no readTimeOut() meanwhile), hang-ups
    // at random points. Every byte sent before the end arrives, once and in order.
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
            const QByteArray toFarEnd =
                hangUp ? QByteArray() : randomBytes(random.bounded(200000), random.generate());

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
            qint64 written = 0;
            connect(&device, &QIODevice::bytesWritten, this, [&](qint64 bytes) { written += bytes; });
            QVERIFY2(device.open(QIODevice::ReadWrite), where);
            QByteArray atFarEnd;
            std::thread reader([&] { atFarEnd = pty.exchange({}, toFarEnd.size(), 20000); });
            for (qsizetype queued = 0, piece = 0; queued < toFarEnd.size(); queued += piece) {
                piece = qMin<qsizetype>(random.bounded(1, 20000), toFarEnd.size() - queued);
                device.write(toFarEnd.constData() + queued, piece);
            }
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
            reader.join();
            QVERIFY2(arrived, where);
            QVERIFY2(atFarEnd == toFarEnd, where);
            QVERIFY2(QTest::qWaitFor([&] { return written == toFarEnd.size(); }, 5000), where);
            if (hangUp) {
                QSignalSpy timeOuts(&device, &WinSerialDeviceAsync::readTimeOut);
                QVERIFY2(timeOuts.wait(1000), where);
            }
            QVERIFY2(received == data.left(end), where);
            QVERIFY2(timeOutsWhileSending == 0, where);
        }
    }
};

DATALOGGER_TEST_MAIN(TestWinSerialDevice)
#include "tst_winserialdevice.moc"
