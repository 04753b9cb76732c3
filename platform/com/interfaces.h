// The object interfaces of the runtime: IUnknown, IDispatch, IClassFactory, IClassFactory2
// and ICatRegister, with the structures they exchange. The method order of each interface
// is its binary layout, shared by every library that a process loads.
#pragma once

#include "platform/com/guid.h"
#include "platform/com/hresult.h"
#include "platform/com/variant.h"

namespace snippo {

// Reference counting and interface discovery. Objects delete themselves when Release drops
// the count to zero; nobody else deletes them, hence the protected destructor.
struct IUnknown {
    static constexpr const IID& kIid = IID_IUnknown;

    virtual HRESULT QueryInterface(REFIID iid, void** object) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    ~IUnknown() = default;
};

constexpr WORD DISPATCH_METHOD = 1;
constexpr WORD DISPATCH_PROPERTYGET = 2;
constexpr WORD DISPATCH_PROPERTYPUT = 4;
constexpr WORD DISPATCH_PROPERTYPUTREF = 8;

constexpr DISPID DISPID_UNKNOWN = -1;
constexpr DISPID DISPID_VALUE = 0;
constexpr DISPID DISPID_PROPERTYPUT = -3;

// The arguments of one IDispatch::Invoke. As on the original platform, rgvarg holds named
// arguments first and then the positional ones in REVERSE order: the argument the caller
// wrote last is rgvarg[cNamedArgs], the first one rgvarg[cArgs - 1]. A property put passes
// its value as the one named argument DISPID_PROPERTYPUT in rgvarg[0].
struct DISPPARAMS {
    VARIANT* rgvarg;
    DISPID* rgdispidNamedArgs;
    UINT cArgs;
    UINT cNamedArgs;
};

// Filled by Invoke when it returns DISP_E_EXCEPTION. The strings belong to the caller, who
// frees them with ClearExcepInfo.
struct EXCEPINFO {
    WORD wCode;
    WORD wReserved;
    BSTR bstrSource;
    BSTR bstrDescription;
    BSTR bstrHelpFile;
    DWORD dwHelpContext;
    SCODE scode;
};

// Frees the strings of *info and zeroes it; null-safe.
void ClearExcepInfo(EXCEPINFO* info);

// Late-bound automation. There are no type libraries: GetTypeInfoCount reports 0.
struct IDispatch : IUnknown {
    static constexpr const IID& kIid = IID_IDispatch;

    virtual HRESULT GetTypeInfoCount(UINT* count) = 0;
    // names[0] is the member name, further names are its parameter names (UTF-16, zero
    // terminated). Unknown names get DISPID_UNKNOWN and the call returns DISP_E_UNKNOWNNAME.
    virtual HRESULT GetIDsOfNames(const char16_t* const* names, UINT count, DISPID* dispids) = 0;
    // `result` and `excepInfo` and `argErr` may be null. On DISP_E_TYPEMISMATCH,
    // DISP_E_OVERFLOW and DISP_E_PARAMNOTOPTIONAL, *argErr is the rgvarg index of the argument.
    virtual HRESULT Invoke(DISPID dispid, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* excepInfo,
                           UINT* argErr) = 0;

protected:
    ~IDispatch() = default;
};

// Creates the objects of one class; handed out by a server's DllGetClassObject.
struct IClassFactory : IUnknown {
    static constexpr const IID& kIid = IID_IClassFactory;

    virtual HRESULT CreateInstance(IUnknown* outer, REFIID iid, void** object) = 0;
    virtual HRESULT LockServer(BOOL lock) = 0;

protected:
    ~IClassFactory() = default;
};

// What a licensed class factory says about its licence.
struct LICINFO {
    LONG cbLicInfo;         // the size of this structure
    BOOL fRuntimeKeyAvail;  // RequestLicKey can hand out a key for machines without a licence
    BOOL fLicVerified;      // this machine may create objects without a key
};

// A class factory that can check a licence key before it creates an object.
struct IClassFactory2 : IClassFactory {
    static constexpr const IID& kIid = IID_IClassFactory2;

    virtual HRESULT GetLicInfo(LICINFO* info) = 0;
    // On success *key is a new BSTR that the caller frees.
    virtual HRESULT RequestLicKey(DWORD reserved, BSTR* key) = 0;
    virtual HRESULT CreateInstanceLic(IUnknown* outer, IUnknown* reserved, REFIID iid, BSTR key, void** object) = 0;

protected:
    ~IClassFactory2() = default;
};

struct CATEGORYINFO {
    CATID catid;
    LCID lcid;
    char16_t szDescription[128];  // zero terminated; at most 127 characters are kept
};

// The component categories manager's registration interface.
struct ICatRegister : IUnknown {
    static constexpr const IID& kIid = IID_ICatRegister;

    virtual HRESULT RegisterCategories(ULONG count, CATEGORYINFO* categories) = 0;
    virtual HRESULT UnRegisterCategories(ULONG count, CATID* catids) = 0;
    virtual HRESULT RegisterClassImplCategories(REFCLSID clsid, ULONG count, CATID* catids) = 0;
    virtual HRESULT UnRegisterClassImplCategories(REFCLSID clsid, ULONG count, CATID* catids) = 0;
    virtual HRESULT RegisterClassReqCategories(REFCLSID clsid, ULONG count, CATID* catids) = 0;
    virtual HRESULT UnRegisterClassReqCategories(REFCLSID clsid, ULONG count, CATID* catids) = 0;

protected:
    ~ICatRegister() = default;
};

}  // namespace snippo
