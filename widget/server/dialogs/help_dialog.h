// The base of the widget library's dialogs that have a help topic: F1, and the Help button of
// the OK / Cancel / Help column when the dialog has one, ask for the topic of its template.
#pragma once

#include <QDialog>

class QDialogButtonBox;

namespace snippo {

class CHelpDialog : public QDialog {
    Q_OBJECT

public:
    CHelpDialog(QWidget* parent, int templateId, Qt::WindowFlags flags = {});

protected:
    // OK, Cancel and Help one above the other, for the right side of the dialog; OK accepts
    // and Cancel rejects it.
    QDialogButtonBox* MakeButtonColumn();
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ShowHelp() const;

    int m_nTemplate;
};

}  // namespace snippo
