// The widget library's string resources, by resource number.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace snippo {

enum WidgetString : std::uint32_t {
    IDS_TYPE_TEXT = 1,
    IDS_NAME_TEXT = 2,
    IDS_MENU_TEXT = 3,
    IDS_MESSAGE_TEXT = 4,
    IDS_TIPS_TEXT = 5,
    IDS_APPLET_CLASS = 102,
    IDS_ALIGN_CENTER = 129,
    IDS_ALIGN_LEFT = 130,
    IDS_ALIGN_RIGHT = 131,
    IDS_MSTYLE_KEY = 202,
    IDS_ISTYLE_KEY = 203,
    IDS_ITEM_KEY = 204,
    IDS_MISC_KEY = 205,
    IDS_APSTYLE_DEFAULT = 206,
    IDS_ISTYLE_DEFAULT = 208,
};

// The text of a string resource, or an empty text for an unknown number.
const std::string& LoadWidgetString(std::uint32_t id);
// Every string resource of the library, for registration with the platform's string table.
const std::vector<std::pair<std::uint32_t, std::string>>& WidgetStringTable();

}  // namespace snippo
