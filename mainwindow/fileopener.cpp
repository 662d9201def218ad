#include "fileopener.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QUrl>

bool FileOpener::open(QWidget *parent, const QString &path)
{
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        return true;
    QMessageBox box(
        QMessageBox::Warning, parent->windowTitle(),
        tr("No program was found to open \"%1\".", "The %1 is a file name.").arg(QFileInfo(path).fileName()),
        QMessageBox::Ok, parent);
    box.setInformativeText(tr("Install a program for files of this kind (a web browser for the help, a "
                              "spreadsheet or text editor for results), or open the file yourself:\n%1",
                              "The %1 is the file's full path.")
                               .arg(QDir::toNativeSeparators(path)));
    // The path can be selected and copied.
    if (auto *where = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_informativelabel")))
        where->setTextInteractionFlags(Qt::TextSelectableByMouse);
    box.exec();
    return false;
}
