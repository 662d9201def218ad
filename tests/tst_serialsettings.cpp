#include "serialsettings.h"
#include "testsupport.h"

#include <QTest>

#include <cstring>
#include <functional>

using Kv::SerialSettings;

namespace {

// One settable member: how to set it, the value it must then hold in a block,
// and whether the record says it is set.
struct MemberCase
{
    const char *tag;
    std::function<void(SerialSettings &)> set;
    std::function<void(DCB &)> expect;
    bool (SerialSettings::*has)() const;
};

const QList<MemberCase> &memberCases()
{
    static const QList<MemberCase> cases = {
        {"BaudRate 9600", [](SerialSettings &s) { s.setBaudRate(9600); }, [](DCB &d) { d.BaudRate = 9600; },
         &SerialSettings::hasBaudRate},
        {"BaudRate max", [](SerialSettings &s) { s.setBaudRate(0xffffffffu); },
         [](DCB &d) { d.BaudRate = 0xffffffffu; }, &SerialSettings::hasBaudRate},
        {"fBinary 2 keeps lowest bit", [](SerialSettings &s) { s.setBinary(2); },
         [](DCB &d) { d.fBinary = 0; }, &SerialSettings::hasBinary},
        {"fBinary 3", [](SerialSettings &s) { s.setBinary(3); }, [](DCB &d) { d.fBinary = 1; },
         &SerialSettings::hasBinary},
        {"fParity", [](SerialSettings &s) { s.setParityCheck(1); }, [](DCB &d) { d.fParity = 1; },
         &SerialSettings::hasParityCheck},
        {"fOutxCtsFlow", [](SerialSettings &s) { s.setOutxCtsFlow(0); }, [](DCB &d) { d.fOutxCtsFlow = 0; },
         &SerialSettings::hasOutxCtsFlow},
        {"fOutxDsrFlow", [](SerialSettings &s) { s.setOutxDsrFlow(1); }, [](DCB &d) { d.fOutxDsrFlow = 1; },
         &SerialSettings::hasOutxDsrFlow},
        {"fDtrControl 2", [](SerialSettings &s) { s.setDtrControl(2); }, [](DCB &d) { d.fDtrControl = 2; },
         &SerialSettings::hasDtrControl},
        {"fDtrControl 5 keeps two bits", [](SerialSettings &s) { s.setDtrControl(5); },
         [](DCB &d) { d.fDtrControl = 1; }, &SerialSettings::hasDtrControl},
        {"fDsrSensitivity", [](SerialSettings &s) { s.setDsrSensitivity(1); },
         [](DCB &d) { d.fDsrSensitivity = 1; }, &SerialSettings::hasDsrSensitivity},
        {"fTXContinueOnXoff", [](SerialSettings &s) { s.setTxContinueOnXoff(0); },
         [](DCB &d) { d.fTXContinueOnXoff = 0; }, &SerialSettings::hasTxContinueOnXoff},
        {"fOutX", [](SerialSettings &s) { s.setOutX(1); }, [](DCB &d) { d.fOutX = 1; },
         &SerialSettings::hasOutX},
        {"fInX", [](SerialSettings &s) { s.setInX(0); }, [](DCB &d) { d.fInX = 0; }, &SerialSettings::hasInX},
        {"fErrorChar", [](SerialSettings &s) { s.setErrorCharReplace(1); }, [](DCB &d) { d.fErrorChar = 1; },
         &SerialSettings::hasErrorCharReplace},
        {"fNull", [](SerialSettings &s) { s.setNullDiscard(0); }, [](DCB &d) { d.fNull = 0; },
         &SerialSettings::hasNullDiscard},
        {"fRtsControl 3", [](SerialSettings &s) { s.setRtsControl(3); }, [](DCB &d) { d.fRtsControl = 3; },
         &SerialSettings::hasRtsControl},
        {"fRtsControl 4 keeps two bits", [](SerialSettings &s) { s.setRtsControl(4); },
         [](DCB &d) { d.fRtsControl = 0; }, &SerialSettings::hasRtsControl},
        {"fAbortOnError", [](SerialSettings &s) { s.setAbortOnError(1); },
         [](DCB &d) { d.fAbortOnError = 1; }, &SerialSettings::hasAbortOnError},
        {"XonLim keeps low 16 bits", [](SerialSettings &s) { s.setXonLim(0x12345); },
         [](DCB &d) { d.XonLim = 0x2345; }, &SerialSettings::hasXonLim},
        {"XoffLim", [](SerialSettings &s) { s.setXoffLim(0xffff); }, [](DCB &d) { d.XoffLim = 0xffff; },
         &SerialSettings::hasXoffLim},
        {"ByteSize keeps low 8 bits", [](SerialSettings &s) { s.setByteSize(0x107); },
         [](DCB &d) { d.ByteSize = 7; }, &SerialSettings::hasByteSize},
        {"Parity", [](SerialSettings &s) { s.setParity(4); }, [](DCB &d) { d.Parity = 4; },
         &SerialSettings::hasParity},
        {"StopBits", [](SerialSettings &s) { s.setStopBits(2); }, [](DCB &d) { d.StopBits = 2; },
         &SerialSettings::hasStopBits},
        {"XonChar", [](SerialSettings &s) { s.setXonChar('\x11'); }, [](DCB &d) { d.XonChar = '\x11'; },
         &SerialSettings::hasXonChar},
        {"XoffChar", [](SerialSettings &s) { s.setXoffChar('\x93'); }, [](DCB &d) { d.XoffChar = '\x93'; },
         &SerialSettings::hasXoffChar},
        {"EvtChar", [](SerialSettings &s) { s.setEvtChar('\n'); }, [](DCB &d) { d.EvtChar = '\n'; },
         &SerialSettings::hasEvtChar},
    };
    return cases;
}

// A driver's block: every byte set to the pattern, DCBlength as the driver has it.
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

} // namespace

