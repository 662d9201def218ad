#include "commandline.h"

#include "application.h"
#include "capturereader.h"
#include "capturewriter.h"
#include "commandlineplatform.h"
#include "dataamount.h"
#include "downloadsession.h"
#include "downloadsummary.h"
#include "exitreport.h"
#include "portpath.h"
#include "resultswriter.h"
#include "serialportenumerator.h"
#include "terminationhandler.h"
#include "translations.h"
#include "visibletext.h"

#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QScopeGuard>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

void say(const QString &text)
{
    CommandLinePlatform::write(stderr, text + QLatin1Char('\n'));
}

// Says why the command line fails, and keeps it as the reason for --json.
int fail(ExitReport &report, int exitCode, const QString &reason)
{
    say(reason);
    report.setReason(reason);
    return exitCode;
}

// An answer on standard output: one that went nowhere (> /dev/full, a closed
// pipe) is a failure, not a success.
int answer(const QString &text, ExitReport &report)
{
    // Open on the null device since the start, where the text would vanish.
    if (CommandLinePlatform::wasClosedAtStart(1))
        return fail(report, CommandLine::WriteFailed, CommandLine::tr("Standard output is closed."));
    if (CommandLinePlatform::write(stdout, text))
        return CommandLine::Saved;
    return fail(report, CommandLine::WriteFailed,
                CommandLine::tr("Standard output could not be written: %1", "%1 is the system's reason")
                    .arg(QString::fromLocal8Bit(std::strerror(errno))));
}

int listPorts(ExitReport &report)
{
    QList<Kv::SerialPortInfo> ports;
    Kv::enumerateSerialPorts(ports);
    QString text = QStringLiteral("name\tdevice\tfriendly name\tvid:pid\tstable name\tserial number\n");
    for (const Kv::SerialPortInfo &port : std::as_const(ports)) {
        const QString ids = port.vendorId || port.productId
                                ? QString::asprintf("%04x:%04x", port.vendorId, port.productId)
                                : QString();
        text += QStringList{port.portName, port.openPath,   port.friendlyName,
                            ids,           port.stablePath, port.serialNumber}
                    .join(QLatin1Char('\t')) +
                QLatin1Char('\n');
    }
    return answer(text, report);
}

// Why the output cannot go where the options send it: to a standard stream
// that was closed at the start and has the null device in its place.
QString closedStreamError(bool json, const QString &outputPath)
{
    const int output = outputPath == QLatin1String("-") ? 1 : ResultsWriter::descriptorOf(outputPath);
    if ((json || output == 1) && CommandLinePlatform::wasClosedAtStart(1))
        return CommandLine::tr("Standard output is closed.");
    if (output == 2 && CommandLinePlatform::wasClosedAtStart(2))
        return CommandLine::tr("Standard error is closed.");
    return QString();
}

// The first of the options that name a file whose name the arguments give in
// bytes that are not UTF-8: decoded with replacement characters,
// r\xe9sultat.csv would be another file, r\xef\xbf\xbdsultat.csv.
QString optionWithUndecodableName(const QByteArrayList &raw, const QStringList &decoded)
{
    const QByteArrayList fileOptions{"--output", "--capture", "--replay"};
    for (qsizetype i = 1; i < raw.size(); ++i) {
        // Aligned with argv unless Qt took an argument of its own.
        const QString text = decoded.size() == raw.size() ? decoded.at(i) : QFile::decodeName(raw.at(i));
        if (CommandLinePlatform::isDecodedExactly(raw.at(i), text))
            continue;
        for (const QByteArray &option : fileOptions) {
            if (raw.at(i).startsWith(option + '=') || raw.at(i - 1) == option)
                return QString::fromLatin1(option.mid(2));
        }
    }
    return QString();
}

// The options that select the command line; every other argument is the
// window's (Qt's own, such as --style fusion or -platform offscreen).
const char *const ownOptions[] = {"help",   "version", "list-ports", "download", "output",
                                  "german", "wait",    "capture",    "replay",   "json"};

