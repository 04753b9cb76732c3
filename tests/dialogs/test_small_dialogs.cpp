// Font, web-path file dialog, Copy Resources (with the conflict handler) and Browse Files.
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTreeWidget>

#include "dialogs_fixture.h"
#include "widget/editor/color_button.h"
#include "widget/server/dialogs/config_runner.h"
#include "widget/server/dialogs/dlg_browse_files.h"
#include "widget/server/dialogs/dlg_copy_resources.h"
#include "widget/server/dialogs/dlg_font.h"
#include "widget/server/dialogs/dlg_image.h"
#include "widget/server/dialogs/int_edit.h"
#include "widget/server/dialogs/web_path_file_dialog.h"

namespace snippo::test {
namespace {

using SmallDialogTest = DialogTest;

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST_F(SmallDialogTest, FontSizeRangeAndValues)
{
    CDlgFont dlg;
    EXPECT_EQ(dlg.m_nFontName, -1);
    EXPECT_EQ(dlg.m_nEffect, -1);
    EXPECT_EQ(dlg.m_nFontStyle, -1);
    EXPECT_EQ(dlg.m_nFontSize, 0);
    dlg.m_nFontName = 1;
    dlg.m_nFontSize = 4999;
    dlg.m_nEffect = 3;
    dlg.m_nFontStyle = 2;
    dlg.m_crFont = RGB(10, 20, 30);
    ModalRunner::SetNextHandler([](QDialog& d) {
        auto& font = dynamic_cast<CDlgFont&>(d);
        EXPECT_EQ(font.windowTitle(), "Font");
        EXPECT_EQ(font.m_pFontName->currentText(), "Helvetica");
        EXPECT_EQ(font.m_pEffect->currentText(), "Bulge");
        EXPECT_TRUE(font.m_pItalic->isChecked());
        EXPECT_EQ(font.m_pColor->Colour(), RGB(10, 20, 30));
        font.m_pSizeSpin->StepBy(5);
        EXPECT_EQ(font.m_pSize->text(), "5000");
        font.m_pSize->setText("3");
        font.m_pSizeSpin->StepBy(-10);
        EXPECT_EQ(font.m_pSize->text(), "0");
        font.m_pSize->setText("9000");  // typed beyond the arrows' range: accepted
        ColourChooser::SetNextAnswer(RGB(1, 1, 1));
        font.m_pColor->click();
        font.findChild<QPushButton*>("okButton")->click();
        return font.result();
    });
    ASSERT_EQ(dlg.Exec(), QDialog::Accepted);
    EXPECT_EQ(dlg.m_nFontSize, 9000);
    EXPECT_EQ(dlg.m_crFont, RGB(1, 1, 1));
    EXPECT_EQ(dlg.m_nFontStyle, 2);
    EXPECT_TRUE(m_prompts.Texts().isEmpty());

    // A size that is not a number keeps the dialog open.
    CDlgFont bad;
    bad.m_nFontSize = 12;
    ModalRunner::SetNextHandler([](QDialog& d) {
        auto& font = dynamic_cast<CDlgFont&>(d);
        font.m_pSize->setText("12pt");
        font.findChild<QPushButton*>("okButton")->click();
        EXPECT_NE(font.result(), QDialog::Accepted);
        return int(QDialog::Rejected);
    });
    bad.Exec();
    EXPECT_EQ(m_prompts.Texts(), QStringList{"Please enter an integer."});
    EXPECT_EQ(bad.m_nFontSize, 12);
}

// F1 and the Help button ask for the dialog's own topic (0x20000 + its template); Cancel
// leaves what the caller filled in.
TEST_F(SmallDialogTest, HelpAsksForTheDialogsOwnTopicAndCancelKeepsTheValues)
{
    std::vector<unsigned> asked;
    SetDialogHelpHandler([&](unsigned context) { asked.push_back(context); });
    auto askAndCancel = [](QDialog& d) {
        QSignalSpy finished(&d, &QDialog::finished);
        QTest::keyClick(&d, Qt::Key_F1);
        d.findChild<QPushButton*>("helpButton")->click();
        EXPECT_EQ(finished.count(), 0);  // help leaves the dialog open
        d.findChild<QPushButton*>("cancelButton")->click();
        EXPECT_EQ(finished.count(), 1);
        return d.result();
    };

    CDlgFont font;
    font.m_nFontSize = 12;
    ModalRunner::SetNextHandler([&](QDialog& d) {
        font.m_pSize->setText("30");
        return askAndCancel(d);
    });
    EXPECT_EQ(font.Exec(), QDialog::Rejected);
    EXPECT_EQ(font.m_nFontSize, 12);

    CDlgImage image;
    image.SetValue(1, "/pics/over.gif", "over.gif");
    image.m_nApplyTo = 0;
    ModalRunner::SetNextHandler([&](QDialog& d) {
        image.PathEdit(1)->setText("/elsewhere.gif");
        image.m_pAllButtons->setChecked(true);
        return askAndCancel(d);
    });
    EXPECT_EQ(image.Exec(), QDialog::Rejected);
    EXPECT_EQ(image.Path(1), "/pics/over.gif");
    EXPECT_EQ(image.m_nApplyTo, 0);

    CDlgAudio audio;
    ModalRunner::SetNextHandler(askAndCancel);
    EXPECT_EQ(audio.Exec(), QDialog::Rejected);

    SetDialogHelpHandler(nullptr);
    EXPECT_EQ(asked, (std::vector<unsigned>{0x2008B, 0x2008B, 0x20096, 0x20096, 0x20097, 0x20097}));
    EXPECT_TRUE(m_prompts.Texts().isEmpty());
}

TEST_F(SmallDialogTest, WebPathRule)
{
    EXPECT_EQ(NormaliseWebPath(""), "");
    EXPECT_EQ(NormaliseWebPath("a\\b\\c"), "a/b/c/");
    EXPECT_EQ(NormaliseWebPath("http://h/x/"), "http://h/x/");
    EXPECT_EQ(NormaliseWebPath("\\"), "/");

    const std::string pic = m_temp.File("p/one.gif");
    CWebPathFileDialog dlg(QString::fromStdString(pic), "old", "Audio Files(*.au) | *.au");
    EXPECT_EQ(dlg.nameFilters(), QStringList{"Audio Files(*.au) (*.au)"});
    EXPECT_EQ(dlg.GetWebPath(), "old/");
    dlg.WebPathEdit()->setText("");
    EXPECT_EQ(dlg.GetWebPath(), "");
    dlg.WebPathEdit()->setText("x\\y");
    EXPECT_EQ(dlg.GetWebPath(), "x/y/");
    EXPECT_EQ(dlg.GetPathName().toStdString(), pic);
}

// Two buttons share a picture from another folder, and the save folder already has a file of
// that name.
class CopyResourcesTest : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        m_source = m_temp.File("src/pic.gif", "new picture");
        m_dest = m_temp.Path() + "/dest/";
        m_temp.File("dest/pic.gif", "old picture");
        m_a = AddButton({0, 0, 10, 10})->m_pMenu->m_items.front().get();
        m_b = AddButton({0, 20, 10, 30})->m_pMenu->m_items.front().get();
        m_a->m_strImageNormal = m_source;
        m_b->m_strImageOver = m_source;
    }

