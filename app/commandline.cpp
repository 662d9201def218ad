#include "commandline.h"

#include "application.h"
#include "capturereader.h"
#include "capturerecorder.h"
#include "capturereplayline.h"
#include "capturewriter.h"
#include "commandlineplatform.h"
#include "dataamount.h"
#include "downloadreport.h"
#include "downloadsession.h"
#include "downloadsummary.h"
#include "exitreport.h"
#include "portpath.h"
#include "resultswriter.h"
#include "serialline.h"
#include "serialportenumerator.h"
#include "terminationhandler.h"
#include "transferprogress.h"
#include "translations.h"
#include "visibletext.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>

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

// Says why a capture cannot be replayed; nothing is written. One cut short,
// or damaged after its header, is replayed up to where it stops or the
// damage begins: those bytes are what the download had then.
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

// What the options ask for, once they are checked.
struct Request
{
    QString port;            // --download, as the system opens it
    QString replayPath;      // --replay
    QString outputPath;      // - for standard output
    QString captureArgument; // --capture, as given
    QString capturePath;     // where the capture is written
    bool german = false;
    bool json = false;
    int waitSeconds = 0;
    bool toStandardOutput() const
    {
        return outputPath == QLatin1String("-");
    }
};

struct Options
{
    QCommandLineOption help{QStringList{QStringLiteral("help")}, CommandLine::tr("Displays this help.")};
    QCommandLineOption version{QStringList{QStringLiteral("version")},
                               CommandLine::tr("Displays the version.")};
    QCommandLineOption list{QStringLiteral("list-ports"),
                            CommandLine::tr("Lists the serial ports as the window does, tab-separated.")};
#ifdef Q_OS_WIN
    QCommandLineOption download{
        QStringLiteral("download"),
        CommandLine::tr("Downloads the results from PORT: a COM port's name (COM5) or "
                        "its device path (\\\\.\\COM12)."),
        QStringLiteral("PORT")};
#else
    QCommandLineOption download{
        QStringLiteral("download"),
        CommandLine::tr("Downloads the results from PORT: a path when it begins with / "
                        "or ., otherwise a name below /dev (ttyUSB0, pts/3)."),
        QStringLiteral("PORT")};
#endif
    QCommandLineOption output{QStringLiteral("output"),
                              CommandLine::tr("Writes the results to FILE, or to standard output for -."),
                              QStringLiteral("FILE")};
    QCommandLineOption german{QStringLiteral("german"),
                              CommandLine::tr("Converts the results to the German number format.")};
    QCommandLineOption wait{QStringLiteral("wait"),
                            CommandLine::tr("Gives up when no byte has arrived SECONDS after the request "
                                            "(default: waits until interrupted)."),
                            QStringLiteral("SECONDS")};
    QCommandLineOption capture{QStringLiteral("capture"),
                               CommandLine::tr("Also keeps a capture of the download in FILE: what was sent, "
                                               "what came back and when, how it ended."),
                               QStringLiteral("FILE")};
    QCommandLineOption replay{QStringLiteral("replay"),
                              CommandLine::tr("Instead of --download: runs the capture FILE through the "
                                              "download again and writes what that download wrote, with its "
                                              "exit code."),
                              QStringLiteral("FILE")};
    QCommandLineOption json{
        QStringLiteral("json"),
        CommandLine::tr("At the end, however it ends, writes one JSON object to standard output: the exit "
                        "code, whether the results were saved, the reason for a failure, and the download's "
                        "summary (bytes, lines, seconds, end, SHA-256).")};
};

int usageError(ExitReport &report, const QString &message)
{
    fail(report, CommandLine::UsageError, message);
#ifdef Q_OS_WIN
    say(CommandLine::tr("Try \"thalden-datalogger-cli --help\"."));
#else
    say(CommandLine::tr("Try \"thalden-datalogger --help\"."));
#endif
    return CommandLine::UsageError;
}

