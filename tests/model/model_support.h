// What the model tests share: temporary folders, small model builders, a seeded
// generator of random models, and field-by-field comparison with the exceptions that each
// way of storing a model documents.
#pragma once

#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "widget/model/applet_parameters.h"
#include "widget/model/draw_obj.h"
#include "widget/model/glim_menu.h"
#include "widget/model/widget_config.h"

namespace snippo::test {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return m_path; }
    // Path() + "/" + name
    std::string File(const std::string& name) const;
    // Path() + "/"
    std::string Dir() const { return m_path + "/"; }

private:
    std::string m_path;
};

std::string ReadAll(const std::string& path);
// The value of the named parameter line of applet HTML, or "<none>".
std::string ParamValue(const std::string& html, const std::string& name);
void WriteAll(const std::string& path, const std::string& bytes);
// The names in a folder, sorted.
std::vector<std::string> ListFolder(const std::string& folder);
// Runs `body` while no file may grow beyond `limit` bytes, as on a disk that fills up:
// writes past the limit fail (EFBIG) instead of raising a signal.
bool WithFileSizeLimit(std::uint64_t limit, const std::function<bool()>& body);

// The folder the tests install as the server folder; it holds a stand-in applet class file.
const std::string& TestServerFolder();
std::string AppletClassBytes();
std::string WebRuntimeBytes();

// A button as the editor draws it (label "Button", hint "Hint"), appended to the model.
CDrawObj* AddButton(CAppletParameters& params, const CRect& rect);

// Every menu and every item of the model's trees.
std::size_t CountMenus(CAppletParameters& params);
std::size_t CountItems(CAppletParameters& params);

// How a model was stored, and so which fields must survive.
enum class Storage {
    kSnapshot,    // the archive: every field but m_nIndex
    kParameters,  // parameter strings: the documented exceptions apply
};

struct CompareOptions {
    Storage storage = Storage::kSnapshot;
    // For kParameters: the folder (ending with '/') that stored file names are read into.
    std::string folder;
};

// Non-fatal expectations, one per differing field, naming where it differs.
void ExpectMenuEqual(const CGlimMenu& expected, const CGlimMenu& actual, const CompareOptions& opt, bool topLevel,
                     const std::string& where);
void ExpectItemEqual(const CGlimMenuItem& expected, const CGlimMenuItem& actual, const CompareOptions& opt,
                     const std::string& where);
// The applet settings, the buttons and (for snapshots) the selection.
void ExpectModelEqual(const CAppletParameters& expected, const CAppletParameters& actual, const CompareOptions& opt);

// Builds random models from a fixed seed. Texts keep to what the stored forms can carry:
// only labels hold commas and CR LF; no text starts or ends with white space.
class ModelGenerator {
public:
    explicit ModelGenerator(std::uint32_t seed) : m_rng(seed) {}

    // `resources`: full paths that resource fields may name (may be empty: no resources).
    // `everyField`: also fill the fields that only snapshots keep (reserved style fields,
    // m_nMenuValueB, names of top-level menus, settings outside the parameter strings).
    void Fill(CAppletParameters& params, const std::vector<std::string>& resources, bool everyField);

    std::string Text(std::size_t maxLength);  // no ',' and no line break
    std::string Label();                      // may hold ',' and CR LF
    std::int32_t Int();                       // any 32-bit value, small ones more often
    COLORREF Colour() { return static_cast<COLORREF>(Below(0x1000000)); }
    std::uint32_t Below(std::uint32_t n) { return n ? static_cast<std::uint32_t>(m_rng() % n) : 0; }
    bool Chance(int percent) { return static_cast<int>(Below(100)) < percent; }
    std::mt19937& Rng() { return m_rng; }

private:
    void FillMenu(CGlimMenu& menu, int depth, const std::vector<std::string>& resources, bool everyField);
    void FillStyle(GlimStateStyle& s, bool everyField);
    void FillItem(CGlimMenuItem& item, const std::vector<std::string>& resources);
    std::string Resource(const std::vector<std::string>& resources);

    std::mt19937 m_rng;
};

}  // namespace snippo::test
