// The button pages: "General Info", the three state pages and "Hint ".
#include <QComboBox>
#include <QFileDialog>
#include <QPushButton>
#include <QRadioButton>

#include "dialogs_fixture.h"
#include "widget/editor/color_button.h"
#include "widget/editor/draw_obj_paint.h"
#include "widget/editor/paint.h"
#include "widget/editor/style_combos.h"
#include "widget/server/dialogs/dlg_font.h"
#include "widget/server/dialogs/dlg_hint.h"
#include "widget/server/dialogs/dlg_image.h"
#include "widget/server/dialogs/dlg_item_state.h"
#include "widget/server/dialogs/dlg_menu_style.h"
#include "widget/server/dialogs/int_edit.h"
#include "widget/server/dialogs/style_controls.h"

namespace snippo::test {
namespace {

class ButtonPageTest : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        m_a = AddButton({10, 10, 60, 30});
        m_b = AddButton({10, 50, 60, 70});
        Open();
        ClickView({20, 20});  // selects A
        ASSERT_EQ(m_params->m_listSelection, std::vector<CDrawObj*>{m_a});
    }
    CGlimMenuItem* Item(CDrawObj* obj) { return obj->m_pMenu->m_items.front().get(); }
    CGlimMenu* Hint(CDrawObj* obj) { return Item(obj)->SubMenu(); }

    CDrawObj* m_a = nullptr;
    CDrawObj* m_b = nullptr;
};

TEST_F(ButtonPageTest, GeneralInfoShowsAndWritesTheSelectedButton)
{
    auto* page = Sheet()->GeneralInfoPage();
    EXPECT_EQ(page->m_pX->text(), "10");
    EXPECT_EQ(page->m_pY->text(), "10");
    EXPECT_EQ(page->m_pWidth->text(), "50");
    EXPECT_EQ(page->m_pHeight->text(), "20");
    EXPECT_EQ(page->m_pThick->text(), "6");
    EXPECT_EQ(page->m_pLabel->toPlainText(), "Button");

    Type(page->m_pX, "15");
    Type(page->m_pWidth, "70");
    page->m_pLabel->setPlainText("A,B\nC");
    page->m_pTarget->setCurrentIndex(page->m_pTarget->findText("_top"));
    Type(page->m_pLink, "http://example.org/");
    EXPECT_EQ(m_a->m_position, (CRect{15, 10, 85, 30}));
    EXPECT_EQ(m_a->m_pMenu->m_nX, 15);
    EXPECT_EQ(m_a->m_pMenu->m_nWidth, 70);
    EXPECT_EQ(Item(m_a)->m_strLabel, "A,B\r\nC");
    EXPECT_EQ(Item(m_a)->m_strTarget, "_top");
    EXPECT_EQ(Item(m_a)->m_strLink, "http://example.org/");
    page->m_pTarget->setEditText("myframe");
    EXPECT_EQ(Item(m_a)->m_strTarget, "myframe");
    EXPECT_TRUE(m_prompts.Texts().isEmpty());
    EXPECT_EQ(m_b->m_position, (CRect{10, 50, 60, 70}));

    // Selecting the other button shows its values; going back shows what was typed.
    ClickView({20, 60});
    EXPECT_EQ(page->m_pY->text(), "50");
    EXPECT_EQ(page->m_pLabel->toPlainText(), "Button");
    EXPECT_EQ(page->m_pTarget->currentText(), "");
    ClickView({20, 20});
    EXPECT_EQ(page->m_pLabel->toPlainText(), "A,B\nC");
    EXPECT_EQ(page->m_pTarget->currentText(), "myframe");
    EXPECT_EQ(Item(m_b)->m_strLabel, "Button");
}

TEST_F(ButtonPageTest, WidthZeroOnGeneralInfoKeepsTheSizeButNotTheTexts)
{
    auto* page = Sheet()->GeneralInfoPage();
    page->m_pLabel->setPlainText("first");
    Type(page->m_pWidth, "0");
    Type(page->m_pX, "30");
    page->m_pLabel->setPlainText("second");
    Type(page->m_pThick, "3");
    EXPECT_EQ(m_a->m_position, (CRect{10, 10, 60, 30}));
    EXPECT_EQ(m_a->m_pMenu->m_nX, 10);
    EXPECT_EQ(m_a->m_pMenu->m_nWidth, 50);
    EXPECT_EQ(m_a->m_pMenu->m_nBorderThick, 3);
    EXPECT_EQ(Item(m_a)->m_strLabel, "second");
    EXPECT_TRUE(m_prompts.Texts().isEmpty());
}

