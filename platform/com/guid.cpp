#include "platform/com/guid.h"

#include <cstdio>

namespace snippo {

namespace {

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Reads `digits` hex digits at `pos`; false when any is not a hex digit.
bool ReadHex(std::string_view text, std::size_t pos, int digits, std::uint32_t* value)
{
    std::uint32_t v = 0;
    for (int i = 0; i < digits; ++i) {
        const int d = HexValue(text[pos + static_cast<std::size_t>(i)]);
        if (d < 0)
            return false;
        v = (v << 4) | static_cast<std::uint32_t>(d);
    }
    *value = v;
    return true;
}

}  // namespace

std::string GuidToString(REFGUID g)
{
    char text[40];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(g.Data1), static_cast<unsigned>(g.Data2), static_cast<unsigned>(g.Data3),
                  g.Data4[0], g.Data4[1], g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
    return text;
}

bool GuidFromString(std::string_view text, GUID* guid)
{
    // {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}
    // 0 1       9    14   19   24          37
    if (guid == nullptr || text.size() != 38)
        return false;
    if (text[0] != '{' || text[37] != '}' || text[9] != '-' || text[14] != '-' || text[19] != '-' || text[24] != '-') {
        return false;
    }
    GUID parsed{};
    std::uint32_t v = 0;
    if (!ReadHex(text, 1, 8, &v))
        return false;
    parsed.Data1 = v;
    if (!ReadHex(text, 10, 4, &v))
        return false;
    parsed.Data2 = static_cast<std::uint16_t>(v);
    if (!ReadHex(text, 15, 4, &v))
        return false;
    parsed.Data3 = static_cast<std::uint16_t>(v);
    constexpr std::size_t kBytePos[8] = {20, 22, 25, 27, 29, 31, 33, 35};
    for (int i = 0; i < 8; ++i) {
        if (!ReadHex(text, kBytePos[i], 2, &v))
            return false;
        parsed.Data4[i] = static_cast<std::uint8_t>(v);
    }
    *guid = parsed;
    return true;
}

}  // namespace snippo
