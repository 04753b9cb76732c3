// The object archive: byte layout, objects by class name and references, the draw-object
// record in it, and archives that are damaged or forged.
#include <gtest/gtest.h>

#include <cstring>

#include "model_support.h"
#include "platform/archive/archive.h"
#include "widget/model/applet_parameters.h"

using namespace snippo;
using namespace snippo::test;

namespace {

using Bytes = std::vector<std::uint8_t>;

std::int32_t Int32At(const Bytes& b, std::size_t at)
{
    return static_cast<std::int32_t>(std::uint32_t(b.at(at)) | std::uint32_t(b.at(at + 1)) << 8 |
                                     std::uint32_t(b.at(at + 2)) << 16 | std::uint32_t(b.at(at + 3)) << 24);
}

void PutInt32(Bytes& b, std::int32_t v)
{
    CArchive ar(b, CArchive::store);
    ar.WriteInt32(v);
}

void PutString(Bytes& b, const std::string& s)
{
    CArchive ar(b, CArchive::store);
    ar.WriteString(s);
}

// An archive of the model's editor state, as a snapshot holds it.
Bytes Store(CAppletParameters& p)
{
    Bytes b;
    CArchive ar(b, CArchive::store);
    p.Serialize(ar);
    return b;
}

// Loads `b` into `p`; true on success, false when the archive layer rejected it.
bool Load(CAppletParameters& p, const Bytes& b)
{
    CArchive ar(b);
    try {
        p.Serialize(ar);
        return true;
    } catch (const ArchiveError&) {
        p.DeleteContents();
        return false;
    }
}

}  // namespace

TEST(Archive, IntegersAndStringsAreLittleEndianAndCounted)
{
    Bytes b;
    CArchive out(b, CArchive::store);
    EXPECT_TRUE(out.IsStoring());
    out.WriteInt32(0x01020304);
    out.WriteInt32(-2);
    out.WriteInt16(static_cast<std::int16_t>(0xA1B2));
    out.WriteString("abc");
    out.WriteString("");
    const Bytes expected = {4, 3, 2, 1, 0xFE, 0xFF, 0xFF, 0xFF, 0xB2, 0xA1, 3, 0, 0, 0, 'a', 'b', 'c', 0, 0, 0, 0};
    EXPECT_EQ(expected, b);

    CArchive in(b);
    EXPECT_TRUE(in.IsLoading());
    EXPECT_EQ(0x01020304, in.ReadInt32());
    EXPECT_EQ(-2, in.ReadInt32());
    EXPECT_EQ(static_cast<std::int16_t>(0xA1B2), in.ReadInt16());
    EXPECT_EQ("abc", in.ReadString());
    EXPECT_EQ("", in.ReadString());
    EXPECT_EQ(0u, in.Remaining());
    EXPECT_THROW(in.ReadInt16(), ArchiveError);
}

TEST(Archive, LengthsAndCountsBeyondTheDataAreRejected)
{
    Bytes b;
    PutInt32(b, 1000);  // a string of 1000 bytes, with 2 present
    b.push_back('x');
    b.push_back('y');
    CArchive in(b);
    EXPECT_THROW(in.ReadString(), ArchiveError);

    Bytes c;
    PutInt32(c, 3);
    PutInt32(c, 0);
    PutInt32(c, 0);
    CArchive counts(c);
    EXPECT_THROW(counts.ReadCount(4), ArchiveError);  // three records of 4 bytes, 8 present
    CArchive fits(c);
    EXPECT_EQ(3u, fits.ReadCount(2));

    Bytes d{1, 2, 3};
    CArchive shortInt(d);
    EXPECT_THROW(shortInt.ReadInt32(), ArchiveError);
}

