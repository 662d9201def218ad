#include "mainwindow.h"
#include "testersimulator.h"
#include "testsupport.h"
#include "winserialdevice.h"
#include "winserialdeviceasync.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QUrl>

#include <csignal>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <unistd.h>

// The main window at work: ports, saving and conversion, settings, About and
// Help (downloads through a simulated tester are in the second half).
class TestMainWindow : public QObject
{
    Q_OBJECT

public slots:
    void openUrl(const QUrl &url)
    {
        openedUrls << url;
    }

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void firstStart();
    void countrySettings_data();
    void countrySettings();
    void settingsSurviveANewWindow();
    void refreshRestoresStoredPort();
    void aboutText();
    void helpPageByLanguage_data();
    void helpPageByLanguage();

    void conversion_data();
    void conversion();
    void savingTwiceWritesSameBytes();
    void saveIntoMissingFolder();
    void saveWhoseWriteFails();
    void cancelledSaveDialog();

    void fullDownload();
    void displayDropsOnlyNulAndCarriageReturn();
    void waitingThenCancel();
    void cancelAfterData();
    void pauseEndsDownload();
    void failedOpen_data();
    void failedOpen();

private:
    // Starts the tester and a window on its port (listed through DATALOGGER_EXTRA_PORTS).
    std::unique_ptr<MainWindow> windowOnTester(TesterSimulator &tester,
                                               const TesterSimulator::Options &options);
    // Counts the save dialogs that open, cancelling them.
    void cancelSaveDialogs();
    void checkBusy(MainWindow &window);
    void checkIdle(MainWindow &window, bool withData);

    int saveDialogs = 0;

    // Makes pseudo-terminals that the port list shows through DATALOGGER_EXTRA_PORTS.
    QStringList makePorts(int count);
    // Answers the next save dialog with path (confirming an overwrite when asked).
    void answerSaveDialog(const QString &path);
    QString readFile(const QString &path);

    QList<QUrl> openedUrls;
    QList<int> portMasters;
    std::unique_ptr<QTemporaryDir> folder;
};

static QString warningText;

// Catches the window's own warning box (not the file dialog's overwrite question).
static void catchWarning()
{
    TestSupport::whenShown<QMessageBox>(
        [](QMessageBox *box) {
            warningText = box->text();
            box->accept();
        },
        [](QMessageBox *box) { return qobject_cast<MainWindow *>(box->parentWidget()) != nullptr; });
}

void TestMainWindow::initTestCase()
{
    QDesktopServices::setUrlHandler("file", this, "openUrl");
}

void TestMainWindow::cleanupTestCase()
{
    QDesktopServices::unsetUrlHandler("file");
}

void TestMainWindow::init()
{
    QSettings().clear();
    QLocale::setDefault(QLocale(QLocale::English));
    folder = std::make_unique<QTemporaryDir>();
    // File dialogs without a stored path open in the working folder.
    QDir::setCurrent(folder->path());
    qunsetenv("DATALOGGER_EXTRA_PORTS");
    openedUrls.clear();
    warningText.clear();
    TestSupport::armWatchdog();
}

void TestMainWindow::cleanup()
{
    TestSupport::stopWatching();
    for (int master : std::as_const(portMasters))
        ::close(master);
    portMasters.clear();
}

QStringList TestMainWindow::makePorts(int count)
{
    QStringList paths;
    for (int i = 0; i < count; ++i) {
        const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0)
            return {};
        portMasters << master;
        paths << QString::fromLocal8Bit(::ptsname(master));
    }
    qputenv("DATALOGGER_EXTRA_PORTS", paths.join(QLatin1Char(':')).toLocal8Bit());
    return paths;
}

void TestMainWindow::answerSaveDialog(const QString &path)
{
    TestSupport::whenShown<QFileDialog>([path](QFileDialog *dialog) {
        if (QFileInfo::exists(path)) {
            TestSupport::whenShown<QMessageBox>(
                [](QMessageBox *overwrite) { overwrite->button(QMessageBox::Yes)->click(); });
        }
        // The file name field ignores selectFile() while it has the focus.
        dialog->findChild<QLineEdit *>("fileNameEdit")->setText(path);
        QMetaObject::invokeMethod(dialog, "accept");
    });
}

