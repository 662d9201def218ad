#include "application.h"
#ifndef Q_OS_WIN
#include "commandline.h"
#endif
#include "terminationhandler.h"

#include <QApplication>

int main(int argc, char *argv[])
{
#ifndef Q_OS_WIN
    // Before any application object that would need a display.
    if (CommandLine::isRequested(argc, argv))
        return CommandLine::run(argc, argv);
#endif
    QApplication app(argc, argv);
    setApplicationIdentity();
    setApplicationWindowIcon();
    TerminationHandler terminationHandler;
    endSessionOnRequest(terminationHandler);
    return runWindowCycles();
}
