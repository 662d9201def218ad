#pragma once

#include "serialportinfo.h"

#include <QCoreApplication>
#include <QList>
#include <QString>

class QComboBox;

// Fills the window's port list: each port's name as the entry's text (the
// name the settings store), its open path as the entry's data, and what is
// known of it as the entry's tooltip, so that the tester's adapter can be told
// from the others.
class PortList
{
    Q_DECLARE_TR_FUNCTIONS(PortList)

public:
    // Keeps the current entry while its port is still there; otherwise the
    // entry named storedName becomes current, else the first. Leaves the list
    // as it is when the ports have not changed.
    static void show(QComboBox &list, const QList<Kv::SerialPortInfo> &ports, const QString &storedName);

    static QString toolTip(const Kv::SerialPortInfo &port);
};
