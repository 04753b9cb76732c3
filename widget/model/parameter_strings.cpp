// The configuration form of the model: named parameter strings written to and read from the
// Parameter part of the widget file.
#include <algorithm>
#include <charconv>
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

// Appends a number and a separator; colours go through here too, in decimal.
void Num(std::string& out, std::int64_t v, const char* sep = ",")
{
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, static_cast<std::int32_t>(v)).ptr;
    out.append(digits, end);
    out += sep;
}

void Text(std::string& out, const std::string& v, const char* sep = ",")
{
    out += v;
    out += sep;
}

std::string StoredName(const std::string& path)
{
    return FileNameOf(path);
}

const GlimStateStyle* States(const CGlimMenu& m, int i)
{
    const GlimStateStyle* s[3] = {&m.m_styleNormal, &m.m_styleOver, &m.m_styleClick};
    return s[i];
}

// A stored file name becomes a full path in the widget file's folder.
std::string InFolder(const std::string& directory, const std::string& name)
{
    return name.empty() ? name : directory + name;
}

}  // namespace

// The values of every menu by menu number, as one writing pass produces them.
struct EncodedMenus {
    std::vector<std::string> menuStyle;    // "MStyle-%d"
    std::vector<std::string> itemStyle;    // "IStyle-%d"
    std::vector<std::size_t> firstItem;    // position of each menu's first item in `items`
    std::vector<std::string> items;        // "I%d-%d", grouped by menu
    std::vector<std::int32_t> subMenu;     // the number of each item's sub-menu, by flat position
};

namespace {

// Calls f(n) for n = 1..last in the order of their decimal texts (1, 10, 100, 11, ..., 2, 20,
// ...), the order in which the parameter map sorts names that end in those numbers.
template <class F>
void InTextOrder(std::size_t last, F&& f)
{
    std::size_t n = 1;
    for (std::size_t i = 0; i < last; ++i) {
        f(n);
        if (n <= last / 10) {
            n *= 10;
        } else {
            if (n >= last)
                n /= 10;
            ++n;
            while (n % 10 == 0)
                n /= 10;
        }
    }
}

// The same for n = 0..count-1.
template <class F>
void InTextOrderFromZero(std::size_t count, F&& f)
{
    if (count == 0)
        return;
    f(std::size_t{0});
    InTextOrder(count - 1, f);
}

}  // namespace

