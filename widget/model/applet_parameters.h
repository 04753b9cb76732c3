// The root of one widget's model: applet-wide settings, the editor's window positions, the
// buttons (draw objects, back to front) with their menu trees, and the editor's selection.
// It also encodes the model as parameter strings, HTML and a resource list.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/archive/archive.h"
#include "widget/model/colour.h"
#include "widget/model/draw_obj.h"
#include "widget/model/undo_history.h"
#include "widget/model/widget_config.h"

namespace snippo {

// Decides what happens to support files whose name is already taken in the destination
// folder. `paths` point at the model fields concerned; the handler may rename or overwrite
// the files and set the fields accordingly. Without a handler the fields stay as they are.
class ResourceConflictHandler {
public:
    virtual ~ResourceConflictHandler() = default;
    virtual void ResolveConflicts(const std::string& destFolder, const std::vector<std::string*>& paths) = 0;
};

// The running state of one encoding pass, which numbers the menus in pre-order as it
// writes them.
struct MenuNumbering {
    std::int32_t counter = 0;                     // the number the next menu takes
    std::string counts;                           // item count of each menu written, each with ','
    std::vector<const CGlimMenuItem*> flatItems;  // the items written, in order
    std::vector<std::int32_t> subMenuNumber;      // by flat item: its sub-menu's number, or -1
    std::string value;                            // the parameter value being built
};

// Output modes of GetHTML.
enum HtmlMode : std::int16_t { kHtmlPreview = 0, kHtmlWeb = 1, kHtmlRelative = 2 };

class CAppletParameters : public CObject {
public:
    CAppletParameters();
    CAppletParameters(const CAppletParameters&) = delete;
    CAppletParameters& operator=(const CAppletParameters&) = delete;
    ~CAppletParameters() override;

    const char* GetClassName() const override { return "CAppletParameters"; }
    std::uint32_t GetSchema() const override { return 1; }
    // The object list, then the selection as references to those objects.
    void Serialize(CArchive& ar) override;

    static std::string ColorToHex(COLORREF colour);

    // Both encoders first give each button's menu the button's normalised rectangle as its
    // placement, and number the menus (m_nIndex).
    void WriteParameters(CWidgetConfig& config);
    // Refreshes the resource list first, which drops support files that have gone.
    std::string GetHTML(CWidgetConfig& config, std::int16_t mode);
    // `directory` ends with '/': the folder in front of which stored file names are put.
    int ReadParameters(CWidgetConfig& config, const std::string& directory);
    // Support files that have gone are dropped from the model.
    int BuildResourceList(CWidgetConfig& config);
    // `destFolder` ends with '/'.
    void CopyResources(const std::string& destFolder, ResourceConflictHandler* handler);

    // Appends and takes ownership; records this object as the owner.
    CDrawObj* AddObject(std::unique_ptr<CDrawObj> obj);
    // Takes the object out of the object list and the selection without deleting it; null
    // when it is not in the list.
    std::unique_ptr<CDrawObj> RemoveObject(CDrawObj* obj);
    // The front-most object that covers the point, or null.
    CDrawObj* ObjectAt(CPoint point) const;
    bool IsSelected(const CDrawObj* obj) const;
    // Deletes every draw object and empties the selection.
    void DeleteContents();

    // Snapshots of the buttons and the selection, for the editor's undo and redo.
    UndoHistory& History() { return m_history; }
    const UndoHistory& History() const { return m_history; }

    std::string m_strAppletName = "GlimButton";
    std::int32_t m_nAlign = 0;
    std::int32_t m_nWidth = 105;
    std::int32_t m_nHeight = 215;
    std::string m_strClassWebPath;
    std::string m_strResourceFolder = "Resource/";
    COLORREF m_crBack = RGB(0xA8, 0xA6, 0xEC);
    COLORREF m_crFade = RGB(0x79, 0x76, 0xE2);
    std::string m_strBackImage;
    std::string m_strBackImageWeb;
    std::int32_t m_nImageMode = 0;
    std::int32_t m_nImageX = 0;
    std::int32_t m_nImageY = 0;
    std::string m_strBackAudio;
    std::string m_strBackAudioWeb;
    std::int32_t m_nBackStyle = 1;
    std::int32_t m_nBorderStyle = 6;
    std::int32_t m_nBorderThick = 10;
    COLORREF m_crBorder = RGB(0xA8, 0xA6, 0xEC);
    std::int32_t m_bProgressBar = 1;
    std::string m_strLoadingMessage = "Loading image ...";
    // The widget brings the browser runtime (qlnbtn.js): a script segment, the runtime in
    // the support files and a plain list of the links inside the applet tag. Kept in the
    // Description part of the widget file, not with the parameters.
    bool m_bWebRuntime = false;

    std::array<std::int32_t, 6> m_nWindowPos = {95, 221, 111, 159, 217, 221};
    std::int32_t m_nReserved = 0;
    std::string m_strReserved1;
    std::string m_strReserved2;

    std::vector<std::unique_ptr<CDrawObj>> m_listDrawObjects;  // back to front
    std::vector<CDrawObj*> m_listSelection;                    // not owned

private:
    // Gives each button's menu the button's normalised rectangle as its placement.
    void PlaceTopLevelMenus();
    // The window positions and the applet-wide settings of the parameter map.
    void ReadAppletFields(const CWidgetConfig& config, const std::string& directory);
    // The encoders proper, on a model whose menus are placed.
    void EncodeParameters(CWidgetConfig& config) const;
    std::string EncodeHTML(const std::string& previewPath, std::int16_t mode) const;
    // The HTML parameters of the menu and of every sub-menu that is shown, in pre-order;
    // the menu's number, or -1 when it is not shown.
    static std::int32_t EmitMenu(std::string& html, MenuNumbering& pass, const CGlimMenu* menu, std::int16_t mode,
                                 const std::string& previewPath);
    // The menu alone, under the next number; true when it is shown.
    static bool EmitOneMenu(std::string& html, MenuNumbering& pass, const CGlimMenu* menu, std::int16_t mode,
                            const std::string& previewPath);
    std::vector<CGlimMenu*> TopLevelMenus() const;

    UndoHistory m_history{*this, [this] { DeleteContents(); }};
};

// The folder that holds the server library (and the applet class file), without a trailing
// '/'. Found from the loaded library itself unless set.
std::string ServerFolder();
void SetServerFolder(const std::string& folder);

}  // namespace snippo