QString TestMainWindow::readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QStringLiteral("<missing>");
}

void TestMainWindow::firstStart()
{
    MainWindow window;
    QCOMPARE(window.size(), QSize(451, 367));
    QCOMPARE(window.statusBar()->currentMessage(),
             QStringLiteral("Please select a port and connect your device"));
    QVERIFY(window.ui.cancelBtn->isHidden());
    QVERIFY(window.ui.openBtn->isHidden());
    QVERIFY(window.ui.saveBtn->isHidden());
    QVERIFY(!window.ui.downloadBtn->isHidden());
    QVERIFY(!window.ui.menuCountrySettings->menuAction()->isVisible());
    QCOMPARE(window.progressBar->maximum(), 0);
    QVERIFY(!window.progressBar->parent());
}

void TestMainWindow::countrySettings_data()
{
    QTest::addColumn<QLocale::Language>("language");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<bool>("shown");

    QTest::newRow("German, never asked") << QLocale::German << QVariant() << false;
    QTest::newRow("German, convert") << QLocale::German << QVariant(true) << true;
    QTest::newRow("German, keep") << QLocale::German << QVariant(false) << true;
    QTest::newRow("English, convert stored") << QLocale::English << QVariant(true) << false;
}

void TestMainWindow::countrySettings()
{
    QFETCH(QLocale::Language, language);
    QFETCH(QVariant, stored);
    QFETCH(bool, shown);

    QLocale::setDefault(QLocale(language));
    if (stored.isValid())
        QSettings().setValue("ConvertData", stored);

    MainWindow window;
    QCOMPARE(window.ui.menuCountrySettings->menuAction()->isVisible(), shown);
    QCOMPARE(window.ui.actionConvertCsvData->isChecked(), shown && stored.toBool());
    // Building the window writes nothing back.
    QCOMPARE(QSettings().value("ConvertData"), stored.isValid() ? QVariant(stored.toString()) : QVariant());

    if (shown) {
        window.ui.actionConvertCsvData->trigger();
        QCOMPARE(QSettings().value("ConvertData").toBool(), !stored.toBool());
    }
}

void TestMainWindow::settingsSurviveANewWindow()
{
    const QStringList ports = makePorts(3);
    QCOMPARE(ports.size(), 3);
    QRect geometry;
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.setGeometry(40, 50, 600, 480);
        QTRY_COMPARE(window.size(), QSize(600, 480));
        geometry = window.geometry();
        window.ui.comPorts->setCurrentIndex(window.ui.comPorts->findData(ports.at(1)));
    }
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.geometry(), geometry);
    QCOMPARE(window.ui.comPorts->currentData().toString(), ports.at(1));
}

void TestMainWindow::refreshRestoresStoredPort()
{
    const QStringList ports = makePorts(3);
    QCOMPARE(ports.size(), 3);
    const QString storedName = ports.at(2).mid(5); // pts/N

    MainWindow unknown;
    QCOMPARE(unknown.ui.comPorts->currentIndex(), 0);

    QSettings().setValue("Device/PortName", storedName);
    MainWindow window;
    QCOMPARE(window.ui.comPorts->currentText(), storedName);
    QCOMPARE(window.ui.comPorts->currentData().toString(), ports.at(2));

    // The port stored at the last exit comes back, not the one picked since.
    window.ui.comPorts->setCurrentIndex(window.ui.comPorts->findData(ports.at(0)));
    window.ui.actionRefreshPorts->trigger();
    QCOMPARE(window.ui.comPorts->currentText(), storedName);
    QCOMPARE(window.ui.comPorts->findData(ports.at(0)) >= 0, true);
}

