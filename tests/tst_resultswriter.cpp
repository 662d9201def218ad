// Writing results as both front ends do: the German format, and files and
// folders the user may not write (failing disks: tst_savefaults).

#include "resultswriter.h"

#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

class TestResultsWriter : public QObject
{
    Q_OBJECT

private slots:
    void writeFile_data();
    void writeFile();
    void withoutPermissions();
};

void TestResultsWriter::writeFile_data()
{
    QTest::addColumn<ResultsWriter::Format>("format");
    QTest::addColumn<QByteArray>("results");
    QTest::addColumn<QByteArray>("file"); // afterwards
    const QByteArray results = "1.5,2.25,PASS\r\n-0.5,3,FAIL\r\n";
    using Format = ResultsWriter::Format;
    QTest::newRow("as received") << Format::AsReceived << results << results;
    QTest::newRow("German") << Format::German << results << QByteArray("1,5;2,25;PASS\r\n-0,5;3;FAIL\r\n");
    QTest::newRow("one byte") << Format::AsReceived << QByteArray("x") << QByteArray("x");
}

void TestResultsWriter::writeFile()
{
    QFETCH(ResultsWriter::Format, format);
    QFETCH(QByteArray, results);
    QFETCH(QByteArray, file);
    QTemporaryDir folder;
    const QString path = folder.filePath("results.csv");
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old results") == 11);
    old.close();

    ResultsWriter writer(format);
    QVERIFY2(writer.writeFile(path, results), qPrintable(writer.errorString()));
    QVERIFY(old.open(QIODevice::ReadOnly));
    QVERIFY(old.readAll() == file);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{"results.csv"});
}

// What an ordinary user's writes give in a folder where no file may be
// created: a writable file is written in place, a read-only one refused.
static void writeAsOrdinaryUser(const QString &folder)
{
    ResultsWriter writer(ResultsWriter::Format::German);
    QVERIFY2(writer.writeFile(folder + "/writable.csv", "1.5,2\r\n"), qPrintable(writer.errorString()));
    QVERIFY(!writer.writeFile(folder + "/readonly.csv", "1.5,2\r\n"));
    QCOMPARE(writer.errorString(),
             QStringLiteral("Existing file %1/readonly.csv is not writable").arg(folder));
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
    for (const char *name : {"writable.csv", "readonly.csv"}) {
        QFile old(folder.filePath(name));
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old results, longer than the new") == 32);
        const QFile::Permissions write =
            name[0] == 'w' ? QFile::WriteOwner | QFile::WriteOther : QFile::Permissions();
        QVERIFY(old.setPermissions(readable | write));
    }
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
    QFile written(folder.filePath("writable.csv")), kept(folder.filePath("readonly.csv"));
    QVERIFY(written.open(QIODevice::ReadOnly) && kept.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), QByteArray("1,5;2\r\n"));
    QCOMPARE(kept.readAll(), QByteArray("old results, longer than the new"));
}

QTEST_GUILESS_MAIN(TestResultsWriter)
#include "tst_resultswriter.moc"
