#pragma once

#include <QCoreApplication>
#include <QString>

class QWidget;

// Opens a local file (a help page, saved results) in the desktop's program
// for it. The desktop may have none to start (no xdg-open, no browser or
// viewer installed): then a box over parent says so and where the file is,
// so that the user can open it another way.
class FileOpener
{
    Q_DECLARE_TR_FUNCTIONS(FileOpener)

public:
    static bool open(QWidget *parent, const QString &path);
};
