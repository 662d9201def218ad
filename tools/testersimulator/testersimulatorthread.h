#pragma once

#include "testersimulator.h"

#include <QObject>
#include <QThread>

// A tester simulator in a thread of its own, as a real tester is: it sends on
// while the window that reads it is busy, where one sharing the window's
// thread would be starved.
class TesterSimulatorThread
{
public:
    explicit TesterSimulatorThread(const TesterSimulator::Options &options)
    {
        context.moveToThread(&thread);
        thread.start();
        QMetaObject::invokeMethod(
            &context,
            [&] {
                tester = new TesterSimulator;
                tester->setOptions(options);
                tester->start();
            },
            Qt::BlockingQueuedConnection);
    }

    ~TesterSimulatorThread()
    {
        QMetaObject::invokeMethod(
            &context, [this] { delete tester; }, Qt::BlockingQueuedConnection);
        thread.quit();
        thread.wait();
    }

    TesterSimulator *tester = nullptr;

private:
    QThread thread;
    QObject context;
};
