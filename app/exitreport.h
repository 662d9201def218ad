#pragma once

#include "downloadsummary.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The JSON object that --json writes when the command line ends, however it
// ends: the exit code, whether the results were saved, for a failure its
// reason as standard error gave it, and the download's summary once one ran.
class ExitReport
{
public:
    // Whether --json asks for it.
    void setRequested(bool requested);
    bool isRequested() const;
    void setReason(const QString &reason);
    void setDownload(const DownloadSummary &summary);
    // Whether the results, once written, are in the output.
    void setWritten(bool saved);
    bool isSaved() const;
    bool hasDownload() const;

    // On one line, with its line end.
    QByteArray json(int exitCode) const;

private:
    bool requested = false;
    QString reason;
    std::optional<DownloadSummary> download;
    bool saved = false;
    bool writeFailed = false;
};
