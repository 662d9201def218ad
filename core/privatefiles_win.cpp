#include "privatefiles.h"

namespace PrivateFiles {

QString openForWriting(QFile &file)
{
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate, fileMode))
        return QString();
    return file.errorString();
}

} // namespace PrivateFiles
