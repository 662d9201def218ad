// A reference capture downloaded again by the window from the tester
// simulator, at twice its pace with its pause mid-line; the window's own
// capture of that download, replayed through the command line and again
// through the simulator into the window.

#include "capturefolder.h"
#include "testersimulatorthread.h"
#include "windowtest.h"

#include <QProcess>

class TestWindowReplay : public WindowTest
{
    Q_OBJECT

private slots:
    void replayIntoWindow();

private:
    // The window's download from the simulator replaying capture, saved
    // there; returns the window's capture of it.
    QString downloadThroughWindow(const QString &capture, double speed, const QString &saved);
};

QString TestWindowReplay::downloadThroughWindow(const QString &capture, double speed, const QString &saved)
{
    TesterSimulator::Options options;
    options.replayPath = capture;
    options.replaySpeed = speed;
    TesterSimulatorThread testerThread(options);
    if (!testerThread.tester->isRunning())
        return {};
    auto window = windowOnPort(testerThread.tester->portPath());
    answerSaveDialog(saved);
    window->show();
    QTest::mouseClick(window->findChild<QPushButton *>("downloadBtn"), Qt::LeftButton);
    if (!QTest::qWaitFor([&] { return QFile::exists(saved); }, 60000))
        return {};
    return CaptureFolder::defaultPath() + '/' + CaptureFolder().captures().constLast();
}

void TestWindowReplay::replayIntoWindow()
{
    const QString corpus = QStringLiteral(DATALOGGER_SOURCE_DIR "/tests/corpus/");
    const QString expected = readFile(corpus + "pause.csv");
    const QString first = downloadThroughWindow(corpus + "pause.capture", 2, folder->filePath("first.csv"));
    QCOMPARE(readFile(folder->filePath("first.csv")), expected);

    QProcess program;
    program.start(QStringLiteral(DATALOGGER_EXECUTABLE),
                  {"--replay", first, "--output", folder->filePath("replayed.csv")});
    QVERIFY(program.waitForFinished(60000));
    QVERIFY2(program.exitCode() == 0, program.readAllStandardError().constData());
    QCOMPARE(readFile(folder->filePath("replayed.csv")), expected);

    const QString second = downloadThroughWindow(first, 4, folder->filePath("second.csv"));
    QCOMPARE(readFile(folder->filePath("second.csv")), expected);
    QVERIFY(second != first);
}

DATALOGGER_TEST_MAIN(TestWindowReplay)
#include "tst_windowreplay.moc"
