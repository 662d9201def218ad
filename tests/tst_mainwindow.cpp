#include "dialoglanguage.h"
#include "mainwindow.h"
#include "ptypair.h"
#include "receivedamountlabel.h"
#include "recoverystore.h"
#include "terminationhandler.h"
#include "testersimulator.h"
#include "testersimulatorthread.h"
#include "testsupport.h"
#include "winserialdevice.h"
#include "winserialdeviceasync.h"

#include <QComboBox>
#include <QDateTime>
#include <QDesktopServices>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTextBlock>
#include <QThread>
#include <QUrl>

#include <csignal>
#include <fcntl.h>
#include <grp.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
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
    void portListFollowsPorts();
    void aboutText();
    void helpPageByLanguage_data();
    void helpPageByLanguage();
    void shortcuts_data();
    void shortcuts();

    void conversion_data();
    void conversion();
    void savingTwiceWritesSameBytes();
    void saveIntoMissingFolder();
    void saveWhoseWriteFails();
    void cancelledSaveDialog();

    void fullDownload();
    void displayDropsOnlyNulAndCarriageReturn();
    void waitingThenCancel();
    void cancelAfterData_data();
    void cancelAfterData();
    void failedOpen_data();
    void failedOpen();

    void transferEndsEarly_data();
    void transferEndsEarly();
    void noPermission_data();
    void noPermission();
    void awkwardData_data();
    void awkwardData();
    void closeDuringDownload();
    void unsavedResultsGuard_data();
    void unsavedResultsGuard();
    void terminationKeepsResults_data();
    void terminationKeepsResults();
    void soak();

private:
    // Starts the tester and a window on its port (listed through DATALOGGER_EXTRA_PORTS).
    std::unique_ptr<MainWindow> windowOnTester(TesterSimulator &tester,
                                               const TesterSimulator::Options &options);
    std::unique_ptr<MainWindow> windowOnPort(const QString &portPath);
    // Counts the save dialogs that open, cancelling them.
    void cancelSaveDialogs();
    void checkBusy(MainWindow &window);
    void checkIdle(MainWindow &window, bool withData);

    int saveDialogs = 0;

    // Makes pseudo-terminals that the port list shows through DATALOGGER_EXTRA_PORTS.
    QStringList makePorts(int count);
    // Answers the next save dialog with path and the filter at that index
    // (confirming an overwrite when asked); keeps where the dialog started.
    void answerSaveDialog(const QString &path, int filter = 0);
    QString dialogStart;
    QString readFile(const QString &path);

    QList<QUrl> openedUrls;
    QString documents; // the documents folder of this run
    QList<int> portMasters;
    std::unique_ptr<QTemporaryDir> folder;
};

static QString warningText;
static QString warningDetail; // its informative text

// Catches the window's own warning box (not the file dialog's overwrite question).
static void catchWarning()
{
    TestSupport::whenShown<QMessageBox>(
        [](QMessageBox *box) {
            warningText = box->text();
            warningDetail = box->informativeText();
            box->accept();
        },
        [](QMessageBox *box) { return qobject_cast<MainWindow *>(box->parentWidget()) != nullptr; });
}

