#include "dataamount.h"

#include <QLocale>

QString dataAmount(qint64 bytes)
{
    return QLocale().formattedDataSize(bytes, 1, QLocale::DataSizeSIFormat);
}
