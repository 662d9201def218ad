#pragma once

// A pseudo-terminal pair standing in for a serial line: the device under test
// opens slavePath, the test plays the other end on the master descriptor.

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QString>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

class PtyPair
{
public:
    PtyPair()
    {
        master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0)
            return;
        char name[128];
        if (::ptsname_r(master, name, sizeof name) != 0)
            return;
        slavePath = QFile::decodeName(name);
        termios settings;
        if (::tcgetattr(master, &settings) == 0) {
            ::cfmakeraw(&settings);
            ::tcsetattr(master, TCSANOW, &settings);
        }
        ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    }
    ~PtyPair()
    {
        closeMaster();
    }
    PtyPair(const PtyPair &) = delete;
    PtyPair &operator=(const PtyPair &) = delete;

    bool isValid() const
    {
        return master >= 0 && !slavePath.isEmpty();
    }

    // Hangs up the slave side, as pulling a USB adapter does.
    void closeMaster()
    {
        if (master >= 0)
            ::close(master);
        master = -1;
    }

    bool write(const QByteArray &data, int timeoutMs = 5000)
    {
        QElapsedTimer timer;
        timer.start();
        qsizetype done = 0;
        while (done < data.size()) {
            const ssize_t n = ::write(master, data.constData() + done, data.size() - done);
            if (n > 0) {
                done += n;
                continue;
            }
            if (n < 0 && errno != EAGAIN && errno != EINTR)
                return false;
            if (timer.hasExpired(timeoutMs))
                return false;
            pollfd request = {master, POLLOUT, 0};
            ::poll(&request, 1, 10);
        }
        return true;
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
            if (::poll(&request, 1, 10) <= 0)
                continue;
            const ssize_t n = ::read(master, buffer, qMin<qsizetype>(sizeof buffer, count - result.size()));
            if (n > 0)
                result.append(buffer, n);
            else if (n < 0 && errno != EAGAIN && errno != EINTR)
                break;
        }
        return result;
    }

    // Everything that arrives within the next quietMs.
    QByteArray readAvailable(int quietMs = 100)
    {
        QByteArray result;
        for (;;) {
            const QByteArray more = read(1 << 20, quietMs);
            if (more.isEmpty())
                return result;
            result += more;
        }
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
        saved = ::dup(2);
        char name[] = "/tmp/stderr-capture-XXXXXX";
        file = ::mkstemp(name);
        ::unlink(name);
        ::dup2(file, 2);
    }
    ~StderrCapture()
    {
        restore();
        ::close(file);
    }

    QByteArray text()
    {
        restore();
        QByteArray result;
        ::lseek(file, 0, SEEK_SET);
        char buffer[4096];
        ssize_t n;
        while ((n = ::read(file, buffer, sizeof buffer)) > 0)
            result.append(buffer, n);
        return result;
    }

private:
    void restore()
    {
        if (saved < 0)
            return;
        std::fflush(stderr);
        ::dup2(saved, 2);
        ::close(saved);
        saved = -1;
    }

    int saved = -1;
    int file = -1;
};
