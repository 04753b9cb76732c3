// "Browse Files": the files that already lie in a folder, for the patterns given, so that
// the user can see which names are taken. It has no buttons; the close box or Escape ends it.
#pragma once

#include <QDialog>

class QListWidget;

namespace snippo {

class CDlgBrowseFiles : public QDialog {
    Q_OBJECT

public:
    static constexpr int kTemplate = 611;

    // `patterns` are separated by ";", e.g. "*.gif;*.au".
    CDlgBrowseFiles(const QString& folder, const QString& patterns, QWidget* parent = nullptr);

    // Fills the list and runs the dialog; when the folder or the patterns are unusable it shows
    // why and returns Rejected without running.
    int Exec();
    // The dialog's start; false when it closes at once.
    bool OnInitDialog();

    QListWidget* m_pList;

private:
    QString m_strFolder;
    QString m_strPatterns;
};

}  // namespace snippo