// Says why a capture cannot be replayed; nothing is written. One cut short
// is replayed: its bytes are what the download had when it stopped.
int replayRefused(const QString &path, const CaptureReader &reader, ExitReport &report)
{
    QString reason = reader.errorString();
    if (reader.isCut())
        reason =
            CommandLine::tr("it holds only the first %1 of the %2 bytes received: it reached its size limit")
                .arg(reader.bytesRead())
                .arg(reader.end().bytes);
    return fail(report, CommandLine::UsageError,
                CommandLine::tr("The capture %1 cannot be replayed: %2", "%1 is a file path, %2 the reason")
                    .arg(path, reason));
}

} // namespace

bool CommandLine::isRequested(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (qstrncmp(argv[i], "--", 2) != 0)
            continue;
        // --name or --name=value
        const QByteArray name = QByteArray(argv[i] + 2).split('=').constFirst();
        for (const char *option : ownOptions) {
            if (name == option)
                return true;
        }
    }
    return false;
}

bool CommandLine::hasDisplay(int argc, char *argv[])
{
    QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    for (int i = 1; i + 1 < argc; ++i) {
        if (qstrcmp(argv[i], "-platform") == 0 || qstrcmp(argv[i], "--platform") == 0)
            platform = argv[i + 1];
    }
    if (!platform.isEmpty() && !platform.startsWith("xcb") && !platform.startsWith("wayland"))
        return true;
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

int CommandLine::explainNoDisplay(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    setApplicationIdentity();
    QObject translatorOwner;
    installStoredTranslator(&translatorOwner);
    say(tr("The window needs a display, and none was found (neither DISPLAY nor WAYLAND_DISPLAY is "
           "set). Without a display, download with the command line: thalden-datalogger --help "
           "tells how."));
    return UsageError;
}

int CommandLine::run(int argc, char *argv[])
{
    QByteArrayList rawArguments;
    for (int i = 0; i < argc; ++i)
        rawArguments << QByteArray(argv[i]);
    QCoreApplication app(argc, argv);
    setApplicationIdentity();
    // Standard error is the user's here: the messages below say what the
    // serial layer's trace and failure lines would.
    QLoggingCategory::setFilterRules(QStringLiteral("thalden.serial*=false\n*.debug=false"));
    QObject translatorOwner;
    QString unloadableLanguage;
    if (!installStoredTranslator(&translatorOwner, &unloadableLanguage) && !unloadableLanguage.isEmpty())
        say(tr("The language stored by the window could not be loaded from %1; English is used.",
               "%1 is a file path")
                .arg(unloadableLanguage));

    ExitReport report;
    const int exitCode = execute(app, rawArguments, report);
    // What --help, --version and --list-ports print is their whole answer.
    if (!report.isRequested() || (exitCode == Saved && !report.hasDownload()))
        return exitCode;
    if (!CommandLinePlatform::write(stdout, QString::fromUtf8(report.json(exitCode))) && exitCode == Saved) {
        say(tr("Standard output could not be written: %1", "%1 is the system's reason")
                .arg(QString::fromLocal8Bit(std::strerror(errno))));
        return WriteFailed;
    }
    return exitCode;
}

int CommandLine::execute(QCoreApplication &app, const QByteArrayList &rawArguments, ExitReport &report)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        tr("Copies the stored results of a PV tester to a file, without a window.\n\n"
           "Exit codes: 0 saved; 1 usage error; 2 the port could not be opened; 3 nothing arrived "
           "within --wait; 4 the file could not be written; 5 the connection was lost mid-transfer, "
           "or the capture given to --replay was cut short (what arrived is written); 130 interrupted (what "
           "arrived is written)."));
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("help")}, tr("Displays this help."));
    const QCommandLineOption version(QStringList{QStringLiteral("version")}, tr("Displays the version."));
    const QCommandLineOption list(QStringLiteral("list-ports"),
                                  tr("Lists the serial ports as the window does, tab-separated."));
#ifdef Q_OS_WIN
    const QString downloadText =
        tr("Downloads the results from PORT: a COM port's name (COM5) or its device path (\\\\.\\COM12).");
#else
    const QString downloadText = tr("Downloads the results from PORT: a path when it begins with / or ., "
                                    "otherwise a name below /dev (ttyUSB0, pts/3).");
