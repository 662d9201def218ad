#include "capturereader.h"

#include <algorithm>

namespace {

// No line of a capture but its chunks' bytes comes near this.
constexpr qint64 maxLineLength = 64 * 1024;

// Ten years: any download fits, and sums and differences of such times fit
// in a qint64, their seconds in an int.
constexpr qint64 maxMicroseconds = 10LL * 366 * 24 * 3600 * 1000000;

bool isDigits(const QByteArray &text)
{
    return !text.isEmpty() &&
           std::all_of(text.begin(), text.end(), [](char digit) { return digit >= '0' && digit <= '9'; });
}

// A whole number of at least 0 in decimal digits alone. No more than 18
// digits: they cannot overflow.
bool readNumber(const QByteArray &text, qint64 &number)
{
    if (text.size() > 18 || !isDigits(text))
        return false;
    number = 0;
    for (const char digit : text)
        number = number * 10 + (digit - '0');
    return true;
}

} // namespace

CaptureReader::CaptureReader(const QString &path)
    : file(path)
{}

bool CaptureReader::open()
{
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        state = State::Failed;
        return false;
    }
    if (!readFormatLine() || !readHeader())
        return false;
    state = State::Chunks;
    return true;
}

bool CaptureReader::readFormatLine()
{
    QByteArray line;
    const QByteArray magic = QByteArray(CaptureFormat::magic) + ' ';
    const bool firstLine = readLine(line);
    if (!line.startsWith(magic) || (!firstLine && !lineTooLong)) {
        error = tr("it is not a capture");
        state = State::Failed;
        return false;
    }
    if (!firstLine)
        return lineNotRead(QString());
    QByteArray number = line.mid(magic.size());
    while (number.size() > 1 && number.startsWith('0'))
        number.remove(0, 1);
    if (!isDigits(number) || number == "0")
        return damaged(tr("the format's number is missing"));
    // However large: a number too long to read is a newer one all the same.
    qint64 version = 0;
    if (!readNumber(number, version) || version > CaptureFormat::version) {
        const QByteArray shown = number.size() > 20 ? number.left(20) + "..." : number;
        error = tr("it was made by a newer version of the program (capture format %1; this one reads %2)")
                    .arg(QString::fromLatin1(shown))
                    .arg(CaptureFormat::version);
        state = State::Failed;
        return false;
    }
    return true;
}

bool CaptureReader::readHeader()
{
    QByteArray line;
    while (true) {
        if (!readLine(line))
            return lineNotRead(tr("the header does not end"));
        if (line.isEmpty())
            return true;
        // Ten short lines in every capture the program writes: a header of
        // countless lines would stall whatever reads the captures folder.
        if (file.pos() > maxLineLength)
            return damaged(tr("the header is longer than 64 KiB"));
        const qsizetype colon = line.indexOf(": ");
        if (colon <= 0)
            return damaged(tr("a header line is \"key: value\""));
        takeHeaderLine(line.left(colon), QByteArray::fromPercentEncoding(line.mid(colon + 2)));
    }
}

void CaptureReader::takeHeaderLine(const QByteArray &key, const QByteArray &value)
{
    const QString text = QString::fromUtf8(value);
    if (key == "program")
        head.program = text;
    else if (key == "time")
        head.time = QDateTime::fromString(text, Qt::ISODateWithMs);
    else if (key == "port")
        head.portName = text;
    else if (key == "device")
        head.devicePath = text;
    else if (key == "vid-pid")
        head.vidPid = text;
    else if (key == "serial-number")
        head.serialNumber = text;
    else if (key == "by-id")
        head.stableName = text;
    else if (key == "line")
        head.line = text;
    else if (key == "commands")
        head.commands = value;
    // Figures only told: one that is no number counts as none.
    else if (key == "discarded" && !readNumber(value, head.discarded))
        head.discarded = 0;
    else if (key == "wait" && !readNumber(value, head.waitMs))
        head.waitMs = 0;
}

const CaptureFormat::Header &CaptureReader::header() const
{
    return head;
}