void TestMainWindow::initTestCase()
{
    QDesktopServices::setUrlHandler("file", this, "openUrl");
    const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    documents = config + "/Documents";
    QFile dirs(config + "/user-dirs.dirs");
    QVERIFY(QDir().mkpath(documents) && dirs.open(QIODevice::WriteOnly));
    dirs.write("XDG_DOCUMENTS_DIR=\"" + QFile::encodeName(documents) + "\"\n");
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

void TestMainWindow::answerSaveDialog(const QString &path, int filter)
{
    TestSupport::whenShown<QFileDialog>([this, path, filter](QFileDialog *dialog) {
        auto *name = dialog->findChild<QLineEdit *>("fileNameEdit");
        dialogStart = dialog->directory().filePath(name->text());
        // As the user picks it (a filter selected in code does not signal).
        for (int i = 0; i < filter; ++i)
            QTest::keyClick(dialog->findChild<QComboBox *>("fileTypeCombo"), Qt::Key_Down);
        if (QFileInfo::exists(path)) {
            TestSupport::whenShown<QMessageBox>(
                [](QMessageBox *overwrite) { overwrite->button(QMessageBox::Yes)->click(); });
        }
        // The file name field ignores selectFile() while it has the focus.
        name->setText(path);
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

    // The status bar's texts are dark on its white in a dark theme too.
    const QPalette theme = QApplication::palette();
    const auto restoreTheme = qScopeGuard([&] { QApplication::setPalette(theme); });
    QPalette dark = theme;
    dark.setColor(QPalette::WindowText, Qt::white);
    QApplication::setPalette(dark);
    MainWindow darkWindow;
    for (QWidget *widget :
         {static_cast<QWidget *>(darkWindow.statusBar()), static_cast<QWidget *>(darkWindow.amountLabel)}) {
        widget->ensurePolished();
        QCOMPARE(widget->palette().color(QPalette::WindowText), QColor(Qt::black));
    }
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

// The list keeps the user's choice through every refresh, follows ports that
// come and go without Refresh Ports, and falls back to the stored port when
// the chosen one has gone.
void TestMainWindow::portListFollowsPorts()
{
    const QStringList ports = makePorts(3);
    QCOMPARE(ports.size(), 3);
    const QString storedName = ports.at(2).mid(5); // pts/N
    const QString link = folder->filePath("tester");
    qputenv("DATALOGGER_EXTRA_PORTS", (ports.join(QLatin1Char(':')) + QLatin1Char(':') + link).toLocal8Bit());

    MainWindow unknown;
    QCOMPARE(unknown.ui.comPorts->currentIndex(), 0);

    QSettings().setValue("Device/PortName", storedName);
    MainWindow window;
    QCOMPARE(window.ui.comPorts->currentText(), storedName);
    QCOMPARE(window.ui.comPorts->currentData().toString(), ports.at(2));

    window.ui.comPorts->setCurrentIndex(window.ui.comPorts->findData(ports.at(0)));
    window.ui.actionRefreshPorts->trigger();
    QCOMPARE(window.ui.comPorts->currentData().toString(), ports.at(0));

    // A port made after the window, and taken away again.
    const int listed = window.ui.comPorts->count();
    PtyPair tester;
    QVERIFY(QFile::link(tester.slavePath, link));
    QTRY_VERIFY_WITH_TIMEOUT(window.ui.comPorts->findData(link) >= 0, 1000);
    QCOMPARE(window.ui.comPorts->count(), listed + 1);
    QVERIFY(QFile::remove(link));
    QTRY_VERIFY_WITH_TIMEOUT(window.ui.comPorts->findData(link) < 0, 1000);
    QCOMPARE(window.ui.comPorts->currentData().toString(), ports.at(0));

    ::close(portMasters.takeFirst());
    window.ui.actionRefreshPorts->trigger();
    QCOMPARE(window.ui.comPorts->currentText(), storedName);
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

void TestMainWindow::shortcuts_data()
{
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<QString>("command"); // the action or button they trigger
    QTest::newRow("Ctrl+Q: Exit") << QKeySequence(Qt::CTRL | Qt::Key_Q) << "actionExit";
    QTest::newRow("F1: Help") << QKeySequence(Qt::Key_F1) << "actionHelp";
    QTest::newRow("F5: Refresh Ports") << QKeySequence(Qt::Key_F5) << "actionRefreshPorts";
    QTest::newRow("Escape: Cancel a download") << QKeySequence(Qt::Key_Escape) << "cancelBtn";
}

void TestMainWindow::shortcuts()
{
    QFETCH(QKeySequence, keys);
    QFETCH(QString, command);
    auto window = windowOnPort(makePorts(1).value(0));
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    if (command == "cancelBtn")
        window->ui.downloadBtn->click();
    QObject *target = window->findChild<QObject *>(command);
    QSignalSpy used(target, target->inherits("QAction") ? SIGNAL(triggered(bool)) : SIGNAL(clicked(bool)));

    QTest::keySequence(window.get(), keys);
    QTRY_COMPARE(used.count(), 1);
    QVERIFY(!window->device);
    QCOMPARE(window->isVisible(), command != "actionExit");
}

void TestMainWindow::conversion_data()
{
    QTest::addColumn<QLocale::Language>("language");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<int>("filter"); // CSV, text, all files
    QTest::addColumn<QString>("savedAs");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QString>("answer"); // empty: no question expected
    QTest::addColumn<QString>("written");
    QTest::addColumn<QVariant>("storedAfter");

    const QString raw = "1.5,2.25\r\n";
    const QString german = "1,5;2,25\r\n";
    QTest::newRow("text file, German")
        << QLocale::German << "out.txt" << 0 << "out.txt" << QVariant(true) << "" << raw << QVariant(true);
    QTest::newRow("no suffix, CSV filter, German")
        << QLocale::German << "out" << 0 << "out.csv" << QVariant(true) << "" << german << QVariant(true);
    QTest::newRow("no suffix, text filter, German")
        << QLocale::German << "out" << 1 << "out.txt" << QVariant() << "" << raw << QVariant();
    QTest::newRow("no suffix, all files, German")
        << QLocale::German << "out" << 2 << "out" << QVariant() << "" << raw << QVariant();
    QTest::newRow("CSV under the text filter, German")
        << QLocale::German << "out.csv" << 1 << "out.csv" << QVariant(true) << "" << german << QVariant(true);
    QTest::newRow("CSV, English") << QLocale::English << "out.csv" << 0 << "out.csv" << QVariant(true) << ""
                                  << raw << QVariant(true);
    QTest::newRow("CSV, German, asked: Yes")
        << QLocale::German << "out.csv" << 0 << "out.csv" << QVariant() << "Yes" << german << QVariant(true);
    QTest::newRow("CSV, German, asked: No")
        << QLocale::German << "out.csv" << 0 << "out.csv" << QVariant() << "No" << raw << QVariant(false);
    QTest::newRow("upper-case suffix, stored true")
        << QLocale::German << "OUT.CSV" << 0 << "OUT.CSV" << QVariant(true) << "" << german << QVariant(true);
    QTest::newRow("mixed-case suffix, stored false")
        << QLocale::German << "out.Csv" << 0 << "out.Csv" << QVariant(false) << "" << raw << QVariant(false);
}

void TestMainWindow::conversion()
{
    QFETCH(QLocale::Language, language);
    QFETCH(QString, fileName);
    QFETCH(int, filter);
    QFETCH(QString, savedAs);
    QFETCH(QVariant, stored);
    QFETCH(QString, answer);
    QFETCH(QString, written);
    QFETCH(QVariant, storedAfter);

    QLocale::setDefault(QLocale(language));
    if (stored.isValid())
        QSettings().setValue("ConvertData", stored);
    MainWindow window;
    window.downloadedData = "1.5,2.25\r\n";
    window.downloadTime = QDateTime({2026, 12, 7}, {9, 14, 59});

    answerSaveDialog(folder->filePath(fileName), filter);
    const QString path = folder->filePath(savedAs);
    QString question;
    if (!answer.isEmpty()) {
        TestSupport::whenShown<QMessageBox>([&question, answer](QMessageBox *box) {
            question = box->text();
            box->button(answer == "Yes" ? QMessageBox::Yes : QMessageBox::No)->click();
        });
    }
    window.saveFile();

    QCOMPARE(question.isEmpty(), answer.isEmpty());
    // Once answered, Tools > Country Settings offers the answer at once.
    const bool offered = storedAfter.isValid() && language == QLocale::German;
    QCOMPARE(window.ui.menuCountrySettings->menuAction()->isVisible(), offered);
    QCOMPARE(window.ui.actionConvertCsvData->isChecked(), offered && storedAfter.toBool());
    // The first save starts in the documents folder.
    QCOMPARE(dialogStart, documents + "/results-2026-12-07-0914.csv");
    QCOMPARE(QDir(folder->path()).entryList(QDir::Files), QStringList{savedAs});
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
    QCOMPARE(dialogStart, second);

    QCOMPARE(readFile(first), QStringLiteral("a,1;b,2\r\nc;d,\r\n"));
    QCOMPARE(readFile(second), readFile(first));
}

void TestMainWindow::saveIntoMissingFolder()
{
    QSettings().setValue("Device/LastSavedFilePath", folder->filePath("earlier.txt"));
    MainWindow window;
    window.downloadedData = "data";
    window.savedFilePath = folder->filePath("earlier.txt");
    window.ui.openBtn->show();
    const QString path = folder->filePath("gone/out.txt");
    answerSaveDialog(path);
    catchWarning();
    window.saveFile();

    QCOMPARE(warningText,
             QStringLiteral("Error opening \"%1\" for writing. Is it open already or read only?").arg(path));
    QCOMPARE(warningDetail, QStringLiteral("No such file or directory"));
    QCOMPARE(QSettings().value("Device/LastSavedFilePath").toString(), folder->filePath("earlier.txt"));
    // Open still opens the file of the last successful save.
    QCOMPARE(window.savedFilePath, folder->filePath("earlier.txt"));
    QVERIFY(!window.ui.openBtn->isHidden());
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
    QCOMPARE(warningDetail, QStringLiteral("File too large"));
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
    QCOMPARE(window.savedFilePath, QStringLiteral("/earlier"));
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
    QVERIFY(!window.amountLabel->isHidden());
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
    // The amount received stays, if there was any.
    QCOMPARE(window.amountLabel->isHidden(), !withData);
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

    const auto amount = [](qint64 bytes) {
        return QLocale().formattedDataSize(bytes, 1, QLocale::DataSizeSIFormat);
    };
    window->ui.downloadBtn->click();
    checkBusy(*window);
    QCOMPARE(window->statusBar()->currentMessage(),
             QStringLiteral("Now initiate the download on the tester"));
    QCOMPARE(window->amountLabel->text(), amount(0));
    QTRY_COMPARE_WITH_TIMEOUT(tester.receivedBytes(), QByteArray("SYST:REM\r\nMEM:DATA? ALL\r\n"), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(window->amountLabel->text() != amount(0), 10000);
    QVERIFY(window->device);
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
    QCOMPARE(window->amountLabel->text(), amount(sent.size()));
    // One record to a line, wider than the window: it scrolls sideways.
    QCOMPARE(window->ui.outputTextEdit->document()->lastBlock().previous().layout()->lineCount(), 1);
    QVERIFY(window->ui.outputTextEdit->horizontalScrollBar()->maximum() > 0);
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
    window->savedFilePath = "/earlier";
    cancelSaveDialogs();

    window->show();
    QElapsedTimer sinceDownload;
    sinceDownload.start();
    QTest::mouseClick(window->ui.downloadBtn, Qt::LeftButton);
    QVERIFY(window->downloadedData.isEmpty());
    // The second click of a double click lands on Cancel, in Download's place.
    QTest::mouseDClick(window->ui.cancelBtn, Qt::LeftButton);
    QVERIFY(sinceDownload.elapsed() < QApplication::doubleClickInterval());
    QSignalSpy timeOuts(window->device, &Kv::WinSerialDeviceAsync::readTimeOut);
    QTRY_VERIFY_WITH_TIMEOUT(
        timeOuts.count() >= 10 && sinceDownload.elapsed() > QApplication::doubleClickInterval(), 10000);
    checkBusy(*window);
    QCOMPARE(window->statusBar()->currentMessage(),
             QStringLiteral("Now initiate the download on the tester"));

    QTest::mouseClick(window->ui.cancelBtn, Qt::LeftButton);
    checkIdle(*window, false);
    QVERIFY(window->ui.openBtn->isHidden());
    QVERIFY(window->statusBar()->currentMessage().isEmpty());
    QTest::qWait(200);
    QCOMPARE(saveDialogs, 0);
}

void TestMainWindow::cancelAfterData_data()
{
    QTest::addColumn<int>("bitsPerSecond");
    QTest::addColumn<int>("cancelAfter"); // bytes received
    QTest::newRow("at the line rate") << 9600 << 100;
    // The display lags behind the data and catches up after the Cancel.
    QTest::newRow("at full speed") << 0 << 5000000;
}

void TestMainWindow::cancelAfterData()
{
    QFETCH(int, bitsPerSecond);
    QFETCH(int, cancelAfter);
    TesterSimulator::Options options;
    options.bitsPerSecond = bitsPerSecond;
    options.size = 2 * qint64(cancelAfter) + 10000;
    TesterSimulatorThread testerThread(options);
    const TesterSimulator &tester = *testerThread.tester;
    QVERIFY(tester.isRunning());
    auto window = windowOnPort(tester.portPath());
    cancelSaveDialogs();

    window->ui.downloadBtn->click();
    QTRY_VERIFY_WITH_TIMEOUT(window->downloadedData.size() > cancelAfter, 10000);
    QCOMPARE(window->statusBar()->currentMessage(), QStringLiteral("Downloading..."));
    window->ui.cancelBtn->click();
    const QByteArray kept = window->downloadedData;

    checkIdle(*window, true);
    // Not saved: nothing to open.
    QVERIFY(window->ui.openBtn->isHidden());
    QVERIFY(tester.payload().startsWith(kept));
    QTRY_COMPARE_WITH_TIMEOUT(window->ui.outputTextEdit->toPlainText(),
                              QString::fromLatin1(kept).remove(QLatin1Char('\r')), 20000);
    QCOMPARE(window->downloadedData, kept);
    // A time-out queued before the Cancel does not open the save dialog.
    QTest::qWait(300);
    QCOMPARE(saveDialogs, 0);
}

void TestMainWindow::failedOpen_data()
{
    QTest::addColumn<bool>("busy");
    QTest::addColumn<QString>("detail"); // %1 the port, %2 this process
    QTest::newRow("no port listed")
        << false
        << "No serial port was found. Connect the tester's cable or USB adapter, "
           "check that the adapter's driver is installed, then refresh the port list.";
    QTest::newRow("port held by another device")
        << true << "%1 is in use by tst_mainwindow (process %2). Close that program, then try again.";
}

void TestMainWindow::failedOpen()
{
    QFETCH(bool, busy);
    QFETCH(QString, detail);
    TesterSimulator tester;
    auto window = windowOnTester(tester, {});
    QVERIFY(window);
    Kv::WinSerialDevice holder(tester.portPath());
    if (busy)
        QVERIFY(holder.openPort(QIODevice::ReadWrite, 50, 50));
    else
        window->ui.comPorts->clear();
    window->downloadedData = "earlier download";
    window->savedFilePath = "/earlier";
    window->ui.outputTextEdit->setPlainText("earlier download");
    window->ui.openBtn->show();
    window->ui.saveBtn->show();
    catchWarning();

    window->ui.downloadBtn->click();
    QCOMPARE(warningText,
             QStringLiteral("Failed to connect. Please check the device is connected and switched on"));
    QCOMPARE(warningDetail, detail.arg(tester.portPath().mid(5)).arg(QCoreApplication::applicationPid()));
    checkIdle(*window, false);
    QVERIFY(window->ui.openBtn->isHidden());
    QVERIFY(window->downloadedData.isEmpty());
    QVERIFY(window->ui.outputTextEdit->toPlainText().isEmpty());
    QVERIFY(window->statusBar()->currentMessage().isEmpty());
    QVERIFY(tester.receivedBytes().isEmpty());
}

std::unique_ptr<MainWindow> TestMainWindow::windowOnPort(const QString &portPath)
{
    qputenv("DATALOGGER_EXTRA_PORTS", portPath.toLocal8Bit());
    auto window = std::make_unique<MainWindow>();
    window->ui.comPorts->setCurrentIndex(window->ui.comPorts->findData(portPath));
    return window;
}

static double cpuSeconds()
{
    timespec now;
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec + now.tv_nsec / 1e9;
}

void TestMainWindow::transferEndsEarly_data()
{
    QTest::addColumn<qint64>("pauseAt");
    QTest::addColumn<qint64>("hangUpAt"); // 0: right after the request, before any data
    QTest::addColumn<QString>("warning");
    const QString lost =
        QStringLiteral("The connection to the tester was lost after %1. The results may be incomplete.");
    QTest::newRow("silence after data") << qint64(2000) << qint64(-1) << QString();
    QTest::newRow("hang-up mid-transfer")
        << qint64(-1) << qint64(100000) << lost.arg(QLocale(QLocale::English).formattedDataSize(100000));
    QTest::newRow("hang-up before any data")
        << qint64(-1) << qint64(0)
        << QStringLiteral("Failed to connect. Please check the device is connected and switched on");
}

// A pause ends a transfer; a pulled cable ends it too, but says so before the
// save dialog. What arrived is kept and saved, the window does not spin on
// the dead port nor flood standard error.
void TestMainWindow::transferEndsEarly()
{
    QFETCH(qint64, pauseAt);
    QFETCH(qint64, hangUpAt);
    QFETCH(QString, warning);
    TesterSimulator tester;
    TesterSimulator::Options options;
    options.bitsPerSecond = 0;
    options.size = 300000;
    options.pauseAt = pauseAt;
    options.pauseMs = 600;
    options.hangUpAt = hangUpAt > 0 ? hangUpAt : -1;
    options.neverAnswer = hangUpAt == 0;
    auto window = windowOnTester(tester, options);
    QVERIFY(window);
    const QString path = folder->filePath("partial.txt");
    const bool withData = hangUpAt != 0;
    bool warnedBeforeSaving = false;
    catchWarning();
    if (withData) {
        TestSupport::whenShown<QFileDialog>([&, path](QFileDialog *dialog) {
            warnedBeforeSaving = warningText == warning;
            dialog->findChild<QLineEdit *>("fileNameEdit")->setText(path);
            QMetaObject::invokeMethod(dialog, "accept");
        });
    }

    double cpuUsed = 0;
    const QByteArray errors = stderrOf([&] {
        window->ui.downloadBtn->click();
        if (!withData) {
            QTRY_VERIFY_WITH_TIMEOUT(tester.receivedBytes().endsWith("ALL\r\n"), 10000);
            tester.hangUp();
        }
        QTRY_VERIFY_WITH_TIMEOUT(withData ? QFile::exists(path) : !window->device, 30000);
        const double before = cpuSeconds();
        QTest::qWait(1000);
        cpuUsed = cpuSeconds() - before;
    });
    QVERIFY2(cpuUsed < 0.3, qPrintable(QString::number(cpuUsed)));
    // One report of the failing read at most, not one each read period.
    QVERIFY2(errors.count("error") <= 2 && errors.size() < 300, errors.constData());
    QCOMPARE(warningText, warning);
    QVERIFY(warnedBeforeSaving || !withData);
    // A port that went away before any data is named as gone.
    QCOMPARE(warningDetail.contains(QLatin1String("is no longer there")), !withData);
    checkIdle(*window, withData);
    const qint64 end = pauseAt >= 0 ? pauseAt : qMax<qint64>(hangUpAt, 0);
    QCOMPARE(window->downloadedData, tester.payload().left(end));
    if (withData)
        QCOMPARE(readFile(path).toLatin1(), window->downloadedData);
}

void TestMainWindow::noPermission_data()
{
    QTest::addColumn<QString>("group"); // the port's, root being its owner
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("session"); // nobody's group in the run
    QTest::addColumn<QString>("detail");  // %1 the port; none: the port opens
    auto noAccess = [](const QString &group, const QString &mode) {
        return "Your account may not open %1 (owner root, group " + group + ", mode " + mode +
               "), and membership of its group would not change that. Check the device's owner and mode, or "
               "add a udev rule such as\nSUBSYSTEM==\"tty\", KERNEL==\"%1\", GROUP=\"dialout\", "
               "MODE=\"0660\"";
    };
    QTest::newRow("not in the group")
        << "dialout" << 0660 << "nogroup"
        << "Only members of the group dialout may open %1, and your account nobody "
           "is not one. Add it with\nsudo usermod -aG dialout nobody\nthen log out "
           "and in again.";
    QTest::newRow("joined after logging in") << "nogroup" << 0660 << "dialout"
                                             << "Only members of the group nogroup may open %1. Your account "
                                                "nobody is one, but this session began "
                                                "before it joined: log out and in again.";
    QTest::newRow("owner only") << "dialout" << 0600 << "nogroup" << noAccess("dialout", "crw-------");
    QTest::newRow("group not in the database")
        << "4242" << 0660 << "nogroup" << noAccess("4242", "crw-rw----");
    QTest::newRow("stale lock file of root") << "root" << 0666 << "nogroup" << QString();
}

// Run as root, this runs itself as nobody: on a port nobody may not open,
// past a lock file that root left behind, and saving over a read-only file.
void TestMainWindow::noPermission()
{
    QFETCH(QString, detail);
    const QByteArray port = qgetenv("DATALOGGER_TEST_LOCKED_PORT");
    if (!port.isEmpty()) {
        QVERIFY(::geteuid() != 0);
        qputenv("DATALOGGER_EXTRA_PORTS", port);
        MainWindow window;
        window.ui.comPorts->setCurrentIndex(window.ui.comPorts->findData(QString::fromLocal8Bit(port)));
        QCOMPARE(window.ui.comPorts->currentData().toByteArray(), port);
        catchWarning();
        const QByteArray errors = stderrOf([&] { window.ui.downloadBtn->click(); });
        if (detail.isEmpty()) {
            QVERIFY(window.device);
            window.ui.cancelBtn->click();
            return;
        }
        QCOMPARE(warningText,
                 QStringLiteral("Failed to connect. Please check the device is connected and switched on"));
        QCOMPARE(warningDetail, detail.arg(QString::fromLocal8Bit(port.mid(5))));
        QCOMPARE(errors, QByteArray("Win32SerialDevice::open failed with error: 5"));
        checkIdle(window, false);

        // Saving over a read-only file (root may write it anyway): refused, the file kept.
        const QString path = folder->filePath("readonly.txt");
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old contents") == 12);
        old.close();
        QVERIFY(old.setPermissions(QFile::ReadOwner));
        window.downloadedData = "new data";
        warningText.clear();
        answerSaveDialog(path);
        catchWarning();
        window.saveFile();
        QVERIFY2(warningText.contains(path), qPrintable(warningText));
        QCOMPARE(warningDetail, QStringLiteral("Existing file %1 is not writable").arg(path));
        QCOMPARE(readFile(path), QStringLiteral("old contents"));
        QVERIFY(window.ui.openBtn->isHidden());

        // Over a writable file in a folder nobody may not write to: in place.
        const QString locked = folder->filePath("locked");
        QVERIFY(QDir().mkdir(locked) && old.copy(locked + "/old.txt"));
        QVERIFY(QFile::setPermissions(locked + "/old.txt", QFile::WriteOwner | QFile::ReadOwner));
        QVERIFY(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner));
        answerSaveDialog(locked + "/old.txt");
        catchWarning();
        window.saveFile();
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(readFile(locked + "/old.txt"), QStringLiteral("new data"));
        QVERIFY(!window.ui.openBtn->isHidden());
        return;
    }
    if (::geteuid() != 0 || QStandardPaths::findExecutable("setpriv").isEmpty())
        QSKIP("needs root and setpriv (util-linux) to run this test as nobody");
    QFETCH(QString, group);
    QFETCH(int, mode);
    QFETCH(QString, session);
    PtyPair pty;
    const QByteArray node = QFile::encodeName(pty.slavePath);
    const struct group *entry = ::getgrnam(group.toLocal8Bit().constData());
    QVERIFY(::chown(node.constData(), 0, entry ? entry->gr_gid : group.toUInt()) == 0);
    QVERIFY(::chmod(node.constData(), mode) == 0);
    // A lock file whose process has ended, in the sticky folder nobody may not remove it from.
    QFile lockFile(QStringLiteral("/var/lock/LCK..") + pty.slavePath.mid(5).replace('/', '_'));
    const auto unlocking = qScopeGuard([&lockFile] { lockFile.remove(); });
    if (detail.isEmpty()) {
        const pid_t ended = ::fork();
        if (ended == 0)
            ::_exit(0);
        ::waitpid(ended, nullptr, 0);
        QVERIFY(lockFile.open(QIODevice::WriteOnly) && lockFile.write(QByteArray::number(ended) + "\n") > 0);
        lockFile.close();
    }
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DATALOGGER_TEST_LOCKED_PORT", pty.slavePath);
    child.setProcessEnvironment(environment);
    child.setWorkingDirectory(QDir::tempPath());
    const QString row = QStringLiteral("noPermission:") + QTest::currentDataTag();
    child.start("setpriv", {"--reuid=nobody", "--regid=" + session, "--clear-groups",
                            QCoreApplication::applicationFilePath(), row});
    QVERIFY(child.waitForFinished(60000));
    const QByteArray output = child.readAllStandardOutput() + child.readAllStandardError();
    QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0, output.constData());
    QVERIFY2(
        output.contains(QByteArray("PASS   : TestMainWindow::noPermission(") + QTest::currentDataTag() + ')'),
        output.constData());
}

void TestMainWindow::awkwardData_data()
{
    QTest::addColumn<TesterSimulator::Noise>("noise");
    QTest::addColumn<qint64>("size");
    QTest::addColumn<QByteArray>("file"); // sent instead of the results when not empty

    QTest::newRow("binary bursts over the text")
        << TesterSimulator::Noise::Mixed << qint64(300000) << QByteArray();
    QTest::newRow("10 MB of binary") << TesterSimulator::Noise::Only << qint64(10000000) << QByteArray();
    QTest::newRow("NUL and 0xFF only") << TesterSimulator::Noise::None << qint64(-1)
                                       << QByteArray(100000, '\0') + QByteArray(100000, '\xff');
    QTest::newRow("lines of 64 KiB and one more")
        << TesterSimulator::Noise::None << qint64(-1)
        << QByteArray(65536, 'a') + "\r\n" + QByteArray(65537, 'b') + "\n";
    QTest::newRow("12 MB without a line break")
        << TesterSimulator::Noise::None << qint64(-1) << QByteArray(12000000, 'x');
    QTest::newRow("100 MB of results") << TesterSimulator::Noise::None << qint64(100000000) << QByteArray();
}

// What the output shows of data: no NUL bytes or carriage returns, and lines
// of more than 64 KiB in pieces of 64 KiB.
static QString displayed(const QByteArray &data)
{
    QStringList lines;
    const QString text = QString::fromLatin1(data).remove(QChar(0)).remove(QLatin1Char('\r'));
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        for (qsizetype at = 0; at == 0 || at < line.size(); at += 65536)
            lines << line.mid(at, 65536);
    }
    return lines.join(QLatin1Char('\n'));
}

// The window keeps answering while it takes data of any kind at full speed;
// the display drops only NUL and carriage returns; the file is what was sent.
void TestMainWindow::awkwardData()
{
    QFETCH(TesterSimulator::Noise, noise);
    QFETCH(qint64, size);
    QFETCH(QByteArray, file);
    TesterSimulator::Options options;
    options.bitsPerSecond = 0;
    options.noise = noise;
    options.size = size;
    if (!file.isEmpty()) {
        options.filePath = folder->filePath("input.bin");
        QFile input(options.filePath);
        QVERIFY(input.open(QIODevice::WriteOnly) && input.write(file) == file.size());
    }
    TesterSimulatorThread testerThread(options);
    TesterSimulator *tester = testerThread.tester;
    QVERIFY(tester->isRunning());
    auto window = windowOnPort(tester->portPath());
    window->show();
    const QString path = folder->filePath("out.bin");
    answerSaveDialog(path);

    QElapsedTimer sinceTick;
    qint64 longestGap = 0;
    QTimer ticks;
    connect(&ticks, &QTimer::timeout, this, [&] {
        longestGap = qMax(longestGap, sinceTick.restart());
        // Up to the end of the transfer (the save dialog).
        if (qobject_cast<QFileDialog *>(QApplication::activeModalWidget()))
            ticks.stop();
    });
    ticks.start(10);
    sinceTick.start();
    QElapsedTimer clock;
    clock.start();
    window->ui.downloadBtn->click();
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(path), 240000);
    qInfo("%lld bytes in %lld ms, longest gap between 10 ms ticks %lld ms",
          qint64(window->downloadedData.size()), clock.elapsed(), longestGap);

    const QByteArray sent = tester->payload();
    QVERIFY(window->downloadedData == sent);
    QVERIFY(readFile(path).toLatin1() == sent);
    // The raw text: toPlainText() would turn no-break spaces into spaces.
    QVERIFY(window->ui.outputTextEdit->document()->toRawText().replace(QChar::ParagraphSeparator, '\n') ==
            displayed(sent));
#ifdef __SANITIZE_ADDRESS__
    // AddressSanitizer maps and poisons each large block afresh, and the text
    // field allocates megabytes for every 64 KiB line it lays out or draws.
    const qint64 gapLimit = 400;
#else
    const qint64 gapLimit = 250;
#endif
    QVERIFY2(longestGap < gapLimit, qPrintable(QString::number(longestGap)));
}

// Closing the window mid-transfer ends the download and stores the settings.
void TestMainWindow::closeDuringDownload()
{
    TesterSimulator tester;
    TesterSimulator::Options options;
    options.bitsPerSecond = 0;
    options.size = 5000000;
    auto window = windowOnTester(tester, options);
    QVERIFY(window);
    window->show();
    cancelSaveDialogs();
    window->ui.downloadBtn->click();
    QTRY_VERIFY_WITH_TIMEOUT(window->downloadedData.size() > 10000, 10000);
    TestSupport::whenShown<QMessageBox>([](QMessageBox *box) { box->button(QMessageBox::Discard)->click(); });
    QVERIFY(window->close());
    window.reset();
    QTest::qWait(200);
    QCOMPARE(saveDialogs, 0);
    QSettings settings;
    QVERIFY(settings.contains("MainWindow/Geometry"));
    QCOMPARE(settings.value("Device/PortName").toString(), tester.portPath().mid(5));
}

void TestMainWindow::unsavedResultsGuard_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("answer"); // "Save, cancelled": the save dialog is cancelled
    QTest::addColumn<bool>("goesOn");
    for (const char *action : {"Download", "close", "restart"}) {
        QTest::addRow("%s, Save", action) << action << "Save" << true;
        QTest::addRow("%s, Save, cancelled", action) << action << "Save, cancelled" << false;
        QTest::addRow("%s, Discard", action) << action << "Discard" << true;
        QTest::addRow("%s, Cancel", action) << action << "Cancel" << false;
    }
}

// Unsaved results are discarded only after a question, asked once.
void TestMainWindow::unsavedResultsGuard()
{
    QFETCH(QString, action);
    QFETCH(QString, answer);
    QFETCH(bool, goesOn);
    auto window = windowOnPort(makePorts(1).value(0));
    window->downloadedData = "unsaved";
    window->show();
    const QString path = folder->filePath("out.txt");
    int asked = 0;
    TestSupport::whenShown<QMessageBox>(
        [&](QMessageBox *box) {
            ++asked;
            QCOMPARE(box->windowTitle(), QStringLiteral("Korvane DataLogger"));
            if (answer == "Save")
                answerSaveDialog(path);
            else
                TestSupport::whenShown<QFileDialog>([](QFileDialog *dialog) { dialog->reject(); });
            box->button(answer.startsWith("Save") ? QMessageBox::Save
                        : answer == "Discard"     ? QMessageBox::Discard
                                                  : QMessageBox::Cancel)
                ->click();
        },
        [](QMessageBox *box) { return box->text() == "The downloaded results have not been saved."; });
    if (action == "Download") {
        window->ui.downloadBtn->click();
    } else if (action == "close") {
        window->ui.actionExit->trigger();
    } else {
        TestSupport::whenShown<DialogLanguage>([](DialogLanguage *dialog) { dialog->accept(); });
        TestSupport::whenShown<QMessageBox>(
            [](QMessageBox *box) { box->button(QMessageBox::Yes)->click(); },
            [](QMessageBox *box) { return box->text().contains("next time"); });
        window->ui.actionChangeLanguage->trigger();
        QCOMPARE(window->restartRequested, goesOn);
    }

    QCOMPARE(asked, 1);
    QCOMPARE(readFile(path), answer == "Save" ? QStringLiteral("unsaved") : QStringLiteral("<missing>"));
    QCOMPARE(action == "Download" ? window->device != nullptr : !window->isVisible(), goesOn);
    QCOMPARE(window->downloadedData.isEmpty(), action == "Download" && goesOn);
    // Open is there for saved results, until the next download starts.
    QCOMPARE(window->ui.openBtn->isHidden(), answer != "Save" || action == "Download");
    if (window->device)
        window->ui.cancelBtn->click();
}

void TestMainWindow::terminationKeepsResults_data()
{
    QTest::addColumn<bool>("asking");   // the question about the results is open
    QTest::addColumn<bool>("writable"); // the data folder
    QTest::newRow("idle") << false << true;
    QTest::newRow("asking") << true << true;
    QTest::newRow("data folder not writable") << false << false;
}

// Told to end, the program keeps unsaved results in the recovery file without
// asking, and closes a question open at the time; this runs itself as that program.
void TestMainWindow::terminationKeepsResults()
{
    QFETCH(bool, asking);
    QFETCH(bool, writable);
    if (qEnvironmentVariableIsSet("DATALOGGER_TEST_TERMINATED")) {
        if (!writable)
            qputenv("XDG_DATA_HOME", "/dev/null");
        TerminationHandler handler;
        endSessionOnRequest(handler);
        MainWindow window;
        window.downloadedData = "unsaved\r\n";
        window.downloadTime = QDateTime({2026, 12, 7}, {9, 14});
        window.show();
        const auto ready = [] {
            std::puts("ready");
            std::fflush(stdout);
        };
        if (asking) {
            TestSupport::whenShown<QMessageBox>([ready](QMessageBox *) { ready(); });
            QVERIFY(window.close());
        } else {
            ready();
            QTRY_VERIFY_WITH_TIMEOUT(!window.isVisible(), 30000);
        }
        if (!writable)
            return;
        const QString kept =
            qEnvironmentVariable("XDG_DATA_HOME") + "/THALDEN/THALDEN Datalogger/unsaved-results";
        QCOMPARE(readFile(kept), QStringLiteral("unsaved\r\n"));
        QCOMPARE(QFileInfo(kept).lastModified(), window.downloadTime);
        return;
    }
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DATALOGGER_TEST_TERMINATED", "1");
    child.setProcessEnvironment(environment);
    const QString row = QStringLiteral("terminationKeepsResults:") + QTest::currentDataTag();
    child.start(QCoreApplication::applicationFilePath(), {row});
    QByteArray output;
    QTRY_VERIFY_WITH_TIMEOUT((output += child.readAllStandardOutput()).contains("ready\n"), 30000);
    child.terminate();
    QVERIFY(child.waitForFinished(10000));
    output += child.readAllStandardOutput() + child.readAllStandardError();
    QVERIFY2(output.contains("PASS   : TestMainWindow::" + row.toLatin1().replace(':', '(') + ')'),
             output.constData());
    QCOMPARE(output.contains("the unsaved results could not be kept in /dev/null/"), !writable);
}

// Random downloads from a tester in its own thread: random sizes and rates,
// pauses shorter than a read period, hang-ups at random points; the window
// keeps and saves every byte sent before the end. DATALOGGER_SOAK_SEED
// repeats a run, DATALOGGER_SOAK_ROUNDS sets its length.
void TestMainWindow::soak()
{
    const quint32 seed = qEnvironmentVariableIsSet("DATALOGGER_SOAK_SEED")
                             ? qEnvironmentVariable("DATALOGGER_SOAK_SEED").toUInt()
                             : quint32(QDateTime::currentMSecsSinceEpoch());
    const int rounds = qEnvironmentVariableIsSet("DATALOGGER_SOAK_ROUNDS")
                           ? qEnvironmentVariableIntValue("DATALOGGER_SOAK_ROUNDS") / 5
                           : 30;
    QRandomGenerator random(seed);
    for (int round = 0; round < rounds; ++round) {
        const QByteArray where = QByteArray("DATALOGGER_SOAK_SEED=") + QByteArray::number(seed) + ", round " +
                                 QByteArray::number(round);
        TesterSimulator::Options options;
        // Full speed, or 200 KB/s for up to half a second.
        options.bitsPerSecond = random.bounded(3) == 0 ? 2000000 : 0;
        options.size = random.bounded(1, options.bitsPerSecond ? 100000 : 300000);
        options.noise = TesterSimulator::Noise(random.bounded(3));
        if (random.bounded(2) == 0) {
            options.pauseAt = random.bounded(options.size);
            options.pauseMs = random.bounded(25);
        }
        if (random.bounded(3) == 0)
            options.hangUpAt = random.bounded(1, options.size);
        TesterSimulatorThread testerThread(options);
        QVERIFY2(testerThread.tester->isRunning(), where);
        auto window = windowOnPort(testerThread.tester->portPath());
        const QString path = folder->filePath(QStringLiteral("soak%1.bin").arg(round));
        answerSaveDialog(path);
        // A hang-up is reported before the save dialog.
        if (options.hangUpAt >= 0)
            catchWarning();
        window->ui.downloadBtn->click();
        QVERIFY2(QTest::qWaitFor([&] { return QFile::exists(path); }, 30000), where);
        const QByteArray sent =
            testerThread.tester->payload().left(options.hangUpAt >= 0 ? options.hangUpAt : options.size);
        QVERIFY2(window->downloadedData == sent, where);
        QVERIFY2(readFile(path).toLatin1() == sent, where);
    }
}

DATALOGGER_TEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
