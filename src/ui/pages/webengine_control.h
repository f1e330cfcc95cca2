#pragma once

#include <QPointer>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QHash>
#include <QSet>
#include <QUrl>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

#include "ui/pages/web_control.h"

class QWebEngineCertificateError;
class QWebEngineDownloadRequest;
class QWebEngineFullScreenRequest;
class QWebEngineNewWindowRequest;
class QWebEnginePage;
class QWebEngineProfile;
class QWebEngineView;

namespace pelto::platform {
class KeyStore;
}

namespace pelto::ui {

class UserPrompts;

// The page's web control on the Qt web engine: one engine view and page, with the engine's
// events turned into the control's events and its questions asked through the user prompts.
class WebEngineControl : public WebControl {
    Q_OBJECT
public:
    // A control on profile. keys gives the start page; prompts answers the page's questions;
    // certificateExceptions holds the sites whose certificate problem the user accepted, shared
    // by the controls of one profile. The control's widget is a child of parent.
    WebEngineControl(QWebEngineProfile* profile, const platform::KeyStore& keys, UserPrompts& prompts,
                     std::shared_ptr<QSet<QString>> certificateExceptions, QWidget* parent = nullptr);
    ~WebEngineControl() override;

    QWidget* widget() override;

    void Navigate2(const QString& text) override;
    void Navigate(const QUrl& address, const QByteArray& postData) override;
    void GoBack() override;
    void GoForward() override;
    void GoHome() override;
    // Reloads the document; after its renderer went away, loads the address it had.
    void Refresh() override;
    void RefreshNoCache() override;
    void Stop() override;

    bool editCommandAvailable(EditCommand command) const override;
    void execEditCommand(EditCommand command) override;

    QString LocationName() const override;
    // The document's address; while the error page of a lost renderer shows, the address that
    // was lost.
    QString LocationURL() const override;
    bool Busy() const override;
    bool hasDocument() const override;

    QStringList backTitles() const override;
    QStringList forwardTitles() const override;
    void goToHistoryOffset(int offset) override;

    void focusDocument() override;
    void loadBlank() override;

    // Pictures, scripts and sounds take effect on the engine; the other options are kept only.
    void setDownloadOptions(quint32 flags) override;
    // Kept only: the engine has no switch for completing forms.
    void setFormsAutoComplete(bool on) override;

    double zoomFactor() const override;
    void setZoomFactor(double factor) override;
    double minimumZoomFactor() const override;
    double maximumZoomFactor() const override;

    void print(QPrinter* printer, std::function<void(bool ok)> done) override;
    void printToPdf(const QString& filePath, const QPageLayout& layout, std::function<void(bool ok)> done) override;
    // The engine hands the save to the profile's downloads, which keep the path it was given.
    void savePage(const QString& filePath, SaveFormat format, std::function<void(bool ok)> done) override;
    void findText(const QString& text, bool backward, bool matchCase,
                  std::function<void(const FindResult&)> done) override;
    QString sourceAddress() const override;
    // Sets the encoding this page's documents fall back to, and has the document shown now read
    // in it when its reload finishes: the engine's own detection would otherwise keep its guess.
    bool setTextEncoding(const QString& charset) override;
    QString textEncoding() const override;
    PageProperties properties() const override;
    // The document answers from a script world of its own, so that its scripts cannot change
    // the answer, and it answers even with scripts switched off.
    void requestProperties(std::function<void(const PageProperties&)> done) override;

    // The download options and the forms auto-complete flag as last set.
    quint32 downloadOptions() const { return m_downloadOptions; }
    bool formsAutoComplete() const { return m_formsAutoComplete; }
    // The engine's page and view, for features that use the engine directly (find, print,
    // save, request filters).
    QWebEnginePage* page() const { return m_page; }
    QWebEngineView* view() const;
    // True while the document is shown full screen in a window of its own.
    bool isFullScreen() const { return m_fullScreenWindow != nullptr; }

private:
    friend class EnginePage;

    // Called by the engine page.
    bool onNavigationRequest(const QUrl& url, bool isMainFrame);
    void onJavaScriptAlert(const QUrl& origin, const QString& message);
    bool onJavaScriptConfirm(const QUrl& origin, const QString& message);
    bool onJavaScriptPrompt(const QUrl& origin, const QString& message, const QString& defaultValue,
                            QString* result);

    void wireEngine();
    void onLoadingChanged(int status, const QUrl& url);
    void onUrlChanged(const QUrl& url);
    void onNewWindowRequested(QWebEngineNewWindowRequest& request);
    void adoptNewWindow(QWebEngineNewWindowRequest& request);
    void onGeometryChangeRequested(const QRect& geometry);
    void onCertificateError(const QWebEngineCertificateError& error);
    void onFeaturePermissionRequested(const QUrl& origin, int feature);
    void onFullScreenRequested(QWebEngineFullScreenRequest request);
    void enterFullScreen();
    void leaveFullScreen();
    void onRenderProcessTerminated(int status);
    void showRendererGonePage();
    void onDownloadRequested(QWebEngineDownloadRequest* download);
    void finishPrint(bool ok);
    void redecodeDocument();
    void emitHistoryState();
    int secureLockState() const;
    QStringList historyTitles(bool back) const;

    const platform::KeyStore& m_keys;
    UserPrompts& m_prompts;
    std::shared_ptr<QSet<QString>> m_certificateExceptions;
    QPointer<QWidget> m_container;
    QPointer<QWebEngineView> m_view;
    QWebEnginePage* m_page = nullptr;
    QPointer<QWidget> m_fullScreenWindow;

    quint32 m_downloadOptions;
    bool m_formsAutoComplete = false;
    bool m_hasDocument = false;
    bool m_adoptingWindow = false;
    // The window size and position scripts asked for last.
    std::optional<QSize> m_askedSize;
    std::optional<QPoint> m_askedPosition;
    // The address whose renderer went away, while our error page stands in for it.
    QUrl m_lostAddress;
    bool m_errorPageRequested = false;
    bool m_showingErrorPage = false;

    // The print or PDF job under way, and its PDF file.
    std::function<void(bool)> m_printDone;
    QString m_pdfPath;
    // Saves of the page asked for and not yet finished, by their absolute file path.
    QHash<QString, std::function<void(bool)>> m_saves;
    QString m_textEncoding;
    // The document to read again in m_textEncoding once its reload has finished.
    QUrl m_redecodeAddress;
    bool m_redecodeReloading = false;
};

}  // namespace pelto::ui