TEST(Archive, ObjectsAreWrittenOnceAndThenReferenced)
{
    CDrawRect button(CRect{1, 2, 3, 4});
    Bytes b;
    {
        CArchive out(b, CArchive::store);
        out.WriteObject(nullptr);
        out.WriteObject(&button);
        out.WriteObject(&button);
    }
    EXPECT_EQ(0, Int32At(b, 0));
    EXPECT_EQ(-1, Int32At(b, 4));  // a new object follows
    EXPECT_EQ(9, Int32At(b, 8));   // its class name
    EXPECT_EQ(0, std::memcmp(b.data() + 12, "CDrawRect", 9));
    EXPECT_EQ(0, Int32At(b, 21));  // schema 0
    // The second write is a reference to the first object of this archive. The menu's
    // items were written inside the button, so the button is object 1.
    EXPECT_EQ(1, Int32At(b, b.size() - 4));

    CArchive in(b);
    EXPECT_EQ(nullptr, in.ReadNewObject());
    std::unique_ptr<CObject> first = in.ReadNewObject("CDrawRect");
    ASSERT_NE(nullptr, first);
    EXPECT_STREQ("CDrawRect", first->GetClassName());
    CObject* again = in.ReadReference("CDrawRect");
    EXPECT_EQ(first.get(), again);
    EXPECT_EQ(0u, in.Remaining());

    // Each call takes only its own kind: a new object read as a reference would belong to
    // nobody, a reference read as a new object would be deleted twice.
    CArchive newAsReference(b);
    EXPECT_EQ(nullptr, newAsReference.ReadReference());
    EXPECT_THROW(newAsReference.ReadReference("CDrawRect"), ArchiveError);
    CArchive referenceAsNew(b);
    referenceAsNew.ReadNewObject();
    std::unique_ptr<CObject> owned = referenceAsNew.ReadNewObject("CDrawRect");
    EXPECT_THROW(referenceAsNew.ReadNewObject("CDrawRect"), ArchiveError);
}

TEST(Archive, ForgedObjectTagsAreRejected)
{
    auto expectRejected = [](const Bytes& b, const char* expected) {
        CArchive asNew(b);
        EXPECT_THROW(asNew.ReadNewObject(expected), ArchiveError);
        CArchive asReference(b);
        EXPECT_THROW(asReference.ReadReference(expected), ArchiveError);
    };
    Bytes unknown;
    PutInt32(unknown, -1);
    PutString(unknown, "CNoSuchClass");
    PutInt32(unknown, 0);
    expectRejected(unknown, nullptr);

    Bytes schema;
    PutInt32(schema, -1);
    PutString(schema, "CDrawRect");
    PutInt32(schema, 7);
    expectRejected(schema, "CDrawRect");

    Bytes wrongClass;
    PutInt32(wrongClass, -1);
    PutString(wrongClass, "CGlimMenuItem");
    PutInt32(wrongClass, 1);
    expectRejected(wrongClass, "CDrawRect");

    Bytes forward;
    PutInt32(forward, 1);  // a reference before any object was read
    expectRejected(forward, nullptr);

    Bytes huge;
    PutInt32(huge, 0x7FFFFFFF);
    expectRejected(huge, nullptr);
}

TEST(Archive, DrawObjectLayoutEndsWithPositionShapeAndRoundness)
{
    CDrawRect button(CRect{-5, 6, 70, 80});
    button.m_roundness = CPoint{16, 17};
    Bytes withObject;
    {
        CArchive out(withObject, CArchive::store);
        out.WriteObject(&button);
    }
    Bytes menuOnly;
    {
        CArchive out(menuOnly, CArchive::store);
        button.m_pMenu->Serialize(out);
    }
    // Tag, class name and schema; then the menu inline; then the record's own fields.
    const std::size_t header = 4 + 4 + 9 + 4;
    ASSERT_EQ(header + menuOnly.size() + 16 + 2 + 8, withObject.size());
    EXPECT_TRUE(std::equal(menuOnly.begin(), menuOnly.end(), withObject.begin() + header));
    const std::size_t at = header + menuOnly.size();
    EXPECT_EQ(-5, Int32At(withObject, at));
    EXPECT_EQ(6, Int32At(withObject, at + 4));
    EXPECT_EQ(70, Int32At(withObject, at + 8));
    EXPECT_EQ(80, Int32At(withObject, at + 12));
    EXPECT_EQ(0, withObject[at + 16]);
    EXPECT_EQ(0, withObject[at + 17]);
    EXPECT_EQ(16, Int32At(withObject, at + 18));
    EXPECT_EQ(17, Int32At(withObject, at + 22));
}