TEST_F(ButtonPageTest, TwoSelectedButtonsIgnoreTyping)
{
    ClickView({20, 60}, Qt::ShiftModifier);
    ASSERT_EQ(m_params->m_listSelection.size(), 2u);
    auto* page = Sheet()->GeneralInfoPage();
    page->m_pLabel->setPlainText("typed");
    Type(page->m_pX, "99");
    EXPECT_EQ(Item(m_a)->m_strLabel, "Button");
    EXPECT_EQ(Item(m_b)->m_strLabel, "Button");
    EXPECT_EQ(m_a->m_position.left, 10);
    EXPECT_EQ(m_b->m_position.left, 10);
}

TEST_F(ButtonPageTest, BlackWhiteThenSwap)
{
    ActivatePage(1);
    auto* page = Sheet()->NormalPage();
    CStyleControls* styles = page->Styles();
    EXPECT_EQ(styles->m_pBackButton->Colour(), RGB(0x80, 0x40, 0x40));
    styles->m_pBlackWhiteButton->click();
    const GlimStateStyle& g = m_a->m_pMenu->m_styleNormal;
    EXPECT_EQ(g.crBack, RGB(0, 0, 0));
    EXPECT_EQ(g.crFade, RGB(255, 255, 255));
    EXPECT_EQ(styles->m_pBackStyle->BackColour(), RGB(0, 0, 0));
    styles->m_pSwapButton->click();
    EXPECT_EQ(g.crBack, RGB(255, 255, 255));
    EXPECT_EQ(g.crFade, RGB(0, 0, 0));
    EXPECT_EQ(styles->m_pBackButton->Colour(), RGB(255, 255, 255));
    EXPECT_EQ(styles->m_pFadeButton->Colour(), RGB(0, 0, 0));
    EXPECT_EQ(styles->m_pBackStyle->FadeColour(), RGB(0, 0, 0));
    EXPECT_EQ(m_a->m_pMenu->m_styleOver.crBack, RGB(0x80, 0x40, 0x40));  // another group
}

TEST_F(ButtonPageTest, ColourDialogAnswersAndStyleLists)
{
    ActivatePage(2);
    auto* page = Sheet()->MouseOverPage();
    CStyleControls* styles = page->Styles();
    GlimStateStyle& g = m_a->m_pMenu->m_styleOver;

    ColourChooser::SetNextAnswer(std::nullopt);  // Cancel
    styles->m_pBorderButton->click();
    EXPECT_EQ(ColourChooser::LastInitial(), RGB(0x8C, 0x6F, 0x42));
    EXPECT_EQ(g.crBorder, RGB(0x8C, 0x6F, 0x42));
    ColourChooser::SetNextAnswer(RGB(1, 2, 3));
    styles->m_pBorderButton->click();
    EXPECT_EQ(g.crBorder, RGB(1, 2, 3));
    EXPECT_EQ(styles->m_pBorderStyle->Colour(), RGB(1, 2, 3));
    ColourChooser::SetNextAnswer(RGB(9, 8, 7));
    styles->m_pFadeButton->click();
    EXPECT_EQ(g.crFade, RGB(9, 8, 7));
    EXPECT_EQ(styles->m_pBackStyle->FadeColour(), RGB(9, 8, 7));

    EXPECT_EQ(styles->m_pBackStyle->SelectedStyle(), 2);  // the over default
    styles->m_pBackStyle->setCurrentIndex(4);
    EXPECT_EQ(g.nBackStyle, 4);
    styles->m_pBorderStyle->setCurrentIndex(6);
    EXPECT_EQ(g.nBorderStyle, 6);
}

