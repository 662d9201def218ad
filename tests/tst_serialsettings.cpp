#include "serialsettings.h"
#include "testsupport.h"

#include <QTest>

#include <cstring>

using Kv::SerialSettings;

namespace {

// A settable member: how to set it and what the member then holds. Rows at
// the edges of the flag word and of each kind of member; a setter keeps the
// low bits.
struct MemberCase
{
    const char *tag;
    void (*set)(SerialSettings &);
    void (*expect)(DCB &);
};

#define MEMBER(tag, setter, value, field, stored)                                                            \
    MemberCase                                                                                               \
    {                                                                                                        \
        tag, [](SerialSettings &s) { s.setter(value); }, [](DCB &d) {                                        \
            d.field = stored;                                                                                \
        }                                                                                                    \
    }
// clang-format off
const MemberCase members[] = {
    MEMBER("BaudRate", setBaudRate, 0xfffffffe, BaudRate, 0xfffffffe),
    MEMBER("fBinary (lowest bit) 2 is 0", setBinary, 2, fBinary, 0),
    MEMBER("fOutxCtsFlow", setOutxCtsFlow, 1, fOutxCtsFlow, 1),
    MEMBER("fDtrControl 6 is 2", setDtrControl, 6, fDtrControl, 2),
    MEMBER("fInX", setInX, 0, fInX, 0),
    MEMBER("fRtsControl 5 is 1", setRtsControl, 5, fRtsControl, 1),
    MEMBER("fAbortOnError (highest bit)", setAbortOnError, 1, fAbortOnError, 1),
    MEMBER("XonLim 0x12345 is 0x2345", setXonLim, 0x12345, XonLim, 0x2345),
    MEMBER("ByteSize 0x107 is 7", setByteSize, 0x107, ByteSize, 7),
    MEMBER("XoffChar", setXoffChar, '\x93', XoffChar, '\x93'),
    MEMBER("EvtChar (last)", setEvtChar, '\n', EvtChar, '\n'),
};
// clang-format on
#undef MEMBER
constexpr int memberCount = sizeof members / sizeof *members;

} // namespace

class TestSerialSettings : public QObject
{
    Q_OBJECT

private slots:

    void applyTo_data()
    {
        QTest::addColumn<int>("set"); // one bit for each row of members
        QTest::newRow("empty record") << 0;
        for (int i = 0; i < memberCount; ++i)
            QTest::newRow(members[i].tag) << (1 << i);
        QTest::newRow("all these") << (1 << memberCount) - 1;
    }

    // Only the members that were set change, whatever the driver's neighbouring
    // bits are; DCBlength, ErrorChar, EofChar and the reserved members always keep
    // the driver's values.
    void applyTo()
    {
        QFETCH(int, set);
        SerialSettings settings;
        for (int i = 0; i < memberCount; ++i) {
            if (set & (1 << i))
                members[i].set(settings);
        }
        for (unsigned char pattern : {0x00, 0xff, 0xa5}) {
            DCB target, expected;
            std::memset(&target, pattern, sizeof target);
            std::memset(&expected, pattern, sizeof expected);
            settings.applyTo(target);
            for (int i = 0; i < memberCount; ++i) {
                if (set & (1 << i))
                    members[i].expect(expected);
            }
            QCOMPARE(QByteArray(reinterpret_cast<const char *>(&target), sizeof target).toHex(' '),
                     QByteArray(reinterpret_cast<const char *>(&expected), sizeof expected).toHex(' '));
        }
    }
};

DATALOGGER_TEST_MAIN(TestSerialSettings)
#include "tst_serialsettings.moc"
