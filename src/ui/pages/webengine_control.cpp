#include "ui/pages/webengine_control.h"

#include <QAction>
#include <QAuthenticator>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDir>
#include <QKeyEvent>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEngineCertificateError>
#include <QWebEngineFullScreenRequest>
#include <QWebEngineHistory>
#include <QWebEngineHttpRequest>
#include <QWebEngineLoadingInfo>
#include <QWebEngineNewWindowRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <utility>

#include "platform/internet_settings.h"
#include "ui/pages/user_prompts.h"

namespace pelto::ui {

namespace {

// The download options the engine can honour, as the content switches set them.
constexpr quint32 kDownloadImages = 0x10;
constexpr quint32 kDownloadVideos = 0x20;
constexpr quint32 kDownloadBackgroundSounds = 0x40;
constexpr quint32 kNoScripts = 0x80;
constexpr quint32 kDefaultDownloadOptions = kDownloadImages | kDownloadVideos | kDownloadBackgroundSounds;

// The zoom factors the engine takes.
constexpr double kMinimumZoom = 0.25;
constexpr double kMaximumZoom = 5.0;

const QString kRendererGoneTitle = QStringLiteral("This page stopped working");

QWebEnginePage::WebAction actionFor(EditCommand command)
{
    switch (command) {
    case EditCommand::Cut:
        return QWebEnginePage::Cut;
    case EditCommand::Copy:
        return QWebEnginePage::Copy;
    case EditCommand::Paste:
        return QWebEnginePage::Paste;
    case EditCommand::SelectAll:
        return QWebEnginePage::SelectAll;
    }
    return QWebEnginePage::NoWebAction;
}

NewWindowKind kindFor(QWebEngineNewWindowRequest::DestinationType destination)
{
    switch (destination) {
    case QWebEngineNewWindowRequest::InNewTab:
        return NewWindowKind::ForegroundTab;
    case QWebEngineNewWindowRequest::InNewBackgroundTab:
        return NewWindowKind::BackgroundTab;
    case QWebEngineNewWindowRequest::InNewDialog:
        return NewWindowKind::Dialog;
    case QWebEngineNewWindowRequest::InNewWindow:
        break;
    }
    return NewWindowKind::Window;
}

QString featureText(QWebEnginePage::Feature feature)
{
    switch (feature) {
    case QWebEnginePage::Notifications:
        return QStringLiteral("show notifications");
    case QWebEnginePage::Geolocation:
        return QStringLiteral("know your location");
    case QWebEnginePage::MediaAudioCapture:
        return QStringLiteral("use your microphone");
    case QWebEnginePage::MediaVideoCapture:
        return QStringLiteral("use your camera");
    case QWebEnginePage::MediaAudioVideoCapture:
        return QStringLiteral("use your camera and microphone");
    case QWebEnginePage::MouseLock:
        return QStringLiteral("take over the mouse pointer");
    case QWebEnginePage::DesktopVideoCapture:
        return QStringLiteral("record your screen");
    case QWebEnginePage::DesktopAudioVideoCapture:
        return QStringLiteral("record your screen and sound");
    }
    return QStringLiteral("use a feature of your computer");
}

// Certificate exceptions hold for a host and port, as the engine keeps them.
QString exceptionKey(const QUrl& address)
{
    return address.host().toLower() + QLatin1Char(':') + QString::number(address.port(443));
}

// The top-level window a document shows in while full screen; closing or Esc leaves.
class FullScreenWindow : public QWidget {
public:
    explicit FullScreenWindow(std::function<void()> leave)
        : QWidget(nullptr, Qt::Window)
        , m_leave(std::move(leave))
    {
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
        QObject::connect(escape, &QShortcut::activated, this, [this] { m_leave(); });
    }

protected:
    void closeEvent(QCloseEvent* event) override
    {
        event->ignore();
        m_leave();
    }
    // Keys the document does not handle come back to the view's parent, which is this window.
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_Escape) {
            m_leave();
            return;
        }
        QWidget::keyPressEvent(event);
    }

private:
    std::function<void()> m_leave;
};

}  // namespace

