#pragma once

#include <vector>

namespace snippo {

template <class F>
void ForEachMenu(CGlimMenu* root, F&& f)
{
    std::vector<CGlimMenu*> stack{root};
    while (!stack.empty()) {
        CGlimMenu* m = stack.back();
        stack.pop_back();
        if (!m)
            continue;
        f(m);
        for (auto it = m->m_items.rbegin(); it != m->m_items.rend(); ++it)
            stack.push_back((*it)->m_pSubMenu);
    }
}

}  // namespace snippo
