// The configuration form of the model: named parameter strings written to and read from the
// Parameter part of the widget file.
#include <numeric>
#include <string>

#include "widget/model/applet_parameters.h"
#include "widget/model/string_table.h"
#include "widget/model/text_fields.h"

namespace snippo {

namespace {

// Appends a number and a separator; colours go through here too, in decimal.
void Num(std::string& out, std::int64_t v, const char* sep = ",")
{
    out += std::to_string(static_cast<std::int32_t>(v));
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

void CAppletParameters::WriteParameters(CWidgetConfig& config)
{
    config.ClearParameters();
    config.SetParameter("Version", "1.0");

    std::string v;
    for (std::size_t i = 0; i < m_nWindowPos.size(); ++i)
        Num(v, m_nWindowPos[i], i + 1 < m_nWindowPos.size() ? "," : "");
    config.SetParameter("WindowPosition", v);

    v.clear();
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
    config.SetParameter("ApStyle", v);

    m_nMenuCounter = 0;
    m_strMenuCounts.clear();
    m_arrFlatItems.clear();
    for (const auto& obj : m_listDrawObjects) {
        CRect r = obj->m_position.Normalized();
        CGlimMenu* menu = obj->m_pMenu;
        menu->m_nX = r.left;
        menu->m_nY = r.top;
        menu->m_nWidth = r.Width();
        menu->m_nHeight = r.Height();
        WriteMenu(config, menu);
    }

    std::string misc;
    misc.reserve(m_strMenuCounts.size() + 12 * (m_listDrawObjects.size() + m_arrFlatItems.size()));
    Num(misc, m_nMenuCounter);
    misc += m_strMenuCounts;
    for (const auto& obj : m_listDrawObjects) {
        misc += '-';
        Num(misc, obj->m_pMenu->m_nIndex);
    }
    for (std::size_t i = 0; i < m_arrFlatItems.size(); ++i) {
        misc += std::to_string(i);
        misc += '-';
        Num(misc, m_arrFlatItems[i]->m_pSubMenu->m_nIndex);
    }
    config.SetParameter(LoadWidgetString(IDS_MISC_KEY), misc);
    m_arrFlatItems.clear();
}

void CAppletParameters::WriteMenu(CWidgetConfig& config, CGlimMenu* menu)
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
    config.SetParameter(MenuStyleKey(n), v);

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
    config.SetParameter(ItemStyleKey(n), v);

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
        config.SetParameter(ItemKey(n, static_cast<int>(i) + 1), v);
    }

    ++m_nMenuCounter;
    for (CGlimMenuItem* item : menu->m_items)
        WriteMenu(config, item->m_pSubMenu);
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

    std::vector<std::unique_ptr<CGlimMenu>> menus;
    std::vector<CGlimMenuItem*> items;        // flat, owned by their menus
    std::vector<std::size_t> itemMenu;        // the menu that holds each flat item
    menus.reserve(menuCount);
    const std::string istyleDefault = LoadWidgetString(IDS_ISTYLE_DEFAULT);
    for (std::size_t j = 0; j < menuCount; ++j) {
        auto menu = std::make_unique<CGlimMenu>(0, "GlimButton");
        const int n = static_cast<int>(j);
        ReadMenuStyle(*menu, config.GetParameter(MenuStyleKey(n), "0,0,0,0,40,15,80,20,5,10,0,0,0,Menu,1"));
        ReadItemStyles(*menu, config.GetParameter(ItemStyleKey(n), istyleDefault));
        std::size_t c = static_cast<std::size_t>(std::max(0, FieldInt(misc, j + 1)));
        c = std::min(c, itemBudget);
        itemBudget -= c;
        for (std::size_t k = 1; k <= c; ++k) {
            auto* item = new CGlimMenuItem("Button");
            menu->AddItem(item, 0);
            items.push_back(item);
            itemMenu.push_back(j);
            auto it = config.m_mapParameters.find(ItemKey(n, static_cast<int>(k)));
            if (it != config.m_mapParameters.end())
                ReadItem(*item, it->second, directory);
        }
        menus.push_back(std::move(menu));
    }

    DeleteContents();

    // Each menu is linked at most once, and never below itself: a menu can only be linked
    // while it is the root of its own tree, so a cycle would need the menu to be the root
    // of the item's tree. `root` is a union-find forest of the trees built so far.
    std::vector<std::size_t> root(menus.size());
    std::iota(root.begin(), root.end(), 0);
    auto findRoot = [&root](std::size_t m) {
        while (root[m] != m) {
            root[m] = root[root[m]];
            m = root[m];
        }
        return m;
    };
    std::vector<bool> linked(menus.size(), false);
    std::vector<bool> itemLinked(items.size(), false);
    const std::size_t linkEnd = std::min(misc.size(), 2 * menuCount + 1);

    for (std::size_t f = menuCount + 1; f < linkEnd; ++f) {
        const auto parts = SplitFields(misc[f], '-');
        if (parts[0].empty())
            continue;
        const long i = Position(parts[0], items.size());
        const long m = parts.size() > 1 ? Position(parts[1], menus.size()) : -1;
        if (i < 0 || m < 0 || itemLinked[i] || linked[m])
            continue;
        const std::size_t owner = itemMenu[i];
        if (findRoot(owner) == static_cast<std::size_t>(m))
            continue;
        items[i]->SetSubMenu(menus[m].get());
        itemLinked[i] = true;
        linked[m] = true;
        root[m] = findRoot(owner);
    }

    for (std::size_t f = menuCount + 1; f < linkEnd; ++f) {
        const auto parts = SplitFields(misc[f], '-');
        if (!parts[0].empty())
            continue;
        const long m = parts.size() > 1 ? Position(parts[1], menus.size()) : -1;
        if (m < 0 || linked[m])
            continue;
        linked[m] = true;
        CGlimMenu* menu = menus[m].get();
        menu->m_strName = "top-level";
        auto obj = std::make_unique<CDrawRect>();
        obj->m_position = CRect{menu->m_nX, menu->m_nY, menu->m_nX + menu->m_nWidth, menu->m_nY + menu->m_nHeight};
        obj->SetMenu(menu);
        AddObject(std::move(obj));
    }

    // Every linked menu now belongs to the tree; menus that nothing links die with the
    // temporary array, together with whatever hangs below them.
    for (std::size_t m = 0; m < menus.size(); ++m)
        if (linked[m])
            (void)menus[m].release();
    menus.clear();

    for (const auto& obj : m_listDrawObjects)
        CutDeepMenus(obj->m_pMenu);
    return 1;
}

}  // namespace snippo
