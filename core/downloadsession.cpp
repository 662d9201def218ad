#include "downloadsession.h"

#include "appendgrowing.h"

#include <utility>

DownloadSession::DownloadSession(DownloadLine *line, QObject *parent)
    : QObject(parent)
    , line(line)
{
    line->setParent(this);
    connect(line, &DownloadLine::readyRead, this, &DownloadSession::take);
    connect(line, &DownloadLine::readTimeOut, this, &DownloadSession::readTimeOut);
    connect(line, &DownloadLine::stopped, this, [this](Outcome how) {
        if (running)
            finish(how);
    });
}

DownloadSession::~DownloadSession() = default;

void DownloadSession::setWaitLimit(int msecs)
{
    waitMs = msecs;
}

int DownloadSession::waitLimit() const
{
    return waitMs;
}

Kv::PortDiagnosis DownloadSession::start()
{
    const Kv::PortDiagnosis failure = line->open();
    if (failure.cause != Kv::PortDiagnosis::Cause::None)
        return failure;
    running = true;
    // The request waits for a quiet line (readTimeOut()).
    openUs = line->microseconds();
    return failure;
}

void DownloadSession::request()
{
    line->request();
    requestUs = line->microseconds();
    emit requested();
}

QString DownloadSession::busyLineText()
{
    return tr("The tester is still sending an earlier transfer; waiting until it ends...");
}

QString DownloadSession::busyLineEndText(int seconds)
{
    return tr("The tester went on sending an earlier transfer for %n second(s), so the results were not "
              "requested. End that transfer on the tester, or switch the tester off and on, then download "
              "again.",
              "%n is a number of seconds", seconds);
}

void DownloadSession::cancel()
{
    if (running)
        finish(Outcome::Cancelled);
}

bool DownloadSession::isRunning() const
{
    return running;
}

DownloadSession::Outcome DownloadSession::outcome() const
{
    return result;
}

bool DownloadSession::isIncomplete() const
{
    return result == Outcome::LineLost || result == Outcome::EndedMidLine || result == Outcome::CutShort ||
           result == Outcome::CaptureDamaged;
}

const QByteArray &DownloadSession::received() const
{
    return data;
}

QByteArray DownloadSession::takeReceived()
{
    return std::exchange(data, {});
}

qint64 DownloadSession::microseconds() const
{
    if (endUs >= 0)
        return endUs;
    return requestUs >= 0 ? line->microseconds() - requestUs : 0;
}

qint64 DownloadSession::msecsReceiving() const
{
    if (firstByteUs < 0)
        return 0;
    return (microseconds() - firstByteUs) / 1000;
}

qint64 DownloadSession::discardedBytes() const
{
    return discarded;
}

bool DownloadSession::take()
{
    if (!running)
        return false;
    const qint64 stale = line->bytesBeforeRequest();
    if (stale > 0)
        discarded += line->skip(stale);
    if (requestUs < 0) {
        if (stale > 0)
            waitForQuietLine(true);
        return stale > 0;
    }
    const qint64 available = line->bytesAvailable();
    if (available <= 0)
        return stale > 0;
    const qint64 now = microseconds();
    if (data.isEmpty())
        firstByteUs = now;
    // Straight into the results, which grow by doubling: readAll() would
    // grow a buffer of its own step by step, copying it each time.
    const qsizetype size = data.size();
    Kv::reserveGrowing(data, available);
    data.resize(size + available);
    const qint64 count = line->read(data.data() + size, available);
    data.resize(size + qMax<qint64>(count, 0));
    midLineSilenceUs = -1;
    if (data.size() > size)
        emit chunkReceived(now, data.size() - size);
    emit readyRead();
    return true;
}

void DownloadSession::append(const QByteArray &chunk)
{
    const qint64 now = microseconds();
    if (data.isEmpty())
        firstByteUs = now;
    Kv::appendGrowing(data, chunk.constData(), chunk.size());
    emit chunkReceived(now, chunk.size());
}

void DownloadSession::waitForQuietLine(bool bytesCame)
{
    if (!bytesCame) {
        if (line->lineFailed())
            finish(Outcome::PortGone);
        else if (++silentPeriods >= quietPeriods)
            request();
        return;
    }
    silentPeriods = 0;
    if (!std::exchange(busy, true))
        emit lineBusy();
    const qint64 limitMs = waitMs > 0 ? waitMs : busyLineLimitMs;
    if (line->microseconds() - openUs >= limitMs * 1000)
        finish(Outcome::LineBusy);
}

// One read period without a byte. Silence before the request may let it go
// out; silence before any data is waiting for the user to start the transfer,
// up to the wait limit; after data it ends the transfer.
void DownloadSession::readTimeOut()
{
    // Bytes that came after the silent period: the line is not silent.
    if (!running || take())
        return;
    if (requestUs < 0) {
        waitForQuietLine(false);
        return;
    }
    const bool failed = line->lineFailed();
    if (data.isEmpty()) {
        if (failed)
            finish(Outcome::PortGone);
        else if (waitMs > 0 && microseconds() >= qint64(waitMs) * 1000)
            finish(Outcome::NothingArrived);
        return;
    }
    if (failed) {
        finish(Outcome::LineLost);
        return;
    }
    const char last = data.back();
    if (last == '\n' || last == '\r') {
        finish(Outcome::Complete);
        return;
    }
    const qint64 now = microseconds();
    if (midLineSilenceUs < 0)
        midLineSilenceUs = now;
    else if (now - midLineSilenceUs >= qint64(midLineGraceMs) * 1000)
        finish(Outcome::EndedMidLine);
}

void DownloadSession::finish(Outcome how)
{
    running = false;
    line->close();
    // What the line read between the last take and the close, but for what
    // came before the request.
    const qint64 stale = line->bytesBeforeRequest();
    QByteArray rest = line->takeRemainder();
    rest.remove(0, stale);
    if (!rest.isEmpty())
        append(rest);
    endUs = microseconds();
    result = how;
    emit finished();
}
