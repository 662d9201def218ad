#pragma once

#include "downloadline.h"
#include "winserialdeviceasync.h"

#include <QElapsedTimer>
#include <QString>

// The tester's serial line: the port opened with the tester's settings,
// unless another program reads it.
class SerialLine : public DownloadLine
{
    Q_OBJECT

public:
    explicit SerialLine(const QString &portPath, QObject *parent = nullptr);

    Kv::PortDiagnosis open() override;
    void write(const QByteArray &data) override;
    qint64 bytesAvailable() const override;
    qint64 bytesBeforeWrite() const override;
    qint64 read(char *data, qint64 maxSize) override;
    qint64 skip(qint64 maxSize) override;
    bool lineFailed() const override;
    void close() override;
    QByteArray takeRemainder() override;
    qint64 microseconds() const override;

private:
    const QString portPath;
    Kv::WinSerialDeviceAsync device;
    QElapsedTimer clock;
    bool written = false;
};
