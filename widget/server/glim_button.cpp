#include "widget/server/glim_button.h"

#include "widget/model/config_file.h"
#include "widget/model/web_runtime.h"
#include "widget/server/server_hooks.h"

namespace snippo {

const DispatchTable<CGlimButton>& CGlimButton::DispatchMap()
{
    using C = CGlimButton;
    static const DispatchTable<C> table{
        {dispid::ProgID, "ProgID", DispProperty(&C::GetProgID, &C::SetProgID)},
        {dispid::Title, "Title", DispProperty(&C::GetTitle, &C::SetTitle)},
        {dispid::Description, "Description", DispProperty(&C::GetDescription, &C::SetDescription)},
        {dispid::BitmapFileName, "BitmapFileName", DispProperty(&C::GetBitmapFileName, &C::SetBitmapFileName)},
        {dispid::PreviewPath, "PreviewPath", DispProperty(&C::GetPreviewPath, &C::SetPreviewPath)},
        {dispid::LastUpdateTime, "LastUpdateTime", DispProperty(&C::GetLastUpdateTime, &C::SetLastUpdateTime)},
        {dispid::ReadConfigFile, "ReadConfigFile", DispMethod(&C::ReadConfigFile)},
        {dispid::WriteConfigFile, "WriteConfigFile", DispMethod(&C::WriteConfigFile)},
        {dispid::Config, "Config", DispMethod(&C::Config)},
        {dispid::GetSnippoTypeID, "GetSnippoTypeID", DispMethod(&C::GetSnippoTypeID)},
        {dispid::GetSnippoNameID, "GetSnippoNameID", DispMethod(&C::GetSnippoNameID)},
        {dispid::GetMenuTextID, "GetMenuTextID", DispMethod(&C::GetMenuTextID)},
        {dispid::GetMessageTextID, "GetMessageTextID", DispMethod(&C::GetMessageTextID)},
        {dispid::GetTipsTextID, "GetTipsTextID", DispMethod(&C::GetTipsTextID)},
        {dispid::GetIconID, "GetIconID", DispMethod(&C::GetIconID)},
        {dispid::WebRuntime, "WebRuntime", DispProperty(&C::GetWebRuntime, &C::SetWebRuntime)},
        {dispid::GetHTMLSegmentNumber, "GetHTMLSegmentNumber", DispMethod(&C::GetHTMLSegmentNumber)},
        {dispid::GetHTMLPosition, "GetHTMLPosition", DispMethod(&C::GetHTMLPosition)},
        {dispid::GetHTMLBody, "GetHTMLBody", DispMethod(&C::GetHTMLBody)},
        {dispid::GetResourceInstance, "GetResourceInstance", DispMethod(&C::GetResourceInstance)},
        {dispid::GetResourceNumber, "GetResourceNumber", DispMethod(&C::GetResourceNumber)},
        {dispid::GetResourceName, "GetResourceName", DispMethod(&C::GetResourceName)},
        {dispid::GetResourceLocalPath, "GetResourceLocalPath", DispMethod(&C::GetResourceLocalPath)},
        {dispid::GetResourceWebPath, "GetResourceWebPath", DispMethod(&C::GetResourceWebPath)},
        {dispid::GetResourceLocalPathByName, "GetResourceLocalPathByName", DispMethod(&C::GetResourceLocalPathByName)},
        {dispid::GetResourceWebPathByName, "GetResourceWebPathByName", DispMethod(&C::GetResourceWebPathByName)},
        {dispid::SetResourceLocalPath, "SetResourceLocalPath", DispMethod(&C::SetResourceLocalPath)},
    };
    return table;
}

CGlimButton::CGlimButton() : DispatchObject<CGlimButton>(DIID_IGlimButton)
{
    LockModule();
}
CGlimButton::~CGlimButton()
{
    UnlockModule();
}

void CGlimButton::BuildResourcesOnDemand()
{
    if (!m_bResourcesBuilt) {
        m_params.BuildResourceList(m_config);
        m_bResourcesBuilt = true;
    }
}

bool CGlimButton::ReadConfigFile(const std::string& path)
{
    bool applied = false;
    if (!snippo::ReadConfigFile(m_config, m_params, path, &applied))
        return false;
    if (applied)
        m_bResourcesBuilt = true;
    return true;
}

bool CGlimButton::WriteConfigFile(const std::string& path)
{
    // The record is regenerated (and the list built) whether or not the file gets written.
    m_bResourcesBuilt = true;
    return snippo::WriteConfigFile(m_config, m_params, path, GetResourceConflictHandler());
}

bool CGlimButton::Config()
{
    m_params.History().ResetHistory();
    if (const ConfigDialogRunner& run = GetConfigDialogRunner())
        run(m_params);
    return true;
}

// With the runtime, segment 1 is the script for the page head; every other index is the
// applet HTML, as it always was.
std::string CGlimButton::GetHTMLPosition(std::int16_t segment)
{
    return m_params.m_bWebRuntime && segment == 1 ? kScriptPosition : "cursor";
}

std::string CGlimButton::GetHTMLBody(std::int16_t segment, std::int16_t linkMode)
{
    if (m_params.m_bWebRuntime && segment == 1)
        return WebRuntimeScript(m_params, m_config, linkMode);
    return m_params.GetHTML(m_config, linkMode);
}

std::int16_t CGlimButton::GetResourceNumber()
{
    BuildResourcesOnDemand();
    return m_config.GetResourceCount();
}

std::string CGlimButton::GetResourceName(std::int16_t index)
{
    BuildResourcesOnDemand();
    return m_config.GetResourceName(index);
}

std::string CGlimButton::GetResourceLocalPath(std::int16_t index)
{
    BuildResourcesOnDemand();
    return m_config.GetResourceLocalPath(index);
}

std::string CGlimButton::GetResourceWebPath(std::int16_t index)
{
    BuildResourcesOnDemand();
    return m_config.GetResourceWebPath(index);
}

std::string CGlimButton::GetResourceLocalPathByName(const std::string& name)
{
    BuildResourcesOnDemand();
    return m_config.GetResourceLocalPathByName(name);
}

std::string CGlimButton::GetResourceWebPathByName(const std::string& name)
{
    BuildResourcesOnDemand();
    return m_config.GetResourceWebPathByName(name);
}

bool CGlimButton::SetResourceLocalPath(const std::string& path)
{
    BuildResourcesOnDemand();
    m_config.SetAllResourceLocalPaths(path);
    return true;
}

std::int32_t CGlimButton::GetResourceInstance()
{
    return static_cast<std::int32_t>(ResourceModuleNumber());
}

}  // namespace snippo
