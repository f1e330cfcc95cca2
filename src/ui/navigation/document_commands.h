#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <string>

#include "core/navigation/document_tables.h"
#include "ui/pages/web_control.h"

class QPrinter;
class QWidget;

namespace pelto::ui {

class ActionRegistry;
class DocumentDialogs;
class FindBar;

// What the document commands need of the program.
struct DocumentHost {
    // The active page's control, or null when there is no page.
    std::function<WebControl*()> activeControl;
    // Opens a text (an address or a local file) in a new page in front.
    std::function<void(const QString& text)> openInNewPage;
    // Owner of the dialogs and of the find bar's window.
    QWidget* dialogParent = nullptr;
    // The pages' print options, which the printer starts from.
    core::PrintOptions printOptions;
    // The program folder, with a trailing slash; empty for the executable's folder.
    QString programFolder;
    // The interface language file in use; may be null.
    std::function<std::string()> languageFile;
    // The dialogs to use; null for the standard ones.
    DocumentDialogs* dialogs = nullptr;
};

// The commands that act on the active page's document: open files, save, properties, page
// setup, print preview and print, the edit commands, find, source, text size, encoding, and
// the help, home page and comments commands.
class DocumentCommands : public QObject {
    Q_OBJECT
public:
    explicit DocumentCommands(DocumentHost host, QObject* parent = nullptr);
    ~DocumentCommands() override;

    // Attaches the handlers and enabling rules to the registry's actions and checks "Medium".
    // The text size and encoding rules also set the check marks from the active page.
    void attach(ActionRegistry& actions);

    void openFiles();
    void save();
    void showProperties();
    void pageSetup();
    void printPreview();
    // Prints the document, after the print dialog when withDialog, else at once on the
    // default printer. Nothing happens while another print runs.
    void print(bool withDialog);
    // Runs the edit command when the control says it can run now.
    void edit(EditCommand command);
    // Shows the find bar.
    void find();
    void showSource();
    // Sets the text size level (0 smallest to 4 largest), clamped into the control's range.
    void setTextSize(int level);
    // Reads the document again in the character set of the encoding table's index.
    void setEncoding(int index);
    void openHelp();
    void openProductHomePage();
    void sendComments();

    // The find bar, made on first use.
    FindBar* findBar();
    // The printer every print starts from, with the page setup the user made.
    QPrinter& printer();
    bool printing() const { return m_printing; }

signals:
    // A print ended (ok false: it failed or was refused).
    void printFinished(bool ok);
    // A save of a page ended.
    void saveFinished(const QString& filePath, bool ok);

private:
    WebControl* documentControl() const;
    core::ActivePageState pageState(EditCommand* command) const;
    void startPrint(WebControl* control);

    DocumentHost m_host;
    std::unique_ptr<DocumentDialogs> m_ownDialogs;
    DocumentDialogs* m_dialogs = nullptr;
    std::unique_ptr<QPrinter> m_printer;
    QPointer<FindBar> m_findBar;
    QString m_saveFolder;
    bool m_printing = false;
};

}  // namespace pelto::ui
