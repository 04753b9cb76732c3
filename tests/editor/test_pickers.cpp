// The style pickers and the colour button.
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include "widget/editor/color_button.h"
#include "widget/editor/paint.h"
#include "widget/editor/style_combos.h"

namespace snippo {
namespace {

QImage Sample(const CStyleComboBase& combo, int style, bool selected = false, int w = 80, int h = kStyleItemHeight)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter p(&image);
    combo.PaintItem(p, QRect(0, 0, w, h), style, selected, false);
    return image;
}

std::vector<int> Styles(const QComboBox& combo)
{
    std::vector<int> styles;
    for (int i = 0; i < combo.count(); ++i)
        styles.push_back(combo.itemData(i).toInt());
    return styles;
}

TEST(StyleCombos, ListsOfferTheirStylesWithIndexOneSelected)
{
    CBackStyleCombo back;
    CAppletBackStyleCombo applet;
    CBorderStyleCombo border;
    EXPECT_EQ(Styles(back), (std::vector<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(Styles(applet), (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(Styles(border), (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(back.currentIndex(), 1);
    EXPECT_EQ(back.SelectedStyle(), 1);
    EXPECT_EQ(applet.SelectedStyle(), 2);
    EXPECT_EQ(border.SelectedStyle(), 1);
    EXPECT_EQ(back.BackColour(), 0x404080u);
    EXPECT_EQ(back.FadeColour(), 0x80FFFFu);
    EXPECT_EQ(border.Colour(), 0x426F8Cu);
    EXPECT_FALSE(back.objectName().isEmpty());
    EXPECT_FALSE(applet.objectName().isEmpty());
    EXPECT_FALSE(border.objectName().isEmpty());
}

TEST(StyleCombos, SetStyleSelectsAndPullsBackOutOfRangeStyles)
{
    CBackStyleCombo back;
    back.SetStyle(4, 0x404080, 0x80FFFF);
    EXPECT_EQ(back.currentIndex(), 4);
    back.SetStyle(9, 0x404080, 0x80FFFF);
    EXPECT_EQ(back.SelectedStyle(), 1);
    back.SetStyle(-2, 0x404080, 0x80FFFF);
    EXPECT_EQ(back.SelectedStyle(), 1);

    CAppletBackStyleCombo applet;
    applet.SetStyle(3, 0, 0);
    EXPECT_EQ(applet.currentIndex(), 2);
    applet.SetStyle(0, 0, 0);  // no transparent applet background: nothing selected
    EXPECT_EQ(applet.currentIndex(), -1);
    EXPECT_EQ(applet.SelectedStyle(), 0);
    applet.SetBackColour(RGB(1, 2, 3));  // a rebuild with nothing selected selects index 1
    EXPECT_EQ(applet.currentIndex(), 1);

    CBorderStyleCombo border;
    border.SetStyle(7, 0x426F8C);
    EXPECT_EQ(border.SelectedStyle(), 1);
    border.SetStyle(6, RGB(0, 0, 255));
    EXPECT_EQ(border.SelectedStyle(), 6);
    EXPECT_EQ(border.Colour(), RGB(0, 0, 255));
    border.SetColour(RGB(0, 255, 0));  // a rebuild keeps the selection
    EXPECT_EQ(border.SelectedStyle(), 6);
}

TEST(StyleCombos, SamplesUseTheButtonPaintingRules)
{
    CBackStyleCombo back;
    back.SetStyle(1, RGB(200, 0, 0), RGB(0, 0, 200));
    const QImage solid = Sample(back, 1);
    EXPECT_EQ(solid.pixel(40, 10), qRgb(200, 0, 0));
    EXPECT_EQ(solid.pixel(2, 2), qRgb(200, 0, 0));  // the sample starts 2 pixels in
    EXPECT_NE(solid.pixel(1, 1), qRgb(200, 0, 0));  // the item background around it
    EXPECT_NE(solid.pixel(1, 1), qRgb(255, 0, 255));

    // Style 4 runs left to right inside the 2-pixel margin, exactly as FillBackground does.
    QImage expected(80, kStyleItemHeight, QImage::Format_RGB32);
    expected.fill(Qt::magenta);
    {
        QPainter p(&expected);
        FillBackground(p, CRect{2, 2, 78, kStyleItemHeight - 2}, RGB(200, 0, 0), RGB(0, 0, 200), 4);
    }
    const QImage across = Sample(back, 4);
    for (int x = 2; x < 78; ++x)
        EXPECT_EQ(across.pixel(x, 9), expected.pixel(x, 9)) << x;

    CBorderStyleCombo border;
    border.SetStyle(1, RGB(100, 100, 100));
    const QImage ring = Sample(border, 1);
    EXPECT_EQ(ring.pixel(2, 2), qRgb(100, 100, 100));
    EXPECT_EQ(ring.pixel(3, 3), qRgb(110, 110, 110));
    EXPECT_EQ(ring.pixel(76, 16), qRgb(90, 90, 90));
}

TEST(StyleCombos, SwappingTwiceRestoresAndBlackWhiteRunsDown)
{
    CBackStyleCombo back;
    const QImage before = Sample(back, 2);
    back.SwapColours();
    EXPECT_NE(Sample(back, 2), before);
    EXPECT_EQ(back.BackColour(), 0x80FFFFu);
    back.SwapColours();
    EXPECT_EQ(Sample(back, 2), before);

    back.BlackWhite();
    const QImage bw = Sample(back, 2);
    EXPECT_EQ(bw.pixel(40, 2), qRgb(0, 0, 0));  // top line black
    const QColor last(bw.pixel(40, kStyleItemHeight - 3));
    EXPECT_GT(last.red(), 230);  // towards white at the bottom
    EXPECT_EQ(last.red(), last.green());
    EXPECT_LT(QColor(bw.pixel(40, 5)).red(), last.red());
}

TEST(StyleCombos, TextSamplesAndSelectedItems)
{
    CBackStyleCombo back;
    const QImage transparent = Sample(back, 0);
    const QImage transparentSelected = Sample(back, 0, true);
    const QRgb base = back.palette().color(QPalette::Base).rgb();
    const QRgb highlight = back.palette().color(QPalette::Highlight).rgb();
    EXPECT_EQ(transparent.pixel(0, 0), base);
    EXPECT_EQ(transparentSelected.pixel(0, 0), highlight);
    // Some text is painted right of a sixth of the width.
    bool ink = false;
    for (int x = 80 / 6 + 2; x < 80 && !ink; ++x)
        for (int y = 2; y < kStyleItemHeight - 2; ++y)
            ink = ink || transparent.pixel(x, y) != base;
    EXPECT_TRUE(ink);
    for (int x = 0; x < 80 / 6 + 2; ++x)
        EXPECT_EQ(transparent.pixel(x, 10), base) << x;
}

TEST(ColorButton, ShowsItsColourInARaisedFrame)
{
    QWidget parent;
    parent.setAutoFillBackground(true);
    QPalette pal = parent.palette();
    pal.setColor(QPalette::Window, QColor(10, 200, 10));
    parent.setPalette(pal);
    CColorButton button(&parent);
    button.setGeometry(0, 0, 40, 24);
    button.SetColour(RGB(250, 0, 0));
    EXPECT_EQ(button.Colour(), RGB(250, 0, 0));

    QImage img = parent.grab(QRect(0, 0, 40, 24)).toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(img.pixel(20, 12), qRgb(250, 0, 0));
    EXPECT_EQ(img.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(img.pixel(1, 12), qRgb(255, 255, 255));
    EXPECT_EQ(img.pixel(39, 12), qRgb(0, 0, 0));
    EXPECT_EQ(img.pixel(20, 22), qRgb(0, 0, 0));
    EXPECT_EQ(img.pixel(3, 3), qRgb(10, 200, 10));  // between frame and colour: the page

    button.setDown(true);
    img = parent.grab(QRect(0, 0, 40, 24)).toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(img.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(img.pixel(20, 1), qRgb(0, 0, 0));

    button.setDown(false);
    button.setEnabled(false);
    img = parent.grab(QRect(0, 0, 40, 24)).toImage().convertToFormat(QImage::Format_RGB32);
    for (QPoint p : {QPoint(20, 12), QPoint(0, 0), QPoint(39, 23)})
        EXPECT_EQ(img.pixel(p), qRgb(10, 200, 10)) << p.x() << "," << p.y();
}

}  // namespace
}  // namespace snippo
