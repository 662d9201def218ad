#include "serialportenumerator.h"
#include "serialportenumerator_unix.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace Qt::StringLiterals;

// Device folders below sys/devices: subsystem, driver, attributes.
struct DeviceRow
{
    const char *path;
    const char *subsystem;
    const char *driver;
    QList<std::pair<const char *, const char *>> attributes;
};

// ttys below sys/devices, listed in class/tty: their device (none when
// empty), the serial core's port type (none when empty), whether /dev has a node.
struct TtyRow
{
    const char *name;
    const char *path;
    const char *device;
    const char *type;
    bool node;
};

#define HUB "pci0000:00/0000:00:14.0/usb1/"
#define UART "pnp0/00:01/00:01:0/00:01:0.0"

const DeviceRow typicalDevices[] = {
    {"pci0000:00/0000:00:14.0", "pci", "xhci_hcd", {}},
    {HUB "1-2",
     "usb",
     "usb",
     {{"idVendor", "0403"}, {"idProduct", "6001"}, {"bcdDevice", "0600"}, {"product", "FT232R USB UART"}}},
    {HUB "1-2/1-2:1.0", "usb", "ftdi_sio", {{"bInterfaceNumber", "00"}}},
    {HUB "1-2/1-2:1.0/ttyUSB0", "usb-serial", "ftdi_sio", {}},
    {HUB "1-4", "usb", "usb", {{"idVendor", "1a86"}, {"idProduct", "7523"}, {"bcdDevice", "0264"}}},
    {HUB "1-4/1-4:1.0", "usb", "ch341", {}},
    {HUB "1-4/1-4:1.0/ttyUSB10", "usb-serial", "ch341-uart", {}},
    {HUB "1-5",
     "usb",
     "usb",
     {{"idVendor", "10c4"}, {"idProduct", "ea60"}, {"product", "CP2102 USB to UART"}}},
    {HUB "1-5/1-5:1.0", "usb", "cp210x", {}},
    {HUB "1-5/1-5:1.0/ttyUSB2", "usb-serial", "cp210x", {}},
    {HUB "1-6", "usb", "usb", {{"idVendor", "067b"}, {"idProduct", "2303"}}},
    {HUB "1-6/1-6:1.0", "usb", "pl2303", {}},
    {HUB "1-6/1-6:1.0/ttyUSB3", "usb-serial", "pl2303", {}},
    // CDC ACM: the tty's device is the USB interface itself.
    {HUB "1-3", "usb", "usb", {{"idVendor", "2341"}, {"idProduct", "0043"}, {"product", "Arduino Uno"}}},
    {HUB "1-3/1-3:1.0", "usb", "cdc_acm", {}},
    // An on-board UART as kernels from 6.5 on show it, below its PNP device.
    {"pnp0/00:01", "pnp", "serial", {{"id", "PNP0501"}}},
    {"pnp0/00:01/00:01:0", "serial-base", "ctrl", {}},
    {UART, "serial-base", "port", {}},
    {"platform/serial8250", "platform", "serial8250", {}},
};

const TtyRow typicalTtys[] = {
    {"ttyUSB0", HUB "1-2/1-2:1.0/ttyUSB0/tty/ttyUSB0", HUB "1-2/1-2:1.0/ttyUSB0", "", true},
    {"ttyUSB10", HUB "1-4/1-4:1.0/ttyUSB10/tty/ttyUSB10", HUB "1-4/1-4:1.0/ttyUSB10", "", true},
    {"ttyUSB2", HUB "1-5/1-5:1.0/ttyUSB2/tty/ttyUSB2", HUB "1-5/1-5:1.0/ttyUSB2", "", true},
    // Unplugged while being listed: sysfs still has it, /dev no longer.
    {"ttyUSB3", HUB "1-6/1-6:1.0/ttyUSB3/tty/ttyUSB3", HUB "1-6/1-6:1.0/ttyUSB3", "", false},
    {"ttyACM0", HUB "1-3/1-3:1.0/tty/ttyACM0", HUB "1-3/1-3:1.0", "", true},
    {"ttyS0", UART "/tty/ttyS0", UART, "4", true},
    // Registered by the 8250 driver without a UART behind it; the node exists.
    {"ttyS1", "platform/serial8250/tty/ttyS1", "platform/serial8250", "0", true},
    {"tty1", "virtual/tty/tty1", "", "", true},
    {"ptmx", "virtual/tty/ptmx", "", "", true},
    {"rfcomm0", "virtual/tty/rfcomm0", "", "", true},
};