// The checks of a download's options, once the parser has taken them; -1
// when they ask for a download, else the exit code.
int readRequest(const QCommandLineParser &parser, const Options &options, ExitReport &report,
                Request &request)
{
    const bool replaying = parser.isSet(options.replay);
    for (const QCommandLineOption &option : {options.download, options.capture, options.wait}) {
        if (replaying && parser.isSet(option))
            return usageError(report, CommandLine::tr("--replay cannot be combined with --%1.",
                                                      "%1 is an option's name, such as wait")
                                          .arg(option.names().constFirst()));
    }
    if (!parser.isSet(options.download) && !replaying)
        return usageError(
            report, CommandLine::tr("Nothing to do: give --download PORT --output FILE, or --list-ports."));
    if (!parser.isSet(options.output))
        return usageError(report, replaying ? CommandLine::tr("--replay needs --output FILE.")
                                            : CommandLine::tr("--download needs --output FILE."));
    request.outputPath = parser.value(options.output);
    request.json = parser.isSet(options.json);
    if (request.json && (request.toStandardOutput() || ResultsWriter::descriptorOf(request.outputPath) == 1))
        return usageError(report, CommandLine::tr("--json cannot be combined with --output %1: both would go "
                                                  "to standard output.",
                                                  "%1 is -, /dev/stdout or the like")
                                      .arg(request.outputPath));
    if (parser.isSet(options.wait)) {
        bool number = false;
        request.waitSeconds = parser.value(options.wait).toInt(&number);
        if (!number || request.waitSeconds <= 0 || request.waitSeconds > 24 * 3600)
            return usageError(report, CommandLine::tr("--wait needs a positive number of seconds."));
    }
    request.replayPath = parser.value(options.replay);
    request.captureArgument = parser.value(options.capture);
    request.german = parser.isSet(options.german);
    if (parser.isSet(options.download))
        request.port = CommandLinePlatform::portPath(parser.value(options.download));
    return -1;
}

// Whatever can be known of the output is checked before the tester is asked;
// -1 when the output can be written, else the exit code.
int checkOutputs(ResultsWriter &writer, ExitReport &report, Request &request)
{
    if (!request.toStandardOutput() && !QFileInfo(QFileInfo(request.outputPath).absolutePath()).isDir())
        return fail(
            report, CommandLine::WriteFailed,
            CommandLine::tr("The folder of %1 does not exist.", "%1 is a file path").arg(request.outputPath));
    if (!request.toStandardOutput() && !writer.canWrite(request.outputPath))
        return fail(
            report, CommandLine::WriteFailed,
            CommandLine::tr("%1 could not be written: %2", "%1 is a file path, %2 the system's reason")
                .arg(request.outputPath, writer.errorString()));
    // The capture is written in place, by the rules the output follows.
    if (!request.captureArgument.isEmpty()) {
        QString refused;
        request.capturePath = ResultsWriter::placeOf(request.captureArgument, refused);
        if (request.capturePath.isEmpty())
            return fail(
                report, CommandLine::WriteFailed,
                CommandLine::tr("%1 could not be written: %2", "%1 is a file path, %2 the system's reason")
                    .arg(request.captureArgument, refused));
    }
    return -1;
}

// Why the results could not be written: told to end while the output waited
// for a reader, or the system's reason.
int writeFailed(const Request &request, const ResultsWriter &writer, ExitReport &report,
                const QString &reason)
{
    if (writer.wasStopped())
        return fail(report, CommandLine::Interrupted,
                    CommandLine::tr("Interrupted: %1", "%1 is the reason").arg(reason));
    return fail(
        report, CommandLine::WriteFailed,
        request.toStandardOutput()
            ? CommandLine::tr("Standard output could not be written: %1", "%1 is the system's reason")
                  .arg(reason)
            : CommandLine::tr("%1 could not be written: %2", "%1 is a file path, %2 the system's reason")
                  .arg(request.outputPath, reason));
}

