#include "appconstants.h"
#include "dialoglanguage.h"
#include "mainwindow.h"
#include "recoverystore.h"
#include "settingsstore.h"
#include "testsupport.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>

// Start-up, the language choice and the window cycles, in this process
// (runWindowCycles) and as the real program in a process of its own.
class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void noTranslationIsReportedAndExitsWithOne();
    void cancelledChoiceEndsQuietly();
    void firstRunChoiceShowsWindowInThatLanguage();
    void storedChoiceLoadsWithoutDialog();
    void restartBuildsNewWindowInNewLanguage();
    void answeringNoKeepsWindowAndLanguage();
    void resultsKeptByAnEarlierRun_data();
    void resultsKeptByAnEarlierRun();

    void programWithoutTranslations();
    void programFromOtherWorkingDirectoryFindsStoredLanguage();
    void programFirstRunFromOtherWorkingDirectoryAsksForLanguage();
    void programSurvivesBadSettings_data();
    void programSurvivesBadSettings();
    void unloadableChoiceIsNamed();
    void unwritableSettingsAreReported();

private:
    void runProgram(const QString &executable, int expectedExitCode, QString *errors);

    std::unique_ptr<QTemporaryDir> workDir;
    QString previousDir;
};

static QString menuTitle(MainWindow *window, const char *menu)
{
    return window->findChild<QMenu *>(QString::fromLatin1(menu))->title();
}

static void selectLanguage(DialogLanguage *dialog, const QString &code)
{
    auto *combo = dialog->findChild<QComboBox *>("languageCombo");
    combo->setCurrentIndex(combo->findData(code, Qt::UserRole + 1));
}

static QPushButton *dialogButton(QWidget *dialog, QDialogButtonBox::StandardButton which)
{
    return dialog->findChild<QDialogButtonBox *>()->button(which);
}

void TestStartup::init()
{
    QSettings().clear();
    workDir = std::make_unique<QTemporaryDir>();
    previousDir = QDir::currentPath();
    QDir::setCurrent(workDir->path());
    TestSupport::armWatchdog();
}

void TestStartup::cleanup()
{
    TestSupport::stopWatching();
    QDir::setCurrent(previousDir);
    QLocale::setDefault(QLocale::c());
}

void TestStartup::noTranslationIsReportedAndExitsWithOne()
{
    QString message;
    TestSupport::whenShown<QMessageBox>([&message](QMessageBox *box) {
        message = box->text();
        box->accept();
    });
    QCOMPARE(runWindowCycles(), 1);
    QVERIFY2(message.contains(QLatin1String("no translation could be loaded")), qPrintable(message));
    QVERIFY2(message.contains(workDir->filePath("Translations")), qPrintable(message));
    QVERIFY2(message.contains(QCoreApplication::applicationDirPath() + "/Translations"), qPrintable(message));
}

void TestStartup::cancelledChoiceEndsQuietly()
{
    TestSupport::copyTranslations(workDir->path(), {"de", "en"});
    bool dialogShown = false;
    TestSupport::whenShown<DialogLanguage>([&dialogShown](DialogLanguage *dialog) {
        dialogShown = true;
        dialogButton(dialog, QDialogButtonBox::Cancel)->click();
    });
    QCOMPARE(runWindowCycles(), 0);
    QVERIFY(dialogShown);
    QVERIFY(QSettings().allKeys().isEmpty());
}