TEST(Archive, MenuFieldOrder)
{
    CGlimMenu m(0, "GlimButton");
    m.m_crMenuColorA = 101;
    m.m_nMenuValueB = 103;
    m.m_nHeight = 109;
    m.m_crMenuColorC = 114;
    m.m_styleOver.strReserved = "r";
    m.m_bVisible = 0;
    Bytes b;
    {
        CArchive out(b, CArchive::store);
        m.Serialize(out);
    }
    std::size_t at = 4 + 10;  // the name
    EXPECT_EQ(101, Int32At(b, at));
    EXPECT_EQ(103, Int32At(b, at + 2 * 4));
    EXPECT_EQ(109, Int32At(b, at + 8 * 4));
    EXPECT_EQ(114, Int32At(b, at + 13 * 4));
    at += 14 * 4;
    // Normal state: back, back style, fade, font, border, border style, reserved x2, ...
    EXPECT_EQ(0x404080, Int32At(b, at));
    EXPECT_EQ(3, Int32At(b, at + 4));
    EXPECT_EQ(0x80FFFF, Int32At(b, at + 8));
    EXPECT_EQ(0x426F8C, Int32At(b, at + 16));
    EXPECT_EQ(1, Int32At(b, at + 20));
    EXPECT_EQ(14, Int32At(b, at + 40));
    const std::size_t state = 16 * 4 + 4;              // sixteen numbers and an empty text
    EXPECT_EQ(0xFFFFFF, Int32At(b, at + state + 12));  // the over state's font colour
    at += 3 * state + 1;                               // "r" in the over state
    EXPECT_EQ(0, Int32At(b, at));                      // visible flag
    EXPECT_EQ(0, Int32At(b, at + 4));                  // no items
    EXPECT_EQ(at + 8, b.size());
}

TEST(Archive, DrawObjectRoundTripKeepsEveryFieldButTheIndex)
{
    for (std::uint32_t seed = 1; seed <= 60; ++seed) {
        CAppletParameters source;
        ModelGenerator gen(seed);
        gen.Fill(source, {"/pics/a.gif", "/snd/b.au"}, true);
        for (const auto& obj : source.m_listDrawObjects) {
            ForEachMenu(obj->Menu(), [](CGlimMenu* m) { m->m_nIndex = 77; });
            Bytes b;
            {
                CArchive out(b, CArchive::store);
                out.WriteObject(obj.get());
            }
            CArchive in(b);
            std::unique_ptr<CObject> read = in.ReadNewObject("CDrawRect");
            auto* rect = dynamic_cast<CDrawRect*>(read.get());
            ASSERT_NE(nullptr, rect);
            auto* orig = static_cast<CDrawRect*>(obj.get());
            EXPECT_EQ(orig->m_position, rect->m_position);
            EXPECT_EQ(orig->m_nShape, rect->m_nShape);
            EXPECT_EQ(orig->m_roundness, rect->m_roundness);
            EXPECT_EQ(nullptr, rect->m_pOwner);
            ExpectMenuEqual(*orig->m_pMenu, *rect->m_pMenu, {Storage::kSnapshot, ""}, true,
                            "seed " + std::to_string(seed));
            ForEachMenu(rect->Menu(), [](CGlimMenu* m) { EXPECT_NE(77, m->m_nIndex); });
        }
    }
}

TEST(Archive, AReplacedRootMenuIsTheOneAButtonCarries)
{
    CDrawRect button(CRect{1, 2, 30, 40});
    auto replacement = std::make_unique<CGlimMenu>(2, "Replacement");
    CGlimMenu* held = replacement.get();
    button.SetMenu(std::move(replacement));
    ASSERT_EQ(held, button.Menu());
    // Installing the menu it holds already keeps it alive and in place.
    button.SetMenu(std::unique_ptr<CGlimMenu>(held));
    ASSERT_EQ(held, button.Menu());
    held->m_items[1]->m_strLabel = "second";

    Bytes b;
    {
        CArchive out(b, CArchive::store);
        out.WriteObject(&button);
    }
    CArchive in(b);
    std::unique_ptr<CObject> read = in.ReadNewObject("CDrawRect");
    // Handed on only as its own class: a wrong one leaves the object where it was.
    EXPECT_EQ(nullptr, OwnedAs<CGlimMenu>(read));
    ASSERT_NE(nullptr, read);
    CObject* object = read.get();
    const std::unique_ptr<CDrawObj> copy = OwnedAs<CDrawObj>(read);
    EXPECT_EQ(nullptr, read);
    ASSERT_EQ(object, copy.get());
    EXPECT_EQ("Replacement", copy->Menu()->m_strName);
    ASSERT_EQ(2u, copy->Menu()->m_items.size());
    EXPECT_EQ("item1", copy->Menu()->m_items[0]->m_strLabel);
    EXPECT_EQ("second", copy->Menu()->m_items[1]->m_strLabel);
    EXPECT_EQ((CRect{1, 2, 30, 40}), copy->m_position);
}

