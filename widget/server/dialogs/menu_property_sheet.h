// CMenuPropertySheet: the seven pages of the "Button Properties" dialog behind one row of
// tabs, in the order that is their index everywhere (0 "General Info" ... 6 "Applet More").
// It is also what the layout editor talks to (EditorPageCoupling): which page is active,
// activating a page, reloading one.
//
// Switching pages goes through the page being left: when it refuses (a field that does not
// validate), the sheet stays where it is.
#pragma once

#include <QWidget>
#include <array>

#include "widget/editor/page_coupling.h"

class QStackedWidget;
class QTabBar;

namespace snippo {

class CDlgButtonProperties;
class CPropertyPage;
class CDlgMenuStyle;
class CDlgItemNormal;
class CDlgItemMouseOver;
class CDlgItemClick;
class CDlgHint;
class CDlgAppletParam;
class CDlgAppletMore;

class CMenuPropertySheet : public QWidget, public EditorPageCoupling {
    Q_OBJECT

public:
    static constexpr int kPageCount = 7;

    explicit CMenuPropertySheet(CDlgButtonProperties* owner, QWidget* parent);

    int GetPageCount() const { return kPageCount; }
    CPropertyPage* GetPage(int index) const;
    int GetActiveIndex() const { return m_nActive; }
    CPropertyPage* GetActivePage() const;
    // Leaves the active page (which may refuse) and activates `index`. True when `index`
    // is active afterwards.
    bool SetActivePage(int index);
    // Activates the first page; called once when the dialog starts.
    void Start();
    QTabBar* TabBar() const { return m_pTabs; }

    CDlgMenuStyle* GeneralInfoPage() const;
    CDlgItemNormal* NormalPage() const;
    CDlgItemMouseOver* MouseOverPage() const;
    CDlgItemClick* ClickedPage() const;
    CDlgHint* HintPage() const;
    CDlgAppletParam* AppletParamPage() const;
    CDlgAppletMore* AppletMorePage() const;

    // EditorPageCoupling
    int ActivePage() const override { return m_nActive; }
    void ActivatePage(int index) override { SetActivePage(index); }
    void ReloadPage(int index) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void OnTabChanged(int index);
    // Tab goes through the page's fields row by row, the way they are read.
    static void OrderTabs(QWidget* page);

    std::array<CPropertyPage*, kPageCount> m_pages{};
    QTabBar* m_pTabs;
    QStackedWidget* m_pStack;
    int m_nActive = -1;
    bool m_bSwitching = false;
};

}  // namespace snippo