TEST_F(ButtonPageTest, ApplyToAllStatusKeepsTheReservedFields)
{
    GlimStateStyle& over = m_a->m_pMenu->m_styleOver;
    GlimStateStyle& click = m_a->m_pMenu->m_styleClick;
    over.nReserved1 = 7;
    over.strReserved = "over";
    click.nReserved2 = 9;
    ActivatePage(1);
    auto* page = Sheet()->NormalPage();
    page->Styles()->m_pBlackWhiteButton->click();
    page->m_pTextAlign->setCurrentIndex(2);
    Type(page->m_pImageOffset, "-7");
    m_a->m_pMenu->m_styleNormal.nFontSize = 22;
    page->m_pApplyAllButton->click();

    const GlimStateStyle& normal = m_a->m_pMenu->m_styleNormal;
    for (const GlimStateStyle* g : {&over, &click}) {
        EXPECT_EQ(g->crBack, normal.crBack);
        EXPECT_EQ(g->crFade, normal.crFade);
        EXPECT_EQ(g->crFont, normal.crFont);
        EXPECT_EQ(g->nBackStyle, normal.nBackStyle);
        EXPECT_EQ(g->nBorderStyle, normal.nBorderStyle);
        EXPECT_EQ(g->nTextAlign, 2);
        EXPECT_EQ(g->nImageOffset, -7);
        EXPECT_EQ(g->nFontSize, 22);
    }
    EXPECT_EQ(over.nReserved1, 7);
    EXPECT_EQ(over.strReserved, "over");
    EXPECT_EQ(click.nReserved2, 9);
    EXPECT_EQ(click.nReserved1, 1);
}

TEST_F(ButtonPageTest, TextOffsetOutOfRangeShowsTheBoundsAndKeepsTheValue)
{
    ActivatePage(1);
    auto* page = Sheet()->NormalPage();
    Type(page->m_pTextOffset, "40");
    Type(page->m_pImageOffset, "3");
    m_prompts.Reset();
    Type(page->m_pTextOffset, "501");
    EXPECT_TRUE(m_prompts.Texts().isEmpty());  // reported when the editing ends
    QTest::keyClick(page->m_pTextOffset, Qt::Key_Return);
    EXPECT_EQ(m_prompts.Texts(), QStringList{"Please enter an integer between -500 and 500."});
    EXPECT_EQ(m_prompts.LastIcon(), QMessageBox::Warning);
    EXPECT_EQ(m_a->m_pMenu->m_styleNormal.nTextOffset, 40);
    EXPECT_EQ(page->m_pTextOffset->text(), "501");  // left for the user to correct
    EXPECT_TRUE(page->m_pTextOffset->hasFocus() || !m_dlg->isActiveWindow());

    // The other fields go on taking their values, without a further message.
    page->m_pTextAlign->setCurrentIndex(1);
    EXPECT_EQ(m_a->m_pMenu->m_styleNormal.nTextAlign, 1);
    EXPECT_EQ(m_prompts.Texts().size(), 1);
    Type(page->m_pTextOffset, "-500");
    page->m_pImageOffset->setText("8");
    EXPECT_EQ(m_a->m_pMenu->m_styleNormal.nTextOffset, -500);
    EXPECT_EQ(m_a->m_pMenu->m_styleNormal.nImageOffset, 8);

    // The up-down stops at its bounds.
    page->m_pTextOffsetSpin->StepBy(-1);
    EXPECT_EQ(page->m_pTextOffset->text(), "-500");
    page->m_pImageOffsetSpin->StepBy(1);
    EXPECT_EQ(m_a->m_pMenu->m_styleNormal.nImageOffset, 9);
}

TEST_F(ButtonPageTest, ActivatingAStatePagePaintsThatState)
{
    CGlimMenu* menu = m_a->Menu();
    Sheet()->GeneralInfoPage()->m_pLabel->clear();  // no text over the sampled pixel
    menu->m_styleOver.nBackStyle = 1;
    menu->m_styleOver.crBack = RGB(0, 200, 0);
    menu->m_styleNormal.nBackStyle = 1;
    menu->m_styleNormal.crBack = RGB(200, 0, 0);
    ActivatePage(2);
    EXPECT_EQ(View()->ShownState(), 2);
    QImage shown = View()->Render();
    EXPECT_EQ(shown.pixelColor(35, 20), QColor(0, 200, 0));
    // "General Info" and "Hint " keep the state painted last.
    ActivatePage(0);
    shown = View()->Render();
    EXPECT_EQ(shown.pixelColor(35, 20), QColor(0, 200, 0));
    ActivatePage(1);
    shown = View()->Render();
    EXPECT_EQ(shown.pixelColor(35, 20), QColor(200, 0, 0));
    ActivatePage(4);
    shown = View()->Render();
    EXPECT_EQ(shown.pixelColor(35, 20), QColor(200, 0, 0));
}

