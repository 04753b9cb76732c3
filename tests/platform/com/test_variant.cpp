// VARIANT lifetime and the OLE Automation coercions of VariantChangeType.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/com/com.h"

using namespace snippo;

namespace {

Variant Text(const char* s)
{
    return Variant(s);
}

// Converts and returns the result code; *out receives the value on success.
HRESULT Change(const Variant& in, VARTYPE vt, Variant* out, USHORT flags = 0)
{
    return VariantChangeType(out->Receive(), in.Get(), flags, vt);
}

std::string AsText(const Variant& in, USHORT flags = 0)
{
    Variant out;
    const HRESULT hr = Change(in, VT_BSTR, &out, flags);
    if (FAILED(hr))
        return "<" + HResultText(hr) + ">";
    EXPECT_EQ(out.vt(), VT_BSTR);
    return Utf8FromBstr(out.Get()->bstrVal);
}

TEST(Variant, ClearFreesAndCopyDuplicatesStrings)
{
    VARIANT a;
    VariantInit(&a);
    EXPECT_EQ(a.vt, VT_EMPTY);
    a.vt = VT_BSTR;
    a.bstrVal = BstrFromUtf8(std::string("x\0y", 3));
    VARIANT b;
    VariantInit(&b);
    ASSERT_EQ(VariantCopy(&b, &a), S_OK);
    EXPECT_EQ(b.vt, VT_BSTR);
    EXPECT_NE(b.bstrVal, a.bstrVal);
    EXPECT_EQ(Utf8FromBstr(b.bstrVal), std::string("x\0y", 3));
    EXPECT_EQ(VariantClear(&a), S_OK);
    EXPECT_EQ(a.vt, VT_EMPTY);
    EXPECT_EQ(Utf8FromBstr(b.bstrVal), std::string("x\0y", 3));  // still its own
    EXPECT_EQ(VariantCopy(&b, &b), S_OK);                        // self copy is a no-op
    EXPECT_EQ(VariantClear(&b), S_OK);

    VARIANT odd;
    VariantInit(&odd);
    odd.vt = 99;
    EXPECT_EQ(VariantClear(&odd), DISP_E_BADVARTYPE);
    EXPECT_EQ(odd.vt, 99);
    EXPECT_EQ(VariantCopy(&a, &odd), DISP_E_BADVARTYPE);
}

TEST(VariantChangeType, IntegersAndOverflow)
{
    Variant out;
    EXPECT_EQ(Change(Variant(32767), VT_I2, &out), S_OK);
    EXPECT_EQ(out.Get()->iVal, 32767);
    EXPECT_EQ(Change(Variant(32768), VT_I2, &out), DISP_E_OVERFLOW);
    EXPECT_EQ(Change(Variant(-32769), VT_I2, &out), DISP_E_OVERFLOW);
    EXPECT_EQ(Change(Variant(std::int16_t{-5}), VT_I4, &out), S_OK);
    EXPECT_EQ(out.vt(), VT_I4);
    EXPECT_EQ(out.Get()->lVal, -5);
}

TEST(VariantChangeType, DoublesRoundHalfToEven)
{
    struct Case {
        double in;
        std::int32_t expected;
    };
    for (const Case c :
         {Case{2.5, 2}, Case{3.5, 4}, Case{-2.5, -2}, Case{1.4999, 1}, Case{-0.5, 0}, Case{2147483647.4, 2147483647}}) {
        Variant out;
        ASSERT_EQ(Change(Variant(c.in), VT_I4, &out), S_OK) << c.in;
        EXPECT_EQ(out.Get()->lVal, c.expected) << c.in;
    }
    Variant out;
    EXPECT_EQ(Change(Variant(2147483647.5), VT_I4, &out), DISP_E_OVERFLOW);
    EXPECT_EQ(Change(Variant(std::nan("")), VT_I4, &out), DISP_E_OVERFLOW);
    EXPECT_EQ(Change(Variant(32767.5), VT_I2, &out), DISP_E_OVERFLOW);
    ASSERT_EQ(Change(Variant(-32768.5), VT_I2, &out), S_OK);
    EXPECT_EQ(out.Get()->iVal, -32768);
}

TEST(VariantChangeType, TextToNumbers)
{
    struct Case {
        const char* text;
        HRESULT hr;
        std::int32_t value;
    };
    const Case cases[] = {
        {" 42 ", S_OK, 42},
        {"-1,234", S_OK, -1234},
        {"+7", S_OK, 7},
        {"1.5", S_OK, 2},
        {"2.5", S_OK, 2},
        {"1e3", S_OK, 1000},
        {"12,345,678", S_OK, 12345678},
        {"", DISP_E_TYPEMISMATCH, 0},
        {"   ", DISP_E_TYPEMISMATCH, 0},
        {"abc", DISP_E_TYPEMISMATCH, 0},
        {"12abc", DISP_E_TYPEMISMATCH, 0},
        {"1,,2", DISP_E_TYPEMISMATCH, 0},
        {",5", DISP_E_TYPEMISMATCH, 0},
        {"1e", DISP_E_TYPEMISMATCH, 0},
        {"--1", DISP_E_TYPEMISMATCH, 0},
        {"1 2", DISP_E_TYPEMISMATCH, 0},
        {"99999999999", DISP_E_OVERFLOW, 0},
        {"-2147483649", DISP_E_OVERFLOW, 0},
    };
    for (const Case& c : cases) {
        Variant out;
        EXPECT_EQ(Change(Text(c.text), VT_I4, &out), c.hr) << '"' << c.text << '"';
        if (c.hr == S_OK) {
            EXPECT_EQ(out.Get()->lVal, c.value) << c.text;
        }
    }
    Variant out;
    ASSERT_EQ(Change(Text("3.25"), VT_R8, &out), S_OK);
    EXPECT_EQ(out.Get()->dblVal, 3.25);
    ASSERT_EQ(Change(Text("-0.5e-1"), VT_R8, &out), S_OK);
    EXPECT_DOUBLE_EQ(out.Get()->dblVal, -0.05);
    ASSERT_EQ(Change(Text(".5"), VT_R8, &out), S_OK);
    EXPECT_EQ(out.Get()->dblVal, 0.5);
    ASSERT_EQ(Change(Text("5."), VT_R8, &out), S_OK);
    EXPECT_EQ(out.Get()->dblVal, 5.0);
    ASSERT_EQ(Change(Text("1e-400"), VT_R8, &out), S_OK);
    EXPECT_EQ(out.Get()->dblVal, 0.0);
    EXPECT_EQ(Change(Text("1e309"), VT_R8, &out), DISP_E_OVERFLOW);
    EXPECT_EQ(Change(Text("40000"), VT_I2, &out), DISP_E_OVERFLOW);
}

TEST(VariantChangeType, NumbersToText)
{
    EXPECT_EQ(AsText(Variant(-42)), "-42");
    EXPECT_EQ(AsText(Variant(std::int16_t{7})), "7");
    EXPECT_EQ(AsText(Variant(1.5)), "1.5");
    EXPECT_EQ(AsText(Variant(0.1)), "0.1");
    EXPECT_EQ(AsText(Variant(2.0)), "2");
    EXPECT_EQ(AsText(Variant(-0.0)), "0");
    EXPECT_EQ(AsText(Variant(1.0 / 3.0)), "0.333333333333333");
    EXPECT_EQ(AsText(Variant(123456789012345.0)), "123456789012345");
    EXPECT_EQ(AsText(Variant(1e20)), "1E+20");
    EXPECT_EQ(AsText(Variant(-2.5e-7)), "-2.5E-07");
}

TEST(VariantChangeType, Booleans)
{
    EXPECT_EQ(AsText(Variant(true)), "-1");
    EXPECT_EQ(AsText(Variant(false)), "0");
    EXPECT_EQ(AsText(Variant(true), VARIANT_ALPHABOOL), "True");
    EXPECT_EQ(AsText(Variant(false), VARIANT_ALPHABOOL), "False");

    struct Case {
        Variant in;
        HRESULT hr;
        VARIANT_BOOL value;
    };
    const Case cases[] = {
        {Text("True"), S_OK, VARIANT_TRUE},   {Text("  TRUE "), S_OK, VARIANT_TRUE},
        {Text("false"), S_OK, VARIANT_FALSE}, {Text("0"), S_OK, VARIANT_FALSE},
        {Text("2"), S_OK, VARIANT_TRUE},      {Text("yes"), DISP_E_TYPEMISMATCH, 0},
        {Variant(5), S_OK, VARIANT_TRUE},     {Variant(0.0), S_OK, VARIANT_FALSE},
        {Variant(0.1), S_OK, VARIANT_TRUE},   {Variant(std::int16_t{-3}), S_OK, VARIANT_TRUE},
        {Variant(), S_OK, VARIANT_FALSE},
    };
    for (const Case& c : cases) {
        Variant out;
        EXPECT_EQ(Change(c.in, VT_BOOL, &out), c.hr);
        if (c.hr == S_OK) {
            EXPECT_EQ(out.Get()->boolVal, c.value);
        }
    }
    Variant out;
    ASSERT_EQ(Change(Variant(true), VT_I4, &out), S_OK);
    EXPECT_EQ(out.Get()->lVal, -1);
    ASSERT_EQ(Change(Variant(true), VT_R8, &out), S_OK);
    EXPECT_EQ(out.Get()->dblVal, -1.0);
}

TEST(VariantChangeType, EmptyNullAndError)
{
    Variant out;
    ASSERT_EQ(Change(Variant(), VT_I4, &out), S_OK);
    EXPECT_EQ(out.Get()->lVal, 0);
    ASSERT_EQ(Change(Variant(), VT_BSTR, &out), S_OK);
    ASSERT_NE(out.Get()->bstrVal, nullptr);  // "" rather than a null string
    EXPECT_EQ(SysStringLen(out.Get()->bstrVal), 0u);
    ASSERT_EQ(Change(Variant(), VT_R8, &out), S_OK);
    EXPECT_EQ(out.Get()->dblVal, 0.0);

    EXPECT_EQ(Change(Variant::Null(), VT_I4, &out), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(Change(Variant::Null(), VT_BSTR, &out), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(Change(Variant::Null(), VT_EMPTY, &out), DISP_E_TYPEMISMATCH);
    ASSERT_EQ(Change(Variant(3), VT_NULL, &out), S_OK);
    EXPECT_EQ(out.vt(), VT_NULL);
    EXPECT_EQ(Change(Variant::Error(E_FAIL), VT_I4, &out), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(Change(Variant(3), VT_ERROR, &out), DISP_E_TYPEMISMATCH);
    ASSERT_EQ(Change(Variant::Error(E_FAIL), VT_ERROR, &out), S_OK);
    EXPECT_EQ(out.Get()->scode, E_FAIL);
}

TEST(VariantChangeType, Dates)
{
    EXPECT_EQ(AsText(Variant(OleDate{0.0})), "12:00:00 AM");
    EXPECT_EQ(AsText(Variant(OleDate{36526.0})), "1/1/2000");
    EXPECT_EQ(AsText(Variant(OleDate{36526.5})), "1/1/2000 12:00:00 PM");
    EXPECT_EQ(AsText(Variant(OleDate{0.75})), "6:00:00 PM");
    EXPECT_EQ(AsText(Variant(OleDate{-1.25})), "12/29/1899 6:00:00 AM");
    EXPECT_EQ(AsText(Variant(OleDate{45000.0 + 13.0 / 24 + 5.0 / 1440 + 9.0 / 86400})), "3/15/2023 1:05:09 PM");

    struct Case {
        const char* text;
        HRESULT hr;
        double value;
    };
    const Case cases[] = {
        {"1/1/2000", S_OK, 36526.0},
        {"2000-01-01 12:00", S_OK, 36526.5},
        {"2000-01-01T18:00:00", S_OK, 36526.75},
        {"12/29/1899 6:00:00 AM", S_OK, -1.25},
        {"6:00:00 PM", S_OK, 0.75},
        {"12:00:00 AM", S_OK, 0.0},
        {"1/1/99", S_OK, 36161.0},
        {"13/1/2000", DISP_E_TYPEMISMATCH, 0},
        {"2/30/2000", DISP_E_TYPEMISMATCH, 0},
        {"1/1/2000 25:00", DISP_E_TYPEMISMATCH, 0},
        {"13:00 PM", DISP_E_TYPEMISMATCH, 0},
        {"tomorrow", DISP_E_TYPEMISMATCH, 0},
        {"", DISP_E_TYPEMISMATCH, 0},
    };
    for (const Case& c : cases) {
        Variant out;
        EXPECT_EQ(Change(Text(c.text), VT_DATE, &out), c.hr) << c.text;
        if (c.hr == S_OK) {
            EXPECT_DOUBLE_EQ(out.Get()->date, c.value) << c.text;
        }
    }
    Variant out;
    EXPECT_EQ(Change(Variant(3e6), VT_DATE, &out), DISP_E_OVERFLOW);
    EXPECT_EQ(Change(Variant(-700000), VT_DATE, &out), DISP_E_OVERFLOW);
    ASSERT_EQ(Change(Variant(5), VT_DATE, &out), S_OK);
    EXPECT_EQ(out.Get()->date, 5.0);
    ASSERT_EQ(Change(Variant(OleDate{1.5}), VT_I4, &out), S_OK);
    EXPECT_EQ(out.Get()->lVal, 2);
}

TEST(VariantChangeType, InPlaceByRefAndFailureLeavesDestination)
{
    Variant v = Text("123");
    ASSERT_EQ(VariantChangeType(v.Get(), v.Get(), 0, VT_I4), S_OK);  // frees the old string
    EXPECT_EQ(v.vt(), VT_I4);
    EXPECT_EQ(v.Get()->lVal, 123);

    Variant dest(7);
    EXPECT_EQ(VariantChangeType(dest.Get(), Text("abc").Get(), 0, VT_I4), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(dest.vt(), VT_I4);
    EXPECT_EQ(dest.Get()->lVal, 7);

    LONG stored = 5;
    VARIANT byRef;
    VariantInit(&byRef);
    byRef.vt = VT_BYREF | VT_I4;
    byRef.plVal = &stored;
    Variant out;
    ASSERT_EQ(VariantChangeType(out.Receive(), &byRef, 0, VT_BSTR), S_OK);
    EXPECT_EQ(Utf8FromBstr(out.Get()->bstrVal), "5");

    Variant inner = Text("9");
    VARIANT refVariant;
    VariantInit(&refVariant);
    refVariant.vt = VT_BYREF | VT_VARIANT;
    refVariant.pvarVal = inner.Get();
    ASSERT_EQ(VariantChangeType(out.Receive(), &refVariant, 0, VT_I2), S_OK);
    EXPECT_EQ(out.Get()->iVal, 9);

    byRef.plVal = nullptr;
    EXPECT_EQ(VariantChangeType(out.Receive(), &byRef, 0, VT_I4), DISP_E_TYPEMISMATCH);

    VARIANT odd;
    VariantInit(&odd);
    odd.vt = 99;
    EXPECT_EQ(VariantChangeType(out.Receive(), &odd, 0, VT_I4), DISP_E_BADVARTYPE);
    EXPECT_EQ(VariantChangeType(out.Receive(), Variant(1).Get(), 0, 99), DISP_E_BADVARTYPE);
    EXPECT_EQ(VariantChangeType(nullptr, Variant(1).Get(), 0, VT_I4), E_INVALIDARG);
}

TEST(Variant, TypedReadsCoerce)
{
    std::string text;
    EXPECT_EQ(Variant(OleDate{36526.0}).ToUtf8(&text), S_OK);
    EXPECT_EQ(text, "1/1/2000");
    std::int16_t i2 = 0;
    EXPECT_EQ(Text("12").ToI2(&i2), S_OK);
    EXPECT_EQ(i2, 12);
    bool b = false;
    EXPECT_EQ(Text("True").ToBool(&b), S_OK);
    EXPECT_TRUE(b);
    std::int32_t i4 = 3;
    EXPECT_EQ(Text("x").ToI4(&i4), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(i4, 3);
}

}  // namespace
