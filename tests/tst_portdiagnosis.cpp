// Why a port would not open, as the failure box explains it.

#include "portdiagnosis_unix.h"
#include "ptypair.h"
#include "testsupport.h"
#include "winserialdevice.h"
#include "winserialdeviceasync.h"

#include <QScopeGuard>

#include <sys/stat.h>
#include <sys/sysmacros.h>

using Kv::PortDiagnosis;
using Kv::PortFacts;

Q_DECLARE_METATYPE(PortFacts)

namespace {

// A port refused with error, as the diagnosis gathers it for anna, who is in
// no group of the node (root:dialout, crw-rw----).
PortFacts refused(int error, void (*change)(PortFacts &) = nullptr)
{
    PortFacts facts;
    facts.path = QStringLiteral("/dev/ttyUSB0");
    facts.error.errorNumber = error;
    facts.nodeFound = true;
    facts.mode = S_IFCHR | 0660;
    facts.owner = QStringLiteral("root");
    facts.group = QStringLiteral("dialout");
    facts.groupKnown = true;
    facts.user = QStringLiteral("anna");
    if (change)
        change(facts);
    return facts;
}

// What the diagnosis gathers when the port at path has failed to open, and
// then, on the same thread, the port at since.
PortFacts openFailed(const QString &path, const QString &since = {})
{
    Kv::WinSerialDevice port(path), later(since);
    serialFailuresOf([&] {
        port.openPort(QIODevice::ReadWrite, 50, 50);
        if (!since.isEmpty())
            later.openPort(QIODevice::ReadWrite, 50, 50);
    });
    return Kv::gatherPortFacts(path, port.openError());
}

} // namespace

