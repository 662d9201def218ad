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
#include <sys/statvfs.h>
#include <unistd.h>

struct FileSaver::Private
{
    QByteArray folder;
    QByteArray name;
    int folderFd = -1;
    bool checked = false;
    // The file is written over instead of replaced: the folder takes no new
    // file, or the file has other links.
    bool inPlace = false;
    QString error;

    bool fail(int errorNumber)
    {
        error = QString::fromLocal8Bit(std::strerror(errorNumber));
        return false;
    }
    int createTemporary(QByteArray &temporary) const;
    void removeTemporary(const QByteArray &temporary) const;
    bool keepAccess(int fd) const;
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

// Reads the whole file behind fd from its start.
static bool readWhole(int fd, QByteArray &contents, qint64 size)
{
    contents.resize(size);
    for (qint64 at = 0; at < size;) {
        const ssize_t got = ::pread(fd, contents.data() + at, size_t(size - at), at);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            if (got == 0)
                errno = EIO; // the file shrank meanwhile
            return false;
        }
        at += got;
    }
    return true;
}

// Makes room for size bytes before the first byte changes, so that a full
// disk ends the save with the earlier file as it was.
static bool reserve(int fd, qint64 size, qint64 earlierSize)
{
    if (size <= earlierSize)
        return true;
    const int error = ::posix_fallocate(fd, 0, size);
    if (error == 0)
        return true;
    // A file system that cannot reserve: at least the room must be free.
    struct statvfs volume;
    if ((error == EOPNOTSUPP || error == EINVAL) && ::fstatvfs(fd, &volume) == 0) {
        if (qint64(volume.f_bavail) * qint64(volume.f_frsize) >= size - earlierSize)
            return true;
        errno = ENOSPC;
        return false;
    }
    errno = error;
    return false;
}

// A file replaced keeps its mode: one that cannot be kept would open a
// private file to others. When root saves over a user's file, it keeps its
// owner too, where that can be.
bool FileSaver::Private::keepAccess(int fd) const
{
    struct stat earlier;
    if (::fstatat(folderFd, name.constData(), &earlier, AT_SYMLINK_NOFOLLOW) != 0 ||
        !S_ISREG(earlier.st_mode))
        return true;
    if (::fchmod(fd, earlier.st_mode & 07777) != 0)
        return false;
    if (::geteuid() == 0) {
        // Without it the file is saved all the same, as root's.
        [[maybe_unused]] const int owned = ::fchown(fd, earlier.st_uid, earlier.st_gid);
    }
    return true;
}

// Writes contents over the whole file and makes it durable.
static bool overwrite(int fd, const QByteArray &contents, FileSaver::Conversion convert = nullptr)
{
    return ::lseek(fd, 0, SEEK_SET) == 0 && writeWholeConverted(fd, contents, convert) &&
           ::ftruncate(fd, contents.size()) == 0 && (::fsync(fd) == 0 || errno == EINVAL);
}

bool FileSaver::Private::writeInPlace(const QByteArray &data, Conversion convert)
{
    int fd = ::openat(folderFd, name.constData(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return fail(errno);
    struct stat file;
    QByteArray earlier;
    if (::fstat(fd, &file) != 0 || !readWhole(fd, earlier, file.st_size) ||
        !reserve(fd, data.size(), file.st_size))
        return closeAfter(fd, false) || fail(errno);
    const bool written = overwrite(fd, data, convert);
    int errorNumber = errno;
    if (written) {
        if (::close(fd) == 0)
            return true;
        // The close reports a write that failed late: reopened to put back.
        errorNumber = errno;
        fd = ::openat(folderFd, name.constData(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW);
    }
    // Once a byte has changed, the earlier ones are put back.
    const bool restored = fd >= 0 && closeAfter(fd, overwrite(fd, earlier));
    fail(errorNumber);
    error = restored ? tr("%1 (the earlier file is as it was)", "%1 is the system's reason").arg(error)
                     : tr("%1 (the earlier file may be damaged)", "%1 is the system's reason").arg(error);
    return false;
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
    // Written in place, the earlier bytes are read first, to be put back
    // when a write fails.
    const auto inPlace = [&] {
        if (::faccessat(d->folderFd, d->name.constData(), R_OK, AT_EACCESS) != 0)
            return d->fail(errno);
        return d->checked = d->inPlace = true;
    };
    // Every link of a file with several sees the new results.
    if (exists && S_ISREG(file.st_mode) && file.st_nlink > 1)
        return inPlace();
    QByteArray temporary;
    const int fd = d->createTemporary(temporary);
    if (fd < 0) {
        if (exists && (errno == EACCES || errno == EPERM))
            return inPlace();
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
    // Synced before the rename: otherwise a power cut can leave the new name
    // on bytes that never reached the disk.
    const bool saved = closeAfter(fd, d->keepAccess(fd) && writeWholeConverted(fd, data, convert) &&
                                          (::fsync(fd) == 0 || errno == EINVAL)) &&
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
