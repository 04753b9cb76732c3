#include "platform/com/variant.h"

#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "platform/com/interfaces.h"

namespace snippo {

namespace {

// Serial days of 1 January 100 and 31 December 9999, the range of an automation date.
constexpr double kFirstDateDay = -657434.0;
constexpr double kLastDateDay = 2958465.0;

bool IsKnownValueType(VARTYPE vt)
{
    switch (vt) {
    case VT_EMPTY:
    case VT_NULL:
    case VT_I2:
    case VT_I4:
    case VT_R8:
    case VT_DATE:
    case VT_BSTR:
    case VT_DISPATCH:
    case VT_ERROR:
    case VT_BOOL:
    case VT_UNKNOWN:
        return true;
    default:
        return false;
    }
}

bool IsKnownType(VARTYPE vt)
{
    if ((vt & VT_BYREF) == 0)
        return IsKnownValueType(vt);
    const VARTYPE base = vt & ~VT_BYREF;
    return base == VT_VARIANT || (IsKnownValueType(base) && base != VT_EMPTY && base != VT_NULL);
}

// A by-value view of a (possibly by-ref) VARIANT; owns nothing. Null pointers inside a
// by-ref VARIANT make it unreadable (false).
bool ReadThrough(const VARIANT& in, VARIANT* out)
{
    if ((in.vt & VT_BYREF) == 0) {
        *out = in;
        return true;
    }
    const VARTYPE base = in.vt & ~VT_BYREF;
    if (in.pvarVal == nullptr)
        return false;  // every by-ref member shares this storage
    VariantInit(out);
    out->vt = base;
    switch (base) {
    case VT_I2:
        out->iVal = *in.piVal;
        return true;
    case VT_I4:
        out->lVal = *in.plVal;
        return true;
    case VT_R8:
        out->dblVal = *in.pdblVal;
        return true;
    case VT_DATE:
        out->date = *in.pdate;
        return true;
    case VT_BSTR:
        out->bstrVal = *in.pbstrVal;
        return true;
    case VT_ERROR:
        out->scode = *in.pscode;
        return true;
    case VT_BOOL:
        out->boolVal = *in.pboolVal;
        return true;
    case VT_UNKNOWN:
        out->punkVal = *in.ppunkVal;
        return true;
    case VT_DISPATCH:
        out->pdispVal = *in.ppdispVal;
        return true;
    case VT_VARIANT:
        // One level only: a by-ref VARIANT that points at another by-ref is not followed.
        if ((in.pvarVal->vt & VT_BYREF) != 0 || !IsKnownValueType(in.pvarVal->vt))
            return false;
        *out = *in.pvarVal;
        return true;
    default:
        return false;
    }
}

std::string_view Trim(std::string_view s)
{
    const char* kSpace = " \t\r\n\f\v";
    const std::size_t first = s.find_first_not_of(kSpace);
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = s.find_last_not_of(kSpace);
    return s.substr(first, last - first + 1);
}

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Decimal number text: [sign] digits[,digits...][.digits][e[sign]digits], surrounded by
// white space. Independent of the process locale (a Qt application sets one).
HRESULT ParseNumber(std::string_view text, double* value)
{
    text = Trim(text);
    std::string clean;
    std::size_t i = 0;
    const std::size_t n = text.size();
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-')
            clean.push_back('-');
        ++i;
    }
    int intDigits = 0, fracDigits = 0;
    while (i < n) {
        if (IsDigit(text[i])) {
            clean.push_back(text[i]);
            ++intDigits;
            ++i;
        } else if (text[i] == ',' && intDigits > 0 && i + 1 < n && IsDigit(text[i + 1])) {
            ++i;  // thousands separator
        } else {
            break;
        }
    }
    if (i < n && text[i] == '.') {
        clean.push_back('.');
        ++i;
        while (i < n && IsDigit(text[i])) {
            clean.push_back(text[i]);
            ++fracDigits;
            ++i;
        }
    }
    if (intDigits + fracDigits == 0)
        return DISP_E_TYPEMISMATCH;
    long exponent = 0;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        clean.push_back('e');
        ++i;
        bool negative = false;
        if (i < n && (text[i] == '+' || text[i] == '-')) {
            negative = text[i] == '-';
            clean.push_back(text[i++]);
        }
        int expDigits = 0;
        while (i < n && IsDigit(text[i])) {
            if (exponent < 100000)
                exponent = exponent * 10 + (text[i] - '0');
            clean.push_back(text[i++]);
            ++expDigits;
        }
        if (expDigits == 0)
            return DISP_E_TYPEMISMATCH;
        if (negative)
            exponent = -exponent;
    }
    if (i != n)
        return DISP_E_TYPEMISMATCH;
    double parsed = 0.0;
    const auto [end, ec] = std::from_chars(clean.data(), clean.data() + clean.size(), parsed);
    if (end != clean.data() + clean.size())
        return DISP_E_TYPEMISMATCH;
    if (ec == std::errc::result_out_of_range) {
        // Too small to represent is zero; too large is an overflow.
        if (exponent < 0 && intDigits + exponent < 0) {
            *value = 0.0;
            return S_OK;
        }
        return DISP_E_OVERFLOW;
    }
    if (ec != std::errc() || !std::isfinite(parsed))
        return DISP_E_OVERFLOW;
    *value = parsed;
    return S_OK;
}

