#include "widget/model/config_file.h"

#include <optional>

#include "widget/model/text_fields.h"
#include "widget/model/web_runtime.h"

namespace snippo {

namespace {

// Takes the runtime key out of the description, returning what it held.
std::optional<std::string> TakeWebRuntimeKey(CWidgetConfig& config)
{
    auto it = config.m_mapDescription.find(kWebRuntimeKey);
    if (it == config.m_mapDescription.end())
        return std::nullopt;
    std::string value = std::move(it->second);
    config.m_mapDescription.erase(it);
    return value;
}

}  // namespace

std::string DirectoryOf(const std::string& path)
{
    return path.find('/') == std::string::npos ? std::string() : FolderOf(path) + "/";
}

// GCC 12 takes the assignment of "1" below for an overlapping copy (-Wrestrict, a known false
// positive of its string inlining).
#pragma GCC diagnostic push
#if !defined(__clang__)  // clang has no such warning
#pragma GCC diagnostic ignored "-Wrestrict"
#endif
bool WriteConfigFile(CWidgetConfig& config, CAppletParameters& params, const std::string& path,
                     ResourceConflictHandler* handler)
{
    config.ClearParameters();
    config.ClearResources();
    config.ClearSegments();
    config.SetProgID(kGlimButtonProgID);
    // Written only when set: the files of widgets without the runtime keep their bytes.
    TakeWebRuntimeKey(config);
    if (params.m_bWebRuntime)
        config.m_mapDescription[kWebRuntimeKey] = "1";
    params.CopyResources(DirectoryOf(path), handler);
    params.WriteParameters(config);
    params.BuildResourceList(config);
    config.AddSegment("cursor", params.GetHTML(config, kHtmlPreview));
    if (params.m_bWebRuntime)
        config.AddSegment(kScriptPosition, WebRuntimeScript(params, config, kHtmlPreview));
    return config.WriteFile(path);
}
#pragma GCC diagnostic pop

bool ReadConfigFile(CWidgetConfig& config, CAppletParameters& params, const std::string& path, bool* applied)
{
    if (applied)
        *applied = false;
    // The runtime follows the file alone: a file without the key is a widget without it,
    // whatever the record held before.
    std::optional<std::string> before = TakeWebRuntimeKey(config);
    auto restore = [&] {
        if (before && !config.m_mapDescription.count(kWebRuntimeKey))
            config.m_mapDescription[kWebRuntimeKey] = std::move(*before);
    };
    if (!config.ReadFile(path)) {
        restore();
        return false;
    }
    if (config.GetProgID() != kGlimButtonProgID) {
        restore();
        return true;
    }
    params.ReadParameters(config, DirectoryOf(path));
    const auto key = config.m_mapDescription.find(kWebRuntimeKey);
    params.m_bWebRuntime = key != config.m_mapDescription.end() && ParseInt(key->second) != 0;
    if (applied)
        *applied = true;
    return true;
}

}  // namespace snippo
