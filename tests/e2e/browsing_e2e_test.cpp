// The real program with the real engine against a local server: pages open from the command
// line and from later starts, the site icon is fetched, and a renderer that dies takes nothing
// else with it.
#include "support/http_test_server.h"
#include "support/temp_env.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>

namespace {

using pelto::test::waitUntil;

qint64 parentOf(qint64 pid)
{
    QFile status(QString("/proc/%1/stat").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    // The command name in parentheses may hold spaces: the fields after it are fixed.
    const QByteArray stat = status.readAll();
    return stat.mid(stat.lastIndexOf(')') + 2).split(' ').value(1).toLongLong();
}

// The browser's renderers: engine processes forked by one of its zygotes, so grandchildren
// of the browser (their command line still reads like the zygote's).
QList<qint64> rendererProcesses(qint64 browserPid)
{
    QList<qint64> renderers;
    for (const QString& entry : QDir("/proc").entryList(QDir::Dirs)) {
        bool isPid = false;
        const qint64 pid = entry.toLongLong(&isPid);
        if (!isPid)
            continue;
        QFile cmdline("/proc/" + entry + "/cmdline");
        if (!cmdline.open(QIODevice::ReadOnly) || !cmdline.readAll().contains("QtWebEngineProcess"))
            continue;
        const qint64 parent = parentOf(pid);
        if (parent > 1 && parentOf(parent) == browserPid)
            renderers << pid;
    }
    return renderers;
}

class Browsing : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_home.isValid());
        pelto::test::makeUserFolders(m_home.path());
        ASSERT_TRUE(m_server.start());
        for (const char* name : {"/a", "/b", "/c"})
            m_server.route(name, QByteArray("<html><head><title>Page ") + name + "</title></head><body>" + name
                                     + "</body></html>");
    }

    void TearDown() override
    {
        if (m_browser.state() != QProcess::NotRunning) {
            m_browser.kill();
            m_browser.waitForFinished(5000);
        }
    }

    QProcessEnvironment environment() const
    {
        return pelto::test::programEnvironment(m_home.path(), true);
    }

    // A later start; runs while the test's server keeps answering.
    int handOver(const QString& address)
    {
        QProcess later;
        later.setProcessEnvironment(environment());
        later.start(PELTO_BROWSER_BINARY, {address});
        if (!waitUntil([&] { return later.state() == QProcess::NotRunning; }, 30000))
            return -1;
        return later.exitCode();
    }

    QTemporaryDir m_home;
    pelto::test::HttpTestServer m_server;
    QProcess m_browser;
};

TEST_F(Browsing, PagesOpenFromStartsAndARendererThatDiesTakesNothingElse)
{
    m_browser.setProcessEnvironment(environment());
    m_browser.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_browser.start(PELTO_BROWSER_BINARY, {m_server.url("/a").toString()});
    ASSERT_TRUE(m_browser.waitForStarted(10000));
    ASSERT_TRUE(waitUntil([&] { return m_server.requestCount("/a") == 1; }, 60000));
    // The page fetches its site's icon once it has loaded.
    EXPECT_TRUE(waitUntil([&] { return m_server.requestCount("/favicon.ico") >= 1; }));

    // A later start opens its address as a new page in the running copy.
    EXPECT_EQ(handOver(m_server.url("/b").toString()), 0);
    EXPECT_TRUE(waitUntil([&] { return m_server.requestCount("/b") == 1; }));

    // Kill every renderer: the program stays, and a new page still loads.
    QList<qint64> renderers;
    ASSERT_TRUE(waitUntil([&] { return !(renderers = rendererProcesses(m_browser.processId())).isEmpty(); }));
    for (qint64 pid : renderers)
        ::kill(static_cast<pid_t>(pid), SIGKILL);
    QElapsedTimer pause;
    pause.start();
    waitUntil([&] { return pause.elapsed() > 1000; });
    EXPECT_EQ(m_browser.state(), QProcess::Running);
    EXPECT_EQ(handOver(m_server.url("/c").toString()), 0);
    EXPECT_TRUE(waitUntil([&] { return m_server.requestCount("/c") == 1; }));

    // An orderly end with pages open and dead renderers.
    ::kill(static_cast<pid_t>(m_browser.processId()), SIGTERM);
    ASSERT_TRUE(waitUntil([&] { return m_browser.state() == QProcess::NotRunning; }, 30000));
    EXPECT_EQ(m_browser.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(m_browser.exitCode(), 0);
    QFile ini(m_home.path() + "/data/Pelto Browser/pbrowser.ini");
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_TRUE(ini.readAll().contains("ProperlyClosed=yes"));
}

}  // namespace
