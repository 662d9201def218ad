#include "capturehold.h"

#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

// flock() locks the open file: it goes when the writer closes it or dies.
CaptureHold::CaptureHold(QFile &file, const QString &path)
    : file(file)
    , path(path)
{
    if (file.handle() >= 0)
        ::flock(file.handle(), LOCK_EX | LOCK_NB);
}

CaptureHold::~CaptureHold() = default;

QString CaptureHold::sync()
{
    // The new file's name too, once: without it a power cut can lose the
    // whole capture.
    if (!folderSynced) {
        folderSynced = true;
        const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
        if (const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); fd >= 0) {
            ::fsync(fd);
            ::close(fd);
        }
    }
    if (file.handle() < 0 || ::fdatasync(file.handle()) == 0 || errno == EINVAL)
        return QString();
    return QString::fromLocal8Bit(std::strerror(errno));
}

bool CaptureHold::isHeld(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool held = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
}