// Rounds half to even (the current rounding mode, which nobody changes) and range-checks.
template <class Int> HRESULT IntFromDouble(double d, Int* out)
{
    if (std::isnan(d))
        return DISP_E_OVERFLOW;
    const double r = std::nearbyint(d);
    if (r < static_cast<double>(std::numeric_limits<Int>::min()) ||
        r > static_cast<double>(std::numeric_limits<Int>::max())) {
        return DISP_E_OVERFLOW;
    }
    *out = static_cast<Int>(r);
    return S_OK;
}

HRESULT DateFromDouble(double d, DATE* out)
{
    if (!(d > kFirstDateDay - 1.0 && d < kLastDateDay + 1.0))
        return DISP_E_OVERFLOW;
    *out = d;
    return S_OK;
}

std::string TextFromDouble(double d)
{
    if (std::isnan(d))
        return "NaN";
    if (std::isinf(d))
        return d < 0 ? "-Infinity" : "Infinity";
    if (d == 0.0)
        return "0";  // also for -0.0
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, d, std::chars_format::general, 15);
    std::string text(buffer, result.ptr);
    for (char& c : text) {
        if (c == 'e')
            c = 'E';
    }
    return text;
}

const std::chrono::sys_days kDateEpoch{std::chrono::year{1899} / std::chrono::December / 30};

HRESULT TextFromDate(DATE d, std::string* out)
{
    if (!(d > kFirstDateDay - 1.0 && d < kLastDateDay + 1.0))
        return DISP_E_OVERFLOW;
    // The integer part counts days (negative before the epoch); the fraction, whatever the
    // sign, is the time of that day.
    double dayPart = std::trunc(d);
    long seconds = std::lround(std::fabs(d - dayPart) * 86400.0);
    long day = static_cast<long>(dayPart);
    if (seconds >= 86400) {
        seconds -= 86400;
        day += 1;
    }
    const std::chrono::year_month_day ymd{kDateEpoch + std::chrono::days{day}};
    char dateText[32];
    std::snprintf(dateText, sizeof dateText, "%u/%u/%d", static_cast<unsigned>(ymd.month()),
                  static_cast<unsigned>(ymd.day()), static_cast<int>(ymd.year()));
    const long hour = seconds / 3600;
    char timeText[32];
    std::snprintf(timeText, sizeof timeText, "%ld:%02ld:%02ld %s", hour % 12 == 0 ? 12 : hour % 12, (seconds / 60) % 60,
                  seconds % 60, hour < 12 ? "AM" : "PM");
    if (day == 0) {
        *out = timeText;  // the time alone, "12:00:00 AM" for zero
    } else if (seconds == 0) {
        *out = dateText;
    } else {
        *out = std::string(dateText) + " " + timeText;
    }
    return S_OK;
}

// Reads an unsigned decimal field of 1..maxDigits digits.
bool ReadField(std::string_view s, std::size_t* pos, int maxDigits, int* value)
{
    int v = 0, digits = 0;
    while (*pos < s.size() && IsDigit(s[*pos]) && digits < maxDigits) {
        v = v * 10 + (s[*pos] - '0');
        ++digits;
        ++*pos;
    }
    if (digits == 0 || (*pos < s.size() && IsDigit(s[*pos])))
        return false;
    *value = v;
    return true;
}

