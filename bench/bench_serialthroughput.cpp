// Receives 10 MB over a pseudo-terminal twice, once through
// Kv::WinSerialDeviceAsync (drained with readAll() on each readyRead()) and
// once with a plain poll() and read() loop on the same pair, and prints MB/s.

#include "winserialdeviceasync.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTimer>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr qsizetype transferSize = 10 * 1000 * 1000;

// Feeds the whole buffer into the master side as fast as the pty takes it.
void feed(int master, const QByteArray &data)
{
    qsizetype sent = 0;
    while (sent < data.size()) {
        const ssize_t n =
            ::write(master, data.constData() + sent, qMin<qsizetype>(data.size() - sent, 65536));
        if (n > 0) {
            sent += n;
        } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
            std::perror("write");
            return;
        } else {
            pollfd request = {master, POLLOUT, 0};
            ::poll(&request, 1, 100);
        }
    }
}

double megabytesPerSecond(qint64 nanoseconds)
{
    return transferSize / 1e6 / (nanoseconds / 1e9);
}

double throughAsyncDevice(int master, const QString &slavePath, const QByteArray &data)
{
    Kv::WinSerialDeviceAsync device(nullptr, slavePath);
    if (!device.open(QIODevice::ReadWrite))
        return 0;
    QByteArray received;
    received.reserve(transferSize);
    QEventLoop loop;
    QObject::connect(&device, &QIODevice::readyRead, &loop, [&] {
        received += device.readAll();
        if (received.size() >= transferSize)
            loop.quit();
    });
    QTimer::singleShot(120000, &loop, &QEventLoop::quit);
    QElapsedTimer timer;
    timer.start();
    std::thread writer(feed, master, std::cref(data));
    loop.exec();
    const qint64 elapsed = timer.nsecsElapsed();
    writer.join();
    device.close();
    if (received != data) {
        std::fprintf(stderr, "async device: received %lld bytes, not the bytes sent\n",
                     static_cast<long long>(received.size()));
        return 0;
    }
    return megabytesPerSecond(elapsed);
}

double throughPollLoop(int master, const QString &slavePath, const QByteArray &data)
{
    const int fd = ::open(QFile::encodeName(slavePath).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return 0;
    termios settings;
    ::tcgetattr(fd, &settings);
    ::cfmakeraw(&settings);
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 0;
    ::tcsetattr(fd, TCSANOW, &settings);
    QByteArray received;
    received.reserve(transferSize);
    char buffer[65536];
    QElapsedTimer timer;
    timer.start();
    std::thread writer(feed, master, std::cref(data));
    while (received.size() < transferSize && !timer.hasExpired(120000)) {
        pollfd request = {fd, POLLIN, 0};
        if (::poll(&request, 1, 50) <= 0)
            continue;
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0)
            received.append(buffer, n);
    }
    const qint64 elapsed = timer.nsecsElapsed();
    writer.join();
    ::close(fd);
    return received == data ? megabytesPerSecond(elapsed) : 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    // The device's trace lines would only measure the terminal.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
        if (type != QtDebugMsg)
            std::fprintf(stderr, "%s\n", qPrintable(message));
    });

    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    char name[128];
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0 ||
        ::ptsname_r(master, name, sizeof name))
        return 1;
    termios settings;
    ::tcgetattr(master, &settings);
    ::cfmakeraw(&settings);
    ::tcsetattr(master, TCSANOW, &settings);
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    const QString slavePath = QFile::decodeName(name);

    QByteArray data(transferSize, Qt::Uninitialized);
    QRandomGenerator generator(42);
    generator.fillRange(reinterpret_cast<quint32 *>(data.data()), transferSize / 4);

    const double async = throughAsyncDevice(master, slavePath, data);
    const double plain = throughPollLoop(master, slavePath, data);
    std::printf("10 MB over a pseudo-terminal, master to slave:\n");
    std::printf("  Kv::WinSerialDeviceAsync (readAll on readyRead): %8.1f MB/s\n", async);
    std::printf("  poll() and read() loop:                          %8.1f MB/s\n", plain);
    ::close(master);
    return async > 0 && plain > 0 ? 0 : 1;
}
