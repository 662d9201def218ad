#include "dialoglanguage.h"
#include "portlist.h"
#include "recoverystore.h"
#include "terminationhandler.h"
#include "windowtest.h"

#include <QDesktopServices>
#include <QProcess>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QUrl>
#include <QWindow>

#include <csignal>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>

// The main window without a tester: its first start and layout, ports, saving
// and conversion, About and Help, keys, unsaved results, and a port or file
// the user may not open (downloads through a simulated tester are in
// tst_mainwindowdownload).
class TestMainWindow : public WindowTest
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

    void firstStart();
    void extraSpaceGoesToGapsAndOutput();
    void portListFollowsPorts();
    void portListKeepsChoice_data();
    void portListKeepsChoice();
    void helpMenu_data();
    void helpMenu();
    void shortcuts_data();
    void shortcuts();

    void conversion_data();
    void conversion();
    void saveFails_data();
    void saveFails();
    void noPermission_data();
    void noPermission();
    void unsavedResultsGuard_data();
    void unsavedResultsGuard();
    void terminationKeepsResults_data();
    void terminationKeepsResults();
    void logOffKeepsResults();

private:
    QList<QUrl> openedUrls;
    QString documents; // the documents folder of this run
};

void TestMainWindow::initTestCase()
{
    QDesktopServices::setUrlHandler("file", this, "openUrl");
    documents = qEnvironmentVariable("XDG_CONFIG_HOME") + "/Documents";
    QVERIFY(QDir().mkpath(documents));
}

void TestMainWindow::cleanupTestCase()
{
    QDesktopServices::unsetUrlHandler("file");
}

void TestMainWindow::init()
{
    WindowTest::init();
    openedUrls.clear();
}