TEST_F(ButtonPageTest, FontDialogWritesTheStateFont)
{
    ActivatePage(3);
    auto* page = Sheet()->ClickedPage();
    GlimStateStyle& g = m_a->m_pMenu->m_styleClick;
    g.nFontSize = 16;
    ModalRunner::SetNextHandler([](QDialog& d) {
        auto& font = dynamic_cast<CDlgFont&>(d);
        EXPECT_EQ(font.m_pSize->text(), "16");
        EXPECT_TRUE(font.m_pPlain->isChecked());
        font.m_pFontName->setCurrentIndex(2);
        font.m_pSize->setText("24");
        font.m_pBold->setChecked(true);
        font.m_pEffect->setCurrentIndex(4);
        font.findChild<QPushButton*>("okButton")->click();
        return font.result();
    });
    page->m_pFontButton->click();
    EXPECT_EQ(g.nFontName, 2);
    EXPECT_EQ(g.nFontSize, 24);
    EXPECT_EQ(g.nFontStyle, 1);
    EXPECT_EQ(g.nEffect, 4);

    ModalRunner::SetNextHandler([](QDialog& d) {
        auto& font = dynamic_cast<CDlgFont&>(d);
        font.m_pSize->setText("99");
        return int(QDialog::Rejected);
    });
    page->m_pFontButton->click();
    EXPECT_EQ(g.nFontSize, 24);
}

TEST_F(ButtonPageTest, ImageForAllTheButtons)
{
    const std::string pic = m_temp.File("pics/a.gif");
    auto* page = Sheet()->GeneralInfoPage();
    ModalRunner::SetNextHandler([&](QDialog& d) {
        auto& image = dynamic_cast<CDlgImage&>(d);
        EXPECT_TRUE(image.m_pOnlyThis->isChecked());
        image.PathEdit(0)->setText(QString::fromStdString(pic));
        image.PathEdit(1)->setText("/x/over.gif");
        image.m_pAllButtons->setChecked(true);
        image.findChild<QPushButton*>("okButton")->click();
        return image.result();
    });
    page->m_pImageButton->click();
    for (CDrawObj* obj : {m_a, m_b}) {
        EXPECT_EQ(Item(obj)->m_strImageNormal, pic);
        EXPECT_EQ(Item(obj)->m_strImageOver, "/x/over.gif");
        EXPECT_EQ(Item(obj)->m_strImageClick, "");
    }

    // "..." sets a path with its web path; "Only this button" leaves the other alone.
    ModalRunner::SetNextHandler([&](QDialog& d) {
        auto& image = dynamic_cast<CDlgImage&>(d);
        ModalRunner::SetNextHandler([&](QDialog& f) {
            auto& file = dynamic_cast<QFileDialog&>(f);
            file.selectFile(QString::fromStdString(pic));
            file.findChild<QLineEdit*>("webPathEdit")->setText("images\\buttons");
            return int(QDialog::Accepted);
        });
        image.BrowseButton(2)->click();
        image.findChild<QPushButton*>("okButton")->click();
        return image.result();
    });
    page->m_pImageButton->click();
    EXPECT_EQ(Item(m_a)->m_strImageClick, pic);
    EXPECT_EQ(Item(m_a)->m_strImageClickWeb, "images/buttons/");
    EXPECT_EQ(Item(m_b)->m_strImageClick, "");

    // Audio, cancelled: nothing changes.
    ModalRunner::SetNextHandler([](QDialog& d) {
        auto& audio = dynamic_cast<CDlgAudio&>(d);
        EXPECT_EQ(audio.RowCount(), 2);
        audio.PathEdit(0)->setText("/y/in.au");
        return int(QDialog::Rejected);
    });
    page->m_pAudioButton->click();
    EXPECT_EQ(Item(m_a)->m_strAudioOver, "");
}

