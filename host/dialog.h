// Base of the program's modal dialogs: initialisation before the dialog shows, OK and Cancel
// as overridable steps, controls arranged by layouts measured in dialog units, and F1 for the
// dialog's help topic.
#pragma once

#include <QDialog>
#include <QRect>

class QBoxLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QVBoxLayout;

namespace snippo {

// Dialog units: a quarter of the font's average character width across, an eighth of its
// height down, so that a layout keeps its proportions with any font.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);
    int X(int dlu) const { return (dlu * m_nBaseX + 2) / 4; }
    int Y(int dlu) const { return (dlu * m_nBaseY + 4) / 8; }
    QRect Rect(int x, int y, int width, int height) const { return QRect(X(x), Y(y), X(width), Y(height)); }

private:
    int m_nBaseX;
    int m_nBaseY;
};

class CDialog : public QDialog {
    Q_OBJECT
public:
    // `idTemplate` names the dialog (help context HID_BASE_RESOURCE + idTemplate); the size is
    // in dialog units, and grows when the contents need more room (another font, a longer text).
    CDialog(int idTemplate, QWidget* parent, const QString& title, int widthDlu, int heightDlu);

    // Initialises the dialog, then runs it modally (or hands it to the dialog responder, see
    // prompt_service.h). QDialog::Accepted after OK, QDialog::Rejected otherwise, also when the
    // initialisation ended the dialog at once.
    int DoModal();
    void EndDialog(int result);
    int IDTemplate() const { return m_nIDTemplate; }

    // The buttons wired to OnOK / OnCancel; null when the dialog has none.
    QPushButton* OkButton() const { return m_pOk; }
    QPushButton* CancelButton() const { return m_pCancel; }

    void reject() override;  // Escape and the window's close box

protected:
    virtual bool OnInitDialog() { return true; }
    virtual void OnOK() { EndDialog(QDialog::Accepted); }
    virtual void OnCancel() { EndDialog(QDialog::Rejected); }

    const DialogUnits& Units() const { return m_units; }

    // Controls are made without a place; the dialog's layout arranges them. Edits, lists and
    // buttons keep the size given in dialog units; labels take at least theirs and grow with
    // their text.
    QLabel* AddStatic(const QString& text, const QString& name, int w = 0, int h = 0);
    QLineEdit* AddEdit(const QString& name, int w, int h);
    QPushButton* AddButton(const QString& text, const QString& name, int w, int h);
    void FixSize(QWidget* control, int w, int h) const;
    // The Name and Description rows that name a widget or a template: captions `labelWidth`
    // wide, `labelGap` between caption and edit, `rowGap` between the rows; the edits are
    // "nameEdit" and "descriptionEdit", in this tab order. The caller may add to the column.
    struct NameFields {
        QLineEdit* m_pName;
        QLineEdit* m_pDescription;
        QVBoxLayout* m_pColumn;
    };
    NameFields AddNameFields(int labelWidth, int labelGap, int rowGap);
    // A list of templates, "templateList", with one selected row at most.
    QListWidget* AddTemplateList(int w, int h);
    // OK (default button) and, unless `withCancel` is false, Cancel: stacked in a column
    // with room below, or side by side in a row.
    QBoxLayout* AddOkCancel(bool withCancel = true, bool stacked = true);
    // A row of `fields` on the left and OK and Cancel stacked on the right.
    QHBoxLayout* BesideOkCancel(QLayout* fields);

    // Boxes without spacing of their own: gaps are given in dialog units.
    static QHBoxLayout* NewRow();
    static QVBoxLayout* NewColumn();
    void Gap(QBoxLayout* box, int dlu) const;
    // Installs `layout` with margins in dialog units and fixes the dialog's size.
    void SetDialogLayout(QBoxLayout* layout, int left = 7, int top = 7, int right = 7, int bottom = 7);
    // Puts text into a one-line edit showing its beginning.
    static void SetEditText(QLineEdit* edit, const QString& text);

    void keyPressEvent(QKeyEvent* event) override;

private:
    int m_nIDTemplate;
    DialogUnits m_units;
    QSize m_size;
    QPushButton* m_pOk = nullptr;
    QPushButton* m_pCancel = nullptr;
    bool m_bInitialising = false;
    bool m_bEndedInInit = false;
    int m_nResult = QDialog::Rejected;
};

}  // namespace snippo
