// Saves whose file system calls fail, one call at a time (faultinject), in
// every front end, and saves on a file system with little room left. Each
// ends either saved with every byte, or failed with the system's reason, the
// earlier file as it was (or no file where there was none), and never a file
// left beside it.

#include "appconstants.h"
#include "capturewriter.h"
#include "faultinject.h"
#include "germannumberformat.h"
#include "mainwindow.h"
#include "recoverystore.h"
#include "resultswriter.h"
#include "testsupport.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QScopeGuard>

#include <cstring>
#include <fcntl.h>
#include <functional>
#include <sys/statvfs.h>
#include <unistd.h>

// How one save ended: said saved, failed as the front end fails (exit code 4,
// the warning box, an empty path), or otherwise; the failures made in it, and
// how many calls were counted.
struct Run
{
    bool saved = false;
    bool clean = true;
    QString said;
    QString injected; // such as "write #7 short; write #8"; empty: none
    long calls = 0;
};

// Whether a save may still succeed when the first failure in injected was
// made: on a probe's clean-up, a chown (root's courtesy to a user), or on the
// folder once the new name is in place (its sync, its close), or a close of
// a file nothing was written to. Any other failure (an open, a write, the
// file's sync or close, the rename, the mode) must fail the save.
static bool mayEndEitherWay(const QString &injected, const QStringList &alsoEither)
{
    const QString first = injected.section(QLatin1String("; "), 0, 0);
    const QString call = first.section(QLatin1Char(' '), 0, 0);
    return first.contains(QLatin1String("(folder)")) || first.contains(QLatin1String("(unwritten)")) ||
           (QStringList{"unlink", "unlinkat", "fchown"} + alsoEither).contains(call);
}

// The runs of one row and what each left in the folder; a run without a
// failure is not counted.
struct Scenario
{
    enum Kind {
        Replace, // a new file renamed into place, or written over in place
        Append,  // a descriptor that appends to the earlier file
        Stream,  // a FIFO, whose reader writes to received
    };
    const QString folder;
    const QByteArray expected;
    const bool existing = false;
    const QString name = QStringLiteral("results.csv");
    const Kind kind = Replace;
    // The calls each row must fail at least once, and the least number of
    // calls a save makes: an interposer that misses calls fails here.
    const QStringList mustMeet = {"openat", "write", "fsync", "close"};
    const long leastCalls = 5;
    const QStringList alsoEither = {};
    const QString path = folder + QLatin1Char('/') + name;
    const QString received = folder + QStringLiteral(".received");
    const QByteArray earlier = QByteArray("Record,Voc (V)\r\n1,600.5\r\n").repeated(80);
    int runs = 0, failed = 0, falseSuccesses = 0, damaged = 0, leftovers = 0, others = 0;
    long calls = 0; // in the save that met no failure
    QStringList faults = {}, met = {};

