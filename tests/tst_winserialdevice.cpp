#include "portpath.h"
#include "ptypair.h"
#include "serialsettings.h"
#include "testsupport.h"
#include "winserialdevice.h"

#include <QLockFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>

#include <sys/file.h>
#include <sys/wait.h>

using Kv::WinSerialDevice;

namespace {

QByteArray openFailure(int code)
{
    return "Win32SerialDevice::open failed with error: " + QByteArray::number(code);
}

// Forks a child that opens and locks the port; it signals 'y' or 'n' on
// reply and, when it got the lock, keeps it until release is closed.
pid_t lockInChild(const QString &path, const int reply[2], const int release[2])
{
    const QByteArray native = QFile::encodeName(path);
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(reply[0]);
        ::close(release[1]);
        const int fd = ::open(native.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        const char locked = fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0 ? 'y' : 'n';
        char byte;
        // The parent closing its end of release ends the wait.
        if (::write(reply[1], &locked, 1) == 1 && locked == 'y' && ::read(release[0], &byte, 1) < 0)
            ::_exit(1);
        ::_exit(0);
    }
    return child;
}

// Sees what open is about to apply, and lengthens the read time-out.
class HookedDevice : public WinSerialDevice
{
public:
    using WinSerialDevice::WinSerialDevice;
    DCB seen = {};

protected:
    void adjustTimeouts(COMMTIMEOUTS &timeouts) override
    {
        timeouts.ReadTotalTimeoutConstant = 200;
    }
    void adjustPortState() override
    {
        seen = *portState;
    }
};

} // namespace

class TestWinSerialDevice : public QObject
{
    Q_OBJECT

private slots:
    void openFails_data();
    void openFails();
    void portNameMapsToDevicePath();
    void longPathOpens();
    void exclusiveAgainstOtherProcesses();
    void foreignLockFileHonoured();
    void readTimeOut_data();
    void readTimeOut();
    void hangUpFailsReadAndWrite();
    void reopenReadsAndAppliesAgain();
};

void TestWinSerialDevice::openFails_data()
{
    QTest::addColumn<QString>("portName");
    QTest::addColumn<int>("code");
    QTest::newRow("missing path") << "/dev/ttyNoSuchPort7" << 2;
    QTest::newRow("missing folder") << "/nonexistent/ttyS0" << 2;
    QTest::newRow("not a serial port") << "<a regular file>" << 1;
}

// No line break is added, so two failures run together.
void TestWinSerialDevice::openFails()
{
    QFETCH(QString, portName);
    QFETCH(int, code);
    QTemporaryFile file;
    if (portName.startsWith(QLatin1Char('<'))) {
        QVERIFY(file.open());
        portName = file.fileName();
    }
    WinSerialDevice device(portName);
    StderrCapture capture;
    QVERIFY(!device.openPort(QIODevice::ReadWrite, 50, 50));
    QCOMPARE(device.errorString(), QString::fromLatin1(openFailure(code)));
    QVERIFY(!device.openPort(QIODevice::ReadWrite, 50, 50));
    QCOMPARE(capture.text(), openFailure(code) + openFailure(code));
}

void TestWinSerialDevice::portNameMapsToDevicePath()
{
    QCOMPARE(Kv::portOpenPath(L"ttyUSB0"), std::wstring(L"/dev/ttyUSB0"));
    QCOMPARE(Kv::portOpenPath(L"/dev/pts/3"), std::wstring(L"/dev/pts/3"));
}

// Paths of any length open (a fixed buffer of 16 characters would cut them).
void TestWinSerialDevice::longPathOpens()
{
    PtyPair pty;
    QTemporaryDir folder;
    const QString link = folder.filePath(QString(120, QLatin1Char('p')));
    QVERIFY(QFile::link(pty.slavePath, link));
    WinSerialDevice device(link);
    QVERIFY2(device.openPort(QIODevice::ReadWrite, 50, 50), qPrintable(device.errorString()));
    QVERIFY(pty.write("ok"));
    char data[8];
    QCOMPARE(device.read(data, sizeof data), 2);
}

// Held by us, no one else gets the port; held by another process (root
// included: this runs as root on CI), we do not get it.
void TestWinSerialDevice::exclusiveAgainstOtherProcesses()
{
    PtyPair pty;
    WinSerialDevice first(pty.slavePath);
    WinSerialDevice second(pty.slavePath);
    QVERIFY(first.openPort(QIODevice::ReadWrite, 50, 50));
    {
        StderrCapture capture;
        QVERIFY(!second.openPort(QIODevice::ReadWrite, 50, 50));
        QCOMPARE(capture.text(), openFailure(5));
    }
    int reply[2], release[2];
    QVERIFY(::pipe(reply) == 0 && ::pipe(release) == 0);
    char locked = 0;
    pid_t child = lockInChild(pty.slavePath, reply, release);
    QCOMPARE(::read(reply[0], &locked, 1), ssize_t(1));
    QCOMPARE(locked, 'n');
    ::waitpid(child, nullptr, 0);

    first.close();
    child = lockInChild(pty.slavePath, reply, release);
    QCOMPARE(::read(reply[0], &locked, 1), ssize_t(1));
    QCOMPARE(locked, 'y');
    bool opened;
    {
        StderrCapture capture;
        opened = second.openPort(QIODevice::ReadWrite, 50, 50);
        QCOMPARE(capture.text(), openFailure(5));
    }
    for (int fd : {reply[0], reply[1], release[0], release[1]})
        ::close(fd);
    ::waitpid(child, nullptr, 0);
    QVERIFY(!opened);
    QVERIFY(second.openPort(QIODevice::ReadWrite, 50, 50));
}

