// Reads the model back from the named parameter strings of the widget file's Parameter part,
// in three stages: parse the fields, link the tree, build the draw objects.
#include <algorithm>
#include <limits>
#include <map>
#include <numeric>
#include <string>
#include <string_view>

#include "widget/model/applet_parameters.h"
#include "widget/model/string_table.h"
#include "widget/model/text_fields.h"

namespace snippo {

namespace {

// A stored file name becomes a full path in the widget file's folder. Only the text after
// the last separator of either kind counts, so that no widget file can name a file outside
// its own folder ("../secret/key.txt" is "key.txt" there).
std::string InFolder(const std::string& directory, const std::string& stored)
{
    const std::size_t cut = stored.find_last_of("/\\");
    const std::string name = cut == std::string::npos ? stored : stored.substr(cut + 1);
    return name.empty() ? name : directory + name;
}

void ReadMenuStyle(CGlimMenu& m, const std::string& value)
{
    auto f = SplitFields(value);
    m.m_crMenuColorA = static_cast<COLORREF>(FieldInt(f, 0));
    m.m_nMenuValueA = FieldInt(f, 1);
    m.m_nMenuValueC = FieldInt(f, 2);
    m.m_nMenuValueD = FieldInt(f, 3);
    m.m_nX = FieldInt(f, 4);
    m.m_nY = FieldInt(f, 5);
    m.m_nWidth = FieldInt(f, 6);
    m.m_nHeight = FieldInt(f, 7);
    m.m_nMenuValueE = FieldInt(f, 8);
    m.m_nBorderThick = FieldInt(f, 9);
    m.m_crMenuColorB = static_cast<COLORREF>(FieldInt(f, 10));
    m.m_nMenuValueF = FieldInt(f, 11);
    m.m_crMenuColorC = static_cast<COLORREF>(FieldInt(f, 12));
    m.m_strName = FieldText(f, 13);
    m.m_bVisible = FieldInt(f, 14);
}

void ReadItemStyles(CGlimMenu& m, const std::string& value)
{
    auto f = SplitFields(value);
    GlimStateStyle* states[3] = {&m.m_styleNormal, &m.m_styleOver, &m.m_styleClick};
    for (std::size_t i = 0; i < 3; ++i) {
        GlimStateStyle& s = *states[i];
        const std::size_t b = i * 14;
        s.crBack = static_cast<COLORREF>(FieldInt(f, b + 0));
        s.crFont = static_cast<COLORREF>(FieldInt(f, b + 1));
        s.nBackStyle = FieldInt(f, b + 2);
        s.nEffect = FieldInt(f, b + 3);
        s.nFontName = FieldInt(f, b + 4);
        s.nFontSize = FieldInt(f, b + 5);
        s.nFontStyle = FieldInt(f, b + 6);
        s.nImageAlign = FieldInt(f, b + 7);
        s.nTextAlign = FieldInt(f, b + 8);
        s.nImageOffset = FieldInt(f, b + 9);
        s.nTextOffset = FieldInt(f, b + 10);
        s.crBorder = static_cast<COLORREF>(FieldInt(f, b + 11));
        s.nBorderStyle = FieldInt(f, b + 12);
        s.crFade = static_cast<COLORREF>(FieldInt(f, b + 13));
    }
}

void ReadItem(CGlimMenuItem& item, const std::string& value, const std::string& directory)
{
    auto f = SplitFields(value);
    item.m_strLabel = FieldText(f, 0);
    item.m_strDescription = FieldText(f, 1);
    item.m_strLink = FieldText(f, 2);
    item.m_strTarget = FieldText(f, 3);
    for (int r = 0; r < CGlimMenuItem::kResourceCount; ++r)
        item.ResourcePath(r) = InFolder(directory, FieldText(f, 4 + r));
    item.m_bVisible = FieldInt(f, 9);
    for (int r = 0; r < CGlimMenuItem::kResourceCount; ++r)
        item.ResourceWebPath(r) = FieldText(f, 10 + r);
}

// A number as the writer formats it ("%d" of a value that is not negative); false for any
// other text, which a lookup of the writer's names would not match either.
bool ParseNumber(std::string_view text, std::size_t& value)
{
    if (text.empty() || text.size() > 10 || (text.size() > 1 && text[0] == '0'))
        return false;
    std::uint64_t v = 0;
    for (char ch : text) {
        if (ch < '0' || ch > '9')
            return false;
        v = v * 10 + static_cast<std::uint64_t>(ch - '0');
    }
    if (v > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()))
        return false;
    value = static_cast<std::size_t>(v);
    return true;
}

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

// Item k (from 1) of menu j.
struct ItemRef {
    std::size_t menu;
    std::size_t k;
    auto operator<=>(const ItemRef&) const = default;
};

// What Misc and the stored keys say, before anything is built. Items are known by their
// menu and number; only the items that the file names are ever laid out, so a count in
// Misc that promises more than the keys and links hold costs nothing.
struct StoredTree {
    std::size_t menuCount = 0;
    std::vector<std::size_t> counts;           // item count of each menu, as Misc says
    std::vector<std::uint64_t> firstPosition;  // flat position of each menu's item 1
    std::uint64_t positionEnd = 0;
    std::vector<const std::string*> menuStyle;                       // "MStyle-%d" by menu number, or null
    std::vector<const std::string*> itemStyle;                       // "IStyle-%d"
    std::vector<std::pair<ItemRef, const std::string*>> itemValues;  // "I%d-%d"
    struct Link {
        bool topLevel;
        ItemRef item;  // the item that takes the menu, unless top-level
        std::size_t menu;
    };
    std::vector<Link> links;  // in the order of Misc