void CAppletParameters::WriteParameters(CWidgetConfig& config)
{
    // Built aside and then swapped in: the new entries are laid out in fresh memory in the
    // order they are written, rather than in the scattered blocks of the entries replaced.
    std::map<std::string, std::string> map;

    std::string version = "1.0";
    std::string windowPos;
    for (std::size_t i = 0; i < m_nWindowPos.size(); ++i)
        Num(windowPos, m_nWindowPos[i], i + 1 < m_nWindowPos.size() ? "," : "");

    std::string v;
    Text(v, m_strAppletName);
    Num(v, m_nAlign);
    Num(v, m_nWidth);
    Num(v, m_nHeight);
    Num(v, m_crBack);
    Num(v, m_crFade);
    Text(v, StoredName(m_strBackImage));
    Num(v, m_nImageMode);
    Num(v, m_nImageX);
    Num(v, m_nImageY);
    Text(v, StoredName(m_strBackAudio));
    Num(v, m_nBackStyle);
    Num(v, m_nBorderStyle);
    Num(v, m_nBorderThick);
    Num(v, m_crBorder);
    Text(v, m_strBackImageWeb);
    Text(v, m_strBackAudioWeb);
    Text(v, m_strClassWebPath);
    Num(v, m_bProgressBar);
    Text(v, m_strLoadingMessage, "");
    map.emplace_hint(map.end(), "ApStyle", std::move(v));

    m_nMenuCounter = 0;
    m_strMenuCounts.clear();
    m_arrFlatItems.clear();
    // Sized up front: growing these while a large widget is written moves every value
    // written so far, several times over.
    EncodedMenus out;
    std::size_t menuTotal = 0, itemTotal = 0;
    for (const auto& obj : m_listDrawObjects)
        ForEachMenu(obj->m_pMenu, [&](CGlimMenu* m) {
            ++menuTotal;
            itemTotal += m->m_items.size();
        });
    out.menuStyle.reserve(menuTotal);
    out.itemStyle.reserve(menuTotal);
    out.firstItem.reserve(menuTotal + 1);
    out.items.reserve(itemTotal);
    out.subMenu.reserve(itemTotal);
    std::vector<std::int32_t> topLevel;
    topLevel.reserve(m_listDrawObjects.size());
    for (const auto& obj : m_listDrawObjects) {
        CRect r = obj->m_position.Normalized();
        CGlimMenu* menu = obj->m_pMenu;
        menu->m_nX = r.left;
        menu->m_nY = r.top;
        menu->m_nWidth = r.Width();
        menu->m_nHeight = r.Height();
        topLevel.push_back(m_nMenuCounter);
        WriteMenu(out, menu);
    }

    // The numbers were noted while writing: reading them back from the menus would walk
    // the whole tree once more.
    std::string misc;
    misc.reserve(m_strMenuCounts.size() + 12 * (m_listDrawObjects.size() + m_arrFlatItems.size()));
    Num(misc, m_nMenuCounter);
    misc += m_strMenuCounts;
    for (std::int32_t n : topLevel) {
        misc += '-';
        Num(misc, n);
    }
    for (std::size_t i = 0; i < out.subMenu.size(); ++i) {
        misc += std::to_string(i);
        misc += '-';
        Num(misc, out.subMenu[i]);
    }
    m_arrFlatItems.clear();

    // The entries go into the map in its own key order, each at the end in constant time:
    // inserting a large widget's names one by one at their places made writing superlinear,
    // and the map's nodes now lie in memory in the order that the file writer walks them.
    const std::size_t menus = out.menuStyle.size();
    out.firstItem.push_back(out.items.size());
    InTextOrderFromZero(menus, [&](std::size_t n) {
        InTextOrder(out.firstItem[n + 1] - out.firstItem[n], [&](std::size_t k) {
            map.emplace_hint(map.end(), ItemKey(static_cast<int>(n), static_cast<int>(k)),
                             std::move(out.items[out.firstItem[n] + k - 1]));
        });
    });
    InTextOrderFromZero(menus, [&](std::size_t n) {
        map.emplace_hint(map.end(), ItemStyleKey(static_cast<int>(n)), std::move(out.itemStyle[n]));
    });
    InTextOrderFromZero(menus, [&](std::size_t n) {
        map.emplace_hint(map.end(), MenuStyleKey(static_cast<int>(n)), std::move(out.menuStyle[n]));
    });
    map.emplace_hint(map.end(), LoadWidgetString(IDS_MISC_KEY), std::move(misc));
    map.emplace_hint(map.end(), "Version", std::move(version));
    map.emplace_hint(map.end(), "WindowPosition", std::move(windowPos));
    config.m_mapParameters.swap(map);
}

