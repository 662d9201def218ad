// Moves the same data over a pseudo-terminal into four readers and prints
// MB/s, the ratio to the fastest possible (a plain poll() and read() loop),
// peak RSS and CPU time per MB; then the latencies of a download through the
// window. Each measured run is a fresh child process (this program with
// --child), so that its peak RSS is its own.
// Usage: bench_pipeline [repetitions]   (default 3; figures are medians)

#include "application.h"
#include "mainwindow.h"
#include "ptypair.h"
#include "testersimulator.h"
#include "testersimulatorthread.h"
#include "winserialdeviceasync.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <poll.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr qint64 megabyte = 1000 * 1000;

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values.at(values.size() / 2);
}

qint64 peakRssKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

// The size of the tester's results text cut after the last line end up to
// size bytes, as the tester's memory ends: a transfer of it ends at the first
// silent read period, where one that ends mid-line waits 2 s more.
qint64 wholeLines(qint64 size)
{
    TesterSimulator tester;
    TesterSimulator::Options options;
    options.size = size;
    tester.setOptions(options);
    tester.start();
    return tester.payload().lastIndexOf('\n') + 1;
}

TesterSimulator::Options fullSpeed(qint64 size, bool binary)
{
    TesterSimulator::Options options;
    options.bitsPerSecond = 0;
    // Random binary ends mid-line: the window's figure holds the 2 s more.
    options.size = binary ? size : wholeLines(size);
    options.noise = binary ? TesterSimulator::Noise::Only : TesterSimulator::Noise::None;
    return options;
}

// The payload: the tester's results text repeated, or random bytes.
QByteArray makePayload(qint64 size, bool binary)
{
    if (binary) {
        QByteArray data(size, Qt::Uninitialized);
        QRandomGenerator(42).fillRange(reinterpret_cast<quint32 *>(data.data()), size / 4);
        return data;
    }
    TesterSimulator tester;
    tester.setOptions(fullSpeed(size, false));
    tester.start();
    return tester.payload();
}

void feed(int master, const QByteArray &data)
{
    for (qsizetype sent = 0; sent < data.size();) {
        const ssize_t n =
            ::write(master, data.constData() + sent, qMin<qsizetype>(data.size() - sent, 65536));
        if (n > 0) {
            sent += n;
        } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
            return;
        } else {
            pollfd request = {master, POLLOUT, 0};
            ::poll(&request, 1, 100);
        }
    }
}

// Receives data into a reader of the given kind; true when every byte arrived.
bool receive(const QString &reader, const QByteArray &data)
{
    PtyPair pty;
    QByteArray received;
    received.reserve(data.size());
    std::thread writer;
    const auto startWriter = [&] {
        writer = std::thread(feed, pty.master, std::cref(data));
    };
    QEventLoop loop;
    QTimer::singleShot(300000, &loop, &QEventLoop::quit);

    if (reader == QLatin1String("poll")) {
        const int fd = ::open(QFile::encodeName(pty.slavePath).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        termios settings;
        ::tcgetattr(fd, &settings);
        ::cfmakeraw(&settings);
        ::tcsetattr(fd, TCSANOW, &settings);
        char buffer[65536];
        startWriter();
        QElapsedTimer clock;
        clock.start();
        while (received.size() < data.size() && !clock.hasExpired(300000)) {
            pollfd request = {fd, POLLIN, 0};
            if (::poll(&request, 1, 50) > 0) {
                const ssize_t n = ::read(fd, buffer, sizeof buffer);
                if (n > 0)
                    received.append(buffer, n);
            }
        }
        ::close(fd);
    } else if (reader == QLatin1String("qserialport")) {
        QSerialPort port(pty.slavePath);
        port.setBaudRate(9600);
        if (!port.open(QIODevice::ReadWrite))
            return false;
        QObject::connect(&port, &QSerialPort::readyRead, &loop, [&] {
            received += port.readAll();
            if (received.size() >= data.size())
                loop.quit();
        });
        startWriter();
        loop.exec();
    } else if (reader == QLatin1String("async")) {
        Kv::WinSerialDeviceAsync device(nullptr, pty.slavePath);
        if (!device.open(QIODevice::ReadWrite))
            return false;
        QObject::connect(&device, &QIODevice::readyRead, &loop, [&] {
            received += device.readAll();
            if (received.size() >= data.size())
                loop.quit();
        });
        startWriter();
        loop.exec();
    }
    writer.join();
    return received == data;
}

// A window with the tester's port listed (as a pseudo-terminal is) and chosen.
std::unique_ptr<MainWindow> windowOn(const TesterSimulator &tester)
{
    qputenv("DATALOGGER_EXTRA_PORTS", tester.portPath().toLocal8Bit());
    auto window = std::make_unique<MainWindow>();
    window->show();
    auto *ports = window->findChild<QComboBox *>("comPorts");
    ports->setCurrentIndex(ports->findData(tester.portPath()));
    return window;
}

// Clicks Download and runs the event loop until the save dialog opens (it is
// rejected) or timeoutMs pass, calling onTick every millisecond meanwhile.
// Returns the clock's reading when the dialog was seen, or -1.
qint64 downloadUntilSaveDialog(MainWindow &window, const QElapsedTimer &clock, int timeoutMs,
                               const std::function<void()> &onTick = {})
{
    qint64 dialogSeen = -1;
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (onTick)
            onTick();
        if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
            dialogSeen = clock.nsecsElapsed();
            dialog->reject();
            loop.quit();
        } else if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            // Data that ends mid-line may be incomplete, which a box says first.
            box->accept();
        }
    });
    poll.start(1);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    window.findChild<QPushButton *>("downloadBtn")->click();
    loop.exec();
    return dialogSeen;
}

