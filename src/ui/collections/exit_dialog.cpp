#include "ui/collections/exit_dialog.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

namespace pelto::ui {

TfrmExit::TfrmExit(int storedLeft, int storedTop, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmExit"));
    setWindowTitle(QStringLiteral("Pelto Browser"));
    auto* image = new QLabel(this);
    image->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(32, 32));
    auto* question = new QLabel(QStringLiteral("Do you want to save all opened pages and open them next time?"), this);
    question->setObjectName(QStringLiteral("lblQuestion"));
    question->setWordWrap(true);
    m_prompt = new QRadioButton(QStringLiteral("Prompt to save all opened pages when exiting Pelto Browser."), this);
    m_prompt->setObjectName(QStringLiteral("chbPromptExit"));
    m_save = new QRadioButton(QStringLiteral("Automatically save all opened pages when exiting Pelto Browser."), this);
    m_save->setObjectName(QStringLiteral("chbSaveExit"));
    m_exitDirectly = new QRadioButton(QStringLiteral("Always exit Pelto Browser directly."), this);
    m_exitDirectly->setObjectName(QStringLiteral("chbExitDirectly"));
    m_prompt->setChecked(true);

    auto* yes = new QPushButton(QStringLiteral("&Yes"), this);
    yes->setObjectName(QStringLiteral("btnYes"));
    yes->setDefault(true);
    auto* no = new QPushButton(QStringLiteral("&No"), this);
    no->setObjectName(QStringLiteral("btnNo"));
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    connect(yes, &QPushButton::clicked, this, [this] { answer(core::ExitPromptAnswer::Yes); });
    connect(no, &QPushButton::clicked, this, [this] { answer(core::ExitPromptAnswer::No); });
    connect(cancel, &QPushButton::clicked, this, [this] { answer(core::ExitPromptAnswer::Cancel); });

    auto* top = new QHBoxLayout;
    top->addWidget(image, 0, Qt::AlignTop);
    auto* texts = new QVBoxLayout;
    texts->addWidget(question);
    texts->addWidget(m_prompt);
    texts->addWidget(m_save);
    texts->addWidget(m_exitDirectly);
    top->addLayout(texts, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(yes);
    buttons->addWidget(no);
    buttons->addWidget(cancel);
    auto* column = new QVBoxLayout(this);
    column->addLayout(top, 1);
    column->addLayout(buttons);

    const QSize size = sizeHint().expandedTo(QSize(396, 180));
    setFixedSize(size);
    std::vector<core::Rect> monitors;
    for (QScreen* screen : QGuiApplication::screens()) {
        const QRect area = screen->geometry();
        monitors.push_back({area.left(), area.top(), area.width(), area.height()});
    }
    if (!monitors.empty()) {
        const core::Rect placed = core::ExitPromptBounds(monitors, storedLeft, storedTop, size.width(), size.height());
        move(placed.left, placed.top);
    }
}

core::ExitPromptAnswer TfrmExit::ask()
{
    m_answer = core::ExitPromptAnswer::Cancel;
    exec();
    return m_answer;
}

void TfrmExit::answer(core::ExitPromptAnswer answer)
{
    m_answer = answer;
    if (answer == core::ExitPromptAnswer::Cancel)
        reject();
    else
        accept();
}

core::ActionWhenExit TfrmExit::selected() const
{
    if (m_save->isChecked())
        return core::ActionWhenExit::Save;
    if (m_exitDirectly->isChecked())
        return core::ActionWhenExit::ExitDirectly;
    return core::ActionWhenExit::Prompt;
}

void TfrmExit::select(core::ActionWhenExit choice)
{
    (choice == core::ActionWhenExit::Save ? m_save
     : choice == core::ActionWhenExit::ExitDirectly ? m_exitDirectly : m_prompt)->setChecked(true);
}

}  // namespace pelto::ui
