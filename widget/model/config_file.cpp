#include "widget/model/config_file.h"

#include "widget/model/text_fields.h"

namespace snippo {

std::string DirectoryOf(const std::string& path)
{
    return path.find('/') == std::string::npos ? std::string() : FolderOf(path) + "/";
}

bool WriteConfigFile(CWidgetConfig& config, CAppletParameters& params, const std::string& path,
                     ResourceConflictHandler* handler)
{
    config.ClearParameters();
    config.ClearResources();
    config.ClearSegments();
    config.SetProgID(kGlimButtonProgID);
    params.CopyResources(DirectoryOf(path), handler);
    params.WriteParameters(config);
    params.BuildResourceList(config);
    config.AddSegment("cursor", params.GetHTML(config, kHtmlPreview));
    return config.WriteFile(path);
}

bool ReadConfigFile(CWidgetConfig& config, CAppletParameters& params, const std::string& path, bool* applied)
{
    if (applied)
        *applied = false;
    if (!config.ReadFile(path))
        return false;
    if (config.GetProgID() != kGlimButtonProgID)
        return true;
    params.ReadParameters(config, DirectoryOf(path));
    if (applied)
        *applied = true;
    return true;
}

}  // namespace snippo
