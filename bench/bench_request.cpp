// How long a download waits before its request goes out: from start() on a
// quiet line, and from the last byte of an earlier transfer still under way,
// to the commands at the far end of a pseudo-terminal.
//   bench_request [ROUNDS]   (default 20)

#include "downloadsession.h"
#include "ptypair.h"
#include "serialline.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSignalSpy>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

// Milliseconds until the commands arrive, from the start or, with an earlier
// transfer (earlierMs of bytes), from its last byte; -1 when they never came.
double untilRequest(int earlierMs)
{
    PtyPair pty;
    DownloadSession session(new SerialLine(pty.slavePath));
    QElapsedTimer clock;
    clock.start();
    if (session.start().cause != Kv::PortDiagnosis::Cause::None)
        return -1;
    while (clock.elapsed() < earlierMs) {
        pty.exchange(QByteArray(100, ';'));
        QCoreApplication::processEvents();
    }
    clock.start();
    QByteArray asked;
    while (asked.size() < 25 && clock.elapsed() < 5000) {
        asked += pty.exchange({}, 25 - asked.size(), 0);
        QCoreApplication::processEvents();
    }
    return asked.size() == 25 ? double(clock.nsecsElapsed()) / 1e6 : -1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? qMax(1, atoi(argv[1])) : 20;
    for (const int earlierMs : {0, 300}) {
        QList<double> times;
        for (int i = 0; i < rounds; ++i)
            times << untilRequest(earlierMs);
        std::sort(times.begin(), times.end());
        std::printf("%-38s min %6.1f  median %6.1f  max %6.1f ms (%d rounds)\n",
                    earlierMs ? "after an earlier transfer's last byte:" : "from start() on a quiet line:",
                    times.first(), times.at(times.size() / 2), times.last(), rounds);
    }
    return 0;
}
