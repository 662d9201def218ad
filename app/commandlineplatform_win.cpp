#include "commandlineplatform.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

namespace CommandLinePlatform {

namespace {

HANDLE consoleOf(FILE *stream)
{
    const HANDLE handle = reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(stream)));
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && ::GetConsoleMode(handle, &mode) ? handle : nullptr;
}

} // namespace

// A handle is not the lowest free number, as a Unix descriptor is: no file
// the program opens takes the place of a closed standard stream.
void guardStandardDescriptors() {}

bool wasClosedAtStart(int)
{
    return false;
}

// Qt takes the arguments from the UTF-16 command line, not from argv's bytes.
bool isDecodedExactly(const QByteArray &, const QString &)
{
    return true;
}

QString portPath(const QString &argument)
{
    // COM5 and \\.\COM12 alike; the device opens either.
    return argument;
}

bool isTerminal(FILE *stream)
{
    return consoleOf(stream) != nullptr;
}

bool write(FILE *stream, const QString &text)
{
    std::fflush(stream);
    if (const HANDLE console = consoleOf(stream)) {
        DWORD written = 0;
        return ::WriteConsoleW(console, reinterpret_cast<const wchar_t *>(text.utf16()), DWORD(text.size()),
                               &written, nullptr);
    }
    // Redirected: a file or pipe takes UTF-8, as PowerShell and most tools read it.
    return std::fputs(text.toUtf8().constData(), stream) >= 0 && std::fflush(stream) == 0;
}

void endLaterWaitsOnSignals() {}

void setBinary(FILE *stream)
{
    std::fflush(stream);
    ::_setmode(::_fileno(stream), _O_BINARY);
}

QString eraseToLineEnd()
{
    // Consoles before Windows 10 show escape sequences as they are: blanks
    // overwrite what is left of a longer line instead.
    const HANDLE console = consoleOf(stderr);
    DWORD mode = 0;
    if (console && ::GetConsoleMode(console, &mode) &&
        ::SetConsoleMode(console, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING))
        return QStringLiteral("\033[K");
    return QString(8, QLatin1Char(' '));
}

} // namespace CommandLinePlatform
