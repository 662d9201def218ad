#include "portlockfile.h"

#include "wholewrite.h"

#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Kv {

namespace {

// No process number is larger (PID_MAX_LIMIT on 64-bit Linux): a larger one
// is garbage, however it was written.
constexpr qint64 largestProcessId = 4 * 1024 * 1024;

// The first usable lock folder of those Qt Serial Port and the UUCP tools
// look in, the name being the device's path below /dev with '/' as '_'. A
// link (/dev/serial/by-id/...) counts as the device it leads to, whose name
// the other programs use.
QString lockFilePath(const QString &devicePath)
{
    static const char *const folders[] = {"/var/lock", "/etc/locks", "/var/spool/locks",  "/var/spool/uucp",
                                          "/tmp",      "/var/tmp",   "/var/lock/lockdev", "/run/lock"};
    const QString device = QFileInfo(devicePath).canonicalFilePath();
    QString name = device.isEmpty() ? devicePath : device;
    if (name.startsWith(QLatin1String("/dev/")))
        name.remove(0, 5);
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    QString chosen;
    for (const char *folder : folders) {
        const QFileInfo info(QString::fromLatin1(folder));
        if (!info.isReadable())
            continue;
        chosen = info.filePath() + QLatin1String("/LCK..") + name;
        if (info.isWritable())
            break;
    }
    return chosen;
}

bool processRuns(qint64 pid)
{
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

// What Qt's QLockFile writes, whose first line is all the UUCP tools read.
QByteArray ownContents()
{
    const QString program = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
    return QByteArray::number(::getpid()) + '\n' + QFile::encodeName(QFileInfo(program).fileName()) + '\n' +
           QSysInfo::machineHostName().toUtf8() + '\n' + QSysInfo::machineUniqueId() + '\n' +
           QSysInfo::bootUniqueId() + '\n';
}

// Whether this account may remove the file at path (without removing it):
// it may write in the folder, and in a sticky folder such as the lock folder
// the file or the folder is its own, unless it is root.
bool mayRemove(const QString &path)
{
    const QByteArray file = QFile::encodeName(path), folder = QFile::encodeName(QFileInfo(path).path());
    struct stat fileStatus, folderStatus;
    if (::lstat(file.constData(), &fileStatus) != 0)
        return errno == ENOENT;
    if (::stat(folder.constData(), &folderStatus) != 0 ||
        ::faccessat(AT_FDCWD, folder.constData(), W_OK | X_OK, AT_EACCESS) != 0)
        return false;
    const uid_t self = ::geteuid();
    return !(folderStatus.st_mode & S_ISVTX) || self == 0 || fileStatus.st_uid == self ||
           folderStatus.st_uid == self;
}

// Writes contents aside and links them into place, so that no one reads the
// file half written; false with errno EEXIST while there is one.
bool createWhole(const QString &lockPath, const QByteArray &contents, struct stat *created)
{
    const QFileInfo info(lockPath);
    QByteArray temporary = QFile::encodeName(info.path() + QLatin1String("/.") + info.fileName()) + ".XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool complete = ::fchmod(fd, 0644) == 0 && writeWhole(fd, contents.constData(), contents.size()) &&
                          ::fstat(fd, created) == 0;
    ::close(fd);
    const bool linked =
        complete && ::link(temporary.constData(), QFile::encodeName(lockPath).constData()) == 0;
    const int error = complete ? errno : EIO;
    ::unlink(temporary.constData());
    errno = error;
    return linked;
}

} // namespace

PortLockFile::PortLockFile(const QString &devicePath)
    : lockPath(lockFilePath(devicePath))
{}

PortLockFile::~PortLockFile()
{
    release();
}

QString PortLockFile::path() const
{
    return lockPath;
}

qint64 PortLockFile::owner() const
{
    return holder;
}

qint64 PortLockFile::ownerIn(const QByteArray &contents)
{
    qsizetype i = 0;
    while (i < contents.size() && (contents[i] == ' ' || contents[i] == '\t'))
        ++i;
    const qsizetype digits = i;
    qint64 pid = 0;
    while (i < contents.size() && contents[i] >= '0' && contents[i] <= '9' && pid <= largestProcessId)
        pid = pid * 10 + (contents[i++] - '0');
    const bool ascii =
        i > digits && (i == contents.size() || (contents[i] != '\0' && std::strchr(" \t\r\n", contents[i])));
    if (!ascii && contents.size() == 4) {
        qint32 binary;
        std::memcpy(&binary, contents.constData(), sizeof binary);
        pid = binary;
    } else if (!ascii) {
        pid = 0;
    }
    return pid > 0 && pid <= largestProcessId ? pid : 0;
}

PortLockFile::Result PortLockFile::take()
{
    release();
    holder = 0;
    if (lockPath.isEmpty())
        return Result::NoLockFile;
    const QByteArray path = QFile::encodeName(lockPath);
    contents = ownContents();
    // A few rounds, for files that others remove or create meanwhile.
    for (int round = 0; round < 3; ++round) {
        struct stat created;
        if (createWhole(lockPath, contents, &created)) {
            taken = true;
            device = created.st_dev;
            inode = created.st_ino;
            return Result::Taken;
        }
        // A folder we may not write in may still hold another program's lock.
        const bool exists = errno == EEXIST;
        // O_NONBLOCK: a FIFO in its place must not stop us.
        const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0 && errno == ENOENT) {
            if (!exists)
                return Result::NoLockFile;
            continue;
        }
        QByteArray found(128, '\0');
        struct stat seen;
        ssize_t size = -1;
        if (fd >= 0 && ::fstat(fd, &seen) == 0 && S_ISREG(seen.st_mode))
            size = ::read(fd, found.data(), static_cast<size_t>(found.size()));
        if (fd >= 0)
            ::close(fd);
        // Programs that create the file before they write it leave it empty
        // for a moment.
        if (size == 0 && round == 0) {
            ::usleep(100 * 1000);
            continue;
        }
        holder = size > 0 ? ownerIn(found.left(size)) : 0;
        if (holder > 0 && processRuns(holder))
            return Result::Held;
        const bool stale = holder > 0;
        holder = 0;
        if (!mayRemove(lockPath))
            return Result::PassedOver;
        // One that names nothing is the user's to judge where the user may
        // remove it: a program of the user's own may write such a file.
        if (!stale)
            return Result::NotUnderstood;
        struct stat now;
        if (::lstat(path.constData(), &now) == 0 && (now.st_dev != seen.st_dev || now.st_ino != seen.st_ino))
            continue;
        if (::unlink(path.constData()) != 0 && errno != ENOENT)
            return Result::PassedOver;
    }
    return Result::NoLockFile;
}

void PortLockFile::release()
{
    if (!taken)
        return;
    taken = false;
    // The inode alone does not tell: a file system may give a new file the
    // number of one just removed.
    const QByteArray path = QFile::encodeName(lockPath);
    const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat now;
    QByteArray found(contents.size() + 1, '\0');
    const bool same = ::fstat(fd, &now) == 0 && now.st_dev == device && now.st_ino == inode &&
                      ::read(fd, found.data(), static_cast<size_t>(found.size())) == contents.size() &&
                      found.startsWith(contents);
    ::close(fd);
    if (same)
        ::unlink(path.constData());
}

} // namespace Kv
