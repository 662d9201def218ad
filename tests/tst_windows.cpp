#include "capturehold.h"
#include "capturewriter.h"
#include "germannumberformat.h"
#include "interruptedcaptures.h"
#include "openfordownload.h"
#include "portdiagnosis.h"
#include "windowtest.h"
#include "winserialdevice.h"
#include "winserialdeviceasync.h"

#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <memory>

// Why a port did not open, with Windows' reasons; a whole download through
// the window from the tester simulator that tools/test-windows puts on COM12
// (opened as \\.\COM12): saved into a folder with a non-ASCII name, converted
// in a German run, the port and the file stored in the registry.
class TestWindows : public WindowTest
{
    Q_OBJECT

private slots:
    // Why a COM port did not open, from Windows' own error on a real open
    // (tools/test-windows links COM31 to a device that is no serial line and
    // COM32 to nothing).
    void diagnosis_data()
    {
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("text");
        QTest::newRow("held by another program")
            << "COM12"
            << "COM12 is in use by another program. Close it, then try again.";
        QTest::newRow("not there")
            << "COM77"
            << "COM77 does not exist: check the name, or plug in the adapter and refresh the port list.";
        QTest::newRow("link to nothing")
            << "\\\\.\\COM32"
            << "COM32 does not exist: check the name, or plug in the adapter and refresh the port list.";
        // Windows' own text for its error (Wine's differs from Windows' here).
        QTest::newRow("no serial line: Windows' text") << "COM31"
                                                       << "COM31 could not be opened: %1 (error %2).";
    }

    void diagnosis()
    {
        QFETCH(QString, port);
        QFETCH(QString, text);
        if (qEnvironmentVariableIsEmpty("DATALOGGER_TEST_TESTER_PORT"))
            QSKIP("Needs the ports of tools/test-windows");
        Kv::WinSerialDevice holder("COM12");
        QVERIFY(holder.openPort(QIODevice::ReadWrite, 50, 50));
        Kv::WinSerialDeviceAsync device(nullptr, port);
        const Kv::PortDiagnosis diagnosis = Kv::openForDownload(device, port);
        if (diagnosis.cause == Kv::PortDiagnosis::Cause::None && port == "COM12")
            QSKIP("Wine lets a second handle open a COM port");
        const int error = int(diagnosis.errorCode);
        QCOMPARE(diagnosis.informativeText(), text.arg(qt_error_string(error).chopped(1)).arg(error));
    }

