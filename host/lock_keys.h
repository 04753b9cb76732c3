// The CAP, NUM and SCRL panes of the status bar: the keyboard's lock state, read from the X
// server's keyboard indicators. Where the platform does not tell it (no X11, offscreen) the
// panes stay blank.
#pragma once

#include <QObject>
#include <QString>

#include <optional>

class QLabel;

namespace snippo {

struct LockKeyState {
    bool bCaps = false;
    bool bNum = false;
    bool bScroll = false;
    bool operator==(const LockKeyState&) const = default;
};

// The keyboard's indicator bits (bit n = indicator n lit) read through the indices of the
// "Caps Lock", "Num Lock" and "Scroll Lock" indicators; an index below 0 is an indicator that
// the keyboard map does not have, which is never lit.
LockKeyState LockStateFromIndicators(unsigned bits, int capsIndex, int numIndex, int scrollIndex);

// The text of an indicator pane: its indicator string while the lock is on, else nothing.
inline QString LockPaneText(const char* indicator, bool on)
{
    return on ? QString::fromLatin1(indicator) : QString();
}

// The lock state from the X server, or nothing when the program does not run on X11.
std::optional<LockKeyState> QueryLockKeys();

// Keeps three panes up to date: at once, after every key press and release, and whenever a
// window of the program is activated (a lock may have changed in another program meanwhile).
class CLockKeyPanes : public QObject {
public:
    CLockKeyPanes(QLabel* caps, QLabel* num, QLabel* scroll, QObject* parent);
    void Update();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* m_pCaps;
    QLabel* m_pNum;
    QLabel* m_pScroll;
};

}  // namespace snippo
