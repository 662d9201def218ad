// The command line as a script runs it: the real program, no display, a
// simulated tester on a pseudo-terminal.

#include "commandline.h"
#include "testerline.h"
#include "testersimulatorthread.h"
#include "testsupport.h"
#include "winserialdevice.h"

#include <QCryptographicHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStandardPaths>

#include <csignal>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void selection_data();
    void selection();
    void download_data();
    void download();
    void exitCodes_data();
    void exitCodes();
    void asOrdinaryUser();
    void linkMadeMidDownload();
    void endsWhileOutputWaits_data();
    void endsWhileOutputWaits();
    void listPorts();

private:
    // Runs the program to its end; during() runs while it does.
    int run(const QStringList &arguments, const std::function<void(QProcess &)> &during = {});
    // Until the program says that the results are arriving.
    void waitUntilReceiving(QProcess &program);
    // A character device like the system's, made in the test's own folder.
    QString makeNode(const QString &name, int minor);

    QString standardOutput; // a file for the program's standard output
    QString closing;        // redirections that close its standard descriptors: ">&-"
    bool asNobody = false;

    std::unique_ptr<QTemporaryDir> folder;
    QByteArray out;
    QByteArray err;
};

void TestCommandLine::init()
{
    folder = std::make_unique<QTemporaryDir>();
    standardOutput.clear();
    closing.clear();
    asNobody = false;
}

QString TestCommandLine::makeNode(const QString &name, int minor)
{
    const QString path = folder->filePath(name);
    if (::mknod(QFile::encodeName(path).constData(), S_IFCHR | 0666, makedev(1, minor)) != 0)
        return {};
    return path;
}

void TestCommandLine::waitUntilReceiving(QProcess &program)
{
    program.setReadChannel(QProcess::StandardError);
    while (!err.contains("Receiving") && program.waitForReadyRead(10000))
        err += program.readAllStandardError();
}

static bool isCharacterDevice(const QString &path)
{
    struct stat node;
    return ::stat(QFile::encodeName(path).constData(), &node) == 0 && S_ISCHR(node.st_mode);
}

int TestCommandLine::run(const QStringList &arguments, const std::function<void(QProcess &)> &during)
{
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // No display of any kind, and settings of its own.
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    environment.insert("XDG_CONFIG_HOME", folder->filePath("config"));
    environment.insert("XDG_DATA_HOME", folder->filePath("data"));
    program.setProcessEnvironment(environment);
    if (!standardOutput.isEmpty())
        program.setStandardOutputFile(standardOutput);
    QStringList command{QStringLiteral(DATALOGGER_EXECUTABLE)};
    // Through a shell that closes descriptors, and turns octal escapes (\0351)
    // into bytes that no QString would give.
    if (!closing.isEmpty() || !arguments.filter(QStringLiteral("\\")).isEmpty())
        command = QStringList{"sh", "-c",
                              "n=$#; for a; do set -- \"$@\" \"$(printf %b \"$a\")\"; done; shift $n; "
                              "exec \"$0\" \"$@\" " +
                                  closing} +
                  command;
    if (asNobody)
        command = QStringList{"setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups"} + command;
    program.start(command.first(), command.mid(1) + arguments);
    if (!program.waitForStarted())
        return -1;
    err.clear();
    if (during)
        during(program);
    program.waitForFinished(60000);
    out = program.readAllStandardOutput();
    err += program.readAllStandardError();
    return program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -2;
}

void TestCommandLine::selection_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("commandLine");
    QTest::newRow("none") << QStringList() << false;
    // Qt's own options, with two dashes as with one, start the window.
    QTest::newRow("--style fusion") << QStringList{"--style", "fusion"} << false;
    QTest::newRow("--platform offscreen") << QStringList{"--platform", "offscreen"} << false;
    QTest::newRow("--reverse") << QStringList{"--reverse"} << false;
    QTest::newRow("--download") << QStringList{"--download", "ttyUSB0", "--output", "a.csv"} << true;
    QTest::newRow("--output=FILE") << QStringList{"-reverse", "--output=a.csv"} << true;
    QTest::newRow("--help after Qt's") << QStringList{"--reverse", "--help"} << true;
    QTest::newRow("a longer name") << QStringList{"--waiting"} << false;
}

// Only the command line's own options select it.
void TestCommandLine::selection()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, commandLine);
    QList<QByteArray> words{"thalden-datalogger"};
    for (const QString &argument : std::as_const(arguments))
        words << argument.toLocal8Bit();
    std::vector<char *> argv;
    for (QByteArray &word : words)
        argv.push_back(word.data());
    QCOMPARE(CommandLine::isRequested(int(argv.size()), argv.data()), commandLine);
}

