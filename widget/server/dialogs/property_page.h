// The base of the seven pages of the "Button Properties" sheet. A page has no OK or Apply
// button: every change of one of its controls is validated and written into the model at
// once (Apply), and the page reloads its controls from the model when it becomes active.
//
// A page is set up (OnInitDialog) the first time it becomes active; until then it neither
// loads nor applies. While it loads, the change notifications of its own controls are not
// applied, so that a half-loaded page never writes into the model.
#pragma once

#include <QString>
#include <QWidget>
#include <QHash>
#include <QPointer>
#include <functional>
#include <string>
#include <vector>

class QAbstractButton;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace snippo {

class CAppletParameters;
class CDlgButtonProperties;
class CDrawObj;
class CDrawView;

class CPropertyPage : public QWidget {
    Q_OBJECT

public:
    CPropertyPage(CDlgButtonProperties* owner, int index, const QString& caption, int templateId);

    int Index() const { return m_nIndex; }
    const QString& Caption() const { return m_strCaption; }
    unsigned HelpContext() const;
    bool IsInitialised() const { return m_bInitialised; }
    CDlgButtonProperties* Owner() const { return m_pOwner; }

    // Called by the sheet.
    virtual void OnInitDialog();
    // Stores the page as the last shown of its kind, has the editor repaint, loads.
    virtual void OnSetActive();
    // Ends the editing of every field (as when it loses the focus); false keeps the page
    // active.
    virtual bool OnKillActive();

    // Copy the model into the controls; nothing before initialisation.
    void Load();
    // Write the controls into the model, leaving out, without a word, a number that is not
    // complete or valid (it is reported when its editing ends or the page is left); false
    // when one was left out. Nothing (and true) before initialisation or while loading.
    bool Apply();

protected:
    virtual void LoadPage() = 0;
    virtual bool ApplyPage() = 0;

    CAppletParameters* Params() const;
    // Asked of the dialog each time: the editor window may be gone.
    CDrawView* View() const;
    // The one selected button, or null with none or several selected.
    CDrawObj* SelectedObject() const;
    void RefreshEditor() const;
    bool IsLoading() const { return m_bLoading; }
    // Runs `show` (which sets controls) without the change notifications applying the page.
    void WithoutApply(const std::function<void()>& show);

    // Change notifications that apply the page. A number field is also checked aloud when
    // its editing ends.
    void ApplyOn(QLineEdit* edit);
    void ApplyOn(QComboBox* combo);
    void ApplyOn(QPlainTextEdit* edit);
    void ApplyOn(QAbstractButton* button);

    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Checks the fields aloud: a number only begun goes back to what the field held when
    // its editing began; a bad one is reported, and the model keeps its value from then.
    bool FinishEditing();

    CDlgButtonProperties* m_pOwner;
    int m_nIndex;
    QString m_strCaption;
    int m_nTemplate;
    bool m_bInitialised = false;
    bool m_bLoading = false;
    bool m_bFinishing = false;
    std::vector<QPointer<QLineEdit>> m_numberEdits;
    QHash<QLineEdit*, QString> m_editStart;  // text of a field when it took the focus
};

// Text of a multi-line edit in the model's form (CR LF line ends) and back.
QString ModelToEditText(const std::string& text);
std::string EditToModelText(const QString& text);

// A label for `buddy`, named after it.
QLabel* MakeLabel(const QString& text, QWidget* buddy, QWidget* parent);

}  // namespace snippo
