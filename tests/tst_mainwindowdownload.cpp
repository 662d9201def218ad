#include "capturefailurelabel.h"
#include "capturefolder.h"
#include "dataamount.h"
#include "downloadreport.h"
#include "downloadsession.h"
#include "testersimulator.h"
#include "testersimulatorthread.h"
#include "windowtest.h"
#include "winserialdevice.h"
#include "winserialdeviceasync.h"

#include <QPointer>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTextBlock>

#include <sys/stat.h>

// Downloads through a simulated tester: the whole transfer, Cancel, a port
// that does not open, a transfer that ends early, data of any kind, closing
// mid-transfer, and the next download. How a transfer ends is the download
// session's (tst_downloadsession); these show what the window makes of it.
class TestMainWindowDownload : public WindowTest
{
    Q_OBJECT

private slots:
    void cancel_data();
    void cancel();
    void failedOpen_data();
    void failedOpen();
    void transfers_data();
    void transfers();
    void closingMidTransfer_data();
    void closingMidTransfer();
    void downloadAgain();
    void captureNotWritten();

private:
    // Counts the save dialogs that open, cancelling them.
    void cancelSaveDialogs();

    int saveDialogs = 0;
};

void TestMainWindowDownload::cancelSaveDialogs()
{
    saveDialogs = 0;
    auto *timer = new QTimer(TestSupport::watchers());
    connect(timer, &QTimer::timeout, this, [this] {
        if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
            ++saveDialogs;
            dialog->reject();
        }
    });
    timer->start(10);
}

void TestMainWindowDownload::cancel_data()
{
    QTest::addColumn<int>("bitsPerSecond");
    QTest::addColumn<int>("cancelAfter"); // bytes received; -1: while waiting for the tester
    QTest::addColumn<bool>("closing");    // the window instead of Cancel
    QTest::newRow("while waiting") << 9600 << -1 << false;
    // The display lags behind the data and catches up after the Cancel.
    QTest::newRow("at full speed") << 0 << 5000000 << false;
    QTest::newRow("window closed") << 0 << 2000000 << true;
}

// Cancel ends the download at once and keeps what came, unsaved; the save
// dialog does not open, not even for a time-out queued before the Cancel.
void TestMainWindowDownload::cancel()
{
    QFETCH(int, bitsPerSecond);
    QFETCH(int, cancelAfter);
    QFETCH(bool, closing);
    TesterSimulator::Options options;
    options.bitsPerSecond = bitsPerSecond;
    options.size = 2 * qint64(cancelAfter) + 10000;
    options.neverAnswer = cancelAfter < 0;
    TesterSimulatorThread testerThread(options);
    const TesterSimulator &tester = *testerThread.tester;
    QVERIFY(tester.isRunning());
    auto window = windowOnPort(tester.portPath());
    window->downloadedData = "earlier download";
    window->savedFilePath = "/earlier";
    window->ui.saveBtn->show();
    cancelSaveDialogs();
    window->show();

    QElapsedTimer sinceDownload;
    sinceDownload.start();
    QTest::mouseClick(window->ui.downloadBtn, Qt::LeftButton);
    QVERIFY(window->downloadedData.isEmpty());
    // Destroyed once every event queued before its end has come.
    const QPointer<DownloadSession> session = window->session;
    if (cancelAfter < 0) {
        // The second click of a double click lands on Cancel, in Download's place.
        QTest::mouseDClick(window->ui.cancelBtn, Qt::LeftButton);
        QVERIFY(sinceDownload.elapsed() < QApplication::doubleClickInterval());
        QSignalSpy timeOuts(window->session->findChild<Kv::WinSerialDeviceAsync *>(),
                            &Kv::WinSerialDeviceAsync::readTimeOut);
        QTRY_VERIFY_WITH_TIMEOUT(
            timeOuts.count() >= 10 && sinceDownload.elapsed() > QApplication::doubleClickInterval(), 10000);
        checkState(*window, true);
        QCOMPARE(window->statusBar()->currentMessage(),
                 QStringLiteral("Now initiate the download on the tester"));
        QTest::mouseClick(window->ui.cancelBtn, Qt::LeftButton);
    } else {
        QTRY_VERIFY_WITH_TIMEOUT(window->results().size() > cancelAfter, 10000);
        QCOMPARE(window->statusBar()->currentMessage(), QStringLiteral("Downloading..."));
        if (closing) {
            // After the question about the results: the download ends with the window.
            TestSupport::whenShown<QMessageBox>(
                [](QMessageBox *box) { box->button(QMessageBox::Discard)->click(); });
            QVERIFY(window->close());
            window.reset();
            QVERIFY(session.isNull());
            QCoreApplication::processEvents();
            QCOMPARE(saveDialogs, 0);
            QCOMPARE(QSettings().value("Device/PortName").toString(), tester.portPath().mid(5));
            return;
        }
        window->ui.cancelBtn->click();
    }
    const QByteArray kept = window->downloadedData;

    checkState(*window, false, cancelAfter > 0);
    QVERIFY(window->ui.openBtn->isHidden());
    QVERIFY(window->statusBar()->currentMessage().isEmpty());
    QVERIFY(tester.payload().startsWith(kept));
    QTRY_COMPARE_WITH_TIMEOUT(window->ui.outputTextEdit->toPlainText(),
                              QString::fromLatin1(kept).remove(QLatin1Char('\r')), 20000);
    QCOMPARE(window->downloadedData, kept);
    QTRY_VERIFY(session.isNull());
    QCOMPARE(saveDialogs, 0);
}