void CAppletParameters::WriteOneMenu(EncodedMenus& out, CGlimMenu* menu)
{
    const int n = m_nMenuCounter;
    menu->m_nIndex = n;
    Num(m_strMenuCounts, static_cast<std::int64_t>(menu->m_items.size()));

    std::string v;
    Num(v, menu->m_crMenuColorA);
    Num(v, menu->m_nMenuValueA);
    Num(v, menu->m_nMenuValueC);
    Num(v, menu->m_nMenuValueD);
    Num(v, menu->m_nX);
    Num(v, menu->m_nY);
    Num(v, menu->m_nWidth);
    Num(v, menu->m_nHeight);
    Num(v, menu->m_nMenuValueE);
    Num(v, menu->m_nBorderThick);
    Num(v, menu->m_crMenuColorB);
    Num(v, menu->m_nMenuValueF);
    Num(v, menu->m_crMenuColorC);
    Text(v, menu->m_strName);
    Num(v, menu->m_bVisible, "");
    out.menuStyle.push_back(v);

    v.clear();
    for (int i = 0; i < 3; ++i) {
        const GlimStateStyle& s = *States(*menu, i);
        for (std::int64_t f : {std::int64_t(s.crBack), std::int64_t(s.crFont), std::int64_t(s.nBackStyle),
                               std::int64_t(s.nEffect), std::int64_t(s.nFontName), std::int64_t(s.nFontSize),
                               std::int64_t(s.nFontStyle), std::int64_t(s.nImageAlign), std::int64_t(s.nTextAlign),
                               std::int64_t(s.nImageOffset), std::int64_t(s.nTextOffset), std::int64_t(s.crBorder),
                               std::int64_t(s.nBorderStyle), std::int64_t(s.crFade)})
            Num(v, f);
    }
    out.itemStyle.push_back(v);
    out.firstItem.push_back(out.items.size());

    for (std::size_t i = 0; i < menu->m_items.size(); ++i) {
        CGlimMenuItem* item = menu->m_items[i];
        m_arrFlatItems.push_back(item);
        v.clear();
        Text(v, EscapeLabel(item->m_strLabel));
        Text(v, item->m_strDescription);
        Text(v, item->m_strLink);
        Text(v, item->m_strTarget);
        for (int r = 0; r < CGlimMenuItem::kResourceCount; ++r)
            Text(v, StoredName(item->ResourcePath(r)));
        Num(v, item->m_bVisible);
        for (int r = 0; r < CGlimMenuItem::kResourceCount; ++r)
            Text(v, item->ResourceWebPath(r), r + 1 < CGlimMenuItem::kResourceCount ? "," : "");
        out.items.push_back(v);
    }

    ++m_nMenuCounter;
}

void CAppletParameters::WriteMenu(EncodedMenus& out, CGlimMenu* root)
{
    // Pre-order with an explicit list of the menus whose sub-menus are being written, so
    // that the depth of the tree costs no stack. `first` is the flat position of the
    // menu's first item, whose sub-menu number is noted as each sub-menu is reached.
    struct Open {
        CGlimMenu* menu;
        std::size_t next;
        std::size_t first;
    };
    std::vector<Open> open;
    auto write = [&](CGlimMenu* menu) {
        WriteOneMenu(out, menu);
        const std::size_t first = out.subMenu.size();
        out.subMenu.resize(first + menu->m_items.size());
        open.push_back({menu, 0, first});
    };
    write(root);
    while (!open.empty()) {
        Open& top = open.back();
        if (top.next == top.menu->m_items.size()) {
            open.pop_back();
            continue;
        }
        const std::size_t i = top.next++;
        out.subMenu[top.first + i] = m_nMenuCounter;   // the number the sub-menu is about to take
        write(top.menu->m_items[i]->m_pSubMenu);
    }
}

// ---------------------------------------------------------------------------------------

namespace {

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

// Parses a menu or item position of a Misc link; -1 when it is not a position of `size`.
long Position(std::string_view text, std::size_t size)
{
    std::int32_t v = ParseInt(text);
    return v >= 0 && static_cast<std::size_t>(v) < size ? v : -1;
}

// A menu or item number as the writer formats it ("%d" of a value that is not negative);
// false for any other text, which a lookup of the writer's names would not match either.
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

// The values stored under "MStyle-%d", "IStyle-%d" and "I%d-%d" for the menus and items
// that Misc describes, found in one pass over the map: one lookup per name costs a
// logarithmic walk through a map that grows with the widget.
struct StoredValues {
    std::vector<const std::string*> menuStyle;   // by menu number
    std::vector<const std::string*> itemStyle;   // by menu number
    std::vector<const std::string*> item;        // by flat item position
};

StoredValues FindStoredValues(const std::map<std::string, std::string>& map, const std::vector<std::size_t>& counts,
                              const std::vector<std::size_t>& firstItem, std::size_t itemTotal)
{
    StoredValues found{std::vector<const std::string*>(counts.size()),
                       std::vector<const std::string*>(counts.size()),
                       std::vector<const std::string*>(itemTotal)};
    constexpr std::string_view kMenuStyle = "MStyle-", kItemStyle = "IStyle-";
    for (const auto& [name, value] : map) {
        const std::string_view key = name;
        std::size_t n = 0, k = 0;
        if (key.starts_with(kMenuStyle)) {
            if (ParseNumber(key.substr(kMenuStyle.size()), n) && n < counts.size())
                found.menuStyle[n] = &value;
        } else if (key.starts_with(kItemStyle)) {
            if (ParseNumber(key.substr(kItemStyle.size()), n) && n < counts.size())
                found.itemStyle[n] = &value;
        } else if (key.starts_with('I')) {
            const std::size_t dash = key.find('-');
            if (dash != std::string_view::npos && ParseNumber(key.substr(1, dash - 1), n) &&
                ParseNumber(key.substr(dash + 1), k) && n < counts.size() && k >= 1 && k <= counts[n])
                found.item[firstItem[n] + k - 1] = &value;
        }
    }
    return found;
}

// Cuts every sub-menu that lies deeper than CGlimMenu::kMaxDepth below `root`.
void CutDeepMenus(CGlimMenu* root)
{
    std::vector<std::pair<CGlimMenu*, int>> stack{{root, 0}};
    while (!stack.empty()) {
        auto [menu, depth] = stack.back();
        stack.pop_back();
        for (CGlimMenuItem* item : menu->m_items) {
            if (depth + 1 >= CGlimMenu::kMaxDepth)
                item->SetSubMenu(new CGlimMenu(0, "GlimButton"));
            else
                stack.emplace_back(item->m_pSubMenu, depth + 1);
        }
    }
}

}  // namespace