    void prepare() const
    {
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
        QFile::remove(received);
        QFile file(path);
        // A mode that a new file does not get by chance.
        if (existing && (!file.open(QIODevice::WriteOnly) || file.write(earlier) != earlier.size() ||
                         !file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup)))
            qFatal("cannot write %s", qPrintable(path));
    }

    // reason: the system's text a failure names (empty: not checked).
    void judge(const Run &run, const QString &reason)
    {
        runs += !run.injected.isEmpty();
        met << run.injected.section(QLatin1String("; "), 0, 0).section(QLatin1Char(' '), 0, 0);
        QFile file(kind == Stream ? received : path);
        const bool exists = QFileInfo::exists(path);
        const QByteArray now = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        const QByteArray whole = kind == Append ? earlier + expected : expected;
        QStringList left =
            QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        left.removeOne(name);
        QStringList wrong;
        if (!run.clean || (!run.saved && !run.said.contains(reason))) {
            ++others;
            wrong << QStringLiteral("said \"%1\"").arg(run.said.trimmed());
        } else if (run.saved && now != whole) {
            ++falseSuccesses;
            wrong << QStringLiteral("saved, but the file holds %1 of the %2 bytes%3")
                         .arg(now.size())
                         .arg(whole.size())
                         .arg(now == whole.left(now.size()) ? "" : " (others)");
        } else if (run.saved && !run.injected.isEmpty() && !mayEndEitherWay(run.injected, alsoEither)) {
            ++falseSuccesses;
            wrong << QStringLiteral("said saved");
        }
        if (!run.saved) {
            failed += run.clean;
            if (existing && (kind == Append ? !now.startsWith(earlier) : now != earlier)) {
                ++damaged;
                wrong << (exists ? QStringLiteral("the earlier file holds %1 other bytes").arg(now.size())
                                 : QStringLiteral("the earlier file is gone"));
            } else if (!existing && exists && kind == Replace) {
                left << name;
            }
        }
        if (!left.isEmpty()) {
            ++leftovers;
            wrong << QStringLiteral("left %1").arg(left.join(QStringLiteral(", ")));
        }
        if (!wrong.isEmpty())
            faults << run.injected + QStringLiteral(": ") + wrong.join(QStringLiteral("; "));
    }

    // Saves with call 1, 2, ... failing (ENOSPC, EIO, EDQUOT in turn; a write
    // as that call also cut short first) until a save meets no failure.
    void runAll(bool checkReason, const std::function<Run(long at, int error, bool halve)> &save)
    {
        for (long at = 1; at < 1000; ++at) {
            const int error = QList<int>{ENOSPC, EIO, EDQUOT}.at(at % 3);
            const QString reason = checkReason ? QString::fromLocal8Bit(std::strerror(error)) : QString();
            prepare();
            const Run run = save(at, error, false);
            judge(run, reason);
            if (run.injected.isEmpty()) {
                calls = run.calls;
                if (!run.saved)
                    faults << QStringLiteral("failed with no failure made: ") + run.said;
                if (run.calls < leastCalls)
                    faults << QStringLiteral("only %1 calls counted in a save, fewer than %2")
                                  .arg(run.calls)
                                  .arg(leastCalls);
                for (const QString &call : mustMeet) {
                    if (!met.contains(call))
                        faults << QStringLiteral("no %1 was made to fail").arg(call);
                }
                return;
            }
            if (run.injected.section(QLatin1Char(' '), 0, 0).contains(QLatin1String("write"))) {
                prepare();
                judge(save(at, error, true), reason);
            }
        }
        faults << QStringLiteral("a failure was made in every run");
    }

    void report()
    {
        qInfo("%d runs, %d failed, %d false successes, %d earlier files damaged or gone, %d left files, "
              "%d other faults; %ld calls in a clean save",
              runs, failed, falseSuccesses, damaged, leftovers, others, calls);
        QVERIFY2(faults.isEmpty(), qPrintable(QStringLiteral("%1 bad runs:\n").arg(faults.size()) +
                                              faults.mid(0, 8).join(QLatin1Char('\n'))));
    }
};

// Lines of results, size bytes in all.
static QByteArray results(int size)
{
    QByteArray data;
    for (int record = 1; data.size() < size; ++record)
        data += QByteArray::number(record) + ",2026-05-14,08:12:00,S01,621.8,2.24,>999,PASS\r\n";
    data.truncate(size - 2);
    return data + "\r\n";
}

// The results replayed into a capture, for the command line.
static void writeCapture(const QString &capture, const QByteArray &data)
{
    CaptureWriter writer(capture);
    CaptureFormat::Header header;
    header.devicePath = header.portName = "/dev/ttyUSB0";
    writer.writeHeader(header);
    for (qsizetype at = 0; at < data.size(); at += 4096)
        writer.writeChunk(1000 + at, data.constData() + at, qMin<qsizetype>(4096, data.size() - at));
    writer.writeEnd(Download::Outcome::Complete, 2000000 + data.size(), data);
    writer.waitForWritten();
}

class TestSaveFaults : public QObject
{
    Q_OBJECT

private slots:
    // The rows of every front end: sizes around the file buffer's 16 KiB, and
    // past the German conversion's pieces of 1 MiB.
    void initTestCase_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("german");
        QTest::addColumn<bool>("existing");
        for (int size : {1024, 16385, 102400, 3 * 1024 * 1024 + 1000}) {
            for (bool german : {false, true}) {
                for (bool existing : {true, false}) {
                    if (size < 1024 * 1024 || (german && existing))
                        QTest::addRow("%d bytes%s, %s", size, german ? " German" : "",
                                      existing ? "over a file" : "new")
                            << size << german << existing;
                }
            }
        }
    }
    void init()
    {
        QFETCH_GLOBAL(int, size);
        QFETCH_GLOBAL(bool, german);
        QFETCH_GLOBAL(bool, existing);
        data = results(size);
        expected = german ? toGermanNumberFormat(data) : data;
        inGerman = german;
        overFile = existing;
    }
    void commandLine();
    void inPlace_data();
    void inPlace();
    void windowSave();
    void recoveryFile();
    void fullDisk();

