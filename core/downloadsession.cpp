#include "downloadsession.h"

#include "appendgrowing.h"
#include "testerline.h"

#include <utility>

namespace {

// How a piece of the data ends. A tester may keep sending flow-control bytes
// (XON) or fill (NUL) after its results: control characters make no line, and
// bytes of nothing else neither end a line nor go on with one.
enum class Tail { Text, LineEnd, Controls };

Tail tailOf(const char *bytes, qsizetype size)
{
    for (qsizetype i = size - 1; i >= 0; --i) {
        const uchar byte = uchar(bytes[i]);
        if (byte == '\n' || byte == '\r')
            return Tail::LineEnd;
        if ((byte >= 0x20 && byte != 0x7f) || byte == '\t')
            return Tail::Text;
    }
    return Tail::Controls;
}

// A line that ends by itself is a replay: a recording over before the rule
// found its end was a download cancelled there.
Download::Outcome outcomeOf(DownloadLine::End why)
{
    switch (why) {
    case DownloadLine::End::RecordingOver:
        break;
    case DownloadLine::End::CutShort:
        return Download::Outcome::CutShort;
    case DownloadLine::End::Damaged:
        return Download::Outcome::CaptureDamaged;
    case DownloadLine::End::Unreadable:
        return Download::Outcome::CaptureUnreadable;
    }
    return Download::Outcome::Cancelled;
}

} // namespace

DownloadSession::DownloadSession(DownloadLine *line, QObject *parent)
    : QObject(parent)
    , line(line)
{
    line->setParent(this);
    connect(line, &DownloadLine::readyRead, this, &DownloadSession::take);
    connect(line, &DownloadLine::readTimeOut, this, &DownloadSession::readTimeOut);
    connect(line, &DownloadLine::ended, this, [this](DownloadLine::End why) {
        if (running)
            finish(outcomeOf(why));
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
    emit opened();
    return failure;
}

void DownloadSession::request()
{
    line->write(Kv::TesterLine::commands());
    requestUs = line->microseconds();
    emit requested();
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
    return line->microseconds() - (requestUs >= 0 ? requestUs : openUs);
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
    const qint64 stale = line->bytesBeforeWrite();
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
    // Control characters alone do not end a silence mid-line: a tester that
    // keeps sending them there still ends after the grace.
    if (const Tail tail = tailOf(data.constData() + size, data.size() - size); tail != Tail::Controls) {
        lineEnded = tail == Tail::LineEnd;
        midLineSilenceUs = -1;
    }
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
    if (lineEnded) {
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
    const qint64 stale = line->bytesBeforeWrite();
    QByteArray rest = line->takeRemainder();
    rest.remove(0, stale);
    if (!rest.isEmpty())
        append(rest);
    endUs = microseconds();
    result = how;
    emit finished();
}