TEST(Archive, SharedOrMisplacedObjectsAreRejected)
{
    // A menu whose second item is a reference to its first would be owned twice.
    CGlimMenu shared(0, "S");
    shared.InsertNewItemAtFront();
    Bytes b;
    {
        CArchive out(b, CArchive::store);
        shared.Serialize(out);
    }
    // The item count stands where an empty menu's archive ends; make it 2 and append a
    // reference to object 1, the first item.
    Bytes empty;
    {
        CGlimMenu e(0, "S");
        CArchive out(empty, CArchive::store);
        e.Serialize(out);
    }
    const std::size_t countAt = empty.size() - 4;
    ASSERT_EQ(1, Int32At(b, countAt));
    b[countAt] = 2;
    PutInt32(b, 1);
    CGlimMenu target;
    CArchive in(b);
    EXPECT_THROW(target.Serialize(in), ArchiveError);

    // A selection entry must refer to a button of the list.
    CAppletParameters p;
    AddButton(p, {0, 0, 5, 5});
    p.m_listSelection.push_back(p.m_listDrawObjects[0].get());
    Bytes good = Store(p);
    CAppletParameters q;
    ASSERT_TRUE(Load(q, good));
    ASSERT_EQ(1u, q.m_listSelection.size());
    EXPECT_EQ(q.m_listDrawObjects[0].get(), q.m_listSelection[0]);

    Bytes forged;
    PutInt32(forged, 1);
    {
        CArchive out(forged, CArchive::store);
        CDrawRect r(CRect{0, 0, 5, 5});
        out.WriteObject(&r);
        out.WriteUInt32(1);
        CDrawRect other(CRect{0, 0, 5, 5});
        out.WriteObject(&other);  // a new object where a reference belongs
    }
    EXPECT_FALSE(Load(q, forged));
    EXPECT_TRUE(q.m_listDrawObjects.empty());

    // A selection entry referring to an item rather than a button.
    Bytes item;
    PutInt32(item, 1);
    {
        CArchive out(item, CArchive::store);
        CDrawRect r(CRect{0, 0, 5, 5});
        out.WriteObject(&r);
        out.WriteUInt32(1);
        out.WriteUInt32(2);  // object 2 is the button's item
    }
    EXPECT_FALSE(Load(q, item));

    // The object list naming one button twice.
    Bytes twice;
    PutInt32(twice, 2);
    {
        CArchive out(twice, CArchive::store);
        CDrawRect r(CRect{0, 0, 5, 5});
        out.WriteObject(&r);
        out.WriteObject(&r);
        out.WriteUInt32(0);
    }
    EXPECT_FALSE(Load(q, twice));
}

namespace {

// An object holding another of its kind: nesting through ReadNewObject, as forged data could.
class CNestedProbe : public CObject {
public:
    const char* GetClassName() const override { return "CNestedProbe"; }
    std::uint32_t GetSchema() const override { return 1; }
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar.WriteObject(inner.get());
        else
            inner = ar.ReadNewObject("CNestedProbe");
    }
    std::unique_ptr<CObject> inner;
};
ArchiveClass<CNestedProbe> registerProbe("CNestedProbe", 1);

Bytes NestedProbes(int depth)
{
    Bytes b;
    for (int i = 0; i < depth; ++i) {
        PutInt32(b, -1);
        PutString(b, "CNestedProbe");
        PutInt32(b, 1);
    }
    PutInt32(b, 0);
    return b;
}

}  // namespace

