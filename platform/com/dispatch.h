// Server-side helpers for IDispatch by a table keyed by DISPID, and a client-side helper
// that builds DISPPARAMS.
//
// A server object describes its members once:
//
//   class CGlimButton : public DispatchObject<CGlimButton> {
//    public:
//     static const DispatchTable<CGlimButton>& DispatchMap() {
//       static const DispatchTable<CGlimButton> table{
//           {1, "ProgID", DispProperty(&CGlimButton::GetProgID, &CGlimButton::SetProgID)},
//           {7, "ReadConfigFile", DispMethod(&CGlimButton::ReadConfigFile)},
//           {19, "GetHTMLBody", DispMethod(&CGlimButton::GetHTMLBody)},
//       };
//       return table;
//     }
//     std::string GetProgID() const;
//     void SetProgID(const std::string& value);
//     bool ReadConfigFile(const std::string& path);
//     std::string GetHTMLBody(std::int16_t segment, std::int16_t linkMode);
//   };
//
// Parameter and result types of the member functions choose the automation types:
//   std::string (UTF-8) <-> VT_BSTR, std::int16_t <-> VT_I2, std::int32_t <-> VT_I4,
//   double <-> VT_R8, bool <-> VT_BOOL, OleDate <-> VT_DATE; a void result is VT_EMPTY.
// Arguments are coerced as VariantChangeType does; a wrong count gives DISP_E_BADPARAMCOUNT,
// an argument that does not convert DISP_E_TYPEMISMATCH (or DISP_E_OVERFLOW), an omitted one
// DISP_E_PARAMNOTOPTIONAL, with *argErr naming the argument. A member function of the form
// `HRESULT F(DispatchCall&)` gets the call itself, for anything the adapters do not cover.
// Exceptions never leave Invoke: std::bad_alloc gives E_OUTOFMEMORY, other exceptions
// DISP_E_EXCEPTION with their text.
#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <initializer_list>
#include <new>
#include <stdexcept>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/com/interfaces.h"
#include "platform/com/variant.h"

namespace snippo {

// One Invoke call as the server sees it.
class DispatchCall {
public:
    DispatchCall(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* excepInfo, UINT* argErr);

