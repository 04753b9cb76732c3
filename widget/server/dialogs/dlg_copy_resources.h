// "Copy Resources": support files whose names are already taken in the folder a widget is
// saved to. One row per source file (several model fields may name the same file); the user
// may rename the copy in place, look at the folder ("Browse ..."), and on OK every file is
// copied, replacing what has its name, and the model fields are pointed at the copies.
// Escape copies nothing and leaves the model as it was.
#pragma once

#include <QDialog>
#include <map>
#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace snippo {

class CDlgCopyResources : public QDialog {
    Q_OBJECT

public:
    static constexpr int kTemplate = 4006;

    explicit CDlgCopyResources(QWidget* parent = nullptr);

    // The folder the files go to, ending with '/'.
    void SetDestination(const std::string& folder) { m_strDestination = folder; }
    // A model field whose file was not copied because of a name clash; fields that hold the
    // same path share one row and one copy.
    void AddConflict(std::string* pathField);
    int Count() const { return m_nCount; }

    // Fills the list and runs the dialog modally.
    int Exec();

    void OnRename();
    void OnBrowse();
    void accept() override;

    QLabel* m_pHeader;
    QTreeWidget* m_pList;
    QPushButton* m_pOk;
    QPushButton* m_pBrowse;
    QPushButton* m_pRename;

    // The destination file name of each row, in the list's order.
    std::vector<std::string> DestinationNames() const;

private:
    struct Row {
        std::string source;
        std::string name;
        std::vector<std::string*> fields;
    };
    void OnItemChanged(QTreeWidgetItem* item, int column);

    std::string m_strDestination;
    std::map<std::string, std::vector<std::string*>> m_conflicts;
    std::vector<Row> m_rows;
    int m_nCount = 0;
    bool m_bFilling = false;
};

}  // namespace snippo
