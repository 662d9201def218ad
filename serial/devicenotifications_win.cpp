#include "devicenotifications.h"
#include "win32comm.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>

#include <dbt.h>

namespace Kv {

// Windows tells every top-level window of a port that arrives or leaves, and
// of any change in the device tree.
struct DeviceNotifications::Private : QAbstractNativeEventFilter
{
    explicit Private(DeviceNotifications *owner)
        : owner(owner)
    {}

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *) override
    {
        if (eventType != "windows_generic_MSG")
            return false;
        const MSG *msg = static_cast<const MSG *>(message);
        if (msg->message == WM_DEVICECHANGE &&
            (msg->wParam == DBT_DEVICEARRIVAL || msg->wParam == DBT_DEVICEREMOVECOMPLETE ||
             msg->wParam == DBT_DEVNODES_CHANGED))
            emit owner->deviceEvent();
        return false;
    }

    DeviceNotifications *owner;
};

DeviceNotifications::DeviceNotifications(QObject *parent)
    : QObject(parent)
    , d(std::make_unique<Private>(this))
{
    QCoreApplication::instance()->installNativeEventFilter(d.get());
}

DeviceNotifications::~DeviceNotifications()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(d.get());
}

bool DeviceNotifications::isActive() const
{
    return true;
}

QString DeviceNotifications::deviceFolder()
{
    return {};
}

} // namespace Kv