private:
    // The command line's save of the results into scenario, through output
    // ("PATH" stands for its path), run as nobody when asked; prepare sets
    // up each run, and may start a reader of the output.
    using Preparation = std::function<void(QProcess &program, QProcess &reader)>;
    void runProgram(Scenario &scenario, const QString &output, const Preparation &prepare = {},
                    bool asNobody = false);

    QByteArray data, expected; // what is saved, and what the file must then hold
    bool inGerman = false, overFile = false;
};

void TestSaveFaults::runProgram(Scenario &scenario, const QString &output, const Preparation &prepare,
                                bool asNobody)
{
    QTemporaryDir work;
    const QString capture = work.filePath("download.capture"), report = work.filePath("injected");
    writeCapture(capture, data);
    // Within reach of nobody.
    for (const char *name : {"config", "data"})
        QDir(work.path()).mkpath(name), ::chmod(qPrintable(work.filePath(name)), 0777);
    ::chmod(qPrintable(work.path()), 0755), ::chmod(qPrintable(capture), 0644);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY");
    environment.insert("XDG_CONFIG_HOME", work.filePath("config"));
    environment.insert("XDG_DATA_HOME", work.filePath("data"));
    environment.insert("LD_PRELOAD", FAULTINJECT_LIBRARY);
    // A sanitized program runs with the library ahead of the sanitizer's runtime.
    const QString asan = environment.value("ASAN_OPTIONS");
    environment.insert("ASAN_OPTIONS", (asan.isEmpty() ? "" : asan + ':') + "verify_asan_link_order=0");
    environment.insert("FAULTINJECT_FOLDER", scenario.folder);
    environment.insert("FAULTINJECT_REPORT", report);
    const QStringList arguments =
        QStringList{"--replay", capture, "--output", QString(output).replace("PATH", scenario.path)} +
        (inGerman ? QStringList{"--german"} : QStringList());
    scenario.runAll(true, [&](long at, int error, bool halve) {
        environment.insert("FAULTINJECT_AT", QString::number(at));
        environment.insert("FAULTINJECT_ERRNO", QString::number(error));
        environment.insert("FAULTINJECT_SHORT", halve ? "1" : "0");
        QFile(report).open(QIODevice::WriteOnly | QIODevice::Truncate);
        ::chmod(qPrintable(report), 0666);
        QProcess program, reader;
        program.setProcessEnvironment(environment);
        if (prepare)
            prepare(program, reader);
        if (asNobody)
            program.start("setpriv", QStringList{"--reuid=nobody", "--regid=nogroup", "--clear-groups",
                                                 DATALOGGER_EXECUTABLE} +
                                         arguments);
        else
            program.start(DATALOGGER_EXECUTABLE, arguments);
        const bool ended = program.waitForFinished(60000) && program.exitStatus() == QProcess::NormalExit;
        // A reader that still waits for a writer is let go.
        ::close(::open(qPrintable(scenario.path), O_WRONLY | O_NONBLOCK));
        reader.waitForFinished();
        QFile injected(report);
        QByteArrayList lines =
            injected.open(QIODevice::ReadOnly) ? injected.readAll().trimmed().split('\n') : QByteArrayList();
        const long calls =
            !lines.isEmpty() && lines.last().startsWith("calls ") ? lines.takeLast().mid(6).toLong() : 0;
        lines.removeAll(QByteArray());
        return Run{ended && program.exitCode() == 0,
                   ended && (program.exitCode() == 0 || program.exitCode() == 4),
                   QStringLiteral("exit code %1: ").arg(program.exitCode()) + program.readAllStandardError(),
                   lines.join("; "), calls};
    });
}

// A save that replaces the file: every call of it is failed in turn.
static Scenario replacingSave(const QString &folder, const QByteArray &expected, bool existing)
{
    const QStringList calls{"openat", "write", "fsync", "close", "renameat"};
    return Scenario{folder,
                    expected,
                    existing,
                    "results.csv",
                    Scenario::Replace,
                    existing ? calls + QStringList{"fchmod"} : calls,
                    existing ? 12 : 11};
}