// The engine page: hands the engine's questions to the control.
class EnginePage : public QWebEnginePage {
public:
    EnginePage(QWebEngineProfile* profile, WebEngineControl* control)
        : QWebEnginePage(profile, control)
        , m_control(control)
    {
    }

protected:
    // The engine asks here first and, on null, emits newWindowRequested with the address and
    // the user-gesture flag; the control answers there, where the page sees both.
    QWebEnginePage* createWindow(WebWindowType) override { return nullptr; }

    bool acceptNavigationRequest(const QUrl& url, NavigationType, bool isMainFrame) override
    {
        return m_control->onNavigationRequest(url, isMainFrame);
    }
    void javaScriptAlert(const QUrl& origin, const QString& message) override
    {
        m_control->onJavaScriptAlert(origin, message);
    }
    bool javaScriptConfirm(const QUrl& origin, const QString& message) override
    {
        return m_control->onJavaScriptConfirm(origin, message);
    }
    bool javaScriptPrompt(const QUrl& origin, const QString& message, const QString& defaultValue,
                          QString* result) override
    {
        return m_control->onJavaScriptPrompt(origin, message, defaultValue, result);
    }

private:
    WebEngineControl* m_control;
};

// The engine view: tells the control before the engine's own context menu shows.
class EngineView : public QWebEngineView {
public:
    EngineView(WebEngineControl* control, QWidget* parent)
        : QWebEngineView(parent)
        , m_control(control)
    {
    }

protected:
    void contextMenuEvent(QContextMenuEvent* event) override
    {
        if (m_control)
            emit m_control->contextMenuShown();
        QWebEngineView::contextMenuEvent(event);
    }

private:
    QPointer<WebEngineControl> m_control;
};

WebEngineControl::WebEngineControl(QWebEngineProfile* profile, const platform::KeyStore& keys, UserPrompts& prompts,
                                   std::shared_ptr<QSet<QString>> certificateExceptions, QWidget* parent)
    : WebControl(parent)
    , m_keys(keys)
    , m_prompts(prompts)
    , m_certificateExceptions(certificateExceptions ? std::move(certificateExceptions)
                                                    : std::make_shared<QSet<QString>>())
    , m_downloadOptions(kDefaultDownloadOptions)
{
    // The view sits in a container of ours so that full screen can take it out and put it
    // back without disturbing the layout the page put the container in.
    m_container = new QWidget(parent);
    auto* layout = new QVBoxLayout(m_container);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_page = new EnginePage(profile, this);
    auto* view = new EngineView(this, m_container);
    view->setPage(m_page);
    m_view = view;
    layout->addWidget(view);
    m_container->setFocusProxy(view);
    wireEngine();
}

WebEngineControl::~WebEngineControl()
{
    m_page->disconnect(this);
    m_page->profile()->disconnect(this);
    // Whoever waits for a print or a save hears that it did not finish here.
    if (m_printDone)
        std::exchange(m_printDone, nullptr)(false);
    for (auto& done : std::exchange(m_saves, {}))
        done(false);
    delete m_fullScreenWindow;
    delete m_view;
    delete m_container;
    delete m_page;
}

