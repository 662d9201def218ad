#include "resultssaver.h"

#include "appconstants.h"
#include "resultswriter.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>

// The window's texts: they are translated in its context.
static QString windowText(const char *text, const char *comment = nullptr)
{
    return QCoreApplication::translate("MainWindow", text, comment);
}

static QString firstSavePath(const QDateTime &downloaded)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    const QDateTime time = downloaded.isValid() ? downloaded : QDateTime::currentDateTime();
    return QStringLiteral("%1/results-%2.csv").arg(folder, time.toString(QStringLiteral("yyyy-MM-dd-HHmm")));
}

static bool wantsGermanFormat(QWidget *parent, const QString &title)
{
    const QVariant stored = QSettings().value(SettingsKeyConvertData);
    bool convert = false;
    if (stored.isNull()) {
        QMessageBox question(QMessageBox::Question, title,
                             windowText(QT_TRANSLATE_NOOP(
                                 "MainWindow", "Would you like to convert the data to German format?")),
                             QMessageBox::Yes | QMessageBox::No, parent);
        question.setInformativeText(windowText(QT_TRANSLATE_NOOP(
            "MainWindow", "Decimal points will be replaced by commas and the commas separating "
                          "fields will be replaced by semi-colons.")));
        convert = question.exec() == QMessageBox::Yes;
    } else {
        convert = stored.toBool();
    }
    QSettings().setValue(SettingsKeyConvertData, convert);
    return convert;
}

QString ResultsSaver::save(QWidget *parent, const QString &title, const QByteArray &results,
                           const QDateTime &downloaded)
{
    const QStringList filters{
        windowText(QT_TRANSLATE_NOOP("MainWindow", "Comma Separated Value files (*.csv)")),
        windowText(QT_TRANSLATE_NOOP("MainWindow", "Text files (*.txt)")),
        windowText(QT_TRANSLATE_NOOP("MainWindow", "All files (*.*)"))};
    const QStringList suffixes{QStringLiteral("csv"), QStringLiteral("txt"), QString()};
    QString startPath = QSettings().value(SettingsKeyDeviceLastSavedFilePath).toString();
    if (startPath.isEmpty())
        startPath = firstSavePath(downloaded);

    QFileDialog dialog(parent, windowText(QT_TRANSLATE_NOOP("MainWindow", "Save downloaded data to file")),
                       startPath);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.first());
    // A name typed without a suffix gets the chosen filter's, before the
    // dialog asks about replacing an existing file of that name.
    dialog.setDefaultSuffix(suffixes.first());
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog, &filters, &suffixes](const QString &filter) {
                         dialog.setDefaultSuffix(suffixes.value(filters.indexOf(filter)));
                     });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString path = dialog.selectedFiles().constFirst();

    const bool isCsv = QFileInfo(path).suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0;
    const bool german = isCsv && QLocale().language() == QLocale::German && wantsGermanFormat(parent, title);
    ResultsWriter writer(german ? ResultsWriter::Format::German : ResultsWriter::Format::AsReceived);
    const bool saved = writer.writeFile(path, results);
    if (!saved) {
        static const struct
        {
            const char *source;
            const char *comment;
        } failed = QT_TRANSLATE_NOOP3("MainWindow",
                                      "Error opening \"%1\" for writing. Is it open already or read only?",
                                      "The %1 will be replaced with the a file name. Please do not remove it "
                                      "in your translation!");
        QMessageBox box(QMessageBox::Warning, title, windowText(failed.source, failed.comment).arg(path),
                        QMessageBox::Ok, parent);
        box.setInformativeText(writer.errorString());
        box.exec();
        return {};
    }
    QSettings().setValue(SettingsKeyDeviceLastSavedFilePath, path);
    return path;
}
