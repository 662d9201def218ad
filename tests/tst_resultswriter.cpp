// Where results are written as both front ends write them: descriptors,
// links, modes, and files and folders the user may not write (failing disks:
// tst_savefaults).

#include "capturewriter.h"
#include "resultswriter.h"

#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

class TestResultsWriter : public QObject
{
    Q_OBJECT

private slots:
    void outputs_data();
    void outputs();
    void withoutPermissions();
};

namespace {
enum class Output {
    AppendingDescriptor, // /dev/fd/N of a file opened with O_APPEND (a shell's >>)
    ClosedDescriptor,
    OthersLink,  // in a shared folder, made by nobody
    OwnLink,     // in a shared folder, made by the user
    SwappedLink, // made by nobody between the check and the write
    LongName,    // 255 bytes: the longest a file may have
    KeptMode,    // an existing file of nobody's, 0640
    ReadOnlyMount,
    OthersFolderLink, // a folder of the path, a link made by nobody in a shared folder
    OthersFile,       // made first by nobody in a shared folder, open to all
    KeptAccess,       // with an access list, an attribute and a second link
    StaleTemporaries, // left by saves that were killed: the user's, a held one, nobody's
    CaptureSwappedLink,
};
const uid_t nobody = 65534;
// An access list as the kernel stores it: a version, then a tag, the rights and an id for each entry.
const char accessList[] = "\2\0\0\0"
                          "\1\0\6\0\377\377\377\377"
                          "\2\0\6\0\376\377\0\0"
                          "\4\0\4\0\377\377\377\377"
                          "\20\0\6\0\377\377\377\377"
                          "\40\0\0\0\377\377\377\377";
} // namespace

void TestResultsWriter::outputs_data()
{
    QTest::addColumn<Output>("output");
    QTest::addColumn<QString>("error"); // empty: written
    QTest::newRow("a descriptor appends") << Output::AppendingDescriptor << QString();
    QTest::newRow("a closed descriptor") << Output::ClosedDescriptor << "Descriptor %1 is not open.";
    QTest::newRow("another user's link in a shared folder")
        << Output::OthersLink
        << "it is a link that another user made in a shared folder, which is not followed";
    QTest::newRow("the user's link in a shared folder") << Output::OwnLink << QString();
    QTest::newRow("a link swapped in after the check") << Output::SwappedLink << QString();
    QTest::newRow("a name of 255 bytes") << Output::LongName << QString();
    QTest::newRow("mode and owner kept") << Output::KeptMode << QString();
    QTest::newRow("a read-only mount") << Output::ReadOnlyMount << "Read-only file system";
    QTest::newRow("another user's link as a folder in a shared folder")
        << Output::OthersFolderLink
        << "it is a link that another user made in a shared folder, which is not followed";
    QTest::newRow("another user's file in a shared folder")
        << Output::OthersFile << "it was made by another user in a shared folder; choose another name";
    QTest::newRow("access list, attributes and links kept") << Output::KeptAccess << QString();
    QTest::newRow("stale temporaries removed") << Output::StaleTemporaries << QString();
    // Refused, and reported, when the capture begins.
    QTest::newRow("a capture's link swapped in after the check") << Output::CaptureSwappedLink << QString();
}

