// The window on a real serial port, which tools/test-real-serial names in
// DATALOGGER_TEST_REAL_PORT inside its virtual machine (a 16550A UART on the
// 8250 driver, an FTDI adapter on ftdi_sio), with the tester simulator
// sending DATALOGGER_TEST_TESTER_RESULTS at 9600 bit/s on the far end. The
// port list is the system's own, and follows udev's events.

#include "downloadsession.h"
#include "windowtest.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QPushButton>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

class TestRealPort : public QObject, public WindowTest
{
    Q_OBJECT

private slots:
    void init()
    {
        // A pseudo-terminal for comparison is listed through DATALOGGER_EXTRA_PORTS.
        const QByteArray extraPorts = qgetenv("DATALOGGER_EXTRA_PORTS");
        setUp();
        qputenv("DATALOGGER_EXTRA_PORTS", extraPorts);
        port = qEnvironmentVariable("DATALOGGER_TEST_REAL_PORT");
        QFile sent(qEnvironmentVariable("DATALOGGER_TEST_TESTER_RESULTS"));
        if (port.isEmpty() || !sent.open(QIODevice::ReadOnly))
            QSKIP("Needs a real port with the tester on it: run through tools/test-real-serial");
        results = sent.readAll();
    }
    void cleanup()
    {
        tearDown();
    }

    // Byte for byte, and how long the last byte takes to become the save dialog.
    void download()
    {
        MainWindow window;
        QCOMPARE(choose(window, port)->currentData().toString(), port);
        window.show();
        downloadInto(window, folder->filePath("results.csv"));
        QCOMPARE(readFile(folder->filePath("results.csv")).toLatin1(), results);
        say("@@figure " +
            QStringLiteral("window on %1: last byte -> save dialog %2 ms").arg(port).arg(lastByteToDialog));
    }

    // The adapter pulled out mid-transfer: the bytes that came are kept, the
    // message is the true one, and the port leaves the list. Plugged back in
    // while a program still holds its old node, it comes back under another
    // name; the choice follows it by its stable path, and downloads again.
    void pulledAndPluggedBack()
    {
        const QString stablePath = stablePathOf(port);
        QVERIFY2(!stablePath.isEmpty(), qPrintable(port + " has no /dev/serial/by-id/ link"));
        MainWindow window;
        auto *ports = choose(window, port);
        QCOMPARE(ports->currentData().toString(), port);
        window.show();
        window.findChild<QPushButton *>("downloadBtn")->click();
        auto *session = window.findChild<DownloadSession *>();
        QVERIFY(session);
        QTRY_VERIFY_WITH_TIMEOUT(session->received().size() >= 2000, 30000);
        const int held = ::open(QFile::encodeName(port).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        QVERIFY(held >= 0);
        // The window says why, then asks where to save what came.
        QElapsedTimer sincePull;
        qint64 toMessage = -1, toGone = -1;
        TestSupport::whenShown<QMessageBox>([&](QMessageBox *box) {
            toMessage = sincePull.elapsed();
            warningText = box->text();
            box->accept();
        });
        QTimer listed;
        connect(&listed, &QTimer::timeout, this, [&] {
            if (toGone < 0 && ports->findData(port) < 0)
                toGone = sincePull.elapsed();
        });
        listed.start(10);
        const QString kept = folder->filePath("kept.csv");
        answerSaveDialog(kept);
        sincePull.start();
        say("@@host usb pull");
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(kept) && toGone >= 0, 30000);
        say(QStringLiteral("@@figure pull -> message %1 ms, pull -> port gone from the list %2 ms")
                .arg(toMessage)
                .arg(toGone));
        QVERIFY2(warningText.startsWith("The connection to the tester was lost after"),
                 qPrintable(warningText));
        const QByteArray saved = readFile(kept).toLatin1();
        QVERIFY2(saved.size() >= 2000 && results.startsWith(saved),
                 qPrintable(QString::number(saved.size())));

        say("@@host usb plug");
        QTRY_VERIFY_WITH_TIMEOUT(
            ports->count() > 0 && stablePathOf(ports->currentData().toString()) == stablePath, 60000);
        QVERIFY2(ports->currentData().toString() != port, "came back under its old name");
        ::close(held);
        warningText.clear();
        downloadInto(window, folder->filePath("again.csv"));
        QCOMPARE(readFile(folder->filePath("again.csv")).toLatin1(), results);
    }

private:
    // Shows port as the window's choice, once udev has listed it.
    static QComboBox *choose(MainWindow &window, const QString &path)
    {
        auto *ports = window.findChild<QComboBox *>("comPorts");
        [[maybe_unused]] const bool listed =
            QTest::qWaitFor([&] { return ports->findData(path) >= 0; }, 10000);
        ports->setCurrentIndex(ports->findData(path));
        emit ports->activated(ports->currentIndex());
        return ports;
    }

    static QString stablePathOf(const QString &node)
    {
        const QString target = QFileInfo(node).canonicalFilePath();
        for (QDirIterator links(QStringLiteral("/dev/serial/by-id"),
                                QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
             links.hasNext();) {
            if (QFileInfo(links.next()).canonicalFilePath() == target)
                return links.filePath();
        }
        return QString();
    }

    // Downloads on the chosen port into path, timing the last byte to the save dialog.
    void downloadInto(MainWindow &window, const QString &path)
    {
        QElapsedTimer sinceByte;
        lastByteToDialog = -1;
        TestSupport::whenShown<QFileDialog>([&](QFileDialog *) { lastByteToDialog = sinceByte.elapsed(); });
        answerSaveDialog(path);
        catchWarning();
        window.findChild<QPushButton *>("downloadBtn")->click();
        auto *session = window.findChild<DownloadSession *>();
        QVERIFY(session);
        connect(session, &DownloadSession::chunkReceived, this, [&sinceByte] { sinceByte.start(); });
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(path), 60000);
        QCOMPARE(warningText, QString());
    }

    // A line for tools/test-real-serial: a figure, or a request to its bench.
    static void say(const QString &line)
    {
        std::printf("%s\n", qPrintable(line));
        std::fflush(stdout);
    }

    QString port;
    QByteArray results;
    qint64 lastByteToDialog = -1;
};

DATALOGGER_TEST_MAIN(TestRealPort)
#include "tst_realport.moc"