void WebEngineControl::wireEngine()
{
    connect(m_page, &QWebEnginePage::linkHovered, this, [this](const QString& url) { emit StatusTextChange(url); });
    connect(m_page, &QWebEnginePage::loadProgress, this, [this](int progress) { emit ProgressChange(progress, 100); });
    connect(m_page, &QWebEnginePage::loadingChanged, this,
            [this](const QWebEngineLoadingInfo& info) { onLoadingChanged(info.status(), info.url()); });
    connect(m_page, &QWebEnginePage::titleChanged, this, &WebControl::TitleChange);
    connect(m_page, &QWebEnginePage::urlChanged, this, &WebEngineControl::onUrlChanged);
    connect(m_page, &QWebEnginePage::iconChanged, this, &WebControl::documentIconChanged);
    connect(m_page, &QWebEnginePage::newWindowRequested, this, &WebEngineControl::onNewWindowRequested);
    connect(m_page, &QWebEnginePage::geometryChangeRequested, this, &WebEngineControl::onGeometryChangeRequested);
    // Queued, so that the page may close and destroy the control from its handler.
    connect(m_page, &QWebEnginePage::windowCloseRequested, this, &WebControl::WindowClosing, Qt::QueuedConnection);
    connect(m_page, &QWebEnginePage::certificateError, this, &WebEngineControl::onCertificateError);
    connect(m_page, &QWebEnginePage::featurePermissionRequested, this,
            [this](const QUrl& origin, QWebEnginePage::Feature feature) { onFeaturePermissionRequested(origin, feature); });
    connect(m_page, &QWebEnginePage::fullScreenRequested, this, &WebEngineControl::onFullScreenRequested);
    connect(m_page, &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status, int) { onRenderProcessTerminated(status); });
    connect(m_view, &QWebEngineView::printFinished, this, [this](bool ok) { finishPrint(ok); });
    connect(m_page, &QWebEnginePage::pdfPrintingFinished, this, [this](const QString& path, bool ok) {
        if (!m_pdfPath.isEmpty() && path == m_pdfPath)
            finishPrint(ok);
    });
    connect(m_page->profile(), &QWebEngineProfile::downloadRequested, this, &WebEngineControl::onDownloadRequested);
    connect(m_page, &QWebEnginePage::authenticationRequired, this, [this](const QUrl& url, QAuthenticator* auth) {
        const auto answer = m_prompts.askCredentials(url, auth->realm(), false);
        if (!answer) {
            // The engine fills in the realm, so an authenticator left as it is would be sent
            // with an empty login; only a null one cancels.
            *auth = QAuthenticator();
            return;
        }
        auth->setUser(answer->first);
        auth->setPassword(answer->second);
    });
    connect(m_page, &QWebEnginePage::proxyAuthenticationRequired, this,
            [this](const QUrl&, QAuthenticator* auth, const QString& proxyHost) {
                const auto answer = m_prompts.askCredentials(QUrl(QStringLiteral("http://") + proxyHost), auth->realm(), true);
                if (!answer) {
                    *auth = QAuthenticator();
                    return;
                }
                auth->setUser(answer->first);
                auth->setPassword(answer->second);
            });
}

QWebEngineView* WebEngineControl::view() const
{
    return m_view;
}

QWidget* WebEngineControl::widget()
{
    return m_container;
}

void WebEngineControl::Navigate2(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return;
    // A relative path counts as a file only when it exists, so that a bare host name still
    // opens as a web address.
    const QUrl address = QUrl::fromUserInput(trimmed, QDir::currentPath());
    if (!address.isValid())
        return;
    m_page->load(address);
}

void WebEngineControl::Navigate(const QUrl& address, const QByteArray& postData)
{
    if (!address.isValid())
        return;
    QWebEngineHttpRequest request(address, QWebEngineHttpRequest::Post);
    request.setHeader(QByteArrayLiteral("Content-Type"), QByteArrayLiteral("application/x-www-form-urlencoded"));
    request.setPostData(postData);
    m_page->load(request);
}

void WebEngineControl::GoBack()
{
    m_page->history()->back();
}

void WebEngineControl::GoForward()
{
    m_page->history()->forward();
}

void WebEngineControl::GoHome()
{
    const QString start = QString::fromStdString(platform::StartPage(m_keys)).trimmed();
    Navigate2(start.isEmpty() ? QStringLiteral("about:blank") : start);
}

void WebEngineControl::Refresh()
{
    if (!m_lostAddress.isEmpty()) {
        m_page->load(m_lostAddress);
        return;
    }
    m_page->triggerAction(QWebEnginePage::Reload);
}

void WebEngineControl::RefreshNoCache()
{
    if (!m_lostAddress.isEmpty()) {
        m_page->load(m_lostAddress);
        return;
    }
    m_page->triggerAction(QWebEnginePage::ReloadAndBypassCache);
}

void WebEngineControl::Stop()
{
    m_page->triggerAction(QWebEnginePage::Stop);
}

bool WebEngineControl::editCommandAvailable(EditCommand command) const
{
    const QAction* action = m_page->action(actionFor(command));
    return action && action->isEnabled();
}

