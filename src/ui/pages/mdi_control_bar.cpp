#include "ui/pages/mdi_control_bar.h"

#include "ui/app/action_registry.h"

#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

namespace pelto::ui {

namespace {

enum class Glyph { Previous, Next, Cascade, TileHorizontally, TileVertically, MaximizeAll, CloseAll, CloseOthers,
                   Minimize, Restore, Close };

struct ButtonSpec {
    const char* name;
    const char* action;
    Glyph glyph;
};

constexpr ButtonSpec kButtons[] = {
    {"btnPrevious", "actPreviousPage", Glyph::Previous},
    {"btnNext", "actNextPage", Glyph::Next},
    {"btnCascade", "actCascade", Glyph::Cascade},
    {"btnTH", "actTileHorizontally", Glyph::TileHorizontally},
    {"btnTV", "actTileVertically", Glyph::TileVertically},
    {"btnMaxAll", "actMaximizeAll", Glyph::MaximizeAll},
    {"btnCloseAll", "actCloseAll", Glyph::CloseAll},
    {"btnOne", "actCloseExcept", Glyph::CloseOthers},
    {"btnMinimize", "actSysMinimize", Glyph::Minimize},
    {"btnRestore", "actSysRestore", Glyph::Restore},
    {"btnClose", "actSysClose", Glyph::Close},
};

void drawWindow(QPainter& p, QRect r)
{
    p.drawRect(r);
    p.fillRect(QRect(r.left(), r.top(), r.width() + 1, 2), p.pen().color());
}

void drawCross(QPainter& p, QRect r)
{
    p.drawLine(r.topLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomLeft());
}

QIcon glyphIcon(Glyph glyph, const QColor& colour)
{
    QPixmap pixmap(14, 14);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(QPen(colour, 1));
    switch (glyph) {
    case Glyph::Previous:
    case Glyph::Next: {
        QPainterPath arrow;
        const bool next = glyph == Glyph::Next;
        arrow.moveTo(next ? 4 : 10, 2);
        arrow.lineTo(next ? 10 : 4, 7);
        arrow.lineTo(next ? 4 : 10, 12);
        arrow.closeSubpath();
        p.setRenderHint(QPainter::Antialiasing);
        p.fillPath(arrow, colour);
        break;
    }
    case Glyph::Cascade:
        drawWindow(p, QRect(1, 1, 8, 6));
        drawWindow(p, QRect(4, 6, 8, 6));
        break;
    case Glyph::TileHorizontally:
        drawWindow(p, QRect(1, 1, 11, 5));
        drawWindow(p, QRect(1, 7, 11, 5));
        break;
    case Glyph::TileVertically:
        drawWindow(p, QRect(1, 1, 5, 11));
        drawWindow(p, QRect(7, 1, 5, 11));
        break;
    case Glyph::MaximizeAll:
        drawWindow(p, QRect(3, 1, 9, 8));
        drawWindow(p, QRect(1, 4, 9, 8));
        break;
    case Glyph::CloseAll:
        drawCross(p, QRect(2, 2, 9, 9));
        drawCross(p, QRect(3, 2, 9, 9));
        break;
    case Glyph::CloseOthers:
        drawWindow(p, QRect(1, 1, 11, 11));
        drawCross(p, QRect(4, 5, 5, 5));
        break;
    case Glyph::Minimize:
        p.fillRect(QRect(3, 10, 7, 2), colour);
        break;
    case Glyph::Restore:
        drawWindow(p, QRect(4, 1, 8, 7));
        p.fillRect(QRect(1, 5, 8, 7), Qt::transparent);
        drawWindow(p, QRect(1, 5, 8, 7));
        break;
    case Glyph::Close:
        drawCross(p, QRect(3, 3, 7, 7));
        drawCross(p, QRect(4, 3, 7, 7));
        break;
    }
    return QIcon(pixmap);
}

}  // namespace

MdiControlBar::MdiControlBar(ActionRegistry& actions, QWidget* parent)
    : QToolBar(parent)
{
    setObjectName(QStringLiteral("tbtMDIControl"));
    setWindowTitle(QStringLiteral("Window Control"));
    setIconSize(QSize(14, 14));
    setMovable(true);
    setFloatable(true);
    const QColor colour = palette().color(QPalette::ButtonText);
    for (const ButtonSpec& entry : kButtons) {
        auto* button = new QToolButton(this);
        button->setObjectName(QString::fromLatin1(entry.name));
        button->setDefaultAction(actions.action(entry.action));
        button->setIcon(glyphIcon(entry.glyph, colour));
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        button->setAutoRaise(true);
        button->setFixedSize(kButtonWidth, kButtonHeight);
        // The action's own icon (none) must not replace the glyph when the action changes.
        connect(button->defaultAction(), &QAction::changed, button,
                [button, icon = button->icon()] { button->setIcon(icon); });
        addWidget(button);
    }
    connect(this, &QToolBar::topLevelChanged, this, &MdiControlBar::fitFloatingWidth);
}

QToolButton* MdiControlBar::button(const QString& name) const
{
    return findChild<QToolButton*>(name, Qt::FindDirectChildrenOnly);
}

void MdiControlBar::fitFloatingWidth(bool floating)
{
    if (!floating)
        return;
    int visible = 0;
    for (const ButtonSpec& entry : kButtons) {
        if (QToolButton* b = button(QString::fromLatin1(entry.name)); b && !b->isHidden())
            ++visible;
    }
    setMinimumWidth(kButtonWidth * visible);
    resize(kButtonWidth * visible + (width() - contentsRect().width()), height());
}

}  // namespace pelto::ui
