#pragma once

#include "displaylinesplitter.h"
#include "keptresults.h"
#include "ui_mainwindow.h"

#include <QByteArray>
#include <QDateTime>
#include <QMainWindow>
#include <QString>
#include <QTimer>

class CaptureFailureLabel;
class ClickGuard;
class PortList;
class QProgressBar;
class ReceivedAmountLabel;

class DownloadSession;

namespace Kv {
class PortDiagnosis;
class PortWatcher;
} // namespace Kv

// The program's only window: the port list, the download and its output,
// saving, and the Tools and Help commands.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr, Qt::WindowFlags flags = {});
    ~MainWindow() override;

    // The desktop session ends (log-off, shut-down): unsaved results go to
    // a recovery file of their own now, without a question, and closing asks none.
    void endSession();

protected:
    void closeEvent(QCloseEvent *event) override;

private slots:
    void changeLanguage();
    void refreshPorts();
    void download();
    void cancelDownload();
    void readyRead();
    void readTimeOut();
    void openFile();
    void saveFile();
    void showAbout();
    void showHelp();
    void convertDataToggled(bool checked);

private:
    // Idle, or a download waiting for the tester's first byte, or receiving.
    enum class State { Idle, Waiting, Receiving };
    // Sets every widget and action the download changes from the state.
    void setState(State state);
    // Why the port did not open, or went away before any data.
    void showPortFailure(const Kv::PortDiagnosis &failure);
    void showWarning(const QString &text, const QString &informativeText);
    void takeReceived();
    // The results of the running download, or else of the last one.
    const QByteArray &results() const;
    // Results have arrived since the last download started and no save of
    // them has succeeded.
    bool resultsUnsaved() const;
    // Asks before the results are discarded while they are unsaved.
    bool mayDiscardResults();
    // Whether the window may close now: asks about unsaved results.
    bool mayClose();
    // Parts of the constructor: the output field, the status bar with its
    // busy indicator and amount, and the commands with their keys.
    void setUpOutput();
    void setUpStatusBar();
    void connectCommands();

    friend class TestMainWindow;
    friend class TestMainWindowDownload;
    friend class TestSaveFaults;
    friend class WindowTest;

    Ui::MainWindow ui;

public:
    // Set by changeLanguage() just before it closes the window, so that
    // start-up builds the next window cycle in the newly chosen language.
    bool restartRequested = false;
    // Set when the process is told to end (the end of the desktop session):
    // closing then keeps unsaved results in a recovery file without asking.
    bool sessionEnding = false;

private:
    State state = State::Idle;
    // The running download; deleted once it has ended, its results kept here.
    DownloadSession *session = nullptr;
    bool dataReceived = false;
    QByteArray downloadedData;
    // Bytes of the results turned into display text so far.
    qsizetype takenBytes = 0;
    // Display text from pendingShown on is not shown yet.
    QByteArray pendingText;
    qsizetype pendingShown = 0;
    DisplayLineSplitter displayLines;
    // Runs takeReceived() while received bytes wait to be shown.
    QTimer receiveTimer;
    QProgressBar *progressBar = nullptr;
    PortList *portList = nullptr;
    Kv::PortWatcher *portWatcher = nullptr;
    // Beside the busy indicator: how much the running or last download received.
    ReceivedAmountLabel *amountLabel = nullptr;
    CaptureFailureLabel *captureFailure = nullptr;
    // Keeps the second click of a double click on Download off Cancel.
    ClickGuard *cancelGuard = nullptr;
    QDateTime downloadTime;
    // The file of the last successful save of the results on screen; empty
    // while they are unsaved.
    QString savedFilePath;
    // The recovery file of unsaved results, from the end of their download
    // (or the end of the session) until they are saved or discarded.
    KeptResults kept;
    // The question about unsaved results, or the save dialog, is open: one
    // of each at a time, and a transfer that ends meanwhile opens neither.
    bool asking = false;
    bool saving = false;
};
