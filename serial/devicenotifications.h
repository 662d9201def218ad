#pragma once

#include <QObject>
#include <QString>

#include <memory>

namespace Kv {

// The platform's notifications of serial devices that come and go: a udev
// monitor on Linux (when libudev is built in and udev runs), WM_DEVICECHANGE
// on Windows. deviceEvent() comes once per notification.
class DeviceNotifications : public QObject
{
    Q_OBJECT

public:
    explicit DeviceNotifications(QObject *parent = nullptr);
    ~DeviceNotifications() override;

    // Whether notifications can arrive at all.
    bool isActive() const;

    // The folder where device nodes appear, to watch instead when there are no
    // notifications; empty where there is none.
    static QString deviceFolder();

signals:
    void deviceEvent();

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace Kv