void WebEngineControl::execEditCommand(EditCommand command)
{
    m_page->triggerAction(actionFor(command));
}

QString WebEngineControl::LocationName() const
{
    return m_page->title();
}

QString WebEngineControl::LocationURL() const
{
    return (m_lostAddress.isEmpty() ? m_page->url() : m_lostAddress).toString();
}

bool WebEngineControl::Busy() const
{
    return m_page->isLoading();
}

bool WebEngineControl::hasDocument() const
{
    return m_hasDocument;
}

QStringList WebEngineControl::backTitles() const
{
    return historyTitles(true);
}

QStringList WebEngineControl::forwardTitles() const
{
    return historyTitles(false);
}

QStringList WebEngineControl::historyTitles(bool back) const
{
    QWebEngineHistory* history = m_page->history();
    constexpr int kAll = std::numeric_limits<int>::max();
    QList<QWebEngineHistoryItem> items = back ? history->backItems(kAll) : history->forwardItems(kAll);
    // The engine lists the back entries oldest first.
    if (back)
        std::reverse(items.begin(), items.end());
    QStringList titles;
    titles.reserve(items.size());
    for (const QWebEngineHistoryItem& item : items)
        titles.append(item.title().isEmpty() ? item.url().toString() : item.title());
    return titles;
}

void WebEngineControl::goToHistoryOffset(int offset)
{
    QWebEngineHistory* history = m_page->history();
    const int index = history->currentItemIndex() + offset;
    if (offset == 0 || index < 0 || index >= history->count())
        return;
    history->goToItem(history->itemAt(index));
}

void WebEngineControl::focusDocument()
{
    if (m_view)
        m_view->setFocus(Qt::OtherFocusReason);
}

void WebEngineControl::loadBlank()
{
    m_page->setUrl(QUrl(QStringLiteral("about:blank")));
}

void WebEngineControl::setDownloadOptions(quint32 flags)
{
    m_downloadOptions = flags;
    QWebEngineSettings* settings = m_page->settings();
    settings->setAttribute(QWebEngineSettings::AutoLoadImages, (flags & kDownloadImages) != 0);
    settings->setAttribute(QWebEngineSettings::JavascriptEnabled, (flags & kNoScripts) == 0);
    // The engine has no switch for background sounds alone; the page's sound goes instead.
    m_page->setAudioMuted((flags & kDownloadBackgroundSounds) == 0);
}

void WebEngineControl::setFormsAutoComplete(bool on)
{
    m_formsAutoComplete = on;
}

double WebEngineControl::zoomFactor() const
{
    return m_page->zoomFactor();
}

void WebEngineControl::setZoomFactor(double factor)
{
    if (!std::isfinite(factor))
        return;
    // The engine ignores factors outside its range instead of taking the nearest.
    m_page->setZoomFactor(std::clamp(factor, kMinimumZoom, kMaximumZoom));
}

double WebEngineControl::minimumZoomFactor() const
{
    return kMinimumZoom;
}

double WebEngineControl::maximumZoomFactor() const
{
    return kMaximumZoom;
}

bool WebEngineControl::onNavigationRequest(const QUrl& url, bool isMainFrame)
{
    if (isMainFrame) {
        if (m_errorPageRequested && url.scheme() == QLatin1String("data")) {
            m_errorPageRequested = false;
            m_showingErrorPage = true;
            return true;
        }
        m_errorPageRequested = false;
        m_showingErrorPage = false;
        m_lostAddress.clear();
    }
    emit BeforeNavigate2(isMainFrame, url);
    return true;
}

void WebEngineControl::onJavaScriptAlert(const QUrl& origin, const QString& message)
{
    m_prompts.alert(origin, message);
}

bool WebEngineControl::onJavaScriptConfirm(const QUrl& origin, const QString& message)
{
    return m_prompts.confirm(origin, message);
}

bool WebEngineControl::onJavaScriptPrompt(const QUrl& origin, const QString& message, const QString& defaultValue,
                                          QString* result)
{
    const std::optional<QString> answer = m_prompts.prompt(origin, message, defaultValue);
    if (!answer)
        return false;
    if (result)
        *result = *answer;
    return true;
}

