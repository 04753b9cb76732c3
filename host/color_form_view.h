// CColorFormView: a form view (a fixed-size form of controls, scrolled when the window is
// smaller) whose whole client area is filled with a background colour of its own.
// CColorStatic: a label with its own text and background colours and its own copy of the
// default GUI font.
#pragma once

#include "host/dialog.h"

#include <QColor>
#include <QLabel>
#include <QScrollArea>

namespace snippo {

class CColorFormView : public QScrollArea {
public:
    // The form is `widthDlu` by `heightDlu` dialog units.
    CColorFormView(int idTemplate, int widthDlu, int heightDlu, QWidget* parent = nullptr);

    void SetBackgroundColor(const QColor& color);
    QColor BackgroundColor() const { return m_crBack; }
    QWidget* Form() const { return m_pForm; }
    int IDTemplate() const { return m_nIDTemplate; }
    QSize sizeHint() const override;

    virtual void OnInitialUpdate() {}

protected:
    const DialogUnits& Units() const { return m_units; }
    // Installs the layout of the form's controls. The form keeps its size in dialog units
    // unless the controls need more room (another font, a longer caption).
    void SetFormLayout(QLayout* layout);

private:
    int m_nIDTemplate;
    QWidget* m_pForm;
    DialogUnits m_units;
    QColor m_crBack;
};

class CColorStatic : public QLabel {
public:
    explicit CColorStatic(const QString& text, QWidget* parent = nullptr);

    void SetTextColor(const QColor& color);
    void SetBackgroundColor(const QColor& color);
    QColor TextColor() const { return m_crText; }
    QColor BackgroundColor() const { return m_crBack; }

private:
    void Apply();

    QColor m_crText;
    QColor m_crBack;
};

}  // namespace snippo
