#include "transferprogress.h"

#include "commandlineplatform.h"
#include "dataamount.h"
#include "downloadsession.h"

#include <QCoreApplication>

TransferProgress::TransferProgress(const DownloadSession &transfer)
    : transfer(transfer)
    , terminal(CommandLinePlatform::isTerminal(stderr))
    , eraseToLineEnd(CommandLinePlatform::eraseToLineEnd())
{}

void TransferProgress::update()
{
    if (!terminal) {
        if (!lastShown.isValid()) {
            CommandLinePlatform::write(stderr, QCoreApplication::translate("CommandLine", "Receiving...") +
                                                   QLatin1Char('\n'));
            lastShown.start();
        }
        return;
    }
    if (lastShown.isValid() && lastShown.elapsed() < 250)
        return;
    lastShown.start();
    CommandLinePlatform::write(stderr, QLatin1Char('\r') + status() + eraseToLineEnd);
}

void TransferProgress::end()
{
    if (terminal && lastShown.isValid())
        CommandLinePlatform::write(stderr, QLatin1Char('\r') + status() + eraseToLineEnd + QLatin1Char('\n'));
    else if (!transfer.received().isEmpty())
        CommandLinePlatform::write(stderr, status() + QLatin1Char('\n'));
}

QString TransferProgress::status() const
{
    // The command line's texts.
    return QCoreApplication::translate("CommandLine", "%1 received in %2 s",
                                       "%1 is an amount such as 12.3 KiB, %2 a number of seconds")
        .arg(dataAmount(transfer.received().size()))
        .arg(transfer.msecsReceiving() / 1000);
}