// A sysfs and /dev of our own, linked the way the kernel links them. Device
// nodes are symbolic links to /dev/null, a real character device.
class FakeSystem
{
public:
    FakeSystem()
        : sys(QFileInfo(root.path()).canonicalFilePath() + u"/sys"_s)
        , dev(QFileInfo(root.path()).canonicalFilePath() + u"/dev"_s)
    {
        QDir().mkpath(sys + u"/class/tty"_s);
        QDir().mkpath(dev);
    }

    void addTypicalPorts()
    {
        for (const DeviceRow &row : typicalDevices) {
            const QString folder = devices() + QLatin1String(row.path);
            QDir().mkpath(folder);
            const QString bus = sys + u"/bus/"_s + QLatin1String(row.subsystem);
            link(bus, folder + u"/subsystem"_s);
            link(bus + u"/drivers/"_s + QLatin1String(row.driver), folder + u"/driver"_s);
            for (const auto &[name, value] : row.attributes)
                write(folder + u'/' + QLatin1String(name), QLatin1String(value));
        }
        for (const TtyRow &row : typicalTtys) {
            const QString folder = devices() + QLatin1String(row.path);
            QDir().mkpath(folder);
            write(folder + u"/dev"_s, u"188:0"_s);
            link(sys + u"/class/tty"_s, folder + u"/subsystem"_s);
            if (*row.device)
                link(devices() + QLatin1String(row.device), folder + u"/device"_s);
            if (*row.type)
                write(folder + u"/type"_s, QLatin1String(row.type));
            link(folder, sys + u"/class/tty/"_s + QLatin1String(row.name));
            if (row.node)
                addNode(QLatin1String(row.name));
        }
    }

    void addNode(const QString &relativePath)
    {
        const QString path = dev + u'/' + relativePath;
        QDir().mkpath(QFileInfo(path).path());
        QVERIFY(::symlink("/dev/null", QFile::encodeName(path).constData()) == 0);
    }

    QString devices() const
    {
        return sys + u"/devices/"_s;
    }

    QTemporaryDir root;
    const QString sys;
    const QString dev;

private:
    // Relative links, as sysfs has them.
    static void link(const QString &target, const QString &linkPath)
    {
        QDir().mkpath(target);
        const QString relative = QDir(QFileInfo(linkPath).path()).relativeFilePath(target);
        QVERIFY2(
            ::symlink(QFile::encodeName(relative).constData(), QFile::encodeName(linkPath).constData()) == 0,
            qPrintable(linkPath));
    }

    static void write(const QString &path, const QString &value)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(value.toUtf8() + '\n');
    }
};

QStringList portNames(const QList<Kv::SerialPortInfo> &ports)
{
    QStringList names;
    for (const Kv::SerialPortInfo &port : ports)
        names.append(port.portName);
    return names;
}

bool isCharacterDevice(const QString &path)
{
    struct stat status;
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 && S_ISCHR(status.st_mode);
}

