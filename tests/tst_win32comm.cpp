// The Win32 port-state calls as our POSIX layer provides them, on a pty.

#include "ptypair.h"
#include "testsupport.h"
#include "win32comm.h"

#include <QTest>

#include <cstring>

class TestWin32Comm : public QObject
{
    Q_OBJECT

private slots:
    void setAndReadBackState_data();
    void setAndReadBackState();
};

void TestWin32Comm::setAndReadBackState_data()
{
    // "rate, format (data bits, parity N/O/E/M/S, stop bits), flow, format read
    // back"; no format read back: refused with ERROR_INVALID_PARAMETER.
    QTest::addColumn<QString>("row");
    QTest::newRow("tester line") << "9600 8N1 none 8N1";
    QTest::newRow("non-standard rate, 2 stop bits") << "250000 8N2 none 8N2";
    QTest::newRow("RTS/CTS") << "57600 8N1 rtscts 8N1";
    QTest::newRow("CTS out only") << "57600 8N1 cts 8N1";
    QTest::newRow("XON/XOFF") << "19200 8N1 xonxoff 8N1";
    // A pty forces 8 data bits and no parity: the real state is reported.
    QTest::newRow("7 data bits, mark parity on a pty") << "1200 7M1 none 8N1";
    QTest::newRow("8 data bits, 1.5 stop bits") << "9600 8N1.5 none";
    QTest::newRow("5 data bits, 2 stop bits") << "9600 5N2 none";
    QTest::newRow("XON equals XOFF") << "9600 8N1 xonxoff=";
}

// What can be set reads back as the driver holds it; what termios cannot
// express reads back as it was set; a refused state changes nothing.
void TestWin32Comm::setAndReadBackState()
{
    QFETCH(QString, row);
    const QStringList fields = row.split(QLatin1Char(' '));
    const QString flow = fields.at(2);
    const QString readFormat = fields.value(3);
    auto applyFormat = [](DCB &state, const QString &text) {
        state.ByteSize = BYTE(text.at(0).digitValue());
        state.Parity = BYTE(QStringLiteral("NOEMS").indexOf(text.at(1)));
        const QString stop = text.mid(2);
        state.StopBits = stop == QLatin1String("1")   ? ONESTOPBIT
                         : stop == QLatin1String("2") ? TWOSTOPBITS
                                                      : ONE5STOPBITS;
    };

    PtyPair pty;
    const HANDLE handle = CreateFileW(pty.slavePath.toStdWString().c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    QVERIFY(handle != INVALID_HANDLE_VALUE);
    DCB state = {};
    state.DCBlength = sizeof state;
    QVERIFY(GetCommState(handle, &state));
    QCOMPARE(state.DCBlength, DWORD(28));
    const DCB before = state;

    state.BaudRate = fields.at(0).toUInt();
    applyFormat(state, fields.at(1));
    state.fOutxCtsFlow = flow == QLatin1String("rtscts") || flow == QLatin1String("cts");
    state.fRtsControl = flow == QLatin1String("rtscts") ? RTS_CONTROL_HANDSHAKE : RTS_CONTROL_ENABLE;
    state.fOutX = state.fInX = flow.startsWith(QLatin1String("xonxoff"));
    state.XonChar = 'Q';
    state.XoffChar = flow.endsWith(QLatin1Char('=')) ? 'Q' : 'S';
    state.fParity = 1;
    state.fDtrControl = DTR_CONTROL_HANDSHAKE;
    state.fAbortOnError = 1;
    state.XonLim = 1234;
    state.EvtChar = '\n';
    state.ErrorChar = '?';

    DCB read = {};
    read.DCBlength = sizeof read;
    if (readFormat.isEmpty()) {
        QVERIFY(!SetCommState(handle, &state));
        QCOMPARE(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
        QVERIFY(GetCommState(handle, &read));
        QVERIFY(std::memcmp(&read, &before, sizeof read) == 0);
    } else {
        QVERIFY2(SetCommState(handle, &state), QByteArray::number(GetLastError()));
        QVERIFY(GetCommState(handle, &read));
        applyFormat(state, readFormat);
        QCOMPARE(read.BaudRate, state.BaudRate);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(&read), sizeof read).toHex(' '),
                 QByteArray(reinterpret_cast<const char *>(&state), sizeof state).toHex(' '));
    }
    CloseHandle(handle);
}

DATALOGGER_TEST_MAIN(TestWin32Comm)
#include "tst_win32comm.moc"