bool ParseTime(std::string_view s, long* seconds)
{
    std::size_t pos = 0;
    int h = 0, m = 0, sec = 0;
    if (!ReadField(s, &pos, 2, &h) || pos >= s.size() || s[pos] != ':')
        return false;
    ++pos;
    if (!ReadField(s, &pos, 2, &m))
        return false;
    if (pos < s.size() && s[pos] == ':') {
        ++pos;
        if (!ReadField(s, &pos, 2, &sec))
            return false;
    }
    const std::string_view rest = Trim(s.substr(pos));
    if (!rest.empty()) {
        const bool am = EqualsNoCase(rest, "AM"), pm = EqualsNoCase(rest, "PM");
        if (!am && !pm)
            return false;
        if (h < 1 || h > 12)
            return false;
        h = (h % 12) + (pm ? 12 : 0);
    }
    if (h > 23 || m > 59 || sec > 59)
        return false;
    *seconds = h * 3600L + m * 60L + sec;
    return true;
}

bool ParseCalendarDate(std::string_view s, long* serial)
{
    std::size_t pos = 0;
    int a = 0, b = 0, c = 0;
    int year = 0, month = 0, dayOfMonth = 0;
    if (!ReadField(s, &pos, 4, &a) || pos >= s.size())
        return false;
    const char sep = s[pos];
    if (sep != '/' && sep != '-')
        return false;
    const std::size_t firstLength = pos;
    ++pos;
    if (!ReadField(s, &pos, 2, &b) || pos >= s.size() || s[pos] != sep)
        return false;
    ++pos;
    const std::size_t thirdStart = pos;
    if (!ReadField(s, &pos, 4, &c) || pos != s.size())
        return false;
    if (sep == '-') {
        if (firstLength != 4)
            return false;  // ISO: YYYY-MM-DD
        year = a;
        month = b;
        dayOfMonth = c;
    } else {
        if (firstLength > 2)
            return false;  // M/D/YYYY or M/D/YY
        month = a;
        dayOfMonth = b;
        year = c;
        if (pos - thirdStart <= 2)
            year += year < 30 ? 2000 : 1900;
    }
    if (year < 100 || year > 9999)
        return false;
    const std::chrono::year_month_day ymd{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                                          std::chrono::day{static_cast<unsigned>(dayOfMonth)}};
    if (!ymd.ok())
        return false;
    *serial = (std::chrono::sys_days{ymd} - kDateEpoch).count();
    return true;
}

HRESULT DateFromText(std::string_view text, DATE* out)
{
    text = Trim(text);
    if (text.empty())
        return DISP_E_TYPEMISMATCH;
    long serial = 0, seconds = 0;
    if (text.find(':') != std::string_view::npos && text.find_first_of("/-") == std::string_view::npos) {
        if (!ParseTime(text, &seconds))
            return DISP_E_TYPEMISMATCH;
    } else {
        std::size_t split = text.find_first_of(" \tT");
        std::string_view datePart = text.substr(0, split);
        if (!ParseCalendarDate(datePart, &serial))
            return DISP_E_TYPEMISMATCH;
        if (split != std::string_view::npos && !ParseTime(Trim(text.substr(split + 1)), &seconds)) {
            return DISP_E_TYPEMISMATCH;
        }
    }
    const double fraction = static_cast<double>(seconds) / 86400.0;
    *out = serial < 0 ? static_cast<double>(serial) - fraction : static_cast<double>(serial) + fraction;
    return S_OK;
}