// The arguments into a request: -1 when they ask for a download, else the
// exit code of what they ask for instead (help, the port list) or of a
// usage error.
int parse(QCoreApplication &app, const QByteArrayList &rawArguments, ExitReport &report, Request &request)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(CommandLine::tr(
        "Copies the stored results of a PV tester to a file, without a window.\n\n"
        "Exit codes: 0 saved; 1 usage error; 2 the port could not be opened; 3 nothing arrived "
        "within --wait; 4 the file could not be written; 5 the connection was lost mid-transfer, "
        "or the capture given to --replay was cut short or damaged (what arrived, or what precedes "
        "the damage, is written); 130 interrupted (what arrived is written)."));
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    const Options options;
    parser.addOptions({options.help, options.version, options.list, options.download, options.output,
                       options.german, options.wait, options.capture, options.replay, options.json});
    // Arguments the parser refuses may still ask for it.
    report.setRequested(app.arguments().contains(QStringLiteral("--json")));
    if (!parser.parse(app.arguments()))
        return usageError(report, parser.errorText());
    report.setRequested(parser.isSet(options.json));
    if (parser.isSet(options.help))
        return answer(parser.helpText(), report);
    if (parser.isSet(options.version))
        return answer(QStringLiteral("THALDEN Datalogger %1\n").arg(QCoreApplication::applicationVersion()),
                      report);
    // The parser would quietly take the last of them.
    for (const QCommandLineOption &option :
         {options.download, options.output, options.wait, options.capture, options.replay}) {
        if (parser.values(option).size() > 1)
            return usageError(report, CommandLine::tr("--%1 may be given only once.",
                                                      "%1 is an option's name, such as output")
                                          .arg(option.names().constFirst()));
    }
    if (!parser.positionalArguments().isEmpty())
        return usageError(report, CommandLine::tr("Unexpected argument: %1", "%1 is the argument given")
                                      .arg(parser.positionalArguments().constFirst()));
    if (parser.isSet(options.list))
        return listPorts(report);
    const int refused = readRequest(parser, options, report, request);
    if (refused >= 0)
        return refused;
    const QString undecodable = optionWithUndecodableName(rawArguments, app.arguments());
    if (!undecodable.isEmpty())
        return fail(
            report, CommandLine::UsageError,
            CommandLine::tr("The name given to %1 (%2) is not valid UTF-8, and would name another file. "
                            "Give the name in UTF-8.",
                            "%1 is an option's name, such as --output, %2 the name as it can be shown")
                .arg(QLatin1String("--") + undecodable, parser.value(undecodable)));
    const QString closedStream = closedStreamError(request.json, request.outputPath);
    if (!closedStream.isEmpty())
        return fail(report, CommandLine::WriteFailed, closedStream);
    return -1;
}

// Runs the download, or the replay on replayLine, to its end: -1 once it
// has ended, else the exit code of a port that would not open.
int download(const Request &request, DownloadSession &transfer, CaptureReplayLine *replayLine,
             const TerminationHandler &termination, ExitReport &report)
{
    transfer.setWaitLimit(replayLine ? replayLine->recordedWaitMs() : request.waitSeconds * 1000);
    if (!request.capturePath.isEmpty()) {
        QList<Kv::SerialPortInfo> ports;
        Kv::enumerateSerialPorts(ports);
        new CaptureRecorder(transfer, new CaptureWriter(request.capturePath),
                            CaptureRecorder::portAt(ports, request.port));
    }
    if (!replayLine) {
        QObject::connect(&transfer, &DownloadSession::lineBusy, [] { say(DownloadReport::busyLineText()); });
        QObject::connect(&transfer, &DownloadSession::requested, [] {
            say(CommandLine::tr("Waiting for the tester: start the transfer on the tester."));
        });
    }
    const Kv::PortDiagnosis failure = transfer.start();
    if (failure.cause != Kv::PortDiagnosis::Cause::None)
        return fail(report, CommandLine::PortFailed,
                    CommandLine::tr("The port could not be opened.") + QLatin1Char('\n') +
                        failure.informativeText());
    TransferProgress progress(transfer);
    QObject::connect(&transfer, &DownloadSession::readyRead, [&progress] { progress.update(); });
    QObject::connect(&termination, &TerminationHandler::requested, &transfer, &DownloadSession::cancel);
    QObject::connect(&transfer, &DownloadSession::finished, QCoreApplication::instance(),
                     &QCoreApplication::quit);
    QCoreApplication::exec();
    progress.end();
    return -1;
}

