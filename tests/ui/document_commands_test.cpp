// The document commands on a fake control: enabling rules, the radio groups of text size and
// encoding, print with and without the dialog, and the commands that open new pages.
#include "support/fake_web_control.h"
#include "ui/app/action_registry.h"
#include "ui/dialogs/properties_dialog.h"
#include "ui/navigation/document_commands.h"
#include "ui/navigation/document_dialogs.h"
#include "ui/navigation/find_bar.h"

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPageLayout>
#include <QPrinter>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

using namespace pelto;
using ui::EditCommand;
using ui::SaveFormat;

namespace {

// Answers the dialogs from fields and records what was shown.
class ScriptedDialogs : public ui::DocumentDialogs {
public:
    QStringList filesToOpen;
    std::optional<std::pair<QString, SaveFormat>> saveTarget;
    bool printAnswer = true;
    QStringList shown;  // which dialogs, in order
    QString suggestedSavePath;
    QList<QUrl> external;

    QStringList chooseFilesToOpen(QWidget*) override
    {
        shown << "open";
        return filesToOpen;
    }
    std::optional<std::pair<QString, SaveFormat>> chooseSaveTarget(QWidget*, const QString& suggested) override
    {
        shown << "save";
        suggestedSavePath = suggested;
        return saveTarget;
    }
    bool askPrint(QWidget*, QPrinter&) override
    {
        shown << "print";
        return printAnswer;
    }
    bool askPageSetup(QWidget*, QPrinter&) override
    {
        shown << "setup";
        return true;
    }
    void showPrintPreview(QWidget*, QPrinter& printer, const std::function<void(QPrinter*)>& paint) override
    {
        shown << "preview";
        paint(&printer);
    }
    void showProperties(QWidget*, ui::WebControl&) override { shown << "properties"; }
    void openExternal(const QUrl& address) override { external << address; }
};

class DocumentCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ui::DocumentHost host;
        host.activeControl = [this]() -> ui::WebControl* { return m_active; };
        host.openInNewPage = [this](const QString& text) { m_opened << text; };
        host.dialogParent = &m_owner;
        host.programFolder = "/opt/pelto/";
        host.languageFile = [this] { return m_language; };
        host.dialogs = &m_dialogs;
        m_commands = std::make_unique<ui::DocumentCommands>(host);
        m_commands->attach(m_actions);
        m_actions.updateAll();
    }

    // Makes the active page one with a loaded document.
    test::FakeWebControl& loadedPage()
    {
        m_control.hasDocumentValue = true;
        m_control.url = "http://127.0.0.1:9/report";
        m_control.title = "Weekly report";
        m_active = &m_control;
        m_actions.updateAll();
        return m_control;
    }

    bool enabled(const char* name) { return m_actions.action(name)->isEnabled(); }
    void trigger(const char* name)
    {
        m_actions.updateAll();
        m_actions.action(name)->trigger();
        m_actions.updateAll();
    }
    QStringList checked(const QStringList& names)
    {
        QStringList on;
        for (const QString& name : names)
            if (m_actions.action(name.toLatin1().constData())->isChecked())
                on << name;
        return on;
    }

    QWidget m_owner;
    ui::ActionRegistry m_actions {&m_owner};
    test::FakeWebControl m_control;
    ui::WebControl* m_active = nullptr;
    ScriptedDialogs m_dialogs;
    QStringList m_opened;
    std::string m_language = "english.lng";
    std::unique_ptr<ui::DocumentCommands> m_commands;
};

const QStringList kTextSizes = {"actTSLargest", "actTSLarger", "actTSMedium", "actTSSmaller", "actTSSmallest"};

TEST_F(DocumentCommandsTest, EnablingFollowsPageDocumentAndEditAvailability)
{
    const char* always[] = {"actOpen", "actHelp", "actPBrowserHOME", "actComments"};
    const char* document[] = {"actSave", "actProperties", "actPageSetup", "actPrintPreview", "actPrintDlg",
                              "actPrint", "actFind", "actSource", "actTSLargest", "actLWesternEuropean"};
    const char* edit[] = {"actCopy", "actCut", "actPaste", "actSelectAll"};

    struct Step {
        const char* what;
        bool page, document, editAvailable;
    } steps[] = {
        {"no page", false, false, false},
        {"page without document", true, false, false},
        {"document, nothing selected", true, true, false},
        {"document with selection", true, true, true},
    };
    for (const Step& step : steps) {
        m_control.hasDocumentValue = step.document;
        m_control.editAvailable = step.editAvailable;
        m_active = step.page ? &m_control : nullptr;
        m_actions.updateAll();
        for (const char* name : always)
            EXPECT_TRUE(enabled(name)) << name << " / " << step.what;
        for (const char* name : document)
            EXPECT_EQ(enabled(name), step.document) << name << " / " << step.what;
        for (const char* name : edit)
            EXPECT_EQ(enabled(name), step.editAvailable) << name << " / " << step.what;
    }
}