void TestStartup::firstRunChoiceShowsWindowInThatLanguage()
{
    TestSupport::copyTranslations(workDir->path(), {"de", "en"});
    TestSupport::whenShown<DialogLanguage>([](DialogLanguage *dialog) {
        // No translation is installed yet, so the dialog speaks English.
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Please choose a language"));
        selectLanguage(dialog, "de");
        dialogButton(dialog, QDialogButtonBox::Ok)->click();
    });
    QStringList seen;
    TestSupport::whenShown<MainWindow>([&seen](MainWindow *window) {
        seen << window->windowTitle() << menuTitle(window, "menuFile") << menuTitle(window, "menuHelp");
        seen << QLocale().name();
        // Qt's own texts come from the copied qt_de.qm catalogue and its qtbase_de.qm.
        QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        seen << buttons.button(QDialogButtonBox::Ok)->text()
             << buttons.button(QDialogButtonBox::Cancel)->text();
        window->close();
    });
    QCOMPARE(runWindowCycles(), 0);
    QCOMPARE(seen, QStringList({"Korvane DataLogger", "Datei", "Hilfe", "de_DE", "OK", "Abbrechen"}));

    QSettings settings;
    QCOMPARE(settings.value("KvGui/DialogLanguage/FilePath").toString(),
             QStringLiteral("Translations/ThaldenDataLogger_de.qm"));
    QCOMPARE(settings.value("KvGui/DialogLanguage/Iso639Code").toString(), QStringLiteral("de"));
}

void TestStartup::storedChoiceLoadsWithoutDialog()
{
    TestSupport::copyTranslations(workDir->path(), {"de", "en"});
    TestSupport::storeLanguage("Translations/ThaldenDataLogger_en.qm", "en");
    bool dialogShown = false;
    TestSupport::whenShown<DialogLanguage>([&dialogShown](DialogLanguage *dialog) {
        dialogShown = true;
        dialog->reject();
    });
    QString fileMenu;
    TestSupport::whenShown<MainWindow>([&fileMenu](MainWindow *window) {
        fileMenu = menuTitle(window, "menuFile");
        window->close();
    });
    QCOMPARE(runWindowCycles(), 0);
    QVERIFY(!dialogShown);
    QCOMPARE(fileMenu, QStringLiteral("File"));
    QCOMPARE(QLocale().language(), QLocale::English);
}

void TestStartup::restartBuildsNewWindowInNewLanguage()
{
    TestSupport::copyTranslations(workDir->path(), {"de", "en"});
    TestSupport::storeLanguage("Translations/ThaldenDataLogger_de.qm", "de");

    QStringList steps;
    TestSupport::whenShown<MainWindow>([&steps](MainWindow *first) {
        steps << menuTitle(first, "menuFile");
        TestSupport::whenShown<DialogLanguage>([&steps](DialogLanguage *dialog) {
            // Shown from a German window: the language in use is preselected, Qt's buttons are German.
            steps << dialog->selectedIso639Code() << dialogButton(dialog, QDialogButtonBox::Cancel)->text();
            selectLanguage(dialog, "en");
            dialogButton(dialog, QDialogButtonBox::Ok)->click();
        });
        TestSupport::whenShown<QMessageBox>([&steps](QMessageBox *question) {
            steps << question->text();
            TestSupport::whenShown<MainWindow>([&steps](MainWindow *second) {
                steps << menuTitle(second, "menuFile") << QLocale().name()
                      << QCoreApplication::translate("QPlatformTheme", "Cancel");
                second->close();
            });
            question->button(QMessageBox::Yes)->click();
        });
        first->findChild<QAction *>("actionChangeLanguage")->trigger();
    });

    QCOMPARE(runWindowCycles(), 0);
    QCOMPARE(steps, QStringList({"Datei", "de", "Abbrechen",
                                 "Die Sprache wird beim nächsten Start von Korvane DataLogger geändert.",
                                 "File", "en_US", "Cancel"}));
    QCOMPARE(QSettings().value("KvGui/DialogLanguage/Iso639Code").toString(), QStringLiteral("en"));
}

