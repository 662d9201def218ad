// The Win32 communications calls as our POSIX layer provides them, against a
// pseudo-terminal.

#include "ptypair.h"
#include "testsupport.h"
#include "win32comm.h"

#include <QTest>

#include <cstring>

namespace {

class Port
{
public:
    explicit Port(const QString &path)
    {
        handle = CreateFileW(path.toStdWString().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    ~Port()
    {
        if (handle != INVALID_HANDLE_VALUE)
            CloseHandle(handle);
    }
    HANDLE handle;
};

DCB stateOf(HANDLE handle)
{
    DCB state;
    std::memset(&state, 0, sizeof state);
    state.DCBlength = sizeof state;
    if (!GetCommState(handle, &state))
        state.DCBlength = 0;
    return state;
}

void setTimeouts(HANDLE handle, DWORD interval, DWORD multiplier, DWORD constant, DWORD writeConstant = 0)
{
    COMMTIMEOUTS timeouts = {interval, multiplier, constant, 0, writeConstant};
    SetCommTimeouts(handle, &timeouts);
}

} // namespace

class TestWin32Comm : public QObject
{
    Q_OBJECT

private slots:
    void stateReadBack_data();
    void stateReadBack();
    void refusedStates_data();
    void refusedStates();
    void readTimeoutRules_data();
    void readTimeoutRules();
    void writeTimesOutWithPartialCount();
    void xoffHoldsOutput();
    void hangUp();
};

void TestWin32Comm::stateReadBack_data()
{
    QTest::addColumn<DWORD>("baudRate");
    QTest::addColumn<int>("byteSize");
    QTest::addColumn<int>("parity");
    QTest::addColumn<int>("stopBits");
    QTest::addColumn<bool>("ctsFlow");
    QTest::addColumn<int>("rtsControl");
    QTest::addColumn<bool>("xonXoff");
    // What a pseudo-terminal makes of it: it forces 8 data bits, no parity.
    QTest::addColumn<int>("readByteSize");
    QTest::addColumn<int>("readParity");

    QTest::newRow("tester line 9600 8N1") << DWORD(9600) << 8 << NOPARITY << ONESTOPBIT << false
                                          << int(RTS_CONTROL_ENABLE) << false << 8 << NOPARITY;
    QTest::newRow("115200 8N2") << DWORD(115200) << 8 << NOPARITY << TWOSTOPBITS << false
                                << int(RTS_CONTROL_DISABLE) << false << 8 << NOPARITY;
    QTest::newRow("non-standard 250000") << DWORD(250000) << 8 << NOPARITY << ONESTOPBIT << false
                                         << int(RTS_CONTROL_ENABLE) << false << 8 << NOPARITY;
    QTest::newRow("MIDI 31250") << DWORD(31250) << 8 << NOPARITY << ONESTOPBIT << false
                                << int(RTS_CONTROL_ENABLE) << false << 8 << NOPARITY;
    QTest::newRow("RTS/CTS both ways") << DWORD(57600) << 8 << NOPARITY << ONESTOPBIT << true
                                       << int(RTS_CONTROL_HANDSHAKE) << false << 8 << NOPARITY;
    QTest::newRow("CTS out only") << DWORD(57600) << 8 << NOPARITY << ONESTOPBIT << true
                                  << int(RTS_CONTROL_ENABLE) << false << 8 << NOPARITY;
    QTest::newRow("XON/XOFF") << DWORD(19200) << 8 << NOPARITY << ONESTOPBIT << false
                              << int(RTS_CONTROL_ENABLE) << true << 8 << NOPARITY;
    QTest::newRow("7E1 on a pty") << DWORD(1200) << 7 << EVENPARITY << ONESTOPBIT << false
                                  << int(RTS_CONTROL_ENABLE) << false << 8 << NOPARITY;
    QTest::newRow("8 mark 1 on a pty") << DWORD(9600) << 8 << MARKPARITY << ONESTOPBIT << false
                                       << int(RTS_CONTROL_ENABLE) << false << 8 << NOPARITY;
}

// What is set reads back: the line format as the driver holds it, the
// members termios cannot express as they were set.
void TestWin32Comm::stateReadBack()
{
    QFETCH(DWORD, baudRate);
    QFETCH(int, byteSize);
    QFETCH(int, parity);
    QFETCH(int, stopBits);
    QFETCH(bool, ctsFlow);
    QFETCH(int, rtsControl);
    QFETCH(bool, xonXoff);
    QFETCH(int, readByteSize);
    QFETCH(int, readParity);

    PtyPair pty;
    QVERIFY(pty.isValid());
    Port port(pty.slavePath);
    QVERIFY(port.handle != INVALID_HANDLE_VALUE);
    DCB state = stateOf(port.handle);
    QCOMPARE(state.DCBlength, DWORD(28));
    state.BaudRate = baudRate;
    state.ByteSize = BYTE(byteSize);
    state.Parity = BYTE(parity);
    state.StopBits = BYTE(stopBits);
    state.fOutxCtsFlow = ctsFlow;
    state.fRtsControl = rtsControl;
    state.fOutX = xonXoff;
    state.fInX = xonXoff;
    state.XonChar = 'Q';
    state.XoffChar = 'S';
    state.fParity = 1;
    state.fDtrControl = DTR_CONTROL_HANDSHAKE;
    state.fDsrSensitivity = 1;
    state.fAbortOnError = 1;
    state.fNull = 1;
    state.XonLim = 1234;
    state.XoffLim = 321;
    state.EvtChar = '\n';
    state.ErrorChar = '?';
    QVERIFY2(SetCommState(port.handle, &state), QByteArray::number(GetLastError()));

    DCB expected = state;
    expected.ByteSize = BYTE(readByteSize);
    expected.Parity = BYTE(readParity);
    const DCB read = stateOf(port.handle);
    QCOMPARE(read.BaudRate, expected.BaudRate);
    QCOMPARE(read.ByteSize, expected.ByteSize);
    QCOMPARE(read.Parity, expected.Parity);
    QCOMPARE(read.StopBits, expected.StopBits);
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(&read), sizeof read).toHex(' '),
             QByteArray(reinterpret_cast<const char *>(&expected), sizeof expected).toHex(' '));
}

