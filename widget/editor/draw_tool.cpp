#include "widget/editor/draw_tool.h"

#include <array>
#include <memory>

#include "widget/editor/draw_obj_paint.h"
#include "widget/editor/draw_view.h"

namespace snippo {

namespace {

CPoint ToEditor(QPoint p)
{
    // Editor coordinates are the view's client pixels: no scaling, no scrolling.
    return CPoint{p.x(), p.y()};
}

struct ToolList {
    SelectTool select;
    RectTool rect;
    std::array<DrawTool*, 2> all{&select, &rect};
};

ToolList& Tools()
{
    static ToolList tools;
    return tools;
}

}  // namespace

ToolState& SharedToolState()
{
    static ToolState state;
    return state;
}

DrawTool* DrawTool::FindTool(int id)
{
    for (DrawTool* tool : Tools().all)
        if (tool->Id() == id)
            return tool;
    return nullptr;
}

DrawTool* DrawTool::Current()
{
    DrawTool* tool = FindTool(SharedToolState().currentTool);
    return tool ? tool : &Tools().select;
}

void DrawTool::SetCurrent(int id)
{
    if (FindTool(id))
        SharedToolState().currentTool = id;
}

void DrawTool::OnLButtonDown(CDrawView* view, Qt::KeyboardModifiers flags, QPoint point)
{
    ToolState& s = SharedToolState();
    view->SetCapture();
    s.downFlags = flags;
    s.downPoint = point;
    s.lastDevicePoint = point;
}

void DrawTool::OnLButtonUp(CDrawView* view, Qt::KeyboardModifiers, QPoint point)
{
    view->ReleaseCapture();
    if (point == SharedToolState().downPoint)
        SetCurrent(kToolSelect);
}

void DrawTool::OnLButtonDblClk(CDrawView*, Qt::KeyboardModifiers, QPoint)
{
}

void DrawTool::OnMouseMove(CDrawView*, Qt::KeyboardModifiers, QPoint point)
{
    SharedToolState().lastDevicePoint = point;
}

// ---------------------------------------------------------------------------------------

void SelectTool::OnLButtonDown(CDrawView* view, Qt::KeyboardModifiers flags, QPoint point)
{
    ToolState& s = SharedToolState();
    CAppletParameters* model = view->Model();
    auto& selection = model->m_listSelection;
    const CPoint local = ToEditor(point);
    s.mode = SelectMode::None;
    s.duplicated = false;
    s.newObject = nullptr;

    if (selection.size() == 1) {
        s.dragHandle = selection.front()->HitTest(local, true);
        if (s.dragHandle != 0)
            s.mode = SelectMode::Resize;
    }

    if (s.mode == SelectMode::None) {
        if (CDrawObj* obj = model->ObjectAt(local)) {
            s.mode = SelectMode::Move;
            if (!view->IsSelected(obj))
                view->Select(obj, flags.testFlag(Qt::ShiftModifier));
            if (flags.testFlag(Qt::ControlModifier)) {
                // Duplicate in place: the copies become the selection and the drag moves them.
                view->CopySelection();
                s.duplicated = view->PasteFromClipboard();
            }
        } else {
            if (!flags.testFlag(Qt::ShiftModifier))
                view->Select(nullptr);
            s.mode = SelectMode::RubberBand;
            view->SetRubberBand(QRect(point, point));
        }
    }

    s.lastEditorPoint = local;
    DrawTool::OnLButtonDown(view, flags, point);
}

void SelectTool::OnMouseMove(CDrawView* view, Qt::KeyboardModifiers flags, QPoint point)
{
    ToolState& s = SharedToolState();
    CAppletParameters* model = view->Model();
    auto& selection = model->m_listSelection;
    const bool selectCurrent = s.currentTool == kToolSelect;

    if (!view->HasCapture()) {
        if (!selectCurrent)
            return;
        if (selection.size() == 1) {
            const int handle = selection.front()->HitTest(ToEditor(point), true);
            if (handle != 0) {
                view->setCursor(HandleCursor(handle));
                return;
            }
        }
        view->setCursor(Qt::ArrowCursor);
        return;
    }

    if (s.mode == SelectMode::RubberBand) {
        view->SetRubberBand(QRect(s.downPoint, point));
        s.lastDevicePoint = point;
        view->setCursor(Qt::ArrowCursor);
        return;
    }

    const CPoint local = ToEditor(point);
    const int dx = local.x - s.lastEditorPoint.x;
    const int dy = local.y - s.lastEditorPoint.y;
    const std::vector<CDrawObj*> moving = selection;
    for (CDrawObj* obj : moving) {
        if (s.mode == SelectMode::Move) {
            CRect r = obj->m_position;
            r.OffsetRect(dx, dy);
            SetPosition(*obj, r, view);
        } else if (s.mode == SelectMode::Resize && s.dragHandle != 0) {
            DragHandleTo(*obj, s.dragHandle, local, view);
        }
    }
    s.lastEditorPoint = local;
    DrawTool::OnMouseMove(view, flags, point);

    if (s.mode == SelectMode::Resize && selectCurrent && !selection.empty())
        view->setCursor(HandleCursor(s.dragHandle));
    else if (selectCurrent)
        view->setCursor(Qt::ArrowCursor);
}

void SelectTool::OnLButtonUp(CDrawView* view, Qt::KeyboardModifiers flags, QPoint point)
{
    if (!view->HasCapture())
        return;
    ToolState& s = SharedToolState();
    CAppletParameters* model = view->Model();
    switch (s.mode) {
    case SelectMode::RubberBand:
        view->SetRubberBand(QRect());
        view->SelectWithinRect(
            CRect{s.downPoint.x(), s.downPoint.y(), s.lastDevicePoint.x(), s.lastDevicePoint.y()}.Normalized(), true);
        if (model->m_listSelection.empty())
            view->ShowAppletPage();
        break;
    case SelectMode::Move:
        if (point != s.downPoint || s.duplicated)
            model->History().Checkpoint();
        if (model->m_listSelection.size() == 1)
            view->ShowButtonPage();
        break;
    case SelectMode::Resize:
        if (point != s.downPoint)
            model->History().Checkpoint();
        break;
    case SelectMode::None:
        break;
    }
    s.duplicated = false;
    DrawTool::OnLButtonUp(view, flags, point);
}

void SelectTool::OnLButtonDblClk(CDrawView* view, Qt::KeyboardModifiers flags, QPoint point)
{
    if (!flags.testFlag(Qt::ShiftModifier))
        return;
    if (CDrawObj* obj = view->Model()->ObjectAt(ToEditor(point)))
        view->Deselect(obj);
}

// ---------------------------------------------------------------------------------------

void RectTool::OnLButtonDown(CDrawView* view, Qt::KeyboardModifiers flags, QPoint point)
{
    DrawTool::OnLButtonDown(view, flags, point);
    ToolState& s = SharedToolState();
    const CPoint local = ToEditor(point);
    CDrawObj* obj = view->Model()->AddObject(std::make_unique<CDrawRect>(CRect{local.x, local.y, local.x, local.y}));
    view->Select(obj);
    s.newObject = obj;
    s.duplicated = false;
    s.dragHandle = 1;  // the top-left corner follows the mouse
    s.mode = SelectMode::Resize;
    s.lastEditorPoint = local;
}

void RectTool::OnMouseMove(CDrawView* view, Qt::KeyboardModifiers flags, QPoint point)
{
    view->setCursor(Qt::CrossCursor);
    SelectTool::OnMouseMove(view, flags, point);
}

void RectTool::OnLButtonUp(CDrawView* view, Qt::KeyboardModifiers flags, QPoint point)
{
    if (!view->HasCapture())
        return;
    ToolState& s = SharedToolState();
    if (point.x() != s.downPoint.x() && point.y() != s.downPoint.y()) {
        s.newObject = nullptr;
        view->ShowStatePage();
        SelectTool::OnLButtonUp(view, flags, point);
        return;
    }

    // Too small to be a button: drop it and treat the gesture as a click of the select tool.
    if (s.newObject) {
        view->Model()->RemoveObject(s.newObject);  // the returned owner deletes it
        s.newObject = nullptr;
    }
    view->Refresh(RefreshHint::All);
    SelectTool& select = *static_cast<SelectTool*>(FindTool(kToolSelect));
    select.SelectTool::OnLButtonDown(view, flags, point);
    select.SelectTool::OnLButtonUp(view, flags, point);
}

void RectTool::OnLButtonDblClk(CDrawView*, Qt::KeyboardModifiers, QPoint)
{
}

}  // namespace snippo
