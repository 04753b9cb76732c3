#include "host/color_form_view.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLayout>
#include <QPalette>

namespace snippo {

namespace {

QColor buttonFace()
{
    return QApplication::palette().color(QPalette::Button);
}

}  // namespace

CColorFormView::CColorFormView(int idTemplate, int widthDlu, int heightDlu, QWidget* parent)
    : QScrollArea(parent), m_nIDTemplate(idTemplate), m_pForm(new QWidget), m_units(m_pForm->font())
{
    m_pForm->setObjectName("form");
    m_pForm->setFixedSize(m_units.X(widthDlu), m_units.Y(heightDlu));
    m_pForm->setAutoFillBackground(true);
    setWidget(m_pForm);
    setWidgetResizable(false);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    SetBackgroundColor(buttonFace());
}

void CColorFormView::SetBackgroundColor(const QColor& color)
{
    m_crBack = color;
    for (QWidget* w : {static_cast<QWidget*>(viewport()), m_pForm}) {
        QPalette p = w->palette();
        p.setColor(QPalette::Window, color);
        w->setPalette(p);
        w->setAutoFillBackground(true);
    }
}

void CColorFormView::SetFormLayout(QLayout* layout)
{
    m_pForm->setLayout(layout);
    // The hint, not the minimum: a caption's minimum is its place, its hint the whole text.
    m_pForm->setFixedSize(m_pForm->size().expandedTo(layout->sizeHint()));
}

QSize CColorFormView::sizeHint() const
{
    int frame = 2 * frameWidth();
    return m_pForm->size() + QSize(frame, frame);
}

CColorStatic::CColorStatic(const QString& text, QWidget* parent)
    : QLabel(text, parent), m_crText(QApplication::palette().color(QPalette::WindowText)), m_crBack(buttonFace())
{
    // Captions and widget names are shown as written: "<HEAD></HEAD>" or a name holding
    // "<b>" must not be taken for markup.
    setTextFormat(Qt::PlainText);
    setFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setAutoFillBackground(true);
    Apply();
}

void CColorStatic::SetTextColor(const QColor& color)
{
    m_crText = color;
    Apply();
}

void CColorStatic::SetBackgroundColor(const QColor& color)
{
    m_crBack = color;
    Apply();
}

void CColorStatic::Apply()
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, m_crText);
    p.setColor(QPalette::Window, m_crBack);
    setPalette(p);
}

}  // namespace snippo
