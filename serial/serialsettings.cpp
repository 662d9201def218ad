#include "serialsettings.h"

#include <cstring>

namespace Kv {

static_assert(sizeof(DCB) == 28, "the port-state block must have the Win32 layout");

SerialSettings::SerialSettings()
    : values(std::make_unique<DCB>())
    , presence(std::make_unique<std::bitset<MemberCount>>())
{
    std::memset(values.get(), 0, sizeof(DCB));
    values->DCBlength = sizeof(DCB);
}

SerialSettings::~SerialSettings() = default;

void SerialSettings::mark(Member member)
{
    presence->set(member);
}

bool SerialSettings::has(Member member) const
{
    return presence->test(member);
}

const DCB &SerialSettings::valueBlock() const
{
    return *values;
}

void SerialSettings::setBaudRate(DWORD value)
{
    values->BaudRate = value;
    mark(BaudRate);
}

void SerialSettings::setBinary(DWORD value)
{
    values->fBinary = value & 1u;
    mark(Binary);
}

void SerialSettings::setParityCheck(DWORD value)
{
    values->fParity = value & 1u;
    mark(ParityCheck);
}

void SerialSettings::setOutxCtsFlow(DWORD value)
{
    values->fOutxCtsFlow = value & 1u;
    mark(OutxCtsFlow);
}

void SerialSettings::setOutxDsrFlow(DWORD value)
{
    values->fOutxDsrFlow = value & 1u;
    mark(OutxDsrFlow);
}

void SerialSettings::setDtrControl(DWORD value)
{
    values->fDtrControl = value & 3u;
    mark(DtrControl);
}

void SerialSettings::setDsrSensitivity(DWORD value)
{
    values->fDsrSensitivity = value & 1u;
    mark(DsrSensitivity);
}

void SerialSettings::setTxContinueOnXoff(DWORD value)
{
    values->fTXContinueOnXoff = value & 1u;
    mark(TxContinueOnXoff);
}

void SerialSettings::setOutX(DWORD value)
{
    values->fOutX = value & 1u;
    mark(OutX);
}

void SerialSettings::setInX(DWORD value)
{
    values->fInX = value & 1u;
    mark(InX);
}

void SerialSettings::setErrorCharReplace(DWORD value)
{
    values->fErrorChar = value & 1u;
    mark(ErrorCharReplace);
}

void SerialSettings::setNullDiscard(DWORD value)
{
    values->fNull = value & 1u;
    mark(NullDiscard);
}

void SerialSettings::setRtsControl(DWORD value)
{
    values->fRtsControl = value & 3u;
    mark(RtsControl);
}

void SerialSettings::setAbortOnError(DWORD value)
{
    values->fAbortOnError = value & 1u;
    mark(AbortOnError);
}

void SerialSettings::setXonLim(DWORD value)
{
    values->XonLim = static_cast<WORD>(value);
    mark(XonLim);
}

void SerialSettings::setXoffLim(DWORD value)
{
    values->XoffLim = static_cast<WORD>(value);
    mark(XoffLim);
}

void SerialSettings::setByteSize(DWORD value)
{
    values->ByteSize = static_cast<BYTE>(value);
    mark(ByteSize);
}

void SerialSettings::setParity(DWORD value)
{
    values->Parity = static_cast<BYTE>(value);
    mark(Parity);
}

void SerialSettings::setStopBits(DWORD value)
{
    values->StopBits = static_cast<BYTE>(value);
    mark(StopBits);
}

void SerialSettings::setXonChar(char value)
{
    values->XonChar = value;
    mark(XonChar);
}

void SerialSettings::setXoffChar(char value)
{
    values->XoffChar = value;
    mark(XoffChar);
}

void SerialSettings::setEvtChar(char value)
{
    values->EvtChar = value;
    mark(EvtChar);
}

DWORD SerialSettings::baudRate() const
{
    return values->BaudRate;
}

DWORD SerialSettings::binary() const
{
    return values->fBinary;
}

DWORD SerialSettings::parityCheck() const
{
    return values->fParity;
}

DWORD SerialSettings::outxCtsFlow() const
{
    return values->fOutxCtsFlow;
}

DWORD SerialSettings::outxDsrFlow() const
{
    return values->fOutxDsrFlow;
}

DWORD SerialSettings::dtrControl() const
{
    return values->fDtrControl;
}

DWORD SerialSettings::dsrSensitivity() const
{
    return values->fDsrSensitivity;
}

DWORD SerialSettings::txContinueOnXoff() const
{
    return values->fTXContinueOnXoff;
}

DWORD SerialSettings::outX() const
{
    return values->fOutX;
}

DWORD SerialSettings::inX() const
{
    return values->fInX;
}

DWORD SerialSettings::errorCharReplace() const
{
    return values->fErrorChar;
}

DWORD SerialSettings::nullDiscard() const
{
    return values->fNull;
}

DWORD SerialSettings::rtsControl() const
{
    return values->fRtsControl;
}

DWORD SerialSettings::abortOnError() const
{
    return values->fAbortOnError;
}

DWORD SerialSettings::xonLim() const
{
    return values->XonLim;
}

DWORD SerialSettings::xoffLim() const
{
    return values->XoffLim;
}

DWORD SerialSettings::byteSize() const
{
    return values->ByteSize;
}

DWORD SerialSettings::parity() const
{
    return values->Parity;
}

DWORD SerialSettings::stopBits() const
{
    return values->StopBits;
}

char SerialSettings::xonChar() const
{
    return values->XonChar;
}

char SerialSettings::xoffChar() const
{
    return values->XoffChar;
}

char SerialSettings::evtChar() const
{
    return values->EvtChar;
}

bool SerialSettings::hasBaudRate() const
{
    return has(BaudRate);
}

bool SerialSettings::hasBinary() const
{
    return has(Binary);
}

bool SerialSettings::hasParityCheck() const
{
    return has(ParityCheck);
}

bool SerialSettings::hasOutxCtsFlow() const
{
    return has(OutxCtsFlow);
}

bool SerialSettings::hasOutxDsrFlow() const
{
    return has(OutxDsrFlow);
}

bool SerialSettings::hasDtrControl() const
{
    return has(DtrControl);
}

bool SerialSettings::hasDsrSensitivity() const
{
    return has(DsrSensitivity);
}

bool SerialSettings::hasTxContinueOnXoff() const
{
    return has(TxContinueOnXoff);
}

bool SerialSettings::hasOutX() const
{
    return has(OutX);
}

bool SerialSettings::hasInX() const
{
    return has(InX);
}

bool SerialSettings::hasErrorCharReplace() const
{
    return has(ErrorCharReplace);
}

bool SerialSettings::hasNullDiscard() const
{
    return has(NullDiscard);
}

bool SerialSettings::hasRtsControl() const
{
    return has(RtsControl);
}

bool SerialSettings::hasAbortOnError() const
{
    return has(AbortOnError);
}

bool SerialSettings::hasXonLim() const
{
    return has(XonLim);
}

bool SerialSettings::hasXoffLim() const
{
    return has(XoffLim);
}

bool SerialSettings::hasByteSize() const
{
    return has(ByteSize);
}

bool SerialSettings::hasParity() const
{
    return has(Parity);
}

bool SerialSettings::hasStopBits() const
{
    return has(StopBits);
}

bool SerialSettings::hasXonChar() const
{
    return has(XonChar);
}

bool SerialSettings::hasXoffChar() const
{
    return has(XoffChar);
}

bool SerialSettings::hasEvtChar() const
{
    return has(EvtChar);
}

void SerialSettings::applyTo(DCB &portState) const
{
    // Bit-field assignment replaces only that member's bits of the flag word.
    if (has(BaudRate))
        portState.BaudRate = values->BaudRate;
    if (has(ByteSize))
        portState.ByteSize = values->ByteSize;
    if (has(StopBits))
        portState.StopBits = values->StopBits;
    if (has(Binary))
        portState.fBinary = values->fBinary;
    if (has(ParityCheck))
        portState.fParity = values->fParity;
    if (has(Parity))
        portState.Parity = values->Parity;
    if (has(OutxDsrFlow))
        portState.fOutxDsrFlow = values->fOutxDsrFlow;
    if (has(DsrSensitivity))
        portState.fDsrSensitivity = values->fDsrSensitivity;
    if (has(DtrControl))
        portState.fDtrControl = values->fDtrControl;
    if (has(OutxCtsFlow))
        portState.fOutxCtsFlow = values->fOutxCtsFlow;
    if (has(RtsControl))
        portState.fRtsControl = values->fRtsControl;
    if (has(OutX))
        portState.fOutX = values->fOutX;
    if (has(InX))
        portState.fInX = values->fInX;
    if (has(XonChar))
        portState.XonChar = values->XonChar;
    if (has(XoffChar))
        portState.XoffChar = values->XoffChar;
    if (has(EvtChar))
        portState.EvtChar = values->EvtChar;
    if (has(XonLim))
        portState.XonLim = values->XonLim;
    if (has(XoffLim))
        portState.XoffLim = values->XoffLim;
    if (has(TxContinueOnXoff))
        portState.fTXContinueOnXoff = values->fTXContinueOnXoff;
    if (has(ErrorCharReplace))
        portState.fErrorChar = values->fErrorChar;
    if (has(NullDiscard))
        portState.fNull = values->fNull;
    if (has(AbortOnError))
        portState.fAbortOnError = values->fAbortOnError;
}

} // namespace Kv