void TestCommandLine::download_data()
{
    QTest::addColumn<TesterSimulator::Noise>("noise");
    QTest::addColumn<QString>("extra"); // --german, --output -, SIGINT
    QTest::addColumn<int>("exitCode");
    using Noise = TesterSimulator::Noise;
    QTest::newRow("results") << Noise::None << "" << 0;
    // Noise ends mid-line: perhaps cut short, so it says so, and writes it.
    QTest::newRow("binary noise") << Noise::Only << "" << 5;
    QTest::newRow("German") << Noise::None << "--german" << 0;
    QTest::newRow("to standard output") << Noise::Mixed << "-" << 0;
    QTest::newRow("interrupted") << Noise::None << "SIGINT" << 130;
}

// The bytes written are the bytes sent, up to where the transfer ended (how
// each end is found and told: tst_downloadsession, tst_downloadreport).
void TestCommandLine::download()
{
    QFETCH(TesterSimulator::Noise, noise);
    QFETCH(QString, extra);
    QFETCH(int, exitCode);
    TesterSimulator::Options options;
    options.bitsPerSecond = extra == QLatin1String("SIGINT") ? 64000 : 0;
    options.size = noise == TesterSimulator::Noise::Only ? 100000 : -1;
    options.noise = noise;
    TesterSimulatorThread testerThread(options);
    const TesterSimulator &tester = *testerThread.tester;
    QVERIFY(tester.isRunning());
    const QString path = folder->filePath("results.csv");
    QStringList arguments{"--download", tester.portPath(), "--output", extra == "-" ? "-" : path};
    if (extra == QLatin1String("--german"))
        arguments << extra;
    if (extra != QLatin1String("-"))
        arguments << "--json";

    const int code = run(arguments, [&](QProcess &program) {
        if (extra == QLatin1String("SIGINT")) {
            QTRY_VERIFY_WITH_TIMEOUT(tester.bytesSent() > 2000, 10000);
            ::kill(pid_t(program.processId()), SIGINT);
        }
    });
    QVERIFY2(code == exitCode, err.constData());
    QVERIFY2(!err.contains("Win32SerialDevice::"), "no lines of the serial layer");
    QByteArray expected = tester.payload();
    QFile file(path);
    const QByteArray written = extra == "-" ? out : (file.open(QIODevice::ReadOnly) ? file.readAll() : "?");
    if (extra == QLatin1String("SIGINT")) {
        QVERIFY(written.size() > 2000 && written.size() < expected.size());
        expected.truncate(written.size());
    }
    if (extra == QLatin1String("--german"))
        expected.replace(',', ';').replace('.', ',');
    QVERIFY(written == expected);
    QCOMPARE(err.contains("The results may be incomplete."), exitCode == 5);
    if (extra != QLatin1String("-")) {
        const QJsonObject json = QJsonDocument::fromJson(out).object();
        QCOMPARE(json.value("exit").toInt(-1), exitCode);
        QVERIFY(json.value("saved").toBool() && json.value("bytes").toInteger() == expected.size());
        QCOMPARE(json.contains("message"), exitCode != 0);
        // Support compares the written SHA-256 with the saved file; a German file differs from what came.
        const QString writtenSha256 = QCryptographicHash::hash(written, QCryptographicHash::Sha256).toHex();
        QCOMPARE(json.value("writtenSha256").toString(), writtenSha256);
        QCOMPARE(json.value("sha256").toString() != writtenSha256, extra == QLatin1String("--german"));
        QCOMPARE(err.contains(" (written: " + writtenSha256.toLatin1() + ")\n"),
                 extra == QLatin1String("--german"));
    }
    // The next download at once, while the tester goes on sending the interrupted one.
    if (extra == QLatin1String("SIGINT")) {
        QCOMPARE(run(arguments), 0);
        QVERIFY(err.contains("the tester may still be sending an earlier transfer, or this may be another "
                             "device's port. Waiting until the line falls quiet...\n"));
        QFile again(path);
        QVERIFY(again.open(QIODevice::ReadOnly) && again.readAll() == tester.payload());
    }
    // Amounts as the window shows them.
    if (exitCode == 0 && extra.isEmpty() && noise == TesterSimulator::Noise::None)
        QVERIFY2(err.contains("Saved 23.7 kB to "), err.constData());
}

