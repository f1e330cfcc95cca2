#pragma once

#include <QPointer>
#include <QString>
#include <QUrl>
#include <QWidget>

#include <optional>
#include <utility>


namespace pelto::ui {

// The questions the web engine asks the user on a document's behalf: where to save a
// download, a login, a certificate problem, a permission, and the document's own script
// dialogs. The program answers them with dialogs; tests answer them from a script.
class UserPrompts {
public:
    virtual ~UserPrompts() = default;

    // The full path to save a download under, starting in lastFolder; empty cancels it.
    virtual QString chooseDownloadPath(const QString& suggestedFileName, const QString& lastFolder) = 0;
    // User name and password for the site (or, when proxy is set, the proxy) at address;
    // nothing when the user cancels.
    virtual std::optional<std::pair<QString, QString>> askCredentials(const QUrl& address, const QString& realm,
                                                                      bool proxy) = 0;
    // Whether to open the site at address although its certificate has the problem described.
    virtual bool askCertificateException(const QUrl& address, const QString& description) = 0;
    // Whether the site may do what feature describes ("use your camera", "show notifications").
    virtual bool askPermission(const QUrl& origin, const QString& feature) = 0;
    // The document's alert(), confirm() and prompt(); prompt gives nothing when cancelled.
    virtual void alert(const QUrl& origin, const QString& message) = 0;
    virtual bool confirm(const QUrl& origin, const QString& message) = 0;
    virtual std::optional<QString> prompt(const QUrl& origin, const QString& message, const QString& defaultValue) = 0;
};

// The program's answers: modal dialogs with the caption "Pelto Browser", confirmations with
// the question icon, Yes and No and No as the default.
class DialogUserPrompts : public UserPrompts {
public:
    // The dialogs are owned by parent (none when null).
    explicit DialogUserPrompts(QWidget* parent = nullptr);

    // Changes the widget that owns the dialogs.
    void setParentWidget(QWidget* parent) { m_parent = parent; }

    QString chooseDownloadPath(const QString& suggestedFileName, const QString& lastFolder) override;
    std::optional<std::pair<QString, QString>> askCredentials(const QUrl& address, const QString& realm,
                                                              bool proxy) override;
    bool askCertificateException(const QUrl& address, const QString& description) override;
    bool askPermission(const QUrl& origin, const QString& feature) override;
    void alert(const QUrl& origin, const QString& message) override;
    bool confirm(const QUrl& origin, const QString& message) override;
    std::optional<QString> prompt(const QUrl& origin, const QString& message, const QString& defaultValue) override;

private:
    bool askYesNo(const QString& text);

    QPointer<QWidget> m_parent;
};

}  // namespace pelto::ui
