// The configuration form of the model: the named parameter strings of the Parameter part of
// the widget file, as the model writes them (parameter_reader.cpp reads them back).
#include <charconv>
#include <map>
#include <optional>
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

// Calls f(n) for n = 1..last in the order of their decimal texts (1, 10, 100, 11, ..., 2, 20,
// ...), the order in which the parameter map sorts names that end in those numbers.
template <class F> void InTextOrder(std::size_t last, F&& f)
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
template <class F> void InTextOrderFromZero(std::size_t count, F&& f)
{
    if (count == 0)
        return;
    f(std::size_t{0});
    InTextOrder(count - 1, f);
}

// Writes a map's entries anew, in key order. While the names match the entries already there,
// as they do when the same widget is written again, each value is copied over the old one in
// its place: no entry is freed or allocated, and the values keep the memory order of their
// names. From the first name that differs on, the map is built afresh and swapped in.
class OrderedRewrite {
public:
    explicit OrderedRewrite(std::map<std::string, std::string>& target) : m_target(target), m_at(target.begin()) {}

    // Over an old entry the value is copied into the old text, whose memory is already in
    // place; a new entry takes the value over as it is.
    void Put(std::string_view key, std::string&& value)
    {
        if (std::string* old = WriteOver(key))
            old->assign(value);
        else
            m_fresh->emplace_hint(m_fresh->end(), key, std::move(value));
    }

    void Finish()
    {
        if (m_fresh)
            m_target.swap(*m_fresh);
        else
            m_target.erase(m_at, m_target.end());
    }

private:
    // The old entry's value when `key` is the next old name; otherwise null, and from here
    // on the map is built afresh, starting with the entries written so far.
    std::string* WriteOver(std::string_view key)
    {
        if (!m_fresh) {
            if (m_at != m_target.end() && m_at->first == key)
                return &(m_at++)->second;
            m_fresh.emplace();
            for (auto it = m_target.begin(); it != m_at; ++it)
                m_fresh->emplace_hint(m_fresh->end(), it->first, std::move(it->second));
        }
        return nullptr;
    }

    std::map<std::string, std::string>& m_target;
    std::map<std::string, std::string>::iterator m_at;  // the first entry not yet written over
    std::optional<std::map<std::string, std::string>> m_fresh;
};

void EncodeMenuStyle(std::string& v, const CGlimMenu& menu)
{
    Num(v, menu.m_crMenuColorA);
    Num(v, menu.m_nMenuValueA);
    Num(v, menu.m_nMenuValueC);
    Num(v, menu.m_nMenuValueD);
    Num(v, menu.m_nX);
    Num(v, menu.m_nY);
    Num(v, menu.m_nWidth);
    Num(v, menu.m_nHeight);
    Num(v, menu.m_nMenuValueE);
    Num(v, menu.m_nBorderThick);
    Num(v, menu.m_crMenuColorB);
    Num(v, menu.m_nMenuValueF);
    Num(v, menu.m_crMenuColorC);
    Text(v, menu.m_strName);
    Num(v, menu.m_bVisible, "");
}

void EncodeItemStyles(std::string& v, const CGlimMenu& menu)
{
    for (int i = 0; i < 3; ++i) {
        const GlimStateStyle& s = *States(menu, i);
        for (std::int64_t f : {std::int64_t(s.crBack), std::int64_t(s.crFont), std::int64_t(s.nBackStyle),
                               std::int64_t(s.nEffect), std::int64_t(s.nFontName), std::int64_t(s.nFontSize),
                               std::int64_t(s.nFontStyle), std::int64_t(s.nImageAlign), std::int64_t(s.nTextAlign),
                               std::int64_t(s.nImageOffset), std::int64_t(s.nTextOffset), std::int64_t(s.crBorder),
                               std::int64_t(s.nBorderStyle), std::int64_t(s.crFade)})
            Num(v, f);
    }
}

void EncodeItem(std::string& v, const CGlimMenuItem& item)
{
    AppendEscapedLabel(v, item.m_strLabel);
    v += ',';
    Text(v, item.m_strDescription);
    Text(v, item.m_strLink);
    Text(v, item.m_strTarget);
    for (int r = 0; r < CGlimMenuItem::kResourceCount; ++r)
        Text(v, StoredName(item.ResourcePath(r)));
    Num(v, item.m_bVisible);
    for (int r = 0; r < CGlimMenuItem::kResourceCount; ++r)
        Text(v, item.ResourceWebPath(r), r + 1 < CGlimMenuItem::kResourceCount ? "," : "");
}

