#include "capturewriter.h"

namespace {

// Room kept under a size limit for the end line.
constexpr qint64 endRoom = 160;

} // namespace

CaptureWriter::CaptureWriter(const QString &path)
    : file(path)
{}

CaptureWriter::~CaptureWriter() = default;

void CaptureWriter::setSizeLimit(qint64 bytes)
{
    limit = bytes;
}

QString CaptureWriter::path() const
{
    return file.fileName();
}

void CaptureWriter::writeHeader(const CaptureFormat::Header &header)
{
    if (failed)
        return;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        fail(file.errorString());
        return;
    }
    using CaptureFormat::encodeValue;
    QByteArray text =
        CaptureFormat::magic + QByteArray(" ") + QByteArray::number(CaptureFormat::version) + '\n';
    const std::pair<const char *, QByteArray> lines[] = {
        {"program", header.program.toUtf8()},  {"time", header.time.toString(Qt::ISODateWithMs).toUtf8()},
        {"port", header.portName.toUtf8()},    {"device", header.devicePath.toUtf8()},
        {"vid-pid", header.vidPid.toUtf8()},   {"serial-number", header.serialNumber.toUtf8()},
        {"by-id", header.stableName.toUtf8()}, {"line", header.line.toUtf8()},
        {"commands", header.commands},
    };
    for (const auto &[key, value] : lines)
        text += key + QByteArray(": ") + encodeValue(value) + '\n';
    text += '\n';
    if (put(text) && !file.flush())
        fail(file.errorString());
}

void CaptureWriter::writeChunk(qint64 microseconds, const char *data, qint64 size)
{
    hash.addData(QByteArrayView(data, size));
    bytes += size;
    if (failed || cut || !file.isOpen())
        return;
    const QByteArray line =
        "chunk " + QByteArray::number(microseconds) + ' ' + QByteArray::number(size) + '\n';
    if (limit >= 0 && file.pos() + line.size() + size + 1 + endRoom > limit) {
        // The rest is left out; the end still tells how much there was.
        cut = true;
        if (put("cut " + QByteArray::number(microseconds) + '\n') && !file.flush())
            fail(file.errorString());
        return;
    }
    // Flushed chunk by chunk, so that a crash loses none that had arrived.
    if (put(line) && put(QByteArray::fromRawData(data, size)) && put("\n") && !file.flush())
        fail(file.errorString());
}

void CaptureWriter::writeEnd(DownloadSession::Outcome reason, qint64 microseconds)
{
    if (!failed && file.isOpen()) {
        put("end " + QByteArray::number(microseconds) + ' ' + CaptureFormat::reasonWord(reason) + ' ' +
            QByteArray::number(bytes) + ' ' + hash.result().toHex() + '\n');
        if (!failed && !file.flush())
            fail(file.errorString());
    }
    file.close();
}

bool CaptureWriter::hasFailed() const
{
    return failed;
}

bool CaptureWriter::put(const QByteArray &text)
{
    if (failed)
        return false;
    if (file.write(text) == text.size())
        return true;
    fail(file.errorString());
    return false;
}

void CaptureWriter::fail(const QString &reason)
{
    failed = true;
    file.close();
    // Once: every later write is skipped.
    qWarning("%s",
             qUtf8Printable(tr("The capture %1 could not be written: %2. The download goes on without it.",
                               "%1 is a file path, %2 the system's reason")
                                .arg(file.fileName(), reason)));
}
