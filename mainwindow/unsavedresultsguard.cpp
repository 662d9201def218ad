#include "unsavedresultsguard.h"

#include <QMessageBox>

bool UnsavedResultsGuard::mayDiscard(QWidget *window, bool unsaved, const std::function<bool()> &save)
{
    if (!unsaved)
        return true;
    QMessageBox box(QMessageBox::Warning, window->windowTitle(),
                    tr("The downloaded results have not been saved."),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, window);
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save:
        return save();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}
