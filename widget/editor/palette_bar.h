// CPaletteBar: the editor's floating tool palette. It shows the view's command actions in the
// palette's order and groups, and lives in a small frame of its own ("Palette") that cannot
// be docked or closed; the preview window shows and hides it with itself.
#pragma once

#include <QToolBar>
#include <QWidget>

namespace snippo {

class CDrawView;

class CPaletteBar : public QToolBar {
    Q_OBJECT

public:
    explicit CPaletteBar(QWidget* parent = nullptr);

    // Fills the palette with the view's actions; false when an action is missing.
    bool LoadCommands(const CDrawView& view);
    // The command of each button in order, 0 for a separator.
    std::vector<int> Layout() const;
};

// The small floating frame that holds the palette: a tool window with a caption and no
// close box, owned by the preview window.
class CPaletteFrame : public QWidget {
    Q_OBJECT

public:
    explicit CPaletteFrame(QWidget* owner);
    CPaletteBar* Bar() const { return m_pBar; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    CPaletteBar* m_pBar;
};

}  // namespace snippo
