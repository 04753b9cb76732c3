// "Applet Parameters" and "Applet More".
#include <QCheckBox>
#include <QFileDialog>
#include <QPushButton>
#include <QRadioButton>

#include "dialogs_fixture.h"
#include "widget/editor/color_button.h"
#include "widget/editor/style_combos.h"
#include "widget/server/dialogs/dlg_applet_more.h"
#include "widget/server/dialogs/dlg_applet_param.h"
#include "widget/server/dialogs/int_edit.h"
#include "widget/server/dialogs/style_controls.h"

namespace snippo::test {
namespace {

class AppletPageTest : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        m_params->m_strAppletName = "FromFile";
        Open();
    }
};

TEST_F(AppletPageTest, AppletParametersShowsAndWritesTheApplet)
{
    ActivatePage(5);
    auto* page = Sheet()->AppletParamPage();
    EXPECT_EQ(page->m_pWidth->text(), "105");
    EXPECT_EQ(page->m_pHeight->text(), "215");
    EXPECT_EQ(page->m_pThick->text(), "10");
    EXPECT_EQ(page->m_pAlign->currentText(), "Center");
    EXPECT_EQ(page->Styles()->m_pBackStyle->count(), 5);  // no transparent background
    EXPECT_EQ(page->Styles()->m_pBorderStyle->SelectedStyle(), 6);
    EXPECT_EQ(m_params->m_strAppletName, "FromFile");  // loading is not a change

    page->m_pAlign->setCurrentIndex(2);
    EXPECT_EQ(m_params->m_nAlign, 2);
    EXPECT_EQ(m_params->m_strAppletName, "Glim Button");
    Type(page->m_pThick, "4");
    EXPECT_EQ(m_params->m_nBorderThick, 4);
    page->Styles()->m_pBlackWhiteButton->click();
    EXPECT_EQ(m_params->m_crBack, RGB(0, 0, 0));
    EXPECT_EQ(m_params->m_crFade, RGB(255, 255, 255));
    page->Styles()->m_pSwapButton->click();
    EXPECT_EQ(m_params->m_crBack, RGB(255, 255, 255));
    page->Styles()->m_pBackStyle->setCurrentIndex(0);
    EXPECT_EQ(m_params->m_nBackStyle, 1);
}

TEST_F(AppletPageTest, WidthFollowsBetweenPageAndEditorWindow)
{
    ActivatePage(5);
    auto* page = Sheet()->AppletParamPage();
    CPreviewWnd* editor = m_dlg->EditorWindow();
    Type(page->m_pWidth, "300");
    DrainEvents();
    EXPECT_EQ(m_params->m_nWidth, 300);
    EXPECT_EQ(editor->centralWidget()->width(), 300);
    EXPECT_EQ(editor->centralWidget()->height(), 215);
    EXPECT_EQ(page->m_pWidth->text(), "300");

    // The user drags the editor's border: the page shows the new size.
    editor->resize(editor->size() + QSize(-40, 25));
    DrainEvents();
    EXPECT_EQ(m_params->m_nWidth, 260);
    EXPECT_EQ(m_params->m_nHeight, 240);
    EXPECT_EQ(page->m_pWidth->text(), "260");
    EXPECT_EQ(page->m_pHeight->text(), "240");
}

TEST_F(AppletPageTest, ZeroWidthGivesTheBoundsAndKeepsTheSize)
{
    ActivatePage(5);
    auto* page = Sheet()->AppletParamPage();
    m_prompts.Reset();
    Type(page->m_pWidth, "0");
    EndEditing(page->m_pWidth);
    EXPECT_EQ(m_prompts.Texts(), QStringList{"Please enter an integer between 1 and 1200."});
    EXPECT_EQ(m_params->m_nWidth, 105);
    Type(page->m_pHeight, "x");
    EndEditing(page->m_pHeight);
    // The width still fails first, so the height is not even read.
    EXPECT_EQ(m_prompts.LastText(), "Please enter an integer between 1 and 1200.");
    page->m_pHeightSpin->StepBy(1);
    EXPECT_EQ(page->m_pHeight->text(), "216");  // the up-down steps from the last number shown
    page->m_pWidthSpin->StepBy(-5);
    EXPECT_EQ(page->m_pWidth->text(), "1");  // and stops at its bound
    EXPECT_EQ(m_params->m_nWidth, 1);
}

