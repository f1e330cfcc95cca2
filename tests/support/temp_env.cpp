#include "support/temp_env.h"

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
    for (const char* name : {"data", "config", "runtime"})
        QDir(root).mkpath(QString::fromLatin1(name));
    QFile::setPermissions(root + "/runtime", QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_DATA_HOME", (root + "/data").toUtf8());
    qputenv("XDG_CONFIG_HOME", (root + "/config").toUtf8());
    qputenv("XDG_RUNTIME_DIR", (root + "/runtime").toUtf8());
}

QString isolatedRoot()
{
    return g_root ? g_root->path() : QString();
}

}  // namespace pelto::test