class TestPortDiagnosis : public QObject
{
    Q_OBJECT

private slots:
    void diagnosis_data()
    {
        QTest::addColumn<PortFacts>("facts");
        QTest::addColumn<QString>("text");
        const QString busy = QStringLiteral("ttyUSB0 is in use by ");
        QTest::newRow("no port listed") << PortFacts()
                                        << QStringLiteral("No serial port was found. Connect the tester's "
                                                          "cable or USB adapter, check that the adapter's "
                                                          "driver is installed, then refresh the port list.");
        QTest::newRow("not in the group")
            << refused(EACCES)
            << QStringLiteral("Only members of the group dialout may open ttyUSB0, and your account anna is "
                              "not one. Add it "
                              "with\nsudo usermod -aG dialout anna\nthen log out and in again.");
        QTest::newRow("joined after logging in")
            << refused(EACCES, [](PortFacts &f) { f.groupOnPaper = true; })
            << QStringLiteral("Only members of the group dialout may open ttyUSB0. Your account anna is one, "
                              "but this session began before it joined: log out and in again.");
        const QString noAccess = QStringLiteral(
            "Your account may not open ttyUSB0 (owner root, group %1, mode %2), and membership of its group "
            "would not change that. Check the device's owner and mode, or add a udev rule such as\n"
            "SUBSYSTEM==\"tty\", KERNEL==\"ttyUSB0\", GROUP=\"dialout\", MODE=\"0660\"");
        QTest::newRow("owner only") << refused(EPERM, [](PortFacts &f) { f.mode = S_IFCHR | 0600; })
                                    << noAccess.arg("dialout", "crw-------");
        QTest::newRow("group not in the database")
            << refused(EACCES, [](PortFacts &f) { f.groupKnown = false, f.group = "4242"; })
            << noAccess.arg("4242", "crw-rw----");
        QTest::newRow("refused though in the group")
            << refused(EACCES, [](PortFacts &f) { f.groupInSession = f.groupOnPaper = true; })
            << noAccess.arg("dialout", "crw-rw----");
        QTest::newRow("lock file of minicom") << refused(0, [](PortFacts &f) {
            f.error.step = Kv::OpenError::LockFile, f.holder = 4711, f.holderProgram = "minicom";
        }) << busy + "minicom (process 4711). Close that program, then try again.";
        // Another account's process under a /proc that hides its name.
        QTest::newRow("holder without a name")
            << refused(EBUSY, [](PortFacts &f) { f.holder = 1; })
            << busy + "process 1. Close the program that holds it, then try again.";
        QTest::newRow("TIOCEXCL, holder not seen")
            << refused(EBUSY) << busy + "another program. Close it, then try again.";
        QTest::newRow("ModemManager")
            << refused(EWOULDBLOCK,
                       [](PortFacts &f) {
                           f.holder = 812, f.holderProgram = "ModemManager";
                           f.adapterMatch =
                               R"(SUBSYSTEM=="tty", ATTRS{idVendor}=="0403", ATTRS{idProduct}=="6001")";
                       })
            << busy + "ModemManager (process 812), which probes new serial devices for modems. Keep it away "
                      "from the adapter with a udev rule such as\nSUBSYSTEM==\"tty\", "
                      "ATTRS{idVendor}==\"0403\", "
                      "ATTRS{idProduct}==\"6001\", ENV{ID_MM_DEVICE_IGNORE}=\"1\"\nor stop it with\n"
                      "sudo systemctl stop ModemManager";
        QTest::newRow("brltty")
            << refused(EBUSY, [](PortFacts &f) { f.holder = 530, f.holderProgram = "brltty"; })
            << busy + "brltty (process 530), a braille display driver that claims USB serial adapters. Where "
                      "no braille display is used, remove it with\nsudo apt remove brltty\nor mask it with\n"
                      "sudo systemctl mask brltty.service brltty-udev.service";
        QTest::newRow("node left by an unplugged device")
            << refused(ENODEV)
            << QStringLiteral("ttyUSB0 is no longer there: is the adapter plugged in? "
                              "Plug it in, then refresh the port list.");
        QTest::newRow("no UART behind the node")
            << refused(EIO) << QStringLiteral("ttyUSB0 could not be opened: Input/output error (error 5).");
        // Paths that name nothing, or no terminal, as a real open finds them.
        QTemporaryDir folder;
        const QString missing = folder.filePath("ttyUSB9"), file = folder.filePath("results.csv");
        QFile(file).open(QIODevice::WriteOnly);
        QTest::newRow("mistyped path") << openFailed(missing)
                                       << missing + " does not exist: check the name, or plug in the adapter "
                                                    "and refresh the port list.";
        QTest::newRow("mistyped path, a file failed since")
            << openFailed(missing, file)
            << missing + " does not exist: check the name, or plug in the adapter and refresh the port list.";
        QTest::newRow("a file") << openFailed(file) << file + " is not a serial port.";
        QTest::newRow("a folder") << openFailed(folder.path()) << folder.path() + " is not a serial port.";
        QTest::newRow("a device that is no terminal")
            << openFailed("/dev/null") << "null is not a serial port.";
        // With a controlling terminal, /dev/tty opens: that terminal.
        const int tty = ::open("/dev/tty", O_RDONLY | O_NOCTTY | O_CLOEXEC);
        if (tty < 0 && errno == ENXIO)
            QTest::newRow("/dev/tty") << openFailed("/dev/tty") << "tty is not a serial port.";
        ::close(tty);
    }

    // Each cause has its own text, with the names it needs and the commands
    // kept out of the translations.
    void diagnosis()
    {
        QFETCH(PortFacts, facts);
        QFETCH(QString, text);
        QCOMPARE(Kv::diagnose(facts).informativeText(), text);
    }

    // Looking for the holder of a port that is not there leaves no descriptor open.
    void noHolderOfNothing()
    {
        const uint before = QDir(QStringLiteral("/proc/self/fd")).count();
        Kv::gatherPortFacts(QString(),
                            {"CreateFileW", ERROR_ACCESS_DENIED, EBUSY, Kv::OpenError::Open, 0, {}});
        QCOMPARE(QDir(QStringLiteral("/proc/self/fd")).count(), before);
    }

    // A port's device keeps why its open failed until an open succeeds.
    void failureKeptUntilOpened()
    {
        if (::geteuid() == 0)
            TestSupport::runAsNobody();
        PtyPair pty;
        Kv::WinSerialDevice holder(pty.slavePath);
        Kv::WinSerialDeviceAsync port(nullptr, pty.slavePath);
        QVERIFY(holder.openPort(QIODevice::ReadWrite, 50, 50));
        QCOMPARE(serialFailuresOf([&] { port.open(QIODevice::ReadWrite); }),
                 "Win32SerialDevice::open failed with error: 5");
        QCOMPARE(port.openError().call, "CreateFileW");
        QCOMPARE(port.openError().win32Error, ERROR_ACCESS_DENIED);
        holder.close();
        QVERIFY(port.open(QIODevice::ReadWrite));
        QVERIFY(!port.openError().failed());
    }

