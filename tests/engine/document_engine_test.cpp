// The document features of the engine's control against a local HTTP server: find, text size,
// source, saving, printing to PDF, reading in another encoding and the page's properties.
#include "engine_fixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QTemporaryDir>
#include <QVariant>
#include <QWebEnginePage>

#include <optional>

#include <gtest/gtest.h>

using namespace pelto;
using namespace pelto::enginetest;
using pelto::test::HttpTestServer;

namespace {

class DocumentEngineTest : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        server().route("/find", titled("Find", "<p>apple Apple apple pie</p>"));
        server().route("/style.css", HttpTestServer::Response {200, "text/css", "p { color: #123456; }", {}, 0});
        server().route("/styled", titled("Styled", "<link rel='stylesheet' href='/style.css'><p>styled text</p>"));
        // Cyrillic in windows-1251, on a page that names no character set.
        server().route("/legacy", HttpTestServer::Response {200, "text/html",
                                                            "<html><head><title>\xcf\xf0\xe8\xe2\xe5\xf2</title></head>"
                                                            "<body>\xcf\xf0\xe8\xe2\xe5\xf2</body></html>",
                                                            {}, 0});
    }

    // Runs a script in the page and waits for its answer.
    static QVariant evaluate(ui::WebEngineControl* control, const QString& script)
    {
        std::optional<QVariant> answer;
        control->page()->runJavaScript(script, [&answer](const QVariant& value) { answer = value; });
        waitFor([&] { return answer.has_value(); });
        return answer.value_or(QVariant());
    }

    static std::optional<ui::FindResult> find(ui::WebControl* control, const QString& text, bool backward,
                                              bool matchCase)
    {
        std::optional<ui::FindResult> result;
        control->findText(text, backward, matchCase, [&result](const ui::FindResult& r) { result = r; });
        waitFor([&] { return result.has_value(); });
        return result;
    }
};

TEST_F(DocumentEngineTest, FindCountsMatchesWithAndWithoutCaseAndSaysWhenNone)
{
    Shown page;
    ASSERT_TRUE(page.open(url("/find")));

    const auto all = find(page.control, "apple", false, false);
    ASSERT_TRUE(all);
    EXPECT_EQ(all->matches, 3);
    EXPECT_EQ(all->active, 1);
    const auto next = find(page.control, "apple", false, false);
    ASSERT_TRUE(next);
    EXPECT_EQ(next->active, 2);
    const auto back = find(page.control, "apple", true, false);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->active, 1);

    const auto exact = find(page.control, "Apple", false, true);
    ASSERT_TRUE(exact);
    EXPECT_EQ(exact->matches, 1);
    const auto none = find(page.control, "pear", false, false);
    ASSERT_TRUE(none);
    EXPECT_EQ(none->matches, 0);
    const auto cleared = find(page.control, "", false, false);
    ASSERT_TRUE(cleared);
    EXPECT_EQ(cleared->matches, 0);
}

TEST_F(DocumentEngineTest, TextSizeZoomsTheDocumentAndIsClampedToTheEngineRange)
{
    Shown page;
    ASSERT_TRUE(page.open(url("/a")));
    const double before = evaluate(page.control, "window.innerWidth").toDouble();
    ASSERT_GT(before, 0);

    page.control->setZoomFactor(1.5);
    EXPECT_NEAR(page.control->zoomFactor(), 1.5, 0.01);
    // The document lays itself out in fewer, larger pixels.
    ASSERT_TRUE(waitFor([&] { return evaluate(page.control, "window.innerWidth").toDouble() < before * 0.75; }));

    page.control->setZoomFactor(40.0);
    EXPECT_NEAR(page.control->zoomFactor(), page.control->maximumZoomFactor(), 0.01);
    page.control->setZoomFactor(0.01);
    EXPECT_NEAR(page.control->zoomFactor(), page.control->minimumZoomFactor(), 0.01);
}

TEST_F(DocumentEngineTest, SourceAddressShowsTheMarkup)
{
    Shown page;
    ASSERT_TRUE(page.open(url("/find")));
    const QString source = page.control->sourceAddress();
    EXPECT_EQ(source, "view-source:" + url("/find"));

    Shown viewer;
    ASSERT_TRUE(viewer.open(source));
    EXPECT_TRUE(waitFor([&] {
        return evaluate(viewer.control, "document.body ? document.body.innerText : ''").toString().contains("<p>apple Apple");
    }));
    // The source of the source is the same view.
    EXPECT_EQ(viewer.control->sourceAddress(), source);
}