void TestMainWindow::aboutText()
{
    MainWindow window;
    QString title;
    QString text;
    TestSupport::whenShown<QMessageBox>([&](QMessageBox *box) {
        title = box->windowTitle();
        text = box->text();
        box->accept();
    });
    window.ui.actionAbout->trigger();
    QCOMPARE(title, QStringLiteral("About Korvane DataLogger"));
    QCOMPARE(text, QStringLiteral("Korvane DataLogger\n\n 1.0.6\n"));
}

void TestMainWindow::helpPageByLanguage_data()
{
    QTest::addColumn<QLocale::Language>("language");
    QTest::addColumn<QString>("page");
    QTest::newRow("German") << QLocale::German << "ThaldenDataLoggerHelp_de.html";
    QTest::newRow("English") << QLocale::English << "ThaldenDataLoggerHelp_en.html";
    QTest::newRow("Dutch") << QLocale::Dutch << "ThaldenDataLoggerHelp_nl.html";
}

void TestMainWindow::helpPageByLanguage()
{
    QFETCH(QLocale::Language, language);
    QFETCH(QString, page);
    QLocale::setDefault(QLocale(language));

    MainWindow window;
    window.ui.actionHelp->trigger();
    QCOMPARE(openedUrls.size(), 1);
    QCOMPARE(openedUrls.first(),
             QUrl::fromLocalFile(QCoreApplication::applicationDirPath() + "/Help/" + page));
}

void TestMainWindow::conversion_data()
{
    QTest::addColumn<QLocale::Language>("language");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QString>("answer"); // empty: no question expected
    QTest::addColumn<QString>("written");
    QTest::addColumn<QVariant>("storedAfter");

    const QString raw = "1.5,2.25\r\n";
    const QString german = "1,5;2,25\r\n";
    QTest::newRow("text file, German")
        << QLocale::German << "out.txt" << QVariant(true) << "" << raw << QVariant(true);
    QTest::newRow("no suffix, German") << QLocale::German << "out" << QVariant() << "" << raw << QVariant();
    QTest::newRow("CSV, English") << QLocale::English << "out.csv" << QVariant(true) << "" << raw
                                  << QVariant(true);
    QTest::newRow("CSV, German, asked: Yes")
        << QLocale::German << "out.csv" << QVariant() << "Yes" << german << QVariant(true);
    QTest::newRow("CSV, German, asked: No")
        << QLocale::German << "out.csv" << QVariant() << "No" << raw << QVariant(false);
    QTest::newRow("upper-case suffix, stored true")
        << QLocale::German << "OUT.CSV" << QVariant(true) << "" << german << QVariant(true);
    QTest::newRow("mixed-case suffix, stored false")
        << QLocale::German << "out.Csv" << QVariant(false) << "" << raw << QVariant(false);
}

void TestMainWindow::conversion()
{
    QFETCH(QLocale::Language, language);
    QFETCH(QString, fileName);
    QFETCH(QVariant, stored);
    QFETCH(QString, answer);
    QFETCH(QString, written);
    QFETCH(QVariant, storedAfter);

    QLocale::setDefault(QLocale(language));
    if (stored.isValid())
        QSettings().setValue("ConvertData", stored);
    MainWindow window;
    window.downloadedData = "1.5,2.25\r\n";

    const QString path = folder->filePath(fileName);
    answerSaveDialog(path);
    QString question;
    if (!answer.isEmpty()) {
        TestSupport::whenShown<QMessageBox>([&question, answer](QMessageBox *box) {
            question = box->text();
            box->button(answer == "Yes" ? QMessageBox::Yes : QMessageBox::No)->click();
        });
    }
    window.saveFile();

    QCOMPARE(question.isEmpty(), answer.isEmpty());
    QCOMPARE(readFile(path), written);
    QCOMPARE(QSettings().value("ConvertData").toString(), storedAfter.toString());
    QCOMPARE(QSettings().value("Device/LastSavedFilePath").toString(), path);
    QCOMPARE(window.savedFilePath, path);
    QVERIFY(!window.ui.openBtn->isHidden());
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("File successfully saved"));
    QCOMPARE(window.downloadedData, QByteArray("1.5,2.25\r\n"));

    window.ui.openBtn->click();
    QCOMPARE(openedUrls, QList<QUrl>{QUrl::fromLocalFile(path)});
}