void WebEngineControl::onLoadingChanged(int status, const QUrl& url)
{
    if (status == QWebEngineLoadingInfo::LoadStartedStatus) {
        m_redecodeReloading = !m_redecodeAddress.isEmpty();
        m_hasDocument = true;
        emit DownloadBegin();
        if (!m_showingErrorPage)
            emit StatusTextChange(QStringLiteral("Opening page %1...").arg(url.toDisplayString()));
        return;
    }
    // Only the load that started after the encoding was chosen counts.
    if (status == QWebEngineLoadingInfo::LoadSucceededStatus && !m_showingErrorPage && m_redecodeReloading)
        redecodeDocument();
    else if (m_redecodeReloading)
        m_redecodeAddress.clear();
    m_redecodeReloading = false;
    emit DownloadComplete();
    emit ProgressChange(0, 100);
    emitHistoryState();
    emit SetSecureLockIcon(secureLockState());
    emit StatusTextChange(QStringLiteral("Done"));
    emit DocumentComplete(status == QWebEngineLoadingInfo::LoadSucceededStatus);
}

void WebEngineControl::onUrlChanged(const QUrl& url)
{
    m_hasDocument = true;
    emitHistoryState();
    if (m_showingErrorPage || url.isEmpty())
        return;
    emit NavigateComplete2(true, url);
    emit SetSecureLockIcon(secureLockState());
}

void WebEngineControl::onNewWindowRequested(QWebEngineNewWindowRequest& request)
{
    NewWindowRequest ours(kindFor(request.destination()), request.requestedUrl(), request.isUserInitiated());
    emit NewWindow2(&ours);
    auto* target = qobject_cast<WebEngineControl*>(ours.target());
    // Not adopting the request refuses it: the engine then opens nothing.
    if (!ours.answered() || !target || target == this)
        return;
    target->adoptNewWindow(request);
}

void WebEngineControl::adoptNewWindow(QWebEngineNewWindowRequest& request)
{
    // The engine reports the size and position the opener asked for while adopting.
    m_adoptingWindow = true;
    m_page->acceptAsNewWindow(request);
    m_adoptingWindow = false;
}

void WebEngineControl::onGeometryChangeRequested(const QRect& geometry)
{
    if (m_adoptingWindow) {
        // The opener's window features: a size, and a position only where one was given (the
        // engine gives 0,0 otherwise).
        if (geometry.width() > 0 && geometry.height() > 0) {
            m_askedSize = geometry.size();
            emit WindowSetWidth(geometry.width());
            emit WindowSetHeight(geometry.height());
        }
        if (geometry.x() != 0 || geometry.y() != 0) {
            m_askedPosition = geometry.topLeft();
            emit WindowSetLeft(geometry.x());
            emit WindowSetTop(geometry.y());
        }
        return;
    }

    // A script's resizeTo/moveTo: the engine sends the whole window rectangle without the
    // frame, the asked part changed and the rest as the document believes the window to be:
    // the window as it is, or, until the engine has caught up, what the script asked before.
    // A part equal to either was not asked for.
    QWidget* window = m_view ? m_view->window() : nullptr;
    if (!window)
        return;
    QMargins frame;
    if (const QWindow* handle = window->windowHandle())
        frame = handle->frameMargins();
    const QRect asked = geometry.marginsAdded(frame);
    const QRect current = window->frameGeometry();
    if (asked.size() != current.size() && asked.size() != m_askedSize) {
        m_askedSize = asked.size();
        emit WindowSetWidth(asked.width());
        emit WindowSetHeight(asked.height());
    }
    if (asked.topLeft() != current.topLeft() && asked.topLeft() != m_askedPosition) {
        m_askedPosition = asked.topLeft();
        emit WindowSetLeft(asked.x());
        emit WindowSetTop(asked.y());
    }
}

