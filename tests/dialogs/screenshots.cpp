// Writes pictures of the "Button Properties" dialog with each page, of the editor beside it,
// and of each small dialog into the folder named on the command line.
#include <QApplication>
#include <QDir>
#include <QTabBar>
#include <QTemporaryDir>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "widget/editor/preview_wnd.h"
#include "widget/model/applet_parameters.h"
#include "widget/server/dialogs/dlg_browse_files.h"
#include "widget/server/dialogs/dlg_button_properties.h"
#include "widget/server/dialogs/dlg_copy_resources.h"
#include "widget/server/dialogs/dlg_font.h"
#include "widget/server/dialogs/dlg_image.h"
#include "widget/server/dialogs/menu_property_sheet.h"
#include "widget/server/dialogs/property_page.h"
#include "widget/editor/prompt_service.h"
#include "widget/server/dialogs/ui_services.h"
#include "widget/server/dialogs/web_path_file_dialog.h"

using namespace snippo;

namespace {

QString g_folder;
int g_failures = 0;

void Settle()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

void Save(QWidget* w, const QString& name)
{
    Settle();
    const QString path = g_folder + "/" + name + ".png";
    if (!w->grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        ++g_failures;
    }
}

// The next modal run is shown, pictured and cancelled.
void PictureNextRun(const QString& name)
{
    ModalRunner::SetNextHandler([name](QDialog& d) {
        d.show();
        Save(&d, name);
        d.hide();
        return int(QDialog::Rejected);
    });
}

}  // namespace

int main(int argc, char** argv)
{
    // Nothing of the user's settings is read or written.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    qputenv("SNIPPO_REGISTRY", (config.path() + "/registry").toLocal8Bit());
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: dialogs_screenshots FOLDER\n");
        return 2;
    }
    g_folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(g_folder);
    // A box would stop the run; none is expected, and any is answered with OK.
    const widget::ScopedPromptResponder answerOk([](const widget::PromptRequest&) { return QMessageBox::Ok; });

    const std::string temp = (std::filesystem::temp_directory_path() / "snippo-screenshots").string();
    std::filesystem::create_directories(temp + "/site");
    for (const char* name : {"site/star.gif", "site/back.jpg", "site/click.au", "star.gif"})
        std::ofstream(temp + "/" + name) << "x";

    CAppletParameters params;
    params.m_nWidth = 220;
    params.m_nHeight = 140;
    auto first = std::make_unique<CDrawRect>(CRect{20, 20, 120, 50});
    first->m_pMenu->m_items.front()->m_strLabel = "Home";
    first->m_pMenu->m_items.front()->m_strImageNormal = temp + "/star.gif";
    auto second = std::make_unique<CDrawRect>(CRect{20, 70, 120, 100});
    second->m_pMenu->m_items.front()->m_strLabel = "Products";
    CDrawObj* selected = params.AddObject(std::move(first));
    params.AddObject(std::move(second));
    params.m_listSelection.push_back(selected);

    {
        CDlgButtonProperties dlg(&params);
        dlg.OnInitDialog();
        dlg.show();
        const char* names[] = {"general_info",      "normal",     "mouse_over", "clicked", "hint",
                               "applet_parameters", "applet_more"};
        for (int i = 0; i < CMenuPropertySheet::kPageCount; ++i) {
            dlg.Sheet()->TabBar()->setCurrentIndex(i);
            Save(&dlg, QStringLiteral("button_properties_%1_%2").arg(i).arg(QLatin1String(names[i])));
        }
        dlg.Sheet()->TabBar()->setCurrentIndex(2);
        if (dlg.EditorWindow())
            Save(dlg.EditorWindow(), QStringLiteral("editor_window_mouse_over"));
        dlg.close();
    }

    CDlgFont font;
    font.m_nFontName = 1;
    font.m_nFontSize = 14;
    font.m_nEffect = 0;
    font.m_nFontStyle = 1;
    font.m_crFont = RGB(0, 0, 160);
    PictureNextRun(QStringLiteral("dialog_font"));
    font.Exec();

    CDlgImage image;
    image.SetValue(0, temp + "/star.gif", "img/");
    image.m_nApplyTo = 0;
    PictureNextRun(QStringLiteral("dialog_image"));
    image.Exec();

    CDlgAudio audio;
    audio.SetValue(1, temp + "/site/click.au", "");
    audio.m_nApplyTo = 0;
    PictureNextRun(QStringLiteral("dialog_audio"));
    audio.Exec();

    CWebPathFileDialog files(QString::fromStdString(temp + "/star.gif"), QStringLiteral("img/"),
                             QString::fromLatin1(kImageFilter));
    PictureNextRun(QStringLiteral("dialog_web_path_file"));
    files.Exec();

    std::string a = temp + "/star.gif";
    std::string b = temp + "/star.gif";
    CDlgCopyResources copy;
    copy.SetDestination(temp + "/site/");
    copy.AddConflict(&a);
    copy.AddConflict(&b);
    PictureNextRun(QStringLiteral("dialog_copy_resources"));
    copy.Exec();

    CDlgBrowseFiles browse(QString::fromStdString(temp + "/site"), QStringLiteral("*.gif;*.jpg;*.jpeg;*.au"));
    PictureNextRun(QStringLiteral("dialog_browse_files"));
    browse.Exec();

    std::error_code ec;
    std::filesystem::remove_all(temp, ec);
    return g_failures == 0 ? 0 : 1;
}
