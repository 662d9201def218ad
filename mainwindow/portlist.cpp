#include "portlist.h"

#include <QComboBox>

void PortList::show(QComboBox &list, const QList<Kv::SerialPortInfo> &ports, const QString &storedName)
{
    bool same = list.count() == ports.size();
    for (int i = 0; same && i < ports.size(); ++i) {
        same = list.itemText(i) == ports.at(i).portName &&
               list.itemData(i).toString() == ports.at(i).openPath &&
               list.itemData(i, Qt::ToolTipRole).toString() == toolTip(ports.at(i));
    }
    if (same)
        return;

    const QString current = list.currentData().toString();
    list.clear();
    for (const Kv::SerialPortInfo &port : ports) {
        list.addItem(port.portName, port.openPath);
        list.setItemData(list.count() - 1, toolTip(port), Qt::ToolTipRole);
    }
    int chosen = current.isEmpty() ? -1 : list.findData(current);
    if (chosen < 0)
        chosen = list.findText(storedName, Qt::MatchFixedString | Qt::MatchCaseSensitive);
    if (chosen >= 0)
        list.setCurrentIndex(chosen);
}

QString PortList::toolTip(const Kv::SerialPortInfo &port)
{
    QStringList lines{port.friendlyName.isEmpty() ? port.portName : port.friendlyName};
    auto add = [&lines](const QString &label, const QString &value) {
        if (!value.isEmpty())
            lines << label.arg(value);
    };
    add(tr("Maker: %1", "The %1 is the maker of a USB serial adapter"), port.manufacturer);
    add(tr("Product: %1", "The %1 is the product name of a USB serial adapter"), port.product);
    if (port.vendorId || port.productId) {
        add(tr("VID:PID: %1", "The %1 is a USB vendor and product id such as 0403:6001"),
            QString::asprintf("%04x:%04x", port.vendorId, port.productId));
    }
    add(tr("Serial number: %1", "The %1 is the serial number of a USB serial adapter"), port.serialNumber);
    add(tr("Device: %1", "The %1 is a device path such as /dev/ttyUSB0"), port.devicePath);
    add(tr("Stable name: %1", "The %1 is a path that names the adapter whatever port it is on"),
        port.stablePath);
    return lines.join(QLatin1Char('\n'));
}
