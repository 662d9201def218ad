// A reference capture downloaded again by the window from the tester
// simulator, at twice its pace with its pause mid-line; and the window's own
// capture of that download, replayed through the command line.

#include "capturefolder.h"
#include "testersimulatorthread.h"
#include "windowtest.h"

#include <QProcess>

class TestWindowReplay : public QObject, public WindowTest
{
    Q_OBJECT

private slots:
    void init()
    {
        setUp();
    }
    void cleanup()
    {
        tearDown();
    }
    void replayIntoWindow();
};

void TestWindowReplay::replayIntoWindow()
{
    const QString corpus = QStringLiteral(DATALOGGER_SOURCE_DIR "/tests/corpus/");
    TesterSimulator::Options options;
    options.replayPath = corpus + "pause.capture";
    options.replaySpeed = 2;
    TesterSimulatorThread testerThread(options);
    QVERIFY(testerThread.tester->isRunning());
    auto window = windowOnPort(testerThread.tester->portPath());
    const QString saved = folder->filePath("results.csv");
    answerSaveDialog(saved);
    window->show();
    QTest::mouseClick(window->findChild<QPushButton *>("downloadBtn"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(saved), 60000);
    const QString expected = readFile(corpus + "pause.csv");
    QCOMPARE(readFile(saved), expected);

    const QStringList captures = CaptureFolder().captures();
    QCOMPARE(captures.size(), 1);
    QProcess program;
    program.start(QStringLiteral(DATALOGGER_EXECUTABLE),
                  {"--replay", CaptureFolder::defaultPath() + '/' + captures.first(), "--output",
                   folder->filePath("replayed.csv")});
    QVERIFY(program.waitForFinished(60000));
    QVERIFY2(program.exitCode() == 0, program.readAllStandardError().constData());
    QCOMPARE(readFile(folder->filePath("replayed.csv")), expected);
}

DATALOGGER_TEST_MAIN(TestWindowReplay)
#include "tst_windowreplay.moc"
