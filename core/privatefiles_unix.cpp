#include "privatefiles.h"

#include "wholewrite.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace PrivateFiles {

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
