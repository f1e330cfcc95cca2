#include "platform/app_paths.h"
#include "platform/atomic_file.h"
#include "platform/settings_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

using pelto::platform::SettingsFile;

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& data)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(data);
}

}  // namespace

TEST(SettingsFile, MissingFileGivesDefaultsRecordedAtTheFlush)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/pbrowser.ini";
    SettingsFile settings;
    settings.OpenSettings(path);
    EXPECT_EQ(settings.store().ReadSetting("ShowSplash", "yes"), "yes");
    EXPECT_FALSE(QFile::exists(path));  // the disk changes only at a flush
    ASSERT_TRUE(settings.FlushSettings());
    EXPECT_TRUE(readAll(path).contains("ShowSplash=yes"));
    EXPECT_TRUE(QDir(dir.path()).entryList({"*.bad", "*.tmp"}, QDir::Files).isEmpty());

    SettingsFile again;
    again.OpenSettings(path);
    EXPECT_TRUE(again.store().settingExists("showsplash"));
}

TEST(SettingsFile, ChangeWithoutFlushIsLostAsInACrash)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/pbrowser.ini";
    writeAll(path, "[Pelto Browser Settings]\nShowSplash=no\n");
    {
        SettingsFile settings;
        settings.OpenSettings(path);
        settings.store().WriteSetting("ShowSplash", "yes");
    }  // ends without a flush
    SettingsFile again;
    again.OpenSettings(path);
    EXPECT_EQ(again.store().ReadSetting("ShowSplash", "yes"), "no");
}

TEST(SettingsFile, UnreadableFileIsKeptAsBadNotOverwritten)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    QTemporaryDir dir;
    const QString path = dir.path() + "/pbrowser.ini";
    writeAll(path, "[Pelto Browser Settings]\nSkin=Mine\n");
    QFile::setPermissions(path, QFileDevice::WriteOwner);
    SettingsFile settings;
    settings.OpenSettings(path);
    EXPECT_EQ(settings.store().ReadSetting("Skin", "Nexos"), "Nexos");
    ASSERT_TRUE(settings.FlushSettings());
    QFile::setPermissions(path + ".bad", QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(readAll(path + ".bad"), "[Pelto Browser Settings]\nSkin=Mine\n");
    EXPECT_TRUE(readAll(path).contains("Skin=Nexos"));
}

TEST(SettingsFile, OversizedOrFolderInsteadOfFileIsKeptAsBad)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/pbrowser.ini";
    ASSERT_TRUE(QDir().mkpath(path));  // a folder where the file should be
    SettingsFile settings;
    settings.OpenSettings(path);
    EXPECT_EQ(settings.store().ReadSetting("Skin", "Nexos"), "Nexos");
    EXPECT_TRUE(settings.FlushSettings());
    EXPECT_TRUE(QFileInfo(path + ".bad").isDir());
    EXPECT_TRUE(QFileInfo(path).isFile());
}

TEST(SettingsFile, FailedFlushLeavesTheOldFile)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    QTemporaryDir dir;
    const QString folder = dir.path() + "/ro";
    QDir().mkpath(folder);
    const QString path = folder + "/pbrowser.ini";
    writeAll(path, "[Pelto Browser Settings]\nSkin=Mine\n");
    SettingsFile settings;
    settings.OpenSettings(path);
    settings.store().WriteSetting("Skin", "Other");
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    EXPECT_FALSE(settings.FlushSettings());
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(readAll(path), "[Pelto Browser Settings]\nSkin=Mine\n");
}

TEST(SettingsFile, ClosedStoreReadsDefaultsAndIgnoresWrites)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/pbrowser.ini";
    SettingsFile settings;
    settings.OpenSettings(path);
    settings.store().WriteSetting("Skin", "Mine");
    settings.CloseSettings();
    EXPECT_EQ(settings.store().ReadSetting("Skin", "Nexos"), "Nexos");
    settings.store().WriteSetting("Skin", "Later");
    EXPECT_FALSE(settings.FlushSettings());
    EXPECT_TRUE(readAll(path).contains("Skin=Mine"));
}

TEST(AppPaths, DataFolderFollowsXdgAndFallsBackToTheProgramFolder)
{
    QTemporaryDir dir;
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", (dir.path() + "/xdg").toUtf8());
    EXPECT_EQ(pelto::platform::resolveDataFolder("/prog/"), dir.path() + "/xdg/Pelto Browser/");
    EXPECT_TRUE(QFileInfo(dir.path() + "/xdg/Pelto Browser").isDir());

    // A file where a parent folder should be: the folder cannot be made.
    writeAll(dir.path() + "/blocked", "x");
    qputenv("XDG_DATA_HOME", (dir.path() + "/blocked/deeper").toUtf8());
    EXPECT_EQ(pelto::platform::resolveDataFolder("/prog/"), "/prog/");
    qputenv("XDG_DATA_HOME", saved);
}

TEST(AtomicFile, ReadRefusesFilesAboveTheLimit)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/big";
    writeAll(path, QByteArray(2048, 'a'));
    EXPECT_EQ(pelto::platform::readWholeFile(path, 1024).status, pelto::platform::ReadStatus::TooLarge);
    EXPECT_EQ(pelto::platform::readWholeFile(path, 4096).data.size(), 2048);
    EXPECT_EQ(pelto::platform::readWholeFile(dir.path() + "/none").status, pelto::platform::ReadStatus::Missing);
}