class TestSerialSettings : public QObject
{
    Q_OBJECT

private slots:
    void emptyRecord();
    void applyOneMember_data();
    void applyOneMember();
    void lastValueWins();
    void fullRecordLeavesUnsettableMembers();
};

void TestSerialSettings::emptyRecord()
{
    SerialSettings settings;
    DCB expected;
    std::memset(&expected, 0, sizeof expected);
    expected.DCBlength = 28;
    QCOMPARE(bytesOf(settings.valueBlock()), bytesOf(expected));
    for (const MemberCase &member : memberCases())
        QVERIFY2(!(settings.*member.has)(), member.tag);

    for (unsigned char pattern : {0x00, 0xff, 0x5a}) {
        DCB target = driverBlock(pattern);
        settings.applyTo(target);
        QCOMPARE(bytesOf(target), bytesOf(driverBlock(pattern)));
    }
}

void TestSerialSettings::applyOneMember_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < memberCases().size(); ++i)
        QTest::newRow(memberCases().at(i).tag) << i;
}

// Only the member that was set changes, whatever the driver's neighbouring bits
// are; the record's flag and its own copy follow the setter.
void TestSerialSettings::applyOneMember()
{
    QFETCH(int, index);
    const MemberCase &member = memberCases().at(index);
    SerialSettings settings;
    member.set(settings);
    QVERIFY((settings.*member.has)());
    for (const MemberCase &other : memberCases())
        QCOMPARE((settings.*other.has)(), other.has == member.has);

    DCB ownCopy = settings.valueBlock();
    DCB expectedOwn;
    std::memset(&expectedOwn, 0, sizeof expectedOwn);
    expectedOwn.DCBlength = 28;
    member.expect(expectedOwn);
    QCOMPARE(bytesOf(ownCopy), bytesOf(expectedOwn));

    for (unsigned char pattern : {0x00, 0xff, 0xa5}) {
        DCB target = driverBlock(pattern);
        settings.applyTo(target);
        DCB expected = driverBlock(pattern);
        member.expect(expected);
        QCOMPARE(bytesOf(target), bytesOf(expected));
    }
}

void TestSerialSettings::lastValueWins()
{
    SerialSettings settings;
    settings.setBaudRate(115200);
    settings.setBaudRate(9600);
    settings.setDtrControl(2);
    settings.setDtrControl(1);
    QCOMPARE(settings.baudRate(), DWORD(9600));
    QCOMPARE(settings.dtrControl(), DWORD(1));
    DCB target = driverBlock(0xff);
    settings.applyTo(target);
    QCOMPARE(target.BaudRate, DWORD(9600));
    QCOMPARE(DWORD(target.fDtrControl), DWORD(1));
}

// The download's full record: all 22 members land, DCBlength, ErrorChar,
// EofChar and the reserved members keep the driver's values.
void TestSerialSettings::fullRecordLeavesUnsettableMembers()
{
    SerialSettings settings;
    for (const MemberCase &member : memberCases())
        member.set(settings);
    for (const MemberCase &member : memberCases())
        QVERIFY2((settings.*member.has)(), member.tag);

    for (unsigned char pattern : {0x00, 0xff}) {
        DCB target = driverBlock(pattern);
        settings.applyTo(target);
        DCB expected = driverBlock(pattern);
        for (const MemberCase &member : memberCases())
            member.expect(expected);
        QCOMPARE(bytesOf(target), bytesOf(expected));
        const DCB untouched = driverBlock(pattern);
        QCOMPARE(target.DCBlength, untouched.DCBlength);
        QCOMPARE(target.ErrorChar, untouched.ErrorChar);
        QCOMPARE(target.EofChar, untouched.EofChar);
        QCOMPARE(target.wReserved, untouched.wReserved);
        QCOMPARE(target.wReserved1, untouched.wReserved1);
        QCOMPARE(DWORD(target.fDummy2), DWORD(untouched.fDummy2));
    }
}

DATALOGGER_TEST_MAIN(TestSerialSettings)
#include "tst_serialsettings.moc"