void WebEngineControl::onCertificateError(const QWebEngineCertificateError& error)
{
    QWebEngineCertificateError answer = error;
    if (!answer.isOverridable()) {
        answer.rejectCertificate();
        return;
    }
    answer.defer();
    QTimer::singleShot(0, this, [this, answer]() mutable {
        if (m_prompts.askCertificateException(answer.url(), answer.description())) {
            m_certificateExceptions->insert(exceptionKey(answer.url()));
            answer.acceptCertificate();
        } else {
            answer.rejectCertificate();
        }
    });
}

void WebEngineControl::onFeaturePermissionRequested(const QUrl& origin, int feature)
{
    const auto asked = QWebEnginePage::Feature(feature);
    QTimer::singleShot(0, this, [this, origin, asked] {
        const bool granted = m_prompts.askPermission(origin, featureText(asked));
        m_page->setFeaturePermission(origin, asked,
                                     granted ? QWebEnginePage::PermissionGrantedByUser
                                             : QWebEnginePage::PermissionDeniedByUser);
    });
}

void WebEngineControl::onFullScreenRequested(QWebEngineFullScreenRequest request)
{
    if (request.toggleOn() == isFullScreen()) {
        request.reject();
        return;
    }
    request.accept();
    if (request.toggleOn())
        enterFullScreen();
    else
        leaveFullScreen();
}

void WebEngineControl::enterFullScreen()
{
    if (m_fullScreenWindow || !m_view)
        return;
    auto* window = new FullScreenWindow([page = QPointer<QWebEnginePage>(m_page)] {
        if (page)
            page->triggerAction(QWebEnginePage::ExitFullScreen);
    });
    window->setWindowTitle(m_page->title());
    window->layout()->addWidget(m_view);
    m_fullScreenWindow = window;
    window->showFullScreen();
    m_view->setFocus(Qt::OtherFocusReason);
    emit fullScreenChanged(true);
}

void WebEngineControl::leaveFullScreen()
{
    if (!m_fullScreenWindow)
        return;
    QWidget* window = m_fullScreenWindow;
    m_fullScreenWindow = nullptr;
    if (m_view && m_container) {
        m_container->layout()->addWidget(m_view);
        m_view->show();
        m_view->setFocus(Qt::OtherFocusReason);
    }
    window->hide();
    // Later: Esc or a close of that window may have brought us here.
    window->deleteLater();
    emit fullScreenChanged(false);
}

void WebEngineControl::onRenderProcessTerminated(int status)
{
    if (status == QWebEnginePage::NormalTerminationStatus)
        return;
    if (m_lostAddress.isEmpty()) {
        m_lostAddress = m_page->url().isEmpty() ? m_page->requestedUrl() : m_page->url();
        if (m_lostAddress.isEmpty())
            m_lostAddress = QUrl(QStringLiteral("about:blank"));
    }
    leaveFullScreen();
    emit rendererGone();
    // The engine is still inside its own handling of the lost renderer.
    QTimer::singleShot(0, this, &WebEngineControl::showRendererGonePage);
}

void WebEngineControl::showRendererGonePage()
{
    if (m_lostAddress.isEmpty())
        return;
    m_errorPageRequested = true;
    const QString address = m_lostAddress.toDisplayString().toHtmlEscaped();
    m_page->setHtml(QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>%1</title></head>"
                                   "<body style=\"font-family: sans-serif; margin: 2em\"><h2>%1</h2>"
                                   "<p>The page <b>%2</b> stopped working.</p>"
                                   "<p>Refresh the page to load it again.</p></body></html>")
                        .arg(kRendererGoneTitle.toHtmlEscaped(), address));
}

void WebEngineControl::emitHistoryState()
{
    QWebEngineHistory* history = m_page->history();
    emit CommandStateChange(1, history->canGoForward());
    emit CommandStateChange(2, history->canGoBack());
}

int WebEngineControl::secureLockState() const
{
    const QUrl address = m_lostAddress.isEmpty() ? m_page->url() : m_lostAddress;
    if (address.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) != 0)
        return kSecureLockUnsecure;
    return m_certificateExceptions->contains(exceptionKey(address)) ? kSecureLockMixed : kSecureLock128Bit;
}

}  // namespace pelto::ui
