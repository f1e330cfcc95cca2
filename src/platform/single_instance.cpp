#include "platform/single_instance.h"

#include "core/app/command_line.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QPointer>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace pelto::platform {

namespace {

constexpr const char* kInstanceName = "PeltoBrowser.OneInstance.CriticalSection";
constexpr char kHandledAnswer = '\1';

bool fitsSocketAddress(const QString& path)
{
    return path.toLocal8Bit().size() < static_cast<int>(sizeof(sockaddr_un::sun_path));
}

}  // namespace

QString instanceServerPath()
{
    const QString name = QString::fromLatin1("%1-%2").arg(QLatin1String(kInstanceName)).arg(::getuid());
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir::isAbsolutePath(runtime) && QFileInfo(runtime).isDir()) {
        const QString path = QDir::cleanPath(runtime) + QLatin1Char('/') + name;
        if (fitsSocketAddress(path))
            return path;
    }
    return QDir::tempPath() + QLatin1Char('/') + name;
}

InstanceProbe::InstanceProbe(QString serverPath)
    : m_serverPath(std::move(serverPath))
{
}

InstanceProbe::~InstanceProbe()
{
    if (m_fd >= 0)
        ::close(m_fd);
    releaseLock();
}

bool InstanceProbe::anotherCopyRuns()
{
    m_lock = std::make_unique<QLockFile>(m_serverPath + QStringLiteral(".lock"));
    m_lock->setStaleLockTime(0);  // only a lock whose owner process is gone is stale
    const bool locked = m_lock->tryLock(10000);
    if (!locked)
        m_lock.reset();

    // A socket that another user put in a shared folder is never ours to talk to.
    struct stat info {};
    const QByteArray path = m_serverPath.toLocal8Bit();
    if (::lstat(path.constData(), &info) == 0 && S_ISSOCK(info.st_mode) && info.st_uid == ::getuid()
        && fitsSocketAddress(m_serverPath)) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd >= 0) {
            sockaddr_un address {};
            address.sun_family = AF_UNIX;
            std::memcpy(address.sun_path, path.constData(), static_cast<size_t>(path.size()));
            int result;
            do {
                result = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address));
            } while (result != 0 && errno == EINTR);
            if (result == 0) {
                m_fd = fd;
                releaseLock();
                return true;
            }
            ::close(fd);
        }
    }
    return !locked;
}

bool InstanceProbe::handOver(std::string_view text, int waitBeforeSendMs, int answerTimeoutMs)
{
    if (m_fd < 0)
        return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(waitBeforeSendMs));

    const std::string message = core::EncodeHandOver(text);
    std::size_t sent = 0;
    while (sent < message.size()) {
        const ssize_t n = ::send(m_fd, message.data() + sent, message.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        sent += static_cast<std::size_t>(n);
    }

    pollfd entry { m_fd, POLLIN, 0 };
    int ready;
    do {
        ready = ::poll(&entry, 1, answerTimeoutMs);
    } while (ready < 0 && errno == EINTR);
    if (ready <= 0)
        return false;
    char answer = 0;
    const bool handled = ::recv(m_fd, &answer, 1, 0) == 1 && answer == kHandledAnswer;
    ::close(m_fd);
    m_fd = -1;
    return handled;
}

void InstanceProbe::releaseLock()
{
    if (m_lock) {
        m_lock->unlock();
        m_lock.reset();
    }
}

struct HandOverServer::Client {
    core::HandOverReader reader;
    QTimer stallTimer;
};

HandOverServer::HandOverServer(QObject* parent)
    : QObject(parent)
{
}

HandOverServer::~HandOverServer()
{
    close();
}

bool HandOverServer::listen(InstanceProbe& probe)
{
    close();
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    m_server->setMaxPendingConnections(64);
    connect(m_server, &QLocalServer::newConnection, this, &HandOverServer::acceptConnections);

    const QString path = probe.serverPath();
    bool ok = m_server->listen(path);
    if (!ok && m_server->serverError() == QAbstractSocket::AddressInUseError) {
        // Nobody answered on it during the probe: a copy that crashed left it behind.
        QLocalServer::removeServer(path);
        ok = m_server->listen(path);
    }
    probe.releaseLock();
    if (!ok) {
        delete m_server;
        m_server = nullptr;
    }
    return ok;
}

void HandOverServer::close()
{
    for (auto it = m_clients.begin(); it != m_clients.end(); ++it) {
        it.key()->disconnect(this);
        it.key()->abort();
        it.key()->deleteLater();
        delete it.value();
    }
    m_clients.clear();
    if (m_server) {
        m_server->close();
        delete m_server;
        m_server = nullptr;
    }
}

bool HandOverServer::isListening() const
{
    return m_server && m_server->isListening();
}

void HandOverServer::acceptConnections()
{
    while (m_server && m_server->hasPendingConnections()) {
        QLocalSocket* socket = m_server->nextPendingConnection();
        if (!socket)
            break;
        auto* client = new Client;
        m_clients.insert(socket, client);
        client->stallTimer.setSingleShot(true);
        connect(&client->stallTimer, &QTimer::timeout, this, [this, socket] { drop(socket); });
        client->stallTimer.start(m_stallTimeoutMs);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readFrom(socket); });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] { drop(socket); });
        emit activationRequested();
        if (socket->bytesAvailable() > 0)
            readFrom(socket);
    }
}

void HandOverServer::readFrom(QLocalSocket* socket)
{
    Client* client = m_clients.value(socket);
    if (!client)
        return;
    const QByteArray bytes = socket->readAll();
    switch (client->reader.feed(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())))) {
    case core::HandOverReader::State::Incomplete:
        return;
    case core::HandOverReader::State::TooLong:
        drop(socket);
        return;
    case core::HandOverReader::State::Complete:
        break;
    }
    client->stallTimer.stop();
    const QByteArray text = QByteArray::fromStdString(client->reader.text());
    // The slots may run a nested event loop (a dialog); the client can go away meanwhile.
    QPointer<QLocalSocket> guard(socket);
    socket->disconnect(this);
    emit textReceived(text);
    if (guard) {
        guard->write(&kHandledAnswer, 1);
        guard->flush();
        guard->disconnectFromServer();
    }
    delete m_clients.take(socket);
    if (guard)
        guard->deleteLater();
}

void HandOverServer::drop(QLocalSocket* socket)
{
    Client* client = m_clients.take(socket);
    if (!client)
        return;
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
    client->stallTimer.stop();
    // The stall timer may be the one calling: delete it once control is back in the loop.
    QTimer::singleShot(0, this, [client] { delete client; });
}

}  // namespace pelto::platform
