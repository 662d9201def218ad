#include "interruptedcaptures.h"

#include "capturehold.h"
#include "capturereader.h"

#include <QDir>
#include <QFileInfo>

InterruptedCaptures::InterruptedCaptures(const QString &folder)
    : folder(folder)
{}

QStringList InterruptedCaptures::list() const
{
    QStringList paths;
    for (const QString &name : CaptureFolder(folder).captures()) {
        const QString path = QDir(folder).filePath(name);
        if (!CaptureFolder::awaitsOffer(path) || CaptureHold::isHeld(path))
            continue;
        // Nothing had arrived: nothing to ask about, and pruned from now on.
        CaptureReader reader(path);
        CaptureFormat::Chunk chunk;
        if (reader.open() && !reader.readChunk(chunk))
            CaptureFolder::markOffered(path);
        else
            paths << path;
    }
    return paths;
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