// At the first start: nothing to save or open, no busy indicator yet, the
// product's icon where the window's own holds no image, and dark text on the
// status bar's white in a dark theme too.
void TestMainWindow::firstStart()
{
    setApplicationWindowIcon();
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
    // A screen reader names the port list by what it is, not by its entry.
    QCOMPARE(window.ui.comPorts->accessibleName(), QStringLiteral("Port"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QImage shown = window.windowHandle()->icon().pixmap(64).toImage();
    QCOMPARE(shown.size(), QSize(64, 64));
    QCOMPARE(shown.convertToFormat(QImage::Format_ARGB32_Premultiplied),
             QImage(":/appicon/thalden-datalogger.png").convertToFormat(QImage::Format_ARGB32_Premultiplied));

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

void TestMainWindow::extraSpaceGoesToGapsAndOutput()
{
    auto window = windowOnPort(makePorts(1).value(0));
    // The window hides some buttons until they apply; the form itself shows them all.
    for (QPushButton *button : window->findChildren<QPushButton *>())
        button->show();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    const int topHeight = window->ui.groupBox->height();
    const int outputHeight = window->ui.outputTextEdit->height();

    window->resize(900, 700);
    QTRY_COMPARE(window->size(), QSize(900, 700));
    QCOMPARE(window->ui.groupBox->height(), topHeight);
    QVERIFY(window->ui.outputTextEdit->height() > outputHeight + 250);

    // The buttons keep their width and sit at the right ends of their rows.
    for (QPushButton *button : {window->ui.downloadBtn, window->ui.saveBtn}) {
        QVERIFY(button->width() >= 100 && button->width() < 200);
        QVERIFY(button->parentWidget()->width() - button->geometry().right() < 30);
    }
    QVERIFY(window->ui.comPorts->width() < 300);

    // So does the busy indicator of a download waiting for the tester.
    window->ui.downloadBtn->click();
    QTRY_VERIFY(window->progressBar->isVisible());
    const QRect busy = window->progressBar->geometry();
    QVERIFY2(busy.width() <= 100 && busy.height() <= 15,
             qPrintable(QStringLiteral("%1 x %2").arg(busy.width()).arg(busy.height())));
    window->ui.cancelBtn->click();
}

// A new window has the last one's geometry and port. The list keeps the
// user's choice through every refresh, and follows ports that come and go
// without Refresh Ports.
void TestMainWindow::portListFollowsPorts()
{
    const QStringList ports = makePorts(3);
    QCOMPARE(ports.size(), 3);
    const QString storedName = ports.at(2).mid(5); // pts/N
    const QString link = folder->filePath("tester");
    qputenv("DATALOGGER_EXTRA_PORTS", (ports.join(QLatin1Char(':')) + QLatin1Char(':') + link).toLocal8Bit());
    QRect geometry;
    {
        MainWindow first;
        QCOMPARE(first.ui.comPorts->currentIndex(), 0);
        first.show();
        QVERIFY(QTest::qWaitForWindowExposed(&first));
        first.setGeometry(40, 50, 600, 480);
        QTRY_COMPARE(first.size(), QSize(600, 480));
        geometry = first.geometry();
        first.ui.comPorts->setCurrentIndex(first.ui.comPorts->findData(ports.at(2)));
    }
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.geometry(), geometry);
    QCOMPARE(window.ui.comPorts->currentText(), storedName);
    QCOMPARE(window.ui.comPorts->currentData().toString(), ports.at(2));

    window.ui.comPorts->setCurrentIndex(window.ui.comPorts->findData(ports.at(0)));
    window.ui.actionRefreshPorts->trigger();
    QCOMPARE(window.ui.comPorts->currentData().toString(), ports.at(0));

    // A download holds the list as it is; once it has ended, the list follows the ports again.
    window.ui.downloadBtn->click();
    window.ui.cancelBtn->click();
    // A port made after the window, and taken away again.
    const int listed = window.ui.comPorts->count();
    PtyPair tester;
    QVERIFY(QFile::link(tester.slavePath, link));
    QTRY_VERIFY_WITH_TIMEOUT(window.ui.comPorts->findData(link) >= 0, 2000);
    QCOMPARE(window.ui.comPorts->count(), listed + 1);
    QVERIFY(QFile::remove(link));
    QTRY_VERIFY_WITH_TIMEOUT(window.ui.comPorts->findData(link) < 0, 2000);
    QCOMPARE(window.ui.comPorts->currentData().toString(), ports.at(0));
}

void TestMainWindow::portListKeepsChoice_data()
{
    // "A B>B": ports A and B are listed, and B is shown; "pick A": the user
    // picks A; "download": one starts on the port shown. C is the stored port;
    // "A=u": port A has the stable path u.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("stored"); // at the end
    QTest::newRow("chosen port leaves, the stored one is shown")
        << QStringList{"A B C>C", "pick A", "B C>C"} << "A";
    QTest::newRow("chosen port returns, it is chosen again")
        << QStringList{"A B C>C", "pick A", "B C>C", "C>C", "A B C>A"} << "A";
    QTest::newRow("another picked meanwhile stays")
        << QStringList{"A B C>C", "pick A", "B C>C", "pick B", "A B C>B"} << "B";
    QTest::newRow("a download on the one shown meanwhile")
        << QStringList{"A B C>C", "pick A", "B C>C", "download", "A B C>C"} << "C";
    QTest::newRow("stored port plugged in after the start") << QStringList{"A B>A", "A B C>C"} << "C";
    // Its old name still held by a program that has not noticed.
    QTest::newRow("chosen adapter back under another name")
        << QStringList{"A=u B C>C", "pick A", "B C>C", "B C D=u>D"} << "D";
}

// The port list keeps the user's choice while its port is away (unplugged,
// or the tester simulator restarted), and shows it again when it is back.
void TestMainWindow::portListKeepsChoice()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, stored);
    QComboBox list;
    auto *portList = new PortList(&list, "C");
    for (const QString &step : steps) {
        if (step == "download") {
            portList->choose();
        } else if (step.startsWith("pick ")) {
            list.setCurrentIndex(list.findText(step.mid(5)));
            emit list.activated(list.currentIndex());
        } else {
            const QStringList names = step.section('>', 0, 0).split(' ');
            QList<Kv::SerialPortInfo> ports(names.size());
            for (int i = 0; i < names.size(); ++i) {
                ports[i].portName = names.at(i).section('=', 0, 0);
                ports[i].stablePath = names.at(i).section('=', 1);
            }
            portList->show(ports);
            QCOMPARE(step + ": " + list.currentText(), step + ": " + step.section('>', 1));
        }
    }
    QCOMPARE(portList->chosenName(), stored);
}

