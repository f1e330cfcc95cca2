#pragma once

#include <QString>

namespace pelto::platform {

// Name of the per-user folder that holds everything the program writes.
inline constexpr const char* kDataFolderName = "Pelto Browser";

// The folder of the running executable, with a trailing slash. Holds what comes with the
// program: Lang/, Skins/, the blocked-popup sound. Needs the application object.
QString programFolder();

// $XDG_DATA_HOME (or ~/.local/share) + "/Pelto Browser/", created with all missing parents.
// When it cannot be created the program folder is used instead, so the program still runs.
QString resolveDataFolder(const QString& programFolder);

// $XDG_CONFIG_HOME (or ~/.config) + "/Pelto Browser/", not created here.
QString configFolder();

}  // namespace pelto::platform
