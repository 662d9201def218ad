#pragma once

#include "downloadreport.h"

#include <QByteArrayList>
#include <QCoreApplication>

class ExitReport;

// The program's command line, for scripts and test benches: lists the ports
// or downloads the tester's results into a file, without a window or a
// display. Options have two dashes; Qt's own, with one, belong to the window.
class CommandLine
{
    Q_DECLARE_TR_FUNCTIONS(CommandLine)

public:
    // A download's own are the report's.
    enum ExitCode {
        Saved = DownloadReport::Saved,
        UsageError = DownloadReport::UsageError,
        PortFailed = DownloadReport::PortFailed,
        NothingArrived = DownloadReport::NothingArrived,
        WriteFailed = DownloadReport::WriteFailed,
        ConnectionLost = DownloadReport::ConnectionLost,
        Interrupted = DownloadReport::Interrupted,
    };

    // Whether the arguments ask for the command line rather than the window.
    static bool isRequested(int argc, char *argv[]);

    // Runs it, with an application object of its own; returns the exit code.
    static int run(int argc, char *argv[]);

    // Whether the window would find a display: without one, and without a
    // platform that needs none (-platform offscreen), Qt would abort.
    static bool hasDisplay(int argc, char *argv[]);
    // Says in one line that the window needs a display and what to use
    // instead; returns the exit code.
    static int explainNoDisplay(int argc, char *argv[]);

private:
    // Everything run() does after the application object is made, up to the
    // exit code; rawArguments are argv's bytes, report gets what --json is to tell.
    static int execute(QCoreApplication &app, const QByteArrayList &rawArguments, ExitReport &report);
};