#endif
    const QCommandLineOption download(QStringLiteral("download"), downloadText, QStringLiteral("PORT"));
    const QCommandLineOption output(QStringLiteral("output"),
                                    tr("Writes the results to FILE, or to standard output for -."),
                                    QStringLiteral("FILE"));
    const QCommandLineOption german(QStringLiteral("german"),
                                    tr("Converts the results to the German number format."));
    const QCommandLineOption wait(QStringLiteral("wait"),
                                  tr("Gives up when no byte has arrived SECONDS after the request "
                                     "(default: waits until interrupted)."),
                                  QStringLiteral("SECONDS"));
    const QCommandLineOption capture(QStringLiteral("capture"),
                                     tr("Also keeps a capture of the download in FILE: what was sent, what "
                                        "came back and when, how it ended."),
                                     QStringLiteral("FILE"));
    const QCommandLineOption replay(
        QStringLiteral("replay"),
        tr("Instead of --download: runs the capture FILE through the download again "
           "and writes what that download wrote, with its exit code."),
        QStringLiteral("FILE"));
    const QCommandLineOption json(
        QStringLiteral("json"), tr("At the end, however it ends, writes one JSON object to standard output: "
                                   "the exit code, whether the results were saved, the reason for a failure, "
                                   "and the download's summary (bytes, lines, seconds, end, SHA-256)."));
    parser.addOptions({help, version, list, download, output, german, wait, capture, replay, json});

    auto usageError = [&report](const QString &message) {
        fail(report, UsageError, message);
#ifdef Q_OS_WIN
        say(tr("Try \"thalden-datalogger-cli --help\"."));
#else
        say(tr("Try \"thalden-datalogger --help\"."));
#endif
        return UsageError;
    };
    // Arguments the parser refuses may still ask for it.
    report.setRequested(app.arguments().contains(QStringLiteral("--json")));
    if (!parser.parse(app.arguments()))
        return usageError(parser.errorText());
    report.setRequested(parser.isSet(json));
    if (parser.isSet(help))
        return answer(parser.helpText(), report);
    if (parser.isSet(version))
        return answer(QStringLiteral("THALDEN Datalogger %1\n").arg(QCoreApplication::applicationVersion()),
                      report);
    // The parser would quietly take the last of them.
    for (const QCommandLineOption &option : {download, output, wait, capture, replay}) {
        if (parser.values(option).size() > 1)
            return usageError(tr("--%1 may be given only once.", "%1 is an option's name, such as output")
                                  .arg(option.names().constFirst()));
    }
    if (!parser.positionalArguments().isEmpty())
        return usageError(tr("Unexpected argument: %1", "%1 is the argument given")
                              .arg(parser.positionalArguments().constFirst()));
    if (parser.isSet(list))
        return listPorts(report);
    const bool replaying = parser.isSet(replay);
    for (const QCommandLineOption &option : {download, capture, wait}) {
        if (replaying && parser.isSet(option))
            return usageError(
                tr("--replay cannot be combined with --%1.", "%1 is an option's name, such as wait")
                    .arg(option.names().constFirst()));
    }
    if (!parser.isSet(download) && !replaying)
        return usageError(tr("Nothing to do: give --download PORT --output FILE, or --list-ports."));
    if (!parser.isSet(output))
        return usageError(replaying ? tr("--replay needs --output FILE.")
                                    : tr("--download needs --output FILE."));
    if (parser.isSet(json) && (parser.value(output) == QLatin1String("-") ||
                               ResultsWriter::descriptorOf(parser.value(output)) == 1))
        return usageError(tr("--json cannot be combined with --output %1: both would go to standard output.",
                             "%1 is -, /dev/stdout or the like")
                              .arg(parser.value(output)));
    int waitSeconds = 0;
    if (parser.isSet(wait)) {
        bool number = false;
        waitSeconds = parser.value(wait).toInt(&number);
        if (!number || waitSeconds <= 0 || waitSeconds > 24 * 3600)
            return usageError(tr("--wait needs a positive number of seconds."));
    }

    const QString undecodable = optionWithUndecodableName(rawArguments, app.arguments());
    if (!undecodable.isEmpty()) {
        const QString option = QLatin1String("--") + undecodable;
        return fail(report, UsageError,
                    tr("The name given to %1 (%2) is not valid UTF-8, and would name another file. "
                       "Give the name in UTF-8.",
                       "%1 is an option's name, such as --output, %2 the name as it can be shown")
                        .arg(option, parser.value(undecodable)));
    }
    const QString closedStream = closedStreamError(parser.isSet(json), parser.value(output));
    if (!closedStream.isEmpty())
        return fail(report, WriteFailed, closedStream);

    CaptureReader capturedDownload(parser.value(replay));
    if (replaying && !capturedDownload.open())
        return replayRefused(parser.value(replay), capturedDownload, report);

    // Whatever can be known of the output is checked before the tester is asked.
    const QString outputPath = parser.value(output);
    const bool toStandardOutput = outputPath == QLatin1String("-");
    ResultsWriter writer(parser.isSet(german) ? ResultsWriter::Format::German
                                              : ResultsWriter::Format::AsReceived);
    auto writeFailed = [&](const QString &reason) {
        // Told to end while the output waited for a reader.
        if (writer.wasStopped())
            return fail(report, Interrupted, tr("Interrupted: %1", "%1 is the reason").arg(reason));
        return fail(
            report, WriteFailed,
            toStandardOutput
                ? tr("Standard output could not be written: %1", "%1 is the system's reason").arg(reason)
                : tr("%1 could not be written: %2", "%1 is a file path, %2 the system's reason")
                      .arg(outputPath, reason));
    };
    if (!toStandardOutput && !QFileInfo(QFileInfo(outputPath).absolutePath()).isDir())
        return fail(report, WriteFailed,
                    tr("The folder of %1 does not exist.", "%1 is a file path").arg(outputPath));
    if (!toStandardOutput && !writer.canWrite(outputPath))
        return writeFailed(writer.errorString());
    // The capture is written in place, by the rules the output follows.
    QString capturePath;
    if (parser.isSet(capture)) {
        QString refused;
        capturePath = ResultsWriter::placeOf(parser.value(capture), refused);
        if (capturePath.isEmpty())
            return fail(report, WriteFailed,
                        tr("%1 could not be written: %2", "%1 is a file path, %2 the system's reason")
                            .arg(parser.value(capture), refused));
    }
    const QString port = replaying ? capturedDownload.header().devicePath
                                   : CommandLinePlatform::portPath(parser.value(download));

    DownloadSession transfer(port);
    transfer.setWaitLimit(waitSeconds * 1000);
    CaptureWriter *captureWriter = capturePath.isEmpty() ? nullptr : new CaptureWriter(capturePath);
    transfer.setCapture(captureWriter);
    if (replaying) {
        transfer.replay(&capturedDownload);
        say(tr("Replaying the download of %1 from %2.", "%1 is a date and time, %2 a port")
                .arg(QLocale().toString(capturedDownload.header().time, QLocale::ShortFormat),
                     visibleText(capturedDownload.header().portName)));
    } else {
        QObject::connect(&transfer, &DownloadSession::lineBusy, &app,
                         [] { say(DownloadSession::busyLineText()); });
        QObject::connect(&transfer, &DownloadSession::requested, &app,
                         [] { say(tr("Waiting for the tester: start the transfer on the tester.")); });
        const Kv::PortDiagnosis failure = transfer.start();
        if (failure.cause != Kv::PortDiagnosis::Cause::None)
            return fail(report, PortFailed,
                        tr("The port could not be opened.") + QLatin1Char('\n') + failure.informativeText());
    }

    // On a terminal one line shows the amount as it grows; in a log, one line
    // when the data begins and one at the end.
    const bool terminal = CommandLinePlatform::isTerminal(stderr);
    const QString eraseToLineEnd = CommandLinePlatform::eraseToLineEnd();
    QElapsedTimer lastShown;
    auto status = [&] {
        return tr("%1 received in %2 s", "%1 is an amount such as 12.3 KiB, %2 a number of seconds")
            .arg(dataAmount(transfer.received().size()))
            .arg(transfer.msecsReceiving() / 1000);
    };
    QObject::connect(&transfer, &DownloadSession::readyRead, &app, [&] {
        if (!terminal) {
            if (!lastShown.isValid()) {
                say(tr("Receiving..."));
                lastShown.start();
            }
            return;
        }
        if (lastShown.isValid() && lastShown.elapsed() < 250)
            return;
        lastShown.start();
        CommandLinePlatform::write(stderr, QLatin1Char('\r') + status() + eraseToLineEnd);
    });

    TerminationHandler termination;
    QObject::connect(&termination, &TerminationHandler::requested, &transfer, &DownloadSession::cancel);
    QObject::connect(&transfer, &DownloadSession::finished, &app, &QCoreApplication::quit);
    app.exec();
    if (terminal && lastShown.isValid())
        CommandLinePlatform::write(stderr, QLatin1Char('\r') + status() + eraseToLineEnd + QLatin1Char('\n'));
    else if (!transfer.received().isEmpty())
        say(status());
    if (transfer.outcome() == DownloadSession::Outcome::CaptureUnreadable)
        return replayRefused(parser.value(replay), capturedDownload, report);
    // The last line, however the download ended: what a replay of its
    // capture must give again.
    const auto sumUp = qScopeGuard([&] {
        // A capture that fails says so before.
        if (captureWriter)
            captureWriter->waitForWritten();
        DownloadSummary summary = DownloadSummary::of(transfer);
        if (report.isSaved())
            summary.writtenSha256 = writer.sha256Of(transfer.received());
        say(summary.line());
        report.setDownload(summary);
    });
    // The wait the download had, from its capture.
    if (replaying)
        waitSeconds = int((capturedDownload.end().microseconds + 500000) / 1000000);

    switch (transfer.outcome()) {
    case DownloadSession::Outcome::NothingArrived:
        return fail(report, NothingArrived,
                    tr("Nothing arrived within %n second(s).", "%n is a number of seconds", waitSeconds));
    case DownloadSession::Outcome::LineBusy:
        // As a port in use: the line could not serve the download, nothing was asked.
        return fail(report, PortFailed,
                    DownloadSession::busyLineEndText(
                        waitSeconds > 0 ? waitSeconds : DownloadSession::busyLineLimitMs / 1000));
    case DownloadSession::Outcome::PortGone: {
        // It had opened: say that it went, not that it would not open.
        Kv::PortDiagnosis wentAway;
        wentAway.cause = Kv::PortDiagnosis::Cause::WentAway;
        wentAway.port = visibleText(Kv::portShownAs(port));
        return fail(report, PortFailed, wentAway.informativeText());
    }
    default:
        break;
    }
    const QString interrupted = tr("The download was interrupted.");
    const bool cutShort = transfer.outcome() == DownloadSession::Outcome::CutShort;
    const QString cutShortText =
        tr("The capture stops after %1, before its outcome: it was cut short. The results may be incomplete.",
           "%1 is an amount such as 12.3 KB")
            .arg(dataAmount(transfer.received().size()));
    // Nothing to write, and no interruption: the capture ends after its header.
    if (cutShort && transfer.received().isEmpty())
        return fail(report, ConnectionLost, cutShortText);
    if (transfer.received().isEmpty())
        return fail(report, Interrupted, interrupted);

    if (toStandardOutput) {
        CommandLinePlatform::setBinary(stdout);
        QFile out;
        if (!out.open(stdout, QIODevice::WriteOnly)) {
            report.setWritten(false);
            return writeFailed(out.errorString());
        }
        report.setWritten(writer.writeTo(out, transfer.received()));
    } else {
        report.setWritten(writer.writeFile(outputPath, transfer.received()));
    }
    if (!report.isSaved())
        return writeFailed(writer.errorString());
    if (!toStandardOutput)
        say(tr("Saved %1 to %2.", "%1 is an amount such as 12.3 KiB, %2 a file path")
                .arg(dataAmount(transfer.received().size()), outputPath));
    if (cutShort)
        return fail(report, ConnectionLost, cutShortText);
    // A line that fell silent mid-line did not fail.
    if (transfer.outcome() == DownloadSession::Outcome::EndedMidLine)
        return fail(report, ConnectionLost,
                    tr("The transfer ended in the middle of a line after %1. The results may be incomplete.",
                       "The %1 is replaced with the amount received, such as 12.3 KB.")
                        .arg(dataAmount(transfer.received().size())));
    if (transfer.isIncomplete())
        return fail(report, ConnectionLost,
                    tr("The connection to the tester was lost after %1. The results may be incomplete.",
                       "The %1 is replaced with the amount received, such as 12.3 KB.")
                        .arg(dataAmount(transfer.received().size())));
    if (transfer.outcome() == DownloadSession::Outcome::Cancelled)
        return fail(report, Interrupted, interrupted);
    return Saved;
}
