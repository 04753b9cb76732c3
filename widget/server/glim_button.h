// The widget automation object: one widget (its file record and its applet parameters)
// behind late-bound IDispatch calls by fixed dispatch identifier.
#pragma once

#include <string>

#include "platform/com/dispatch.h"
#include "contract/glim_button_ids.h"
#include "widget/model/applet_parameters.h"
#include "widget/model/string_table.h"
#include "widget/model/widget_config.h"

namespace snippo {

inline constexpr std::int32_t kGlimButtonIconId = 4000;

class CGlimButton : public DispatchObject<CGlimButton> {
public:
    CGlimButton();  // takes a lock on the module
    static const DispatchTable<CGlimButton>& DispatchMap();

    // The members of the automation interface, as plain calls.
    std::string GetProgID() { return m_config.GetProgID(); }
    void SetProgID(const std::string& v) { m_config.SetProgID(v); }
    std::string GetTitle() { return m_config.GetTitle(); }
    void SetTitle(const std::string& v) { m_config.SetTitle(v); }
    std::string GetDescription() { return m_config.GetDescription(); }
    void SetDescription(const std::string& v) { m_config.SetDescription(v); }
    std::string GetBitmapFileName() { return m_config.GetBitmapFileName(); }
    void SetBitmapFileName(const std::string& v) { m_config.SetBitmapFileName(v); }
    std::string GetPreviewPath() { return m_config.GetPreviewPath(); }
    void SetPreviewPath(const std::string& v) { m_config.SetPreviewPath(v); }
    OleDate GetLastUpdateTime() { return OleDate{m_config.GetLastUpdateTime()}; }
    void SetLastUpdateTime(OleDate v) { m_config.SetLastUpdateTime(v.value); }
    bool ReadConfigFile(const std::string& path);
    bool WriteConfigFile(const std::string& path);
    bool Config();
    std::int32_t GetSnippoTypeID() { return IDS_TYPE_TEXT; }
    std::int32_t GetSnippoNameID() { return IDS_NAME_TEXT; }
    std::int32_t GetMenuTextID() { return IDS_MENU_TEXT; }
    std::int32_t GetMessageTextID() { return IDS_MESSAGE_TEXT; }
    std::int32_t GetTipsTextID() { return IDS_TIPS_TEXT; }
    std::int32_t GetIconID(std::int16_t) { return kGlimButtonIconId; }
    // TRUE: the HTML brings the browser runtime qlnbtn.js (a second segment at "script").
    bool GetWebRuntime() { return m_params.m_bWebRuntime; }
    void SetWebRuntime(bool v) { m_params.m_bWebRuntime = v; }
    std::int16_t GetHTMLSegmentNumber() { return m_params.m_bWebRuntime ? 2 : 1; }
    std::string GetHTMLPosition(std::int16_t segment);
    std::string GetHTMLBody(std::int16_t segment, std::int16_t linkMode);
    std::int32_t GetResourceInstance();
    std::int16_t GetResourceNumber();
    std::string GetResourceName(std::int16_t index);
    std::string GetResourceLocalPath(std::int16_t index);
    std::string GetResourceWebPath(std::int16_t index);
    std::string GetResourceLocalPathByName(const std::string& name);
    std::string GetResourceWebPathByName(const std::string& name);
    bool SetResourceLocalPath(const std::string& path);

    CWidgetConfig& Record() { return m_config; }
    CAppletParameters& Parameters() { return m_params; }
    bool ResourcesBuilt() const { return m_bResourcesBuilt; }

private:
    friend class DispatchObject<CGlimButton>;
    ~CGlimButton();  // releases the module lock; only Release deletes
    void BuildResourcesOnDemand();

    CWidgetConfig m_config;
    CAppletParameters m_params;
    bool m_bResourcesBuilt = false;
};

}  // namespace snippo
