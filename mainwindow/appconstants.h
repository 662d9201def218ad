#pragma once

#include <QString>

// Settings keys and the translations folder name, shared by the whole program.
// Defined in one translation unit, so they are built before main() in this order.
extern const QString SettingsKeyDialogLanguage;
extern const QString SettingsKeyMainWindowGeometry;
extern const QString SettingsKeyMainWindowState;
extern const QString SettingsKeyDevicePortName;
extern const QString SettingsKeyDeviceLastSavedFilePath;
extern const QString TranslationsDirName;
extern const QString SettingsKeyConvertData;