    DISPID Id() const { return id_; }
    WORD Flags() const { return flags_; }
    bool IsPut() const { return (flags_ & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0; }

    // Checks the shape of DISPPARAMS (E_INVALIDARG for inconsistent counts or null arrays).
    HRESULT Validate() const;
    // Positional arguments, not counting the value of a property put.
    UINT ArgCount() const;
    // DISP_E_BADPARAMCOUNT unless exactly `expected` positional arguments were passed;
    // DISP_E_NONAMEDARGS for named arguments other than a put's DISPID_PROPERTYPUT.
    HRESULT CheckArgCount(UINT expected) const;
    // True when positional argument `index` was omitted (VT_ERROR, DISP_E_PARAMNOTFOUND).
    bool IsMissing(UINT index) const;

    // Positional argument `index`, counted from the left as the caller wrote it, coerced.
    HRESULT Arg(UINT index, VARTYPE vt, VARIANT* out);
    HRESULT Arg(UINT index, std::string* out);
    HRESULT Arg(UINT index, std::int16_t* out);
    HRESULT Arg(UINT index, std::int32_t* out);
    HRESULT Arg(UINT index, double* out);
    HRESULT Arg(UINT index, bool* out);
    HRESULT Arg(UINT index, OleDate* out);

    // The value of a property put, coerced.
    HRESULT PutValue(VARTYPE vt, VARIANT* out);
    HRESULT PutValue(std::string* out);
    HRESULT PutValue(std::int16_t* out);
    HRESULT PutValue(std::int32_t* out);
    HRESULT PutValue(double* out);
    HRESULT PutValue(bool* out);
    HRESULT PutValue(OleDate* out);

    // Store the result (nothing happens when the caller passed no result VARIANT).
    HRESULT Return(std::string_view utf8);
    HRESULT Return(const std::string& utf8) { return Return(std::string_view(utf8)); }
    HRESULT Return(const char* utf8) { return Return(std::string_view(utf8 ? utf8 : "")); }
    HRESULT Return(std::int16_t value);
    HRESULT Return(std::int32_t value);
    HRESULT Return(double value);
    HRESULT Return(bool value);
    HRESULT Return(OleDate value);
    HRESULT Return(const Variant& value);

    // Fills EXCEPINFO (when given) and returns DISP_E_EXCEPTION.
    HRESULT Raise(std::string_view description, SCODE scode = E_FAIL, std::string_view source = {});

    // Runs a handler after Validate, turning exceptions into results.
    template <class F> HRESULT Run(F&& handler)
    {
        if (HRESULT hr = Validate(); FAILED(hr))
            return hr;
        try {
            return std::forward<F>(handler)();
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        } catch (const std::exception& e) {
            return Raise(e.what());
        } catch (...) {
            return Raise("Unexpected exception");
        }
    }

private:
    // Coerces rgvarg[slot]; on failure records the slot in *argErr.
    HRESULT Fetch(UINT slot, VARTYPE vt, VARIANT* out);
    template <class T> HRESULT FetchTyped(UINT slot, T* out);
    HRESULT PositionalSlot(UINT index, UINT* slot) const;
    HRESULT Store(VARIANT value);

    DISPID id_;
    WORD flags_;
    DISPPARAMS* params_;
    VARIANT* result_;
    EXCEPINFO* excepInfo_;
    UINT* argErr_;
};

// Names of the members for GetIDsOfNames (compared without regard to ASCII case).
class DispatchNames {
public:
    void Add(DISPID id, std::string name);
    HRESULT GetIDsOfNames(const char16_t* const* names, UINT count, DISPID* dispids) const;
    // The name of `id`, or "" when unknown.
    std::string NameOf(DISPID id) const;

private:
    struct Entry {
        DISPID id;
        std::string name;
    };
    std::vector<Entry> entries_;
};

template <class T> using DispatchHandler = std::function<HRESULT(T& self, DispatchCall& call)>;

// What one DISPID does: a method, or a property with a getter and/or a setter.
template <class T> struct DispatchMember {
    DispatchHandler<T> get;  // the method itself, or the property get
    DispatchHandler<T> put;  // property put; empty for methods and read-only properties
};

namespace dispatch_detail {

template <class F> struct MemberFn;
template <class C, class R, class... A> struct MemberFn<R (C::*)(A...)> {
    using Class = C;
    using Result = R;
    using Args = std::tuple<std::remove_cvref_t<A>...>;
    static constexpr std::size_t kArity = sizeof...(A);
};
template <class C, class R, class... A> struct MemberFn<R (C::*)(A...) const> : MemberFn<R (C::*)(A...)> {
};
template <class C, class R, class... A> struct MemberFn<R (C::*)(A...) noexcept> : MemberFn<R (C::*)(A...)> {
};
template <class C, class R, class... A> struct MemberFn<R (C::*)(A...) const noexcept> : MemberFn<R (C::*)(A...)> {
};

template <class F>
constexpr bool kTakesCall = std::is_same_v<typename MemberFn<F>::Args, std::tuple<DispatchCall>>&&
    std::is_same_v<typename MemberFn<F>::Result, HRESULT>;

template <class T, class F> HRESULT CallTyped(T& self, F fn, DispatchCall& call)
{
    using Fn = MemberFn<F>;
    if constexpr (kTakesCall<F>) {
        return (self.*fn)(call);
    } else {
        if (HRESULT hr = call.CheckArgCount(Fn::kArity); FAILED(hr))
            return hr;
        typename Fn::Args args{};
        HRESULT hr = S_OK;
        [&]<std::size_t... I>(std::index_sequence<I...>)
        {
            (void)(... && SUCCEEDED(hr = call.Arg(static_cast<UINT>(I), &std::get<I>(args))));
        }
        (std::make_index_sequence<Fn::kArity>{});
        if (FAILED(hr))
            return hr;
        if constexpr (std::is_void_v<typename Fn::Result>) {
            std::apply([&](auto&... a) { (self.*fn)(a...); }, args);
            return S_OK;
        } else {
            return call.Return(std::apply([&](auto&... a) { return (self.*fn)(a...); }, args));
        }
    }
}

template <class T, class F> HRESULT CallPut(T& self, F fn, DispatchCall& call)
{
    using Fn = MemberFn<F>;
    if constexpr (kTakesCall<F>) {
        return (self.*fn)(call);
    } else {
        static_assert(Fn::kArity == 1, "a property setter takes the one new value");
        if (HRESULT hr = call.CheckArgCount(0); FAILED(hr))
            return hr;
        std::tuple_element_t<0, typename Fn::Args> value{};
        if (HRESULT hr = call.PutValue(&value); FAILED(hr))
            return hr;
        (self.*fn)(value);
        return S_OK;
    }
}

}  // namespace dispatch_detail

// A method bound to a member function (see the type mapping at the top).
template <class F> DispatchMember<typename dispatch_detail::MemberFn<F>::Class> DispMethod(F fn)
{
    using T = typename dispatch_detail::MemberFn<F>::Class;
    return {[fn](T& self, DispatchCall& call) { return dispatch_detail::CallTyped(self, fn, call); }, {}};
}

// A property with a getter and a setter.
template <class G, class S> DispatchMember<typename dispatch_detail::MemberFn<G>::Class> DispProperty(G get, S put)
{
    using T = typename dispatch_detail::MemberFn<G>::Class;
    static_assert(std::is_same_v<T, typename dispatch_detail::MemberFn<S>::Class>);
    return {[get](T& self, DispatchCall& call) { return dispatch_detail::CallTyped(self, get, call); },
            [put](T& self, DispatchCall& call) { return dispatch_detail::CallPut(self, put, call); }};
}

// A read-only property.
template <class G> DispatchMember<typename dispatch_detail::MemberFn<G>::Class> DispPropertyGet(G get)
{
    using T = typename dispatch_detail::MemberFn<G>::Class;
    return {[get](T& self, DispatchCall& call) { return dispatch_detail::CallTyped(self, get, call); }, {}};
}

// The member table of class T. Invoke routes by DISPID:
//   DISPATCH_PROPERTYPUT / PUTREF -> the setter;
//   DISPATCH_METHOD or DISPATCH_PROPERTYGET -> the method or the getter (scripting clients
//   often pass both flags together);
//   anything else, or an unknown DISPID -> DISP_E_MEMBERNOTFOUND.
template <class T> class DispatchTable {
public:
    struct Row {
        DISPID id;
        const char* name;
        DispatchMember<T> member;
    };

    DispatchTable(std::initializer_list<Row> rows) : rows_(rows)
    {
        for (const Row& row : rows_)
            names_.Add(row.id, row.name ? row.name : "");
    }

    HRESULT GetIDsOfNames(const char16_t* const* names, UINT count, DISPID* dispids) const
    {
        return names_.GetIDsOfNames(names, count, dispids);
    }
    std::string NameOf(DISPID id) const { return names_.NameOf(id); }

    HRESULT Invoke(T& self, DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* excepInfo,
                   UINT* argErr) const
    {
        if (result != nullptr)
            VariantInit(result);
        const DispatchHandler<T>* handler = nullptr;
        for (const Row& row : rows_) {
            if (row.id != id)
                continue;
            if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
                if (row.member.put)
                    handler = &row.member.put;
            } else if (flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)) {
                if (row.member.get)
                    handler = &row.member.get;
            }
            break;
        }
        if (handler == nullptr)
            return DISP_E_MEMBERNOTFOUND;
        DispatchCall call(id, flags, params, result, excepInfo, argErr);
        return call.Run([&] { return (*handler)(self, call); });
    }

private:
    std::vector<Row> rows_;
    DispatchNames names_;
};