void TestSaveFaults::commandLine()
{
    QTemporaryDir work;
    Scenario scenario = replacingSave(work.filePath("out"), expected, overFile);
    runProgram(scenario, "PATH");
    scenario.report();
}

// The writes that do not replace the file: over a file with a second link,
// or in a folder the user may not write to (the earlier bytes put back when
// they fail), to standard output appended to a file, and to a FIFO.
void TestSaveFaults::inPlace_data()
{
    QTest::addColumn<Scenario::Kind>("kind");
    QTest::addColumn<QStringList>("mustMeet");
    QTest::addColumn<int>("leastCalls");
    const QStringList overwrite{"openat", "posix_fallocate", "write", "ftruncate", "fsync", "close"};
    QTest::newRow("second link") << Scenario::Replace << overwrite << 7;
    QTest::newRow("folder not writable") << Scenario::Replace << overwrite << 7;
    QTest::newRow("standard output") << Scenario::Append << QStringList{"write"} << 1;
    QTest::newRow("FIFO") << Scenario::Stream << QStringList{"open", "write"} << 3;
}

void TestSaveFaults::inPlace()
{
    QFETCH(Scenario::Kind, kind);
    QFETCH(QStringList, mustMeet);
    QFETCH(int, leastCalls);
    if (!overFile || data.size() != 16385)
        QSKIP("one size suffices");
    QTemporaryDir work;
    ::chmod(qPrintable(work.path()), 0755);
    Scenario scenario{
        work.filePath("out"), expected, kind != Scenario::Stream, "results.csv", kind, mustMeet, leastCalls};
    const QByteArray path = QFile::encodeName(scenario.path),
                     otherLink = QFile::encodeName(work.filePath("link"));
    const bool link = QTest::currentDataTag() == QLatin1String("second link");
    const bool locked = QTest::currentDataTag() == QLatin1String("folder not writable");
    runProgram(
        scenario, kind == Scenario::Append ? "/dev/stdout" : "PATH",
        [&](QProcess &program, QProcess &reader) {
            ::unlink(otherLink);
            QVERIFY(!link || ::link(path, otherLink) == 0);
            // Nobody may write the file, but not the folder, which is root's.
            if (locked)
                QVERIFY(::geteuid() == 0 ? ::chown(path, 65534, 65534) == 0
                                         : ::chmod(qPrintable(scenario.folder), 0555) == 0);
            if (kind == Scenario::Append)
                program.setStandardOutputFile(scenario.path, QIODevice::Append);
            if (kind == Scenario::Stream && ::mkfifo(path, 0600) == 0)
                reader.start("dd", {"if=" + scenario.path, "of=" + scenario.received, "status=none"});
        },
        locked && ::geteuid() == 0);
    QFile other(otherLink);
    QVERIFY(!link || (other.open(QIODevice::ReadOnly) && other.readAll() == expected));
    scenario.report();
}

void TestSaveFaults::windowSave()
{
    QTemporaryDir work;
    Scenario scenario = replacingSave(work.filePath("out"), expected, overFile);
    // A German run converts a .csv file when the user has said so.
    QLocale::setDefault(inGerman ? QLocale(QLocale::German, QLocale::Germany) : QLocale(QLocale::English));
    const auto restore = qScopeGuard([] { QLocale::setDefault(QLocale::c()); });
    QSettings().setValue(SettingsKeyConvertData, inGerman);
    QSettings().setValue(SettingsKeyDeviceLastSavedFilePath, scenario.path);
    scenario.runAll(true, [&](long at, int error, bool halve) {
        Run run;
        bool warned = false;
        TestSupport::armWatchdog();
        TestSupport::whenShown<QFileDialog>([&](QFileDialog *dialog) {
            TestSupport::whenShown<QMessageBox>(
                [](QMessageBox *box) { box->button(QMessageBox::Yes)->click(); },
                [](QMessageBox *box) { return box->button(QMessageBox::Yes) != nullptr; });
            // Armed once a file is chosen: the dialog's own reading is not counted.
            QObject::connect(dialog, &QDialog::accepted, dialog,
                             [&] { faultinject_arm(qPrintable(scenario.folder), at, error, halve); });
            // The name field ignores selectFile() while it has the focus.
            dialog->findChild<QLineEdit *>("fileNameEdit")->setText(scenario.path);
            QMetaObject::invokeMethod(dialog, "accept");
        });
        TestSupport::whenShown<QMessageBox>(
            [&](QMessageBox *box) {
                run.said = box->informativeText();
                warned = true;
                box->accept();
            },
            [](QMessageBox *box) { return box->standardButtons() == QMessageBox::Ok; });
        MainWindow window;
        window.downloadedData = data;
        window.saveFile();
        faultinject_disarm();
        TestSupport::stopWatching();
        run.saved = !window.savedFilePath.isEmpty();
        // Results not saved are still the window's to ask about (and keep at a log-off).
        run.clean = (run.saved ? window.savedFilePath == scenario.path && !warned : warned) &&
                    window.resultsUnsaved() == !run.saved;
        run.injected = faultinject_injected();
        run.calls = faultinject_counted();
        return run;
    });
    scenario.report();
}