const QStringList typicalPortNames{QStringLiteral("rfcomm0"), QStringLiteral("ttyACM0"),
                                   QStringLiteral("ttyS0"),   QStringLiteral("ttyUSB0"),
                                   QStringLiteral("ttyUSB2"), QStringLiteral("ttyUSB10")};

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

    void listsRealPortsInNaturalOrder()
    {
        FakeSystem system;
        system.addTypicalPorts();
        QList<Kv::SerialPortInfo> ports;
        Kv::enumerateSerialPorts(ports, system.sys, system.dev);
        QCOMPARE(portNames(ports), typicalPortNames);
    }

    void records_data()
    {
        QTest::addColumn<QString>("portName");
        QTest::addColumn<QString>("friendlyName");
        QTest::addColumn<QString>("enumeratorName");
        QTest::addColumn<QString>("physicalName"); // below sys/devices
        QTest::addColumn<int>("vendorId");
        QTest::addColumn<int>("productId");
        const QString hub = QStringLiteral(HUB);
        QTest::newRow("FTDI adapter") << "ttyUSB0"
                                      << "FT232R USB UART (ttyUSB0)"
                                      << "USB" << hub + "1-2/1-2:1.0/ttyUSB0" << 0x0403 << 0x6001;
        QTest::newRow("adapter without product") << "ttyUSB10"
                                                 << "ttyUSB10"
                                                 << "USB" << hub + "1-4/1-4:1.0/ttyUSB10" << 0x1a86 << 0x7523;
        QTest::newRow("CDC ACM") << "ttyACM0"
                                 << "Arduino Uno (ttyACM0)"
                                 << "USB" << hub + "1-3/1-3:1.0" << 0x2341 << 0x0043;
        QTest::newRow("on-board UART") << "ttyS0"
                                       << "ttyS0"
                                       << "PNP" << UART << 0 << 0;
        QTest::newRow("Bluetooth") << "rfcomm0"
                                   << "rfcomm0"
                                   << "BLUETOOTH" << QString() << 0 << 0;
    }
    void records()
    {
        QFETCH(QString, portName);
        QFETCH(QString, friendlyName);
        QFETCH(QString, enumeratorName);
        QFETCH(QString, physicalName);
        QFETCH(int, vendorId);
        QFETCH(int, productId);
        FakeSystem system;
        system.addTypicalPorts();
        QList<Kv::SerialPortInfo> ports;
        Kv::enumerateSerialPorts(ports, system.sys, system.dev);
        const qsizetype index = portNames(ports).indexOf(portName);
        QVERIFY(index >= 0);
        const Kv::SerialPortInfo &port = ports.at(index);
        QCOMPARE(port.devicePath, system.dev + QLatin1Char('/') + portName);
        QCOMPARE(port.openPath, port.devicePath);
        QCOMPARE(port.friendlyName, friendlyName);
        QCOMPARE(port.enumeratorName, enumeratorName);
        QCOMPARE(port.physicalName, physicalName.isEmpty() ? QString() : system.devices() + physicalName);
        QCOMPARE(port.vendorId, vendorId);
        QCOMPARE(port.productId, productId);
    }

    void appendsWithoutClearing_data()
    {
        QTest::addColumn<QString>("sysfsFolder");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("ports found") << "sys" << QStringList{"earlier"} + typicalPortNames;
        QTest::newRow("sysfs unreadable") << "missing" << QStringList{"earlier"};
    }
    void appendsWithoutClearing()
    {
        QFETCH(QString, sysfsFolder);
        QFETCH(QStringList, names);
        FakeSystem system;
        system.addTypicalPorts();
        Kv::SerialPortInfo earlier;
        earlier.portName = u"earlier"_s;
        QList<Kv::SerialPortInfo> ports{earlier};
        Kv::enumerateSerialPorts(ports, system.root.path() + u'/' + sysfsFolder, system.dev);
        QCOMPARE(portNames(ports), names);
    }

    void extraPorts_data()
    {
        // %1 is the fake /dev, %2 a folder outside it.
        QTest::addColumn<QString>("variable");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("paths");
        QTest::newRow("in the given order")
            << "%1/pts/7:%1/pts/3" << QStringList{"pts/7", "pts/3"} << QStringList{"%1/pts/7", "%1/pts/3"};
        QTest::newRow("missing path left out")
            << "%1/pts/9:%1/pts/3" << QStringList{"pts/3"} << QStringList{"%1/pts/3"};
        QTest::newRow("empty entries") << ":%1/pts/3::" << QStringList{"pts/3"} << QStringList{"%1/pts/3"};
        QTest::newRow("not a device") << "%1/notatty:%2" << QStringList{} << QStringList{};
        QTest::newRow("link outside /dev")
            << "%2/ttyV0" << QStringList{"%2/ttyV0"} << QStringList{"%2/ttyV0"};
        QTest::newRow("untidy path") << "%1//pts/3/" << QStringList{"pts/3"} << QStringList{"%1/pts/3"};
        QTest::newRow("listed once") << "%1/ttyUSB0:%1/pts/3:%1/pts/3" << QStringList{"pts/3"}
                                     << QStringList{"%1/pts/3"};
    }
    void extraPorts()
    {
        QFETCH(QString, variable);
        QFETCH(QStringList, names);
        QFETCH(QStringList, paths);
        FakeSystem system;
        system.addTypicalPorts();
        system.addNode(QStringLiteral("pts/3"));
        system.addNode(QStringLiteral("pts/7"));
        QFile(system.dev + QStringLiteral("/notatty")).open(QIODevice::WriteOnly);
        QTemporaryDir elsewhere;
        const QString outside = QFileInfo(elsewhere.path()).canonicalFilePath();
        QVERIFY(::symlink("/dev/null", QFile::encodeName(outside + QStringLiteral("/ttyV0")).constData()) ==
                0);
        const auto expand = [&](QString text) {
            return text.replace(QStringLiteral("%1"), system.dev).replace(QStringLiteral("%2"), outside);
        };
        const auto expandAll = [&](QStringList list) {
            for (QString &entry : list)
                entry = expand(entry);
            return list;
        };
        qputenv("DATALOGGER_EXTRA_PORTS", QFile::encodeName(expand(variable)));

        QList<Kv::SerialPortInfo> ports;
        Kv::enumerateSerialPorts(ports, system.sys, system.dev);
        QCOMPARE(portNames(ports.mid(0, typicalPortNames.size())), typicalPortNames);
        const QList<Kv::SerialPortInfo> extra = ports.mid(typicalPortNames.size());
        QCOMPARE(portNames(extra), expandAll(names));
        QStringList openPaths;
        for (const Kv::SerialPortInfo &port : extra) {
            QCOMPARE(port.devicePath, port.openPath);
            openPaths.append(port.openPath);
        }
        QCOMPARE(openPaths, expandAll(paths));
    }

    // The backend of this machine, with a pseudo-terminal as a virtual port.
    void realBackendListsOpenableNodes()
    {
        const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        QVERIFY(master >= 0);
        QVERIFY(::grantpt(master) == 0 && ::unlockpt(master) == 0);
        char slave[64] = {};
        QVERIFY(::ptsname_r(master, slave, sizeof slave) == 0);
        qputenv("DATALOGGER_EXTRA_PORTS", QByteArray("/nonexistent/port:") + slave);

        QList<Kv::SerialPortInfo> ports;
        Kv::enumerateSerialPorts(ports);
        // The slave's node lives only as long as the master is open.
        const auto closeMaster = qScopeGuard([master] { ::close(master); });

        QVERIFY(!ports.isEmpty());
        QCOMPARE(ports.constLast().openPath, QString::fromLocal8Bit(slave));
        QCOMPARE(ports.constLast().portName, QString::fromLocal8Bit(slave).mid(5));
        QStringList names;
        for (const Kv::SerialPortInfo &port : ports) {
            QVERIFY2(isCharacterDevice(port.openPath), qPrintable(port.openPath));
            QCOMPARE(port.devicePath, port.openPath);
            QVERIFY(!port.portName.isEmpty());
            QVERIFY2(!names.contains(port.portName), qPrintable(port.portName));
            names.append(port.portName);
        }
    }
};

DATALOGGER_TEST_MAIN(TestSerialPortEnumeration)
#include "tst_serialportenumeration.moc"
