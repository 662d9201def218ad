#include "filesaver.h"

#include "sharedfolders.h"
#include "wholewrite.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/xattr.h>
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
    bool sharedFolder = false;
    QString error;

    bool fail(int errorNumber)
    {
        error = QString::fromLocal8Bit(std::strerror(errorNumber));
        return false;
    }
    int createTemporary(QByteArray &temporary, int mode = 0666) const;
    void removeTemporary(const QByteArray &temporary) const;
    void removeStaleTemporaries() const;
    bool keepAccess(int fd) const;
    int prepareTemporary(QByteArray &temporary, int mode);
    bool writeInPlace(const QByteArray &data, Conversion convert);
};

static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";

// The hidden name's start, shortened so that a long name that fits still
// gets a temporary.
static QByteArray temporaryStem(const QByteArray &name)
{
    return ('.' + name).left(NAME_MAX - 7) + '.';
}

// A hidden name beside the file, locked while the save holds it.
int FileSaver::Private::createTemporary(QByteArray &temporary, int mode) const
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = temporaryStem(name);
        for (int i = 0; i < 6; ++i)
            temporary += letters[QRandomGenerator::global()->bounded(int(sizeof letters - 1))];
        const int fd = ::openat(folderFd, temporary.constData(),
                                O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode);
        if (fd >= 0)
            ::flock(fd, LOCK_EX);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// The temporaries of saves of this name that ended before their rename (a
