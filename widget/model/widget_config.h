// The widget configuration record and its file (*.qwd): a description map, the applet
// parameters in their configuration form, the list of support files and the HTML segments.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace snippo {

struct ResourceEntry {
    std::string strName;       // file name
    std::string strLocalPath;  // folder on this machine (the applet class: with a trailing '/')
    std::string strWebPath;    // prefix the web form of the HTML puts before the name
    bool operator==(const ResourceEntry&) const = default;
};

struct HtmlSegment {
    std::string strPosition;  // "cursor": at the insertion point of the page body
    std::string strBody;
    bool operator==(const HtmlSegment&) const = default;
};

class CWidgetConfig {
public:
    virtual ~CWidgetConfig() = default;

    // Description entries. A getter creates the entry, empty, when it is missing, so every
    // key asked for is written to the next file.
    std::string GetProgID() { return Description("ProgID"); }
    std::string GetTitle() { return Description("Title"); }
    std::string GetDescription() { return Description("Description"); }
    std::string GetBitmapFileName() { return Description("BitmapFileName"); }
    std::string GetPreviewPath() { return Description("PreviewPath"); }
    double GetLastUpdateTime();
    int SetProgID(const std::string& v) { return SetDescription("ProgID", v); }
    int SetTitle(const std::string& v) { return SetDescription("Title", v); }
    int SetDescription(const std::string& v) { return SetDescription("Description", v); }
    int SetBitmapFileName(const std::string& v) { return SetDescription("BitmapFileName", v); }
    int SetPreviewPath(const std::string& v) { return SetDescription("PreviewPath", v); }
    int SetLastUpdateTime(double time);

    std::string GetParameter(const std::string& key, const std::string& def) const;
    int SetParameter(const std::string& key, const std::string& value);
    void ClearParameters() { m_mapParameters.clear(); }

    void ClearResources() { m_arrResources.clear(); }
    int AddResource(const std::string& name, const std::string& localPath, const std::string& webPath);
    std::int16_t GetResourceCount() const { return static_cast<std::int16_t>(m_arrResources.size()); }
    std::string GetResourceName(std::int16_t index) const;
    std::string GetResourceLocalPath(std::int16_t index) const;
    std::string GetResourceWebPath(std::int16_t index) const;
    std::string GetResourceLocalPathByName(const std::string& name) const;
    std::string GetResourceWebPathByName(const std::string& name) const;
    int SetAllResourceLocalPaths(const std::string& path);

    void ClearSegments() { m_arrSegments.clear(); }
    void AddSegment(const std::string& position, const std::string& body);

    // Saves the file as SaveFileContents does (file_store.h): the file stays the same file,
    // and any failure returns FALSE with the previous content left as it was.
    bool WriteFile(const std::string& path) const;
    // FALSE when the file cannot be opened or read, or is no regular file; content is
    // merged into the maps.
    bool ReadFile(const std::string& path);
    // The same two on text in memory (file bytes).
    std::string Format() const;
    void Parse(const std::string& text);

    std::string m_strReserved1;
    std::string m_strReserved2;
    std::map<std::string, std::string> m_mapDescription;
    std::map<std::string, std::string> m_mapParameters;
    std::vector<ResourceEntry> m_arrResources;
    std::vector<HtmlSegment> m_arrSegments;

private:
    std::string Description(const std::string& key) { return m_mapDescription[key]; }
    int SetDescription(const std::string& key, const std::string& value)
    {
        m_mapDescription[key] = value;
        return 1;
    }
};

}  // namespace snippo