TEST_F(AppletPageTest, ClassWebPathIsNormalisedWhenItsEditingEnds)
{
    ActivatePage(6);
    auto* page = Sheet()->AppletMorePage();
    page->m_pClassWebPath->setText("http:\\\\host\\java");
    EXPECT_EQ(m_params->m_strClassWebPath, "http://host/java/");  // the model is never raw
    QTest::keyClick(page->m_pClassWebPath, Qt::Key_Return);
    EXPECT_EQ(page->m_pClassWebPath->text(), "http://host/java/");
    page->m_pClassWebPath->clear();
    QTest::keyClick(page->m_pClassWebPath, Qt::Key_Return);
    EXPECT_EQ(page->m_pClassWebPath->text(), "");
    EXPECT_EQ(m_params->m_strClassWebPath, "");

    // Typed one key at a time, the field holds what is typed until the editing ends.
    QTest::keyClicks(page->m_pClassWebPath, "ab");
    EXPECT_EQ(page->m_pClassWebPath->text(), "ab");
    QTest::keyClick(page->m_pClassWebPath, Qt::Key_Return);
    EXPECT_EQ(page->m_pClassWebPath->text(), "ab/");
    EXPECT_EQ(m_params->m_strClassWebPath, "ab/");
}

TEST_F(AppletPageTest, TileGreysThePosition)
{
    ActivatePage(6);
    auto* page = Sheet()->AppletMorePage();
    EXPECT_TRUE(page->m_pSpecify->isChecked());
    EXPECT_TRUE(page->m_pX->isEnabled());
    page->m_pTile->click();
    EXPECT_FALSE(page->m_pX->isEnabled());
    EXPECT_FALSE(page->m_pY->isEnabled());
    EXPECT_EQ(m_params->m_nImageMode, 1);
    page->m_pSpecify->click();
    EXPECT_TRUE(page->m_pX->isEnabled());
    EXPECT_TRUE(page->m_pY->isEnabled());
    EXPECT_EQ(m_params->m_nImageMode, 0);

    Type(page->m_pX, "12");
    Type(page->m_pMessage, "Wait");
    page->m_pProgressBar->click();
    EXPECT_EQ(m_params->m_nImageX, 12);
    EXPECT_EQ(m_params->m_strLoadingMessage, "Wait");
    EXPECT_EQ(m_params->m_bProgressBar, 0);
    m_prompts.Reset();
    Type(page->m_pY, "1201");
    EndEditing(page->m_pY);
    EXPECT_EQ(m_prompts.LastText(), "Please enter an integer between 0 and 1200.");
    EXPECT_EQ(m_params->m_nImageY, 0);
}

TEST_F(AppletPageTest, WebRuntimeCheckBoxFollowsTheModel)
{
    m_params->m_bWebRuntime = true;
    ActivatePage(6);
    auto* page = Sheet()->AppletMorePage();
    auto* box = page->findChild<QCheckBox*>("webRuntimeCheck");
    ASSERT_EQ(box, page->m_pWebRuntime);
    EXPECT_EQ(box->text(), "Add the web runtime qlnbtn.js, so that the buttons work in current browsers");
    EXPECT_TRUE(box->isChecked());
    box->click();
    EXPECT_FALSE(m_params->m_bWebRuntime);
    // The page shows the model afresh whenever it becomes active.
    ActivatePage(5);
    m_params->m_bWebRuntime = true;
    ActivatePage(6);
    EXPECT_TRUE(box->isChecked());
}

TEST_F(AppletPageTest, BackgroundImageThroughTheFileDialog)
{
    ActivatePage(6);
    auto* page = Sheet()->AppletMorePage();
    const std::string pic = m_temp.File("bg/back.jpg");
    ModalRunner::SetNextHandler([&](QDialog& d) {
        auto& file = dynamic_cast<QFileDialog&>(d);
        EXPECT_EQ(file.nameFilters(), QStringList{"Image Files(*.GIF,*.JPG.*.JPEG) (*.gif *.jpg *.jpeg)"});
        file.selectFile(QString::fromStdString(pic));
        file.findChild<QLineEdit*>("webPathEdit")->setText("img");
        return int(QDialog::Accepted);
    });
    page->m_pBackImageBrowse->click();
    EXPECT_EQ(m_params->m_strBackImage, pic);
    EXPECT_EQ(m_params->m_strBackImageWeb, "img/");
    EXPECT_EQ(page->m_pBackImage->text().toStdString(), pic);

    ModalRunner::SetNextHandler([](QDialog&) { return int(QDialog::Rejected); });
    page->m_pBackAudioBrowse->click();
    EXPECT_EQ(m_params->m_strBackAudio, "");
    // A path typed by hand keeps the web path it had.
    Type(page->m_pBackImage, "/elsewhere/b.gif");
    EXPECT_EQ(m_params->m_strBackImage, "/elsewhere/b.gif");
    EXPECT_EQ(m_params->m_strBackImageWeb, "img/");
}

}  // namespace
}  // namespace snippo::test
