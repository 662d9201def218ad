#include "testerline.h"

#include "serialsettings.h"

namespace Kv {

SerialSettings *TesterLine::newSettings()
{
    auto *settings = new SerialSettings;
    settings->setBaudRate(9600);
    settings->setByteSize(8);
    settings->setStopBits(ONESTOPBIT);
    settings->setBinary(1);
    settings->setParityCheck(0);
    settings->setParity(NOPARITY);
    settings->setOutxDsrFlow(0);
    settings->setDsrSensitivity(0);
    settings->setDtrControl(DTR_CONTROL_ENABLE);
    settings->setOutxCtsFlow(0);
    settings->setRtsControl(RTS_CONTROL_ENABLE);
    settings->setOutX(0);
    settings->setInX(0);
    settings->setXonChar(0x11);
    settings->setXoffChar(0x13);
    settings->setEvtChar(0);
    settings->setXonLim(100);
    settings->setXoffLim(100);
    settings->setTxContinueOnXoff(1);
    settings->setErrorCharReplace(0);
    settings->setNullDiscard(0);
    settings->setAbortOnError(0);
    return settings;
}

QByteArray TesterLine::commands()
{
    return QByteArrayLiteral("SYST:REM\r\nMEM:DATA? ALL\r\n");
}

QString TesterLine::describe(const SerialSettings &settings)
{
    const char parity = "NOEMS"[qMin<DWORD>(settings.parity(), 4)];
    const char *stopBits = settings.stopBits() == ONESTOPBIT    ? "1"
                           : settings.stopBits() == TWOSTOPBITS ? "2"
                                                                : "1.5";
    const bool handshake =
        settings.outxCtsFlow() || settings.outxDsrFlow() || settings.outX() || settings.inX();
    auto control = [](DWORD value) {
        return value == 0 ? "off" : value == 1 ? "on" : "handshake";
    };
    return QStringLiteral("%1 %2%3%4, %5, DTR %6, RTS %7")
        .arg(settings.baudRate())
        .arg(settings.byteSize())
        .arg(QLatin1Char(parity))
        .arg(QLatin1String(stopBits))
        .arg(QLatin1String(handshake ? "flow control" : "no flow control"))
        .arg(QLatin1String(control(settings.dtrControl())))
        .arg(QLatin1String(control(settings.rtsControl())));
}

} // namespace Kv
