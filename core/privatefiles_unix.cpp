#include "privatefiles.h"

#include "filesaver.h"
#include "resultswriter.h"
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
    const QByteArray path = QFile::encodeName(file.fileName());
    struct stat node;
    int fd = -1;
    // A descriptor's name is written as the descriptor is set up, a pipe or
    // a device as it is (a link in its place since the check is not
    // followed); a file is made new where the check looked, whatever is
    // planted at the name meanwhile.
    if (ResultsWriter::descriptorOf(file.fileName()) >= 0) {
        fd = ::openForWriting(path.constData(), O_TRUNC);
    } else if (::lstat(path.constData(), &node) == 0 && !S_ISREG(node.st_mode) && !S_ISLNK(node.st_mode)) {
        fd = ::openForWriting(path.constData(), O_TRUNC | O_NOFOLLOW);
    } else {
        FileSaver saver(file.fileName());
        fd = saver.openGrowing(0600);
        if (fd < 0)
            return saver.errorString();
    }
    if (fd < 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    if (file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle))
        return QString();
    ::close(fd);
    return file.errorString();
}

} // namespace PrivateFiles
