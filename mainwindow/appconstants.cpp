#include "appconstants.h"

const QString SettingsKeyDialogLanguage = QStringLiteral("KvGui/DialogLanguage");
const QString SettingsKeyMainWindowGeometry = QStringLiteral("MainWindow/Geometry");
const QString SettingsKeyMainWindowState = QStringLiteral("MainWindow/State");
const QString SettingsKeyDevicePortName = QStringLiteral("Device/PortName");
const QString SettingsKeyDeviceLastSavedFilePath = QStringLiteral("Device/LastSavedFilePath");
const QString TranslationsDirName = QStringLiteral("Translations");
const QString SettingsKeyConvertData = QStringLiteral("ConvertData");