    // The lock on a capture being written (LockFileEx), which the system
    // drops with the process: one cut off without its end is offered at the
    // next start, one still being written is not.
    void interruptedCapture()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath("download-2026-12-07-091412-345.capture");
        auto writer = std::make_unique<CaptureWriter>(path);
        CaptureFormat::Header header;
        header.time = QDateTime({2026, 12, 7}, {9, 14});
        writer->writeHeader(header);
        writer->writeChunk(5, "1.5,2\r\n", 7);
        QTRY_VERIFY(CaptureHold::isHeld(path));
        QVERIFY(InterruptedCaptures(folder.path()).list().isEmpty());
        // Ended without its end, as by a kill.
        writer.reset();
        QVERIFY(CaptureWriter::waitForAll());
        QVERIFY(!CaptureHold::isHeld(path));
        QCOMPARE(InterruptedCaptures(folder.path()).list(), QStringList{path});
        QByteArray arrived;
        QDateTime time;
        QVERIFY(InterruptedCaptures::read(path, arrived, time));
        QCOMPARE(arrived, QByteArray("1.5,2\r\n"));
        QVERIFY(CaptureFolder::markOffered(path));
        QVERIFY(InterruptedCaptures(folder.path()).list().isEmpty());
    }

    // Adapters plugged in and out (entered in the registry, then announced as
    // Windows does): the list follows, the user's choice stays, and a
    // download runs on it. Only a window of the windows platform hears it,
    // and under Wine only with an X display (without one Wine makes no window).
    void deviceChanges()
    {
        const QString port = qEnvironmentVariable("DATALOGGER_TEST_TESTER_PORT");
        if (port.isEmpty() || QGuiApplication::platformName() != "windows")
            QSKIP("Needs the windows platform and the simulator: run through tools/test-windows");
        QSettings usb(QStringLiteral("HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Enum\\USB"),
                      QSettings::NativeFormat);
        const auto unplug = qScopeGuard([&usb] { usb.remove("VID_1A86&PID_7523"); });
        MainWindow window;
        auto *ports = window.findChild<QComboBox *>("comPorts");
        window.show();
        ports->setCurrentIndex(ports->findText(port));
        emit ports->activated(ports->currentIndex());
        QCOMPARE(ports->currentText(), port);
        const QStringList events{"arrival", "removal", "nodes"};
        for (const QString &event : events) {
            if (event == "removal") {
                usb.remove("VID_1A86&PID_7523");
            } else {
                usb.beginGroup("VID_1A86&PID_7523/SN21");
                usb.setValue("ClassGUID", "{4d36e978-e325-11ce-bfc1-08002be10318}");
                usb.setValue("HardwareID",
                             QStringList{"USB\\VID_1A86&PID_7523&REV_0264", "USB\\VID_1A86&PID_7523"});
                usb.setValue("Device Parameters/PortName", "COM21");
                usb.endGroup();
                usb.sync();
            }
            // Sent to every window, so this thread must go on taking messages.
            QProcess announce;
            announce.start(QCoreApplication::applicationDirPath() + "/devicebroadcast.exe",
                           event == "nodes" ? QStringList{event} : QStringList{event, "COM21"});
            QTRY_COMPARE(announce.state(), QProcess::NotRunning);
            QCOMPARE(announce.exitCode(), 0);
            const int plugged = event == "removal" ? -1 : 0;
            QTRY_COMPARE(ports->findText("COM21"), plugged);
            QCOMPARE(ports->currentText(), port);
        }
        QCOMPARE(ports->itemData(0, Qt::ToolTipRole).toString(),
                 "COM21\nVID:PID: 1a86:7523\nSerial number: SN21\nDevice: \\\\.\\COM21");
        downloadInto(window, folder->filePath("results.csv"));
    }

    void download_data()
    {
        QTest::addColumn<QLocale::Language>("language");
        QTest::addColumn<bool>("converted");
        QTest::newRow("English") << QLocale::English << false;
        QTest::newRow("German, converted") << QLocale::German << true;
    }

    void download()
    {
        QFETCH(QLocale::Language, language);
        QFETCH(bool, converted);
        const QString port = qEnvironmentVariable("DATALOGGER_TEST_TESTER_PORT");
        QFile sent(qEnvironmentVariable("DATALOGGER_TEST_TESTER_RESULTS"));
        if (port.isEmpty() || !sent.open(QIODevice::ReadOnly))
            QSKIP("Needs the tester simulator on a COM port: run through tools/test-windows");

        QLocale::setDefault(QLocale(language));
        QSettings().setValue("ConvertData", converted);
        const QString path = folder->filePath(QStringLiteral("J\u00fcrgen/results.csv"));
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        {
            MainWindow window;
            auto *ports = window.findChild<QComboBox *>("comPorts");
            ports->setCurrentIndex(ports->findText(port));
            QCOMPARE(ports->currentText(), port);
            window.show();
            downloadInto(window, path);
        }
        QCOMPARE(readFile(path).toLatin1(),
                 converted ? toGermanNumberFormat(sent.readAll()) : sent.readAll());
        const QSettings registry(QStringLiteral("HKEY_CURRENT_USER\\Software\\THALDEN\\THALDEN Datalogger"),
                                 QSettings::NativeFormat);
        QCOMPARE(registry.value("Device/PortName").toString(), port);
        QCOMPARE(registry.value("Device/LastSavedFilePath").toString(), path);
    }

private:
    // Downloads on the port chosen in window and saves to path.
    void downloadInto(MainWindow &window, const QString &path)
    {
        answerSaveDialog(path);
        catchWarning();
        window.findChild<QPushButton *>("downloadBtn")->click();
        // The save dialog opens by itself at the end of the transfer.
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(path), 60000);
        QCOMPARE(warningText, QString());
    }
};

DATALOGGER_TEST_MAIN(TestWindows)
#include "tst_windows.moc"
