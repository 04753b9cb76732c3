// Helpers for the comma-separated parameter values and for paths.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace snippo {

// Four-byte escapes that protect labels inside a comma-separated value.
inline constexpr std::string_view kLineBreakEscape = "|_#`";
inline constexpr std::string_view kCommaEscape = "~@^`";

void ReplaceAll(std::string& text, std::string_view from, std::string_view to);
// CR LF becomes the line-break escape, then "," the comma escape.
std::string EscapeLabel(std::string label);
// The same, appended to `out`.
void AppendEscapedLabel(std::string& out, std::string_view label);
// The comma escape becomes ",", then the line-break escape CR LF.
std::string UnescapeField(std::string field);

// Splits a value at every `sep`; a trailing separator gives a last, empty field.
std::vector<std::string_view> SplitFields(std::string_view value, char sep = ',');
// Field k (0-based) of a split value, unescaped; empty when missing.
std::string FieldText(const std::vector<std::string_view>& fields, std::size_t k);
// Field k as a decimal number: leading blanks, a sign and digits; anything else reads 0,
// and values beyond 32 bits are clamped.
std::int32_t FieldInt(const std::vector<std::string_view>& fields, std::size_t k);
std::int32_t ParseInt(std::string_view text);

// Parameter names of menu n and of its item k: "MStyle-%d", "IStyle-%d", "I%d-%d".
std::string MenuStyleKey(int n);
std::string ItemStyleKey(int n);
std::string ItemKey(int n, int k);

// The text after the last '/', or the whole text.
std::string FileNameOf(const std::string& path);
// The text before the last '/', or empty.
std::string FolderOf(const std::string& path);

// "&", "\"", "<" and ">" as entities, for attribute values.
std::string HtmlEscape(std::string_view text);

}  // namespace snippo
