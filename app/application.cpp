#include "application.h"

#include "appconstants.h"
#include "mainwindow.h"
#include "recoverystore.h"
#include "terminationhandler.h"
#include "translations.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QObject>

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

static void reportMissingTranslation()
{
    QString text = QStringLiteral("THALDEN Datalogger cannot start: no translation could be loaded.\n"
                                  "Searched for \"ThaldenDataLogger*.qm\" in:");
    for (const QString &folder : translationsSearchFolders(TranslationsDirName))
        text += QStringLiteral("\n  ") + folder;
    text += QLatin1Char('\n');

    std::fputs(text.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
    QMessageBox::critical(nullptr, QStringLiteral("THALDEN Datalogger"), text);
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
}

int runWindowCycles()
{
    for (bool first = true;; first = false) {
        // Parent of this cycle's translators: deleting it uninstalls them.
        auto translatorOwner = std::make_unique<QObject>();
        bool cancelled = false;
        if (!installTranslators(translatorOwner.get(), translationsDirectory(TranslationsDirName),
                                &cancelled)) {
            if (cancelled)
                return 0;
            reportMissingTranslation();
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
            QApplication::exec();
            restartRequested = window.restartRequested;
        }
        translatorOwner.reset();

        if (!restartRequested)
            return 0;
    }
}
