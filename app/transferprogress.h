#pragma once

#include <QElapsedTimer>
#include <QString>

class DownloadSession;

// Shows on standard error the amount a download has received as it grows: on
// a terminal in one line that changes, in a log one line when the data
// begins; end() shows the last figure.
class TransferProgress
{
public:
    explicit TransferProgress(const DownloadSession &transfer);

    // received() has grown.
    void update();
    void end();

private:
    QString status() const;

    const DownloadSession &transfer;
    const bool terminal;
    const QString eraseToLineEnd;
    QElapsedTimer lastShown;
};