// Other serial programs (Qt Serial Port, the UUCP tools) see our lock file
// and we see theirs.
void TestWinSerialDevice::foreignLockFileHonoured()
{
    PtyPair pty;
    const QString lockPath = QStringLiteral("/var/lock/LCK..") + pty.slavePath.mid(5).replace('/', '_');
    WinSerialDevice device(pty.slavePath);
    {
        QLockFile foreign(lockPath);
        if (!foreign.tryLock(0))
            QSKIP("/var/lock is not writable here");
        StderrCapture capture;
        QVERIFY(!device.openPort(QIODevice::ReadWrite, 50, 50));
        QCOMPARE(capture.text(), openFailure(5));
    }
    QVERIFY(device.openPort(QIODevice::ReadWrite, 50, 50));
    QLockFile other(lockPath);
    QVERIFY(!other.tryLock(0));
    device.close();
    QVERIFY(!QFile::exists(lockPath));
}

void TestWinSerialDevice::readTimeOut_data()
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
void TestWinSerialDevice::readTimeOut()
{
    QFETCH(int, queued);
    QFETCH(int, request);
    PtyPair pty;
    WinSerialDevice device(pty.slavePath);
    QVERIFY2(device.openPort(QIODevice::ReadWrite | QIODevice::Unbuffered, 50, 50),
             qPrintable(device.errorString()));
    QSignalSpy readyRead(&device, &QIODevice::readyRead);
    QByteArray sent(queued, Qt::Uninitialized);
    for (int i = 0; i < queued; ++i)
        sent[i] = char(i * 7 + i / 251);
    QVERIFY(pty.write(sent));
    QTest::qWait(20); // the pty hands bytes over asynchronously

    QByteArray received(request, Qt::Uninitialized);
    QElapsedTimer timer;
    timer.start();
    const qint64 count = device.read(received.data(), request);
    const qint64 elapsed = timer.elapsed();
    QCOMPARE(count, qint64(qMin(queued, request)));
    QCOMPARE(received.left(count), sent.left(count));
    QCOMPARE(readyRead.count(), queued ? 1 : 0);
    if (queued)
        QVERIFY2(elapsed < 40, QByteArray::number(elapsed));
    else
        QVERIFY2(elapsed >= 40 && elapsed < 400, QByteArray::number(elapsed));
}

// A vanished port fails reads and writes at once (instead of reading nothing
// forever), and a run of the same failure is reported once.
void TestWinSerialDevice::hangUpFailsReadAndWrite()
{
    PtyPair pty;
    WinSerialDevice device(pty.slavePath);
    QVERIFY(device.openPort(QIODevice::ReadWrite, 50, 50));
    pty.closeMaster();

    const QByteArray readFailure = "Win32SerialDevice::readData failed with error: 22";
    const QByteArray writeFailure = "Win32SerialDevice::writeData failed with error: 22";
    StderrCapture capture;
    char data[64];
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < 3; ++i)
        QCOMPARE(device.read(data, sizeof data), qint64(-1));
    QVERIFY2(timer.elapsed() < 40, QByteArray::number(timer.elapsed()));
    QCOMPARE(device.errorString(), QString::fromLatin1(readFailure));
    for (int i = 0; i < 3; ++i)
        QCOMPARE(device.write("x", 1), qint64(-1));
    QCOMPARE(device.errorString(), QString::fromLatin1(writeFailure));
    QCOMPARE(device.read(data, sizeof data), qint64(-1));
    QCOMPARE(capture.text(), readFailure + writeFailure);
}

// Each open reads the driver's state afresh and applies the same record; the
// settings reach the line, the hooks see and may change what is applied, and
// closing (twice is harmless) releases the port.
void TestWinSerialDevice::reopenReadsAndAppliesAgain()
{
    PtyPair pty;
    auto *settings = new Kv::SerialSettings;
    settings->setBaudRate(57600);
    settings->setStopBits(TWOSTOPBITS);
    HookedDevice device(pty.slavePath);
    device.setSettings(settings);
    QVERIFY(device.openPort(QIODevice::ReadWrite, 50, 50));
    QCOMPARE(device.seen.BaudRate, DWORD(57600));
    QCOMPARE(device.seen.StopBits, BYTE(TWOSTOPBITS));
    QElapsedTimer timer;
    timer.start();
    char data[8];
    QCOMPARE(device.read(data, sizeof data), qint64(0));
    QVERIFY2(timer.elapsed() >= 180, QByteArray::number(timer.elapsed()));
    device.close();
    device.close();

    // Meanwhile another program changes the line.
    const HANDLE other = CreateFileW(pty.slavePath.toStdWString().c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    QVERIFY(other != INVALID_HANDLE_VALUE);
    DCB line = {};
    QVERIFY(GetCommState(other, &line));
    QCOMPARE(line.BaudRate, DWORD(57600));
    QCOMPARE(line.StopBits, BYTE(TWOSTOPBITS));
    line.BaudRate = 1200;
    line.StopBits = ONESTOPBIT;
    line.XonChar = 'a';
    QVERIFY(SetCommState(other, &line));
    CloseHandle(other);

    QVERIFY(device.openPort(QIODevice::ReadWrite, 50, 50));
    QCOMPARE(device.seen.BaudRate, DWORD(57600));
    QCOMPARE(device.seen.StopBits, BYTE(TWOSTOPBITS));
    QCOMPARE(device.seen.XonChar, 'a');
}

DATALOGGER_TEST_MAIN(TestWinSerialDevice)
#include "tst_winserialdevice.moc"