void TestMainWindow::helpMenu_data()
{
    QTest::addColumn<QLocale::Language>("language");
    QTest::addColumn<QString>("page");    // none: About
    QTest::addColumn<QStringList>("box"); // with a page: no program opens it
    const QStringList none;
    QTest::newRow("About") << QLocale::English << QString()
                           << QStringList{"About Korvane DataLogger", "Korvane DataLogger\n\n 1.0.6\n"};
    QTest::newRow("Help, German") << QLocale::German << "ThaldenDataLoggerHelp_de.html" << none;
    QTest::newRow("Help, English") << QLocale::English << "ThaldenDataLoggerHelp_en.html" << none;
    QTest::newRow("Help, Dutch") << QLocale::Dutch << "ThaldenDataLoggerHelp_nl.html" << none;
    QTest::newRow("Help, no program to show it")
        << QLocale::English << "ThaldenDataLoggerHelp_en.html"
        << QStringList{"Korvane DataLogger",
                       "No program was found to open \"ThaldenDataLoggerHelp_en.html\"."};
}

void TestMainWindow::helpMenu()
{
    QFETCH(QLocale::Language, language);
    QFETCH(QString, page);
    QFETCH(QStringList, box);
    QLocale::setDefault(QLocale(language));
    // Without a handler the offscreen platform opens nothing, as a desktop without xdg-open.
    const bool viewer = page.isEmpty() || box.isEmpty();
    if (!viewer)
        QDesktopServices::unsetUrlHandler("file");
    const auto restoreHandler =
        qScopeGuard([this] { QDesktopServices::setUrlHandler("file", this, "openUrl"); });
    MainWindow window;
    QStringList shown;
    TestSupport::whenShown<QMessageBox>([&shown](QMessageBox *box) {
        shown << box->windowTitle() << box->text();
        box->accept();
    });
    (page.isEmpty() ? window.ui.actionAbout : window.ui.actionHelp)->trigger();
    QCOMPARE(shown, box);
    const QUrl help = QUrl::fromLocalFile(QCoreApplication::applicationDirPath() + "/Help/" + page);
    QCOMPARE(openedUrls, page.isEmpty() || !viewer ? QList<QUrl>() : QList<QUrl>{help});
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
    QVERIFY(!window->session);
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
    // Tools > Country Settings offers a stored answer in a German run; the
    // window writes nothing back.
    const bool offeredAtStart = stored.isValid() && language == QLocale::German;
    QCOMPARE(window.ui.menuCountrySettings->menuAction()->isVisible(), offeredAtStart);
    QCOMPARE(window.ui.actionConvertCsvData->isChecked(), offeredAtStart && stored.toBool());
    QCOMPARE(QSettings().value("ConvertData").isValid(), stored.isValid());
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

    // Saved again: the dialog starts at that file (with the suffix of the
    // filter it selects), and the same bytes are written.
    answerSaveDialog(path, filter);
    window.saveFile();
    const auto withoutSuffix = [](const QString &file) {
        return QFileInfo(file).dir().filePath(QFileInfo(file).baseName());
    };
    QCOMPARE(withoutSuffix(dialogStart), withoutSuffix(path));
    QCOMPARE(readFile(path), written);

    if (offered) {
        window.ui.actionConvertCsvData->trigger();
        QCOMPARE(QSettings().value("ConvertData").toBool(), !storedAfter.toBool());
    }
}

void TestMainWindow::saveFails_data()
{
    QTest::addColumn<QString>("target"); // in the test's folder; none: the dialog is cancelled
    QTest::addColumn<QString>("detail");
    QTest::newRow("into a folder that is gone") << "gone/out.txt"
                                                << "No such file or directory";
    QTest::newRow("dialog cancelled") << QString() << QString();
}

