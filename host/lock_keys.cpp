#include "host/lock_keys.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>

namespace snippo {

LockKeyState LockStateFromIndicators(unsigned bits, int capsIndex, int numIndex, int scrollIndex)
{
    auto lit = [bits](int index) { return index >= 0 && index < 32 && (bits & (1u << index)) != 0; };
    return {lit(capsIndex), lit(numIndex), lit(scrollIndex)};
}

CLockKeyPanes::CLockKeyPanes(QLabel* caps, QLabel* num, QLabel* scroll, QObject* parent)
    : QObject(parent), m_pCaps(caps), m_pNum(num), m_pScroll(scroll)
{
    qApp->installEventFilter(this);
    Update();
}

void CLockKeyPanes::Update()
{
    LockKeyState state = QueryLockKeys().value_or(LockKeyState{});
    m_pCaps->setText(LockPaneText("CAP", state.bCaps));
    m_pNum->setText(LockPaneText("NUM", state.bNum));
    m_pScroll->setText(LockPaneText("SCRL", state.bScroll));
}

bool CLockKeyPanes::eventFilter(QObject* watched, QEvent* event)
{
    // Every key event and every activation reaches a native window first; the widgets it then
    // passes through need no second look. The lock is toggled by the press and lit by the time
    // of the release.
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::FocusIn:
        if (watched->isWindowType())
            Update();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace snippo
