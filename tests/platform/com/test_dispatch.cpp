// The DISPID-keyed dispatch table, argument order and coercion, and the client helper.
#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/com/com.h"

using namespace snippo;

namespace {

constexpr IID kSampleInterface = {0x7EA44A29, 0x79D0, 0x11D2, {0xB5, 0x3F, 0x00, 0x40, 0x05, 0x3E, 0x35, 0xC8}};

int g_liveSamples = 0;

class Sample : public DispatchObject<Sample> {
public:
    Sample() : DispatchObject(kSampleInterface) { ++g_liveSamples; }
    ~Sample() { --g_liveSamples; }

    static const DispatchTable<Sample>& DispatchMap()
    {
        static const DispatchTable<Sample> table{
            {1, "Name", DispProperty(&Sample::GetName, &Sample::SetName)},
            {2, "Count", DispPropertyGet(&Sample::GetCount)},
            {3, "Subtract", DispMethod(&Sample::Subtract)},
            {4, "Join", DispMethod(&Sample::Join)},
            {5, "Stamp", DispProperty(&Sample::GetStamp, &Sample::SetStamp)},
            {6, "Fail", DispMethod(&Sample::Fail)},
            {7, "Throw", DispMethod(&Sample::Throw)},
            {8, "IsReady", DispMethod(&Sample::IsReady)},
            {9, "Reset", DispMethod(&Sample::Reset)},
            {17, "Later", DispMethod(&Sample::Later)},
        };
        return table;
    }

    std::string GetName() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }
    std::int16_t GetCount() const { return 3; }
    std::int32_t Subtract(std::int32_t a, std::int32_t b) { return a - b; }
    std::string Join(const std::string& text, std::int16_t number, bool flag)
    {
        return text + "|" + std::to_string(number) + "|" + (flag ? "yes" : "no");
    }
    OleDate GetStamp() const { return stamp_; }
    void SetStamp(OleDate stamp) { stamp_ = stamp; }
    HRESULT Fail(DispatchCall& call) { return call.Raise("Widget file is damaged.", E_FAIL, "Sample"); }
    std::int32_t Throw() { throw std::runtime_error("boom"); }
    bool IsReady() const { return true; }
    void Reset() { name_.clear(); }
    std::int32_t Later() { return 17; }

private:
    std::string name_;
    OleDate stamp_;
};

class DispatchTest : public ::testing::Test {
protected:
    void SetUp() override { sample_.Attach(new Sample); }
    // Invoke with arguments given as they would be written, left to right.
    HRESULT Call(DISPID id, WORD flags, std::vector<Variant> args, Variant* result = nullptr,
                 std::string* error = nullptr)
    {
        return AutomationInvoke(sample_.Get(), id, flags, args, result, error);
    }
    ComPtr<IDispatch> sample_;
};

TEST_F(DispatchTest, ArgumentsArriveInTheOrderTheCallerWroteThem)
{
    // rgvarg holds the last argument first.
    VARIANT args[2];
    VariantInit(&args[0]);
    VariantInit(&args[1]);
    args[0].vt = VT_I4;
    args[0].lVal = 3;  // b
    args[1].vt = VT_I4;
    args[1].lVal = 10;  // a
    DISPPARAMS params{args, nullptr, 2, 0};
    VARIANT result;
    ASSERT_EQ(sample_->Invoke(3, DISPATCH_METHOD, &params, &result, nullptr, nullptr), S_OK);
    EXPECT_EQ(result.vt, VT_I4);
    EXPECT_EQ(result.lVal, 7);

    Variant r;
    ASSERT_EQ(Call(3, DISPATCH_METHOD, {Variant(10), Variant(3)}, &r), S_OK);
    EXPECT_EQ(r.Get()->lVal, 7);
    ASSERT_EQ(Call(4, DISPATCH_METHOD, {Variant("a"), Variant(std::int16_t{5}), Variant(true)}, &r), S_OK);
    EXPECT_EQ(Utf8FromBstr(r.Get()->bstrVal), "a|5|yes");
}

