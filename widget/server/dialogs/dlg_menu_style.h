// "General Info": placement and border thickness of the selected button, its label,
// description, link and target frame, and through "Image..." and "Audio..." its pictures and
// sounds.
#pragma once

#include "widget/server/dialogs/placement_page.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace snippo {

class CDlgResourceFiles;

class CDlgMenuStyle : public CPlacementPage {
    Q_OBJECT

public:
    explicit CDlgMenuStyle(CDlgButtonProperties* owner);

    void OnInitDialog() override;
    void OnImage();
    void OnAudio();

    QPlainTextEdit* m_pLabel;
    QLineEdit* m_pDescription;
    QLineEdit* m_pLink;
    QComboBox* m_pTarget;
    QPushButton* m_pImageButton;
    QPushButton* m_pAudioButton;

protected:
    void LoadPage() override;
    bool ApplyPage() override;

private:
    // Runs the image or sound dialog on the button's resources first.. and writes the result
    // to this button or to every button, as the dialog says.
    void EditResources(CDlgResourceFiles& dlg, int first);
    bool ReadControls();
    void ShowValues();

    QString m_strLabel;
    QString m_strDescription;
    QString m_strLink;
    QString m_strTarget;
};

}  // namespace snippo
