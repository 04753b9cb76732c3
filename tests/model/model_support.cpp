#include "model_support.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "widget/model/text_fields.h"

namespace fs = std::filesystem;

namespace snippo::test {

TempDir::TempDir()
{
    std::string pattern = (fs::temp_directory_path() / "snippo-model-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    m_path = pattern;
}

TempDir::~TempDir()
{
    std::error_code ec;
    // Folders a test made read-only must become writable again to be removed; a link is
    // left alone, or its target (perhaps a device) would change.
    fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, ec);
    for (auto it = fs::recursive_directory_iterator(m_path, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec))
        if (!it->is_symlink(ec))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(m_path, ec);
}

std::string TempDir::File(const std::string& name) const
{
    return m_path + "/" + name;
}

std::string ParamValue(const std::string& html, const std::string& name)
{
    const std::string start = "\t<param name=\"" + name + "\" value=\"";
    std::size_t at = html.find(start);
    if (at == std::string::npos)
        return "<none>";
    at += start.size();
    return html.substr(at, html.find("\">\r\n", at) - at);
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteAll(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::vector<std::string> ListFolder(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool WithFileSizeLimit(std::uint64_t limit, const std::function<bool()>& body)
{
    struct rlimit old {};
    if (getrlimit(RLIMIT_FSIZE, &old) != 0)
        throw std::runtime_error("cannot read the file size limit");
    struct sigaction ignore {
    }, before{};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGXFSZ, &ignore, &before);
    struct rlimit small = old;
    small.rlim_cur = limit;
    if (setrlimit(RLIMIT_FSIZE, &small) != 0)
        throw std::runtime_error("cannot set the file size limit");
    const bool result = body();
    setrlimit(RLIMIT_FSIZE, &old);
    sigaction(SIGXFSZ, &before, nullptr);
    return result;
}

std::string AppletClassBytes()
{
    return "stand-in applet class for the model tests\n";
}

std::string WebRuntimeBytes()
{
    return "// stand-in web runtime for the model tests\n";
}

const std::string& TestServerFolder()
{
    // Created once per process and removed at its end.
    static const TempDir folder;
    static const bool filled = [] {
        WriteAll(folder.File("qlnbtn.class"), AppletClassBytes());
        WriteAll(folder.File("qlnbtn.js"), WebRuntimeBytes());
        return true;
    }();
    (void)filled;
    return folder.Path();
}

CDrawObj* AddButton(CAppletParameters& params, const CRect& rect)
{
    return params.AddObject(std::make_unique<CDrawRect>(rect));
}

std::size_t CountMenus(CAppletParameters& params)
{
    std::size_t n = 0;
    for (auto& obj : params.m_listDrawObjects)
        ForEachMenu(obj->Menu(), [&n](CGlimMenu*) { ++n; });
    return n;
}

std::size_t CountItems(CAppletParameters& params)
{
    std::size_t n = 0;
    for (auto& obj : params.m_listDrawObjects)
        ForEachMenu(obj->Menu(), [&n](CGlimMenu* m) { n += m->m_items.size(); });
    return n;
}

// ---------------------------------------------------------------------------------------

namespace {

void ExpectStyleEqual(const GlimStateStyle& e, const GlimStateStyle& a, const CompareOptions& opt,
                      const std::string& where)
{
    EXPECT_EQ(e.crBack, a.crBack) << where;
    EXPECT_EQ(e.crFade, a.crFade) << where;
    EXPECT_EQ(e.crFont, a.crFont) << where;
    EXPECT_EQ(e.crBorder, a.crBorder) << where;
    EXPECT_EQ(e.nBackStyle, a.nBackStyle) << where;
    EXPECT_EQ(e.nBorderStyle, a.nBorderStyle) << where;
    EXPECT_EQ(e.nEffect, a.nEffect) << where;
    EXPECT_EQ(e.nFontName, a.nFontName) << where;
    EXPECT_EQ(e.nFontSize, a.nFontSize) << where;
    EXPECT_EQ(e.nFontStyle, a.nFontStyle) << where;
    EXPECT_EQ(e.nTextAlign, a.nTextAlign) << where;
    EXPECT_EQ(e.nTextOffset, a.nTextOffset) << where;
    EXPECT_EQ(e.nImageAlign, a.nImageAlign) << where;
    EXPECT_EQ(e.nImageOffset, a.nImageOffset) << where;
    if (opt.storage == Storage::kSnapshot) {
        EXPECT_EQ(e.nReserved1, a.nReserved1) << where;
        EXPECT_EQ(e.nReserved2, a.nReserved2) << where;
        EXPECT_EQ(e.strReserved, a.strReserved) << where;
    } else {
        // Never stored in parameter strings: a read menu has the constructor's values.
        EXPECT_EQ(1, a.nReserved1) << where;
        EXPECT_EQ(1, a.nReserved2) << where;
        EXPECT_EQ("", a.strReserved) << where;
    }
}

std::string ExpectedPath(const std::string& path, const CompareOptions& opt)
{
    if (opt.storage == Storage::kSnapshot || path.empty())
        return path;
    return opt.folder + FileNameOf(path);
}

}  // namespace

void ExpectItemEqual(const CGlimMenuItem& e, const CGlimMenuItem& a, const CompareOptions& opt,
                     const std::string& where)
{
    EXPECT_EQ(e.m_strLabel, a.m_strLabel) << where;
    EXPECT_EQ(e.m_strDescription, a.m_strDescription) << where;
    auto& ee = const_cast<CGlimMenuItem&>(e);
    auto& aa = const_cast<CGlimMenuItem&>(a);
    for (int r = 0; r < CGlimMenuItem::kResourceCount; ++r) {
        EXPECT_EQ(ExpectedPath(ee.ResourcePath(r), opt), aa.ResourcePath(r)) << where << " resource " << r;
        EXPECT_EQ(ee.ResourceWebPath(r), aa.ResourceWebPath(r)) << where << " web path " << r;
    }
    EXPECT_EQ(e.m_strTarget, a.m_strTarget) << where;
    EXPECT_EQ(e.m_strLink, a.m_strLink) << where;
    EXPECT_EQ(e.m_bVisible, a.m_bVisible) << where;
    ASSERT_NE(nullptr, a.SubMenu()) << where;
    ExpectMenuEqual(*e.SubMenu(), *a.SubMenu(), opt, false, where + ">sub");
}

void ExpectMenuEqual(const CGlimMenu& e, const CGlimMenu& a, const CompareOptions& opt, bool topLevel,
                     const std::string& where)
{
    const bool params = opt.storage == Storage::kParameters;
    EXPECT_EQ(params && topLevel ? std::string("top-level") : e.m_strName, a.m_strName) << where;
    EXPECT_EQ(e.m_crMenuColorA, a.m_crMenuColorA) << where;
    EXPECT_EQ(e.m_nMenuValueA, a.m_nMenuValueA) << where;
    EXPECT_EQ(params ? 0 : e.m_nMenuValueB, a.m_nMenuValueB) << where;
    EXPECT_EQ(e.m_nMenuValueC, a.m_nMenuValueC) << where;
    EXPECT_EQ(e.m_nMenuValueD, a.m_nMenuValueD) << where;
    EXPECT_EQ(e.m_nX, a.m_nX) << where;
    EXPECT_EQ(e.m_nY, a.m_nY) << where;
    EXPECT_EQ(e.m_nWidth, a.m_nWidth) << where;
    EXPECT_EQ(e.m_nHeight, a.m_nHeight) << where;
    EXPECT_EQ(e.m_nMenuValueE, a.m_nMenuValueE) << where;
    EXPECT_EQ(e.m_nBorderThick, a.m_nBorderThick) << where;
    EXPECT_EQ(e.m_crMenuColorB, a.m_crMenuColorB) << where;
    EXPECT_EQ(e.m_nMenuValueF, a.m_nMenuValueF) << where;
    EXPECT_EQ(e.m_crMenuColorC, a.m_crMenuColorC) << where;
    ExpectStyleEqual(e.m_styleNormal, a.m_styleNormal, opt, where + " normal");
    ExpectStyleEqual(e.m_styleOver, a.m_styleOver, opt, where + " over");
    ExpectStyleEqual(e.m_styleClick, a.m_styleClick, opt, where + " click");
    EXPECT_EQ(e.m_bVisible, a.m_bVisible) << where;
    ASSERT_EQ(e.m_items.size(), a.m_items.size()) << where;
    for (std::size_t i = 0; i < e.m_items.size(); ++i)
        ExpectItemEqual(*e.m_items[i], *a.m_items[i], opt, where + "/" + std::to_string(i));
}

void ExpectModelEqual(const CAppletParameters& e, const CAppletParameters& a, const CompareOptions& opt)
{
    const bool params = opt.storage == Storage::kParameters;
    EXPECT_EQ(e.m_strAppletName, a.m_strAppletName);
    EXPECT_EQ(e.m_nAlign, a.m_nAlign);
    EXPECT_EQ(e.m_nWidth, a.m_nWidth);
    EXPECT_EQ(e.m_nHeight, a.m_nHeight);
    EXPECT_EQ(e.m_strClassWebPath, a.m_strClassWebPath);
    EXPECT_EQ(e.m_crBack, a.m_crBack);
    EXPECT_EQ(e.m_crFade, a.m_crFade);
    EXPECT_EQ(ExpectedPath(e.m_strBackImage, opt), a.m_strBackImage);
    EXPECT_EQ(e.m_strBackImageWeb, a.m_strBackImageWeb);
    EXPECT_EQ(e.m_nImageMode, a.m_nImageMode);
    EXPECT_EQ(e.m_nImageX, a.m_nImageX);
    EXPECT_EQ(e.m_nImageY, a.m_nImageY);
    EXPECT_EQ(ExpectedPath(e.m_strBackAudio, opt), a.m_strBackAudio);
    EXPECT_EQ(e.m_strBackAudioWeb, a.m_strBackAudioWeb);
    EXPECT_EQ(e.m_nBackStyle, a.m_nBackStyle);
    EXPECT_EQ(e.m_nBorderStyle, a.m_nBorderStyle);
    EXPECT_EQ(e.m_nBorderThick, a.m_nBorderThick);
    EXPECT_EQ(e.m_crBorder, a.m_crBorder);
    EXPECT_EQ(e.m_bProgressBar, a.m_bProgressBar);
    EXPECT_EQ(e.m_strLoadingMessage, a.m_strLoadingMessage);
    EXPECT_EQ(e.m_nWindowPos, a.m_nWindowPos);

    ASSERT_EQ(e.m_listDrawObjects.size(), a.m_listDrawObjects.size());
    for (std::size_t i = 0; i < e.m_listDrawObjects.size(); ++i) {
        const CDrawObj& eo = *e.m_listDrawObjects[i];
        const CDrawObj& ao = *a.m_listDrawObjects[i];
        const std::string where = "button " + std::to_string(i);
        // The parameter strings carry the rectangle as the normalised menu placement.
        EXPECT_EQ(params ? eo.m_position.Normalized() : eo.m_position, ao.m_position) << where;
        EXPECT_EQ(&a, ao.m_pOwner) << where;
        const auto* er = dynamic_cast<const CDrawRect*>(&eo);
        const auto* ar = dynamic_cast<const CDrawRect*>(&ao);
        ASSERT_NE(nullptr, ar) << where;
        EXPECT_EQ(params ? 0 : er->m_nShape, ar->m_nShape) << where;
        EXPECT_EQ((params ? CPoint{16, 16} : er->m_roundness), ar->m_roundness) << where;
        ExpectMenuEqual(*eo.m_pMenu, *ao.m_pMenu, opt, true, where);
    }

    if (params) {
        EXPECT_TRUE(a.m_listSelection.empty());
        return;
    }
    // The selection comes back as references to the restored buttons, in the same order.
    ASSERT_EQ(e.m_listSelection.size(), a.m_listSelection.size());
    for (std::size_t i = 0; i < e.m_listSelection.size(); ++i) {
        auto index = [](const CAppletParameters& p, const CDrawObj* obj) -> long {
            for (std::size_t k = 0; k < p.m_listDrawObjects.size(); ++k)
                if (p.m_listDrawObjects[k].get() == obj)
                    return static_cast<long>(k);
            return -1;
        };
        const long ei = index(e, e.m_listSelection[i]);
        EXPECT_EQ(ei, index(a, a.m_listSelection[i])) << "selection " << i;
        EXPECT_NE(-1, ei);
    }
}

// ---------------------------------------------------------------------------------------

std::string ModelGenerator::Text(std::size_t maxLength)
{
    // No ',' (only labels are escaped), no '`' (keeps the escape sequences out of reach), no
    // line breaks; spaces only inside.
    static const std::string alphabet =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 .-_!?&<>\"'()[]{}#%*+;:@^~|$/\\";
    const std::size_t length = Below(static_cast<std::uint32_t>(maxLength + 1));
    std::string s;
    for (std::size_t i = 0; i < length; ++i) {
        if (Chance(3))
            s += "\xc3\xa9";  // a two-byte UTF-8 letter
        else
            s += alphabet[Below(static_cast<std::uint32_t>(alphabet.size()))];
    }
    if (!s.empty() && s.front() == ' ')
        s.front() = 'x';
    if (!s.empty() && s.back() == ' ')
        s.back() = 'y';
    return s;
}

std::string ModelGenerator::Label()
{
    std::string s;
    const int pieces = 1 + static_cast<int>(Below(4));
    for (int i = 0; i < pieces; ++i) {
        if (i > 0)
            s += Chance(50) ? "," : "\r\n";
        s += Text(8);
    }
    if (Chance(10))
        s = "," + s;
    if (Chance(10))
        s += "\r\n";
    if (!s.empty() && s.front() == ' ')
        s.front() = 'x';
    return s;
}

std::int32_t ModelGenerator::Int()
{
    switch (Below(4)) {
    case 0:
        return static_cast<std::int32_t>(m_rng());
    case 1:
        return -static_cast<std::int32_t>(Below(1000));
    default:
        return static_cast<std::int32_t>(Below(1300));
    }
}

std::string ModelGenerator::Resource(const std::vector<std::string>& resources)
{
    if (resources.empty() || !Chance(20))
        return {};
    return resources[Below(static_cast<std::uint32_t>(resources.size()))];
}

void ModelGenerator::FillStyle(GlimStateStyle& s, bool everyField)
{
    s.crBack = Colour();
    s.crFade = Colour();
    s.crFont = Colour();
    s.crBorder = Colour();
    s.nBackStyle = Int();
    s.nBorderStyle = Int();
    s.nEffect = Int();
    s.nFontName = Int();
    s.nFontSize = Int();
    s.nFontStyle = Int();
    s.nTextAlign = Int();
    s.nTextOffset = Int();
    s.nImageAlign = Int();
    s.nImageOffset = Int();
    if (everyField) {
        s.nReserved1 = Int();
        s.nReserved2 = Int();
        s.strReserved = Text(6);
    }
}

void ModelGenerator::FillItem(CGlimMenuItem& item, const std::vector<std::string>& resources)
{
    item.m_strLabel = Label();
    item.m_strDescription = Chance(20) ? std::string("a = b") : Text(12);
    for (int r = 0; r < CGlimMenuItem::kResourceCount; ++r) {
        item.ResourcePath(r) = Resource(resources);
        // Web paths never hold '=': the resource list separates its fields with it.
        std::string web = Text(10);
        std::erase(web, '=');
        item.ResourceWebPath(r) = web;
    }
    item.m_strTarget = Chance(50) ? std::string() : Text(8);
    item.m_strLink = Chance(30) ? std::string() : "http://example.org/" + Text(10);
    item.m_bVisible = Chance(75) ? 1 : static_cast<std::int32_t>(Below(3)) - 1;
}

void ModelGenerator::FillMenu(CGlimMenu& menu, int depth, const std::vector<std::string>& resources, bool everyField)
{
    menu.m_strName = Text(10);
    menu.m_crMenuColorA = Colour();
    menu.m_nMenuValueA = Int();
    if (everyField)
        menu.m_nMenuValueB = Int();
    menu.m_nMenuValueC = Int();
    menu.m_nMenuValueD = Int();
    menu.m_nX = Int();
    menu.m_nY = Int();
    menu.m_nWidth = Int();
    menu.m_nHeight = Int();
    menu.m_nMenuValueE = Int();
    menu.m_nBorderThick = Int();
    menu.m_crMenuColorB = Colour();
    menu.m_nMenuValueF = Int();
    menu.m_crMenuColorC = Colour();
    FillStyle(menu.m_styleNormal, everyField);
    FillStyle(menu.m_styleOver, everyField);
    FillStyle(menu.m_styleClick, everyField);
    menu.m_bVisible = Chance(85) ? 1 : 0;

    const int count = depth == 0   ? (Chance(85) ? 1 : static_cast<int>(Below(3)))
                      : depth >= 4 ? 0
                                   : static_cast<int>(Below(depth == 1 ? 3 : 4));
    for (int i = 0; i < count; ++i) {
        auto* item = new CGlimMenuItem("Button");
        menu.AddItem(std::unique_ptr<CGlimMenuItem>(item), 0);
        FillItem(*item, resources);
        FillMenu(*item->SubMenu(), depth + 1, resources, everyField);
    }
}

void ModelGenerator::Fill(CAppletParameters& p, const std::vector<std::string>& resources, bool everyField)
{
    p.m_strAppletName = Text(10);
    p.m_nAlign = static_cast<std::int32_t>(Below(3));
    p.m_nWidth = Int();
    p.m_nHeight = Int();
    std::string classWeb = Text(12);
    std::erase(classWeb, '=');
    p.m_strClassWebPath = classWeb;
    p.m_crBack = Colour();
    p.m_crFade = Colour();
    p.m_strBackImage = Resource(resources);
    p.m_strBackImageWeb = Text(8);
    std::erase(p.m_strBackImageWeb, '=');
    p.m_nImageMode = Int();
    p.m_nImageX = Int();
    p.m_nImageY = Int();
    p.m_strBackAudio = Resource(resources);
    p.m_strBackAudioWeb = Text(8);
    std::erase(p.m_strBackAudioWeb, '=');
    p.m_nBackStyle = Int();
    p.m_nBorderStyle = Int();
    p.m_nBorderThick = Int();
    p.m_crBorder = Colour();
    p.m_bProgressBar = static_cast<std::int32_t>(Below(2));
    p.m_strLoadingMessage = Text(20);
    for (auto& w : p.m_nWindowPos)
        w = Int();
    if (everyField) {
        p.m_strResourceFolder = Text(8);
        p.m_nReserved = Int();
        p.m_strReserved1 = Text(5);
        p.m_strReserved2 = Text(5);
    }

    const int buttons = static_cast<int>(Below(6));
    for (int b = 0; b < buttons; ++b) {
        const std::int32_t left = static_cast<std::int32_t>(Below(1250)) - 50;
        const std::int32_t top = static_cast<std::int32_t>(Below(1250)) - 50;
        // Some rectangles are inverted, as while a handle is dragged.
        const std::int32_t width = static_cast<std::int32_t>(Below(500)) - 100;
        const std::int32_t height = static_cast<std::int32_t>(Below(300)) - 60;
        auto obj = std::make_unique<CDrawRect>();
        obj->m_position = CRect{left, top, left + width, top + height};
        FillMenu(*obj->m_pMenu, 0, resources, everyField);
        if (everyField) {
            obj->m_nShape = static_cast<std::int32_t>(Below(3));
            obj->m_roundness = CPoint{Int(), Int()};
        }
        p.AddObject(std::move(obj));
    }
    for (auto& obj : p.m_listDrawObjects)
        if (Chance(40))
            p.m_listSelection.insert(p.m_listSelection.begin(), obj.get());
}

}  // namespace snippo::test
