#include "resultswriter.h"

#include <QFileInfo>

ResultsWriter::Target ResultsWriter::targetOf(const QString &path)
{
    return QFileInfo(path).isDir() ? Target::Unsuitable : Target::File;
}
