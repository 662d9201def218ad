#pragma once

#include "serialportinfo.h"

#include <QList>
#include <QObject>
#include <QString>

class QComboBox;

// Fills the window's port list: each port's name as the entry's text (the
// name the settings store), its open path as the entry's data, and what is
// known of it as the entry's tooltip, so that the tester's adapter can be told
// from the others. It keeps the user's choice: a chosen port that goes away
// (unplugged, or its simulator restarted) is chosen again when it comes back,
// also under another name with the same stable path, until the user chooses
// another.
class PortList : public QObject
{
    Q_OBJECT

public:
    // list is also the parent; storedName is the port chosen in an earlier run.
    PortList(QComboBox *list, const QString &storedName);

    // Shows the chosen port while it is there. While it is not, the entry
    // shown stays while its port is there, else the stored port's, else the
    // first. Leaves the list as it is when the ports have not changed.
    void show(const QList<Kv::SerialPortInfo> &ports);
    // The entry shown becomes the choice: a download starts on it.
    void choose();
    // The chosen port's name, listed or not: the one to store.
    QString chosenName() const;

    // What was last shown: for the capture of a download, what is known of its port.
    const QList<Kv::SerialPortInfo> &ports() const;

    static QString toolTip(const Kv::SerialPortInfo &port);

private:
    QComboBox *list;
    QString storedName;
    QList<Kv::SerialPortInfo> listed;
    // The chosen port while it is not listed; empty while the entry shown is the choice.
    QString missing;
    // The chosen port's stable path, as last listed.
    QString chosenStablePath;
};
