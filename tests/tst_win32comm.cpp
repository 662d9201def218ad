// The Win32 port-state calls as our POSIX layer provides them, on a pty (and a real UART).

#include "ptypair.h"
#include "testsupport.h"
#include "win32comm.h"

#include <QThread>

#include <thread>

static HANDLE openPort(const QString &path)
{
    return CreateFileW(path.toStdWString().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

class TestWin32Comm : public QObject
{
    Q_OBJECT

private slots:

    void setAndReadBackState_data()
    {
        // "rate, format (data bits, parity N/O/E/M/S, stop bits), flow, format read
        // back"; no format read back: refused with ERROR_INVALID_PARAMETER.
        QTest::addColumn<QString>("row");
        QTest::newRow("non-standard rate, 2 stop bits") << "250000 8N2 none 8N2";
        QTest::newRow("CTS out only") << "57600 8N1 cts 8N1";
        // A pty forces 8 data bits and no parity: the real state is reported.
        QTest::newRow("7 data bits, mark parity on a pty") << "1200 7M1 none 8N1";
        QTest::newRow("5 data bits on a pty") << "9600 5N1 none 8N1";
        QTest::newRow("8 data bits, 1.5 stop bits") << "9600 8N1.5 none";
        QTest::newRow("5 data bits, 2 stop bits") << "9600 5N2 none";
        QTest::newRow("XON equals XOFF") << "9600 8N1 xonxoff=";
        QTest::newRow("no rate") << "0 8N1 none";
        QTest::newRow("9 data bits") << "9600 9N1 none";
        QTest::newRow("no such parity") << "9600 8X1 none";
    }

    // What can be set reads back as the driver holds it; what termios cannot
    // express reads back as it was set; a refused state changes nothing.
    void setAndReadBackState()
    {
        QFETCH(QString, row);
        const QStringList fields = row.split(QLatin1Char(' '));
        const QString flow = fields.at(2);
        auto applyFormat = [](DCB &state, const QString &text) {
            state.ByteSize = BYTE(text.at(0).digitValue());
            state.Parity = BYTE(QStringLiteral("NOEMS").indexOf(text.at(1)));
            state.StopBits = text.mid(2) == QLatin1String("1")   ? ONESTOPBIT
                             : text.mid(2) == QLatin1String("2") ? TWOSTOPBITS
                                                                 : ONE5STOPBITS;
        };
        auto hex = [](const DCB &state) {
            return QByteArray(reinterpret_cast<const char *>(&state), sizeof state).toHex(' ');
        };

        PtyPair pty;
        const HANDLE handle = openPort(pty.slavePath);
        QVERIFY(handle != INVALID_HANDLE_VALUE);
        DCB state = {}, read = {};
        state.DCBlength = read.DCBlength = sizeof(DCB);
        QVERIFY(GetCommState(handle, &state));
        // As opening leaves a port: binary, DTR and RTS raised.
        QVERIFY(state.fBinary && state.fDtrControl == DTR_CONTROL_ENABLE &&
                state.fRtsControl == RTS_CONTROL_ENABLE);
        const DCB before = state;

        state.BaudRate = fields.at(0).toUInt();
        applyFormat(state, fields.at(1));
        state.fOutxCtsFlow = flow == QLatin1String("rtscts") || flow == QLatin1String("cts");
        state.fRtsControl = flow == QLatin1String("rtscts") ? RTS_CONTROL_HANDSHAKE : RTS_CONTROL_ENABLE;
        state.fOutX = state.fInX = flow.startsWith(QLatin1String("xonxoff"));
        state.XonChar = 'Q';
        state.XoffChar = flow.endsWith(QLatin1Char('=')) ? 'Q' : 'S';
        state.fParity = state.fAbortOnError = 1;
        state.fDtrControl = DTR_CONTROL_HANDSHAKE;
        state.XonLim = 1234;
        state.EvtChar = '\n';
        state.ErrorChar = '?';

        if (fields.size() < 4) {
            QVERIFY(!SetCommState(handle, &state));
            QCOMPARE(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
            QVERIFY(GetCommState(handle, &read));
            QCOMPARE(hex(read), hex(before));
        } else {
            QVERIFY2(SetCommState(handle, &state), QByteArray::number(GetLastError()));
            QVERIFY(GetCommState(handle, &read));
            applyFormat(state, fields.at(3));
            QCOMPARE(hex(read), hex(state));
            // Other readers of the port's termios (stty) see a standard rate
            // by its constant; only the others need BOTHER.
            for (const DWORD rate : {50,      75,      110,     134,     150,     200,     300,     600,
                                     1200,    1800,    2400,    4800,    9600,    19200,   38400,   57600,
                                     115200,  230400,  460800,  500000,  576000,  921600,  1000000, 1152000,
                                     1500000, 2000000, 2500000, 3000000, 3500000, 4000000, 250000}) {
                state.BaudRate = rate;
                termios seen;
                QVERIFY(SetCommState(handle, &state) && GetCommState(handle, &read));
                QVERIFY(::tcgetattr(pty.master, &seen) == 0);
                const speed_t otherRate = 0010000; // BOTHER of <asm/termbits.h>
                QVERIFY2(read.BaudRate == rate && (::cfgetospeed(&seen) == otherRate) == (rate == 250000),
                         QByteArray::number(uint(rate)));
            }
        }
        CloseHandle(handle);
    }

    // Arguments Windows refuses as well: overlapped I/O, no count to report, no buffer.
    void refusedArguments()
    {
        PtyPair pty;
        const HANDLE handle = openPort(pty.slavePath);
        COMMTIMEOUTS timeouts = {MAXDWORD, 0, 0, 0, 0}; // a read that went ahead would not wait
        QVERIFY(SetCommTimeouts(handle, &timeouts));
        char data[4] = {};
        DWORD count = 0;
        const auto overlapped = reinterpret_cast<LPOVERLAPPED>(data);
        const auto refused = [](BOOL result) {
            return !result && GetLastError() == ERROR_INVALID_PARAMETER;
        };
        QVERIFY(refused(ReadFile(handle, data, 4, &count, overlapped)));
        QVERIFY(refused(ReadFile(handle, data, 4, nullptr, nullptr)));
        QVERIFY(refused(ReadFile(handle, nullptr, 4, &count, nullptr)));
        QVERIFY(refused(WriteFile(handle, data, 4, &count, overlapped)));
        QVERIFY(refused(WriteFile(handle, data, 4, nullptr, nullptr)));
        QVERIFY(refused(WriteFile(handle, nullptr, 4, &count, nullptr)));
        QCOMPARE(pty.exchange({}, 4, 100), QByteArray());
        CloseHandle(handle);
    }

    // With only an interval time-out a read waits as long as it takes for the
    // first byte, then ends at the first gap longer than the interval.
    void intervalTimeOutEndsReadAtGap()
    {
        PtyPair pty;
        const HANDLE handle = openPort(pty.slavePath);
        std::thread far([&] {
            QThread::msleep(100);
            pty.exchange("a");
            QThread::msleep(1000);
            pty.exchange("bc");
        });
        COMMTIMEOUTS timeouts = {50, 0, 0, 0, 0};
        char data[3] = {};
        DWORD count = 0;
        const BOOL read = SetCommTimeouts(handle, &timeouts) && ReadFile(handle, data, 3, &count, nullptr);
        far.join();
        QVERIFY(read);
        QCOMPARE(QByteArray(data, count), QByteArray("a"));
        CloseHandle(handle);
    }

    // Once the total time-out has passed, a read ends as soon as nothing is
    // queued, however long its interval time-out.
    void totalTimeOutEndsReadAtFirstGap()
    {
        PtyPair pty;
        const HANDLE handle = openPort(pty.slavePath);
        std::thread far([&] {
            pty.exchange(QByteArray(4 << 20, 'x'), 0, 300); // a stream well past the total time-out
            QThread::msleep(300);
            pty.exchange("late", 0, 100); // goes only when the read has taken the stream
        });
        // The read starts while the stream flows: once its first byte is here.
        COMMTIMEOUTS firstByte = {MAXDWORD, MAXDWORD, 10000, 0, 0}, timeouts = {1000, 0, 10, 0, 0};
        QByteArray data(8 << 20, Qt::Uninitialized);
        DWORD first = 0, count = 0;
        const BOOL read = SetCommTimeouts(handle, &firstByte) &&
                          ReadFile(handle, data.data(), 1, &first, nullptr) && first == 1 &&
                          SetCommTimeouts(handle, &timeouts) &&
                          ReadFile(handle, data.data() + 1, DWORD(data.size() - 1), &count, nullptr);
        far.join();
        QVERIFY(read && count > 0);
        QVERIFY(!data.left(1 + count).contains("late"));
        CloseHandle(handle);
    }

    // A pty's output queue is always empty, so this needs a real UART whose far
    // end leaves the first bytes unread for 3 s, then reads all (tools/test-real-serial).
    void flushWaitsForOutputQueue()
    {
        const QByteArray device = qgetenv("DATALOGGER_TEST_REAL_PORT");
        if (device.isEmpty())
            QSKIP("DATALOGGER_TEST_REAL_PORT names no real serial port (tools/test-real-serial sets it)");
        const HANDLE handle = openPort(QString::fromLocal8Bit(device));
        QVERIFY(handle != INVALID_HANDLE_VALUE);
        DCB state = {};
        state.DCBlength = sizeof state;
        QVERIFY(GetCommState(handle, &state));
        state.BaudRate = 9600, state.ByteSize = 8, state.Parity = NOPARITY, state.StopBits = ONESTOPBIT;
        state.fOutxCtsFlow = state.fOutX = state.fInX = 0, state.fRtsControl = RTS_CONTROL_ENABLE;
        QVERIFY(SetCommState(handle, &state));
        const int watcher = ::open(device.constData(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
        const auto queued = [watcher] {
            int count = -1; // stays so when the ioctl fails
            ::ioctl(watcher, TIOCOUTQ, &count);
            return count;
        };
        const QByteArray data(3000, 'x');
        DWORD written = 0;
        // A short queue has a short limit, well inside the far end's pause.
        QVERIFY(WriteFile(handle, data.constData(), 600, &written, nullptr) && written == 600);
        QVERIFY2(queued() > 0, "the far end took every byte: nothing queued to wait for");
        QVERIFY(!FlushFileBuffers(handle));
        QCOMPARE(GetLastError(), DWORD(ERROR_GEN_FAILURE));
        // A long one outlasts the pause: the flush ends once the queue is empty.
        QVERIFY(WriteFile(handle, data.constData(), 3000, &written, nullptr) && written == 3000);
        QVERIFY2(queued() > 3000, "the far end read before the second flush");
        QVERIFY(FlushFileBuffers(handle));
        QCOMPARE(queued(), 0);
        ::close(watcher);
        CloseHandle(handle);
    }
};

DATALOGGER_TEST_MAIN(TestWin32Comm)
#include "tst_win32comm.moc"
