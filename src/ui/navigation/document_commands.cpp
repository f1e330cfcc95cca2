#include "ui/navigation/document_commands.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QMarginsF>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QUrl>
#include <QWidget>

#include "ui/app/action_registry.h"
#include "ui/navigation/document_dialogs.h"
#include "ui/navigation/find_bar.h"

namespace pelto::ui {

namespace {

QString fromCore(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

struct EditAction {
    const char* name;
    EditCommand command;
};

constexpr EditAction kEditActions[] = {
    {"actCopy", EditCommand::Copy},
    {"actCut", EditCommand::Cut},
    {"actPaste", EditCommand::Paste},
    {"actSelectAll", EditCommand::SelectAll},
};

}  // namespace

DocumentCommands::DocumentCommands(DocumentHost host, QObject* parent)
    : QObject(parent)
    , m_host(std::move(host))
{
    m_dialogs = m_host.dialogs;
    if (!m_dialogs) {
        m_ownDialogs = std::make_unique<StandardDocumentDialogs>();
        m_dialogs = m_ownDialogs.get();
    }
}

DocumentCommands::~DocumentCommands()
{
    delete m_findBar.data();
}

void DocumentCommands::attach(ActionRegistry& actions)
{
    auto rule = [this](const char* name, std::optional<EditCommand> command = std::nullopt) {
        const core::DocumentRule documentRule = core::DocumentCommandRule(name).value_or(core::DocumentRule::Always);
        return [this, documentRule, command] {
            EditCommand asked = command.value_or(EditCommand::Copy);
            return core::RuleAllows(documentRule, pageState(command ? &asked : nullptr));
        };
    };
    const std::pair<const char*, std::function<void()>> commands[] = {
        {"actOpen", [this] { openFiles(); }},
        {"actSave", [this] { save(); }},
        {"actProperties", [this] { showProperties(); }},
        {"actPageSetup", [this] { pageSetup(); }},
        {"actPrintPreview", [this] { printPreview(); }},
        {"actPrintDlg", [this] { print(true); }},
        {"actPrint", [this] { print(false); }},
        {"actFind", [this] { find(); }},
        {"actSource", [this] { showSource(); }},
        {"actHelp", [this] { openHelp(); }},
        {"actPBrowserHOME", [this] { openProductHomePage(); }},
        {"actComments", [this] { sendComments(); }},
    };
    for (const auto& [name, handler] : commands) {
        actions.onTriggered(name, handler);
        actions.setEnabledRule(name, rule(name));
    }
    for (const EditAction& entry : kEditActions) {
        actions.onTriggered(entry.name, [this, command = entry.command] { edit(command); });
        actions.setEnabledRule(entry.name, rule(entry.name, entry.command));
    }

    for (const core::TextSize& size : core::TextSizes()) {
        const QString name = fromCore(size.action);
        QAction* action = actions.action(name.toLatin1().constData());
        action->setData(size.level);
        actions.onTriggered(name.toLatin1().constData(), [this, level = size.level] { setTextSize(level); });
        actions.setEnabledRule(name.toLatin1().constData(), [this, action, level = size.level] {
            WebControl* control = documentControl();
            if (control)
                action->setChecked(core::TextSizeLevelOf(control->zoomFactor()) == level);
            return control != nullptr;
        });
        if (size.level == core::kTextSizeMedium)
            action->setChecked(true);
    }
    for (const core::EncodingEntry& entry : core::Encodings()) {
        const QByteArray name = fromCore(entry.action).toLatin1();
        QAction* action = actions.action(name.constData());
        action->setData(entry.index);
        actions.onTriggered(name.constData(), [this, index = entry.index] { setEncoding(index); });
        actions.setEnabledRule(name.constData(), [this, action, index = entry.index] {
            WebControl* control = documentControl();
            if (control) {
                const core::EncodingEntry* shown = core::EncodingForCharset(control->textEncoding().toStdString());
                action->setChecked(shown && shown->index == index);
            }
            return control != nullptr;
        });
    }
}

WebControl* DocumentCommands::documentControl() const
{
    WebControl* control = m_host.activeControl ? m_host.activeControl() : nullptr;
    return control && control->hasDocument() ? control : nullptr;
}

core::ActivePageState DocumentCommands::pageState(EditCommand* command) const
{
    core::ActivePageState state;
    WebControl* control = m_host.activeControl ? m_host.activeControl() : nullptr;
    if (!control)
        return state;
    state.hasPage = true;
    state.hasDocument = control->hasDocument();
    state.hasAddress = !control->LocationURL().isEmpty();
    state.editAvailable = command && control->editCommandAvailable(*command);
    return state;
}

void DocumentCommands::openFiles()
{
    if (!m_host.openInNewPage)
        return;
    for (const QString& file : m_dialogs->chooseFilesToOpen(m_host.dialogParent))
        m_host.openInNewPage(QDir::toNativeSeparators(file));
}

void DocumentCommands::save()
{
    WebControl* control = documentControl();
    if (!control)
        return;
    if (m_saveFolder.isEmpty())
        m_saveFolder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString name = QString::fromStdString(core::SuggestedSaveName(
        control->LocationName().toStdString(), control->LocationURL().toStdString(), ".html"));
    const auto target = m_dialogs->chooseSaveTarget(m_host.dialogParent, QDir(m_saveFolder).filePath(name));
    // The dialog runs an event loop in which the page may have gone.
    control = documentControl();
    if (!target || target->first.isEmpty() || !control)
        return;
    m_saveFolder = QFileInfo(target->first).absolutePath();
    QPointer<DocumentCommands> self(this);
    const QString path = target->first;
    control->savePage(path, target->second, [self, path](bool ok) {
        if (self)
            emit self->saveFinished(path, ok);
    });
}

void DocumentCommands::showProperties()
{
    if (WebControl* control = documentControl())
        m_dialogs->showProperties(m_host.dialogParent, *control);
}

QPrinter& DocumentCommands::printer()
{
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        const core::PrintOptions& options = m_host.printOptions;
        m_printer->setPageOrientation(options.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
        m_printer->setPageMargins(QMarginsF(options.marginLeft, options.marginTop, options.marginRight,
                                            options.marginBottom),
                                  QPageLayout::Inch);
    }
    return *m_printer;
}

void DocumentCommands::pageSetup()
{
    if (!documentControl() || m_printing)
        return;
    m_dialogs->askPageSetup(m_host.dialogParent, printer());
}

void DocumentCommands::printPreview()
{
    if (!documentControl() || m_printing)
        return;
    m_printing = true;
    QPointer<DocumentCommands> self(this);
    m_dialogs->showPrintPreview(m_host.dialogParent, printer(), [this](QPrinter* target) {
        // The preview wants its pages drawn before this returns, and the engine prints in the
        // background: wait here for it, as long as the page lives.
        QPointer<WebControl> control = documentControl();
        if (!control || !target)
            return;
        bool finished = false;
        QEventLoop loop;
        control->print(target, [&finished, &loop](bool) {
            finished = true;
            loop.quit();
        });
        if (!finished) {
            connect(control, &QObject::destroyed, &loop, &QEventLoop::quit);
            loop.exec();
        }
    });
    if (self)
        m_printing = false;
}

void DocumentCommands::print(bool withDialog)
{
    WebControl* control = documentControl();
    if (!control || m_printing)
        return;
    QPrinter& target = printer();
    if (withDialog) {
        if (!m_dialogs->askPrint(m_host.dialogParent, target))
            return;
        control = documentControl();
        if (!control)
            return;
    } else {
        // At once on the default printer, whatever the print dialog chose last.
        target.setOutputFileName(QString());
        target.setPrinterName(QPrinterInfo::defaultPrinterName());
    }
    startPrint(control);
}

void DocumentCommands::startPrint(WebControl* control)
{
    m_printing = true;
    QPointer<DocumentCommands> self(this);
    control->print(&printer(), [self](bool ok) {
        if (!self)
            return;
        self->m_printing = false;
        emit self->printFinished(ok);
    });
}

void DocumentCommands::edit(EditCommand command)
{
    WebControl* control = m_host.activeControl ? m_host.activeControl() : nullptr;
    // Asked again: the enabled state may be stale.
    if (control && control->editCommandAvailable(command))
        control->execEditCommand(command);
}

FindBar* DocumentCommands::findBar()
{
    if (!m_findBar) {
        m_findBar = new FindBar([this] { return documentControl(); }, m_host.dialogParent);
        // A small window of its own over the main window, as the find dialog always was.
        m_findBar->setWindowFlags(Qt::Tool);
    }
    return m_findBar;
}

void DocumentCommands::find()
{
    if (documentControl())
        findBar()->activate();
}

void DocumentCommands::showSource()
{
    WebControl* control = documentControl();
    if (!control || !m_host.openInNewPage)
        return;
    const QString address = control->sourceAddress();
    if (!address.isEmpty())
        m_host.openInNewPage(address);
}

void DocumentCommands::setTextSize(int level)
{
    WebControl* control = documentControl();
    if (!control)
        return;
    control->setZoomFactor(core::ClampZoom(core::TextSizeFactor(level), control->minimumZoomFactor(),
                                           control->maximumZoomFactor()));
}

void DocumentCommands::setEncoding(int index)
{
    WebControl* control = documentControl();
    const core::EncodingEntry* entry = core::EncodingAt(index);
    if (!control || !entry)
        return;
    // A refused character set leaves the page as it is.
    if (!control->setTextEncoding(fromCore(entry->charset)))
        return;
    control->RefreshNoCache();
}

void DocumentCommands::openHelp()
{
    if (!m_host.openInNewPage)
        return;
    const QString folder =
        m_host.programFolder.isEmpty() ? QCoreApplication::applicationDirPath() + QLatin1Char('/') : m_host.programFolder;
    m_host.openInNewPage(QUrl::fromLocalFile(folder + QStringLiteral("Help/index.html")).toString());
}

void DocumentCommands::openProductHomePage()
{
    if (!m_host.openInNewPage)
        return;
    const std::string language = m_host.languageFile ? m_host.languageFile() : std::string();
    m_host.openInNewPage(QString::fromStdString(core::ProductHomePage(language)));
}

void DocumentCommands::sendComments()
{
    m_dialogs->openExternal(QUrl(QString::fromStdString(core::CommentsMailLink())));
}

}  // namespace pelto::ui
