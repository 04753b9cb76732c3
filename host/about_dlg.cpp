#include "host/about_dlg.h"

#include "host/app.h"
#include "host/icons.h"
#include "host/resource.h"

#include "platform/shell/shell.h"

#include <QApplication>
#include <QBoxLayout>
#include <QMouseEvent>

namespace snippo {

CHyperLink::CHyperLink(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    setAutoFillBackground(false);
    setCursor(Qt::PointingHandCursor);
    Apply();
}

QColor CHyperLink::CurrentColor() const
{
    return m_bOver ? QColor(255, 0, 0) : QColor(0, 0, 255);
}

void CHyperLink::Apply()
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, CurrentColor());
    setPalette(p);
    update();
}

void CHyperLink::enterEvent(QEnterEvent* event)
{
    m_bOver = true;
    Apply();
    QLabel::enterEvent(event);
}

void CHyperLink::leaveEvent(QEvent* event)
{
    m_bOver = false;
    Apply();
    QLabel::leaveEvent(event);
}

void CHyperLink::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint())) {
        QLabel::mouseReleaseEvent(event);
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    CTessalyToolApp* app = CTessalyToolApp::Instance();
    const QString target = Target();
    int result = app != nullptr && app->m_fnShellExecute
                     ? app->m_fnShellExecute("open", target, "", "", SW_SHOWNORMAL)
                     : CTessalyToolApp::CallShell("open", target, "", "", SW_SHOWNORMAL);
    QApplication::restoreOverrideCursor();
    if (result > 32) {
        m_bVisited = true;
        Apply();
    }
}

CAboutDlg::CAboutDlg(QWidget* parent) : CDialog(res::IDD_ABOUTBOX, parent, tr("About Tessaly GlimButton"), 235, 82)
{
    setObjectName("dlgAbout");
    QLabel* icon = AddStatic("", "programIcon");
    FixSize(icon, 24, 24);
    icon->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    icon->setPixmap(icons::Program().pixmap(32, 32));
    QLabel* description =
        AddStatic(tr("Builds menu-button widgets for web pages without writing code, and hands back the HTML "
                     "that embeds them."),
                  "descriptionLabel", 130, 36);
    description->setWordWrap(true);
    description->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    description->setFixedWidth(Units().X(130));
    m_pLink = new CHyperLink("https://quillon.example/glimbutton/", this);
    m_pLink->setObjectName("hyperLink");
    m_pLink->setMinimumSize(Units().X(130), Units().Y(9));

    QVBoxLayout* iconColumn = NewColumn();
    Gap(iconColumn, 3);
    iconColumn->addWidget(icon);
    iconColumn->addStretch();
    QVBoxLayout* texts = NewColumn();
    Gap(texts, 3);
    texts->addWidget(AddStatic(text::Tr(text::kVersionLine), "versionLabel", 130, 8));
    Gap(texts, 4);
    texts->addWidget(description);
    Gap(texts, 6);
    texts->addWidget(m_pLink);
    texts->addStretch();
    QHBoxLayout* dialog = NewRow();
    dialog->addLayout(iconColumn);
    Gap(dialog, 9);
    dialog->addLayout(texts);
    dialog->addStretch();
    dialog->addLayout(AddOkCancel(false));
    SetDialogLayout(dialog, 11, 7, 7, 7);
}

}  // namespace snippo
