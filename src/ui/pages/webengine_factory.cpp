#include "ui/pages/webengine_factory.h"

#include <QDir>
#include <QWebEngineProfile>
#include <QWebEngineSettings>

#include "ui/pages/downloads.h"
#include "ui/pages/user_prompts.h"
#include "ui/pages/webengine_control.h"

namespace pelto::ui {

namespace {

std::unique_ptr<QWebEngineProfile> makeProfile(const QString& storageFolder)
{
    if (storageFolder.isEmpty())
        return std::make_unique<QWebEngineProfile>();

    QDir().mkpath(storageFolder);
    auto profile = std::make_unique<QWebEngineProfile>(QStringLiteral("Pelto"));
    profile->setPersistentStoragePath(storageFolder);
    profile->setCachePath(storageFolder);
    profile->setHttpCacheType(QWebEngineProfile::DiskHttpCache);
    profile->setPersistentCookiesPolicy(QWebEngineProfile::AllowPersistentCookies);
    return profile;
}

}  // namespace

WebEngineControlFactory::WebEngineControlFactory(const QString& storageFolder, const platform::KeyStore& keys,
                                                 UserPrompts& prompts)
    : m_keys(keys)
    , m_prompts(prompts)
    , m_profile(makeProfile(storageFolder))
    , m_certificateExceptions(std::make_shared<QSet<QString>>())
{
    // The popup blocker decides on new windows and the page on full screen, so the engine
    // itself lets both through.
    QWebEngineSettings* settings = m_profile->settings();
    settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, true);
    settings->setAttribute(QWebEngineSettings::FullScreenSupportEnabled, true);
    m_downloads = std::make_unique<DownloadController>(m_profile.get(), m_prompts);
}

WebEngineControlFactory::~WebEngineControlFactory()
{
    m_downloads.reset();
}

WebControl* WebEngineControlFactory::createControl(QWidget* parent)
{
    return new WebEngineControl(m_profile.get(), m_keys, m_prompts, m_certificateExceptions, parent);
}

}  // namespace pelto::ui
