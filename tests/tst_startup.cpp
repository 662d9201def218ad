#include "capturefolder.h"
#include "capturehold.h"
#include "capturewriter.h"
#include "dialoglanguage.h"
#include "interruptedcaptures.h"
#include "keptresults.h"
#include "mainwindow.h"
#include "privatefiles.h"
#include "recoverystore.h"
#include "settingsstore.h"
#include "terminationhandler.h"
#include "testersimulator.h"
#include "testsupport.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>

#include <csignal>
#include <cstdio>
#include <list>

#include <unistd.h>

// Start-up, the language choice and the window cycles, in this process
// (runWindowCycles) and as the real program in a process of its own.
class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void translationNotLoaded_data();
    void translationNotLoaded();
    void firstRunChoiceShowsWindowInThatLanguage();
    void changeLanguage_data();
    void changeLanguage();
    void resultsKeptByAnEarlierRun_data();
    void resultsKeptByAnEarlierRun();
    void endedMidDownload_data();
    void endedMidDownload();

    void program_data();
    void program();
    void unwritableSettingsAreReported();

private:
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

void TestStartup::translationNotLoaded_data()
{
    QTest::addColumn<QString>("chosen");   // the language chosen; none: no translation there at all
    QTest::addColumn<QStringList>("said"); // %1 the working folder, %2 the program's
    QTest::newRow("none there") << QString()
                                << QStringList{"no translation could be loaded", "%1/Translations",
                                               "%2/Translations"};
    QTest::newRow("the chosen one holds nothing")
        << "en"
        << QStringList{"%1/Translations/ThaldenDataLogger_en.qm\" is there but holds no valid translation"};
}

// A translation that cannot be loaded is named, and the program ends with 1.
void TestStartup::translationNotLoaded()
{
    QFETCH(QString, chosen);
    QFETCH(QStringList, said);
    if (!chosen.isEmpty()) {
        TestSupport::copyTranslations(workDir->path(), {"de", chosen});
        QVERIFY(QFile::resize(workDir->filePath("Translations/ThaldenDataLogger_" + chosen + ".qm"), 0));
        TestSupport::whenShown<DialogLanguage>([chosen](DialogLanguage *dialog) {
            selectLanguage(dialog, chosen);
            dialogButton(dialog, QDialogButtonBox::Ok)->click();
        });
    }
    QStringList seen;
    TestSupport::whenShown<QMessageBox>([&seen](QMessageBox *box) {
        seen << box->windowTitle() << QString::number(box->icon()) << box->text();
        box->accept();
    });
    QCOMPARE(runWindowCycles(), 1);
    QCOMPARE(seen.mid(0, 2), QStringList({"Korvane DataLogger", QString::number(QMessageBox::Warning)}));
    for (QString part : said) {
        part.replace("%1", workDir->path()).replace("%2", QCoreApplication::applicationDirPath());
        QVERIFY2(seen.value(2).contains(part), qPrintable(seen.value(2)));
    }
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
        window->close();
    });
    QCOMPARE(runWindowCycles(), 0);
    QCOMPARE(seen, QStringList({"Korvane DataLogger", "Datei", "Hilfe", "de_DE"}));

    QSettings settings;
    QCOMPARE(settings.value("KvGui/DialogLanguage/FilePath").toString(),
             QStringLiteral("Translations/ThaldenDataLogger_de.qm"));
    QCOMPARE(settings.value("KvGui/DialogLanguage/Iso639Code").toString(), QStringLiteral("de"));
}

void TestStartup::changeLanguage_data()
{
    QTest::addColumn<bool>("restart");
    QTest::addColumn<QStringList>("seen");
    const QStringList asked{"Datei", "de", "Abbrechen",
                            "Die Sprache wird beim nächsten Start von Korvane DataLogger geändert."};
    QTest::newRow("restart now") << true << asked + QStringList{"File", "en_US", "Cancel"};
    QTest::newRow("at the next start") << false << asked + QStringList{"Datei", "still open"};
}

