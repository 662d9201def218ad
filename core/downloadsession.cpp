#include "downloadsession.h"

#include "appendgrowing.h"
#include "openfordownload.h"
#include "testerline.h"

#include <utility>

DownloadSession::DownloadSession(const QString &portPath, QObject *parent)
    : QObject(parent)
    , portPath(portPath)
    , device(this, portPath)
{
    waitLimit.setSingleShot(true);
    connect(&waitLimit, &QTimer::timeout, this, [this] {
        if (running && data.isEmpty())
            finish(Outcome::NothingArrived);
    });
    connect(&device, &Kv::WinSerialDeviceAsync::readyRead, this, &DownloadSession::take);
    connect(&device, &Kv::WinSerialDeviceAsync::readTimeOut, this, &DownloadSession::readTimeOut);
}

void DownloadSession::setWaitLimit(int msecs)
{
    waitLimit.setInterval(msecs);
}

Kv::PortDiagnosis DownloadSession::start()
{
    device.setSettings(Kv::TesterLine::newSettings());
    const Kv::PortDiagnosis failure = Kv::openForDownload(device, portPath);
    if (failure.cause != Kv::PortDiagnosis::Cause::None)
        return failure;
    running = true;
    Kv::TesterLine::requestResults(device);
    if (waitLimit.interval() > 0)
        waitLimit.start();
    return failure;
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
    return result == Outcome::LineLost || result == Outcome::EndedMidLine;
}

const QByteArray &DownloadSession::received() const
{
    return data;
}

QByteArray DownloadSession::takeReceived()
{
    return std::exchange(data, {});
}

qint64 DownloadSession::msecsReceiving() const
{
    if (receivingMs >= 0)
        return receivingMs;
    return sinceFirstByte.isValid() ? sinceFirstByte.elapsed() : 0;
}

bool DownloadSession::take()
{
    const qint64 available = running ? device.bytesAvailable() : 0;
    if (available <= 0)
        return false;
    if (data.isEmpty())
        sinceFirstByte.start();
    // Straight into the results, which grow by doubling: readAll() would
    // grow a buffer of its own step by step, copying it each time.
    const qsizetype size = data.size();
    Kv::reserveGrowing(data, available);
    data.resize(size + available);
    const qint64 count = device.read(data.data() + size, available);
    data.resize(size + qMax<qint64>(count, 0));
    midLineSilence.invalidate();
    emit readyRead();
    return true;
}

void DownloadSession::append(const QByteArray &chunk)
{
    if (data.isEmpty())
        sinceFirstByte.start();
    Kv::appendGrowing(data, chunk.constData(), chunk.size());
}

// One read period without a byte. Silence before any data is waiting for the
// user to start the transfer; after data it ends the transfer.
void DownloadSession::readTimeOut()
{
    // Bytes that came after the silent period: the line is not silent.
    if (!running || take())
        return;
    const bool failed = device.lineFailed();
    if (data.isEmpty()) {
        if (failed)
            finish(Outcome::PortGone);
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
    if (!midLineSilence.isValid())
        midLineSilence.start();
    else if (midLineSilence.elapsed() >= midLineGraceMs)
        finish(Outcome::EndedMidLine);
}

void DownloadSession::finish(Outcome how)
{
    running = false;
    waitLimit.stop();
    device.close();
    // What the worker read between the last take and the close.
    const QByteArray rest = device.takeRemainder();
    if (!rest.isEmpty())
        append(rest);
    if (sinceFirstByte.isValid())
        receivingMs = sinceFirstByte.elapsed();
    result = how;
    emit finished();
}
