#pragma once

#include <QString>

#include <cstdio>

// What the command line does differently on each platform: how ports are
// named, and how text reaches a console.
namespace CommandLinePlatform {

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
