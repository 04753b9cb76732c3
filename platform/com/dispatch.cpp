#include "platform/com/dispatch.h"

#include <algorithm>

namespace snippo {

void ClearExcepInfo(EXCEPINFO* info)
{
    if (info == nullptr)
        return;
    SysFreeString(info->bstrSource);
    SysFreeString(info->bstrDescription);
    SysFreeString(info->bstrHelpFile);
    *info = EXCEPINFO{};
}

DispatchCall::DispatchCall(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* excepInfo,
                           UINT* argErr)
    : id_(id), flags_(flags), params_(params), result_(result), excepInfo_(excepInfo), argErr_(argErr)
{
}

HRESULT DispatchCall::Validate() const
{
    if (params_ == nullptr)
        return S_OK;  // no arguments
    if (params_->cNamedArgs > params_->cArgs)
        return E_INVALIDARG;
    if (params_->cArgs > 0 && params_->rgvarg == nullptr)
        return E_INVALIDARG;
    if (params_->cNamedArgs > 0 && params_->rgdispidNamedArgs == nullptr)
        return E_INVALIDARG;
    return S_OK;
}

UINT DispatchCall::ArgCount() const
{
    const UINT total = params_ ? params_->cArgs : 0;
    if (IsPut())
        return total > 0 ? total - 1 : 0;  // rgvarg[0] is the value
    return total;
}

HRESULT DispatchCall::CheckArgCount(UINT expected) const
{
    const UINT named = params_ ? params_->cNamedArgs : 0;
    if (IsPut()) {
        // The value comes as the named argument DISPID_PROPERTYPUT; a client that passes it
        // positionally is accepted too.
        if (named > 1 || (named == 1 && params_->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)) {
            return DISP_E_NONAMEDARGS;
        }
        if (params_ == nullptr || params_->cArgs == 0)
            return DISP_E_BADPARAMCOUNT;
    } else if (named > 0) {
        return DISP_E_NONAMEDARGS;
    }
    return ArgCount() == expected ? S_OK : DISP_E_BADPARAMCOUNT;
}

HRESULT DispatchCall::PositionalSlot(UINT index, UINT* slot) const
{
    if (index >= ArgCount())
        return DISP_E_BADPARAMCOUNT;
    // Positional arguments are stored last-first after the named ones: the first one the
    // caller wrote is the last slot.
    *slot = params_->cArgs - 1 - index;
    return S_OK;
}

bool DispatchCall::IsMissing(UINT index) const
{
    UINT slot = 0;
    if (FAILED(PositionalSlot(index, &slot)))
        return true;
    const VARIANT& v = params_->rgvarg[slot];
    return v.vt == VT_ERROR && v.scode == DISP_E_PARAMNOTFOUND;
}

HRESULT DispatchCall::Fetch(UINT slot, VARTYPE vt, VARIANT* out)
{
    if (out == nullptr)
        return E_POINTER;
    const VARIANT& arg = params_->rgvarg[slot];
    HRESULT hr;
    if (arg.vt == VT_ERROR && arg.scode == DISP_E_PARAMNOTFOUND && vt != VT_ERROR) {
        hr = DISP_E_PARAMNOTOPTIONAL;
    } else {
        VariantInit(out);
        hr = VariantChangeType(out, &arg, 0, vt);
        // A type this runtime does not know cannot be what the member expects.
        if (hr == DISP_E_BADVARTYPE)
            hr = DISP_E_TYPEMISMATCH;
    }
    if (FAILED(hr) && argErr_ != nullptr)
        *argErr_ = slot;
    return hr;
}

template <class T> HRESULT DispatchCall::FetchTyped(UINT slot, T* out)
{
    if (out == nullptr)
        return E_POINTER;
    VARIANT v;
    VariantInit(&v);
    HRESULT hr = S_OK;
    if constexpr (std::is_same_v<T, std::string>) {
        hr = Fetch(slot, VT_BSTR, &v);
        if (SUCCEEDED(hr))
            *out = Utf8FromBstr(v.bstrVal);
    } else if constexpr (std::is_same_v<T, std::int16_t>) {
        hr = Fetch(slot, VT_I2, &v);
        if (SUCCEEDED(hr))
            *out = v.iVal;
    } else if constexpr (std::is_same_v<T, std::int32_t>) {
        hr = Fetch(slot, VT_I4, &v);
        if (SUCCEEDED(hr))
            *out = v.lVal;
    } else if constexpr (std::is_same_v<T, double>) {
        hr = Fetch(slot, VT_R8, &v);
        if (SUCCEEDED(hr))
            *out = v.dblVal;
    } else if constexpr (std::is_same_v<T, bool>) {
        hr = Fetch(slot, VT_BOOL, &v);
        if (SUCCEEDED(hr))
            *out = v.boolVal != VARIANT_FALSE;
    } else if constexpr (std::is_same_v<T, OleDate>) {
        hr = Fetch(slot, VT_DATE, &v);
        if (SUCCEEDED(hr))
            out->value = v.date;
    }
    VariantClear(&v);
    return hr;
}

HRESULT DispatchCall::Arg(UINT index, VARTYPE vt, VARIANT* out)
{
    UINT slot = 0;
    if (HRESULT hr = PositionalSlot(index, &slot); FAILED(hr))
        return hr;
    return Fetch(slot, vt, out);
}

#define SNIPPO_TYPED_ARG(Type)                                                                                         \
    HRESULT DispatchCall::Arg(UINT index, Type* out)                                                                   \
    {                                                                                                                  \
        UINT slot = 0;                                                                                                 \
        if (HRESULT hr = PositionalSlot(index, &slot); FAILED(hr)) {                                                   \
            return hr;                                                                                                 \
        }                                                                                                              \
        return FetchTyped(slot, out);                                                                                  \
    }                                                                                                                  \
    HRESULT DispatchCall::PutValue(Type* out)                                                                          \
    {                                                                                                                  \
        if (!IsPut() || params_ == nullptr || params_->cArgs == 0) {                                                   \
            return DISP_E_BADPARAMCOUNT;                                                                               \
        }                                                                                                              \
        return FetchTyped(0, out);                                                                                     \
    }

SNIPPO_TYPED_ARG(std::string)
SNIPPO_TYPED_ARG(std::int16_t)
SNIPPO_TYPED_ARG(std::int32_t)
SNIPPO_TYPED_ARG(double)
SNIPPO_TYPED_ARG(bool)
SNIPPO_TYPED_ARG(OleDate)
#undef SNIPPO_TYPED_ARG

HRESULT DispatchCall::PutValue(VARTYPE vt, VARIANT* out)
{
    if (!IsPut() || params_ == nullptr || params_->cArgs == 0)
        return DISP_E_BADPARAMCOUNT;
    return Fetch(0, vt, out);
}

HRESULT DispatchCall::Store(VARIANT value)
{
    if (result_ == nullptr) {
        VariantClear(&value);
        return S_OK;
    }
    VariantClear(result_);
    *result_ = value;
    return S_OK;
}

HRESULT DispatchCall::Return(std::string_view utf8)
{
    if (result_ == nullptr)
        return S_OK;
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = BstrFromUtf8(utf8);
    if (v.bstrVal == nullptr)
        return E_OUTOFMEMORY;
    return Store(v);
}

HRESULT DispatchCall::Return(std::int16_t value)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I2;
    v.iVal = value;
    return Store(v);
}

