#include "portpath.h"
#include "ptypair.h"
#include "serialsettings.h"
#include "testsupport.h"
#include "winserialdevice.h"

#include <QLockFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/file.h>
#include <sys/wait.h>

using Kv::WinSerialDevice;

namespace {

// The lock file other serial programs (Qt Serial Port, the UUCP tools) use.
QString lockFileFor(const QString &devicePath)
{
    QString name = devicePath.mid(devicePath.startsWith(QLatin1String("/dev/")) ? 5 : 0);
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    return QStringLiteral("/var/lock/LCK..") + name;
}

QByteArray openFailureText(int code)
{
    return "Win32SerialDevice::open failed with error: " + QByteArray::number(code);
}

// Opens the port in a child process and reports whether it could lock it.
// Returns the child's exit code: 0 locked, 1 refused, 2 other failure.
int lockFromChild(const QString &path)
{
    const QByteArray native = QFile::encodeName(path);
    const pid_t child = ::fork();
    if (child == 0) {
        const int fd = ::open(native.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (fd < 0)
            ::_exit(2);
        ::_exit(::flock(fd, LOCK_EX | LOCK_NB) == 0 ? 0 : errno == EWOULDBLOCK ? 1 : 2);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 3;
}

} // namespace

class TestWinSerialDevice : public QObject
{
    Q_OBJECT

private slots:
    void openPath_data();
    void openPath();
    void openFailure_data();
    void openFailure();
    void longPathOpens();
    void secondOpenerInProcessRefused();
    void otherProcessHoldingPortRefuses();
    void otherProcessRefusedWhileOpen();
    void foreignLockFileHonoured();
    void silentReadTimesOut();
    void queuedBytesReturnAtOnce_data();
    void queuedBytesReturnAtOnce();
    void writeReachesLine();
    void hangUpFailsReadAndWrite();
    void reopenAfterClose();
};

void TestWinSerialDevice::openPath_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("path");
    QTest::newRow("name") << "ttyUSB0"
                          << "/dev/ttyUSB0";
    QTest::newRow("pts path") << "/dev/pts/3"
                              << "/dev/pts/3";
    QTest::newRow("relative path") << "dev/ttyS0"
                                   << "dev/ttyS0";
    QTest::newRow("long path") << "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0"
                               << "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0";
}

void TestWinSerialDevice::openPath()
{
    QFETCH(QString, name);
    QFETCH(QString, path);
    QCOMPARE(QString::fromStdWString(Kv::portOpenPath(name.toStdWString())), path);
}

void TestWinSerialDevice::openFailure_data()
{
    QTest::addColumn<QString>("portName");
    QTest::addColumn<int>("code");
    QTest::newRow("missing path") << "/dev/ttyNoSuchPort7" << 2;
    QTest::newRow("missing name") << "ttyNoSuchPort7" << 2;
    QTest::newRow("missing folder") << "/nonexistent-folder/ttyS0" << 2;
    QTest::newRow("not a serial port") << "/dev/null" << 1;
}

// The text goes to stderr without a line break, so two failures run together.
void TestWinSerialDevice::openFailure()
{
    QFETCH(QString, portName);
    QFETCH(int, code);
    WinSerialDevice device(portName);
    StderrCapture capture;
    QVERIFY(!device.openPort(QIODevice::ReadWrite, 50, 50));
    QCOMPARE(device.errorString(), QString::fromLatin1(openFailureText(code)));
    QVERIFY(!device.openPort(QIODevice::ReadWrite, 50, 50));
    QCOMPARE(capture.text(), openFailureText(code) + openFailureText(code));
}

// Paths of any length open (a fixed 16-character buffer would cut them).
void TestWinSerialDevice::longPathOpens()
{
    PtyPair pty;
    QVERIFY(pty.isValid());
    QTemporaryDir folder;
    const QString link = folder.filePath(QString(120, QLatin1Char('p')));
    QVERIFY(QFile::link(pty.slavePath, link));
    WinSerialDevice device(link);
    QVERIFY2(device.openPort(QIODevice::ReadWrite, 50, 50), qPrintable(device.errorString()));
    QVERIFY(pty.write("ok"));
    char data[8];
    QCOMPARE(device.read(data, sizeof data), 2);
}

void TestWinSerialDevice::secondOpenerInProcessRefused()
{
    PtyPair pty;
    QVERIFY(pty.isValid());
    WinSerialDevice first(pty.slavePath);
    WinSerialDevice second(pty.slavePath);
    QVERIFY(first.openPort(QIODevice::ReadWrite, 50, 50));
    {
        StderrCapture capture;
        QVERIFY(!second.openPort(QIODevice::ReadWrite, 50, 50));
        QCOMPARE(capture.text(), openFailureText(5));
    }
    first.close();
    QVERIFY2(second.openPort(QIODevice::ReadWrite, 50, 50), qPrintable(second.errorString()));
}

// A process holding the port, even as root, keeps us out.
void TestWinSerialDevice::otherProcessHoldingPortRefuses()
{
    PtyPair pty;
    QVERIFY(pty.isValid());
    int ready[2], release[2];
    QVERIFY(::pipe(ready) == 0 && ::pipe(release) == 0);
    const QByteArray native = QFile::encodeName(pty.slavePath);
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(ready[0]);
        ::close(release[1]);
        const int fd = ::open(native.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        const char locked = fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0 ? 'y' : 'n';
        [[maybe_unused]] ssize_t n = ::write(ready[1], &locked, 1);
        char byte;
        n = ::read(release[0], &byte, 1);
        ::_exit(0);
    }
    ::close(ready[1]);
    ::close(release[0]);
    char locked = 0;
    QCOMPARE(::read(ready[0], &locked, 1), ssize_t(1));
    QCOMPARE(locked, 'y');

    WinSerialDevice device(pty.slavePath);
    bool opened;
    {
        StderrCapture capture;
        opened = device.openPort(QIODevice::ReadWrite, 50, 50);
        QCOMPARE(capture.text(), openFailureText(5));
    }
    ::close(release[1]);
    ::close(ready[0]);
    ::waitpid(child, nullptr, 0);
    QVERIFY(!opened);
    QVERIFY2(device.openPort(QIODevice::ReadWrite, 50, 50), qPrintable(device.errorString()));
}

void TestWinSerialDevice::otherProcessRefusedWhileOpen()
{
    PtyPair pty;
    QVERIFY(pty.isValid());
    WinSerialDevice device(pty.slavePath);
    QVERIFY(device.openPort(QIODevice::ReadWrite, 50, 50));
    QCOMPARE(lockFromChild(pty.slavePath), 1);
    device.close();
    QCOMPARE(lockFromChild(pty.slavePath), 0);
}

// Other serial programs see our lock file and we see theirs.
void TestWinSerialDevice::foreignLockFileHonoured()
{
    PtyPair pty;
    QVERIFY(pty.isValid());
    if (!QFileInfo(QStringLiteral("/var/lock")).isWritable())
        QSKIP("/var/lock is not writable here");
    const QString lockPath = lockFileFor(pty.slavePath);
    WinSerialDevice device(pty.slavePath);
    {
        QLockFile foreign(lockPath);
        QVERIFY(foreign.tryLock(0));
        StderrCapture capture;
        QVERIFY(!device.openPort(QIODevice::ReadWrite, 50, 50));
        QCOMPARE(capture.text(), openFailureText(5));
    }
    QVERIFY(device.openPort(QIODevice::ReadWrite, 50, 50));
    QFile lock(lockPath);
    QVERIFY(lock.open(QIODevice::ReadOnly));
    QCOMPARE(lock.readLine().trimmed().toLongLong(), QCoreApplication::applicationPid());
    QLockFile other(lockPath);
    QVERIFY(!other.tryLock(0));
    device.close();
    QVERIFY(!QFile::exists(lockPath));
}

void TestWinSerialDevice::silentReadTimesOut()
{
    PtyPair pty;
    QVERIFY(pty.isValid());
    WinSerialDevice device(pty.slavePath);
    QVERIFY(device.openPort(QIODevice::ReadWrite, 50, 50));
    QSignalSpy readyRead(&device, &QIODevice::readyRead);
    QVERIFY(readyRead.isValid());
    QElapsedTimer timer;
    timer.start();
    char data[1024];
    QCOMPARE(device.read(data, sizeof data), 0);
    const qint64 elapsed = timer.elapsed();
    QVERIFY2(elapsed >= 40 && elapsed < 400, QByteArray::number(elapsed));
    QCOMPARE(readyRead.count(), 0);
}

void TestWinSerialDevice::queuedBytesReturnAtOnce_data()
{
    QTest::addColumn<int>("queued");
    QTest::addColumn<int>("request");
    QTest::newRow("1 of 1024") << 1 << 1024;
    QTest::newRow("1024 of 1024") << 1024 << 1024;
    QTest::newRow("1025, take 1024") << 1025 << 1024;
    QTest::newRow("4095 of 8192") << 4095 << 8192;
    QTest::newRow("4096 of 4096") << 4096 << 4096;
}

// What is queued comes back without waiting for the read time-out, also past
// the 4095 bytes one read() of a tty returns.
void TestWinSerialDevice::queuedBytesReturnAtOnce()
{
    QFETCH(int, queued);
    QFETCH(int, request);
    PtyPair pty;
    QVERIFY(pty.isValid());
    WinSerialDevice device(pty.slavePath);
    QVERIFY(device.openPort(QIODevice::ReadWrite | QIODevice::Unbuffered, 50, 50));
    QSignalSpy readyRead(&device, &QIODevice::readyRead);
    QByteArray sent(queued, Qt::Uninitialized);
    for (int i = 0; i < queued; ++i)
        sent[i] = char(i * 7 + i / 251);
    QVERIFY(pty.write(sent));
    QTest::qWait(20); // the pty hands the bytes over asynchronously

    QByteArray received(request, Qt::Uninitialized);
    QElapsedTimer timer;
    timer.start();
    const qint64 count = device.read(received.data(), request);
    const qint64 elapsed = timer.elapsed();
    QCOMPARE(count, qint64(qMin(queued, request)));
    QVERIFY2(elapsed < 40, QByteArray::number(elapsed));
    QCOMPARE(received.left(count), sent.left(count));
    QCOMPARE(readyRead.count(), 1);
}

void TestWinSerialDevice::writeReachesLine()
{
    PtyPair pty;
    QVERIFY(pty.isValid());
    WinSerialDevice device(pty.slavePath);
    QVERIFY(device.openPort(QIODevice::ReadWrite, 50, 50));
    const QByteArray command = "MEM:DATA? ALL\r\n";
    QCOMPARE(device.write(command), qint64(command.size()));
    QCOMPARE(pty.read(command.size()), command);
}

// A vanished port fails reads and writes (instead of reading nothing forever),
// and a run of the same failure is reported once.
void TestWinSerialDevice::hangUpFailsReadAndWrite()
{
    PtyPair pty;
    QVERIFY(pty.isValid());
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
    QVERIFY2(timer.elapsed() < 100, "a failed read must not wait for the time-out");
    QCOMPARE(device.errorString(), QString::fromLatin1(readFailure));
    for (int i = 0; i < 3; ++i)
        QCOMPARE(device.write("x", 1), qint64(-1));
    QCOMPARE(device.errorString(), QString::fromLatin1(writeFailure));
    QCOMPARE(device.read(data, sizeof data), qint64(-1));
    QCOMPARE(capture.text(), readFailure + writeFailure);
}

// Closing releases the port at once; a second close is harmless, and the next
// open configures the port again.
void TestWinSerialDevice::reopenAfterClose()
{
    PtyPair pty;
    QVERIFY(pty.isValid());
    auto *settings = new Kv::SerialSettings;
    settings->setBaudRate(9600);
    settings->setByteSize(8);
    WinSerialDevice device(pty.slavePath);
    device.setSettings(settings);
    QVERIFY(device.openPort(QIODevice::ReadWrite, 50, 50));
    device.close();
    device.close();
    QVERIFY(device.isOpen());
    QCOMPARE(lockFromChild(pty.slavePath), 0);

    QVERIFY(device.openPort(QIODevice::ReadWrite, 50, 50));
    QVERIFY(pty.write("again"));
    QTest::qWait(20);
    char data[16];
    QCOMPARE(device.read(data, sizeof data), qint64(5));
    QCOMPARE(QByteArray(data, 5), QByteArray("again"));
}

DATALOGGER_TEST_MAIN(TestWinSerialDevice)
#include "tst_winserialdevice.moc"
