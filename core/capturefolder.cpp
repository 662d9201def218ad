#include "capturefolder.h"

#include "capturereader.h"
#include "capturerecorder.h"
#include "capturewriter.h"
#include "privatefiles.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace {

const QString prefix = QStringLiteral("download-");
const QString suffix = QStringLiteral(".capture");
const QString offeredSuffix = QStringLiteral("-interrupted.capture");
const QString nameTimeFormat = QStringLiteral("yyyy-MM-dd-HHmmss-zzz");

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

// When the download began, as the capture records it: its name may say
// otherwise (a clock set wrong, a copied file). A file without a readable
// header goes by its modification time.
QDateTime recordedTime(const QFileInfo &file)
{
    CaptureReader reader(file.filePath());
    if (reader.open() && reader.header().time.isValid())
        return reader.header().time;
    return file.lastModified();
}

} // namespace

CaptureFolder::CaptureFolder(const QString &path, int maxFiles, qint64 maxBytes)
    : path(path)
    , maxFiles(maxFiles)
    , maxBytes(maxBytes)
{}

QString CaptureFolder::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/captures");
}

CaptureWriter &CaptureFolder::keep(DownloadSession &session, const Kv::SerialPortInfo &port,
                                   const QDateTime &started) const
{
    // A folder that cannot be made is reported by the writer, once.
    PrivateFiles::makeFolder(path);
    prune(1);
    // The time orders the names as the downloads.
    const QString name = prefix + started.toString(nameTimeFormat);
    auto *writer = new CaptureWriter(QDir(path).filePath(name + suffix));
    writer->setSizeLimit(maxBytes);
    // Once the capture is complete: its thread may still write when the
    // download has ended. The context outlives the session, which the window
    // deletes at once.
    writer->whenWritten(QCoreApplication::instance(), [folder = *this] { folder.prune(); });
    new CaptureRecorder(session, writer, port);
    return *writer;
}

void CaptureFolder::prune(int reserveFiles) const
{
    const QStringList names = captures();
    const QDir folder(path);
    int kept = 0;
    qint64 size = 0;
    // The newest are kept; from the first that does not fit, all older go,
    // but for those of an interrupted download not yet offered (or still
    // being written), which count all the same.
    bool full = false;
    for (auto name = names.crbegin(); name != names.crend(); ++name) {
        const QString file = folder.filePath(*name);
        size += QFileInfo(file).size();
        full = full || kept + reserveFiles >= maxFiles || size > maxBytes;
        if (!full || awaitsOffer(file))
            ++kept;
        else
            QFile::remove(file);
    }
}

QStringList CaptureFolder::captures() const
{
    QList<std::pair<QDateTime, QString>> found;
    for (const QFileInfo &file :
         QDir(path).entryInfoList({prefix + QLatin1Char('*') + suffix}, QDir::Files, QDir::Name))
        found.append({recordedTime(file), file.fileName()});
    // Of two the same moment, the name decides.
    std::stable_sort(found.begin(), found.end());
    QStringList names;
    for (const auto &[time, name] : std::as_const(found))
        names << name;
    return names;
}

bool CaptureFolder::awaitsOffer(const QString &path)
{
    // A file without a capture's header was not written by a download, nor
    // one larger than the folder keeps: it is not read, and is pruned.
    return !path.endsWith(offeredSuffix) && QFileInfo(path).size() <= defaultMaxBytes &&
           CaptureReader(path).open() && !hasEndLine(path);
}

QDateTime CaptureFolder::startedAt(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    if (!name.startsWith(prefix) || !name.endsWith(suffix))
        return QDateTime();
    return QDateTime::fromString(name.mid(prefix.size(), nameTimeFormat.size()), nameTimeFormat);
}

bool CaptureFolder::markOffered(const QString &path)
{
    return QFile::rename(path, path.chopped(suffix.size()) + offeredSuffix);
}
