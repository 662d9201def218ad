#include "mainwindow.h"
#include "testsupport.h"

#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QResource>
#include <QWindow>

class TestResources : public QObject
{
    Q_OBJECT

private slots:
    void bundleImages_data();
    void bundleImages();
    void unknownPathsYieldNothing();
    void mainWindowShowsProductIcon();
    void windowsIconAndManifest();
};

void TestResources::bundleImages_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("alpha");
    QTest::newRow(":/thalden-download.png") << QSize(32, 32) << true;
    QTest::newRow(":/thalden-save.png") << QSize(32, 32) << true;
    QTest::newRow(":/thalden-open.png") << QSize(32, 32) << true;
    QTest::newRow(":/thalden-device.png") << QSize(32, 32) << false;
    QTest::newRow(":/thalden-logo.png") << QSize(300, 100) << false;
}

void TestResources::bundleImages()
{
    QFETCH(QSize, size);
    QFETCH(bool, alpha);
    const QString path = QString::fromLatin1(QTest::currentDataTag());

    const QImage image(path);
    QVERIFY(!image.isNull());
    QCOMPARE(image.size(), size);
    QCOMPARE(image.hasAlphaChannel(), alpha);

    // Available from static initialisation on, stored as the file itself.
    QResource resource(path);
    QVERIFY(resource.isValid());
    QCOMPARE(resource.compressionAlgorithm(), QResource::NoCompression);
    QVERIFY(resource.uncompressedData().startsWith("\x89PNG"));
}

void TestResources::unknownPathsYieldNothing()
{
    for (const char *path : {":/Thalden.png", ":/DataLogger/DataLogger.png", ":/nothing.png"}) {
        QVERIFY(QImage(QString::fromLatin1(path)).isNull());
        QVERIFY(QIcon(QString::fromLatin1(path)).pixmap(32).isNull());
    }
}

void TestResources::mainWindowShowsProductIcon()
{
    setApplicationWindowIcon();
    QVERIFY(QApplication::windowIcon().availableSizes().contains(QSize(64, 64)));

    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QImage shown = window.windowHandle()->icon().pixmap(64).toImage();
    QCOMPARE(shown.size(), QSize(64, 64));
    QCOMPARE(shown.convertToFormat(QImage::Format_RGB32),
             QImage(":/appicon/thalden-datalogger.png").convertToFormat(QImage::Format_RGB32));
}

static QByteArray sourceFile(const char *path)
{
    QFile file(QStringLiteral(DATALOGGER_SOURCE_DIR "/") + QString::fromLatin1(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

static quint32 littleEndian(const QByteArray &data, int offset, int bytes)
{
    quint32 value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | quint8(data.at(offset + i));
    return value;
}

// What the Windows executable carries; read from the sources, since only a
// Windows build links them in.
void TestResources::windowsIconAndManifest()
{
    const QByteArray icon = sourceFile("resources/windows/thalden-datalogger.ico");
    QCOMPARE(icon.size(), 6 + 16 + 12840);
    QCOMPARE(littleEndian(icon, 2, 2), 1u);   // an icon file
    QCOMPARE(littleEndian(icon, 4, 2), 1u);   // one image
    QCOMPARE(quint8(icon.at(6)), quint8(64)); // 64 x 64
    QCOMPARE(quint8(icon.at(7)), quint8(64));
    QCOMPARE(littleEndian(icon, 10, 2), 1u);  // planes
    QCOMPARE(littleEndian(icon, 12, 2), 24u); // bits per pixel
    QCOMPARE(littleEndian(icon, 14, 4), 12840u);
    QCOMPARE(littleEndian(icon, 22, 4), 40u); // bitmap header, no palette follows
    QCOMPARE(littleEndian(icon, 36, 2), 24u);

    const QByteArray manifest = sourceFile("resources/windows/thalden-datalogger.manifest");
    QCOMPARE(manifest.size(), 346);
    QVERIFY(!manifest.startsWith("<?xml"));
    QCOMPARE(manifest.count("\r\n"), manifest.count('\n'));
    QVERIFY(manifest.contains("level=\"asInvoker\""));
    QVERIFY(manifest.contains("uiAccess=\"false\""));
    QVERIFY(!manifest.contains("dependentAssembly"));

    const QByteArray script = sourceFile("resources/windows/thalden-datalogger.rc");
    QVERIFY(script.contains("IDI_ICON1 ICON \"thalden-datalogger.ico\""));
}

DATALOGGER_TEST_MAIN(TestResources)
#include "tst_resources.moc"
