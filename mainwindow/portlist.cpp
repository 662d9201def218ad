#include "portlist.h"

#include <QComboBox>

PortList::PortList(QComboBox *list, const QString &storedName)
    : QObject(list)
    , list(list)
    , storedName(storedName)
    , missing(storedName)
{
    // Only the user's pick signals this, not the list's own changes.
    connect(list, &QComboBox::activated, this, &PortList::choose);
}

void PortList::show(const QList<Kv::SerialPortInfo> &ports)
{
    listed = ports;
    bool same = list->count() == ports.size();
    for (int i = 0; same && i < ports.size(); ++i) {
        same = list->itemText(i) == ports.at(i).portName &&
               list->itemData(i).toString() == ports.at(i).openPath &&
               list->itemData(i, Qt::ToolTipRole).toString() == toolTip(ports.at(i));
    }
    if (same)
        return;

    const QString chosen = chosenName();
    const QString shown = list->currentText();
    list->clear();
    for (const Kv::SerialPortInfo &port : ports) {
        list->addItem(port.portName, port.openPath);
        list->setItemData(list->count() - 1, toolTip(port), Qt::ToolTipRole);
    }
    const auto find = [this](const QString &name) {
        return name.isEmpty() ? -1 : list->findText(name, Qt::MatchFixedString | Qt::MatchCaseSensitive);
    };
    int index = find(chosen);
    // An adapter back under another name (a program still holds its old
    // node) is still the one chosen: it has the same stable path.
    for (int i = 0; index < 0 && !chosenStablePath.isEmpty() && i < ports.size(); ++i)
        index = ports.at(i).stablePath == chosenStablePath ? i : -1;
    missing = index < 0 ? chosen : QString();
    if (index >= 0)
        chosenStablePath = ports.at(index).stablePath;
    for (const QString &standIn : {shown, storedName}) {
        if (index < 0)
            index = find(standIn);
    }
    if (index >= 0)
        list->setCurrentIndex(index);
}

void PortList::choose()
{
    missing.clear();
    chosenStablePath = listed.value(list->currentIndex()).stablePath;
}

QString PortList::chosenName() const
{
    return missing.isEmpty() ? list->currentText() : missing;
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

const QList<Kv::SerialPortInfo> &PortList::ports() const
{
    return listed;
}
