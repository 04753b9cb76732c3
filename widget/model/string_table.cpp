#include "widget/model/string_table.h"

#include <algorithm>

namespace snippo {

const std::vector<std::pair<std::uint32_t, std::string>>& WidgetStringTable()
{
    static const std::vector<std::pair<std::uint32_t, std::string>> table = {
        {IDS_TYPE_TEXT, "Java Applet"},
        {IDS_NAME_TEXT, "Tessaly GlimButton 1.0"},
        {IDS_MENU_TEXT, "Tessaly GlimButton 1.0"},
        {IDS_MESSAGE_TEXT, "Generate glim effect Java Applet buttons"},
        {IDS_TIPS_TEXT, "Glim Button"},
        {IDS_APPLET_CLASS, "qlnbtn.class"},
        {IDS_ALIGN_CENTER, "Center"},
        {IDS_ALIGN_LEFT, "Left"},
        {IDS_ALIGN_RIGHT, "Right"},
        {IDS_MSTYLE_KEY, "MStyle-%d"},
        {IDS_ISTYLE_KEY, "IStyle-%d"},
        {IDS_ITEM_KEY, "I%d-%d"},
        {IDS_MISC_KEY, "Misc"},
        {IDS_APSTYLE_DEFAULT, "GlimButton,0,200,400,ffff00,ffc3cc,,0,0,0,,26,8,ffc3cc,1,Loading image..."},
        {IDS_ISTYLE_DEFAULT, "16711680,16777215,1,0,0,14,0,0,0,0,0,8421504,1,16777215,"
                             "0,16777215,2,0,0,14,0,0,0,0,0,8421504,2,16777215,"
                             "0,16777215,3,0,0,14,0,0,0,0,0,8421504,3,16777215,"},
    };
    return table;
}

const std::string& LoadWidgetString(std::uint32_t id)
{
    static const std::string empty;
    const auto& table = WidgetStringTable();
    auto it = std::find_if(table.begin(), table.end(), [id](const auto& e) { return e.first == id; });
    return it == table.end() ? empty : it->second;
}

}  // namespace snippo
