// snippo-render against the editor view, and the screenshots of the editor and its pickers.
#include <QAbstractItemView>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "editor_test_util.h"
#include "widget/editor/draw_obj_paint.h"
#include "widget/editor/palette_bar.h"
#include "widget/editor/preview_wnd.h"
#include "widget/editor/style_combos.h"
#include "widget/model/config_file.h"

namespace snippo::test {
namespace {

CDrawObj* Button(CAppletParameters& params, CRect r, const char* label)
{
    CDrawObj* obj = AddButton(params, r);
    obj->m_pMenu->m_items.front()->m_strLabel = label;
    return obj;
}

// A widget with buttons of many looks: gradients, bevels, fonts, alignments, a transparent one.
void BuildSample(CAppletParameters& params)
{
    params.m_nWidth = 240;
    params.m_nHeight = 150;
    params.m_nBackStyle = 2;

    CDrawObj* home = Button(params, CRect{20, 20, 110, 50}, "Home");
    for (GlimStateStyle* s :
         {&home->m_pMenu->m_styleNormal, &home->m_pMenu->m_styleOver, &home->m_pMenu->m_styleClick}) {
        s->nFontName = 1;
        s->nFontStyle = 1;
        s->nTextAlign = 1;
    }

    CDrawObj* products = Button(params, CRect{130, 20, 220, 50}, "Products");
    CGlimMenu& p = *products->m_pMenu;
    p.m_nBorderThick = 3;
    p.m_styleNormal.nBackStyle = 1;
    p.m_styleNormal.crBack = RGB(30, 60, 150);
    p.m_styleNormal.crFont = RGB(255, 255, 255);
    p.m_styleNormal.crBorder = RGB(30, 60, 150);
    p.m_styleNormal.nBorderStyle = 4;
    p.m_styleNormal.nTextAlign = 1;
    p.m_styleNormal.nFontName = 1;
    p.ApplyNormalStyleToAllStates();
    p.m_styleOver.crBack = RGB(60, 120, 220);
    p.m_styleClick.crBack = RGB(10, 30, 90);
    p.m_styleClick.nBorderStyle = 3;

    CDrawObj* about = Button(params, CRect{20, 65, 110, 125}, "About\r\nUs");
    about->m_pMenu->m_nBorderThick = 4;
    about->m_pMenu->m_styleNormal.nBorderStyle = 6;
    about->m_pMenu->m_styleNormal.nBackStyle = 5;

    CDrawObj* contact = Button(params, CRect{130, 65, 220, 95}, "Contact");
    CGlimMenu& c = *contact->m_pMenu;
    c.m_nBorderThick = 2;
    for (GlimStateStyle* s : {&c.m_styleNormal, &c.m_styleOver, &c.m_styleClick}) {
        s->nBackStyle = 0;
        s->nBorderStyle = 2;
        s->nTextAlign = 2;
        s->nFontName = 2;
        s->crBorder = RGB(40, 40, 40);
    }
    c.m_styleOver.crFont = RGB(255, 255, 0);

    CDrawObj* news = Button(params, CRect{130, 100, 220, 130}, "News");
    news->m_pMenu->m_styleNormal.nBackStyle = 4;
    news->m_pMenu->m_styleNormal.nTextOffset = 12;
    news->m_pMenu->m_styleNormal.nFontStyle = 2;
}

bool WriteWidget(CAppletParameters& params, const QString& path, const std::string& progId = kGlimButtonProgID)
{
    CWidgetConfig config;
    config.SetProgID(progId);
    params.WriteParameters(config);
    return config.WriteFile(path.toStdString());
}

struct RunResult {
    int exitCode = -1;
    QString errors;
    QString output;
};

RunResult Render(const QStringList& args)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));  // the tool chooses offscreen itself
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(SNIPPO_RENDER_PATH), args);
    if (!process.waitForFinished(30000))
        return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardError()),
            QString::fromLocal8Bit(process.readAllStandardOutput())};
}

class RenderTool : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetEditorState();
        ASSERT_TRUE(dir.isValid());
    }
    void TearDown() override { ResetEditorState(); }
    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir dir;
};

TEST_F(RenderTool, PictureMatchesTheEditorViewInEveryState)
{
    CAppletParameters source;
    BuildSample(source);
    ASSERT_TRUE(WriteWidget(source, Path("sample.qwd")));

    // The view shows what the file holds, at the applet's size.
    CWidgetConfig config;
    CAppletParameters params;
    ASSERT_TRUE(ReadConfigFile(config, params, Path("sample.qwd").toStdString()));
    ASSERT_EQ(params.m_listDrawObjects.size(), 5u);
    CDrawView view(&params);
    view.resize(params.m_nWidth, params.m_nHeight);
    view.SetActive(true);
    FakeCoupling sheet;
    view.SetPageCoupling(&sheet);

    QImage previous;
    for (int state = 1; state <= 3; ++state) {
        const QString out = Path("state.png");
        const RunResult run = Render({Path("sample.qwd"), QString::number(state), out});
        ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
        const QImage png = QImage(out).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(png.size(), QSize(240, 150));
        sheet.active = state;
        const QImage shown = view.Render();
        EXPECT_EQ(png, shown) << "state " << state;
        EXPECT_NE(png, previous) << "state " << state;
        previous = png;
    }
}

