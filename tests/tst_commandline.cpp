// The command line as a script runs it: the real program, no display, a
// simulated tester on a pseudo-terminal.

#include "testersimulatorthread.h"
#include "testsupport.h"
#include "winserialdevice.h"

#include <QProcess>

#include <csignal>
#include <functional>

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void download_data();
    void download();
    void exitCodes_data();
    void exitCodes();
    void listPorts();

private:
    // Runs the program to its end; during() runs while it does.
    int run(const QStringList &arguments, const std::function<void(QProcess &)> &during = {});

    std::unique_ptr<QTemporaryDir> folder;
    QByteArray out;
    QByteArray err;
};

void TestCommandLine::init()
{
    folder = std::make_unique<QTemporaryDir>();
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
    program.start(QStringLiteral(DATALOGGER_EXECUTABLE), arguments);
    if (!program.waitForStarted())
        return -1;
    if (during)
        during(program);
    program.waitForFinished(60000);
    out = program.readAllStandardOutput();
    err = program.readAllStandardError();
    return program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -2;
}

void TestCommandLine::download_data()
{
    QTest::addColumn<TesterSimulator::Noise>("noise");
    QTest::addColumn<qint64>("pauseAt");
    QTest::addColumn<qint64>("hangUpAt");
    QTest::addColumn<QString>("extra"); // --german, --output -, SIGINT
    QTest::addColumn<int>("exitCode");
    QTest::newRow("results") << TesterSimulator::Noise::None << qint64(-1) << qint64(-1) << "" << 0;
    QTest::newRow("binary noise") << TesterSimulator::Noise::Only << qint64(-1) << qint64(-1) << "" << 0;
    QTest::newRow("a pause ends it") << TesterSimulator::Noise::None << qint64(2000) << qint64(-1) << "" << 0;
    QTest::newRow("hang-up mid-transfer")
        << TesterSimulator::Noise::None << qint64(-1) << qint64(5000) << "" << 5;
    QTest::newRow("German") << TesterSimulator::Noise::None << qint64(-1) << qint64(-1) << "--german" << 0;
    QTest::newRow("to standard output")
        << TesterSimulator::Noise::Mixed << qint64(-1) << qint64(-1) << "-" << 0;
    QTest::newRow("interrupted") << TesterSimulator::Noise::None << qint64(-1) << qint64(-1) << "SIGINT"
                                 << 130;
}

// The bytes written are the bytes sent, up to where the transfer ended.
void TestCommandLine::download()
{
    QFETCH(TesterSimulator::Noise, noise);
    QFETCH(qint64, pauseAt);
    QFETCH(qint64, hangUpAt);
    QFETCH(QString, extra);
    QFETCH(int, exitCode);
    TesterSimulator::Options options;
    options.bitsPerSecond = extra == QLatin1String("SIGINT") ? 9600 : 0;
    options.size = 100000;
    options.noise = noise;
    options.pauseAt = pauseAt;
    options.pauseMs = 600;
    options.hangUpAt = hangUpAt;
    TesterSimulatorThread testerThread(options);
    const TesterSimulator &tester = *testerThread.tester;
    QVERIFY(tester.isRunning());
    const QString path = folder->filePath("results.csv");
    QStringList arguments{"--download", tester.portPath(), "--output", extra == "-" ? "-" : path};
    if (extra == QLatin1String("--german"))
        arguments << extra;

    const int code = run(arguments, [&](QProcess &program) {
        if (extra == QLatin1String("SIGINT")) {
            QTRY_VERIFY_WITH_TIMEOUT(tester.bytesSent() > 2000, 10000);
            ::kill(pid_t(program.processId()), SIGINT);
        }
    });
    QVERIFY2(code == exitCode, err.constData());
    QVERIFY2(!err.contains("Win32SerialDevice::open()"), "no trace lines");
    QByteArray expected = tester.payload();
    if (pauseAt >= 0 || hangUpAt >= 0)
        expected.truncate(qMax(pauseAt, hangUpAt));
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
}

void TestCommandLine::exitCodes_data()
{
    QTest::addColumn<QString>("arguments"); // PORT and FOLDER are replaced
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("says");
    QTest::newRow("--version") << "--version" << 0 << QByteArray("THALDEN Datalogger 1.0.6\n");
    QTest::newRow("unknown option") << "--colour" << 1 << QByteArray("Unknown option 'colour'");
    QTest::newRow("no output") << "--download PORT" << 1 << QByteArray("--output");
    QTest::newRow("wait not positive")
        << "--download PORT --output FOLDER/a --wait 0" << 1 << QByteArray("--wait");
    QTest::newRow("missing port") << "--download ttyNoSuch7 --output FOLDER/a" << 2
                                  << QByteArray("ttyNoSuch7 is no longer there");
    QTest::newRow("port held by another process")
        << "--download PORT --output FOLDER/a held" << 2 << QByteArray("is in use by");
    QTest::newRow("nothing within --wait")
        << "--download PORT --output FOLDER/a --wait 1" << 3 << QByteArray("Nothing arrived within 1 second");
    QTest::newRow("no such folder") << "--download PORT --output FOLDER/none/a" << 4
                                    << QByteArray("does not exist");
    QTest::newRow("unwritable file") << "--download PORT --output FOLDER answer" << 4
                                     << QByteArray("could not be written");
}

void TestCommandLine::exitCodes()
{
    QFETCH(QString, arguments);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, says);
    TesterSimulator::Options options;
    options.bitsPerSecond = 0;
    options.neverAnswer = !arguments.endsWith(QLatin1String("answer"));
    TesterSimulatorThread testerThread(options);
    const TesterSimulator &tester = *testerThread.tester;
    Kv::WinSerialDevice holder(tester.portPath());
    if (arguments.endsWith(QLatin1String("held")))
        QVERIFY(holder.openPort(QIODevice::ReadWrite, 50, 50));
    QStringList words = arguments.split(QLatin1Char(' '));
    words.removeAll(QLatin1String("held"));
    words.removeAll(QLatin1String("answer"));
    words.replaceInStrings(QLatin1String("PORT"), tester.portPath());
    words.replaceInStrings(QLatin1String("FOLDER"), folder->path());

    QCOMPARE(run(words), exitCode);
    QVERIFY2((out + err).contains(says), (out + err).constData());
    // Nothing is written where nothing came or could be; the tester is not
    // asked when the output cannot be written at all.
    QVERIFY(!QFile::exists(folder->filePath("a")));
    QCOMPARE(tester.receivedBytes().isEmpty(), exitCode != 3 && !arguments.endsWith(QLatin1String("answer")));
}

void TestCommandLine::listPorts()
{
    TesterSimulatorThread testerThread({});
    const QString port = testerThread.tester->portPath();
    qputenv("DATALOGGER_EXTRA_PORTS", port.toLocal8Bit());
    QCOMPARE(run({"--list-ports"}), 0);
    qunsetenv("DATALOGGER_EXTRA_PORTS");
    const QList<QByteArray> lines = out.split('\n');
    QCOMPARE(lines.first(), QByteArray("name\tdevice\tfriendly name\tvid:pid\tstable name"));
    const QByteArray name = port.mid(5).toLocal8Bit();
    QVERIFY2(lines.contains(name + '\t' + port.toLocal8Bit() + '\t' + name + "\t\t"), out.constData());
}

DATALOGGER_TEST_MAIN(TestCommandLine)
#include "tst_commandline.moc"