// Calls put(key, at) for every entry of the menus in the map's key order, "I%d-%d", then
// "IStyle-%d", then "MStyle-%d"; `at` is the entry's place in the values written menu by
// menu, each menu's starting at first[n] with "MStyle", "IStyle" and then its items.
template <class Put>
void InKeyOrder(const std::vector<const CGlimMenu*>& menus, const std::vector<std::size_t>& first, Put&& put)
{
    InTextOrderFromZero(menus.size(), [&](std::size_t n) {
        InTextOrder(menus[n]->m_items.size(),
                    [&](std::size_t k) { put(ItemKey(static_cast<int>(n), static_cast<int>(k)), first[n] + 1 + k); });
    });
    InTextOrderFromZero(menus.size(), [&](std::size_t n) { put(ItemStyleKey(static_cast<int>(n)), first[n] + 1); });
    InTextOrderFromZero(menus.size(), [&](std::size_t n) { put(MenuStyleKey(static_cast<int>(n)), first[n]); });
}

}  // namespace

void CAppletParameters::WriteParameters(CWidgetConfig& config)
{
    PlaceTopLevelMenus();
    EncodeParameters(config);
}

void CAppletParameters::EncodeParameters(CWidgetConfig& config) const
{
    std::string version = "1.0";
    std::string windowPos;
    for (std::size_t i = 0; i < m_nWindowPos.size(); ++i)
        Num(windowPos, m_nWindowPos[i], i + 1 < m_nWindowPos.size() ? "," : "");

    std::string apStyle;
    std::string& v = apStyle;
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

    // One walk numbers the menus, notes what the misc entry needs and encodes the values in
    // the memory order of the model; they are then moved into the map in key order.
    std::vector<const CGlimMenu*> menus;
    std::vector<std::int32_t> topLevel;
    topLevel.reserve(m_listDrawObjects.size());
    std::string counts;
    std::vector<std::int32_t> subMenu;    // by flat item position
    std::vector<std::string> values;      // per menu: "MStyle", "IStyle", the items
    std::vector<std::size_t> firstValue;  // by menu number: its first place in `values`
    std::string value;
    MenuCount count;
    for (const auto& obj : m_listDrawObjects) {
        topLevel.push_back(count.menus);
        NumberMenus(static_cast<const CGlimMenu*>(obj->Menu()), count, [&](const CGlimMenu* m, std::size_t owner) {
            menus.push_back(m);
            Num(counts, static_cast<std::int64_t>(m->m_items.size()));
            subMenu.resize(count.items);
            if (owner != kNoOwner)
                subMenu[owner] = m->m_nIndex;
            firstValue.push_back(values.size());
            value.clear();
            EncodeMenuStyle(value, *m);
            values.push_back(value);
            value.clear();
            EncodeItemStyles(value, *m);
            values.push_back(value);
            for (const auto& item : m->m_items) {
                value.clear();
                EncodeItem(value, *item);
                values.push_back(value);
            }
        });
    }

    // The numbers were noted while walking: asking the menus again would walk the whole
    // tree once more.
    std::string misc;
    misc.reserve(counts.size() + 12 * (topLevel.size() + subMenu.size()));
    Num(misc, count.menus);
    misc += counts;
    for (std::int32_t n : topLevel) {
        misc += '-';
        Num(misc, n);
    }
    for (std::size_t i = 0; i < subMenu.size(); ++i) {
        Num(misc, static_cast<std::int64_t>(i), "-");
        Num(misc, subMenu[i]);
    }

    // Each entry is appended at the end of the map in constant time: inserting a large
    // widget's names one by one at their places made writing superlinear, and the map's
    // nodes lie in memory in the order that the file writer walks them.
    OrderedRewrite map(config.m_mapParameters);
    map.Put("ApStyle", std::move(apStyle));
    InKeyOrder(menus, firstValue, [&](const std::string& key, std::size_t at) { map.Put(key, std::move(values[at])); });
    map.Put(LoadWidgetString(IDS_MISC_KEY), std::move(misc));
    map.Put("Version", std::move(version));
    map.Put("WindowPosition", std::move(windowPos));
    map.Finish();
}

}  // namespace snippo
