#include "application.h"

#include "appconstants.h"
#include "mainwindow.h"
#include "recoverystore.h"
#include "settingsstore.h"
#include "terminationhandler.h"
#include "translations.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QMessageBox>
#include <QObject>
#include <QTimer>

#include <cstdio>
#include <memory>

void setApplicationIdentity()
{
    QCoreApplication::setOrganizationName(QStringLiteral("THALDEN"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("thalden.de"));
    QCoreApplication::setApplicationName(QStringLiteral("THALDEN Datalogger"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.0.6"));
}

void setApplicationWindowIcon()
{
#ifndef Q_OS_WIN
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/appicon/thalden-datalogger.png")));
    // Wayland compositors match the window to the installed menu entry (and its
    // icon) by this name; on X11 StartupWMClass in the entry does it.
    QGuiApplication::setDesktopFileName(QStringLiteral("de.thalden.datalogger"));
#endif
}

// Without a translation these texts cannot be translated.
static void reportMissingTranslation(const QString &unloadableFile)
{
    QString text = QStringLiteral("THALDEN Datalogger cannot start: no translation could be loaded.\n");
    if (unloadableFile.isEmpty()) {
        text += QStringLiteral("Searched for \"ThaldenDataLogger*.qm\" in:");
        for (const QString &folder : translationsSearchFolders(TranslationsDirName))
            text += QStringLiteral("\n  ") + folder;
    } else {
        text +=
            QStringLiteral("The chosen file \"%1\" is there but holds no valid translation (it is damaged "
                           "or empty). Reinstall the program, or start it again and choose another "
                           "language.")
                .arg(QFileInfo(unloadableFile).absoluteFilePath());
    }
    text += QLatin1Char('\n');

    std::fputs(text.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
    // Titled like the main window's own failure boxes.
    QMessageBox::warning(nullptr, QStringLiteral("Korvane DataLogger"), text);
}

int showCommandLineIsSeparate()
{
    QObject translatorOwner;
    installStoredTranslator(&translatorOwner);
    QMessageBox::warning(nullptr, QStringLiteral("Korvane DataLogger"),
                         QCoreApplication::translate(
                             "Application", "This program has no command line of its own. Downloads from "
                                            "a command prompt, PowerShell or a script are made with "
                                            "thalden-datalogger-cli.exe in the same folder, for example:\n"
                                            "thalden-datalogger-cli.exe --help"));
    return 1;
}

static bool sessionEnding = false;

void endSessionOnRequest(TerminationHandler &handler)
{
    QObject::connect(&handler, &TerminationHandler::requested, &handler, [] {
        sessionEnding = true;
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (auto *window = qobject_cast<MainWindow *>(widget))
                window->sessionEnding = true;
        }
    });
#ifndef QT_NO_SESSIONMANAGER
    // A log-off through the desktop's session manager, and on Windows, comes
    // as this request rather than a signal, and the process may end right
    // after it without its windows being closed: keep the results now.
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, &handler, [] {
        sessionEnding = true;
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (auto *window = qobject_cast<MainWindow *>(widget))
                window->endSession();
        }
    });
#endif
}

int runWindowCycles()
{
    // Reported once a run, when the first window is up.
    bool settingsReported = SettingsStore::isWritable();
    for (bool first = true;; first = false) {
        // Parent of this cycle's translators: deleting it uninstalls them.
        auto translatorOwner = std::make_unique<QObject>();
        bool cancelled = false;
        QString unloadableFile;
        if (!installTranslators(translatorOwner.get(), translationsDirectory(TranslationsDirName), &cancelled,
                                &unloadableFile)) {
            if (cancelled)
                return 0;
            reportMissingTranslation(unloadableFile);
            return 1;
        }

        // Results kept when an earlier run was told to end.
        if (first)
            RecoveryStore::offer();
        if (sessionEnding)
            return 0;

        bool restartRequested = false;
        {
            MainWindow window;
            window.show();
            if (!settingsReported) {
                settingsReported = true;
                QTimer::singleShot(0, &window, [&window] {
                    QMessageBox::warning(&window, window.windowTitle(), SettingsStore::warningText());
                });
            }
            QApplication::exec();
            restartRequested = window.restartRequested;
        }
        translatorOwner.reset();

        if (!restartRequested) {
            // The window has stored its settings; no box while the program ends.
            if (!SettingsStore::isWritable()) {
                std::fputs((SettingsStore::warningText() + QLatin1Char('\n')).toLocal8Bit().constData(),
                           stderr);
                std::fflush(stderr);
            }
            return 0;
        }
    }
}
