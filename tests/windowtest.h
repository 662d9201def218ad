#pragma once

// What the main window's suites share: a folder of each test's own as the
// working folder, ports that the list shows, and the window's dialogs answered.

#include "mainwindow.h"
#include "ptypair.h"
#include "receivedamountlabel.h"
#include "recoverystore.h"
#include "testsupport.h"

#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>

#include <list>
#include <memory>

// The window suites' base: its init() and cleanup() run around every test.
class WindowTest : public QObject
{
    Q_OBJECT

protected slots:
    // A fresh folder and settings, no ports listed, an English run.
    void init()
    {
        QSettings().clear();
        QLocale::setDefault(QLocale(QLocale::English));
        folder = std::make_unique<QTemporaryDir>();
        QDir::setCurrent(folder->path());
        qunsetenv("DATALOGGER_EXTRA_PORTS");
        // Results an earlier test left unsaved.
        QDir(RecoveryStore::folderPath()).removeRecursively();
        warningText.clear();
        warningDetail.clear();
        TestSupport::armWatchdog();
    }

    void cleanup()
    {
        TestSupport::stopWatching();
        ptys.clear();
    }

public:
    // Pseudo-terminals that the port list shows through DATALOGGER_EXTRA_PORTS.
    QStringList makePorts(int count)
    {
        QStringList paths;
        for (int i = 0; i < count; ++i)
            paths << ptys.emplace_back().slavePath;
        qputenv("DATALOGGER_EXTRA_PORTS", paths.join(QLatin1Char(':')).toLocal8Bit());
        return paths;
    }

    static std::unique_ptr<MainWindow> windowOnPort(const QString &portPath)
    {
        qputenv("DATALOGGER_EXTRA_PORTS", portPath.toLocal8Bit());
        auto window = std::make_unique<MainWindow>();
        window->ui.comPorts->setCurrentIndex(window->ui.comPorts->findData(portPath));
        return window;
    }

    // Answers the next save dialog with path and the filter at that index
    // (confirming an overwrite when asked); keeps where the dialog started.
    void answerSaveDialog(const QString &path, int filter = 0)
    {
        TestSupport::whenShown<QFileDialog>([this, path, filter](QFileDialog *dialog) {
            auto *name = dialog->findChild<QLineEdit *>("fileNameEdit");
            dialogStart = dialog->directory().filePath(name->text());
            // As the user picks it (a filter selected in code does not signal).
            for (int i = 0; i < filter; ++i)
                QTest::keyClick(dialog->findChild<QComboBox *>("fileTypeCombo"), Qt::Key_Down);
            if (QFileInfo::exists(path)) {
                TestSupport::whenShown<QMessageBox>(
                    [](QMessageBox *overwrite) { overwrite->button(QMessageBox::Yes)->click(); });
            }
            // The file name field ignores selectFile() while it has the focus.
            name->setText(path);
            QMetaObject::invokeMethod(dialog, "accept");
        });
    }

    // Catches the window's own warning box (not the file dialog's overwrite question).
    void catchWarning()
    {
        TestSupport::whenShown<QMessageBox>(
            [this](QMessageBox *box) {
                warningText = box->text();
                warningDetail = box->informativeText();
                box->accept();
            },
            [](QMessageBox *box) { return qobject_cast<MainWindow *>(box->parentWidget()) != nullptr; });
    }

    static QString readFile(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll())
                                              : QStringLiteral("<missing>");
    }

    // During a download only Cancel and About apply; after it, the amount
    // received stays, if there was any.
    static void checkState(MainWindow &window, bool downloading, bool withData = false)
    {
        QCOMPARE(window.session != nullptr, downloading);
        QCOMPARE(window.ui.downloadBtn->isHidden(), downloading);
        QCOMPARE(window.ui.cancelBtn->isHidden(), !downloading);
        QVERIFY(!downloading || window.ui.openBtn->isHidden());
        QCOMPARE(window.ui.saveBtn->isHidden(), downloading || !withData);
        QCOMPARE(window.ui.comPorts->isEnabled(), !downloading);
        QCOMPARE(window.ui.actionRefreshPorts->isEnabled(), !downloading);
        QCOMPARE(window.ui.actionChangeLanguage->isEnabled(), !downloading);
        QVERIFY(window.ui.actionAbout->isEnabled());
        QCOMPARE(window.progressBar->isHidden(), !downloading);
        QVERIFY(!downloading || window.progressBar->parentWidget() == window.statusBar());
        QCOMPARE(window.amountLabel->isHidden(), !downloading && !withData);
    }

    std::unique_ptr<QTemporaryDir> folder;
    std::list<PtyPair> ptys;
    QString dialogStart;
    QString warningText;
    QString warningDetail; // its informative text
};