void TestCommandLine::exitCodes_data()
{
    // PORT, FOLDER and NULL and FULL (devices made for the test) are
    // replaced; "answer": the tester answers; "hangup": it hangs up instead
    // of sending; "> FULL": standard output is the full device.
    QTest::addColumn<QString>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("says");
    QTest::newRow("--version") << "--version" << 0 << QByteArray("THALDEN Datalogger 1.0.6\n");
    // "language=FILE": stored as the window stores it, as German, from the test's working folder.
    QTest::newRow("--help in the stored language, Qt's own texts too")
        << "language=Translations/ThaldenDataLogger_de.qm --help" << 0 << QByteArray("\nOptionen:\n");
    QTest::newRow("a stored language that does not load")
        << "language=/gone/Translations/ThaldenDataLogger_xx.qm --version" << 0
        << QByteArray(
               "could not be loaded from /gone/Translations/ThaldenDataLogger_xx.qm; English is used.\n");
    QTest::newRow("without a display") << "" << 1 << QByteArray("The window needs a display");
    QTest::newRow("unknown option") << "--list-ports --colour" << 1 << QByteArray("Unknown option 'colour'");
    QTest::newRow("no output") << "--download PORT" << 1 << QByteArray("--output");
    QTest::newRow("wait not positive")
        << "--download PORT --output FOLDER/a --wait 0" << 1 << QByteArray("--wait");
    QTest::newRow("output twice") << "--download PORT --output FOLDER/a --output FOLDER/b" << 1
                                  << QByteArray("--output may be given only once.");
    QTest::newRow("missing port") << "--download ttyNoSuch7 --output FOLDER/a" << 2
                                  << QByteArray("ttyNoSuch7 does not exist");
    QTest::newRow("port held by another process")
        << "--download PORT --output FOLDER/a held" << 2 << QByteArray("is in use by");
    QTest::newRow("port gone while waiting") << "--download PORT --output FOLDER/a hangup" << 2
                                             << QByteArray("went away while waiting for the tester");
    // Its capture is kept, with its end.
    QTest::newRow("an earlier transfer past --wait")
        << "--download PORT --output FOLDER/a --wait 1 --capture FOLDER/busy.capture busy" << 2
        << QByteArray("Data kept arriving on this port for 1 second");
    QTest::newRow("nothing within --wait") << "--download PORT --output FOLDER/a --wait 1" << 3
                                           << QByteArray("Nothing arrived within 1 second.\n");
    QTest::newRow("no such folder") << "--download PORT --output FOLDER/none/a" << 4
                                    << QByteArray("does not exist");
    QTest::newRow("a folder") << "--download PORT --output FOLDER" << 4 << QByteArray(": Is a directory\n");
    QTest::newRow("a capture on a block device")
        << "--download PORT --output FOLDER/a --capture BLOCK" << 4
        << QByteArray("neither a file nor a pipe nor a character device");
    QTest::newRow("a name too long") << "--download PORT --output FOLDER/" + QString(300, 'a') << 4
                                     << QByteArray(": File name too long\n");
    // Devices are written, never replaced.
    QTest::newRow("a null device") << "--download PORT --output NULL answer" << 0 << QByteArray("Saved");
    QTest::newRow("a full device") << "--download PORT --output FULL answer" << 4
                                   << QByteArray("FULL could not be written: No space left on device\n");
    QTest::newRow("standard output full")
        << "--download PORT --output - > FULL answer" << 4
        << QByteArray("Standard output could not be written: No space left on device\n");
    QTest::newRow("--help, standard output full") << "--help > FULL" << 4 << QByteArray("No space left");
    // --json tells every end, with the reason for a failure.
    QTest::newRow("--json, unknown option")
        << "--list-ports --colour --json" << 1
        << QByteArray("{\"exit\":1,\"message\":\"Unknown option 'colour'.\","
                      "\"saved\":false}\n");
    QTest::newRow("--json, a capture that cannot be replayed")
        << "--replay CORPUS/normal.csv --output FOLDER/a --json" << 1
        << QByteArray("\"exit\":1,\"message\":\"The capture ");
    QTest::newRow("--json, --output /dev/stdout") << "--download PORT --output /dev/stdout --json" << 1
                                                  << QByteArray("both would go to standard output.\",");
    QTest::newRow("--json, missing port")
        << "--download ttyNoSuch7 --output FOLDER/a --json" << 2
        << QByteArray("{\"exit\":2,\"message\":\"The port could not be opened.\\n");
    QTest::newRow("--json, nothing within --wait")
        << "--download PORT --output FOLDER/a --wait 1 --json" << 3
        << QByteArray("\"end\":\"nothing-arrived\",\"exit\":3,\"lines\":0,\"message\":\"Nothing arrived");
    QTest::newRow("--json, a full device") << "--download PORT --output FULL --json answer" << 4
                                           << QByteArray("\"end\":\"write-failed\",\"exit\":4,");
    // Closed at the start ("<&-", ">&-", "2>&-"): refused before the tester
    // is asked, and no file opened later takes a standard descriptor's place.
    const QByteArray outputClosed("Standard output is closed.\n");
    QTest::newRow("--help, standard output closed") << "--help >&-" << 4 << outputClosed;
    QTest::newRow("--json, standard output closed")
        << "--download PORT --output FOLDER/a --json >&-" << 4 << outputClosed;
    QTest::newRow("--output -, standard output closed")
        << "--download PORT --output - >&-" << 4 << outputClosed;
    QTest::newRow("--output /dev/fd/1, standard output closed")
        << "--download PORT --output /dev/fd/1 >&-" << 4 << outputClosed;
    QTest::newRow("--output /dev/stderr, standard error closed")
        << "--download PORT --output /dev/stderr --json 2>&-" << 4
        << QByteArray("{\"exit\":4,\"message\":\"Standard error is closed.\",\"saved\":false}\n");
    QTest::newRow("all closed") << "--download PORT --output NULL <&- >&- 2>&- answer" << 0 << QByteArray();
    // Names that are not UTF-8 are refused, not decoded into another name.
    const QByteArray notUtf8("is not valid UTF-8, and would name another file.");
    QTest::newRow("--output not UTF-8")
        << "--download PORT --output FOLDER/r\\0351sultat.csv" << 1 << notUtf8;
    QTest::newRow("--capture= not UTF-8")
        << "--download PORT --output FOLDER/a --capture=FOLDER/\\0377.capture" << 1 << notUtf8;
    QTest::newRow("--replay not UTF-8") << "--replay FOLDER/\\0377.capture --output FOLDER/a" << 1 << notUtf8;
}

