#include "capturereplayline.h"

#include "capturereader.h"
#include "downloadsession.h"

#include <limits>
#include <utility>

namespace {

constexpr qint64 periodUs = 50000; // a serial line's read period
// After the recorded end, how long the rule may take before the line stops.
constexpr qint64 graceUs = (DownloadSession::midLineGraceMs + 100) * 1000;

} // namespace

CaptureReplayLine::CaptureReplayLine(CaptureReader *reader, QObject *parent)
    : DownloadLine(parent)
    , reader(reader)
{
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, this, &CaptureReplayLine::pass);
    readAhead();
}

void CaptureReplayLine::setSpeed(double factor)
{
    speed = factor;
}

int CaptureReplayLine::recordedWaitMs() const
{
    const qint64 waitMs = reader->header().waitMs;
    if (waitMs > 0)
        return int(qMin<qint64>(waitMs, std::numeric_limits<int>::max()));
    // A capture made before the header named the wait: one in which nothing
    // arrived waited until its end.
    if (chunksEnded && !broken && reader->end().reason == Download::Outcome::NothingArrived)
        return int(qMin<qint64>(reader->end().microseconds / 1000, std::numeric_limits<int>::max()));
    return 0;
}

CaptureFormat::End CaptureReplayLine::recordedEnd()
{
    CaptureFormat::Chunk rest;
    while (!chunksEnded && reader->readChunk(rest)) {
    }
    chunksEnded = true;
    if (reader->outcomeMissing() || reader->hasError() || reader->isCut())
        return {};
    return reader->end();
}

Kv::PortDiagnosis CaptureReplayLine::open()
{
    running = true;
    wall.start();
    timer.start(0);
    return {};
}

void CaptureReplayLine::write(const QByteArray &)
{
    requestUs = now;
}

qint64 CaptureReplayLine::bytesAvailable() const
{
    return buffer.size() - taken;
}

qint64 CaptureReplayLine::bytesBeforeWrite() const
{
    return requestUs < 0 ? bytesAvailable() : 0;
}

qint64 CaptureReplayLine::read(char *data, qint64 maxSize)
{
    const qint64 count = qMin(maxSize, bytesAvailable());
    std::copy_n(buffer.constData() + taken, count, data);
    taken += count;
    return count;
}

qint64 CaptureReplayLine::skip(qint64 maxSize)
{
    const qint64 count = qMin(maxSize, bytesAvailable());
    taken += count;
    return count;
}

bool CaptureReplayLine::lineFailed() const
{
    return failed;
}

void CaptureReplayLine::close()
{
    running = false;
    timer.stop();
}

QByteArray CaptureReplayLine::takeRemainder()
{
    QByteArray rest = buffer.mid(taken);
    buffer.clear();
    taken = 0;
    return rest;
}

qint64 CaptureReplayLine::microseconds() const
{
    return now;
}

void CaptureReplayLine::readAhead()
{
    haveAhead = !chunksEnded && reader->readChunk(ahead);
    if (haveAhead)
        return;
    chunksEnded = true;
    if (reader->outcomeMissing())
        broken = End::CutShort;
    else if (reader->hasError())
        broken = End::Damaged;
    else if (reader->isCut())
        broken = End::Unreadable;
}

qint64 CaptureReplayLine::nextEventUs() const
{
    // Before the request the line is silent.
    if (requestUs < 0)
        return now + periodUs;
    if (haveAhead)
        return qMin(qMax(now, requestUs + ahead.microseconds), now + periodUs);
    if (broken)
        return now;
    const qint64 end = requestUs + reader->end().microseconds;
    if (now >= end)
        return now + periodUs;
    // The periods up to the end are counted back from it: the end was found
    // at the end of one.
    const qint64 first = now + periodUs;
    if (first >= end)
        return end;
    return end - (end - first) / periodUs * periodUs;
}

void CaptureReplayLine::step()
{
    const qint64 at = nextEventUs();
    if (requestUs >= 0 && haveAhead && at == qMax(now, requestUs + ahead.microseconds)) {
        now = at;
        lastChunkUs = now;
        if (taken == buffer.size()) {
            buffer.clear();
            taken = 0;
        }
        buffer += std::exchange(ahead.bytes, {});
        readAhead();
        emit readyRead();
        return;
    }
    now = at;
    // A download that never asked: data kept the line busy up to its end,
    // counted from the port's opening. Its bytes were thrown away unseen.
    if (requestUs < 0 && !haveAhead && !broken && reader->end().reason == Download::Outcome::LineBusy &&
        now <= reader->end().microseconds) {
        buffer = QByteArray(1, '\0');
        taken = 0;
        emit readyRead();
        return;
    }
    if (requestUs >= 0 && !haveAhead) {
        if (broken) {
            close();
            emit ended(*broken);
            return;
        }
        const CaptureFormat::End &end = reader->end();
        const qint64 endUs = requestUs + end.microseconds;
        if (now >= endUs) {
            const bool lineEnded =
                end.reason == Download::Outcome::LineLost || end.reason == Download::Outcome::PortGone;
            if (end.reason == Download::Outcome::Cancelled || now > endUs + graceUs) {
                close();
                emit ended(End::RecordingOver);
                return;
            }
            failed = failed || lineEnded;
        }
    }
    emit readTimeOut();
}

// A pass takes events for a few milliseconds, so that a replay of any size
// keeps the event loop turning; at a speed, only those that are due.
void CaptureReplayLine::pass()
{
    QElapsedTimer passTime;
    passTime.start();
    while (running && passTime.elapsed() < 20) {
        if (speed > 0) {
            const qint64 dueUs = qint64(double(wall.nsecsElapsed() / 1000) * speed);
            const qint64 at = nextEventUs();
            if (at > dueUs) {
                timer.start(int(qMin<qint64>((at - dueUs) / speed / 1000 + 1, 1000)));
                return;
            }
        }
        step();
    }
    if (running)
        timer.start(0);
}
