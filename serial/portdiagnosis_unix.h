#pragma once

#include "openerror.h"
#include "portdiagnosis.h"

namespace Kv {

// What the system tells about a port that did not open: the failure and the
// node, the account and the port's holder, gathered by gatherPortFacts() and
// judged by diagnose(), so that a test can judge facts of its own.
struct PortFacts
{
    QString path;
    OpenError error;        // the failure: its code, errno and step
    bool nodeFound = false; // the rest of the node's facts are valid
    unsigned mode = 0;      // st_mode
    QString owner;          // a name, or the number when the databases lack it
    QString group;
    bool groupKnown = false;     // the group database has the node's group
    QString user;                // the account this process runs as
    bool groupInSession = false; // the process has the node's group
    bool groupOnPaper = false;   // the group database makes the account a member
    qint64 holder = 0;           // a process that holds the port, when found
    QString holderProgram;
    QString adapterMatch; // udev keys of the adapter, when it is a USB one
    // The node is /dev/tty, which stands for this process's terminal.
    bool controllingTerminal = false;
};

PortFacts gatherPortFacts(const QString &path, const OpenError &error);
PortDiagnosis diagnose(const PortFacts &facts);

// PortDiagnosis::ofOtherReader() with the sysfs root as a parameter: a device
// counts as a serial port with something behind it when sysfs shows one for
// its device number (pseudo-terminals have none: their other end is a
// program by design, and they are not checked).
PortDiagnosis otherReader(const QString &path, const QString &sysfsRoot);

} // namespace Kv
