#include "downloadreport.h"

#include "dataamount.h"
#include "downloadsession.h"
#include "portdiagnosis.h"

using Download::Outcome;

DownloadReport::DownloadReport(const DownloadSession &session, const QString &port, const QString &damage)
    : how(session.outcome())
    , portName(port)
    , damage(damage)
    , bytes(session.received().size())
    , waitMs(session.waitLimit())
    , incomplete(session.isIncomplete())
{}

Outcome DownloadReport::outcome() const
{
    return how;
}

QString DownloadReport::headline() const
{
    switch (how) {
    case Outcome::NothingArrived:
        return tr("Nothing arrived within %n second(s).", "%n is a number of seconds", (waitMs + 500) / 1000);
    case Outcome::LineBusy:
        return busyLineEndText((waitMs > 0 ? waitMs : DownloadSession::busyLineLimitMs) / 1000);
    case Outcome::PortGone:
        return tr("The port was lost before any results arrived.");
    case Outcome::Cancelled:
        return tr("The download was interrupted.");
    case Outcome::CutShort:
        return tr("The capture stops after %1, before its outcome: it was cut short. The results may be "
                  "incomplete.",
                  "%1 is an amount such as 12.3 KB")
            .arg(dataAmount(bytes));
    case Outcome::CaptureDamaged:
        return tr("The replay stops at damage in the capture after %1: %2. The results may be incomplete.",
                  "%1 is an amount such as 12.3 KB, %2 what is damaged, such as: line 12 is damaged: ...")
            .arg(dataAmount(bytes), damage);
    // A line that fell silent mid-line did not fail.
    case Outcome::EndedMidLine:
        return tr("The transfer ended in the middle of a line after %1. The results may be incomplete.",
                  "The %1 is replaced with the amount received, such as 12.3 KB.")
            .arg(dataAmount(bytes));
    case Outcome::LineLost:
        return tr("The connection to the tester was lost after %1. The results may be incomplete.",
                  "The %1 is replaced with the amount received, such as 12.3 KB.")
            .arg(dataAmount(bytes));
    case Outcome::NotEnded:
    case Outcome::Complete:
    case Outcome::CaptureUnreadable:
        break;
    }
    return QString();
}

QString DownloadReport::diagnosis() const
{
    if (how != Outcome::PortGone)
        return QString();
    // It had opened: say that it went, not that it would not open.
    Kv::PortDiagnosis wentAway;
    wentAway.cause = Kv::PortDiagnosis::Cause::WentAway;
    wentAway.port = portName;
    return wentAway.informativeText();
}

bool DownloadReport::mayBeIncomplete() const
{
    return incomplete;
}

qint64 DownloadReport::amount() const
{
    return bytes;
}

int DownloadReport::exitCode() const
{
    switch (how) {
    case Outcome::NotEnded:
    case Outcome::Complete:
        return Saved;
    case Outcome::CaptureUnreadable:
        return UsageError;
    // As a port in use: the line could not serve the download, nothing was asked.
    case Outcome::LineBusy:
    case Outcome::PortGone:
        return PortFailed;
    case Outcome::NothingArrived:
        return NothingArrived;
    case Outcome::EndedMidLine:
    case Outcome::LineLost:
    case Outcome::CutShort:
    case Outcome::CaptureDamaged:
        return ConnectionLost;
    case Outcome::Cancelled:
        return Interrupted;
    }
    return Saved;
}

QString DownloadReport::busyLineText()
{
    return tr("Data keeps arriving on this port before the results have been asked for: the tester may "
              "still be sending an earlier transfer, or this may be another device's port. Waiting until the "
              "line falls quiet...");
}

QString DownloadReport::busyLineEndText(int seconds)
{
    return tr("Data kept arriving on this port for %n second(s) before the results could be asked for, so "
              "they were not requested. The tester may still be sending an earlier transfer: end it on the "
              "tester, or switch the tester off and on. Or this may be another device's port: check that the "
              "tester's port is chosen. Then download again.",
              "%n is a number of seconds", seconds);
}
