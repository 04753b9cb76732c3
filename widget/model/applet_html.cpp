// The HTML form of the model (the applet tag the page embeds) and the list of support files
// that it refers to.
#include <filesystem>
#include <string>
#include <system_error>

#include "widget/model/applet_parameters.h"
#include "widget/model/string_table.h"
#include "widget/model/text_fields.h"
#include "widget/model/web_runtime.h"

namespace snippo {

namespace {

// One parameter line. The value is escaped for the attribute; the applet receives exactly
// the text of the value.
void ParamLine(std::string& html, const std::string& name, const std::string& value)
{
    html += "\t<param name=\"";
    html += name;
    html += "\" value=\"";
    html += HtmlEscape(value);
    html += "\">\r\n";
}

void Add(std::string& out, const std::string& field) { out += field; out += ','; }
void Add(std::string& out, std::int32_t v) { out += std::to_string(v); out += ','; }
std::string Pair(std::int32_t a, std::int32_t b) { return std::to_string(a) + std::to_string(b); }

// The address of a support file in the given output mode.
std::string Url(const std::string& path, const std::string& webPath, std::int16_t mode, const std::string& previewPath)
{
    if (path.empty())
        return {};
    const std::string name = FileNameOf(path);
    switch (mode) {
    case kHtmlPreview: return previewPath + name;
    case kHtmlWeb: return webPath + name;
    default: return name;
    }
}

bool IsRegularFile(const std::string& path)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

bool Emitted(const CGlimMenu* menu)
{
    return menu && menu->m_bVisible && menu->CountItems(0) > 0;
}

const char* const kNotice = "Menu buttons made with Tessaly GlimButton 1.0";

}  // namespace

std::string CAppletParameters::GetHTML(CWidgetConfig& config, std::int16_t mode)
{
    BuildResourceList(config);
    const std::string previewPath = config.GetPreviewPath();

    std::string html;
    html.reserve(1024 + 600 * m_listDrawObjects.size());
    html += "<p align=\"";
    if (m_nAlign >= 0 && m_nAlign <= 2)
        html += LoadWidgetString(IDS_ALIGN_CENTER + m_nAlign);
    html += "\">\r\n<applet ";
    const std::string codebase = mode == kHtmlPreview ? previewPath : mode == kHtmlWeb ? m_strClassWebPath : std::string();
    if (!codebase.empty())
        html += "codebase=\"" + HtmlEscape(codebase) + "\"";
    html += " code=\"" + HtmlEscape(LoadWidgetString(IDS_APPLET_CLASS)) + "\" align=\"baseline\" width=\"" +
            std::to_string(m_nWidth) + "\" height=\"" + std::to_string(m_nHeight) + "\">\r\n";
    ParamLine(html, "Notice", kNotice);

    std::string v;
    Add(v, ColorToHex(m_crBack));
    Add(v, ColorToHex(m_crFade));
    Add(v, Url(m_strBackImage, m_strBackImageWeb, mode, previewPath));
    Add(v, m_nImageMode);
    Add(v, m_nImageX);
    Add(v, m_nImageY);
    Add(v, Url(m_strBackAudio, m_strBackAudioWeb, mode, previewPath));
    Add(v, Pair(m_nBackStyle, m_nBorderStyle));
    Add(v, m_nBorderThick);
    Add(v, ColorToHex(m_crBorder));
    Add(v, m_bProgressBar);
    v += m_strLoadingMessage;
    ParamLine(html, "ApStyle", v);

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
        EmitMenu(html, menu, mode, previewPath);
    }

    std::string misc = std::to_string(m_nMenuCounter) + ",";
    misc += m_strMenuCounts;
    for (const auto& obj : m_listDrawObjects)
        if (Emitted(obj->m_pMenu))
            misc.append("-").append(std::to_string(obj->m_pMenu->m_nIndex)).append(",");
    for (std::size_t i = 0; i < m_arrFlatItems.size(); ++i) {
        const CGlimMenu* sub = m_arrFlatItems[i]->m_pSubMenu;
        if (Emitted(sub))
            misc.append(std::to_string(i)).append("-").append(std::to_string(sub->m_nIndex)).append(",");
    }
    ParamLine(html, LoadWidgetString(IDS_MISC_KEY), misc);
    m_arrFlatItems.clear();
    if (m_bWebRuntime)
        html += WebRuntimeFallbackList(*this);
    html += "</applet>\r\n</p>\r\n";
    return html;
}

