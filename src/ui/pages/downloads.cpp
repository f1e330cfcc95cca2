#include "ui/pages/downloads.h"

#include <QFileInfo>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>

#include "ui/pages/user_prompts.h"

namespace pelto::ui {

DownloadController::DownloadController(QWebEngineProfile* profile, UserPrompts& prompts, QObject* parent)
    : QObject(parent)
    , m_prompts(prompts)
{
    connect(profile, &QWebEngineProfile::downloadRequested, this, &DownloadController::handle);
}

void DownloadController::handle(QWebEngineDownloadRequest* download)
{
    if (!download || download->state() != QWebEngineDownloadRequest::DownloadRequested)
        return;

    if (!download->isSavePageDownload()) {
        const QString path = m_prompts.chooseDownloadPath(download->suggestedFileName(), m_lastFolder);
        if (path.isEmpty()) {
            download->cancel();
            return;
        }
        const QFileInfo target(path);
        download->setDownloadDirectory(target.absolutePath());
        download->setDownloadFileName(target.fileName());
        if (target.absolutePath() != m_lastFolder) {
            m_lastFolder = target.absolutePath();
            emit lastFolderChanged(m_lastFolder);
        }
    }
    track(download);
    download->accept();
}

void DownloadController::track(QWebEngineDownloadRequest* download)
{
    connect(download, &QWebEngineDownloadRequest::receivedBytesChanged, this, [this, download] {
        const qint64 total = download->totalBytes();
        const int percent = total > 0 ? int(download->receivedBytes() * 100 / total) : -1;
        emit progress(download->downloadFileName(), percent);
    });
    connect(download, &QWebEngineDownloadRequest::isFinishedChanged, this, [this, download] {
        if (!download->isFinished())
            return;
        const QString name = download->downloadFileName();
        if (download->state() == QWebEngineDownloadRequest::DownloadCompleted) {
            emit finished(name, true, QStringLiteral("Download finished: %1").arg(name));
            return;
        }
        QString reason = download->state() == QWebEngineDownloadRequest::DownloadCancelled
                             ? QStringLiteral("cancelled")
                             : download->interruptReasonString();
        if (reason.isEmpty())
            reason = QStringLiteral("unknown error");
        emit finished(name, false, QStringLiteral("Download failed: %1 (%2)").arg(name, reason));
    });
}

}  // namespace pelto::ui