    CGlimMenuItem* m_a = nullptr;
    CGlimMenuItem* m_b = nullptr;
    std::string m_source;
    std::string m_dest;
};

TEST_F(CopyResourcesTest, OneRowForASharedFileAndBothFieldsFollowTheCopy)
{
    CopyResourcesConflictHandler handler;
    ModalRunner::SetNextHandler([&](QDialog& d) {
        auto& dlg = dynamic_cast<CDlgCopyResources&>(d);
        EXPECT_EQ(dlg.windowTitle(), "Copy Resources");
        EXPECT_EQ(dlg.Count(), 2);
        EXPECT_EQ(dlg.m_pHeader->text().toStdString(), "Destination Directory: " + m_dest);
        EXPECT_EQ(dlg.m_pList->headerItem()->text(0), "Destination File Name");
        EXPECT_EQ(dlg.m_pList->headerItem()->text(1), "Resource File");
        EXPECT_EQ(dlg.m_pList->columnWidth(1) - 140 > 0, true);
        EXPECT_EQ(dlg.m_pList->topLevelItemCount(), 1);
        EXPECT_EQ(dlg.m_pList->topLevelItem(0)->text(0), "pic.gif");
        EXPECT_EQ(dlg.m_pList->topLevelItem(0)->text(1).toStdString(), m_source);
        dlg.m_pOk->click();
        return dlg.result();
    });
    m_params->CopyResources(m_dest, &handler);
    EXPECT_EQ(m_a->m_strImageNormal, m_dest + "pic.gif");
    EXPECT_EQ(m_b->m_strImageOver, m_dest + "pic.gif");
    EXPECT_EQ(ReadFile(m_dest + "pic.gif"), "new picture");
}

