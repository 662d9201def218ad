#pragma once

// Helpers of the suites and the benchmarks: a pseudo-terminal pair standing in
// for a serial line (on Windows, run under Wine, a COM port onto one), the
// serial layer's log lines, time and CPU time taken, and the seed and length
// of a soak.

#include <QByteArray>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QMutex>

#include <ctime>
#include <fcntl.h>
#ifdef _WIN32
#include "win32comm.h" // windows.h as the devices have it, before winsock2.h
#include <winsock2.h>
#else
#include <poll.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#endif

// The device under test opens slavePath; the test plays the far end on
// master. On Linux that is the pseudo-terminal's master (raw, non-blocking);
// under Wine a connection to tools/wine-pty-peer (its port in
// DATALOGGER_WINE_PTY_PEER), which relays it to the pseudo-terminal that Wine
// opens as the COM port slavePath.
class PtyPair
{
public:
    PtyPair()
    {
#ifdef _WIN32
        WSADATA data;
        sockaddr_in address = {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(quint16(qEnvironmentVariableIntValue("DATALOGGER_WINE_PTY_PEER")));
        if (WSAStartup(MAKEWORD(2, 2), &data) == 0)
            master = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        // A far end that does not read stalls the device's writes after some
        // kilobytes, as on a real line (the peer's buffers are small as well).
        const int size = 4096;
        ::setsockopt(master, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char *>(&size), sizeof size);
        if (::connect(master, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0) {
            qWarning("No serial line: start tools/wine-pty-peer, with its port in DATALOGGER_WINE_PTY_PEER");
            closeMaster();
            return;
        }
        for (char c; ::recv(master, &c, 1, 0) == 1 && c != '\n';)
            slavePath += QLatin1Char(c);
        u_long nonBlocking = 1;
        ::ioctlsocket(master, FIONBIO, &nonBlocking);
#else
        master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
        char name[128];
        termios settings;
        if (master < 0 || ::grantpt(master) || ::unlockpt(master) || ::ptsname_r(master, name, sizeof name) ||
            ::tcgetattr(master, &settings))
            return;
        ::cfmakeraw(&settings);
        ::tcsetattr(master, TCSANOW, &settings);
        slavePath = QFile::decodeName(name);
#endif
    }
    ~PtyPair()
    {
        closeMaster();
    }

    // Hangs the slave side up, as pulling a USB adapter does. Under Wine the
    // peer then also removes the port, and closes its end when both are done.
    void closeMaster()
    {
#ifdef _WIN32
        if (master == INVALID_SOCKET)
            return;
        ::shutdown(master, SD_SEND);
        u_long blocking = 0;
        ::ioctlsocket(master, FIONBIO, &blocking);
        const DWORD waitMs = 2000;
        ::setsockopt(master, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char *>(&waitMs), sizeof waitMs);
        for (char buffer[4096]; ::recv(master, buffer, sizeof buffer, 0) > 0;) {
        }
        ::closesocket(master);
        master = INVALID_SOCKET;
#else
        if (master >= 0)
            ::close(master);
        master = -1;
#endif
    }

    // Sends out while taking what arrives, until all is sent and count bytes
    // have come or timeoutMs have passed. May run in a thread of its own.
    QByteArray exchange(const QByteArray &out, qsizetype count = 0, int timeoutMs = 5000)
    {
        QByteArray in;
        char buffer[65536];
        QElapsedTimer timer;
        timer.start();
        for (qsizetype sent = 0; (sent < out.size() || in.size() < count) && !timer.hasExpired(timeoutMs);) {
            bool readable = in.size() < count;
            bool writable = sent < out.size();
            if (!waitUpTo10ms(readable, writable))
                continue;
            if (readable)
                in.append(buffer, qMax<qsizetype>(
                                      receive(buffer, qMin<qsizetype>(sizeof buffer, count - in.size())), 0));
            if (writable)
                sent += qMax<qsizetype>(
                    send(out.constData() + sent, qMin<qsizetype>(out.size() - sent, 4096)), 0);
        }
        return in;
    }

#ifdef _WIN32
    SOCKET master = INVALID_SOCKET;
#else
    int master = -1;
#endif
    QString slavePath;

private:
    // Whether the far end became readable or writable (as far as asked).
    bool waitUpTo10ms(bool &readable, bool &writable)
    {
#ifdef _WIN32
        fd_set reads, writes;
        FD_ZERO(&reads);
        FD_ZERO(&writes);
        if (readable)
            FD_SET(master, &reads);
        if (writable)
            FD_SET(master, &writes);
        timeval wait = {0, 10000};
        if (master == INVALID_SOCKET || ::select(0, &reads, &writes, nullptr, &wait) <= 0)
            return false;
        readable = FD_ISSET(master, &reads);
        writable = FD_ISSET(master, &writes);
#else
        pollfd request = {master, short((readable ? POLLIN : 0) | (writable ? POLLOUT : 0)), 0};
        if (::poll(&request, 1, 10) <= 0)
            return false;
        readable = request.revents & POLLIN;
        writable = request.revents & POLLOUT;
#endif
        return true;
    }
#ifdef _WIN32
    qsizetype receive(char *data, qsizetype size)
    {
        return ::recv(master, data, int(size), 0);
    }
    qsizetype send(const char *data, qsizetype size)
    {
        return ::send(master, data, int(size), 0);
    }
#else
    qsizetype receive(char *data, qsizetype size)
    {
        return ::read(master, data, size);
    }
    qsizetype send(const char *data, qsizetype size)
    {
        return ::write(master, data, size);
    }
#endif
};

// The serial layer's failure lines (warnings of "thalden.serial") logged
// while f runs, from any thread, one after the other; other messages go on
// to the usual handler.
template <typename F>
QByteArray serialFailuresOf(F &&f)
{
    static QMutex mutex;
    static QByteArray lines;
    static QtMessageHandler usual = nullptr;
    lines.clear();
    usual =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context, const QString &text) {
            if (type != QtWarningMsg || qstrcmp(context.category, "thalden.serial") != 0)
                return usual(type, context, text);
            const QMutexLocker locker(&mutex);
            lines += text.toLatin1();
        });
    f();
    qInstallMessageHandler(usual);
    const QMutexLocker locker(&mutex);
    return lines;
}

