// Times downloads through the whole main window (offscreen) from the tester
// simulator:
//  - a transfer at full pseudo-terminal speed (default 10 MB), from the click
//    on Download to the save dialog, next to the same transfer through
//    Kv::WinSerialDeviceAsync alone;
//  - at the tester's 9600 bit/s, the time from the tester's last byte to the
//    save dialog (the end-of-transfer detection).
// Usage: bench_download [megabytes] [repetitions]

#include "application.h"
#include "mainwindow.h"
#include "testersimulator.h"
#include "winserialdeviceasync.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values.at(values.size() / 2);
}

bool startTester(TesterSimulator &tester, qint64 bitsPerSecond, qint64 size)
{
    TesterSimulator::Options options;
    options.bitsPerSecond = bitsPerSecond;
    options.size = size;
    tester.setOptions(options);
    if (!tester.start()) {
        std::fprintf(stderr, "tester: %s\n", qPrintable(tester.errorString()));
        return false;
    }
    qputenv("DATALOGGER_EXTRA_PORTS", tester.portPath().toLocal8Bit());
    return true;
}

// Runs one download in a fresh window; returns the milliseconds from the click
// (or from the tester's last byte, when fromLastByte) to the save dialog.
double windowDownload(qint64 bitsPerSecond, qint64 size, bool fromLastByte)
{
    TesterSimulator tester;
    if (!startTester(tester, bitsPerSecond, size))
        return -1;
    MainWindow window;
    window.show();
    auto *ports = window.findChild<QComboBox *>("comPorts");
    ports->setCurrentIndex(ports->findData(tester.portPath()));

    QElapsedTimer clock;
    qint64 lastByte = -1;
    qint64 dialogShown = -1;
    QObject::connect(&tester, &TesterSimulator::transferFinished, [&] { lastByte = clock.nsecsElapsed(); });
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(1);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
            if (dialogShown < 0)
                dialogShown = clock.nsecsElapsed();
            dialog->reject();
            loop.quit();
        }
    });
    poll.start();
    QTimer::singleShot(600000, &loop, &QEventLoop::quit);
    clock.start();
    window.findChild<QPushButton *>("downloadBtn")->click();
    if (dialogShown < 0)
        loop.exec();
    if (dialogShown < 0)
        return -1;
    return (dialogShown - (fromLastByte ? lastByte : 0)) / 1e6;
}

// The same transfer drained from the device alone, as the window drains it.
double deviceDownload(qint64 size)
{
    TesterSimulator tester;
    if (!startTester(tester, 0, size))
        return -1;
    Kv::WinSerialDeviceAsync device(nullptr, tester.portPath());
    QElapsedTimer clock;
    clock.start();
    if (!device.open(QIODevice::ReadWrite))
        return -1;
    QByteArray received;
    bool dataReceived = false;
    QEventLoop loop;
    QObject::connect(&device, &QIODevice::readyRead, [&] {
        const QByteArray chunk = device.readAll();
        dataReceived = dataReceived || !chunk.isEmpty();
        received += chunk;
    });
    QObject::connect(&device, &Kv::WinSerialDeviceAsync::readTimeOut, [&] {
        if (dataReceived)
            loop.quit();
    });
    device.write("SYST:REM\r\n");
    device.write("MEM:DATA? ALL\r\n");
    loop.exec();
    const double ms = clock.nsecsElapsed() / 1e6;
    device.close();
    return received.size() == size ? ms : -1;
}

} // namespace

int main(int argc, char *argv[])
{
    QTemporaryDir configHome;
    qputenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    setApplicationIdentity();
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
        if (type != QtDebugMsg)
            std::fprintf(stderr, "%s\n", qPrintable(message));
    });

    const qint64 megabytes = argc > 1 ? QByteArray(argv[1]).toLongLong() : 10;
    const int repetitions = argc > 2 ? QByteArray(argv[2]).toInt() : 3;
    const qint64 size = megabytes * 1000 * 1000;

    QList<double> window;
    QList<double> device;
    QList<double> endLatency;
    for (int i = 0; i < repetitions; ++i) {
        window << windowDownload(0, size, false);
        device << deviceDownload(size);
        endLatency << windowDownload(9600, 2000, true);
    }
    const double windowMs = median(window);
    const double deviceMs = median(device);
    std::printf("%lld MB at full pty speed, median of %d:\n", megabytes, repetitions);
    std::printf("  through the window  %8.0f ms  %6.1f MB/s\n", windowMs, size / 1e3 / windowMs);
    std::printf("  device alone        %8.0f ms  %6.1f MB/s\n", deviceMs, size / 1e3 / deviceMs);
    std::printf("  window / device     %8.2f\n", windowMs / deviceMs);
    std::printf("last byte to save dialog at 9600 bit/s: median %.0f ms (min %.0f, max %.0f)\n",
                median(endLatency), *std::min_element(endLatency.cbegin(), endLatency.cend()),
                *std::max_element(endLatency.cbegin(), endLatency.cend()));
    return 0;
}
