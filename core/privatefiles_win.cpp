#include "privatefiles.h"

#include <QDir>
#include <QFileInfo>

namespace PrivateFiles {

// The temporary folder is the user's own.
QString temporaryFolder(const QString &name)
{
    return QDir::tempPath() + QLatin1Char('/') + name;
}

// The temporary and documents folders are the user's own on Windows.
bool isOwnFolder(const QString &path)
{
    const QFileInfo folder(path);
    return folder.isDir() && !folder.isSymLink();
}

QString openForWriting(QFile &file)
{
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate, fileMode))
        return QString();
    return file.errorString();
}

} // namespace PrivateFiles
