#include "ui/app/startup.h"

#include "core/app/command_line.h"
#include "core/app/language_default.h"
#include "core/app/pending_opens.h"
#include "core/app/settings_keys.h"
#include "platform/app_paths.h"
#include "platform/internet_settings.h"
#include "platform/key_store.h"
#include "platform/settings_file.h"
#include "platform/single_instance.h"
#include "platform/system_language.h"
#include "platform/termination_signals.h"
#include "ui/app/main_window.h"
#include "ui/app/pelto_application.h"
#include "ui/app/status_bar.h"
#include "ui/pages/downloads.h"
#include "ui/pages/user_prompts.h"
#include "ui/pages/webengine_factory.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace pelto::ui {

namespace {

// Qt aborts when it cannot reach a display; say so plainly instead.
bool displayAvailable()
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return true;
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

}  // namespace

int RunPeltoBrowser(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);

    // The one-shot home-page mode: no instance test, no settings file, no window.
    if (const auto address = core::HomePageModeAddress(arguments)) {
        platform::FileKeyStore keys(platform::defaultKeyStorePath());
        platform::SetStartPage(keys, *address);
        return 0;
    }

    // A copy already runs: bring it to the front, hand it the command line and end.
    platform::InstanceProbe probe;
    if (probe.anotherCopyRuns()) {
        probe.handOver(arguments.empty() ? std::string() : core::CommandLineText(arguments));
        return 0;
    }

    // Nothing to register on this platform: a first start with a registration switch just ends.
    if (core::HasRegistrationSwitch(arguments))
        return 0;

    if (!displayAvailable()) {
        std::fputs("Pelto Browser needs a graphical display: DISPLAY is not set.\n", stderr);
        return 1;
    }

    core::PendingOpens pendingOpens;  // the starting flag is on from here
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);  // the web engine asks for it
    PeltoApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pelto Browser"));
    QApplication::setApplicationDisplayName(QStringLiteral("Pelto Browser"));
    QApplication::setQuitOnLastWindowClosed(false);

    auto server = std::make_unique<platform::HandOverServer>();
    if (!server->listen(probe))
        server.reset();  // runs on, but later starts cannot reach this copy

    AppContext context;
    context.programFolder = platform::programFolder();
    context.dataFolder = platform::resolveDataFolder(context.programFolder);
    platform::SettingsFile settings;
    settings.OpenSettings(context.dataFolder + QStringLiteral("pbrowser.ini"));
    platform::FileKeyStore keyStore(platform::defaultKeyStorePath());

    core::SettingsStore& store = settings.store();
    context.showInTaskBar = store.ReadSetting(core::key::ShowInTaskBar, "yes") != "no";
    context.languageFile = store.ReadSetting(
        core::key::LangFile, core::DefaultLanguageFile(platform::SystemLanguageId(), true, true));
    store.ReadSetting(core::key::CheckDefault, "yes");
    store.ReadSetting(core::key::ShowSplash, "yes");

    // The engine starts only here, after the instance test: two processes on one profile
    // folder would break each other.
    DialogUserPrompts prompts;
    WebEngineControlFactory webControls(context.dataFolder + QStringLiteral("engine/"), keyStore, prompts);
    DownloadController& downloads = webControls.downloads();
    downloads.setLastFolder(QString::fromStdString(store.ReadSetting(core::key::LastDownloadFolder, "")));
    QObject::connect(&downloads, &DownloadController::lastFolderChanged, [&store](const QString& folder) {
        store.WriteSetting(core::key::LastDownloadFolder, folder.toStdString());
    });

    context.settings = &settings;
    context.webControls = &webControls;
    context.keyStore = &keyStore;
    context.instanceServer = server.get();
    context.pendingOpens = &pendingOpens;
    context.arguments = arguments;

    auto window = std::make_unique<TfrmPeltoBrowser>(context);
    prompts.setParentWidget(window.get());
    PageStatusBar* status = &window->statusBarView();
    QObject::connect(&downloads, &DownloadController::progress, status,
                     [status](const QString& fileName, int percent) {
                         status->showMessage(QObject::tr("Downloading %1: %2%").arg(fileName).arg(percent), 2000);
                     });
    QObject::connect(&downloads, &DownloadController::finished, status,
                     [status](const QString&, bool, const QString& message) { status->showMessage(message, 8000); });
    if (server) {
        QObject::connect(server.get(), &platform::HandOverServer::activationRequested, window.get(),
                         &TfrmPeltoBrowser::bringToFront);
        QObject::connect(server.get(), &platform::HandOverServer::textReceived, window.get(),
                         &TfrmPeltoBrowser::receiveHandOver);
    }
    // A log-out or a kill request closes the program the orderly way.
    platform::TerminationSignals termination;
    QObject::connect(&termination, &platform::TerminationSignals::terminationRequested, window.get(),
                     &TfrmPeltoBrowser::closeForSessionEnd);
    // The last step of an orderly close ends the event loop.
    QObject::connect(window.get(), &TfrmPeltoBrowser::closed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    app.exec();
    window.reset();
    // The profile goes last: no page may outlive it.
    server.reset();
    return 0;
}

}  // namespace pelto::ui
