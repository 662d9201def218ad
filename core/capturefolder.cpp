#include "capturefolder.h"

#include "capturereader.h"
#include "capturerecorder.h"
#include "capturewriter.h"
#include "interruptedcaptures.h"
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

void CaptureFolder::keep(DownloadSession &session, const Kv::SerialPortInfo &port) const
{
    // A folder that cannot be made is reported by the writer, once.
    PrivateFiles::makeFolder(path);
    prune(1);
    // The time orders the names as the downloads.
    const QString name =
        prefix + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd-HHmmss-zzz"));
    auto *writer = new CaptureWriter(QDir(path).filePath(name + suffix));
    writer->setSizeLimit(maxBytes);
    // Once the capture is complete: its thread may still write when the
    // download has ended. The context outlives the session, which the window
    // deletes at once.
    writer->whenWritten(QCoreApplication::instance(), [folder = *this] { folder.prune(); });
    new CaptureRecorder(session, writer, port);
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
        if (!full || InterruptedCaptures::awaitsOffer(file))
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
