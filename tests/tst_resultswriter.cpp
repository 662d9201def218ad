// Writing results as both front ends do: the German format, a disk that
// fills up part-way, and a folder where no file may be created.

#include "resultswriter.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

class TestResultsWriter : public QObject
{
    Q_OBJECT

private slots:
    void writeFile_data();
    void writeFile();
    void writeInPlaceWhereNoFileMayBeMade();
};

void TestResultsWriter::writeFile_data()
{
    QTest::addColumn<ResultsWriter::Format>("format");
    QTest::addColumn<QByteArray>("results");
    QTest::addColumn<qint64>("roomLeft"); // bytes a file may grow to; -1: no limit
    QTest::addColumn<QByteArray>("file"); // afterwards
    const QByteArray results = "1.5,2.25,PASS\r\n-0.5,3,FAIL\r\n";
    using Format = ResultsWriter::Format;
    QTest::newRow("as received") << Format::AsReceived << results << -1LL << results;
    QTest::newRow("German") << Format::German << results << -1LL
                            << QByteArray("1,5;2,25;PASS\r\n-0,5;3;FAIL\r\n");
    QTest::newRow("one byte") << Format::AsReceived << QByteArray("x") << -1LL << QByteArray("x");
    // The file system fills up after a first short write: the old file stays.
    QTest::newRow("full part-way") << Format::AsReceived << QByteArray(100000, 'x') << 4096LL
                                   << QByteArray("old results");
}

void TestResultsWriter::writeFile()
{
    QFETCH(ResultsWriter::Format, format);
    QFETCH(QByteArray, results);
    QFETCH(qint64, roomLeft);
    QFETCH(QByteArray, file);
    QTemporaryDir folder;
    const QString path = folder.filePath("results.csv");
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old results") == 11);
    old.close();

    ResultsWriter writer(format);
    bool written = false;
    if (roomLeft >= 0) {
        // A file size limit makes writes beyond it fail (EFBIG), as a full disk does.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit previous;
        ::getrlimit(RLIMIT_FSIZE, &previous);
        rlimit limited = previous;
        limited.rlim_cur = rlim_t(roomLeft);
        ::setrlimit(RLIMIT_FSIZE, &limited);
        written = writer.writeFile(path, results);
        ::setrlimit(RLIMIT_FSIZE, &previous);
    } else {
        written = writer.writeFile(path, results);
    }
    QCOMPARE(written, roomLeft < 0);
    // The cause is named, not "Unknown error".
    QCOMPARE(writer.errorString(), roomLeft < 0 ? QString() : QStringLiteral("File too large"));
    QVERIFY(old.open(QIODevice::ReadOnly));
    QVERIFY(old.readAll() == file);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{"results.csv"});
}

// A folder where no file may be created but the file may be written: the
// results are written in place. Run as root, this runs itself as nobody,
// since root may create files anywhere.
void TestResultsWriter::writeInPlaceWhereNoFileMayBeMade()
{
    const QString given = qEnvironmentVariable("DATALOGGER_TEST_IN_PLACE");
    const auto write = [](const QString &path) {
        ResultsWriter writer(ResultsWriter::Format::German);
        return writer.writeFile(path, "1.5,2\r\n") ? QString() : writer.errorString();
    };
    if (!given.isEmpty()) {
        QCOMPARE(write(given), QString());
        return;
    }
    QTemporaryDir folder;
    const QString path = folder.filePath("results.csv");
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old results, longer than the new") == 32);
    old.close();
    const auto everyone = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther | QFile::ExeOwner |
                          QFile::ExeGroup | QFile::ExeOther;
    QVERIFY(old.setPermissions(old.permissions() | QFile::WriteGroup | QFile::WriteOther));
    QVERIFY(QFile::setPermissions(folder.path(), everyone));
    if (::geteuid() != 0) {
        QCOMPARE(write(path), QString());
    } else if (QStandardPaths::findExecutable("setpriv").isEmpty()) {
        QFile::setPermissions(folder.path(), everyone | QFile::WriteOwner);
        QSKIP("needs setpriv (util-linux) to run this test as nobody");
    } else {
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("DATALOGGER_TEST_IN_PLACE", path);
        child.setProcessEnvironment(environment);
        child.start("setpriv", {"--reuid=nobody", "--regid=nogroup", "--clear-groups",
                                QCoreApplication::applicationFilePath(), "writeInPlaceWhereNoFileMayBeMade"});
        QVERIFY(child.waitForFinished(30000));
        QVERIFY2(child.exitCode() == 0, child.readAll().constData());
    }
    QFile::setPermissions(folder.path(), everyone | QFile::WriteOwner);
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("1,5;2\r\n"));
}

QTEST_GUILESS_MAIN(TestResultsWriter)
#include "tst_resultswriter.moc"
