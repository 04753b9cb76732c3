// The HTML form of the model (the applet tag the page embeds) and the list of support files
// that it refers to.
#include <algorithm>
#include <charconv>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <unordered_map>

#include "widget/model/applet_parameters.h"
#include "widget/model/string_table.h"
#include "widget/model/text_fields.h"
#include "widget/model/web_runtime.h"

namespace snippo {

namespace {

// Appends `text` with "&", "\"", "<" and ">" as entities, for attribute values. Runs of
// plain characters go in as one piece.
void AppendEscaped(std::string& out, std::string_view text)
{
    std::size_t plain = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char* entity;
        switch (text[i]) {
        case '&':
            entity = "&amp;";
            break;
        case '"':
            entity = "&quot;";
            break;
        case '<':
            entity = "&lt;";
            break;
        case '>':
            entity = "&gt;";
            break;
        default:
            continue;
        }
        out.append(text.substr(plain, i - plain)).append(entity);
        plain = i + 1;
    }
    out.append(text.substr(plain));
}

// One parameter line. The value is escaped for the attribute; the applet receives exactly
// the text of the value.
void ParamLine(std::string& html, std::string_view name, std::string_view value)
{
    html += "\t<param name=\"";
    html += name;
    html += "\" value=\"";
    AppendEscaped(html, value);
    html += "\">\r\n";
}

void AppendInt(std::string& out, std::int32_t v)
{
    char digits[16];
    out.append(digits, std::to_chars(digits, digits + sizeof digits, v).ptr);
}

// The same for the numbered names "MStyle-n", "IStyle-n" and "In-k" (without k when negative).
void NumberedParamLine(std::string& html, std::string_view prefix, int n, int k, std::string_view value)
{
    html += "\t<param name=\"";
    html += prefix;
    AppendInt(html, n);
    if (k >= 0) {
        html += '-';
        AppendInt(html, k);
    }
    html += "\" value=\"";
    AppendEscaped(html, value);
    html += "\">\r\n";
}

void Add(std::string& out, std::string_view field)
{
    out += field;
    out += ',';
}
void Add(std::string& out, std::int32_t v)
{
    AppendInt(out, v);
    out += ',';
}
// Two numbers written one after the other, as one field.
void AddPair(std::string& out, std::int32_t a, std::int32_t b)
{
    AppendInt(out, a);
    AppendInt(out, b);
    out += ',';
}
// A colour as six hexadecimal digits, red first.
void AppendHex(std::string& out, COLORREF colour)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    const std::uint8_t bytes[3] = {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
    for (std::uint8_t b : bytes) {
        out += kDigits[b >> 4];
        out += kDigits[b & 15];
    }
}
void AddHex(std::string& out, COLORREF colour)
{
    AppendHex(out, colour);
    out += ',';
}

// The address of a support file in the given output mode, as a field.
void AddUrl(std::string& out, const std::string& path, const std::string& webPath, std::int16_t mode,
            const std::string& previewPath)
{
    if (!path.empty()) {
        switch (mode) {
        case kHtmlPreview:
            out += previewPath;
            break;
        case kHtmlWeb:
            out += webPath;
            break;
        default:
            break;
        }
        const std::size_t slash = path.rfind('/');
        out.append(path, slash == std::string::npos ? 0 : slash + 1);
    }
    out += ',';
}

bool IsRegularFile(const std::string& path)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

const char* const kNotice = "Menu buttons made with Tessaly GlimButton 1.0";

// Makes the list's entries those added, in order, by writing over the entries already
// there: their texts keep their memory, so listing the same widget again allocates and
// frees nothing, where dropping and rebuilding the list cost a large widget several times
// more per entry than a small one. Entries left over go when the refill ends.
class ResourceRefill {
public:
    explicit ResourceRefill(std::vector<ResourceEntry>& list) : m_list(list) {}
    ResourceRefill(const ResourceRefill&) = delete;
    ResourceRefill& operator=(const ResourceRefill&) = delete;
    ~ResourceRefill() { m_list.resize(m_used); }

    void Add(std::string_view name, std::string_view folder, std::string_view webPath)
    {
        if (m_used == m_list.size())
            m_list.emplace_back();
        ResourceEntry& e = m_list[m_used++];
        e.strName.assign(name);
        e.strLocalPath.assign(folder);
        e.strWebPath.assign(webPath);
    }
    std::size_t Count() const { return m_used; }

private:
    std::vector<ResourceEntry>& m_list;
    std::size_t m_used = 0;
};

}  // namespace

