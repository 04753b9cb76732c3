#include "widget/server/dialogs/help_dialog.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QPushButton>

#include "widget/server/dialogs/ui_services.h"

namespace snippo {

CHelpDialog::CHelpDialog(QWidget* parent, int templateId, Qt::WindowFlags flags)
    : QDialog(parent, flags), m_nTemplate(templateId)
{
}

QDialogButtonBox* CHelpDialog::MakeButtonColumn()
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help,
                                         Qt::Vertical, this);
    buttons->setObjectName(QStringLiteral("buttonBox"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("okButton"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancelButton"));
    buttons->button(QDialogButtonBox::Help)->setObjectName(QStringLiteral("helpButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, &CHelpDialog::ShowHelp);
    return buttons;
}

void CHelpDialog::ShowHelp() const
{
    ShowDialogHelp(kHelpResourceBase + unsigned(m_nTemplate));
}

void CHelpDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        ShowHelp();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace snippo
