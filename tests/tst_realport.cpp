// The window on a real serial port, which tools/test-real-serial names in
// DATALOGGER_TEST_REAL_PORT inside its virtual machine (a 16550A UART on the
// 8250 driver, an FTDI adapter on ftdi_sio), with the tester simulator
// sending DATALOGGER_TEST_TESTER_RESULTS at 9600 bit/s on the far end. The
// port list is the system's own, and follows udev's events.

#include "downloadsession.h"
#include "windowtest.h"

#include <QElapsedTimer>
#include <QPushButton>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

class TestRealPort : public WindowTest
{
    Q_OBJECT

private slots:
    void init()
    {
        // A pseudo-terminal for comparison is listed through DATALOGGER_EXTRA_PORTS.
        const QByteArray extraPorts = qgetenv("DATALOGGER_EXTRA_PORTS");
        WindowTest::init();
        qputenv("DATALOGGER_EXTRA_PORTS", extraPorts);
        port = qEnvironmentVariable("DATALOGGER_TEST_REAL_PORT");
        QFile sent(qEnvironmentVariable("DATALOGGER_TEST_TESTER_RESULTS"));
        if (port.isEmpty() || !sent.open(QIODevice::ReadOnly))
            QSKIP("Needs a real port with the tester on it: run through tools/test-real-serial");
        results = sent.readAll();
    }

    void download()
    {
        MainWindow window;
        QCOMPARE(choose(window, port)->currentData().toString(), port);
        downloadInto(window, folder->filePath("results.csv"));
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
        window.findChild<QPushButton *>("downloadBtn")->click();
        QTRY_VERIFY_WITH_TIMEOUT(window.findChild<DownloadSession *>()->received().size() >= 2000, 30000);
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
        answerSaveDialog(folder->filePath("kept.csv"));
        sincePull.start();
        say("@@host usb pull");
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(folder->filePath("kept.csv")) && toGone >= 0, 30000);
        say(QStringLiteral("@@figure pull -> message %1 ms, pull -> port gone from the list %2 ms")
                .arg(toMessage)
                .arg(toGone));
        QVERIFY2(warningText.startsWith("The connection to the tester was lost after"),
                 qPrintable(warningText));
        const QByteArray saved = readFile(folder->filePath("kept.csv")).toLatin1();
        QVERIFY2(saved.size() >= 2000 && results.startsWith(saved),
                 qPrintable(QString::number(saved.size())));

        say("@@host usb plug");
        QTRY_VERIFY_WITH_TIMEOUT(stablePathOf(ports->currentData().toString()) == stablePath, 60000);
        QVERIFY2(ports->currentData().toString() != port, "came back under its old name");
        ::close(held);
        warningText.clear();
        downloadInto(window, folder->filePath("again.csv"));
    }

private:
    // Shows port as the window's choice, once udev has listed it.
    static QComboBox *choose(MainWindow &window, const QString &path)
    {
        window.show();
        auto *ports = window.findChild<QComboBox *>("comPorts");
        if (QTest::qWaitFor([&] { return ports->findData(path) >= 0; }, 10000)) {
            ports->setCurrentIndex(ports->findData(path));
            emit ports->activated(ports->currentIndex());
        }
        return ports;
    }

    static QString stablePathOf(const QString &node)
    {
        const QString target = QFileInfo(node).canonicalFilePath();
        for (const QFileInfo &link : QDir(QStringLiteral("/dev/serial/by-id")).entryInfoList(QDir::System)) {
            if (!target.isEmpty() && link.canonicalFilePath() == target)
                return link.filePath();
        }
        return QString();
    }

    // Downloads on the chosen port into path, byte for byte, and tells how
    // long the last byte takes to become the save dialog.
    void downloadInto(MainWindow &window, const QString &path)
    {
        QElapsedTimer sinceByte;
        qint64 lastByteToDialog = -1;
        TestSupport::whenShown<QFileDialog>([&](QFileDialog *) { lastByteToDialog = sinceByte.elapsed(); });
        answerSaveDialog(path);
        catchWarning();
        window.findChild<QPushButton *>("downloadBtn")->click();
        connect(window.findChild<DownloadSession *>(), &DownloadSession::chunkReceived, this,
                [&sinceByte] { sinceByte.start(); });
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(path), 60000);
        QCOMPARE(warningText, QString());
        QCOMPARE(readFile(path).toLatin1(), results);
        say(QStringLiteral("@@figure window on %1: last byte -> save dialog %2 ms")
                .arg(window.findChild<QComboBox *>("comPorts")->currentData().toString())
                .arg(lastByteToDialog));
    }

    // A line for tools/test-real-serial: a figure, or a request to its bench.
    static void say(const QString &line)
    {
        std::printf("%s\n", qPrintable(line));
        std::fflush(stdout);
    }

    QString port;
    QByteArray results;
};

DATALOGGER_TEST_MAIN(TestRealPort)
#include "tst_realport.moc"