void TestMainWindowDownload::failedOpen_data()
{
    QTest::addColumn<QString>("port"); // not listed, held by another device, or gone after the request
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("detail"); // %1 the port, %2 this process
    const QString failed = "Failed to connect. Please check the device is connected and switched on";
    QTest::newRow("no port listed")
        << "unlisted" << failed
        << "No serial port was found. Connect the tester's cable or USB adapter, "
           "check that the adapter's driver is installed, then refresh the port list.";
    QTest::newRow("port held by another device")
        << "held" << failed
        << "%1 is in use by tst_mainwindowdownload (process %2). Close that program, then try again.";
    QTest::newRow("port gone before any data")
        << "gone"
        << "The port was lost before any results arrived."
        << "%1 went away while waiting for the tester: is the adapter plugged in? Plug it in, then refresh "
           "the port list and download again.";
}

// A port that does not open, or goes before any data, is explained in a box,
// once, as what happened; the window is ready for the next try, without the
// earlier results.
void TestMainWindowDownload::failedOpen()
{
    QFETCH(QString, port);
    QFETCH(QString, text);
    QFETCH(QString, detail);
    TesterSimulator tester;
    TesterSimulator::Options options;
    options.neverAnswer = true;
    tester.setOptions(options);
    QVERIFY(tester.start());
    auto window = windowOnPort(tester.portPath());
    Kv::WinSerialDevice holder(tester.portPath());
    if (port == "held")
        QVERIFY(holder.openPort(QIODevice::ReadWrite, 50, 50));
    else if (port == "unlisted")
        window->ui.comPorts->clear();
    window->downloadedData = "earlier download";
    window->savedFilePath = "/earlier";
    window->ui.outputTextEdit->setPlainText("earlier download");
    window->ui.openBtn->show();
    window->ui.saveBtn->show();
    catchWarning();

    const QByteArray errors = serialFailuresOf([&] {
        window->ui.downloadBtn->click();
        if (port == "gone") {
            QTRY_VERIFY_WITH_TIMEOUT(tester.receivedBytes().endsWith("ALL\r\n"), 10000);
            tester.hangUp();
            QTRY_VERIFY_WITH_TIMEOUT(!window->session, 10000);
        }
    });
    QVERIFY2(errors.count("error") <= 2 && errors.size() < 300, errors.constData());
    QCOMPARE(warningText, text);
    QCOMPARE(warningDetail, detail.arg(tester.portPath().mid(5)).arg(QCoreApplication::applicationPid()));
    checkState(*window, false);
    QVERIFY(window->ui.openBtn->isHidden());
    QVERIFY(window->downloadedData.isEmpty());
    QVERIFY(window->ui.outputTextEdit->toPlainText().isEmpty());
    QVERIFY(window->statusBar()->currentMessage().isEmpty());
    QCOMPARE(tester.receivedBytes().isEmpty(), port != "gone");
}