TEST_F(DispatchTest, ArgumentsAreCoercedAndBadOnesAreNamed)
{
    Variant r;
    // Text for numbers and numbers for text and booleans convert like OLE Automation.
    ASSERT_EQ(Call(4, DISPATCH_METHOD, {Variant(12), Variant("7"), Variant(0)}, &r), S_OK);
    EXPECT_EQ(Utf8FromBstr(r.Get()->bstrVal), "12|7|no");

    DISPPARAMS params{};
    std::vector<VARIANT> args(3);
    for (VARIANT& v : args)
        VariantInit(&v);
    Variant notANumber("abc");
    Variant x("x");
    args[2] = *x.Get();  // shallow copies: the Variants keep ownership
    args[1] = *notANumber.Get();
    args[0].vt = VT_BOOL;
    params = {args.data(), nullptr, 3, 0};
    UINT argErr = 99;
    VARIANT result;
    EXPECT_EQ(sample_->Invoke(4, DISPATCH_METHOD, &params, &result, nullptr, &argErr), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(argErr, 1u);  // rgvarg index of the second argument
    EXPECT_EQ(result.vt, VT_EMPTY);

    Variant big(40000);
    args[1] = *big.Get();
    EXPECT_EQ(sample_->Invoke(4, DISPATCH_METHOD, &params, &result, nullptr, &argErr), DISP_E_OVERFLOW);
    EXPECT_EQ(argErr, 1u);

    Variant missing = Variant::Error();
    args[2] = *missing.Get();
    args[1].vt = VT_I2;
    args[1].iVal = 1;
    EXPECT_EQ(sample_->Invoke(4, DISPATCH_METHOD, &params, &result, nullptr, &argErr), DISP_E_PARAMNOTOPTIONAL);
    EXPECT_EQ(argErr, 2u);
}

TEST_F(DispatchTest, WrongCountsNamesAndKinds)
{
    Variant r;
    EXPECT_EQ(Call(3, DISPATCH_METHOD, {Variant(1)}, &r), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(Call(3, DISPATCH_METHOD, {Variant(1), Variant(2), Variant(3)}, &r), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(Call(8, DISPATCH_METHOD, {Variant(1)}, &r), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(Call(16, DISPATCH_METHOD, {}, &r), DISP_E_MEMBERNOTFOUND);                          // no such member
    EXPECT_EQ(Call(2, DISPATCH_PROPERTYPUT, {Variant(std::int16_t{1})}), DISP_E_MEMBERNOTFOUND);  // read-only
    EXPECT_EQ(Call(3, DISPATCH_PROPERTYPUT, {Variant(1)}), DISP_E_MEMBERNOTFOUND);                // a method
    EXPECT_EQ(Call(2, 0, {}, &r), DISP_E_MEMBERNOTFOUND);

    // Identifiers after a gap keep working.
    ASSERT_EQ(Call(17, DISPATCH_METHOD, {}, &r), S_OK);
    EXPECT_EQ(r.Get()->lVal, 17);

    // Named arguments are only the value of a put.
    Variant a(1), b(2);
    VARIANT args[2] = {*a.Get(), *b.Get()};
    DISPID names[1] = {5};
    DISPPARAMS params{args, names, 2, 1};
    EXPECT_EQ(sample_->Invoke(3, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr), DISP_E_NONAMEDARGS);

    // Inconsistent DISPPARAMS are refused, not read.
    DISPPARAMS broken{nullptr, nullptr, 1, 0};
    EXPECT_EQ(sample_->Invoke(9, DISPATCH_METHOD, &broken, nullptr, nullptr, nullptr), E_INVALIDARG);
    DISPPARAMS tooManyNames{args, names, 0, 1};
    EXPECT_EQ(sample_->Invoke(9, DISPATCH_METHOD, &tooManyNames, nullptr, nullptr, nullptr), E_INVALIDARG);
    EXPECT_EQ(sample_->Invoke(9, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr), S_OK);
}

TEST_F(DispatchTest, PropertiesAndResultTypes)
{
    Variant r;
    ASSERT_EQ(Call(1, DISPATCH_PROPERTYPUT, {Variant("Normal")}), S_OK);
    ASSERT_EQ(Call(1, DISPATCH_PROPERTYGET, {}, &r), S_OK);
    EXPECT_EQ(r.vt(), VT_BSTR);
    EXPECT_EQ(Utf8FromBstr(r.Get()->bstrVal), "Normal");

    // A put whose value is passed positionally is accepted as well.
    Variant value("Second");
    VARIANT arg = *value.Get();
    DISPPARAMS positional{&arg, nullptr, 1, 0};
    ASSERT_EQ(sample_->Invoke(1, DISPATCH_PROPERTYPUT, &positional, nullptr, nullptr, nullptr), S_OK);
    ASSERT_EQ(Call(1, DISPATCH_METHOD | DISPATCH_PROPERTYGET, {}, &r), S_OK);
    EXPECT_EQ(Utf8FromBstr(r.Get()->bstrVal), "Second");
    EXPECT_EQ(Call(1, DISPATCH_PROPERTYPUT, {}), DISP_E_BADPARAMCOUNT);

    ASSERT_EQ(Call(2, DISPATCH_PROPERTYGET, {}, &r), S_OK);
    EXPECT_EQ(r.vt(), VT_I2);
    EXPECT_EQ(r.Get()->iVal, 3);
    ASSERT_EQ(Call(8, DISPATCH_METHOD, {}, &r), S_OK);
    EXPECT_EQ(r.vt(), VT_BOOL);
    EXPECT_EQ(r.Get()->boolVal, VARIANT_TRUE);
    ASSERT_EQ(Call(9, DISPATCH_METHOD, {}, &r), S_OK);
    EXPECT_EQ(r.vt(), VT_EMPTY);

    ASSERT_EQ(Call(5, DISPATCH_PROPERTYPUT, {Variant(OleDate{45000.25})}), S_OK);
    ASSERT_EQ(Call(5, DISPATCH_PROPERTYGET, {}, &r), S_OK);
    EXPECT_EQ(r.vt(), VT_DATE);
    EXPECT_EQ(r.Get()->date, 45000.25);
    ASSERT_EQ(Call(5, DISPATCH_PROPERTYPUT, {Variant("1/1/2000")}), S_OK);  // text becomes a date
    ASSERT_EQ(Call(5, DISPATCH_PROPERTYGET, {}, &r), S_OK);
    EXPECT_EQ(r.Get()->date, 36526.0);

    // No result VARIANT: the call still runs.
    EXPECT_EQ(Call(1, DISPATCH_PROPERTYGET, {}, nullptr), S_OK);
}

TEST_F(DispatchTest, FailuresComeBackAsExceptionsWithText)
{
    Variant r;
    std::string error = "stale";
    EXPECT_EQ(Call(6, DISPATCH_METHOD, {}, &r, &error), DISP_E_EXCEPTION);
    EXPECT_EQ(error, "Widget file is damaged.");
    EXPECT_EQ(Call(7, DISPATCH_METHOD, {}, &r, &error), DISP_E_EXCEPTION);
    EXPECT_EQ(error, "boom");
    EXPECT_EQ(Call(3, DISPATCH_METHOD, {}, &r, &error), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(error, "");

    EXCEPINFO info{};
    ASSERT_EQ(sample_->Invoke(6, DISPATCH_METHOD, nullptr, nullptr, &info, nullptr), DISP_E_EXCEPTION);
    EXPECT_EQ(Utf8FromBstr(info.bstrSource), "Sample");
    EXPECT_EQ(info.scode, E_FAIL);
    ClearExcepInfo(&info);
    EXPECT_EQ(info.bstrDescription, nullptr);
}

TEST_F(DispatchTest, NamesResolveWithoutRegardToCase)
{
    const char16_t* one[] = {u"subtract"};
    DISPID id = 0;
    ASSERT_EQ(sample_->GetIDsOfNames(one, 1, &id), S_OK);
    EXPECT_EQ(id, 3);
    const char16_t* upper[] = {u"GETNOTHING"};
    EXPECT_EQ(sample_->GetIDsOfNames(upper, 1, &id), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(id, DISPID_UNKNOWN);
    const char16_t* withParameter[] = {u"JOIN", u"text"};
    DISPID ids[2] = {0, 0};
    EXPECT_EQ(sample_->GetIDsOfNames(withParameter, 2, ids), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(ids[0], 4);
    EXPECT_EQ(ids[1], DISPID_UNKNOWN);
    UINT count = 5;
    EXPECT_EQ(sample_->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 0u);
}

TEST(DispatchObject, ReferenceCountingAndInterfaces)
{
    g_liveSamples = 0;
    {
        ComPtr<IDispatch> first;
        first.Attach(new Sample);
        EXPECT_EQ(g_liveSamples, 1);
        ComPtr<IUnknown> unknown;
        ASSERT_EQ(first.As(&unknown), S_OK);
        void* custom = nullptr;
        ASSERT_EQ(first->QueryInterface(kSampleInterface, &custom), S_OK);
        EXPECT_EQ(custom, first.Get());
        static_cast<IUnknown*>(custom)->Release();
        void* none = reinterpret_cast<void*>(1);
        EXPECT_EQ(first->QueryInterface(IID_IClassFactory, &none), E_NOINTERFACE);
        EXPECT_EQ(none, nullptr);

        ComPtr<IDispatch> copy = first;
        copy = copy;  // self assignment keeps the reference
        first.Reset();
        EXPECT_EQ(g_liveSamples, 1);
        ComPtr<IDispatch> moved = std::move(copy);
        EXPECT_FALSE(copy);
        unknown.Reset();
        EXPECT_EQ(g_liveSamples, 1);
    }
    EXPECT_EQ(g_liveSamples, 0);
}

}  // namespace