// A save that does not happen says why and changes nothing: the earlier file
// keeps its contents, and Open still opens it.
void TestMainWindow::saveFails()
{
    QFETCH(QString, target);
    QFETCH(QString, detail);
    const QString earlier = folder->filePath("earlier.txt");
    QFile old(earlier);
    QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old contents") == 12);
    old.close();
    QSettings().setValue("Device/LastSavedFilePath", earlier);
    MainWindow window;
    window.downloadedData = QByteArray(256 * 1024, 'x');
    window.savedFilePath = earlier;
    window.ui.openBtn->show();
    const QString path = target.isEmpty() ? QString() : folder->filePath(target);
    if (path.isEmpty())
        TestSupport::whenShown<QFileDialog>([](QFileDialog *dialog) { dialog->reject(); });
    else
        answerSaveDialog(path);
    catchWarning();

    window.saveFile();

    QCOMPARE(
        warningText,
        path.isEmpty()
            ? QString()
            : QStringLiteral("Error opening \"%1\" for writing. Is it open already or read only?").arg(path));
    QCOMPARE(warningDetail, detail);
    QCOMPARE(readFile(earlier), QStringLiteral("old contents"));
    QCOMPARE(QDir(folder->path()).entryList(QDir::Files), QStringList{"earlier.txt"});
    QCOMPARE(QSettings().value("Device/LastSavedFilePath").toString(), earlier);
    QCOMPARE(window.savedFilePath, earlier);
    QVERIFY(!window.ui.openBtn->isHidden());
    QVERIFY(window.statusBar()->currentMessage() != QStringLiteral("File successfully saved"));
}

void TestMainWindow::noPermission_data()
{
    QTest::addColumn<QString>("group"); // the port's, root being its owner
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("session"); // nobody's group in the run
    QTest::addColumn<QString>("detail");  // part of the box's informative text; none: the port opens
    QTest::newRow("not in the group") << "dialout" << 0660 << "nogroup"
                                      << "and your account nobody is not one. Add it with\n"
                                         "sudo usermod -aG dialout nobody\n";
    QTest::newRow("joined after logging in") << "nogroup" << 0660 << "dialout"
                                             << "nobody is one, but this session began before it joined";
    QTest::newRow("owner only") << "dialout" << 0600 << "nogroup"
                                << "(owner root, group dialout, mode crw-------)";
    QTest::newRow("group not in the database") << "4242" << 0660 << "nogroup"
                                               << "(owner root, group 4242, mode crw-rw----)";
    QTest::newRow("garbage lock file of root") << "root" << 0666 << "nogroup" << QString();
}

