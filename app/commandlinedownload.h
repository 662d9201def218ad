#pragma once

#include "portdiagnosis.h"
#include "winserialdeviceasync.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

// One download without a window, as the window does it: the tester's line
// settings and commands, then everything received until the first silent
// read period after data.
class CommandLineDownload : public QObject
{
    Q_OBJECT

public:
    enum class Result {
        Complete,       // the tester fell silent after sending
        NothingArrived, // no byte within the wait
        PortGone,       // the port went away before any data
        LineLost,       // the line failed mid-transfer
        Interrupted,    // interrupt() was called
    };

    // waitMs: how long to wait for the first byte; 0 waits until interrupted.
    CommandLineDownload(const QString &portPath, int waitMs, QObject *parent = nullptr);

    // Opens the port and asks the tester for its results; cause None when the
    // download runs, otherwise why the port did not open.
    Kv::PortDiagnosis start();
    // Ends the download as Cancel does: what has arrived is kept.
    void interrupt();

    const QByteArray &received() const;
    qint64 msecsSinceFirstByte() const;

signals:
    void progress();
    void finished(CommandLineDownload::Result result);

private:
    void take();
    void finish(Result result);

    const QString portPath;
    Kv::WinSerialDeviceAsync device;
    QByteArray data;
    QElapsedTimer sinceFirstByte;
    QTimer waitLimit;
    bool running = false;
};
