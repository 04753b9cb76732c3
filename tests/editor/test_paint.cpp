// Pixel checks of the painting rules: gradients, bevel borders, labels, composed buttons,
// handles and repaint areas.
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <limits>

#include "editor_test_util.h"
#include "widget/editor/draw_obj_paint.h"
#include "widget/editor/paint.h"

namespace snippo::test {
namespace {

const QRgb kSentinel = qRgb(1, 2, 3);

QImage Canvas(int w, int h, QRgb fill = kSentinel)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

QRgb Rgb(COLORREF c)
{
    return qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

template <class F> QImage Paint(int w, int h, F&& f, QRgb fill = kSentinel)
{
    QImage image = Canvas(w, h, fill);
    QPainter p(&image);
    f(p);
    return image;
}

TEST(GradientFill, HorizontalLinesStartAtFirstColourAndStopShortOfSecond)
{
    const COLORREF c1 = RGB(0, 200, 100);
    const COLORREF c2 = RGB(255, 0, 100);
    const QImage img = Paint(6, 4, [&](QPainter& p) { GradientFill(p, CRect{0, 0, 6, 4}, c1, c2, true, false); });
    // Red steps by 63.75 and green by -50, truncated: the last line never reaches c2.
    const QRgb expected[4] = {qRgb(0, 200, 100), qRgb(63, 150, 100), qRgb(127, 100, 100), qRgb(191, 50, 100)};
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(img.pixel(x, y), expected[y]) << x << "," << y;
}

TEST(GradientFill, NoChannelEverPassesTheSecondColour)
{
    const COLORREF colours[] = {RGB(0, 0, 0), RGB(255, 255, 255), RGB(3, 250, 128), RGB(200, 7, 13),
                                RGB(128, 128, 129)};
    for (COLORREF c1 : colours) {
        for (COLORREF c2 : colours) {
            for (int h : {1, 2, 3, 7, 255, 300}) {
                const QImage img = Paint(1, h, [&](QPainter& p) {
                    GradientFill(p, CRect{0, 0, 1, h}, c1, c2, true, false);
                });
                ASSERT_EQ(img.pixel(0, 0), Rgb(c1));
                for (int y = 0; y < h; ++y) {
                    const QColor c(img.pixel(0, y));
                    const int got[3] = {c.red(), c.green(), c.blue()};
                    const int from[3] = {GetRValue(c1), GetGValue(c1), GetBValue(c1)};
                    const int to[3] = {GetRValue(c2), GetGValue(c2), GetBValue(c2)};
                    for (int k = 0; k < 3; ++k) {
                        EXPECT_GE(got[k], std::min(from[k], to[k])) << "h=" << h << " y=" << y;
                        EXPECT_LE(got[k], std::max(from[k], to[k])) << "h=" << h << " y=" << y;
                    }
                }
            }
        }
    }
}

TEST(GradientFill, MirroredRunsInFromBothEdges)
{
    const COLORREF c1 = RGB(0, 0, 0);
    const COLORREF c2 = RGB(200, 100, 40);
    // Seven lines mirrored: n = 4, steps of 50, 25 and 10.
    const QImage img = Paint(3, 7, [&](QPainter& p) { GradientFill(p, CRect{0, 0, 3, 7}, c1, c2, true, true); });
    const QRgb ramp[4] = {qRgb(0, 0, 0), qRgb(50, 25, 10), qRgb(100, 50, 20), qRgb(150, 75, 30)};
    for (int y = 0; y < 4; ++y) {
        EXPECT_EQ(img.pixel(1, y), ramp[y]);
        EXPECT_EQ(img.pixel(1, 6 - y), ramp[y]);
    }

    // Vertical lines mirrored over an even width: n = 3, the middle two columns equal.
    const QImage v = Paint(6, 2, [&](QPainter& p) {
        GradientFill(p, CRect{0, 0, 6, 2}, c1, RGB(90, 0, 0), false, true);
    });
    const int reds[6] = {0, 30, 60, 60, 30, 0};
    for (int x = 0; x < 6; ++x)
        EXPECT_EQ(QColor(v.pixel(x, 1)).red(), reds[x]) << x;
}

TEST(GradientFill, PaintsOnlyInsideTheNormalisedRectangle)
{
    // Given inverted, painted as (2,1)-(5,4); nothing outside.
    const QImage img = Paint(8, 6, [](QPainter& p) {
        GradientFill(p, CRect{5, 4, 2, 1}, RGB(9, 9, 9), RGB(9, 9, 9), false, false);
    });
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool inside = x >= 2 && x < 5 && y >= 1 && y < 4;
            EXPECT_EQ(img.pixel(x, y), inside ? qRgb(9, 9, 9) : kSentinel) << x << "," << y;
        }
    const QImage empty = Paint(4, 4, [](QPainter& p) { GradientFill(p, CRect{1, 1, 3, 1}, 0, 0xFFFFFF, true, true); });
    EXPECT_EQ(empty, Canvas(4, 4));
}

TEST(FillBackground, StylesChooseDirectionAndSolidIgnoresFade)
{
    const COLORREF back = RGB(10, 20, 30);
    const COLORREF fade = RGB(110, 220, 130);
    auto fill = [&](int style) {
        return Paint(4, 4, [&](QPainter& p) { FillBackground(p, CRect{0, 0, 4, 4}, back, fade, style); });
    };
    const QImage solid = fill(1);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(solid.pixel(x, y), Rgb(back));

    const QImage down = fill(2);  // changes from top to bottom
    EXPECT_EQ(down.pixel(3, 0), Rgb(back));
    EXPECT_EQ(down.pixel(0, 1), down.pixel(3, 1));
    EXPECT_NE(down.pixel(0, 1), down.pixel(0, 0));

    const QImage across = fill(4);  // changes from left to right
    EXPECT_EQ(across.pixel(0, 3), Rgb(back));
    EXPECT_EQ(across.pixel(1, 0), across.pixel(1, 3));
    EXPECT_NE(across.pixel(1, 0), across.pixel(0, 0));

    EXPECT_EQ(fill(3).pixel(0, 3), Rgb(back));  // mirrored: back again at the bottom
    EXPECT_EQ(fill(5).pixel(3, 0), Rgb(back));  // and at the right
    EXPECT_EQ(fill(0), Canvas(4, 4));
    EXPECT_EQ(fill(6), Canvas(4, 4));
    EXPECT_EQ(fill(-1), Canvas(4, 4));
}

TEST(DrawBorder, LightenAndDarkenClampAtTheChannelLimits)
{
    EXPECT_EQ(Lighten(RGB(250, 0, 100), 10), RGB(255, 10, 110));
    EXPECT_EQ(Darken(RGB(5, 255, 100), 10), RGB(0, 245, 90));
    EXPECT_EQ(Lighten(RGB(1, 2, 3), 0), RGB(1, 2, 3));
}

// The colours of ring j of a 12 x 10 border: top-left, then bottom-right pen.
struct RingColours {
    QRgb topLeft;
    QRgb bottomRight;
};

void ExpectRing(const QImage& img, int j, RingColours c)
{
    const int l = j, t = j, r = 11 - j, b = 9 - j;
    EXPECT_EQ(img.pixel(l, t), c.topLeft) << "ring " << j << " top-left corner";
    EXPECT_EQ(img.pixel(5, t), c.topLeft) << "ring " << j << " top edge";
    EXPECT_EQ(img.pixel(l, 5), c.topLeft) << "ring " << j << " left edge";
    EXPECT_EQ(img.pixel(r, t), c.bottomRight) << "ring " << j << " top-right corner";
    EXPECT_EQ(img.pixel(l, b), c.bottomRight) << "ring " << j << " bottom-left corner";
    EXPECT_EQ(img.pixel(5, b), c.bottomRight) << "ring " << j << " bottom edge";
    EXPECT_EQ(img.pixel(r, 5), c.bottomRight) << "ring " << j << " right edge";
    EXPECT_EQ(img.pixel(r, b), c.bottomRight) << "ring " << j << " bottom-right corner";
}

QImage Border(int thickness, int style, COLORREF colour)
{
    return Paint(12, 10, [&](QPainter& p) { DrawBorder(p, CRect{0, 0, 12, 10}, colour, thickness, style); });
}

const COLORREF kEdge = RGB(250, 5, 128);

TEST(DrawBorder, Style1And2StepByTenFromTheOutside)
{
    const QImage raised = Border(3, 1, kEdge);
    ExpectRing(raised, 0, {Rgb(kEdge), Rgb(kEdge)});
    ExpectRing(raised, 1, {qRgb(255, 15, 138), qRgb(240, 0, 118)});
    ExpectRing(raised, 2, {qRgb(255, 25, 148), qRgb(230, 0, 108)});
    EXPECT_EQ(raised.pixel(5, 5), kSentinel);

    const QImage sunken = Border(3, 2, kEdge);
    ExpectRing(sunken, 1, {qRgb(240, 0, 118), qRgb(255, 15, 138)});
    ExpectRing(sunken, 2, {qRgb(230, 0, 108), qRgb(255, 25, 148)});
}

TEST(DrawBorder, Style3And4KeepThePlainColourInnermost)
{
    const QImage raised = Border(3, 3, kEdge);
    ExpectRing(raised, 2, {Rgb(kEdge), Rgb(kEdge)});
    ExpectRing(raised, 1, {Rgb(Lighten(kEdge, 15)), Rgb(Darken(kEdge, 15))});
    ExpectRing(raised, 0, {qRgb(255, 35, 158), qRgb(220, 0, 98)});

    const QImage sunken = Border(3, 4, kEdge);
    ExpectRing(sunken, 2, {Rgb(kEdge), Rgb(kEdge)});
    ExpectRing(sunken, 0, {qRgb(220, 0, 98), qRgb(255, 35, 158)});
}

TEST(DrawBorder, Style5And6SplitIntoAnOuterAndAnInnerFrame)
{
    const RingColours plain{Rgb(kEdge), Rgb(kEdge)};
    const RingColours raised15{Rgb(Lighten(kEdge, 15)), Rgb(Darken(kEdge, 15))};
    const RingColours sunken15{Rgb(Darken(kEdge, 15)), Rgb(Lighten(kEdge, 15))};

    const QImage five = Border(4, 5, kEdge);
    ExpectRing(five, 0, raised15);
    ExpectRing(five, 1, plain);
    ExpectRing(five, 2, plain);
    ExpectRing(five, 3, sunken15);

    const QImage six = Border(4, 6, kEdge);
    ExpectRing(six, 0, raised15);
    ExpectRing(six, 1, plain);
    ExpectRing(six, 2, raised15);
    ExpectRing(six, 3, plain);
}

TEST(DrawBorder, ThinAndEmptyBorders)
{
    // Thickness 1 with styles 5 and 6: only the inner part, one plain ring.
    for (int style : {5, 6}) {
        const QImage img = Border(1, style, kEdge);
        ExpectRing(img, 0, {Rgb(kEdge), Rgb(kEdge)});
        EXPECT_EQ(img.pixel(1, 1), kSentinel) << style;
    }
    const QImage blank = Canvas(12, 10);
    EXPECT_EQ(Border(0, 1, kEdge), blank);
    EXPECT_EQ(Border(-3, 1, kEdge), blank);
    EXPECT_EQ(Border(3, 0, kEdge), blank);
    EXPECT_EQ(Border(3, 7, kEdge), blank);
}

TEST(DrawBorder, AHugeThicknessPaintsWhatAThicknessAsLargeAsTheRectanglePaints)
{
    // Every ring that can reach the 12 x 10 rectangle has its colour saturated either way.
    for (int style = 1; style <= 6; ++style)
        EXPECT_EQ(Border(std::numeric_limits<int>::max(), style, kEdge), Border(1001, style, kEdge)) << style;
    EXPECT_EQ(Border(std::numeric_limits<int>::max(), 1, kEdge), Border(13, 1, kEdge));
}

TEST(DrawLabel, FontIsThreePointsSmallerThanTheSize)
{
    EXPECT_EQ(LabelFontPixelHeight(14), 15);  // 11 pt at 96 dpi = 14.67 px
    EXPECT_EQ(LabelFontPixelHeight(12), 12);  // 9 pt
    EXPECT_EQ(LabelFontPixelHeight(3), 0);    // zero height: the default
    EXPECT_EQ(LabelFont(0, 14, 0).pixelSize(), 15);
    const QFont fallback = LabelFont(0, 3, 0);
    EXPECT_EQ(fallback.pixelSize(), QFont().pixelSize());
    EXPECT_EQ(fallback.pointSizeF(), QFont().pointSizeF());

    EXPECT_EQ(LabelFont(0, 14, 0).family(), "Times New Roman");
    EXPECT_EQ(LabelFont(1, 14, 0).family(), "Arial");
    EXPECT_EQ(LabelFont(2, 14, 0).family(), "Courier");
    EXPECT_EQ(LabelFont(9, 14, 0).family(), "Courier");
    EXPECT_EQ(LabelFont(0, 14, 1).weight(), QFont::Bold);
    EXPECT_FALSE(LabelFont(0, 14, 1).italic());
    EXPECT_EQ(LabelFont(0, 14, 2).weight(), QFont::Normal);
    EXPECT_TRUE(LabelFont(0, 14, 2).italic());
}

// The columns and rows that hold ink (pixels differing from white).
QRect Ink(const QImage& img)
{
    QRect box;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != qRgb(255, 255, 255))
                box = box.united(QRect(x, y, 1, 1));
    return box;
}

QImage Label(const std::string& text, int align, int offset, int margin, int w = 120, int h = 40)
{
    return Paint(
        w, h,
        [&](QPainter& p) {
            DrawLabel(p, text, CRect{0, 0, w, h}, align, offset, 0, 1, 14, 0, margin);
        },
        qRgb(255, 255, 255));
}

TEST(DrawLabel, PlacesTheTextBlockByAlignmentMarginAndOffset)
{
    const QRect left = Ink(Label("Menu", 0, 0, 6));
    const QRect shifted = Ink(Label("Menu", 0, 10, 6));
    const QRect wider = Ink(Label("Menu", 0, 0, 16));
    ASSERT_FALSE(left.isEmpty());
    EXPECT_EQ(shifted.left(), left.left() + 10);
    EXPECT_EQ(wider.left(), left.left() + 10);
    EXPECT_NEAR(left.left(), 6 + 3, 2);  // the margin and 3 pixels, give or take the glyph's bearing

    const QRect right = Ink(Label("Menu", 2, 0, 6));
    EXPECT_NEAR(right.right(), 120 - 6 - 3 - 1, 2);
    const QRect centre = Ink(Label("Menu", 1, 0, 6));
    EXPECT_NEAR(centre.left() + centre.right(), 119, 3);
    // Vertically centred.
    EXPECT_NEAR(centre.top() + centre.bottom(), 39, 6);
}

TEST(DrawLabel, LineBreaksMakeSeveralLines)
{
    const QRect one = Ink(Label("Menu", 1, 0, 0, 120, 80));
    const QRect two = Ink(Label("Menu\r\nMenu", 1, 0, 0, 120, 80));
    EXPECT_GT(two.height(), one.height() * 3 / 2);
    EXPECT_NEAR(two.width(), one.width(), 1);
}

// --- buttons ---------------------------------------------------------------------------

class ButtonPaint : public ::testing::Test {
protected:
    void SetUp() override { ResetEditorState(); }
    void TearDown() override { ResetEditorState(); }
};

TEST_F(ButtonPaint, ZeroSizeButtonsDrawNothing)
{
    for (CRect r : {CRect{5, 5, 5, 20}, CRect{5, 5, 20, 5}}) {
        CDrawRect button(r);
        const QImage img = Paint(30, 30, [&](QPainter& p) { DrawButton(p, button, 1); });
        EXPECT_EQ(img, Canvas(30, 30));
        EXPECT_EQ(button.HitTest(CPoint{5, 5}, false), 0);
    }
}

TEST_F(ButtonPaint, TransparentBackgroundKeepsWhatLiesBeneath)
{
    CDrawRect button(CRect{4, 4, 20, 16});
    button.m_pMenu->m_nBorderThick = 0;
    button.m_pMenu->m_items.front()->m_strLabel.clear();
    button.m_pMenu->m_styleNormal.nBackStyle = 0;
    const QImage img = Paint(
        24, 20, [&](QPainter& p) { DrawButton(p, button, 1); }, qRgb(200, 10, 10));
    EXPECT_EQ(img, Canvas(24, 20, qRgb(200, 10, 10)));
}

TEST_F(ButtonPaint, ComposedButtonEqualsItsPartsPaintedDirectly)
{
    CDrawRect button(CRect{30, 20, 6, 4});  // stored inverted, painted normalised
    button.m_pMenu->m_items.front()->m_strLabel.clear();
    const GlimStateStyle& s = button.m_pMenu->m_styleOver;
    const QImage composed = Paint(40, 30, [&](QPainter& p) { DrawButton(p, button, 2); });
    const QImage direct = Paint(40, 30, [&](QPainter& p) {
        const CRect r{6, 4, 30, 20};
        FillBackground(p, r, s.crBack, s.crFade, s.nBackStyle);
        DrawBorder(p, r, s.crBorder, button.m_pMenu->m_nBorderThick, s.nBorderStyle);
    });
    EXPECT_EQ(composed, direct);
}

TEST_F(ButtonPaint, StateOutsideOneToThreeKeepsTheLastStateShown)
{
    CDrawRect button(CRect{0, 0, 10, 10});
    CGlimMenu& menu = *button.m_pMenu;
    menu.m_nBorderThick = 0;
    menu.m_items.front()->m_strLabel.clear();
    menu.m_styleNormal = GlimStateStyle{};
    menu.m_styleNormal.nBackStyle = 1;
    menu.m_styleNormal.crBack = RGB(1, 0, 0);
    menu.m_styleOver.nBackStyle = 1;
    menu.m_styleOver.crBack = RGB(2, 0, 0);
    menu.m_styleClick.nBackStyle = 1;
    menu.m_styleClick.crBack = RGB(3, 0, 0);
    auto shown = [&](int state) {
        const QImage img = Paint(10, 10, [&](QPainter& p) { DrawButton(p, button, state); });
        return QColor(img.pixel(5, 5)).red();
    };
    EXPECT_EQ(shown(0), 1);  // initially the normal state
    EXPECT_EQ(shown(3), 3);
    EXPECT_EQ(shown(0), 3);  // e.g. the General Info page is active
    EXPECT_EQ(shown(5), 3);
    EXPECT_EQ(shown(2), 2);
    EXPECT_EQ(shown(-1), 2);
    EXPECT_EQ(LastShownState(), 2);
}

TEST_F(ButtonPaint, HandlesInvertSevenBySevenSquaresAndASecondCallRestores)
{
    CDrawRect button(CRect{10, 10, 61, 41});
    const QImage before = Canvas(70, 50);
    QImage img = before;
    {
        QPainter p(&img);
        DrawHandles(p, button, 0);
    }
    EXPECT_EQ(img, before);
    {
        QPainter p(&img);
        DrawHandles(p, button, 1);
    }
    const QRgb inverted = qRgb(254, 253, 252);
    // Handle 1 at (10,10): pixels 7..13 both ways.
    EXPECT_EQ(img.pixel(7, 7), inverted);
    EXPECT_EQ(img.pixel(13, 13), inverted);
    EXPECT_EQ(img.pixel(6, 7), kSentinel);
    EXPECT_EQ(img.pixel(14, 13), kSentinel);
    EXPECT_EQ(img.pixel(13, 14), kSentinel);
    // Handle 2 at the x-centre 10 + 51 / 2 = 35; handle 4 at the y-centre 10 + 31 / 2 = 25.
    EXPECT_EQ(img.pixel(32, 7), inverted);
    EXPECT_EQ(img.pixel(38, 13), inverted);
    EXPECT_EQ(img.pixel(31, 10), kSentinel);
    EXPECT_EQ(img.pixel(58, 22), inverted);
    EXPECT_EQ(img.pixel(64, 28), inverted);
    EXPECT_EQ(img.pixel(57, 22), kSentinel);
    EXPECT_EQ(img.pixel(35, 25), kSentinel);
    {
        QPainter p(&img);
        DrawHandles(p, button, 2);
    }
    EXPECT_EQ(img, before);

    // On a small button the squares overlap, and overlapping pixels invert twice.
    CDrawRect small(CRect{10, 10, 20, 16});
    QImage tiny = Canvas(30, 30);
    {
        QPainter p(&tiny);
        DrawHandles(p, small, 1);
    }
    EXPECT_EQ(tiny.pixel(10, 11), kSentinel);  // handles 1 and 8 both cover it
    EXPECT_EQ(tiny.pixel(10, 8), inverted);
}

TEST_F(ButtonPaint, HandleHitsAndCursors)
{
    CDrawRect button(CRect{10, 10, 31, 21});
    EXPECT_EQ(button.HitTest(CPoint{7, 7}, true), 1);
    EXPECT_EQ(button.HitTest(CPoint{12, 12}, true), 1);
    EXPECT_EQ(button.HitTest(CPoint{13, 13}, true), 0);  // the square is 6 x 6
    EXPECT_EQ(button.HitTest(CPoint{20, 15}, true), 0);  // inside the body, no handle
    EXPECT_EQ(button.HitTest(CPoint{20, 15}, false), 1);
    EXPECT_EQ(button.HitTest(CPoint{31, 21}, true), 5);
    EXPECT_EQ(button.HitTest(CPoint{31, 21}, false), 0);  // right and bottom are exclusive

    EXPECT_EQ(HandleCursor(1), Qt::SizeFDiagCursor);
    EXPECT_EQ(HandleCursor(5), Qt::SizeFDiagCursor);
    EXPECT_EQ(HandleCursor(2), Qt::SizeVerCursor);
    EXPECT_EQ(HandleCursor(6), Qt::SizeVerCursor);
    EXPECT_EQ(HandleCursor(3), Qt::SizeBDiagCursor);
    EXPECT_EQ(HandleCursor(7), Qt::SizeBDiagCursor);
    EXPECT_EQ(HandleCursor(4), Qt::SizeHorCursor);
    EXPECT_EQ(HandleCursor(8), Qt::SizeHorCursor);
}

TEST_F(ButtonPaint, AppletPanelIsBackgroundBorderThenButtonsBackToFront)
{
    CAppletParameters params;
    params.m_nWidth = 60;
    params.m_nHeight = 40;
    params.m_nBackStyle = 1;
    params.m_crBack = RGB(0, 0, 200);
    params.m_nBorderThick = 2;
    params.m_nBorderStyle = 1;
    params.m_crBorder = RGB(0, 200, 0);
    CDrawObj* back = AddButton(params, CRect{10, 10, 30, 30});
    CDrawObj* front = AddButton(params, CRect{20, 10, 40, 30});
    for (CDrawObj* obj : {back, front}) {
        obj->m_pMenu->m_nBorderThick = 0;
        obj->m_pMenu->m_items.front()->m_strLabel.clear();
        obj->m_pMenu->m_styleNormal.nBackStyle = 1;
    }
    back->m_pMenu->m_styleNormal.crBack = RGB(1, 1, 1);
    front->m_pMenu->m_styleNormal.crBack = RGB(2, 2, 2);

    const QImage img = RenderApplet(params, 1);
    ASSERT_EQ(img.size(), QSize(60, 40));
    EXPECT_EQ(img.pixel(0, 0), qRgb(0, 200, 0));
    EXPECT_EQ(img.pixel(5, 5), qRgb(0, 0, 200));
    EXPECT_EQ(img.pixel(15, 20), qRgb(1, 1, 1));
    EXPECT_EQ(img.pixel(25, 20), qRgb(2, 2, 2));  // the later button is on top
}

TEST_F(ViewTest, SetPositionRepaintsOnlyTheOldAndNewAreas)
{
    CDrawObj* obj = AddButton(params, CRect{10, 10, 30, 20});
    QApplication::processEvents();
    PaintRecorder recorder(view.get());

    SetPosition(*obj, CRect{10, 10, 30, 20}, view.get());
    QApplication::processEvents();
    EXPECT_TRUE(recorder.regions.empty());

    SetPosition(*obj, CRect{50, 60, 70, 70}, view.get());
    QApplication::processEvents();
    ASSERT_FALSE(recorder.regions.empty());
    const QRegion expected = QRegion(QRect(9, 9, 22, 12)) + QRegion(QRect(49, 59, 22, 12));
    EXPECT_TRUE(expected.contains(recorder.Union().boundingRect()) || (recorder.Union() - expected).isEmpty());
    EXPECT_TRUE((recorder.Union() - QRegion(expected.boundingRect())).isEmpty());
    EXPECT_EQ(obj->m_position, (CRect{50, 60, 70, 70}));
}

}  // namespace
}  // namespace snippo::test
