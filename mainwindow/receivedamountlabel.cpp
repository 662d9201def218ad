#include "receivedamountlabel.h"

#include "dataamount.h"

ReceivedAmountLabel::ReceivedAmountLabel(QWidget *parent)
    : QLabel(parent)
{
    quietWhile.setSingleShot(true);
    quietWhile.setInterval(250);
    connect(&quietWhile, &QTimer::timeout, this, [this] {
        if (pending) {
            showAmount();
            quietWhile.start();
        }
    });
}

void ReceivedAmountLabel::setAmount(qint64 bytes)
{
    amount = bytes;
    if (quietWhile.isActive()) {
        pending = true;
        return;
    }
    showAmount();
    quietWhile.start();
}

void ReceivedAmountLabel::flush()
{
    quietWhile.stop();
    showAmount();
}

void ReceivedAmountLabel::showAmount()
{
    setText(dataAmount(amount));
    pending = false;
}
