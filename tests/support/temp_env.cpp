#include "support/temp_env.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <QDir>
#include <QTemporaryDir>

namespace pelto::test {

namespace {
QTemporaryDir* g_root = nullptr;
}

void isolateUserFolders()
{
    if (g_root)
        return;
    g_root = new QTemporaryDir();  // released with the process
    const QString root = g_root->path();
    makeUserFolders(root);
    qputenv("XDG_DATA_HOME", (root + "/data").toUtf8());
    qputenv("XDG_CONFIG_HOME", (root + "/config").toUtf8());
    qputenv("XDG_RUNTIME_DIR", (root + "/runtime").toUtf8());
}

QString isolatedRoot()
{
    return g_root ? g_root->path() : QString();
}

void makeUserFolders(const QString& root)
{
    for (const char* name : {"data", "config", "runtime"})
        QDir(root).mkpath(QString::fromLatin1(name));
    QFile::setPermissions(root + "/runtime", QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

QProcessEnvironment programEnvironment(const QString& root, bool withDisplay)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_DATA_HOME", root + "/data");
    env.insert("XDG_CONFIG_HOME", root + "/config");
    env.insert("XDG_RUNTIME_DIR", root + "/runtime");
    env.remove("WAYLAND_DISPLAY");
    if (!withDisplay) {
        env.remove("DISPLAY");
        env.remove("QT_QPA_PLATFORM");
    } else if (!env.value("DISPLAY").isEmpty()) {
        env.remove("QT_QPA_PLATFORM");  // the real display of the test run
    } else {
        env.insert("QT_QPA_PLATFORM", "offscreen");
    }
    return env;
}

bool waitUntil(const std::function<bool()>& done, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

}  // namespace pelto::test
