#include "application.h"
#include "terminationhandler.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    setApplicationIdentity();
    setApplicationWindowIcon();
    TerminationHandler terminationHandler;
    return runWindowCycles();
}
