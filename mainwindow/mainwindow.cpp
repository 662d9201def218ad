#include "mainwindow.h"

#include "appconstants.h"
#include "capturefailurelabel.h"
#include "capturefolder.h"
#include "capturerecorder.h"
#include "capturewriter.h"
#include "clickguard.h"
#include "dataamount.h"
#include "dialoglanguage.h"
#include "downloadreport.h"
#include "downloadsession.h"
#include "fileopener.h"
#include "portlist.h"
#include "portwatcher.h"
#include "receivedamountlabel.h"
#include "resultssaver.h"
#include "serialline.h"
#include "serialportenumerator.h"
#include "translations.h"
#include "unsavedresultsguard.h"

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QIcon>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QProgressBar>
#include <QSettings>
#include <QSignalBlocker>

MainWindow::MainWindow(QWidget *parent, Qt::WindowFlags flags)
    : QMainWindow(parent, flags)
{
    ui.setupUi(this);
    setUpOutput();
    receiveTimer.setSingleShot(true);
    connect(&receiveTimer, &QTimer::timeout, this, &MainWindow::takeReceived);

    // The conversion to German number format is offered in German runs once
    // the question has been answered; the check mark shows that answer.
    QVariant convertData;
    if (QLocale().language() == QLocale::German)
        convertData = QSettings().value(SettingsKeyConvertData);
    if (convertData.isNull())
        ui.menuCountrySettings->menuAction()->setVisible(false);
    else
        ui.actionConvertCsvData->setChecked(convertData.toBool());

    setWindowIcon(QIcon(QStringLiteral(":/Thalden.png")));
    // Neither icon the window asks for holds an image. A window without an
    // image of its own shows the product icon, the application's window icon
    // (on Windows that one is empty and the executable's icon shows).
    if (windowIcon().availableSizes().isEmpty())
        setWindowIcon(QApplication::windowIcon());

    setUpStatusBar();
    cancelGuard = new ClickGuard(ui.cancelBtn);
    setState(State::Idle);

    QSettings settings;
    restoreGeometry(settings.value(SettingsKeyMainWindowGeometry).toByteArray());
    restoreState(settings.value(SettingsKeyMainWindowState).toByteArray(), 0);

    // The list follows the hardware; it grows with its longest entry.
    ui.comPorts->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    portList = new PortList(ui.comPorts, settings.value(SettingsKeyDevicePortName).toString());
    portWatcher = new Kv::PortWatcher(this);
    refreshPorts();
    connect(portWatcher, &Kv::PortWatcher::portsChanged, this, &MainWindow::refreshPorts);

    connectCommands();
    statusBar()->showMessage(tr("Please select a port and connect your device"));
}