// Tools > Change Language in a German window stores the choice; Yes builds a
// new window in it, No keeps this one as it is.
void TestStartup::changeLanguage()
{
    QFETCH(bool, restart);
    QFETCH(QStringList, seen);
    TestSupport::copyTranslations(workDir->path(), {"de", "en"});
    TestSupport::storeLanguage("Translations/ThaldenDataLogger_de.qm", "de");

    QStringList steps;
    TestSupport::whenShown<MainWindow>([&steps, restart](MainWindow *first) {
        steps << menuTitle(first, "menuFile");
        TestSupport::whenShown<DialogLanguage>([&steps](DialogLanguage *dialog) {
            // The language in use is preselected; Qt's own texts come from
            // the copied qtbase_de.qm catalogue.
            steps << dialog->selectedIso639Code() << dialogButton(dialog, QDialogButtonBox::Cancel)->text();
            selectLanguage(dialog, "en");
            dialogButton(dialog, QDialogButtonBox::Ok)->click();
        });
        TestSupport::whenShown<QMessageBox>([&steps, restart, first](QMessageBox *question) {
            // Over the window, not wherever the window manager puts a box without a parent.
            steps << (question->parentWidget() == first ? question->text() : "not over the window");
            if (restart) {
                TestSupport::whenShown<MainWindow>([&steps](MainWindow *second) {
                    steps << menuTitle(second, "menuFile") << QLocale().name()
                          << QCoreApplication::translate("QPlatformTheme", "Cancel");
                    second->close();
                });
            }
            question->button(restart ? QMessageBox::Yes : QMessageBox::No)->click();
        });
        first->findChild<QAction *>("actionChangeLanguage")->trigger();
        if (!restart) {
            steps << menuTitle(first, "menuFile");
            if (first->isVisible() && !first->restartRequested)
                steps << "still open";
            first->close();
        }
    });

    QCOMPARE(runWindowCycles(), 0);
    QCOMPARE(steps, seen);
    QCOMPARE(QSettings().value("KvGui/DialogLanguage/Iso639Code").toString(), QStringLiteral("en"));
}

