// The editor's two drawing tools and the drag state they share. One set exists per process:
// the current tool, the select mode and the points of the drag in progress carry over from one
// editor window to the next, as the editor's own behaviour expects.
#pragma once

#include <QPoint>
#include <Qt>

#include "widget/model/geometry.h"

namespace snippo {

class CDrawView;
class CDrawObj;

enum ToolId : int { kToolSelect = 0, kToolRect = 2 };
enum class SelectMode : int { None = 0, RubberBand = 1, Move = 2, Resize = 3 };

struct ToolState {
    int currentTool = kToolSelect;
    SelectMode mode = SelectMode::None;
    int dragHandle = 0;  // 1..8 while resizing, else 0
    QPoint downPoint;    // device pixels of the last press
    QPoint lastDevicePoint;
    CPoint lastEditorPoint;
    Qt::KeyboardModifiers downFlags;
    // The press duplicated the selection (Ctrl): the release records an undo step even when
    // the copies were not moved, since the model has changed.
    bool duplicated = false;
    CDrawObj* newObject = nullptr;  // the button the rectangle tool is drawing
};
ToolState& SharedToolState();

class DrawTool {
public:
    explicit DrawTool(int id) : m_id(id) {}
    virtual ~DrawTool() = default;
    int Id() const { return m_id; }

    virtual void OnLButtonDown(CDrawView* view, Qt::KeyboardModifiers flags, QPoint point);
    virtual void OnLButtonUp(CDrawView* view, Qt::KeyboardModifiers flags, QPoint point);
    virtual void OnLButtonDblClk(CDrawView* view, Qt::KeyboardModifiers flags, QPoint point);
    virtual void OnMouseMove(CDrawView* view, Qt::KeyboardModifiers flags, QPoint point);

    // The process-wide tools by number; null for an unknown number.
    static DrawTool* FindTool(int id);
    static DrawTool* Current();
    static void SetCurrent(int id);

private:
    int m_id;
};

class SelectTool : public DrawTool {
public:
    SelectTool() : DrawTool(kToolSelect) {}
    void OnLButtonDown(CDrawView* view, Qt::KeyboardModifiers flags, QPoint point) override;
    void OnLButtonUp(CDrawView* view, Qt::KeyboardModifiers flags, QPoint point) override;
    void OnLButtonDblClk(CDrawView* view, Qt::KeyboardModifiers flags, QPoint point) override;
    void OnMouseMove(CDrawView* view, Qt::KeyboardModifiers flags, QPoint point) override;

protected:
    explicit SelectTool(int id) : DrawTool(id) {}
};

// Draws a new button from the press to the release; the rest of a drag behaves as a resize.
class RectTool : public SelectTool {
public:
    RectTool() : SelectTool(kToolRect) {}
    void OnLButtonDown(CDrawView* view, Qt::KeyboardModifiers flags, QPoint point) override;
    void OnLButtonUp(CDrawView* view, Qt::KeyboardModifiers flags, QPoint point) override;
    void OnLButtonDblClk(CDrawView* view, Qt::KeyboardModifiers flags, QPoint point) override;
    void OnMouseMove(CDrawView* view, Qt::KeyboardModifiers flags, QPoint point) override;
};

}  // namespace snippo