TEST_F(DocumentCommandsTest, EditCommandsAskAgainBeforeRunning)
{
    test::FakeWebControl& page = loadedPage();
    page.editAvailable = true;
    m_actions.updateAll();
    ASSERT_TRUE(enabled("actCopy"));
    // The selection went away after the last update: the stale enabled command does nothing.
    page.editAvailable = false;
    m_actions.action("actCopy")->trigger();
    EXPECT_TRUE(page.editCommands.isEmpty());

    page.editAvailable = true;
    m_actions.action("actCopy")->trigger();
    m_actions.action("actSelectAll")->trigger();
    EXPECT_EQ(page.editCommands, (QList<EditCommand> {EditCommand::Copy, EditCommand::SelectAll}));
}

TEST_F(DocumentCommandsTest, TextSizeIsOneRadioGroupCheckedFromThePageZoom)
{
    EXPECT_EQ(checked(kTextSizes), QStringList {"actTSMedium"});

    test::FakeWebControl& page = loadedPage();
    trigger("actTSLargest");
    EXPECT_DOUBLE_EQ(page.zoom, 1.5);
    EXPECT_EQ(checked(kTextSizes), QStringList {"actTSLargest"});

    // Another page (or the wheel) set some zoom of its own: the matching level, or none.
    page.zoom = 0.7;
    m_actions.updateAll();
    EXPECT_EQ(checked(kTextSizes), QStringList {"actTSSmallest"});
    page.zoom = 1.1;
    m_actions.updateAll();
    EXPECT_TRUE(checked(kTextSizes).isEmpty());

    // A control that takes less than the level gets its highest.
    page.maximumZoom = 1.2;
    trigger("actTSLargest");
    EXPECT_DOUBLE_EQ(page.zoom, 1.2);
    EXPECT_TRUE(checked(kTextSizes).isEmpty());
}

TEST_F(DocumentCommandsTest, EncodingSetsTheCharsetThenReloadsAndShowsItChecked)
{
    test::FakeWebControl& page = loadedPage();
    trigger("actLWesternEuropean");
    EXPECT_EQ(page.encodingsSet, QStringList {"Windows-1252"});
    EXPECT_EQ(page.refreshCount, 1);
    trigger("actLCyrillic");
    EXPECT_EQ(page.encodingsSet.last(), "windows-1251");
    EXPECT_EQ(page.refreshCount, 2);

    QStringList all;
    for (const auto& entry : core::Encodings())
        all << QString::fromLatin1(entry.action.data(), int(entry.action.size()));
    EXPECT_EQ(checked(all), QStringList {"actLCyrillic"});

    // A refused character set leaves the page unreloaded.
    page.acceptEncoding = false;
    trigger("actLGreek");
    EXPECT_EQ(page.refreshCount, 2);
    EXPECT_EQ(checked(all), QStringList {"actLCyrillic"});
}

TEST_F(DocumentCommandsTest, ToolbarPrintPrintsAtOnceAndFileMenuPrintAsksFirst)
{
    test::FakeWebControl& page = loadedPage();
    trigger("actPrint");
    EXPECT_TRUE(m_dialogs.shown.isEmpty());
    ASSERT_EQ(page.printers.size(), 1);

    trigger("actPrintDlg");
    EXPECT_EQ(m_dialogs.shown, QStringList {"print"});
    EXPECT_EQ(page.printers.size(), 2);

    m_dialogs.printAnswer = false;
    trigger("actPrintDlg");
    EXPECT_EQ(page.printers.size(), 2);

    // The printer starts from the pages' print options.
    const QPageLayout layout = m_commands->printer().pageLayout();
    EXPECT_EQ(layout.orientation(), QPageLayout::Portrait);
    EXPECT_NEAR(layout.margins(QPageLayout::Inch).left(), 0.75, 0.01);
    EXPECT_NEAR(layout.margins(QPageLayout::Inch).bottom(), 0.75, 0.01);
}

TEST_F(DocumentCommandsTest, OnePrintAtATimeAndItsEndIsReported)
{
    test::FakeWebControl& page = loadedPage();
    QList<bool> finished;
    QObject::connect(m_commands.get(), &ui::DocumentCommands::printFinished, [&](bool ok) { finished << ok; });
    page.holdPrints = true;
    trigger("actPrint");
    EXPECT_TRUE(m_commands->printing());
    trigger("actPrint");
    trigger("actPrintPreview");
    EXPECT_EQ(page.printers.size(), 1);

    page.finishPrint(false);
    EXPECT_EQ(finished, QList<bool> {false});
    EXPECT_FALSE(m_commands->printing());

    page.holdPrints = false;
    trigger("actPrintPreview");
    EXPECT_EQ(m_dialogs.shown, QStringList {"preview"});
    EXPECT_EQ(page.printers.size(), 2);
}