TEST_F(DocumentEngineTest, SaveWritesTheCompletePageAndASingleFile)
{
    Shown page;
    ASSERT_TRUE(page.open(url("/styled")));
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());

    const struct {
        const char* name;
        ui::SaveFormat format;
    } saves[] = {{"complete.html", ui::SaveFormat::CompletePage}, {"archive.mhtml", ui::SaveFormat::SingleFile}};
    for (const auto& save : saves) {
        const QString path = folder.filePath(save.name);
        std::optional<bool> done;
        page.control->savePage(path, save.format, [&done](bool ok) { done = ok; });
        ASSERT_TRUE(waitFor([&] { return done.has_value(); })) << save.name;
        EXPECT_TRUE(*done) << save.name;
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << save.name;
        const QByteArray contents = file.readAll();
        EXPECT_TRUE(contents.contains("styled text")) << save.name;
    }
    // The complete page keeps its parts in a folder beside it.
    const QDir parts(folder.filePath("complete_files"));
    ASSERT_TRUE(parts.exists());
    EXPECT_FALSE(parts.entryList(QDir::Files).isEmpty());

    // A second save to a path still being saved is refused at once.
    std::optional<bool> first;
    std::optional<bool> second;
    page.control->savePage(folder.filePath("twice.html"), ui::SaveFormat::HtmlOnly, [&](bool ok) { first = ok; });
    page.control->savePage(folder.filePath("twice.html"), ui::SaveFormat::HtmlOnly, [&](bool ok) { second = ok; });
    ASSERT_TRUE(second.has_value());
    EXPECT_FALSE(*second);
    ASSERT_TRUE(waitFor([&] { return first.has_value(); }));
    EXPECT_TRUE(*first);
}

TEST_F(DocumentEngineTest, PrintWritesANonEmptyPdfThroughBothRoutes)
{
    Shown page;
    ASSERT_TRUE(page.open(url("/find")));
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());

    const QString direct = folder.filePath("direct.pdf");
    std::optional<bool> written;
    const QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0.75, 0.75, 0.75, 0.75),
                             QPageLayout::Inch);
    page.control->printToPdf(direct, layout, [&written](bool ok) { written = ok; });
    ASSERT_TRUE(waitFor([&] { return written.has_value(); }));
    EXPECT_TRUE(*written);

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString printed = folder.filePath("printed.pdf");
    printer.setOutputFileName(printed);
    std::optional<bool> finished;
    page.control->print(&printer, [&finished](bool ok) { finished = ok; });
    // One print at a time.
    std::optional<bool> refused;
    page.control->print(&printer, [&refused](bool ok) { refused = ok; });
    ASSERT_TRUE(refused.has_value());
    EXPECT_FALSE(*refused);
    ASSERT_TRUE(waitFor([&] { return finished.has_value(); }));
    EXPECT_TRUE(*finished);

    for (const QString& path : {direct, printed}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        EXPECT_TRUE(file.read(5) == "%PDF-") << path.toStdString();
        EXPECT_GT(file.size(), 500) << path.toStdString();
    }
}

TEST_F(DocumentEngineTest, EncodingReadsThePageAgainInThatCharacterSet)
{
    Shown page;
    ASSERT_TRUE(page.open(url("/legacy")));
    const QString cyrillic = QString::fromUtf8("\xd0\x9f\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82");
    const QString western = QString::fromLatin1("\xcf\xf0\xe8\xe2\xe5\xf2");

    ASSERT_TRUE(page.control->setTextEncoding("windows-1251"));
    page.control->RefreshNoCache();
    EXPECT_TRUE(page.waitForTitle(cyrillic)) << page.control->LocationName().toStdString();
    EXPECT_EQ(page.control->textEncoding(), "windows-1251");

    ASSERT_TRUE(page.control->setTextEncoding("Windows-1252"));
    page.control->RefreshNoCache();
    EXPECT_TRUE(page.waitForTitle(western)) << page.control->LocationName().toStdString();

    // Names that are not character set names never reach the engine.
    EXPECT_FALSE(page.control->setTextEncoding("utf-8\"; x=<script>"));
    EXPECT_EQ(page.control->textEncoding(), "Windows-1252");
}

TEST_F(DocumentEngineTest, PropertiesTellTypeSizeEncodingAndSecurity)
{
    Shown page;
    ASSERT_TRUE(page.open(url("/find")));
    std::optional<ui::PageProperties> answer;
    page.control->requestProperties([&answer](const ui::PageProperties& p) { answer = p; });
    ASSERT_TRUE(waitFor([&] { return answer.has_value(); }));
    EXPECT_EQ(answer->title, "Find");
    EXPECT_EQ(answer->address, url("/find"));
    EXPECT_EQ(answer->protocol, "http");
    EXPECT_EQ(answer->mimeType, "text/html");
    EXPECT_EQ(answer->encoding, "UTF-8");
    EXPECT_EQ(answer->size, titled("Find", "<p>apple Apple apple pie</p>").size());
    EXPECT_EQ(answer->securityState, ui::kSecureLockUnsecure);
}

}  // namespace
