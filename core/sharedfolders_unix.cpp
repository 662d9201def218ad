#include "sharedfolders.h"

#include <QByteArrayList>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool SharedFolders::isShared(const struct stat &folder)
{
    return S_ISDIR(folder.st_mode) && (folder.st_mode & S_ISVTX) && (folder.st_mode & S_IWOTH);
}

bool SharedFolders::mayFollow(const struct stat &link, const struct stat &folder)
{
    return !isShared(folder) || link.st_uid == ::geteuid() || link.st_uid == folder.st_uid;
}

bool SharedFolders::mayReplace(const struct stat &file, const struct stat &folder)
{
    return mayFollow(file, folder);
}

QString SharedFolders::refusedLinkText()
{
    return tr("it is a link that another user made in a shared folder, which is not followed");
}

QString SharedFolders::othersFileText()
{
    return tr("it was made by another user in a shared folder; choose another name");
}

namespace {

// Replaces fd by next, which may be -1.
int moveTo(int &fd, int next)
{
    const int error = errno;
    ::close(fd);
    errno = error;
    return fd = next;
}

} // namespace

int SharedFolders::openFolder(const QByteArray &path, QString *refusal)
{
    // The parts still to walk, the last first.
    QByteArrayList parts = path.split('/');
    std::reverse(parts.begin(), parts.end());
    int fd = ::open(path.startsWith('/') ? "/" : ".", O_PATH | O_DIRECTORY | O_CLOEXEC);
    for (int links = 0; fd >= 0 && !parts.isEmpty();) {
        const QByteArray part = parts.takeLast();
        if (part.isEmpty() || part == ".")
            continue;
        struct stat node, folder;
        if (::fstatat(fd, part.constData(), &node, AT_SYMLINK_NOFOLLOW) != 0 || ::fstat(fd, &folder) != 0)
            return moveTo(fd, -1);
        if (!S_ISLNK(node.st_mode)) {
            moveTo(fd, ::openat(fd, part.constData(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
            continue;
        }
        if (!mayFollow(node, folder)) {
            if (refusal)
                *refusal = refusedLinkText();
            errno = EACCES;
            return moveTo(fd, -1);
        }
        char target[PATH_MAX];
        const ssize_t length = ::readlinkat(fd, part.constData(), target, sizeof target);
        if (length <= 0 || length == sizeof target || ++links > 40) {
            errno = length < 0 ? errno : ELOOP;
            return moveTo(fd, -1);
        }
        const QByteArray followed(target, length);
        QByteArrayList more = followed.split('/');
        std::reverse(more.begin(), more.end());
        parts += more;
        if (followed.startsWith('/'))
            moveTo(fd, ::open("/", O_PATH | O_DIRECTORY | O_CLOEXEC));
    }
    if (fd < 0)
        return -1;
    const int folder = ::openat(fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    return moveTo(fd, folder);
}