std::string CAppletParameters::GetHTML(CWidgetConfig& config, std::int16_t mode)
{
    BuildResourceList(config);
    PlaceTopLevelMenus();
    return EncodeHTML(config.GetPreviewPath(), mode);
}

std::string CAppletParameters::EncodeHTML(const std::string& previewPath, std::int16_t mode) const
{
    std::string html;
    html.reserve(1024 + 3000 * m_listDrawObjects.size());
    html += "<p align=\"";
    if (m_nAlign >= 0 && m_nAlign <= 2)
        html += LoadWidgetString(IDS_ALIGN_CENTER + m_nAlign);
    html += "\">\r\n<applet ";
    const std::string& codebase = mode == kHtmlPreview ? previewPath : mode == kHtmlWeb ? m_strClassWebPath : "";
    if (!codebase.empty()) {
        html += "codebase=\"";
        AppendEscaped(html, codebase);
        html += '"';
    }
    html += " code=\"";
    AppendEscaped(html, LoadWidgetString(IDS_APPLET_CLASS));
    html += "\" align=\"baseline\" width=\"";
    AppendInt(html, m_nWidth);
    html += "\" height=\"";
    AppendInt(html, m_nHeight);
    html += "\">\r\n";
    ParamLine(html, "Notice", kNotice);

    std::string v;
    AddHex(v, m_crBack);
    AddHex(v, m_crFade);
    AddUrl(v, m_strBackImage, m_strBackImageWeb, mode, previewPath);
    Add(v, m_nImageMode);
    Add(v, m_nImageX);
    Add(v, m_nImageY);
    AddUrl(v, m_strBackAudio, m_strBackAudioWeb, mode, previewPath);
    AddPair(v, m_nBackStyle, m_nBorderStyle);
    Add(v, m_nBorderThick);
    AddHex(v, m_crBorder);
    Add(v, m_bProgressBar);
    v += m_strLoadingMessage;
    ParamLine(html, "ApStyle", v);

    MenuNumbering pass;
    std::vector<std::int32_t> topLevel;
    for (const auto& obj : m_listDrawObjects)
        if (const std::int32_t n = EmitMenu(html, pass, obj->Menu(), mode, previewPath); n >= 0)
            topLevel.push_back(n);

    // The numbers were noted while writing: asking the menus again would walk the whole
    // tree once more.
    std::string misc;
    misc.reserve(pass.counts.size() + 12 * (topLevel.size() + pass.flatItems.size()));
    Add(misc, pass.counter);
    misc += pass.counts;
    for (std::int32_t n : topLevel) {
        misc += '-';
        Add(misc, n);
    }
    for (std::size_t i = 0; i < pass.subMenuNumber.size(); ++i) {
        if (pass.subMenuNumber[i] >= 0) {
            AppendInt(misc, static_cast<std::int32_t>(i));
            misc += '-';
            Add(misc, pass.subMenuNumber[i]);
        }
    }
    ParamLine(html, LoadWidgetString(IDS_MISC_KEY), misc);
    if (m_bWebRuntime)
        html += WebRuntimeFallbackList(*this);
    html += "</applet>\r\n</p>\r\n";
    return html;
}

std::int32_t CAppletParameters::EmitMenu(std::string& html, MenuNumbering& pass, const CGlimMenu* root,
                                         std::int16_t mode, const std::string& previewPath)
{
    // Pre-order from an explicit list, so that the depth of the tree costs no stack: the
    // sub-menus of a menu's visible items go on in reverse, and so come off in item order.
    // Each waits with the flat position of the item that holds it (none for the root).
    constexpr std::size_t kRoot = static_cast<std::size_t>(-1);
    std::vector<std::pair<const CGlimMenu*, std::size_t>> pending{{root, kRoot}};
    std::int32_t rootNumber = -1;
    while (!pending.empty()) {
        const auto [menu, owner] = pending.back();
        pending.pop_back();
        const std::size_t first = pass.flatItems.size();
        if (!EmitOneMenu(html, pass, menu, mode, previewPath))
            continue;
        (owner == kRoot ? rootNumber : pass.subMenuNumber[owner]) = menu->m_nIndex;
        for (std::size_t i = pass.flatItems.size(); i-- > first;)
            pending.emplace_back(pass.flatItems[i]->SubMenu(), i);
    }
    return rootNumber;
}