// Run as root, this runs itself as nobody: on a port nobody may not open,
// and past a lock file that root left behind.
void TestMainWindow::noPermission()
{
    QFETCH(QString, detail);
    const QByteArray port = qgetenv("DATALOGGER_TEST_LOCKED_PORT");
    if (!port.isEmpty()) {
        QVERIFY(::geteuid() != 0);
        qputenv("DATALOGGER_EXTRA_PORTS", port);
        MainWindow window;
        window.ui.comPorts->setCurrentIndex(window.ui.comPorts->findData(QString::fromLocal8Bit(port)));
        catchWarning();
        const QByteArray errors = serialFailuresOf([&] { window.ui.downloadBtn->click(); });
        if (detail.isEmpty()) {
            QVERIFY(window.session);
            window.ui.cancelBtn->click();
            return;
        }
        QCOMPARE(warningText,
                 QStringLiteral("Failed to connect. Please check the device is connected and switched on"));
        QVERIFY2(warningDetail.contains(detail), qPrintable(warningDetail));
        QCOMPARE(errors, QByteArray("Win32SerialDevice::open failed with error: 5"));
        checkState(window, false);

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
    // A lock file that names no program, in the sticky folder nobody may not remove it from.
    QFile lockFile(QStringLiteral("/var/lock/LCK..") + pty.slavePath.mid(5).replace('/', '_'));
    const auto unlocking = qScopeGuard([&lockFile] { lockFile.remove(); });
    if (detail.isEmpty()) {
        QVERIFY(lockFile.open(QIODevice::WriteOnly) && lockFile.write("minicom\n") > 0);
        lockFile.close();
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DATALOGGER_TEST_LOCKED_PORT", pty.slavePath);
    TestSupport::runAsNobody(nullptr, session, environment);
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
    // As at the end of its download; it goes with the results.
    window->kept.keep(window->downloadedData, QDateTime::currentDateTime());
    const QString kept = window->kept.path();
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
    QCOMPARE(readFile(kept), goesOn ? QStringLiteral("<missing>") : QStringLiteral("unsaved"));
    QCOMPARE(action == "Download" ? window->session != nullptr : !window->isVisible(), goesOn);
    QCOMPARE(window->downloadedData.isEmpty(), action == "Download" && goesOn);
    // Open is there for saved results, until the next download starts.
    QCOMPARE(window->ui.openBtn->isHidden(), answer != "Save" || action == "Download");
    if (window->session)
        window->ui.cancelBtn->click();
}

void TestMainWindow::terminationKeepsResults_data()
{
    QTest::addColumn<bool>("asking"); // the question about the results is open
    QTest::addColumn<int>("keptIn");  // 0 the data folder; else the fallback folder's number + 1
    QTest::newRow("idle") << false << 0;
    QTest::newRow("asking") << true << 0;
    QTest::newRow("data folder not writable") << false << 1;
    // Made by another user to read what goes in: passed over.
    QTest::newRow("another user's folder in the temporary folder") << false << 2;
}

// Told to end, the program keeps unsaved results in the recovery file without
// asking, and closes a question open at the time; this runs itself as that program.
void TestMainWindow::terminationKeepsResults()
{
    QFETCH(bool, asking);
    QFETCH(int, keptIn);
    const bool writable = keptIn == 0;
    if (qEnvironmentVariableIsSet("DATALOGGER_TEST_TERMINATED")) {
        if (!writable)
            qputenv("XDG_DATA_HOME", "/dev/null");
        const QByteArray temporary = QFile::encodeName(RecoveryStore::fallbackFolderPaths().constFirst());
        if (keptIn == 2)
            QVERIFY(::mkdir(temporary.constData(), 0700) == 0 &&
                    ::chown(temporary.constData(), 65534, 65534) == 0);
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
        // Where the data folder cannot be written, the next place that can.
        const QString folder =
            writable ? RecoveryStore::folderPath() : RecoveryStore::fallbackFolderPaths().at(keptIn - 1);
        const QString kept = folder + "/2026-12-07T09-14-00.csv";
        QCOMPARE(RecoveryStore::keptFiles(), QStringList{kept});
        QCOMPARE(readFile(kept), QStringLiteral("unsaved\r\n"));
        QCOMPARE(QFileInfo(kept).lastModified(), window.downloadTime);
        // The user's alone, and each folder made for it, from the data home down.
        struct stat made;
        QVERIFY(::stat(QFile::encodeName(kept).constData(), &made) == 0 && (made.st_mode & 07777) == 0600);
        if (!writable)
            return;
        const QString above = QFileInfo(qEnvironmentVariable("XDG_DATA_HOME")).path();
        for (QString folder = RecoveryStore::folderPath(); folder.size() > above.size();
             folder = QFileInfo(folder).path())
            QVERIFY2(::stat(QFile::encodeName(folder).constData(), &made) == 0 &&
                         (made.st_mode & 07777) == 0700,
                     qPrintable(folder));
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
    QCOMPARE(output.contains("the unsaved results were kept in "), !writable);
}

// A log-off through the session manager (and on Windows) comes as a request
// to commit data, after which the process may end without closing its
// windows: the results are kept at once, each window's in a file of its own
// (closing does not keep them again), and nothing asks.
void TestMainWindow::logOffKeepsResults()
{
    TerminationHandler handler;
    endSessionOnRequest(handler);
    MainWindow first;
    MainWindow second;
    first.downloadedData = "first\r\n";
    second.downloadedData = "second\r\n";
    first.show();
    second.show();
    int asked = 0;
    TestSupport::whenShown<QMessageBox>([&asked](QMessageBox *box) {
        ++asked;
        box->reject();
    });
    const QMetaObject &application = QGuiApplication::staticMetaObject;
    const int request = application.indexOfSignal("commitDataRequest(QSessionManager&)");
    QVERIFY(request >= 0);
    // As the platform sends it; the program does not look at the manager.
    void *arguments[] = {nullptr, nullptr};
    QMetaObject::activate(qApp, &application, request - application.methodOffset(), arguments);
    const auto removeKept = qScopeGuard([] { QDir(RecoveryStore::folderPath()).removeRecursively(); });
    const QStringList kept = RecoveryStore::keptFiles();
    QCOMPARE(kept.size(), 2);
    QCOMPARE(QSet<QString>({readFile(kept.at(0)), readFile(kept.at(1))}),
             QSet<QString>({"first\r\n", "second\r\n"}));
    QVERIFY(first.close() && second.close());
    QCOMPARE(RecoveryStore::keptFiles(), kept);
    QCOMPARE(asked, 0);
}

DATALOGGER_TEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