void TestMainWindow::savingTwiceWritesSameBytes()
{
    QLocale::setDefault(QLocale(QLocale::German));
    QSettings().setValue("ConvertData", true);
    MainWindow window;
    window.downloadedData = "a.1,b.2\r\nc,d.\r\n";
    const QString first = folder->filePath("first.csv");
    const QString second = folder->filePath("second.csv");

    answerSaveDialog(first);
    window.saveFile();
    answerSaveDialog(second);
    window.saveFile();
    // The dialog opens where the last file was saved.
    answerSaveDialog(second);
    window.saveFile();

    QCOMPARE(readFile(first), QStringLiteral("a,1;b,2\r\nc;d,\r\n"));
    QCOMPARE(readFile(second), readFile(first));
}

void TestMainWindow::saveIntoMissingFolder()
{
    QSettings().setValue("Device/LastSavedFilePath", folder->filePath("earlier.txt"));
    MainWindow window;
    window.downloadedData = "data";
    const QString path = folder->filePath("gone/out.txt");
    answerSaveDialog(path);
    catchWarning();
    window.saveFile();

    QCOMPARE(warningText,
             QStringLiteral("Error opening \"%1\" for writing. Is it open already or read only?").arg(path));
    QCOMPARE(QSettings().value("Device/LastSavedFilePath").toString(), folder->filePath("earlier.txt"));
    QCOMPARE(window.savedFilePath, path);
    QVERIFY(window.ui.openBtn->isHidden());
    QVERIFY(window.statusBar()->currentMessage() != QStringLiteral("File successfully saved"));
}

void TestMainWindow::saveWhoseWriteFails()
{
    const QString path = folder->filePath("out.txt");
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old contents");
    }
    QSettings().setValue("Device/LastSavedFilePath", path);
    MainWindow window;
    window.downloadedData = QByteArray(256 * 1024, 'x');
    answerSaveDialog(path);
    catchWarning();

    // A write that fails part-way, as on a full disk: the process may not
    // write more than 64 KiB into one file.
    rlimit previous;
    ::getrlimit(RLIMIT_FSIZE, &previous);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = previous;
    limited.rlim_cur = 64 * 1024;
    ::setrlimit(RLIMIT_FSIZE, &limited);
    window.saveFile();
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);

    QVERIFY2(warningText.contains(path), qPrintable(warningText));
    QCOMPARE(readFile(path), QStringLiteral("old contents"));
    QCOMPARE(QDir(folder->path()).entryList(QDir::Files), QStringList{"out.txt"});
    QVERIFY(window.ui.openBtn->isHidden());
}

void TestMainWindow::cancelledSaveDialog()
{
    MainWindow window;
    window.downloadedData = "data";
    window.savedFilePath = "/earlier";
    window.ui.openBtn->show();
    TestSupport::whenShown<QFileDialog>([](QFileDialog *dialog) { dialog->reject(); });
    window.saveFile();
    QVERIFY(window.savedFilePath.isEmpty());
    QVERIFY(!window.ui.openBtn->isHidden());
    QVERIFY(QDir(folder->path()).isEmpty());
}

std::unique_ptr<MainWindow> TestMainWindow::windowOnTester(TesterSimulator &tester,
                                                           const TesterSimulator::Options &options)
{
    tester.setOptions(options);
    if (!tester.start())
        return {};
    qputenv("DATALOGGER_EXTRA_PORTS", tester.portPath().toLocal8Bit());
    auto window = std::make_unique<MainWindow>();
    window->ui.comPorts->setCurrentIndex(window->ui.comPorts->findData(tester.portPath()));
    return window->ui.comPorts->currentData() == tester.portPath() ? std::move(window) : nullptr;
}

