#pragma once

#include "downloadoutcome.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

// What a capture of one download holds, shared by CaptureWriter and
// CaptureReader. The file's layout is described in doc/capture-format.md.
namespace CaptureFormat {

// The first line of every capture, followed by the format's number. The number
// counts only changes an older reader cannot follow: readers skip header keys
// they do not know, so a new key needs none.
inline constexpr char magic[] = "THALDEN-DATALOGGER-CAPTURE";
inline constexpr int version = 1;

// What is known of a download before its first byte; empty where unknown.
struct Header
{
    QString program;    // the program and its version
    QDateTime time;     // when the commands were sent, with the local offset
    QString portName;   // as the port list shows it
    QString devicePath; // what was opened
    QString vidPid;     // of a USB adapter, such as 0403:6001
    QString serialNumber;
    QString stableName; // /dev/serial/by-id/...
    QString line;       // the line settings the port was opened with
    QByteArray commands;
    qint64 discarded = 0; // bytes of an earlier transfer thrown away before the commands
    qint64 waitMs = 0;    // the wait limit for the first byte; 0 for none
};

struct Chunk
{
    qint64 microseconds = 0; // since the commands were sent
    QByteArray bytes;
};

struct End
{
    Download::Outcome reason = Download::Outcome::NotEnded;
    qint64 microseconds = 0;
    qint64 bytes = 0;  // of the whole download
    QByteArray sha256; // of the whole download, in hexadecimal
};

// The stable word a capture names an end with.
QByteArray reasonWord(Download::Outcome reason);
// NotEnded for a word that names no end.
Download::Outcome reasonOf(const QByteArray &word);

// A header value on one line: control bytes and the percent sign
// percent-encoded, everything else as it is.
QByteArray encodeValue(const QByteArray &value);

} // namespace CaptureFormat
