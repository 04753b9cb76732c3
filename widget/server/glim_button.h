// The widget automation object: one widget (its file record and its applet parameters)
// behind late-bound IDispatch calls by fixed dispatch identifier.
#pragma once

#include <string>

#include "platform/com/dispatch.h"
#include "widget/model/applet_parameters.h"
#include "widget/model/string_table.h"
#include "widget/model/widget_config.h"

namespace snippo {

// {B2471160-D234-11D2-B481-00400533CDD6}
inline constexpr CLSID CLSID_GlimButton = {0xB2471160, 0xD234, 0x11D2, {0xB4, 0x81, 0x00, 0x40, 0x05, 0x33, 0xCD, 0xD6}};
// {7EA44A29-79D0-11D2-B53F-0040053E35C8}: the dispatch interface, answered besides IDispatch.
inline constexpr IID DIID_IGlimButton = {0x7EA44A29, 0x79D0, 0x11D2, {0xB5, 0x3F, 0x00, 0x40, 0x05, 0x3E, 0x35, 0xC8}};

enum GlimButtonDispId : DISPID {
    DISPID_ProgID = 1,
    DISPID_Title = 2,
    DISPID_Description = 3,
    DISPID_BitmapFileName = 4,
    DISPID_PreviewPath = 5,
    DISPID_LastUpdateTime = 6,
    DISPID_ReadConfigFile = 7,
    DISPID_WriteConfigFile = 8,
    DISPID_Config = 9,
    DISPID_GetSnippoTypeID = 10,
    DISPID_GetSnippoNameID = 11,
    DISPID_GetMenuTextID = 12,
    DISPID_GetMessageTextID = 13,
    DISPID_GetTipsTextID = 14,
    DISPID_GetIconID = 15,
    DISPID_WebRuntime = 16,
    DISPID_GetHTMLSegmentNumber = 17,
    DISPID_GetHTMLPosition = 18,
    DISPID_GetHTMLBody = 19,
    DISPID_GetResourceInstance = 20,
    DISPID_GetResourceNumber = 21,
    DISPID_GetResourceName = 22,
    DISPID_GetResourceLocalPath = 23,
    DISPID_GetResourceWebPath = 24,
    DISPID_GetResourceLocalPathByName = 25,
    DISPID_GetResourceWebPathByName = 26,
    DISPID_SetResourceLocalPath = 27,
};

inline constexpr std::int32_t kGlimButtonIconId = 4000;

class CGlimButton : public DispatchObject<CGlimButton> {
public:
    CGlimButton();     // takes a lock on the module
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
    ~CGlimButton();   // releases the module lock; only Release deletes
    void BuildResourcesOnDemand();

    CWidgetConfig m_config;
    CAppletParameters m_params;
    bool m_bResourcesBuilt = false;
};

}  // namespace snippo
