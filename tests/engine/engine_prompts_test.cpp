// What the engine asks the user, answered by scripted prompts: where downloads go, logins,
// certificate problems, script dialogs and permissions.
#include "engine_fixture.h"

#include "ui/pages/downloads.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>

#include <gtest/gtest.h>

using namespace pelto;
using namespace pelto::enginetest;
using pelto::test::HttpTestServer;

namespace {

using EnginePromptsTest = EngineTest;

TEST_F(EnginePromptsTest, DownloadLandsWhereThePromptChoseAndCancelLeavesNothing)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ui::DownloadController& downloads = factory().downloads();
    QSignalSpy finished(&downloads, &ui::DownloadController::finished);
    QSignalSpy folders(&downloads, &ui::DownloadController::lastFolderChanged);
    QList<QWebEngineDownloadRequest::DownloadState> states;
    auto watch = QObject::connect(factory().profile(), &QWebEngineProfile::downloadRequested,
                                  [&](QWebEngineDownloadRequest* d) { states << d->state(); });

    Shown page;
    ASSERT_TRUE(page.open(url("/a")));

    prompts().downloadPath = dir.filePath("chosen.bin");
    page.control->Navigate2(url("/report.bin"));
    ASSERT_TRUE(waitFor([&] { return finished.size() == 1; }));
    EXPECT_EQ(finished.at(0).at(0).toString(), "chosen.bin");
    EXPECT_TRUE(finished.at(0).at(1).toBool());
    EXPECT_EQ(finished.at(0).at(2).toString(), "Download finished: chosen.bin");
    EXPECT_EQ(prompts().downloadsAsked, QStringList {"report.bin"});
    QFile saved(dir.filePath("chosen.bin"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), downloadBody());
    ASSERT_EQ(folders.size(), 1);
    EXPECT_EQ(folders.at(0).at(0).toString(), QFileInfo(dir.path()).absoluteFilePath());
    EXPECT_EQ(downloads.lastFolder(), QFileInfo(dir.path()).absoluteFilePath());
    // The page stays where it was.
    EXPECT_EQ(page.control->LocationURL(), url("/a"));

    QTemporaryDir emptyDir;
    prompts().downloadPath.clear();
    page.control->Navigate2(url("/report.bin"));
    ASSERT_TRUE(waitFor([&] { return states.size() == 2; }));
    EXPECT_EQ(states.at(1), QWebEngineDownloadRequest::DownloadCancelled);
    EXPECT_EQ(prompts().downloadsAsked.size(), 2);
    ASSERT_TRUE(page.open(url("/b")));
    EXPECT_EQ(finished.size(), 1);
    EXPECT_TRUE(QDir(emptyDir.path()).isEmpty());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList {"chosen.bin"});
    QObject::disconnect(watch);
}

TEST_F(EnginePromptsTest, HttpAuthenticationAsksAndCancelSendsNoLogin)
{
    {
        Shown page;
        prompts().credentials.reset();
        ASSERT_TRUE(page.open(url("/cancel/auth")));
        EXPECT_TRUE(page.waitForTitle("Denied"));
        EXPECT_EQ(prompts().realmsAsked, QStringList {"Pelto Other"});
        for (const HttpTestServer::Request& request : server().requests()) {
            if (request.path == "/cancel/auth") {
                EXPECT_FALSE(request.headers.contains("authorization"));
            }
        }
    }
    {
        Shown page;
        prompts().credentials = std::make_pair(QString("user"), QString("secret"));
        ASSERT_TRUE(page.open(url("/ok/auth")));
        EXPECT_TRUE(page.waitForTitle("Welcome"));
        EXPECT_EQ(prompts().realmsAsked, QStringList({"Pelto Other", "Pelto Test"}));
    }
}

TEST_F(EnginePromptsTest, CertificateProblemsOpenOnlyWhenAcceptedAndShowInTheLock)
{
    TlsTestServer tls;
    ASSERT_TRUE(tls.start());
    {
        Shown page;
        prompts().certificateAnswer = false;
        ASSERT_TRUE(page.open(tls.url()));
        EXPECT_TRUE(page.recorder.events.contains("Document:0"));
        EXPECT_NE(page.control->LocationName(), "Secure");
        ASSERT_EQ(prompts().certificatesAsked.size(), 1);
        EXPECT_FALSE(prompts().certificatesAsked.first().isEmpty());
    }
    {
        Shown page;
        prompts().certificateAnswer = true;
        ASSERT_TRUE(page.open(tls.url()));
        EXPECT_TRUE(page.waitForTitle("Secure"));
        EXPECT_EQ(prompts().certificatesAsked.size(), 2);
        EXPECT_EQ(page.recorder.matching("Lock:").last(), QString("Lock:%1").arg(ui::kSecureLockMixed));
    }
    {
        // The exception holds for the profile: another page opens the site without asking and
        // shows the same lock.
        Shown page;
        ASSERT_TRUE(page.open(tls.url()));
        EXPECT_TRUE(page.waitForTitle("Secure"));
        EXPECT_EQ(prompts().certificatesAsked.size(), 2);
        EXPECT_EQ(page.recorder.matching("Lock:").last(), QString("Lock:%1").arg(ui::kSecureLockMixed));
    }
}

TEST_F(EnginePromptsTest, ScriptDialogsAreAnsweredByThePrompts)
{
    struct Case {
        QString path;
        std::function<void(ScriptedPrompts&)> arrange;
        QString title;
        QString message;
    };
    const QList<Case> cases {
        {"/confirm", [](ScriptedPrompts& p) { p.confirmAnswer = true; }, "yes", "Go on?"},
        {"/confirm", [](ScriptedPrompts& p) { p.confirmAnswer = false; }, "no", "Go on?"},
        {"/prompt", [](ScriptedPrompts& p) { p.promptAnswer = QString("Pelto"); }, "name:Pelto", "Your name?|guest"},
        {"/prompt", [](ScriptedPrompts& p) { p.promptAnswer.reset(); }, "cancelled", "Your name?|guest"},
        {"/alert", [](ScriptedPrompts&) {}, "after alert", "Hi"},
    };
    for (const Case& c : cases) {
        prompts().reset();
        c.arrange(prompts());
        Shown page;
        page.control->Navigate2(url(c.path));
        EXPECT_TRUE(page.waitForTitle(c.title)) << c.title.toStdString();
        EXPECT_EQ(prompts().messages, QStringList {c.message});
    }
}

TEST_F(EnginePromptsTest, PermissionRequestsAskAndStayDeniedOnNo)
{
    Shown page;
    prompts().permissionAnswer = false;
    page.control->Navigate2(url("/notify"));
    EXPECT_TRUE(page.waitForTitle("perm:denied"));
    EXPECT_EQ(prompts().permissionsAsked, QStringList {"show notifications"});
}

}  // namespace
