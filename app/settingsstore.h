#pragma once

#include <QCoreApplication>
#include <QString>

// Whether the settings store takes what the program writes: a settings file
// that is read-only or a folder, or a home folder that is not set, would
// otherwise lose every choice without a word.
class SettingsStore
{
    Q_DECLARE_TR_FUNCTIONS(SettingsStore)

public:
    // Writes a harmless value through to the store and takes it out again.
    static bool isWritable();

    // Says where the settings live and that choices will not be remembered.
    static QString warningText();
};
