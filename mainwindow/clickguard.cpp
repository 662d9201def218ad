#include "clickguard.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

ClickGuard::ClickGuard(QWidget *guarded)
    : QObject(guarded)
{
    guarded->installEventFilter(this);
}

void ClickGuard::arm()
{
    sinceArmed.start();
}

bool ClickGuard::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        if (sinceArmed.isValid() && !sinceArmed.hasExpired(QApplication::doubleClickInterval()))
            return true;
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