void TestStartup::resultsKeptByAnEarlierRun_data()
{
    // Downloads' times in the order kept; 08:30 by an earlier version; c: an interrupted download's
    // capture, h: one still being written.
    QTest::addColumn<QStringList>("kept");
    QTest::addColumn<QStringList>("answers"); // "Save, cancelled": the save dialog is cancelled
    QTest::addColumn<QStringList>("steps");   // the questions, and the name the save dialog offers
    QTest::addColumn<int>("left");            // kept for the next start
    const QString asked = "The results downloaded on 12/7/26 %1 AM (7 bytes) were not saved. Save them now?";
    const QString more = "\n1 more unsaved download will follow.";
    const QStringList one{"09:14"};
    const QString asked914 = asked.arg("9:14");
    const QString offered = "results-2026-12-07-0914.csv";
    QTest::newRow("Save") << one << QStringList{"Save"} << QStringList{asked914, offered} << 0;
    QTest::newRow("Save, cancelled") << one << QStringList{"Save, cancelled"}
                                     << QStringList{asked914, offered} << 1;
    QTest::newRow("Discard") << one << QStringList{"Discard"} << QStringList{asked914} << 0;
    QTest::newRow("Cancel") << one << QStringList{"Cancel"} << QStringList{asked914} << 1;
    QTest::newRow("two, the older first") << QStringList{"09:20", "09:14"} << QStringList{"Save", "Discard"}
                                          << QStringList{asked914 + more, offered, asked.arg("9:20")} << 0;
    QTest::newRow("two the same second, Cancel keeps both")
        << QStringList{"09:14", "09:14"} << QStringList{"Cancel"} << QStringList{asked914 + more} << 2;
    // Kept where the data folder could not be written; a huge (sparse) file
    // is offered without being read.
    const QString place = "\nThey were kept in " + RecoveryStore::fallbackFolderPaths().constFirst() +
                          ", as the program's data folder could not be written.";
    QTest::newRow("kept in the temporary folder, Save")
        << QStringList{"09:14 elsewhere"} << QStringList{"Save"} << QStringList{asked914 + place, offered}
        << 0;
    QTest::newRow("40 GB, Discard") << QStringList{"09:14 40 GB"} << QStringList{"Discard"}
                                    << QStringList{asked.arg("9:14").replace("7 bytes", "40.0 GB")} << 0;
    QTest::newRow("one of an earlier version, Discard, then Cancel")
        << QStringList{"09:14", "08:30"} << QStringList{"Discard", "Cancel"}
        << QStringList{asked.arg("8:30") + more, asked914} << 1;
    const QString interrupted =
        "The download of 12/7/26 9:14 AM was interrupted after 7 bytes. Save what arrived?";
    QTest::newRow("interrupted, Save")
        << QStringList{"c09:14"} << QStringList{"Save"} << QStringList{interrupted, offered} << 0;
    QTest::newRow("kept, interrupted, one being written: Discard, Cancel")
        << QStringList{"c09:14", "h09:16", "09:20"} << QStringList{"Discard", "Cancel"}
        << QStringList{asked.arg("9:20") + more, interrupted} << 1;
    // Kept at its end, killed before its capture got its end: asked once.
    QTest::newRow("kept and interrupted, the same download")
        << QStringList{"c09:14", "09:14"} << QStringList{"Save"} << QStringList{asked914, offered} << 0;
    // Held by a window of another instance, which is still deciding about it.
    QTest::newRow("kept, one held") << QStringList{"09:14", "09:20 held"} << QStringList{"Save"}
                                    << QStringList{asked914, offered} << 1;
}

