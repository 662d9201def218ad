#include "filesaver.h"

#include "wholewrite.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

struct FileSaver::Private
{
    QByteArray folder;
    QByteArray name;
    int folderFd = -1;
    bool checked = false;
    // The folder takes no new file, but the file may be written.
    bool inPlace = false;
    QString error;

    bool fail(int errorNumber)
    {
        error = QString::fromLocal8Bit(std::strerror(errorNumber));
        return false;
    }
    int createTemporary(QByteArray &temporary) const;
    void removeTemporary(const QByteArray &temporary) const;
    bool writeInPlace(const QByteArray &data, Conversion convert);
};

// A hidden name beside the file, shortened so that a long name that fits
// still gets one.
int FileSaver::Private::createTemporary(QByteArray &temporary) const
{
    const QByteArray stem = ('.' + name).left(NAME_MAX - 7);
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = stem + '.';
        for (int i = 0; i < 6; ++i)
            temporary += letters[QRandomGenerator::global()->bounded(int(sizeof letters - 1))];
        const int fd = ::openat(folderFd, temporary.constData(),
                                O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

void FileSaver::Private::removeTemporary(const QByteArray &temporary) const
{
    // Tried twice: a file left over would stay hidden in the user's folder.
    if (::unlinkat(folderFd, temporary.constData(), 0) != 0 && errno != ENOENT)
        ::unlinkat(folderFd, temporary.constData(), 0);
}

static bool writeWholeConverted(int fd, const QByteArray &data, FileSaver::Conversion convert)
{
    return FileSaver::writeConverted(
        data, convert, [fd](const char *bytes, qint64 size) { return writeWhole(fd, bytes, size); });
}

bool FileSaver::Private::writeInPlace(const QByteArray &data, Conversion convert)
{
    const int fd = ::openat(folderFd, name.constData(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return fail(errno);
    return closeAfter(fd, writeWholeConverted(fd, data, convert) && ::ftruncate(fd, data.size()) == 0 &&
                              (::fsync(fd) == 0 || errno == EINVAL)) ||
           fail(errno);
}

FileSaver::FileSaver(const QString &path)
    : d(std::make_unique<Private>())
{
    const QFileInfo info(path);
    d->folder = QFile::encodeName(info.absolutePath());
    d->name = QFile::encodeName(info.fileName());
}

FileSaver::~FileSaver()
{
    if (d->folderFd >= 0)
        ::close(d->folderFd);
}

bool FileSaver::check()
{
    if (d->folderFd >= 0)
        ::close(d->folderFd);
    d->checked = d->inPlace = false;
    d->folderFd = ::open(d->folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (d->folderFd < 0)
        return d->fail(errno);
    if (d->name.isEmpty())
        return d->fail(EISDIR);
    if (d->name.size() > NAME_MAX)
        return d->fail(ENAMETOOLONG);
    struct stat file, folder;
    const bool exists = ::fstatat(d->folderFd, d->name.constData(), &file, AT_SYMLINK_NOFOLLOW) == 0;
    if (exists && ::faccessat(d->folderFd, d->name.constData(), W_OK, AT_EACCESS) != 0)
        return d->fail(errno);
    // In a shared folder (/tmp) only the owner of a file or of the folder may
    // replace it; the kernel would refuse the rename only once the results
    // are there.
    if (exists && ::fstat(d->folderFd, &folder) == 0 && (folder.st_mode & S_ISVTX) && ::geteuid() != 0 &&
        file.st_uid != ::geteuid() && folder.st_uid != ::geteuid()) {
        d->error = tr("it belongs to another user, in a shared folder where only its owner may replace it");
        return false;
    }
    QByteArray temporary;
    const int fd = d->createTemporary(temporary);
    if (fd < 0) {
        if (exists && (errno == EACCES || errno == EPERM))
            return d->checked = d->inPlace = true;
        return d->fail(errno);
    }
    ::close(fd);
    d->removeTemporary(temporary);
    return d->checked = true;
}

bool FileSaver::save(const QByteArray &data, Conversion convert)
{
    if (!d->checked && !check())
        return false;
    d->checked = false;
    if (d->inPlace)
        return d->writeInPlace(data, convert);

    QByteArray temporary;
    const int fd = d->createTemporary(temporary);
    if (fd < 0)
        return d->fail(errno);
    // A file replaced keeps its mode, and, when root saves over a user's
    // file, its owner.
    struct stat earlier;
    if (::fstatat(d->folderFd, d->name.constData(), &earlier, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISREG(earlier.st_mode)) {
        ::fchmod(fd, earlier.st_mode & 07777);
        if (::geteuid() == 0) {
            // Without it the file is saved all the same, as root's.
            [[maybe_unused]] const int owned = ::fchown(fd, earlier.st_uid, earlier.st_gid);
        }
    }
    // Synced before the rename: otherwise a power cut can leave the new name
    // on bytes that never reached the disk.
    const bool saved =
        closeAfter(fd, writeWholeConverted(fd, data, convert) && (::fsync(fd) == 0 || errno == EINVAL)) &&
        ::renameat(d->folderFd, temporary.constData(), d->folderFd, d->name.constData()) == 0;
    if (!saved) {
        const int errorNumber = errno;
        d->removeTemporary(temporary);
        return d->fail(errorNumber);
    }
    // Makes the rename itself durable. The new file is in place whatever
    // this says, so a failure here changes nothing the user could act on.
    ::fsync(d->folderFd);
    return true;
}

QString FileSaver::errorString() const
{
    return d->error;
}
