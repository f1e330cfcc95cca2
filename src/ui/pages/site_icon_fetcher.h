#pragma once

#include <QByteArray>
#include <QIcon>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QUrl>

namespace pelto::ui {

// A page's small HTTP client for its site's icon ("favicon.ico"). It fetches one address at a
// time without cookies, follows redirects, gives up on a server that stops sending for the
// transfer time-out and on a response larger than an icon could be, and turns the bytes (ICO,
// PNG or any other format the image plugins read) into a 16 x 16 icon. It keeps the address
// of its last request, so that a page on one host asks only once.
class SiteIconFetcher : public QObject {
    Q_OBJECT
public:
    // The largest response taken as an icon; a larger one is aborted.
    static constexpr qint64 kMaximumResponseSize = 1024 * 1024;
    // The largest picture decoded, in pixels each way.
    static constexpr int kMaximumPictureSide = 2048;

    explicit SiteIconFetcher(QObject* parent = nullptr);
    ~SiteIconFetcher() override;

    // The address of the last request, as given; empty before the first.
    QString currentAddress() const { return m_currentAddress; }
    // Starts fetching the address, aborting a running request. An address without a host
    // cannot be fetched and fails at once (after the caller's current event).
    void request(const QUrl& address);
    // Aborts the running request; no signal follows. The current address stays.
    void abort();
    bool isRunning() const { return m_reply != nullptr; }

    // Milliseconds without data after which a request fails (15000 unless changed).
    void setTransferTimeout(int milliseconds);
    int transferTimeout() const { return m_transferTimeout; }

    // The icon from bytes of an icon file: the picture nearest to 16 x 16, scaled to it. Null
    // when the bytes hold no readable picture.
    static QIcon iconFromData(const QByteArray& data);

signals:
    // The icon of the current address has arrived.
    void iconReady(const QIcon& icon);
    // The request of the current address failed: no answer, an error status, too large, or
    // bytes that are no picture.
    void failed();

private:
    void onReadyRead();
    void onFinished();
    void fail();

    QNetworkAccessManager m_manager;
    QPointer<QNetworkReply> m_reply;
    QByteArray m_data;
    QString m_currentAddress;
    int m_transferTimeout = 15000;
    QTimer m_deadline;
};

}  // namespace pelto::ui
