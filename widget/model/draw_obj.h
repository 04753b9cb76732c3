// One top-level button of the applet: a rectangle in editor coordinates and the menu that
// it owns. This is the record only; painting and cursors live with the editor.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/archive/archive.h"
#include "widget/model/geometry.h"
#include "widget/model/glim_menu.h"

namespace snippo {

class CAppletParameters;

class CDrawObj : public CObject {
public:
    CDrawObj();
    explicit CDrawObj(const CRect& position);
    CDrawObj(const CDrawObj&) = delete;
    CDrawObj& operator=(const CDrawObj&) = delete;
    ~CDrawObj() override;

    const char* GetClassName() const override { return "CDrawObj"; }
    std::uint32_t GetSchema() const override { return 0; }
    void Serialize(CArchive& ar) override;

    virtual int HandleCount() const;
    // The editor point of handle 1..8 (clockwise from the top-left), on the stored rectangle.
    virtual CPoint HandlePoint(int handle) const;
    // With `selected`: the first handle 1..8 whose 6 x 6 square around its point holds
    // `point`, else 0. Otherwise 1 when the point lies in the stored rectangle, else 0.
    virtual int HitTest(CPoint point, bool selected) const;
    virtual bool Intersects(const CRect& rect) const;
    virtual void DragHandleTo(int handle, CPoint point);
    virtual void EditProperties() {}
    void Open() { EditProperties(); }

    // Replaces the root menu (not null); installing the menu it holds already keeps it.
    void SetMenu(std::unique_ptr<CGlimMenu> menu);
    CGlimMenu* Menu() const { return m_pMenu.get(); }

    CRect m_position;
    CAppletParameters* m_pOwner = nullptr;  // not owned
    std::unique_ptr<CGlimMenu> m_pMenu;     // never null
};

class CDrawRect : public CDrawObj {
public:
    // Used when an archive or the parameter reader creates the object.
    CDrawRect();
    // A new button drawn in the editor: one item "Button" whose hint menu holds "Hint".
    explicit CDrawRect(const CRect& position);

    const char* GetClassName() const override { return "CDrawRect"; }
    std::uint32_t GetSchema() const override { return 0; }
    void Serialize(CArchive& ar) override;

    std::int32_t m_nShape = 0;  // always 0: rectangle
    CPoint m_roundness{16, 16};
};

}  // namespace snippo
