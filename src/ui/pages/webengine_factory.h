#pragma once

#include <QSet>
#include <QString>

#include <memory>

#include "ui/pages/web_control.h"

class QWebEngineProfile;

namespace pelto::platform {
class KeyStore;
}

namespace pelto::ui {

class DownloadController;
class UserPrompts;

// Makes the engine's web controls for every page of the program, all on one browsing profile
// (cookies, cache, certificate exceptions, downloads). Every control it made must be destroyed
// before the factory, as the profile goes with it.
class WebEngineControlFactory : public WebControlFactory {
public:
    // storageFolder holds the profile's cookies and disk cache (created when missing); an empty
    // folder gives a profile that keeps nothing on disk. keys gives the start page; prompts
    // answers the questions of the pages and of downloads. Both must outlive the factory.
    WebEngineControlFactory(const QString& storageFolder, const platform::KeyStore& keys, UserPrompts& prompts);
    ~WebEngineControlFactory() override;

    WebControl* createControl(QWidget* parent) override;

    // The shared profile, for features that use it directly (cookies, cache, request filters).
    QWebEngineProfile* profile() const { return m_profile.get(); }
    // The downloads of all pages.
    DownloadController& downloads() const { return *m_downloads; }

private:
    const platform::KeyStore& m_keys;
    UserPrompts& m_prompts;
    std::unique_ptr<QWebEngineProfile> m_profile;
    std::unique_ptr<DownloadController> m_downloads;
    std::shared_ptr<QSet<QString>> m_certificateExceptions;
};

}  // namespace pelto::ui