TEST_F(ButtonPageTest, HintPageEditsTheHintWithOneStyle)
{
    ActivatePage(4);
    auto* page = Sheet()->HintPage();
    CGlimMenu* h = Hint(m_a);
    EXPECT_EQ(page->m_pLabel->toPlainText(), "Hint");
    page->m_pLabel->setPlainText("Two\nlines");
    Type(page->m_pX, "-20");
    Type(page->m_pWidth, "90");
    page->m_pAlign->setCurrentIndex(1);
    page->Styles()->m_pBlackWhiteButton->click();
    EXPECT_EQ(h->m_items.front()->m_strLabel, "Two\r\nlines");
    EXPECT_EQ(h->m_nX, -20);
    EXPECT_EQ(h->m_nWidth, 90);
    for (const GlimStateStyle* g : {&h->m_styleNormal, &h->m_styleOver, &h->m_styleClick}) {
        EXPECT_EQ(g->nTextAlign, 1);
        EXPECT_EQ(g->crBack, RGB(0, 0, 0));
        EXPECT_EQ(g->nTextOffset, 0);
    }
    m_prompts.Reset();
    Type(page->m_pX, "-1001");
    EndEditing(page->m_pX);
    EXPECT_EQ(m_prompts.LastText(), "Please enter an integer between -1000 and 1000.");
    Type(page->m_pHeight, "0");
    EndEditing(page->m_pHeight);
    EXPECT_EQ(m_prompts.LastText(), "Please enter an integer between -1000 and 1000.");
    Type(page->m_pX, "0");
    EndEditing(page->m_pX);
    EXPECT_EQ(m_prompts.LastText(), "Please enter an integer between 1 and 1200.");
}

TEST_F(ButtonPageTest, HintSizeZeroIsStoredAsTen)
{
    CGlimMenu* h = Hint(m_a);
    h->m_nWidth = 0;  // as a widget file may hold it
    ActivatePage(4);
    auto* page = Sheet()->HintPage();
    EXPECT_EQ(page->m_pWidth->text(), "0");
    m_prompts.Reset();
    page->m_pAlign->setCurrentIndex(2);
    EXPECT_TRUE(m_prompts.Texts().isEmpty());  // the width was not touched
    EXPECT_EQ(h->m_nWidth, 10);
    EXPECT_EQ(h->m_styleNormal.nTextAlign, 2);
    ActivatePage(0);  // leaving the page checks every field
    EXPECT_EQ(m_prompts.LastText(), "Please enter an integer between 1 and 1200.");
    EXPECT_EQ(Active(), 4);
}

TEST_F(ButtonPageTest, AutoCalculate)
{
    ActivatePage(4);
    auto* page = Sheet()->HintPage();
    CGlimMenu* h = Hint(m_a);
    page->m_pLabel->setPlainText("");
    page->m_pAutoButton->click();
    EXPECT_EQ(h->m_nWidth, 10);
    EXPECT_EQ(h->m_nHeight, 10);
    EXPECT_EQ(page->m_pWidth->text(), "10");

    page->m_pLabel->setPlainText("Wide hint");
    Type(page->m_pThick, "3");
    page->m_pAutoButton->click();
    const int w1 = h->m_nWidth;
    const int h1 = h->m_nHeight;
    const QFontMetrics metrics(
        LabelFont(h->m_styleNormal.nFontName, h->m_styleNormal.nFontSize, h->m_styleNormal.nFontStyle), View());
    EXPECT_NEAR(w1 - 6, metrics.horizontalAdvance("Wide hint"), 2);
    EXPECT_NEAR(h1 - 6, metrics.height(), 2);
    EXPECT_EQ(page->m_pWidth->text(), QString::number(w1));
    // Twice the thickness shown on the page is added.
    Type(page->m_pThick, "5");
    page->m_pAutoButton->click();
    EXPECT_EQ(h->m_nWidth, w1 + 4);
    EXPECT_EQ(h->m_nHeight, h1 + 4);
    // Lines break only where the label does: a short second line adds height, not width.
    page->m_pLabel->setPlainText("Wide hint\nx");
    page->m_pAutoButton->click();
    EXPECT_EQ(h->m_nWidth, w1 + 4);
    EXPECT_GE(h->m_nHeight, h1 + 4 + metrics.height());
    EXPECT_TRUE(m_prompts.Texts().isEmpty());
}

TEST_F(ButtonPageTest, PagesDoNothingWithoutASelectedButton)
{
    ClickView({90, 150});
    ASSERT_EQ(Active(), 5);
    ActivatePage(0);
    auto* page = Sheet()->GeneralInfoPage();
    int runs = 0;
    ModalRunner::SetNextHandler([&](QDialog&) { return ++runs, int(QDialog::Accepted); });
    page->m_pImageButton->click();
    EXPECT_EQ(runs, 0);
    Type(page->m_pX, "77");
    EXPECT_EQ(m_a->m_position.left, 10);
    EXPECT_EQ(m_b->m_position.left, 10);
}

}  // namespace
}  // namespace snippo::test
