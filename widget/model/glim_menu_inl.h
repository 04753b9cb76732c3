#pragma once

#include <utility>
#include <vector>

namespace snippo {

template <class Menu, class F> void ForEachMenu(Menu* root, std::size_t& items, F&& f)
{
    // Each waiting menu goes with the flat position of the item that holds it.
    std::vector<std::pair<Menu*, std::size_t>> stack{{root, kNoOwner}};
    while (!stack.empty()) {
        const auto [m, owner] = stack.back();
        stack.pop_back();
        if (!m)
            continue;
        const std::size_t first = items;
        items += m->m_items.size();
        f(m, owner);
        for (std::size_t i = m->m_items.size(); i-- > 0;)
            stack.emplace_back(m->m_items[i]->m_pSubMenu.get(), first + i);
    }
}

template <class Menu, class F> void ForEachMenu(Menu* root, F&& f)
{
    std::size_t items = 0;
    ForEachMenu(root, items, [&](Menu* m, std::size_t) { f(m); });
}

template <class Menu, class Visit> void NumberMenus(Menu* root, MenuCount& count, Visit&& visit)
{
    ForEachMenu(root, count.items, [&](Menu* m, std::size_t owner) {
        m->m_nIndex = count.menus++;
        visit(m, owner);
    });
}

}  // namespace snippo