void MainWindow::setUpOutput()
{
    // Records read best one to a line; a long line scrolls sideways.
    ui.outputTextEdit->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The output is Latin-1 text, legible without shaping (kerning and
    // ligatures), which halves the time to lay a long line out.
    QFont outputFont = ui.outputTextEdit->font();
    outputFont.setStyleStrategy(QFont::PreferNoShaping);
    ui.outputTextEdit->setFont(outputFont);
    // A read-only log: an undo history would only hold a second copy.
    ui.outputTextEdit->setUndoRedoEnabled(false);
}

void MainWindow::setUpStatusBar()
{
    progressBar = new QProgressBar;
    progressBar->setValue(0);
    progressBar->setMaximum(0);
    progressBar->setMaximumHeight(15);
    progressBar->setMaximumWidth(100);
    progressBar->setStyleSheet(QStringLiteral(
        "QProgressBar { border: 1px solid #CCCCCC; border-radius: 3px; } "
        "QProgressBar::chunk:horizontal { background: qlineargradient(x1: 0, y1: 0.5, x2: 1, y2: 0.5, "
        "stop: 0 orange, stop: 1 white); }"));
    // The text is dark on the white bar in a dark desktop theme too.
    statusBar()->setStyleSheet(
        QStringLiteral("QStatusBar { background-color: #FFFFFF; border-top: 1px solid gray; } "
                       "QStatusBar, QStatusBar QLabel { color: #000000; }"));
    statusBar()->setMinimumHeight(30);
    amountLabel = new ReceivedAmountLabel;
    statusBar()->addPermanentWidget(amountLabel, 0);
    captureFailure = new CaptureFailureLabel(statusBar());
}

void MainWindow::connectCommands()
{
    connect(ui.actionExit, &QAction::triggered, this, &QWidget::close);
    connect(ui.actionChangeLanguage, &QAction::triggered, this, &MainWindow::changeLanguage);
    connect(ui.actionRefreshPorts, &QAction::triggered, this, &MainWindow::refreshPorts);
    connect(ui.actionHelp, &QAction::triggered, this, &MainWindow::showHelp);
    connect(ui.actionAbout, &QAction::triggered, this, &MainWindow::showAbout);
    connect(ui.actionConvertCsvData, &QAction::toggled, this, &MainWindow::convertDataToggled);
    connect(ui.downloadBtn, &QPushButton::clicked, this, &MainWindow::download);
    connect(ui.cancelBtn, &QPushButton::clicked, this, &MainWindow::cancelDownload);
    connect(ui.saveBtn, &QPushButton::clicked, this, &MainWindow::saveFile);
    connect(ui.openBtn, &QPushButton::clicked, this, &MainWindow::openFile);

    // Standard keys, set here so that the form and its texts stay as they are.
    // QKeySequence::Quit is Ctrl+Q where a platform names a key to quit at all
    // (Windows and a session without a desktop theme name none), so say it.
    // Escape reaches Cancel only while a download shows it.
    ui.actionExit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    ui.actionHelp->setShortcut(QKeySequence::HelpContents);
    ui.actionRefreshPorts->setShortcut(Qt::Key_F5);
    ui.cancelBtn->setShortcut(Qt::Key_Escape);
}

MainWindow::~MainWindow()
{
    QSettings settings;
    settings.setValue(SettingsKeyMainWindowGeometry, saveGeometry());
    settings.setValue(SettingsKeyMainWindowState, saveState(0));
    settings.setValue(SettingsKeyDevicePortName, portList->chosenName());

    delete progressBar;
}

void MainWindow::changeLanguage()
{
    DialogLanguage dialog(translationsDirectory(TranslationsDirName), this);
    if (dialog.exec() != QDialog::Accepted)
        return;

    QMessageBox question(QMessageBox::Question, windowTitle(),
                         tr("The language will be changed next time Korvane DataLogger is started."),
                         QMessageBox::Yes | QMessageBox::No, this);
    question.setInformativeText(tr("Would you like to restart now?"));
    if (question.exec() == QMessageBox::Yes) {
        restartRequested = true;
        // Closing asks about unsaved results; Cancel there keeps this window.
        if (!close())
            restartRequested = false;
    }
}

void MainWindow::refreshPorts()
{
    QList<Kv::SerialPortInfo> ports;
    Kv::enumerateSerialPorts(ports);
    portList->show(ports);
}

void MainWindow::download()
{
    if (!mayDiscardResults())
        return;
    savedFilePath.clear();
    kept.discard();
    portList->choose();
    downloadTime = QDateTime::currentDateTime();
    cancelGuard->arm();
    // The port list stays as it is until the download ends.
    portWatcher->hold();

    ui.outputTextEdit->clear();
    pendingText.clear();
    pendingShown = 0;
    takenBytes = 0;
    displayLines.reset();
    receiveTimer.stop();
    dataReceived = false;
    downloadedData.clear();

    const QString portPath = ui.comPorts->currentData(Qt::UserRole).toString();
    session = new DownloadSession(new SerialLine(portPath), this);
    // The results go to the disk as the transfer ends, while the capture gets
    // its end (connected first) and before the save dialog opens: killed in the
    // dialog, the program offers them at the next start. Not a connection of
    // this window's, which cancelDownload() ends before the session does.
    connect(session, &DownloadSession::finished, session,
            [this, ended = session] { kept.keep(ended->received(), downloadTime); });
    // For support: what was sent, what came back and when, how it ended.
    captureFailure->clear();
    CaptureFolder()
        .keep(*session, CaptureRecorder::portAt(portList->ports(), portPath), downloadTime)
        .whenFailed(captureFailure,
                    [label = captureFailure](const QString &report) { label->report(report); });
    setState(State::Waiting);
    connect(session, &DownloadSession::lineBusy, this,
            [this] { statusBar()->showMessage(DownloadReport::busyLineText()); });
    // The line fell quiet: the tester's prompt again.
    connect(session, &DownloadSession::requested, this, [this] { setState(State::Waiting); });
    const Kv::PortDiagnosis failure = session->start();
    if (failure.cause == Kv::PortDiagnosis::Cause::None) {
        connect(session, &DownloadSession::readyRead, this, &MainWindow::readyRead);
        // The session decides when the transfer has ended.
        connect(session, &DownloadSession::finished, this, &MainWindow::readTimeOut);
        return;
    }

    showPortFailure(failure);
    cancelDownload();
}

void MainWindow::setState(State newState)
{
    const bool downloading = newState != State::Idle;
    if (downloading && state == State::Idle) {
        amountLabel->setAmount(0);
        statusBar()->addPermanentWidget(progressBar, 0);
        progressBar->show();
    } else if (!downloading) {
        statusBar()->removeWidget(progressBar);
        // The amount stays until the next download, if there is one.
        amountLabel->flush();
    }
    state = newState;
    ui.downloadBtn->setVisible(!downloading);
    ui.cancelBtn->setVisible(downloading);
    ui.openBtn->setVisible(!downloading && !savedFilePath.isEmpty());
    ui.saveBtn->setVisible(!downloading && dataReceived);
    ui.actionRefreshPorts->setEnabled(!downloading);
    ui.actionChangeLanguage->setEnabled(!downloading);
    ui.comPorts->setEnabled(!downloading);
    amountLabel->setVisible(downloading || dataReceived);
    switch (newState) {
    case State::Idle:
        statusBar()->clearMessage();
        break;
    case State::Waiting:
        statusBar()->showMessage(tr("Now initiate the download on the tester"));
        break;
    case State::Receiving:
        statusBar()->showMessage(tr("Downloading..."));
        break;
    }
}

void MainWindow::showPortFailure(const Kv::PortDiagnosis &failure)
{
    // A port that went away had opened: connecting did not fail.
    showWarning(tr("Failed to connect. Please check the device is connected and switched on"),
                failure.informativeText());
}

void MainWindow::showWarning(const QString &text, const QString &informativeText)
{
    QMessageBox box(QMessageBox::Warning, windowTitle(), text, QMessageBox::Ok, this);
    // Why, and the remedy: commands in it can be selected and copied.
    box.setInformativeText(informativeText);
    if (auto *why = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_informativelabel")))
        why->setTextInteractionFlags(Qt::TextSelectableByMouse);
    box.exec();
}

void MainWindow::cancelDownload()
{
    if (!session)
        return;

    // Ended here, the session must not report its end to readTimeOut().
    disconnect(session, nullptr, this, nullptr);
    // Everything received before the port closes is kept; its text is shown
    // in the passes to come.
    session->cancel();
    downloadedData = session->takeReceived();
    dataReceived = !downloadedData.isEmpty();
    if (takenBytes < downloadedData.size())
        receiveTimer.start();
    // This may run inside the session's own signal (end of transfer): let the
    // event loop destroy it once that signal has returned.
    session->deleteLater();
    session = nullptr;
    setState(State::Idle);
    portWatcher->release();
}

void MainWindow::readyRead()
{
    // A signal queued before the download ended may still arrive.
    if (!session)
        return;

    dataReceived = true;
    if (state != State::Receiving)
        setState(State::Receiving);
    amountLabel->setAmount(session->received().size());
    // The text is shown in passes of the event loop: data comes far faster
    // than the window can show text when it comes at full speed.
    if (!receiveTimer.isActive())
        receiveTimer.start();
}

const QByteArray &MainWindow::results() const
{
    return session ? session->received() : downloadedData;
}

// Turns received bytes into display text and shows it, for a few dozen
// milliseconds a pass of the event loop, so that the window keeps answering
// however fast data comes; the rest waits for the next pass. The text field
// lays a changed line out whole on every insert and draws each visible line
// whole: the display lines are at most 64 KiB long (DisplayLineSplitter), and
// the passes are short, so that a pass and the drawing after it stay well
// under a quarter of a second.
void MainWindow::takeReceived()
{
    constexpr qsizetype sliceSize = 1024 * 1024; // bytes turned into text at once
    constexpr qsizetype pieceSize = 32 * 1024;   // characters inserted at once
    constexpr qint64 budgetMs = 30;
    QElapsedTimer clock;
    clock.start();
    bool busy = false;
    do {
        if (pendingShown == pendingText.size()) {
            pendingText.clear();
            pendingShown = 0;
            const QByteArray &data = results();
            if (takenBytes == data.size())
                break;
            const qsizetype size = qMin(sliceSize, data.size() - takenBytes);
            // The display drops NUL bytes and carriage returns and breaks long
            // lines; the results keep every byte.
            displayLines.append(QByteArray::fromRawData(data.constData() + takenBytes, size), pendingText);
            takenBytes += size;
            busy = true;
            continue;
        }
        const qsizetype size = qMin(pieceSize, pendingText.size() - pendingShown);
        ui.outputTextEdit->insertPlainText(QString::fromLatin1(pendingText.constData() + pendingShown, size));
        pendingShown += size;
        busy = true;
    } while (clock.elapsed() < budgetMs);

    // After a busy pass, one more: the end of a transfer waits for an idle
    // one, so it is never handled in the same pass as a long insert.
    if (busy) {
        ui.outputTextEdit->ensureCursorVisible();
        receiveTimer.start();
    } else if (session && !session->isRunning()) {
        readTimeOut();
    }
}

// The session has ended the transfer.
void MainWindow::readTimeOut()
{
    // An end queued before a Cancel must not open the save dialog afterwards.
    if (!session || session->isRunning())
        return;
    // The text shown catches up first: takeReceived() comes back here then.
    if (receiveTimer.isActive() || takenBytes < session->received().size()) {
        receiveTimer.start();
        return;
    }

    const DownloadReport report(*session, ui.comPorts->currentText());
    cancelDownload();
    // Nothing to save: why, unless the user ended it.
    if (!dataReceived) {
        if (report.outcome() != Download::Outcome::Cancelled && !report.headline().isEmpty())
            showWarning(report.headline(), report.diagnosis());
        return;
    }
    QCoreApplication::processEvents();
    // The question about unsaved results is open (the window is closing):
    // its answer decides, and its Save saves them.
    if (asking)
        return;
    // Kept on the disk before anything waits for the user.
    kept.waitForWritten();
    if (report.mayBeIncomplete())
        QMessageBox::warning(this, windowTitle(), report.headline());
    saveFile();
}

void MainWindow::openFile()
{
    if (!savedFilePath.isEmpty())
        FileOpener::open(this, savedFilePath);
}

void MainWindow::saveFile()
{
    if (saving)
        return;
    // A cancelled or failed save leaves the last successful one (and Open) as it was.
    saving = true;
    const QString path = ResultsSaver::save(this, windowTitle(), downloadedData, downloadTime);
    saving = false;
    // Once the conversion question is answered in a German run, the answer
    // can be changed at once, not only from the next start.
    const QVariant convertData = QSettings().value(SettingsKeyConvertData);
    if (QLocale().language() == QLocale::German && !convertData.isNull()) {
        const QSignalBlocker unchanged(ui.actionConvertCsvData);
        ui.actionConvertCsvData->setChecked(convertData.toBool());
        ui.menuCountrySettings->menuAction()->setVisible(true);
    }
    if (path.isEmpty())
        return;

    savedFilePath = path;
    kept.discard();
    ui.openBtn->show();
    statusBar()->showMessage(tr("File successfully saved"), 3000);
}

bool MainWindow::resultsUnsaved() const
{
    return !results().isEmpty() && savedFilePath.isEmpty();
}

bool MainWindow::mayDiscardResults()
{
    asking = true;
    const bool mayDiscard = UnsavedResultsGuard::mayDiscard(this, resultsUnsaved(), [this] {
        // A transfer still running ends first: one save holds all of it.
        cancelDownload();
        saveFile();
        return !savedFilePath.isEmpty();
    });
    asking = false;
    return mayDiscard;
}

// The end of the session cannot wait for an answer: the results are kept for
// the next start instead. Otherwise, while the question or the save dialog is
// open, closing waits for that one.
bool MainWindow::mayClose()
{
    if (sessionEnding)
        return true;
    if (asking || saving)
        return false;
    const bool mayDiscard = mayDiscardResults();
    // The session may end while the question is open (and closes it).
    return mayDiscard || sessionEnding;
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!mayClose()) {
        event->ignore();
        return;
    }
    // A download still running ends here: its capture gets its end, as a
    // cancelled one, rather than look interrupted at the next start.
    cancelDownload();
    if (!sessionEnding)
        kept.discard();
    else if (resultsUnsaved())
        kept.keep(results(), downloadTime);
    kept.waitForWritten();
    event->accept();
}

void MainWindow::endSession()
{
    sessionEnding = true;
    // The process may end right after this: the results are kept first, and
    // the capture's end is waited for only briefly.
    cancelDownload();
    if (resultsUnsaved())
        kept.keep(results(), downloadTime);
    kept.waitForWritten();
    CaptureWriter::waitForAll(1000);
}

void MainWindow::showAbout()
{
    QMessageBox::about(this, tr("About Korvane DataLogger", "Title of the About box"),
                       tr("Korvane DataLogger\n\n %1\n",
                          "The %1 is replaced with the version number so please don't remove it!")
                           .arg(QCoreApplication::applicationVersion()));
}

void MainWindow::showHelp()
{
    const QString language = QLocale().name().left(2);
    const QString path = QStringLiteral("%1/Help/ThaldenDataLoggerHelp_%2.html")
                             .arg(QCoreApplication::applicationDirPath(), language);
    FileOpener::open(this, path);
}

void MainWindow::convertDataToggled(bool checked)
{
    QSettings().setValue(SettingsKeyConvertData, checked);
}
