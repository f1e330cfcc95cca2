#pragma once

#include <functional>

#include <QProcessEnvironment>
#include <QString>

namespace pelto::test {

// Points XDG_DATA_HOME, XDG_CONFIG_HOME and XDG_RUNTIME_DIR at a temporary folder that lives
// until the process ends, so a test run never reads or writes the user's own data.
void isolateUserFolders();

// The temporary root made by isolateUserFolders().
QString isolatedRoot();

// Makes data/, config/ and runtime/ (private to the user) under root.
void makeUserFolders(const QString& root);

// The environment for running the real program on the user folders under root: the test run's
// display (or the offscreen platform when it has none), or no display at all.
QProcessEnvironment programEnvironment(const QString& root, bool withDisplay);

// Runs the event loop until done() holds or the time is up; true when it holds.
bool waitUntil(const std::function<bool()>& done, int timeoutMs = 30000);

}  // namespace pelto::test
