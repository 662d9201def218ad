#include "resultswriter.h"

#include "sharedfolders.h"
#include "wholewrite.h"

#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The descriptor that /dev/stdout (stdin, stderr), /dev/fd/N or
// /proc/self/fd/N names, or -1. Opening such a path would open the file
// behind the descriptor anew: a log given with >> would be written over.
int descriptorNamed(const QString &path)
{
    const qsizetype standard = QStringList{QStringLiteral("/dev/stdin"), QStringLiteral("/dev/stdout"),
                                           QStringLiteral("/dev/stderr")}
                                   .indexOf(path);
    if (standard >= 0)
        return int(standard);
    const QString ownFolder = QStringLiteral("/proc/%1/fd/").arg(::getpid());
    for (const QString &folder : {QStringLiteral("/dev/fd/"), QStringLiteral("/proc/self/fd/"), ownFolder}) {
        bool number = false;
        const int descriptor = path.startsWith(folder) ? path.mid(folder.size()).toInt(&number) : -1;
        if (number && descriptor >= 0)
            return descriptor;
    }
    return -1;
}

QByteArray encoded(const QString &path)
{
    return QFile::encodeName(path);
}

} // namespace

ResultsWriter::Target ResultsWriter::targetOf(const QString &path)
{
    Target target;
    target.path = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    // Links are followed one at a time, each by the rule the kernel applies
    // where protected_symlinks is set, whatever this machine's setting: in a
    // folder anyone may write to and only owners may delete from, a link is
    // followed only when the user or the folder's owner made it.
    for (int links = 0;; ++links) {
        target.descriptor = descriptorNamed(target.path);
        if (target.descriptor >= 0) {
            target.kind = Target::Descriptor;
            return target;
        }
        struct stat link, folder;
        if (::lstat(encoded(target.path).constData(), &link) != 0 || !S_ISLNK(link.st_mode))
            break;
        const QString folderPath = QFileInfo(target.path).absolutePath();
        if (::stat(encoded(folderPath).constData(), &folder) == 0 &&
            !SharedFolders::mayFollow(link, folder)) {
            target.kind = Target::Unsuitable;
            target.error = SharedFolders::refusedLinkText();
            return target;
        }
        if (links == 40) {
            target.kind = Target::Unsuitable;
            target.error = systemText(ELOOP);
            return target;
        }
        target.path = QDir::cleanPath(QFileInfo(target.path).symLinkTarget());
        if (target.path.isEmpty())
            break;
    }
    struct stat node;
    if (::stat(encoded(target.path).constData(), &node) != 0 || S_ISREG(node.st_mode))
        return target;
    if (S_ISCHR(node.st_mode) || S_ISFIFO(node.st_mode)) {
        target.kind = Target::InPlace;
        return target;
    }
    target.kind = Target::Unsuitable;
    target.error = S_ISDIR(node.st_mode) ? systemText(EISDIR)
                                         : tr("it is neither a file nor a pipe nor a character device");
    return target;
}

bool ResultsWriter::canWriteInPlace(const Target &target)
{
    if (target.kind == Target::Descriptor) {
        // An event or a timer descriptor of the program's own is no output.
        const int mode = ::fcntl(target.descriptor, F_GETFL);
        struct stat node;
        if (mode < 0 || ::fstat(target.descriptor, &node) != 0 || (node.st_mode & S_IFMT) == 0) {
            error = tr("Descriptor %1 is not open.", "%1 is a number").arg(target.descriptor);
            return false;
        }
        if ((mode & O_ACCMODE) == O_RDONLY) {
            error = tr("Descriptor %1 is not open for writing.", "%1 is a number").arg(target.descriptor);
            return false;
        }
        return true;
    }
    // Opening would block on a pipe that has no reader yet.
    if (::access(encoded(target.path).constData(), W_OK) == 0)
        return true;
    error = systemText(errno);
    return false;
}

bool ResultsWriter::writeInPlace(const Target &target, const QByteArray &results)
{
    if (!canWriteInPlace(target))
        return false;
    int fd = target.descriptor;
    if (fd < 0)
        fd = openForWriting(encoded(target.path).constData());
    bool written =
        fd >= 0 && FileSaver::writeConverted(results, conversion(), [fd](const char *bytes, qint64 size) {
            return writeWhole(fd, bytes, size);
        });
    // A descriptor the program was given stays open.
    if (fd >= 0 && target.descriptor < 0)
        written = closeAfter(fd, written);
    if (!written) {
        stopped = errno == EINTR;
        error = stopped ? tr("the program was told to end while waiting for a reader") : systemText(errno);
    }
    return written;
}

bool ResultsWriter::writeTo(QIODevice &device, const QByteArray &results)
{
    auto *file = qobject_cast<QFileDevice *>(&device);
    Target target;
    target.kind = Target::Descriptor;
    target.descriptor = file ? file->handle() : -1;
    if (target.descriptor >= 0 && file->flush())
        return writeInPlace(target, results);
    error = device.errorString();
    return false;
}
