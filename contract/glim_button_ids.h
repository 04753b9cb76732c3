// What the host and the widget server agree on: the widget's class identifier, its dispatch
// interface and the fixed dispatch identifier of each member. The host binds its calls by
// these numbers, never by name, so a number here never changes.
#pragma once

#include "platform/com/guid.h"
#include "platform/com/types.h"

namespace snippo {

// {B2471160-D234-11D2-B481-00400533CDD6}
inline constexpr CLSID CLSID_GlimButton = {
    0xB2471160, 0xD234, 0x11D2, {0xB4, 0x81, 0x00, 0x40, 0x05, 0x33, 0xCD, 0xD6}};
// {7EA44A29-79D0-11D2-B53F-0040053E35C8}: the dispatch interface, answered besides IDispatch.
inline constexpr IID DIID_IGlimButton = {0x7EA44A29, 0x79D0, 0x11D2, {0xB5, 0x3F, 0x00, 0x40, 0x05, 0x3E, 0x35, 0xC8}};

// Dispatch identifiers of the widget interface.
namespace dispid {
inline constexpr DISPID ProgID = 1;
inline constexpr DISPID Title = 2;
inline constexpr DISPID Description = 3;
inline constexpr DISPID BitmapFileName = 4;
inline constexpr DISPID PreviewPath = 5;
inline constexpr DISPID LastUpdateTime = 6;
inline constexpr DISPID ReadConfigFile = 7;
inline constexpr DISPID WriteConfigFile = 8;
inline constexpr DISPID Config = 9;
inline constexpr DISPID GetSnippoTypeID = 10;
inline constexpr DISPID GetSnippoNameID = 11;
inline constexpr DISPID GetMenuTextID = 12;
inline constexpr DISPID GetMessageTextID = 13;
inline constexpr DISPID GetTipsTextID = 14;
inline constexpr DISPID GetIconID = 15;
inline constexpr DISPID WebRuntime = 16;
inline constexpr DISPID GetHTMLSegmentNumber = 17;
inline constexpr DISPID GetHTMLPosition = 18;
inline constexpr DISPID GetHTMLBody = 19;
inline constexpr DISPID GetResourceInstance = 20;
inline constexpr DISPID GetResourceNumber = 21;
inline constexpr DISPID GetResourceName = 22;
inline constexpr DISPID GetResourceLocalPath = 23;
inline constexpr DISPID GetResourceWebPath = 24;
inline constexpr DISPID GetResourceLocalPathByName = 25;
inline constexpr DISPID GetResourceWebPathByName = 26;
inline constexpr DISPID SetResourceLocalPath = 27;
}  // namespace dispid

}  // namespace snippo