HRESULT DispatchCall::Return(std::int32_t value)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = value;
    return Store(v);
}

HRESULT DispatchCall::Return(double value)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_R8;
    v.dblVal = value;
    return Store(v);
}

HRESULT DispatchCall::Return(bool value)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BOOL;
    v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return Store(v);
}

HRESULT DispatchCall::Return(OleDate value)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_DATE;
    v.date = value.value;
    return Store(v);
}

HRESULT DispatchCall::Return(const Variant& value)
{
    if (result_ == nullptr)
        return S_OK;
    VARIANT v;
    VariantInit(&v);
    if (HRESULT hr = VariantCopy(&v, value.Get()); FAILED(hr))
        return hr;
    return Store(v);
}

HRESULT DispatchCall::Raise(std::string_view description, SCODE scode, std::string_view source)
{
    if (excepInfo_ != nullptr) {
        *excepInfo_ = EXCEPINFO{};
        excepInfo_->bstrDescription = BstrFromUtf8(description);
        if (!source.empty())
            excepInfo_->bstrSource = BstrFromUtf8(source);
        excepInfo_->scode = scode;
    }
    return DISP_E_EXCEPTION;
}

namespace {

bool SameNameNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
               return lower(x) == lower(y);
           });
}

}  // namespace

void DispatchNames::Add(DISPID id, std::string name)
{
    entries_.push_back({id, std::move(name)});
}

HRESULT DispatchNames::GetIDsOfNames(const char16_t* const* names, UINT count, DISPID* dispids) const
{
    if (count == 0)
        return S_OK;
    if (names == nullptr || dispids == nullptr)
        return E_POINTER;
    const std::string member = Utf8FromUtf16(names[0]);
    dispids[0] = DISPID_UNKNOWN;
    for (const Entry& e : entries_) {
        if (SameNameNoCase(e.name, member)) {
            dispids[0] = e.id;
            break;
        }
    }
    // No member has named parameters.
    for (UINT i = 1; i < count; ++i)
        dispids[i] = DISPID_UNKNOWN;
    return (dispids[0] == DISPID_UNKNOWN || count > 1) ? DISP_E_UNKNOWNNAME : S_OK;
}

std::string DispatchNames::NameOf(DISPID id) const
{
    for (const Entry& e : entries_) {
        if (e.id == id)
            return e.name;
    }
    return {};
}

HRESULT AutomationInvoke(IDispatch* object, DISPID id, WORD flags, const std::vector<Variant>& args, Variant* result,
                         std::string* errorText)
{
    if (errorText != nullptr)
        errorText->clear();
    if (object == nullptr)
        return E_POINTER;
    // Shallow copies: the callee only reads its arguments, `args` keeps owning them.
    std::vector<VARIANT> reversed;
    reversed.reserve(args.size());
    for (auto it = args.rbegin(); it != args.rend(); ++it)
        reversed.push_back(*it->Get());
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    if ((flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) && !reversed.empty()) {
        params.rgdispidNamedArgs = &putId;
        params.cNamedArgs = 1;
    }
    EXCEPINFO info{};
    UINT argErr = 0;
    VARIANT* out = result != nullptr ? result->Receive() : nullptr;
    const HRESULT hr = object->Invoke(id, flags, &params, out, &info, &argErr);
    if (hr == DISP_E_EXCEPTION && errorText != nullptr)
        *errorText = Utf8FromBstr(info.bstrDescription);
    ClearExcepInfo(&info);
    return hr;
}

}  // namespace snippo
