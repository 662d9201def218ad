#include "capturefailurelabel.h"

#include <QStatusBar>

CaptureFailureLabel::CaptureFailureLabel(QStatusBar *statusBar)
    : statusBar(statusBar)
{
    // Red on the status bar's white, which every theme keeps.
    setStyleSheet(QStringLiteral("QLabel { color: #B00000; }"));
    statusBar->addPermanentWidget(this, 0);
    hide();
}

void CaptureFailureLabel::report(const QString &report)
{
    setText(tr("Capture not written"));
    setToolTip(report);
    setAccessibleDescription(report);
    show();
    statusBar->showMessage(report);
}

void CaptureFailureLabel::clear()
{
    hide();
    setToolTip(QString());
    setAccessibleDescription(QString());
}
