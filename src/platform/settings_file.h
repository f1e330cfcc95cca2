#pragma once

#include "core/app/settings_store.h"

#include <QString>

namespace pelto::platform {

// Binds the in-memory settings store to "pbrowser.ini". The file is read once when the store
// opens and written back whole, atomically, at each flush.
class SettingsFile {
public:
    // Creates the store from the file. A missing file gives an empty store. A file that exists
    // but cannot be read gives an empty store too; that file is kept as "pbrowser.ini.bad" at
    // the first flush instead of being overwritten.
    void OpenSettings(const QString& path);

    // Writes the whole store to its file. False when the file could not be written; the old
    // file is then left as it was.
    bool FlushSettings();

    // Flushes (ignoring a failure) and releases the store; reads then return their defaults.
    void CloseSettings();

    core::SettingsStore& store() { return m_store; }
    const QString& path() const { return m_path; }

private:
    core::SettingsStore m_store;
    QString m_path;
    bool m_keepOldFileAsBad = false;
};

}  // namespace pelto::platform