// The file kept for the next start: the same failures leave no partial file,
// and one written over stays as it was.
void TestSaveFaults::recoveryFile()
{
    if (inGerman || data.size() > 1024 * 1024)
        QSKIP("the recovery file keeps the bytes as received");
    const QDateTime downloaded({2026, 12, 7}, {9, 14});
    // Its time is set after the save, by an open that may fail.
    Scenario scenario{RecoveryStore::folderPath(),
                      data,
                      overFile,
                      "2026-12-07T09-14-00.csv",
                      Scenario::Replace,
                      {"openat", "write", "fsync", "close", "renameat"},
                      10,
                      {"open", "open64"}};
    scenario.runAll(false, [&](long at, int error, bool halve) {
        faultinject_arm(qPrintable(scenario.folder), at, error, halve);
        const QString kept =
            RecoveryStore::write(scenario.expected, downloaded, overFile ? scenario.path : QString());
        faultinject_disarm();
        // A new file that failed here goes to the next place that can be
        // written: whole there, and nothing left here.
        const bool elsewhere = !kept.isEmpty() && kept != scenario.path;
        QFile there(kept);
        const bool whole = !elsewhere || (there.open(QIODevice::ReadOnly) &&
                                          there.readAll() == scenario.expected && there.remove());
        return Run{!kept.isEmpty() && !elsewhere, whole, {}, faultinject_injected(), faultinject_counted()};
    });
    scenario.report();
}

// The kernel's own full disk: a small file system filled up so that free
// bytes stay free, one page more each time.
void TestSaveFaults::fullDisk()
{
    if (data.size() > 1024 * 1024)
        QSKIP("the file system holds the smaller rows");
    QTemporaryDir mount;
    if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=256k", "tmpfs", mount.path()}) != 0)
        QSKIP("needs root, to mount a small file system");
    const auto unmount = qScopeGuard([&] { QProcess::execute("umount", {mount.path()}); });
    Scenario scenario{mount.filePath("save"), expected, overFile, "results.csv",
                      Scenario::Replace,      {},       0,        {"free:"}};
    const QByteArray page(4096, 'x');
    for (qint64 free = 0; free <= data.size() + 2 * page.size(); free += page.size()) {
        scenario.prepare();
        QFile filler(mount.filePath("filler"));
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered));
        while (filler.write(page) > 0) {
        }
        QVERIFY(filler.resize(filler.size() - free));
        struct statvfs volume;
        QVERIFY(::statvfs(QFile::encodeName(scenario.folder).constData(), &volume) == 0);
        QCOMPARE(qint64(volume.f_bavail * volume.f_bsize), free);
        ResultsWriter writer(inGerman ? ResultsWriter::Format::German : ResultsWriter::Format::AsReceived);
        // No room at all is found before the results exist.
        if (writer.canWrite(scenario.path) != (free > 0))
            scenario.faults << QStringLiteral("with %1 bytes free, the early check says \"%2\"")
                                   .arg(free)
                                   .arg(writer.errorString());
        // Braces: evaluated in order.
        scenario.judge(Run{writer.writeFile(scenario.path, data), true, writer.errorString(),
                           QStringLiteral("free: %1 bytes").arg(free)},
                       QStringLiteral("No space left on device"));
    }
    scenario.report();
}

DATALOGGER_TEST_MAIN(TestSaveFaults)
#include "tst_savefaults.moc"