void TestMainWindowDownload::transfers_data()
{
    QTest::addColumn<TesterSimulator::Noise>("noise");
    QTest::addColumn<qint64>("size");
    QTest::addColumn<QByteArray>("file"); // sent instead of the results when not empty
    QTest::addColumn<qint64>("hangUpAt");
    QTest::addColumn<int>("rate"); // bit/s; 0: full speed
    const auto row = [](const char *name, TesterSimulator::Noise noise, qint64 size,
                        const QByteArray &file = {}, qint64 hangUpAt = -1, int rate = 0) {
        QTest::newRow(name) << noise << size << file << hangUpAt << rate;
    };
    using Noise = TesterSimulator::Noise;
    // Records of one line each, paced, a little after the request as the user starts the transfer.
    row("the results, paced", Noise::None, -1, {}, -1, 200000);
    row("hang-up mid-transfer", Noise::None, 300000, {}, 100000);
    row("binary bursts over the text", Noise::Mixed, 300000);
    row("10 MB of binary", Noise::Only, 10000000);
    row("one byte", Noise::None, -1, "x");
    row("NUL, CR and 0xFF in lines", Noise::None, -1, QByteArray("ab\0cd\r\nef\rgh\xff\0\r\n", 17));
    row("NUL and 0xFF only", Noise::None, -1, QByteArray(100000, '\0') + QByteArray(100000, '\xff'));
    row("lines of 64 KiB and one more", Noise::None, -1,
        QByteArray(65536, 'a') + "\r\n" + QByteArray(65537, 'b') + "\n");
    row("12 MB without a line break", Noise::None, -1, QByteArray(12000000, 'x'));
    row("100 MB of results", Noise::None, 100000000);
}

// What the output shows of data: no NUL bytes or carriage returns, and lines
// of more than 64 KiB in pieces of 64 KiB.
static QString displayed(const QByteArray &data)
{
    QStringList lines;
    const QString text = QString::fromLatin1(data).remove(QChar(0)).remove(QLatin1Char('\r'));
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        for (qsizetype at = 0; at == 0 || at < line.size(); at += 65536)
            lines << line.mid(at, 65536);
    }
    return lines.join(QLatin1Char('\n'));
}