void TestWin32Comm::refusedStates_data()
{
    QTest::addColumn<int>("member");
    QTest::addColumn<int>("value");
    QTest::newRow("baud 0") << 0 << 0;
    QTest::newRow("4 data bits") << 1 << 4;
    QTest::newRow("9 data bits") << 1 << 9;
    QTest::newRow("parity code 5") << 2 << 5;
    QTest::newRow("stop bits code 3") << 3 << 3;
    QTest::newRow("8 data bits, 1.5 stop") << 3 << ONE5STOPBITS;
    QTest::newRow("5 data bits, 2 stop") << 4 << 0;
    QTest::newRow("XON equals XOFF") << 5 << 0;
}

void TestWin32Comm::refusedStates()
{
    QFETCH(int, member);
    QFETCH(int, value);
    PtyPair pty;
    QVERIFY(pty.isValid());
    Port port(pty.slavePath);
    DCB state = stateOf(port.handle);
    state.BaudRate = 9600;
    state.ByteSize = 8;
    state.StopBits = ONESTOPBIT;
    state.Parity = NOPARITY;
    QVERIFY(SetCommState(port.handle, &state));
    const DCB before = stateOf(port.handle);
    switch (member) {
    case 0:
        state.BaudRate = DWORD(value);
        break;
    case 1:
        state.ByteSize = BYTE(value);
        break;
    case 2:
        state.Parity = BYTE(value);
        break;
    case 3:
        state.StopBits = BYTE(value);
        break;
    case 4:
        state.ByteSize = 5;
        state.StopBits = TWOSTOPBITS;
        break;
    case 5:
        state.fOutX = 1;
        state.XonChar = state.XoffChar = 0x11;
        break;
    }
    QVERIFY(!SetCommState(port.handle, &state));
    QCOMPARE(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
    const DCB after = stateOf(port.handle);
    QVERIFY(std::memcmp(&before, &after, sizeof before) == 0);
}

void TestWin32Comm::readTimeoutRules_data()
{
    QTest::addColumn<DWORD>("interval");
    QTest::addColumn<DWORD>("multiplier");
    QTest::addColumn<DWORD>("constant");
    QTest::addColumn<int>("queued");
    QTest::addColumn<int>("minMs");
    QTest::addColumn<int>("maxMs");
    QTest::addColumn<int>("expected");
    QTest::newRow("first byte, silent") << MAXDWORD << MAXDWORD << DWORD(50) << 0 << 40 << 400 << 0;
    QTest::newRow("first byte, queued") << MAXDWORD << MAXDWORD << DWORD(50) << 3 << 0 << 40 << 3;
    QTest::newRow("queued only, silent") << MAXDWORD << DWORD(0) << DWORD(0) << 0 << 0 << 40 << 0;
    QTest::newRow("queued only, queued") << MAXDWORD << DWORD(0) << DWORD(0) << 5 << 0 << 40 << 5;
    // A plain total time-out waits for the whole request.
    QTest::newRow("total, short") << DWORD(0) << DWORD(0) << DWORD(100) << 3 << 80 << 500 << 3;
}

void TestWin32Comm::readTimeoutRules()
{
    QFETCH(DWORD, interval);
    QFETCH(DWORD, multiplier);
    QFETCH(DWORD, constant);
    QFETCH(int, queued);
    QFETCH(int, minMs);
    QFETCH(int, maxMs);
    QFETCH(int, expected);
    PtyPair pty;
    QVERIFY(pty.isValid());
    Port port(pty.slavePath);
    setTimeouts(port.handle, interval, multiplier, constant);
    QVERIFY(pty.write(QByteArray(queued, 'q')));
    QTest::qWait(20);
    char data[10];
    DWORD count = 99;
    QElapsedTimer timer;
    timer.start();
    QVERIFY(ReadFile(port.handle, data, sizeof data, &count, nullptr));
    const qint64 elapsed = timer.elapsed();
    QCOMPARE(int(count), expected);
    QVERIFY2(elapsed >= minMs && elapsed < maxMs, QByteArray::number(elapsed));
}

// A stalled reader: the write gives up at its deadline and says how much went.
void TestWin32Comm::writeTimesOutWithPartialCount()
{
    PtyPair pty;
    QVERIFY(pty.isValid());
    Port port(pty.slavePath);
    setTimeouts(port.handle, MAXDWORD, 0, 0, 100);
    const QByteArray data(200000, 'w');
    DWORD written = 0;
    QElapsedTimer timer;
    timer.start();
    QVERIFY(WriteFile(port.handle, data.constData(), DWORD(data.size()), &written, nullptr));
    const qint64 elapsed = timer.elapsed();
    QVERIFY2(written > 0 && written < DWORD(data.size()), QByteArray::number(written));
    QVERIFY2(elapsed >= 80 && elapsed < 1000, QByteArray::number(elapsed));
    QCOMPARE(pty.readAvailable().size(), qsizetype(written));
}

void TestWin32Comm::xoffHoldsOutput()
{
    PtyPair pty;
    QVERIFY(pty.isValid());
    Port port(pty.slavePath);
    DCB state = stateOf(port.handle);
    state.fOutX = 1;
    state.XonChar = 0x11;
    state.XoffChar = 0x13;
    QVERIFY(SetCommState(port.handle, &state));
    setTimeouts(port.handle, MAXDWORD, 0, 0, 100);
    QVERIFY(pty.write("\x13"));
    QTest::qWait(20);
    DWORD written = 99;
    QVERIFY(WriteFile(port.handle, "held", 4, &written, nullptr));
    QCOMPARE(written, DWORD(0));
    QVERIFY(pty.write("\x11"));
    QTest::qWait(20);
    QVERIFY(WriteFile(port.handle, "sent", 4, &written, nullptr));
    QCOMPARE(written, DWORD(4));
    QCOMPARE(pty.read(4), QByteArray("sent"));
}

void TestWin32Comm::hangUp()
{
    PtyPair pty;
    QVERIFY(pty.isValid());
    Port port(pty.slavePath);
    setTimeouts(port.handle, MAXDWORD, MAXDWORD, 50, 50);
    pty.closeMaster();
    char data[4];
    DWORD count = 0;
    QVERIFY(!ReadFile(port.handle, data, sizeof data, &count, nullptr));
    QCOMPARE(GetLastError(), DWORD(ERROR_BAD_COMMAND));
    QVERIFY(!WriteFile(port.handle, "x", 1, &count, nullptr));
    QCOMPARE(GetLastError(), DWORD(ERROR_BAD_COMMAND));
    DCB state;
    QVERIFY(!GetCommState(port.handle, &state));
}

DATALOGGER_TEST_MAIN(TestWin32Comm)
#include "tst_win32comm.moc"
