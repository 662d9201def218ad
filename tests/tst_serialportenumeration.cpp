#include "portlist.h"
#include "portwatcher.h"
#include "serialportenumerator.h"
#include "serialportenumerator_unix.h"
#include "testsupport.h"

#include <QSignalSpy>

namespace {

#define HUB "pci0000:00/0000:00:14.0/usb1/"
#define UART "pnp0/00:01/00:01:0/00:01:0.0"

// A sysfs tree below devices/. Device folders: "folder|subsystem|driver|
// attribute=value...". ttys: "tty|name|device folder (none: a virtual tty)|
// attribute=value...", with "nonode" when /dev has no node for it.
const char *const typicalTree[] = {
    "pci0000:00/0000:00:14.0|pci|xhci_hcd",
    HUB "1-2|usb|usb|idVendor=0403|idProduct=6001|bcdDevice=0600|product=FT232R USB UART|manufacturer=FTDI|"
        "serial=A10K3XYZ",
    HUB "1-2/1-2:1.0|usb|ftdi_sio|bInterfaceNumber=00",
    HUB "1-2/1-2:1.0/ttyUSB0|usb-serial|ftdi_sio",
    "tty|ttyUSB0|" HUB "1-2/1-2:1.0/ttyUSB0",
    HUB "1-4|usb|usb|idVendor=1a86|idProduct=7523|bcdDevice=0264",
    HUB "1-4/1-4:1.0|usb|ch341",
    HUB "1-4/1-4:1.0/ttyUSB10|usb-serial|ch341-uart",
    "tty|ttyUSB10|" HUB "1-4/1-4:1.0/ttyUSB10",
    HUB "1-5|usb|usb|idVendor=10c4|idProduct=ea60|product=CP2102 USB to UART",
    HUB "1-5/1-5:1.0|usb|cp210x",
    HUB "1-5/1-5:1.0/ttyUSB2|usb-serial|cp210x",
    "tty|ttyUSB2|" HUB "1-5/1-5:1.0/ttyUSB2",
    // Unplugged while being listed: sysfs still has it, /dev no longer.
    HUB "1-6|usb|usb|idVendor=067b|idProduct=2303",
    HUB "1-6/1-6:1.0|usb|pl2303",
    HUB "1-6/1-6:1.0/ttyUSB3|usb-serial|pl2303",
    "tty|ttyUSB3|" HUB "1-6/1-6:1.0/ttyUSB3|nonode",
    // CDC ACM: the tty's device is the USB interface itself.
    HUB "1-3|usb|usb|idVendor=2341|idProduct=0043|product=Arduino Uno",
    HUB "1-3/1-3:1.0|usb|cdc_acm",
    "tty|ttyACM0|" HUB "1-3/1-3:1.0",
    // An on-board UART as kernels from 6.5 on show it, below its PNP device.
    "pnp0/00:01|pnp|serial|id=PNP0501",
    "pnp0/00:01/00:01:0|serial-base|ctrl",
    UART "|serial-base|port",
    "tty|ttyS0|" UART "|type=4",
    // Registered by the 8250 driver without a UART behind it; the node exists.
    "platform/serial8250|platform|serial8250",
    "tty|ttyS1|platform/serial8250|type=0",
    "tty|tty1|",
    "tty|rfcomm0|",
    // Numbers compare by value (leading zeros aside) before what follows them.
    "tty|rfcomm1a|",
    "tty|rfcomm0b|",
    "tty|rfcomm00|",
};

const QStringList typicalPortNames{"rfcomm0", "rfcomm00", "rfcomm0b", "rfcomm1a", "ttyACM0",
                                   "ttyS0",   "ttyUSB0",  "ttyUSB2",  "ttyUSB10"};

// A sysfs and /dev of our own, linked the way the kernel links them. Device
// nodes are symbolic links to /dev/null, a real character device.
class FakeSystem
{
public:
    FakeSystem()
    {
        for (const char *row : typicalTree) {
            const QStringList fields = QString::fromUtf8(row).split(QLatin1Char('|'));
            const bool tty = fields.at(0) == QLatin1String("tty");
            const QString folder =
                tty ? devices + (fields.at(2).isEmpty() ? QStringLiteral("virtual") : fields.at(2)) +
                          QStringLiteral("/tty/") + fields.at(1)
                    : devices + fields.at(0);
            QDir().mkpath(folder);
            for (const QString &attribute : fields.mid(3) + QStringList(tty ? "dev=188:0" : "")) {
                QFile file(folder + QLatin1Char('/') + attribute.section(QLatin1Char('='), 0, 0));
                if (attribute.contains(QLatin1Char('=')) && file.open(QIODevice::WriteOnly))
                    file.write(attribute.section(QLatin1Char('='), 1).toUtf8() + '\n');
            }
            if (!tty) {
                link(sys + QStringLiteral("/bus/") + fields.at(1), folder + QStringLiteral("/subsystem"));
                link(sys + QStringLiteral("/bus/") + fields.at(1) + QStringLiteral("/drivers/") +
                         fields.at(2),
                     folder + QStringLiteral("/driver"));
                continue;
            }
            link(sys + QStringLiteral("/class/tty"), folder + QStringLiteral("/subsystem"));
            link(folder, sys + QStringLiteral("/class/tty/") + fields.at(1));
            if (!fields.at(2).isEmpty())
                link(devices + fields.at(2), folder + QStringLiteral("/device"));
            if (!fields.contains(QStringLiteral("nonode")))
                addNode(fields.at(1));
        }
    }

