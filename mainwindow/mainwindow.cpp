#include "mainwindow.h"

#include "appconstants.h"
#include "dialoglanguage.h"
#include "translations.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QProgressBar>
#include <QSettings>

MainWindow::MainWindow(QWidget *parent, Qt::WindowFlags flags)
    : QMainWindow(parent, flags)
{
    ui.setupUi(this);

    setWindowIcon(QIcon(QStringLiteral(":/Thalden.png")));
    // Neither icon the window asks for holds an image. A window without an
    // image of its own shows the product icon, the application's window icon
    // (on Windows that one is empty and the executable's icon shows).
    if (windowIcon().availableSizes().isEmpty())
        setWindowIcon(QApplication::windowIcon());

    connect(ui.actionExit, &QAction::triggered, this, &QWidget::close);
    connect(ui.actionChangeLanguage, &QAction::triggered, this, &MainWindow::changeLanguage);
}

MainWindow::~MainWindow()
{
    QSettings settings;
    settings.setValue(SettingsKeyMainWindowGeometry, saveGeometry());
    settings.setValue(SettingsKeyMainWindowState, saveState(0));
    settings.setValue(SettingsKeyDevicePortName, ui.comPorts->currentText());

    delete progressBar;
}

void MainWindow::changeLanguage()
{
    DialogLanguage dialog(translationsDirectory(TranslationsDirName), this);
    if (dialog.exec() != QDialog::Accepted)
        return;

    QMessageBox question(QMessageBox::Question, windowTitle(),
                         tr("The language will be changed next time Korvane DataLogger is started."),
                         QMessageBox::Yes | QMessageBox::No);
    question.setInformativeText(tr("Would you like to restart now?"));
    if (question.exec() == QMessageBox::Yes) {
        restartRequested = true;
        close();
    }
}

// The slots below are wired up together with the download, saving and port
// handling that they drive.
void MainWindow::refreshPorts() {}

void MainWindow::download() {}

void MainWindow::cancelDownload() {}

void MainWindow::readyRead() {}

void MainWindow::readTimeOut() {}

void MainWindow::openFile() {}

void MainWindow::saveFile() {}

void MainWindow::showAbout() {}

void MainWindow::showHelp() {}

void MainWindow::convertDataToggled(bool checked)
{
    Q_UNUSED(checked);
}