int CAppletParameters::ReadParameters(CWidgetConfig& config, const std::string& directory)
{
    {
        const std::string value = config.GetParameter("WindowPosition", "");
        const auto f = SplitFields(value);
        for (std::size_t i = 0; i < m_nWindowPos.size(); ++i)
            m_nWindowPos[i] = FieldInt(f, i);
    }

    // Without "ApStyle" the applet keeps its settings: the built-in default text is in an
    // older field order and would read as nonsense.
    if (config.m_mapParameters.count("ApStyle")) {
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

    const std::string miscText = config.GetParameter(LoadWidgetString(IDS_MISC_KEY), "");
    if (miscText.empty())
        return 1;
    const auto misc = SplitFields(miscText);

    // Counts are bounded by what the Misc text can describe: every menu needs its count
    // field, and every item a link field after them.
    std::size_t menuCount = static_cast<std::size_t>(std::max(0, FieldInt(misc, 0)));
    menuCount = std::min(menuCount, misc.size() - 1);
    std::size_t itemBudget = std::min(menuCount, misc.size() - 1 - menuCount);

    std::vector<std::size_t> counts(menuCount), firstItem(menuCount);
    std::size_t itemTotal = 0;
    for (std::size_t j = 0; j < menuCount; ++j) {
        const std::size_t c = std::min(static_cast<std::size_t>(std::max(0, FieldInt(misc, j + 1))), itemBudget);
        itemBudget -= c;
        counts[j] = c;
        firstItem[j] = itemTotal;
        itemTotal += c;
    }
    const StoredValues stored = FindStoredValues(config.m_mapParameters, counts, firstItem, itemTotal);

    // The links are decided on numbers alone: the menu that holds flat item i follows from
    // the counts. Each menu is linked at most once, and never below itself: a menu can only
    // be linked while it is the root of its own tree, so a cycle would need the menu to be
    // the root of the item's tree. `root` is a union-find forest of the trees linked so far.
    std::vector<std::size_t> itemMenu(itemTotal);
    for (std::size_t j = 0; j < menuCount; ++j)
        std::fill_n(itemMenu.begin() + static_cast<std::ptrdiff_t>(firstItem[j]), counts[j], j);
    std::vector<std::size_t> root(menuCount);
    std::iota(root.begin(), root.end(), 0);
    auto findRoot = [&root](std::size_t m) {
        while (root[m] != m) {
            root[m] = root[root[m]];
            m = root[m];
        }
        return m;
    };
    constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    std::vector<bool> linked(menuCount, false);
    std::vector<std::size_t> subMenuOf(itemTotal, kNone);
    std::vector<std::size_t> topLevel;
    const std::size_t linkEnd = std::min(misc.size(), 2 * menuCount + 1);

    for (std::size_t f = menuCount + 1; f < linkEnd; ++f) {
        const auto parts = SplitFields(misc[f], '-');
        if (parts[0].empty())
            continue;
        const long i = Position(parts[0], itemTotal);
        const long m = parts.size() > 1 ? Position(parts[1], menuCount) : -1;
        if (i < 0 || m < 0 || subMenuOf[i] != kNone || linked[m])
            continue;
        const std::size_t owner = itemMenu[i];
        if (findRoot(owner) == static_cast<std::size_t>(m))
            continue;
        subMenuOf[i] = static_cast<std::size_t>(m);
        linked[m] = true;
        root[m] = findRoot(owner);
    }

    for (std::size_t f = menuCount + 1; f < linkEnd; ++f) {
        const auto parts = SplitFields(misc[f], '-');
        if (!parts[0].empty())
            continue;
        const long m = parts.size() > 1 ? Position(parts[1], menuCount) : -1;
        if (m < 0 || linked[m])
            continue;
        linked[m] = true;
        topLevel.push_back(static_cast<std::size_t>(m));
    }

    // Only the menus that the buttons reach are built: a menu that nothing links would die
    // at once, with whatever hangs below it.
    std::vector<bool> reached(menuCount, false);
    std::vector<std::size_t> pending(topLevel);
    for (std::size_t m : topLevel)
        reached[m] = true;
    while (!pending.empty()) {
        const std::size_t j = pending.back();
        pending.pop_back();
        for (std::size_t i = firstItem[j]; i < firstItem[j] + counts[j]; ++i)
            if (subMenuOf[i] != kNone && !reached[subMenuOf[i]]) {
                reached[subMenuOf[i]] = true;
                pending.push_back(subMenuOf[i]);
            }
    }

    // `owned` holds each menu until an item or a button takes it; `menus` keeps its address.
    std::vector<std::unique_ptr<CGlimMenu>> owned(menuCount);
    std::vector<CGlimMenu*> menus(menuCount, nullptr);
    const std::string menuStyleDefault = "0,0,0,0,40,15,80,20,5,10,0,0,0,Menu,1";
    const std::string& itemStyleDefault = LoadWidgetString(IDS_ISTYLE_DEFAULT);
    for (std::size_t j = 0; j < menuCount; ++j) {
        if (!reached[j])
            continue;
        owned[j] = std::make_unique<CGlimMenu>(0, "GlimButton");
        menus[j] = owned[j].get();
        ReadMenuStyle(*menus[j], stored.menuStyle[j] ? *stored.menuStyle[j] : menuStyleDefault);
        ReadItemStyles(*menus[j], stored.itemStyle[j] ? *stored.itemStyle[j] : itemStyleDefault);
    }
    for (std::size_t j = 0; j < menuCount; ++j) {
        if (!reached[j])
            continue;
        menus[j]->m_items.reserve(counts[j]);
        for (std::size_t i = firstItem[j]; i < firstItem[j] + counts[j]; ++i) {
            const std::size_t s = subMenuOf[i];
            std::unique_ptr<CGlimMenu> sub =
                s != kNone ? std::move(owned[s]) : std::make_unique<CGlimMenu>(0, "GlimButton");
            auto item = std::make_unique<CGlimMenuItem>("Button", sub.get());
            sub.release();
            // A missing item keeps the constructor's defaults.
            if (const std::string* value = stored.item[i])
                ReadItem(*item, *value, directory);
            menus[j]->AddItem(item.release(), 0);
        }
    }

    DeleteContents();
    for (std::size_t m : topLevel) {
        CGlimMenu* menu = menus[m];
        menu->m_strName = "top-level";
        auto obj = std::make_unique<CDrawRect>();
        obj->m_position = CRect{menu->m_nX, menu->m_nY, CRect::WrapAdd(menu->m_nX, menu->m_nWidth),
                                CRect::WrapAdd(menu->m_nY, menu->m_nHeight)};
        obj->SetMenu(owned[m].release());
        AddObject(std::move(obj));
    }

    for (const auto& obj : m_listDrawObjects)
        CutDeepMenus(obj->m_pMenu);
    return 1;
}

}  // namespace snippo
