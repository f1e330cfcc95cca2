#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QTcpServer>
#include <QUrl>

#include <functional>

namespace pelto::test {

// A small HTTP/1.1 server on 127.0.0.1 for tests: fixed responses by path, request counting,
// and optional delays. It runs on the thread that created it (the test's event loop).
class HttpTestServer : public QObject {
    Q_OBJECT
public:
    struct Response {
        int status = 200;
        QByteArray contentType = "text/html; charset=utf-8";
        QByteArray body;
        QList<QPair<QByteArray, QByteArray>> headers;  // extra headers
        int delayMs = 0;                                // answer after this long
    };
    struct Request {
        QByteArray method;
        QByteArray path;   // with the query
        QHash<QByteArray, QByteArray> headers;  // names in lower case
        QByteArray body;
    };

    explicit HttpTestServer(QObject* parent = nullptr);

    // Listens on 127.0.0.1 on a free port. False when it cannot.
    bool start();
    quint16 port() const;
    // http://127.0.0.1:PORT + path
    QUrl url(const QString& path) const;

    // The response for a path (without the query); unknown paths answer 404.
    void route(const QString& path, const Response& response);
    void route(const QString& path, const QByteArray& html) { route(path, Response {200, "text/html; charset=utf-8", html, {}, 0}); }
    // A handler that builds the response from the request.
    void route(const QString& path, std::function<Response(const Request&)> handler);

    // How many requests asked for the path (without the query) so far.
    int requestCount(const QString& path) const;
    // Every request received, in order.
    QList<Request> requests() const;

private:
    void onNewConnection();
    struct Connection;
    QTcpServer m_server;
    QHash<QString, std::function<Response(const Request&)>> m_routes;
    QHash<QString, int> m_counts;
    QList<Request> m_requests;
};

}  // namespace pelto::test
