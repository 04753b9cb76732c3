// GUID text, result codes, BSTR and UTF-8 conversion, string resources.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/com/com.h"

using namespace snippo;

namespace {

constexpr GUID kWidgetClsid = {0xB2471160, 0xD234, 0x11D2, {0xB4, 0x81, 0x00, 0x40, 0x05, 0x33, 0xCD, 0xD6}};

TEST(Guid, FormatsUpperCaseBracedAndParsesBack)
{
    EXPECT_EQ(GuidToString(kWidgetClsid), "{B2471160-D234-11D2-B481-00400533CDD6}");
    GUID parsed{};
    ASSERT_TRUE(GuidFromString("{b2471160-d234-11d2-b481-00400533cdd6}", &parsed));
    EXPECT_TRUE(IsEqualGUID(parsed, kWidgetClsid));
    EXPECT_EQ(GuidToString(parsed), "{B2471160-D234-11D2-B481-00400533CDD6}");
    // Leading zeros of every field survive the round trip.
    const GUID small = {0x1, 0x2, 0x3, {0, 1, 2, 3, 4, 5, 6, 7}};
    ASSERT_TRUE(GuidFromString(GuidToString(small), &parsed));
    EXPECT_EQ(parsed, small);
    EXPECT_EQ(GuidToString(small), "{00000001-0002-0003-0001-020304050607}");
}

TEST(Guid, WellKnownIdentifiersHaveThePlatformValues)
{
    EXPECT_EQ(GuidToString(IID_IUnknown), "{00000000-0000-0000-C000-000000000046}");
    EXPECT_EQ(GuidToString(IID_IClassFactory), "{00000001-0000-0000-C000-000000000046}");
    EXPECT_EQ(GuidToString(IID_IDispatch), "{00020400-0000-0000-C000-000000000046}");
    EXPECT_EQ(GuidToString(IID_ICatRegister), "{0002E012-0000-0000-C000-000000000046}");
    EXPECT_EQ(GuidToString(CLSID_StdComponentCategoriesMgr), "{0002E005-0000-0000-C000-000000000046}");
}

TEST(Guid, RejectsMalformedTextAndLeavesTheTargetAlone)
{
    const char* bad[] = {
        "",
        "B2471160-D234-11D2-B481-00400533CDD6",     // no braces
        "{B2471160-D234-11D2-B481-00400533CDD6",    // no closing brace
        "(B2471160-D234-11D2-B481-00400533CDD6)",   // wrong brackets
        "{B2471160-D234-11D2-B481-00400533CDD}",    // one digit short
        "{B2471160-D234-11D2-B481-00400533CDD6A}",  // one digit long
        "{B2471160D-234-11D2-B481-00400533CDD6}",   // dash moved
        "{B2471160-D234-11D2-B48100400533-CDD6}",   // dash moved in the tail
        "{B2471160-D234-11D2-B481-00400533CDG6}",   // not hexadecimal
        "{B2471160-D234-11D2-B481 00400533CDD6}",   // space for a dash
        "{ 2471160-D234-11D2-B481-00400533CDD6}",   // space for a digit
        "{+2471160-D234-11D2-B481-00400533CDD6}",   // sign
        " {B2471160-D234-11D2-B481-00400533CDD6}",  // leading space
    };
    for (const char* text : bad) {
        GUID g = kWidgetClsid;
        EXPECT_FALSE(GuidFromString(text, &g)) << text;
        EXPECT_EQ(g, kWidgetClsid) << text;
    }
    EXPECT_FALSE(GuidFromString("{B2471160-D234-11D2-B481-00400533CDD6}", nullptr));
}

TEST(HResult, ValuesAndTexts)
{
    EXPECT_EQ(static_cast<std::uint32_t>(E_FAIL), 0x80004005u);
    EXPECT_EQ(static_cast<std::uint32_t>(REGDB_E_CLASSNOTREG), 0x80040154u);
    EXPECT_EQ(static_cast<std::uint32_t>(DISP_E_BADPARAMCOUNT), 0x8002000Eu);
    EXPECT_EQ(static_cast<std::uint32_t>(CO_E_CLASSSTRING), 0x800401F3u);
    EXPECT_TRUE(SUCCEEDED(S_FALSE));
    EXPECT_TRUE(FAILED(E_UNEXPECTED));
    EXPECT_EQ(HResultToString(E_FAIL), "0x80004005 E_FAIL (Unspecified error)");
    EXPECT_EQ(HResultText(REGDB_E_CLASSNOTREG), "REGDB_E_CLASSNOTREG (Class not registered)");
    EXPECT_EQ(HResultText(DISP_E_TYPEMISMATCH), "DISP_E_TYPEMISMATCH (Type mismatch)");
    EXPECT_EQ(HResultText(S_OK), "S_OK (Success)");
    EXPECT_EQ(HResultToString(MakeHResult(0x80041234u)), "0x80041234 unknown result code");
    EXPECT_EQ(HResultText(HRESULT_FROM_WIN32(2)), "system error 2");
    EXPECT_EQ(HRESULT_FROM_WIN32(5), E_ACCESSDENIED);
}

TEST(Bstr, LengthPrefixTerminatorAndNullSafety)
{
    BSTR s = SysAllocString(u"abc");
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(SysStringLen(s), 3u);
    EXPECT_EQ(SysStringByteLen(s), 6u);
    std::uint32_t prefix = 0;
    std::memcpy(&prefix, reinterpret_cast<const char*>(s) - 4, 4);
    EXPECT_EQ(prefix, 6u);  // byte length just before the characters
    EXPECT_EQ(s[3], u'\0');
    SysFreeString(s);

    BSTR zeros = SysAllocStringLen(nullptr, 4);
    ASSERT_NE(zeros, nullptr);
    EXPECT_EQ(SysStringLen(zeros), 4u);
    for (int i = 0; i <= 4; ++i)
        EXPECT_EQ(zeros[i], u'\0');
    SysFreeString(zeros);

    BSTR empty = SysAllocString(u"");
    ASSERT_NE(empty, nullptr);  // an empty string is not a null string
    EXPECT_EQ(SysStringLen(empty), 0u);
    SysFreeString(empty);

    EXPECT_EQ(SysAllocString(nullptr), nullptr);
    EXPECT_EQ(SysStringLen(nullptr), 0u);
    SysFreeString(nullptr);
    EXPECT_EQ(Utf8FromBstr(nullptr), "");
    EXPECT_EQ(Utf8FromUtf16(static_cast<const char16_t*>(nullptr)), "");
    EXPECT_EQ(SysAllocStringLen(u"x", 0xFFFFFFFFu), nullptr);  // too large, refused
}

TEST(Bstr, Utf8RoundTripsKeepNonAsciiAndEmbeddedZeros)
{
    const std::string text = "Gr\xC3\xBC\xC3\x9F"
                             "e \xE2\x82\xAC \xF0\x9D\x84\x9E";  // "Grüße € 𝄞"
    BSTR b = BstrFromUtf8(text);
    ASSERT_NE(b, nullptr);
    // G r ü ß e ' ' € ' ' and a surrogate pair.
    EXPECT_EQ(SysStringLen(b), 10u);
    EXPECT_EQ(b[2], u'\u00FC');
    EXPECT_EQ(b[6], u'\u20AC');
    EXPECT_EQ(b[8], 0xD834);
    EXPECT_EQ(b[9], 0xDD1E);
    EXPECT_EQ(Utf8FromBstr(b), text);
    SysFreeString(b);

    const std::string withZero("a\0b", 3);
    Bstr owned(withZero);
    EXPECT_EQ(owned.Length(), 3u);
    EXPECT_EQ(owned.Get()[1], u'\0');
    EXPECT_EQ(owned.Utf8(), withZero);
    Bstr copy = owned;
    EXPECT_NE(copy.Get(), owned.Get());
    EXPECT_EQ(copy.Utf8(), withZero);
}

TEST(Bstr, MalformedInputBecomesReplacementCharacters)
{
    const std::u16string r = u"\uFFFD";
    EXPECT_EQ(Utf16FromUtf8("a\xC3"), u"a" + r);                  // truncated at the end
    EXPECT_EQ(Utf16FromUtf8("\xE2\x82x"), r + u"x");              // truncated in the middle
    EXPECT_EQ(Utf16FromUtf8("\xC0\xAF"), r + r);                  // overlong form
    EXPECT_EQ(Utf16FromUtf8("\xED\xA0\x80"), r + r + r);          // encoded surrogate
    EXPECT_EQ(Utf16FromUtf8("\xF4\x90\x80\x80"), r + r + r + r);  // above U+10FFFF
    EXPECT_EQ(Utf16FromUtf8("\xFF"
                            "b"),
              r + u"b");                  // never a lead byte
    EXPECT_EQ(Utf16FromUtf8("\x80"), r);  // stray continuation
    const std::string replacement = "\xEF\xBF\xBD";
    EXPECT_EQ(Utf8FromUtf16(std::u16string(u"x\xD800y")), "x" + replacement + "y");  // lone high
    EXPECT_EQ(Utf8FromUtf16(std::u16string(u"\xDC00")), replacement);                // lone low
    EXPECT_EQ(Utf8FromUtf16(std::u16string(1, char16_t{0xD800})), replacement);      // high at end
}

TEST(StringResources, ModulesGetDistinctNonZeroNumbers)
{
    const std::uint32_t a = RegisterStringTable("libTestA.so", {{1, "Java Applet"}, {2, "Name"}});
    const std::uint32_t b = RegisterStringTable("libTestB.so", {{1, "Other"}});
    EXPECT_GE(a, 0x00010001u);
    EXPECT_NE(a, b);
    EXPECT_NE(b, 0u);
    EXPECT_EQ(LoadStringResource(a, 1), "Java Applet");
    EXPECT_EQ(LoadStringResource(b, 1), "Other");
    EXPECT_EQ(StringTableModuleName(a), "libTestA.so");

    std::string text = "unchanged";
    EXPECT_FALSE(LoadStringResource(a, 99, &text));
    EXPECT_EQ(text, "unchanged");
    EXPECT_FALSE(LoadStringResource(0, 1, &text));
    EXPECT_EQ(LoadStringResource(0xDEADBEEF, 1), "");

    // The same module again keeps its number and gets the new table.
    EXPECT_EQ(RegisterStringTable("libTestA.so", {{3, "Three"}}), a);
    EXPECT_EQ(LoadStringResource(a, 1), "");
    EXPECT_EQ(LoadStringResource(a, 3), "Three");

    EXPECT_TRUE(UnregisterStringTable(a));
    EXPECT_FALSE(UnregisterStringTable(a));
    EXPECT_FALSE(LoadStringResource(a, 3, &text));
    EXPECT_EQ(LoadStringResource(b, 1), "Other");
    EXPECT_TRUE(UnregisterStringTable(b));
    EXPECT_NE(RegisterStringTable(nullptr, {}), 0u);
}

}  // namespace
