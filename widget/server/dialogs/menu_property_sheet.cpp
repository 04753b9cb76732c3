#include "widget/server/dialogs/menu_property_sheet.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QShortcut>
#include <algorithm>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

#include "widget/server/dialogs/dlg_applet_more.h"
#include "widget/server/dialogs/dlg_applet_param.h"
#include "widget/server/dialogs/dlg_hint.h"
#include "widget/server/dialogs/dlg_item_state.h"
#include "widget/server/dialogs/dlg_menu_style.h"

namespace snippo {

namespace {

bool TakesTabFocus(const QWidget* w)
{
    return (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus;
}

// The widgets of `container` that take the focus by Tab, in reading order: row by row from
// the top, left to right within a row; a box of fields is read through before what follows it.
void CollectInReadingOrder(QWidget* container, QList<QWidget*>& out)
{
    QList<QWidget*> items;
    for (QObject* child : container->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (w && !w->isWindow() && !w->isHidden())
            items.append(w);
    }
    // A widget starts a new row when its middle lies below the first widget of the row.
    std::stable_sort(items.begin(), items.end(),
                     [](const QWidget* a, const QWidget* b) { return a->geometry().top() < b->geometry().top(); });
    for (qsizetype first = 0; first < items.size();) {
        qsizetype end = first + 1;
        while (end < items.size() && items[end]->geometry().center().y() <= items[first]->geometry().bottom())
            ++end;
        std::stable_sort(items.begin() + first, items.begin() + end, [](const QWidget* a, const QWidget* b) {
            return a->geometry().left() < b->geometry().left();
        });
        first = end;
    }
    for (QWidget* w : items) {
        if (TakesTabFocus(w))
            out.append(w);
        else
            CollectInReadingOrder(w, out);
    }
}

// Gives the label of each field an Alt shortcut: the first letter of its caption that no
// other label of the page uses yet. The caption's text stays as it is.
void AddMnemonics(QWidget* page)
{
    QList<QChar> used;
    for (QLabel* label : page->findChildren<QLabel*>()) {
        if (!label->buddy() || label->text().contains(u'&'))
            continue;
        const QString text = label->text();
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text[i].toLower();
            if (!c.isLetterOrNumber() || used.contains(c))
                continue;
            used.append(c);
            label->setText(text.left(i) + u'&' + text.mid(i));
            break;
        }
    }
}

}  // namespace

CMenuPropertySheet::CMenuPropertySheet(CDlgButtonProperties* owner, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("CMenuPropertySheet"));
    setWindowTitle(tr("Property Sheet"));

    m_pages = {new CDlgMenuStyle(owner), new CDlgItemNormal(owner), new CDlgItemMouseOver(owner),
               new CDlgItemClick(owner), new CDlgHint(owner),       new CDlgAppletParam(owner),
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
        // Enter in a field ends its editing; it never presses one of the page's buttons.
        for (QPushButton* button : page->findChildren<QPushButton*>()) {
            button->setAutoDefault(false);
            button->setDefault(false);
        }
        AddMnemonics(page);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_pTabs);
    layout->addWidget(m_pStack);

    connect(m_pTabs, &QTabBar::currentChanged, this, &CMenuPropertySheet::OnTabChanged);

    // The page keys of property sheets, from any field of the sheet.
    const std::pair<QKeySequence, int> steps[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), -1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1},
    };
    for (const auto& [keys, step] : steps) {
        auto* shortcut = new QShortcut(keys, this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this,
                [this, step = step] { SetActivePage((m_nActive + step + kPageCount) % kPageCount); });
    }
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
    OrderTabs(target);
    return true;
}

void CMenuPropertySheet::OrderTabs(QWidget* page)
{
    if (page->layout())
        page->layout()->activate();
    QList<QWidget*> order;
    CollectInReadingOrder(page, order);
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
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