HRESULT BoolFromText(std::string_view text, VARIANT_BOOL* out)
{
    const std::string_view t = Trim(text);
    if (EqualsNoCase(t, "True")) {
        *out = VARIANT_TRUE;
        return S_OK;
    }
    if (EqualsNoCase(t, "False")) {
        *out = VARIANT_FALSE;
        return S_OK;
    }
    double d = 0.0;
    const HRESULT hr = ParseNumber(t, &d);
    if (FAILED(hr))
        return DISP_E_TYPEMISMATCH;
    *out = d != 0.0 ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

// The numeric value of a number-like source, for targets that are numbers.
HRESULT NumberOf(const VARIANT& s, double* d)
{
    switch (s.vt) {
    case VT_EMPTY:
        *d = 0.0;
        return S_OK;
    case VT_I2:
        *d = s.iVal;
        return S_OK;
    case VT_I4:
        *d = s.lVal;
        return S_OK;
    case VT_R8:
        *d = s.dblVal;
        return S_OK;
    case VT_DATE:
        *d = s.date;
        return S_OK;
    case VT_BOOL:
        *d = s.boolVal != 0 ? -1.0 : 0.0;
        return S_OK;
    case VT_BSTR:
        return ParseNumber(Utf8FromBstr(s.bstrVal), d);
    default:
        return DISP_E_TYPEMISMATCH;
    }
}

HRESULT MakeText(BSTR* out, std::string_view text)
{
    *out = BstrFromUtf8(text);
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

// Coerces a by-value source into a fresh *out (which owns nothing yet).
HRESULT Coerce(const VARIANT& s, USHORT flags, VARTYPE vt, VARIANT* out)
{
    if (s.vt == vt)
        return VariantCopy(out, &s);
    VARIANT r;
    VariantInit(&r);
    r.vt = vt;
    HRESULT hr = DISP_E_TYPEMISMATCH;
    double d = 0.0;
    switch (vt) {
    case VT_EMPTY:
    case VT_NULL:
        hr = (s.vt == VT_ERROR || (vt == VT_EMPTY && s.vt == VT_NULL)) ? DISP_E_TYPEMISMATCH : S_OK;
        break;
    case VT_I2:
        if (SUCCEEDED(hr = NumberOf(s, &d)))
            hr = IntFromDouble(d, &r.iVal);
        break;
    case VT_I4:
        if (SUCCEEDED(hr = NumberOf(s, &d)))
            hr = IntFromDouble(d, &r.lVal);
        break;
    case VT_R8:
        if (SUCCEEDED(hr = NumberOf(s, &d)))
            r.dblVal = d;
        break;
    case VT_DATE:
        if (s.vt == VT_BSTR) {
            hr = DateFromText(Utf8FromBstr(s.bstrVal), &r.date);
        } else if (SUCCEEDED(hr = NumberOf(s, &d))) {
            hr = DateFromDouble(d, &r.date);
        }
        break;
    case VT_BOOL:
        if (s.vt == VT_BSTR) {
            hr = BoolFromText(Utf8FromBstr(s.bstrVal), &r.boolVal);
        } else if (SUCCEEDED(hr = NumberOf(s, &d))) {
            r.boolVal = d != 0.0 ? VARIANT_TRUE : VARIANT_FALSE;
        }
        break;
    case VT_BSTR:
        switch (s.vt) {
        case VT_EMPTY:
            hr = MakeText(&r.bstrVal, "");
            break;
        case VT_I2:
            hr = MakeText(&r.bstrVal, std::to_string(s.iVal));
            break;
        case VT_I4:
            hr = MakeText(&r.bstrVal, std::to_string(s.lVal));
            break;
        case VT_R8:
            hr = MakeText(&r.bstrVal, TextFromDouble(s.dblVal));
            break;
        case VT_BOOL:
            if (flags & (VARIANT_ALPHABOOL | VARIANT_LOCALBOOL)) {
                hr = MakeText(&r.bstrVal, s.boolVal != 0 ? "True" : "False");
            } else {
                hr = MakeText(&r.bstrVal, s.boolVal != 0 ? "-1" : "0");
            }
            break;
        case VT_DATE: {
            std::string text;
            hr = TextFromDate(s.date, &text);
            if (SUCCEEDED(hr))
                hr = MakeText(&r.bstrVal, text);
            break;
        }
        default:
            break;
        }
        break;
    case VT_UNKNOWN:
        if (s.vt == VT_DISPATCH) {
            r.punkVal = nullptr;
            hr = s.pdispVal == nullptr ? S_OK
                                       : s.pdispVal->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&r.punkVal));
        }
        break;
    case VT_DISPATCH:
        if (s.vt == VT_UNKNOWN) {
            r.pdispVal = nullptr;
            hr = s.punkVal == nullptr ? S_OK
                                      : s.punkVal->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&r.pdispVal));
        }
        break;
    default:
        break;
    }
    if (FAILED(hr))
        return hr;
    *out = r;
    return S_OK;
}

}  // namespace

void VariantInit(VARIANT* v)
{
    if (v == nullptr)
        return;
    std::memset(v, 0, sizeof *v);
    v->vt = VT_EMPTY;
}

