#include "commandlineplatform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

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

int standardDescriptorOf(const QString &path)
{
    static const QRegularExpression numbered(
        QStringLiteral("^/(?:dev/fd|proc/self/fd|proc/%1/fd)/([0-2])$").arg(::getpid()));
    const QStringList named{QStringLiteral("/dev/stdin"), QStringLiteral("/dev/stdout"),
                            QStringLiteral("/dev/stderr")};
    // Also through a link of the user's to one of them; the last hop, to
    // what the descriptor is open on, would no longer say which it is.
    QString name = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    for (int hop = 0; hop < 8; ++hop) {
        if (named.contains(name))
            return int(named.indexOf(name));
        const QRegularExpressionMatch match = numbered.match(name);
        if (match.hasMatch())
            return match.captured(1).toInt();
        const QFileInfo link(name);
        if (!link.isSymLink())
            break;
        name = QDir::cleanPath(link.symLinkTarget());
    }
    return -1;
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
