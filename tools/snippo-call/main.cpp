// snippo-call PROGID: an automation client for any registered widget.
//
// Reads one call per line from standard input:
//   Name arg ...        a method, or a property get
//   Name = value        a property put
//   #N arg ...          a call by dispatch identifier
// Arguments holding blanks go in double quotes with C escapes (\r \n \t \" \\); a quoted
// argument is text, an unquoted one a number when it reads as one, else text. Prints one
// line per call: the result as a JSON value, or "error: 0x........ <meaning>". Exits 1 when
// any call failed.
#include <cmath>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "platform/com/dispatch.h"
#include "platform/com/runtime.h"
#include "tools/cli/cli.h"

using namespace snippo;

namespace {

struct Token {
    std::string text;
    bool quoted = false;
};

// Splits a line into tokens; false with a message for an unterminated quote or bad escape.
bool Tokenize(const std::string& line, std::vector<Token>& out, std::string& error)
{
    std::size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ' || line[i] == '\t' || line[i] == '\r') {
            ++i;
            continue;
        }
        Token t;
        if (line[i] == '"') {
            t.quoted = true;
            ++i;
            bool closed = false;
            while (i < line.size()) {
                char c = line[i++];
                if (c == '"') {
                    closed = true;
                    break;
                }
                if (c != '\\') {
                    t.text += c;
                    continue;
                }
                if (i >= line.size())
                    break;
                switch (char e = line[i++]) {
                case 'r':
                    t.text += '\r';
                    break;
                case 'n':
                    t.text += '\n';
                    break;
                case 't':
                    t.text += '\t';
                    break;
                case '"':
                    t.text += '"';
                    break;
                case '\\':
                    t.text += '\\';
                    break;
                default:
                    error = std::string("unknown escape \\") + e;
                    return false;
                }
            }
            if (!closed) {
                error = "unterminated quoted argument";
                return false;
            }
        } else {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r')
                t.text += line[i++];
        }
        out.push_back(std::move(t));
    }
    return true;
}

Variant ToArgument(const Token& t)
{
    if (!t.quoted && !t.text.empty()) {
        std::size_t used = 0;
        try {
            long long v = std::stoll(t.text, &used, 10);
            if (used == t.text.size() && v >= INT32_MIN && v <= INT32_MAX)
                return Variant(static_cast<std::int32_t>(v));
        } catch (const std::exception&) {
        }
    }
    return Variant(t.text);
}

std::string JsonString(const std::string& s)
{
    std::string out = "\"";
    for (unsigned char c : s) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

std::string Json(const Variant& v)
{
    const VARIANT* r = v.Get();
    switch (r->vt) {
    case VT_EMPTY:
    case VT_NULL:
        return "null";
    case VT_BOOL:
        return r->boolVal ? "true" : "false";
    case VT_I2:
        return std::to_string(r->iVal);
    case VT_I4:
        return std::to_string(r->lVal);
    case VT_R8:
    case VT_DATE: {
        double d = r->vt == VT_R8 ? r->dblVal : r->date;
        if (!std::isfinite(d))
            return "null";
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.9g", d);
        return buf;
    }
    case VT_BSTR:
        return JsonString(Utf8FromBstr(r->bstrVal));
    default: {
        std::string text;
        if (SUCCEEDED(v.ToUtf8(&text)))
            return JsonString(text);
        return "null";
    }
    }
}

void PrintError(HRESULT hr, const std::string& detail = {})
{
    std::cout << "error: " << HResultToString(hr);
    if (!detail.empty())
        std::cout << ": " << detail;
    std::cout << std::endl;
}

// Resolves a member name or "#N" to its dispatch identifier.
HRESULT Resolve(IDispatch* object, const std::string& name, DISPID* id)
{
    if (!name.empty() && name[0] == '#') {
        try {
            std::size_t used = 0;
            long v = std::stol(name.substr(1), &used, 10);
            if (used + 1 == name.size()) {
                *id = static_cast<DISPID>(v);
                return S_OK;
            }
        } catch (const std::exception&) {
        }
        return DISP_E_UNKNOWNNAME;
    }
    std::u16string wide = Utf16FromUtf8(name);
    const char16_t* names[1] = {wide.c_str()};
    return object->GetIDsOfNames(names, 1, id);
}

}  // namespace

constexpr const char* kHelp =
    "usage: snippo-call PROGID\n"
    "Creates the registered class PROGID and makes the calls read from standard input, one a line:\n"
    "  Name arg ...   a method, or a property get\n"
    "  Name = value   a property put\n"
    "  #N arg ...     a call by dispatch identifier\n"
    "Prints each result as a JSON value, or \"error: 0x........ meaning\".\n";

int main(int argc, char** argv)
{
    if (int rc = cli::AnswerStandardOptions(argc, argv, "snippo-call", kHelp); rc >= 0)
        return rc;
    if (argc != 2) {
        std::cerr << "usage: snippo-call PROGID  (calls are read from standard input, one a line)\n";
        return 2;
    }
    CoInitialize(nullptr);
    CLSID clsid;
    HRESULT hr = CLSIDFromProgID(argv[1], &clsid);
    if (FAILED(hr)) {
        std::cerr << "snippo-call: " << argv[1] << " is not a registered class: " << HResultToString(hr) << "\n";
        return 1;
    }
    ComPtr<IDispatch> object;
    hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, &object);
    if (FAILED(hr)) {
        std::string why = CoGetLastErrorText();
        std::cerr << "snippo-call: cannot create " << argv[1] << ": " << HResultToString(hr)
                  << (why.empty() ? "" : " (" + why + ")") << "\n";
        return 1;
    }

    bool anyFailed = false;
    std::string line;
    while (std::getline(std::cin, line)) {
        std::vector<Token> tokens;
        std::string error;
        if (!Tokenize(line, tokens, error)) {
            PrintError(E_INVALIDARG, error);
            anyFailed = true;
            continue;
        }
        if (tokens.empty())
            continue;
        DISPID id;
        hr = Resolve(object.Get(), tokens[0].text, &id);
        if (FAILED(hr)) {
            PrintError(hr, tokens[0].text);
            anyFailed = true;
            continue;
        }
        const bool put = tokens.size() >= 2 && !tokens[1].quoted && tokens[1].text == "=";
        std::vector<Variant> args;
        for (std::size_t i = put ? 2 : 1; i < tokens.size(); ++i)
            args.push_back(ToArgument(tokens[i]));
        if (put && args.size() != 1) {
            PrintError(DISP_E_BADPARAMCOUNT, "a put takes one value");
            anyFailed = true;
            continue;
        }
        Variant result;
        std::string errorText;
        const WORD flags = put ? DISPATCH_PROPERTYPUT : WORD(DISPATCH_METHOD | DISPATCH_PROPERTYGET);
        hr = AutomationInvoke(object.Get(), id, flags, args, &result, &errorText);
        if (FAILED(hr)) {
            PrintError(hr, errorText);
            anyFailed = true;
            continue;
        }
        std::cout << (put ? std::string("null") : Json(result)) << std::endl;
    }
    object.Reset();
    CoFreeUnusedLibraries();
    CoUninitialize();
    return anyFailed ? 1 : 0;
}
