#include "capturehold.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

// flock() locks the open file: it goes when the writer closes it or dies.
CaptureHold::CaptureHold(QFile &file)
    : file(file)
{
    if (file.handle() >= 0)
        ::flock(file.handle(), LOCK_EX | LOCK_NB);
}

CaptureHold::~CaptureHold() = default;

QString CaptureHold::sync()
{
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
