#include "privatefiles.h"

#include "wholewrite.h"

#include <QDir>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace PrivateFiles {

bool isOwnFolder(const QString &path)
{
    struct stat folder;
    return ::lstat(QFile::encodeName(path).constData(), &folder) == 0 && S_ISDIR(folder.st_mode) &&
           folder.st_uid == ::geteuid() && (folder.st_mode & 077) == 0;
}

QString temporaryFolder(const QString &name)
{
    return QStringLiteral("%1/%2-%3").arg(QDir::tempPath(), name).arg(::geteuid());
}

QString openForWriting(QFile &file)
{
    const int fd = ::openForWriting(QFile::encodeName(file.fileName()).constData(), O_CREAT | O_TRUNC, 0600);
    if (fd < 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    if (file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle))
        return QString();
    ::close(fd);
    return file.errorString();
}

} // namespace PrivateFiles
