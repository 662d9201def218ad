#pragma once

#include "win32comm.h"

#include <bitset>
#include <memory>

namespace Kv {

// The line settings a caller wants for a port, shaped like the Win32 DCB.
// Only the members that were set are applied at open; every other member keeps
// the value the driver reports, so an empty record changes nothing.
class SerialSettings
{
public:
    SerialSettings();
    ~SerialSettings();
    SerialSettings(const SerialSettings &) = delete;
    SerialSettings &operator=(const SerialSettings &) = delete;

    // Each setter stores its value truncated to the member's width.
    void setBaudRate(DWORD value);
    void setBinary(DWORD value);
    void setParityCheck(DWORD value);
    void setOutxCtsFlow(DWORD value);
    void setOutxDsrFlow(DWORD value);
    void setDtrControl(DWORD value);
    void setDsrSensitivity(DWORD value);
    void setTxContinueOnXoff(DWORD value);
    void setOutX(DWORD value);
    void setInX(DWORD value);
    void setErrorCharReplace(DWORD value);
    void setNullDiscard(DWORD value);
    void setRtsControl(DWORD value);
    void setAbortOnError(DWORD value);
    void setXonLim(DWORD value);
    void setXoffLim(DWORD value);
    void setByteSize(DWORD value);
    void setParity(DWORD value);
    void setStopBits(DWORD value);
    void setXonChar(char value);
    void setXoffChar(char value);
    void setEvtChar(char value);

    DWORD baudRate() const;
    DWORD binary() const;
    DWORD parityCheck() const;
    DWORD outxCtsFlow() const;
    DWORD outxDsrFlow() const;
    DWORD dtrControl() const;
    DWORD dsrSensitivity() const;
    DWORD txContinueOnXoff() const;
    DWORD outX() const;
    DWORD inX() const;
    DWORD errorCharReplace() const;
    DWORD nullDiscard() const;
    DWORD rtsControl() const;
    DWORD abortOnError() const;
    DWORD xonLim() const;
    DWORD xoffLim() const;
    DWORD byteSize() const;
    DWORD parity() const;
    DWORD stopBits() const;
    char xonChar() const;
    char xoffChar() const;
    char evtChar() const;

    bool hasBaudRate() const;
    bool hasBinary() const;
    bool hasParityCheck() const;
    bool hasOutxCtsFlow() const;
    bool hasOutxDsrFlow() const;
    bool hasDtrControl() const;
    bool hasDsrSensitivity() const;
    bool hasTxContinueOnXoff() const;
    bool hasOutX() const;
    bool hasInX() const;
    bool hasErrorCharReplace() const;
    bool hasNullDiscard() const;
    bool hasRtsControl() const;
    bool hasAbortOnError() const;
    bool hasXonLim() const;
    bool hasXoffLim() const;
    bool hasByteSize() const;
    bool hasParity() const;
    bool hasStopBits() const;
    bool hasXonChar() const;
    bool hasXoffChar() const;
    bool hasEvtChar() const;

    // The record's own value block (DCBlength 28, unset members zero).
    const DCB &valueBlock() const;

    // Copies the members that were set into portState; a bit member replaces
    // only its own bits of the flag word.
    void applyTo(DCB &portState) const;

private:
    // One flag per member, numbered in the order of the DCB members.
    enum Member {
        BaudRate = 0,
        Binary = 1,
        ParityCheck = 2,
        OutxCtsFlow = 3,
        OutxDsrFlow = 4,
        DtrControl = 5,
        DsrSensitivity = 6,
        TxContinueOnXoff = 7,
        OutX = 8,
        InX = 9,
        ErrorCharReplace = 10,
        NullDiscard = 11,
        RtsControl = 12,
        AbortOnError = 13,
        XonLim = 16,
        XoffLim = 17,
        ByteSize = 18,
        Parity = 19,
        StopBits = 20,
        XonChar = 21,
        XoffChar = 22,
        EvtChar = 25,
        MemberCount = 26
    };

    void mark(Member member);
    bool has(Member member) const;

    std::unique_ptr<DCB> values;
    std::unique_ptr<std::bitset<MemberCount>> presence;
};

} // namespace Kv
