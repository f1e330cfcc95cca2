#pragma once

// What the engine tests share: one profile, a local HTTP server with the pages the tests open,
// scripted prompts, and a control shown in a window of its own with its events recorded.

#include "platform/key_store.h"
#include "support/http_test_server.h"
#include "ui/pages/user_prompts.h"
#include "ui/pages/webengine_control.h"
#include "ui/pages/webengine_factory.h"

#include <QObject>
#include <QSslServer>
#include <QString>
#include <QStringList>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <utility>

namespace pelto::enginetest {

// The engine is slow under a virtual display; waits are generous.
constexpr int kTimeoutMs = 30000;

// Runs the event loop until the condition holds or the time is up; true when it holds.
bool waitFor(const std::function<bool()>& condition, int timeoutMs = kTimeoutMs);

// Answers the engine's questions from fields the test sets, and records what was asked.
class ScriptedPrompts : public ui::UserPrompts {
public:
    QString downloadPath;
    QStringList downloadsAsked;  // suggested file names
    std::optional<std::pair<QString, QString>> credentials;
    QStringList realmsAsked;
    bool certificateAnswer = false;
    QStringList certificatesAsked;  // the problems described
    bool permissionAnswer = false;
    QStringList permissionsAsked;
    bool confirmAnswer = false;
    std::optional<QString> promptAnswer;
    QStringList messages;  // alert, confirm and prompt texts, with the prompt's default value

    void reset() { *this = ScriptedPrompts(); }

    QString chooseDownloadPath(const QString& suggestedFileName, const QString&) override
    {
        downloadsAsked.append(suggestedFileName);
        return downloadPath;
    }
    std::optional<std::pair<QString, QString>> askCredentials(const QUrl&, const QString& realm, bool) override
    {
        realmsAsked.append(realm);
        return credentials;
    }
    bool askCertificateException(const QUrl&, const QString& description) override
    {
        certificatesAsked.append(description);
        return certificateAnswer;
    }
    bool askPermission(const QUrl&, const QString& feature) override
    {
        permissionsAsked.append(feature);
        return permissionAnswer;
    }
    void alert(const QUrl&, const QString& message) override { messages.append(message); }
    bool confirm(const QUrl&, const QString& message) override
    {
        messages.append(message);
        return confirmAnswer;
    }
    std::optional<QString> prompt(const QUrl&, const QString& message, const QString& defaultValue) override
    {
        messages.append(message + "|" + defaultValue);
        return promptAnswer;
    }
};

// An HTTPS server on 127.0.0.1 with a self-signed certificate the engine does not trust;
// every path answers one page titled "Secure".
class TlsTestServer : public QObject {
public:
    bool start();
    QString url() const { return QStringLiteral("https://127.0.0.1:%1/").arg(m_server.serverPort()); }

private:
    QSslServer m_server;
};

// A page with the title and body.
QByteArray titled(const QByteArray& title, const QByteArray& body = {});
// The body of the file the server offers as a download at "/report.bin".
QByteArray downloadBody();

// The run's shared server, key store, prompts and factory.
test::HttpTestServer& server();
platform::MemoryKeyStore& keys();
ScriptedPrompts& prompts();
ui::WebEngineControlFactory& factory();
// The server's address for a path, as text.
QString url(const QString& path);

// The control's events in order, as short texts.
struct Recorder {
    QStringList events;
    int documentCompletes = 0;
    int rendererGone = 0;
    QList<bool> fullScreen;

    void attach(ui::WebControl* control)
    {
        using ui::WebControl;
        QObject::connect(control, &WebControl::StatusTextChange, [this](const QString& t) { events << "Status:" + t; });
        QObject::connect(control, &WebControl::ProgressChange,
                         [this](int p, int m) { events << QString("Progress:%1/%2").arg(p).arg(m); });
        QObject::connect(control, &WebControl::CommandStateChange,
                         [this](int c, bool on) { events << QString("Command:%1:%2").arg(c).arg(on); });
        QObject::connect(control, &WebControl::DownloadBegin, [this] { events << "DownloadBegin"; });
        QObject::connect(control, &WebControl::DownloadComplete, [this] { events << "DownloadComplete"; });
        QObject::connect(control, &WebControl::TitleChange, [this](const QString& t) { events << "Title:" + t; });
        QObject::connect(control, &WebControl::BeforeNavigate2,
                         [this](bool top, const QUrl& u) { events << QString("Before:%1:%2").arg(top).arg(u.toString()); });
        QObject::connect(control, &WebControl::NavigateComplete2,
                         [this](bool top, const QUrl& u) { events << QString("Complete:%1:%2").arg(top).arg(u.toString()); });
        QObject::connect(control, &WebControl::DocumentComplete, [this](bool ok) {
            events << QString("Document:%1").arg(ok);
            ++documentCompletes;
        });
        QObject::connect(control, &WebControl::SetSecureLockIcon, [this](int s) { events << QString("Lock:%1").arg(s); });
        QObject::connect(control, &WebControl::WindowSetLeft, [this](int v) { events << QString("L%1").arg(v); });
        QObject::connect(control, &WebControl::WindowSetTop, [this](int v) { events << QString("T%1").arg(v); });
        QObject::connect(control, &WebControl::WindowSetWidth, [this](int v) { events << QString("W%1").arg(v); });
        QObject::connect(control, &WebControl::WindowSetHeight, [this](int v) { events << QString("H%1").arg(v); });
        QObject::connect(control, &WebControl::rendererGone, [this] { ++rendererGone; });
        QObject::connect(control, &WebControl::fullScreenChanged, [this](bool on) { fullScreen << on; });
    }
    QStringList matching(const QString& prefix) const
    {
        QStringList found;
        for (const QString& event : events)
            if (event.startsWith(prefix))
                found << event;
        return found;
    }
    QStringList geometry() const
    {
        QStringList found;
        for (const QString& event : events)
            if (event.size() > 1 && QString("LTWH").contains(event[0]) && event[1].isDigit())
                found << event;
        return found;
    }
};

// A control shown in a top-level window of its own, with its events recorded.
struct Shown {
    std::unique_ptr<QWidget> host = std::make_unique<QWidget>();
    ui::WebEngineControl* control = nullptr;
    Recorder recorder;

    explicit Shown(const QRect& geometry = QRect(100, 100, 640, 480))
    {
        control = static_cast<ui::WebEngineControl*>(factory().createControl(host.get()));
        auto* layout = new QVBoxLayout(host.get());
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(control->widget());
        host->setGeometry(geometry);
        host->show();
        recorder.attach(control);
    }
    ~Shown()
    {
        delete control;
        host.reset();
    }

    // Opens the address and waits until its document is complete.
    bool open(const QString& address)
    {
        const int before = recorder.documentCompletes;
        control->Navigate2(address);
        return waitFor([&] { return recorder.documentCompletes > before && !control->Busy(); });
    }
    bool waitForTitle(const QString& title)
    {
        return waitFor([&] { return control->LocationName() == title; });
    }
    // Waits until the address has committed and its document is complete.
    bool waitForAddress(const QString& address)
    {
        const int before = recorder.documentCompletes;
        return waitFor([&] {
            return recorder.documentCompletes > before && control->LocationURL() == address && !control->Busy();
        });
    }
};

// Starts each test with fresh prompt answers.
class EngineTest : public ::testing::Test {
protected:
    void SetUp() override { prompts().reset(); }
};

}  // namespace pelto::enginetest
