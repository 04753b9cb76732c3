#include "host/view.h"

#include "host/app.h"
#include "host/automation_error.h"
#include "host/dlg_rename.h"
#include "host/doc.h"
#include "host/mainframe.h"
#include "host/preview_folder.h"
#include "host/prompt_service.h"
#include "host/resource.h"

#include <QBoxLayout>
#include <QFontMetrics>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QSaveFile>
#include <QTreeWidget>

#include <algorithm>

namespace snippo {

namespace {

const QColor kFormBack(230, 230, 250);
const QColor kCaptionText(0, 0, 255);

// The form from top to bottom in dialog units: where each band starts and how tall it is.
// The gaps between the bands follow from these, so the layout puts every control where the
// form was drawn.
constexpr int kNameTop = 7, kDescriptionTop = 19, kFieldHeight = 10;
constexpr int kFieldLeft = 85, kFieldWidth = 228, kNameCaptionWidth = 73, kDescriptionCaptionWidth = 74;
constexpr int kBodyCaptionTop = 35, kCaptionHeight = 9;
constexpr int kBodyTop = 45, kBodyTall = 100, kBodyShort = 52;
constexpr int kHeadCaptionTop = 101, kHeadTop = 111, kHeadHeight = 35;
constexpr int kResourcesCaptionTop = 150, kResourcesCaptionHeight = 10, kResourcesTop = 161, kResourcesHeight = 48;
constexpr int kLeft = 6, kPaneWidth = 307, kFormWidth = 320, kFormHeight = 216;

// The model keeps CR LF line breaks; Qt's edits want bare line feeds.
QString forEdit(const QString& text)
{
    return QString(text).replace("\r\n", "\n");
}

QSpacerItem* newGap()
{
    return new QSpacerItem(0, 0, QSizePolicy::Minimum, QSizePolicy::Fixed);
}

// Boxes without spacing of their own: every gap is given.
template <typename Box> Box* newBox()
{
    auto* box = new Box;
    box->setSpacing(0);
    box->setContentsMargins(0, 0, 0, 0);
    return box;
}

}  // namespace

CTessalyToolView::CTessalyToolView(QWidget* parent)
    : CColorFormView(res::IDD_TESSALYTOOL_FORM, kFormWidth, kFormHeight, parent)
{
    setObjectName("tessalyToolView");
    m_pCaptions[0] = AddCaption(tr("Name:"), "nameCaption", kNameCaptionWidth, kFieldHeight);
    m_pName = AddField("nameLabel");
    m_pCaptions[1] = AddCaption(tr("Description:"), "descriptionCaption", kDescriptionCaptionWidth, kFieldHeight);
    m_pDescription = AddField("descriptionLabel");
    m_pCaptions[2] = AddCaption(tr("Insert these HTML into the position where you want to display widget:"),
                                "bodyCaption", kPaneWidth, kCaptionHeight);
    m_pBody = new QPlainTextEdit(Form());
    m_pBody->setObjectName("bodyPane");
    m_pBody->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_pBody->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_pBody->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_pCaptions[3] = AddCaption(tr("Insert these HTML into <HEAD></HEAD>:"), "headCaption", kPaneWidth, kCaptionHeight);
    m_pHead = new QPlainTextEdit(Form());
    m_pHead->setObjectName("headPane");
    m_pHead->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_pCaptions[4] = AddCaption(tr("You must copy these files into the preview path you setting:"), "resourcesCaption",
                                kPaneWidth, kResourcesCaptionHeight);
    m_pResources = new QTreeWidget(Form());
    m_pResources->setObjectName("resourceList");
    m_pResources->setRootIsDecorated(false);
    m_pResources->setUniformRowHeights(true);
    m_pResources->header()->setStretchLastSection(false);
    const DialogUnits& u = Units();
    m_pBody->setFixedSize(u.X(kPaneWidth), u.Y(kBodyTall));
    m_pHead->setFixedSize(u.X(kPaneWidth), u.Y(kHeadHeight));
    m_pResources->setFixedSize(u.X(kPaneWidth), u.Y(kResourcesHeight));

    auto fieldRow = [&](CColorStatic* caption, int captionWidth, CColorStatic* field) {
        auto* row = newBox<QHBoxLayout>();
        row->addWidget(caption);
        row->addSpacing(u.X(kFieldLeft) - u.X(kLeft) - u.X(captionWidth));
        row->addWidget(field);
        row->addStretch();
        return row;
    };
    // Vertical gaps in pixels between a band that starts at `top` and is `height` tall and the
    // next band.
    auto gap = [&](int top, int height, int nextTop) { return u.Y(nextTop) - u.Y(top) - u.Y(height); };

    auto* form = newBox<QVBoxLayout>();
    form->addLayout(fieldRow(m_pCaptions[0], kNameCaptionWidth, m_pName));
    form->addSpacing(gap(kNameTop, kFieldHeight, kDescriptionTop));
    form->addLayout(fieldRow(m_pCaptions[1], kDescriptionCaptionWidth, m_pDescription));
    form->addSpacing(gap(kDescriptionTop, kFieldHeight, kBodyCaptionTop));
    form->addWidget(m_pCaptions[2], 0, Qt::AlignLeft);
    form->addSpacing(gap(kBodyCaptionTop, kCaptionHeight, kBodyTop));
    form->addWidget(m_pBody);
    // The gaps around the head pane change with it: see ShowHead.
    m_pGapAboveHead = newGap();
    form->addSpacerItem(m_pGapAboveHead);
    form->addWidget(m_pCaptions[3], 0, Qt::AlignLeft);
    m_pGapInHead = newGap();
    form->addSpacerItem(m_pGapInHead);
    form->addWidget(m_pHead);
    m_pGapBelowHead = newGap();
    form->addSpacerItem(m_pGapBelowHead);
    form->addWidget(m_pCaptions[4], 0, Qt::AlignLeft);
    form->addSpacing(gap(kResourcesCaptionTop, kResourcesCaptionHeight, kResourcesTop));
    form->addWidget(m_pResources);
    form->addStretch();
    form->setContentsMargins(u.X(kLeft), u.Y(kNameTop), u.X(kFormWidth) - u.X(kLeft) - u.X(kPaneWidth),
                             gap(kResourcesTop, kResourcesHeight, kFormHeight));
    ShowHead(false);
    SetFormLayout(form);
}

CColorStatic* CTessalyToolView::AddCaption(const QString& text, const QString& name, int w, int h)
{
    // A caption takes at least its place on the form and grows with a longer text or font.
    auto* label = new CColorStatic(text, Form());
    label->setObjectName(name);
    label->setMinimumSize(Units().X(w), Units().Y(h));
    return label;
}

CColorStatic* CTessalyToolView::AddField(const QString& name)
{
    // A field keeps its box whatever name it shows; the box holds one line of its font.
    auto* label = new CColorStatic("", Form());
    label->setObjectName(name);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    const int line = QFontMetrics(label->font()).height() + 2 * label->frameWidth();
    label->setFixedSize(Units().X(kFieldWidth), std::max(Units().Y(kFieldHeight), line));
    return label;
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
        m_pName->setText(widget->GetTitle());
        m_pDescription->setText(widget->GetDescription());
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
    QString body, style, script;
    for (std::int16_t i = 0; i < widget->GetHTMLSegmentNumber(); ++i) {
        const QString position = widget->GetHTMLPosition(i);
        if (position == "cursor")
            body = widget->GetHTMLBody(i, static_cast<std::int16_t>(kind));
        else if (position == "style")
            style = widget->GetHTMLBody(i, static_cast<std::int16_t>(kind));
        else if (position == "script")
            script = widget->GetHTMLBody(i, static_cast<std::int16_t>(kind));
    }
    m_pBody->setPlainText(forEdit(body));
    m_pHead->setPlainText(forEdit(style + "\r\n" + script));
    ShowHead(!style.isEmpty() || !script.isEmpty());
}

void CTessalyToolView::ShowHead(bool show)
{
    // The head pane takes the lower part of the body pane's place when there is something
    // for the page head, so that the user sees and can copy both parts.
    const DialogUnits& u = Units();
    auto gap = [&](int top, int height, int nextTop) { return u.Y(nextTop) - u.Y(top) - u.Y(height); };
    m_pBody->setFixedHeight(u.Y(show ? kBodyShort : kBodyTall));
    m_pGapAboveHead->changeSize(0, show ? gap(kBodyTop, kBodyShort, kHeadCaptionTop) : 0, QSizePolicy::Minimum,
                                QSizePolicy::Fixed);
    m_pGapInHead->changeSize(0, show ? gap(kHeadCaptionTop, kCaptionHeight, kHeadTop) : 0, QSizePolicy::Minimum,
                             QSizePolicy::Fixed);
    m_pGapBelowHead->changeSize(
        0, show ? gap(kHeadTop, kHeadHeight, kResourcesCaptionTop) : gap(kBodyTop, kBodyTall, kResourcesCaptionTop),
        QSizePolicy::Minimum, QSizePolicy::Fixed);
    m_pCaptions[3]->setVisible(show);
    m_pHead->setVisible(show);
    // The controls move at once, not when the event loop next runs.
    if (QLayout* form = Form()->layout()) {
        form->invalidate();
        form->activate();
    }
}

void CTessalyToolView::FillResources()
{
    CSnippo* widget = m_pDocument->GetSnippo();
    for (std::int16_t i = 0; i < widget->GetResourceNumber(); ++i) {
        auto* row = new QTreeWidgetItem(m_pResources);
        row->setText(0, widget->GetResourceName(i));
        row->setText(1, widget->GetResourceLocalPath(i));
        row->setText(2, widget->GetResourceWebPath(i));
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
    dialog.m_strName = widget->GetTitle();
    dialog.m_strDescription = widget->GetDescription();
    if (dialog.DoModal() != QDialog::Accepted)
        return;
    widget->SetTitle(dialog.m_strName);
    widget->SetDescription(dialog.m_strDescription);
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
    dialog.m_strPreviewPath = widget->GetPreviewPath();
    if (dialog.DoModal() != QDialog::Accepted)
        return;
    widget->SetPreviewPath(dialog.GetPreviewPath());
    FillHtml(0);
    m_pDocument->SetModifiedFlag(true);
}

void CTessalyToolView::OnEditGetWebHtml()
{
    if (m_pDocument == nullptr || m_pDocument->GetSnippo() == nullptr)
        return;
    FillHtml(1);
}

QString CTessalyToolView::PreviewPage(const QString& style, const QString& script, const QString& body)
{
    return QString("<HTML>\r\n<HEAD>\r\n<TITLE>Preview</TITLE>\r\n") + style + "\r\n" + script + "\r\n</HEAD>\r\n" +
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
        widget->WriteConfigFile(folder + "/preview.qwd");

        // A browser still showing the last page never reads a half-written one.
        QSaveFile out(page);
        if (!out.open(QIODevice::WriteOnly)) {
            AskUser(window(), tr("Preview Failure!"));
            return;
        }

        // Local HTML with an empty preview path names the support files bare, and they lie
        // beside the page.
        const QString previewPath = widget->GetPreviewPath();
        QString body, style, script;
        try {
            widget->SetPreviewPath("");
            std::int16_t count = widget->GetHTMLSegmentNumber();
            for (std::int16_t i = 0; i < count; ++i) {
                const QString position = widget->GetHTMLPosition(i);
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

        out.write(PreviewPage(style, script, body).toUtf8());
        if (!out.commit()) {
            AskUser(window(), tr("Preview Failure!"));
            return;
        }
    }
    app->LaunchBrowser(page);
}

}  // namespace snippo
