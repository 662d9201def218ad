#include "germannumberformat.h"

QByteArray toGermanNumberFormat(QByteArray data)
{
    toGermanNumberFormat(data.data(), data.size());
    return data;
}

void toGermanNumberFormat(char *data, qsizetype size)
{
    for (char *byte = data; byte < data + size; ++byte) {
        if (*byte == ',')
            *byte = ';';
        else if (*byte == '.')
            *byte = ',';
    }
}
