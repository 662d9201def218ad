#include "portwatcher.h"

#include "devicenotifications.h"
#include "serialportenumerator.h"

#include <QDir>
#include <QFileInfo>

namespace Kv {

PortWatcher::PortWatcher(QObject *parent)
    : QObject(parent)
    , notifications(new DeviceNotifications(this))
{
    connect(notifications, &DeviceNotifications::deviceEvent, this, &PortWatcher::noteEvent);
    settle.setSingleShot(true);
    settle.setInterval(settleMs);
    connect(&settle, &QTimer::timeout, this, [this] {
        if (held)
            pending = true;
        else
            emit portsChanged();
    });
    connect(&folders, &QFileSystemWatcher::directoryChanged, this, [this] {
        // A folder that was removed and made again is watched anew.
        watchFolders();
        noteEvent();
    });
    watchFolders();
}

PortWatcher::~PortWatcher() = default;

bool PortWatcher::hasDeviceNotifications() const
{
    return notifications->isActive();
}

void PortWatcher::watchFolders()
{
    QStringList wanted;
    for (const QString &path : extraPortPaths())
        wanted << QFileInfo(QDir::cleanPath(QFileInfo(path).absoluteFilePath())).path();
    if (!notifications->isActive())
        wanted << DeviceNotifications::deviceFolder();
    wanted.removeDuplicates();
    QStringList missing;
    for (const QString &folder : std::as_const(wanted)) {
        if (QFileInfo(folder).isDir() && !folders.directories().contains(folder))
            missing << folder;
    }
    if (!missing.isEmpty())
        folders.addPaths(missing);
}

void PortWatcher::hold()
{
    held = true;
}

void PortWatcher::release()
{
    held = false;
    if (pending) {
        pending = false;
        emit portsChanged();
    }
}

void PortWatcher::noteEvent()
{
    // One report a moment after the last event of a burst; an endless storm
    // still gives one a second.
    if (!settle.isActive())
        burst.start();
    if (!settle.isActive() || burst.elapsed() < 1000)
        settle.start();
}

} // namespace Kv
