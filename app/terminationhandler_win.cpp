#include "terminationhandler.h"

#include <QMetaObject>

#include <windows.h>

#include <atomic>

// A window program ends through WM_CLOSE and WM_ENDSESSION, which Qt turns
// into close events. A console program gets Ctrl+C, Ctrl+Break and the
// closing of its console window as control events instead, on a thread of
// their own: they are passed to the event loop as requested().
namespace {

std::atomic<TerminationHandler *> current{nullptr};

BOOL WINAPI onControlEvent(DWORD event)
{
    switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
    case CTRL_CLOSE_EVENT:
        if (TerminationHandler *handler = current.load()) {
            QMetaObject::invokeMethod(handler, &TerminationHandler::requested, Qt::QueuedConnection);
            // A closed console ends the process when this returns: the
            // program gets the time Windows allows to write what it has.
            if (event == CTRL_CLOSE_EVENT)
                ::Sleep(4000);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

} // namespace

struct TerminationHandler::Private
{};

TerminationHandler::TerminationHandler(QObject *parent)
    : QObject(parent)
    , d(std::make_unique<Private>())
{
    current = this;
    ::SetConsoleCtrlHandler(onControlEvent, TRUE);
}

TerminationHandler::~TerminationHandler()
{
    ::SetConsoleCtrlHandler(onControlEvent, FALSE);
    current = nullptr;
}
