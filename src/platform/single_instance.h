#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>

#include <memory>
#include <string_view>

class QLocalServer;
class QLocalSocket;
class QLockFile;

namespace pelto::platform {

// Path of the local socket through which a second start reaches the running copy: a name made
// of "PeltoBrowser.OneInstance.CriticalSection" and the user id, in the user's runtime folder
// (or the temporary folder when there is none).
QString instanceServerPath();

// The single-instance test of a start. It runs before any application object exists, so it
// uses the socket directly. While the probe says no copy runs it keeps holding the start lock,
// so that a start made at the same moment waits until this copy listens.
class InstanceProbe {
public:
    explicit InstanceProbe(QString serverPath = instanceServerPath());
    ~InstanceProbe();
    InstanceProbe(const InstanceProbe&) = delete;
    InstanceProbe& operator=(const InstanceProbe&) = delete;

    // True when a running copy accepted a connection (kept for handOver). Also true when the
    // start lock cannot be had at all: as with a named mutex that cannot be created, this start
    // then hands over to whatever answers and ends.
    bool anotherCopyRuns();

    // Waits waitBeforeSendMs, sends the hand-over message with the text and waits up to
    // answerTimeoutMs for the running copy to say it has handled it. False when nothing was
    // delivered (no connection, the copy went away or refused the text).
    bool handOver(std::string_view text, int waitBeforeSendMs = 500, int answerTimeoutMs = 60000);

    // Releases the start lock (done by HandOverServer::listen once it listens).
    void releaseLock();

    const QString& serverPath() const { return m_serverPath; }

private:
    QString m_serverPath;
    std::unique_ptr<QLockFile> m_lock;
    int m_fd = -1;
};

// The running copy's end of the hand-over: accepts connections of later starts, reads one
// hand-over message from each and answers once the text has been handled.
class HandOverServer : public QObject {
    Q_OBJECT
public:
    explicit HandOverServer(QObject* parent = nullptr);
    ~HandOverServer() override;

    // Listens on the probe's path, reachable by this user only. A socket left behind by a copy
    // that crashed is removed first (the probe found nobody answering on it). Releases the
    // probe's start lock in every case.
    bool listen(InstanceProbe& probe);

    // Stops accepting later starts (the running copy is ending).
    void close();

    bool isListening() const;

    // A client that has not sent a complete message within this time is dropped.
    void setStallTimeout(int ms) { m_stallTimeoutMs = ms; }

signals:
    // A later start connected: bring the window to the front.
    void activationRequested();
    // A later start handed over this text (8-bit, without its terminating zero; may be empty).
    // The sender waits until the connected slots have returned.
    void textReceived(const QByteArray& text);

private:
    void acceptConnections();
    void readFrom(QLocalSocket* socket);
    void drop(QLocalSocket* socket);

    struct Client;
    QLocalServer* m_server = nullptr;
    QHash<QLocalSocket*, Client*> m_clients;
    int m_stallTimeoutMs = 5000;
};

}  // namespace pelto::platform