TEST(Archive, ObjectNestingIsBoundedWhileMenusNestDeeper)
{
    const Bytes atBound = NestedProbes(CArchive::kMaxNesting);
    CArchive fits(atBound);
    std::unique_ptr<CObject> read = fits.ReadNewObject("CNestedProbe");
    EXPECT_NE(nullptr, read);
    EXPECT_EQ(0u, fits.Remaining());
    const Bytes beyond = NestedProbes(CArchive::kMaxNesting + 1);
    CArchive refused(beyond);
    EXPECT_THROW(refused.ReadNewObject("CNestedProbe"), ArchiveError);

    // A menu frames its items itself: a tree deeper than that bound is a real tree, and
    // comes back whole, references to objects after it included.
    CAppletParameters p;
    CDrawObj* button = AddButton(p, {1, 2, 30, 40});
    CGlimMenu* m = button->Menu();
    for (int i = 0; i < CArchive::kMaxNesting + 5; ++i) {
        m = m->InsertNewItemAtFront()->SubMenu();
        m->m_nMenuValueC = i;
    }
    m->InsertNewItemAtFront()->m_strLabel = "bottom";
    AddButton(p, {50, 60, 70, 80});
    p.m_listSelection = {p.m_listDrawObjects[1].get(), button};
    CAppletParameters q;
    ASSERT_TRUE(Load(q, Store(p)));
    ExpectModelEqual(p, q, {Storage::kSnapshot, ""});
}

TEST(Archive, ItemCountsAreBoundByTheSmallestItem)
{
    // Items as small as they come: every text empty, sub-menus without items.
    CGlimMenu m(3, "");
    for (const auto& item : m.m_items) {
        item->m_strLabel.clear();
        item->m_pSubMenu->m_strName.clear();
    }
    Bytes b;
    {
        CArchive out(b, CArchive::store);
        m.Serialize(out);
    }
    CGlimMenu back;
    CArchive in(b);
    back.Serialize(in);
    EXPECT_EQ(0u, in.Remaining());
    ASSERT_EQ(3u, back.m_items.size());
    EXPECT_EQ("", back.m_items[2]->m_pSubMenu->m_strName);

    // One item more than the bytes can hold is refused before any item is read, and a
    // failed read leaves no items behind.
    Bytes empty;
    {
        CGlimMenu e(0, "");
        CArchive out(empty, CArchive::store);
        e.Serialize(out);
    }
    const std::size_t countAt = empty.size() - 4;
    ASSERT_EQ(3, Int32At(b, countAt));
    b[countAt] = 4;
    CArchive four(b);
    EXPECT_THROW(back.Serialize(four), ArchiveError);
    EXPECT_EQ(countAt + 4, four.Position());
    EXPECT_TRUE(back.m_items.empty());
    b[countAt] = 3;
    b.pop_back();
    CArchive cut(b);
    EXPECT_THROW(back.Serialize(cut), ArchiveError);
    EXPECT_TRUE(back.m_items.empty());
}

TEST(Archive, EveryTruncationAndManyByteFlipsOfASnapshotFailCleanly)
{
    CAppletParameters source;
    ModelGenerator gen(4242);
    while (source.m_listDrawObjects.size() < 2) {
        source.DeleteContents();
        gen.Fill(source, {"/p/a.gif"}, true);
    }
    source.m_listSelection = {source.m_listDrawObjects.back().get()};
    const Bytes full = Store(source);

    CAppletParameters q;
    for (std::size_t len = 0; len < full.size(); ++len) {
        Bytes cut(full.begin(), full.begin() + static_cast<long>(len));
        EXPECT_FALSE(Load(q, cut)) << len;
        EXPECT_TRUE(q.m_listDrawObjects.empty());
        EXPECT_TRUE(q.m_listSelection.empty());
    }
    ASSERT_TRUE(Load(q, full));

    std::mt19937 rng(99);
    for (int round = 0; round < 3000; ++round) {
        Bytes damaged = full;
        const int flips = 1 + static_cast<int>(rng() % 4);
        for (int f = 0; f < flips; ++f)
            damaged[rng() % damaged.size()] ^= static_cast<std::uint8_t>(1u << (rng() % 8));
        if (Load(q, damaged)) {
            // Whatever loads is a sound model: every selected button is one of the list.
            for (CDrawObj* s : q.m_listSelection)
                EXPECT_TRUE(std::any_of(q.m_listDrawObjects.begin(), q.m_listDrawObjects.end(),
                                        [s](const auto& o) { return o.get() == s; }));
            CWidgetConfig config;
            q.WriteParameters(config);
            (void)q.GetHTML(config, kHtmlRelative);
        }
    }
}
