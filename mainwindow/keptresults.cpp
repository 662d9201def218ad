#include "keptresults.h"

#include "capturehold.h"
#include "recoverystore.h"

KeptResults::KeptResults() = default;

KeptResults::~KeptResults()
{
    waitForWritten();
}

void KeptResults::keep(const QByteArray &results, const QDateTime &downloaded)
{
    waitForWritten();
    if (results.isEmpty() || !kept.isEmpty())
        return;
    // The bytes are shared, not copied: nothing changes them once the download has ended.
    writer = std::thread([this, results, downloaded] {
        // A failure is reported on standard error; the save dialog follows all the same.
        kept = RecoveryStore::write(results, downloaded);
        // The lock needs the file open; the system drops it with the process.
        file.setFileName(kept);
        if (!kept.isEmpty() && file.open(QIODevice::ReadOnly))
            hold = std::make_unique<CaptureHold>(file, kept);
    });
}

void KeptResults::discard()
{
    waitForWritten();
    if (kept.isEmpty())
        return;
    // On Windows an open file cannot be removed.
    hold.reset();
    file.close();
    QFile::remove(kept);
    kept.clear();
}

QString KeptResults::path()
{
    waitForWritten();
    return kept;
}

void KeptResults::waitForWritten()
{
    if (writer.joinable())
        writer.join();
}