    // The item at a flat position, when the position lies inside the counts.
    bool ItemAt(std::int64_t position, ItemRef& ref) const
    {
        if (position < 0 || static_cast<std::uint64_t>(position) >= positionEnd)
            return false;
        // The last menu whose first position is not beyond it; empty menus before it share
        // its first position and are passed over.
        const auto it =
            std::upper_bound(firstPosition.begin(), firstPosition.end(), static_cast<std::uint64_t>(position));
        ref.menu = static_cast<std::size_t>(it - firstPosition.begin()) - 1;
        ref.k = static_cast<std::size_t>(static_cast<std::uint64_t>(position) - firstPosition[ref.menu]) + 1;
        return true;
    }
};

StoredTree ParseStoredTree(const std::map<std::string, std::string>& map, const std::vector<std::string_view>& misc)
{
    StoredTree t;
    // Every menu needs its count field in Misc.
    t.menuCount = std::min(static_cast<std::size_t>(std::max(0, FieldInt(misc, 0))), misc.size() - 1);
    t.counts.resize(t.menuCount);
    t.firstPosition.resize(t.menuCount);
    for (std::size_t j = 0; j < t.menuCount; ++j) {
        t.counts[j] = static_cast<std::size_t>(std::max(0, FieldInt(misc, j + 1)));
        t.firstPosition[j] = t.positionEnd;
        t.positionEnd += t.counts[j];
    }

    // One pass over the map: a lookup per name would cost a logarithmic walk each.
    t.menuStyle.resize(t.menuCount);
    t.itemStyle.resize(t.menuCount);
    constexpr std::string_view kMenuStyle = "MStyle-", kItemStyle = "IStyle-";
    for (const auto& [name, value] : map) {
        const std::string_view key = name;
        std::size_t n = 0, k = 0;
        if (key.starts_with(kMenuStyle)) {
            if (ParseNumber(key.substr(kMenuStyle.size()), n) && n < t.menuCount)
                t.menuStyle[n] = &value;
        } else if (key.starts_with(kItemStyle)) {
            if (ParseNumber(key.substr(kItemStyle.size()), n) && n < t.menuCount)
                t.itemStyle[n] = &value;
        } else if (key.starts_with('I')) {
            const std::size_t dash = key.find('-');
            if (dash != std::string_view::npos && ParseNumber(key.substr(1, dash - 1), n) &&
                ParseNumber(key.substr(dash + 1), k) && n < t.menuCount && k >= 1 && k <= t.counts[n])
                t.itemValues.push_back({ItemRef{n, k}, &value});
        }
    }

    // The link fields follow the counts, one per menu.
    const std::size_t linkEnd = std::min(misc.size(), 2 * t.menuCount + 1);
    for (std::size_t f = t.menuCount + 1; f < linkEnd; ++f) {
        const auto parts = SplitFields(misc[f], '-');
        if (parts.size() < 2)
            continue;
        const std::int32_t m = ParseInt(parts[1]);
        if (m < 0 || static_cast<std::size_t>(m) >= t.menuCount)
            continue;
        StoredTree::Link link{parts[0].empty(), ItemRef{}, static_cast<std::size_t>(m)};
        if (!link.topLevel && !t.ItemAt(ParseInt(parts[0]), link.item))
            continue;
        t.links.push_back(link);
    }
    return t;
}

// The items to build, by menu and number. A menu takes the count that Misc gives it; but
// items that no key and no link names cost memory without coming from the text, so all
// menus together get only as many of those as the text is long: beyond that, a count keeps
// the items up to the last one named, or, with large gaps, only the items named.
struct ItemLayout {
    std::vector<ItemRef> items;      // sorted by menu, then number
    std::vector<std::size_t> first;  // first position in `items` of each menu; one more at the end
    std::vector<bool> dense;         // the menu holds its items 1..n without a gap

