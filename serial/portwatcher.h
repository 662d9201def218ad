#pragma once

#include <QElapsedTimer>
#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

namespace Kv {

class DeviceNotifications;

// Tells when the serial ports may have changed, after hardware events only:
// the platform's device notifications (udev on Linux, WM_DEVICECHANGE on
// Windows) and the folders of the ports named by path. A burst of events
// gives one portsChanged() a moment later; nothing polls.
class PortWatcher : public QObject
{
    Q_OBJECT

public:
    explicit PortWatcher(QObject *parent = nullptr);
    ~PortWatcher() override;

    // Whether the platform's device notifications reach this watcher. Without
    // them (no udev, as in many containers) the device folder is watched.
    bool hasDeviceNotifications() const;

    // While held, changes are only noted; release() reports them once.
    void hold();
    void release();

    // A hardware event: the ports may have changed.
    void noteEvent();

    static constexpr int settleMs = 250;

signals:
    void portsChanged();

private:
    void watchFolders();

    QTimer settle;
    QElapsedTimer burst;
    QFileSystemWatcher folders;
    DeviceNotifications *notifications;
    bool held = false;
    bool pending = false;
};

} // namespace Kv
