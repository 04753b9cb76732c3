// "Image" and "Audio": the pictures (normal, mouse over, click) or sounds (mouse over, click)
// of a button, each a local path with the web path under which the page finds it, and
// whether they go to this button only or to all the buttons. The web paths have no field of
// their own: "..." sets them together with the path. The caller fills the values and writes
// them back on OK.
#pragma once

#include <QCoreApplication>
#include <string>
#include <vector>

#include "widget/server/dialogs/help_dialog.h"

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace snippo {

class CDlgResourceFiles : public CHelpDialog {
    Q_OBJECT

public:
    // Fills the controls from the values and runs the dialog modally.
    int Exec();

    void SetValue(int row, const std::string& path, const std::string& webPath);
    std::string Path(int row) const;
    std::string WebPath(int row) const;
    int RowCount() const { return static_cast<int>(m_rows.size()); }
    QLineEdit* PathEdit(int row) const { return m_rows[row].edit; }
    QPushButton* BrowseButton(int row) const { return m_rows[row].browse; }

    // 0 "Only this button", 1 "All the buttons", -1 none chosen.
    int m_nApplyTo = -1;
    QRadioButton* m_pOnlyThis;
    QRadioButton* m_pAllButtons;

    void OnBrowse(int row);
    void accept() override;

protected:
    struct RowLayout {
        QString label;
        QString name;
    };
    CDlgResourceFiles(QWidget* parent, const QString& caption, const QString& name, int templateId,
                      const std::vector<RowLayout>& rows, const QString& filter);

private:
    struct Row {
        QLineEdit* edit = nullptr;
        QPushButton* browse = nullptr;
        std::string path;
        std::string webPath;
    };
    void ReadControls();
    void ShowValues();

    std::vector<Row> m_rows;
    QString m_strFilter;
};

class CDlgImage : public CDlgResourceFiles {
    Q_OBJECT

public:
    static constexpr int kTemplate = 150;
    explicit CDlgImage(QWidget* parent = nullptr);
};

class CDlgAudio : public CDlgResourceFiles {
    Q_OBJECT

public:
    static constexpr int kTemplate = 151;
    explicit CDlgAudio(QWidget* parent = nullptr);
};

// The filters handed to the file dialog, as they stand; FileFilter gives them translated.
inline constexpr const char* kImageFilter =
    QT_TRANSLATE_NOOP("snippo::CDlgResourceFiles", "Image Files(*.GIF,*.JPG.*.JPEG) | *.gif;*.jpg;*.jpeg ||");
inline constexpr const char* kAudioFilter = QT_TRANSLATE_NOOP("snippo::CDlgResourceFiles", "Audio Files(*.au) | *.au");
inline QString FileFilter(const char* filter)
{
    return QCoreApplication::translate("snippo::CDlgResourceFiles", filter);
}

}  // namespace snippo
