#include "serialsettings.h"
#include "testsupport.h"

#include <QTest>

#include <cstring>
#include <functional>

using Kv::SerialSettings;

namespace {

// One settable member: how to set it, what the member then holds, and its flag.
struct MemberCase
{
    const char *tag;
    std::function<void(SerialSettings &)> set;
    std::function<void(DCB &)> expect;
    bool (SerialSettings::*has)() const;
};

// Values at the edges of each member's width: the setter keeps the low bits.
#define MEMBER(tag, setter, value, field, stored, flag)                                                      \
    MemberCase                                                                                               \
    {                                                                                                        \
        tag, [](SerialSettings &s) { s.setter(value); }, [](DCB &d) { d.field = stored; },                   \
            &SerialSettings::flag                                                                            \
    }
// clang-format off
const QList<MemberCase> members = {
    MEMBER("BaudRate", setBaudRate, 0xfffffffe, BaudRate, 0xfffffffe, hasBaudRate),
    MEMBER("fBinary 2 is 0", setBinary, 2, fBinary, 0, hasBinary),
    MEMBER("fParity", setParityCheck, 1, fParity, 1, hasParityCheck),
    MEMBER("fOutxCtsFlow", setOutxCtsFlow, 0, fOutxCtsFlow, 0, hasOutxCtsFlow),
    MEMBER("fOutxDsrFlow", setOutxDsrFlow, 1, fOutxDsrFlow, 1, hasOutxDsrFlow),
    MEMBER("fDtrControl 6 is 2", setDtrControl, 6, fDtrControl, 2, hasDtrControl),
    MEMBER("fDsrSensitivity", setDsrSensitivity, 0, fDsrSensitivity, 0, hasDsrSensitivity),
    MEMBER("fTXContinueOnXoff", setTxContinueOnXoff, 1, fTXContinueOnXoff, 1, hasTxContinueOnXoff),
    MEMBER("fOutX", setOutX, 1, fOutX, 1, hasOutX),
    MEMBER("fInX", setInX, 0, fInX, 0, hasInX),
    MEMBER("fErrorChar", setErrorCharReplace, 1, fErrorChar, 1, hasErrorCharReplace),
    MEMBER("fNull", setNullDiscard, 0, fNull, 0, hasNullDiscard),
    MEMBER("fRtsControl 5 is 1", setRtsControl, 5, fRtsControl, 1, hasRtsControl),
    MEMBER("fAbortOnError", setAbortOnError, 1, fAbortOnError, 1, hasAbortOnError),
    MEMBER("XonLim 0x12345 is 0x2345", setXonLim, 0x12345, XonLim, 0x2345, hasXonLim),
    MEMBER("XoffLim", setXoffLim, 0, XoffLim, 0, hasXoffLim),
    MEMBER("ByteSize 0x107 is 7", setByteSize, 0x107, ByteSize, 7, hasByteSize),
    MEMBER("Parity", setParity, 4, Parity, 4, hasParity),
    MEMBER("StopBits", setStopBits, 0, StopBits, 0, hasStopBits),
    MEMBER("XonChar", setXonChar, '\x11', XonChar, '\x11', hasXonChar),
    MEMBER("XoffChar", setXoffChar, '\x93', XoffChar, '\x93', hasXoffChar),
    MEMBER("EvtChar", setEvtChar, '\n', EvtChar, '\n', hasEvtChar),
};
// clang-format on
#undef MEMBER

// A driver's block with every byte, DCBlength included, set to the pattern.
DCB driverBlock(unsigned char pattern)
{
    DCB block;
    std::memset(&block, pattern, sizeof block);
    return block;
}

QByteArray bytesOf(const DCB &block)
{
    return QByteArray(reinterpret_cast<const char *>(&block), sizeof block).toHex(' ');
}

const unsigned char patterns[] = {0x00, 0xff, 0xa5};

} // namespace

class TestSerialSettings : public QObject
{
    Q_OBJECT

private slots:
    void emptyRecordChangesNothing();
    void applyOneMember_data();
    void applyOneMember();
    void fullRecordKeepsUnsettableMembers();
};

void TestSerialSettings::emptyRecordChangesNothing()
{
    SerialSettings settings;
    DCB expected = driverBlock(0);
    expected.DCBlength = 28;
    QCOMPARE(bytesOf(settings.valueBlock()), bytesOf(expected));
    for (unsigned char pattern : patterns) {
        DCB target = driverBlock(pattern);
        settings.applyTo(target);
        QCOMPARE(bytesOf(target), bytesOf(driverBlock(pattern)));
    }
}

void TestSerialSettings::applyOneMember_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < members.size(); ++i)
        QTest::newRow(members.at(i).tag) << i;
}

// Only the member that was set changes, whatever the driver's neighbouring
// bits are, and only its flag is raised.
void TestSerialSettings::applyOneMember()
{
    QFETCH(int, index);
    const MemberCase &member = members.at(index);
    SerialSettings settings;
    member.set(settings);
    for (const MemberCase &other : members)
        QCOMPARE((settings.*other.has)(), other.has == member.has);
    for (unsigned char pattern : patterns) {
        DCB target = driverBlock(pattern);
        settings.applyTo(target);
        DCB expected = driverBlock(pattern);
        member.expect(expected);
        QCOMPARE(bytesOf(target), bytesOf(expected));
    }
}

// All 22 members land; DCBlength, ErrorChar, EofChar and the reserved members
// keep the driver's values.
void TestSerialSettings::fullRecordKeepsUnsettableMembers()
{
    SerialSettings settings;
    for (const MemberCase &member : members)
        member.set(settings);
    for (unsigned char pattern : patterns) {
        DCB target = driverBlock(pattern);
        settings.applyTo(target);
        DCB expected = driverBlock(pattern);
        for (const MemberCase &member : members)
            member.expect(expected);
        QCOMPARE(bytesOf(target), bytesOf(expected));
    }
}

DATALOGGER_TEST_MAIN(TestSerialSettings)
#include "tst_serialsettings.moc"
