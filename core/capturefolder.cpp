#include "capturefolder.h"

#include "capturewriter.h"
#include "downloadsession.h"
#include "privatefiles.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString prefix = QStringLiteral("download-");
const QString suffix = QStringLiteral(".capture");

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

void CaptureFolder::keep(DownloadSession &session) const
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
    session.setCapture(writer);
}

void CaptureFolder::prune(int reserveFiles) const
{
    const QStringList names = captures();
    const QDir folder(path);
    int kept = 0;
    qint64 size = 0;
    // The newest are kept; from the first that does not fit, all older go.
    bool full = false;
    for (auto name = names.crbegin(); name != names.crend(); ++name) {
        size += QFileInfo(folder.filePath(*name)).size();
        full = full || kept + reserveFiles >= maxFiles || size > maxBytes;
        if (full)
            QFile::remove(folder.filePath(*name));
        else
            ++kept;
    }
}

QStringList CaptureFolder::captures() const
{
    return QDir(path).entryList({prefix + QLatin1Char('*') + suffix}, QDir::Files, QDir::Name);
}