// How long f takes, in milliseconds.
template <typename F>
qint64 msecsTaken(F &&f)
{
    QElapsedTimer timer;
    timer.start();
    f();
    return timer.elapsed();
}

// The CPU time this process has used, all its threads, in seconds.
inline double processCpuSeconds()
{
#ifdef _WIN32
    FILETIME creation, exit, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &creation, &exit, &kernel, &user);
    const auto seconds = [](const FILETIME &time) {
        return (quint64(time.dwHighDateTime) << 32 | time.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
#else
    timespec now;
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec + now.tv_nsec / 1e9;
#endif
}

// A soak of random rounds: DATALOGGER_SOAK_SEED repeats a run (by default the
// clock seeds it) and DATALOGGER_SOAK_ROUNDS sets its length.
struct Soak
{
    explicit Soak(int defaultRounds)
        : seed(qEnvironmentVariableIsSet("DATALOGGER_SOAK_SEED")
                   ? qEnvironmentVariable("DATALOGGER_SOAK_SEED").toUInt()
                   : quint32(QDateTime::currentMSecsSinceEpoch()))
        , rounds(qEnvironmentVariableIsSet("DATALOGGER_SOAK_ROUNDS")
                     ? qEnvironmentVariableIntValue("DATALOGGER_SOAK_ROUNDS")
                     : defaultRounds)
    {}

    // What a failure in the given round prints, to repeat it.
    QByteArray where(int round) const
    {
        return "DATALOGGER_SOAK_SEED=" + QByteArray::number(seed) + ", round " + QByteArray::number(round);
    }

    const quint32 seed;
    const int rounds;
};

#ifndef _WIN32
// A child process that holds the port as asked until endChild(): "excl" with
// TIOCEXCL and flock, "lock" with flock, "open" with a plain descriptor, ""
// not at all. 0 when it could not get the port.
inline pid_t holdInChild(const QString &path, const QString &how)
{
    int reply[2];
    if (::pipe(reply) != 0)
        return 0;
    const pid_t child = ::fork();
    if (child == 0) {
        const int fd =
            how.isEmpty() ? 0 : ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        const bool locking = how == QLatin1String("excl") || how == QLatin1String("lock");
        const char held = fd >= 0 && (how != QLatin1String("excl") || ::ioctl(fd, TIOCEXCL) == 0) &&
                          (!locking || ::flock(fd, LOCK_EX | LOCK_NB) == 0);
        if (::write(reply[1], &held, 1) == 1 && held)
            ::pause();
        ::_exit(0);
    }
    char held = 0;
    const bool answered = ::read(reply[0], &held, 1) == 1;
    ::close(reply[0]);
    ::close(reply[1]);
    if (answered && held)
        return child;
    ::waitpid(child, nullptr, 0);
    return 0;
}

inline void endChild(pid_t child)
{
    if (child > 0 && ::kill(child, SIGKILL) == 0)
        ::waitpid(child, nullptr, 0);
}
#endif
