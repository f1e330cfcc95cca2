// Creating 50 pages and closing them all, beside the same number of bare engine views in a
// plain page area, both on one engine profile in this process.
#include "core/app/pending_opens.h"
#include "platform/key_store.h"
#include "platform/settings_file.h"
#include "ui/app/app_context.h"
#include "ui/app/main_window.h"
#include "ui/pages/page.h"
#include "ui/pages/page_manager.h"
#include "ui/pages/user_prompts.h"
#include "ui/pages/webengine_factory.h"
#include "ui/pages/window_commands.h"

#include <QApplication>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include <benchmark/benchmark.h>

#include <memory>

using namespace pelto;

namespace {

constexpr int kPages = 50;

// Answers nothing: the benchmark pages never ask.
class SilentPrompts : public ui::UserPrompts {
public:
    QString chooseDownloadPath(const QString&, const QString&) override { return {}; }
    std::optional<std::pair<QString, QString>> askCredentials(const QUrl&, const QString&, bool) override { return {}; }
    bool askCertificateException(const QUrl&, const QString&) override { return false; }
    bool askPermission(const QUrl&, const QString&) override { return false; }
    void alert(const QUrl&, const QString&) override {}
    bool confirm(const QUrl&, const QString&) override { return false; }
    std::optional<QString> prompt(const QUrl&, const QString&, const QString&) override { return {}; }
};

struct Program {
    QTemporaryDir dir;
    platform::SettingsFile settings;
    platform::MemoryKeyStore keys;
    core::PendingOpens pending;
    SilentPrompts prompts;
    std::unique_ptr<ui::WebEngineControlFactory> factory;
    std::unique_ptr<ui::TfrmPeltoBrowser> window;

    Program()
    {
        QFile ini(dir.path() + "/pbrowser.ini");
        ini.open(QIODevice::WriteOnly);
        ini.write("[Pelto Browser Settings]\nStartsWithHomePage=no\nConfirmCloseAll=no\nOpenMax=no\n");
        ini.close();
        settings.OpenSettings(dir.path() + "/pbrowser.ini");
        factory = std::make_unique<ui::WebEngineControlFactory>(dir.path() + "/engine/", keys, prompts);
        ui::AppContext context;
        context.settings = &settings;
        context.keyStore = &keys;
        context.pendingOpens = &pending;
        context.webControls = factory.get();
        context.programFolder = dir.path() + "/";
        context.dataFolder = dir.path() + "/";
        window = std::make_unique<ui::TfrmPeltoBrowser>(context);
        window->resize(1000, 700);
        while (!window->initialised())
            QCoreApplication::processEvents();
    }
    ~Program() { window.reset(); }
};

Program& program()
{
    static Program instance;
    return instance;
}

void BM_BareViewsInAPageArea(benchmark::State& state)
{
    QWebEngineProfile* profile = program().factory->profile();  // the profile the pages use
    QMdiArea area;
    area.resize(1000, 700);
    area.show();
    for (auto _ : state) {
        for (int i = 0; i < kPages; ++i) {
            auto* view = new QWebEngineView(profile);
            QMdiSubWindow* sub = area.addSubWindow(view);
            view->setUrl(QUrl("about:blank"));
            sub->show();
        }
        QCoreApplication::processEvents();
        for (QMdiSubWindow* sub : area.subWindowList())
            sub->close();
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}
BENCHMARK(BM_BareViewsInAPageArea)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_CreateFiftyPagesThenCloseAll(benchmark::State& state)
{
    ui::TfrmPeltoBrowser& window = *program().window;
    window.show();
    for (auto _ : state) {
        for (int i = 0; i < kPages; ++i)
            ui::NavigatePage(window.pageManager().CreatePage(false, true), QStringLiteral("about:blank"));
        QCoreApplication::processEvents();
        window.windowCommands().closeAll();
        if (window.pageManager().pageCount() != 0)
            state.SkipWithError("pages left after Close All");
    }
}
BENCHMARK(BM_CreateFiftyPagesThenCloseAll)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