TEST_F(DocumentCommandsTest, SaveOffersASafeNameAndSavesInTheChosenForm)
{
    test::FakeWebControl& page = loadedPage();
    page.title = "Q3/Q4: plans?";
    QList<QPair<QString, bool>> saved;
    QObject::connect(m_commands.get(), &ui::DocumentCommands::saveFinished,
                     [&](const QString& path, bool ok) { saved.append({path, ok}); });

    trigger("actSave");
    EXPECT_TRUE(m_dialogs.suggestedSavePath.endsWith("/Q3_Q4_ plans.html")) << m_dialogs.suggestedSavePath.toStdString();
    EXPECT_TRUE(page.saves.isEmpty());

    m_dialogs.saveTarget = std::make_pair(QString("/tmp/out/plans.mhtml"), SaveFormat::SingleFile);
    page.saveOk = false;
    trigger("actSave");
    ASSERT_EQ(page.saves.size(), 1);
    EXPECT_EQ(page.saves[0].first, "/tmp/out/plans.mhtml");
    EXPECT_EQ(page.saves[0].second, SaveFormat::SingleFile);
    EXPECT_EQ(saved, (QList<QPair<QString, bool>> {{"/tmp/out/plans.mhtml", false}}));
    // The next save starts in the folder of the last one.
    trigger("actSave");
    EXPECT_TRUE(m_dialogs.suggestedSavePath.startsWith("/tmp/out/"));
}

TEST_F(DocumentCommandsTest, CommandsThatOpenPagesOrHandOverToTheDesktop)
{
    m_dialogs.filesToOpen = {"/data/b.html", "/data/a.htm", "/data/c.url"};
    trigger("actOpen");
    EXPECT_EQ(m_opened, (QStringList {"/data/b.html", "/data/a.htm", "/data/c.url"}));

    m_opened.clear();
    trigger("actSource");  // no page: nothing
    loadedPage();
    trigger("actSource");
    trigger("actHelp");
    trigger("actPBrowserHOME");
    m_language = "chs.lng";
    trigger("actPBrowserHOME");
    EXPECT_EQ(m_opened, (QStringList {"view-source:http://127.0.0.1:9/report", "file:///opt/pelto/Help/index.html",
                                      "https://peltobrowser.org/", "https://peltobrowser.org/zh/"}));

    trigger("actComments");
    ASSERT_EQ(m_dialogs.external.size(), 1);
    EXPECT_EQ(m_dialogs.external[0].scheme(), "mailto");
    EXPECT_TRUE(m_opened.size() == 4);

    // The manual that Help opens comes with the program.
    QFile manual(QFileInfo(QStringLiteral(__FILE__)).absolutePath() + "/../../resources/program/Help/index.html");
    ASSERT_TRUE(manual.open(QIODevice::ReadOnly));
    EXPECT_TRUE(manual.readAll().contains("<title>Pelto Browser Help</title>"));
}

TEST_F(DocumentCommandsTest, FindBarSearchesTheActivePageAndSaysNotFound)
{
    test::FakeWebControl& page = loadedPage();
    trigger("actFind");
    ui::FindBar* bar = m_commands->findBar();
    ASSERT_TRUE(bar->isVisible());
    auto* text = bar->findChild<QLineEdit*>("edtFind");
    auto* matchCase = bar->findChild<QCheckBox*>("chbMatchCase");
    ASSERT_TRUE(text && matchCase);

    page.findAnswer = {0, 0};
    text->setText("missing");
    bar->findNext();
    EXPECT_EQ(bar->resultText(), "Not found");

    page.findAnswer = {5, 2};
    text->setText("Some");
    matchCase->setChecked(true);  // searches again with the new rule
    bar->findPrevious();
    EXPECT_EQ(bar->resultText(), "2 of 5");
    ASSERT_GE(page.finds.size(), 3);
    EXPECT_EQ(page.finds.last().text, "Some");
    EXPECT_TRUE(page.finds.last().backward);
    EXPECT_TRUE(page.finds.last().matchCase);

    // Closing the bar removes the highlighting.
    bar->hide();
    EXPECT_TRUE(page.finds.last().text.isEmpty());
    EXPECT_TRUE(bar->resultText().isEmpty());
}

TEST(PropertiesDialog, ShowsWhatIsKnownAsPlainText)
{
    ui::PageProperties properties;
    properties.title = "<b>Bold</b> & co";
    properties.address = "https://127.0.0.1:9/x";
    properties.protocol = "https";
    properties.securityState = ui::kSecureLock128Bit;
    ui::PropertiesDialog dialog(properties);
    auto value = [&](const char* name) {
        QLabel* label = dialog.findChild<QLabel*>(name);
        return label ? label->text() : QString("<missing>");
    };
    EXPECT_EQ(value("lblTitle"), "<b>Bold</b> & co");
    EXPECT_EQ(dialog.findChild<QLabel*>("lblTitle")->textFormat(), Qt::PlainText);
    EXPECT_EQ(value("lblProtocol"), "HyperText Transfer Protocol with Privacy");
    EXPECT_EQ(value("lblType"), "Not available");
    EXPECT_EQ(value("lblSize"), "Not available");
    EXPECT_EQ(value("lblSecurity"), "Secured connection");

    properties.mimeType = "text/html";
    properties.size = 2048;
    dialog.setProperties(properties);
    EXPECT_EQ(value("lblType"), "text/html");
    EXPECT_EQ(value("lblSize"), "2,048 bytes");
}

}  // namespace
