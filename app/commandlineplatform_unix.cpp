#include "commandlineplatform.h"

#include <unistd.h>

namespace CommandLinePlatform {

namespace {
const QString devFolder = QStringLiteral("/dev/");
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
