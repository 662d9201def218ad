#include "downloadsession.h"

#include "appendgrowing.h"
#include "capturereader.h"
#include "capturewriter.h"
#include "openfordownload.h"
#include "portpath.h"
#include "serialportenumerator.h"
#include "serialsettings.h"
#include "testerline.h"

#include <QCoreApplication>

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
    connect(&replayTimer, &QTimer::timeout, this, &DownloadSession::replayChunks);
}

DownloadSession::~DownloadSession() = default;

void DownloadSession::setCapture(CaptureWriter *writer)
{
    capture.reset(writer);
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
    // The request waits for a quiet line (readTimeOut()).
    sinceOpen.start();
    return failure;
}

void DownloadSession::request()
{
    Kv::TesterLine::requestResults(device);
    sinceRequest.start();
    if (waitLimit.interval() > 0)
        waitLimit.start();
    if (capture)
        writeCaptureHeader();
    emit requested();
}

void DownloadSession::replay(CaptureReader *reader)
{
    replaying = reader;
    running = true;
    replayTimer.start(0);
}

// A pass of the event loop takes chunks for a few milliseconds, each one
// reported as it came, so a replay of any size keeps the loop turning.
void DownloadSession::replayChunks()
{
    QElapsedTimer pass;
    pass.start();
    CaptureFormat::Chunk chunk;
    while (running && pass.elapsed() < 20) {
        if (!replaying->readChunk(chunk)) {
            replayTimer.stop();
            if (replaying->outcomeMissing()) {
                finish(Outcome::CutShort);
                return;
            }
            const bool whole = !replaying->hasError() && !replaying->isCut();
            if (whole)
                replayUs = replaying->end().microseconds;
            finish(whole ? replaying->end().reason : Outcome::CaptureUnreadable);
            return;
        }
        replayUs = chunk.microseconds;
        if (data.isEmpty())
            firstByteUs = replayUs;
        Kv::appendGrowing(data, chunk.bytes.constData(), chunk.bytes.size());
        emit readyRead();
    }
}

qint64 DownloadSession::microseconds() const
{
    if (replaying)
        return replayUs;
    return sinceRequest.isValid() ? sinceRequest.nsecsElapsed() / 1000 : 0;
}

void DownloadSession::writeCaptureHeader()
{
    CaptureFormat::Header header;
    header.program =
        QCoreApplication::applicationName() + QLatin1Char(' ') + QCoreApplication::applicationVersion();
    header.time = QDateTime::currentDateTime();
    header.time = header.time.toOffsetFromUtc(header.time.offsetFromUtc());
    header.devicePath = portPath;
    // What the port list knows of the port, for telling adapters apart.
    QList<Kv::SerialPortInfo> ports;
    Kv::enumerateSerialPorts(ports);
    for (const Kv::SerialPortInfo &port : std::as_const(ports)) {
        if (port.openPath != portPath && port.devicePath != portPath && port.stablePath != portPath)
            continue;
        header.portName = port.portName;
        if (port.vendorId || port.productId)
            header.vidPid = QString::asprintf("%04x:%04x", port.vendorId, port.productId);
        header.serialNumber = port.serialNumber;
        header.stableName = port.stablePath;
    }
    if (header.portName.isEmpty())
        header.portName = Kv::portShownAs(portPath);
    const std::unique_ptr<Kv::SerialSettings> line(Kv::TesterLine::newSettings());
    header.line = Kv::TesterLine::describe(*line);
    header.commands = Kv::TesterLine::commands();
    header.discarded = discarded;
    capture->writeHeader(header);
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
    return result == Outcome::LineLost || result == Outcome::EndedMidLine || result == Outcome::CutShort;
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
    if (firstByteUs < 0)
        return 0;
    return ((endUs >= 0 ? endUs : microseconds()) - firstByteUs) / 1000;
}

qint64 DownloadSession::staleBytes() const
{
    return sinceRequest.isValid() ? device.bytesAvailableBeforeWrite() : device.bytesAvailable();
}

bool DownloadSession::take()
{
    if (!running)
        return false;
    const qint64 stale = staleBytes();
    if (stale > 0)
        discarded += device.skip(stale);
    if (!sinceRequest.isValid()) {
        if (stale > 0)
            waitForQuietLine(true);
        return stale > 0;
    }
    const qint64 available = device.bytesAvailable();
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
    const qint64 count = device.read(data.data() + size, available);
    data.resize(size + qMax<qint64>(count, 0));
    if (capture)
        capture->writeChunk(now, data.constData() + size, data.size() - size);
    midLineSilence.invalidate();
    emit readyRead();
    return true;
}

void DownloadSession::append(const QByteArray &chunk)
{
    const qint64 now = microseconds();
    if (data.isEmpty())
        firstByteUs = now;
    Kv::appendGrowing(data, chunk.constData(), chunk.size());
    if (capture)
        capture->writeChunk(now, chunk.constData(), chunk.size());
}

void DownloadSession::waitForQuietLine(bool bytesCame)
{
    if (!bytesCame) {
        if (device.lineFailed())
            finish(Outcome::PortGone);
        else if (++silentPeriods >= quietPeriods)
            request();
        return;
    }
    silentPeriods = 0;
    if (!std::exchange(busy, true))
        emit lineBusy();
    const int limit = waitLimit.interval() > 0 ? waitLimit.interval() : busyLineLimitMs;
    if (sinceOpen.elapsed() >= limit)
        finish(Outcome::LineBusy);
}

// One read period without a byte. Silence before the request may let it go
// out; silence before any data is waiting for the user to start the transfer;
// after data it ends the transfer.
void DownloadSession::readTimeOut()
{
    // Bytes that came after the silent period: the line is not silent.
    if (!running || take())
        return;
    if (!sinceRequest.isValid()) {
        waitForQuietLine(false);
        return;
    }
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
    replayTimer.stop();
    waitLimit.stop();
    device.close();
    // What the worker read between the last take and the close, but for
    // what came before the request.
    const qint64 stale = staleBytes();
    QByteArray rest = device.takeRemainder();
    rest.remove(0, stale);
    if (!rest.isEmpty())
        append(rest);
    endUs = microseconds();
    result = how;
    if (capture)
        capture->writeEnd(how, endUs, data);
    emit finished();
}