// A download through the window from the simulator until the save dialog.
bool windowDownload(qint64 size, bool binary)
{
    TesterSimulatorThread tester(fullSpeed(size, binary));
    const auto window = windowOn(*tester.tester);
    QElapsedTimer clock;
    clock.start();
    return downloadUntilSaveDialog(*window, clock, 300000) >= 0 &&
           window->findChild<QPlainTextEdit *>("outputTextEdit")->document()->characterCount() > 1;
}

// One measured run in this process: prints "seconds cpu-seconds peak-kB ok".
int child(const QString &reader, qint64 size, bool binary)
{
    const QByteArray data = reader == QLatin1String("window") ? QByteArray() : makePayload(size, binary);
    const double cpuBefore = processCpuSeconds();
    QElapsedTimer clock;
    clock.start();
    const bool ok = reader == QLatin1String("window") ? windowDownload(size, binary) : receive(reader, data);
    std::printf("%f %f %lld %d\n", clock.nsecsElapsed() / 1e9, processCpuSeconds() - cpuBefore,
                peakRssKilobytes(), ok ? 1 : 0);
    return ok ? 0 : 1;
}

struct Figures
{
    double seconds = 0;
    double cpu = 0;
    double peakMb = 0;
    bool ok = true;
};

Figures measure(const QString &reader, qint64 size, bool binary, int repetitions)
{
    QList<double> seconds, cpu, peak;
    Figures figures;
    for (int i = 0; i < repetitions; ++i) {
        QProcess process;
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(QCoreApplication::applicationFilePath(),
                      {"--child", reader, QString::number(size), binary ? "binary" : "text"});
        process.waitForFinished(600000);
        const QList<QByteArray> fields =
            process.readAllStandardOutput().trimmed().split('\n').last().split(' ');
        if (fields.size() != 4 || fields.at(3) != "1")
            figures.ok = false;
        seconds << fields.value(0).toDouble();
        cpu << fields.value(1).toDouble();
        peak << fields.value(2).toDouble() / 1024;
    }
    figures.seconds = median(seconds);
    figures.cpu = median(cpu);
    figures.peakMb = median(peak);
    return figures;
}

// Latencies of the window, each in ms: the tester's last byte to the save
// dialog, the first byte to its text in the window, close() on a silent line,
// CPU used in 1 s of waiting for the tester, and in 1 s of an idle window.
struct Latencies
{
    double endMs, firstTextMs, closeMs, waitingCpuMs, idleWindowCpuMs;
};

// The CPU milliseconds this process uses in one second of its event loop,
// after 200 ms to settle.
double cpuMsOfOneSecond()
{
    QEventLoop settle;
    QTimer::singleShot(200, &settle, &QEventLoop::quit);
    settle.exec();
    const double cpuBefore = processCpuSeconds();
    QEventLoop loop;
    QTimer::singleShot(1000, &loop, &QEventLoop::quit);
    loop.exec();
    return (processCpuSeconds() - cpuBefore) * 1000;
}

Latencies latencies()
{
    Latencies result{};
    {
        TesterSimulator::Options options;
        options.bitsPerSecond = 9600;
        options.size = wholeLines(2000);
        TesterSimulatorThread tester(options);
        const auto window = windowOn(*tester.tester);
        auto *output = window->findChild<QPlainTextEdit *>("outputTextEdit");
        QElapsedTimer clock;
        qint64 firstByte = -1, firstText = -1, lastByte = -1;
        QObject::connect(tester.tester, &TesterSimulator::transferStarted, tester.tester,
                         [&] { firstByte = clock.nsecsElapsed(); });
        QObject::connect(tester.tester, &TesterSimulator::transferFinished, tester.tester,
                         [&] { lastByte = clock.nsecsElapsed(); });
        clock.start();
        const qint64 dialog = downloadUntilSaveDialog(*window, clock, 60000, [&] {
            if (firstText < 0 && output->document()->characterCount() > 1)
                firstText = clock.nsecsElapsed();
        });
        result.endMs = (dialog - lastByte) / 1e6;
        result.firstTextMs = (firstText - firstByte) / 1e6;
    }
    {
        // A window with nothing to do: what its port watcher costs.
        TesterSimulatorThread tester({});
        const auto window = windowOn(*tester.tester);
        result.idleWindowCpuMs = cpuMsOfOneSecond();
    }
    {
        PtyPair pty;
        Kv::WinSerialDeviceAsync device(nullptr, pty.slavePath);
        device.open(QIODevice::ReadWrite);
        result.waitingCpuMs = cpuMsOfOneSecond();
        QElapsedTimer clock;
        clock.start();
        device.close();
        result.closeMs = clock.nsecsElapsed() / 1e6;
    }
    return result;
}

