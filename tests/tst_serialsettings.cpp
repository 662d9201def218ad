#include "serialsettings.h"
#include "testsupport.h"

#include <cstring>

using Kv::SerialSettings;

namespace {

// Every member: its setter given a value wider than the member, what the
// member then holds, its getter, its presence query and its DCB field.
struct Member
{
    const char *name;
    void (*set)(SerialSettings &);
    DWORD (*get)(const SerialSettings &);
    bool (SerialSettings::*has)() const;
    void (*expect)(DCB &);
    DWORD stored;
};

// clang-format off
#define MEMBER(Name, getter, value, field, stored)                                                           \
    Member{#Name, [](SerialSettings &s) { s.set##Name(value); },                                             \
           [](const SerialSettings &s) { return DWORD(s.getter()); }, &SerialSettings::has##Name,           \
           [](DCB &d) { d.field = stored; }, DWORD(stored)}
const Member allMembers[] = {
    MEMBER(BaudRate, baudRate, 0xfffffffe, BaudRate, 0xfffffffe),
    MEMBER(Binary, binary, 3, fBinary, 1),
    MEMBER(ParityCheck, parityCheck, 3, fParity, 1),
    MEMBER(OutxCtsFlow, outxCtsFlow, 3, fOutxCtsFlow, 1),
    MEMBER(OutxDsrFlow, outxDsrFlow, 3, fOutxDsrFlow, 1),
    MEMBER(DtrControl, dtrControl, 6, fDtrControl, 2),
    MEMBER(DsrSensitivity, dsrSensitivity, 3, fDsrSensitivity, 1),
    MEMBER(TxContinueOnXoff, txContinueOnXoff, 3, fTXContinueOnXoff, 1),
    MEMBER(OutX, outX, 3, fOutX, 1),
    MEMBER(InX, inX, 3, fInX, 1),
    MEMBER(ErrorCharReplace, errorCharReplace, 3, fErrorChar, 1),
    MEMBER(NullDiscard, nullDiscard, 3, fNull, 1),
    MEMBER(RtsControl, rtsControl, 5, fRtsControl, 1),
    MEMBER(AbortOnError, abortOnError, 3, fAbortOnError, 1),
    MEMBER(XonLim, xonLim, 0x12345, XonLim, 0x2345),
    MEMBER(XoffLim, xoffLim, 0x1fedc, XoffLim, 0xfedc),
    MEMBER(ByteSize, byteSize, 0x107, ByteSize, 7),
    MEMBER(Parity, parity, 0x302, Parity, 2),
    MEMBER(StopBits, stopBits, 0x201, StopBits, 1),
    MEMBER(XonChar, xonChar, '\x11', XonChar, '\x11'),
    MEMBER(XoffChar, xoffChar, '\x93', XoffChar, '\x93'),
    MEMBER(EvtChar, evtChar, '\n', EvtChar, '\n'),
};
// clang-format on
#undef MEMBER
constexpr int memberCount = sizeof allMembers / sizeof *allMembers;

QByteArray hex(const DCB &block)
{
    return QByteArray(reinterpret_cast<const char *>(&block), sizeof block).toHex(' ');
}

} // namespace

class TestSerialSettings : public QObject
{
    Q_OBJECT

private slots:
    void members_data()
    {
        QTest::addColumn<int>("set"); // one bit for each row of allMembers
        QTest::newRow("empty record") << 0;
        for (int i = 0; i < memberCount; ++i)
            QTest::newRow(allMembers[i].name) << (1 << i);
        QTest::newRow("all") << (1 << memberCount) - 1;
    }

    // A member that was set reads back truncated to its width and is present;
    // every other member stays absent and zero. applyTo() changes only the
    // members that were set, whatever the driver's neighbouring bits are;
    // DCBlength, ErrorChar, EofChar and the reserved members keep the driver's values.
    void members()
    {
        QFETCH(int, set);
        SerialSettings settings;
        for (int i = 0; i < memberCount; ++i) {
            if (set & (1 << i))
                allMembers[i].set(settings);
        }
        DCB block = {};
        block.DCBlength = sizeof block;
        for (int i = 0; i < memberCount; ++i) {
            const bool isSet = set & (1 << i);
            QVERIFY2((settings.*allMembers[i].has)() == isSet, allMembers[i].name);
            QVERIFY2(allMembers[i].get(settings) == (isSet ? allMembers[i].stored : 0), allMembers[i].name);
            if (isSet)
                allMembers[i].expect(block);
        }
        QCOMPARE(hex(settings.valueBlock()), hex(block));

        for (unsigned char pattern : {0x00, 0xff, 0xa5}) {
            DCB target, expected;
            std::memset(&target, pattern, sizeof target);
            std::memset(&expected, pattern, sizeof expected);
            settings.applyTo(target);
            for (int i = 0; i < memberCount; ++i) {
                if (set & (1 << i))
                    allMembers[i].expect(expected);
            }
            QCOMPARE(hex(target), hex(expected));
        }
    }
};

DATALOGGER_TEST_MAIN(TestSerialSettings)
#include "tst_serialsettings.moc"