void CAppletParameters::EmitMenu(std::string& html, CGlimMenu* root, std::int16_t mode, const std::string& previewPath)
{
    // Pre-order from an explicit list, so that the depth of the tree costs no stack: the
    // sub-menus of a menu's visible items go on in reverse, and so come off in item order.
    std::vector<CGlimMenu*> pending{root};
    while (!pending.empty()) {
        CGlimMenu* menu = pending.back();
        pending.pop_back();
        if (!EmitOneMenu(html, menu, mode, previewPath))
            continue;
        for (auto it = menu->m_items.rbegin(); it != menu->m_items.rend(); ++it)
            if ((*it)->m_bVisible)
                pending.push_back((*it)->m_pSubMenu);
    }
}

bool CAppletParameters::EmitOneMenu(std::string& html, CGlimMenu* menu, std::int16_t mode, const std::string& previewPath)
{
    if (!Emitted(menu))
        return false;
    const int n = m_nMenuCounter;
    menu->m_nIndex = n;
    m_strMenuCounts += std::to_string(menu->CountItems(0)) + ",";

    std::string v;
    Add(v, ColorToHex(menu->m_crMenuColorA));
    Add(v, Pair(menu->m_nMenuValueA, menu->m_nMenuValueB));
    Add(v, 0);
    Add(v, 0);
    Add(v, menu->m_nX);
    Add(v, menu->m_nY);
    Add(v, menu->m_nWidth);
    Add(v, menu->m_nHeight);
    Add(v, menu->m_nMenuValueE);
    Add(v, menu->m_nBorderThick);
    Add(v, ColorToHex(menu->m_crMenuColorB));
    Add(v, menu->m_nMenuValueF);
    v += ColorToHex(menu->m_crMenuColorC);
    ParamLine(html, MenuStyleKey(n), v);

    v.clear();
    for (const GlimStateStyle* s : {&menu->m_styleNormal, &menu->m_styleOver, &menu->m_styleClick}) {
        Add(v, ColorToHex(s->crBack));
        Add(v, ColorToHex(s->crFont));
        Add(v, Pair(s->nBackStyle, s->nBorderStyle));
        Add(v, s->nEffect);
        Add(v, s->nFontName);
        Add(v, s->nFontSize);
        Add(v, s->nFontStyle);
        Add(v, Pair(s->nImageAlign, s->nTextAlign));
        Add(v, s->nImageOffset);
        Add(v, s->nTextOffset);
        v += ",,";
        Add(v, ColorToHex(s->crBorder));
        Add(v, ColorToHex(s->crFade));
    }
    ParamLine(html, ItemStyleKey(n), v);

    int k = 0;
    for (CGlimMenuItem* item : menu->m_items) {
        if (!item->m_bVisible)
            continue;
        m_arrFlatItems.push_back(item);
        v.clear();
        Add(v, EscapeLabel(item->m_strLabel));
        Add(v, item->m_strDescription);
        for (int r = 0; r < CGlimMenuItem::kResourceCount; ++r)
            Add(v, Url(item->ResourcePath(r), item->ResourceWebPath(r), mode, previewPath));
        Add(v, item->m_strTarget.empty() ? std::string("_self") : item->m_strTarget);
        v += item->m_strLink;
        ParamLine(html, ItemKey(n, k), v);
        ++k;
    }

    ++m_nMenuCounter;
    return true;
}

int CAppletParameters::BuildResourceList(CWidgetConfig& config)
{
    config.ClearResources();
    config.AddResource(LoadWidgetString(IDS_APPLET_CLASS), ServerFolder() + "/", m_strClassWebPath);
    if (m_bWebRuntime)
        config.AddResource(kWebRuntimeFile, ServerFolder() + "/", m_strClassWebPath);

    auto addIfPresent = [&config](std::string& path, const std::string& webPath) {
        if (path.empty())
            return;
        if (IsRegularFile(path))
            config.AddResource(FileNameOf(path), FolderOf(path), webPath);
        else
            path.clear();   // the file has gone: drop it from the model
    };
    addIfPresent(m_strBackImage, m_strBackImageWeb);
    addIfPresent(m_strBackAudio, m_strBackAudioWeb);

    m_arrFlatItems.clear();
    NumberMenus(TopLevelMenus(), m_arrFlatItems);
    for (CGlimMenuItem* item : m_arrFlatItems)
        for (int r = 0; r < CGlimMenuItem::kResourceCount; ++r)
            addIfPresent(item->ResourcePath(r), item->ResourceWebPath(r));
    m_arrFlatItems.clear();
    return static_cast<int>(config.m_arrResources.size());
}

}  // namespace snippo
