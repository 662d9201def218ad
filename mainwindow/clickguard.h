#pragma once

#include <QElapsedTimer>
#include <QObject>

class QWidget;

// Makes a widget ignore the mouse and keyboard for the platform's double-click
// interval after arm(): the second click of a double click on a button that
// shows another one in its place must not reach that one.
class ClickGuard : public QObject
{
public:
    explicit ClickGuard(QWidget *guarded);

    // Starts the interval, from now.
    void arm();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QElapsedTimer sinceArmed;
};