// kill, a power cut): the user's own by name and owner, and held by no
// living save, which keeps its own locked.
void FileSaver::Private::removeStaleTemporaries() const
{
    const int listed = ::fcntl(folderFd, F_DUPFD_CLOEXEC, 0);
    DIR *listing = listed >= 0 ? ::fdopendir(listed) : nullptr;
    if (!listing) {
        if (listed >= 0)
            ::close(listed);
        return;
    }
    const QByteArray stem = temporaryStem(name);
    while (const dirent *entry = ::readdir(listing)) {
        const QByteArray found(entry->d_name);
        if (found.size() != stem.size() + 6 || !found.startsWith(stem) ||
            std::strspn(found.constData() + stem.size(), letters) != 6)
            continue;
        const int fd = ::openat(folderFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        struct stat node;
        if (fd >= 0 && ::fstat(fd, &node) == 0 && S_ISREG(node.st_mode) && node.st_uid == ::geteuid() &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlinkat(folderFd, entry->d_name, 0);
        if (fd >= 0)
            ::close(fd);
    }
    ::closedir(listing);
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

// The value of the extended attribute name of path, or an empty array.
static QByteArray attribute(const QByteArray &path, const char *name)
{
    QByteArray value(4096, Qt::Uninitialized);
    const ssize_t size = ::lgetxattr(path.constData(), name, value.data(), value.size());
    return value.left(qMax<ssize_t>(size, 0));
}

// The mode a file with the access list acl gets: where a list has named
// entries, the mode's group bits show its mask, and a plain mode copied from
// it would give the owning group the mask's rights; the group's own are
// taken instead.
static mode_t modeOf(mode_t mode, const QByteArray &acl)
{
    // A version word, then entries of a tag, the rights (16 bits each) and an id.
    constexpr quint16 groupEntry = 0x04;
    for (qsizetype at = 4; at + 8 <= acl.size(); at += 8) {
        quint16 tag, rights;
        std::memcpy(&tag, acl.constData() + at, 2);
        std::memcpy(&rights, acl.constData() + at + 2, 2);
        if (tag == groupEntry)
            return (mode & ~mode_t(070)) | mode_t((rights & 7) << 3);
    }
    return mode;
}

// A file replaced keeps its mode (one that cannot be kept would open a
// private file to others), its access list and the user's attributes; when
// root saves over a user's file outside a shared folder, its owner too.
bool FileSaver::Private::keepAccess(int fd) const
{
    struct stat earlier;
    if (::fstatat(folderFd, name.constData(), &earlier, AT_SYMLINK_NOFOLLOW) != 0 ||
        !S_ISREG(earlier.st_mode))
        return true;
    const QByteArray path = "/proc/self/fd/" + QByteArray::number(folderFd) + '/' + name;
    const QByteArray acl = attribute(path, "system.posix_acl_access");
    if (::fchmod(fd, modeOf(earlier.st_mode & 07777, acl)) != 0)
        return false;
    if (::geteuid() == 0 && !sharedFolder) {
        // Without it the file is saved all the same, as root's.
        [[maybe_unused]] const int owned = ::fchown(fd, earlier.st_uid, earlier.st_gid);
    }
    // A file system that takes none of them gets the file without them: the
    // mode set above grants no more than the list did.
    QByteArray names(65536, Qt::Uninitialized);
    const ssize_t size = ::llistxattr(path.constData(), names.data(), names.size());
    for (const QByteArray &attributeName : names.left(qMax<ssize_t>(size, 0)).split('\0')) {
        if (attributeName.startsWith("user.") || attributeName == "system.posix_acl_access") {
            const QByteArray value =
                attributeName.startsWith("user.") ? attribute(path, attributeName.constData()) : acl;
            [[maybe_unused]] const int kept =
                ::fsetxattr(fd, attributeName.constData(), value.constData(), value.size(), 0);
        }
    }
    return true;
}

// The new file that will replace the earlier one, with its access kept, after
// the temporaries of killed saves are gone; -1 with the error set.
int FileSaver::Private::prepareTemporary(QByteArray &temporary, int mode)
{
    removeStaleTemporaries();
    const int fd = createTemporary(temporary, mode);
    if (fd < 0)
        return fail(errno), -1;
    if (keepAccess(fd))
        return fd;
    const int errorNumber = errno;
    ::close(fd);
    removeTemporary(temporary);
    return fail(errorNumber), -1;
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
    QString refusal;
    d->folderFd = SharedFolders::openFolder(d->folder, &refusal);
    if (d->folderFd < 0) {
        d->fail(errno);
        if (!refusal.isEmpty())
            d->error = refusal;
        return false;
    }
    if (d->name.isEmpty())
        return d->fail(EISDIR);
    if (d->name.size() > NAME_MAX)
        return d->fail(ENAMETOOLONG);
    struct stat file, folder;
    const bool exists = ::fstatat(d->folderFd, d->name.constData(), &file, AT_SYMLINK_NOFOLLOW) == 0;
    if (exists && ::faccessat(d->folderFd, d->name.constData(), W_OK, AT_EACCESS) != 0)
        return d->fail(errno);
    if (::fstat(d->folderFd, &folder) != 0)
        return d->fail(errno);
    d->sharedFolder = SharedFolders::isShared(folder);
    // Another user's file there may be read by that user, or be a trap.
    if (exists && !SharedFolders::mayReplace(file, folder)) {
        d->error = SharedFolders::othersFileText();
        return false;
    }
    // In a folder with the sticky bit only the owner of a file or of the
    // folder may replace it; the kernel would refuse the rename only once the
    // results are there.
    if (exists && (folder.st_mode & S_ISVTX) && ::geteuid() != 0 && file.st_uid != ::geteuid() &&
        folder.st_uid != ::geteuid()) {
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
    const int fd = d->prepareTemporary(temporary, 0666);
    if (fd < 0)
        return false;
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

int FileSaver::openGrowing(int mode)
{
    if (!d->checked && !check())
        return -1;
    d->checked = false;
    if (d->inPlace) {
        const int fd =
            ::openat(d->folderFd, d->name.constData(), O_WRONLY | O_TRUNC | O_NOFOLLOW | O_CLOEXEC);
        return fd >= 0 ? fd : (d->fail(errno), -1);
    }
    QByteArray temporary;
    const int fd = d->prepareTemporary(temporary, mode);
    if (fd < 0 || ::renameat(d->folderFd, temporary.constData(), d->folderFd, d->name.constData()) == 0)
        return fd;
    const int errorNumber = errno;
    ::close(fd);
    d->removeTemporary(temporary);
    d->fail(errorNumber);
    return -1;
}

QString FileSaver::errorString() const
{
    return d->error;
}
