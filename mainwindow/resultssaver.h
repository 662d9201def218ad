#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QDateTime>
#include <QString>

class QWidget;

// The save dialog and the writing of downloaded results, for the window and
// for results kept from an earlier run.
class ResultsSaver
{
    Q_DECLARE_TR_FUNCTIONS(ResultsSaver)

public:
    // Asks for a file and writes results to it, in German number format when
    // a German run saves a .csv file and the user wants that. The dialog opens
    // at the last saved file or, the first time, in the documents folder with
    // a name made from downloaded (the time of the download). Returns the
    // path written; an empty string after a cancelled dialog or a failed
    // write, which a box has reported.
    static QString save(QWidget *parent, const QString &title, const QByteArray &results,
                        const QDateTime &downloaded);
};
