// CSnippo: the host's handle on one widget object. It creates the object by programmatic
// identifier, finds the folder of the widget's server library (the template folder, which also
// holds the widget's sample page) and offers one typed call per member the host uses, bound by
// the member's fixed dispatch identifier, never by name.
//
// The proxy owns one reference to the object and releases it when destroyed. A failing call
// throws CAutomationException (automation_error.h); the command that made it reports it.
// Texts and paths cross this class as QString; the object's own text type is met in one
// place inside it.
#pragma once

#include "platform/com/comptr.h"
#include "platform/com/guid.h"
#include "platform/com/interfaces.h"
#include "platform/com/variant.h"
#include "contract/glim_button_ids.h"

#include <QList>
#include <QString>

#include <cstdint>
#include <vector>

namespace snippo {

// One template file of this widget kind, as the widget read it.
struct CTemplateEntry {
    QString m_strName;  // the title stored in the file
    QString m_strDescription;
    QString m_strPath;  // the file, in the server folder
};

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
    bool CreateDispatch(const QString& progId);

    // Replaces the object by a freshly created one of the same class, so that the next file
    // read is not merged into what an earlier one left (the widget's reader keeps every value
    // a file does not name). False, keeping the object, when none can be created.
    bool Renew();

    // The templates of this widget kind in the server folder: every "*.qwd" file that the
    // widget reads and whose ProgID is this proxy's identifier. Each file is read by a fresh
    // object, so a damaged file cannot pass for a copy of the one read before it; afterwards
    // the proxy holds the last file read. The files come in the folder's own order.
    QList<CTemplateEntry> ListTemplates();

    // Where the template called `name` is stored: server folder + "/" + name + "_" + the
    // identifier + ".qwd"; an empty name gives the folder and a '/'.
    QString TemplatePath(const QString& name) const;

    bool HasDispatch() const { return static_cast<bool>(m_dispatch); }
    IDispatch* Dispatch() const { return m_dispatch.Get(); }

    // Typed calls, one per member the host uses.
    QString GetProgID();
    void SetProgID(const QString& value);
    QString GetTitle();
    void SetTitle(const QString& value);
    QString GetDescription();
    void SetDescription(const QString& value);
    QString GetPreviewPath();
    void SetPreviewPath(const QString& value);
    void SetLastUpdateTime(double date);
    // Whether the widget's HTML loads its browser runtime. A widget server without the
    // option answers false and ignores the put.
    bool GetWebRuntime();
    void SetWebRuntime(bool on);
    bool ReadConfigFile(const QString& path);
    // True only when the widget reports success and the file is there afterwards.
    bool WriteConfigFile(const QString& path);
    bool Config();
    std::int32_t GetSnippoTypeID();
    std::int32_t GetSnippoNameID();
    std::int32_t GetMenuTextID();
    std::int32_t GetMessageTextID();
    std::int16_t GetHTMLSegmentNumber();
    QString GetHTMLPosition(std::int16_t segment);
    QString GetHTMLBody(std::int16_t segment, std::int16_t kind);
    std::int32_t GetResourceInstance();
    std::int16_t GetResourceNumber();
    QString GetResourceName(std::int16_t index);
    QString GetResourceLocalPath(std::int16_t index);
    QString GetResourceWebPath(std::int16_t index);

    // Fields, filled by CreateDispatch.
    QString m_strProgID;  // as registered for the class (used for template names)
    CLSID m_clsid = GUID_NULL;
    QString m_strServerFolder;  // without a trailing '/'
    QString m_strNameText;
    QString m_strMessageText;
    QString m_strTypeText;
    QString m_strMenuText;
    QString m_strSamplePage;  // server folder + "/Sample/sample.htm", or "" when missing

private:
    Variant Invoke(DISPID id, WORD flags, const std::vector<Variant>& args = {});
    QString GetString(DISPID id);
    void PutString(DISPID id, const QString& value);
    QString CallString(DISPID id, const std::vector<Variant>& args);
    std::int32_t CallLong(DISPID id);
    std::int16_t CallShort(DISPID id);
    bool CallBool(DISPID id, const std::vector<Variant>& args);

    ComPtr<IDispatch> m_dispatch;
};

// The current local date and time as an automation date (days since 30 December 1899).
double CurrentOleDate();

}  // namespace snippo