    void addNode(const QString &relativePath, const QString &in = {})
    {
        const QString path = (in.isEmpty() ? dev : in) + QLatin1Char('/') + relativePath;
        QDir().mkpath(QFileInfo(path).path());
        QVERIFY(QFile::link(QStringLiteral("/dev/null"), path));
    }

    QList<Kv::SerialPortInfo> ports(const QString &sysfs)
    {
        QList<Kv::SerialPortInfo> result(1);
        result[0].portName = QStringLiteral("earlier");
        Kv::enumerateSerialPorts(result, sysfs, dev);
        return result;
    }

    QTemporaryDir root;
    const QString sys = QFileInfo(root.path()).canonicalFilePath() + QStringLiteral("/sys");
    const QString devices = sys + QStringLiteral("/devices/");
    const QString dev = QFileInfo(root.path()).canonicalFilePath() + QStringLiteral("/dev");

private:
    // Relative links, as sysfs has them.
    static void link(const QString &target, const QString &linkPath)
    {
        QDir().mkpath(target);
        QVERIFY2(QFile::link(QDir(QFileInfo(linkPath).path()).relativeFilePath(target), linkPath),
                 qPrintable(linkPath));
    }
};

QStringList portNames(const QList<Kv::SerialPortInfo> &ports)
{
    QStringList names;
    for (const Kv::SerialPortInfo &port : ports)
        names.append(port.portName);
    return names;
}

} // namespace

class TestSerialPortEnumeration : public QObject
{
    Q_OBJECT

private slots:
    // Virtual ports of the environment the suite runs in must not leak in.
    void init()
    {
        qunsetenv("DATALOGGER_EXTRA_PORTS");
    }

    void comPortRules_data()
    {
        QTest::addColumn<QString>("portName");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("devicePath");
        QTest::newRow("COM9 keeps its name") << "COM9" << 9 << "COM9";
        QTest::newRow("COM10 needs the prefix") << "COM10" << 10 << "\\\\.\\COM10";
        QTest::newRow("leading zero") << "COM09" << 9 << "COM09";
        QTest::newRow("parallel port") << "LPT1" << -1 << "LPT1";
        QTest::newRow("lower case") << "com3" << -1 << "com3";
        QTest::newRow("no digits") << "COM" << -1 << "COM";
        QTest::newRow("not at the start") << " COM3" << -1 << " COM3";
    }
    void comPortRules()
    {
        QFETCH(QString, portName);
        QFETCH(int, number);
        QFETCH(QString, devicePath);
        QCOMPARE(Kv::comPortNumber(portName), number);
        QCOMPARE(Kv::comDevicePath(portName), devicePath);
    }

