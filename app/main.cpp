#include "application.h"
#include "capturewriter.h"
#include "commandline.h"
#include "commandlineplatform.h"
#include "instancemutex.h"
#include "terminationhandler.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // Before anything opens a file that could take a closed one's number.
    CommandLinePlatform::guardStandardDescriptors();
    // Until the program has ended: an installer then waits for it.
    const InstanceMutex running;
#ifdef Q_OS_WIN
    // A window program has no console to answer on: point to the one that has.
    if (CommandLine::isRequested(argc, argv)) {
        QApplication app(argc, argv);
        setApplicationIdentity();
        return showCommandLineIsSeparate();
    }
#else
    // Before any application object that would need a display.
    if (CommandLine::isRequested(argc, argv))
        return CommandLine::run(argc, argv);
    if (!CommandLine::hasDisplay(argc, argv))
        return CommandLine::explainNoDisplay(argc, argv);
#endif
    QApplication app(argc, argv);
    setApplicationIdentity();
    setApplicationWindowIcon();
    TerminationHandler terminationHandler;
    endSessionOnRequest(terminationHandler);
    const int exitCode = runWindowCycles();
    // The captures' threads write their ends on their own: not cut off here.
    CaptureWriter::waitForAll();
    return exitCode;
}