HRESULT VariantClear(VARIANT* v)
{
    if (v == nullptr)
        return E_INVALIDARG;
    if (!IsKnownType(v->vt))
        return DISP_E_BADVARTYPE;
    switch (v->vt) {
    case VT_BSTR:
        SysFreeString(v->bstrVal);
        break;
    case VT_UNKNOWN:
        if (v->punkVal)
            v->punkVal->Release();
        break;
    case VT_DISPATCH:
        if (v->pdispVal)
            v->pdispVal->Release();
        break;
    default:
        break;
    }
    VariantInit(v);
    return S_OK;
}

HRESULT VariantCopy(VARIANT* dest, const VARIANT* src)
{
    if (dest == nullptr || src == nullptr)
        return E_INVALIDARG;
    if (!IsKnownType(src->vt))
        return DISP_E_BADVARTYPE;
    if (dest == src)
        return S_OK;
    VARIANT copy = *src;
    if (src->vt == VT_BSTR && src->bstrVal != nullptr) {
        copy.bstrVal = SysAllocStringLen(src->bstrVal, SysStringLen(src->bstrVal));
        if (copy.bstrVal == nullptr)
            return E_OUTOFMEMORY;
    } else if (src->vt == VT_UNKNOWN && src->punkVal != nullptr) {
        src->punkVal->AddRef();
    } else if (src->vt == VT_DISPATCH && src->pdispVal != nullptr) {
        src->pdispVal->AddRef();
    }
    const HRESULT hr = VariantClear(dest);
    if (FAILED(hr)) {
        VariantClear(&copy);
        return hr;
    }
    *dest = copy;
    return S_OK;
}

HRESULT VariantChangeType(VARIANT* dest, const VARIANT* src, USHORT flags, VARTYPE vt)
{
    if (dest == nullptr || src == nullptr)
        return E_INVALIDARG;
    if (!IsKnownType(src->vt))
        return DISP_E_BADVARTYPE;
    if (vt & VT_BYREF)
        return DISP_E_TYPEMISMATCH;
    if (!IsKnownValueType(vt))
        return DISP_E_BADVARTYPE;
    if (dest != src && !IsKnownType(dest->vt))
        return DISP_E_BADVARTYPE;
    VARIANT value;
    if (!ReadThrough(*src, &value))
        return DISP_E_TYPEMISMATCH;
    VARIANT result;
    VariantInit(&result);
    const HRESULT hr = Coerce(value, flags, vt, &result);
    if (FAILED(hr))
        return hr;
    VariantClear(dest);  // after the coercion: dest may be src
    *dest = result;
    return S_OK;
}

namespace {

template <class T> HRESULT ReadAs(const VARIANT& v, VARTYPE vt, T VARIANT::*member, T* out)
{
    if (out == nullptr)
        return E_POINTER;
    VARIANT tmp;
    VariantInit(&tmp);
    const HRESULT hr = VariantChangeType(&tmp, &v, 0, vt);
    if (FAILED(hr))
        return hr;
    *out = tmp.*member;
    return S_OK;
}

}  // namespace

HRESULT Variant::ToUtf8(std::string* out) const
{
    if (out == nullptr)
        return E_POINTER;
    VARIANT tmp;
    VariantInit(&tmp);
    const HRESULT hr = VariantChangeType(&tmp, &v_, 0, VT_BSTR);
    if (FAILED(hr))
        return hr;
    *out = Utf8FromBstr(tmp.bstrVal);
    VariantClear(&tmp);
    return S_OK;
}

HRESULT Variant::ToI2(std::int16_t* out) const
{
    return ReadAs(v_, VT_I2, &VARIANT::iVal, out);
}
HRESULT Variant::ToI4(std::int32_t* out) const
{
    return ReadAs(v_, VT_I4, &VARIANT::lVal, out);
}
HRESULT Variant::ToR8(double* out) const
{
    return ReadAs(v_, VT_R8, &VARIANT::dblVal, out);
}

HRESULT Variant::ToBool(bool* out) const
{
    VARIANT_BOOL b = VARIANT_FALSE;
    const HRESULT hr = ReadAs(v_, VT_BOOL, &VARIANT::boolVal, &b);
    if (SUCCEEDED(hr) && out != nullptr)
        *out = b != VARIANT_FALSE;
    return hr;
}

}  // namespace snippo