// At the tester's 9600 bit/s: the seconds a download of size bytes takes
// from the first byte to the save dialog.
double slowLine(qint64 size)
{
    TesterSimulator::Options options;
    options.bitsPerSecond = 9600;
    options.size = wholeLines(size);
    TesterSimulatorThread tester(options);
    const auto window = windowOn(*tester.tester);
    QElapsedTimer clock;
    qint64 firstByte = -1;
    QObject::connect(tester.tester, &TesterSimulator::transferStarted, tester.tester,
                     [&] { firstByte = clock.nsecsElapsed(); });
    clock.start();
    const qint64 dialog = downloadUntilSaveDialog(*window, clock, 600000);
    return (dialog - firstByte) / 1e9;
}

} // namespace

int main(int argc, char *argv[])
{
    // Settings, captures and recovery files of its own, never the user's.
    QTemporaryDir configHome;
    qputenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", QFile::encodeName(configHome.filePath("data")));
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    setApplicationIdentity();
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
        if (type != QtDebugMsg && !message.contains(QLatin1String("propagateSizeHints")))
            std::fprintf(stderr, "%s\n", qPrintable(message));
    });

    const QStringList arguments = app.arguments();
    if (arguments.size() == 5 && arguments.at(1) == QLatin1String("--child"))
        return child(arguments.at(2), arguments.at(3).toLongLong(),
                     arguments.at(4) == QLatin1String("binary"));
    const int repetitions = arguments.size() > 1 ? arguments.at(1).toInt() : 3;

    struct Payload
    {
        const char *name;
        qint64 size;
        bool binary;
    };
    const Payload payloads[] = {{"1 MB results text", megabyte, false},
                                {"10 MB results text", 10 * megabyte, false},
                                {"10 MB random binary", 10 * megabyte, true}};
    const char *readers[][2] = {{"poll", "poll() + read() loop (the limit)"},
                                {"qserialport", "QSerialPort, readAll on readyRead"},
                                {"async", "Kv::WinSerialDeviceAsync, readAll on readyRead"},
                                {"window", "MainWindow from the simulator, to save dialog"}};
    bool allOk = true;
    std::printf("pty master -> slave, median of %d runs, each in a fresh process\n", repetitions);
    std::printf(
        "| Payload | Reader | MB/s | x limit | peak RSS MB | CPU s/MB |\n|---|---|---:|---:|---:|---:|\n");
    for (const Payload &payload : payloads) {
        double limit = 0;
        for (const auto &reader : readers) {
            const Figures f =
                measure(QString::fromLatin1(reader[0]), payload.size, payload.binary, repetitions);
            const double rate = payload.size / 1e6 / f.seconds;
            if (limit == 0)
                limit = rate;
            allOk = allOk && f.ok;
            std::printf("| %s | %s%s | %.1f | %.2f | %.0f | %.3f |\n", payload.name, reader[1],
                        f.ok ? "" : " (INCOMPLETE)", rate, rate / limit, f.peakMb,
                        f.cpu / (payload.size / 1e6));
            std::fflush(stdout);
        }
    }

    QList<double> end, firstText, close, waitingCpu, idleWindowCpu;
    for (int i = 0; i < repetitions; ++i) {
        const Latencies l = latencies();
        end << l.endMs;
        firstText << l.firstTextMs;
        close << l.closeMs;
        waitingCpu << l.waitingCpuMs;
        idleWindowCpu << l.idleWindowCpuMs;
    }
    std::printf("\n| Latency (median of %d) | ms |\n|---|---:|\n", repetitions);
    std::printf("| tester's last byte -> save dialog (9600 bit/s) | %.0f |\n", median(end));
    std::printf("| tester's first byte -> its text in the window | %.0f |\n", median(firstText));
    std::printf("| close() on a silent line | %.1f |\n", median(close));
    std::printf("| CPU used in 1 s of waiting for the tester | %.1f |\n", median(waitingCpu));
    std::printf("| CPU used in 1 s by an idle window (port watcher on) | %.1f |\n", median(idleWindowCpu));

    // 1 MB at 9600 bit/s would take some 17 minutes: 10 kB shows the pace.
    const qint64 slowSize = 10000;
    const double needed = slowSize * 10 / 9600.0;
    const double taken = slowLine(slowSize);
    std::printf("\n10 kB at 9600 bit/s: %.2f s from first byte to save dialog; the line needs %.2f s "
                "(1 MB: %.0f s, extrapolated %.0f s)\n",
                taken, needed, megabyte * 10 / 9600.0, taken / needed * megabyte * 10 / 9600.0);
    return allOk ? 0 : 1;
}