void TestCommandLine::exitCodes()
{
    QFETCH(QString, arguments);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, says);
    TesterSimulator::Options options;
    // "hangup": the tester answers and hangs up before the first byte.
    // "busy": it sends an earlier transfer, asked for before the program starts.
    const bool busy = arguments.endsWith(QLatin1String("busy"));
    const bool answers =
        arguments.endsWith(QLatin1String("answer")) || arguments.endsWith(QLatin1String("hangup")) || busy;
    options.neverAnswer = !answers;
    options.bitsPerSecond = busy ? 9600 : 0;
    options.size = busy ? 10000000 : -1;
    options.hangUpAt = arguments.endsWith(QLatin1String("hangup")) ? 0 : -1;
    TesterSimulatorThread testerThread(options);
    const TesterSimulator &tester = *testerThread.tester;
    Kv::WinSerialDevice holder(tester.portPath());
    if (arguments.endsWith(QLatin1String("held")))
        QVERIFY(holder.openPort(QIODevice::ReadWrite, 50, 50));
    if (busy && holder.openPort(QIODevice::ReadWrite, 50, 50) &&
        holder.write(Kv::TesterLine::commands()) > 0 &&
        QTest::qWaitFor([&] { return tester.bytesSent() > 0; }, 10000))
        holder.close();
    QStringList words = arguments.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    words.removeAll(QLatin1String("held"));
    words.removeAll(QLatin1String("answer"));
    words.removeAll(QLatin1String("hangup"));
    words.removeAll(QLatin1String("busy"));
    for (const QString &word : words.filter(QRegularExpression("^language="))) {
        QSettings stored(folder->filePath("config/THALDEN/THALDEN Datalogger.conf"), QSettings::IniFormat);
        stored.setValue("KvGui/DialogLanguage/FilePath", word.mid(9));
        stored.setValue("KvGui/DialogLanguage/Iso639Code", "de");
        words.removeOne(word);
    }
    for (const QString &word : QStringList(words)) {
        if (word.endsWith(QLatin1String("&-")) && words.removeOne(word))
            closing += QLatin1Char(' ') + word;
    }
    const QString null = makeNode("NULL", 3), full = makeNode("FULL", 7);
    if (arguments.contains("NULL") || arguments.contains("FULL"))
        QVERIFY2(!null.isEmpty() && !full.isEmpty(), "needs root, to make device nodes");
    if (words.contains(">")) {
        standardOutput = full;
        words = words.mid(0, words.indexOf(">"));
    }
    words.replaceInStrings(QLatin1String("PORT"), tester.portPath());
    words.replaceInStrings(QLatin1String("FOLDER"), folder->path());
    words.replaceInStrings(QLatin1String("CORPUS"), QStringLiteral(DATALOGGER_SOURCE_DIR "/tests/corpus"));
    words.replaceInStrings(QLatin1String("NULL"), null);
    words.replaceInStrings(QLatin1String("FULL"), full);
    if (words.contains("BLOCK")) {
        const QString block = folder->filePath("BLOCK");
        QVERIFY(::mknod(QFile::encodeName(block).constData(), S_IFBLK | 0600, makedev(7, 0)) == 0);
        words.replaceInStrings(QLatin1String("BLOCK"), block);
    }

    QCOMPARE(run(words), exitCode);
    says.replace("FULL", full.toLocal8Bit());
    QVERIFY2((out + err).contains(says), (out + err).constData());
    QVERIFY(isCharacterDevice(null) && isCharacterDevice(full));
    // Nothing is written where nothing came or could be, but for a capture;
    // the tester is not asked when the output cannot be written at all.
    QFile capture(folder->filePath("busy.capture"));
    QVERIFY(!busy ||
            (capture.open(QIODevice::ReadOnly) && capture.readAll().contains(" line-busy 0 e3b0c442")));
    capture.remove();
    QCOMPARE(QDir(folder->path()).entryList(QDir::Files), QStringList());
    QCOMPARE(tester.receivedBytes().isEmpty(), exitCode != 3 && !answers);
    // Asked, it gets the request and no stray message.
    if (!tester.receivedBytes().isEmpty())
        QCOMPARE(tester.receivedBytes(), Kv::TesterLine::commands());
}