TEST_F(CopyResourcesTest, RenameRules)
{
    CopyResourcesConflictHandler handler;
    ModalRunner::SetNextHandler([&](QDialog& d) {
        auto& dlg = dynamic_cast<CDlgCopyResources&>(d);
        dlg.m_pRename->click();
        EXPECT_EQ(m_prompts.LastText(), "Please select a file to rename first!");
        QTreeWidgetItem* row = dlg.m_pList->topLevelItem(0);
        row->setSelected(true);
        dlg.m_pRename->click();
        EXPECT_NE(dlg.m_pList->findChild<QLineEdit*>(), nullptr);  // editing the name in place
        row->setText(0, "");                                       // an empty name keeps the one before
        EXPECT_EQ(row->text(0), "pic.gif");
        row->setText(0, "../escape.gif");  // so does one that leaves the folder
        EXPECT_EQ(row->text(0), "pic.gif");
        row->setText(0, "renamed.gif");
        EXPECT_EQ(dlg.DestinationNames(), std::vector<std::string>{"renamed.gif"});
        dlg.m_pOk->click();
        return dlg.result();
    });
    m_params->CopyResources(m_dest, &handler);
    EXPECT_EQ(m_a->m_strImageNormal, m_dest + "renamed.gif");
    EXPECT_EQ(m_b->m_strImageOver, m_dest + "renamed.gif");
    EXPECT_EQ(ReadFile(m_dest + "renamed.gif"), "new picture");
    EXPECT_EQ(ReadFile(m_dest + "pic.gif"), "old picture");
}

TEST_F(CopyResourcesTest, EscapeCopiesNothing)
{
    CopyResourcesConflictHandler handler;
    ModalRunner::SetNextHandler([](QDialog& d) {
        QTest::keyClick(&d, Qt::Key_Escape);
        return d.result();
    });
    m_params->CopyResources(m_dest, &handler);
    EXPECT_EQ(m_a->m_strImageNormal, m_source);
    EXPECT_EQ(m_b->m_strImageOver, m_source);
    EXPECT_EQ(ReadFile(m_dest + "pic.gif"), "old picture");
}

TEST_F(CopyResourcesTest, ACopyThatFailsKeepsTheOriginalPath)
{
    CDlgCopyResources dlg;
    std::string missing = m_temp.Path() + "/src/gone.gif";
    dlg.SetDestination(m_dest);
    dlg.AddConflict(&missing);
    ModalRunner::SetNextHandler([](QDialog& d) {
        dynamic_cast<CDlgCopyResources&>(d).m_pOk->click();
        return d.result();
    });
    dlg.Exec();
    EXPECT_EQ(missing, m_temp.Path() + "/src/gone.gif");
    ASSERT_EQ(m_prompts.Texts().size(), 1);
    EXPECT_TRUE(
        m_prompts.LastText().startsWith("The file " + QString::fromStdString(missing) + " could not be copied to "));
}

TEST_F(CopyResourcesTest, BrowseShowsTheDestinationFiles)
{
    m_temp.File("dest/song.AU");
    m_temp.File("dest/readme.txt");
    m_temp.File("dest/b.jpg");
    CDlgCopyResources dlg;
    dlg.SetDestination(m_dest);
    QStringList shown;
    ModalRunner::SetNextHandler([&](QDialog& d) {
        auto& browse = dynamic_cast<CDlgBrowseFiles&>(d);
        EXPECT_EQ(browse.windowTitle(), "Browse Files");
        for (int i = 0; i < browse.m_pList->count(); ++i)
            shown << browse.m_pList->item(i)->text();
        return int(QDialog::Rejected);
    });
    dlg.OnBrowse();
    // In pattern order: *.gif, *.jpg, *.jpeg, *.au.
    EXPECT_EQ(shown, (QStringList{"pic.gif", "b.jpg", "song.AU"}));
}

TEST_F(SmallDialogTest, BrowseFilesRefusesAMissingFolderOrBlankInput)
{
    const QString missing = QString::fromStdString(m_temp.Path() + "/missing");
    CDlgBrowseFiles dlg(missing, "*.gif");
    int runs = 0;
    ModalRunner::SetNextHandler([&](QDialog&) { return ++runs, 0; });
    EXPECT_EQ(dlg.Exec(), QDialog::Rejected);
    EXPECT_EQ(runs, 0);
    EXPECT_EQ(m_prompts.Texts(), QStringList{"Directory " + missing + "/ does not exist!"});
    EXPECT_EQ(m_prompts.LastIcon(), QMessageBox::Warning);

    CDlgBrowseFiles blank("", "*.gif");
    EXPECT_EQ(blank.Exec(), QDialog::Rejected);
    EXPECT_EQ(m_prompts.LastText(), "The directory and file type can not be blank!");
    ModalRunner::ClearHandlers();
}

}  // namespace
}  // namespace snippo::test