bool CaptureReader::readChunk(CaptureFormat::Chunk &chunk)
{
    QByteArray line;
    // Cut lines are taken in a loop: a file of nothing else must not nest
    // a call for each.
    while (state == State::Chunks) {
        if (!readLine(line)) {
            if (lineTooLong || !file.atEnd())
                return lineNotRead(tr("expected a chunk or the end"));
            state = State::Missing;
            return false;
        }
        const QList<QByteArray> words = line.split(' ');
        const QByteArray &kind = words.constFirst();
        qint64 microseconds = 0;
        if (kind == "chunk" && words.size() == 3 && !cut)
            return takeChunk(words, chunk);
        if (kind == "cut" && words.size() == 2 && readNumber(words[1], microseconds)) {
            if (!takeTime(microseconds))
                return false;
            cut = true;
            continue;
        }
        if (kind == "end" && words.size() == 5 && readNumber(words[1], ending.microseconds) &&
            readNumber(words[3], ending.bytes)) {
            takeEnd(words);
            return false;
        }
        return damaged(tr("expected a chunk or the end"));
    }
    return false;
}

bool CaptureReader::takeChunk(const QList<QByteArray> &words, CaptureFormat::Chunk &chunk)
{
    qint64 microseconds = 0;
    qint64 length = 0;
    if (!readNumber(words[1], microseconds) || !readNumber(words[2], length))
        return damaged(tr("a chunk's time or length is not a number"));
    if (!takeTime(microseconds))
        return false;
    // Read into a buffer only as large as what is there: a damaged length
    // must not make a huge one.
    chunk.bytes = file.read(qMin(length, file.size() - file.pos()));
    char lineEnd = 0;
    if (chunk.bytes.size() < length || !file.getChar(&lineEnd)) {
        state = State::Missing;
        return false;
    }
    ++lineNumber;
    if (lineEnd != '\n')
        return damaged(tr("a chunk's bytes do not end with a line end"));
    chunk.microseconds = microseconds;
    hash.addData(chunk.bytes);
    bytes += chunk.bytes.size();
    return true;
}

void CaptureReader::takeEnd(const QList<QByteArray> &words)
{
    if (!takeTime(ending.microseconds))
        return;
    ending.reason = CaptureFormat::reasonOf(words[2]);
    ending.sha256 = words[4];
    if (ending.reason == Download::Outcome::NotEnded) {
        damaged(tr("its end names no known reason"));
        return;
    }
    // A cut that left nothing out leaves the capture whole.
    const bool whole = ending.bytes == bytes && ending.sha256 == hash.result().toHex();
    if ((cut && ending.bytes < bytes) || (!cut && !whole)) {
        error = tr("its bytes do not match the count and SHA-256 of its end on line %1").arg(lineNumber);
        state = State::Failed;
        return;
    }
    cut = cut && !whole;
    state = State::Ended;
}

bool CaptureReader::outcomeMissing() const
{
    return state == State::Missing;
}

bool CaptureReader::isCut() const
{
    return cut;
}

const CaptureFormat::End &CaptureReader::end() const
{
    return ending;
}

qint64 CaptureReader::bytesRead() const
{
    return bytes;
}

bool CaptureReader::hasError() const
{
    return state == State::Failed;
}

QString CaptureReader::errorString() const
{
    return error;
}

bool CaptureReader::readLine(QByteArray &line)
{
    // One byte more than a line may hold tells a line too long from the
    // last; into a buffer kept, as QIODevice::readLine(qint64) would make
    // one of that size for every line.
    lineBuffer.resize(maxLineLength + 2);
    const qint64 size = qMax<qint64>(file.readLine(lineBuffer.data(), lineBuffer.size()), 0);
    line = QByteArray(lineBuffer.constData(), size);
    lineTooLong = line.size() > maxLineLength && !line.endsWith('\n');
    if (!line.endsWith('\n'))
        return false;
    ++lineNumber;
    line.chop(1);
    return true;
}

bool CaptureReader::lineNotRead(const QString &what)
{
    if (!lineTooLong)
        return damaged(what);
    error = tr("line %1 is longer than 64 KiB").arg(lineNumber + 1);
    state = State::Failed;
    return false;
}

bool CaptureReader::takeTime(qint64 microseconds)
{
    if (microseconds < lastMicroseconds)
        return damaged(tr("its time is before the time of the line before it"));
    if (microseconds > maxMicroseconds)
        return damaged(tr("its time is more than ten years"));
    lastMicroseconds = microseconds;
    return true;
}

bool CaptureReader::damaged(const QString &what)
{
    error = tr("line %1 is damaged: %2", "%2 says what is wrong").arg(lineNumber).arg(what);
    state = State::Failed;
    return false;
}
