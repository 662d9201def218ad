#pragma once

#include <QString>

#include <cstdio>

// What the command line does differently on each platform: how ports are
// named, how text reaches a console, and the standard descriptors.
namespace CommandLinePlatform {

// Opens the null device on each of the standard descriptors (0-2) that is
// closed, so that no file opened later (a lock file, the port, the output)
// takes its number and gets what is meant for standard error; remembers
// which were closed. To be called first thing in main().
void guardStandardDescriptors();
// Whether the standard descriptor (0-2) was closed before the guard.
bool wasClosedAtStart(int descriptor);
// Whether an argument reached the program whole: Qt decoded its raw bytes
// into decoded, which names the same file only if it encodes back to them.
bool isDecodedExactly(const QByteArray &raw, const QString &decoded);

// From now on a termination signal also ends a wait for a reader of the
// output (a FIFO, a full pipe, a stopped terminal) that begins after it:
// one signal ends the whole run, and it may come while the results still
// arrive (countStopsFromNow()). Windows' writes wait for no such signal.
void endLaterWaitsOnSignals();

// The device path to open for a PORT argument.
QString portPath(const QString &argument);

// Whether stream is a terminal (a console window on Windows).
bool isTerminal(FILE *stream);
// Writes text whole and flushes it; a Windows console gets it as UTF-16, so
// that every letter shows whatever the console's code page. False when it
// could not be written (a full disk, a closed pipe), with errno telling why.
bool write(FILE *stream, const QString &text);
// Makes stream pass bytes unchanged: a Windows C runtime otherwise turns
// each line feed written to it into a carriage return and a line feed.
void setBinary(FILE *stream);
// What ends a line that is overwritten in place, erasing what is left of the
// longer line before it.
QString eraseToLineEnd();

} // namespace CommandLinePlatform
