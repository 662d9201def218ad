#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QDateTime>
#include <QString>

// Results the program could not ask about when it was told to end (the end of
// the desktop session): a file in the application's data folder, offered for
// saving at the next start and removed once saved or discarded.
class RecoveryStore
{
    Q_DECLARE_TR_FUNCTIONS(RecoveryStore)

public:
    static QString filePath();
    // Keeps results, with downloaded (the time of the download) as the file's
    // modification time. A failure is reported on standard error.
    static bool write(const QByteArray &results, const QDateTime &downloaded);
    // When results are kept, asks whether to save them: Save runs the save
    // dialog, Discard removes them, Cancel keeps them for the next start.
    static void offer();
};
