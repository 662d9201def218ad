#include "germannumberformat.h"

QByteArray toGermanNumberFormat(QByteArray data)
{
    data.replace(',', ';');
    data.replace('.', ',');
    return data;
}