// The window keeps answering while it takes data of any kind at full speed;
// the display drops only NUL and carriage returns; the file is what was sent.
// A pulled cable or data that ends mid-line ends the transfer too, but says
// so before the save dialog.
void TestMainWindowDownload::transfers()
{
    QFETCH(TesterSimulator::Noise, noise);
    QFETCH(qint64, size);
    QFETCH(QByteArray, file);
    QFETCH(qint64, hangUpAt);
    QFETCH(int, rate);
    TesterSimulator::Options options;
    options.bitsPerSecond = rate;
    options.delayMs = rate > 0 ? 300 : 0;
    options.noise = noise;
    options.size = size;
    options.hangUpAt = hangUpAt;
    if (!file.isEmpty()) {
        options.filePath = folder->filePath("input.bin");
        QFile input(options.filePath);
        QVERIFY(input.open(QIODevice::WriteOnly) && input.write(file) == file.size());
    }
    TesterSimulatorThread testerThread(options);
    TesterSimulator *tester = testerThread.tester;
    QVERIFY(tester->isRunning());
    auto window = windowOnPort(tester->portPath());
    window->show();
    // Gaps in the window thread's own CPU time: the work that keeps the window from
    // answering counts whole, and other processes on a loaded machine, which only
    // stretch the gaps on the clock, cannot fail the limit.
    const auto cpuMs = [] {
        timespec now;
        ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return qint64(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
    };
    qint64 lastTick = 0, longestGap = 0;
    QTimer ticks;
    connect(&ticks, &QTimer::timeout, this, [&] {
        longestGap = qMax(longestGap, cpuMs() - lastTick);
        lastTick = cpuMs();
    });
    // Up to the end of the transfer: the save dialog, which comes after any warning.
    QString warnedBeforeSaving;
    TestSupport::whenShown<QFileDialog>([&](QFileDialog *) {
        ticks.stop();
        warnedBeforeSaving = warningText;
    });
    const QString path = folder->filePath("out.bin");
    answerSaveDialog(path);
    catchWarning();
    ticks.start(10);
    lastTick = cpuMs();
    QElapsedTimer clock;
    clock.start();
    window->ui.downloadBtn->click();
    checkState(*window, true);
    QCOMPARE(window->statusBar()->currentMessage(),
             QStringLiteral("Now initiate the download on the tester"));
    QCOMPARE(window->amountLabel->text(), QStringLiteral("0 bytes"));
    if (rate > 0) {
        // The text shows as it arrives, before the transfer has ended.
        QTRY_VERIFY_WITH_TIMEOUT(!window->ui.outputTextEdit->document()->isEmpty(), 10000);
        QVERIFY(window->session);
    }
    // The save dialog opens by itself at the end.
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(path), 240000);
    qInfo("%lld bytes in %lld ms, longest gap between 10 ms ticks %lld ms of CPU",
          qint64(window->downloadedData.size()), clock.elapsed(), longestGap);

    const QByteArray sent = tester->payload().left(hangUpAt >= 0 ? hangUpAt : tester->payloadSize());
    // Control characters after the last line end make no line.
    const QByteArray tail = sent.mid(qMax(sent.lastIndexOf('\n'), sent.lastIndexOf('\r')) + 1);
    const bool midLine = tail.size() == sent.size() || std::any_of(tail.begin(), tail.end(), [](char c) {
                             return (uchar(c) >= 0x20 && c != 0x7f) || c == '\t';
                         });
    QVERIFY(window->downloadedData == sent);
    QVERIFY(readFile(path).toLatin1() == sent);
    // Kept from the end of the transfer until they were saved.
    QVERIFY(RecoveryStore::keptFiles().isEmpty());
    // The raw text: toPlainText() would turn no-break spaces into spaces.
    QVERIFY(window->ui.outputTextEdit->document()->toRawText().replace(QChar::ParagraphSeparator, '\n') ==
            displayed(sent));
    checkState(*window, false, true);
    QVERIFY(!window->ui.openBtn->isHidden());
    QCOMPARE(window->statusBar()->currentMessage(), QStringLiteral("File successfully saved"));
    QCOMPARE(window->amountLabel->text(), dataAmount(sent.size()));
    if (rate > 0) {
        // One record to a line, wider than the window: it scrolls sideways.
        QCOMPARE(window->ui.outputTextEdit->document()->lastBlock().previous().layout()->lineCount(), 1);
        QVERIFY(window->ui.outputTextEdit->horizontalScrollBar()->maximum() > 0);
    }
    // Results that may be incomplete are said to be so before the save dialog.
    QCOMPARE(warnedBeforeSaving.endsWith("The results may be incomplete."), hangUpAt >= 0 || midLine);
#ifdef __SANITIZE_ADDRESS__
    // AddressSanitizer maps and poisons each large block afresh, its realloc()
    // copies every block it grows (half a second for the 100 MB of results),
    // and the text field allocates megabytes for every 64 KiB line it draws.
    const qint64 gapLimit = 1000;
#else
    const qint64 gapLimit = 250;
#endif
    QVERIFY2(longestGap < gapLimit, qPrintable(QString::number(longestGap)));

    // Once the transfer's capture is complete, the captures are within their
    // limit, a 100 MB transfer's too.
    const QDir captures(CaptureFolder::defaultPath());
    auto keptWithin = [&] {
        QFile newest(captures.filePath(CaptureFolder().captures().constLast()));
        qint64 kept = 0;
        for (const QFileInfo &capture : captures.entryInfoList(QDir::Files))
            kept += capture.size();
        return newest.open(QIODevice::ReadOnly) && newest.seek(qMax<qint64>(0, newest.size() - 200)) &&
               newest.readAll().contains("\nend ") && kept <= CaptureFolder::defaultMaxBytes;
    };
    QTRY_VERIFY_WITH_TIMEOUT(keptWithin(), 20000);
    // The captures are the user's alone; the saved results are an ordinary file.
    struct stat folder, newest, saved;
    QVERIFY(::stat(QFile::encodeName(captures.path()).constData(), &folder) == 0 &&
            ::stat(QFile::encodeName(captures.filePath(CaptureFolder().captures().constLast())).constData(),
                   &newest) == 0 &&
            ::stat(QFile::encodeName(path).constData(), &saved) == 0);
    QCOMPARE(folder.st_mode & 07777, 0700u);
    QCOMPARE(newest.st_mode & 07777, 0600u);
    const mode_t mask = ::umask(0);
    ::umask(mask);
    QCOMPARE(saved.st_mode & 07777, 0666u & ~mask);
}

void TestMainWindowDownload::closingMidTransfer_data()
{
    QTest::addColumn<bool>("endsWhileAsking"); // else Save is chosen while the transfer runs
    QTest::newRow("the transfer ends while the question is open") << true;
    QTest::newRow("Save while the transfer runs") << false;
}

