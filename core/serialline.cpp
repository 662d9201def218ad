#include "serialline.h"

#include "openfordownload.h"
#include "testerline.h"

SerialLine::SerialLine(const QString &portPath, QObject *parent)
    : DownloadLine(parent)
    , portPath(portPath)
    , device(this, portPath)
{
    connect(&device, &Kv::WinSerialDeviceAsync::readyRead, this, &DownloadLine::readyRead);
    connect(&device, &Kv::WinSerialDeviceAsync::readTimeOut, this, &DownloadLine::readTimeOut);
}

Kv::PortDiagnosis SerialLine::open()
{
    device.setSettings(Kv::TesterLine::newSettings());
    clock.start();
    return Kv::openForDownload(device, portPath);
}

void SerialLine::write(const QByteArray &data)
{
    device.write(data);
    written = true;
}

qint64 SerialLine::bytesAvailable() const
{
    return device.bytesAvailable();
}

qint64 SerialLine::bytesBeforeWrite() const
{
    // The device counts from its last write: before the first, every byte came before.
    return written ? device.bytesAvailableBeforeWrite() : device.bytesAvailable();
}

qint64 SerialLine::read(char *data, qint64 maxSize)
{
    return device.read(data, maxSize);
}

qint64 SerialLine::skip(qint64 maxSize)
{
    return device.skip(maxSize);
}

bool SerialLine::lineFailed() const
{
    return device.lineFailed();
}

void SerialLine::close()
{
    device.close();
}

QByteArray SerialLine::takeRemainder()
{
    return device.takeRemainder();
}

qint64 SerialLine::microseconds() const
{
    return clock.isValid() ? clock.nsecsElapsed() / 1000 : 0;
}
