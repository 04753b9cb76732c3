#include "widget/server/dialogs/dlg_copy_resources.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <filesystem>
#include <system_error>

#include "widget/editor/prompt_service.h"
#include "widget/model/text_fields.h"
#include "widget/server/dialogs/dlg_browse_files.h"
#include "widget/server/dialogs/ui_services.h"

namespace snippo {

CDlgCopyResources::CDlgCopyResources(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CDlgCopyResources"));
    setWindowTitle(tr("Copy Resources"));

    auto* note = new QLabel(tr("These files' names have already been used in the destination directory. "
                               "If you don't rename the destination file's name, the files with same "
                               "name will be overwritten."),
                            this);
    note->setObjectName(QStringLiteral("noteLabel"));
    note->setWordWrap(true);
    m_pHeader = new QLabel(this);
    m_pHeader->setObjectName(QStringLiteral("destinationLabel"));
    m_pList = new QTreeWidget(this);
    m_pList->setObjectName(QStringLiteral("conflictList"));
    m_pList->setRootIsDecorated(false);
    m_pList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pList->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    m_pList->setColumnCount(2);
    m_pList->setHeaderLabels({tr("Destination File Name"), tr("Resource File")});
    m_pList->header()->setStretchLastSection(true);

    m_pOk = new QPushButton(tr("OK"), this);
    m_pOk->setObjectName(QStringLiteral("okButton"));
    m_pOk->setDefault(true);
    m_pBrowse = new QPushButton(tr("Browse ..."), this);
    m_pBrowse->setObjectName(QStringLiteral("browseButton"));
    m_pBrowse->setAutoDefault(false);
    m_pRename = new QPushButton(tr("Rename"), this);
    m_pRename->setObjectName(QStringLiteral("renameButton"));
    m_pRename->setAutoDefault(false);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_pOk);
    buttons->addWidget(m_pBrowse);
    buttons->addWidget(m_pRename);
    buttons->addStretch(1);
    auto* left = new QVBoxLayout;
    left->addWidget(note);
    left->addWidget(m_pHeader);
    left->addWidget(m_pList, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);
    resize(560, 300);

    connect(m_pOk, &QPushButton::clicked, this, &CDlgCopyResources::accept);
    connect(m_pBrowse, &QPushButton::clicked, this, &CDlgCopyResources::OnBrowse);
    connect(m_pRename, &QPushButton::clicked, this, &CDlgCopyResources::OnRename);
    connect(m_pList, &QTreeWidget::itemChanged, this, &CDlgCopyResources::OnItemChanged);
}

void CDlgCopyResources::AddConflict(std::string* pathField)
{
    m_conflicts[*pathField].push_back(pathField);
    ++m_nCount;
}

int CDlgCopyResources::Exec()
{
    m_pHeader->setText(tr("Destination Directory: ") + QString::fromStdString(m_strDestination));
    const QFontMetrics metrics(m_pList->header()->font());
    const int margin = 2 * m_pList->header()->style()->pixelMetric(QStyle::PM_HeaderMargin) + 8;
    m_pList->setColumnWidth(0, metrics.horizontalAdvance(tr("Destination File Name")) + margin);
    m_pList->setColumnWidth(1, metrics.horizontalAdvance(tr("Resource File")) + margin + 140);

    m_bFilling = true;
    m_pList->clear();
    m_rows.clear();
    for (const auto& [source, fields] : m_conflicts) {
        Row row{source, FileNameOf(source), fields};
        auto* item = new QTreeWidgetItem(m_pList);
        item->setText(0, QString::fromStdString(row.name));
        item->setText(1, QString::fromStdString(row.source));
        item->setFlags(item->flags() | Qt::ItemIsEditable);
        m_rows.push_back(std::move(row));
    }
    m_pList->setCurrentItem(nullptr);
    m_pList->clearSelection();
    m_bFilling = false;
    return ModalRunner::Run(*this);
}

std::vector<std::string> CDlgCopyResources::DestinationNames() const
{
    std::vector<std::string> names;
    for (const Row& row : m_rows)
        names.push_back(row.name);
    return names;
}

void CDlgCopyResources::OnRename()
{
    const QList<QTreeWidgetItem*> selected = m_pList->selectedItems();
    if (selected.isEmpty()) {
        widget::ShowWindowPrompt(this, tr("Please select a file to rename first!"));
        return;
    }
    m_pList->setFocus();
    m_pList->editItem(selected.front(), 0);
}

void CDlgCopyResources::OnItemChanged(QTreeWidgetItem* item, int column)
{
    if (m_bFilling || column != 0)
        return;
    const int index = m_pList->indexOfTopLevelItem(item);
    if (index < 0 || index >= static_cast<int>(m_rows.size()))
        return;
    const QString text = item->text(0);
    // A copy keeps its name unless a usable new one is given: a name is never empty and
    // never leads out of the destination folder.
    const bool usable =
        !text.isEmpty() && !text.contains(u'/') && text != QStringLiteral(".") && text != QStringLiteral("..");
    if (usable) {
        m_rows[index].name = text.toStdString();
        return;
    }
    m_bFilling = true;
    item->setText(0, QString::fromStdString(m_rows[index].name));
    m_bFilling = false;
}

void CDlgCopyResources::OnBrowse()
{
    CDlgBrowseFiles dlg(QString::fromStdString(m_strDestination), QStringLiteral("*.gif;*.jpg;*.jpeg;*.au"), this);
    dlg.Exec();
}

void CDlgCopyResources::accept()
{
    namespace fs = std::filesystem;
    for (const Row& row : m_rows) {
        const std::string target = m_strDestination + row.name;
        std::error_code ec;
        // Copying a file onto itself would empty it; a row renamed to its own source is done.
        const bool same = fs::equivalent(row.source, target, ec);
        ec.clear();
        if (!same)
            fs::copy_file(row.source, target, fs::copy_options::overwrite_existing, ec);
        if (ec) {
            // The model keeps pointing at the original file rather than at a file of that name
            // that is not the one the user chose.
            widget::ShowWindowPrompt(this, tr("The file %1 could not be copied to %2: %3")
                                               .arg(QString::fromStdString(row.source), QString::fromStdString(target),
                                                    QString::fromStdString(ec.message())));
            continue;
        }
        for (std::string* field : row.fields)
            *field = target;
    }
    QDialog::accept();
}

}  // namespace snippo
