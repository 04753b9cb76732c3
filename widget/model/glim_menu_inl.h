#pragma once

#include <utility>
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

template <class Menu, class Visit> void NumberMenus(Menu* root, MenuCount& count, Visit&& visit)
{
    // Each waiting menu goes with the flat position of the item that holds it.
    std::vector<std::pair<Menu*, std::size_t>> stack{{root, kNoOwner}};
    while (!stack.empty()) {
        const auto [m, owner] = stack.back();
        stack.pop_back();
        if (!m)
            continue;
        m->m_nIndex = count.menus++;
        const std::size_t first = count.items;
        count.items += m->m_items.size();
        visit(m, owner);
        for (std::size_t i = m->m_items.size(); i-- > 0;)
            stack.emplace_back(m->m_items[i]->m_pSubMenu.get(), first + i);
    }
}

}  // namespace snippo
