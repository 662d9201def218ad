#include "terminationhandler.h"

#include "wholewrite.h"

#include <QApplication>
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A signal handler may only write to a descriptor; the event loop reads the
// other end and does the real work.
int signalSockets[2] = {-1, -1};
const int handledSignals[] = {SIGTERM, SIGINT, SIGHUP};

void onSignal(int)
{
    // Output that waits for a reader would keep the event loop from ever
    // seeing the byte below.
    stopBlockedWrites();
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalSockets[0], &byte, 1);
}

} // namespace

struct TerminationHandler::Private
{
    QSocketNotifier *notifier = nullptr;
};

TerminationHandler::TerminationHandler(QObject *parent)
    : QObject(parent)
    , d(std::make_unique<Private>())
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalSockets) != 0) {
        qWarning("TerminationHandler: socketpair failed; signals end the process at once");
        return;
    }
    d->notifier = new QSocketNotifier(signalSockets[1], QSocketNotifier::Read, this);
    connect(d->notifier, &QSocketNotifier::activated, this, [this] {
        char byte;
        [[maybe_unused]] const ssize_t got = ::read(signalSockets[1], &byte, 1);
        // Those who keep something for the next start learn of the end
        // first; then modal dialogs are closed (rejected), then the main window.
        emit requested();
        if (qobject_cast<QApplication *>(QCoreApplication::instance()))
            QApplication::closeAllWindows();
    });

    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : handledSignals)
        ::sigaction(signal, &action, nullptr);
}

TerminationHandler::~TerminationHandler()
{
    if (!d->notifier)
        return;
    for (int signal : handledSignals)
        std::signal(signal, SIG_DFL);
    delete d->notifier;
    ::close(signalSockets[0]);
    ::close(signalSockets[1]);
    signalSockets[0] = signalSockets[1] = -1;
}
