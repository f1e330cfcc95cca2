#include "core/app/command_line.h"
#include "platform/single_instance.h"

#include <QElapsedTimer>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// The running copy, played by a real second process.
class InstanceHandOver : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.path() + "/instance";
    }

    void TearDown() override
    {
        if (m_server) {
            m_server->kill();
            m_server->waitForFinished(5000);
        }
    }

    std::unique_ptr<QProcess> startServer(int stallMs = 5000)
    {
        auto server = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("PEER_STALL_MS", QString::number(stallMs));
        server->setProcessEnvironment(env);
        server->start(PELTO_INSTANCE_PEER, {"serve", m_path});
        EXPECT_TRUE(server->waitForStarted(5000));
        EXPECT_TRUE(waitForLine(*server, "LISTENING"));
        return server;
    }

    // Runs a later start; returns its output.
    QString send(const QStringList& arguments, int waitMs = 0)
    {
        QProcess client;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("PEER_WAIT_MS", QString::number(waitMs));
        client.setProcessEnvironment(env);
        client.start(PELTO_INSTANCE_PEER, QStringList {"send", m_path} + arguments);
        EXPECT_TRUE(client.waitForFinished(30000));
        EXPECT_EQ(client.exitCode(), 0);
        return QString::fromLatin1(client.readAllStandardOutput()).trimmed();
    }

    // Reads the server's output until a line equal to `line` arrives.
    bool waitForLine(QProcess& process, const QByteArray& line, int timeoutMs = 10000)
    {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < timeoutMs) {
            while (process.canReadLine()) {
                const QByteArray read = process.readLine().trimmed();
                m_lines << read;
                if (read == line)
                    return true;
            }
            process.waitForReadyRead(100);
        }
        return false;
    }

    static QByteArray textLine(const QByteArray& text) { return "TEXT " + text.toHex(); }

    QTemporaryDir m_dir;
    QString m_path;
    std::unique_ptr<QProcess> m_server;
    QList<QByteArray> m_lines;
};

TEST_F(InstanceHandOver, SecondStartHandsItsCommandLineOverAsOneText)
{
    m_server = startServer();
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(send({"one", "two words"}, 500), "handled");
    EXPECT_GE(timer.elapsed(), 500);  // the fixed wait before sending
    EXPECT_TRUE(waitForLine(*m_server, textLine("one \"two words\"")));

    // No arguments: an empty text, which the receiver ignores.
    EXPECT_EQ(send({}), "handled");
    EXPECT_TRUE(waitForLine(*m_server, "TEXT"));

    // Bytes that are not UTF-8 arrive unchanged.
    QProcess client;
    client.start(PELTO_INSTANCE_PEER, {"send", m_path, QString::fromLatin1("\xe9t\xe9")});
    ASSERT_TRUE(client.waitForFinished(10000));
    EXPECT_EQ(client.exitCode(), 0);
}

TEST_F(InstanceHandOver, OnlyOneCopyBecomesTheRunningCopy)
{
    m_server = startServer();
    QProcess second;
    second.start(PELTO_INSTANCE_PEER, {"serve", m_path});
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitCode(), 3);
    EXPECT_EQ(second.readAllStandardOutput().trimmed(), "secondary");
}

TEST_F(InstanceHandOver, ManyClientsAtOnceAreAllServed)
{
    m_server = startServer();
    std::vector<std::unique_ptr<QProcess>> clients;
    for (int i = 0; i < 12; ++i) {
        auto client = std::make_unique<QProcess>();
        client->start(PELTO_INSTANCE_PEER, {"send", m_path, QString("page%1").arg(i)});
        clients.push_back(std::move(client));
    }
    for (auto& client : clients) {
        ASSERT_TRUE(client->waitForFinished(30000));
        EXPECT_EQ(client->readAllStandardOutput().trimmed(), "handled");
    }
    for (int i = 0; i < 12; ++i) {
        const QByteArray expected = textLine(QString("page%1").arg(i).toLatin1());
        if (!m_lines.contains(expected)) {
            EXPECT_TRUE(waitForLine(*m_server, expected)) << expected.constData();
        }
    }
}

TEST_F(InstanceHandOver, OversizedAndStalledClientsAreDroppedWithoutHarm)
{
    m_server = startServer(300);

    // A text far above the limit (1 MB; one argument may hold at most 128 KiB here) is refused;
    // the sender still ends normally.
    QStringList huge;
    for (int i = 0; i < 10; ++i)
        huge << QString(100 * 1024, 'x');
    EXPECT_EQ(send(huge), "not handled");

    // A client that connects and never sends is dropped after the stall time...
    QLocalSocket silent;
    silent.connectToServer(m_path);
    ASSERT_TRUE(silent.waitForConnected(5000));
    // ...and does not hold up the others meanwhile.
    EXPECT_EQ(send({"after"}), "handled");
    EXPECT_TRUE(waitForLine(*m_server, textLine("after")));
    EXPECT_TRUE(silent.waitForDisconnected(5000));
}

TEST_F(InstanceHandOver, LeftoverSocketOfACrashedCopyDoesNotBlockTheNextStart)
{
    m_server = startServer();
    m_server->kill();  // no chance to remove its socket
    m_server->waitForFinished(5000);
    ASSERT_TRUE(QFileInfo::exists(m_path));

    m_server = startServer();
    EXPECT_EQ(send({"again"}), "handled");
    EXPECT_TRUE(waitForLine(*m_server, textLine("again")));
}

TEST_F(InstanceHandOver, NoRunningCopyMeansThisStartRuns)
{
    // A socket file nobody listens on, as a copy that died leaves it.
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    const QByteArray path = m_path.toLocal8Bit();
    std::memcpy(address.sun_path, path.constData(), static_cast<size_t>(path.size()));
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ::close(fd);

    pelto::platform::InstanceProbe probe(m_path);
    EXPECT_FALSE(probe.anotherCopyRuns());
    EXPECT_FALSE(probe.handOver("x", 0));
    pelto::platform::HandOverServer server;
    EXPECT_TRUE(server.listen(probe));
    EXPECT_TRUE(server.isListening());
}

}  // namespace
