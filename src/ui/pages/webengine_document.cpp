#include "ui/pages/webengine_control.h"

#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPrinter>
#include <QRegularExpression>
#include <QVariant>
#include <QWebEngineDownloadRequest>
#include <QWebEngineFindTextResult>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include <utility>

// The document features of the engine's control: print, PDF, save, find, source, text encoding
// and properties.
namespace pelto::ui {

namespace {

QWebEngineDownloadRequest::SavePageFormat engineFormat(SaveFormat format)
{
    switch (format) {
    case SaveFormat::CompletePage:
        return QWebEngineDownloadRequest::CompleteHtmlSaveFormat;
    case SaveFormat::SingleFile:
        return QWebEngineDownloadRequest::MimeHtmlSaveFormat;
    case SaveFormat::HtmlOnly:
        break;
    }
    return QWebEngineDownloadRequest::SingleHtmlSaveFormat;
}

// What the document tells of itself: its type, character set and body size.
const QString kPropertiesScript = QStringLiteral(
    "(function() { var n = performance.getEntriesByType('navigation')[0];"
    " return [document.contentType || '', document.characterSet || '', n ? n.decodedBodySize : -1]; })()");

}  // namespace

void WebEngineControl::print(QPrinter* printer, std::function<void(bool ok)> done)
{
    if (!printer || m_printDone || !m_view) {
        if (done)
            done(false);
        return;
    }
    m_printDone = done ? std::move(done) : [](bool) {};
    m_view->print(printer);
}

void WebEngineControl::printToPdf(const QString& filePath, const QPageLayout& layout, std::function<void(bool ok)> done)
{
    if (filePath.isEmpty() || m_printDone) {
        if (done)
            done(false);
        return;
    }
    m_printDone = done ? std::move(done) : [](bool) {};
    m_pdfPath = filePath;
    m_page->printToPdf(filePath, layout);
}

void WebEngineControl::finishPrint(bool ok)
{
    m_pdfPath.clear();
    if (m_printDone)
        std::exchange(m_printDone, nullptr)(ok);
}

void WebEngineControl::savePage(const QString& filePath, SaveFormat format, std::function<void(bool ok)> done)
{
    const QString path = QFileInfo(filePath).absoluteFilePath();
    if (filePath.isEmpty() || m_saves.contains(path) || m_page->url().isEmpty()) {
        if (done)
            done(false);
        return;
    }
    // Noted first: the engine may ask for the download before save() returns.
    m_saves.insert(path, done ? std::move(done) : [](bool) {});
    m_page->save(path, engineFormat(format));
}

void WebEngineControl::onDownloadRequested(QWebEngineDownloadRequest* download)
{
    if (!download || !download->isSavePageDownload() || download->page() != m_page)
        return;
    const QString path = QFileInfo(QDir(download->downloadDirectory()).filePath(download->downloadFileName())).absoluteFilePath();
    if (!m_saves.contains(path))
        return;
    // The program's downloads accept a save of the page; a profile without them would not.
    if (download->state() == QWebEngineDownloadRequest::DownloadRequested)
        download->accept();
    auto finish = [this, download = QPointer<QWebEngineDownloadRequest>(download), path] {
        if (!download || !download->isFinished() || !m_saves.contains(path))
            return;
        m_saves.take(path)(download->state() == QWebEngineDownloadRequest::DownloadCompleted);
    };
    connect(download, &QWebEngineDownloadRequest::isFinishedChanged, this, finish);
    connect(download, &QObject::destroyed, this, [this, path] {
        if (m_saves.contains(path))
            m_saves.take(path)(false);
    });
    finish();
}

void WebEngineControl::findText(const QString& text, bool backward, bool matchCase,
                                std::function<void(const FindResult&)> done)
{
    QWebEnginePage::FindFlags flags;
    if (backward)
        flags |= QWebEnginePage::FindBackward;
    if (matchCase)
        flags |= QWebEnginePage::FindCaseSensitively;
    if (text.isEmpty()) {
        m_page->findText(QString());
        if (done)
            done(FindResult {});
        return;
    }
    m_page->findText(text, flags, [done = std::move(done)](const QWebEngineFindTextResult& result) {
        if (done)
            done(FindResult {result.numberOfMatches(), result.activeMatch()});
    });
}

QString WebEngineControl::sourceAddress() const
{
    const QString address = LocationURL();
    if (address.isEmpty())
        return {};
    if (address.startsWith(QLatin1String("view-source:"), Qt::CaseInsensitive))
        return address;
    return QStringLiteral("view-source:") + address;
}

bool WebEngineControl::setTextEncoding(const QString& charset)
{
    // A character set name is a short token; anything else is not passed on to the engine.
    static const QRegularExpression kName(QStringLiteral("^[A-Za-z0-9._:-]{1,40}$"));
    if (!charset.isEmpty() && !kName.match(charset).hasMatch())
        return false;
    m_page->settings()->setDefaultTextEncoding(charset);
    m_textEncoding = charset;
    // The engine's text detection wins over a default encoding, so the document that is
    // shown now is read again in this one once it has loaded anew.
    m_redecodeAddress = charset.isEmpty() ? QUrl() : m_page->url();
    return true;
}

void WebEngineControl::redecodeDocument()
{
    const QUrl address = std::exchange(m_redecodeAddress, QUrl());
    if (address.isEmpty() || address != m_page->url() || m_textEncoding.isEmpty())
        return;
    // The document's own bytes, from the cache where they are, decoded in the chosen character
    // set in place of the document. The name was checked to be a plain token.
    const QString script = QStringLiteral(
        "(function(cs) { var d; try { d = new TextDecoder(cs); } catch (e) { return; }"
        " if (document.characterSet.toLowerCase() === d.encoding) return;"
        " fetch(location.href, {cache: 'force-cache', credentials: 'include'})"
        ".then(function(r) { return r.arrayBuffer(); })"
        ".then(function(b) { var t = d.decode(b); document.open(); document.write(t); document.close(); })"
        ".catch(function() {}); })('%1')").arg(m_textEncoding);
    m_page->runJavaScript(script, QWebEngineScript::ApplicationWorld);
}

QString WebEngineControl::textEncoding() const
{
    return m_textEncoding;
}

PageProperties WebEngineControl::properties() const
{
    PageProperties known;
    known.title = LocationName();
    known.address = LocationURL();
    known.protocol = QUrl(known.address).scheme();
    if (m_hasDocument)
        known.securityState = secureLockState();
    const QUrl address(known.address);
    if (address.isLocalFile()) {
        const QFileInfo file(address.toLocalFile());
        if (file.isFile())
            known.size = file.size();
    }
    return known;
}

void WebEngineControl::requestProperties(std::function<void(const PageProperties&)> done)
{
    if (!done)
        return;
    PageProperties known = properties();
    if (!m_hasDocument || m_showingErrorPage) {
        done(known);
        return;
    }
    m_page->runJavaScript(kPropertiesScript, QWebEngineScript::ApplicationWorld,
                          [known, done = std::move(done)](const QVariant& answer) mutable {
                              const QVariantList parts = answer.toList();
                              if (parts.size() == 3) {
                                  known.mimeType = parts[0].toString().left(200);
                                  known.encoding = parts[1].toString().left(100);
                                  const qint64 size = parts[2].toLongLong();
                                  const QString scheme = known.protocol.toLower();
                                  // The timing entry counts nothing for documents that did not
                                  // come over the network.
                                  if (known.size < 0 && (size > 0 || (size == 0 && scheme.startsWith(QLatin1String("http")))))
                                      known.size = size;
                              }
                              done(known);
                          });
}

}  // namespace pelto::ui