void TestStartup::answeringNoKeepsWindowAndLanguage()
{
    TestSupport::copyTranslations(workDir->path(), {"de", "en"});
    TestSupport::storeLanguage("Translations/ThaldenDataLogger_de.qm", "de");

    int windowsShown = 0;
    bool stillOpen = false;
    TestSupport::whenShown<MainWindow>([&](MainWindow *window) {
        ++windowsShown;
        TestSupport::whenShown<DialogLanguage>([](DialogLanguage *dialog) {
            selectLanguage(dialog, "en");
            dialog->accept();
        });
        TestSupport::whenShown<QMessageBox>(
            [](QMessageBox *question) { question->button(QMessageBox::No)->click(); });
        window->findChild<QAction *>("actionChangeLanguage")->trigger();
        stillOpen = window->isVisible() && !window->restartRequested;
        // The new choice waits for the next start; this window stays German.
        QCOMPARE(menuTitle(window, "menuFile"), QStringLiteral("Datei"));
        window->close();
    });
    QCOMPARE(runWindowCycles(), 0);
    QCOMPARE(windowsShown, 1);
    QVERIFY(stillOpen);
    QCOMPARE(QSettings().value("KvGui/DialogLanguage/Iso639Code").toString(), QStringLiteral("en"));
}

void TestStartup::resultsKeptByAnEarlierRun_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<bool>("kept"); // for the next start
    QTest::newRow("Save") << "Save" << true << false;
    QTest::newRow("Save, cancelled") << "Save, cancelled" << false << true;
    QTest::newRow("Discard") << "Discard" << false << false;
    QTest::newRow("Cancel") << "Cancel" << false << true;
}

// Results kept when an earlier run was told to end are offered for saving
// before the first window.
void TestStartup::resultsKeptByAnEarlierRun()
{
    QFETCH(QString, answer);
    QFETCH(bool, saved);
    QFETCH(bool, kept);
    TestSupport::copyTranslations(workDir->path(), {"de", "en"});
    TestSupport::storeLanguage("Translations/ThaldenDataLogger_en.qm", "en");
    QVERIFY(RecoveryStore::write("1.5,2\r\n", QDateTime({2026, 12, 7}, {9, 14})));
    const QString path = workDir->filePath("out.csv");
    QStringList steps;
    TestSupport::whenShown<QMessageBox>([&](QMessageBox *box) {
        steps << box->text();
        TestSupport::whenShown<QFileDialog>([&](QFileDialog *dialog) {
            auto *name = dialog->findChild<QLineEdit *>("fileNameEdit");
            steps << name->text();
            name->setText(path);
            if (answer == "Save")
                QMetaObject::invokeMethod(dialog, "accept");
            else
                dialog->reject();
        });
        box->button(answer.startsWith("Save") ? QMessageBox::Save
                    : answer == "Discard"     ? QMessageBox::Discard
                                              : QMessageBox::Cancel)
            ->click();
    });
    TestSupport::whenShown<MainWindow>([&steps](MainWindow *window) {
        steps << "window";
        window->close();
    });
    QCOMPARE(runWindowCycles(), 0);

    QStringList expected{"Results of an earlier download were not saved. Save them now?"};
    if (answer.startsWith("Save"))
        expected << "results-2026-12-07-0914.csv";
    QCOMPARE(steps, expected << "window");
    QCOMPARE(QFile::exists(path), saved);
    QCOMPARE(QFile::exists(RecoveryStore::filePath()), kept);
    QFile::remove(RecoveryStore::filePath());
}

// Runs the program with this test's working folder and a settings store of its
// own, asks it to end (SIGTERM closes its windows like Exit does) once it
// handles signals, and returns what it wrote to standard error.
void TestStartup::runProgram(const QString &executable, int expectedExitCode, QString *errors)
{
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", workDir->filePath("config"));
    environment.insert("XDG_DATA_HOME", workDir->filePath("data"));
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(workDir->path());
    program.start(executable, {});
    QVERIFY(program.waitForStarted(30000));

    // SigCgt lists the caught signals; SIGTERM is bit 14.
    const QString status = QStringLiteral("/proc/%1/status").arg(program.processId());
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
            QFile file(status);
            if (!file.open(QIODevice::ReadOnly))
                return false;
            for (const QByteArray &line : file.readAll().split('\n')) {
                if (line.startsWith("SigCgt:"))
                    return (line.mid(7).trimmed().toULongLong(nullptr, 16) & (1ull << 14)) != 0;
            }
            return false;
        }(),
        30000);
    program.terminate();
    if (!program.waitForFinished(30000))
        program.kill();
    *errors = QString::fromLocal8Bit(program.readAllStandardError());
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), expectedExitCode);
}

