// Lists the serial ports the way the port list does and times the listing.
//   bench_enumeration [iterations] [sysfs-root dev-root]

#include "serialportenumerator.h"
#include "serialportenumerator_unix.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    const int iterations = arguments.size() > 1 ? qMax(1, arguments.at(1).toInt()) : 1000;
    const QString sysfsRoot = arguments.size() > 3 ? arguments.at(2) : QStringLiteral("/sys");
    const QString devRoot = arguments.size() > 3 ? arguments.at(3) : QStringLiteral("/dev");

    QTextStream out(stdout);
    QList<Kv::SerialPortInfo> ports;
    Kv::enumerateSerialPorts(ports, sysfsRoot, devRoot);
    for (const Kv::SerialPortInfo &port : ports) {
        out << port.portName << '\n'
            << "  openPath:       " << port.openPath << '\n'
            << "  devicePath:     " << port.devicePath << '\n'
            << "  friendlyName:   " << port.friendlyName << '\n'
            << "  enumeratorName: " << port.enumeratorName << '\n'
            << "  physicalName:   " << port.physicalName << '\n'
            << "  vendorId:       " << Qt::hex << Qt::showbase << port.vendorId << '\n'
            << "  productId:      " << port.productId << Qt::dec << Qt::noshowbase << '\n';
    }
    out << ports.size() << " port(s)\n";

    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < iterations; ++i) {
        QList<Kv::SerialPortInfo> again;
        Kv::enumerateSerialPorts(again, sysfsRoot, devRoot);
    }
    const double microseconds = timer.nsecsElapsed() / 1000.0 / iterations;
    out << "one enumeration: " << microseconds << " us (mean of " << iterations << ")\n";
    return 0;
}