// Results kept when earlier runs were told to end are offered for saving
// before the first window, each download's on its own, the oldest first.
void TestStartup::resultsKeptByAnEarlierRun()
{
    QFETCH(QStringList, kept);
    QFETCH(QStringList, answers);
    QFETCH(QStringList, steps);
    QFETCH(int, left);
    TestSupport::copyTranslations(workDir->path(), {"de", "en"});
    TestSupport::storeLanguage("Translations/ThaldenDataLogger_en.qm", "en");
    QDir(RecoveryStore::folderPath()).removeRecursively();
    QFile::remove(RecoveryStore::legacyFilePath());
    const QString elsewhere = RecoveryStore::fallbackFolderPaths().constFirst();
    QDir(elsewhere).removeRecursively();
    QDir(CaptureFolder::defaultPath()).removeRecursively();
    std::list<CaptureWriter> captures;
    std::list<KeptResults> holders;
    for (const QString &how : kept) {
        if (how.front().isLetter()) {
            CaptureFormat::Header header;
            header.time = QDateTime({2026, 12, 7}, QTime::fromString(how.mid(1)));
            QVERIFY(QDir().mkpath(CaptureFolder::defaultPath()));
            CaptureWriter &writer =
                captures.emplace_back(CaptureFolder::defaultPath() + "/download-" +
                                      header.time.toString("yyyy-MM-dd-HHmmss-zzz") + ".capture");
            writer.writeHeader(header);
            writer.writeChunk(5, "1.5,2\r\n", 7);
            QTRY_VERIFY(CaptureHold::isHeld(writer.path()));
            // Ended without its end, as by a kill.
            if (how[0] == 'c')
                captures.pop_back();
            QVERIFY(how[0] == 'h' || CaptureWriter::waitForAll());
            continue;
        }
        const QDateTime time({2026, 12, 7}, QTime::fromString(how.left(5)));
        if (how.endsWith("held"))
            holders.emplace_back().keep("1.5,2\r\n", time);
        QString path = how.endsWith("held") ? holders.back().path() : RecoveryStore::write("1.5,2\r\n", time);
        QFile file(path);
        if (how.endsWith("elsewhere"))
            QVERIFY(PrivateFiles::makeFolder(elsewhere) && file.rename(path = elsewhere + "/kept.csv"));
        else if (how.endsWith("40 GB"))
            QVERIFY(file.resize(40'000'000'000) && file.open(QIODevice::ReadWrite) &&
                    file.setFileTime(time, QFileDevice::FileModificationTime));
        QVERIFY(!path.isEmpty() && (how != "08:30" || file.rename(RecoveryStore::legacyFilePath())));
    }
    QStringList seen;
    int asked = 0;
    std::function<void()> answerNext = [&] {
        TestSupport::whenShown<QMessageBox>([&](QMessageBox *box) {
            const QString answer = answers.value(asked++);
            seen << box->text() + (box->informativeText().isEmpty() ? "" : "\n" + box->informativeText());
            if (answer.startsWith("Save")) {
                TestSupport::whenShown<QFileDialog>([&, answer](QFileDialog *dialog) {
                    auto *name = dialog->findChild<QLineEdit *>("fileNameEdit");
                    seen << name->text();
                    name->setText(workDir->filePath(name->text()));
                    QMetaObject::invokeMethod(dialog, answer == "Save" ? "accept" : "reject");
                });
            }
            box->button(answer.startsWith("Save") ? QMessageBox::Save
                        : answer == "Discard"     ? QMessageBox::Discard
                                                  : QMessageBox::Cancel)
                ->click();
            answerNext();
        });
    };
    answerNext();
    TestSupport::whenShown<MainWindow>([&seen](MainWindow *window) {
        seen << "window";
        window->close();
    });
    QCOMPARE(runWindowCycles(), 0);

    QCOMPARE(seen, steps << "window");
    QCOMPARE(QDir(workDir->path()).entryList({"results-*"}).size(), answers.count("Save"));
    QCOMPARE(RecoveryStore::keptFiles().size() + InterruptedCaptures().list().size(), left);
    // The captures' locks and renames, as an ordinary user too.
    if (::geteuid() == 0 && kept.size() == 3 && kept[1] == "h09:16")
        TestSupport::runAsNobody();
}

void TestStartup::endedMidDownload_data()
{
    QTest::addColumn<int>("signal");
    QTest::addColumn<bool>("atEnd"); // the whole transfer, then the save dialog open
    QTest::newRow("SIGKILL: its capture is offered") << int(SIGKILL) << false;
    QTest::newRow("SIGTERM: the results kept, the capture ended") << int(SIGTERM) << false;
    QTest::newRow("SIGKILL in the save dialog: the results kept at the end") << int(SIGKILL) << true;
}

// A download whose window ends mid-transfer or in the save dialog after it,
// killed or told to end (the program's own signal handling runs in the child):
// at the next start, the bytes that had arrived up to the last second are
// offered for saving, once.
void TestStartup::endedMidDownload()
{
    QFETCH(int, signal);
    QFETCH(bool, atEnd);
    TestSupport::copyTranslations(workDir->path(), {"en"});
    TestSupport::storeLanguage("Translations/ThaldenDataLogger_en.qm", "en");
    // The child: the program's start on this data folder, downloading until it is ended.
    if (const QString data = qEnvironmentVariable("DATALOGGER_TEST_DATA"); !data.isEmpty()) {
        qputenv("XDG_DATA_HOME", data.toLocal8Bit());
        TerminationHandler handler;
        endSessionOnRequest(handler);
        TestSupport::whenShown<QFileDialog>([](QFileDialog *) {
            std::puts("save dialog open");
            std::fflush(stdout);
        });
        TestSupport::whenShown<MainWindow>([](MainWindow *window) {
            auto *ports = window->findChild<QComboBox *>("comPorts");
            ports->setCurrentIndex(ports->findData(qEnvironmentVariable("DATALOGGER_EXTRA_PORTS")));
            QTest::mouseClick(window->findChild<QPushButton *>("downloadBtn"), Qt::LeftButton);
        });
        QCOMPARE(runWindowCycles(), 0);
        QVERIFY(CaptureWriter::waitForAll());
        return;
    }
    QDir(RecoveryStore::folderPath()).removeRecursively();
    QDir(CaptureFolder::defaultPath()).removeRecursively();
    TesterSimulator::Options options;
    options.bitsPerSecond = atEnd ? 0 : 4800;
    options.size = atEnd ? -1 : 8000;
    // In this thread: the window it sends to is in the child.
    TesterSimulator simulator;
    simulator.setOptions(options);
    QVERIFY(simulator.start());
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DATALOGGER_TEST_DATA", qEnvironmentVariable("XDG_DATA_HOME"));
    environment.insert("DATALOGGER_EXTRA_PORTS", simulator.portPath());
    environment.insert("TMPDIR", workDir->path());
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("endedMidDownload:") + QTest::currentDataTag()});
    // After a second and a half, or later where bench/kill-recovery.sh says.
    QByteArray output;
    QTRY_VERIFY_WITH_TIMEOUT(atEnd ? (output += child.readAllStandardOutput()).contains("save dialog open\n")
                                   : simulator.bytesSent() >=
                                         qMax(720, qEnvironmentVariableIntValue("DATALOGGER_KILL_AT")),
                             60000);
    const qint64 sentBefore = simulator.bytesSent();
    QVERIFY(::kill(child.processId(), signal) == 0);
    QVERIFY(child.waitForFinished(30000));

    QStringList seen;
    TestSupport::whenShown<QMessageBox>([&](QMessageBox *box) {
        seen << box->text();
        TestSupport::whenShown<QFileDialog>([&](QFileDialog *dialog) {
            dialog->findChild<QLineEdit *>("fileNameEdit")->setText(workDir->filePath("saved.csv"));
            QMetaObject::invokeMethod(dialog, "accept");
        });
        box->button(QMessageBox::Save)->click();
        TestSupport::whenShown<MainWindow>([](MainWindow *window) { window->close(); });
    });
    QCOMPARE(runWindowCycles(), 0);
    QFile file(workDir->filePath("saved.csv"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray saved = file.readAll();
    qInfo("sent %lld, recovered %lld", sentBefore, qint64(saved.size()));
    QCOMPARE(saved, simulator.payload().left(atEnd ? simulator.payload().size() : saved.size()));
    QVERIFY2(saved.size() >= sentBefore - options.bitsPerSecond / 10,
             qPrintable(child.readAllStandardError()));
    QCOMPARE(seen.size(), 1);
    QVERIFY(
        seen[0].startsWith(signal == SIGKILL && !atEnd ? "The download of" : "The results downloaded on"));
    // Offered once; after SIGTERM the capture has its end and is not offered at all.
    QVERIFY(InterruptedCaptures().list().isEmpty());
}

void TestStartup::program_data()
{
    QTest::addColumn<bool>("bare");         // a copy with no Translations folder beside it
    QTest::addColumn<QByteArray>("stored"); // the settings file; "" none, "/" a folder in its place
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<bool>("windowShown");    // and stored a sound geometry at its close
    QTest::addColumn<QString>("storedAfter"); // the language's file; "" not checked

    const QByteArray language = "[KvGui]\nDialogLanguage\\FilePath=Translations/ThaldenDataLogger_de.qm\n"
                                "DialogLanguage\\Iso639Code=de\n";
    const QString relative = "Translations/ThaldenDataLogger_de.qm";
    QTest::newRow("no translations: reported, exit code 1") << true << QByteArray() << 1 << false << "";
    // As stored by a run from the build folder; this run starts elsewhere, as from a desktop menu.
    QTest::newRow("stored language from another working folder")
        << false << language << 0 << true << relative;
    // Earlier versions stored absolute paths: into the program's folder, or into a copy since gone.
    for (const QByteArray &folder :
         {QByteArray(DATALOGGER_BUILD_TRANSLATIONS_DIR), QByteArray("/gone/Translations")})
        QTest::newRow("stored absolute into " + folder)
            << false << QByteArray(language).replace("Translations", folder) << 0 << true << relative;
    // Asked to end while the language dialog shows: cancelled, exit code 0.
    QTest::newRow("first run from another working folder") << false << QByteArray() << 0 << false << "";
    QTest::newRow("binary garbage") << false
                                    << QByteArray("\x00\xff[Gen\x01\x02=\xfe\n\\\\\\=@ByteArray(\n\x80", 27)
                                    << 0 << false << "";
    QTest::newRow("folder in place of the file") << false << QByteArray("/") << 0 << false << "";
    QTest::newRow("garbage geometry and state")
        << false
        << language + "[MainWindow]\nGeometry=@ByteArray(\\x1\\xd9\\xd0\\xcb\\0\\x3\\0\\0\\xff\\xff)\n"
                      "State=@ByteArray(\\0\\0\\0\\xff\\0\\0\\xfd\\0\\0\\0\\x1)\n"
        << 0 << true << "";
    QTest::newRow("translation that is not a .qm file")
        << false
        << QByteArray("[KvGui]\nDialogLanguage\\FilePath=" DATALOGGER_SOURCE_DIR "/README.md\n"
                      "DialogLanguage\\Iso639Code=de\n")
        << 0 << false << "";
}

// The real program in a process of its own, with this test's working folder
// and a settings store of its own, asked to end (SIGTERM closes its windows
// like Exit does) once it handles signals.
void TestStartup::program()
{
    QFETCH(bool, bare);
    QFETCH(QByteArray, stored);
    QFETCH(int, exitCode);
    QFETCH(bool, windowShown);
    QFETCH(QString, storedAfter);
    const QString settingsPath = workDir->filePath("config/THALDEN/THALDEN Datalogger.conf");
    QVERIFY(QDir().mkpath(stored == "/" ? settingsPath : QFileInfo(settingsPath).path()));
    if (!stored.isEmpty() && stored != "/") {
        QFile file(settingsPath);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(stored) == stored.size());
    }
    QString executable = QStringLiteral(DATALOGGER_EXECUTABLE);
    if (bare) {
        QDir(workDir->path()).mkdir("bin");
        executable = workDir->filePath("bin/thalden-datalogger");
        QVERIFY(QFile::copy(QStringLiteral(DATALOGGER_EXECUTABLE), executable));
    }

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
    const QString errors = QString::fromLocal8Bit(program.readAllStandardError());
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), exitCode);
    QVERIFY2(errors.contains("no translation could be loaded") == (exitCode == 1), qPrintable(errors));
    if (exitCode == 1) {
        QVERIFY2(errors.contains(workDir->filePath("Translations")), qPrintable(errors));
        QVERIFY2(errors.contains(workDir->filePath("bin/Translations")), qPrintable(errors));
    }
    // Only a main window stores its geometry when it closes.
    const QSettings settings(settingsPath, QSettings::IniFormat);
    QCOMPARE(settings.contains("MainWindow/Geometry"), windowShown);
    if (windowShown)
        QVERIFY(QWidget().restoreGeometry(settings.value("MainWindow/Geometry").toByteArray()));
    if (!storedAfter.isEmpty())
        QCOMPARE(settings.value("KvGui/DialogLanguage/FilePath").toString(), storedAfter);
}

// Run as root, whom no permission stops, this runs itself as nobody.
void TestStartup::unwritableSettingsAreReported()
{
    TestSupport::copyTranslations(workDir->path(), {"en"});
    TestSupport::storeLanguage("Translations/ThaldenDataLogger_en.qm", "en");
    QVERIFY(QFile::setPermissions(QSettings().fileName(), QFile::ReadOwner));
    if (SettingsStore::isWritable()) {
        QByteArray output;
        TestSupport::runAsNobody(&output);
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