// A replay's end is the one the end rule finds; one that differs from the
// capture's own is told.
void compareWithRecorded(const DownloadSession &transfer, CaptureReplayLine &line)
{
    const Download::Outcome recorded = line.recordedEnd().reason;
    if (recorded == Download::Outcome::NotEnded || recorded == transfer.outcome())
        return;
    say(CommandLine::tr("The replay ends as %1 where the capture records %2.",
                        "%1 and %2 are words such as complete or line-lost")
            .arg(QString::fromLatin1(CaptureFormat::reasonWord(transfer.outcome())),
                 QString::fromLatin1(CaptureFormat::reasonWord(recorded))));
}

// Writes what arrived, and says what the download's end means: the exit code.
// damage: what is wrong with a replayed capture, as its reader says.
int write(const Request &request, ResultsWriter &writer, const DownloadSession &transfer, ExitReport &report,
          const QString &damage)
{
    const DownloadReport told(transfer, visibleText(Kv::portShownAs(request.port)), damage);
    QString message = told.headline();
    if (!told.diagnosis().isEmpty())
        message += QLatin1Char('\n') + told.diagnosis();
    if (transfer.received().isEmpty())
        return fail(report, told.exitCode(), message);
    if (request.toStandardOutput()) {
        CommandLinePlatform::setBinary(stdout);
        QFile out;
        if (!out.open(stdout, QIODevice::WriteOnly)) {
            report.setWritten(false);
            return writeFailed(request, writer, report, out.errorString());
        }
        report.setWritten(writer.writeTo(out, transfer.received()));
    } else {
        report.setWritten(writer.writeFile(request.outputPath, transfer.received()));
    }
    if (!report.isSaved())
        return writeFailed(request, writer, report, writer.errorString());
    if (!request.toStandardOutput())
        say(CommandLine::tr("Saved %1 to %2.", "%1 is an amount such as 12.3 KiB, %2 a file path")
                .arg(dataAmount(transfer.received().size()), request.outputPath));
    if (told.exitCode() != DownloadReport::Saved)
        return fail(report, told.exitCode(), message);
    return CommandLine::Saved;
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
    Request request;
    const int parsed = parse(app, rawArguments, report, request);
    if (parsed >= 0)
        return parsed;
    const bool replaying = !request.replayPath.isEmpty();
    CaptureReader capture(request.replayPath);
    if (replaying && !capture.open())
        return replayRefused(request.replayPath, capture, report);
    ResultsWriter writer(request.german ? ResultsWriter::Format::German : ResultsWriter::Format::AsReceived);
    const int refused = checkOutputs(writer, report, request);
    if (refused >= 0)
        return refused;

    CaptureReplayLine *replayLine = nullptr;
    if (replaying) {
        request.port = capture.header().devicePath;
        replayLine = new CaptureReplayLine(&capture);
        say(tr("Replaying the download of %1 from %2.", "%1 is a date and time, %2 a port")
                .arg(QLocale().toString(capture.header().time, QLocale::ShortFormat),
                     visibleText(capture.header().portName)));
    }
    DownloadSession transfer(replayLine ? static_cast<DownloadLine *>(replayLine)
                                        : new SerialLine(request.port));
    // Until the end: an output that waits for a reader ends when told to,
    // also when told before it was opened.
    TerminationHandler termination;
    CommandLinePlatform::endLaterWaitsOnSignals();
    const int ended = download(request, transfer, replayLine, termination, report);
    if (ended >= 0)
        return ended;
    if (transfer.outcome() == DownloadSession::Outcome::CaptureUnreadable)
        return replayRefused(request.replayPath, capture, report);
    if (replayLine)
        compareWithRecorded(transfer, *replayLine);

    const int exitCode = write(request, writer, transfer, report, capture.errorString());
    // The last line, however the download ended: what a replay of its
    // capture must give again. A capture that fails says so before.
    if (auto *recorder = transfer.findChild<CaptureRecorder *>())
        recorder->writer().waitForWritten();
    DownloadSummary summary = DownloadSummary::of(transfer);
    if (report.isSaved())
        summary.writtenSha256 = writer.sha256Of(transfer.received());
    say(summary.line());
    report.setDownload(summary);
    return exitCode;
}
