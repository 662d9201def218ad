#include "privatefiles.h"

#include <QDir>
#include <QFileInfo>

namespace PrivateFiles {

bool makeFolder(const QString &path)
{
    const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    if (QFileInfo(absolute).isDir())
        return true;
    const QString parent = QFileInfo(absolute).path();
    if (parent != absolute && !makeFolder(parent))
        return false;
    // Another program may have made it meanwhile.
    return QDir().mkdir(absolute, folderMode) || QFileInfo(absolute).isDir();
}

} // namespace PrivateFiles
