#include "platform/app_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace pelto::platform {

namespace {

// An XDG base folder: the variable when it holds an absolute path, the fallback under home otherwise.
QString xdgFolder(const char* variable, const char* fallbackUnderHome)
{
    const QString value = qEnvironmentVariable(variable);
    if (!value.isEmpty() && QDir::isAbsolutePath(value))
        return QDir::cleanPath(value);
    return QDir::homePath() + QLatin1Char('/') + QLatin1String(fallbackUnderHome);
}

}  // namespace

QString programFolder()
{
    QString folder = QCoreApplication::applicationDirPath();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

QString resolveDataFolder(const QString& programFolder)
{
    const QString folder = xdgFolder("XDG_DATA_HOME", ".local/share") + QLatin1Char('/')
        + QLatin1String(kDataFolderName) + QLatin1Char('/');
    if (QDir().mkpath(folder) && QFileInfo(folder).isDir() && QFileInfo(folder).isWritable())
        return folder;
    return programFolder;
}

QString configFolder()
{
    return xdgFolder("XDG_CONFIG_HOME", ".config") + QLatin1Char('/') + QLatin1String(kDataFolderName)
        + QLatin1Char('/');
}

}  // namespace pelto::platform