// Where the results go, and what is left of what was there: links are
// followed only where no other user can have planted them, and a write goes
// where the check looked.
void TestResultsWriter::outputs()
{
    QFETCH(Output, output);
    QFETCH(QString, error);
    if (::geteuid() != 0 && output >= Output::OthersLink && output != Output::OwnLink &&
        output != Output::LongName)
        QSKIP("needs root, to act as another user");
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkdir("shared"));
    QVERIFY(::chmod(QFile::encodeName(folder.filePath("shared")).constData(), 01777) == 0);
    const QByteArray earlier = "earlier results\n", results = "1.5,2\r\n";
    const QString victim = folder.filePath("victim.csv"), shared = folder.filePath("shared/results.csv");
    QString path = shared, written = path;
    QFile file(victim);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(earlier) == earlier.size());
    file.close();
    int descriptor = -1;
    const auto closeDescriptor = qScopeGuard([&] { ::close(descriptor); });
    const QByteArray link = QFile::encodeName(shared);
    switch (output) {
    case Output::AppendingDescriptor:
    case Output::ClosedDescriptor:
        descriptor = ::open(QFile::encodeName(victim).constData(), O_WRONLY | O_APPEND);
        path = QStringLiteral("/dev/fd/%1").arg(descriptor);
        written = victim;
        if (output == Output::ClosedDescriptor)
            ::close(std::exchange(descriptor, -1));
        if (!error.isEmpty())
            error = error.arg(path.mid(8));
        break;
    case Output::OthersLink:
    case Output::OwnLink:
        QVERIFY(::symlink("../victim.csv", link.constData()) == 0);
        if (output == Output::OthersLink)
            QVERIFY(::lchown(link.constData(), nobody, nobody) == 0);
        written = victim;
        break;
    case Output::LongName:
        written = path = folder.filePath(QString(255, QLatin1Char('a')));
        break;
    case Output::KeptMode:
        written = path = victim;
        QVERIFY(::chown(QFile::encodeName(victim).constData(), nobody, nobody) == 0);
        QVERIFY(::chmod(QFile::encodeName(victim).constData(), 0640) == 0);
        break;
    case Output::ReadOnlyMount:
        if (QProcess::execute("mount",
                              {"-t", "tmpfs", "-o", "ro,size=64k", "tmpfs", folder.filePath("shared")}))
            QSKIP("mount is not allowed here");
        break;
    case Output::OthersFolderLink:
        QVERIFY(QDir(folder.path()).mkdir("private") && ::symlink("../private", link.constData()) == 0 &&
                ::lchown(link.constData(), nobody, nobody) == 0);
        written = path = shared + "/results.csv";
        break;
    case Output::OthersFile:
        QVERIFY(QFile::copy(victim, shared) && ::chown(link.constData(), nobody, nobody) == 0 &&
                ::chmod(link.constData(), 0666) == 0);
        break;
    case Output::KeptAccess:
        written = path = victim;
        // user::rw- user:nobody:rw- group::r-- mask::rw- other::---
        QVERIFY(::setxattr(qPrintable(victim), "system.posix_acl_access", accessList, sizeof accessList - 1,
                           0) == 0 &&
                ::setxattr(qPrintable(victim), "user.note", "kept", 4, 0) == 0 &&
                ::link(qPrintable(victim), qPrintable(shared)) == 0);
        break;
    case Output::StaleTemporaries:
        written = path = victim;
        for (const char *name : {".victim.csv.Stale1", ".victim.csv.Held01", ".victim.csv.Nobody"})
            QVERIFY(QFile(folder.filePath(name)).open(QIODevice::WriteOnly));
        QVERIFY(::chown(qPrintable(folder.filePath(".victim.csv.Nobody")), nobody, nobody) == 0);
        descriptor = ::open(qPrintable(folder.filePath(".victim.csv.Held01")), O_RDONLY);
        QVERIFY(::flock(descriptor, LOCK_EX) == 0);
        break;
    case Output::CaptureSwappedLink: {
        QString reason;
        CaptureWriter capture(ResultsWriter::placeOf(shared, reason));
        QVERIFY(::symlink("../victim.csv", link.constData()) == 0 &&
                ::lchown(link.constData(), nobody, nobody) == 0);
        capture.writeHeader({});
        capture.writeEnd(Download::Outcome::Complete, 0, {});
        capture.waitForWritten();
        QVERIFY(capture.hasFailed());
        QVERIFY(file.open(QIODevice::ReadOnly) && file.readAll() == earlier);
        return;
    }
    case Output::SwappedLink:
        break;
    }
    const auto unmount = qScopeGuard([&] {
        if (output == Output::ReadOnlyMount)
            QProcess::execute("umount", {folder.filePath("shared")});
    });

    ResultsWriter writer;
    const bool checked = writer.canWrite(path);
    if (output == Output::SwappedLink)
        QVERIFY(::symlink("../victim.csv", link.constData()) == 0 &&
                ::lchown(link.constData(), nobody, nobody) == 0);
    QCOMPARE(checked && writer.writeFile(path, results), error.isEmpty());
    QCOMPARE(writer.errorString(), error);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray expected = output == Output::AppendingDescriptor ? earlier + results : results;
    QCOMPARE(file.readAll(), written == victim && error.isEmpty() ? expected : earlier);
    QFile other(written);
    if (written != victim && error.isEmpty())
        QVERIFY(other.open(QIODevice::ReadOnly) && other.readAll() == results);
    QCOMPARE(QFileInfo(shared).isSymLink(),
             output == Output::OwnLink || output == Output::OthersLink || output == Output::OthersFolderLink);
    struct stat kept;
    if (output == Output::KeptMode)
        QVERIFY(::stat(QFile::encodeName(victim).constData(), &kept) == 0 && kept.st_uid == nobody &&
                (kept.st_mode & 0777) == 0640);
    if (output == Output::OthersFile)
        QVERIFY(other.open(QIODevice::ReadOnly) && other.readAll() == earlier);
    char value[64];
    if (output == Output::KeptAccess) {
        QCOMPARE(QByteArray(value, ::getxattr(qPrintable(victim), "system.posix_acl_access", value, 64)),
                 QByteArray(accessList, sizeof accessList - 1));
        QCOMPARE(QByteArray(value, ::getxattr(qPrintable(victim), "user.note", value, 64)), "kept");
        QFile second(shared);
        QVERIFY(second.open(QIODevice::ReadOnly) && second.readAll() == results);
    }
    if (output == Output::StaleTemporaries)
        QCOMPARE(QDir(folder.path()).entryList({".victim.csv.*"}, QDir::Hidden | QDir::Files),
                 QStringList({".victim.csv.Held01", ".victim.csv.Nobody"}));
}

