// Opens the main window on the port named as its argument and clicks
// Download, as a user does; nothing else. bench/wine-figures.sh times it from
// outside (the tester simulator's last byte to the save dialog's window), so
// that the Windows program under Wine and the Linux one are measured alike.
#include "application.h"
#include "mainwindow.h"
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    setApplicationIdentity();
    const QString port = app.arguments().value(1);
    if (port.isEmpty()) {
        std::fprintf(stderr, "Usage: bench_window <port>\n");
        return 2;
    }

    MainWindow window;
    window.show();
    // By the path that opens it (a pty's, or \\.\COM12) or by its name.
    auto *ports = window.findChild<QComboBox *>("comPorts");
    int index = ports->findData(port);
    if (index < 0)
        index = ports->findText(port);
    if (index < 0) {
        std::fprintf(stderr, "%s is not in the port list:", qPrintable(port));
        for (int i = 0; i < ports->count(); ++i)
            std::fprintf(stderr, " %s", qPrintable(ports->itemText(i)));
        std::fprintf(stderr, "\n");
        return 1;
    }
    ports->setCurrentIndex(index);
    QTimer::singleShot(0, window.findChild<QPushButton *>("downloadBtn"), &QPushButton::click);
    return app.exec();
}
