#include "serialportenumerator.h"

#include <QRegularExpression>

namespace Kv {

QStringList extraPortPaths()
{
    return qEnvironmentVariable("DATALOGGER_EXTRA_PORTS").split(QLatin1Char(':'), Qt::SkipEmptyParts);
}

int comPortNumber(const QString &portName)
{
    static const QRegularExpression pattern(QStringLiteral("^COM(\\d+)"));
    const QRegularExpressionMatch match = pattern.match(portName);
    if (!match.hasMatch())
        return -1;
    return match.captured(1).toInt();
}

QString comDevicePath(const QString &portName)
{
    if (comPortNumber(portName) > 9)
        return QStringLiteral("\\\\.\\") + portName;
    return portName;
}

void setIdsFromHardwareId(SerialPortInfo &info, const QString &hardwareId)
{
    // Each field runs to the next "&" or backslash.
    static const QRegularExpression pattern(QStringLiteral("VID_(\\w+)&PID_(\\w+)"));
    const QRegularExpressionMatch match = pattern.match(hardwareId.toUpper());
    if (!match.hasMatch())
        return;
    info.vendorId = match.captured(1).toInt(nullptr, 16);
    info.productId = match.captured(2).toInt(nullptr, 16);
}

} // namespace Kv