bool CAppletParameters::EmitOneMenu(std::string& html, MenuNumbering& pass, const CGlimMenu* menu, std::int16_t mode,
                                    const std::string& previewPath)
{
    if (!menu || !menu->m_bVisible)
        return false;
    const int shown = menu->CountItems(0);
    if (shown == 0)
        return false;
    const int n = pass.counter;
    menu->m_nIndex = n;
    Add(pass.counts, shown);

    std::string& v = pass.value;
    v.clear();
    AddHex(v, menu->m_crMenuColorA);
    AddPair(v, menu->m_nMenuValueA, menu->m_nMenuValueB);
    Add(v, 0);
    Add(v, 0);
    Add(v, menu->m_nX);
    Add(v, menu->m_nY);
    Add(v, menu->m_nWidth);
    Add(v, menu->m_nHeight);
    Add(v, menu->m_nMenuValueE);
    Add(v, menu->m_nBorderThick);
    AddHex(v, menu->m_crMenuColorB);
    Add(v, menu->m_nMenuValueF);
    AppendHex(v, menu->m_crMenuColorC);
    NumberedParamLine(html, "MStyle-", n, -1, v);

    v.clear();
    for (const GlimStateStyle* s : {&menu->m_styleNormal, &menu->m_styleOver, &menu->m_styleClick}) {
        AddHex(v, s->crBack);
        AddHex(v, s->crFont);
        AddPair(v, s->nBackStyle, s->nBorderStyle);
        Add(v, s->nEffect);
        Add(v, s->nFontName);
        Add(v, s->nFontSize);
        Add(v, s->nFontStyle);
        AddPair(v, s->nImageAlign, s->nTextAlign);
        Add(v, s->nImageOffset);
        Add(v, s->nTextOffset);
        v += ",,";
        AddHex(v, s->crBorder);
        AddHex(v, s->crFade);
    }
    NumberedParamLine(html, "IStyle-", n, -1, v);

    int k = 0;
    for (const auto& item : menu->m_items) {
        if (!item->m_bVisible)
            continue;
        pass.flatItems.push_back(item.get());
        pass.subMenuNumber.push_back(-1);
        v.clear();
        AppendEscapedLabel(v, item->m_strLabel);
        v += ',';
        Add(v, item->m_strDescription);
        for (int r = 0; r < CGlimMenuItem::kResourceCount; ++r)
            AddUrl(v, item->ResourcePath(r), item->ResourceWebPath(r), mode, previewPath);
        Add(v, item->m_strTarget.empty() ? std::string_view("_self") : std::string_view(item->m_strTarget));
        v += item->m_strLink;
        NumberedParamLine(html, "I", n, k, v);
        ++k;
    }

    ++pass.counter;
    return true;
}

int CAppletParameters::BuildResourceList(CWidgetConfig& config)
{
    ResourceRefill list(config.m_arrResources);
    const std::string serverFolder = ServerFolder() + "/";
    list.Add(LoadWidgetString(IDS_APPLET_CLASS), serverFolder, m_strClassWebPath);
    if (m_bWebRuntime)
        list.Add(kWebRuntimeFile, serverFolder, m_strClassWebPath);

    // Each file is looked at once: the items of a widget share a few images between them.
    // A file that is there keeps its entry's name and folder for the items that follow.
    struct Known {
        bool present;
        std::string name;
        std::string folder;
    };
    std::unordered_map<std::string, Known> known;
    auto addIfPresent = [&list, &known](std::string& path, const std::string& webPath) {
        if (path.empty())
            return;
        auto [it, fresh] = known.try_emplace(path);
        Known& file = it->second;
        if (fresh) {
            file.present = IsRegularFile(path);
            if (file.present) {
                file.name = FileNameOf(path);
                file.folder = FolderOf(path);
            }
        }
        if (file.present)
            list.Add(file.name, file.folder, webPath);
        else
            path.clear();  // the file has gone: drop it from the model
    };
    addIfPresent(m_strBackImage, m_strBackImageWeb);
    addIfPresent(m_strBackAudio, m_strBackAudioWeb);

    // The items in the order NumberMenus gives them, each looked at while the walk that
    // numbers its menu has it at hand: a second walk over a large tree would fetch every
    // item from memory again.
    MenuCount count;
    for (CGlimMenu* top : TopLevelMenus())
        NumberMenus(top, count, [&](CGlimMenu* m, std::size_t) {
            for (const auto& item : m->m_items)
                for (int r = 0; r < CGlimMenuItem::kResourceCount; ++r)
                    addIfPresent(item->ResourcePath(r), item->ResourceWebPath(r));
        });
    return static_cast<int>(list.Count());
}

}  // namespace snippo
