#include "widget/model/text_fields.h"

#include <charconv>
#include <limits>

namespace snippo {

void ReplaceAll(std::string& text, std::string_view from, std::string_view to)
{
    if (from.empty() || text.find(from) == std::string::npos)
        return;
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    for (std::size_t hit; (hit = text.find(from, pos)) != std::string::npos; pos = hit + from.size()) {
        out.append(text, pos, hit - pos);
        out.append(to);
    }
    out.append(text, pos, std::string::npos);
    text.swap(out);
}

std::string EscapeLabel(std::string label)
{
    std::string out;
    AppendEscapedLabel(out, label);
    return out;
}

void AppendEscapedLabel(std::string& out, std::string_view label)
{
    // One pass does both: neither escape holds a comma or a line break.
    std::size_t plain = 0;
    for (std::size_t i = 0; i < label.size(); ++i) {
        if (label[i] == ',') {
            out.append(label.substr(plain, i - plain)).append(kCommaEscape);
            plain = i + 1;
        } else if (label[i] == '\r' && i + 1 < label.size() && label[i + 1] == '\n') {
            out.append(label.substr(plain, i - plain)).append(kLineBreakEscape);
            ++i;
            plain = i + 1;
        }
    }
    out.append(label.substr(plain));
}

std::string UnescapeField(std::string field)
{
    ReplaceAll(field, kCommaEscape, ",");
    ReplaceAll(field, kLineBreakEscape, "\r\n");
    return field;
}

std::vector<std::string_view> SplitFields(std::string_view value, char sep)
{
    std::vector<std::string_view> fields;
    std::size_t pos = 0;
    for (;;) {
        std::size_t hit = value.find(sep, pos);
        if (hit == std::string_view::npos) {
            fields.push_back(value.substr(pos));
            return fields;
        }
        fields.push_back(value.substr(pos, hit - pos));
        pos = hit + 1;
    }
}

std::string FieldText(const std::vector<std::string_view>& fields, std::size_t k)
{
    if (k >= fields.size())
        return {};
    return UnescapeField(std::string(fields[k]));
}

std::int32_t ParseInt(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\r' || text[i] == '\n'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > std::int64_t(std::numeric_limits<std::int32_t>::max()) + 1)
            break;  // clamped below; the remaining digits cannot bring it back
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (value < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

std::int32_t FieldInt(const std::vector<std::string_view>& fields, std::size_t k)
{
    if (k >= fields.size())
        return 0;
    return ParseInt(fields[k]);
}

std::string MenuStyleKey(int n)
{
    return std::string("MStyle-").append(std::to_string(n));
}

std::string ItemStyleKey(int n)
{
    return std::string("IStyle-").append(std::to_string(n));
}

std::string ItemKey(int n, int k)
{
    return std::string("I").append(std::to_string(n)).append("-").append(std::to_string(k));
}

std::string FileNameOf(const std::string& path)
{
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderOf(const std::string& path)
{
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string HtmlEscape(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        default:
            out += c;
            break;
        }
    }
    return out;
}

}  // namespace snippo
