#pragma once

#include <QByteArray>
#include <QIcon>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

class QPageLayout;
class QPrinter;
class QWidget;

namespace pelto::ui {

// Edit commands whose availability the page asks before running them.
enum class EditCommand { Cut, Copy, Paste, SelectAll };

// How a page asks for a new window (a link with a target, a script's window.open, a middle or
// Ctrl click).
enum class NewWindowKind {
    Window,          // a script or target asked for a new browser window
    ForegroundTab,   // the user asked for the link in a new page in front
    BackgroundTab,   // the user asked for the link in a new page behind (middle or Ctrl click)
    Dialog,          // a script asked for a dialog-style window
};

// The security state of the top-level document, as the page shows it on the status bar:
// less than 0 none yet, 0 an ordinary site, above 0 a secured one (6 a fully valid secure
// connection, 1 a secure connection with a problem the user accepted or mixed content).
inline constexpr int kSecureLockNone = -1;
inline constexpr int kSecureLockUnsecure = 0;
inline constexpr int kSecureLockMixed = 1;
inline constexpr int kSecureLock128Bit = 6;

// The forms a page can be saved in.
enum class SaveFormat {
    CompletePage,  // the document with a folder of its pictures, styles and scripts beside it
    SingleFile,    // one web archive file holding the document and its parts
    HtmlOnly,      // the document's markup alone
};

// The answer to a search in the page: how many matches there are and which one is selected
// (1-based; 0 when none).
struct FindResult {
    int matches = 0;
    int active = 0;
};

// What the Properties dialog shows of a document. Parts the control does not know are empty,
// and size is -1.
struct PageProperties {
    QString title;
    QString address;
    QString protocol;  // the address's scheme
    QString mimeType;
    QString encoding;  // the character set the document is shown in
    qint64 size = -1;  // bytes of the document itself
    int securityState = kSecureLockNone;
};

class WebControl;

// A request of the page's document for a new window. The page answers it once, while the
// signal is being delivered: accept() with the control that is to show the new window, or
// refuse(). A request left unanswered is refused.
class NewWindowRequest {
public:
    NewWindowRequest(NewWindowKind kind, QUrl address, bool userInitiated)
        : m_kind(kind), m_address(std::move(address)), m_userInitiated(userInitiated) {}

    NewWindowKind kind() const { return m_kind; }
    // The address the new window is asked to load; may be empty (a script fills it later).
    const QUrl& address() const { return m_address; }
    // The engine's own view of whether a user gesture started it.
    bool userInitiated() const { return m_userInitiated; }

    void accept(WebControl* target) { m_target = target; m_answered = true; }
    void refuse() { m_target = nullptr; m_answered = true; }
    WebControl* target() const { return m_target; }
    bool answered() const { return m_answered; }

private:
    NewWindowKind m_kind;
    QUrl m_address;
    bool m_userInitiated;
    WebControl* m_target = nullptr;
    bool m_answered = false;
};

// The web control a page hosts: what the page calls on it, asks of it and hears from it. The
// page logic is written against this interface only; the program uses the engine's
// implementation and the tests a scriptable fake.
class WebControl : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~WebControl() override = default;

    // The widget that shows the document; the page puts it in its client area.
    virtual QWidget* widget() = 0;

    // Loads the text as the user gave it: a web address, a local path or a file address
    // (which opens the file), completed the way the engine completes typed text.
    virtual void Navigate2(const QString& text) = 0;
    // Posts form data ("application/x-www-form-urlencoded") to the address.
    virtual void Navigate(const QUrl& address, const QByteArray& postData) = 0;
    virtual void GoBack() = 0;
    virtual void GoForward() = 0;
    // Loads the start page from the shared browser settings ("about:blank" when none is set).
    virtual void GoHome() = 0;
    virtual void Refresh() = 0;
    // Reloads bypassing the cache.
    virtual void RefreshNoCache() = 0;
    virtual void Stop() = 0;

    // Whether an edit command can run now ("available"), and running it.
    virtual bool editCommandAvailable(EditCommand command) const = 0;
    virtual void execEditCommand(EditCommand command) = 0;

    // Title of the document ("LocationName"), its address ("LocationURL"), and whether it is
    // still loading ("Busy").
    virtual QString LocationName() const = 0;
    virtual QString LocationURL() const = 0;
    virtual bool Busy() const = 0;
    // True once something (even an empty document) has been loaded.
    virtual bool hasDocument() const = 0;

