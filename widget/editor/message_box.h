// The editor's message boxes go through here, so that a test can answer the next box in
// advance and read the exact text that would have been shown.
#pragma once

#include <QMessageBox>
#include <QString>
#include <optional>

namespace snippo {

class EditorMessageBox {
public:
    static QMessageBox::StandardButton Show(QWidget* parent, const QString& text, const QString& caption,
                                            QMessageBox::Icon icon = QMessageBox::Warning,
                                            QMessageBox::StandardButtons buttons = QMessageBox::Ok);

    // The next box is not shown; Show returns `answer` at once.
    static void SetNextAnswer(QMessageBox::StandardButton answer);
    // The text and caption of the last box asked for, and how many were asked for.
    static QString LastText();
    static QString LastCaption();
    static int ShownCount();
    static void ResetRecord();

private:
    static std::optional<QMessageBox::StandardButton>& NextAnswer();
};

}  // namespace snippo