// Closing the window while data arrives asks about the results; whatever
// happens meanwhile, one save dialog opens, for everything received.
void TestMainWindowDownload::closingMidTransfer()
{
    QFETCH(bool, endsWhileAsking);
    TesterSimulator::Options options;
    options.bitsPerSecond = 0;
    // Mid-line: the transfer goes on after the pause.
    options.pauseAt = 5000;
    options.pauseMs = 1000;
    TesterSimulatorThread testerThread(options);
    auto window = windowOnPort(testerThread.tester->portPath());
    window->show();
    const QString path = folder->filePath("out.csv");
    int saveDialogs = 0;
    bool saving = false;
    QTimer dialogs;
    connect(&dialogs, &QTimer::timeout, this, [&] {
        if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
            ++saveDialogs;
            if (!saving) {
                dialog->reject();
                return;
            }
            dialog->findChild<QLineEdit *>("fileNameEdit")->setText(path);
            QMetaObject::invokeMethod(dialog, "accept");
        }
    });
    dialogs.start(10);
    TestSupport::whenShown<QMessageBox>(
        [&](QMessageBox *box) {
            if (endsWhileAsking)
                QTRY_VERIFY_WITH_TIMEOUT(!window->session, 10000);
            saving = true;
            box->button(QMessageBox::Save)->click();
        },
        [](QMessageBox *box) { return box->text() == "The downloaded results have not been saved."; });

    window->ui.downloadBtn->click();
    QTRY_COMPARE_WITH_TIMEOUT(window->results().size(), 5000, 10000);
    QVERIFY(window->close());
    QVERIFY(!window->session);
    QCOMPARE(saveDialogs, 1);
    const QByteArray sent = testerThread.tester->payload();
    QVERIFY(readFile(path).toLatin1() == (endsWhileAsking ? sent : sent.left(5000)));
}

// A download leaves the port so that the next one opens it, also one
// cancelled while the tester goes on sending: the next waits until the line
// is quiet, and holds the new transfer alone. Run as root, whom TIOCEXCL does
// not stop, this runs itself as nobody.
void TestMainWindowDownload::downloadAgain()
{
    if (::geteuid() == 0)
        return TestSupport::runAsNobody();
    TesterSimulator::Options options;
    options.bitsPerSecond = 120000; // the results in two seconds
    TesterSimulatorThread testerThread(options);
    auto window = windowOnPort(testerThread.tester->portPath());
    const QString path = folder->filePath("again.csv");
    answerSaveDialog(path);
    window->ui.downloadBtn->click();
    QTRY_VERIFY_WITH_TIMEOUT(window->results().size() > 2000, 10000);
    window->ui.cancelBtn->click();
    TestSupport::whenShown<QMessageBox>([](QMessageBox *box) { box->button(QMessageBox::Discard)->click(); });
    window->ui.downloadBtn->click();
    catchWarning();
    QTRY_COMPARE_WITH_TIMEOUT(window->statusBar()->currentMessage(), DownloadReport::busyLineText(), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(path) || !warningText.isEmpty(), 30000);
    QCOMPARE(warningDetail, QString());
    QVERIFY(readFile(path).toLatin1() == testerThread.tester->payload());
}

// A capture that cannot be written (a file stands where its folder would) is
// said in the window, where a Windows user sees it, until the next download;
// the download goes on without it.
void TestMainWindowDownload::captureNotWritten()
{
    const QString captures = CaptureFolder::defaultPath();
    QVERIFY(QDir(captures).removeRecursively() && QDir().mkpath(QFileInfo(captures).path()));
    QFile blocker(captures);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    TesterSimulator::Options options;
    options.neverAnswer = true;
    TesterSimulatorThread testerThread(options);
    auto window = windowOnPort(testerThread.tester->portPath());
    auto *notice = window->findChild<CaptureFailureLabel *>();
    QVERIFY(notice && notice->isHidden());
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^The capture .* could not be written: "));
    window->ui.downloadBtn->click();
    QTRY_VERIFY_WITH_TIMEOUT(!notice->isHidden(), 10000);
    QVERIFY2(notice->toolTip().startsWith("The capture " + QDir::toNativeSeparators(captures)),
             qPrintable(notice->toolTip()));
    QCOMPARE(notice->text(), QStringLiteral("Capture not written"));
    QVERIFY(window->session);
    window->ui.cancelBtn->click();
    QVERIFY(!notice->isHidden());

    QVERIFY(blocker.remove());
    window->ui.downloadBtn->click();
    QVERIFY(notice->isHidden());
    QTest::qWait(300);
    QVERIFY(notice->isHidden());
    window->ui.cancelBtn->click();
}

DATALOGGER_TEST_MAIN(TestMainWindowDownload)
#include "tst_mainwindowdownload.moc"