static QSettings programSettings(const QString &workDir)
{
    return QSettings(workDir + "/config/THALDEN/THALDEN Datalogger.conf", QSettings::IniFormat);
}

static void storeProgramLanguage(const QString &workDir, const QString &filePath, const QString &code)
{
    QSettings settings(workDir + "/config/THALDEN/THALDEN Datalogger.conf", QSettings::IniFormat);
    settings.setValue("KvGui/DialogLanguage/FilePath", filePath);
    settings.setValue("KvGui/DialogLanguage/Iso639Code", code);
}

void TestStartup::programWithoutTranslations()
{
    // A copy of the program with no Translations folder beside it.
    QDir(workDir->path()).mkdir("bin");
    const QString copy = workDir->filePath("bin/thalden-datalogger");
    QVERIFY(QFile::copy(QStringLiteral(DATALOGGER_EXECUTABLE), copy));

    QString errors;
    runProgram(copy, 1, &errors);
    if (QTest::currentTestFailed())
        return;
    QVERIFY2(errors.contains("no translation could be loaded"), qPrintable(errors));
    QVERIFY2(errors.contains(workDir->filePath("Translations")), qPrintable(errors));
    QVERIFY2(errors.contains(workDir->filePath("bin/Translations")), qPrintable(errors));
}

void TestStartup::programFromOtherWorkingDirectoryFindsStoredLanguage()
{
    // As stored by a run from the build folder; this run starts elsewhere, as from a desktop menu.
    storeProgramLanguage(workDir->path(), "Translations/ThaldenDataLogger_de.qm", "de");
    QString errors;
    runProgram(QStringLiteral(DATALOGGER_EXECUTABLE), 0, &errors);
    if (QTest::currentTestFailed())
        return;
    QVERIFY2(!errors.contains("no translation"), qPrintable(errors));

    // Only a main window stores its geometry when it closes.
    QVERIFY(programSettings(workDir->path()).contains("MainWindow/Geometry"));
}

void TestStartup::programFirstRunFromOtherWorkingDirectoryAsksForLanguage()
{
    // The language dialog is showing when the program is asked to end: that
    // cancels it, which ends the program with 0 (a missing translation gives 1).
    QString errors;
    runProgram(QStringLiteral(DATALOGGER_EXECUTABLE), 0, &errors);
    if (QTest::currentTestFailed())
        return;
    QVERIFY2(!errors.contains("no translation"), qPrintable(errors));
    QSettings settings = programSettings(workDir->path());
    QVERIFY(!settings.contains("MainWindow/Geometry"));
    QVERIFY(!settings.contains("KvGui/DialogLanguage/FilePath"));
}

void TestStartup::programSurvivesBadSettings_data()
{
    QTest::addColumn<QByteArray>("contents"); // of the settings file; empty: a folder in its place

    const QByteArray language = "[KvGui]\nDialogLanguage\\FilePath=Translations/ThaldenDataLogger_de.qm\n"
                                "DialogLanguage\\Iso639Code=de\n";
    QTest::newRow("binary garbage") << QByteArray("\x00\xff[Gen\x01\x02=\xfe\n\\\\\\=@ByteArray(\n\x80", 27);
    QTest::newRow("folder in place of the file") << QByteArray();
    QTest::newRow("garbage geometry and state")
        << language + "[MainWindow]\nGeometry=@ByteArray(\\x1\\xd9\\xd0\\xcb\\0\\x3\\0\\0\\xff\\xff)\n"
                      "State=@ByteArray(\\0\\0\\0\\xff\\0\\0\\xfd\\0\\0\\0\\x1)\n";
    QTest::newRow("translation that is not a .qm file")
        << QByteArray("[KvGui]\nDialogLanguage\\FilePath=" DATALOGGER_SOURCE_DIR "/README.md\n"
                      "DialogLanguage\\Iso639Code=de\n");
}

