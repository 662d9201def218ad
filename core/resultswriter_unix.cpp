#include "resultswriter.h"

#include <QFile>

#include <sys/stat.h>

ResultsWriter::Target ResultsWriter::targetOf(const QString &path)
{
    struct stat node;
    if (::stat(QFile::encodeName(path).constData(), &node) != 0 || S_ISREG(node.st_mode))
        return Target::File;
    if (S_ISCHR(node.st_mode) || S_ISFIFO(node.st_mode))
        return Target::InPlace;
    return Target::Unsuitable;
}
