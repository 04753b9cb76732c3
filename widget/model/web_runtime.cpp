#include "widget/model/web_runtime.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "widget/model/applet_parameters.h"
#include "widget/model/text_fields.h"

namespace snippo {

namespace {

bool Emitted(const CGlimMenu* menu)
{
    return menu && menu->m_bVisible && menu->CountItems(0) > 0;
}

// A label's text for a list: escaped, its line breaks as <br>.
std::string ListText(const std::string& label)
{
    std::string text = HtmlEscape(label);
    ReplaceAll(text, "\r\n", "<br>");
    return text;
}

void AppendItem(std::string& out, const CGlimMenuItem& item)
{
    if (item.m_strLink.empty()) {
        out += ListText(item.m_strLabel);
        return;
    }
    out += "<a href=\"";
    out += HtmlEscape(item.m_strLink);
    out += '"';
    if (!item.m_strTarget.empty()) {
        out += " target=\"";
        out += HtmlEscape(item.m_strTarget);
        out += '"';
        if (item.m_strTarget == "_blank")
            out += " rel=\"noopener\"";
    }
    out += '>';
    out += ListText(item.m_strLabel);
    out += "</a>";
}

}  // namespace

std::string WebRuntimeScript(const CAppletParameters& params, CWidgetConfig& config, std::int16_t mode)
{
    const std::string prefix = mode == kHtmlPreview ? config.GetPreviewPath()
                               : mode == kHtmlWeb   ? params.m_strClassWebPath
                                                    : std::string();
    return "<script src=\"" + HtmlEscape(prefix) + kWebRuntimeFile + "\" defer></script>\r\n";
}

std::string WebRuntimeFallbackList(const CAppletParameters& params)
{
    struct Frame {
        const CGlimMenu* menu;
        std::size_t next;  // the next item to list
        bool nested;       // a sub-menu, closed inside its item
    };
    std::string out;
    std::vector<Frame> stack;
    for (const auto& obj : params.m_listDrawObjects) {
        if (!Emitted(obj->Menu()))
            continue;
        if (out.empty())
            out = "\t<ul>\r\n";
        stack.push_back({obj->Menu(), 0, false});
        while (!stack.empty()) {
            Frame& f = stack.back();
            while (f.next < f.menu->m_items.size() && !f.menu->m_items[f.next]->m_bVisible)
                ++f.next;
            if (f.next == f.menu->m_items.size()) {
                const bool nested = f.nested;
                stack.pop_back();
                if (nested)
                    out += "\t</ul>\r\n\t</li>\r\n";
                continue;
            }
            const CGlimMenuItem& item = *f.menu->m_items[f.next++];
            out += "\t<li>";
            AppendItem(out, item);
            if (Emitted(item.SubMenu())) {
                out += "\r\n\t<ul>\r\n";
                stack.push_back({item.SubMenu(), 0, true});  // `f` is not used after this
            } else {
                out += "</li>\r\n";
            }
        }
    }
    if (!out.empty())
        out += "\t</ul>\r\n";
    return out;
}

void CopyServerFile(const std::string& name, const std::string& destFolder)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path source = fs::path(ServerFolder()) / name;
    const fs::path target = destFolder + name;
    if (!fs::equivalent(source, target, ec))
        fs::copy_file(source, target, fs::copy_options::overwrite_existing, ec);
}

}  // namespace snippo
