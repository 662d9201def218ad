#pragma once

#include "downloadoutcome.h"

#include <QCoreApplication>
#include <QString>

class DownloadSession;

// What the user is told of a download, the same in the window and on the
// command line: of a finished one the headline, why and what to do where the
// outcome has a remedy, whether the results may be incomplete, and the
// command line's exit code; of a running one, a line kept busy.
class DownloadReport
{
    Q_DECLARE_TR_FUNCTIONS(DownloadReport)

public:
    enum ExitCode {
        Saved = 0,
        UsageError = 1,
        PortFailed = 2,
        NothingArrived = 3,
        WriteFailed = 4,
        ConnectionLost = 5,
        Interrupted = 130,
    };

    // port: the port as the user knows it (ttyUSB0, COM3); damage: what is
    // wrong with a replayed capture, as its reader says.
    DownloadReport(const DownloadSession &session, const QString &port, const QString &damage = QString());

    Download::Outcome outcome() const;
    // Empty for a complete download: nothing to tell but the save.
    QString headline() const;
    // Why, and the remedy, where the outcome has one; else empty.
    QString diagnosis() const;
    // The results stop where the transfer (or its capture) broke off.
    bool mayBeIncomplete() const;
    // Bytes received: what there is to save.
    qint64 amount() const;
    // The command line's, once the results (if any) are written.
    int exitCode() const;

    // What the window and the command line say while data keeps the line
    // busy before the request (DownloadSession::lineBusy()), and once it has
    // kept it busy for seconds: an earlier transfer, or another device on a
    // wrong port.
    static QString busyLineText();
    static QString busyLineEndText(int seconds);

private:
    Download::Outcome how;
    QString portName;
    QString damage;
    qint64 bytes;
    int waitMs;
    bool incomplete;
};
