#include "capturereader.h"

namespace {

// No line of a capture but its chunks' bytes comes near this.
constexpr qint64 maxLineLength = 64 * 1024;

// Whole numbers of at least 0, in a chunk's or the end's line.
bool readNumber(const QByteArray &text, qint64 &number)
{
    bool ok = false;
    number = text.toLongLong(&ok);
    return ok && number >= 0;
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
    QByteArray line;
    const QByteArray magic = QByteArray(CaptureFormat::magic) + ' ';
    if (!readLine(line) || !line.startsWith(magic)) {
        error = tr("it is not a capture");
        state = State::Failed;
        return false;
    }
    qint64 version = 0;
    if (!readNumber(line.mid(magic.size()), version) || version == 0)
        return damaged(tr("the format's number is missing"));
    if (version > CaptureFormat::version) {
        error = tr("it was made by a newer version of the program (capture format %1; this one reads %2)")
                    .arg(version)
                    .arg(CaptureFormat::version);
        state = State::Failed;
        return false;
    }
    while (true) {
        if (!readLine(line))
            return damaged(tr("the header does not end"));
        if (line.isEmpty())
            break;
        const qsizetype colon = line.indexOf(": ");
        if (colon <= 0)
            return damaged(tr("a header line is \"key: value\""));
        const QByteArray key = line.left(colon);
        const QByteArray value = QByteArray::fromPercentEncoding(line.mid(colon + 2));
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
    }
    state = State::Chunks;
    return true;
}

const CaptureFormat::Header &CaptureReader::header() const
{
    return head;
}

bool CaptureReader::readChunk(CaptureFormat::Chunk &chunk)
{
    if (state != State::Chunks)
        return false;
    QByteArray line;
    if (!readLine(line)) {
        if (!file.atEnd())
            return damaged(tr("expected a chunk or the end"));
        state = State::Missing;
        return false;
    }
    const QList<QByteArray> words = line.split(' ');
    const QByteArray &kind = words.constFirst();
    qint64 microseconds = 0;
    if (kind == "chunk" && words.size() == 3 && !cut) {
        qint64 length = 0;
        if (!readNumber(words[1], microseconds) || !readNumber(words[2], length))
            return damaged(tr("a chunk's time or length is not a number"));
        // Read into a buffer only as large as what is there: a damaged
        // length must not make a huge one.
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
        ++chunks;
        return true;
    }
    if (kind == "cut" && words.size() == 2 && readNumber(words[1], microseconds)) {
        cut = true;
        return readChunk(chunk);
    }
    if (kind == "end" && words.size() == 5 && readNumber(words[1], ending.microseconds) &&
        readNumber(words[3], ending.bytes)) {
        ending.reason = CaptureFormat::reasonOf(words[2]);
        ending.sha256 = words[4];
        if (ending.reason == DownloadSession::Outcome::NotEnded)
            return damaged(tr("its end names no known reason"));
        if (!cut && (ending.bytes != bytes || ending.sha256 != hash.result().toHex())) {
            error = tr("its bytes do not match the count and SHA-256 of its end");
            state = State::Failed;
            return false;
        }
        state = State::Ended;
        return false;
    }
    return damaged(tr("expected a chunk or the end"));
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

qint64 CaptureReader::chunksRead() const
{
    return chunks;
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
    line = file.readLine(maxLineLength);
    if (!line.endsWith('\n'))
        return false;
    ++lineNumber;
    line.chop(1);
    return true;
}

bool CaptureReader::damaged(const QString &what)
{
    error = tr("line %1 is damaged: %2", "%2 says what is wrong").arg(lineNumber).arg(what);
    state = State::Failed;
    return false;
}
