#include "widget/editor/message_box.h"

namespace snippo {

namespace {

struct Record {
    QString text;
    QString caption;
    int count = 0;
};

Record& LastRecord()
{
    static Record record;
    return record;
}

}  // namespace

std::optional<QMessageBox::StandardButton>& EditorMessageBox::NextAnswer()
{
    static std::optional<QMessageBox::StandardButton> answer;
    return answer;
}

QMessageBox::StandardButton EditorMessageBox::Show(QWidget* parent, const QString& text, const QString& caption,
                                                   QMessageBox::Icon icon, QMessageBox::StandardButtons buttons)
{
    Record& record = LastRecord();
    record.text = text;
    record.caption = caption;
    ++record.count;
    if (auto answer = NextAnswer()) {
        NextAnswer().reset();
        return *answer;
    }
    QMessageBox box(icon, caption, text, buttons, parent);
    box.setObjectName(QStringLiteral("editorMessageBox"));
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void EditorMessageBox::SetNextAnswer(QMessageBox::StandardButton answer)
{
    NextAnswer() = answer;
}

QString EditorMessageBox::LastText()
{
    return LastRecord().text;
}

QString EditorMessageBox::LastCaption()
{
    return LastRecord().caption;
}

int EditorMessageBox::ShownCount()
{
    return LastRecord().count;
}

void EditorMessageBox::ResetRecord()
{
    LastRecord() = Record{};
}

}  // namespace snippo
