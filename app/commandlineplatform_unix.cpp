#include "commandlineplatform.h"

#include "wholewrite.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace CommandLinePlatform {

namespace {
const QString devFolder = QStringLiteral("/dev/");
int closedAtStart = 0; // a bit for each standard descriptor
} // namespace

void guardStandardDescriptors()
{
    for (int descriptor = 0; descriptor <= 2; ++descriptor) {
        if (::fcntl(descriptor, F_GETFD) != -1 || errno != EBADF)
            continue;
        closedAtStart |= 1 << descriptor;
        // Inherited by the programs started later, as a standard descriptor is.
        const int opened = ::open("/dev/null", descriptor == 0 ? O_RDONLY : O_WRONLY);
        if (opened > descriptor) {
            ::dup2(opened, descriptor);
            ::close(opened);
        }
    }
}

bool wasClosedAtStart(int descriptor)
{
    return closedAtStart & (1 << descriptor);
}

bool isDecodedExactly(const QByteArray &raw, const QString &decoded)
{
    return QFile::encodeName(decoded) == raw;
}

void endLaterWaitsOnSignals()
{
    countStopsFromNow();
}

QString portPath(const QString &argument)
{
    if (argument.startsWith(QLatin1Char('/')) || argument.startsWith(QLatin1Char('.')))
        return argument;
    return devFolder + argument;
}

bool isTerminal(FILE *stream)
{
    return ::isatty(::fileno(stream));
}

bool write(FILE *stream, const QString &text)
{
    return std::fputs(text.toLocal8Bit().constData(), stream) >= 0 && std::fflush(stream) == 0;
}

void setBinary(FILE *) {}

QString eraseToLineEnd()
{
    return QStringLiteral("\033[K");
}

} // namespace CommandLinePlatform
