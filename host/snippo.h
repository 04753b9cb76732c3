// CSnippo: the host's handle on one widget object. It creates the object by programmatic
// identifier, finds the folder of the widget's server library (the template folder, which also
// holds the widget's sample page) and offers one typed call per member the host uses, bound by
// the member's fixed dispatch identifier, never by name.
//
// The proxy owns one reference to the object and releases it when destroyed. A failing call
// throws CAutomationException (automation_error.h); the command that made it reports it.
#pragma once

#include "platform/com/comptr.h"
#include "platform/com/guid.h"
#include "platform/com/interfaces.h"
#include "platform/com/variant.h"
#include "contract/glim_button_ids.h"

#include <cstdint>
#include <string>
#include <vector>

namespace snippo {

class CSnippo {
public:
    CSnippo() = default;
    CSnippo(const CSnippo&) = delete;
    CSnippo& operator=(const CSnippo&) = delete;
    virtual ~CSnippo() = default;

    // Looks the identifier up, finds the server folder and the sample page, creates the object
    // (unless one is held already), loads the widget's texts and names it "Normal". False
    // without a message when the class is not registered; "Create Dispatch of the <id>
    // Error!" and false when the object cannot be created.
    bool CreateDispatch(const std::string& progId);

    // Replaces the object by a freshly created one of the same class, so that the next file
    // read is not merged into what an earlier one left (the widget's reader keeps every value
    // a file does not name). False, keeping the object, when none can be created.
    bool Renew();

    // The templates of this widget kind in the server folder: every "*.qwd" file that the
    // widget reads and whose ProgID is this proxy's identifier. Each file is read by a fresh
    // object, so a damaged file cannot pass for a copy of the one read before it; afterwards
    // the proxy holds the last file read.
    void ListTemplates(std::vector<std::string>& names, std::vector<std::string>& descriptions,
                       std::vector<std::string>& paths);

    bool HasDispatch() const { return static_cast<bool>(m_dispatch); }
    IDispatch* Dispatch() const { return m_dispatch.Get(); }

    // Typed calls, one per member the host uses.
    std::string GetProgID();
    void SetProgID(const std::string& value);
    std::string GetTitle();
    void SetTitle(const std::string& value);
    std::string GetDescription();
    void SetDescription(const std::string& value);
    std::string GetPreviewPath();
    void SetPreviewPath(const std::string& value);
    void SetLastUpdateTime(double date);
    // Whether the widget's HTML loads its browser runtime. A widget server without the
    // option answers false and ignores the put.
    bool GetWebRuntime();
    void SetWebRuntime(bool on);
    bool ReadConfigFile(const std::string& path);
    // True only when the widget reports success and the file is there afterwards.
    bool WriteConfigFile(const std::string& path);
    bool Config();
    std::int32_t GetSnippoTypeID();
    std::int32_t GetSnippoNameID();
    std::int32_t GetMenuTextID();
    std::int32_t GetMessageTextID();
    std::int16_t GetHTMLSegmentNumber();
    std::string GetHTMLPosition(std::int16_t segment);
    std::string GetHTMLBody(std::int16_t segment, std::int16_t kind);
    std::int32_t GetResourceInstance();
    std::int16_t GetResourceNumber();
    std::string GetResourceName(std::int16_t index);
    std::string GetResourceLocalPath(std::int16_t index);
    std::string GetResourceWebPath(std::int16_t index);

    // Fields, filled by CreateDispatch.
    std::string m_strProgID;  // as registered for the class (used for template names)
    CLSID m_clsid = GUID_NULL;
    std::string m_strServerFolder;  // without a trailing '/'
    std::string m_strNameText;
    std::string m_strMessageText;
    std::string m_strTypeText;
    std::string m_strMenuText;
    std::string m_strSamplePage;  // server folder + "/Sample/sample.htm", or "" when missing

private:
    Variant Invoke(DISPID id, WORD flags, const std::vector<Variant>& args = {});
    std::string GetString(DISPID id);
    void PutString(DISPID id, const std::string& value);
    std::string CallString(DISPID id, const std::vector<Variant>& args);
    std::int32_t CallLong(DISPID id);
    std::int16_t CallShort(DISPID id);
    bool CallBool(DISPID id, const std::vector<Variant>& args);

    ComPtr<IDispatch> m_dispatch;
};

// The current local date and time as an automation date (days since 30 December 1899).
double CurrentOleDate();

}  // namespace snippo
