#pragma once

#include <QObject>
#include <QString>

class QWebEngineDownloadRequest;
class QWebEngineProfile;

namespace pelto::ui {

class UserPrompts;

// Saves the files the pages of one browsing profile download: asks where through the user
// prompts, starts the download there, and reports its progress and end. Several downloads may
// run at once.
class DownloadController : public QObject {
    Q_OBJECT
public:
    // Handles every download of profile; the profile must outlive the controller.
    DownloadController(QWebEngineProfile* profile, UserPrompts& prompts, QObject* parent = nullptr);

    // The folder the save question starts in: the folder of the last download saved.
    const QString& lastFolder() const { return m_lastFolder; }
    // Sets that folder, for instance from the stored settings (no lastFolderChanged).
    void setLastFolder(const QString& folder) { m_lastFolder = folder; }

    // Handles one download the engine offers: a save of the page itself keeps the path it was
    // given; any other asks for a path, and an empty answer cancels the download.
    void handle(QWebEngineDownloadRequest* download);

signals:
    // Progress of a running download in percent; -1 while its size is unknown.
    void progress(const QString& fileName, int percent);
    // A download ended: ok with "Download finished: name", otherwise with
    // "Download failed: name (reason)".
    void finished(const QString& fileName, bool ok, const QString& message);
    // The folder of the last saved download changed, so that it can be stored.
    void lastFolderChanged(const QString& folder);

private:
    void track(QWebEngineDownloadRequest* download);

    UserPrompts& m_prompts;
    QString m_lastFolder;
};

}  // namespace pelto::ui
