#include "widget/server/dialogs/menu_property_sheet.h"

#include <QKeyEvent>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

#include "widget/server/dialogs/dlg_applet_more.h"
#include "widget/server/dialogs/dlg_applet_param.h"
#include "widget/server/dialogs/dlg_hint.h"
#include "widget/server/dialogs/dlg_item_state.h"
#include "widget/server/dialogs/dlg_menu_style.h"

namespace snippo {

CMenuPropertySheet::CMenuPropertySheet(CDlgButtonProperties* owner, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("CMenuPropertySheet"));
    setWindowTitle(QStringLiteral("Property Sheet"));

    m_pages = {new CDlgMenuStyle(owner),     new CDlgItemNormal(owner),  new CDlgItemMouseOver(owner),
               new CDlgItemClick(owner),     new CDlgHint(owner),        new CDlgAppletParam(owner),
               new CDlgAppletMore(owner)};

    m_pTabs = new QTabBar(this);
    m_pTabs->setObjectName(QStringLiteral("sheetTabs"));
    m_pTabs->setExpanding(false);
    // Every tab stays in sight: the sheet is as wide as its row of tabs.
    m_pTabs->setUsesScrollButtons(false);
    m_pTabs->setElideMode(Qt::ElideNone);
    m_pTabs->setDrawBase(true);
    m_pStack = new QStackedWidget(this);
    m_pStack->setObjectName(QStringLiteral("sheetPages"));
    m_pStack->setFrameShape(QFrame::StyledPanel);
    for (CPropertyPage* page : m_pages) {
        m_pTabs->addTab(page->Caption());
        m_pStack->addWidget(page);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_pTabs);
    layout->addWidget(m_pStack);

    connect(m_pTabs, &QTabBar::currentChanged, this, &CMenuPropertySheet::OnTabChanged);
}

CPropertyPage* CMenuPropertySheet::GetPage(int index) const
{
    return index >= 0 && index < kPageCount ? m_pages[index] : nullptr;
}

CPropertyPage* CMenuPropertySheet::GetActivePage() const
{
    return GetPage(m_nActive);
}

void CMenuPropertySheet::Start()
{
    m_nActive = -1;
    SetActivePage(0);
}

bool CMenuPropertySheet::SetActivePage(int index)
{
    CPropertyPage* target = GetPage(index);
    if (!target)
        return false;
    if (index == m_nActive)
        return true;
    if (CPropertyPage* current = GetActivePage(); current && !current->OnKillActive())
        return false;
    m_nActive = index;
    m_bSwitching = true;
    m_pTabs->setCurrentIndex(index);
    m_pStack->setCurrentIndex(index);
    m_bSwitching = false;
    if (!target->IsInitialised())
        target->OnInitDialog();
    target->OnSetActive();
    return true;
}

void CMenuPropertySheet::OnTabChanged(int index)
{
    if (m_bSwitching)
        return;
    if (!SetActivePage(index)) {
        // The page being left refused: the tab goes back to it.
        m_bSwitching = true;
        m_pTabs->setCurrentIndex(m_nActive);
        m_bSwitching = false;
    }
}

void CMenuPropertySheet::ReloadPage(int index)
{
    if (CPropertyPage* page = GetPage(index))
        page->Load();
}

void CMenuPropertySheet::keyPressEvent(QKeyEvent* event)
{
    // Help belongs to the pages; F1 on the sheet itself (its tabs) asks for nothing.
    if (event->key() == Qt::Key_F1) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

CDlgMenuStyle* CMenuPropertySheet::GeneralInfoPage() const
{
    return static_cast<CDlgMenuStyle*>(m_pages[kPageGeneralInfo]);
}
CDlgItemNormal* CMenuPropertySheet::NormalPage() const
{
    return static_cast<CDlgItemNormal*>(m_pages[kPageNormal]);
}
CDlgItemMouseOver* CMenuPropertySheet::MouseOverPage() const
{
    return static_cast<CDlgItemMouseOver*>(m_pages[kPageMouseOver]);
}
CDlgItemClick* CMenuPropertySheet::ClickedPage() const
{
    return static_cast<CDlgItemClick*>(m_pages[kPageClicked]);
}
CDlgHint* CMenuPropertySheet::HintPage() const
{
    return static_cast<CDlgHint*>(m_pages[kPageHint]);
}
CDlgAppletParam* CMenuPropertySheet::AppletParamPage() const
{
    return static_cast<CDlgAppletParam*>(m_pages[kPageAppletParameters]);
}
CDlgAppletMore* CMenuPropertySheet::AppletMorePage() const
{
    return static_cast<CDlgAppletMore*>(m_pages[kPageAppletMore]);
}

}  // namespace snippo
