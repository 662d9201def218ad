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

    bool write(const QByteArray &data)
    {
        QElapsedTimer timer;
        timer.start();
        for (qsizetype done = 0; done < data.size() && !timer.hasExpired(5000);) {
            const ssize_t n = ::write(master, data.constData() + done, data.size() - done);
            done += qMax<ssize_t>(n, 0);
            if (done == data.size())
                return true;
            pollfd request = {master, POLLOUT, 0};
            ::poll(&request, 1, 10);
        }
        return data.isEmpty();
    }

    // Reads until count bytes have arrived or timeoutMs have passed.
    QByteArray read(qsizetype count, int timeoutMs = 5000)
    {
        QByteArray result;
        QElapsedTimer timer;
        timer.start();
        char buffer[65536];
        while (result.size() < count && !timer.hasExpired(timeoutMs)) {
            pollfd request = {master, POLLIN, 0};
            if (::poll(&request, 1, 10) > 0) {
                const ssize_t n =
                    ::read(master, buffer, qMin<qsizetype>(sizeof buffer, count - result.size()));
                result.append(buffer, qMax<ssize_t>(n, 0));
            }
        }
        return result;
    }

    // Everything that arrives until the line has been quiet for 100 ms.
    QByteArray readAvailable()
    {
        QByteArray result;
        for (QByteArray more; !(more = read(1 << 20, 100)).isEmpty();)
            result += more;
        return result;
    }

    int master = -1;
    QString slavePath;
};

// Collects what the process writes to its standard error stream meanwhile.
class StderrCapture
{
public:
    StderrCapture()
    {
        std::fflush(stderr);
        ::dup2(file, 2);
    }
    ~StderrCapture()
    {
        restore();
        ::close(saved);
        std::fclose(temporary);
    }

    QByteArray text()
    {
        restore();
        QByteArray result(::lseek(file, 0, SEEK_END), Qt::Uninitialized);
        if (::pread(file, result.data(), result.size(), 0) != result.size())
            result.clear();
        return result;
    }

private:
    void restore()
    {
        std::fflush(stderr);
        ::dup2(saved, 2);
    }

    int saved = ::dup(2);
    FILE *temporary = std::tmpfile();
    int file = ::fileno(temporary);
};
