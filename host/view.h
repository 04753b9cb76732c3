// CTessalyToolView: the program's one view, a form with the widget's name and description,
// the HTML to paste into a page, and the support files that the HTML needs. It carries the
// Edit commands: Configure, Rename, Get Local HTML, Get Web HTML and Preview.
#pragma once

#include "host/color_form_view.h"

class QPlainTextEdit;
class QSpacerItem;
class QTreeWidget;

namespace snippo {

class CTessalyToolDoc;

class CTessalyToolView : public CColorFormView {
    Q_OBJECT
public:
    explicit CTessalyToolView(QWidget* parent = nullptr);

    void SetDocument(CTessalyToolDoc* document) { m_pDocument = document; }
    CTessalyToolDoc* GetDocument() const { return m_pDocument; }

    // After every New and successful Open: columns (once), colours, then the widget's texts,
    // local HTML and support files; finally the frame shrinks to fit the form.
    void OnInitialUpdate() override;

    void OnEditConfigure();
    void OnEditRename();
    void OnEditGetLocalHtml();
    void OnEditGetWebHtml();
    void OnEditPreview();

    // kind 0: local HTML, 1: web HTML.
    void FillHtml(int kind);
    void ShowHead(bool show);
    void FillResources();

    // The preview page around the widget's HTML, exactly as written to "preview.htm".
    static QString PreviewPage(const QString& style, const QString& script, const QString& body);

    CColorStatic* m_pName;
    CColorStatic* m_pDescription;
    QPlainTextEdit* m_pBody;
    QPlainTextEdit* m_pHead;
    QTreeWidget* m_pResources;
    CColorStatic* m_pCaptions[5];  // 1015, 1016, 1005, 1006, 1007

private:
    CColorStatic* AddCaption(const QString& text, const QString& name, int w, int h);
    CColorStatic* AddField(const QString& name);

    // The gaps of the form's layout that change when the head pane shows or hides.
    QSpacerItem* m_pGapAboveHead;
    QSpacerItem* m_pGapInHead;
    QSpacerItem* m_pGapBelowHead;

    CTessalyToolDoc* m_pDocument = nullptr;
    bool m_bFirstUpdate = true;
};

}  // namespace snippo
