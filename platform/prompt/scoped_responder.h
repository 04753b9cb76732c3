// A stand-in for the user. While an instance lives, the handler it holds answers the
// questions of its kind instead of the user (tests install one, so that nothing waits for a
// user). Each handler type has one slot in the program: an instance takes the slot over and
// gives the handler before it back when it goes, so instances nest. `Owner` keeps apart slots
// of one handler type: the widget library's prompts are answered apart from the program's.
#pragma once

#include <utility>

namespace snippo {

template <class Handler, class Owner = void> class ScopedResponder {
public:
    explicit ScopedResponder(Handler handler) : m_previous(std::exchange(Slot(), std::move(handler))) {}
    ~ScopedResponder() { Slot() = std::move(m_previous); }
    ScopedResponder(const ScopedResponder&) = delete;
    ScopedResponder& operator=(const ScopedResponder&) = delete;

    // The handler in place; an empty one while no instance lives.
    static const Handler& Current() { return Slot(); }

private:
    static Handler& Slot()
    {
        static Handler handler;
        return handler;
    }

    Handler m_previous;
};

}  // namespace snippo