    void hardwareIds_data()
    {
        QTest::addColumn<QString>("hardwareId");
        QTest::addColumn<int>("vendorId");
        QTest::addColumn<int>("productId");
        QTest::newRow("USB") << "USB\\VID_1A2B&PID_00FF&REV_0100" << 0x1a2b << 0xff;
        QTest::newRow("lower case") << "usb\\vid_1a2b&pid_00ff&rev_0100" << 0x1a2b << 0xff;
        QTest::newRow("product runs on with _") << "USB\\VID_1A2B&PID_00FF_A" << 0x1a2b << 0;
        QTest::newRow("ends at backslash") << "USB\\VID_0403&PID_6001\\A50285BI" << 0x0403 << 0x6001;
        QTest::newRow("FTDI bus") << "FTDIBUS\\COMPORT&VID_0403&PID_6001" << 0x0403 << 0x6001;
        QTest::newRow("beyond int") << "USB\\VID_123456789&PID_0001" << 0 << 1;
        QTest::newRow("built-in port") << "ACPI\\PNP0501" << 0 << 0;
    }
    void hardwareIds()
    {
        QFETCH(QString, hardwareId);
        QFETCH(int, vendorId);
        QFETCH(int, productId);
        Kv::SerialPortInfo info;
        Kv::setIdsFromHardwareId(info, hardwareId);
        QCOMPARE(info.vendorId, vendorId);
        QCOMPARE(info.productId, productId);
    }

    // Ports with a device and a node, in natural order, appended to the list
    // (which stays as it is when sysfs cannot be read).
    void listsRealPorts()
    {
        FakeSystem system;
        QCOMPARE(portNames(system.ports(system.root.path() + QStringLiteral("/missing"))),
                 QStringList{"earlier"});
        // udev's stable name of an adapter, and one of an adapter not plugged in.
        QDir().mkpath(system.dev + QStringLiteral("/serial/by-id"));
        QVERIFY(QFile::link(
            QStringLiteral("../../ttyUSB0"),
            system.dev + QStringLiteral("/serial/by-id/usb-FTDI_FT232R_USB_UART_A10K3XYZ-if00-port0")));
        QVERIFY(QFile::link(QStringLiteral("../../ttyUSB7"),
                            system.dev + QStringLiteral("/serial/by-id/usb-gone")));
        const QList<Kv::SerialPortInfo> ports = system.ports(system.sys);
        QCOMPARE(portNames(ports), QStringList{"earlier"} + typicalPortNames);
        QStringList records;
        for (const Kv::SerialPortInfo &port : ports.mid(1)) {
            QCOMPARE(port.devicePath, system.dev + QLatin1Char('/') + port.portName);
            QCOMPARE(port.openPath, port.devicePath);
            records << QStringList{port.friendlyName,
                                   port.enumeratorName,
                                   QString(port.physicalName).replace(system.devices, QStringLiteral("~/")),
                                   QString::asprintf("%04x:%04x", port.vendorId, port.productId),
                                   port.manufacturer,
                                   port.product,
                                   port.serialNumber,
                                   QString(port.stablePath).replace(system.dev, QStringLiteral("~dev"))}
                           .join(QLatin1Char('|'));
        }
        QCOMPARE(
            records,
            QStringList(
                {"rfcomm0|BLUETOOTH||0000:0000||||", "rfcomm00|BLUETOOTH||0000:0000||||",
                 "rfcomm0b|BLUETOOTH||0000:0000||||", "rfcomm1a|BLUETOOTH||0000:0000||||",
                 "Arduino Uno (ttyACM0)|USB|~/" HUB "1-3/1-3:1.0|2341:0043||Arduino Uno||",
                 "ttyS0|PNP|~/" UART "|0000:0000||||",
                 "FT232R USB UART (ttyUSB0)|USB|~/" HUB "1-2/1-2:1.0/ttyUSB0|0403:6001|FTDI|"
                 "FT232R USB UART|A10K3XYZ|~dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10K3XYZ-if00-port0",
                 "CP2102 USB to UART (ttyUSB2)|USB|~/" HUB
                 "1-5/1-5:1.0/ttyUSB2|10c4:ea60||CP2102 USB to UART||",
                 "ttyUSB10|USB|~/" HUB "1-4/1-4:1.0/ttyUSB10|1a86:7523||||"}));
        // The port list's tooltip says which adapter is which.
        QCOMPARE(PortList::toolTip(ports.at(portNames(ports).indexOf("ttyUSB0"))),
                 QStringLiteral("FT232R USB UART (ttyUSB0)\nMaker: FTDI\nProduct: FT232R USB UART\n"
                                "VID:PID: 0403:6001\nSerial number: A10K3XYZ\nDevice: %1/ttyUSB0\n"
                                "Stable name: %1/serial/by-id/usb-FTDI_FT232R_USB_UART_A10K3XYZ-if00-port0")
                     .arg(system.dev));
        QCOMPARE(PortList::toolTip(ports.at(portNames(ports).indexOf("ttyS0"))),
                 QStringLiteral("ttyS0\nDevice: %1/ttyS0").arg(system.dev));
    }

