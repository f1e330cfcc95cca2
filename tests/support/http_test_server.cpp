#include "support/http_test_server.h"

#include <QTcpSocket>
#include <QTimer>

namespace pelto::test {

HttpTestServer::HttpTestServer(QObject* parent)
    : QObject(parent)
{
    connect(&m_server, &QTcpServer::newConnection, this, &HttpTestServer::onNewConnection);
}

bool HttpTestServer::start()
{
    return m_server.listen(QHostAddress(QHostAddress::LocalHost), 0);
}

quint16 HttpTestServer::port() const
{
    return m_server.serverPort();
}

QUrl HttpTestServer::url(const QString& path) const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port()).arg(path));
}

void HttpTestServer::route(const QString& path, const Response& response)
{
    m_routes.insert(path, [response](const Request&) { return response; });
}

void HttpTestServer::route(const QString& path, std::function<Response(const Request&)> handler)
{
    m_routes.insert(path, std::move(handler));
}

int HttpTestServer::requestCount(const QString& path) const
{
    return m_counts.value(path);
}

QList<HttpTestServer::Request> HttpTestServer::requests() const
{
    return m_requests;
}

void HttpTestServer::onNewConnection()
{
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        auto* buffer = new QByteArray;
        connect(socket, &QObject::destroyed, this, [buffer] { delete buffer; });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket, buffer] {
            buffer->append(socket->readAll());
            for (;;) {
                const int headerEnd = buffer->indexOf("\r\n\r\n");
                if (headerEnd < 0)
                    return;
                Request request;
                const QList<QByteArray> lines = buffer->left(headerEnd).split('\n');
                const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
                request.method = first.value(0);
                request.path = first.value(1);
                for (int i = 1; i < lines.size(); ++i) {
                    const int colon = lines[i].indexOf(':');
                    if (colon > 0)
                        request.headers.insert(lines[i].left(colon).trimmed().toLower(), lines[i].mid(colon + 1).trimmed());
                }
                const int length = request.headers.value("content-length").toInt();
                if (buffer->size() < headerEnd + 4 + length)
                    return;
                request.body = buffer->mid(headerEnd + 4, length);
                buffer->remove(0, headerEnd + 4 + length);

                const QString path = QString::fromUtf8(request.path.left(request.path.indexOf('?') < 0
                                                                              ? request.path.size()
                                                                              : request.path.indexOf('?')));
                m_counts[path] += 1;
                m_requests.append(request);
                Response response;
                if (auto handler = m_routes.value(path))
                    response = handler(request);
                else
                    response = Response {404, "text/plain", "not found", {}, 0};

                QByteArray reply = "HTTP/1.1 " + QByteArray::number(response.status) + " X\r\n";
                reply += "Content-Type: " + response.contentType + "\r\n";
                reply += "Content-Length: " + QByteArray::number(response.body.size()) + "\r\n";
                for (const auto& [name, value] : response.headers)
                    reply += name + ": " + value + "\r\n";
                reply += "Connection: keep-alive\r\n\r\n" + response.body;
                if (response.delayMs > 0) {
                    QTimer::singleShot(response.delayMs, socket, [socket, reply] { socket->write(reply); });
                } else {
                    socket->write(reply);
                }
            }
        });
    }
}

}  // namespace pelto::test