    void holder_data()
    {
        QTest::addColumn<QString>("held");   // how one or two children hold the port
        QTest::addColumn<bool>("device");    // shown in sysfs as a serial device
        QTest::addColumn<QString>("lock");   // the lock file, naming the first child
        QTest::addColumn<bool>("nobody");    // run as an ordinary user too
        QTest::addColumn<QString>("result"); // opens, holder, another, lock file
        QTest::newRow("TIOCEXCL and flock") << "excl" << false << "" << true << "holder";
        QTest::newRow("flock, another reader too") << "lock open" << false << "" << true << "holder";
        QTest::newRow("lock file of a running process") << "" << false << "ascii" << true << "holder";
        QTest::newRow("lock file without a line end") << "" << false << "bare" << false << "holder";
        QTest::newRow("binary lock file") << "" << false << "binary" << false << "holder";
        QTest::newRow("stale lock file") << "" << false << "ended" << true << "opens";
        // On a real port (tools/test-real-serial names one) the rows of the
        // driver: who holds the port. sysfs is the system's own there.
        const bool real = qEnvironmentVariableIsSet("DATALOGGER_TEST_REAL_PORT");
        // Another account's lock that names no running program, in the sticky
        // lock folder, stays and is passed over (root's own part: rows below).
        if (!real) {
            QTest::newRow("root's stale lock file") << "" << false << "root's" << true << "opens";
            QTest::newRow("root's garbage lock file") << "" << false << "root's garbage" << true << "opens";
            QTest::newRow("root's empty lock file") << "" << false << "root's empty" << true << "opens";
            QTest::newRow("root's unreadable lock file")
                << "" << false << "root's unreadable" << true << "opens";
        }
        QTest::newRow("empty lock file") << "" << false << "empty" << false << "lock file";
        QTest::newRow("garbage lock file") << "" << false << "garbage" << true << "lock file";
        // Digits that a NUL ends are neither text nor four binary bytes.
        QTest::newRow("lock file of digits and a NUL") << "" << false << "NUL" << false << "lock file";
        if (!real)
            QTest::newRow("reader of a pseudo-terminal") << "open" << false << "" << false << "opens";
        QTest::newRow("reader of a serial device") << "open" << true << "" << false << "holder";
        QTest::newRow("two readers of a serial device") << "open open" << true << "" << false << "another";
    }

