#include "keptresults.h"

#include "capturehold.h"
#include "recoverystore.h"

KeptResults::KeptResults() = default;

KeptResults::~KeptResults() = default;

QString KeptResults::keep(const QByteArray &results, const QDateTime &downloaded)
{
    if (results.isEmpty() || !kept.isEmpty())
        return kept;
    // A failure is reported on standard error; the save dialog follows all the same.
    kept = RecoveryStore::write(results, downloaded);
    // The lock needs the file open; the system drops it with the process.
    file.setFileName(kept);
    if (!kept.isEmpty() && file.open(QIODevice::ReadOnly))
        hold = std::make_unique<CaptureHold>(file, kept);
    return kept;
}

void KeptResults::discard()
{
    if (kept.isEmpty())
        return;
    // On Windows an open file cannot be removed.
    hold.reset();
    file.close();
    QFile::remove(kept);
    kept.clear();
}