void TestMainWindow::cancelSaveDialogs()
{
    saveDialogs = 0;
    auto *timer = new QTimer(TestSupport::watchers());
    connect(timer, &QTimer::timeout, this, [this] {
        if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
            ++saveDialogs;
            dialog->reject();
        }
    });
    timer->start(10);
}

void TestMainWindow::checkBusy(MainWindow &window)
{
    QVERIFY(window.device);
    QVERIFY(window.ui.downloadBtn->isHidden());
    QVERIFY(!window.ui.cancelBtn->isHidden());
    QVERIFY(window.ui.openBtn->isHidden());
    QVERIFY(window.ui.saveBtn->isHidden());
    QVERIFY(!window.ui.comPorts->isEnabled());
    QVERIFY(!window.ui.actionRefreshPorts->isEnabled());
    QVERIFY(!window.ui.actionChangeLanguage->isEnabled());
    QVERIFY(window.ui.actionAbout->isEnabled());
    QCOMPARE(window.progressBar->parentWidget(), window.statusBar());
    QVERIFY(!window.progressBar->isHidden());
}

void TestMainWindow::checkIdle(MainWindow &window, bool withData)
{
    QVERIFY(!window.device);
    QVERIFY(!window.ui.downloadBtn->isHidden());
    QVERIFY(window.ui.cancelBtn->isHidden());
    QCOMPARE(window.ui.saveBtn->isHidden(), !withData);
    QVERIFY(window.ui.comPorts->isEnabled());
    QVERIFY(window.ui.actionRefreshPorts->isEnabled());
    QVERIFY(window.ui.actionChangeLanguage->isEnabled());
    QVERIFY(window.progressBar->isHidden());
}

void TestMainWindow::fullDownload()
{
    TesterSimulator tester;
    TesterSimulator::Options options;
    options.bitsPerSecond = 200000;
    options.delayMs = 300;
    auto window = windowOnTester(tester, options);
    QVERIFY(window);
    window->show();
    const QString path = folder->filePath("results.txt");
    answerSaveDialog(path);

    window->ui.downloadBtn->click();
    checkBusy(*window);
    QCOMPARE(window->statusBar()->currentMessage(),
             QStringLiteral("Now initiate the download on the tester"));
    QTRY_COMPARE_WITH_TIMEOUT(tester.receivedBytes(), QByteArray("SYST:REM\r\nMEM:DATA? ALL\r\n"), 10000);
    // The save dialog opens by itself at the end.
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(path), 30000);

    const QByteArray sent = tester.payload();
    QVERIFY(sent.contains("\r\n"));
    QCOMPARE(window->downloadedData, sent);
    QCOMPARE(window->ui.outputTextEdit->toPlainText(), QString::fromLatin1(sent).remove(QLatin1Char('\r')));
    QCOMPARE(readFile(path).toLatin1(), sent);
    checkIdle(*window, true);
    QVERIFY(!window->ui.openBtn->isHidden());
    QCOMPARE(window->statusBar()->currentMessage(), QStringLiteral("File successfully saved"));
}

void TestMainWindow::displayDropsOnlyNulAndCarriageReturn()
{
    const QByteArray bytes("ab\0cd\r\nef\rgh\xff\0\r\n", 17);
    QFile input(folder->filePath("input.bin"));
    QVERIFY(input.open(QIODevice::WriteOnly) && input.write(bytes) == bytes.size());
    input.close();
    TesterSimulator tester;
    TesterSimulator::Options options;
    options.bitsPerSecond = 0;
    options.filePath = input.fileName();
    auto window = windowOnTester(tester, options);
    QVERIFY(window);
    cancelSaveDialogs();

    window->ui.downloadBtn->click();
    QTRY_COMPARE_WITH_TIMEOUT(saveDialogs, 1, 30000);
    QCOMPARE(window->downloadedData, bytes);
    QCOMPARE(window->ui.outputTextEdit->toPlainText(), QString::fromLatin1("abcd\nefgh\xff\n"));
}