// Whatever the settings store holds, the program starts and ends normally.
void TestStartup::programSurvivesBadSettings()
{
    QFETCH(QByteArray, contents);
    const QString path = workDir->filePath("config/THALDEN/THALDEN Datalogger.conf");
    QVERIFY(QDir().mkpath(contents.isEmpty() ? path : QFileInfo(path).path()));
    if (!contents.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size());
    }
    QString errors;
    runProgram(QStringLiteral(DATALOGGER_EXECUTABLE), 0, &errors);
    QVERIFY2(!errors.contains("no translation"), qPrintable(errors));
    // The window was built over the garbage and stored a sound geometry at its close.
    if (contents.contains("[MainWindow]"))
        QVERIFY(QWidget().restoreGeometry(
            programSettings(workDir->path()).value("MainWindow/Geometry").toByteArray()));
}

void TestStartup::unloadableChoiceIsNamed()
{
    TestSupport::copyTranslations(workDir->path(), {"de", "en"});
    QVERIFY(QFile::resize(workDir->filePath("Translations/ThaldenDataLogger_en.qm"), 0));
    TestSupport::whenShown<DialogLanguage>([](DialogLanguage *dialog) {
        selectLanguage(dialog, "en");
        dialogButton(dialog, QDialogButtonBox::Ok)->click();
    });
    QStringList seen;
    TestSupport::whenShown<QMessageBox>([&seen](QMessageBox *box) {
        seen << box->windowTitle() << QString::number(box->icon()) << box->text();
        box->accept();
    });
    QCOMPARE(runWindowCycles(), 1);
    QCOMPARE(seen.mid(0, 2), QStringList({"Korvane DataLogger", QString::number(QMessageBox::Warning)}));
    QVERIFY2(seen.value(2).contains(workDir->filePath("Translations/ThaldenDataLogger_en.qm") +
                                    "\" is there but holds no valid translation"),
             qPrintable(seen.value(2)));
}

// Run as root, whom no permission stops, this runs itself as nobody.
void TestStartup::unwritableSettingsAreReported()
{
    TestSupport::copyTranslations(workDir->path(), {"en"});
    TestSupport::storeLanguage("Translations/ThaldenDataLogger_en.qm", "en");
    QVERIFY(QFile::setPermissions(QSettings().fileName(), QFile::ReadOwner));
    if (SettingsStore::isWritable()) {
        QProcess child;
        child.setWorkingDirectory(QDir::tempPath());
        child.start("setpriv", {"--reuid=nobody", "--regid=nogroup", "--clear-groups",
                                QCoreApplication::applicationFilePath(), QTest::currentTestFunction()});
        QVERIFY(child.waitForFinished(60000));
        const QByteArray output = child.readAllStandardOutput() + child.readAllStandardError();
        QVERIFY2(child.exitCode() == 0 &&
                     output.contains("PASS   : TestStartup::unwritableSettingsAreReported()"),
                 output.constData());
        // Said again on standard error at the end, with no box then.
        QVERIFY2(output.count("Your settings cannot be stored in") == 1, output.constData());
        return;
    }
    QStringList seen;
    TestSupport::whenShown<QMessageBox>([&seen](QMessageBox *box) {
        seen << box->windowTitle() << box->text();
        QWidget *window = box->parentWidget();
        box->accept();
        QMetaObject::invokeMethod(window, &QWidget::close, Qt::QueuedConnection);
    });
    QCOMPARE(runWindowCycles(), 0);
    QCOMPARE(seen, QStringList({"Korvane DataLogger", SettingsStore::warningText()}));
    QVERIFY(seen.value(1).contains(QSettings().fileName()));
}

DATALOGGER_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
