#pragma once

#include "ui/pages/web_control.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

namespace pelto::test {

// A web control for page tests: it loads nothing, records what the page asks of it, answers
// its queries from fields a test sets, and leaves the events to the test (signals are public:
// `emit control->TitleChange("...")`).
class FakeWebControl : public ui::WebControl {
    Q_OBJECT
public:
    explicit FakeWebControl(QWidget* parent = nullptr);
    ~FakeWebControl() override;

    QWidget* widget() override { return m_widget; }

    void Navigate2(const QString& text) override { navigations.append(text); hasDocumentValue = true; }
    void Navigate(const QUrl& address, const QByteArray& postData) override;
    void GoBack() override { ++goBackCount; }
    void GoForward() override { ++goForwardCount; }
    void GoHome() override { navigations.append(QStringLiteral("about:blank")); }
    void Refresh() override { ++refreshCount; }
    void RefreshNoCache() override { ++refreshCount; }
    void Stop() override { ++stopCount; }

    bool editCommandAvailable(ui::EditCommand) const override { return editAvailable; }
    void execEditCommand(ui::EditCommand command) override { editCommands.append(command); }

    QString LocationName() const override { return title; }
    QString LocationURL() const override { return url; }
    bool Busy() const override { return busy; }
    bool hasDocument() const override { return hasDocumentValue; }

    QStringList backTitles() const override { return back; }
    QStringList forwardTitles() const override { return forward; }
    void goToHistoryOffset(int offset) override { historyOffsets.append(offset); }

    void focusDocument() override { ++focusCount; }
    void loadBlank() override { ++loadBlankCount; }

    void setDownloadOptions(quint32 flags) override { downloadOptions = flags; }
    void setFormsAutoComplete(bool on) override { formsAutoComplete = on; }

    double zoomFactor() const override { return zoom; }
    void setZoomFactor(double factor) override { zoom = factor; }
    double minimumZoomFactor() const override { return minimumZoom; }
    double maximumZoomFactor() const override { return maximumZoom; }

    // Prints, PDF files and saves finish at once with printOk and saveOk, unless
    // holdPrints is set: then the print waits for finishPrint().
    void print(QPrinter* printer, std::function<void(bool ok)> done) override;
    void printToPdf(const QString& filePath, const QPageLayout& layout, std::function<void(bool ok)> done) override;
    void savePage(const QString& filePath, ui::SaveFormat format, std::function<void(bool ok)> done) override;
    void finishPrint(bool ok);
    // Answers with findAnswer at once.
    void findText(const QString& text, bool backward, bool matchCase,
                  std::function<void(const ui::FindResult&)> done) override;
    QString sourceAddress() const override { return url.isEmpty() ? QString() : QStringLiteral("view-source:") + url; }
    bool setTextEncoding(const QString& charset) override;
    QString textEncoding() const override { return encoding; }
    ui::PageProperties properties() const override;
    // Answers with details merged into properties() at once.
    void requestProperties(std::function<void(const ui::PageProperties&)> done) override;

    // What the control answers.
    QString title;
    QString url;
    bool busy = false;
    bool hasDocumentValue = false;
    bool editAvailable = false;
    QStringList back;
    QStringList forward;
    double zoom = 1.0;
    double minimumZoom = 0.25;
    double maximumZoom = 5.0;
    bool printOk = true;
    bool holdPrints = false;
    bool saveOk = true;
    ui::FindResult findAnswer;
    bool acceptEncoding = true;
    QString encoding;
    ui::PageProperties details;  // type, character set and size answered by requestProperties
    int securityState = ui::kSecureLockNone;

    // What the page asked of it.
    QStringList navigations;
    QList<QPair<QUrl, QByteArray>> posts;
    QList<ui::EditCommand> editCommands;
    QList<int> historyOffsets;
    int goBackCount = 0;
    int goForwardCount = 0;
    int refreshCount = 0;
    int stopCount = 0;
    int focusCount = 0;
    int loadBlankCount = 0;
    quint32 downloadOptions = 0;
    bool formsAutoComplete = false;
    QList<QPrinter*> printers;  // every print asked for
    QStringList pdfFiles;
    QList<QPair<QString, ui::SaveFormat>> saves;
    struct Find {
        QString text;
        bool backward;
        bool matchCase;
    };
    QList<Find> finds;
    QStringList encodingsSet;

private:
    QPointer<QWidget> m_widget;
    std::function<void(bool)> m_heldPrint;
};

// Makes fake controls and keeps them, so that a test can reach the control of a page it made.
class FakeWebControlFactory : public ui::WebControlFactory {
public:
    ui::WebControl* createControl(QWidget* parent) override;

    // Every control made, oldest first; null once a control is destroyed.
    QList<QPointer<FakeWebControl>> controls;
    FakeWebControl* last() const { return controls.isEmpty() ? nullptr : controls.last().data(); }
};

}  // namespace pelto::test