    std::size_t IndexOf(const ItemRef& ref) const
    {
        const std::size_t begin = first[ref.menu], end = first[ref.menu + 1];
        if (dense[ref.menu])
            return ref.k <= end - begin ? begin + ref.k - 1 : kNone;
        const auto it = std::lower_bound(items.begin() + static_cast<std::ptrdiff_t>(begin),
                                         items.begin() + static_cast<std::ptrdiff_t>(end), ref);
        return it != items.begin() + static_cast<std::ptrdiff_t>(end) && *it == ref
                   ? static_cast<std::size_t>(it - items.begin())
                   : kNone;
    }
};

ItemLayout LayOutItems(const StoredTree& t, std::size_t unnamedBudget)
{
    std::vector<std::size_t> highest(t.menuCount, 0), named(t.menuCount, 0);
    auto note = [&](const ItemRef& r) {
        highest[r.menu] = std::max(highest[r.menu], r.k);
        ++named[r.menu];  // a key and a link may name the same item: an upper bound
    };
    for (const auto& [ref, value] : t.itemValues)
        note(ref);
    for (const auto& link : t.links)
        if (!link.topLevel)
            note(link.item);

    ItemLayout out;
    out.dense.resize(t.menuCount);
    std::vector<std::size_t> denseCount(t.menuCount, 0);
    std::size_t total = 0;
    auto fits = [&](std::size_t count, std::size_t j) {
        const std::size_t unnamed = count > named[j] ? count - named[j] : 0;
        if (unnamed > unnamedBudget)
            return false;
        unnamedBudget -= unnamed;
        return true;
    };
    for (std::size_t j = 0; j < t.menuCount; ++j) {
        if (fits(t.counts[j], j))
            denseCount[j] = t.counts[j];
        else if (fits(highest[j], j))
            denseCount[j] = highest[j];
        out.dense[j] = denseCount[j] > 0 || named[j] == 0;
        total += out.dense[j] ? denseCount[j] : named[j];
    }
    // Sparse menus keep only what is named, sorted.
    std::vector<ItemRef> sparse;
    for (const auto& [ref, value] : t.itemValues)
        if (!out.dense[ref.menu])
            sparse.push_back(ref);
    for (const auto& link : t.links)
        if (!link.topLevel && !out.dense[link.item.menu])
            sparse.push_back(link.item);
    std::sort(sparse.begin(), sparse.end());
    sparse.erase(std::unique(sparse.begin(), sparse.end()), sparse.end());

    out.items.reserve(total);
    out.first.resize(t.menuCount + 1);
    auto next = sparse.begin();
    for (std::size_t j = 0; j < t.menuCount; ++j) {
        out.first[j] = out.items.size();
        if (out.dense[j]) {
            for (std::size_t k = 1; k <= denseCount[j]; ++k)
                out.items.push_back(ItemRef{j, k});
        } else {
            for (; next != sparse.end() && next->menu == j; ++next)
                out.items.push_back(*next);
        }
    }
    out.first[t.menuCount] = out.items.size();
    return out;
}

// How the menus hang together, decided on numbers alone before anything is built.
struct TreeLinks {
    std::vector<std::size_t> subMenuOf;  // by position in the layout: the item's sub-menu, or kNone
    std::vector<std::size_t> topLevel;   // the menus of the buttons, in order
    std::vector<bool> reached;           // the menus that a button reaches
};

TreeLinks LinkTree(const StoredTree& stored, const ItemLayout& layout)
{
    const std::size_t menuCount = stored.menuCount;
    TreeLinks t;
    // Each menu is linked at most once, and never below itself: a menu can only be linked
    // while it is the root of its own tree, so a cycle would need the menu to be the root
    // of the item's tree. `root` is a union-find forest of the trees linked so far.
    std::vector<std::size_t> root(menuCount);
    std::iota(root.begin(), root.end(), 0);
    auto findRoot = [&root](std::size_t m) {
        while (root[m] != m) {
            root[m] = root[root[m]];
            m = root[m];
        }
        return m;
    };
    std::vector<bool> linked(menuCount, false);
    t.subMenuOf.assign(layout.items.size(), kNone);
    for (const auto& link : stored.links) {
        if (link.topLevel)
            continue;
        const std::size_t i = layout.IndexOf(link.item);
        const std::size_t m = link.menu;
        if (i == kNone || t.subMenuOf[i] != kNone || linked[m])
            continue;
        const std::size_t owner = layout.items[i].menu;
        if (findRoot(owner) == m)
            continue;
        t.subMenuOf[i] = m;
        linked[m] = true;
        root[m] = findRoot(owner);
    }
    for (const auto& link : stored.links) {
        if (!link.topLevel || linked[link.menu])
            continue;
        linked[link.menu] = true;
        t.topLevel.push_back(link.menu);
    }

    // Only the menus that the buttons reach are built: a menu that nothing links would die
    // at once, with whatever hangs below it.
    t.reached.assign(menuCount, false);
    std::vector<std::size_t> pending(t.topLevel);
    for (std::size_t m : t.topLevel)
        t.reached[m] = true;
    while (!pending.empty()) {
        const std::size_t j = pending.back();
        pending.pop_back();
        for (std::size_t i = layout.first[j]; i < layout.first[j + 1]; ++i)
            if (t.subMenuOf[i] != kNone && !t.reached[t.subMenuOf[i]]) {
                t.reached[t.subMenuOf[i]] = true;
                pending.push_back(t.subMenuOf[i]);
            }
    }
    return t;
}

// Builds the menus that the buttons reach, with their items, and returns the buttons' menus
// in order.
std::vector<std::unique_ptr<CGlimMenu>> BuildMenus(const StoredTree& stored, const ItemLayout& layout,
                                                   const TreeLinks& links, const std::string& directory)
{
    const std::size_t menuCount = stored.menuCount;
    std::vector<const std::string*> itemValue(layout.items.size(), nullptr);
    for (const auto& [ref, value] : stored.itemValues)
        if (const std::size_t i = layout.IndexOf(ref); i != kNone)
            itemValue[i] = value;

    // `owned` holds each menu until an item or a button takes it; `menus` keeps its address.
    std::vector<std::unique_ptr<CGlimMenu>> owned(menuCount);
    std::vector<CGlimMenu*> menus(menuCount, nullptr);
    const std::string menuStyleDefault = "0,0,0,0,40,15,80,20,5,10,0,0,0,Menu,1";
    const std::string& itemStyleDefault = LoadWidgetString(IDS_ISTYLE_DEFAULT);
    for (std::size_t j = 0; j < menuCount; ++j) {
        if (!links.reached[j])
            continue;
        owned[j] = std::make_unique<CGlimMenu>(0, "GlimButton");
        menus[j] = owned[j].get();
        ReadMenuStyle(*menus[j], stored.menuStyle[j] ? *stored.menuStyle[j] : menuStyleDefault);
        ReadItemStyles(*menus[j], stored.itemStyle[j] ? *stored.itemStyle[j] : itemStyleDefault);
    }
    for (std::size_t j = 0; j < menuCount; ++j) {
        if (!links.reached[j])
            continue;
        menus[j]->m_items.reserve(layout.first[j + 1] - layout.first[j]);
        for (std::size_t i = layout.first[j]; i < layout.first[j + 1]; ++i) {
            const std::size_t s = links.subMenuOf[i];
            std::unique_ptr<CGlimMenu> sub =
                s != kNone ? std::move(owned[s]) : std::make_unique<CGlimMenu>(0, "GlimButton");
            auto item = std::make_unique<CGlimMenuItem>("Button", std::move(sub));
            // A missing item keeps the constructor's defaults.
            if (const std::string* value = itemValue[i])
                ReadItem(*item, *value, directory);
            menus[j]->AddItem(std::move(item), 0);
        }
    }
    std::vector<std::unique_ptr<CGlimMenu>> buttons;
    buttons.reserve(links.topLevel.size());
    for (std::size_t m : links.topLevel)
        buttons.push_back(std::move(owned[m]));
    return buttons;
}

}  // namespace

