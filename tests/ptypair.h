#pragma once

// A pseudo-terminal pair stands in for a serial line: the device under test
// opens slavePath, the test plays the far end on the master descriptor.

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>

#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

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