// Run as root, whom no permission stops, the program runs as nobody: a port
// an ordinary user has used serves a second download, and an output folder
// that user may not write is refused before the tester is asked.
void TestCommandLine::asOrdinaryUser()
{
    if (::geteuid() != 0 || QStandardPaths::findExecutable("setpriv").isEmpty())
        QSKIP("needs root and setpriv (util-linux) to run the program as nobody");
    TesterSimulator::Options options;
    options.bitsPerSecond = 0;
    TesterSimulatorThread testerThread(options);
    const TesterSimulator &tester = *testerThread.tester;
    QVERIFY(QFile::setPermissions(tester.portPath(), QFile::ReadOther | QFile::WriteOther));
    QDir(folder->path()).mkdir("readonly");
    QVERIFY(QFile::setPermissions(folder->path(), QFile::ReadOther | QFile::WriteOther | QFile::ExeOther));
    asNobody = true;
    // The second with its standard descriptors closed: the tester gets no stray message.
    for (const char *name : {"first.csv", "second.csv"}) {
        QVERIFY2(run({"--download", tester.portPath(), "--output", folder->filePath(name)}) == 0,
                 err.constData());
        QFile written(folder->filePath(name));
        QVERIFY(written.open(QIODevice::ReadOnly) && written.readAll() == tester.payload());
        closing = QStringLiteral("<&- >&- 2>&-");
    }
    closing.clear();
    const qsizetype asked = tester.receivedBytes().size();
    QCOMPARE(tester.receivedBytes(), Kv::TesterLine::commands().repeated(2));
    QCOMPARE(run({"--download", tester.portPath(), "--output", folder->filePath("readonly/a.csv")}), 4);
    QVERIFY2(err.contains("readonly/a.csv could not be written: Permission denied"), err.constData());
    QCOMPARE(tester.receivedBytes().size(), asked);
}

// In a shared folder such as /tmp, a link that another user makes at the
// output's name while the results arrive does not lead the save elsewhere:
// the name checked is replaced.
void TestCommandLine::linkMadeMidDownload()
{
    if (::geteuid() != 0)
        QSKIP("needs root, to make a link as another user");
    TesterSimulator::Options options;
    options.bitsPerSecond = 100000; // the results in two seconds
    TesterSimulatorThread testerThread(options);
    const QString shared = folder->filePath("shared"), victim = folder->filePath("victim");
    QVERIFY(QDir().mkdir(shared) && ::chmod(QFile::encodeName(shared).constData(), 01777) == 0);
    const QByteArray output = QFile::encodeName(shared + "/results.csv");
    QCOMPARE(run({"--download", testerThread.tester->portPath(), "--output", QFile::decodeName(output)},
                 [&](QProcess &program) {
                     waitUntilReceiving(program);
                     QVERIFY(::symlink(QFile::encodeName(victim).constData(), output.constData()) == 0 &&
                             ::lchown(output.constData(), 65534, 65534) == 0);
                 }),
             0);
    QVERIFY(!QFile::exists(victim));
    QFile saved(QFile::decodeName(output));
    QVERIFY(!QFileInfo(saved).isSymLink() && saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), testerThread.tester->payload());
}

