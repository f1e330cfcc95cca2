#pragma once

#include <QString>

namespace pelto::test {

// Points XDG_DATA_HOME, XDG_CONFIG_HOME and XDG_RUNTIME_DIR at a temporary folder that lives
// until the process ends, so a test run never reads or writes the user's own data.
void isolateUserFolders();

// The temporary root made by isolateUserFolders().
QString isolatedRoot();

}  // namespace pelto::test