// What an ordinary user's writes give in a folder where no file may be
// created: a read-only file is refused (a writable one is written in place:
// tst_savefaults).
static void writeAsOrdinaryUser(const QString &folder)
{
    ResultsWriter writer(ResultsWriter::Format::German);
    QVERIFY(!writer.writeFile(folder + "/readonly.csv", "1.5,2\r\n"));
    QCOMPARE(writer.errorString(), QStringLiteral("Permission denied"));
    QVERIFY(!writer.canWrite(folder + "/fifo") && !writer.writeFile(folder + "/fifo", "1"));
    QCOMPARE(writer.errorString(), QStringLiteral("Permission denied"));
    // The rename would fail only after the download: found by the check.
    QVERIFY(!writer.canWrite(folder + "/shared/others.csv"));
    QCOMPARE(
        writer.errorString(),
        QStringLiteral("it belongs to another user, in a shared folder where only its owner may replace it"));
}

// Run as root, whom no permission stops, this runs itself as nobody.
void TestResultsWriter::withoutPermissions()
{
    const QString given = qEnvironmentVariable("DATALOGGER_TEST_FOLDER");
    if (!given.isEmpty())
        return writeAsOrdinaryUser(given);
    QTemporaryDir folder;
    const QFile::Permissions readable = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    const QFile::Permissions listable = readable | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
    QFile old(folder.filePath("readonly.csv"));
    QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old results, longer than the new") == 32);
    QVERIFY(old.setPermissions(readable));
    old.close();
    // A shared folder like /tmp, with a file of root's that anyone may write.
    QVERIFY(QDir(folder.path()).mkdir("shared"));
    QVERIFY(::chmod(QFile::encodeName(folder.filePath("shared")).constData(), 01777) == 0);
    QFile others(folder.filePath("shared/others.csv"));
    QVERIFY(others.open(QIODevice::WriteOnly) && others.setPermissions(readable | QFile::WriteOther));
    QVERIFY(::mkfifo(QFile::encodeName(folder.filePath("fifo")).constData(), 0644) == 0);
    QVERIFY(QFile::setPermissions(folder.path(), listable));
    const auto restore =
        qScopeGuard([&] { QFile::setPermissions(folder.path(), listable | QFile::WriteOwner); });
    if (::geteuid() != 0) {
        writeAsOrdinaryUser(folder.path());
    } else {
        if (QStandardPaths::findExecutable("setpriv").isEmpty())
            QSKIP("needs setpriv (util-linux) to run this test as nobody");
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("DATALOGGER_TEST_FOLDER", folder.path());
        child.setProcessEnvironment(environment);
        child.start("setpriv", {"--reuid=nobody", "--regid=nogroup", "--clear-groups",
                                QCoreApplication::applicationFilePath(), "withoutPermissions"});
        QVERIFY(child.waitForFinished(30000));
        QVERIFY2(child.exitCode() == 0, child.readAll().constData());
    }
    QFile kept(folder.filePath("readonly.csv"));
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("old results, longer than the new"));
}

QTEST_GUILESS_MAIN(TestResultsWriter)
#include "tst_resultswriter.moc"
