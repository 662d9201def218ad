#include "settingsstore.h"

#include <QSettings>

bool SettingsStore::isWritable()
{
    const QString probeKey = QStringLiteral("KvGui/WriteCheck");
    {
        // A value set and removed before a sync writes nothing: write it, then take it out.
        QSettings settings;
        settings.setValue(probeKey, true);
        settings.sync();
        settings.remove(probeKey);
        settings.sync();
        if (settings.status() != QSettings::FormatError)
            return settings.status() == QSettings::NoError;
    }
    // A malformed store hides a failed write behind its format error; it
    // reads as sound afresh only when the write replaced it.
    QSettings settings;
    settings.contains(probeKey);
    return settings.status() == QSettings::NoError;
}

QString SettingsStore::warningText()
{
    return tr("Your settings cannot be stored in \"%1\". The language, the port and your other choices will "
              "not be remembered next time.",
              "The %1 is replaced with the settings file (or registry key). Please do not remove it.")
        .arg(QSettings().fileName());
}