// IUnknown and IDispatch for a class that provides
//   static const DispatchTable<Derived>& DispatchMap();
// The object starts with one reference (the creator's) and deletes itself on the last
// Release. QueryInterface answers IUnknown, IDispatch and the optional dispatch interface
// identifier given to the constructor.
template <class Derived> class DispatchObject : public IDispatch {
public:
    explicit DispatchObject(const IID& dispatchInterface = IID_IDispatch) : dispatchInterface_(dispatchInterface) {}
    DispatchObject(const DispatchObject&) = delete;
    DispatchObject& operator=(const DispatchObject&) = delete;

    HRESULT QueryInterface(REFIID iid, void** object) override
    {
        if (object == nullptr)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == dispatchInterface_) {
            *object = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return ++refs_; }
    ULONG Release() override
    {
        const ULONG left = --refs_;
        if (left == 0)
            delete static_cast<Derived*>(this);
        return left;
    }
    HRESULT GetTypeInfoCount(UINT* count) override
    {
        if (count == nullptr)
            return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT GetIDsOfNames(const char16_t* const* names, UINT count, DISPID* dispids) override
    {
        return Derived::DispatchMap().GetIDsOfNames(names, count, dispids);
    }
    HRESULT Invoke(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* excepInfo,
                   UINT* argErr) override
    {
        return Derived::DispatchMap().Invoke(static_cast<Derived&>(*this), id, flags, params, result, excepInfo,
                                             argErr);
    }

protected:
    // Virtual so that Release may delete a Derived that is itself derived from; the
    // interface's own layout is unaffected (this entry follows its methods).
    virtual ~DispatchObject() = default;

private:
    std::atomic<ULONG> refs_{1};
    IID dispatchInterface_;
};

// Client side: calls member `id` of `object` with `args` in the order a caller writes them
// (reversed into DISPPARAMS here). With DISPATCH_PROPERTYPUT the last argument is the new
// value, passed as the named argument DISPID_PROPERTYPUT. `result` may be null. When the call
// returns DISP_E_EXCEPTION, `errorText` (may be null) receives the exception's description
// ("" when it has none); it is cleared otherwise.
HRESULT AutomationInvoke(IDispatch* object, DISPID id, WORD flags, const std::vector<Variant>& args,
                         Variant* result = nullptr, std::string* errorText = nullptr);

}  // namespace snippo
