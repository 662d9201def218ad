#include "transferprogress.h"

#include "commandlineplatform.h"
#include "dataamount.h"
#include "downloadsession.h"

#include <QCoreApplication>

namespace {

void say(const QString &text)
{
    CommandLinePlatform::write(stderr, text + QLatin1Char('\n'));
}

} // namespace

TransferProgress::TransferProgress(const DownloadSession &transfer)
    : transfer(transfer)
    , terminal(CommandLinePlatform::isTerminal(stderr))
    , eraseToLineEnd(CommandLinePlatform::eraseToLineEnd())
{}

void TransferProgress::update()
{
    if (!terminal) {
        if (!lastShown.isValid()) {
            say(QCoreApplication::translate("CommandLine", "Receiving..."));
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
        say(status());
}

QString TransferProgress::status() const
{
    // The command line's texts.
    return QCoreApplication::translate("CommandLine", "%1 received in %2 s",
                                       "%1 is an amount such as 12.3 KiB, %2 a number of seconds")
        .arg(dataAmount(transfer.received().size()))
        .arg(transfer.msecsReceiving() / 1000);
}