    void extraPorts_data()
    {
        // %1 is the fake /dev, %2 a folder outside it; "name=path" for each port.
        QTest::addColumn<QString>("variable");
        QTest::addColumn<QString>("listed");
        QTest::newRow("in the given order") << "%1/pts/7:%1/pts/3"
                                            << "pts/7=%1/pts/7 pts/3=%1/pts/3";
        QTest::newRow("missing path left out") << "%1/pts/9:%1/pts/3"
                                               << "pts/3=%1/pts/3";
        QTest::newRow("empty entries") << ":%1/pts/3::"
                                       << "pts/3=%1/pts/3";
        QTest::newRow("not a device") << "%1/notatty:%2"
                                      << "";
        QTest::newRow("link outside /dev") << "%2/ttyV0"
                                           << "%2/ttyV0=%2/ttyV0";
        QTest::newRow("untidy path") << "%1//pts/3/"
                                     << "pts/3=%1/pts/3";
        QTest::newRow("listed once") << "%1/ttyUSB0:%1/pts/3:%1/pts/3"
                                     << "pts/3=%1/pts/3";
    }
    void extraPorts()
    {
        QFETCH(QString, variable);
        QFETCH(QString, listed);
        FakeSystem system;
        QTemporaryDir elsewhere;
        const QString outside = QFileInfo(elsewhere.path()).canonicalFilePath();
        system.addNode(QStringLiteral("pts/3"));
        system.addNode(QStringLiteral("pts/7"));
        system.addNode(QStringLiteral("ttyV0"), outside);
        QFile(system.dev + QStringLiteral("/notatty")).open(QIODevice::WriteOnly);
        const auto expand = [&](QString text) {
            return text.replace(QStringLiteral("%1"), system.dev).replace(QStringLiteral("%2"), outside);
        };
        qputenv("DATALOGGER_EXTRA_PORTS", QFile::encodeName(expand(variable)));

        const QList<Kv::SerialPortInfo> ports = system.ports(system.sys);
        QCOMPARE(portNames(ports.mid(1, typicalPortNames.size())), typicalPortNames);
        QStringList extra;
        for (const Kv::SerialPortInfo &port : ports.mid(1 + typicalPortNames.size())) {
            QCOMPARE(port.devicePath, port.openPath);
            extra << port.portName + QLatin1Char('=') + port.openPath;
        }
        QCOMPARE(extra.join(QLatin1Char(' ')), expand(listed));
    }

    // Hardware events in bursts, as udev delivers them when an adapter with
    // several ports comes or a hub is reset: one report each burst, none
    // while held, one at the release for what came meanwhile.
    void watcherReportsBurstsOnce()
    {
        Kv::PortWatcher watcher;
        QSignalSpy changed(&watcher, &Kv::PortWatcher::portsChanged);
        for (int i = 0; i < 500; ++i) {
            watcher.noteEvent();
            if (i % 50 == 0)
                QTest::qWait(10);
        }
        QVERIFY(changed.count() == 1 || changed.wait(2000));
        // No second report: the spy fails at once if one comes.
        QVERIFY(!changed.wait(2 * Kv::PortWatcher::settleMs));
        QCOMPARE(changed.count(), 1);

        watcher.hold();
        watcher.noteEvent();
        QVERIFY(!changed.wait(2 * Kv::PortWatcher::settleMs));
        QCOMPARE(changed.count(), 1);
        watcher.release();
        QCOMPARE(changed.count(), 2);
        watcher.hold();
        watcher.release();
        QCOMPARE(changed.count(), 2);
    }
};

DATALOGGER_TEST_MAIN(TestSerialPortEnumeration)
#include "tst_serialportenumeration.moc"
