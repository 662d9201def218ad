#pragma once

#include <QLabel>
#include <QTimer>

// Shows how much a download has received, as a data size in the user's
// language. However often the amount changes, the text changes at most a few
// times a second: each change lays the status bar out again.
class ReceivedAmountLabel : public QLabel
{
public:
    explicit ReceivedAmountLabel(QWidget *parent = nullptr);

    // Shown at once after a quiet while, otherwise at the end of the while.
    void setAmount(qint64 bytes);
    // Shows the amount last set at once (the end of a download).
    void flush();

private:
    void showAmount();

    QTimer quietWhile;
    qint64 amount = 0;
    bool pending = false; // amount changed since it was last shown
};
