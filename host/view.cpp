#include "host/view.h"

#include "host/app.h"
#include "host/automation_error.h"
#include "host/dlg_rename.h"
#include "host/doc.h"
#include "host/mainframe.h"
#include "host/preview_folder.h"
#include "host/prompt_service.h"
#include "host/resource.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QSaveFile>
#include <QTreeWidget>

namespace snippo {

namespace {

const QColor kFormBack(230, 230, 250);
const QColor kCaptionText(0, 0, 255);

// The model keeps CR LF line breaks; Qt's edits want bare line feeds.
QString forEdit(const std::string& text)
{
    return QString::fromStdString(text).replace("\r\n", "\n");
}

}  // namespace

CTessalyToolView::CTessalyToolView(QWidget* parent) : CColorFormView(res::IDD_TESSALYTOOL_FORM, 320, 216, parent)
{
    setObjectName("tessalyToolView");
    m_pCaptions[0] = AddLabel(tr("Name:"), "nameCaption", 6, 7, 73, 10);
    m_pName = AddLabel("", "nameLabel", 85, 7, 228, 10);
    m_pCaptions[1] = AddLabel(tr("Description:"), "descriptionCaption", 6, 19, 74, 10);
    m_pDescription = AddLabel("", "descriptionLabel", 85, 19, 228, 10);
    m_pCaptions[2] = AddLabel(tr("Insert these HTML into the position where you want to display widget:"),
                              "bodyCaption", 6, 35, 307, 9);
    m_pBody = new QPlainTextEdit(Form());
    m_pBody->setObjectName("bodyPane");
    m_pBody->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_pBody->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_pBody->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Place(m_pBody, 6, 45, 307, 100);
    m_pCaptions[3] = AddLabel(tr("Insert these HTML into <HEAD></HEAD>:"), "headCaption", 6, 101, 307, 9);
    m_pCaptions[3]->setVisible(false);
    m_pHead = new QPlainTextEdit(Form());
    m_pHead->setObjectName("headPane");
    m_pHead->setLineWrapMode(QPlainTextEdit::NoWrap);
    Place(m_pHead, 6, 111, 307, 35);
    m_pHead->setVisible(false);
    m_pCaptions[4] = AddLabel(tr("You must copy these files into the preview path you setting:"), "resourcesCaption", 6,
                              150, 307, 10);
    m_pResources = new QTreeWidget(Form());
    m_pResources->setObjectName("resourceList");
    m_pResources->setRootIsDecorated(false);
    m_pResources->setUniformRowHeights(true);
    m_pResources->header()->setStretchLastSection(false);
    Place(m_pResources, 6, 161, 307, 48);
    m_pName->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_pDescription->setFrameStyle(QFrame::Panel | QFrame::Sunken);
}

CColorStatic* CTessalyToolView::AddLabel(const QString& text, const QString& name, int x, int y, int w, int h)
{
    auto* label = new CColorStatic(text, Form());
    label->setObjectName(name);
    Place(label, x, y, w, h);
    return label;
}

QWidget* CTessalyToolView::Place(QWidget* control, int x, int y, int w, int h)
{
    control->setGeometry(Units().Rect(x, y, w, h));
    return control;
}

void CTessalyToolView::OnInitialUpdate()
{
    if (m_bFirstUpdate) {
        QFontMetrics metrics(m_pResources->header()->font());
        const QStringList titles{tr("File Name"), tr("Source File Path"), tr("Web Path")};
        const int extra[] = {50, 140, 120};
        m_pResources->setHeaderLabels(titles);
        for (int i = 0; i < 3; ++i) {
            m_pResources->headerItem()->setTextAlignment(i, Qt::AlignLeft | Qt::AlignVCenter);
            m_pResources->setColumnWidth(i, metrics.horizontalAdvance(titles[i]) + extra[i]);
        }
        m_bFirstUpdate = false;
    }

    SetBackgroundColor(kFormBack);
    for (CColorStatic* caption : m_pCaptions) {
        caption->SetBackgroundColor(kFormBack);
        caption->SetTextColor(kCaptionText);
    }
    m_pName->SetBackgroundColor(kFormBack);
    m_pDescription->SetBackgroundColor(kFormBack);

    m_pName->clear();
    m_pDescription->clear();
    m_pBody->clear();
    m_pHead->clear();
    ShowHead(false);
    m_pResources->clear();

    CSnippo* widget = m_pDocument != nullptr ? m_pDocument->GetSnippo() : nullptr;
    if (widget != nullptr) {
        m_pName->setText(QString::fromStdString(widget->GetTitle()));
        m_pDescription->setText(QString::fromStdString(widget->GetDescription()));
        FillHtml(0);
        FillResources();
    }

    if (CTessalyToolApp* app = CTessalyToolApp::Instance())
        if (CMainFrame* frame = app->MainFrame())
            frame->ShrinkToFitView();
}

void CTessalyToolView::FillHtml(int kind)
{
    CSnippo* widget = m_pDocument->GetSnippo();
    std::string body, style, script;
    for (std::int16_t i = 0; i < widget->GetHTMLSegmentNumber(); ++i) {
        std::string position = widget->GetHTMLPosition(i);
        if (position == "cursor")
            body = widget->GetHTMLBody(i, static_cast<std::int16_t>(kind));
        else if (position == "style")
            style = widget->GetHTMLBody(i, static_cast<std::int16_t>(kind));
        else if (position == "script")
            script = widget->GetHTMLBody(i, static_cast<std::int16_t>(kind));
    }
    m_pBody->setPlainText(forEdit(body));
    m_pHead->setPlainText(forEdit(style + "\r\n" + script));
    ShowHead(!style.empty() || !script.empty());
}

void CTessalyToolView::ShowHead(bool show)
{
    // The head pane takes the lower part of the body pane's place when there is something
    // for the page head, so that the user sees and can copy both parts.
    Place(m_pBody, 6, 45, 307, show ? 52 : 100);
    m_pCaptions[3]->setVisible(show);
    m_pHead->setVisible(show);
}

void CTessalyToolView::FillResources()
{
    CSnippo* widget = m_pDocument->GetSnippo();
    for (std::int16_t i = 0; i < widget->GetResourceNumber(); ++i) {
        auto* row = new QTreeWidgetItem(m_pResources);
        row->setText(0, QString::fromStdString(widget->GetResourceName(i)));
        row->setText(1, QString::fromStdString(widget->GetResourceLocalPath(i)));
        row->setText(2, QString::fromStdString(widget->GetResourceWebPath(i)));
    }
}

void CTessalyToolView::OnEditConfigure()
{
    CSnippo* widget = m_pDocument != nullptr ? m_pDocument->GetSnippo() : nullptr;
    if (widget == nullptr)
        return;
    if (!widget->Config())
        return;
    m_pResources->clear();
    FillHtml(0);
    FillResources();
    m_pDocument->SetModifiedFlag(true);
}

void CTessalyToolView::OnEditRename()
{
    CSnippo* widget = m_pDocument != nullptr ? m_pDocument->GetSnippo() : nullptr;
    if (widget == nullptr)
        return;
    CDlgRename dialog(window());
    dialog.m_strName = QString::fromStdString(widget->GetTitle());
    dialog.m_strDescription = QString::fromStdString(widget->GetDescription());
    if (dialog.DoModal() != QDialog::Accepted)
        return;
    widget->SetTitle(dialog.m_strName.toStdString());
    widget->SetDescription(dialog.m_strDescription.toStdString());
    m_pName->setText(dialog.m_strName);
    m_pDescription->setText(dialog.m_strDescription);
    m_pDocument->SetModifiedFlag(true);
}

void CTessalyToolView::OnEditGetLocalHtml()
{
    CSnippo* widget = m_pDocument != nullptr ? m_pDocument->GetSnippo() : nullptr;
    if (widget == nullptr)
        return;
    CDlgGetLocalHtml dialog(window());
    dialog.m_strPreviewPath = QString::fromStdString(widget->GetPreviewPath());
    if (dialog.DoModal() != QDialog::Accepted)
        return;
    widget->SetPreviewPath(dialog.GetPreviewPath().toStdString());
    FillHtml(0);
    m_pDocument->SetModifiedFlag(true);
}

void CTessalyToolView::OnEditGetWebHtml()
{
    if (m_pDocument == nullptr || m_pDocument->GetSnippo() == nullptr)
        return;
    FillHtml(1);
}

std::string CTessalyToolView::PreviewPage(const std::string& style, const std::string& script, const std::string& body)
{
    return "<HTML>\r\n<HEAD>\r\n<TITLE>Preview</TITLE>\r\n" + style + "\r\n" + script + "\r\n</HEAD>\r\n" +
           "<BODY>\r\n" + body + "\r\n</BODY>\r\n" + "</HTML>";
}

void CTessalyToolView::OnEditPreview()
{
    CSnippo* widget = m_pDocument != nullptr ? m_pDocument->GetSnippo() : nullptr;
    CTessalyToolApp* app = CTessalyToolApp::Instance();
    if (widget == nullptr || app == nullptr)
        return;
    CPreviewFolder& previews = app->PreviewFolder();
    const QString folder = previews.Create();
    if (folder.isEmpty()) {
        AskUser(window(), tr("Preview Failure!"));
        return;
    }
    const QString page = folder + "/preview.htm";
    {
        // Whatever this preview adds to the folder is its own, to be removed at exit.
        CPreviewFolder::Writing writing(previews, {"preview.qwd", "preview.htm"});
        widget->WriteConfigFile((folder + "/preview.qwd").toStdString());

        // A browser still showing the last page never reads a half-written one.
        QSaveFile out(page);
        if (!out.open(QIODevice::WriteOnly)) {
            AskUser(window(), tr("Preview Failure!"));
            return;
        }

        // Local HTML with an empty preview path names the support files bare, and they lie
        // beside the page.
        std::string previewPath = widget->GetPreviewPath();
        std::string body, style, script;
        try {
            widget->SetPreviewPath("");
            std::int16_t count = widget->GetHTMLSegmentNumber();
            for (std::int16_t i = 0; i < count; ++i) {
                std::string position = widget->GetHTMLPosition(i);
                if (position == "style")
                    style = widget->GetHTMLBody(i, 0);
                else if (position == "script")
                    script = widget->GetHTMLBody(i, 0);
                else if (position == "cursor")
                    body = widget->GetHTMLBody(i, 0);
            }
        } catch (...) {
            try {
                widget->SetPreviewPath(previewPath);
            } catch (...) {
            }
            throw;
        }
        widget->SetPreviewPath(previewPath);

        const std::string html = PreviewPage(style, script, body);
        out.write(html.data(), static_cast<qint64>(html.size()));
        if (!out.commit()) {
            AskUser(window(), tr("Preview Failure!"));
            return;
        }
    }
    app->LaunchBrowser(page);
}

}  // namespace snippo