TEST_F(RenderTool, RefusesBadArgumentsAndUnreadableFiles)
{
    CAppletParameters params;
    BuildSample(params);
    ASSERT_TRUE(WriteWidget(params, Path("ok.qwd")));
    ASSERT_TRUE(WriteWidget(params, Path("other.qwd"), "Other.Widget"));

    // Asked for, the usage is an answer, not a mistake.
    RunResult r = Render({QStringLiteral("--help")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.output.contains(QStringLiteral("usage: snippo-render FILE.qwd STATE OUT.png")))
        << r.output.toStdString();

    r = Render({Path("ok.qwd"), QStringLiteral("1")});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.errors.contains(QStringLiteral("usage: snippo-render FILE.qwd STATE OUT.png")));

    for (const char* state : {"0", "4", "x", "12", ""}) {
        r = Render({Path("ok.qwd"), QString::fromLatin1(state), Path("o.png")});
        EXPECT_EQ(r.exitCode, 2) << state;
        EXPECT_TRUE(r.errors.contains(QStringLiteral("STATE must be 1, 2 or 3"))) << state;
    }

    r = Render({Path("missing.qwd"), QStringLiteral("1"), Path("o.png")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.errors.contains(QStringLiteral("cannot read"))) << r.errors.toStdString();

    r = Render({Path("other.qwd"), QStringLiteral("1"), Path("o.png")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.errors.contains(QStringLiteral("is not a SnippoServer.GlimButton widget file")))
        << r.errors.toStdString();

    r = Render({Path("ok.qwd"), QStringLiteral("1"), Path("no/such/folder/o.png")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.errors.contains(QStringLiteral("cannot write"))) << r.errors.toStdString();
    EXPECT_FALSE(QFile::exists(Path("o.png")));
}

// Pictures for people to look at: the editor in each state, with handles, and each picker open.
TEST_F(RenderTool, Screenshots)
{
    const QDir out(QStringLiteral(SNIPPO_SCREENSHOT_DIR));
    ASSERT_TRUE(QDir().mkpath(out.path()));

    CAppletParameters params;
    BuildSample(params);
    ASSERT_TRUE(WriteWidget(params, out.filePath(QStringLiteral("sample.qwd"))));
    CPreviewWnd* wnd = new CPreviewWnd(&params);
    FakeCoupling sheet;
    wnd->SetPageCoupling(&sheet);
    wnd->show();
    wnd->SetCreated(true);
    wnd->PlaceFromModel();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(wnd));
    for (int state = 1; state <= 3; ++state) {
        sheet.active = state;
        const QImage img = wnd->View()->grab().toImage();
        EXPECT_EQ(img.size(), QSize(240, 150));
        EXPECT_TRUE(img.save(out.filePath(QStringLiteral("editor-state%1.png").arg(state))));
    }
    sheet.active = 1;
    wnd->View()->Select(params.m_listDrawObjects[0].get());
    wnd->View()->Select(params.m_listDrawObjects[3].get(), true);
    EXPECT_TRUE(wnd->View()->grab().save(out.filePath(QStringLiteral("editor-handles.png"))));
    EXPECT_TRUE(wnd->PaletteFrame()->grab().save(out.filePath(QStringLiteral("palette.png"))));
    wnd->CloseByOwner();

    CBackStyleCombo back;
    CAppletBackStyleCombo applet;
    CBorderStyleCombo border;
    const std::pair<QComboBox*, const char*> pickers[] = {
        {&back, "picker-back.png"}, {&applet, "picker-applet-back.png"}, {&border, "picker-border.png"}};
    for (const auto& [combo, name] : pickers) {
        combo->resize(120, 24);
        combo->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(combo));
        combo->showPopup();
        QWidget* popup = combo->view()->window();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(popup));
        const QImage list = popup->grab().toImage();
        const QImage closed = combo->grab().toImage();
        QImage sheetImage(std::max(list.width(), closed.width()), closed.height() + list.height() + 4,
                          QImage::Format_RGB32);
        sheetImage.fill(Qt::white);
        {
            QPainter p(&sheetImage);
            p.drawImage(0, 0, closed);
            p.drawImage(0, closed.height() + 4, list);
        }
        EXPECT_GE(list.height(), combo->count() * kStyleItemHeight);
        EXPECT_TRUE(sheetImage.save(out.filePath(QString::fromLatin1(name))));
        combo->hidePopup();
    }
}

}  // namespace
}  // namespace snippo::test
