// The real program, started as a user would: first start, second starts, the one-shot modes and
// the end of the program.
#include "support/temp_env.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>

namespace {

class BrowserStartup : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_home.isValid());
        pelto::test::makeUserFolders(m_home.path());
    }

    void TearDown() override
    {
        for (auto& process : m_running) {
            process->kill();
            process->waitForFinished(5000);
        }
    }

    QProcessEnvironment environment(bool withDisplay) const
    {
        return pelto::test::programEnvironment(m_home.path(), withDisplay);
    }

    // Runs the program to its end; returns its exit code (-1 when it did not end in time).
    int runToEnd(const QStringList& arguments, bool withDisplay, int timeoutMs = 15000, QByteArray* errors = nullptr)
    {
        QProcess process;
        process.setProcessEnvironment(environment(withDisplay));
        process.start(PELTO_BROWSER_BINARY, arguments);
        if (!process.waitForFinished(timeoutMs)) {
            process.kill();
            process.waitForFinished();
            return -1;
        }
        if (errors)
            *errors = process.readAllStandardError();
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    QProcess* startRunningCopy(const QStringList& arguments = {})
    {
        auto process = std::make_unique<QProcess>();
        process->setProcessEnvironment(environment(true));
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->start(PELTO_BROWSER_BINARY, arguments);
        EXPECT_TRUE(process->waitForStarted(10000));
        m_running.push_back(std::move(process));
        return m_running.back().get();
    }

    QString iniPath() const { return m_home.path() + "/data/Pelto Browser/pbrowser.ini"; }
    QString keyStorePath() const { return m_home.path() + "/config/Pelto Browser/keystore.reg"; }

    static QString read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    // Waits until the file holds the text.
    static bool waitForText(const QString& path, const QString& text, int timeoutMs = 20000)
    {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < timeoutMs) {
            if (read(path).contains(text))
                return true;
            QThread::msleep(50);
        }
        return false;
    }

    QTemporaryDir m_home;
    std::vector<std::unique_ptr<QProcess>> m_running;
};

TEST_F(BrowserStartup, HomePageModeWritesTheStartPageAndNeedsNoDisplay)
{
    EXPECT_EQ(runToEnd({"-homepage", "http://start.example/"}, false), 0);
    EXPECT_TRUE(read(keyStorePath()).contains("\"Start Page\"=\"http://start.example/\""));
    EXPECT_FALSE(QFile::exists(iniPath()));
}

TEST_F(BrowserStartup, WithoutADisplayItSaysSoAndFails)
{
    QByteArray errors;
    EXPECT_EQ(runToEnd({}, false, 15000, &errors), 1);
    EXPECT_TRUE(errors.contains("display")) << errors.constData();
}

TEST_F(BrowserStartup, RegistrationSwitchEndsAFirstStartWithoutAWindow)
{
    EXPECT_EQ(runToEnd({"/REGSERVER"}, false), 0);
    EXPECT_FALSE(QFile::exists(iniPath()));
}

TEST_F(BrowserStartup, SecondStartsHandOverAndTheFirstEndsInOrder)
{
    QProcess* first = startRunningCopy({"http://127.0.0.1:9/"});
    ASSERT_TRUE(waitForText(iniPath(), "ProperlyClosed=no"));

    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(runToEnd({"http://127.0.0.1:9/a", "b c"}, true), 0);
    EXPECT_GE(timer.elapsed(), 500);
    EXPECT_EQ(runToEnd({}, false), 0);               // a later start needs no display of its own
    EXPECT_EQ(runToEnd({"/REGSERVER"}, false), 0);   // handed over as text, not acted on
    EXPECT_EQ(runToEnd({"-homepage", "http://h.example/"}, false), 0);
    EXPECT_TRUE(read(keyStorePath()).contains("http://h.example/"));
    EXPECT_EQ(first->state(), QProcess::Running);

    ::kill(static_cast<pid_t>(first->processId()), SIGTERM);
    ASSERT_TRUE(first->waitForFinished(20000));
    EXPECT_EQ(first->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(first->exitCode(), 0);
    const QString ini = read(iniPath());
    EXPECT_TRUE(ini.contains("ProperlyClosed=yes")) << ini.toStdString();
}

TEST_F(BrowserStartup, ACopyThatCrashedDoesNotBlockTheNextStart)
{
    QProcess* crashed = startRunningCopy();
    ASSERT_TRUE(waitForText(iniPath(), "ProperlyClosed=no"));
    crashed->kill();
    crashed->waitForFinished(5000);

    QFile::remove(iniPath());
    QProcess* next = startRunningCopy();
    ASSERT_TRUE(waitForText(iniPath(), "ProperlyClosed=no"));  // it ran as the first copy
    EXPECT_EQ(runToEnd({"http://127.0.0.1:9/"}, true), 0);
    EXPECT_EQ(next->state(), QProcess::Running);
}

}  // namespace
