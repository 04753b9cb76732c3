// CWebPathFileDialog: the file chooser of the Image, Audio and "Applet More" "..." buttons.
// The user picks an existing file and may type, in the "Web Path:" field below, the web path
// under which the published page will find it.
#pragma once

#include <QFileDialog>

class QLineEdit;

namespace snippo {

class CWebPathFileDialog : public QFileDialog {
    Q_OBJECT

public:
    // `filter` in the form "Description | *.a;*.b ||": pairs of a description and patterns.
    CWebPathFileDialog(const QString& localPath, const QString& webPath, const QString& filter,
                       QWidget* parent = nullptr);

    int Exec();
    // The chosen file's full path.
    QString GetPathName() const;
    // The web path typed last: empty stays empty; otherwise "/" for every backslash and one
    // "/" at the end.
    QString GetWebPath() const;
    QLineEdit* WebPathEdit() const { return m_pWebPath; }

private:
    QLineEdit* m_pWebPath;
    QString m_strWebPath;
};

// Turns a filter of the form "Description | *.a;*.b ||" into the file dialog's name filters.
QStringList NameFiltersFrom(const QString& filter);
// The web path rule shared by the file dialog and "Class Web Path:".
QString NormaliseWebPath(const QString& path);

}  // namespace snippo
