#include "devicenotifications.h"

#ifdef DATALOGGER_HAVE_LIBUDEV
#include <QFileInfo>
#include <QSocketNotifier>

#include <libudev.h>
#endif

namespace Kv {

#ifdef DATALOGGER_HAVE_LIBUDEV

// Events from the udev daemon ("udev" source: devices it has set up, with
// their permissions and links in place), for ttys only.
struct DeviceNotifications::Private
{
    ~Private()
    {
        delete notifier;
        if (monitor)
            udev_monitor_unref(monitor);
        if (context)
            udev_unref(context);
    }

    udev *context = nullptr;
    udev_monitor *monitor = nullptr;
    QSocketNotifier *notifier = nullptr;
};

DeviceNotifications::DeviceNotifications(QObject *parent)
    : QObject(parent)
    , d(std::make_unique<Private>())
{
    // Without a udev daemon (a container) nothing would ever arrive.
    if (!QFileInfo::exists(QStringLiteral("/run/udev/control")))
        return;
    d->context = udev_new();
    if (d->context)
        d->monitor = udev_monitor_new_from_netlink(d->context, "udev");
    if (!d->monitor || udev_monitor_filter_add_match_subsystem_devtype(d->monitor, "tty", nullptr) < 0 ||
        udev_monitor_enable_receiving(d->monitor) < 0) {
        d = std::make_unique<Private>();
        return;
    }
    d->notifier = new QSocketNotifier(udev_monitor_get_fd(d->monitor), QSocketNotifier::Read);
    connect(d->notifier, &QSocketNotifier::activated, this, [this] {
        while (udev_device *device = udev_monitor_receive_device(d->monitor)) {
            udev_device_unref(device);
            emit deviceEvent();
        }
    });
}

bool DeviceNotifications::isActive() const
{
    return d->notifier != nullptr;
}

#else

struct DeviceNotifications::Private
{};

DeviceNotifications::DeviceNotifications(QObject *parent)
    : QObject(parent)
{}

bool DeviceNotifications::isActive() const
{
    return false;
}

#endif

DeviceNotifications::~DeviceNotifications() = default;

QString DeviceNotifications::deviceFolder()
{
    return QStringLiteral("/dev");
}

} // namespace Kv
