// thalden-tester-simulator: a PV tester on a pseudo-terminal, for trying the
// program without the instrument. Linux only.

#include "testersimulator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A signal handler may only write to a descriptor; the event loop reads the
// other end and quits, so the link is removed and the port closed in order.
int signalSockets[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalSockets[0], &byte, 1);
}

void say(const QString &line)
{
    std::fprintf(stdout, "%s\n", qPrintable(line));
    std::fflush(stdout);
}

// Reads a whole number of at least minimum, or the option's default; false
// when the text is not such a number.
bool readNumber(const QCommandLineParser &parser, const QCommandLineOption &option, qint64 minimum,
                qint64 &value)
{
    if (parser.value(option).isEmpty())
        return true;
    bool ok = false;
    const qint64 number = parser.value(option).toLongLong(&ok);
    if (!ok || number < minimum) {
        std::fprintf(stderr, "--%s: expected a whole number of at least %lld, got \"%s\"\n",
                     qPrintable(option.names().constFirst()), static_cast<long long>(minimum),
                     qPrintable(parser.value(option)));
        return false;
    }
    value = number;
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("thalden-tester-simulator"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Simulates a PV tester on a pseudo-terminal: answers \"SYST:REM\" and \"MEM:DATA? ALL\" "
        "with stored test results at the tester's line rate, and injects faults on request."));
    parser.addHelpOption();
    const QCommandLineOption rateOption(QStringLiteral("rate"),
                                        QStringLiteral("Line rate in bit/s, 10 bits a byte; 0 = as fast as "
                                                       "possible (default 9600)."),
                                        QStringLiteral("bits-per-second"), QStringLiteral("9600"));
    const QCommandLineOption delayOption(
        QStringLiteral("delay"),
        QStringLiteral("Time from the request to the first byte, as if the "
                       "user started the transfer on the tester (default 1000)."),
        QStringLiteral("ms"), QStringLiteral("1000"));
    const QCommandLineOption fileOption(QStringLiteral("file"),
                                        QStringLiteral("Send this file instead of the built-in results."),
                                        QStringLiteral("path"));
    const QCommandLineOption sizeOption(
        QStringLiteral("size"),
        QStringLiteral("Send exactly this many bytes, repeating the records (e.g. 50000000)."),
        QStringLiteral("bytes"));
    const QCommandLineOption noiseOption(
        QStringLiteral("noise"), QStringLiteral("Mix bursts of binary (NUL, 0xFF, random) into the text."));
    const QCommandLineOption noiseOnlyOption(QStringLiteral("noise-only"),
                                             QStringLiteral("Send random binary instead of text."));
    const QCommandLineOption pauseAtOption(
        QStringLiteral("pause-at"), QStringLiteral("Fall silent after this many bytes (see --pause-ms)."),
        QStringLiteral("bytes"));
    const QCommandLineOption pauseMsOption(
        QStringLiteral("pause-ms"), QStringLiteral("Length of the silence of --pause-at (default 500)."),
        QStringLiteral("ms"), QStringLiteral("500"));
    const QCommandLineOption hangUpAtOption(
        QStringLiteral("hang-up-at"),
        QStringLiteral("Close the port once this many bytes are sent and read, like a pulled cable; the "
                       "simulator then exits."),
        QStringLiteral("bytes"));
    const QCommandLineOption neverAnswerOption(QStringLiteral("never-answer"),
                                               QStringLiteral("Take the commands but never send anything."));
    const QCommandLineOption onceOption(QStringLiteral("once"),
                                        QStringLiteral("Exit one second after the first transfer."));
    const QCommandLineOption linkOption(QStringLiteral("link"),
                                        QStringLiteral("Make a symbolic link to the port at this path (e.g. "
                                                       "/tmp/thalden-tester), removed at exit."),
                                        QStringLiteral("path"));
    const QCommandLineOption replayOption(
        QStringLiteral("replay"),
        QStringLiteral("Answer with the bytes of this capture (thalden-datalogger --capture, or the window's "
                       "captures/) at the times they came, pauses and a hang-up included."),
        QStringLiteral("capture"));
    const QCommandLineOption speedOption(
        QStringLiteral("speed"),
        QStringLiteral("With --replay: this many times as fast as the capture (default 1; 0 = as fast as "
                       "possible)."),
        QStringLiteral("factor"), QStringLiteral("1"));
    parser.addOptions({rateOption, delayOption, fileOption, sizeOption, noiseOption, noiseOnlyOption,
                       pauseAtOption, pauseMsOption, hangUpAtOption, neverAnswerOption, onceOption,
                       linkOption, replayOption, speedOption});
    parser.process(app);
    if (!parser.positionalArguments().isEmpty()) {
        std::fprintf(stderr, "Unexpected argument: %s\n",
                     qPrintable(parser.positionalArguments().constFirst()));
        return 1;
    }

    TesterSimulator::Options options;
    qint64 delayMs = options.delayMs;
    qint64 pauseMs = 0;
    if (!readNumber(parser, rateOption, 0, options.bitsPerSecond) ||
        !readNumber(parser, delayOption, 0, delayMs) || !readNumber(parser, sizeOption, 0, options.size) ||
        !readNumber(parser, pauseAtOption, 0, options.pauseAt) ||
        !readNumber(parser, pauseMsOption, 0, pauseMs) ||
        !readNumber(parser, hangUpAtOption, 0, options.hangUpAt))
        return 1;
    if (parser.isSet(noiseOption) && parser.isSet(noiseOnlyOption)) {
        std::fprintf(stderr, "--noise and --noise-only exclude each other\n");
        return 1;
    }
    options.delayMs = int(std::min<qint64>(delayMs, 24 * 3600 * 1000));
    options.pauseMs = int(std::min<qint64>(pauseMs, 24 * 3600 * 1000));
    options.filePath = parser.value(fileOption);
    options.noise = parser.isSet(noiseOnlyOption) ? TesterSimulator::Noise::Only
                    : parser.isSet(noiseOption)   ? TesterSimulator::Noise::Mixed
                                                  : TesterSimulator::Noise::None;
    options.neverAnswer = parser.isSet(neverAnswerOption);
    options.linkPath = parser.value(linkOption);
    options.replayPath = parser.value(replayOption);
    // The capture decides what is sent and when.
    for (const QCommandLineOption &option :
         {rateOption, delayOption, fileOption, sizeOption, noiseOption, noiseOnlyOption, pauseAtOption,
          pauseMsOption, hangUpAtOption, neverAnswerOption}) {
        if (parser.isSet(replayOption) && parser.isSet(option)) {
            std::fprintf(stderr, "--replay and --%s exclude each other\n",
                         qPrintable(option.names().constFirst()));
            return 1;
        }
    }
    bool speedOk = false;
    options.replaySpeed = parser.value(speedOption).toDouble(&speedOk);
    if (!speedOk || options.replaySpeed < 0) {
        std::fprintf(stderr, "--speed: expected a factor of 0 or more, got \"%s\"\n",
                     qPrintable(parser.value(speedOption)));
        return 1;
    }
    const bool once = parser.isSet(onceOption);

    TesterSimulator simulator;
    simulator.setOptions(options);
    if (!simulator.start()) {
        std::fprintf(stderr, "%s\n", qPrintable(simulator.errorString()));
        return 1;
    }

    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalSockets) == 0) {
        auto *signalNotifier = new QSocketNotifier(signalSockets[1], QSocketNotifier::Read, &app);
        QObject::connect(signalNotifier, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
        struct sigaction action = {};
        action.sa_handler = onSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        ::sigaction(SIGINT, &action, nullptr);
        ::sigaction(SIGTERM, &action, nullptr);
    }

    const QString port = options.linkPath.isEmpty() ? simulator.portPath() : options.linkPath;
    say(QStringLiteral("Tester simulator on %1").arg(simulator.portPath()) +
        (options.linkPath.isEmpty() ? QString() : QStringLiteral(" (link %1)").arg(options.linkPath)));
    say(QStringLiteral("Start the program with:  DATALOGGER_EXTRA_PORTS=%1 ./thalden-datalogger").arg(port));
    if (options.replayPath.isEmpty())
        say(QStringLiteral("Sends %1 bytes at %2 after a request; Ctrl+C ends.")
                .arg(simulator.payloadSize())
                .arg(options.bitsPerSecond > 0 ? QStringLiteral("%1 bit/s").arg(options.bitsPerSecond)
                                               : QStringLiteral("full speed")));
    else
        say(QStringLiteral("Replays %1 bytes of %2 after a request, at %3 times its pace; Ctrl+C ends.")
                .arg(simulator.payloadSize())
                .arg(options.replayPath)
                .arg(options.replaySpeed));

    QElapsedTimer transferClock;
    QObject::connect(&simulator, &TesterSimulator::commandReceived, &app, [](const QByteArray &command) {
        say(QStringLiteral("Received: %1").arg(QString::fromLatin1(command)));
    });
    QObject::connect(&simulator, &TesterSimulator::transferStarted, &app, [&] {
        transferClock.start();
        say(QStringLiteral("Transfer started"));
    });
    QObject::connect(&simulator, &TesterSimulator::transferFinished, &app, [&] {
        say(QStringLiteral("Transfer finished: %1 bytes in %2 s")
                .arg(simulator.bytesSent())
                .arg(double(transferClock.elapsed()) / 1000.0, 0, 'f', 2));
        // Closing the master drops what the reader has not read yet: give
        // it a moment first.
        if (once)
            QTimer::singleShot(1000, &app, &QCoreApplication::quit);
    });
    // The port is gone with the cable; a new run makes a new one.
    QObject::connect(&simulator, &TesterSimulator::hungUp, &app, [&] {
        say(QStringLiteral("Hung up after %1 bytes").arg(simulator.bytesSent()));
        QCoreApplication::quit();
    });

    const int result = QCoreApplication::exec();
    simulator.stop();
    say(QStringLiteral("Tester simulator closed"));
    return result;
}