void TestMainWindow::waitingThenCancel()
{
    TesterSimulator tester;
    TesterSimulator::Options options;
    options.neverAnswer = true;
    auto window = windowOnTester(tester, options);
    QVERIFY(window);
    window->downloadedData = "earlier download";
    cancelSaveDialogs();

    window->ui.downloadBtn->click();
    QVERIFY(window->downloadedData.isEmpty());
    QSignalSpy timeOuts(window->device, &Kv::WinSerialDeviceAsync::readTimeOut);
    QTRY_VERIFY_WITH_TIMEOUT(timeOuts.count() >= 10, 10000);
    checkBusy(*window);
    QCOMPARE(window->statusBar()->currentMessage(),
             QStringLiteral("Now initiate the download on the tester"));

    window->ui.cancelBtn->click();
    checkIdle(*window, false);
    QVERIFY(window->ui.openBtn->isHidden());
    QVERIFY(window->statusBar()->currentMessage().isEmpty());
    QTest::qWait(200);
    QCOMPARE(saveDialogs, 0);
}

void TestMainWindow::cancelAfterData()
{
    TesterSimulator tester;
    auto window = windowOnTester(tester, {});
    QVERIFY(window);
    cancelSaveDialogs();

    window->ui.downloadBtn->click();
    QTRY_VERIFY_WITH_TIMEOUT(window->downloadedData.size() > 100, 10000);
    QCOMPARE(window->statusBar()->currentMessage(), QStringLiteral("Downloading..."));
    window->ui.cancelBtn->click();
    const QByteArray kept = window->downloadedData;

    checkIdle(*window, true);
    QVERIFY(!window->ui.openBtn->isHidden());
    QVERIFY(tester.payload().startsWith(kept));
    QCOMPARE(window->ui.outputTextEdit->toPlainText(), QString::fromLatin1(kept).remove(QLatin1Char('\r')));
    // A time-out queued before the Cancel does not open the save dialog.
    QTest::qWait(300);
    QCOMPARE(saveDialogs, 0);
}

void TestMainWindow::pauseEndsDownload()
{
    TesterSimulator tester;
    TesterSimulator::Options options;
    options.bitsPerSecond = 0;
    options.pauseAt = 2000;
    options.pauseMs = 600;
    auto window = windowOnTester(tester, options);
    QVERIFY(window);
    cancelSaveDialogs();

    window->ui.downloadBtn->click();
    QTRY_COMPARE_WITH_TIMEOUT(saveDialogs, 1, 30000);
    checkIdle(*window, true);
    QCOMPARE(window->downloadedData, tester.payload().left(2000));
}

void TestMainWindow::failedOpen_data()
{
    QTest::addColumn<bool>("busy");
    QTest::newRow("no port listed") << false;
    QTest::newRow("port held by another device") << true;
}

void TestMainWindow::failedOpen()
{
    QFETCH(bool, busy);
    TesterSimulator tester;
    auto window = windowOnTester(tester, {});
    QVERIFY(window);
    Kv::WinSerialDevice holder(tester.portPath());
    if (busy)
        QVERIFY(holder.openPort(QIODevice::ReadWrite, 50, 50));
    else
        window->ui.comPorts->clear();
    window->downloadedData = "earlier download";
    window->ui.outputTextEdit->setPlainText("earlier download");
    window->ui.openBtn->show();
    window->ui.saveBtn->show();
    catchWarning();

    window->ui.downloadBtn->click();
    QCOMPARE(warningText,
             QStringLiteral("Failed to connect. Please check the device is connected and switched on"));
    checkIdle(*window, false);
    QVERIFY(window->ui.openBtn->isHidden());
    QVERIFY(window->downloadedData.isEmpty());
    QVERIFY(window->ui.outputTextEdit->toPlainText().isEmpty());
    QVERIFY(window->statusBar()->currentMessage().isEmpty());
    QVERIFY(tester.receivedBytes().isEmpty());
}

DATALOGGER_TEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
