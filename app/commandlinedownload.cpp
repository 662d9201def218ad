#include "commandlinedownload.h"

#include "openfordownload.h"
#include "testerline.h"

CommandLineDownload::CommandLineDownload(const QString &portPath, int waitMs, QObject *parent)
    : QObject(parent)
    , portPath(portPath)
    , device(nullptr, portPath)
{
    waitLimit.setSingleShot(true);
    waitLimit.setInterval(waitMs);
    connect(&waitLimit, &QTimer::timeout, this, [this] {
        if (data.isEmpty())
            finish(Result::NothingArrived);
    });
    connect(&device, &Kv::WinSerialDeviceAsync::readyRead, this, &CommandLineDownload::take);
    connect(&device, &Kv::WinSerialDeviceAsync::readTimeOut, this, [this] {
        if (!running)
            return;
        const bool failed = device.lineFailed();
        if (data.isEmpty()) {
            if (failed)
                finish(Result::PortGone);
            return;
        }
        take();
        finish(failed ? Result::LineLost : Result::Complete);
    });
}

Kv::PortDiagnosis CommandLineDownload::start()
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

void CommandLineDownload::interrupt()
{
    if (!running)
        return;
    take();
    finish(Result::Interrupted);
}

const QByteArray &CommandLineDownload::received() const
{
    return data;
}

qint64 CommandLineDownload::msecsSinceFirstByte() const
{
    return sinceFirstByte.isValid() ? sinceFirstByte.elapsed() : 0;
}

void CommandLineDownload::take()
{
    if (!running)
        return;
    const QByteArray chunk = device.readAll();
    if (chunk.isEmpty())
        return;
    if (data.isEmpty())
        sinceFirstByte.start();
    data += chunk;
    emit progress();
}

void CommandLineDownload::finish(Result result)
{
    running = false;
    waitLimit.stop();
    device.close();
    emit finished(result);
}
