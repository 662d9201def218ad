#include "interruptedcaptures.h"

#include "capturehold.h"
#include "capturereader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString offeredSuffix = QStringLiteral("-interrupted.capture");

// Without reading the chunks: whether the last line is an end line. Bytes
// that look like one at a chunk's end are followed by the chunk's own line
// feed, so they make an empty last line instead.
bool hasEndLine(const QString &path)
{
    constexpr qint64 tailSize = 256;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(qMax<qint64>(0, file.size() - tailSize)))
        return false;
    const QByteArray tail = file.read(tailSize);
    if (!tail.endsWith('\n'))
        return false;
    const QByteArray line = tail.mid(tail.lastIndexOf('\n', tail.size() - 2) + 1).chopped(1);
    return line.startsWith("end ") && line.count(' ') == 4;
}

} // namespace

InterruptedCaptures::InterruptedCaptures(const QString &folder)
    : folder(folder)
{}

QStringList InterruptedCaptures::list() const
{
    QStringList paths;
    for (const QString &name : CaptureFolder(folder).captures()) {
        const QString path = QDir(folder).filePath(name);
        if (!awaitsOffer(path) || CaptureHold::isHeld(path))
            continue;
        // Nothing had arrived: nothing to ask about, and pruned from now on.
        CaptureReader reader(path);
        CaptureFormat::Chunk chunk;
        if (reader.open() && !reader.readChunk(chunk))
            markOffered(path);
        else
            paths << path;
    }
    return paths;
}

bool InterruptedCaptures::awaitsOffer(const QString &path)
{
    // A file without a capture's header was not written by a download, nor
    // one larger than the folder keeps: it is not read, and is pruned.
    return !path.endsWith(offeredSuffix) && QFileInfo(path).size() <= CaptureFolder::defaultMaxBytes &&
           CaptureReader(path).open() && !hasEndLine(path);
}

bool InterruptedCaptures::read(const QString &path, QByteArray &bytes, QDateTime &time)
{
    CaptureReader reader(path);
    if (!reader.open())
        return false;
    bytes.clear();
    CaptureFormat::Chunk chunk;
    // Up to a torn last chunk, or to the damage a power cut leaves.
    while (reader.readChunk(chunk))
        bytes += chunk.bytes;
    time = reader.header().time;
    if (!time.isValid())
        time = QFileInfo(path).lastModified();
    return reader.end().reason == Download::Outcome::NotEnded;
}

bool InterruptedCaptures::markOffered(const QString &path)
{
    return QFile::rename(path, path.chopped(QStringLiteral(".capture").size()) + offeredSuffix);
}