void CAppletParameters::ReadAppletFields(const CWidgetConfig& config, const std::string& directory)
{
    {
        const std::string value = config.GetParameter("WindowPosition", "");
        const auto f = SplitFields(value);
        for (std::size_t i = 0; i < m_nWindowPos.size(); ++i)
            m_nWindowPos[i] = FieldInt(f, i);
    }

    // Without "ApStyle" the applet keeps its settings: the built-in default text is in an
    // older field order and would read as nonsense.
    if (!config.m_mapParameters.count("ApStyle"))
        return;
    const std::string value = config.GetParameter("ApStyle", LoadWidgetString(IDS_APSTYLE_DEFAULT));
    const auto f = SplitFields(value);
    m_strAppletName = FieldText(f, 0);
    m_nAlign = FieldInt(f, 1);
    m_nWidth = FieldInt(f, 2);
    m_nHeight = FieldInt(f, 3);
    m_crBack = static_cast<COLORREF>(FieldInt(f, 4));
    m_crFade = static_cast<COLORREF>(FieldInt(f, 5));
    m_strBackImage = InFolder(directory, FieldText(f, 6));
    m_nImageMode = FieldInt(f, 7);
    m_nImageX = FieldInt(f, 8);
    m_nImageY = FieldInt(f, 9);
    m_strBackAudio = InFolder(directory, FieldText(f, 10));
    m_nBackStyle = FieldInt(f, 11);
    m_nBorderStyle = FieldInt(f, 12);
    m_nBorderThick = FieldInt(f, 13);
    m_crBorder = static_cast<COLORREF>(FieldInt(f, 14));
    m_strBackImageWeb = FieldText(f, 15);
    m_strBackAudioWeb = FieldText(f, 16);
    m_strClassWebPath = FieldText(f, 17);
    m_bProgressBar = FieldInt(f, 18);
    m_strLoadingMessage = FieldText(f, 19);
}

