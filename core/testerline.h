#pragma once

#include <QByteArray>
#include <QString>

namespace Kv {

class SerialSettings;

// The PV tester's side of the line: 9600 bit/s, 8 data bits, no parity, one
// stop bit, no flow control, DTR and RTS on; and the two commands that ask it
// for its stored results. The window and the command line both download
// through these.
class TesterLine
{
public:
    // A new record with the tester's 22 line settings; the caller owns it.
    static SerialSettings *newSettings();

    // What asks the tester for its results: "SYST:REM\r\n" (remote
    // operation), then "MEM:DATA? ALL\r\n" (the whole stored memory), with no
    // wait between them.
    static QByteArray commands();
    // The settings in a line, such as "9600 8N1, no flow control, DTR on, RTS on".
    static QString describe(const SerialSettings &settings);
};

} // namespace Kv
