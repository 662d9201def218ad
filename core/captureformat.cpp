#include "captureformat.h"

namespace CaptureFormat {

namespace {

using Outcome = Download::Outcome;

struct ReasonName
{
    Outcome reason;
    const char *word;
};

// Words, not the enum's numbers: a capture outlives the program that made it.
constexpr ReasonName reasonNames[] = {
    {Outcome::Complete, "complete"},
    {Outcome::EndedMidLine, "ended-mid-line"},
    {Outcome::LineLost, "line-lost"},
    {Outcome::PortGone, "port-gone"},
    {Outcome::NothingArrived, "nothing-arrived"},
    {Outcome::LineBusy, "line-busy"},
    {Outcome::Cancelled, "cancelled"},
};

} // namespace

QByteArray reasonWord(Outcome reason)
{
    // A replay's ends of its own, never written in a capture's end line.
    if (reason == Outcome::CutShort)
        return "cut-short";
    if (reason == Outcome::CaptureDamaged)
        return "damaged";
    for (const ReasonName &name : reasonNames) {
        if (name.reason == reason)
            return name.word;
    }
    return "not-ended";
}

Outcome reasonOf(const QByteArray &word)
{
    for (const ReasonName &name : reasonNames) {
        if (word == name.word)
            return name.reason;
    }
    return Outcome::NotEnded;
}

QByteArray encodeValue(const QByteArray &value)
{
    QByteArray encoded;
    encoded.reserve(value.size());
    for (const char byte : value) {
        const auto code = uchar(byte);
        if (code < 0x20 || code == 0x7f || byte == '%')
            encoded += '%' + QByteArray::number(code, 16).rightJustified(2, '0').toUpper();
        else
            encoded += byte;
    }
    return encoded;
}

} // namespace CaptureFormat