int CAppletParameters::ReadParameters(CWidgetConfig& config, const std::string& directory)
{
    ReadAppletFields(config, directory);
    const std::string miscText = config.GetParameter(LoadWidgetString(IDS_MISC_KEY), "");
    if (miscText.empty())
        return 1;

    // Parse the stored fields, link the tree on numbers alone, then build it.
    const auto miscFields = SplitFields(miscText);
    const StoredTree stored = ParseStoredTree(config.m_mapParameters, miscFields);
    const ItemLayout layout = LayOutItems(stored, 2 * (miscFields.size() + config.m_mapParameters.size()) + 64);
    const TreeLinks links = LinkTree(stored, layout);
    std::vector<std::unique_ptr<CGlimMenu>> buttonMenus = BuildMenus(stored, layout, links, directory);

    DeleteContents();
    for (std::unique_ptr<CGlimMenu>& menu : buttonMenus) {
        menu->m_strName = "top-level";
        auto obj = std::make_unique<CDrawRect>();
        obj->m_position = CRect{menu->m_nX, menu->m_nY, CRect::WrapAdd(menu->m_nX, menu->m_nWidth),
                                CRect::WrapAdd(menu->m_nY, menu->m_nHeight)};
        obj->SetMenu(std::move(menu));
        AddObject(std::move(obj));
    }
    return 1;
}

}  // namespace snippo
