// The About box and its hyperlink label.
#pragma once

#include "host/dialog.h"

#include <QLabel>

namespace snippo {

// A label that opens its target with the shell when clicked: underlined, blue before and
// after a visit, red while the pointer is over it. Without a target of its own it opens its
// text.
class CHyperLink : public QLabel {
public:
    explicit CHyperLink(const QString& text, QWidget* parent = nullptr);

    void SetTarget(const QString& target) { m_strTarget = target; }
    QString Target() const { return m_strTarget.isEmpty() ? text() : m_strTarget; }
    bool IsVisited() const { return m_bVisited; }
    bool IsHovered() const { return m_bOver; }
    QColor CurrentColor() const;

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void Apply();

    QString m_strTarget;
    bool m_bOver = false;
    bool m_bVisited = false;
};

class CAboutDlg : public CDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent);
    CHyperLink* HyperLink() const { return m_pLink; }

private:
    CHyperLink* m_pLink;
};

}  // namespace snippo
