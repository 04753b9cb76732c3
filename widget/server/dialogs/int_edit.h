// Integer fields of the pages and dialogs: a plain edit that takes any text, an up-down
// beside it, and the reading rule of the dialogs (a message and the focus on the first field
// that is not an acceptable integer).
#pragma once

#include <QLineEdit>
#include <QWidget>
#include <cstdint>

class QHBoxLayout;
class QToolButton;

namespace snippo {

// The two arrows beside an integer edit. A click reads the edit (its last good value when
// the text is not a number), steps by one within the range and writes the result back into
// the edit, which then notifies its page like typing does.
class CUpDown : public QWidget {
    Q_OBJECT

public:
    CUpDown(QLineEdit* buddy, QWidget* parent);
    void SetRange(int low, int high);
    int Lower() const { return m_low; }
    int Upper() const { return m_high; }
    // As `steps` clicks on the up (positive) or down (negative) arrow.
    void StepBy(int steps);

private:
    QLineEdit* m_buddy;
    QToolButton* m_up;
    QToolButton* m_down;
    int m_low = 0;
    int m_high = 100;
    int m_pos = 0;
};

// Parses the text of an integer field: blanks around, an optional sign, decimal digits, and a
// value within 32 bits. False for anything else.
bool ParseIntegerText(const QString& text, std::int32_t* value);

// Reads one integer field into `value`. On failure shows "Please enter an integer." or
// "Please enter an integer between LOW and HIGH.", gives the field the focus with its text
// selected, leaves `value` alone and returns false.
bool ReadIntField(QLineEdit* edit, std::int32_t low, std::int32_t high, std::int32_t& value);
// The same without a range (any 32-bit integer).
bool ReadIntField(QLineEdit* edit, std::int32_t& value);

// While one of these lives, ReadIntField fails without a message and leaves the focus alone:
// the pages apply as the user types, and a number half typed is no mistake yet.
class QuietIntReading {
public:
    QuietIntReading();
    ~QuietIntReading();
    QuietIntReading(const QuietIntReading&) = delete;
    QuietIntReading& operator=(const QuietIntReading&) = delete;

private:
    bool m_was;
};

// "", "-" or "+" (blanks around allowed): a number the user has only begun to type.
bool IsIncompleteNumber(const QString& text);
// Whether `edit` is an integer field (one with an up-down beside it).
bool IsNumberField(const QLineEdit* edit);
// The field of the last failed loud ReadIntField, null when it is gone.
QLineEdit* LastRejectedField();

// Puts a number into a field.
void ShowInt(QLineEdit* edit, std::int32_t value);

// A narrow edit for a number, and the row that puts its up-down right beside it.
QLineEdit* MakeNumberEdit(const QString& name, QWidget* parent);
QHBoxLayout* EditWithUpDown(QLineEdit* edit, CUpDown* spin);

}  // namespace snippo
