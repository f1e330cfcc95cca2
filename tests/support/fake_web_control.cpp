#include "support/fake_web_control.h"

#include <utility>

namespace pelto::test {

FakeWebControl::FakeWebControl(QWidget* parent)
    : ui::WebControl(parent)
    , m_widget(new QWidget(parent))
{
    m_widget->setObjectName(QStringLiteral("fakeDocument"));
    m_widget->setFocusPolicy(Qt::StrongFocus);
}

FakeWebControl::~FakeWebControl()
{
    delete m_widget.data();
}

void FakeWebControl::Navigate(const QUrl& address, const QByteArray& postData)
{
    posts.append({address, postData});
    hasDocumentValue = true;
}

void FakeWebControl::print(QPrinter* printer, std::function<void(bool ok)> done)
{
    printers.append(printer);
    if (!done)
        done = [](bool) {};
    if (m_heldPrint) {
        done(false);
        return;
    }
    if (holdPrints) {
        m_heldPrint = std::move(done);
        return;
    }
    done(printOk);
}

void FakeWebControl::printToPdf(const QString& filePath, const QPageLayout&, std::function<void(bool ok)> done)
{
    pdfFiles.append(filePath);
    if (done)
        done(printOk);
}

void FakeWebControl::finishPrint(bool ok)
{
    if (m_heldPrint)
        std::exchange(m_heldPrint, nullptr)(ok);
}

void FakeWebControl::savePage(const QString& filePath, ui::SaveFormat format, std::function<void(bool ok)> done)
{
    saves.append({filePath, format});
    if (done)
        done(saveOk);
}

void FakeWebControl::findText(const QString& text, bool backward, bool matchCase,
                              std::function<void(const ui::FindResult&)> done)
{
    finds.append({text, backward, matchCase});
    if (done)
        done(text.isEmpty() ? ui::FindResult {} : findAnswer);
}

bool FakeWebControl::setTextEncoding(const QString& charset)
{
    encodingsSet.append(charset);
    if (!acceptEncoding)
        return false;
    encoding = charset;
    return true;
}

ui::PageProperties FakeWebControl::properties() const
{
    ui::PageProperties known;
    known.title = title;
    known.address = url;
    known.protocol = QUrl(url).scheme();
    known.securityState = securityState;
    return known;
}

void FakeWebControl::requestProperties(std::function<void(const ui::PageProperties&)> done)
{
    ui::PageProperties all = properties();
    all.mimeType = details.mimeType;
    all.encoding = details.encoding;
    all.size = details.size;
    if (done)
        done(all);
}

ui::WebControl* FakeWebControlFactory::createControl(QWidget* parent)
{
    auto* control = new FakeWebControl(parent);
    controls.append(control);
    return control;
}

}  // namespace pelto::test
