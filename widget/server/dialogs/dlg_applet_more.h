// "Applet More": the applet's background image (placed or tiled) and sound, the web folder
// of the applet class file, and what the applet shows while it loads.
#pragma once

#include "widget/server/dialogs/property_page.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace snippo {

class CUpDown;

class CDlgAppletMore : public CPropertyPage {
    Q_OBJECT

public:
    explicit CDlgAppletMore(CDlgButtonProperties* owner);

    void OnInitDialog() override;
    void OnBrowseImage();
    void OnBrowseAudio();

    QLineEdit* m_pBackImage;
    QPushButton* m_pBackImageBrowse;
    QLineEdit* m_pBackAudio;
    QPushButton* m_pBackAudioBrowse;
    QLineEdit* m_pClassWebPath;
    QRadioButton* m_pSpecify;
    QRadioButton* m_pTile;
    QLineEdit* m_pX;
    QLineEdit* m_pY;
    CUpDown* m_pXSpin;
    CUpDown* m_pYSpin;
    QLineEdit* m_pMessage;
    QCheckBox* m_pProgressBar;
    QCheckBox* m_pWebRuntime;

protected:
    void LoadPage() override;
    bool ApplyPage() override;

private:
    bool ReadControls();
    void ShowValues();
    void EnablePosition();
    void OnClassWebPathChanged();

    QString m_strBackImage;
    QString m_strBackImageWeb;
    QString m_strBackAudio;
    QString m_strBackAudioWeb;
    QString m_strClassWebPath;
    std::int32_t m_nImageMode = 0;
    std::int32_t m_nImageX = 0;
    std::int32_t m_nImageY = 0;
    std::int32_t m_bProgressBar = 0;
    QString m_strLoadingMessage;
    bool m_bWebRuntime = false;
};

}  // namespace snippo
