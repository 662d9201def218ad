#pragma once

#include <QByteArray>

// Results in the German number format: the commas between fields become
// semicolons, then the decimal points commas ("1.5,2.25" gives "1,5;2,25").
QByteArray toGermanNumberFormat(QByteArray data);
// The same in place: byte by byte, so results may be converted in pieces.
void toGermanNumberFormat(char *data, qsizetype size);
