#pragma once

// Helpers of the suites and the benchmarks: a pseudo-terminal pair standing in
// for a serial line, the standard error stream, time and CPU time taken, and
// the seed and length of a soak.

#include <QByteArray>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>

#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

// The device under test opens slavePath; the test plays the far end on the
// master descriptor (raw, non-blocking).
class PtyPair
{
public:
    PtyPair()
    {
        master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
        char name[128];
        termios settings;
        if (master < 0 || ::grantpt(master) || ::unlockpt(master) || ::ptsname_r(master, name, sizeof name) ||
            ::tcgetattr(master, &settings))
            return;
        ::cfmakeraw(&settings);
        ::tcsetattr(master, TCSANOW, &settings);
        slavePath = QFile::decodeName(name);
    }
    ~PtyPair()
    {
        closeMaster();
    }

    // Hangs the slave side up, as pulling a USB adapter does.
    void closeMaster()
    {
        if (master >= 0)
            ::close(master);
        master = -1;
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
            pollfd request = {master,
                              short((in.size() < count ? POLLIN : 0) | (sent < out.size() ? POLLOUT : 0)), 0};
            if (::poll(&request, 1, 10) <= 0)
                continue;
            if (request.revents & POLLIN)
                in.append(buffer,
                          qMax<ssize_t>(
                              ::read(master, buffer, qMin<qsizetype>(sizeof buffer, count - in.size())), 0));
            if (request.revents & POLLOUT)
                sent += qMax<ssize_t>(
                    ::write(master, out.constData() + sent, qMin<qsizetype>(out.size() - sent, 4096)), 0);
        }
        return in;
    }

    int master = -1;
    QString slavePath;
};

// What f writes to the standard error stream.
template <typename F>
QByteArray stderrOf(F &&f)
{
    FILE *file = std::tmpfile();
    std::fflush(stderr);
    const int saved = ::dup(2);
    ::dup2(::fileno(file), 2);
    f();
    std::fflush(stderr);
    ::dup2(saved, 2);
    ::close(saved);
    QByteArray text(::lseek(::fileno(file), 0, SEEK_END), Qt::Uninitialized);
    if (::pread(::fileno(file), text.data(), text.size(), 0) != text.size())
        text.clear();
    std::fclose(file);
    return text;
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
    timespec now;
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec + now.tv_nsec / 1e9;
}

// A soak of random rounds: DATALOGGER_SOAK_SEED repeats a run (by default the
// clock seeds it) and DATALOGGER_SOAK_ROUNDS sets its length, of which a soak
// whose rounds take longer may run a share.
struct Soak
{
    explicit Soak(int defaultRounds, int share = 1)
        : seed(qEnvironmentVariableIsSet("DATALOGGER_SOAK_SEED")
                   ? qEnvironmentVariable("DATALOGGER_SOAK_SEED").toUInt()
                   : quint32(QDateTime::currentMSecsSinceEpoch()))
        , rounds(qEnvironmentVariableIsSet("DATALOGGER_SOAK_ROUNDS")
                     ? qEnvironmentVariableIntValue("DATALOGGER_SOAK_ROUNDS") / share
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
