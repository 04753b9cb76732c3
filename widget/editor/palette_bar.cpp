#include "widget/editor/palette_bar.h"

#include <QAction>
#include <QCloseEvent>
#include <QVBoxLayout>

#include "widget/editor/draw_view.h"
#include "widget/editor/editor_commands.h"

namespace snippo {

CPaletteBar::CPaletteBar(QWidget* parent) : QToolBar(parent)
{
    setObjectName(QStringLiteral("paletteBar"));
    setWindowTitle(tr("Palette"));
    setIconSize(QSize(16, 16));
    setOrientation(Qt::Horizontal);
    setMovable(false);
    setFloatable(false);
    setAllowedAreas(Qt::NoToolBarArea);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
}

bool CPaletteBar::LoadCommands(const CDrawView& view)
{
    clear();
    for (EditorCommand id : kPaletteLayout) {
        if (id == kPaletteSeparator) {
            addSeparator();
            continue;
        }
        QAction* action = view.Action(id);
        if (!action)
            return false;
        addAction(action);
    }
    return true;
}

std::vector<int> CPaletteBar::Layout() const
{
    std::vector<int> ids;
    for (QAction* action : actions())
        ids.push_back(action->isSeparator() ? 0 : action->data().toInt());
    return ids;
}

CPaletteFrame::CPaletteFrame(QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_pBar(new CPaletteBar(this))
{
    setObjectName(QStringLiteral("paletteFrame"));
    setWindowTitle(tr("Palette"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pBar);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CPaletteFrame::closeEvent(QCloseEvent* event)
{
    // The palette goes with the preview window, which hides it; it cannot be closed alone.
    event->ignore();
}

}  // namespace snippo
