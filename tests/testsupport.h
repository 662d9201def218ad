#pragma once

// Shared set-up of the test suites: a settings store and config folder of
// their own, the offscreen platform, and helpers to drive modal dialogs.

#include "application.h"
#include "capturewriter.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace TestSupport {

// Copies this build's translation files for the given languages, and Qt's
// own for them when present, into folder/Translations. Returns that folder.
inline QString copyTranslations(const QString &folder, const QStringList &codes)
{
    const QString built = QStringLiteral(DATALOGGER_BUILD_TRANSLATIONS_DIR);
    const QString target = folder + QStringLiteral("/Translations");
    QDir().mkpath(target);
    for (const QString &code : codes) {
        const QStringList patterns{QStringLiteral("ThaldenDataLogger_%1.qm").arg(code),
                                   QStringLiteral("qt*_%1.qm").arg(code)};
        for (const QString &name : QDir(built).entryList(patterns, QDir::Files))
            QFile::copy(built + QLatin1Char('/') + name, target + QLatin1Char('/') + name);
    }
    return target;
}

inline void storeLanguage(const QString &filePath, const QString &code)
{
    QSettings settings;
    settings.setValue(QStringLiteral("KvGui/DialogLanguage/FilePath"), filePath);
    settings.setValue(QStringLiteral("KvGui/DialogLanguage/Iso639Code"), code);
}

// Owner of the watchers below; stopWatching() ends those still waiting, so
// none of them carries over into the next test function.
inline QObject *watchers()
{
    static QObject owner;
    return &owner;
}

inline void stopWatching()
{
    qDeleteAll(watchers()->children());
}

// Closes every window (rejecting dialogs) after timeoutMs, so that a test
// whose dialogs do not appear as expected fails instead of hanging.
inline void armWatchdog(int timeoutMs = 60000)
{
    auto *timer = new QTimer(watchers());
    timer->setSingleShot(true);
    QObject::connect(timer, &QTimer::timeout, timer, [] {
        qWarning("Watchdog: closing every window");
        QApplication::closeAllWindows();
    });
    timer->start(timeoutMs);
}

// Calls action once, with the first visible top-level widget of type T that
// wanted() accepts, when it shows up (exec() of a dialog blocks the test, so
// this polls from a timer). The action runs inside the event loop of whoever
// shows the widget.
template <typename T, typename Action, typename Filter>
void whenShown(Action action, Filter wanted)
{
    auto *timer = new QTimer(watchers());
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, action, wanted] {
        QWidget *modal = QApplication::activeModalWidget();
        T *found = qobject_cast<T *>(modal);
        if (!found && !modal) {
            for (QWidget *widget : QApplication::topLevelWidgets()) {
                if (auto *candidate = qobject_cast<T *>(widget); candidate && candidate->isVisible())
                    found = candidate;
            }
        }
        if (!found || !found->isVisible() || !wanted(found))
            return;
        timer->stop();
        timer->deleteLater();
        action(found);
    });
    timer->start();
}

template <typename T, typename Action>
void whenShown(Action action)
{
    whenShown<T>(action, [](T *) { return true; });
}

// Runs the current test row again in a child process as nobody, in group
// (the suites run as root, whom no permission and no TIOCEXCL stops); a
// failure there fails the row here. output receives what the child printed.
inline void runAsNobody(QByteArray *output = nullptr, const QString &group = QStringLiteral("nogroup"),
                        const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    const QByteArray function = QTest::currentTestFunction(), tag = QTest::currentDataTag();
    QProcess child;
    child.setProcessEnvironment(environment);
    child.setWorkingDirectory(QDir::tempPath());
    child.start(QStringLiteral("setpriv"),
                {"--reuid=nobody", "--regid=" + group, "--clear-groups",
                 QCoreApplication::applicationFilePath(), tag.isEmpty() ? function : function + ':' + tag});
    const bool ended = child.waitForFinished(120000);
    bool passed = false;
    QByteArray printed = ended ? QByteArray() : child.errorString().toLocal8Bit();
    for (const QByteArray &line :
         (child.readAllStandardOutput() + child.readAllStandardError()).split('\n')) {
        passed = passed || (line.startsWith("PASS   : ") && line.endsWith("::" + function + '(' + tag + ')'));
        // The serial layer's trace would drown the failure.
        if (!line.startsWith("QDEBUG"))
            printed += line + '\n';
    }
    if (!ended || child.exitCode() != 0 || !passed)
        QTest::qFail(printed.constData(), __FILE__, __LINE__);
    if (output)
        *output = printed;
}

// The temporary and documents folders, where kept results may go, below
// home: a temporary folder shared as /tmp is, for children run as nobody.
inline void isolateUserFolders(const QString &home)
{
    const QString temporary = home + QStringLiteral("/tmp");
    QDir(home).mkdir(QStringLiteral("tmp"));
#ifdef Q_OS_UNIX
    ::chmod(QFile::encodeName(home).constData(), 0711);
    ::chmod(QFile::encodeName(temporary).constData(), 01777);
#endif
    qputenv("TMPDIR", QFile::encodeName(temporary));
    QFile userDirs(home + QStringLiteral("/user-dirs.dirs"));
    if (userDirs.open(QIODevice::WriteOnly))
        userDirs.write("XDG_DOCUMENTS_DIR=\"" + QFile::encodeName(home) + "/Documents\"\n");
}

} // namespace TestSupport

// A test main() that isolates the suite before the application exists.
#define DATALOGGER_TEST_MAIN(TestClass)                                                                      \
    int main(int argc, char *argv[])                                                                         \
    {                                                                                                        \
        /* Under the system's temporary folder, also in a child run as another user. */                      \
        if (!qEnvironmentVariableIsSet("DATALOGGER_TEST_TMPDIR"))                                            \
            qputenv("DATALOGGER_TEST_TMPDIR", QFile::encodeName(QDir::tempPath()));                          \
        QTemporaryDir configHome(qEnvironmentVariable("DATALOGGER_TEST_TMPDIR") +                            \
                                 "/datalogger-test-XXXXXX");                                                 \
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome.path()));                                    \
        qputenv("XDG_DATA_HOME", QFile::encodeName(configHome.path() + "/data"));                            \
        TestSupport::isolateUserFolders(configHome.path());                                                  \
        qputenv("QT_QPA_PLATFORM", "offscreen");                                                             \
        qputenv("QT_QPA_PLATFORMTHEME", "");                                                                 \
        QApplication app(argc, argv);                                                                        \
        setApplicationIdentity();                                                                            \
        TestClass test;                                                                                      \
        QTEST_SET_MAIN_SOURCE_PATH                                                                           \
        const int failed = QTest::qExec(&test, argc, argv);                                                  \
        /* As the program does: a capture's thread may still write its end. */                               \
        CaptureWriter::waitForAll();                                                                         \
        return failed;                                                                                       \
    }
