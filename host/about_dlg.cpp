#include "host/about_dlg.h"

#include "host/app.h"
#include "host/icons.h"
#include "host/resource.h"

#include "platform/shell/shell.h"

#include <QApplication>
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
    std::string target = Target().toStdString();
    int result = app != nullptr && app->m_fnShellExecute ? app->m_fnShellExecute("open", target, "", "", SW_SHOWNORMAL)
                                                         : ShellExecute("open", target, "", "", SW_SHOWNORMAL);
    QApplication::restoreOverrideCursor();
    if (result > 32) {
        m_bVisited = true;
        Apply();
    }
}

CAboutDlg::CAboutDlg(QWidget* parent) : CDialog(res::IDD_ABOUTBOX, parent, "About Tessaly GlimButton", 235, 82)
{
    setObjectName("dlgAbout");
    QLabel* icon = AddStatic("", 11, 10, 24, 24, "programIcon");
    icon->setPixmap(icons::Program().pixmap(32, 32));
    AddStatic(text::kVersionLine, 44, 10, 130, 8, "versionLabel");
    QLabel* description =
        AddStatic("Builds menu-button widgets for web pages without writing code, and hands back the HTML "
                  "that embeds them.",
                  44, 22, 130, 36, "descriptionLabel");
    description->setWordWrap(true);
    description->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_pLink = new CHyperLink("https://quillon.example/glimbutton/", this);
    m_pLink->setObjectName("hyperLink");
    Place(m_pLink, 44, 64, 130, 9);
    AddOkCancel(178, 7, false);
}

}  // namespace snippo
