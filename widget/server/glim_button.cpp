#include "widget/server/glim_button.h"

#include "widget/model/config_file.h"
#include "widget/model/web_runtime.h"
#include "widget/server/server_hooks.h"

namespace snippo {

const DispatchTable<CGlimButton>& CGlimButton::DispatchMap()
{
    using C = CGlimButton;
    static const DispatchTable<C> table{
        {DISPID_ProgID, "ProgID", DispProperty(&C::GetProgID, &C::SetProgID)},
        {DISPID_Title, "Title", DispProperty(&C::GetTitle, &C::SetTitle)},
        {DISPID_Description, "Description", DispProperty(&C::GetDescription, &C::SetDescription)},
        {DISPID_BitmapFileName, "BitmapFileName", DispProperty(&C::GetBitmapFileName, &C::SetBitmapFileName)},
        {DISPID_PreviewPath, "PreviewPath", DispProperty(&C::GetPreviewPath, &C::SetPreviewPath)},
        {DISPID_LastUpdateTime, "LastUpdateTime", DispProperty(&C::GetLastUpdateTime, &C::SetLastUpdateTime)},
        {DISPID_ReadConfigFile, "ReadConfigFile", DispMethod(&C::ReadConfigFile)},
        {DISPID_WriteConfigFile, "WriteConfigFile", DispMethod(&C::WriteConfigFile)},
        {DISPID_Config, "Config", DispMethod(&C::Config)},
        {DISPID_GetSnippoTypeID, "GetSnippoTypeID", DispMethod(&C::GetSnippoTypeID)},
        {DISPID_GetSnippoNameID, "GetSnippoNameID", DispMethod(&C::GetSnippoNameID)},
        {DISPID_GetMenuTextID, "GetMenuTextID", DispMethod(&C::GetMenuTextID)},
        {DISPID_GetMessageTextID, "GetMessageTextID", DispMethod(&C::GetMessageTextID)},
        {DISPID_GetTipsTextID, "GetTipsTextID", DispMethod(&C::GetTipsTextID)},
        {DISPID_GetIconID, "GetIconID", DispMethod(&C::GetIconID)},
        {DISPID_WebRuntime, "WebRuntime", DispProperty(&C::GetWebRuntime, &C::SetWebRuntime)},
        {DISPID_GetHTMLSegmentNumber, "GetHTMLSegmentNumber", DispMethod(&C::GetHTMLSegmentNumber)},
        {DISPID_GetHTMLPosition, "GetHTMLPosition", DispMethod(&C::GetHTMLPosition)},
        {DISPID_GetHTMLBody, "GetHTMLBody", DispMethod(&C::GetHTMLBody)},
        {DISPID_GetResourceInstance, "GetResourceInstance", DispMethod(&C::GetResourceInstance)},
        {DISPID_GetResourceNumber, "GetResourceNumber", DispMethod(&C::GetResourceNumber)},
        {DISPID_GetResourceName, "GetResourceName", DispMethod(&C::GetResourceName)},
        {DISPID_GetResourceLocalPath, "GetResourceLocalPath", DispMethod(&C::GetResourceLocalPath)},
        {DISPID_GetResourceWebPath, "GetResourceWebPath", DispMethod(&C::GetResourceWebPath)},
        {DISPID_GetResourceLocalPathByName, "GetResourceLocalPathByName", DispMethod(&C::GetResourceLocalPathByName)},
        {DISPID_GetResourceWebPathByName, "GetResourceWebPathByName", DispMethod(&C::GetResourceWebPathByName)},
        {DISPID_SetResourceLocalPath, "SetResourceLocalPath", DispMethod(&C::SetResourceLocalPath)},
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
