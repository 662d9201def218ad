#pragma once

#include <QLabel>

class QStatusBar;

// Says in the window's status bar that a download's capture could not be
// written (a window program's standard error reaches no one on Windows):
// the report shows as the status bar's message at once, and this label, with
// the report as its tooltip, stays until the next download.
class CaptureFailureLabel : public QLabel
{
    Q_OBJECT

public:
    // Added to statusBar's permanent widgets, hidden.
    explicit CaptureFailureLabel(QStatusBar *statusBar);

    void report(const QString &report);
    void clear();

private:
    QStatusBar *statusBar;
};
