#pragma once

#include <vector>

namespace snippo {

template <class Menu, class F> void ForEachMenu(Menu* root, F&& f)
{
    std::vector<Menu*> stack{root};
    while (!stack.empty()) {
        Menu* m = stack.back();
        stack.pop_back();
        if (!m)
            continue;
        f(m);
        for (auto it = m->m_items.rbegin(); it != m->m_items.rend(); ++it)
            stack.push_back((*it)->m_pSubMenu.get());
    }
}

}  // namespace snippo