    // Titles of the back and forward history, nearest first.
    virtual QStringList backTitles() const = 0;
    virtual QStringList forwardTitles() const = 0;
    // Moves through the history by offset (negative: back).
    virtual void goToHistoryOffset(int offset) = 0;

    // Gives the document the keyboard focus.
    virtual void focusDocument() = 0;
    // Replaces the document with an empty one.
    virtual void loadBlank() = 0;

    // Download options of the page (the content switches) and the forms auto-complete flag.
    virtual void setDownloadOptions(quint32 flags) = 0;
    virtual void setFormsAutoComplete(bool on) = 0;

    // Text size as a zoom factor (1.0 is the document's own size).
    virtual double zoomFactor() const = 0;
    virtual void setZoomFactor(double factor) = 0;
    // The zoom factors the control takes; setZoomFactor clamps into them.
    virtual double minimumZoomFactor() const = 0;
    virtual double maximumZoomFactor() const = 0;

    // Prints the document on printer, which must stay alive until done(ok) is called. Only one
    // print runs at a time; a print asked for meanwhile ends at once with done(false).
    virtual void print(QPrinter* printer, std::function<void(bool ok)> done) = 0;
    // Writes the document as a PDF file at filePath laid out on layout; done(ok) when written.
    virtual void printToPdf(const QString& filePath, const QPageLayout& layout, std::function<void(bool ok)> done) = 0;
    // Saves the document at filePath in format; done(ok) once the files are written.
    virtual void savePage(const QString& filePath, SaveFormat format, std::function<void(bool ok)> done) = 0;

    // Searches the document for text from the current match on (backward: towards the start),
    // selecting and highlighting what it finds; done gets the result. An empty text ends the
    // search and removes the highlighting.
    virtual void findText(const QString& text, bool backward, bool matchCase,
                          std::function<void(const FindResult&)> done) = 0;

    // The address that shows the document's source ("view-source:" and the address); empty
    // when there is no address.
    virtual QString sourceAddress() const = 0;

    // The character set the document is to be read in when it does not name its own; empty for
    // the engine's default. False when the control refuses the name. Takes effect on the next
    // load of the document.
    virtual bool setTextEncoding(const QString& charset) = 0;
    virtual QString textEncoding() const = 0;

    // What is known of the document at once (title, address, protocol, security state).
    virtual PageProperties properties() const = 0;
    // Asks the document for the rest (type, character set, size); done gets the whole set, or
    // what properties() knows when the document cannot answer. done may run before the call
    // returns.
    virtual void requestProperties(std::function<void(const PageProperties&)> done) = 0;

signals:
    // Status line text: a hovered link's address or a load status.
    void StatusTextChange(const QString& text);
    // Load progress of the document; maximum is 100, progress 0 when nothing loads.
    void ProgressChange(int progress, int maximum);
    // command 1 forward, 2 back: whether it is available after a navigation.
    void CommandStateChange(int command, bool enable);
    void DownloadBegin();
    void DownloadComplete();
    void TitleChange(const QString& title);
    // A navigation is about to start; topLevel is false for a frame.
    void BeforeNavigate2(bool topLevel, const QUrl& address);
    // The document asks for a new window; answer through the request while handling it.
    void NewWindow2(pelto::ui::NewWindowRequest* request);
    // A navigation has been committed; topLevel is false for a frame.
    void NavigateComplete2(bool topLevel, const QUrl& address);
    // The document and its parts have finished loading (ok false: the load failed).
    void DocumentComplete(bool ok);
    // The document asked to close its window (window.close()).
    void WindowClosing();
    void WindowSetResizable(bool resizable);
    void WindowSetLeft(int left);
    void WindowSetTop(int top);
    void WindowSetWidth(int width);
    void WindowSetHeight(int height);
    // Security state of the top-level document (see kSecureLock*).
    void SetSecureLockIcon(int state);
    // The icon the document declares, when the engine has one.
    void documentIconChanged(const QIcon& icon);
    // The control's own context menu is about to show.
    void contextMenuShown();
    // The document's renderer went away (crashed or was killed); the control shows an error.
    void rendererGone();
    // The document asked for, or left, full screen.
    void fullScreenChanged(bool on);
};

// Creates the web controls of pages. One factory serves the whole program, so that every page
// shares the same browsing profile.
class WebControlFactory {
public:
    virtual ~WebControlFactory() = default;
    virtual WebControl* createControl(QWidget* parent) = 0;
};

}  // namespace pelto::ui
