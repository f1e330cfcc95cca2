// The open pages outlive the program: killed, the next start offers them back and keeps them
// until the user answers; after an orderly end with "save" chosen they come back unasked.
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

class Session : public ::testing::Test {
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

    QString dataFile(const QString& name) const { return m_home.path() + "/data/Pelto Browser/" + name; }

    QByteArray fileText(const QString& name) const
    {
        QFile file(dataFile(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void writeSettings(const QByteArray& text)
    {
        QDir().mkpath(dataFile(""));
        QFile ini(dataFile("pbrowser.ini"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(text);
    }

    void start(const QStringList& arguments = {})
    {
        m_browser.setProcessEnvironment(pelto::test::programEnvironment(m_home.path(), true));
        m_browser.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_browser.start(PELTO_BROWSER_BINARY, arguments);
        ASSERT_TRUE(m_browser.waitForStarted(10000));
    }

    // A later start that hands its address to the running copy.
    void handOver(const QString& address)
    {
        QProcess later;
        later.setProcessEnvironment(pelto::test::programEnvironment(m_home.path(), true));
        later.start(PELTO_BROWSER_BINARY, {address});
        ASSERT_TRUE(waitUntil([&] { return later.state() == QProcess::NotRunning; }));
    }

    // Three pages open and loaded, and pages.dat naming all three.
    void openThreePages()
    {
        start({m_server.url("/a").toString()});
        ASSERT_TRUE(waitUntil([&] { return m_server.requestCount("/a") == 1; }, 60000));
        handOver(m_server.url("/b").toString());
        handOver(m_server.url("/c").toString());
        ASSERT_TRUE(waitUntil([&] {
            const QByteArray saved = fileText("pages.dat");
            return saved.contains("/a\r\n") && saved.contains("/b\r\n") && saved.contains("/c\r\n");
        })) << fileText("pages.dat").toStdString();
    }

    void endWith(int signal)
    {
        ::kill(static_cast<pid_t>(m_browser.processId()), signal);
        ASSERT_TRUE(waitUntil([&] { return m_browser.state() == QProcess::NotRunning; }));
    }

    QTemporaryDir m_home;
    pelto::test::HttpTestServer m_server;
    QProcess m_browser;
};

TEST_F(Session, AfterACrashThePagesWaitForTheAnswerEvenThroughASecondCrash)
{
    openThreePages();
    endWith(SIGKILL);
    const QByteArray saved = fileText("pages.dat");
    ASSERT_TRUE(fileText("pbrowser.ini").contains("ProperlyClosed=no"));

    // The next start asks before it opens anything; killed while it asks, nothing is lost.
    start();
    QElapsedTimer asking;
    asking.start();
    waitUntil([&] { return asking.elapsed() > 4000; }, 10000);
    EXPECT_EQ(m_server.requestCount("/a") + m_server.requestCount("/b") + m_server.requestCount("/c"), 3);
    EXPECT_EQ(m_browser.state(), QProcess::Running);
    endWith(SIGKILL);
    EXPECT_EQ(fileText("pages.dat"), saved);
}

TEST_F(Session, SavedOnExitThePagesComeBackWithoutAQuestion)
{
    writeSettings("[Pelto Browser Settings]\nStartsWithHomePage=no\nActionWhenExit=1\n");
    openThreePages();
    endWith(SIGTERM);
    EXPECT_TRUE(fileText("pbrowser.ini").contains("ProperlyClosed=yes"));
    EXPECT_TRUE(fileText("recents.dat").contains("/a\r\n"));

    start();
    EXPECT_TRUE(waitUntil([&] {
        return m_server.requestCount("/a") == 2 && m_server.requestCount("/b") == 2 && m_server.requestCount("/c") == 2;
    }, 60000));
    endWith(SIGTERM);
    const QByteArray saved = fileText("pages.dat");
    EXPECT_TRUE(saved.contains("/a\r\n") && saved.contains("/b\r\n") && saved.contains("/c\r\n")) << saved.toStdString();
}

}  // namespace
