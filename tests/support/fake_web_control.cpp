#include "support/fake_web_control.h"

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

ui::WebControl* FakeWebControlFactory::createControl(QWidget* parent)
{
    auto* control = new FakeWebControl(parent);
    controls.append(control);
    return control;
}

}  // namespace pelto::test