void TestCommandLine::endsWhileOutputWaits_data()
{
    QTest::addColumn<QString>("arguments"); // FIFO: one that nobody reads
    QTest::addColumn<QByteArray>("says");
    QTest::addColumn<int>("told"); // how often, 250 ms apart; once: mid-transfer, before the output
    const QByteArray stopped("Interrupted: the program was told to end while waiting for a reader\n");
    QTest::newRow("--output to a FIFO") << "--output FIFO --capture FOLDER/c.capture" << stopped << 40;
    QTest::newRow("standard output into a full pipe") << "--output - > FIFO" << stopped << 40;
    QTest::newRow("--capture to a FIFO") << "--output FOLDER/a.csv --capture FIFO"
                                         << QByteArray("could not be written: Interrupted system call") << 40;
    QTest::newRow("--output to a FIFO, told before it waits") << "--output FIFO" << stopped << 1;
}

// Output that waits for a reader who never comes ends when the program is
// told to end (at once when the transfer has begun, and again and again, as
// the first may come before the output waits), with what arrived captured;
// told once, before the output is opened, it ends within a second too.
void TestCommandLine::endsWhileOutputWaits()
{
    QFETCH(QString, arguments);
    QFETCH(QByteArray, says);
    QFETCH(int, told);
    TesterSimulator::Options options;
    options.bitsPerSecond = told == 1 ? 100000 : 0; // once: 20 s of transfer to be told in
    options.size = 200000;                          // more than a pipe holds
    TesterSimulatorThread testerThread(options);
    const QString fifo = folder->filePath("fifo");
    QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    QStringList words = QStringList{"--download", testerThread.tester->portPath()} + arguments.split(' ');
    // Standard output's is opened by the test, so that the program can open it, and never read.
    const int reader =
        words.contains(">") ? ::open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK) : -1;
    const auto closeReader = qScopeGuard([&] { ::close(reader); });
    if (reader >= 0) {
        standardOutput = fifo;
        words = words.mid(0, words.indexOf(">"));
    }
    words.replaceInStrings(QLatin1String("FIFO"), fifo);
    words.replaceInStrings(QLatin1String("FOLDER"), folder->path());
    QElapsedTimer sinceTold;
    const auto toldToEnd = [&](QProcess &program) {
        waitUntilReceiving(program);
        sinceTold.start();
        // Never kill(0): that would tell the test's own process group to end.
        for (int n = 0; n < told && program.processId() > 0 && !program.waitForFinished(told > 1 ? 250 : 0);
             ++n)
            ::kill(pid_t(program.processId()), SIGTERM);
    };
    QCOMPARE(run(words, toldToEnd), 130);
    QVERIFY2(err.contains(says), err.constData());
    QVERIFY2(told > 1 || sinceTold.elapsed() < 2000, QByteArray::number(sinceTold.elapsed()));
    QFile capture(folder->filePath("c.capture"));
    if (capture.exists())
        QVERIFY(capture.open(QIODevice::ReadOnly) && capture.readAll().contains("\nend "));
}

void TestCommandLine::listPorts()
{
    TesterSimulatorThread testerThread({});
    const QString port = testerThread.tester->portPath();
    qputenv("DATALOGGER_EXTRA_PORTS", port.toLocal8Bit());
    QCOMPARE(run({"--list-ports"}), 0);
    qunsetenv("DATALOGGER_EXTRA_PORTS");
    const QList<QByteArray> lines = out.split('\n');
    QCOMPARE(lines.first(), QByteArray("name\tdevice\tfriendly name\tvid:pid\tstable name\tserial number"));
    const QByteArray name = port.mid(5).toLocal8Bit();
    QVERIFY2(lines.contains(name + '\t' + port.toLocal8Bit() + '\t' + name + "\t\t\t"), out.constData());
}

DATALOGGER_TEST_MAIN(TestCommandLine)
#include "tst_commandline.moc"
