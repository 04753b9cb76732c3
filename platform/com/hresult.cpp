#include "platform/com/hresult.h"

#include <cstdio>

namespace snippo {

namespace {

struct KnownResult {
    HRESULT code;
    const char* name;
    const char* meaning;
};

constexpr KnownResult kKnownResults[] = {
    {S_OK, "S_OK", "Success"},
    {S_FALSE, "S_FALSE", "Success, answer is false"},
    {E_NOTIMPL, "E_NOTIMPL", "Not implemented"},
    {E_NOINTERFACE, "E_NOINTERFACE", "No such interface supported"},
    {E_POINTER, "E_POINTER", "Invalid pointer"},
    {E_ABORT, "E_ABORT", "Operation aborted"},
    {E_FAIL, "E_FAIL", "Unspecified error"},
    {E_UNEXPECTED, "E_UNEXPECTED", "Unexpected failure"},
    {E_ACCESSDENIED, "E_ACCESSDENIED", "Access denied"},
    {E_OUTOFMEMORY, "E_OUTOFMEMORY", "Out of memory"},
    {E_INVALIDARG, "E_INVALIDARG", "One or more arguments are invalid"},
    {CLASS_E_NOAGGREGATION, "CLASS_E_NOAGGREGATION", "Class does not support aggregation"},
    {CLASS_E_CLASSNOTAVAILABLE, "CLASS_E_CLASSNOTAVAILABLE", "Class factory cannot supply requested class"},
    {REGDB_E_READREGDB, "REGDB_E_READREGDB", "Could not read key from registry"},
    {REGDB_E_WRITEREGDB, "REGDB_E_WRITEREGDB", "Could not write key to registry"},
    {REGDB_E_CLASSNOTREG, "REGDB_E_CLASSNOTREG", "Class not registered"},
    {CO_E_NOTINITIALIZED, "CO_E_NOTINITIALIZED", "CoInitialize has not been called"},
    {CO_E_CLASSSTRING, "CO_E_CLASSSTRING", "Invalid class string"},
    {CO_E_DLLNOTFOUND, "CO_E_DLLNOTFOUND", "Server library for class not found"},
    {CO_E_ERRORINDLL, "CO_E_ERRORINDLL", "Error in the server library"},
    {DISP_E_UNKNOWNINTERFACE, "DISP_E_UNKNOWNINTERFACE", "Unknown interface"},
    {DISP_E_MEMBERNOTFOUND, "DISP_E_MEMBERNOTFOUND", "Member not found"},
    {DISP_E_PARAMNOTFOUND, "DISP_E_PARAMNOTFOUND", "Parameter not found"},
    {DISP_E_TYPEMISMATCH, "DISP_E_TYPEMISMATCH", "Type mismatch"},
    {DISP_E_UNKNOWNNAME, "DISP_E_UNKNOWNNAME", "Unknown name"},
    {DISP_E_NONAMEDARGS, "DISP_E_NONAMEDARGS", "No named arguments"},
    {DISP_E_BADVARTYPE, "DISP_E_BADVARTYPE", "Bad variable type"},
    {DISP_E_EXCEPTION, "DISP_E_EXCEPTION", "Exception occurred"},
    {DISP_E_OVERFLOW, "DISP_E_OVERFLOW", "Out of present range"},
    {DISP_E_BADINDEX, "DISP_E_BADINDEX", "Invalid index"},
    {DISP_E_BADPARAMCOUNT, "DISP_E_BADPARAMCOUNT", "Invalid number of parameters"},
    {DISP_E_PARAMNOTOPTIONAL, "DISP_E_PARAMNOTOPTIONAL", "Parameter not optional"},
};

}  // namespace

std::string HResultText(HRESULT hr)
{
    for (const KnownResult& known : kKnownResults) {
        if (known.code == hr)
            return std::string(known.name) + " (" + known.meaning + ")";
    }
    const auto value = static_cast<std::uint32_t>(hr);
    if ((value & 0xFFFF0000u) == 0x80070000u) {
        return "system error " + std::to_string(value & 0xFFFFu);
    }
    return SUCCEEDED(hr) ? "unknown success code" : "unknown result code";
}

std::string HResultToString(HRESULT hr)
{
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(hr));
    return std::string(hex) + " " + HResultText(hr);
}

}  // namespace snippo