    // A port held by another process names it, and never a mere reader in its
    // place; a lock file of a process that has ended does not stand in the way,
    // one that names none does where the user may remove it, and stays, and
    // another account's is passed over with a warning; a reader without any
    // lock keeps a download off a serial device, but not off a pseudo-terminal.
    void holder()
    {
        QFETCH(QString, held);
        QFETCH(QString, lock);
        QFETCH(bool, device);
        QFETCH(bool, nobody);
        QFETCH(QString, result);
        PtyPair pty;
        // An ordinary user's part of "root's" opens root's port, named here.
        const bool foreign = qEnvironmentVariableIsSet("DATALOGGER_TEST_PORT");
        const bool rootsPart = lock.startsWith(QLatin1String("root's")) && !foreign;
        const QString kind = lock.section(' ', -1);
        if (rootsPart && ::geteuid() != 0)
            QSKIP("Only root makes a lock file that an ordinary user may not remove");
        const QString real = qEnvironmentVariable("DATALOGGER_TEST_REAL_PORT");
        const QString path = !real.isEmpty() ? real
                             : foreign       ? qEnvironmentVariable("DATALOGGER_TEST_PORT")
                                             : pty.slavePath;
        // Both runs hold the same real port: the ordinary user's (in the group
        // udev gives the port) first, with holders of its own.
        if (!real.isEmpty() && nobody && ::geteuid() == 0)
            TestSupport::runAsNobody(nullptr, QStringLiteral("dialout"));
        QFile lockFile(QStringLiteral("/var/lock/LCK..") + path.mid(5).replace('/', '_'));
        const auto unlocking = qScopeGuard([&lockFile] { lockFile.remove(); });
        pid_t child = holdInChild(path, held.section(' ', 0, 0)),
              second = holdInChild(path, held.section(' ', 1));
        const auto ending = qScopeGuard([&] { endChild(child), endChild(second); });
        QVERIFY(child > 0 && second > 0);
        qint32 named = child;
        if (lock == QLatin1String("ended") || rootsPart) {
            endChild(second);
            std::swap(named, second);
            second = 0;
        }
        const QByteArray contents =
            kind == QLatin1String("binary")    ? QByteArray((const char *)&named, 4)
            : kind == QLatin1String("bare")    ? QByteArray::number(named)
            : kind == QLatin1String("garbage") ? QByteArray("minicom\n")
            : kind == QLatin1String("NUL")     ? QByteArray::number(named).rightJustified(10) + '\0'
            : kind == QLatin1String("empty")   ? QByteArray()
                                               : QByteArray::number(named).rightJustified(10) + '\n';
        if (!lock.isEmpty() && !foreign) {
            QVERIFY(lockFile.open(QIODevice::WriteOnly) && lockFile.write(contents) == contents.size());
            lockFile.close();
            QVERIFY(kind != QLatin1String("unreadable") || lockFile.setPermissions(QFile::WriteOwner));
        }
        if (nobody && ::geteuid() == 0 && real.isEmpty()) {
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            if (rootsPart) {
                QVERIFY(::chmod(QFile::encodeName(path).constData(), 0666) == 0);
                environment.insert(QStringLiteral("DATALOGGER_TEST_PORT"), path);
            }
            QByteArray output;
            TestSupport::runAsNobody(&output, QStringLiteral("nogroup"), environment);
            if (rootsPart) {
                QVERIFY(lockFile.open(QIODevice::ReadOnly) && lockFile.readAll() == contents);
                QVERIFY2(output.contains("Passed over the lock file " + lockFile.fileName().toUtf8()),
                         output);
                return;
            }
        }
        QTemporaryDir sysfs;
        struct stat node;
        QVERIFY(::stat(QFile::encodeName(path).constData(), &node) == 0);
        if (device)
            QVERIFY(QDir().mkpath(sysfs.filePath(
                QStringLiteral("dev/char/%1:%2/device").arg(major(node.st_rdev)).arg(minor(node.st_rdev)))));

        Kv::WinSerialDevice port(path);
        PortDiagnosis diagnosis = Kv::otherReader(path, device && real.isEmpty() ? sysfs.path() : "/sys");
        if (diagnosis.cause == PortDiagnosis::Cause::None) {
            serialFailuresOf([&] {
                if (!port.openPort(QIODevice::ReadWrite, 50, 50))
                    diagnosis = PortDiagnosis::ofFailedOpen(path, port.openError());
            });
        }
        const QString name = path.mid(5);
        const QString text =
            result == QLatin1String("holder")
                ? QStringLiteral(
                      "%1 is in use by tst_portdiagnosis (process %2). Close that program, then try "
                      "again.")
                      .arg(name)
                      .arg(child)
            : result == QLatin1String("another")
                ? QStringLiteral("%1 is in use by another program. Close it, then try again.").arg(name)
            : result == QLatin1String("lock file")
                ? QStringLiteral("%1 is locked by %2, which names no running program: if no program uses the "
                                 "port, remove that file.")
                      .arg(name, lockFile.fileName())
                : QString();
        QCOMPARE(diagnosis.informativeText(), text);
        // Ours replaces a stale one, and is removed on closing only while it is
        // ours; one that names nothing is left as it was.
        if (lock == QLatin1String("ended")) {
            QVERIFY(lockFile.open(QIODevice::ReadOnly) &&
                    lockFile.readLine() == QByteArray::number(::getpid()) + '\n');
            lockFile.close();
            QVERIFY(lockFile.remove() && lockFile.open(QIODevice::WriteOnly) && lockFile.write(contents));
            lockFile.close();
            port.close();
            QVERIFY(lockFile.exists());
        } else if (result == QLatin1String("lock file"))
            QVERIFY(lockFile.open(QIODevice::ReadOnly) && lockFile.readAll() == contents);
    }
};

DATALOGGER_TEST_MAIN(TestPortDiagnosis)
#include "tst_portdiagnosis.moc"
